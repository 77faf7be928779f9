// Whole table files moved between folders: held exclusively first (asking the user whether to
// wait while another terminal uses one), copied under a scratch name in the destination, made
// durable and only then renamed to their own name, so a reader never finds half a table.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "rt/base/result.h"
#include "rt/db/table.h"
#include "store/contexto.h"

namespace store {

// The question asked while a table is used by another terminal:
// "O arquivo IMP" + nn + "10.DBF esta sendo usado em algum terminal. Aguarde?".
std::string perguntaEmUso(std::string_view arquivo);

// Opens the table file `caminhoDbf` (a Linux path) exclusively, outside the work areas. While
// another terminal has it, tries again for a few seconds and then asks the question above
// with `arquivo` as the file's name; "N" (or Esc) gives kInUse. Other failures come back as
// they are.
rt::Result<std::unique_ptr<rt::db::Table>> seguraAguardando(Contexto& ctx, const std::string& caminhoDbf,
                                                            std::string_view arquivo);

// Opens the table file `caminhoDbf` (a Linux path) shared, outside the work areas, and holds
// its file lock: other terminals (and this one's own work areas) keep it open and read it, but
// no one writes into it until it is let go, so a copy of it is consistent. While another
// terminal writes or holds it exclusively, "Aguardando arquivo ficar disponível" stays on the
// message line and it is tried every half second; Esc abandons (kInUse).
rt::Result<std::unique_ptr<rt::db::Table>> seguraParaCopia(Contexto& ctx, const std::string& caminhoDbf);

// Copies the file `de` to `para` (Linux paths): written as a scratch file beside `para`,
// synced, checked by `confere` (when given) and only then renamed over it, and the folder
// synced. The old `para` stays when anything fails.
rt::Status copiaArquivo(const std::string& de, const std::string& para,
                        const std::function<rt::Status(const std::string&)>& confere = {});

// Removes the save journals that dead saves left in a folder (a Linux path): after its tables
// were replaced whole, redoing them would put old rows over the new tables. Journals of a
// running save are left alone.
void descartaDiariosMortos(const std::string& pastaLx);

// The size a table file should have from its header: record size x records + header + 1.
std::uint64_t tamanhoEsperado(rt::db::Table& t);

}  // namespace store

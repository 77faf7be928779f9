// Changes to taxpayers within the current data folder: a new CPF for a taxpayer, parts of one
// declaration copied into another, and taxpayers deleted (whole or only their rural activity).
// Every change of a CPF's rows goes through the save journal (transfere.h: gravaLinhas), after
// every table it touches is held, so a taxpayer is never left half changed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/contexto.h"
#include "store/cpf.h"
#include "store/transfere.h"

namespace store {

// Whether a CPF (11 digits, punctuation allowed) has right check digits.
[[nodiscard]] bool cpfValido(std::string_view cpf);

enum class ResultadoCpf { Feito, NovoExiste, OrigemNaoAchada, Igual, DestinoNaoExiste, SemImoveis, EmUso, Falhou };

// The rows of `velho` in tables 01-19 of the current data folder get the CPF `novo`; the
// register row first (under a 5-second lock): when it cannot be had, nothing changes. A
// declaration of either CPF open in another terminal leaves everything as it was (EmUso, the
// refusal's text in `motivo`).
ResultadoCpf trocaCpf(Contexto& ctx, std::string_view velho, std::string_view novo, std::string* motivo = nullptr);

// MUDA_CPF (menu item 30): asks the old and the new CPF in its frame until Esc, changes them,
// and rebuilds the year folder's indexes at the end.
void MUDA_CPF(Contexto& ctx);

// The parts TRANF_PARTE copies (options 1-9 of its menu).
enum class ParteCopia {
  Tudo = 1,
  Bens,
  LivroCaixa,
  Juridica,
  Pagamentos,
  Rural,
  BensDividasRural,
  CaixaRural,
  Imoveis
};

// Copies a part of the declaration of `origem` into the declaration of `destino` (both in
// the register of the current data folder). `acrescenta` ("Sim - Acrecente"): the copied rows
// join the destination's; otherwise the destination's rows of the same part go first. Table
// 01 and the rural summary (15, one row a side) are always replaced. A destination whose
// declaration is open in another terminal (its save would undo the copy) is left as it was
// (EmUso, the refusal's text in `motivo`).
ResultadoCpf copiaParte(Contexto& ctx, std::string_view origem, std::string_view destino, ParteCopia parte,
                        bool acrescenta, std::string* motivo = nullptr);

// Whether a CPF has a row in the register of the current data folder.
[[nodiscard]] bool noRegistro(Contexto& ctx, std::string_view cpf);

// TRANF_PARTE (menu item 31): the CPFs in frame 2, the part in its option menu, whether the
// destination's rows of that part stay, then copiaParte.
void TRANF_PARTE(Contexto& ctx);

// Deletes a taxpayer of the current data folder: every row of tables 01-19 and the register
// row, or with `soRural` the rows of 15-19 and the register's rural marks (TEMRURAL "N",
// ATV_BRASIL blank). Failed when a table could not be had or the declaration is open in another
// terminal (kInUse, its detail saying which terminal holds it); nothing changed then, and
// nothing is said (untold): the caller says the taxpayer was not deleted.
rt::Status excluiContribuinte(Contexto& ctx, const Cpf& cpf, bool soRural);

// EXCLUI (menu item 15): the taxpayers chosen in the marking grid are deleted after the
// confirmation; the tables are packed at the end.
void EXCLUI(Contexto& ctx, const MarcaContribuintes& marca);

}  // namespace store

// Last year's tables of a source folder, read only, for the conversion of items 1 and 3:
// this program's previous edition (the register IMP0909 and the tables "IMP" + nn + "09") or
// the cash book (the register ZUK9 and the tables "ZUK" + n). They belong to another program:
// they are opened through store::ABRE_ALHEIA (nothing is written into their folder, never
// packed, the CPF order a temporary file of the work folder), the register in area 89 and
// source table k in area 70 + k, and closed when this goes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "converter/receita_tabelas.h"
#include "rt/base/result.h"
#include "store/areas.h"
#include "store/contexto.h"
#include "store/cpf.h"

namespace converter {

// Which previous edition: menu item 1 or 3.
enum class Edicao : int { Brantel = 1, LivroCaixa = 3 };

// The source tables an edition's copy reads, by their own number (the cash book's expenses
// are its table 11, which becomes table 10).
const std::vector<int>& tabelasFonte(Edicao e);
// A source table's file base name: "IMP0409", "ZUK11"; 9 is the register.
std::string arquivoFonte(Edicao e, int k);

// What a source table lacks: the table's file name and the field, which it has not or has
// of another type than this year's table (a text for a number, a number of more digits).
struct Falta {
  std::string tabela, campo;
  bool outroTipo = false;
  // The first line of its alert.
  std::string texto() const;
};

class FontesAnteriores {
 public:
  // Opens the register and every source table of `origem` (the folder as stored). Null when
  // one cannot be opened or is damaged (after the opener's alert): nothing is converted.
  static std::unique_ptr<FontesAnteriores> abre(store::Contexto& ctx, Edicao e, const std::string& origem);
  ~FontesAnteriores();
  FontesAnteriores(const FontesAnteriores&) = delete;
  FontesAnteriores& operator=(const FontesAnteriores&) = delete;

  Edicao edicao() const { return edicao_; }
  // Whether source table k (9 the register) has the field.
  bool temCampo(int k, std::string_view campo) const;
  // The first field the copy reads that a source table lacks or holds in another type (the
  // cash book's TITULO aside, which has its own alert).
  std::optional<Falta> falta() const;

  // The register's taxpayers with a CPF, in file order: CPF and name. One whose CPF is not a
  // CPF is said (the CPF alert) and left out.
  rt::Result<std::vector<std::pair<std::string, std::string>>> contribuintes();
  // The register row of the CPF (nullopt when absent).
  rt::Result<std::optional<converter::Linha>> registro(const store::Cpf& cpf);
  // The CPF's rows of source table k in CPF order (record order within the CPF); every field
  // by its upper-case name.
  rt::Result<std::vector<converter::Linha>> linhas(int k, const store::Cpf& cpf);

 private:
  FontesAnteriores(store::Contexto& ctx, Edicao e)
      : ctx_(ctx), edicao_(e), emprestimo_(ctx.areas, workareas::kFontesAnterior) {}
  // The area of source table k (9 the register).
  store::Area area(int k) const;
  store::Contexto& ctx_;
  Edicao edicao_;
  // Last year's tables are held in the areas lent to the run, and let go with it.
  workareas::Emprestimo emprestimo_;
};

}  // namespace converter

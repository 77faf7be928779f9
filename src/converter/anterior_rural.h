// The rural activity carried from last year: the sibling program's previous edition (its
// tables MOL1..MOL4 of a source folder) and the cash book's rural tables, turned into the
// rows of tables 15 to 19 of one taxpayer; and the sibling's re-conversion of a whole folder.
//
// The per-taxpayer copies only add rows to the taxpayer's tables held in memory
// (converter::TabelasCpf); the caller writes them with the rest of the taxpayer, so each
// taxpayer is carried whole or not at all.
#pragma once

#include <memory>
#include <string>

#include "converter/conversor.h"
#include "converter/receita_tabelas.h"
#include "rt/base/result.h"
#include "store/areas.h"
#include "store/contexto.h"
#include "store/cpf.h"

namespace converter {

// The sibling's previous-edition register MOL909 and rural tables MOL109..MOL409 of a source
// folder, read only, held open for a run (the areas lent to the run). PREPRMOL: a rural table that
// cannot be opened is left out.
class RuralAnterior {
 public:
  // `origem`: the source folder as stored (ARQORIG). Null when the folder has no MOL909, or
  // (after "Problema ao abrir arquivo do KELSVOR") when it cannot be opened.
  static std::unique_ptr<RuralAnterior> abre(store::Contexto& ctx, const std::string& origem);
  // abre, telling a refused source from an absent one: an error (already said, naming the
  // table and the field) when a table lacks a field the copy reads, and the run must then
  // write nothing; otherwise what abre gives.
  static rt::Result<std::unique_ptr<RuralAnterior>> abreConferida(store::Contexto& ctx,
                                                                  const std::string& origem);
  ~RuralAnterior();
  RuralAnterior(const RuralAnterior&) = delete;
  RuralAnterior& operator=(const RuralAnterior&) = delete;

  // CONV_VESKAR, the copy itself: adds the CPF's rows of tables 15 to 18 to `destino`. True
  // when MOL909 has the CPF (the caller marks TEMRURAL and ATV_BRASIL "S" in the register row
  // it writes); false, and nothing added, when it has not.
  rt::Result<bool> copia(const store::Cpf& cpf, converter::TabelasCpf& destino);

 private:
  explicit RuralAnterior(store::Contexto& ctx) : ctx_(ctx), emprestimo_(ctx.areas, workareas::kFontesRurais) {}
  store::Contexto& ctx_;
  // The sibling's tables are held in the areas lent to the run, and let go with it.
  workareas::Emprestimo emprestimo_;
};

// The cash book's rural tables of a source folder (ZUK15, ZUK10, ZUK2, ZUK12, ZUK13), read
// only, held open for a run (the areas lent to the run).
class RuralLivroCaixa {
 public:
  // Null when none of the tables is there.
  static std::unique_ptr<RuralLivroCaixa> abre(store::Contexto& ctx, const std::string& origem);
  // abre, telling a refused source from an absent one, as RuralAnterior::abreConferida.
  static rt::Result<std::unique_ptr<RuralLivroCaixa>> abreConferida(store::Contexto& ctx,
                                                                    const std::string& origem);
  ~RuralLivroCaixa();
  RuralLivroCaixa(const RuralLivroCaixa&) = delete;
  RuralLivroCaixa& operator=(const RuralLivroCaixa&) = delete;

  // CONV_ZUK_MOL: adds the CPF's rural rows to tables 15 to 19 of `destino`. True when the
  // taxpayer has rural activity (the caller marks TEMRURAL and ATV_BRASIL "S" in the register
  // row it writes).
  rt::Result<bool> copia(const store::Cpf& cpf, converter::TabelasCpf& destino);

 private:
  explicit RuralLivroCaixa(store::Contexto& ctx) : ctx_(ctx), emprestimo_(ctx.areas, workareas::kCaixaRural) {}
  store::Contexto& ctx_;
  // The cash book's tables are held in the areas lent to the run, and let go with it.
  workareas::Emprestimo emprestimo_;
};

// CONV_VESKAR for the rural item: the taxpayer must already be in the target register (else
// the alert naming the CPF, told); his register row gets TEMRURAL and ATV_BRASIL "S" and his
// rural rows from `fontes`, written together. A declaration open on another terminal is left
// as it is (its alert, told), and so is one whose read or write is refused (said, told). Failed,
// untold and silent, when MOL909 has not the CPF: nothing is added. The register is left open
// in area 9.
rt::Status CONV_VESKAR(store::Contexto& ctx, RuralAnterior& fontes, const store::Cpf& cpf);

// The rural re-conversion of the current edition's sibling tables of c.ARQORIG into the data
// folder, ending with its warning. It opens MOL910 and MOL110..MOL510 itself (areas 90 to 95;
// "Problema ao abrir arquivo Origem" when MOL910 cannot be had) and checks them all before the
// first taxpayer. Per taxpayer of MOL910 found in the register: his register row gets TEMRURAL
// and ATV_BRASIL "S" and the source's rows are appended to his, all written together; one the
// register lacks gets the alert and nothing. Register rows of other taxpayers are not touched.
void reconverteRural(store::Contexto& ctx, Conversor& c);

}  // namespace converter

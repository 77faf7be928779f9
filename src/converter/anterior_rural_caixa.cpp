// The cash book's rural tables carried into this year's rural tables.
#include <span>
#include <string>

#include "converter/anterior_rural.h"
#include "converter/anterior_rural_fontes.h"
#include "rt/text/strings.h"

namespace converter {

using namespace rural;

namespace {

// The fields each copy reads of the cash book's tables, the CPF first.
constexpr Lido kCamposPropriedades[] = {{"CPF", 'C'},   {"I2_01", 'C'}, {"I2_02", 'N'}, {"I2_03", 'C'},
                                        {"I2_04", 'N'}, {"I2_05", 'N'}, {"I2_06", 'C'}, {"I2_07", 'N'}};
constexpr Lido kCamposResumo[] = {
    {"CPF", 'C'},     {"I4_04", 'N'},   {"I4_07", 'N'},   {"I5_09", 'N'},   {"I5_10", 'N'},
    {"I3_01OR", 'N'}, {"I3_01OD", 'N'}, {"I3_02OR", 'N'}, {"I3_02OD", 'N'}, {"I3_03OR", 'N'},
    {"I3_03OD", 'N'}, {"I3_04OR", 'N'}, {"I3_04OD", 'N'}, {"I3_05OR", 'N'}, {"I3_05OD", 'N'},
    {"I3_06OR", 'N'}, {"I3_06OD", 'N'}, {"I3_07OR", 'N'}, {"I3_07OD", 'N'}, {"I3_08OR", 'N'},
    {"I3_08OD", 'N'}, {"I3_09OR", 'N'}, {"I3_09OD", 'N'}, {"I3_10OR", 'N'}, {"I3_10OD", 'N'},
    {"I3_11OR", 'N'}, {"I3_11OD", 'N'}, {"I3_12OR", 'N'}, {"I3_12OD", 'N'}, {"I7_1A", 'N'},
    {"I7_1B", 'N'},   {"I7_1C", 'N'},   {"I7_1S", 'N'},   {"I7_1V1", 'N'},  {"I7_2A", 'N'},
    {"I7_2B", 'N'},   {"I7_2C", 'N'},   {"I7_2S", 'N'},   {"I7_2V1", 'N'},  {"I7_3A", 'N'},
    {"I7_3B", 'N'},   {"I7_3C", 'N'},   {"I7_3S", 'N'},   {"I7_3V1", 'N'},  {"I7_4A", 'N'},
    {"I7_4B", 'N'},   {"I7_4C", 'N'},   {"I7_4S", 'N'},   {"I7_4V1", 'N'},  {"I7_5A", 'N'},
    {"I7_5B", 'N'},   {"I7_5C", 'N'},   {"I7_5S", 'N'},   {"I7_5V1", 'N'},  {"I7_V1", 'C'}};
constexpr Lido kCamposFontes[] = {{"CPF", 'C'},    {"I1_1", 'C'},  {"I1_2", 'C'},
                                  {"I1_413", 'N'}, {"DT_LC", 'D'}, {"TIPOCR", 'C'}};
constexpr Lido kCamposBens[] = {{"CPF", 'C'}, {"I8_1", 'C'}, {"I8_2", 'N'}, {"ITEM", 'N'}, {"CODIGO", 'N'}};
constexpr Lido kCamposDividas[] = {{"CPF", 'C'},  {"ITEM", 'N'}, {"I9_1", 'C'},
                                   {"I9_2", 'N'}, {"I9_3", 'N'}, {"I9_4", 'N'}};

// The cash book's tables and their places in the range lent to the run: the properties, the
// summary, the income sources (whose rural rows are the cash-book entries), the goods, the debts.
struct TabelaCaixa {
  const char* nome;
  int lugar;
  std::span<const Lido> campos;
};
constexpr TabelaCaixa kPropriedades{"ZUK15", 1, kCamposPropriedades}, kResumo{"ZUK10", 2, kCamposResumo},
    kFontes{"ZUK2", 3, kCamposFontes}, kBens{"ZUK12", 4, kCamposBens},
    kDividas{"ZUK13", 5, kCamposDividas};
constexpr TabelaCaixa kTabelas[] = {kPropriedades, kResumo, kFontes, kBens, kDividas};

std::string dois(int k) {
  return rt::text::doisDigitos(k);
}

rt::Result<Linha*> nova(TabelasCpf& destino, int tabela) {
  auto l = destino.nova(tabela);
  if (l) (*l)->poe("ATV_BRASIL", std::string("S"));
  return l;
}

// The CPF's summary row of the activity in Brazil, added when missing.
rt::Result<Linha*> resumo(TabelasCpf& destino) {
  auto linhas = destino.linhas(15);
  if (!linhas) return linhas.status();
  for (Linha& l : **linhas)
    if (l.texto("ATV_BRASIL") == "S") return &l;
  return nova(destino, 15);
}

// The cash book's summary of the CPF into this year's summary row.
Status copiaResumo(rt::db::Table* t, const store::Cpf& cpf, Linha& soma) {
  if (t == nullptr) return Status::ok();
  auto achou = rural::temCpf(*t, cpf);
  if (!achou) return achou.status();
  if (*achou) {
    soma.poe("I4R_04", t->getNumber("I4_04"));
    soma.poe("I4R_07", t->getNumber("I4_07"));
    for (const char* f : {"I5_09", "I5_10"}) soma.poe(f, t->getNumber(f));
    for (int mes = 1; mes <= 12; ++mes)
      for (const char* lado : {"OR", "OD"}) {
        const std::string f = "I3_" + dois(mes) + lado;
        soma.poe(f, t->getNumber(f));
      }
    for (int i = 1; i <= 5; ++i)
      for (const char* x : {"A", "B", "C", "S", "V1"}) {
        const std::string f = "I7_" + std::to_string(i) + x;
        soma.poe(f, t->getNumber(f));
      }
    soma.poe("I7_V1", t->getText("I7_V1"));
  }
  return Status::ok();
}

// The cash-book entries: the income sources of kind "R" with a year's amount. Whether any
// was carried.
rt::Result<bool> copiaLancamentos(rt::db::Table* t, const store::Cpf& cpf, TabelasCpf& destino) {
  bool lancamentos = false;
  if (t == nullptr) return lancamentos;
  RT_TRY(rural::linhasDoCpf(*t, cpf, [&](const rt::db::Table& f) {
    if (f.getText("I1_1") != "R" || f.getNumber("I1_413") == Decimal()) return Status::ok();
    auto l = nova(destino, 19);
    if (!l) return l.status();
    (*l)->poe("DT_LC", f.get("DT_LC"));
    (*l)->poe("DESCR", f.getText("I1_2"));
    (*l)->poe("VALOR", f.getNumber("I1_413"));
    (*l)->poe("TIPOCR", f.getText("TIPOCR"));
    lancamentos = true;
    return Status::ok();
  }));
  return lancamentos;
}

// The goods and the debts replace whatever the taxpayer had, numbered from 0 by tens.
Status substituiBens(rt::db::Table* t, const store::Cpf& cpf, TabelasCpf& destino) {
  if (t == nullptr) return Status::ok();
  auto achou = rural::temCpf(*t, cpf);
  if (!achou) return achou.status();
  if (*achou) {
    destino.substitui(17);
    int ordem = 0;
    RT_TRY(rural::linhasDoCpf(*t, cpf, [&](const rt::db::Table& f) {
      auto l = nova(destino, 17);
      if (!l) return l.status();
      (*l)->poe("I8R_0", Decimal(ordem));
      ordem += 10;
      (*l)->poe("I8R_1", f.getText("I8_1"));
      (*l)->poe("I8R_2", f.getNumber("I8_2"));
      (*l)->poe("ITEM", f.getNumber("ITEM"));
      (*l)->poe("CODIGO", f.getNumber("CODIGO"));
      return Status::ok();
    }));
  }
  return Status::ok();
}

Status substituiDividas(rt::db::Table* t, const store::Cpf& cpf, TabelasCpf& destino) {
  if (t == nullptr) return Status::ok();
  auto achou = rural::temCpf(*t, cpf);
  if (!achou) return achou.status();
  if (*achou) {
    destino.substitui(18);
    int ordem = 0;
    RT_TRY(rural::linhasDoCpf(*t, cpf, [&](const rt::db::Table& f) {
      auto l = nova(destino, 18);
      if (!l) return l.status();
      (*l)->poe("I9R_0", Decimal(ordem));
      ordem += 10;
      (*l)->poe("ITEM", f.getNumber("ITEM"));
      (*l)->poe("I9R_1", f.getText("I9_1"));
      for (int i = 2; i <= 4; ++i)
        (*l)->poe("I9R_" + std::to_string(i), f.getNumber("I9_" + std::to_string(i)));
      return Status::ok();
    }));
  }
  return Status::ok();
}

}  // namespace

rt::Result<std::unique_ptr<RuralLivroCaixa>> RuralLivroCaixa::abreConferida(store::Contexto& ctx,
                                                                            const std::string& origem) {
  // Made first: a refusal halfway lets go the tables opened so far.
  std::unique_ptr<RuralLivroCaixa> r(new RuralLivroCaixa(ctx));
  bool alguma = false;
  for (const TabelaCaixa& t : kTabelas) {
    const Aberta a = rural::abreFonte(ctx, r->emprestimo_.area(t.lugar), origem, t.nome, "CPF", t.campos);
    if (a == Aberta::Recusada) return Status(rt::Error::kBadField, t.nome);
    alguma = alguma || a == Aberta::Sim;
  }
  if (!alguma) return std::unique_ptr<RuralLivroCaixa>();
  return r;
}

std::unique_ptr<RuralLivroCaixa> RuralLivroCaixa::abre(store::Contexto& ctx, const std::string& origem) {
  auto r = abreConferida(ctx, origem);
  if (!r) return nullptr;
  return std::move(*r);
}

RuralLivroCaixa::~RuralLivroCaixa() = default;

rt::Result<bool> RuralLivroCaixa::copia(const store::Cpf& cpf, TabelasCpf& destino) {
  auto aberta = [this](const TabelaCaixa& t) { return ctx_.areas.table(emprestimo_.area(t.lugar)); };
  // Without properties there is no rural activity, and nothing else is carried.
  rt::db::Table* propriedades = aberta(kPropriedades);
  if (propriedades == nullptr) return false;
  auto tem = rural::temCpf(*propriedades, cpf);
  if (!tem || !*tem) return tem;
  RT_TRY(rural::linhasDoCpf(*propriedades, cpf, [&destino](const rt::db::Table& f) {
    auto l = nova(destino, 16);
    if (!l) return l.status();
    for (int i = 1; i <= 7; ++i) (*l)->poe("I2R_" + dois(i), f.get("I2_" + dois(i)));
    return Status::ok();
  }));

  auto r = resumo(destino);
  if (!r) return r.status();
  Linha& soma = **r;
  RT_TRY(copiaResumo(aberta(kResumo), cpf, soma));
  auto lancamentos = copiaLancamentos(aberta(kFontes), cpf, destino);
  if (!lancamentos) return lancamentos.status();
  soma.poe("SO_TOTAL", !*lancamentos);
  RT_TRY(substituiBens(aberta(kBens), cpf, destino));
  RT_TRY(substituiDividas(aberta(kDividas), cpf, destino));
  return true;
}

}  // namespace converter

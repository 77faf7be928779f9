// The sibling rural program's previous edition carried into this year's rural tables.
#include "converter/anterior_rural.h"

#include <span>
#include <string>

#include "converter/anterior_rural_fontes.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/areas.h"
#include "store/em_uso.h"
#include "store/recusa.h"

namespace converter {

using namespace rural;

namespace {

// The herd kinds whose opening count is carried: cattle, pigs, goats, others.
constexpr const char* kRebanhos[] = {"B", "S", "C", "A"};

// The fields each copy reads of MOL<k>09, the key's CPF and ATV_EXTER first. The summary (1)
// reads the herds I7_<i><kind> of the kinds above and "V1" (the other kind, named in I7_V1).
constexpr Lido kCamposResumo[] = {
    {"CPF", 'C'},    {"ATV_EXTER", 'C'}, {"I5_08", 'N'},  {"I5_09", 'N'}, {"I7_1B", 'N'},  {"I7_1S", 'N'},
    {"I7_1C", 'N'},  {"I7_1A", 'N'},     {"I7_1V1", 'N'}, {"I7_2B", 'N'}, {"I7_2S", 'N'},  {"I7_2C", 'N'},
    {"I7_2A", 'N'},  {"I7_2V1", 'N'},    {"I7_3B", 'N'},  {"I7_3S", 'N'}, {"I7_3C", 'N'},  {"I7_3A", 'N'},
    {"I7_3V1", 'N'}, {"I7_4B", 'N'},     {"I7_4S", 'N'},  {"I7_4C", 'N'}, {"I7_4A", 'N'},  {"I7_4V1", 'N'},
    {"I7_5B", 'N'},  {"I7_5S", 'N'},     {"I7_5C", 'N'},  {"I7_5A", 'N'}, {"I7_5V1", 'N'}, {"I7_V1", 'C'}};
constexpr Lido kCamposPropriedades[] = {{"CPF", 'C'},   {"ATV_EXTER", 'C'}, {"I2_01", 'C'},
                                        {"I2_02", 'N'}, {"I2_03", 'C'},     {"I2_04", 'N'},
                                        {"I2_05", 'N'}, {"I2_06", 'C'},     {"I2_07", 'N'}};
// I8_4 (the sold mark) is optional: a table without it has none sold.
constexpr Lido kCamposBens[] = {
    {"CPF", 'C'}, {"ATV_EXTER", 'C'}, {"I8_1", 'C'}, {"I8R_4", 'N'}, {"CODIGO", 'N'}};
constexpr Lido kCamposDividas[] = {{"CPF", 'C'},  {"ATV_EXTER", 'C'}, {"I9_1", 'C'},
                                   {"I9_2", 'N'}, {"I9_3", 'N'},      {"I9_4", 'N'}};

std::span<const Lido> camposMol(int k) {
  switch (k) {
    case 1:
      return kCamposResumo;
    case 2:
      return kCamposPropriedades;
    case 3:
      return kCamposBens;
    default:
      return kCamposDividas;
  }
}

std::string nomeMol(int k) {
  return "MOL" + std::to_string(k) + "09";
}

// Last year's closing count of herd x: opening + births + purchases - (deaths + sales).
Decimal rebanhoFinal(const rt::db::Table& t, std::string_view x) {
  auto n = [&t, x](int i) { return t.getNumber("I7_" + std::to_string(i) + std::string(x)); };
  return n(1) + n(2) + n(3) - (n(4) + n(5));
}

Status novaLinha(TabelasCpf& destino, int tabela, const rt::db::Table& fonte, Linha*& l) {
  auto r = destino.nova(tabela);
  if (!r) return r.status();
  l = *r;
  l->poe("ATV_BRASIL", rural::ladoDe(fonte));
  return Status::ok();
}

// The properties (table 16).
Status propriedades(rt::db::Table& t, const store::Cpf& cpf, TabelasCpf& destino) {
  return rural::linhasDoCpf(t, cpf, [&destino](const rt::db::Table& f) {
    Linha* l = nullptr;
    RT_TRY(novaLinha(destino, 16, f, l));
    for (int i = 1; i <= 7; ++i) {
      const std::string n = rt::text::doisDigitos(i);
      l->poe("I2R_" + n, f.get("I2_" + n));
    }
    return Status::ok();
  });
}

// The summary (table 15): last year's closing herd opens this year.
Status resumo(rt::db::Table& t, const store::Cpf& cpf, TabelasCpf& destino) {
  return rural::linhasDoCpf(t, cpf, [&destino](const rt::db::Table& f) {
    Linha* l = nullptr;
    RT_TRY(novaLinha(destino, 15, f, l));
    l->poe("I4R_04", f.getNumber("I5_08"));
    l->poe("I5_10", f.getNumber("I5_09"));
    for (const char* x : kRebanhos) l->poe(std::string("I7_1") + x, rebanhoFinal(f, x));
    const std::string outro = f.getText("I7_V1");
    l->poe("I7_1V1", rt::text::isEmptyText(outro) ? Decimal() : rebanhoFinal(f, "V1"));
    l->poe("I7_V1", outro);
    l->poe("SO_TOTAL", false);
    return Status::ok();
  });
}

// The goods of the activity (table 17), without those sold last year.
Status bens(rt::db::Table& t, const store::Cpf& cpf, TabelasCpf& destino) {
  const bool temVenda = t.field("I8_4") != nullptr;
  int item = 0;
  return rural::linhasDoCpf(t, cpf, [&](const rt::db::Table& f) {
    if (temVenda && f.getNumber("I8_4") == Decimal(1)) return Status::ok();
    Linha* l = nullptr;
    RT_TRY(novaLinha(destino, 17, f, l));
    ++item;
    l->poe("I8R_0", Decimal(10 * item));
    l->poe("ITEM", Decimal(item));
    l->poe("I8R_1", f.getText("I8_1"));
    l->poe("I8R_2", Decimal());
    l->poe("I8R_4", f.getNumber("I8R_4"));
    l->poe("CODIGO", f.getNumber("CODIGO"));
    return Status::ok();
  });
}

// The debts of the activity (table 18), those still open.
Status dividas(rt::db::Table& t, const store::Cpf& cpf, TabelasCpf& destino) {
  int item = 0;
  return rural::linhasDoCpf(t, cpf, [&](const rt::db::Table& f) {
    const Decimal saldo = f.getNumber("I9_2") + f.getNumber("I9_3") - f.getNumber("I9_4");
    if (saldo <= Decimal()) return Status::ok();
    Linha* l = nullptr;
    RT_TRY(novaLinha(destino, 18, f, l));
    ++item;
    l->poe("I9R_0", Decimal(10 * item));
    l->poe("ITEM", Decimal(item));
    l->poe("I9R_1", f.getText("I9_1"));
    l->poe("I9R_2", saldo);
    return Status::ok();
  });
}

}  // namespace

rt::Result<std::unique_ptr<RuralAnterior>> RuralAnterior::abreConferida(store::Contexto& ctx,
                                                                        const std::string& origem) {
  // Made first: a refusal halfway lets go the tables opened so far.
  std::unique_ptr<RuralAnterior> r(new RuralAnterior(ctx));
  switch (rural::abreFonte(ctx, areaDoRegistro(r->emprestimo_), origem, "MOL909", "CPF", kCamposRegistro)) {
    case Aberta::Sim:
      break;
    case Aberta::Ausente:
      return std::unique_ptr<RuralAnterior>();
    case Aberta::Falhou:
      ctx.relato().alerta("Problema ao abrir arquivo do KELSVOR");
      return std::unique_ptr<RuralAnterior>();
    case Aberta::Recusada:
      return Status(rt::Error::kBadField, "MOL909");
  }
  // A rural table that is missing or cannot be had is left out; one that lacks a field the
  // copy reads refuses the whole source.
  for (int k = 1; k <= 4; ++k)
    if (rural::abreFonte(ctx, areaDaTabela(r->emprestimo_, k), origem, nomeMol(k), "CPF+ATV_EXTER", camposMol(k)) ==
        Aberta::Recusada)
      return Status(rt::Error::kBadField, nomeMol(k));
  return r;
}

std::unique_ptr<RuralAnterior> RuralAnterior::abre(store::Contexto& ctx, const std::string& origem) {
  auto r = abreConferida(ctx, origem);
  if (!r) return nullptr;
  return std::move(*r);
}

RuralAnterior::~RuralAnterior() = default;

rt::Result<bool> RuralAnterior::copia(const store::Cpf& cpf, TabelasCpf& destino) {
  rt::db::Table* registro = ctx_.areas.table(areaDoRegistro(emprestimo_));
  if (registro == nullptr) return false;
  auto tem = rural::temCpf(*registro, cpf);
  if (!tem || !*tem) return tem;
  using Copia = Status (*)(rt::db::Table&, const store::Cpf&, TabelasCpf&);
  constexpr struct {
    int k;
    Copia copia;
  } kCopias[] = {{2, propriedades}, {1, resumo}, {3, bens}, {4, dividas}};
  for (const auto& c : kCopias)
    if (rt::db::Table* t = ctx_.areas.table(areaDaTabela(emprestimo_, c.k))) RT_TRY(c.copia(*t, cpf, destino));
  return true;
}

rt::Status CONV_VESKAR(store::Contexto& ctx, RuralAnterior& fontes, const store::Cpf& cpf) {
  // A declaration open on another terminal would be saved over what is carried.
  store::UsoDeclaracao uso;
  std::string motivo;
  if (!store::reservaDeclaracao(ctx, ctx.LOCARQ, cpf.chave(), uso, &motivo)) {
    ctx.relato().alerta(motivo);
    return console::falhaDita(rt::Error::kInUse, cpf.chave());
  }
  TabelasCpf tabelas(ctx, cpf);
  auto registro = tabelas.linhas(store::numero(store::Area::IMP0910));
  if (!registro) return store::gravou(ctx, registro.status(), "IMP0910");
  if ((*registro)->empty()) {
    ctx.relato().alerta({"O CPF " + rt::text::transform(cpf.chave(), "@R 999.999.999-99") +
                             " nao foi encontrado na base de dados TAVREN",
                         "converta na pasta onde foi convertido esse CPF na opcao BRANTEL acima."});
    return console::falhaDita(rt::Error::kNotFound, cpf.chave());
  }
  auto copiado = fontes.copia(cpf, tabelas);
  if (!copiado) return store::gravou(ctx, copiado.status(), "MOL909");
  // Nothing to carry and nothing to say: the CPF has no rural summary in the source.
  if (!*copiado) return rt::Status(rt::Error::kNotFound, "MOL909 " + std::string(cpf.chave()));
  Linha& r = (*registro)->front();
  r.poe("TEMRURAL", std::string("S"));
  r.poe("ATV_BRASIL", std::string("S"));
  return store::gravou(ctx, tabelas.grava(), "IMP0910");
}

}  // namespace converter

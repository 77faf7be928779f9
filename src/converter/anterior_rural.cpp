// The sibling rural program's previous edition carried into this year's rural tables.
#include "converter/anterior_rural.h"

#include <string>
#include <vector>

#include "converter/anterior_rural_fontes.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/areas.h"
#include "store/em_uso.h"
#include "store/recusa.h"

namespace conversor {

using converter::Linha;
using converter::TabelasCpf;
using rt::Status;
using rt::text::Decimal;
using rural::Aberta;
using rural::Lido;

namespace {

// The register MOL909 in area 90, its rural table MOL<k>09 in area 90 + k (k = 1 to 4).
constexpr int kRegistro = 90;
constexpr int areaMol(int k) {
  return kRegistro + k;
}

// The herd kinds whose opening count is carried: cattle, pigs, goats, others.
constexpr const char* kRebanhos[] = {"B", "S", "C", "A"};

std::vector<Lido> camposMol(int k) {
  std::vector<Lido> v{{"CPF", 'C'}, {"ATV_EXTER", 'C'}};
  switch (k) {
    case 1:
      v.push_back({"I5_08", 'N'});
      v.push_back({"I5_09", 'N'});
      for (int i = 1; i <= 5; ++i) {
        for (const char* x : kRebanhos) v.push_back({"I7_" + std::to_string(i) + x, 'N'});
        v.push_back({"I7_" + std::to_string(i) + "V1", 'N'});
      }
      v.push_back({"I7_V1", 'C'});
      break;
    case 2:
      v.push_back({"I2_01", 'C'});
      v.push_back({"I2_02", 'N'});
      v.push_back({"I2_03", 'C'});
      v.push_back({"I2_04", 'N'});
      v.push_back({"I2_05", 'N'});
      v.push_back({"I2_06", 'C'});
      v.push_back({"I2_07", 'N'});
      break;
    case 3:
      // I8_4 (the sold mark) is optional: a table without it has none sold.
      v.push_back({"I8_1", 'C'});
      v.push_back({"I8R_4", 'N'});
      v.push_back({"CODIGO", 'N'});
      break;
    default:
      v.push_back({"I9_1", 'C'});
      for (const char* f : {"I9_2", "I9_3", "I9_4"}) v.push_back({f, 'N'});
      break;
  }
  return v;
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
  const std::vector<Lido> registro{{"CPF", 'C'}};
  switch (rural::abreFonte(ctx, kRegistro, origem, "MOL909", "RURAL90", "CPF", registro)) {
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
    if (rural::abreFonte(ctx, areaMol(k), origem, nomeMol(k), "RURAL" + std::to_string(areaMol(k)),
                         "CPF+ATV_EXTER", camposMol(k)) == Aberta::Recusada)
      return Status(rt::Error::kBadField, nomeMol(k));
  return r;
}

std::unique_ptr<RuralAnterior> RuralAnterior::abre(store::Contexto& ctx, const std::string& origem) {
  auto r = abreConferida(ctx, origem);
  if (!r) return nullptr;
  return std::move(*r);
}

RuralAnterior::~RuralAnterior() {
  for (int a = kRegistro; a <= areaMol(4); ++a) ctx_.areas.release(a);
}

rt::Result<bool> RuralAnterior::copia(const store::Cpf& cpf, TabelasCpf& destino) {
  rt::db::Table* registro = ctx_.areas.table(kRegistro);
  if (registro == nullptr) return false;
  auto tem = rural::temCpf(*registro, cpf);
  if (!tem || !*tem) return tem;
  using Copia = Status (*)(rt::db::Table&, const store::Cpf&, TabelasCpf&);
  constexpr struct {
    int k;
    Copia copia;
  } kCopias[] = {{2, propriedades}, {1, resumo}, {3, bens}, {4, dividas}};
  for (const auto& c : kCopias)
    if (rt::db::Table* t = ctx_.areas.table(areaMol(c.k))) RT_TRY(c.copia(*t, cpf, destino));
  return true;
}

bool CONV_VESKAR(store::Contexto& ctx, RuralAnterior& fontes, const store::Cpf& cpf) {
  // A declaration open on another terminal would be saved over what is carried.
  store::UsoDeclaracao uso;
  std::string motivo;
  if (!store::reservaDeclaracao(ctx, ctx.LOCARQ, cpf.chave(), uso, &motivo)) {
    ctx.relato().alerta(motivo);
    return false;
  }
  TabelasCpf tabelas(ctx, cpf);
  auto registro = tabelas.linhas(store::numero(store::Area::IMP0910));
  if (!registro) {
    store::gravou(ctx, registro.status(), "IMP0910").ignoreTold();
    return false;
  }
  if ((*registro)->empty()) {
    ctx.relato().alerta({"O CPF " + rt::text::transform(cpf.chave(), "@R 999.999.999-99") +
                             " nao foi encontrado na base de dados TAVREN",
                         "converta na pasta onde foi convertido esse CPF na opcao BRANTEL acima."});
    return false;
  }
  auto copiado = fontes.copia(cpf, tabelas);
  if (!copiado) {
    store::gravou(ctx, copiado.status(), "MOL909").ignoreTold();
    return false;
  }
  if (!*copiado) return false;
  Linha& r = (*registro)->front();
  r.poe("TEMRURAL", std::string("S"));
  r.poe("ATV_BRASIL", std::string("S"));
  return static_cast<bool>(store::gravou(ctx, tabelas.grava(), "IMP0910"));
}

}  // namespace conversor

// The lists that keep declaration values in step with a grid: the savings and investment
// grid's totals and the asset-maintenance list built from the assets.
#include <array>

#include "console/alerta.h"
#include "console/mensagens.h"
#include "grid/gravacoes_grade.h"
#include "grid/validacao.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/travas.h"
#include "store/uso_tabela.h"

namespace grid {

using namespace rt::text::literals;
using rt::text::Decimal;

namespace {

struct ColunaPoupanca {
  const char* coluna;     // field of the savings grid
  const char* declarado;  // declaration value it totals
  std::string_view pergunta;
};

const std::array<ColunaPoupanca, 5>& colunasPoupanca() {
  static const std::array<ColunaPoupanca, 5> c{{
      {"POUPANCA", "I3_08", "Já existe valor lançado na Poupanca! Zera o valor?"_cp},
      {"APLICACAO", "I4_04", "Já existe valor lançado na Aplicação! Zera o valor?"_cp},
      {"CPMF", "PREJVEN1", "Já existe valor lançado no Prejuizo! Zera o valor?"_cp},
      {"LUCROEPP", "I3_12", "Já existe valor lançado em Outros nao Trib! Zera o valor?"_cp},
      {"LUCROREAL", "I4_05", "Já existe valor lançado em Outros Trib! Zera o valor?"_cp},
  }};
  return c;
}

}  // namespace

bool FCALPOUPA(store::Contexto& ctx, AmbienteValidacao& amb, int modo) {
  rt::db::Table* t = store::tabela(ctx.areas, store::Area::TMP_14);
  if (t == nullptr || amb.espelho == nullptr) return true;
  const auto& cols = colunasPoupanca();
  std::array<Decimal, 5> somas{};
  std::string isentos, tributados;
  const auto junta = [](std::string& lista, std::string_view item) {
    if (!lista.empty()) lista += ",";
    lista += item;
  };
  const std::uint32_t onde = t->recNo();
  for (t->goTop(); t->status() && !t->eof(); t->skip(1)) {
    for (std::size_t i = 0; i < cols.size(); ++i) somas[i] += t->getNumber(cols[i].coluna);
    const std::string descricao(rt::text::alltrim(t->getText("DESCRICAO")));
    // A row goes into one list only: the exempt one first.
    if (t->getNumber("LUCROEPP") > Decimal()) {
      junta(isentos, descricao);
    } else if (t->getNumber("LUCROREAL") > Decimal()) {
      junta(tributados, descricao);
    }
  }
  t->goTo(onde);
  store::RegistroEspelho& r = amb.espelho->tabela01;
  if (modo == 0) {
    for (std::size_t i = 0; i < cols.size(); ++i)
      if (somas[i].isZero() && r.num(cols[i].declarado) > Decimal() && console::AVISOSN(ctx, cols[i].pergunta) != "S")
        return false;
  }
  for (std::size_t i = 0; i < cols.size(); ++i) r.num(cols[i].declarado, somas[i]);
  r.txt("I3_12D", rt::text::padr(isentos, 50));
  r.txt("I4_05D", rt::text::padr(tributados, 50));
  return true;
}

void BUSCA_DESP(store::Contexto& ctx, Grade& g) {
  rt::db::Table* bens = store::tabela(ctx.areas, store::Area::TMP_04);
  rt::db::Table* lista = store::tabela(ctx.areas, store::Area::TMP_10);
  if (bens == nullptr || lista == nullptr) return;
  // The code table is only read here: closing it cannot lose anything.
  const store::UsoTabela uso(ctx, store::Area::CODBENS);
  if (!uso.ok()) return;
  rt::db::Table& codigos = *uso;
  // The working copy is held exclusively; should it not be, its rows are deleted one by one
  // so the list is never doubled.
  GravacoesGrade grava(ctx);
  if (!lista->zap()) {
    store::seleciona(ctx.areas, store::Area::TMP_10);
    for (lista->goTop(); lista->status() && !lista->eof(); lista->skip(1)) {
      if (!store::REC_LOCK(ctx, store::kEsperaTrava)) continue;
      grava.confere(lista->markDeleted(), "a lista de despesas"_cp);
      grava.destrava();
    }
  }

  struct Grupo {
    std::string descricao;  // the first row's description
    Decimal codigo;         // the last code given in the group
    Decimal valor;          // the current value of the group's last row
  };
  std::vector<Grupo> grupos;
  const std::uint32_t onde = bens->recNo();
  for (bens->goTop(); bens->status() && !bens->eof(); bens->skip(1)) {
    if (!bens->getNumber("I7_1").isZero() || grupos.empty()) grupos.push_back({bens->getText("I7_2"), {}, {}});
    Grupo& gr = grupos.back();
    if (!bens->getNumber("I7_5").isZero()) gr.codigo = bens->getNumber("I7_5");
    gr.valor = bens->getNumber("I7_4");
  }
  bens->goTo(onde);

  store::seleciona(ctx.areas, store::Area::TMP_10);
  for (const Grupo& gr : grupos) {
    // A twelfth of a tenth of the value a month, kept in the field's cents.
    const Decimal mensal = rt::text::round(gr.valor / Decimal(12) * rt::text::Decimal::fromRaw(10'000'000), 2);
    std::string despesa;
    Decimal codigo;
    if (codigos.seek(gr.codigo) && codigos.found()) {
      codigo = codigos.getNumber("CODBEM");
      despesa = std::string(rt::text::trim(codigos.getText("DESPBEM")));
    }
    if (despesa.empty() || mensal.isZero()) continue;
    if (!store::ADD_REC(ctx, store::kEsperaTrava)) break;
    grava.put(*lista, "CPF", g.CPF);
    grava.put(*lista, "CODDESP", codigo);
    grava.put(*lista, "DESCRITEM", rt::text::substr(gr.descricao, 1, 25));
    grava.put(*lista, "DESCDESP", despesa);
    grava.put(*lista, "VALODESP", mensal);
    grava.destrava();
  }
  lista->goTop();
}

}  // namespace grid

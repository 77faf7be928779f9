// An open declaration in memory for the computation's tests: the record mirror, the working
// copies of the incomes (22), dependants (23), assets (24), debts (25), payments (26) and
// living expenses (30) made as real tables in a scratch folder with the catalogue's
// structures, a fixed clock, and an output that records what the computation says.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "rt/text/date.h"
#include "rt/text/decimal.h"
#include "store/areas.h"
#include "store/espelho.h"
#include "taxcalc/contexto.h"
#include "taxcalc/saida.h"
#include "taxcalc/variaveis.h"
#include "taxcalc/vizinhos.h"
#include "workareas/areas_trabalho.h"

namespace taxcalc::teste {

using rt::text::Date;
using rt::text::Decimal;
using namespace rt::text::literals;

// Records every notice, alert, question, hint and redraw as one line of text; questions take
// the queued answers, then their default.
class SaidaGravada : public Saida {
 public:
  void aviso(std::span<const std::string> linhas) override;
  void alerta(std::string_view texto) override;
  bool pergunta(std::span<const std::string> linhas, bool padrao) override;
  void rodape(std::string_view texto) override;
  void mostra(Quadro quadro) override;
  void caixa(std::string_view texto, bool atencao) override;
  // Kept apart from the events, as "<step>/<total>:<line>".
  void progresso(std::string_view texto, int passo, int total) override;

  std::vector<std::string> eventos;
  std::vector<std::string> progressos;
  std::deque<bool> respostas;
  // Events that start with `prefixo`.
  std::vector<std::string> com(std::string_view prefixo) const;
};

// The neighbouring parts as the tests want them: the cash balance sets what the test put in
// `saldo` and `receita`; the monthly tax records the side of the current income row.
class VizinhosDeTeste : public Vizinhos {
 public:
  void FDE_LEAO(Contexto& c, int modo) override;
  void VE_SALDO(Contexto& c) override;
  void recalculaRural(Contexto&) override { ++rural; }

  Decimal saldo, receita;
  bool temSaldo = false;
  std::vector<std::string> leao;  // "I1_11 of the current row/mode" of each call
  int rural = 0;
};

// Makes the working copies TMP_02 .. TMP_06 and TMP_10 empty in `pasta` and opens them in `areas`.
void criaCopias(workareas::AreasTrabalho& areas, const std::string& pasta);
// A scratch folder under TAVREN_TEST_TMP (or /tmp).
std::string pastaTemporaria();

class DeclaracaoTeste : public ::testing::Test {
 protected:
  DeclaracaoTeste();
  ~DeclaracaoTeste() override;

  using Campos = std::initializer_list<std::pair<const char*, rt::db::Value>>;
  // Appends a row to working copy `area` with the fields given (the CPF filled in).
  void linha(store::Area area, Campos campos);
  // An income row of kind `tipo` with taxable income, tax withheld and social security.
  void renda(const char* tipo, Decimal valor, Decimal retido = {}, Decimal previdencia = {},
             Campos outros = {});
  // A payment row of code `codigo` for person `pessoa` (0 the titular).
  void pagamento(int codigo, Decimal valor, Decimal naoDedutivel = {}, int pessoa = 0);
  // A dependant (code below 98) or an alimony beneficiary (98 and above).
  void dependente(int codigo, const char* nome = "DEPENDENTE");
  rt::db::Table& tabela(store::Area area) { return *areas.table(area); }

  // The summary line or other field of table 01.
  Decimal l(const char* campo) const { return d.tabela01.num(campo); }
  void modelo(const char* usapadrao) { d.registro.txt("USAPADRAO", usapadrao); }
  // Income and payment totals, then the whole summary.
  void calcula(int show = 0);

  std::string pasta;
  workareas::AreasTrabalho areas;
  store::EspelhoDeclaracao d;
  Variaveis v;
  rt::text::FixedClock relogio{rt::text::LocalTime{Date::fromYmd(2010, 3, 15), 36000, 0}};
  SaidaGravada saida;
  VizinhosDeTeste vizinhos;
  Contexto c{areas, d, v, relogio, saida, vizinhos};
};

}  // namespace taxcalc::teste

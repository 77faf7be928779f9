#include "grid/matriz_telas.h"

#include "rt/text/cp860.h"
#include "rt/text/decimal.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"

namespace grid {

using namespace rt::text::literals;
using rt::text::Decimal;

namespace {

constexpr const char* kMes = "@Ez 9999,999.99";
constexpr const char* kLargo = "@Ez 999,999,999.99";

}  // namespace

TelaMatriz telaMatriz(const AmbienteMatriz& a, int opc) {
  TelaMatriz t;
  t.opc = opc;
  switch (opc) {
    case 7: {
      t.nome = "CALC_MENS";
      const bool gps = a.m.GPS;
      t.colunas = {{" Mês "_cp, "@s10"}, {gps ? "   GPS  " : "  REAL  ", kMes}, {gps ? " Patronal" : "  DOLAR  ", kMes}};
      // Inside the monthly window's box: the heading, its rule and the 13 rows.
      t.ret = {5, 10, 19, 42};
      t.calcula = true;
      t.buscaCampo = true;
      t.colunaDoMes = true;
      t.primeiraColuna = 2;
      break;
    }
    case 12:
      t.nome = "REC_GANHO";
      if (a.m.REC_GANHO_COLUNAS == 6) {
        t.colunas = {{"Val.Tributável"_cp, kLargo}, {"Imposto devido", kLargo}, {"Mês Recebim"_cp, "@s10"},
                     {"Val. Recebido", kLargo},      {"I.Lei 11.033", kLargo},   {"Imp.Pago", kLargo}};
        t.ret = {2, 2, 18, 78};
      } else {
        t.colunas = {{"Val.Tributável"_cp, kLargo}, {"Imposto devido", kLargo}, {"Mês Recebim."_cp, "@s10"},
                     {"Val. Recebido", kLargo},      {"Imposto Pago", kLargo}};
        t.ret = {2, 2, 18, 75};
      }
      t.congela = 3;
      t.janela6 = true;
      t.calcula = true;
      t.divideMensal = true;
      break;
    case 14: {
      t.nome = "MRENVAR";
      t.colunas = {{"Tipo de Mercado" + std::string(16, ' '), "@s31"}};
      for (int mes = 1; mes <= 12; ++mes) t.colunas.emplace_back(mes == 1 ? "Janeiro  " : rt::text::trim(nomeMes(mes)), kLargo);
      // Inside the variable-income form's frame (rows 1-23, columns 1-79).
      t.ret = {2, 2, 22, 78};
      t.congela = 1;
      t.calcula = true;
      break;
    }
    case 16: {
      t.nome = a.m.MATATU;
      const bool soRec = a.calc.d.tabela01.logico("SO_REC");
      const bool titular = a.g.I1_11 != "N";
      t.colunas = {{"Mês "_cp, "@s6"},
                   {"Pes.Física"_cp, kMes},
                   {"Exterior", kMes},
                   {"Livro Caixa", kMes},
                   {titular ? "Dep+Pre+Pen" : "Previdência"_cp, kMes},
                   {soRec ? "Leão Pago*"_cp : "Leão Pago"_cp, kMes},
                   {soRec ? "CL.Devido" : "CL.Devido*", kMes},
                   {"CL Corr.", kMes}};
      t.ret = {5, 0, 22, 79};
      t.congela = 1;
      t.rodape = true;
      t.calcula = true;
      t.divideMensal = true;
      t.colunaDoMes = true;
      t.lancamentosLeao = true;
      t.dica = 12;
      break;
    }
    case 37:
      t.nome = "REND_RURAL";
      t.colunas = {{"Valor Receitas", kLargo}, {"Valor Despesas", kLargo}};
      t.ret = {3, 31, 18, 61};
      t.livroRural = true;
      t.dica = 2;
      t.dicaRural = true;
      break;
    default:
      break;
  }
  return t;
}

int larguraMascara(std::string_view masc) {
  const std::size_t esp = masc.find(' ');
  if (esp != std::string_view::npos) return static_cast<int>(masc.size() - esp - 1);
  if (masc.size() > 2 && (masc[1] == 's' || masc[1] == 'S')) return static_cast<int>(Decimal::val(masc.substr(2)).wholePart());
  return 10;
}

int decimaisMascara(std::string_view masc) {
  const std::size_t ponto = masc.rfind('.');
  if (ponto == std::string_view::npos) return 0;
  int n = 0;
  for (std::size_t i = ponto + 1; i < masc.size() && masc[i] == '9'; ++i) ++n;
  return n;
}

bool cabeNaMascara(Decimal v, std::string_view masc) {
  return rt::text::transform(v, masc).find('*') == std::string::npos;
}

}  // namespace grid

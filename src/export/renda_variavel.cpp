#include <array>
#include <string>

#include "export/secoes_complementos.h"
#include "rt/text/strings.h"

namespace exporta {

namespace {

// ARENDA: the month's 26 lines of the variable-income statement, common operations in column
// 1 and day trade in column 2 (lines and columns counted from 1, as the statement numbers them).
class Arenda {
 public:
  Decimal operator()(int linha, int coluna) const { return v_[static_cast<std::size_t>(linha - 1)][coluna - 1]; }
  void poe(int linha, int coluna, Decimal valor) {
    if (linha >= 1 && linha <= 26) v_[static_cast<std::size_t>(linha - 1)][static_cast<std::size_t>(coluna - 1)] = valor;
  }

 private:
  std::array<std::array<Decimal, 2>, 26> v_{};
};


// The month's figures of the rows of the kinds given; a later row of a line replaces an
// earlier one. Fund rows ("3") go to column 1.
Arenda mes(const DadosDeclaracao& dados, int m, bool fundos) {
  Arenda a;
  const std::string campo = "REC_MES" + doisDigitos(m);
  for (const store::RegistroEspelho& r : dados.ganhos) {
    if (r.num("TIPO_BEM") != Decimal(4)) continue;
    const std::string tipo(rt::text::alltrim(r.txt("DAY_TRADE")));
    const int linha = static_cast<int>(r.num("RVAR_NRO").wholePart());
    if (fundos ? tipo == "3" : (tipo == "1" || tipo == "2"))
      a.poe(linha, fundos ? 1 : tipo[0] - '0', r.num(campo));
  }
  return a;
}

// The thirteen markets and the result lines of one column of operacoesComuns or
// operacoesDayTrade.
void operacoes(TextoXml& x, const Arenda& a, int c, std::string_view nome, std::string_view aliquota,
               int linhaImposto) {
  x.abre(nome)
      .a("aliquotaDoImposto", aliquota)
      .dinheiro("baseCalculoImposto", a(16, c))
      .dinheiro("impostoDevido", a(linhaImposto, c))
      .dinheiro("mercadoFuturoDolar", a(8, c))
      .dinheiro("mercadoFuturoIndices", a(9, c))
      .dinheiro("mercadoFuturoJuros", a(10, c))
      .dinheiro("mercadoFuturoOutros", a(11, c))
      .dinheiro("mercadoOpcoesAcoes", a(4, c))
      .dinheiro("mercadoOpcoesForaDeBolsa", a(6, c))
      .dinheiro("mercadoOpcoesOuro", a(5, c))
      .dinheiro("mercadoOpcoesOutros", a(7, c))
      .dinheiro("mercadoTermoAcoes", a(12, c))
      .dinheiro("mercadoTermoOutros", a(13, c))
      .dinheiro("mercadoVistaAcoes", a(1, c))
      .dinheiro("mercadoVistaForaBolsa", a(3, c))
      .dinheiro("mercadoVistaOuro", a(2, c))
      .dinheiro("prejuizoCompensar", -a(17, c))
      .dinheiro("resultadoLiquidoMes", a(14, c))
      .dinheiro("resultadoNegativoMesAnterior", -a(15, c))
      .vazio();
}


}  // namespace

void rendaVariavel(TextoXml& x, const DadosDeclaracao& dados) {
  const std::string ccpf = comCpf(cpfAberto(dados.d));
  x.abre("rendaVariavel")
      .a("totalBaseCalculo", "0,00")
      .a("totalIRFonteDayTrade", "0,00")
      .a("totalImpostoPago", "0,00")
      .a("totalImpostoPagoComFundInvest", "0,00")
      .a("totalImpostoRetidoFonteLei11033", "0,00")
      .fim();
  for (int m = 1; m <= 12; ++m) {
    const Arenda a = mes(dados, m, false);
    // The format pads the month's name to nine characters, in the start and the end tag.
    const std::string nome = rt::text::padr(kMesesMinusculos[static_cast<std::size_t>(m - 1)], 9);
    x.abre(nome)
        .dinheiro("impostoApagar", a(18, 1))
        .dinheiro("impostoPago", a(26, 1))
        .dinheiro("impostoRetidoFonteLei11033", a(24, 1))
        .dinheiro("irFonteDayTradeAcompensar", a(23, 2))
        .dinheiro("irFonteDayTradeMesAtual", a(21, 2))
        .dinheiro("irFonteDayTradeMesesAnteriores", a(22, 2))
        .dinheiro("totalImpostoDevido", a(25, 1))
        .fim();
    operacoes(x, a, 1, "operacoesComuns", "15%", 18);
    operacoes(x, a, 2, "operacoesDayTrade", "20%", 19);
    x.abre("colecaoItemImpostoPagar")
        .a("tipoItens", "serpro.ppgd.irpf.rendavariavel.ItemImpostoPagar")
        .dinheiro("total", a(25, 1))
        .fim();
    if (!a(25, 1).isZero()) x.abre("item").a("cpf", ccpf).a("tipo", "T").dinheiro("valor", a(25, 1)).vazio();
    x.fecha("colecaoItemImpostoPagar").fecha(nome);
  }
  x.abre("fundInvest").fim();
  for (int m = 1; m <= 12; ++m) {
    const Arenda a = mes(dados, m, true);
    x.abre(kMesesMinusculos[static_cast<std::size_t>(m - 1)].substr(0, 3))
        .a("aliquotaImposto", "20%")
        .dinheiro("baseCalcImposto", a(16, 1))
        .dinheiro("impostoDevido", a(25, 1))
        .dinheiro("impostoPago", a(26, 1))
        .dinheiro("prejuizoCompensar", a(17, 1))
        .dinheiro("resultLiquidoMes", a(1, 1))
        .dinheiro("resultNegativoAnterior", a(15, 1))
        .vazio();
  }
  x.fecha("fundInvest").fecha("rendaVariavel");
}

}  // namespace exporta

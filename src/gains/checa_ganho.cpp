#include "gains/checa_ganho.h"

#include <string>
#include <vector>

#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "taxcalc/tax_year.h"

namespace gains {

using namespace rt::text::literals;
using rt::text::despreza;
using taxcalc::kAnoBase;

namespace {

std::string reais(Decimal v) {
  return std::string(rt::text::alltrim(rt::text::transform(v, "@Ez 999,999,999.99")));
}

}  // namespace

bool VEIND_VEN(Ganho& g, taxcalc::Saida& saida) {
  if (g.DATA_ALI.isEmpty()) return false;
  if (g.DATA_ALI.year() > kAnoBase) {
    saida.aviso(std::vector<std::string>{std::string("Atenção! O cálculo para o ganho de capital"_cp),
                                         std::string("    só é válido para o ano de 2009.      "_cp)});
    return false;
  }
  if (!g.DATA_ADQ.isEmpty() && g.DATA_ALI < g.DATA_ADQ) {
    saida.aviso(std::vector<std::string>{
        std::string("Confira! A data de aquisição está posterior a da alienação!"_cp)});
    return false;
  }
  if (g.DATA_ALI.year() < kAnoBase) {
    if (!saida.pergunta(
            std::vector<std::string>{std::string("Está recebendo parcelas de uma venda de ano anterior?"_cp)},
            false))
      return false;
    g.VENDAANT = true;
    g.VEN_PRAZO = true;
    g.PARCOMPRA = false;
    g.PEQ_VALOR = false;
    return true;
  }
  g.VENDAANT = false;
  if (!g.DATA_ADQ.isEmpty() && g.DATA_ADQ.year() == g.DATA_ALI.year() && !g.PARCOMPRA) {
    g.PARCOMPRA = true;
    saida.aviso(std::vector<std::string>{std::string("Atenção! Para compra e venda no mesmo exercício"_cp),
                                         std::string("é necessário informar como aquisição parcelada "_cp),
                                         std::string("mesmo que aquisição tenha apenas uma parcela."_cp)});
  }
  return true;
}

void CHECK_VAL(Ganho& g, taxcalc::Saida& saida, int imoveisNaLista) {
  g.PEQ_VALOR = false;
  if (g.VENDAANT) return;
  const Decimal limite(g.TIPO_BEM == Participacao && g.TIPOPART == Acoes ? 20000 : 35000);
  if (g.VAL_ALI <= limite) {
    saida.aviso(std::vector<std::string>{
        std::string("ATENÇAO! Esse bem está livre de tributação pois o valor"_cp),
        std::string("da alienação é menor que o limite de "_cp) + " R$ " + reais(limite),
        std::string("Outras alienações do mesmo tipo no mês são somadas a esta."_cp)});
    g.PEQ_VALOR = saida.pergunta(std::vector<std::string>{std::string("Esse ganho é isento?"_cp)}, true);
    if (g.PEQ_VALOR) return;
  }
  const Decimal limiteUnico(440000);
  if (g.TIPO_BEM == Imovel && g.VAL_ALI <= limiteUnico && imoveisNaLista <= 2) {
    g.PEQ_VALOR = saida.pergunta(
        std::vector<std::string>{std::string("ATENÇAO! Se esse for o único imóvel e não "_cp),
                                 std::string("houve nenhuma outra alienação nos últimos "_cp),
                                 std::string("5 anos êle está livre de tributação, pois "_cp),
                                 std::string("a alienação é menor que "_cp) + " R$ " + reais(limiteUnico),
                                 std::string("É esse o caso?"_cp)},
        false);
  }
}

bool CHECK_PARTE(Ganho& g, Decimal parte, taxcalc::Saida& saida) {
  if (parte > g.VAL_ALI) {
    saida.aviso(
        std::vector<std::string>{std::string("O valor nao pode ser maior do que o da alienaçao!"_cp)});
    return false;
  }
  g.PERART31 = despreza(parte / g.VAL_ALI, 4) * Decimal(100);
  return true;
}

}  // namespace gains

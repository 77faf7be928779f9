#include <array>
#include <string>

#include "export/secoes_complementos.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace exporta {

namespace {

using namespace rt::text::literals;


// The herd's kinds, as the summary's field suffixes and the format's element names.
constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kRebanho = {
    {{"B", "bovinos"}, {"S", "suinos"}, {"C", "caprinos"}, {"A", "asininos"}, {"V1", "outros"}}};


bool temNome(const store::RegistroEspelho& imovel) {
  return !rt::text::alltrim(imovel.txt("I2R_01")).empty();
}

std::string_view nomePais(const DadosDeclaracao& dados, std::string_view codigo) {
  const auto p = dados.NOMPAIS.find(rt::text::alltrim(codigo));
  return p == dados.NOMPAIS.end() ? std::string_view() : std::string_view(p->second);
}

// MOLVAZIO: the side with no figures, every value zero and every collection empty.
void ladoVazio(TextoXml& x, bool brasil) {
  std::string& s = x.str();
  if (brasil) {
    s += "<identificacaoImovel tipoItens=\"serpro.ppgd.irpf.atividaderural.brasil.ImovelARBrasil\"/>"
         "<receitasDespesas totalDespesas=\"0,00\" totalReceita=\"0,00\">";
    for (std::string_view m : kMesesMinusculos)
      s += "<" + std::string(m) + " despesaCusteioInvestimento=\"0,00\" receitaBrutaMensal=\"0,00\"/>";
    s += "</receitasDespesas>"
         "<apuracaoResultado despesaCusteio=\"0,00\" opcaoArbitramento=\"0,00\" prejuizoCompensar=\"0,00\""
         " prejuizoExercicioAnterior=\"0,00\" receitaBrutaTotal=\"0,00\" receitaRecebidaContaVenda=\"0,00\""
         " resultadoAposCompensacaoPrejuizo=\"0,00\" resultadoI=\"0,00\" resultadoNaoTributavel=\"0,00\""
         " resultadoTributavel=\"0,00\" valorAdiantamento=\"0,00\"/>";
  } else {
    s += "<identificacaoImovel tipoItens=\"serpro.ppgd.irpf.atividaderural.ImovelAR\"/>"
         "<receitasDespesas tipoItens=\"serpro.ppgd.irpf.atividaderural.exterior.ReceitaDespesa\" totais=\"0,00\"/>"
         "<apuracaoResultado opcaoArbitramento=\"0,00\" prejuizoCompensar=\"0,00\""
         " prejuizoExercicioAnterior=\"0,00\" receitaRecebidaContaVenda=\"0,00\""
         " resultadoAposCompensacaoPrejuizo=\"0,00\" resultadoI_EmDolar=\"0,00\" resultadoI_EmReais=\"0,00\""
         " resultadoNaoTributavel=\"0,00\" resultadoTributavel=\"0,00\" valorAdiantamento=\"0,00\"/>";
  }
  s += "<movimentacaoRebanho>";
  for (const auto& [sufixo, nome] : kRebanho)
    s += "<" + std::string(nome) +
         " aquisicoesAno=\"0,00\" consumo=\"0,00\" estoqueFinal=\"0,00\" estoqueInicial=\"0,00\" nascidosAno=\"0,00\""
         " vendas=\"0,00\"/>";
  s += "</movimentacaoRebanho>";
  s += brasil ? "<bens tipoItens=\"serpro.ppgd.irpf.atividaderural.BemAR\"/>"
              : "<bens tipoItens=\"serpro.ppgd.irpf.atividaderural.exterior.BemARExterior\"/>";
  s += "<dividas tipoItens=\"serpro.ppgd.irpf.atividaderural.DividaAR\"/>";
}

void imoveis(TextoXml& x, const LadoRural& lado, bool brasil) {
  x.abre("identificacaoImovel")
      .a("tipoItens", brasil ? "serpro.ppgd.irpf.atividaderural.brasil.ImovelARBrasil"
                             : "serpro.ppgd.irpf.atividaderural.ImovelAR")
      .fim();
  for (const store::RegistroEspelho& r : lado.imoveis) {
    if (!temNome(r)) continue;
    x.abre("item")
        .texto("nirf", r.txt("I2R_03"))
        .inteiro("codigo", r.num("I2R_07"))
        .mapeado("nome", r.txt("I2R_01"))
        .mapeado("localizacao", r.txt("I2R_06"))
        .umDecimal("area", r.num("I2R_02"))
        .dinheiro("participacao", r.num("I2R_04"))
        .inteiro("condicaoExploracao", r.num("I2R_05"))
        .vazio();
  }
  x.fecha("identificacaoImovel");
}

void resultadoBrasil(TextoXml& x, const store::RegistroEspelho& s) {
  x.abre("receitasDespesas").dinheiro("totalDespesas", s.num("I4R_02")).dinheiro("totalReceita", s.num("I4R_01")).fim();
  for (int m = 1; m <= 12; ++m)
    x.abre(kMesesMinusculos[static_cast<std::size_t>(m - 1)])
        .dinheiro("despesaCusteioInvestimento", s.num("I3_" + doisDigitos(m) + "OD"))
        .dinheiro("receitaBrutaMensal", s.num("I3_" + doisDigitos(m) + "OR"))
        .vazio();
  x.fecha("receitasDespesas");
  x.abre("apuracaoResultado")
      .dinheiro("despesaCusteio", s.num("I4R_02"))
      .dinheiro("opcaoArbitramento", s.num("I4R_06"))
      .dinheiro("prejuizoCompensar", s.num("I5_08"))
      .dinheiro("prejuizoExercicioAnterior", s.num("I4R_04"))
      .dinheiro("receitaBrutaTotal", s.num("I4R_01"))
      .dinheiro("receitaRecebidaContaVenda", s.num("I5_09"))
      .dinheiro("resultadoAposCompensacaoPrejuizo", s.num("I4R_05"))
      .dinheiro("resultadoI", s.num("I4R_03"))
      .dinheiro("resultadoNaoTributavel", s.num("I6_10"))
      .dinheiro("resultadoTributavel", s.num("I4R_07"))
      .dinheiro("valorAdiantamento", s.num("I5_10"))
      .vazio();
}

void resultadoExterior(TextoXml& x, const store::RegistroEspelho& s, const LadoRural& lado,
                       const DadosDeclaracao& dados) {
  // The collection's total is the revenue of all its rows.
  Decimal receita;
  for (const store::RegistroEspelho& r : lado.imoveis) receita += r.num("RECEXT");
  x.abre("receitasDespesas")
      .a("tipoItens", "serpro.ppgd.irpf.atividaderural.exterior.ReceitaDespesa")
      .dinheiro("totais", receita)
      .fim();
  for (const store::RegistroEspelho& r : lado.imoveis)
    x.abre("item")
        .mapeado("descricaoPais", nomePais(dados, r.txt("CODPAIS")))
        .dinheiro("despesaCusteio", r.num("DESEXT"))
        .texto("pais", r.txt("CODPAIS"))
        .dinheiro("receitaBruta", r.num("RECEXT"))
        .dinheiro("resultadoIMoedaOriginal", r.num("RECEXT") - r.num("DESEXT"))
        .dinheiro("resultadoI_EmDolar", r.num("RESUS"))
        .vazio();
  x.fecha("receitasDespesas");
  // Abroad the result in dollars is line 01 (the result in reais is line 03).
  x.abre("apuracaoResultado")
      .dinheiro("opcaoArbitramento", s.num("I4R_06"))
      .dinheiro("prejuizoCompensar", s.num("I5_08"))
      .dinheiro("prejuizoExercicioAnterior", s.num("I4R_04"))
      .dinheiro("receitaRecebidaContaVenda", s.num("I5_09"))
      .dinheiro("resultadoAposCompensacaoPrejuizo", s.num("I4R_05"))
      .dinheiro("resultadoI_EmDolar", s.num("I4R_01"))
      .dinheiro("resultadoI_EmReais", s.num("I4R_03"))
      .dinheiro("resultadoNaoTributavel", s.num("I6_10"))
      .dinheiro("resultadoTributavel", s.num("I4R_07"))
      .dinheiro("valorAdiantamento", s.num("I5_10"))
      .vazio();
}

void rebanho(TextoXml& x, const store::RegistroEspelho& s) {
  x.abre("movimentacaoRebanho").fim();
  for (const auto& [k, nome] : kRebanho) {
    auto linha = [&s, k = k](int n) { return s.num("I7_" + std::to_string(n) + std::string(k)); };
    // The final stock as the herd screen computes it: lines 1 + 2 + 3 - 4 - 5.
    x.abre(nome)
        .dinheiro("aquisicoesAno", linha(2))
        .dinheiro("consumo", linha(4))
        .dinheiro("estoqueFinal", linha(1) + linha(2) + linha(3) - linha(4) - linha(5))
        .dinheiro("estoqueInicial", linha(1))
        .dinheiro("nascidosAno", linha(3))
        .dinheiro("vendas", linha(5))
        .vazio();
  }
  x.fecha("movimentacaoRebanho");
}

void bensEDividas(TextoXml& x, const LadoRural& lado, bool brasil, const DadosDeclaracao& dados) {
  x.abre("bens")
      .a("tipoItens", brasil ? "serpro.ppgd.irpf.atividaderural.BemAR"
                             : "serpro.ppgd.irpf.atividaderural.exterior.BemARExterior")
      .fim();
  for (const store::RegistroEspelho& r : lado.bens) {
    x.abre("item").a("codigo", doisDigitos(static_cast<int>(r.num("CODIGO").wholePart())));
    if (!brasil) x.mapeado("descricaoPais", nomePais(dados, r.txt("I8R_3")));
    x.mapeado("discriminacao", r.txt("I8R_1"));
    if (!brasil) x.texto("pais", r.txt("I8R_3"));
    x.dinheiro("valor", r.num("I8R_2")).vazio();
  }
  x.fecha("bens");
  x.abre("dividas").a("tipoItens", "serpro.ppgd.irpf.atividaderural.DividaAR").fim();
  for (const store::RegistroEspelho& r : lado.dividas)
    x.abre("item")
        .dinheiro("contraidasAteExercicioAnterior", r.num("I9R_2"))
        .dinheiro("contraidasAteExercicioAtual", r.num("I9R_3"))
        .mapeado("discriminacao", r.txt("I9R_1"))
        .dinheiro("efetivamentePagas", r.num("I9R_4"))
        .vazio();
  x.fecha("dividas");
}

// DADO_ATIV: one side's content, inside its single wrapper.
void lado(TextoXml& x, const DadosDeclaracao& dados, bool brasil, bool temRural) {
  const LadoRural& l = brasil ? dados.ruralBrasil : dados.ruralExterior;
  const std::string_view nome = brasil ? "brasil" : "exterior";
  x.abre(nome).fim();
  if (!temRural || !l.resumo) {
    ladoVazio(x, brasil);
  } else if (l.imoveis.empty()) {
    if (brasil && dados.aviso) dados.aviso("Sem um imovel rural nao é possível fazer a Atividade Rural"_cp);
    ladoVazio(x, brasil);
  } else {
    imoveis(x, l, brasil);
    if (brasil)
      resultadoBrasil(x, *l.resumo);
    else
      resultadoExterior(x, *l.resumo, l, dados);
    rebanho(x, *l.resumo);
    bensEDividas(x, l, brasil, dados);
  }
  x.fecha(nome);
}

}  // namespace

void atividadeRural(TextoXml& x, const DadosDeclaracao& dados) {
  const bool temRural = rt::text::alltrim(dados.d.registro.txt("TEMRURAL")) == "S";
  x.abre("atividadeRural").fim();
  lado(x, dados, true, temRural);
  lado(x, dados, false, temRural);
  x.fecha("atividadeRural");
}

}  // namespace exporta

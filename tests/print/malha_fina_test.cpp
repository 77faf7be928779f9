// The audit-risk report (sheet 5): the reserve or deficit left after the year's expenses and
// the advice lines in their order, and the summary's balance block of a deficit.
#include <gtest/gtest.h>

#include "declaracao_impressa.h"
#include "rt/text/strings.h"

namespace {

using print_test::Campos;
using print_test::LinhaDeTabela;
using rt::text::Decimal;

using MalhaFina = print_test::FolhasFixture;

// The lines from the reserve or deficit line to the end of the report.
std::vector<std::string> desfecho(const std::vector<print_test::Pagina>& ps) {
  std::vector<std::string> v;
  for (const auto& p : ps)
    for (const std::string& l : p)
      if (!v.empty() || l.starts_with("RESERVA") || l.starts_with("DEFICIT")) v.push_back(l);
  return v;
}

Campos bem(int item, int codigo) {
  return {{"I7_1", Decimal(item)}, {"I7_5", Decimal(codigo)}, {"I7_2", std::string("IMOVEL")},
          {"I7_3", Decimal(50000)}, {"I7_4", Decimal(50000)}};
}

// A payment to a doctor: medical expenses (and declared payments) of `valor`.
Campos medicas(int valor) {
  return {{"I6_1", std::string("CLINICA")}, {"I6_3", Decimal(10)}, {"I6_4", Decimal(valor)}};
}

TEST_F(MalhaFina, ReserveOrDeficitGivesItsAdviceInOrder) {
  struct Caso {
    const char* nome;
    Campos resumo;
    std::vector<LinhaDeTabela> bens;
    std::vector<std::string> esperado;
  };
  const std::vector<Caso> casos{
      {"reserva abaixo do indice",
       {{"OUTRDES", Decimal(95000)}},
       {},
       {"RESERVA .........                                 5.000,00   5.00",
        "Atencao. O valor esta inferior aos 10.00% ,estabelecido."}},
      {"reserva alta, imoveis sem gastos, medicas altas",
       {{"I13_08", Decimal(30000)}},
       {{4, bem(1, 11)}, {4, bem(2, 12)}, {6, medicas(30000)}},
       {"RESERVA .........                                40.000,00  40.00",
        "O valor da reserva de  40.00% da receita esta alto.",
        "Recomenda-se lancar as despesas para a manutencao do patrimonio.",
        "Recomenda-se lancar despesas nao declaradas nos gastos pessoais.",
        "Despesas medicas c/ % alto. A Receita pode chamar p/mostrar os recibos."}},
      {"reserva alta com os dois gastos, medicas de 20 por cento",
       {{"I13_08", Decimal(20000)}, {"DESPNAO", Decimal(5000)}, {"OUTRDES", Decimal(5000)}},
       {{6, medicas(20000)}},
       {"RESERVA .........                                50.000,00  50.00",
        "O valor da reserva de  50.00% da receita esta alto.",
        "Confira gastos pessoais e caso estejam corretos pode-se aumentar",
        "o dinheiro em poder do contribuinte para uso nas proximas declaracoes"}},
      {"reserva alta so com manutencao",
       {{"I13_08", Decimal(40000)}, {"DESPNAO", Decimal(5000)}},
       {},
       {"RESERVA .........                                55.000,00  55.00",
        "O valor da reserva de  55.00% da receita esta alto.",
        "Recomenda-se lancar despesas nao declaradas nos gastos para viver."}},
      {"deficit",
       {{"OUTRDES", Decimal(120000)}},
       {},
       {"DEFICIT .........                               -20.000,00 -20.00",
        "ATENCAO!  ESSA DECLARACAO ESTA COM PROBLEMAS DE CAIXA. VERIFIQUE O MOTIVO",
        "ENTREGA-LA NESSAS CONDICOES PODE CAUSAR-LHE PROBLEMAS FUTUROS."}},
  };
  for (const Caso& c : casos) {
    Campos resumo{{"I13_07", Decimal(100000)}, {"I13_01", Decimal(100000)}, {"INDALERTA", Decimal(10)}};
    resumo.insert(resumo.end(), c.resumo.begin(), c.resumo.end());
    std::vector<LinhaDeTabela> d{{9, {{"NOMECONTR", std::string("CONTRIBUINTE")}, {"USAPADRAO", std::string("N")}}},
                                 {1, resumo}};
    d.insert(d.end(), c.bens.begin(), c.bens.end());
    // Each case is another taxpayer of the same tables.
    const std::string cpf = "1000000000" + std::to_string(&c - casos.data());
    declara(cpf, d);
    EXPECT_EQ(desfecho(imprime(cpf, 1, 10)), c.esperado) << c.nome;
  }
}

}  // namespace

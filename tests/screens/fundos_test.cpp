// The form backgrounds drawn headless: each screen's origin in ALJ/ACJ, window 3 over it and
// a few of its rows; the variants by model, estate, rural side and dependants; and the field
// places of every layout inside its window and apart from each other.
#include "screens/fundos.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/contexto.h"
#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/cp860.h"
#include "rt/text/date.h"

namespace screens {
namespace {

using namespace rt::text::literals;

struct Caso {
  const char* nome;
  int n;
  EstadoFundo estado;
  int linha, coluna;  // the origin
  std::vector<std::pair<int, std::string_view>> linhas;  // screen row, text found on it
  std::string_view ausente = {};                         // a text this variant must not show
};

EstadoFundo com(bool simplificado, bool final_ = false, bool brasil = true, int dependentes = 0) {
  EstadoFundo e;
  e.simplificado = simplificado;
  e.final = final_;
  e.brasil = brasil;
  e.N_DEPEN = dependentes;
  return e;
}

class Fundos : public ::testing::TestWithParam<Caso> {
 protected:
  rt::term::ScriptedTerminal term;
  rt::term::Console con{term};
  rt::text::FixedClock relogio{rt::text::LocalTime{rt::text::Date::fromYmd(2010, 4, 30), 36000, 0}};
  console::Contexto ctx{con, relogio};
};

TEST_P(Fundos, DrawsTheScreenAtItsOriginWithItsTexts) {
  const Caso& c = GetParam();
  const std::optional<Fundo> f = MTELA(ctx, c.n, c.estado);
  ASSERT_TRUE(f);
  EXPECT_EQ(ctx.ALJ[c.n], c.linha);
  EXPECT_EQ(ctx.ACJ[c.n], c.coluna);
  EXPECT_EQ(ctx.NT, c.n);
  const console::Janela* j = ctx.janelas.find(console::Jan::kTela);
  ASSERT_NE(j, nullptr);
  EXPECT_EQ(j->top, c.linha);
  EXPECT_EQ(j->left, c.coluna);
  EXPECT_LE(j->bottom, 23) << "row 24 is the status line";
  EXPECT_LE(j->right, 79);
  EXPECT_TRUE(ctx.janelas.isOpen(console::Jan::kTela));
  // The frame's corner stands on the origin.
  EXPECT_EQ(con.screen().rowText(c.linha).substr(static_cast<std::size_t>(c.coluna), 1), "┌"_cp);
  for (const auto& [linha, texto] : c.linhas)
    EXPECT_NE(con.screen().rowText(linha).find(texto), std::string::npos) << "row " << linha << ": " << texto;
  if (!c.ausente.empty()) {
    for (int r = 0; r < 25; ++r) EXPECT_EQ(con.screen().rowText(r).find(c.ausente), std::string::npos) << r;
  }
}

// Every field place lies inside its window, off the frame's sides, and no two overlap.
TEST_P(Fundos, FieldPlacesStayInsideTheWindowAndApart) {
  const Caso& c = GetParam();
  const std::optional<Fundo> f = fundo(c.n, c.estado);
  ASSERT_TRUE(f);
  const auto& campos = f->quadro.campos();
  for (std::size_t i = 0; i < campos.size(); ++i) {
    const console::CampoMoldura& a = campos[i];
    EXPECT_GE(a.linha, 0) << a.rotulo;
    EXPECT_LE(a.linha, f->altura) << a.rotulo;
    EXPECT_GE(a.coluna, 1) << a.rotulo;
    EXPECT_LT(a.coluna + a.largura, f->largura + 1) << a.rotulo;
    for (std::size_t k = i + 1; k < campos.size(); ++k) {
      const console::CampoMoldura& b = campos[k];
      const bool sobrepoe = a.linha == b.linha && a.coluna < b.coluna + b.largura && b.coluna < a.coluna + a.largura;
      EXPECT_FALSE(sobrepoe) << a.rotulo << " and " << b.rotulo;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Telas, Fundos,
    ::testing::Values(
        Caso{"PJ", 1, com(true), 1, 1,
             {{1, "(1)RENDIMENTOS TRIBUTAVEIS E ISENTOS RECEBIDOS DE PESSOAS JURIDICAS"},
              {18, "RENDIMENTOS"}, {18, "IMPOSTOS"}, {20, "Pessoa Jurídica "_cp}, {20, "Rec. Fonte"},
              {22, "P.Físi/Exterior"_cp}, {22, "Carnê Leão"_cp}},
             "(2) TODOS OS RENDIMENTOS"},
        Caso{"PJComDependentes", 1, com(true, false, true, 2), 1, 1,
             {{10, "(2) TODOS OS RENDIMENTOS RECEBIDOS E IMPOSTOS PAGOS PELOS DEPENDENTES"}}},
        Caso{"PF", 2, [] { EstadoFundo e; e.CAL_AUTO = 3; return e; }(), 1, 0,
             {{1, "(3)Rend. Tribut.Recebido de P.Físicas e apuração do recolhimento mensal"_cp},
              {2, "Renda do Titular"}, {2, "ou do Dependente CPF"},
              {3, "ALT A Troca (1)Fonte INDIVIDUAL (2)Só TOTAIS (3)Livro Caixa (4)Cálculo Inverso"_cp},
              {4, "Seta -> Veja Imposto Corrigido."}, {4, "3)LIVRO CAIXA "},
              {23, "Totais: INSS"}, {23, "Pensão"_cp}, {23, "Dependentes"}}},
        Caso{"Isentos", 3, com(true), 1, 0,
             {{1, "RENDIMENTOS ISENTOS E NAO TRIBUTAVEIS (itens com * lançar na tela 1)"_cp},
              {2, "01.Bolsa de Estudo que nao representa Vantagem ou Serviço"_cp},
              {8, "07.Pensão,aposentadoria ou reforma  moléstia grave/invalidez  *"_cp},
              {9, "08.Rendimentos de caderneta de poupança e letras hipotecárias"_cp},
              {16, "REND.SUJEITOS A TRIB.EXCLUSIVA NA FONTE"},
              {17, "01.Décimo terceiro salário ( só do Titular)"_cp},
              {19, "03.Ganhos líquidos em renda variável(bolsa,mercadorias,futuros)"_cp},
              {20, "04.Rendimentos de aplicações financeiras"_cp}}},
        Caso{"Dependentes", 4, com(true), 1, 0, {{1, "(6)DEPENDENTES e ALIMENTANDOS"}}},
        Caso{"Bens", 5, com(true), 1, 0,
             {{1, "(8)DECLARACAO DE BENS"}, {10, "(9)DIVIDAS E ONUS REAIS"},
              {17, "(10)INFORMAÇOES DO CONJUGE"_cp}, {20, "Inventariante CPF"},
              {22, "Declaração Final de Espólio?"_cp}}},
        Caso{"Identificacao", 6, com(true), 2, 0,
             {{2, "IDENTIFICAÇÃO DO CONTRIBUINTE"_cp}, {3, "CPF"}, {4, "Nome"}, {5, "Nascimento"},
              {5, "Tit.Eleitor"}, {6, "CPF do Cônjuge"_cp}, {6, "Declaração Conjunta?"_cp},
              {6, "Retificadora?"}, {7, "Número do Recibo Anterior"_cp}, {8, "Ultimo recibo de 2010"},
              {8, "Ultimo recibo em 2009"}, {9, "Banco"}, {9, "Agencia"}, {9, "Conta"}, {10, "Novo End."},
              {11, "Complemento"}, {12, "CEP"}, {12, "UF"}, {13, "Município"_cp}, {13, "Embaixada"},
              {14, "DDD"}, {14, "Telefone"}, {14, "FAX"}, {15, "Correio Eletrônico (Email)"_cp}},
             "Meeiro"},
        Caso{"IdentificacaoEspolio", 6, com(true, true), 2, 0, {{5, "Meeiro "}, {6, "Cônjuge "_cp}},
             "Tit.Eleitor"},
        Caso{"ResumoSimplificado", 7, com(true), 2, 12,
             {{2, " Declaração Simplificada "_cp}, {3, "Rend.Tributável P.Jurídica do Titular "_cp},
              {9, "Base de Cálculo do Imposto "_cp}, {13, "Carnê Leão + Mensalão "_cp},
              {16, "Nro de quotas (até 8) "_cp}, {18, " Imposto a Restituir "}},
             "RENDIME.TRIBUTAVEIS"},
        Caso{"ResumoCompleto", 7, com(false), 1, 0,
             {{2, "RENDIME.TRIBUTAVEIS"}, {2, "IMPOSTO PAGO"}, {20, "IMPOSTO DEVIDO......."}},
             " Declaração Simplificada "_cp},
        Caso{"Ganhos", 8, com(true), 2, 0, {{4, "(1) Bens imóveis"_cp}, {6, "(3) Participações"_cp}}},
        Caso{"RendaVariavel", 9, com(true), 1, 1,
             {{1, " RESUMO DE APURAÇAO DE GANHOS OU PERDAS EM RENDA VARIAVEL "_cp}, {2, "(2) Day-trade"}}},
        Caso{"Balanco", 10, com(true), 1, 1,
             {{1, " R E C E I T A S"}, {1, "D E S P E S A S"}, {2, "(1)Rend. tributáveis"_cp},
              {13, "Exigibilidade suspensa"}, {14, "Total das receitas"}, {18, "Outras receitas "},
              {17, "Detalhes use ALT Fnro do item"}, {21, "Tempo gasto"}, {21, "Valor a calculado R$"},
              {22, " Conferir a declaração (SNA)"_cp}}},
        Caso{"Situacao", 11, com(true), 3, 9,
             {{4, "Situação da Declaração"_cp}, {5, "Celular"}, {5, "Escritório"_cp},
              {7, "Data da última alienaçao imovel Residencial "_cp}, {6, "Verificar situacao:Senha"}}},
        Caso{"RuralBrasil", 12, com(true), 1, 0,
             {{1, " Atividade Rural exercida no Brasil"},
              {2, "(1) IDENTIFICAÇÃO DA ATIVIDADE E DO IMOVEL EXPLORADO"_cp}}},
        Caso{"RuralExterior", 12, com(true, false, false), 1, 0,
             {{1, " Atividade Rural exercida no Exterior"}, {22, "20% da Receita Bruta"}}},
        Caso{"RuralMeses", 13, com(true), 2, 20,
             {{2, " (3) RECEITAS E DESPESAS "}, {5, " Janeiro "}, {16, "Dezembro"}, {17, " TOTAIS "},
              {19, " L. Caixa "}}},
        Caso{"RuralResultadoSimplificado", 14, com(true), 4, 1,
             {{4, "(4) APURAÇÃO DO RESULTADO TRIBUTAVEL"_cp},
              {8, " Prejuízo Anterior (nao dispon. c/ dec. simplificada ) "_cp},
              {13, "(5) INFORMAÇOES PARA O EXERCICIO SEGUINTE"_cp}}},
        Caso{"RuralResultadoCompleto", 14, com(false), 4, 1, {{8, " Prejuízo de Exercício Anterior "_cp}}},
        Caso{"Rebanho", 15, com(true), 5, 1,
             {{5, " (7) MOVIMENTAÇÃO DO REBANHO (Indicar somente a quantidade de animais)  "_cp},
              {7, " Bovinos e Bufalinos "}, {13, " Asininos, Equinos e Muares "}, {15, " Outros"}}},
        Caso{"BensRuraisExterior", 16, com(true, false, false), 1, 1,
             {{1, "(8) BENS DA ATIVIDADE RURAL NO EXTERIOR"}}},
        Caso{"DividasRurais", 17, com(true), 1, 0, {{1, "(9) DIVIDAS VINCULADAS A ATIVIDADE RURAL"}}},
        Caso{"BensAmpliados", 22, com(true), 1, 0, {{1, "(8)DECLARACAO DE BENS"}, {23, "Declarado em 2008 "}}},
        Caso{"DividasAmpliadas", 23, [] { EstadoFundo e; e.zoomBem2 = false; return e; }(), 1, 0,
             {{1, "(9)DIVIDAS E ONUS REAIS"}}}),
    [](const ::testing::TestParamInfo<Caso>& i) { return std::string(i.param.nome); });

TEST(FundosModo, CalculationModesOutsideOneToFourCountAsOne) {
  store::EspelhoDeclaracao e;
  for (auto [modo, esperado] : {std::pair{0, 1}, {1, 1}, {4, 4}, {5, 1}, {-3, 1}}) {
    e.tabela01.num("CAL_AUTO", modo);
    EXPECT_EQ(modoCalculo(e), esperado) << modo;
  }
  EXPECT_FALSE(fundo(18, EstadoFundo{}));
  EXPECT_FALSE(fundo(0, EstadoFundo{}));
}

}  // namespace
}  // namespace screens

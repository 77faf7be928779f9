// tavren as an office starts it: the README's command on a fresh folder, in tmux. The test
// reads the banner and the top bar, opens every pad by its Alt letter and by the mouse, reads
// every item's help line, and leaves by "Sair"; the terminal's settings are then in CONFIG and
// its data folder is DADOS2010 inside the program folder. A program folder whose name would
// not fit the folder fields is refused.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "programa_e2e.h"
#include "rt/db/table.h"
#include "tmux_session.h"

namespace {

using e2e::linha;
using e2e::TmuxSession;

struct Pad {
  std::string caption;  // as shown on the bar
  std::string alt;      // tmux key that opens it
  std::vector<std::string> ajudas;
};

// The help lines of each pad's items, in order (pad 3's captions follow the print choices).
const std::vector<Pad>& pads() {
  static const std::vector<Pad> p{
      {"Declaracao",
       "M-l",
       {"Inicia ou modifica uma declaração", "Prepara todos os lançamentos em um so local.",
        "Confere uma declaração antes de gerar o disquete",
        "Seleciona o Drive e a Pasta onde a declaracao ficara", "Elimina um contribuinte do banco de dados",
        "Importa os dados de declaracoes do ano anterior",
        "Sai do programa reorganizando os dados da pasta atual"}},
      {"Opcoes",
       "M-p",
       {"Seleciona drive e a pasta para guardar dados temporarios",
        "Transfere a declaracao de uma pasta para outra",
        "Retira, coloca ou modifica a senha para entrar no programa",
        "Seleciona as opcoes de ajustes nas cores e tonalidades do video",
        "Cadastra os valores para o calculo do custo da declaracao",
        "Quando e como o programa deve salvar os dados",
        "Cadastra ou altera o status ou o numero dos recibos", "Cadastra ou altera o valor da SELIC",
        "Refaz os indices e reinicia o banco de dados", "Modifica ou altera o CPF da declaracao inteira",
        "Copia uma declaracao ou parte dela para outra",
        "Exporta arquivos no formato TXT para uso em outros locais",
        "Configura,prepara ou gera um boleto para a cobranca", "Configura,prepara ou gera um email",
        "Verifica se existe atualizacoes na versao atual"}},
      {"Selecao",
       "M-s",
       {"Selecione O QUE será impresso.", "Selecione o tipo de papel a ser utilizado.",
        "Selecione a página ou páginas a ser(em) impressa(s).",
        "Escolha como selecionar o(s) contribuinte(s) para imprimir.",
        "Seleciona impressora e redirecionamento de impressão.",
        "Como usar a impresao com impressora que NAO imprime no MS-DOS",
        "Informe o numero de vias a ser impressa."}},
      {"Impressao",
       "M-i",
       {"Inicia a Impressao conforme a selecao",
        "Imprime o arquivo gerado na impressao se impressora selecionada foi a NAO-DOS",
        "Edita cartas ou texto para serem enviadas aos clientes"}},
      {"Env Receita",
       "M-e",
       {"Transfere para a receita ao terminar a declaracao",
        "Tranfere p/receita ao terminar so aquelas com o Estatus selecionado",
        "Seleciona um CPF para transferir para a receita", "Envia para a receita os CPF selecionados",
        "Transfere todos os CPF dessa pasta", "Seleciona a pasta onde foi instalado o Programa da receita",
        "Recupera o indice do programa da Receita Java"}},
      {"Backup",
       "M-b",
       {"Faz a copia de seguranca dos arquivos em uma determinada pasta",
        "Recupera a copia de seguranca dos arquivos de uma pasta",
        "Faz a copia do bancos de dados de TODAS AS PASTAS",
        "Recupera a copia do bancos de dados de TODAS AS PASTAS",
        "Faz a copia compactadada apenas de UMA PASTA selecionada",
        "Recupera a copia dos bancos de dados de UMA PASTA selecionada."}},
      // Alt-R is the shortcut of "Sair" itself: this pad is opened by the mouse only.
      {"Sair", "", {"Sai do programa"}},
  };
  return p;
}

std::string rtrim(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// The help row (the last) holds the text, centred.
bool ajudaMostra(const std::string& tela, const std::string& texto) {
  return linha(tela, 24).find(texto) != std::string::npos;
}

class Tavren : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
    home_ = raiz_.caminho() + "/tavren";  // the script makes it
  }
  // The README's command, on a build that is already there, with the program folder `home`.
  static std::string comando(const std::string& home) { return e2e::comandoTavren(home, {}, {}, 300); }
  e2e::RaizDeTeste raiz_;
  std::string home_;
};

TEST_F(Tavren, FirstStartMenuHelpLinesAndSair) {
  const auto inicio = std::chrono::steady_clock::now();
  TmuxSession s(comando(home_), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return linha(t, 0).find("Sair") != std::string::npos; },
                        e2e::kPartida))
      << s.capture();
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - inicio);
  std::printf("first start to the menu: %lld ms\n", static_cast<long long>(ms.count()));
  const std::string tela = s.capture();
  EXPECT_NE(tela.find("Versão Lib D"), std::string::npos) << tela;
  EXPECT_NE(tela.find("Terminal 00"), std::string::npos) << tela;
  const std::string barra = linha(tela, 0);
  std::vector<int> colunas;
  for (const Pad& p : pads()) {
    const auto c = barra.find(p.caption);
    ASSERT_NE(c, std::string::npos) << p.caption << "\n" << barra;
    colunas.push_back(static_cast<int>(c));
  }

  // Each pad by its Alt letter: every item's help line, moving down the pop-up.
  for (const Pad& p : pads()) {
    if (p.alt.empty()) continue;
    s.keys({p.alt});
    for (std::size_t i = 0; i < p.ajudas.size(); ++i) {
      if (i > 0) s.keys({"Down"});
      const std::string& ajuda = p.ajudas[i];
      EXPECT_TRUE(s.waitFor([&](const std::string& t) { return ajudaMostra(t, ajuda); })) << ajuda << "\n"
                                                                                          << s.capture();
    }
    s.keys({"Escape"});
  }

  // Each pad by the mouse: a press on its caption opens it on its first item.
  for (std::size_t i = 0; i < pads().size(); ++i) {
    const Pad& p = pads()[i];
    s.bytes("\x1b[<0;" + std::to_string(colunas[i] + 1) + ";1M");
    s.bytes("\x1b[<0;" + std::to_string(colunas[i] + 1) + ";1m");
    EXPECT_TRUE(s.waitFor([&](const std::string& t) { return ajudaMostra(t, p.ajudas[0]); }))
        << p.caption << "\n"
        << s.capture();
  }

  // The last pad is open on "Sair ".
  s.keys({"Enter"});
  ASSERT_TRUE(s.waitForText("Confirma saída do sistema")) << s.capture();
  s.keys({"S"});
  ASSERT_TRUE(s.waitForText("tavren-ended 0")) << s.capture();

  auto config = rt::db::Table::open(home_ + "/CONFIG.DBF");
  ASSERT_TRUE(config);
  auto& t = **config;
  ASSERT_TRUE(t.goTop());
  ASSERT_FALSE(t.eof());
  EXPECT_EQ(t.getText("NRO_TERM"), "00");
  // The data folder of its own, inside the program folder; the work folder is the program folder.
  const std::string dados = home_ + "/DADOS2010";
  EXPECT_EQ(rtrim(t.getText("ROTADOANO")), dados);
  EXPECT_EQ(rtrim(t.getText("DIRTRAB")), home_);
  EXPECT_EQ(t.getText("OPCIRPF"), "J");
  EXPECT_EQ(t.getNumber("OPTTRAN").wholePart(), 3);
  EXPECT_TRUE(std::filesystem::exists(dados + "/IMP0910.DBF"));
  EXPECT_FALSE(std::filesystem::exists(home_ + "/IMP0910.DBF"));
  auto diret = rt::db::Table::open(home_ + "/DIRET00.DBF");
  ASSERT_TRUE(diret);
  std::vector<std::string> escolhidas;
  ASSERT_TRUE((*diret)->goTop());
  for (; !(*diret)->eof(); (void)(*diret)->skip())
    if ((*diret)->getText("SELEC") == "S") escolhidas.push_back(rtrim((*diret)->getText("DIRETOR")));
  EXPECT_EQ(escolhidas, std::vector<std::string>{dados});
}

TEST_F(Tavren, AProgramFolderLongerThanTheFolderFieldsIsRefusedBeforeAnythingIsMade) {
  const std::string longa = home_ + "/uma-pasta-de-nome-bem-mais-longo";
  ASSERT_GT(longa.size(), 40u);
  TmuxSession s(comando(longa), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("tavren-ended 1")) << s.capture();
  const std::string tela = s.capture();
  EXPECT_NE(tela.find("A pasta do programa tem mais de 40 caracteres:"), std::string::npos) << tela;
  EXPECT_NE(tela.find(longa), std::string::npos) << tela;
  // The variable the user set is the one named.
  EXPECT_NE(tela.find("TAVREN_HOME"), std::string::npos) << tela;
  EXPECT_EQ(tela.find("DTAVREN"), std::string::npos) << tela;
  // Nothing was made: neither the folder nor its parent.
  EXPECT_FALSE(std::filesystem::exists(longa));
  EXPECT_FALSE(std::filesystem::exists(home_));
}

}  // namespace

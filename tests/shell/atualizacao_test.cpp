#include "shell/atualizacao.h"

#include <gtest/gtest.h>

#include <chrono>

#include "ajustes_fixture.h"
#include "rt/term/keys.h"
#include "servidor_http.h"
#include "store/abertura.h"
#include "store/areas.h"

namespace shell::teste {
namespace {

namespace key = rt::term::key;
using namespace std::chrono_literals;

// A page well past the first few hundred bytes before the marker: the whole reply is read.
std::string pagina(std::string_view data) {
  return "<html><body>" + std::string(3000, 'x') + "<p>TAVREN-VERSAO:" + std::string(data) +
         "</p></body></html>";
}

class Atualizacao : public AjustesFixture {
 protected:
  OpcoesAtualizacao opcoes(const ServidorHttp& s) {
    OpcoesAtualizacao o;
    o.servidor = ServidorAtualizacao{s.endereco(), "TAVREN-VERSAO:", ""};
    o.limite = 2000ms;
    o.gravaConfig = [this] { ++configGravado; };
    o.abrePagina = [this](const std::string& url) {
      paginaAberta = url;
      return true;
    };
    return o;
  }
  int configGravado = 0;
  std::string paginaAberta;
};

TEST_F(Atualizacao, SameDateFromTheMenuSaysThereIsNoUpdate) {
  ServidorHttp s(pagina("10/06/10"));
  term.press(key::Enter);
  EXPECT_EQ(INTER(ctx, aj, 1, opcoes(s)), ResultadoAtualizacao::SemNovidade);
  EXPECT_TRUE(gravador.viu("Verificando atualizacao"));
  EXPECT_TRUE(gravador.viu("Nao existe atualizacao no momento!"));
  EXPECT_FALSE(term.exhausted());
  EXPECT_EQ(linha(24), std::string(80, ' '));
  // One request with the program's headers and nothing else of curl's.
  const std::string p = s.pedido();
  EXPECT_EQ(p.rfind("GET / HTTP/1.1\r\n", 0), 0u) << p;
  EXPECT_NE(p.find("\r\nHost: " + s.endereco() + "\r\n"), std::string::npos) << p;
  EXPECT_NE(p.find("\r\nUser-Agent: Programa TAVREN\r\n"), std::string::npos) << p;
  EXPECT_NE(p.find("\r\nConnection: close\r\n"), std::string::npos) << p;
  EXPECT_EQ(p.find("Accept:"), std::string::npos) << p;
}

TEST_F(Atualizacao, SameDateAtStartUpSaysNothing) {
  ServidorHttp s(pagina("10/06/10"));
  EXPECT_EQ(INTER(ctx, aj, 0, opcoes(s)), ResultadoAtualizacao::SemNovidade);
  EXPECT_FALSE(gravador.viu("Nao existe atualizacao"));
  EXPECT_FALSE(term.exhausted());
}

TEST_F(Atualizacao, AtStartUpOnlyWhenTheTerminalAskedForIt) {
  ServidorHttp s(pagina("15/07/10"));
  aj.VER_ATUAL = "N";
  EXPECT_EQ(atualizacaoNaEntrada(ctx, aj, opcoes(s)), ResultadoAtualizacao::SemNovidade);
  EXPECT_FALSE(gravador.viu("Verificando atualizacao"));
  aj.VER_ATUAL = "S";
  term.type("N");
  EXPECT_EQ(atualizacaoNaEntrada(ctx, aj, opcoes(s)), ResultadoAtualizacao::NovaRecusada);
  EXPECT_TRUE(gravador.viu("Feita em 15/07/10. Deseja atualizar agora?"));
}

TEST_F(Atualizacao, ANewerVersionDeclinedReturnsToTheMenu) {
  ServidorHttp s(pagina("15/07/10"));
  term.type("N");
  EXPECT_EQ(INTER(ctx, aj, 1, opcoes(s)), ResultadoAtualizacao::NovaRecusada);
  EXPECT_TRUE(gravador.viu("Aviso! Existe uma versao mais atualizada no site"));
  EXPECT_TRUE(gravador.viu("Veja no site no item \"O que mudou\" qual a mudanca"));
  EXPECT_TRUE(gravador.viu("Feita em 15/07/10. Deseja atualizar agora?"));
  EXPECT_FALSE(gravador.viu("Nao existe atualizacao"));
  EXPECT_EQ(configGravado, 0);
  EXPECT_EQ(paginaAberta, "");
}

TEST_F(Atualizacao, AcceptingStoresTheSettingsOpensThePageAndEnds) {
  // Any difference counts as newer, an older date too.
  ServidorHttp s(pagina("01/01/09"));
  term.type("S").press(key::Enter);
  EXPECT_EQ(INTER(ctx, aj, 0, opcoes(s)), ResultadoAtualizacao::Encerrar);
  EXPECT_TRUE(gravador.viu("Saindo do programa para a nova atualizacao"));
  EXPECT_EQ(configGravado, 1);
  EXPECT_EQ(paginaAberta, "http://" + s.endereco() + "/");
  EXPECT_FALSE(term.exhausted());
}

TEST_F(Atualizacao, APageThatCannotBeOpenedIsShown) {
  ServidorHttp s(pagina("15/07/10"));
  auto o = opcoes(s);
  o.servidor->pagina = "http://example.invalid/novidades";
  o.abrePagina = [](const std::string&) { return false; };
  term.type("S").press(key::Enter).press(key::Enter);
  EXPECT_EQ(INTER(ctx, aj, 1, o), ResultadoAtualizacao::Encerrar);
  EXPECT_TRUE(gravador.viu("http://example.invalid/novidades"));
  EXPECT_EQ(configGravado, 1);
}

TEST_F(Atualizacao, AReplyWithoutTheMarkerCouldNotBeChecked) {
  ServidorHttp s("<html>HTTP/1.1 200 OK maintenance</html>");
  term.press(key::Enter);
  EXPECT_EQ(INTER(ctx, aj, 1, opcoes(s)), ResultadoAtualizacao::SemAcesso);
  EXPECT_TRUE(gravador.viu("Erro no acesso a Internet"));
  EXPECT_FALSE(gravador.viu("Existe uma versao"));
}

TEST_F(Atualizacao, AMarkerCutShortCouldNotBeChecked) {
  ServidorHttp s("TAVREN-VERSAO:10/06");
  EXPECT_EQ(consultaVersao({s.endereco(), "TAVREN-VERSAO:", ""}, 2000ms).estado,
            VersaoNoSite::Estado::SemMarca);
}

TEST_F(Atualizacao, NoServerSetIsAnAccessError) {
  gravaChave("fator3=2519\n");
  term.press(key::Enter);
  OpcoesAtualizacao o;
  o.gravaConfig = [this] { ++configGravado; };
  EXPECT_EQ(INTER(ctx, aj, 1, o), ResultadoAtualizacao::SemAcesso);
  EXPECT_TRUE(gravador.viu("Erro no acesso a Internet"));
}

TEST_F(Atualizacao, NoConnectionIsAnAccessError) {
  int porta = 0;
  {
    ServidorHttp fechado("");
    porta = std::stoi(fechado.endereco().substr(10));
  }
  const VersaoNoSite v = consultaVersao({"127.0.0.1:" + std::to_string(porta), "TAVREN-VERSAO:", ""}, 2000ms);
  EXPECT_EQ(v.estado, VersaoNoSite::Estado::SemAcesso);
}

TEST_F(Atualizacao, AServerThatNeverAnswersTimesOut) {
  ServidorHttp s("", false);
  auto o = opcoes(s);
  o.limite = 300ms;
  term.press(key::Enter);
  const auto inicio = std::chrono::steady_clock::now();
  EXPECT_EQ(INTER(ctx, aj, 1, o), ResultadoAtualizacao::SemAcesso);
  EXPECT_LT(std::chrono::steady_clock::now() - inicio, 5s);
  EXPECT_TRUE(gravador.viu("Erro no acesso a Internet"));
}

TEST_F(Atualizacao, ServerMarkerAndPageComeFromTheSettingsFile) {
  ServidorHttp s("<p>VER=10/06/10</p>");
  gravaChave("fator3=2519\nservidor_atualizacao=" + s.endereco() +
             "\nmarca_atualizacao=VER=\npagina_atualizacao=http://site/pag\n");
  const ServidorAtualizacao lido = servidorAtualizacao(ctx);
  EXPECT_EQ(lido.servidor, s.endereco());
  EXPECT_EQ(lido.marca, "VER=");
  EXPECT_EQ(lido.pagina, "http://site/pag");
  term.press(key::Enter);
  EXPECT_EQ(INTER(ctx, aj, 1), ResultadoAtualizacao::SemNovidade);
}

TEST_F(Atualizacao, ANameThatIsNotAHostIsNotAsked) {
  EXPECT_EQ(consultaVersao({"127.0.0.1/../x", "M", ""}, 200ms).estado, VersaoNoSite::Estado::SemAcesso);
  EXPECT_EQ(consultaVersao({"user@host", "M", ""}, 200ms).estado, VersaoNoSite::Estado::SemAcesso);
}

TEST_F(Atualizacao, TheMenuItemStoresWhetherToCheckAtStartUp) {
  ServidorHttp s(pagina("10/06/10"));
  term.type("S").press(key::Enter);
  EXPECT_EQ(OPCAO_ATUALIZACAO(ctx, aj, opcoes(s)), ResultadoAtualizacao::SemNovidade);
  EXPECT_TRUE(gravador.viu("Deseja fazer essa verificacao sempre na entrada?"));
  EXPECT_EQ(aj.VER_ATUAL, "S");
  EXPECT_EQ(abre("DEFINE")->getText("VER_ATUAL"), "S");
}

// DEFINE without its record stores nothing, and the clerk who just answered is told so
// instead of the answer being dropped without a word.
TEST_F(Atualizacao, AnAnswerDefineCannotKeepIsSaid) {
  ASSERT_TRUE(store::ABERTURA(ctx, store::Area::DEFINE));  // made with its record
  ASSERT_TRUE(ctx.areas.close(store::Area::DEFINE));
  {
    rt::db::OpenOptions so;
    so.exclusive = true;
    auto define = rt::db::Table::open(programa / "DEFINE.DBF", so);
    ASSERT_TRUE(define.isOk());
    ASSERT_TRUE((*define)->zap());
  }
  ServidorHttp s(pagina("10/06/10"));
  term.type("S").press(key::Enter).press(key::Enter);
  EXPECT_EQ(OPCAO_ATUALIZACAO(ctx, aj, opcoes(s)), ResultadoAtualizacao::SemNovidade);
  EXPECT_TRUE(gravador.viu("gravar DEFINE"));
  EXPECT_EQ(aj.VER_ATUAL, "S");
}

}  // namespace
}  // namespace shell::teste

#include "converter/anterior_menu.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "console/janelas.h"
#include "console/pastas.h"
#include "converter/anterior_copia.h"
#include "converter/anterior_fontes.h"
#include "converter/anterior_rural.h"
#include "converter/grade.h"
#include "converter/moldura_contadores.h"
#include "converter/molduras.h"
#include "converter/pegaosdir.h"
#include "platform/drive.h"
#include "rt/db/transfer.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/diario_gravacao.h"
#include "store/em_uso.h"
#include "store/pastas_dados.h"
#include "store/recusa.h"
#include "store/reorg.h"

namespace converter {

using namespace rt::text::literals;
using converter::Linha;
using converter::TelaConversao;
using rt::Status;
using store::Area;

namespace {

// The source's taxpayers in LISNOME (emptied first), unmarked, in name order; false when it
// could not be had or written (said).
bool listaContribuintes(store::Contexto& ctx, const std::vector<std::pair<std::string, std::string>>& quem,
                        const std::string& origem) {
  if (!store::ABERTURA(ctx, Area::LISNOME, true)) return false;
  rt::db::Table& t = *store::tabela(ctx.areas, Area::LISNOME);
  if (!store::gravou(ctx, t.zap(), "LISNOME")) return false;
  for (const auto& [cpf, nome] : quem) {
    Status s = t.appendBlank();
    if (s) s = t.put("CPF", cpf);
    if (s) s = t.put("NOMECONTR", rt::text::padr(nome, 40));
    if (s) s = t.put("ORIGEM", origem);
    if (s) s = t.put("IMPRE", std::string(" "));
    if (!store::gravou(ctx, s, "LISNOME")) return false;
  }
  if (!store::gravou(ctx, t.commit(), "LISNOME")) return false;
  t.setOrder(1);
  t.goTop();
  return true;
}

// The marked taxpayers in name order (CPF and name), after the grid; the unmarked count.
std::vector<std::pair<std::string, std::string>> marcados(store::Contexto& ctx, int& outros) {
  std::vector<std::pair<std::string, std::string>> v;
  outros = 0;
  rt::db::Table* t = store::tabela(ctx.areas, Area::LISNOME);
  if (t == nullptr) return v;
  t->setOrder(1);
  for (t->goTop(); t->status() && !t->eof(); t->skip(1)) {
    if (rt::text::alltrim(t->getText("IMPRE")) == "S")
      v.emplace_back(t->getText("CPF"), std::string(rt::text::trim(t->getText("NOMECONTR"))));
    else
      ++outros;
  }
  return v;
}

// Whether table n of the data folder (9 the register, 15 the rural summary) has the CPF;
// nullopt when it could not be opened (said by the opener).
std::optional<bool> temCpf(store::Contexto& ctx, Area n, const store::Cpf& cpf) {
  if (!store::aberta(ctx.areas, n) && !store::ABERTURA(ctx, n)) return std::nullopt;
  rt::db::Table& t = *store::tabela(ctx.areas, n);
  t.setOrder(1);
  if (!t.seek(cpf.chave())) return std::nullopt;
  return t.found();
}

// Between two taxpayers: an Esc typed asks whether to stop.
bool abandona(store::Contexto& ctx) {
  return ctx.relato().desiste() && ctx.relato().pergunta("Abandona a conversão dos dados?"_cp, false);
}

// One taxpayer of items 1 and 3: built in memory, then written with his register row in one
// journal, so that a kill leaves him as before or whole. False when refused or not written
// (said).
bool converteUm(store::Contexto& ctx, CopiaAnterior& copia, const store::Cpf& cpf) {
  // A new declaration of the CPF open on another terminal would be saved over what is carried.
  store::UsoDeclaracao uso;
  std::string motivo;
  if (!store::reservaDeclaracao(ctx, ctx.LOCARQ, cpf.chave(), uso, &motivo)) {
    ctx.relato().alerta(motivo);
    return false;
  }
  Linha registro;
  converter::TabelasCpf tabelas(ctx, cpf);
  Status s = CONV_VESKIR(copia, cpf, registro, tabelas);
  if (s) {
    tabelas.substitui(store::numero(Area::IMP0910));
    auto r = tabelas.nova(store::numero(Area::IMP0910));
    if (r)
      **r = std::move(registro);
    else
      s = r.status();
  }
  if (s) s = tabelas.grava();
  return static_cast<bool>(store::gravou(ctx, s, cpf.chave()));
}

struct Execucao {
  store::Contexto& ctx;
  Conversor& c;
  const TelaConversao& tela;
  converter::Contadores n;

  void contadores() {
    if (tela.contadores) tela.contadores(n);
  }

  // Steps 6 to 9 of a run: listing, marking, the counters. The marked ones; empty when
  // nothing is to be done.
  std::vector<std::pair<std::string, std::string>> seleciona(const std::vector<std::pair<std::string, std::string>>& quem,
                                                             const std::string& origem) {
    if (!listaContribuintes(ctx, quem, origem)) return {};
    if (tela.seleciona) tela.seleciona(ctx);
    int outros = 0;
    auto v = marcados(ctx, outros);
    if (v.empty()) {
      ctx.relato().alerta({"Nenhum contribuinte foi marcado para a conversao.",
                           "Marque com S (sim) nos que deseja converter.    "});
      CONVAUX(ctx, c);
      return {};
    }
    n.aConverter = n.restantes = static_cast<int>(v.size());
    n.naoConvertidos = outros;
    return v;
  }

  void anteriores() {
    const Edicao e = c.OPCAO_1 == kLivroCaixa ? Edicao::LivroCaixa : Edicao::Brantel;
    const std::string origem = console::BAR_DIR(rt::text::alltrim(c.ARQORIG));
    auto fontes = FontesAnteriores::abre(ctx, e, origem);
    if (!fontes) return;
    if (e == Edicao::LivroCaixa && !fontes->temCampo(9, "TITULO")) {
      ctx.relato().alerta({"Atenção! A conversao do QRB só é feita para quem estiver"_cp,
                           "com a versão 9.02 ou posterior. Verifique sua versão.   "_cp});
      return;
    }
    if (auto f = fontes->falta()) {
      // Last year's tables of another layout: nothing is carried rather than something wrong.
      ctx.relato().alerta({f->texto(), "Nenhum contribuinte foi convertido."});
      return;
    }
    // The rural tables come along when there; one lacking a field refuses the run (said).
    std::unique_ptr<RuralAnterior> rural;
    std::unique_ptr<RuralLivroCaixa> livro;
    if (e == Edicao::Brantel) {
      auto r = RuralAnterior::abreConferida(ctx, origem);
      if (!r) return;
      rural = std::move(*r);
    } else {
      auto r = RuralLivroCaixa::abreConferida(ctx, origem);
      if (!r) return;
      livro = std::move(*r);
    }
    if (!store::aberta(ctx.areas, Area::IMP0910) && !store::ABERTURA(ctx, Area::IMP0910)) return;
    auto quem = fontes->contribuintes();
    if (!store::gravou(ctx, quem.status(), arquivoFonte(e, 9))) return;
    auto v = seleciona(*quem, e == Edicao::LivroCaixa ? "QRB/TAVREN  " : "BRANTEL     ");
    if (v.empty()) return;
    CopiaAnterior copia{ctx, *fontes};
    copia.rural = rural.get();
    copia.livro = livro.get();
    if (e == Edicao::Brantel) {
      copia.MOST_VEND = ctx.relato().escolha({"Ao buscar dados de 2009 para 2010", "caso encontre um bem vendido qual",
                                              "     a providência a tomar ?     "_cp,
                                              " Nao transporte esse bem p/TAVREN", " Sim. Transporte tudo como está. "_cp},
                                             {"Nao", "Sim"});
      // Without an answer the assets cannot be carried: the run stops before anything is
      // written.
      if (copia.MOST_VEND != 1 && copia.MOST_VEND != 2) return;
    }
    // One open of each table for the whole run, each taxpayer still written whole or not at
    // all. (The rural item reads its summary table between taxpayers, so it goes without.)
    store::LoteGravacao lote(ctx);
    percorre(v, [&](const store::Cpf& cpf) { return temCpf(ctx, Area::IMP0910, cpf); },
             [&](const store::Cpf& cpf) { return converteUm(ctx, copia, cpf); });
    // Every taxpayer is on disk already; a table that does not close is still said.
    (void)store::gravou(ctx, lote.termina(), ctx.LOCARQ);
  }

  // Step 11 over the marked taxpayers: one already in the folder (`existe`) is counted and
  // left alone, the others converted (`converte`; false: not converted) until the user
  // abandons the run; then the auxiliary tables.
  void percorre(const std::vector<std::pair<std::string, std::string>>& v,
                const std::function<std::optional<bool>(const store::Cpf&)>& existe,
                const std::function<bool(const store::Cpf&)>& converte) {
    contadores();
    for (const auto& [cpfTexto, nome] : v) {
      const store::Cpf cpf(cpfTexto);
      const std::optional<bool> tem = existe(cpf);
      if (!tem) break;
      if (*tem) {
        ++n.existentes;
      } else {
        if (tela.mostra) tela.mostra(cpf.chave(), nome);
        c.NOVIN = true;
        if (abandona(ctx)) break;
        if (converte(cpf))
          ++n.convertidos;
        else
          ++n.naoConvertidos;
      }
      --n.restantes;
      contadores();
    }
    if (tela.fecha) tela.fecha();
    CONVAUX(ctx, c);
  }

  void rurais() {
    if (c.CTIPOCONV == "N") {
      reconverteRural(ctx, c);
      return;
    }
    const std::string origem = console::BAR_DIR(rt::text::alltrim(c.ARQORIG));
    const std::vector<std::string> chave = {"CPF"};
    ctx.MOS_MENS = false;
    const workareas::Emprestimo listado(ctx.areas, workareas::kRegistroRuralListado);
    if (!store::ABRE_ALHEIA(ctx, listado.area(1), origem + "MOL909", chave)) {
      ctx.relato().alerta("Problema ao abrir arquivo Origem");
      return;
    }
    if (!store::aberta(ctx.areas, Area::IMP0910) && !store::ABERTURA(ctx, Area::IMP0910)) {
      ctx.relato().alerta("Problema ao abrir arquivo Destino");
      return;
    }
    auto fontes = RuralAnterior::abre(ctx, origem);
    if (!fontes) {
      ctx.relato().alerta("Problema ao abrir arquivo Origem");
      return;
    }
    std::vector<std::pair<std::string, std::string>> quem;
    rt::db::Table& r = *ctx.areas.table(listado.area(1));
    r.setDeletedHidden(true);
    r.setOrder(0);
    for (r.goTop(); r.status() && !r.eof(); r.skip(1))
      if (!rt::text::isEmptyText(r.getText("CPF"))) quem.emplace_back(r.getText("CPF"), r.getText("NOMECONTR"));
    if (!store::gravou(ctx, r.status(), "MOL909")) return;
    auto v = seleciona(quem, "BRANTEL     ");
    if (v.empty()) return;
    // Here a taxpayer is already there when he has a rural summary.
    percorre(
        v,
        [&](const store::Cpf& cpf) {
          const std::optional<bool> tem = temCpf(ctx, Area::IMP1510, cpf);
          // Only read here: its close has nothing to report.
          (void)store::fecha(ctx.areas, Area::IMP1510);
          return tem;
        },
        // A taxpayer refused (not in this folder) was not converted.
        [&](const store::Cpf& cpf) { return CONV_VESKAR(ctx, *fontes, cpf).isOk(); });
  }
};


}  // namespace

converter::Contadores converteAnteriores(store::Contexto& ctx, Conversor& c, const TelaConversao& tela) {
  Execucao x{ctx, c, tela, {}};
  c.NOVIN = false;
  if (c.OPCAO_1 == kKelsvor)
    x.rurais();
  else
    x.anteriores();
  ctx.areas.release(Area::LISNOME);
  return x.n;
}

void CONVAUX(store::Contexto& ctx, const Conversor& c) {
  if (rt::text::isEmptyText(c.DIRINST)) return;
  auto junta = [&](Area a, const char* nome) {
    const std::string caminho = console::caminhoLinux(ctx, console::BAR_DIR(rt::text::alltrim(c.DIRINST)) + nome);
    if (!platform::fileExists(caminho)) return;
    if (!store::aberta(ctx.areas, a) && !store::ABERTURA(ctx, a)) return;
    rt::db::Table& t = *store::tabela(ctx.areas, a);
    t.goTop();
    if (!t.status() || !t.eof()) return;
    Status s = t.lockFile();
    if (s) s = rt::db::appendFrom(t, caminho);
    if (s) s = t.commit();
    (void)store::liberaGravacao(ctx, t, s, nome);  // says its own failure
  };
  if (c.OPCAO_1 == kBrantel) junta(Area::AUXBENS, "auxbens.dbf");
  junta(Area::AUXPAG, "auxpag.dbf");
}

namespace {

// REORG after a conversion: the target's declaration tables packed and indexed again, and the
// check pass. Nothing of the program folder: tavren, which may have started this run, and the
// other terminals keep its tables open. A table in use is waited for with its name on the
// status row, and named at the end when it was left as it was.
void reorganizaDestino(store::Contexto& ctx, std::string_view pasta) {
  const bool mostra = ctx.MOS_MENS;
  ctx.MOS_MENS = true;
  std::vector<std::string> ocupadas;
  (void)store::REORG(ctx, pasta, 3, &ocupadas);  // a table that could not be had was said
  ctx.MOS_MENS = mostra;
  ctx.relato().fimEspera();
  store::avisaOcupadas(ctx, ocupadas);
  // The check pass says what it could not open and goes on as far as it can.
  (void)store::ABERTURA(ctx, store::Area::Nenhuma);
}

// Back in the folder the run started in: the data folder, the register, and the folder the
// next dialogs offer.
void voltaPasta(store::Contexto& ctx, Conversor& c) {
  ctx.definePastaDados(console::BAR_FORA(c.DIRORIG));
  c.ROTA = ctx.ROTADOANO;
  store::passaParaPasta(ctx, c.DIRORIG);
}

}  // namespace

void AJUST_DIR(store::Contexto& ctx, Conversor& c) {
  if (c.NOVIN) {
    const std::string alvo = console::BAR_FORA(rt::text::alltrim(c.ARQDEST.empty() ? ctx.LOCARQ : c.ARQDEST));
    reorganizaDestino(ctx, ctx.LOCARQ);
    if (!store::aberta(ctx.areas, Area::DIRET)) (void)store::ABERTURA(ctx, Area::DIRET);  // said by the opener
    (void)store::registraPasta(ctx, alvo);  // a failure is said there
    const bool outra = !store::mesmaPasta(ctx, alvo, c.DIRORIG);
    if (outra && !c.pastaDoTavren.empty()) {
      // Tavren stays in its own folder and writes it into CONFIG when it ends: staying in the
      // target here would last only until then. The converter goes back to tavren's folder,
      // and the clerk is told where the taxpayers went and how to get there.
      voltaPasta(ctx, c);
      // Three lines: the alert then stays clear of the counters above it.
      ctx.relato().alerta({"Contribuintes convertidos na pasta", alvo,
                           "O TAVREN continua na pasta atual (troque-a em Pastas)."});
    } else if (outra && ctx.relato().pergunta(std::string("Permanece no diretório "_cp) + alvo, true)) {
      if (rt::db::Table* lista = store::tabela(ctx.areas, Area::DIRET)) {
        const store::SelecaoGuardada selecao(ctx.areas, Area::DIRET);
        for (lista->goTop(); lista->status() && !lista->eof(); lista->skip(1))
          if (store::mesmaPasta(ctx, lista->getText("DIRETOR"), alvo)) break;
        if (lista->status() && !lista->eof()) (void)store::TROCASIM(ctx, 1);  // says its own failure
      }
    } else if (outra) {
      voltaPasta(ctx, c);
    }
  }
  ctx.janelas.FECHAJAN(console::Jan::kMensagem);
  ctx.janelas.FECHAJAN(console::Jan::kTela);
}

namespace {

void conversaoNaTela(store::Contexto& ctx, Conversor& c) {
  ctx.janelas.FECHAJAN(console::Jan::kDialogo);
  c.NOVIN = false;
  ctx.relato().linha("Use a Tecla F1 para selecionar as pastas de origem do IR ou MOL");
  if (!PEGAOSDIR(ctx, c, c.OPCAO_1 == kKelsvor ? ModoPastas::Rural : ModoPastas::Anterior)) return;
  {
    // The counters stay in view until the menu takes over again, which closes their window.
    JanelaTalvez cabecalho{ctx.janelas, console::Jan::kTela};
    bool caixa = false;
    TelaConversao tela;
    tela.seleciona = [](store::Contexto& x) {
      store::seleciona(x.areas, Area::LISNOME);
      EDITA(x, grade::Contribuintes);
    };
    tela.contadores = [&](const converter::Contadores& n) {
      if (!caixa) {
        MTELA1(ctx, c, moldura::Contadores);
        caixa = true;
      }
      mostraContadores(ctx, n);
      ctx.console.refresh();
    };
    tela.mostra = [&](const std::string& cpf, const std::string& nome) {
      if (!cabecalho.aberta) {
        MTELA3(ctx, moldura::Contribuinte);
        cabecalho.aberta = true;
        ctx.relato().linha("ESC - Interrompe a conversão"_cp);
      }
      const auto cor = static_cast<rt::term::Attr>(ctx.cores.COR_TEL1);
      // The punctuated CPF fills the 14 columns inside its box.
      ctx.screen().put(ctx.ALJA[3] + 2, ctx.ACJA[3] + 2, rt::text::transform(cpf, "@R 999.999.999-99"), cor);
      ctx.screen().put(ctx.ALJA[3] + 2, ctx.ACJA[3] + 19, rt::text::padr(nome, 50), cor);
      ctx.screen().put(ctx.ALJA[3] + 4, ctx.ACJA[3] + 2, "Convertendo ", cor);
      ctx.screen().put(ctx.ALJA[3] + 5, ctx.ACJA[3] + 19, rt::text::padr(ctx.LOCARQ, 50), cor);
      ctx.console.refresh();
    };
    converteAnteriores(ctx, c, tela);
  }
  if (c.OPCAO_1 != kKelsvor) AJUST_DIR(ctx, c);
}

}  // namespace

void CONVIRVESK(store::Contexto& ctx, Conversor& c) {
  conversaoNaTela(ctx, c);
  // The run's notices ("Use a Tecla F1...", "ESC - Interrompe...") end with it: the status row
  // would bring them back under the next item's dialogs.
  ctx.relato().linha("");
}

}  // namespace converter

#include "shell/inicio.h"

#include "console/alerta.h"
#include "console/arquivo_recusado.h"
#include "console/mensagens.h"
#include "console/molduras.h"
#include "console/pastas.h"
#include "console/recusa.h"
#include "export/indice.h"
#include "office/remessa_diario.h"
#include "platform/paths.h"
#include "rt/fs/shared_files.h"
#include "rt/term/colour.h"
#include "rt/term/fatal_signals.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "shell/ajuda_programa.h"
#include "shell/atualizacao.h"
#include "shell/config_terminal.h"
#include "shell/cores_registro.h"
#include "shell/menu_principal.h"
#include "shell/registros.h"
#include "shell/senha.h"
#include "shell/servicos_declaracao.h"
#include "shell/terminal_numero.h"
#include "store/abertura.h"
#include "store/acerto.h"
#include "store/areas.h"
#include "store/catalogo.h"
#include "store/diario_gravacao.h"
#include "store/fornecidas.h"
#include "store/recusa.h"
#include "store/semente.h"
#include "store/travas.h"
#include "store/verificacao.h"

namespace shell {

using namespace rt::text::literals;
using rt::text::Decimal;

namespace {

// Scratch files of work killed midway (a table or index being built, a settings file, a copy,
// an export) stay until someone removes them: the ones no living writer holds go now, from
// the folders this terminal writes in.
void limpaProvisorios(Program& p) {
  for (const std::string& pasta : {p.ARQDEF, p.LOCARQ, p.LOCTRAB}) {
    if (rt::text::alltrim(pasta).empty()) continue;
    rt::fs::sweepScratch(console::caminhoLinux(p, pasta));
  }
  if (!rt::text::alltrim(p.LOCIRPF).empty()) exporta::limpaProvisorios(console::caminhoLinux(p, p.LOCIRPF));
}

rt::term::Attr cor(std::string_view texto) {
  return rt::term::parseColour(texto).value_or(rt::term::makeAttr(15, 1));
}

std::string ambiente(const Program& p, const char* nome) {
  const char* v = p.env(nome);
  return v ? std::string(v) : std::string();
}

// The program folder: DTAVREN when it names an existing folder, else the current folder.
void pastaPrograma(Program& p) {
  p.DIRDEF = ambiente(p, "DTAVREN");
  const std::string_view dir = rt::text::alltrim(p.DIRDEF);
  if (dir.empty() || !console::VERDIR(p, dir))
    p.definePastaPrograma(console::GETDIR());
  else
    p.definePastaPrograma(dir);
}

// The start-up screen: the about box and, in window 2, the program's name and version.
void telaInicial(Program& p) {
  p.janelas.ENCHETELA(' ', cor(p.cores.COR_ENCH_C));
  console::MTELA1(p, console::mtela1::Apresentacao, {.versao = p.VERSAO + " " + p.aj.CULTIMAVER});
  p.janelas.DEFINEJAN(console::Jan::kGrade, p.cores.COR_TEL1, p.cores.COR_TEL2, p.cores.COR_ENCHE, 19, 2, 23, 51, 0);
  p.janelas.ABREJAN(console::Jan::kGrade);
  auto& s = p.screen();
  const auto a = static_cast<rt::term::Attr>(p.cores.COR_TEL2);
  s.fill({19, 2, 23, 51}, ' ', a);
  s.box({19, 2, 23, 51}, "╔═╗║╝═╚║"_cp, a);
  const std::string texto = std::string("TAVREN Versão "_cp) + p.VERSAO;
  s.put(21, 2 + (50 - static_cast<int>(texto.size())) / 2, texto,
        static_cast<rt::term::Attr>(p.cores.COR_TEL1));
}

// A value into the terminal's CONFIG record (area 42, positioned) under the 5-second lock.
void gravaNaConfig(Program& p, const Escrita& escreve) {
  rt::db::Table* t = store::tabela(p.areas, store::Area::CONFIG);
  // gravaTravado says a value it could not keep; the run goes on with it in memory.
  if (t && !t->eof()) gravaTravado(p, store::Area::CONFIG, *t, escreve).ignoreTold();
}

// DEFINE into the variables; false when the table could not be had.
bool leDefine(Program& p) {
  if (!store::ABERTURA(p, store::Area::DEFINE)) return false;
  rt::db::Table& t = *store::tabela(p.areas, store::Area::DEFINE);
  t.goTop();
  // An empty DEFINE would leave no prices, no due dates and the bank-slip counter at 0.
  if (t.eof() && store::FIL_LOCK(p, store::kEsperaTrava)) {
    // Under the file lock, so two terminals starting together seed it once.
    t.goTop();
    rt::Status s;
    if (t.eof())
      s = store::gravaValores(t, store::estrutura(store::Area::DEFINE),
                              store::sementeDEFINE());
    // Said; the settings then stay at their defaults, as when the table cannot be had.
    store::liberaGravacao(p, t, s, t.alias()).ignoreTold();
    t.goTop();
  }
  if (!t.eof()) {
    for (int i = 0; i < 8; ++i)
      p.glob.DAT_VENC[static_cast<std::size_t>(i)] = t.getDate("VCTO" + std::to_string(i + 1));
    p.glob.NVALDOLAR = t.getNumber("VAL_DOLAR");
    p.glob.BOL_NOSNRO = t.getNumber("BOL_NOSNRO");
    office::ContaEmail& e = p.correio.conta;
    e.SER_SMTP = rt::text::alltrim(t.getText("SER_SMTP"));
    e.NOM_USUA = rt::text::alltrim(t.getText("NOM_USUA"));
    e.EMA_USUA = rt::text::alltrim(t.getText("EMA_USUA"));
    e.MEMORIZ = t.getText("MEMORIZ") == "S" ? "S" : "N";
    e.SEN_USUA = e.MEMORIZ == "S" ? std::string(rt::text::alltrim(t.getText("SEN_USUA"))) : std::string();
  }
  carregaDefine(p, p.aj);
  p.glob.BOL_BANCO = 341;
  p.glob.CVALDOLAR = rt::text::str(p.glob.NVALDOLAR, 6, 4);
  store::solta(p.areas, store::Area::DEFINE);
  return true;
}

// A program folder whose name would not fit the 40-character folder fields of CONFIG and of
// the folder register: the user is told the limit and the program ends before anything is
// stored. False when the program is to end.
bool pastaProgramaCabe(Program& p) {
  if (p.ROTADEF.size() <= kLarguraPasta) return true;
  // The alert shows at most 70 characters of the name: its end tells the folders apart.
  std::string nome = p.ROTADEF;
  if (nome.size() > 70) nome = "..." + nome.substr(nome.size() - 67);
  // The user is told the variable they set: the run script's TAVREN_HOME, which it hands on
  // as DTAVREN, or DTAVREN itself when the program is started without the script.
  const std::string variavel = p.env("TAVREN_HOME") != nullptr ? "TAVREN_HOME" : "DTAVREN";
  console::AVISOSN(p,
                   std::vector<std::string>{"A pasta do programa tem mais de " + std::to_string(kLarguraPasta) +
                                                " caracteres:",
                                            nome,
                                            std::string("Os nomes de pasta são guardados com até "_cp) +
                                                std::to_string(kLarguraPasta) + " caracteres.",
                                            std::string("Use uma pasta de nome mais curto (variável "_cp) + variavel + ")."},
                   0);
  return false;
}

// The year's data folder, or the program folder when the user takes it; false: leave.
bool pastaDoAno(Program& p) {
  p.ROTA = std::string(rt::text::alltrim(p.ROTADEF));
  const std::string ano(rt::text::alltrim(p.ROTADOANO));
  // The user is asked, never switched to another folder silently.
  if (ano.empty() || !console::VERDIR(p, ano)) {
    const std::string r =
        console::AVISOSN(p,
                         std::vector<std::string>{"A Pasta " + ano + std::string(" não foi encontrada!"_cp),
                                                  "Sim - Assume: " + p.ROTA, "Nao - Sai do programa!"},
                         2);
    if (r == "N") return false;
    p.definePastaDados(p.ROTADEF);
    const std::string novo = p.ROTADOANO;
    gravaNaConfig(p, [&](rt::db::Table& t) { return t.put("ROTADOANO", novo); });
  }
  p.ROTA = std::string(rt::text::alltrim(p.ROTADOANO));
  if (!console::VERDIR(p, p.DIRTRAB)) p.definePastaTrabalho(p.ROTA);
  p.DIRORIG = p.LOCARQ;
  return true;
}

// The program is to end with `codigo` at the start-up step `passo`: what stopped it has been
// said (or was the clerk's choice).
rt::Status encerra(Program& p, int codigo, std::string_view passo) {
  p.saida = codigo;
  return console::falhaDita(rt::Error::kFailed, std::string("start-up: ") + std::string(passo));
}

}  // namespace

std::optional<std::string> INICIOSIS(Program& p, std::optional<std::string_view> argumento) {
  // Windows 1 to 10 (kCabecalho to kMensagem) back as they are made at start-up.
  for (int j = 1; j <= 10; ++j) p.janelas.DEFINEJAN(console::Jan{j}, 48, 112, 7, 1, 1, 25, 80, 0);
  p.ALJ.zera();
  p.ACJ.zera();
  p.ALJA.zera();
  p.ACJA.zera();
  pastaPrograma(p);
  if (!pastaProgramaCabe(p)) return std::nullopt;
  p.PASTA_SEMENTE = store::pastaSementePadrao(p.env);

  const std::string terminal = ambiente(p, "TERMINAL");
  std::optional<std::string> nusu;
  if (terminalNumerico(terminal))
    nusu = numeroTerminal(terminal);
  else if (argumento)
    nusu = numeroTerminal(*argumento);
  else
    nusu = QUAL_USUR(p);
  if (!nusu) nusu = "00";
  for (;;) {
    bool ocupado = false;
    std::string recusa;
    p.travaTerminal = travaTerminal(p, *nusu, ocupado, &recusa);
    // The terminal goes on without its lock file, as when the program folder is read-only.
    if (!recusa.empty()) console::AVISOSN(p, console::linhasLink(recusa), 0);
    if (!ocupado) break;
    console::AVISOSN(p, "Terminal com esse nro aberto em outro local", 0);
    nusu = QUAL_USUR(p, true);
    if (!nusu) return std::nullopt;
  }
  p.NUSU = *nusu;
  // A crash from here on leaves its line in error.log too.
  rt::term::fatal::setLog(p.ARQDEF + "error.log", "terminal " + p.NUSU);
  CRIACOR(p).ignoreTold();
  return p.NUSU;
}

rt::Status CONFIGURA(Program& p) {
  padroesConfig(p);
  if (const rt::Status aberta = store::ABERTURA(p, store::Area::CONFIG); !aberta) {
    console::AVISOSN(p, "Arquivo de configuraçao sendo usado no momento"_cp, 0);
    return aberta.markTold();
  }
  rt::db::Table& t = *store::tabela(p.areas, store::Area::CONFIG);
  if (achaTerminal(p, t)) {
    leConfig(p, t);
  } else {
    p.definePastaDados(pastaDadosNova(p));
    if (store::ADD_REC(p, store::kEsperaTrava)) {
      rt::Status s = gravaConfigNova(p, t);
      // Said; the terminal runs on the defaults it has in memory.
      store::liberaGravacao(p, t, s, t.alias()).ignoreTold();
      achaTerminal(p, t);
    }
  }
  limitaEscolhas(p);
  return {};
}

std::string lembreteBackup(Program& p) {
  const int dias = p.HOJE - p.cfg.ULTBACK;
  if (p.HOJE.year() != 2010 || p.HOJE.month() >= 5 || dias <= 3) return "N";
  const std::string r = console::AVISOSN(
      p,
      std::vector<std::string>{" Atencao " + rt::text::str(Decimal(dias), 3) + " dia" +
                                   (dias > 1 ? "s" : " ") + " sem fazer o backup compactado.",
                               " Sim - Obrigado pelo aviso. Vou fazer agora ",
                               " Nao - Novo aviso so daqui 7 dias      "},
      2);
  if (r == "N") {
    p.cfg.ULTBACK = p.HOJE + 4;
    const rt::text::Date data = p.cfg.ULTBACK;
    gravaNaConfig(p, [data](rt::db::Table& t) { return t.put("ULTBACK", data); });
  }
  return r;
}

void registraPasta(Program& p) {
  rt::db::Table* t = store::tabela(p.areas, store::Area::DIRET);
  if (!t) return;
  const std::string nome = console::BAR_FORA(p.LOCARQ);
  const auto marca = [&](std::string_view valor) {
    return gravaTravado(p, store::Area::DIRET, *t,
                        [valor](rt::db::Table& r) { return r.put("SELEC", std::string(valor)); });
  };
  // Every other chosen row is unmarked first, so the register never has two chosen rows.
  std::uint32_t achado = 0;
  t->goTop();
  for (; t->status() && !t->eof(); t->skip()) {
    if (!achado && platform::equalsIgnoreCase(rt::text::alltrim(t->getText("DIRETOR")), nome)) {
      achado = t->recNo();
    } else if (t->getText("SELEC") == "S") {
      marca(" ").ignoreTold();  // gravaTravado says its own failure
    }
  }
  if (achado) {
    t->goTo(achado);
    if (store::gravou(p, t->status(), t->alias()) && t->getText("SELEC") != "S")
      marca("S").ignoreTold();  // gravaTravado says its own failure
  } else {
    const store::SelecaoGuardada diret(p.areas, store::Area::DIRET);
    if (store::ADD_REC(p, store::kEsperaTrava)) {
      rt::Status s = t->put("SELEC", std::string("S"));
      if (s) s = t->put("DIRETOR", nome);
      store::liberaGravacao(p, *t, s, t->alias()).ignoreTold();  // said; the folder is in use all the same
    }
  }
  t->goTop();
}

namespace {

// The terminal up to the main menu's folder work: its number, settings, DEFINE, the year's
// folder and the password. Failed, and told (p.saida set), when the program is to end.
rt::Status preparaTerminal(Program& p, std::optional<std::string_view> argumento) {
  auto nusu = INICIOSIS(p, argumento);
  if (!nusu) return encerra(p, 1, "terminal");
  // Every name the grid screens use resolves before anyone can type into one of them.
  if (!confereCatalogo(p)) return encerra(p, 1, "catalogue");
  if (!CONFIGURA(p)) return encerra(p, 1, "CONFIG");
  p.LOCIRPF = rt::text::alltrim(p.cfg.ROTARECEI).empty()
                  ? std::string()
                  : console::BAR_DIR(rt::text::alltrim(p.cfg.ROTAJAVA));
  p.CPF = p.cfg.ULT_CPF;
  telaInicial(p);

  store::CORRECAO(p, 1);
  store::seleciona(p.areas, store::Area::CONFIG);
  p.CRESBAK = lembreteBackup(p);

  if (!leDefine(p)) return encerra(p, 1, "DEFINE");
  store::seleciona(p.areas, store::Area::CONFIG);
  if (!pastaDoAno(p)) return encerra(p, 0, "data folder");

  p.janelas.REDFATR(console::Jan::kMensagem, 1, p.cores.COR_TEL2);
  p.janelas.REDFATR(console::Jan::kMensagem, 2, p.cores.COR_TEL1);
  p.janelas.REDFATR(console::Jan::kMensagem, 3, p.cores.COR_TEL2);
  // The printer record belongs to the printing subsystem, which loads it when present.
  // CRIA_SEQ says its own failure; start-up goes on with the record as it could be loaded.
  if (p.CRIA_SEQ) p.CRIA_SEQ(p).ignoreTold();

  if (PEDE_SENHA(p, p.aj) == Entrada::Encerrar) return encerra(p, 1, "password");
  p.janelas.FECHAJAN(console::Jan::kGrade);
  return {};
}

}  // namespace

rt::Status INICIA(Program& p, std::optional<std::string_view> argumento) {
  RT_TRY(preparaTerminal(p, argumento));
  // The help texts before the check pass, which opens them only when both files are there.
  // A failure has been said by the creation itself; start-up goes on without help.
  criaAjuda(p).ignoreTold();
  store::passaVerificacao(p).ignoreTold();
  // Without its folder register the terminal cannot choose a folder or find a declaration;
  // the opener has said why.
  if (!store::aberta(p.areas, store::Area::DIRET)) return encerra(p, 1, "DIRET");
  registraPasta(p);
  // A save that died midway left its journal in the data folder: complete it before anyone
  // reads the taxpayer's rows.
  store::recuperaDiarios(p);
  // And a remittance file killed midway: its slips sent or waiting, never both.
  (void)office::recuperaRemessa(p);
  limpaProvisorios(p);

  p.TAM_OLD = 0;
  p.POSVER = 1;
  p.QUALHLP = " ";
  p.janelas.FECHAJAN(console::Jan::kMensagem);
  console::MENS(p);

  CREATEMAINMENU(p);
  store::reabre(p, store::Area::IMP0910);
  p.janelas.FECHAJAN(console::Jan::kMensagem);
  p.NPOSMENU = p.CRESBAK == "S" ? 6 : 1;

  OpcoesAtualizacao op;
  // gravaConfig says its own failure.
  op.gravaConfig = [&p] {
    gravaConfig(p, [&p](rt::db::Table& t) { return gravaConfigSaida(p, t); }).ignoreTold();
  };
  if (atualizacaoNaEntrada(p, p.aj, op) == ResultadoAtualizacao::Encerrar) return encerra(p, 0, "update");
  return {};
}

}  // namespace shell

#include "shell/declara.h"

#include <string>
#include <vector>

#include "console/ajuda.h"
#include "console/alerta.h"
#include "console/documentos.h"
#include "console/mensagens.h"
#include "console/molduras.h"
#include "console/pastas.h"
#include "gains/imposto_corrigido.h"
#include "grid/tela.h"
#include "rt/term/colour.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "screens/detalhe.h"
#include "screens/diario.h"
#include "screens/pendencias.h"
#include "screens/regras.h"
#include "shell/ajuda_programa.h"
#include "shell/calculos_declaracao.h"
#include "shell/conversores.h"
#include "shell/declara_regras.h"
#include "shell/declara_teclas.h"
#include "shell/despacho.h"
#include "shell/servicos_declaracao.h"
#include "shell/telas_declaracao.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/copia_trabalho.h"
#include "store/recusa.h"
#include "store/salva.h"
#include "store/travas.h"
#include "taxcalc/consistencia.h"

namespace shell {

using namespace rt::text::literals;

namespace {

bool naoHa(Program& p, Declara&) {
  naoDisponivel(p);
  return false;
}

rt::term::Attr corEnche(const Program& p) {
  return rt::term::parseColour(p.cores.COR_ENCH_C).value_or(rt::term::makeAttr(15, 1));
}

// The lines of an alert given as one text with ";" between them.
std::vector<std::string> linhas(std::string_view texto) {
  std::vector<std::string> r;
  std::size_t inicio = 0;
  while (true) {
    const std::size_t fim = texto.find(';', inicio);
    r.emplace_back(
        texto.substr(inicio, fim == std::string_view::npos ? std::string_view::npos : fim - inicio));
    if (fim == std::string_view::npos) return r;
    inicio = fim + 1;
  }
}

}  // namespace

std::string_view textoTerminaDeclaracao() {
  return " Termina  a  Declaração ?;Sim. Salve tudo        ;Não, volte p/declaração.;Ignore as alterações    "_cp;
}

std::string perguntaTermina(Program& p) {
  // Esc on the question means "N": the declaration goes on, nothing is saved or dropped.
  return console::AVISOSN(p, linhas(textoTerminaDeclaracao()), 3);
}

namespace {

// CONFERE(1): the open declaration checked against the rules with its progress on the
// message line, its findings kept in table 11 (held exclusively meanwhile); then the working
// copies are closed and the verdict shown: "Declaração OK ..." without findings, else the
// taxpayer's error list in its grid.
bool confereDeclaracao(Program& p, Declara& d) {
  if (d.calculos() == nullptr) return false;
  // The rules' texts, degrees and screens come from the shipped message list.
  const bool mensagensAbertas = store::aberta(p.areas, store::Area::LISERRO);
  if (!mensagensAbertas && !store::ABERTURA(p, store::Area::LISERRO)) return false;
  if (!store::ABERTURA(p, store::Area::IMP1110, true)) {
    if (!mensagensAbertas) store::solta(p.areas, store::Area::LISERRO);
    return false;
  }
  taxcalc::Contexto c = d.calculos()->contexto(d.dec);
  const taxcalc::ResultadoConferencia r =
      taxcalc::CONFERE(c, *store::tabela(p.areas, store::Area::IMP1110), 1, p.aj.VAL_CPMF);
  store::solta(p.areas, store::Area::IMP1110);
  if (!mensagensAbertas) store::solta(p.areas, store::Area::LISERRO);
  store::FECHA_PROV(p);
  if (!r.LTEMERR) return true;
  // The list shown is that of the register's current taxpayer: the register is put back on
  // the one checked, wherever loading the declaration left it.
  if (store::ABERTURA(p, store::Area::IMP0910)) {
    rt::db::Table& reg = *store::tabela(p.areas, store::Area::IMP0910);
    // A register that could not be searched is said and closed: where the failed search
    // stopped is another taxpayer's row, whose list would be shown as this one's.
    if (!reg.useOrder(1) || !reg.seek(d.dec.espelho.CPF)) {
      store::avisaIndisponivel(p, store::Area::IMP0910);
      store::solta(p.areas, store::Area::IMP0910);
    }
  }
  // Keys typed while the check ran were meant for the prompt (an Enter after a full CPF, which
  // ended the field by itself): the list must not take them as the start of an edit.
  p.console.clearTypeahead();
  screens::MOS_PEND(p, d.grade);
  return true;
}

// The help texts of the program folder: a topic of the help menu, or the current field's.
void ajudaPadrao(Program& p, Declara& d, int item) {
  console::AcessoAjuda acesso{
      tabelasAjuda(p), [&p](std::string_view arquivo) { return abreAjuda(p, arquivo); },
      [&d] { return d.grade.EDI_CAMPO; }, [&d] { return d.tela.pagina.TELA; }, [&d] { d.grade.TECLAMUDA = false; }};
  console::Ajuda ajuda(p, std::move(acesso));
  if (item == 0)
    ajuda.MOS_HELP();
  else
    ajuda.MOSTRA_HELP(item);
}

}  // namespace

void ServicosDeclara::completa() {
  if (!GTELA) GTELA = [](Program& p, Declara& d, int n) { telaDeclaracao(p, d, n, screens::regrasDeclaracao()); };
  if (!conferencia) conferencia = confereDeclaracao;
  if (!detalhe) detalhe = [](Program& p, Declara&) { return screens::MOS_DETAL(p); };
  if (!pendencias)
    pendencias = [](Program& p, Declara& d) {
      screens::MOS_PEND(p, d.grade);
      return true;
    };
  if (!calculadora) calculadora = [](Program& p, Declara& d) { return CHAMA_CALC(p, d.grade.calculadora); };
  if (!conversor)
    conversor = [](Program& p, Declara& d) {
      return CALC_UFIR(p, d.tela.pagina.TELA, d.grade.OPC, d.gradeDolar());
    };
  // The list says why it could not be shown.
  if (!corrigidos) corrigidos = [](Program& p, Declara& d) { return gains::IMPCORRIG(p, d.grade).isOk(); };
  // The journal says why it could not be opened or written back.
  if (!diario) diario = [](Program& p, Declara&) { return screens::LANCAMEN(p, p.CPF).isOk(); };
  // Not in this version: printing and the export.
  for (Acao* a : {&diario, &impressao, &exporta})
    if (!*a) *a = naoHa;
  if (!ajuda) ajuda = ajudaPadrao;
}

Declara::Declara(Program& prog, ServicosDeclara servicos) : p(prog), srv(std::move(servicos)) {
  srv.completa();
  dec.opcoes.TEMP_SAL = p.aj.TEMP_SAL;
  dec.opcoes.OPTTRAN = p.cfg.OPTTRAN;
  dec.opcoes.SOESTE = p.cfg.SOESTE;
  dec.opcoes.ITEM_MENU = p.OPCAO_1;
  grade.tela = &tela.pagina;
  grade.OPC = grid::Tela::RendimentosTitular;
  grade.PONTEIRO = 1;
  grade.PONTVERT = 1;
  grade.OPCAO_1 = p.OPCAO_1;
  grade.TEMP_SAL = p.aj.TEMP_SAL;
}

Declara::~Declara() = default;

void Declara::mostraPagina() {
  store::MOSTR_PAG(p, dec, 1);
}

void Declara::roda() {
  store::FECHA_PROV(p);
  const int item = p.OPCAO_1;

  // The export's loop has put the CPF of each taxpayer to send.
  if (item == 64 || item == 65) {
    console::MTELA3(p, console::mtela3::Contribuinte);
    const auto moldura = console::JanelaAberta::adota(p.janelas, console::Jan::kTela);
    // The export says each taxpayer's outcome; the loop goes on to the next either way.
    if (carrega(1, 1)) (void)srv.exporta(p, *this);
    store::FECHA_PROV(p);
    return;
  }

  p.CPF = p.cfg.ULT_CPF;
  while (true) {
    console::MTELA3(p, console::mtela3::Contribuinte);
    tela.ZOOM_BEM = !tela.ZOOM_DIV;
    store::reabre(p, store::Area::IMP0910);
    bool achou;
    {
      TeclasLigadas escolha(p.console);
      ligaTeclasDoCodigo(*this, escolha);
      console::MENS(p, console::mens::Linha, textoTeclasDoCodigo());
      achou = GET_CODIGO(1, 2, 1, 1);
    }
    if (!achou) break;
    p.cfg.ULT_CPF = p.CPF;
    if (item != 11) {
      acaoDoItem();
      // The print selection leaves the taxpayer's frame to the printing that follows.
      if (item == 51) return;
      break;
    }
    lacoDeTelas();
  }
  fimDoDriver();
}

bool Declara::acaoDoItem() {
  switch (p.OPCAO_1) {
    case 12:
      return srv.diario(p, *this);
    case 13:
      return srv.conferencia(p, *this);
    case 51:
      return srv.impressao(p, *this);
    case 63: {
      store::FECHA_PROV(p);
      dec.espelho.CPF = p.CPF;
      const bool ok = carrega(1, 1).isOk() && srv.exporta(p, *this);
      store::FECHA_PROV(p);
      return ok;
    }
    default:
      return false;
  }
}

void Declara::lacoDeTelas() {
  const rt::term::Attr cor = corEnche(p);
  {
    TeclasLigadas teclas(p.console);
    ligaTeclasDaTela(*this, teclas);
    const EstadoTelas antes = tela;
    tela = EstadoTelas{};
    tela.ZOOM_BEM = antes.ZOOM_BEM;
    tela.ZOOM_DIV = antes.ZOOM_DIV;
    tela.PVEZ = antes.PVEZ;
    tela.pagina.TELA = tela.PVEZ ? 6 : 1;
    tela.pagina.TELANT = 0;
    grade.OPC = grid::Tela::RendimentosTitular;
    p.janelas.FECHAJAN(console::Jan::kSobre);
    p.janelas.ENCHETELA(' ', cor);

    while (true) {
      telas();
      if (tela.INI != "S" || store::SALVATUDO(p, dec, 1)) break;
      // The save did not write the declaration (it has said why): it stays open on its
      // screen, so nothing typed is lost; the user may try again or ignore the changes.
      tela.INI = std::string(1, 'N');
      tela.pagina.TELANT = 0;
    }
  }
  fimDaDeclaracao();
}

void Declara::telas() {
  while (tela.INI == "N") {
    const bool rural = dec.espelho.registro.txt("TEMRURAL") == "S";
    tela.pagina.TELAMAX = telaMaxima(rural);
    if (tela.pagina.TELA != tela.pagina.TELANT) {
      tela.pagina.TELA = telaPermitida(tela.pagina.TELA, tela.pagina.TELANT, tela.pagina.TELAMAX);
      MOS_IND();
      VETEMPO();
      VETAMHO();
      if (grid::tracosDaPagina(tela.pagina.TELA).retorno) tela.pagina.TELANT = tela.pagina.TELA;
    }
    p.janelas.FECHAJAN(console::Jan::kMensagem);
    // A screen starts with no key and no change asked for; what the last one left must not
    // decide where this one goes.
    grade.ULTTECLA = 0;
    grade.TECLAMUDA = false;
    tela.fimDaTela = false;
    sincronizaGrade();
    srv.GTELA(p, *this, tela.pagina.TELA);
    // The index list may have ended the declaration while the screen ran: nothing more is
    // done for the screen (an autosave now would keep changes the user chose to ignore).
    if (tela.INI != "N") break;

    if (autosalvaVencido()) store::SAL_DEC(p, dec);

    SaidaDaTela s;
    s.ULTTECLA = grade.ULTTECLA;
    s.TECLAMUDA = grade.TECLAMUDA;
    s.PVEZ = tela.PVEZ;
    s.rural = dec.espelho.registro.txt("TEMRURAL") == "S";
    s.ATV_BRASIL = dec.espelho.registro.txt("ATV_BRASIL");
    const ProximaTela r = proximaTela(tela.pagina, s);
    if (r.pergunta)
      tela.INI = perguntaTermina(p);
    else
      tela.pagina.TELA = r.tela;
  }
}

void Declara::sincronizaGrade() {
  const store::EspelhoDeclaracao& e = dec.espelho;
  grade.OPCAO_1 = p.OPCAO_1;
  grade.TEMP_SAL = dec.opcoes.TEMP_SAL;
  grade.CPF = e.CPF;
  // Alt+Q in a grid names the taxpayer beside the CPF.
  grade.NOMECONTR = e.registro.txt("NOMECONTR");
  grade.TEMRURAL = e.registro.txt("TEMRURAL");
  grade.ATV_BRASIL = e.registro.txt("ATV_BRASIL");
  if (e.tabela01.tem("DECFINAL")) grade.DECFINAL = e.tabela01.txt("DECFINAL");
}

void Declara::fimDaDeclaracao() {
  p.janelas.FECHAJAN(console::Jan::kCabecalho);
  p.screen().fill({0, 0, 0, 79}, ' ', corEnche(p));
  p.janelas.FECHAJAN(console::Jan::kTela);
  console::MENS(p);
  p.janelas.ENCHETELA(' ', corEnche(p));
  console::MTELA1(p, console::mtela1::Apresentacao, {.versao = p.VERSAO + " " + p.aj.CULTIMAVER});
  console::MTELA3(p, console::mtela3::Contribuinte);
  // The prompt for the next taxpayer stands under the main menu's bar, as the first one did:
  // the declaration's index row took its place.
  if (p.menu) p.menu->draw();
  // Saved by now, or the changes are dropped with the copies.
  if (tela.INI == "I") store::FECHA_PROV(p);
  tela.INI = std::string(1, 'N');
  tela.PVEZ = false;
  dec.espelho.LRECUPERA = false;
  // Saved or dropped: other terminals may open it now.
  uso_.libera();
  store::reabre(p, store::Area::IMP0910);
  mostraPagina();
}

void Declara::fimDoDriver() {
  if (store::ABERTURA(p, store::Area::IMP0910)) {
    rt::db::Table& r = *store::tabela(p.areas, store::Area::IMP0910);
    r.clearFilter();
    r.setOrder(1);
    // ORDEM is written only on the taxpayer's own row: a failed seek leaves the register at
    // its end, and nothing there may be written.
    if (r.seek(p.CPF.chave()) && r.found() && !rt::text::alltrim(p.NUSU).empty() &&
        store::REC_LOCK(p, store::kEsperaTrava)) {
      rt::Status s = r.put("ORDEM", rt::text::Decimal::fromInt(0));
      store::liberaGravacao(p, r, s, "ORDEM").ignoreTold();  // said; the driver ends all the same
    }
  }
  p.janelas.FECHAJAN(console::Jan::kTela);
  console::MENS(p);
}

void Declara::preparaMatrizes() {
  // The month captions are drawn by the grid; the matrices start at 0.
  matrizes = grid::Matrizes{};
}

rt::Status Declara::carrega(int modo, int tipo) {
  // Each declaration gets its own computation, so nothing of the last taxpayer's carries over.
  dec.calculos = nullptr;
  grade.servicos = nullptr;
  servicosGrade_.reset();
  calculos_ = std::make_unique<CalculosDeclaracao>(p);
  dec.calculos = calculos_.get();
  servicosGrade_ = std::make_unique<ServicosDeclaracao>(p, dec, *calculos_);
  ServicosDeclaracao& g = *servicosGrade_;
  g.quetel = [this](int n) { return QUETEL(n); };
  g.mudatel1 = [this] { return MUDATEL1(); };
  g.mudatel12 = [this] { return MUDATEL12(); };
  g.mudatel14 = [this] { return MUDATEL14(); };
  g.escHoriz = [this] { return ESC_HORIZ(1); };
  g.salDec = [this] { store::SAL_DEC(p, dec); };
  grade.servicos = servicosGrade_.get();
  preparaMatrizes();
  dec.espelho.CPF = p.CPF;
  dec.opcoes.ITEM_MENU = p.OPCAO_1;
  // Only the export reads a declaration without changing it; every other item may save it,
  // so it holds the declaration against every other terminal first.
  uso_.libera();
  if (p.OPCAO_1 < 61) {
    store::PosseDeclaracao posse = store::tomaDeclaracao(p, p.LOCARQ, dec.espelho.CPF);
    if (!posse.livre) {
      console::AVISOSN(p, store::textoRecusa(posse), 0);
      emUso_ = !posse.terminal.empty();
      dec.espelho.LRECUPERA = false;
      return console::falhaDita(rt::Error::kInUse, p.CPF.chave());
    }
    uso_ = std::move(posse.uso);
  }
  const bool recuperando = dec.espelho.LRECUPERA;
  const bool ok = store::INIC_VAR(p, dec, modo, tipo).isOk();
  // A recovery takes up the copies for this one load only: the next taxpayer is read from
  // the shared tables.
  dec.espelho.LRECUPERA = false;
  if (!ok) uso_.libera();
  if (ok && recuperando) p.CPF = dec.espelho.CPF;
  // Keys typed while the declaration loaded were meant for the prompt (an Enter after a full
  // CPF, which ended the field by itself): the first screen's grid must not take them as the
  // start of an edit, where the clerk's next Esc would only end that edit.
  if (ok && p.OPCAO_1 < 61) p.console.clearTypeahead();
  // INIC_VAR has said why a declaration could not be loaded.
  return ok ? rt::Status() : console::falhaDita(rt::Error::kFailed, "INIC_VAR " + p.CPF.chave());
}

void DECLARA(Program& p) {
  DECLARA(p, ServicosDeclara{});
}

void DECLARA(Program& p, const ServicosDeclara& servicos) {
  Declara d(p, servicos);
  d.roda();
}

GradeDolar Declara::gradeDolar() {
  if (!servicosGrade_) return {};
  return servicosGrade_->gradeDolar(grade);
}

}  // namespace shell

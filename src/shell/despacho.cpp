#include "shell/despacho.h"

#include <algorithm>
#include <chrono>

#include "console/alerta.h"
#include "console/janelas.h"
#include "console/mensagens.h"
#include "console/menus.h"
#include "console/molduras.h"
#include "console/pastas.h"
#include "platform/child_process.h"
#include "platform/drive.h"
#include "rt/term/colour.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/read.h"
#include "shell/atualizacao.h"
#include "shell/config_terminal.h"
#include "shell/configuracao.h"
#include "shell/cores_editor.h"
#include "shell/cores_registro.h"
#include "shell/erro_execucao.h"
#include "shell/menu_principal.h"
#include "shell/registros.h"
#include "shell/saida.h"
#include "shell/senha.h"
#include "shell/terminal_numero.h"
#include "store/abertura.h"
#include "store/areas.h"

namespace shell {

using namespace rt::text::literals;
using rt::text::Decimal;

std::string_view textoNaoDisponivel() {
  return "Função não disponível nesta versão"_cp;
}

void naoDisponivel(console::Contexto& ctx) {
  console::MENS(ctx, console::mens::Linha, textoNaoDisponivel());
  // The menu writes its help texts on the same line as soon as it runs again, so the message
  // stays until a key is typed; that key is handed on to the menu.
  const rt::term::Key k = ctx.console.inkey(std::chrono::seconds(3));
  if (!k.isNone()) ctx.console.push(k);
  console::MENS(ctx);
}

rt::Status chamaFuncao(Program& p, int id) {
  if (auto f = p.funcoes.find(id); f != p.funcoes.end() && f->second)
    return f->second(p);
  naoDisponivel(p);
  return store::falhaDita(rt::Error::kNotAvailable, "item " + std::to_string(id));
}

namespace {

rt::ui::Binding inteiro(std::string_view nome, int& v) {
  return rt::ui::var(
      nome, [&v] { return rt::text::Value(Decimal(v)); },
      [&v](const rt::text::Value& x) {
        if (const auto* d = std::get_if<Decimal>(&x)) v = static_cast<int>(d->wholePart());
      },
      {2, 0});
}

// The converter, run on this terminal's number while the register is closed.
void conversor(Program& p) {
  std::string programa = p.conversor;
  if (programa.empty()) {
    if (auto pasta = platform::runningProgramFolder(); pasta && platform::fileExists(*pasta + "/converte"))
      programa = *pasta + "/converte";
    else
      programa = platform::findProgram("converte");
  }
  if (programa.empty()) {
    naoDisponivel(p);
    return;
  }
  store::solta(p.areas, store::Area::IMP0910);
  platform::RunOptions op;
  op.terminal = p.terminal;
  // The converter works in this terminal's current folder, not in the one CONFIG names.
  op.environment = {std::string(kTerminalCedido) + "=" + p.NUSU,
                    std::string(kPastaCedida) + "=" + console::BAR_FORA(p.LOCARQ),
                    "DTAVREN=" + console::caminhoLinux(p, p.ROTADEF)};
  const std::vector<std::string> args{p.NUSU};
  const auto r = platform::runProgram(programa, args, op);
  p.janelas.ENCHETELA(' ', rt::term::parseColour(p.cores.COR_ENCH_C).value_or(rt::term::makeAttr(15, 1)));
  console::MTELA1(p, console::mtela1::Apresentacao, {.versao = p.VERSAO + " " + p.aj.CULTIMAVER});
  // The register back for the menu; a failed open was said by the opener.
  store::reabre(p, store::Area::IMP0910);
  if (!r) naoDisponivel(p);
}

// The menu in the colours just chosen, with the captions the run has changed.
void novasCoresDoMenu(Program& p) {
  std::vector<std::pair<int, std::string>> captions;
  for (const auto& pad : p.menu->pads())
    for (const auto& it : pad.items) captions.emplace_back(it.id, it.caption);
  CREATEMAINMENU(p);
  for (const auto& [id, caption] : captions)
    if (rt::ui::MenuItem* m = id ? p.menu->findItem(id) : nullptr) m->caption = caption;
}

// The status name of a status number, from table STATUS.
std::string nomeStatus(Program& p, int codigo) {
  UsoTabela t(p, store::Area::STATUS);
  if (!t.ok() || t->orderCount() == 0) return {};
  if (!t->seek(Decimal(codigo)) || !t->found()) return {};
  return std::string(rt::text::trim(t->getText("DESCRICAO")));
}

void transferenciaPorStatus(Program& p) {
  int soeste = p.cfg.SOESTE;
  rt::ui::readOne(p.console, rt::ui::Get(3, 67, inteiro("SOESTE", soeste), "@EZ 99"),
                  rt::term::parseColourList(CORNORM(p.cores)));
  p.cfg.SOESTE = std::clamp(soeste, 0, 99);
  const std::string num = rt::text::str(Decimal(p.cfg.SOESTE), 2);
  const std::string r = console::AVISOSN(
      p,
      std::vector<std::string>{
          std::string("  A partir de agora somente as declarações com o "_cp),
          "Estatus " + num + " " + nomeStatus(p, p.cfg.SOESTE) + std::string(" serão transferidas para"_cp),
          std::string(" o programa da receita ao sair da declaração?"_cp)},
      2);
  if (rt::ui::MenuItem* m = p.menu ? p.menu->findItem(62) : nullptr)
    m->caption = "apenas as com &Estatus " + num;
  p.cfg.OPTTRAN = r == "S" ? 2 : 0;
}

bool semPastaIrpf(Program& p) {
  if (!p.LOCIRPF.empty()) return false;
  console::AVISOSN(p, "Preencha abaixo em Pasta do IRPF a pasta do programa da receita", 0);
  return true;
}

// Items 73 and 74: the drive letter first; an empty answer puts back "A" and ends the item.
bool letraDoDrive(Program& p, int id) {
  std::string letra = p.cfg.XDRIVE;
  console::MENS(p, console::mens::Campo, "Informe a letra do Drive", letra, {.linha = 3, .coluna = 25, .picture = "@ !"});
  letra = rt::text::alltrim(letra);
  if (letra.empty()) {
    p.cfg.XDRIVE = "A";
    return false;
  }
  p.cfg.XDRIVE = letra.substr(0, 1);
  // The backup of every folder reads the drive from the terminal's record.
  const std::string drive = p.cfg.XDRIVE;
  // gravaConfig says its own failure; the drive stays chosen for this session all the same.
  gravaConfig(p, [&drive](rt::db::Table& t) { return t.put("XDRIVE", drive); }).ignoreTold();
  if (rt::ui::MenuItem* m = p.menu ? p.menu->findItem(id) : nullptr)
    m->caption = (id == 73 ? "&Compacta    todos no " : "&Descompacta todos do ") + p.cfg.XDRIVE + ":";
  return true;
}

// After a backup: the reminder waits 4 more days. The backup itself has stored the drive and
// the backup folder it used; they are read back so the record keeps them.
void backupFeito(Program& p) {
  p.cfg.ULTBACK = p.HOJE + 4;
  {
    UsoTabela config(p, store::Area::CONFIG);
    if (config.ok() && achaTerminal(p, *config)) {
      p.cfg.ROTABACK = rt::text::trim(config->getText("ROTABACK"));
      if (const std::string d(rt::text::alltrim(config->getText("XDRIVE"))); !d.empty()) p.cfg.XDRIVE = d;
    }
  }
  // gravaConfig says its own failure.
  gravaConfig(p, [&p](rt::db::Table& t) { return gravaConfigBackup(p, t); }).ignoreTold();
}

// The option list of print step `passo` (1-4) for the current report kind.
std::vector<std::string> listaDoPasso(const Program& p, int passo) {
  std::span<const std::string_view> lista = NOMECON();
  int quantos = 4;
  const int k = p.QUEIMP;
  if (passo == 1) {
    lista = ALISTIMP();
    quantos = 14;
  } else if (passo == 2) {
    lista = k == 5 ? MODO1OP() : k == 12 ? MODOETI() : k == 14 ? MODETID() : NOMCONT();
    quantos = AQUEIT2(k);
  } else if (passo == 3) {
    lista = k == 3 ? NOMEPRUR() : k <= 2 ? NOMEPAGR() : MODOUNI();
    quantos = AQUEIT3(k);
  }
  quantos = std::min<int>(quantos, static_cast<int>(lista.size()) - 1);
  std::vector<std::string> linhas;
  for (int i = 1; i <= quantos; ++i) linhas.emplace_back(lista[static_cast<std::size_t>(i)]);
  return linhas;
}

int* escolhaDoPasso(Program& p, int passo) {
  switch (passo) {
    case 1:
      return &p.QUEIMP;
    case 2:
      return &p.cfg.QUEMOD;
    case 3:
      return &p.cfg.QUEPAG;
    default:
      return &p.cfg.QUECON;
  }
}

void gravaEscolhas(Program& p) {
  // gravaConfig says its own failure; the choices stay for this session all the same.
  gravaConfig(p, [&p](rt::db::Table& t) { return gravaConfigImpressao(p, t); }).ignoreTold();
}

}  // namespace

std::string SELITEMIMP(Program& p, int id) {
  p.OPCIMP = id - 40;
  p.PRIM_ETI = true;
  if (p.OPCIMP >= 1 && p.OPCIMP <= 4) {
    const std::vector<std::string> linhas = listaDoPasso(p, p.OPCIMP);
    console::MTELA13(p, console::mtela13::MenuImpressao, {.linhasMenu = linhas});
    const auto menu = console::JanelaAberta::adota(p.janelas, console::Jan::kDialogo);
    const auto itens = console::itensMoldura(p, console::Familia::MTELA13, console::mtela13::MenuImpressao, {.linhasMenu = linhas});
    int* escolha = escolhaDoPasso(p, p.OPCIMP);
    p.POSVER = std::clamp(*escolha, 1, static_cast<int>(linhas.size()));
    const int n = itens ? console::ESC_OPCAO(p, itens->janela, static_cast<int>(linhas.size()), itens->coluna,
                                             itens->largura, itens->opcoes, itens->deslocamento)
                        : 0;
    if (n <= 0) return {};
    *escolha = n;
    gravaEscolhas(p);
    return linhas[static_cast<std::size_t>(n - 1)];
  }
  if (p.OPCIMP == 5) {
    chamaFuncao(p, 45).ignoreTold();
    return {};
  }
  if (p.OPCIMP == 6) {
    p.cfg.MOSIMP = console::AVISOSN(p, "Mostre antes de imprimir as Impressoras Existentes", 2);
    p.cfg.MOSTEL = console::AVISOSN(p, "Mostre antes de imprimir no video o texto a ser impresso", 2);
    p.cfg.MOSCPF = console::AVISOSN(p, "Crie uma copia do arquivo TXT com o CPF do arquivo impresso?", 2);
    gravaEscolhas(p);
    return {};
  }
  Decimal vias(p.NRO_VIAS);
  console::MENS(p, console::mens::Campo, "Informe o nro vias (vezes) a imprimir", vias,
                {.linha = 17, .coluna = 20, .picture = "@ 9"});
  p.NRO_VIAS = std::clamp(static_cast<int>(vias.wholePart()), 1, 9);
  return std::to_string(p.NRO_VIAS);
}

namespace {

// An item whose subsystem registered its function in Program::funcoes, with nothing of the
// shell around it.
void registrada(Program& p, int id) {
  // Said by the function itself, or by chamaFuncao when it is not in this version.
  chamaFuncao(p, id).ignoreTold();
}

// Items 41 to 44: the report kind, model, pages and contents; the pad's captions follow.
void escolhaDeImpressao(Program& p, int id) {
  const std::string r = SELITEMIMP(p, id);
  if (r.empty()) return;
  p.ITEM[static_cast<std::size_t>(id - 40)] = "&" + std::to_string(id - 40) + "-" + r;
  p.cfg.QUEMOD = std::min(p.cfg.QUEMOD, AQUEIT2(p.QUEIMP));
  p.cfg.QUEPAG = std::min(p.cfg.QUEPAG, AQUEIT3(p.QUEIMP));
  MONTA_ITENS(p);
}

// Items 45 (the printer, chosen by the function registered under 45) and 46 (the preview
// questions) leave their captions as they are.
void escolhaSemLegenda(Program& p, int id) {
  SELITEMIMP(p, id);  // gives a caption only to the items 41 to 44 and 47
  MONTA_ITENS(p);
}

// Item 52: the file the "Nao DOS" printer left is printed.
void impressoraNaoDos(Program& p, int id) {
  if (!console::LF_ISFILE(p, p.LOCTRAB + "NAO-DOS.TXT")) {
    console::AVISOSN(p, "Selecione a impressora Nao DOS antes", 0);
    return;
  }
  // After a restart ARQ_IMP is blank: the file found is the one to print.
  p.ARQ_IMP = p.LOCTRAB + "NAO-DOS.TXT";
  if (rt::db::Table* cad = store::tabela(p.areas, store::Area::IMP0910); cad && !cad->eof())
    p.EMAIL = cad->getText("EMAIL");
  registrada(p, id);
  // The register back for the menu; a failed open was said by the opener.
  store::reabre(p, store::Area::IMP0910);
}

void transferenciaAoSalvar(Program& p, int) {
  const std::string r = console::AVISOSN(
      p,
      std::vector<std::string>{
          std::string("Deseja que a partir de agora todas as declarações sejam transferidas"_cp),
          std::string(" para o programa da receita ao salvar a declaraçao?"_cp)},
      2);
  p.cfg.OPTTRAN = r == "S" ? 1 : 0;
}

// Item 63: the declarations sent while the tax program may be open.
void envioComIrpfAberto(Program& p, int id) {
  if (semPastaIrpf(p)) return;
  console::AVISOSN(p,
                   std::vector<std::string>{"Evite o envio da declaracao com o IRPF da Receita aberto.",
                                            "O programa aceita, mas pode causar problemas"},
                   0);
  registrada(p, id);
  p.cfg.OPTTRAN = 3;
}

// Items 64 and 65 need the tax program's folder.
void comPastaIrpf(Program& p, int id) {
  if (!semPastaIrpf(p)) registrada(p, id);
}

void pastaDoIrpf(Program& p, int id) {
  console::MENS(p, console::mens::Linha, "Pasta vazia não transfere p/a Receita. ALT P preenche com o Padrão"_cp);
  registrada(p, id);
  p.LOCIRPF = console::BAR_DIR(rt::text::alltrim(p.cfg.ROTAJAVA));
}

// Item 71: the copy of one folder, which counts as a backup when it copied.
void copiaDeUmaPasta(Program& p, int id) {
  console::AVISOSN(
      p,
      std::vector<std::string>{"Atencao! Essa opcao faz a copia dos dados", "somente de uma pasta escolhida.",
                               "Para copiar todas as pastas use Compacta todos"},
      0);
  if (chamaFuncao(p, id)) backupFeito(p);
  p.janelas.FECHAJAN(console::Jan::kTela);
}

// Items 73 and 74: every folder to or from the drive asked first; only the copy to it counts
// as a backup.
void todasAsPastas(Program& p, int id) {
  if (!letraDoDrive(p, id)) return;
  if (chamaFuncao(p, id) && id == 73) backupFeito(p);
}

// A menu item and what it runs: the function its subsystem registered, or the shell's own
// routine, which may run the registered function among its steps.
struct Item {
  int id;
  void (*roda)(Program& p, int id) = registrada;
};

// Every item of the main menu, by pad.
constexpr Item kItens[] = {
    // Declaracao
    {.id = 11},
    {.id = 12},
    {.id = 13},
    {.id = 14},
    {.id = 15},
    {.id = 16, .roda = [](Program& p, int) { conversor(p); }},
    {.id = 17, .roda = ROTSAIDA},
    // Opcoes
    {.id = 21},
    {.id = 22},
    {.id = 23, .roda = [](Program& p, int) { OPCAO_SENHA(p, p.aj); }},
    {.id = 24,
     .roda =
         [](Program& p, int) {
           MODCOR(p, true, p.VERSAO + " " + p.aj.CULTIMAVER);
           novasCoresDoMenu(p);
         }},
    {.id = 25, .roda = [](Program& p, int) { VAL_DECL(p, p.aj); }},
    // TIP_GRAV always gives back "".
    {.id = 26, .roda = [](Program& p, int) { TIP_GRAV(p, p.aj); }},
    {.id = 27,
     .roda =
         [](Program& p, int) {
           // The statuses are changed in the register: without it nothing goes on (the opener said why).
           if (store::ABERTURA(p, store::Area::IMP0910)) MUDA_ESTATUS(p, GRADE_ESTATUS);
         }},
    {.id = 28, .roda = [](Program& p, int) { CAD_UFIR(p, p.aj); }},
    {.id = 29},
    {.id = 30},
    {.id = 31},
    {.id = 32},
    {.id = 33},
    {.id = 34},
    {.id = 35,
     .roda =
         [](Program& p, int) {
           OpcoesAtualizacao op;
           op.gravaConfig = [&p] {
             // gravaConfig says its own failure; the update goes on with the settings in memory.
             gravaConfig(p, [&p](rt::db::Table& t) { return gravaConfigSaida(p, t); }).ignoreTold();
           };
           if (OPCAO_ATUALIZACAO(p, p.aj, op) == ResultadoAtualizacao::Encerrar) p.saida = 0;
         }},
    // Selecao: the print choices
    {.id = 41, .roda = escolhaDeImpressao},
    {.id = 42, .roda = escolhaDeImpressao},
    {.id = 43, .roda = escolhaDeImpressao},
    {.id = 44, .roda = escolhaDeImpressao},
    {.id = 45, .roda = escolhaSemLegenda},
    {.id = 46, .roda = escolhaSemLegenda},
    {.id = 47,
     .roda =
         [](Program& p, int id) {
           const std::string r = SELITEMIMP(p, id);
           p.ITEM[7] = "&7-Vias " + r;
           if (rt::ui::MenuItem* m = p.menu ? p.menu->findItem(47) : nullptr) m->caption = p.ITEM[7];
         }},
    // Impressao
    {.id = 51},
    {.id = 52, .roda = impressoraNaoDos},
    {.id = 53,
     .roda =
         [](Program& p, int id) {
           p.PRIM_ETI = true;
           registrada(p, id);
         }},
    // Env Receita
    {.id = 61, .roda = transferenciaAoSalvar},
    {.id = 62, .roda = [](Program& p, int) { transferenciaPorStatus(p); }},
    {.id = 63, .roda = envioComIrpfAberto},
    {.id = 64, .roda = comPastaIrpf},
    {.id = 65, .roda = comPastaIrpf},
    {.id = 66, .roda = pastaDoIrpf},
    {.id = 67},
    // Backup
    {.id = 71, .roda = copiaDeUmaPasta},
    {.id = 72,
     .roda =
         [](Program& p, int id) {
           registrada(p, id);
           p.janelas.FECHAJAN(console::Jan::kTela);
         }},
    {.id = 73, .roda = todasAsPastas},
    {.id = 74, .roda = todasAsPastas},
    {.id = 75,
     .roda =
         [](Program& p, int id) {
           if (chamaFuncao(p, id)) backupFeito(p);
         }},
    {.id = 76},
    // Sair
    {.id = 81, .roda = ROTSAIDA},
};

void rodaItem(Program& p, int id) {
  p.OPCAO_1 = id;
  const int dezena = id / 10;
  p.NPOSMENU = dezena > 2 ? dezena - 1 : dezena;

  // The settings items work on DEFINE and on the terminal's CONFIG record.
  std::optional<UsoTabela> define, config;
  if (id >= 21 && id <= 36) {
    define.emplace(p, store::Area::DEFINE);
    config.emplace(p, store::Area::CONFIG);
    if (config->ok()) achaTerminal(p, **config);
  }

  const auto item =
      std::find_if(std::begin(kItens), std::end(kItens), [id](const Item& i) { return i.id == id; });
  (item != std::end(kItens) ? item->roda : registrada)(p, id);
}

}  // namespace

void MENUSELECT(Program& p, int id) {
  // The main screen comes back after every item, as the menu's pop-up gave back what it
  // covered: what an item drew outside a window of its own (a list without a frame, a field
  // read on the background, a dialog frame left behind an alert) goes with it. The colour
  // editor redraws the main screen in its new colours, and an item that ends the program
  // leaves the screen to the exit.
  console::TelaGuardada tela(p.screen());
  executaItem(p, id, [&p, id] { rodaItem(p, id); });
  if (id == 24 || p.saida) tela.mantem();
}

}  // namespace shell

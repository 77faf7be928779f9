#include "shell/funcoes.h"

#include "console/mensagens.h"
#include "console/molduras.h"
#include "export/recupera_indice.h"
#include "grid/edita.h"
#include "grid/estado.h"
#include "office/boleto.h"
#include "office/carta.h"
#include "office/editor.h"
#include "office/email.h"
#include "office/escol_cart.h"
#include "office/exporta_texto.h"
#include "office/mala.h"
#include "print/folhas_declaracao.h"
#include "print/perguntas.h"
#include "rt/fs/names.h"
#include "rt/term/colour.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "shell/declara_registro.h"
#include "shell/exportacao.h"
#include "shell/impressao_registro.h"
#include "shell/pastas_grade.h"
#include "store/abertura.h"
#include "store/backup.h"
#include "store/contribuintes.h"
#include "store/copia_pasta.h"
#include "store/estatus.h"
#include "store/reorg.h"
#include "store/rotas.h"
#include "store/transfere.h"

namespace shell {

namespace {

// The status column of the marking grid.
class ServicosMarca final : public grid::ServicosGrade {
 public:
  std::string VE_STAT(store::Contexto& ctx, int estatus, int pos) override {
    return store::VE_STAT(ctx, estatus, pos);
  }
};

// The taxpayers marked ("S" in IMPRE) in grid screen 41 over the register in `area`, headed
// `titulo`; with `soRural` only those with rural activity are shown and taken.
std::vector<std::string> marcaNaGrade(store::Contexto& ctx, store::Area area, bool soRural,
                                      const std::string& titulo) {
  rt::db::Table* t = ctx.areas.table(area);
  if (t == nullptr) return {};
  ctx.areas.select(area);
  auto rural = [](const rt::db::Table& r) { return r.getText("TEMRURAL") == "S"; };
  if (soRural) t->setFilter(rural);
  grid::Grade g;
  ServicosMarca servicos;
  g.servicos = &servicos;
  g.POSEST = area == store::Area::TMP_09 ? 4 : 3;
  g.CTITULO = titulo;
  grid::EDITA(ctx, g, grid::Tela::RegistroPorEstatus);
  std::vector<std::string> cpfs;
  for (t->goTop(); t->status() && !t->eof(); t->skip(1))
    if (t->getText("IMPRE") == "S") cpfs.push_back(t->getText("CPF"));
  if (soRural) t->clearFilter();
  t->goTop();
  return cpfs;
}

store::MarcaContribuintes marcador(std::string titulo) {
  return [titulo](store::Contexto& ctx, store::Area area, bool soRural) {
    return marcaNaGrade(ctx, area, soRural, titulo);
  };
}

// The main screen after a backup or restore: the background and the about frame.
store::Redesenho redesenho(Program& p) {
  return [&p](store::Contexto&) {
    p.janelas.ENCHETELA(' ', rt::term::parseColour(p.cores.COR_ENCH_C).value_or(rt::term::makeAttr(15, 1)));
    console::MTELA1(p, console::mtela1::Apresentacao, {.versao = p.VERSAO + " " + p.aj.CULTIMAVER});
  };
}

// The print job with its letters and the e-mail and editor that use them.
void registraCartas(Program& p) {
  // The letters: kind 8 of the print job merges them, its F1 lists them (the name chosen is
  // typed into the question), and item 53 edits them, all in the current folder.
  print::ServicosImpressao cartas;
  cartas.IMPR_MAIL = office::IMPR_MAIL;
  cartas.CARTAS = [&p] {
    const std::string nome(rt::text::alltrim(office::ESCOL_CART(p, {})));
    if (nome.empty()) return;
    p.console.push(25);  // Ctrl+Y empties the field
    p.console.pushText(rt::text::upper(nome.substr(0, nome.rfind('.'))));
  };
  // A printed file's copy offered by e-mail to the taxpayer goes through the office's sender.
  cartas.enviaEmail = [&p](const std::string& cpf, const std::string& email, const std::string& assunto,
                           const std::string& anexo) {
    // The copy's path is the file system's (UTF-8); the message keeps names as typed.
    p.correio.msg = {cpf, email, assunto, rt::text::utf8ToCp860(anexo), "N", "N", {}};
    office::MANDA_EMAIL(p, p.correio).ignoreTold();  // says whether it was sent
  };
  const auto impressao =
      registraImpressao(p, print::folhasDaDeclaracao([&p] { return escolhasDeImpressao(p); }, cartas));
  // The e-mail's letter: asked as the print job asks it (F1 lists the letters), merged with
  // the client's register row into the message body.
  p.correio.carta = [impressao, mostra = cartas.CARTAS](store::Contexto& ctx) -> std::optional<std::string> {
    if (!print::PEGA_CARTA(ctx, *impressao, {}, mostra)) return std::nullopt;
    const std::optional<std::string> bytes = office::leArquivo(impressao->job.arquivoCarta);
    if (!bytes) {
      console::MENS(ctx, console::mens::Aviso, "Arquivo " + rt::fs::shownName(impressao->job.arquivoCarta) + " nao encontrado");
      return std::nullopt;
    }
    return office::corpoDaCarta(ctx, *bytes);
  };
  p.funcoes[53] = [impressao](Program& q) {
    office::ServicosEditor s;
    s.pedido.MOSTEL = q.cfg.MOSTEL;
    s.pedido.MOSIMP = q.cfg.MOSIMP;
    s.env = q.env;
    office::EDITEXT(q, *impressao, s);
    return rt::Status();
  };
}

void registraCopiasDeSeguranca(Program& p) {
  // Whole-table copies of the year folder to the backup folder and back, each after the
  // folder questions of the transfer; the backup folder chosen is kept in the terminal's record.
  p.funcoes[71] = [](Program& q) { return store::FAZ_COPIA(q); };
  p.funcoes[72] = [](Program& q) { return store::TRAZ_COPIA(q); };
  p.funcoes[73] = [](Program& q) { return store::BKAUTOMA(q, redesenho(q)); };
  p.funcoes[74] = [](Program& q) { return store::VOAUTOMA(q, redesenho(q)); };
  p.funcoes[75] = [](Program& q) { return store::BKMANUAL(q, 1, {}, {}, redesenho(q)); };
  p.funcoes[76] = [](Program& q) { return store::VOMANUAL(q, 1, {}, {}, redesenho(q)); };
}

}  // namespace

void registraFuncoes(Program& p) {
  registraDeclaracao(p, servicosComExportacao());
  p.funcoes[64] = p.funcoes[65] = [](Program& q) { return transfereLote(q, marcador("Trans")); };
  registraCartas(p);
  // The folder register of the terminal, in its grid; the taxpayer register stays as it was.
  p.funcoes[14] = [](Program& q) {
    MOS_DIR(q);
    return rt::Status();
  };
  p.funcoes[15] = [](Program& q) {
    store::EXCLUI(q, marcador("Elim."));
    return rt::Status();
  };
  p.funcoes[21] = [](Program& q) {
    store::SELAREA(q, 1);
    return rt::Status();
  };
  p.funcoes[22] = [](Program& q) { return store::TRANOME(q, 1, marcador("Trans")); };
  p.funcoes[30] = [](Program& q) {
    store::MUDA_CPF(q);
    return rt::Status();
  };
  p.funcoes[31] = [](Program& q) {
    store::TRANF_PARTE(q);
    return rt::Status();
  };
  // The folder is kept in the settings the exit writes back.
  p.funcoes[66] = [](Program& q) {
    q.cfg.ROTAJAVA = store::SELAREA(q, 2);
    return rt::Status();
  };
  p.funcoes[29] = [](Program& q) { return store::REINDEXA(q); };
  p.funcoes[32] = [](Program& q) { return office::EXPORTA(q); };
  p.funcoes[33] = [](Program& q) { return office::BOLETO(q, q.HOJE); };
  p.funcoes[34] = [](Program& q) { return office::GERA_EMAIL(q, q.correio); };
  p.funcoes[67] = [](Program& q) { return exporta::RECUP_INDICE(q, q.LOCIRPF); };
  registraCopiasDeSeguranca(p);
  // The reorganisation holds each table exclusively before touching it and tells itself
  // which tables other terminals kept it from.
  p.reorganiza = [](Program& q, const std::string& pasta, int modo) {
    Reorganizacao r;
    // Its failures are said by the opener, and the tables others held come back in ocupadas.
    (void)store::REORG(q, pasta, modo, &r.ocupadas);
    return r;
  };
}

}  // namespace shell

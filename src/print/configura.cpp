#include "print/configura.h"

#include "console/alerta.h"
#include "console/janelas.h"
#include "console/mensagens.h"
#include "print/confimp.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/achoice.h"
#include "rt/ui/read.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/recusa.h"
#include "store/travas.h"

namespace print {

using namespace rt::text::literals;
using rt::text::Decimal;

namespace {

// Writes into the terminal's printer record under its 5-second lock; the record keeps its
// old values when the lock or a write is refused (said to the user).
bool gravaRegistro(store::Contexto& ctx, const std::function<rt::Status(rt::db::Table&)>& grava) {
  const store::SelecaoGuardada selecao(ctx.areas);
  bool ok = store::ABERTURA(ctx, store::Area::CONFIMP).isOk();
  if (ok) {
    store::seleciona(ctx.areas, store::Area::CONFIMP);
    rt::db::Table& t = *store::tabela(ctx.areas, store::Area::CONFIMP);
    ok = t.seek(ctx.NUSU) && t.found() && store::REC_LOCK(ctx, store::kEsperaTrava);
    if (ok) {
      rt::Status s = grava(t);
      if (const rt::Status liberada = t.unlock(); s) s = liberada;  // the release writes the row first
      if (!s) {
        console::alerta(ctx,
                        {std::string("A configuração da impressora não foi gravada:"_cp),
                         rt::text::utf8ToCp860(s.message())},
                        {"Ok"});
        ok = false;
      }
    }
  }
  return ok;
}

std::string porta(const ConfImp& c) {
  if (c.NROLPT > 0) return "LPT" + std::to_string(c.NROLPT);
  if (c.NROCOM > 0) return "COM" + std::to_string(c.NROCOM);
  const std::string nome(rt::text::alltrim(c.SAIDAPR));
  return (nome.empty() ? std::string("RELATOR") : nome) + ".TXT";
}

}  // namespace

void CONFIMP(store::Contexto& ctx, Impressao& imp, const GradeModelos& grade, const platform::EnvLookup& env) {
  CRIA_SEQ(ctx, imp, env).ignoreTold();  // says its own failure; the menu shows the record as loaded
  const std::vector<std::string> ajuda{"Informa ou modifica o nome e tipo da impressora",
                                       std::string("Informa ou modifica a porta de comunicação da impressora"_cp)};
  const rt::term::Attr cor = rt::term::makeAttr(15, 1);
  int escolha = 1;
  while (true) {
    const std::vector<std::string> itens{"Impressora " + std::string(rt::text::trim(imp.conf.NOMEIMP)),
                                         "Porta      " + porta(imp.conf)};
    const rt::term::Screen::Saved salva = ctx.console.screen().save({9, 20, 12, 59});
    ctx.console.screen().fill({9, 20, 12, 59}, ' ', cor);
    ctx.console.screen().box({9, 20, 12, 59}, console::molduraSimples(), cor);
    rt::ui::AChoiceOptions op;
    op.initial = escolha;
    op.userFunction = [&](rt::ui::AChoiceMode modo, int atual, int) {
      console::AVISO(ctx, rt::text::padr(ajuda[static_cast<std::size_t>(atual - 1)], 80));
      if (modo != rt::ui::AChoiceMode::Exception) return rt::ui::AChoiceAction::Continue;
      const int k = ctx.console.lastKey().code;
      if (k == 27) return rt::ui::AChoiceAction::Abort;
      if (k == 13) return rt::ui::AChoiceAction::Select;
      // The hot keys choose at once.
      if (k == 'I' || k == 'i' || k == 'P' || k == 'p') {
        ctx.console.push(rt::term::key::Enter);
        return rt::ui::AChoiceAction::Goto;
      }
      return rt::ui::AChoiceAction::Continue;
    };
    escolha = rt::ui::achoice(ctx.console, {10, 22, 11, 57}, itens, op);
    ctx.console.screen().restore(salva);
    console::MENS(ctx);
    if (escolha == 0) return;
    if (escolha == 1)
      MUDA_TIPIMP(ctx, imp, grade, env);
    else
      MUDA_PORTA(ctx, imp);
  }
}

void MUDA_TIPIMP(store::Contexto& ctx, Impressao& imp, const GradeModelos& grade, const platform::EnvLookup& env) {
  while (true) {
    std::string nome = rt::text::padr(imp.conf.NOMEIMP, 15);
    console::MENS(ctx, console::mens::Campo, "Impressora:", nome);
    if (ctx.console.lastKey().code == 27) return;
    // ESC_IMP says why the printer was not changed; the name is asked again either way.
    ESC_IMP(ctx, imp, grade, env).ignoreTold();
  }
}

rt::Status ESC_IMP(store::Contexto& ctx, Impressao& imp, const GradeModelos& grade,
                   const platform::EnvLookup& env) {
  ConfImp c = imp.conf;
  bool semModelo = false;
  // The model comes from the printers' list; the caller's area is selected again before the
  // terminal's record is written.
  const auto escolhe = [&]() -> bool {
    const store::SelecaoGuardada selecao(ctx.areas);
    if (!store::ABERTURA(ctx, store::Area::PRINTS)) return false;
    store::seleciona(ctx.areas, store::Area::PRINTS);
    if (grade) grade(ctx);
    rt::db::Table& m = *store::tabela(ctx.areas, store::Area::PRINTS);
    // The first marked row is the model; the other marks go; with none the first row is taken.
    // A mark the table refuses is said, and the list is left as it stands.
    const auto marca = [&](const char* valor) {
      rt::Status s = m.put("CONFIM", std::string(valor));
      return static_cast<bool>(store::liberaGravacao(ctx, m, s, m.alias()));
    };
    std::uint32_t escolhido = 0, primeiro = 0;
    for (m.goTop(); m.status() && !m.eof(); m.skip(1)) {
      if (m.isDeleted()) continue;
      if (primeiro == 0) primeiro = m.recNo();
      if (m.getText("CONFIM") != "S") continue;
      if (escolhido == 0)
        escolhido = m.recNo();
      else if (store::REC_LOCK(ctx, store::kEsperaTrava) && !marca(" "))
        break;
    }
    if (escolhido == 0 && primeiro != 0) m.goTo(primeiro);
    if (escolhido == 0 && primeiro != 0 && m.status() && store::REC_LOCK(ctx, store::kEsperaTrava)) {
      if (!marca("S")) return false;
      escolhido = primeiro;
    }
    // No model to copy: the terminal's record keeps its printer.
    if (escolhido != 0) m.goTo(escolhido);
    semModelo = escolhido == 0 || !m.status();
    if (semModelo) return false;
    c.NOMEIMP = m.getText("NOMEIMP");
    c.SEQ0 = m.getText("SEQ0");
    c.SEQ1 = m.getText("SEQ1");
    c.SEQ2 = m.getText("SEQ2");
    c.SEQ3 = m.getText("SEQ3");
    return true;
  };
  if (!escolhe()) {
    if (semModelo)
      console::AVISOSN(ctx, "A lista de impressoras está vazia: a impressora não foi mudada"_cp, 0);
    return console::falhaDita(semModelo ? rt::Error::kNotFound : rt::Error::kFailed, "PRINTS");
  }
  const bool ok = gravaRegistro(ctx, [&c](rt::db::Table& t) {
    for (const auto& [nome, valor] : {std::pair<const char*, const std::string&>{"NOMEIMP", c.NOMEIMP}, {"SEQ0", c.SEQ0},
                                      {"SEQ1", c.SEQ1}, {"SEQ2", c.SEQ2}, {"SEQ3", c.SEQ3}})
      RT_TRY(t.put(nome, valor));
    return rt::Status::ok();
  });
  imp.seq.TEM_LASER = 0;
  CRIA_SEQ(ctx, imp, env).ignoreTold();  // says its own failure; what was written is told by ok
  return ok ? rt::Status() : console::falhaDita(rt::Error::kFailed, "CONFIMP");
}

void MUDA_PORTA(store::Contexto& ctx, Impressao& imp) {
  ConfImp& c = imp.conf;
  Decimal lpt = Decimal::fromInt(c.NROLPT), com = Decimal::fromInt(c.NROCOM);
  std::string local = rt::text::padr(c.LOCIMPR, 1);
  std::string saida = rt::text::padr(c.SAIDAPR, 8);
  const rt::term::Attr cor = rt::term::makeAttr(15, 1);
  const rt::term::Screen::Saved salva = ctx.console.screen().save({8, 14, 15, 65});
  rt::term::Screen& tela = ctx.console.screen();
  auto mostra = [&] {
    tela.fill({8, 14, 15, 65}, ' ', cor);
    tela.box({8, 14, 15, 65}, console::molduraSimples(), cor);
    tela.put(9, 16, "Impressora", cor);
    tela.put(9, 29, local == "R" ? "na Rede " : "no Local", cor);
    tela.put(10, 16, "Porta paralela (LPT)", cor);
    tela.put(11, 16, "Porta serial   (COM)", cor);
    tela.put(12, 16, "Arquivo de saida", cor);
    tela.put(12, 43, ".TXT", cor);
    tela.put(14, 16, rt::text::padr(rt::text::alltrim(c.NOMEREDE), 26), cor);
  };
  while (true) {
    mostra();
    rt::ui::Read r(ctx.console);
    r.add(rt::ui::Get(9, 27, rt::ui::var("LOCIMPR", local), "@!")).valid([&] {
      if (local == "L" || local == "R") return true;
      console::AVISOSN(ctx, "Digite R de Rede ou L de Local", 0);
      return false;
    });
    r.add(rt::ui::Get(10, 38, rt::ui::var("NROLPT", lpt, {1, 0}), "@z 9")).valid([&] {
      if (lpt.wholePart() > 0) com = Decimal();
      return true;
    });
    r.add(rt::ui::Get(11, 38, rt::ui::var("NROCOM", com, {1, 0}), "@z 9")).valid([&] {
      if (com.wholePart() > 4) {
        console::AVISOSN(ctx, "O maior número de porta serial possível é 4"_cp, 0);
        return false;
      }
      if (com.wholePart() > 0) lpt = Decimal();
      return true;
    });
    // The output file is a name of the work folder: letters (accented too), digits, "_" and "-".
    r.add(rt::ui::Get(12, 35, rt::ui::var("SAIDAPR", saida), "@!"))
        .when([&] { return lpt.wholePart() == 0 && com.wholePart() == 0; })
        .valid([&] {
          if (saidaValida(saida)) return true;
          console::AVISOSN(ctx, "Nome do arquivo de saída inválido: use letras, números, _ ou -"_cp, 0);
          return false;
        });
    const rt::ui::ReadResult res = r.run();
    if (res.escaped) break;
  }
  tela.restore(salva);
  c.LOCIMPR = local;
  c.NROLPT = static_cast<int>(lpt.wholePart());
  c.NROCOM = static_cast<int>(com.wholePart());
  if (c.NROLPT > 0 || c.NROCOM > 0 || saidaValida(saida)) c.SAIDAPR = saida;
  // gravaRegistro says its own failure; the form has closed and the session keeps the port.
  (void)gravaRegistro(ctx, [&c](rt::db::Table& t) {
    RT_TRY(t.put("LOCIMPR", c.LOCIMPR));
    RT_TRY(t.put("NROLPT", Decimal::fromInt(c.NROLPT)));
    RT_TRY(t.put("NROCOM", Decimal::fromInt(c.NROCOM)));
    RT_TRY(t.put("SAIDAPR", c.SAIDAPR));
    return t.put("NOMEREDE", rt::text::padr(c.NOMEREDE, 60));
  });
}

}  // namespace print

#include "print/rota.h"

#include <chrono>

#include "console/alerta.h"
#include "console/arquivo_recusado.h"
#include "console/mensagens.h"
#include "console/pastas.h"
#include "console/recusa.h"
#include "platform/paths.h"
#include "platform/print_queue.h"
#include "rt/dev/target.h"
#include "rt/text/cp860.h"
#include "store/tabelas_declaracao.h"

namespace print {

using namespace rt::text::literals;

namespace {

// The reason of a refusal, shown under the system's own line.
void avisaFalha(store::Contexto& ctx, std::string_view primeira, const rt::Status& s) {
  console::alerta(ctx, std::vector<std::string>{std::string(primeira), rt::text::utf8ToCp860(s.detail())},
                  {"Ok"});
}

// PRONTO for a parallel port: the device's own status, else the three-button alert.
bool pronto(store::Contexto& ctx, Impressao& imp, const std::string& dispositivo) {
  while (!imp.prontoParalela(dispositivo)) {
    const int b = console::alerta(ctx, {"Impressora  desligada ou sem papel", "      Verifique e tecle:          "},
                                  {"Abandona", "Pronto", "Ignore"});
    if (b == 1) return false;
    if (b == 3) return true;
  }
  return true;
}

rt::Result<std::unique_ptr<rt::dev::Target>> abre(store::Contexto& ctx, Impressao& imp, const Destino& d) {
  switch (d.tipo) {
    case TipoDestino::NaoDos:
    case TipoDestino::Arquivo: {
      const bool acrescenta = d.tipo == TipoDestino::Arquivo && imp.roteadoNoTrabalho;
      while (true) {
        auto r = rt::dev::openFile(d.caminho, acrescenta);
        if (r || r.code() != rt::Error::kNotAvailable) return r;
        store::alertaUmSegundo(ctx, "Aguardando outro Terminal liberar a impressao..."_cp);
      }
    }
    case TipoDestino::Fila:
      return platform::openQueue(d.caminho, imp.lp);
    case TipoDestino::Paralela:
      return rt::dev::openDevice(d.caminho, false);
    case TipoDestino::Serial:
      return rt::dev::openDevice(d.caminho, true);
  }
  return rt::Result<std::unique_ptr<rt::dev::Target>>(rt::Error::kBadArgument, "destination");
}

}  // namespace

rt::Status PREP_IMP(store::Contexto& ctx, Impressao& imp) {
  const std::string trabalho = platform::withSeparator(console::caminhoLinux(ctx, ctx.LOCTRAB));
  const auto destino = destinoDe(imp.conf, trabalho, imp.portas);
  if (!destino) {
    if (destino.code() == rt::Error::kUnsafe)
      console::AVISOSN(ctx, "Nome do arquivo de saída inválido: use letras, números, _ ou -"_cp, 0);
    else
      console::AVISOSN(ctx, "Informe o nome da impressora da rede"_cp, 0);
    return destino.status().markTold();
  }
  if (destino->tipo == TipoDestino::Paralela && !pronto(ctx, imp, destino->caminho))
    return console::falhaDita(rt::Error::kNotAvailable, destino->caminho);
  auto alvo = abre(ctx, imp, *destino);
  if (!alvo && alvo.code() == rt::Error::kUnsafe) {
    console::alerta(ctx, console::linhasLink(rt::text::utf8ToCp860(alvo.status().detail())), {"Ok"});
    return alvo.status().markTold();
  }
  if (!alvo) {
    avisaFalha(ctx, "Não foi possível abrir a saída da impressão:"_cp, alvo.status());
    return alvo.status().markTold();
  }
  imp.dispositivo.route(std::move(*alvo));
  imp.ARQ_IMP = destino->caminho;
  imp.roteadoNoTrabalho = true;
  return {};
}

bool PAREIMP(store::Contexto& ctx, Impressao& imp) {
  bool esc = false;
  while (!esc) {
    const rt::term::Key k = ctx.console.inkey(std::chrono::milliseconds(0));
    if (k.isNone()) break;
    esc = k.code == 27;
  }
  if (!esc) return imp.CAN_IMP;
  if (console::AVISOSN(ctx, "Abandona a impressão ???"_cp, 2) == "S") {
    // What was printed so far stays where it went; the rest of the job goes nowhere (never
    // to the screen, where the report's rows would paint over the program).
    fechaSaida(ctx, imp).ignoreTold();
    imp.dispositivo.route(rt::dev::nullTarget());
    imp.CAN_IMP = true;
  } else {
    imp.CAN_IMP = false;
  }
  return imp.CAN_IMP;
}

void AJUS_FIN(store::Contexto& ctx, Impressao& imp) {
  if (imp.FEZ_TES != "S") return;
  imp.dispositivo.say(imp.dispositivo.prow(), 0, " ");
  ctx.console.beep();
  imp.FEZ_TES = console::AVISOSN(ctx, {"Pausa p/ um ajuste fino. ", "Tecle Sim para mais pausa"}, 2);
}

rt::Status fechaSaida(store::Contexto& ctx, Impressao& imp) {
  if (!imp.dispositivo.routed()) return {};
  const std::string nome = imp.dispositivo.targetName();
  const rt::Status s = imp.dispositivo.close();
  if (s) return s;
  avisaFalha(ctx, std::string("A impressão falhou em "_cp) + rt::text::utf8ToCp860(nome) + ":", s);
  return s.markTold();
}

}  // namespace print

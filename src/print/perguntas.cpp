#include "print/perguntas.h"

#include <algorithm>
#include <filesystem>

#include "console/alerta.h"
#include "console/mensagens.h"
#include "platform/paths.h"
#include "print/trabalho.h"
#include "rt/fs/names.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/achoice.h"

namespace print {

using namespace rt::text::literals;
using rt::text::Decimal;

std::optional<int> perguntaNumero(store::Contexto& ctx, std::string_view texto, int inicial, int minimo, int maximo) {
  while (true) {
    Decimal v = Decimal::fromInt(inicial);
    console::OpcoesMens op;
    op.picture = "@z 99";
    op.largura = 2;
    console::MENS(ctx, console::mens::Campo, texto, v, op);
    if (ctx.console.lastKey().code == 27) return std::nullopt;
    const int n = static_cast<int>(v.wholePart());
    if (n >= minimo && n <= maximo) return n;
  }
}

bool PEGA_CARTA(store::Contexto& ctx, Impressao& imp, const std::string& pastaCartas,
                const std::function<void()>& mostraCartas) {
  if (mostraCartas) ctx.console.setKey(rt::term::key::F1, mostraCartas);
  console::MENS(ctx, console::mens::Linha, "Tecle F1 para ver as cartas disponíveis"_cp);
  std::string nome = rt::text::padr(imp.job.NOMCART, 12);
  console::OpcoesMens op;
  op.picture = "@!";
  op.valid = [&nome] { return !rt::text::alltrim(nome).empty(); };
  console::MENS(ctx, console::mens::Campo, "Nome da Carta:", nome, op);
  if (mostraCartas) ctx.console.clearKey(rt::term::key::F1);
  console::MENS(ctx);
  nome = std::string(rt::text::alltrim(rt::text::upper(nome)));
  imp.job.NOMCART = nome;
  if (nome.empty()) return false;
  // Only a name of this folder: no path, no "..". Typed in the console's code page, found
  // among the folder's UTF-8 names.
  std::string base = nome;
  if (!base.ends_with(".TXT")) base += ".TXT";
  const std::string_view semExt = std::string_view(base).substr(0, base.size() - 4);
  const bool simples = !semExt.empty() && std::all_of(semExt.begin(), semExt.end(), rt::fs::isPlainNameChar);
  std::string achado;
  if (simples) {
    const std::filesystem::path pasta(pastaCartas.empty() ? "." : pastaCartas);
    std::error_code ec;
    if (const auto n = rt::fs::findTyped(pasta.string(), base); n && std::filesystem::is_regular_file(pasta / *n, ec))
      achado = (pasta / *n).string();
  }
  if (achado.empty()) {
    console::AVISOSN(ctx, "Carta nao encontrada!", 0);
    return false;
  }
  imp.job.arquivoCarta = achado;
  return true;
}

bool ESCOLHE_MES(store::Contexto& ctx, Impressao& imp) {
  const std::vector<std::string> itens{std::string("Todos os mêses"_cp), std::string("Somente o Mês"_cp),
                                       std::string("Faixa de mêses"_cp)};
  const rt::term::Screen::Saved salva = ctx.console.screen().save({8, 28, 13, 51});
  const rt::term::Attr cor = rt::term::makeAttr(15, 1);
  ctx.console.screen().fill({8, 28, 13, 51}, ' ', cor);
  ctx.console.screen().put(8, 30, "Imprimir", cor);
  const int q = rt::ui::achoice(ctx.console, {10, 30, 12, 49}, itens);
  ctx.console.screen().restore(salva);
  if (q == 0) return false;
  imp.job.QUEMES = q;
  if (q == 1) {
    imp.job.MES_INIC = 1;
    return true;
  }
  const auto inicio = perguntaNumero(ctx, q == 2 ? "Mês a imprimir:"_cp : "Do mês:"_cp, imp.job.MES_INIC, 1, 12);
  if (!inicio) return false;
  imp.job.MES_INIC = *inicio;
  if (q == 2) return true;
  const auto fim = perguntaNumero(ctx, "Até o mês:"_cp, std::max(imp.job.MES_FINAL, *inicio), *inicio, 12);
  if (!fim) return false;
  imp.job.MES_FINAL = *fim;
  return true;
}

bool ESCOLHE_COMO(store::Contexto& ctx, Impressao& imp, int tipo, int AQUECON) {
  imp.job.MES_INIC = 1;
  imp.job.MES_FINAL = 12;
  if (!ESCOLHE_MES(ctx, imp)) return false;
  imp.job.AVANCA_PAG = imp.job.QUEMES == 2 ? "S" : console::AVISOSN(ctx, "Avança página em cada mês ?"_cp, 2);
  imp.job.CALC_SALD =
      imp.job.MES_INIC == 1 ? "N" : console::AVISOSN(ctx, "Calcula e Imprime saldo anterior ?", 2);
  if (tipo == 2 && AQUECON != 1)
    imp.job.IMPR_RESU = console::AVISOSN(ctx, "Deseja imprimir o Resumo de Todos os meses?", 2);
  return true;
}

bool perguntasDoTipo(store::Contexto& ctx, Impressao& imp, const Escolhas& esc, const std::string& pastaCartas,
                     const std::function<void()>& mostraCartas) {
  if (esc.QUEPAG == 6 && (esc.QUEIMP == 1 || esc.QUEIMP == 2)) {
    imp.job.CSOPAG = console::AVISOSN(
        ctx, {" Nao - Imprime os Isentos/Trib Exclus. e Pagamentos ", " Sim - Imprime so Pagamentos podendo ser selecionado"},
        2);
    if (imp.job.CSOPAG == "S") {
      const auto de = perguntaNumero(ctx, "Imprime nos pagamentos do codigo", imp.job.NDESINI, 0, 99);
      if (!de) return false;
      const auto ate = perguntaNumero(ctx, "ao codigo", std::max(imp.job.NDESFIM, *de), 0, 99);
      if (!ate) return false;
      imp.job.NDESINI = *de;
      imp.job.NDESFIM = *ate;
    }
  }
  if (esc.QUEIMP == 8 && !PEGA_CARTA(ctx, imp, pastaCartas, mostraCartas)) return false;
  if (esc.QUEIMP == 9) {
    const int b = console::alerta(ctx, {std::string("Imprimir as anotações de"_cp)}, {"Todos os status", "Faixa de status"});
    if (b == 0) return false;
    imp.job.QUESTAT = b;
    if (b == 2) {
      const auto de = perguntaNumero(ctx, "Do status:", imp.job.STAT_INIC, 1, 99);
      if (!de) return false;
      const auto ate = perguntaNumero(ctx, "Até o status:"_cp, std::max(imp.job.STAT_FINAL, *de), *de, 99);
      if (!ate) return false;
      imp.job.STAT_INIC = *de;
      imp.job.STAT_FINAL = *ate;
    }
  }
  if (esc.QUEIMP == 4 || esc.QUEIMP == 10) {
    imp.job.CALC_SALD = "N";
    imp.job.AVANCA_PAG = "S";
    imp.job.IMPR_RESU = "N";
    if (!ESCOLHE_COMO(ctx, imp, esc.QUEIMP, esc.QUECON)) return false;
  }
  return true;
}

}  // namespace print

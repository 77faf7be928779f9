#include "print/quentra.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "console/alerta.h"
#include "console/mensagens.h"
#include "platform/paths.h"
#include "platform/printer.h"
#include "platform/temp_file.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/ui/achoice.h"
#include "print/rota.h"

namespace print {

using namespace rt::text::literals;

namespace {

constexpr char kEsc = '\x1b';

// The length of the ESC sequence at `i` (ESC included).
std::size_t tamanhoEsc(std::string_view s, std::size_t i) {
  std::size_t j = i + 1;
  if (j >= s.size()) return 1;
  const char grupo = s[j];
  if (grupo >= '!' && grupo <= '/' && j + 1 < s.size()) {
    // PCL: ESC, a group character, a parameter character, then values and lower-case
    // letters up to the upper-case letter that ends the sequence.
    for (std::size_t k = j + 2; k < s.size(); ++k)
      if (s[k] >= '@' && s[k] <= 'Z') return k - i + 1;
    return s.size() - i;
  }
  return 2;
}

std::vector<std::string_view> paginas(std::string_view texto) {
  std::vector<std::string_view> p;
  while (true) {
    const std::size_t ff = texto.find('\f');
    p.push_back(texto.substr(0, ff));
    if (ff == std::string_view::npos) break;
    texto.remove_prefix(ff + 1);
    if (texto.empty()) break;
  }
  return p;
}

std::vector<std::string_view> linhasDe(std::string_view pagina) {
  std::vector<std::string_view> l;
  while (!pagina.empty()) {
    const std::size_t nl = pagina.find('\n');
    l.push_back(pagina.substr(0, nl));
    if (nl == std::string_view::npos) break;
    pagina.remove_prefix(nl + 1);
  }
  return l;
}

// The printer chosen among the CUPS queues, the default one first; nullopt when cancelled.
// With no list to show the default printer is used.
std::optional<std::string> escolheImpressora(store::Contexto& ctx, const platform::SystemPrinter& cups) {
  auto nomes = cups.printerNames();
  if (!nomes || nomes->empty()) return std::string();
  const auto padrao = cups.defaultPrinter();
  if (padrao)
    if (auto it = std::find(nomes->begin(), nomes->end(), *padrao); it != nomes->end())
      std::rotate(nomes->begin(), it, it + 1);
  std::vector<std::string> itens;
  int largura = 20;
  for (const std::string& n : *nomes) {
    itens.push_back(rt::text::utf8ToCp860(n));
    largura = std::max(largura, static_cast<int>(itens.back().size()));
  }
  largura = std::min(largura, 60);
  const int altura = std::min(static_cast<int>(itens.size()), 15);
  const rt::term::Screen::Saved salva = ctx.console.screen().save({0, 0, 24, 79});
  const int topo = 5, esquerda = (80 - largura - 2) / 2;
  const rt::term::Attr cor = rt::term::makeAttr(15, 1);
  ctx.console.screen().fill({topo - 1, esquerda, topo + altura, esquerda + largura + 1}, ' ', cor);
  ctx.console.screen().put(topo - 1, esquerda + 1, "Imprimir em:", cor);
  rt::ui::AChoiceOptions op;
  op.colours = rt::term::ColourSet{};
  const int escolha = rt::ui::achoice(ctx.console, {topo, esquerda + 1, topo + altura - 1, esquerda + largura}, itens, op);
  ctx.console.screen().restore(salva);
  if (escolha == 0) return std::nullopt;
  return (*nomes)[static_cast<std::size_t>(escolha - 1)];
}

}  // namespace

std::string textoLimpo(std::string_view fluxo, const Sequencias& seq) {
  std::string s(fluxo);
  // The model's own strings first: they may hold printable bytes ("<027>A").
  for (const std::string& str : seq.STRING) {
    if (str.empty()) continue;
    for (std::size_t at; (at = s.find(str)) != std::string::npos;) s.erase(at, str.size());
  }
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const char c = s[i];
    if (c == kEsc) {
      i += tamanhoEsc(s, i);
      continue;
    }
    if (c == '\r') {
      const bool fim = i + 1 >= s.size();
      const bool aposFolha = !out.empty() && out.back() == '\f';
      if (!fim && s[i + 1] == '\n') {
        ++i;  // CR LF: the LF alone
        continue;
      }
      if (!fim && !aposFolha) out += c;
      ++i;
      continue;
    }
    if (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\f') {
      ++i;
      continue;
    }
    out += c;
    ++i;
  }
  return out;
}

int larguraMaxima(std::string_view texto) {
  int maior = 0, atual = 0;
  for (char c : texto) {
    if (c == '\n' || c == '\f') {
      atual = 0;
    } else if (c == '\r') {
      atual = 0;
    } else {
      maior = std::max(maior, ++atual);
    }
  }
  return maior;
}

int cpiPara(int largura) {
  if (largura <= 80) return 10;
  for (int cpi : {12, 15, 17, 20})
    if (largura * 2 <= cpi * 15) return cpi;  // largura / cpi <= 7.5 inches
  return 20;
}

bool previa(store::Contexto& ctx, std::string_view texto) {
  const std::vector<std::string_view> pags = paginas(texto);
  const rt::term::Screen::Saved salva = ctx.console.screen().save({0, 0, 24, 79});
  const rt::term::Attr cor = rt::term::makeAttr(0, 7);
  const rt::term::Attr barra = rt::term::makeAttr(15, 1);
  std::size_t pag = 0;
  int topo = 0, coluna = 0;
  bool imprime = false;
  while (true) {
    const std::vector<std::string_view> linhas = linhasDe(pags[pag]);
    rt::term::Screen& tela = ctx.console.screen();
    tela.fill({0, 0, 23, 79}, ' ', cor);
    for (int r = 0; r < 24 && topo + r < static_cast<int>(linhas.size()); ++r) {
      const std::string_view l = linhas[static_cast<std::size_t>(topo + r)];
      if (static_cast<int>(l.size()) > coluna) tela.put(r, 0, l.substr(static_cast<std::size_t>(coluna), 80), cor);
    }
    tela.fill({24, 0, 24, 79}, ' ', barra);
    tela.put(24, 0,
             std::string("Página "_cp) + std::to_string(pag + 1) + "/" + std::to_string(pags.size()) +
                 "  PgUp/PgDn setas   Enter imprime   Esc cancela",
             barra);
    const rt::term::Key k = ctx.console.waitKey();
    if (k.code == 13) {
      imprime = true;
      break;
    }
    if (k.code == 27) break;
    const int ultimaLinha = std::max(0, static_cast<int>(linhas.size()) - 24);
    switch (k.code) {
      case rt::term::key::PgDn:
        if (pag + 1 < pags.size()) ++pag, topo = 0;
        break;
      case rt::term::key::PgUp:
        if (pag > 0) --pag, topo = 0;
        break;
      case rt::term::key::Down:
        topo = std::min(topo + 1, ultimaLinha);
        break;
      case rt::term::key::Up:
        topo = std::max(topo - 1, 0);
        break;
      case rt::term::key::Right:
        coluna = std::min(coluna + 10, 200);
        break;
      case rt::term::key::Left:
        coluna = std::max(coluna - 10, 0);
        break;
      default:
        break;
    }
  }
  ctx.console.screen().restore(salva);
  return imprime;
}

bool print_captured(store::Contexto& ctx, Impressao& imp, const std::string& caminho, const OpcoesQuentra& op,
                    const platform::EnvLookup& env) {
  std::ifstream arquivo(caminho, std::ios::binary);
  if (!arquivo) {
    console::AVISOSN(ctx, "Nada para imprimir!!", 0);
    return false;
  }
  std::ostringstream lido;
  lido << arquivo.rdbuf();
  const std::string fluxo = lido.str();
  const std::string texto = textoLimpo(fluxo, imp.seq);
  if (op.pre && !previa(ctx, texto)) return false;

  const platform::SystemPrinter cups(imp.lp, imp.lpstat, env);
  std::string fila;
  if (op.sel) {
    auto escolhida = escolheImpressora(ctx, cups);
    if (!escolhida) return false;
    fila = *escolhida;
  }

  const char* tmp = env("TMPDIR");
  auto texto8 = platform::createTempFile(tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp", "TAVPRN", ".TXT", 0600);
  rt::Status s = texto8.status();
  if (texto8) {
    s = texto8->write(rt::text::cp860ToUtf8(texto));
    if (s) s = texto8->syncAndClose();
  }
  if (s) {
    platform::PrintRequest pedido;
    pedido.file = texto8->path();
    pedido.queue = fila;
    pedido.title = "TAVREN " + std::string(platform::lastComponent(caminho));
    pedido.options = {"cpi=" + std::to_string(cpiPara(std::max(op.largura, larguraMaxima(texto)))), "lpi=6"};
    pedido.fromCp860 = false;
    s = cups.print(pedido);
  }
  if (!s) {
    console::alerta(ctx, {std::string("A impressão falhou:"_cp), rt::text::utf8ToCp860(s.detail())}, {"Ok"});
    return false;
  }
  return true;
}

}  // namespace print

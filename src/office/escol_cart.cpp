#include "office/escol_cart.h"

#include <algorithm>
#include <filesystem>

#include "rt/fs/names.h"
#include "rt/text/strings.h"
#include "rt/ui/achoice.h"

namespace office {

namespace {

constexpr int kLinhas = 8, kLargura = 13;

}  // namespace

std::vector<std::string> cartasDaPasta(const std::string& pasta) {
  std::vector<std::string> nomes;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(pasta.empty() ? "." : pasta, ec)) {
    // Shown in the console's code page; a name it cannot show could not be typed back.
    const std::string disco = e.path().filename().string();
    const std::string n = rt::fs::shownName(disco);
    if (n.size() > 4 && rt::text::upper(n.substr(n.size() - 4)) == ".TXT" && e.is_regular_file(ec) &&
        rt::fs::roundTrips(disco))
      nomes.push_back(n);
  }
  std::sort(nomes.begin(), nomes.end(), [](const std::string& a, const std::string& b) {
    const std::string ua = rt::text::upper(a), ub = rt::text::upper(b);
    return ua != ub ? ua < ub : a < b;
  });
  return nomes;
}

std::string ESCOL_CART(store::Contexto& ctx, const std::string& pasta, int linha, int coluna) {
  std::vector<std::string> itens = cartasDaPasta(pasta);
  const int quantas = static_cast<int>(itens.size());
  itens.resize(std::max<std::size_t>(itens.size(), kLinhas));
  for (std::string& i : itens) i = rt::text::padr(i, kLargura);
  const console::Cores& c = ctx.cores;
  ctx.janelas.REDEFJAN(console::Jan::kLista, c.COR_TEL1, c.COR_TEL2, c.COR_TEL1, linha, coluna, linha + 10, coluna + 14,
                       1);
  const console::JanelaAberta janela(ctx.janelas, console::Jan::kLista);
  rt::ui::AChoiceOptions op;
  const auto cor = [](int a) { return static_cast<rt::term::Attr>(a & 0xFF); };
  op.colours.entries = {cor(c.COR_TEL1), cor(c.COR_ESCOL), cor(c.COR_TEL2),
                        cor(c.COR_TEL1), cor(c.COR_TEL1),  cor(c.COR_TEL1)};
  const int escolha =
      rt::ui::achoice(ctx.console, {linha, coluna, linha + kLinhas, coluna + kLargura - 1}, itens, op);
  if (escolha < 1 || escolha > quantas) return std::string(8, ' ');
  return std::string(rt::text::trim(itens[static_cast<std::size_t>(escolha - 1)]));
}

}  // namespace office

#include "store/dialogos.h"

#include <map>

#include "console/documentos.h"
#include "console/listas.h"
#include "console/menus.h"
#include "console/molduras.h"
#include "console/validadores.h"
#include "rt/term/colour.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/read.h"
#include "store/abertura.h"
#include "store/estatus.h"

namespace store {

using namespace rt::text::literals;
namespace key = rt::term::key;

void SAI_FORA(Contexto& ctx) {
  ctx.relato().fimEspera();
  ctx.janelas.FECHAJAN(console::Jan::kTela);
  ctx.console.clearKey(key::F1);
  ctx.console.clearKey(key::F2);
  ctx.relato().linha({});
}

namespace {

rt::term::ColourSet coresNormais(const Contexto& ctx) {
  const console::Cores& c = ctx.cores;
  return rt::term::parseColourList(c.COR_SAY + "," + c.COR_GET + ",N/N,N/N," + c.COR_SAY);
}

// The dialog's own variables, by the names the pick lists write back into.
class VariaveisDialogo final : public console::Variaveis {
 public:
  void liga(std::string nome, std::string& v) { v_[std::move(nome)] = &v; }
  std::optional<rt::ui::Value> valor(std::string_view nome) const override {
    const auto i = v_.find(std::string(nome));
    if (i == v_.end()) return std::nullopt;
    return rt::ui::Value(*i->second);
  }
  bool atribui(std::string_view nome, const rt::ui::Value& v) override {
    const auto i = v_.find(std::string(nome));
    const auto* s = std::get_if<std::string>(&v);
    if (i == v_.end() || s == nullptr) return false;
    // The field keeps its width; a shorter value is padded, a longer one cut.
    *i->second = rt::text::padr(*s, static_cast<int>(i->second->size()));
    return true;
  }

 private:
  std::map<std::string, std::string*, std::less<>> v_;
};

// The status names of the register list.
class ServicosDialogo final : public console::ServicosLista {
 public:
  explicit ServicosDialogo(Contexto& ctx) : ctx_(ctx) {}
  std::string VE_STAT(int codigo) override { return store::VE_STAT(ctx_, codigo, 3); }

 private:
  Contexto& ctx_;
};

// The pick lists of one dialog, over the program's tables, and the keys that open them.
class ListasDialogo {
 public:
  explicit ListasDialogo(Contexto& ctx)
      : ctx_(ctx),
        servicos_(ctx),
        listas_(ctx, {ctx.areas, [&ctx](int n) { return ABERTURA(ctx, n); }}, vars_, servicos_) {}
  ~ListasDialogo() {
    ctx_.console.clearKey(key::F1);
    ctx_.console.clearKey(key::F2);
  }
  ListasDialogo(const ListasDialogo&) = delete;
  ListasDialogo& operator=(const ListasDialogo&) = delete;

  VariaveisDialogo& vars() { return vars_; }
  console::Listas& listas() { return listas_; }

 private:
  Contexto& ctx_;
  VariaveisDialogo vars_;
  ServicosDialogo servicos_;
  console::Listas listas_;
};

// The screen place of a field of a frame of MTELA1, by its label.
struct Lugar {
  int linha = 0, coluna = 0, largura = 0;
};
Lugar lugar(const Contexto& ctx, int n, std::string_view rotulo, const console::ArgsMoldura& a = {}) {
  for (const console::CampoMoldura& c : console::camposMoldura(ctx, console::Familia::MTELA1, n, a))
    if (c.rotulo == rotulo) return {ctx.ALJA[n] + c.linha, ctx.ACJA[n] + c.coluna, c.largura};
  return {};
}

}  // namespace

bool pedePastas(Contexto& ctx, int variante, std::string& origem, std::string& destino) {
  const console::ArgsMoldura args{.variante = variante};
  // Asked again after a refused answer: the frame is drawn afresh over what it covered.
  ctx.janelas.FECHAJAN(console::Jan::kTela);
  console::MTELA1(ctx, console::mtela1::Pastas, args);
  const bool atualNovo = variante != 2;
  const Lugar lo = lugar(ctx, 4, atualNovo ? "  Atual  " : "Origem   ", args);
  const Lugar ld = lugar(ctx, 4, atualNovo ? "  Novo   " : "Destino  ", args);
  std::string o = rt::text::padr(origem, 80), d = rt::text::padr(destino, 80);
  ListasDialogo l(ctx);
  l.vars().liga("ORIGEM", o);
  l.vars().liga("DESTINO", d);
  // The folder list shows the terminal's register, opened only when asked for: an open that
  // creates it shows a notice, which would throw away what was typed ahead.
  ctx.console.setKey(key::F1, [&ctx, &l] {
    if (aberta(ctx.areas, Area::DIRET) || ABERTURA(ctx, Area::DIRET)) l.listas().GERAL();
  });
  rt::ui::ReadResult r;
  {
    rt::ui::Read read(ctx.console, coresNormais(ctx));
    const std::string pic = "@S" + std::to_string(lo.largura > 0 ? lo.largura : 40);
    read.get(lo.linha, lo.coluna, rt::ui::var("ORIGEM", o), pic);
    read.get(ld.linha, ld.coluna, rt::ui::var("DESTINO", d), pic);
    r = read.run();
  }
  if (r.escaped) {
    SAI_FORA(ctx);
    return false;
  }
  origem = std::string(rt::text::alltrim(o));
  destino = std::string(rt::text::alltrim(d));
  return true;
}

bool pedeCpfs(Contexto& ctx, int moldura, std::string& cpf1, std::string& cpf2, bool confereOrigem) {
  ctx.janelas.FECHAJAN(console::Jan::kTela);
  console::MTELA1(ctx, moldura);
  // Key labels in the window's colour 2, their texts in colour 1.
  ctx.relato().linha(std::string("\x02[F1]\x01 Contribuintes por Nome  \x02[F2]\x01 Contribuintes por CPF "));
  const Lugar l1 = lugar(ctx, moldura, "CPF  Original");
  const Lugar l2 = lugar(ctx, moldura, moldura == 3 ? "Novo  CPF" : "CPF  Destino");
  std::string a(11, ' '), b(11, ' ');
  ListasDialogo l(ctx);
  l.vars().liga("CPF1", a);
  l.vars().liga("CPF2", b);
  auto registro = [&ctx] { return aberta(ctx.areas, Area::IMP0910) || ABERTURA(ctx, Area::IMP0910); };
  ctx.console.setKey(key::F1, [&l, registro] {
    if (registro()) l.listas().GERAL5();
  });
  ctx.console.setKey(key::F2, [&l, registro] {
    if (registro()) l.listas().GERAL1();
  });
  rt::ui::ReadResult r;
  {
    rt::ui::Read read(ctx.console, coresNormais(ctx));
    const std::string pic = "@R 999.999.999-99";
    rt::ui::Get& g1 = read.get(l1.linha, l1.coluna, rt::ui::var("CPF1", a), pic);
    if (confereOrigem) g1.valid([&ctx, &a] { return console::VAL_CPF(ctx, a); });
    read.get(l2.linha, l2.coluna, rt::ui::var("CPF2", b), pic).valid([&ctx, &b] {
      return console::VAL_CPF(ctx, b);
    });
    r = read.run();
  }
  cpf1 = console::TIRA_PONTO(a);
  cpf2 = console::TIRA_PONTO(b);
  if (r.escaped || rt::text::isEmptyText(cpf1) || rt::text::isEmptyText(cpf2)) {
    SAI_FORA(ctx);
    return false;
  }
  return true;
}

int escolheParte(Contexto& ctx, bool rural) {
  // The frame stays drawn from the CPF questions; it is drawn again when it is not.
  if (!ctx.janelas.isOpen(console::Jan::kTela)) console::MTELA1(ctx, console::mtela1::CopiaCpf);
  const auto itens = console::itensMoldura(ctx, console::Familia::MTELA1, console::mtela1::CopiaCpf);
  if (!itens) return 0;
  console::OpcoesMenu opcoes;
  opcoes.teclas = rural ? "TDLRPABCI" : "TDLRP";
  opcoes.mensagens = {rural
                          ? std::string("Copia todos itens da declaração inclusive o Rural exceto o cadastro"_cp)
                          : std::string("Copia todos itens da declaração exceto o cadastro"_cp),
                      std::string("Copia só a declaração de bens (ideal p/ a divisao de espólios)"_cp),
                      std::string("Copia o Livro caixa ou os Rendimentos recebido de P. Física"_cp),
                      "Copia apenas os rendimentos Recebido de P. Juridica.",
                      std::string("Copia apenas os pagamentos e doaçoes efetuados."_cp),
                      "Copia a toda atividade Rural.",
                      "Copia a declaracao de Bens e Dividas Rural",
                      "Copia o Livro Caixa Rural",
                      "Copia os imoveis rurais"};
  ctx.POSVER = 1;
  return console::ESC_OPCAO(ctx, itens->janela, rural ? 9 : 5, itens->coluna, itens->largura, opcoes, itens->deslocamento);
}

void redesenhaFundo(Contexto& ctx, const Redesenho& r) {
  if (r) {
    r(ctx);
    return;
  }
  ctx.janelas.ENCHETELA(' ', rt::term::parseColour(ctx.cores.COR_ENCH_C).value_or(rt::term::makeAttr(15, 1)));
  console::MTELA1(ctx, console::mtela1::Apresentacao);
}

}  // namespace store

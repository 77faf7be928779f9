#include "print/confimp.h"

#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/recusa.h"
#include "store/travas.h"

namespace print {

namespace {

using rt::text::Decimal;

// Text cut to the field's width, as the table stores it.
std::string campo(const rt::db::Table& t, std::string_view nome, std::string_view valor) {
  const rt::db::FieldDef* f = t.field(nome);
  return rt::text::padr(valor, f != nullptr ? f->width : static_cast<int>(valor.size()));
}

rt::Status gravaPadrao(rt::db::Table& t, const ConfImp& c, std::string_view nusu) {
  const std::pair<std::string_view, std::string_view> textos[] = {
      {"NRO_TERM", nusu},       {"LOCIMPR", c.LOCIMPR}, {"SAIDAPR", c.SAIDAPR}, {"NOMEIMP", c.NOMEIMP},
      {"SEQ0", c.SEQ0},         {"SEQ1", c.SEQ1},       {"SEQ2", c.SEQ2},       {"SEQ3", c.SEQ3},
      {"VERMELHO", c.VERMELHO}, {"NOMEREDE", c.NOMEREDE}};
  for (const auto& [nome, valor] : textos)
    if (auto s = t.put(nome, campo(t, nome, valor)); !s) return s;
  for (const auto& [nome, valor] : {std::pair{"NROIMPR", c.NROIMPR}, {"NROLPT", c.NROLPT}, {"NROCOM", c.NROCOM}})
    if (auto s = t.put(nome, Decimal::fromInt(valor)); !s) return s;
  return t.flush();
}

ConfImp leRegistro(const rt::db::Table& t) {
  ConfImp c;
  c.NROIMPR = static_cast<int>(t.getNumber("NROIMPR").wholePart());
  c.NROLPT = static_cast<int>(t.getNumber("NROLPT").wholePart());
  c.NROCOM = static_cast<int>(t.getNumber("NROCOM").wholePart());
  c.LOCIMPR = t.getText("LOCIMPR");
  c.VERMELHO = t.getText("VERMELHO");
  c.SAIDAPR = t.getText("SAIDAPR");
  c.NOMEIMP = t.getText("NOMEIMP");
  c.NOMEREDE = t.getText("NOMEREDE");
  c.SEQ0 = t.getText("SEQ0");
  c.SEQ1 = t.getText("SEQ1");
  c.SEQ2 = t.getText("SEQ2");
  c.SEQ3 = t.getText("SEQ3");
  return c;
}

// The model list's two rows, when it has none: the default printer's sequences and the
// captured-output model. A row the table refuses is said, and the seeding stops there.
void semeiaModelos(store::Contexto& ctx) {
  if (!store::ABERTURA(ctx, store::Area::PRINTS)) return;
  ctx.areas.select(store::Area::PRINTS);
  rt::db::Table& t = *ctx.areas.table(store::Area::PRINTS);
  if (t.recordCount() != 0) return;
  const ConfImp padrao;
  for (const char* nome : {"Impressora padrao", "NAO DOS"}) {
    if (!store::ADD_REC(ctx, store::kEsperaTrava)) return;
    const bool primeira = std::string_view(nome) != "NAO DOS";
    rt::Status s = t.put("CONFIM", std::string(primeira ? "S" : " "));
    if (s) s = t.put("NOMEIMP", campo(t, "NOMEIMP", nome));
    if (primeira)
      for (const auto& [n, v] : {std::pair{"SEQ0", padrao.SEQ0}, {"SEQ1", padrao.SEQ1}, {"SEQ2", padrao.SEQ2},
                                 {"SEQ3", padrao.SEQ3}})
        if (s) s = t.put(n, campo(t, n, v));
    store::liberaGravacao(ctx, t, s, t.alias()).ignoreTold();
  }
}

}  // namespace

std::string impressoraPadrao(const Impressao& imp, const platform::EnvLookup& env) {
  const platform::SystemPrinter cups(imp.lp, imp.lpstat, env);
  const auto nome = cups.defaultPrinter();
  return nome ? *nome : std::string();
}

rt::Status CRIA_SEQ(store::Contexto& ctx, Impressao& imp, const platform::EnvLookup& env) {
  const store::SelecaoGuardada selecao(ctx.areas);
  imp.conf.NOMEREDE = impressoraPadrao(imp, env);
  semeiaModelos(ctx);
  rt::Status ok = store::ABERTURA(ctx, store::Area::CONFIMP);
  if (ok) {
    store::seleciona(ctx.areas, store::Area::CONFIMP);
    rt::db::Table& t = *store::tabela(ctx.areas, store::Area::CONFIMP);
    if (!t.seek(ctx.NUSU) || !t.found()) {
      // A record not had is said by ADD_REC.
      if (!store::ADD_REC(ctx, store::kEsperaTrava))
        ok = console::falhaDita(rt::Error::kLocked, t.alias());
      else
        ok = store::liberaGravacao(ctx, t, gravaPadrao(t, imp.conf, ctx.NUSU), t.alias());
    }
    if (ok) imp.conf = leRegistro(t);
  }
  imp.seq = montaSequencias(imp.conf.SEQ0, imp.conf.SEQ1, imp.conf.SEQ2, imp.conf.SEQ3);
  return ok;
}

}  // namespace print

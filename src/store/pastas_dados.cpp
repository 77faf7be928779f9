#include "store/pastas_dados.h"

#include <filesystem>

#include "console/pastas.h"
#include "platform/drive.h"
#include "platform/paths.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/acerto.h"
#include "store/areas.h"
#include "store/arquivos.h"
#include "store/recusa.h"
#include "store/travas.h"

namespace store {

using namespace rt::text::literals;
using rt::Status;

UsaPasta::UsaPasta(Contexto& ctx, std::string_view pasta) : ctx_(ctx), anterior_(ctx.LOCARQ) {
  ctx.LOCARQ = console::BAR_DIR(rt::text::alltrim(pasta));
}

UsaPasta::~UsaPasta() {
  ctx_.LOCARQ = anterior_;
}

std::string pastaLinux(const Contexto& ctx, std::string_view pasta) {
  return console::caminhoLinux(ctx, console::BAR_FORA(rt::text::alltrim(pasta)));
}

bool mesmaPasta(const Contexto& ctx, std::string_view a, std::string_view b) {
  std::error_code ec;
  const std::filesystem::path pa = std::filesystem::weakly_canonical(pastaLinux(ctx, a), ec);
  const std::filesystem::path pb = std::filesystem::weakly_canonical(pastaLinux(ctx, b), ec);
  if (std::filesystem::exists(pa) && std::filesystem::exists(pb))
    return std::filesystem::equivalent(pa, pb, ec);
  return platform::withoutSeparator(pa.string()) == platform::withoutSeparator(pb.string());
}

std::vector<std::string> pastasDoRegistro(Contexto& ctx) {
  std::vector<std::string> v;
  if (!ABERTURA(ctx, Area::DIRET)) return v;
  rt::db::Table& t = *tabela(ctx.areas, Area::DIRET);
  t.goTop();
  if (!t.status()) return v;
  while (t.status() && !t.eof()) {
    std::string p(rt::text::alltrim(t.getText("DIRETOR")));
    v.push_back(p.empty() ? ctx.ROTADEF : p);
    t.skip(1);
    if (!t.status()) break;
  }
  return v;
}

rt::Status registraPasta(Contexto& ctx, std::string_view pasta) {
  for (const std::string& p : pastasDoRegistro(ctx))
    if (mesmaPasta(ctx, p, pasta)) return {};
  if (!aberta(ctx.areas, Area::DIRET)) return {rt::Error::kNotAvailable, "DIRET"};  // nothing to write into
  seleciona(ctx.areas, Area::DIRET);
  RT_TRY(ADD_REC(ctx, kEsperaTrava));  // said by ADD_REC
  rt::db::Table& t = *tabela(ctx.areas, Area::DIRET);
  Status s = t.put("DIRETOR", console::BAR_FORA(rt::text::alltrim(pasta)));
  if (s) s = t.put("SELEC", std::string(" "));
  if (s) s = t.commit();
  return liberaGravacao(ctx, t, s, "DIRET");
}

void passaParaPasta(Contexto& ctx, std::string_view pasta, const Cpf& cpf) {
  // See the header: a register left closed is checked by its users.
  (void)MUDADIR(ctx, pasta, cpf);
}

Status MUDADIR(Contexto& ctx, std::string_view pasta, const Cpf& cpf, std::string* nome) {
  if (!platform::folderExists(pastaLinux(ctx, pasta))) return {rt::Error::kNotFound, std::string(pasta)};
  ctx.LOCARQ = console::BAR_DIR(rt::text::alltrim(pasta));
  RT_TRY(ABERTURA(ctx, Area::IMP0910));
  rt::db::Table& r = *tabela(ctx.areas, Area::IMP0910);
  bool achou = false;
  if (!rt::text::isEmptyText(cpf.chave()) && r.seek(cpf.chave()) && r.found()) achou = true;
  if (achou && nome != nullptr) *nome = r.getText("NOMECONTR");
  const std::uint32_t rec = achou ? r.recNo() : 0;
  // The name order; the row stays where it was found.
  if (r.orderCount() >= 2) r.setOrder(2);
  if (achou) {
    r.goTo(rec);
  } else {
    r.goTop();
  }
  ctx.relato().fimEspera();
  return Status::ok();
}

void mostraPastaAtual(Contexto& ctx) {
  ctx.relato().pasta(ctx.LOCARQ);
}

Status TROCASIM(Contexto& ctx, int modo, std::string_view cpf) {
  rt::db::Table* t = tabela(ctx.areas, Area::DIRET);
  if (t == nullptr) return {rt::Error::kNotAvailable, "DIRET"};
  seleciona(ctx.areas, Area::DIRET);
  const std::uint32_t aqui = t->eof() ? 0 : t->recNo();
  // Off the end of a register that has rows (the list's new, empty row) there is no folder to
  // take: appending one here would only repeat the program folder.
  if (modo == 1 && aqui == 0 && t->recordCount() > 0) {
    ctx.relato().alerta("Escreva antes o nome da pasta na coluna ao lado.");
    return falhaDita(rt::Error::kNoRecord, "DIRET");
  }
  // Every other row unmarked.
  t->goTop();
  RT_TRY(t->status());
  while (t->status() && !t->eof()) {
    if (t->recNo() != aqui && t->getText("SELEC") == "S" && REC_LOCK(ctx, kEsperaTrava)) {
      Status s = t->put("SELEC", std::string(" "));
      RT_TRY(liberaGravacao(ctx, *t, s, "DIRET"));
    }
    t->skip(1);
    if (!t->status()) break;
  }
  if (modo != 1) {
    // Only the cursor comes back to the row; nothing is written there.
    if (aqui != 0) t->goTo(aqui);
    return Status::ok();
  }
  if (aqui == 0) {
    RT_TRY(ADD_REC(ctx, kEsperaTrava));
  } else {
    t->goTo(aqui);
    RT_TRY(gravou(ctx, t->status(), "DIRET"));
    RT_TRY(REC_LOCK(ctx, kEsperaTrava));
  }
  std::string pasta(rt::text::alltrim(t->getText("DIRETOR")));
  if (pasta.empty()) pasta = ctx.ROTADEF;
  // A folder typed into the list is made only when the user agrees.
  if (!console::CRI_NDIR(ctx, pasta, " TAVREN")) {
    // Nothing written yet: the release has nothing to write.
    (void)t->unlock();
    // The user refused the folder, or its making failed and was said.
    return falhaDita(rt::Error::kNotFound, pasta);
  }
  Status s = t->put("DIRETOR", pasta);
  if (s) s = t->put("SELEC", std::string("S"));
  if (s) s = t->commit();
  RT_TRY(liberaGravacao(ctx, *t, s, "DIRET"));
  ctx.definePastaDados(pasta);
  CORRECAO(ctx, 0);
  passaParaPasta(ctx, pasta, cpf);
  mostraPastaAtual(ctx);
  // The settings keep the folder for the next start; gravaConfig says a failed write, and the
  // switch stays.
  gravaConfig(ctx, "ROTADOANO", pasta).ignoreTold();
  return Status::ok();
}

Status VEJA_ARQ(Contexto& ctx, int quantos, std::string_view pasta, std::string_view prefixo,
              std::string_view sufixo) {
  const std::string base = console::BAR_DIR(rt::text::alltrim(pasta));
  const bool umDigito = rt::text::upper(prefixo) == "MOL" || rt::text::upper(prefixo) == "ZUK";
  for (int k = 1; k <= quantos; ++k) {
    std::string num = std::to_string(k);
    if (!umDigito && k < 10) num = "0" + num;
    const std::string nome = base + std::string(prefixo) + num + std::string(sufixo) + ".DBF";
    if (!existe(ctx, nome)) {
      ctx.relato().alerta(std::string("Não encontrado o Arquivo "_cp) + nome);
      return falhaDita(rt::Error::kNotFound, nome);
    }
  }
  return Status::ok();
}

Status pastaCabe(Contexto& ctx, std::string_view pasta, int largura) {
  if (rt::text::alltrim(pasta).size() <= static_cast<std::size_t>(largura)) return Status::ok();
  ctx.relato().alerta(
      std::vector<std::string>{"O nome da pasta tem mais de " + std::to_string(largura) + " caracteres.",
                               "Digite uma pasta de nome mais curto."});
  return falhaDita(rt::Error::kBadArgument, pasta);
}

bool TA_NA_REDE(const Contexto& ctx) {
  auto r = platform::isOnNetwork(pastaLinux(ctx, ctx.LOCARQ));
  return r && *r;
}

namespace {

// The terminal's settings record, positioned; nullptr when there is none.
rt::db::Table* registroConfig(Contexto& ctx) {
  if (!aberta(ctx.areas, Area::CONFIG) && !ABERTURA(ctx, Area::CONFIG)) return nullptr;
  rt::db::Table& c = *tabela(ctx.areas, Area::CONFIG);
  seleciona(ctx.areas, Area::CONFIG);
  if (!c.seek(rt::text::padr(ctx.NUSU, 2)) || !c.found()) return nullptr;
  return &c;
}

}  // namespace

std::string leConfig(Contexto& ctx, std::string_view campo) {
  const SelecaoGuardada selecao(ctx.areas);
  rt::db::Table* c = registroConfig(ctx);
  std::string v;
  if (c != nullptr) {
    const rt::db::Value valor = c->get(campo);
    if (const auto* t = std::get_if<std::string>(&valor)) v = *t;
    if (const auto* d = std::get_if<rt::text::Date>(&valor)) v = rt::text::dtos(*d);
  }
  return v;
}

rt::Status gravaConfig(Contexto& ctx, std::string_view campo, const rt::db::Value& valor) {
  const SelecaoGuardada selecao(ctx.areas);
  rt::db::Table* c = registroConfig(ctx);
  // No record: nothing to write into, and nothing to say (the record is made at start-up).
  if (c == nullptr) return {rt::Error::kNoRecord, "CONFIG"};
  RT_TRY(REC_LOCK(ctx, kEsperaTrava));  // said by REC_LOCK
  Status s = c->put(campo, valor);
  if (s) s = c->commit();
  return liberaGravacao(ctx, *c, s, campo);
}

}  // namespace store

#include "shell/cores_registro.h"

#include "rt/text/decimal.h"
#include "rt/text/strings.h"
#include "shell/registros.h"
#include "store/areas.h"
#include "store/recusa.h"
#include "store/travas.h"

namespace shell {
namespace {

using rt::Status;
using rt::text::Decimal;

struct Numerico {
  const char* campo;
  int console::Cores::*membro;
};
struct Texto {
  const char* campo;
  std::string console::Cores::*membro;
};

constexpr Numerico kNumericos[] = {
    {"COR_TEL1", &console::Cores::COR_TEL1},   {"COR_TEL2", &console::Cores::COR_TEL2},
    {"COR_TEL3", &console::Cores::COR_TEL3},   {"COR_MENS", &console::Cores::COR_MENS},
    {"COR_PEGA", &console::Cores::COR_PEGA},   {"COR_HELP", &console::Cores::COR_HELP},
    {"COR_FERID", &console::Cores::COR_FERID}, {"COR_ESCOL", &console::Cores::COR_ESCOL},
    {"COR_ENCHE", &console::Cores::COR_ENCHE},
};
constexpr Texto kTextos[] = {
    {"COR_1_CLI", &console::Cores::COR_1_CLI},   {"COR_2_CLI", &console::Cores::COR_2_CLI},
    {"COR_INI", &console::Cores::COR_INI},       {"COR_SAY", &console::Cores::COR_SAY},
    {"COR_GET", &console::Cores::COR_GET},       {"COR_CLI_HE", &console::Cores::COR_CLI_HE},
    {"COR_ESC_CL", &console::Cores::COR_ESC_CL}, {"COR_ENCH_C", &console::Cores::COR_ENCH_C},
};

Status escreve(rt::db::Table& t, const std::string& terminal, const console::Cores& c) {
  RT_TRY(t.put("NRO_TERM", terminal));
  for (const Numerico& n : kNumericos) RT_TRY(t.put(n.campo, Decimal(c.*n.membro)));
  for (const Texto& x : kTextos) RT_TRY(t.put(x.campo, c.*x.membro));
  return t.flush();
}

void le(const rt::db::Table& t, console::Cores& c) {
  for (const Numerico& n : kNumericos)
    c.*n.membro = static_cast<int>(t.getNumber(n.campo).wholePart()) & 0xFF;
  for (const Texto& x : kTextos) {
    std::string v(rt::text::trim(t.getText(x.campo)));
    if (!v.empty()) c.*x.membro = std::move(v);
  }
}

// Appends the terminal's record (it comes locked) and writes the colours into it.
rt::Status acrescenta(store::Contexto& ctx, rt::db::Table& t) {
  store::seleciona(ctx.areas, store::Area::CORES);
  if (!store::ADD_REC(ctx, store::kEsperaTrava)) return store::falhaDita(rt::Error::kLocked, t.alias());  // said by ADD_REC
  return store::liberaGravacao(ctx, t, escreve(t, ctx.NUSU, ctx.cores), t.alias());
}

}  // namespace

rt::Status CRIACOR(store::Contexto& ctx) {
  rt::Status ok;
  {
    UsoTabela cores(ctx, store::Area::CORES);
    if (!cores.ok()) return store::falhaDita(rt::Error::kNotAvailable, "CORES");  // the opener said why
    if (achaTerminal(ctx, *cores)) {
      le(*cores, ctx.cores);
    } else {
      ok = acrescenta(ctx, *cores);
    }
  }
  store::solta(ctx.areas, store::Area::CORES);
  return ok;
}

rt::Status GRAVACOR(store::Contexto& ctx) {
  rt::Status ok;
  {
    UsoTabela cores(ctx, store::Area::CORES);
    if (!cores.ok()) return store::falhaDita(rt::Error::kNotAvailable, "CORES");  // the opener said why
    if (achaTerminal(ctx, *cores)) {
      const std::string terminal = ctx.NUSU;
      const console::Cores c = ctx.cores;
      ok = gravaTravado(ctx, store::Area::CORES, *cores,
                        [&](rt::db::Table& t) { return escreve(t, terminal, c); });
    } else {
      ok = acrescenta(ctx, *cores);
    }
  }
  store::solta(ctx.areas, store::Area::CORES);
  return ok;
}

std::string CORNORM(const console::Cores& c) {
  return c.COR_SAY + "," + c.COR_GET + ",N/N,N/N," + c.COR_SAY;
}
std::string CORLIMP(const console::Cores& c) {
  return c.COR_1_CLI + "," + c.COR_GET + ",N/N,N/N," + c.COR_SAY;
}
std::string CORSELE(const console::Cores& c) {
  return c.COR_CLI_HE + "," + c.COR_GET + ",N/N,N/N," + c.COR_SAY;
}
std::string CORMENU(const console::Cores& c) {
  return c.COR_1_CLI + "," + c.COR_ESC_CL + "," + c.COR_ENCH_C + "," + c.COR_ENCH_C + "," + c.COR_2_CLI +
         "," + c.COR_2_CLI;
}

}  // namespace shell

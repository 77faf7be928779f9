#include "shell/config_terminal.h"

#include <algorithm>

#include "console/pastas.h"
#include "rt/text/strings.h"
#include "store/campos.h"

namespace shell {
namespace {

using store::inteiro;

using rt::Status;
using rt::text::Decimal;

// A stored choice outside its list (a damaged record, or one written by a version with
// longer lists) becomes the first entry.
int naLista(int valor, int maior) {
  return (valor >= 1 && valor <= maior) ? valor : 1;
}

std::string texto(const rt::db::Table& t, std::string_view campo) {
  return std::string(rt::text::trim(t.getText(campo)));
}

}  // namespace

void padroesConfig(Program& p) {
  p.cfg.ROTATIVID = p.ROTADEF;
  // DTAVREN is kept as given; one too long for its field named no usable folder (start-up
  // refuses a program folder that long), so nothing of it is kept.
  p.cfg.DIRPROV = rt::text::alltrim(p.DIRDEF).size() <= kLarguraPasta ? p.DIRDEF : std::string();
  p.cfg.ULTBACK = p.HOJE;
  p.definePastaDados(p.ROTADEF);
  p.definePastaTrabalho(p.ROTADEF);
}

std::string pastaDadosNova(Program& p) {
  if (console::LF_ISFILE(p, p.ARQDEF + "IMP0910.DBF")) return p.ROTADEF;
  const std::string pasta = p.ARQDEF + std::string(kPastaDadosNova);
  if (pasta.size() > kLarguraPasta) return p.ROTADEF;
  if (!console::VERDIR(p, pasta) && !console::CRIADIR(p, pasta)) return p.ROTADEF;
  return pasta;
}

Status gravaConfigNova(const Program& p, rt::db::Table& t) {
  const ConfigTerminal& c = p.cfg;
  RT_TRY(t.put("NRO_TERM", p.NUSU));
  RT_TRY(t.put("ROTAANTER", c.ROTAANTER));
  RT_TRY(t.put("ROTADOANO", p.ROTADOANO));
  RT_TRY(t.put("ROTATIVID", c.ROTATIVID));
  RT_TRY(t.put("ROTARECEI", c.ROTARECEI));
  RT_TRY(t.put("ROTAREANT", c.ROTAREANT));
  RT_TRY(t.put("ROTAJAVA", c.ROTAJAVA));
  RT_TRY(t.put("ROTAMOL", c.ROTAMOL));
  RT_TRY(t.put("DIRTRAB", p.DIRTRAB));
  RT_TRY(t.put("DIRPROV", c.DIRPROV));
  RT_TRY(t.put("DIRINST", c.DIRINST));
  for (const char* campo : {"QUEIMP", "QUEMOD", "QUEPAG", "QUECON", "AQUEIMP", "AQUEMOD", "AQUEPAG",
                            "AQUECON", "ATVQUAL", "COMPAGA", "ULT_MOD"})
    RT_TRY(t.put(campo, Decimal(1)));
  RT_TRY(t.put("IMPBEM", std::string("1")));
  RT_TRY(t.put("IMPBAL", std::string("1")));
  RT_TRY(t.put("MOSIMP", std::string("S")));
  RT_TRY(t.put("MOSTEL", std::string("S")));
  RT_TRY(t.put("QUERSEN", false));
  for (const char* campo : {"ULT_TER", "ULT_SENIR", "ULT_SENMOL"}) RT_TRY(t.put(campo, Decimal(0)));
  RT_TRY(t.put("ULT_CPF", std::string(11, ' ')));
  RT_TRY(t.put("XDRIVE", std::string("A")));
  RT_TRY(t.put("SOESTE", Decimal(9)));
  RT_TRY(t.put("OPTTRAN", Decimal(3)));
  RT_TRY(t.put("ULTBACK", p.HOJE));
  RT_TRY(t.put("OPCIRPF", std::string("J")));
  return {};
}

void leConfig(Program& p, const rt::db::Table& t) {
  ConfigTerminal& c = p.cfg;
  c.ROTAANTER = texto(t, "ROTAANTER");
  c.ROTATIVID = texto(t, "ROTATIVID");
  c.ROTARECEI = texto(t, "ROTARECEI");
  c.ROTAREANT = texto(t, "ROTAREANT");
  c.ROTAJAVA = texto(t, "ROTAJAVA");
  c.ROTAMOL = texto(t, "ROTAMOL");
  c.ROTABACK = texto(t, "ROTABACK");
  c.DIRPROV = texto(t, "DIRPROV");
  c.DIRINST = texto(t, "DIRINST");
  p.definePastaDados(t.getText("ROTADOANO"));
  p.definePastaTrabalho(t.getText("DIRTRAB"));
  c.OPCIRPF = t.getText("OPCIRPF");
  p.QUEIMP = inteiro(t, "QUEIMP");
  c.QUEMOD = inteiro(t, "QUEMOD");
  c.QUEPAG = inteiro(t, "QUEPAG");
  c.QUECON = inteiro(t, "QUECON");
  c.COMPAGA = inteiro(t, "COMPAGA");
  c.IMPBEM = t.getText("IMPBEM");
  c.IMPBAL = t.getText("IMPBAL");
  c.MOSIMP = t.getText("MOSIMP");
  c.MOSTEL = t.getText("MOSTEL");
  c.MOSCPF = t.getText("MOSCPF");
  p.aj.QUERSEN = t.getLogical("QUERSEN");
  p.aj.ULT_SENIR = inteiro(t, "ULT_SENIR");
  c.ULT_CPF = t.getText("ULT_CPF");
  c.XDRIVE = t.getText("XDRIVE");
  c.SOESTE = std::clamp(inteiro(t, "SOESTE"), 0, 99);
  c.OPTTRAN = std::clamp(inteiro(t, "OPTTRAN"), 0, 3);
  c.ULTBACK = t.getDate("ULTBACK");
  // A blank date would make the reminder count from the beginning of time.
  if (c.ULTBACK.isEmpty()) c.ULTBACK = p.HOJE;
  limitaEscolhas(p);
}

void limitaEscolhas(Program& p) {
  p.QUEIMP = naLista(p.QUEIMP, 14);
  p.cfg.QUEMOD = naLista(p.cfg.QUEMOD, 4);
  p.cfg.QUEPAG = naLista(p.cfg.QUEPAG, 12);
  p.cfg.QUECON = naLista(p.cfg.QUECON, 4);
  p.NRO_VIAS = std::clamp(p.NRO_VIAS, 1, 9);
}

Status gravaConfigSaida(const Program& p, rt::db::Table& t) {
  const ConfigTerminal& c = p.cfg;
  RT_TRY(t.put("ROTADOANO", p.ROTADOANO));
  RT_TRY(t.put("ROTARECEI", c.ROTARECEI));
  RT_TRY(t.put("ROTAJAVA", c.ROTAJAVA));
  RT_TRY(t.put("ULT_CPF", c.ULT_CPF));
  RT_TRY(t.put("QUERSEN", p.aj.QUERSEN));
  RT_TRY(t.put("ULT_SENIR", Decimal(p.aj.ULT_SENIR)));
  RT_TRY(t.put("DIRTRAB", p.DIRTRAB));
  RT_TRY(t.put("OPTTRAN", Decimal(c.OPTTRAN)));
  RT_TRY(t.put("SOESTE", Decimal(c.SOESTE)));
  RT_TRY(t.put("ULTBACK", c.ULTBACK));
  RT_TRY(t.put("OPCIRPF", c.OPCIRPF));
  return {};
}

Status gravaConfigImpressao(const Program& p, rt::db::Table& t) {
  const ConfigTerminal& c = p.cfg;
  RT_TRY(t.put("QUEIMP", Decimal(p.QUEIMP)));
  RT_TRY(t.put("QUEMOD", Decimal(c.QUEMOD)));
  RT_TRY(t.put("QUEPAG", Decimal(c.QUEPAG)));
  RT_TRY(t.put("QUECON", Decimal(c.QUECON)));
  RT_TRY(t.put("COMPAGA", Decimal(c.COMPAGA)));
  RT_TRY(t.put("IMPBEM", c.IMPBEM));
  RT_TRY(t.put("IMPBAL", c.IMPBAL));
  RT_TRY(t.put("MOSIMP", c.MOSIMP));
  RT_TRY(t.put("MOSTEL", c.MOSTEL));
  RT_TRY(t.put("MOSCPF", c.MOSCPF));
  return {};
}

Status gravaConfigBackup(const Program& p, rt::db::Table& t) {
  RT_TRY(t.put("ULTBACK", p.cfg.ULTBACK));
  RT_TRY(t.put("XDRIVE", p.cfg.XDRIVE));
  RT_TRY(t.put("ROTABACK", p.cfg.ROTABACK));
  return {};
}

}  // namespace shell

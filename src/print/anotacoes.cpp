// Sheet 9: the taxpayer's notes (the checker's and the office's), with a header of the
// taxpayer's status and contact numbers on each page.
#include "print/folha.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/estatus.h"

namespace print {

using rt::text::transform;

namespace {

void cabecalhoDasNotas(Folha& f) {
  Pagina& p = f.pag;
  const Memvars& m = f.m;
  p.normal();
  p.linha(0, rt::text::left(f.imp.LIN_DIV1, 55) + "  " + transform(rt::text::today(f.ctx.clock), "") + " " +
                 rt::text::timeText(f.ctx.clock));
  p.diz(0, "CPF:");
  p.diz(5, transform(m.txt("CPF"), kCpf));
  p.diz(22, "Nome:");
  p.linha(28, rt::text::left(m.txt("NOMECONTR"), 43));
  const int estatus = static_cast<int>(m.num("ESTATUS").wholePart());
  p.diz(0, "Situacao da declaracao ");
  p.diz(23, transform(Decimal(estatus), "99"));
  if (estatus > 0) p.diz(26, store::VE_STAT(f.ctx, estatus, 3));
  p.linha(60, "Term. " + f.ctx.NUSU);
  p.diz(0, "DDD");
  p.diz(4, transform(m.txt("DDDFAX"), "@R 9999-9999"));
  p.diz(15, "Celular");
  p.diz(23, transform(m.txt("TELCELU"), "@R 9999-9999"));
  p.diz(34, "Escritorio");
  p.diz(45, transform(m.txt("TELESCR"), "@R 9999-9999"));
  p.diz(56, "Secretaria");
  p.linha(67, transform(m.txt("TELSECR"), "@R 9999-9999"));
  p.linha(0, f.imp.LIN_DIV1);
}

}  // namespace

void ANOTE_ESP(Folha& f) {
  Pagina& p = f.pag;
  std::vector<std::string> notas;
  paraCadaLinha(f.ctx, store::Area::TMP_11, [&](rt::db::Table& t) { notas.push_back(t.getText("OBSERV")); });
  if (notas.empty()) return;
  cabecalhoDasNotas(f);
  for (const std::string& nota : notas) {
    if (p.QLIN() > Pagina::NROLINHAS) {
      p.linha(0, f.imp.LIN_DIV1);
      p.quebra();
      cabecalhoDasNotas(f);
    }
    p.linha(0, rt::text::trim(nota));
  }
  p.linha(0, f.imp.LIN_DIV1);
  p.avanca();
  p.quebra();
}

}  // namespace print

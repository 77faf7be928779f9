#include "store/busca_outro.h"

#include "console/pastas.h"
#include "platform/paths.h"
#include "rt/db/table.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/arquivos.h"
#include "store/pastas_dados.h"
#include "store/cpf.h"

namespace store {

std::optional<Achado> BUSCA_OUTRO(Contexto& ctx, std::string_view chave, int ordem, int preenche,
                                  bool conjuge) {
  const std::string inicio = ctx.LOCARQ;
  const std::string procura = ordem == 2 ? rt::text::upper(rt::text::trim(chave)) : Cpf(chave).chave();
  const std::vector<std::string> pastas = pastasDoRegistro(ctx);
  for (const std::string& pasta : pastas) {
    if (mesmaPasta(ctx, pasta, inicio)) continue;
    if (!existe(ctx, console::BAR_DIR(pasta) + "IMP0910.DBF")) continue;
    if (!MUDADIR(ctx, pasta)) continue;
    rt::db::Table& r = *tabela(ctx.areas, Area::IMP0910);
    const int o = ordem == 2 ? 2 : 1;
    if (!r.useOrder(o) || !r.seek(procura, ordem == 2) || !r.found()) continue;
    Achado a{pasta, r.getText("CPF"), r.getText("NOMECONTR")};
    if (!conjuge) {
      // The folder's row of the register becomes the chosen one.
      rt::db::Table& reg = *tabela(ctx.areas, Area::DIRET);
      for (reg.goTop(); reg.status() && !reg.eof(); reg.skip(1))
        if (mesmaPasta(ctx, reg.getText("DIRETOR"), pasta)) break;
      // TROCASIM says why it could not mark the folder; the search goes on in it all the same.
      (void)TROCASIM(ctx, preenche, a.cpf);
      if (preenche != 1) ctx.LOCARQ = console::BAR_DIR(pasta);
      passaParaPasta(ctx, pasta, a.cpf);
      mostraPastaAtual(ctx);
    }
    rt::db::Table& achou = *tabela(ctx.areas, Area::IMP0910);
    // The spouse's search reads the spouse where the register stands: a register that cannot
    // be put back on him is no find there. A folder switched to stays, and its load searches
    // the taxpayer again.
    const bool posto = achou.useOrder(1).isOk() && achou.seek(Cpf(a.cpf).chave()).isOk() && achou.found();
    if (!posto && conjuge) continue;
    return a;
  }
  passaParaPasta(ctx, inicio);
  if (aberta(ctx.areas, Area::IMP0910)) tabela(ctx.areas, Area::IMP0910)->setOrder(1);
  // The spouse's search runs over a declaration's screen, and the current folder never
  // changed for the clerk: the taxpayer page is not drawn over it.
  if (!conjuge) mostraPastaAtual(ctx);
  return std::nullopt;
}

}  // namespace store

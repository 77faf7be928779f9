#include "converter/folha_importa.h"

#include <fstream>
#include <sstream>

#include "console/alerta.h"
#include "console/mensagens.h"
#include "console/pastas.h"
#include "converter/molduras.h"
#include "rt/db/file.h"
#include "rt/term/colour.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/read.h"
#include "store/areas.h"
#include "store/catalogo.h"
#include "store/recusa.h"
#include "store/travas.h"

namespace conversor {

using namespace rt::text::literals;
using store::Area;

rt::term::ColourSet coresEntrada(const store::Contexto& ctx) {
  const console::Cores& c = ctx.cores;
  return rt::term::parseColourList(c.COR_SAY + "," + c.COR_GET + ",N/N,N/N," + c.COR_SAY);
}

bool gravaComprovantes(store::Contexto& ctx, std::span<const Comprovante> comprovantes) {
  rt::db::Table* t = store::tabela(ctx.areas, Area::FOLHAPG);
  if (t == nullptr) return false;
  const store::SelecaoGuardada selecao(ctx.areas, Area::FOLHAPG);
  if (!store::FIL_LOCK(ctx, 5)) return false;
  const auto campos = store::estrutura(store::numero(Area::FOLHAPG));
  rt::Status s;
  for (const Comprovante& c : comprovantes) {
    s = t->appendBlank();
    for (std::size_t i = 0; s && i < c.size() && i < campos.size(); ++i) s = t->put(campos[i].nome, c[i]);
    if (!s) break;
  }
  return static_cast<bool>(store::liberaGravacao(ctx, *t, s, t->alias()));
}

bool importaArquivo(store::Contexto& ctx, const std::string& arquivo) {
  std::ifstream f(arquivo, std::ios::binary);
  if (!f) {
    console::AVISOSN(ctx, "Arquivo para a importação FOLHA.TXT não localizado!"_cp, 0);
    return false;
  }
  std::ostringstream bytes;
  bytes << f.rdbuf();
  const LeituraFolha l = leFolha(bytes.str(), store::estrutura(store::numero(Area::FOLHAPG)));
  if (!l.recusa.empty()) {
    console::AVISOSN(ctx, {std::string_view(l.recusa), "Nada foi importado."}, 0);
    return false;
  }
  return gravaComprovantes(ctx, l.comprovantes);
}

void IMPORTA(store::Contexto& ctx, Conversor& c) {
  MTELA1(ctx, c, 7);
  const console::JanelaAberta quadro = console::JanelaAberta::adota(ctx.janelas, console::Jan::kDialogo);
  std::string pasta = rt::text::padr(rt::text::alltrim(ctx.ROTADOANO), 40);
  for (;;) {
    const rt::ui::ReadResult r = rt::ui::readOne(
        ctx.console, rt::ui::Get(ctx.ALJA[7] + 1, ctx.ACJA[7] + 1, rt::ui::var("PASTA", pasta), "@!"), coresEntrada(ctx));
    if (r.escaped) return;
    const std::string nome(rt::text::alltrim(pasta));
    if (nome.empty() || !console::VERDIR(ctx, nome)) {
      console::MENS(ctx, 11, std::string("Drive e/ou Diretório "_cp) + nome + std::string(" inexistente !!"_cp));
      continue;
    }
    const std::string caminho = rt::db::resolveCaseInsensitive(console::caminhoLinux(ctx, console::BAR_DIR(nome) + "FOLHA.TXT"));
    if (!rt::db::fileExists(caminho)) {
      console::AVISOSN(ctx, "Arquivo para a importação FOLHA.TXT não localizado!"_cp, 0);
      return;
    }
    (void)importaArquivo(ctx, caminho);  // says its own refusal
    return;
  }
}

}  // namespace conversor

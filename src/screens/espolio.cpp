// The data of an estate's final declaration (dialog frame 10): the judicial division or the
// notarial deed that closed the estate, and the year of death, typed until the clerk leaves
// with Esc.
#include "console/alerta.h"
#include "console/janelas.h"
#include "console/molduras.h"
#include "console/validadores.h"
#include "rt/term/colour.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/read.h"
#include "screens/formulario.h"
#include "screens/regras_comum.h"

namespace screens {

using namespace rt::text::literals;

namespace {

struct CampoEspolio {
  std::string_view nome, picture;
};

// The district (25 characters) scrolls in its place of 14, beside the UF.
constexpr CampoEspolio kJudicial[] = {{"NROPROCES", "@!"}, {"VARACIVIL", "@!"}, {"COMARCA", "@!S14"},
                                      {"UFPROCES", "@!"},  {"DATAPARTI", "@D"}, {"DATADECIS", "@D"}};
constexpr CampoEspolio kCartorial[] = {{"NOMECARTO", "@!S40"},     {"MUNICARTO", "@!"},
                                       {"UFPROCES", "@!"},        {"LIVRCARTO", "@ 9999999"},
                                       {"FOLHCARTO", "@ 9999999"}, {"CNPJCARTO", "@r 99.999.999/9999-99"},
                                       {"DATALAVRA", "@D"}};

}  // namespace

void dialogoEspolio(AmbienteTela& a, bool judicial) {
  store::RegistroEspelho& t1 = a.espelho().tabela01;
  console::MTELA1(a.ctx, console::mtela1::Espolio, {.judicial = judicial});
  const auto moldura = console::JanelaAberta::adota(a.ctx.janelas, console::Jan::kSubdialogo);
  const std::vector<console::CampoMoldura> lugares =
      console::camposMoldura(a.ctx, console::Familia::MTELA1, console::mtela1::Espolio, {.judicial = judicial});
  rt::ui::Read read(a.ctx.console, a.cores);
  std::size_t i = 0;
  const auto poe = [&](std::string_view nome, std::string_view picture) {
    if (i >= lugares.size()) return static_cast<rt::ui::Get*>(nullptr);
    const console::CampoMoldura& l = lugares[i++];
    return &read.get(a.ctx.ALJA[10] + l.linha, a.ctx.ACJA[10] + l.coluna, campoEspelho(t1, nome), picture);
  };
  for (const CampoEspolio& c : judicial ? std::span<const CampoEspolio>(kJudicial) : std::span<const CampoEspolio>(kCartorial)) {
    rt::ui::Get* g = poe(c.nome, c.picture);
    if (g == nullptr) continue;
    if (c.nome == "DATADECIS")
      g->valid([&a, &t1] {
        // VAL_DATDEC: the decision becomes final after the division.
        const rt::text::Date d = t1.data("DATADECIS");
        if (d.isEmpty() || d >= t1.data("DATAPARTI")) return true;
        console::AVISOSN(a.ctx, {"A data da decisao em julgado deve", "ser superior a data da partilha."}, 0);
        return false;
      });
    if (c.nome == "CNPJCARTO")
      g->valid([&a, &t1] {
        // The deed's notary office is required: an empty CNPJ is refused, and said so.
        if (rt::text::alltrim(t1.txt("CNPJCARTO")).empty()) {
          console::AVISOSN(a.ctx, "Informe o CNPJ do cartório da escritura."_cp, 0);
          return false;
        }
        return console::VAL_CGC(a.ctx, t1.txt("CNPJCARTO"), true);
      });
  }
  poe("ANOOBITO", "@z 9999");
  while (true) {
    const rt::ui::ReadResult r = read.run();
    if (r.escaped && r.lastKey.code == rt::term::key::Esc) break;
  }
}

}  // namespace screens

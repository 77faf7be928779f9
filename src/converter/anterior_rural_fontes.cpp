#include "converter/anterior_rural_fontes.h"

#include <string>
#include <vector>

#include "console/pastas.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/arquivos.h"

namespace converter::rural {

using namespace rt::text::literals;
using rt::Status;

namespace {

// The opener names a foreign table by ctx.APELIDO; it is this program's variable, so it is
// put back as it was.
class ComApelido {
 public:
  ComApelido(store::Contexto& ctx, std::string_view apelido) : ctx_(ctx), antes_(ctx.APELIDO) {
    ctx.APELIDO = std::string(apelido);
  }
  ~ComApelido() { ctx_.APELIDO = antes_; }
  ComApelido(const ComApelido&) = delete;
  ComApelido& operator=(const ComApelido&) = delete;

 private:
  store::Contexto& ctx_;
  std::string antes_;
};

bool doTipo(char tipo, char esperado) {
  if (esperado == 'N') return tipo == 'N' || tipo == 'F';
  return tipo == esperado;
}

// The alert of a refused source: the table and the field.
void avisaRecusa(store::Contexto& ctx, std::string_view tabela, const Lido& campo, bool outroTipo) {
  // Worded as the refusal of last year's own tables.
  const std::string tem =
      outroTipo ? " da pasta de origem tem o campo " : std::string(" da pasta de origem não tem o campo "_cp);
  ctx.relato().alerta({"A tabela " + std::string(tabela) + tem + std::string(campo.nome) +
                           (outroTipo ? " de outro tipo." : "."),
                       "Nenhum contribuinte foi convertido."});
}

}  // namespace

Aberta abreFonte(store::Contexto& ctx, store::Area area, std::string_view pasta, std::string_view nome,
                 std::string_view chave, std::span<const Lido> campos) {
  const std::string arquivo = console::BAR_DIR(pasta) + std::string(nome);
  if (!store::existe(ctx, store::comExtensao(arquivo, ".DBF"))) return Aberta::Ausente;
  const ComApelido nomeado(ctx, "RURAL" + std::to_string(store::numero(area)));
  // The fields first, on the bare table: a key over a missing field would fail as a damaged
  // table would, and the user would not learn which field is missing.
  if (!store::ABRE_ALHEIA(ctx, area, arquivo, {})) return Aberta::Falhou;
  const rt::db::Table& t = *ctx.areas.table(area);
  for (const Lido& c : campos) {
    const rt::db::FieldDef* f = t.field(c.nome);
    if (f == nullptr || !doTipo(f->type, c.tipo)) {
      ctx.areas.release(area);
      avisaRecusa(ctx, rt::text::upper(nome), c, f != nullptr);
      return Aberta::Recusada;
    }
  }
  const std::vector<std::string> chaves{std::string(chave)};
  return store::ABRE_ALHEIA(ctx, area, arquivo, chaves) ? Aberta::Sim : Aberta::Falhou;
}

Status linhasDoCpf(rt::db::Table& t, const store::Cpf& cpf,
                   const std::function<Status(const rt::db::Table&)>& cada) {
  RT_TRY(t.seek(cpf.chave()));
  if (!t.found()) return Status::ok();
  while (t.status() && !t.eof() && t.getText("CPF") == cpf.chave()) {
    RT_TRY(cada(t));
    t.skip(1);
  }
  return t.status();
}

rt::Result<bool> temCpf(rt::db::Table& t, const store::Cpf& cpf) {
  RT_TRY(t.seek(cpf.chave()));
  return t.found();
}

std::string ladoDe(const rt::db::Table& t) {
  return rt::text::isEmptyText(t.getText("ATV_EXTER")) ? "S" : "N";
}

}  // namespace converter::rural

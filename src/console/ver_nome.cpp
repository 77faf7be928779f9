#include "console/ver_nome.h"

#include "rt/db/table.h"
#include "rt/text/strings.h"
#include "rt/ui/read.h"
#include "workareas/areas.h"

namespace console {

namespace {

// Enough of a name to find it; the register keeps 53 characters.
constexpr int kLarguraNome = 40;

}  // namespace

bool VER_NOME(Contexto& ctx, const RegistroNomes& reg, const AlvoNome& alvo) {
  std::string nome(kLarguraNome, ' ');
  const rt::term::ColourSet cores =
      rt::term::parseColourList(ctx.cores.COR_SAY + "," + ctx.cores.COR_GET + ",N/N,N/N," + ctx.cores.COR_SAY);
  const rt::ui::ReadResult r =
      rt::ui::readOne(ctx.console, rt::ui::Get(alvo.linha, alvo.coluna, rt::ui::var("NOME", nome), "@!"), cores);
  bool achou = false;
  if (!r.escaped) {
    const std::string procura = rt::text::upper(rt::text::trim(nome));
    // Nothing typed matches every name: the list is the only sensible answer.
    achou = !procura.empty() && reg.buscaNome && reg.buscaNome(procura);
    if (!achou && reg.escolhe) achou = reg.escolhe();
    if (achou) {
      if (alvo.CPF != nullptr && reg.cpf) *alvo.CPF = reg.cpf();
      if (alvo.NOMECONTR != nullptr && reg.nome) *alvo.NOMECONTR = reg.nome();
    }
  }
  if (reg.restaura) reg.restaura();
  return achou;
}

RegistroNomes registroNomes(AcessoTabelas tabelas, Listas& listas, std::function<void()> mostraPagina) {
  // The register's orders: 1 CPF, 2 name, 3 status.
  constexpr int kOrdemCpf = 1, kOrdemNome = 2;
  auto registro = [tabelas]() -> rt::db::Table* {
    if (workareas::tabela(tabelas.areas, workareas::Area::IMP0910) == nullptr &&
        (!tabelas.abre || !tabelas.abre(workareas::Area::IMP0910)))
      return nullptr;
    return workareas::tabela(tabelas.areas, workareas::Area::IMP0910);
  };
  RegistroNomes r;
  r.buscaNome = [registro](const std::string& nome) {
    rt::db::Table* t = registro();
    if (t == nullptr || !t->useOrder(kOrdemNome).isOk() || !t->seek(nome, true).isOk() || t->eof()) return false;
    return rt::text::upper(t->getText("NOMECONTR")).starts_with(nome);
  };
  r.escolhe = [registro, &listas] {
    if (registro() == nullptr) return false;
    listas.GERAL5();
    return listas.escolheu();
  };
  r.cpf = [registro] {
    rt::db::Table* t = registro();
    return t != nullptr && !t->eof() ? t->getText("CPF") : std::string();
  };
  r.nome = [registro] {
    rt::db::Table* t = registro();
    return t != nullptr && !t->eof() ? t->getText("NOMECONTR") : std::string();
  };
  r.restaura = [tabelas, mostraPagina = std::move(mostraPagina)] {
    if (mostraPagina) mostraPagina();
    if (rt::db::Table* t = workareas::tabela(tabelas.areas, workareas::Area::IMP0910)) t->setOrder(kOrdemCpf);
  };
  return r;
}

BuscaNome buscaPorNome(Contexto& ctx, RegistroNomes reg, AlvoNome alvo) {
  return [&ctx, reg = std::move(reg), alvo] { VER_NOME(ctx, reg, alvo); };
}

}  // namespace console

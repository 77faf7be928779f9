// A taxpayer's rows read as journal rows, and the one way they replace his rows in a data
// folder: through the save journal, all of them or none.
#include "store/transfere.h"

#include <algorithm>
#include <set>

#include "rt/db/file.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/pastas_dados.h"
#include "store/tabelas_declaracao.h"

namespace store {

using rt::Error;
using rt::Status;
using rt::db::Table;

namespace {

// Journal offsets count from the first field (the deletion flag is not kept).
std::vector<rt::db::FieldDef> camposDiario(std::span<const rt::db::FieldDef> campos) {
  std::vector<rt::db::FieldDef> v(campos.begin(), campos.end());
  int offset = 0;
  for (rt::db::FieldDef& f : v) {
    f.offset = offset;
    offset += f.width;
  }
  return v;
}

const rt::db::FieldDef* campoDiario(const TabelaDiario& t, std::string_view nome) {
  for (const rt::db::FieldDef& f : t.campos)
    if (rt::text::upper(f.name) == rt::text::upper(nome)) return &f;
  return nullptr;
}

std::string ladoDe(const TabelaDiario& t, const std::string& reg) {
  const rt::db::FieldDef* f = campoDiario(t, "ATV_BRASIL");
  if (f == nullptr || static_cast<std::size_t>(f->offset) >= reg.size()) return " ";
  return reg.substr(static_cast<std::size_t>(f->offset), 1);
}

}  // namespace

std::vector<Area> tabelasDaParte(Parte p) {
  std::vector<Area> v;
  const Area de = p == Parte::SoMol ? Area::IMP1510 : Area::IMP0110;
  const Area ate = p == Parte::SoIr ? Area::IMP1410 : Area::IMP1910;
  for (Area n : kDeclaracao)
    if (n >= de && n <= ate && n != Area::IMP0910) v.push_back(n);
  return v;
}

rt::Result<TabelaDiario> linhasDoCpf(Table& t, Area n, const Cpf& cpf,
                                     const std::function<bool(const Table&)>& filtro) {
  TabelaDiario tab;
  tab.numero = n;
  tab.campos = camposDiario(t.fields());
  const std::string& chave = cpf.chave();
  const int campoCpf = t.fieldIndex("CPF");
  if (campoCpf < 0) return tab;
  auto pega = [&]() {
    if (!t.isDeleted() && (!filtro || filtro(t))) tab.registros.emplace_back(t.record().substr(1));
  };
  if (t.order() > 0) {
    RT_TRY(t.seek(chave));
    while (t.status() && !t.eof() && t.raw(campoCpf) == chave) {
      pega();
      t.skip(1);
      RT_TRY(t.status());
    }
  } else {
    const std::uint32_t total = t.recordCount();
    for (std::uint32_t r = 1; r <= total; ++r) {
      t.goTo(r);
      RT_TRY(t.status());
      if (t.raw(campoCpf) == chave) pega();
    }
  }
  return tab;
}

TabelaDiario tabelaVazia(Area n) {
  TabelaDiario t;
  t.numero = n;
  t.campos = camposDiario(camposDbf(estrutura(n)));
  return t;
}

void trocaCpfDasLinhas(TabelaDiario& t, std::string_view cpf) {
  const rt::db::FieldDef* f = campoDiario(t, "CPF");
  if (f == nullptr) return;
  const std::string novo = rt::text::padr(cpf, f->width);
  for (std::string& r : t.registros) r.replace(static_cast<std::size_t>(f->offset), novo.size(), novo);
}

Status gravaLinhas(Contexto& ctx, std::string_view pasta, const Cpf& cpf,
                   const std::vector<TabelaDiario>& tabelas) {
  return gravaLinhas(ctx, pasta, cpf, tabelas, GanchosGravacao{});
}

Status gravaLinhas(Contexto& ctx, std::string_view pasta, const Cpf& cpf,
                   const std::vector<TabelaDiario>& tabelas, const GanchosGravacao& ganchos) {
  UsaPasta naPasta(ctx, pasta);
  const std::string& chave = cpf.chave();
  // The sides of the rural tables: those of the new rows and those the folder has now.
  std::set<std::string> lados;
  for (const TabelaDiario& t : tabelas) {
    if (t.numero < Area::IMP1510) continue;
    for (const std::string& r : t.registros) lados.insert(ladoDe(t, r));
    const bool aberta = ctx.areas.isOpen(t.numero);
    if (!aberta && !ABERTURA(ctx, t.numero, true))
      return {Error::kInUse, "table " + std::to_string(numero(t.numero))};
    auto atuais = linhasDoCpf(*ctx.areas.table(t.numero), t.numero, chave);
    if (!aberta) ctx.areas.release(t.numero);
    if (!atuais) return atuais.status();
    for (const std::string& r : atuais->registros) lados.insert(ladoDe(*atuais, r));
  }
  if (lados.empty()) lados.insert("S");
  // One journal for the whole call: the other tables, each rural table once per side, and the
  // register row last, so a taxpayer listed in the register has every other row written (or a
  // whole journal that the next start completes), and a process killed anywhere leaves all of
  // the call or none of it.
  Diario d;
  d.cpf = chave;
  d.atvBrasil = *lados.begin();
  const TabelaDiario* registro = nullptr;
  for (const TabelaDiario& t : tabelas) {
    if (t.numero == Area::IMP0910) {
      registro = &t;
    } else if (t.numero < Area::IMP1510) {
      d.tabelas.push_back(t);
    } else {
      for (const std::string& lado : lados) {
        TabelaDiario deLado{t.numero, t.campos, {}, lado};
        for (const std::string& r : t.registros)
          if (ladoDe(t, r) == lado) deLado.registros.push_back(r);
        d.tabelas.push_back(std::move(deLado));
      }
    }
  }
  if (registro != nullptr) d.tabelas.push_back(*registro);
  if (d.tabelas.empty()) return Status::ok();
  auto trava = TravaDiario::obtem(ctx, chave);
  if (!trava) return trava.status();
  RT_TRY(trava->escreve(d, ganchos.diarioMeio));
  RT_TRY(aplicaDiario(ctx, d, ganchos.antes, {}, ganchos.meio));
  return trava->conclui();
}

}  // namespace store

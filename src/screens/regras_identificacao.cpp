// The lookup rules of screen 6: receipt numbers, bank, street type, state and town, nature and
// occupation, automatic debit. The reference tables are the program folder's, opened by their
// numbers; a value not found opens the table's pick list, which writes the chosen row back
// into the declaration's variables.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "console/alerta.h"
#include "console/documentos.h"
#include "console/listas.h"
#include "grid/validacao.h"
#include "rt/db/table.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "screens/regras.h"
#include "screens/regras_comum.h"
#include "store/abertura.h"

namespace screens {

using namespace rt::text::literals;
using rt::text::alltrim;
using rt::text::upper;

std::optional<std::string> reciboCompleto(std::string_view numero) {
  const std::string n = rt::text::padr(numero, 12);
  const std::string dez = n.substr(0, 10);
  if (!std::all_of(dez.begin(), dez.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
  const std::string d1 = console::MODULO_11(dez);
  const std::string dv = d1 + console::MODULO_11(dez + d1);
  if (n.substr(10, 2) == dv) return n;
  if (n.substr(10, 2) == "  ") return dez + dv;
  return std::nullopt;
}

console::Listas* listas(AmbienteTela& a) {
  auto* com = dynamic_cast<grid::ComAmbienteValidacao*>(a.grade.servicos);
  return com != nullptr ? com->ambienteValidacao().listas : nullptr;
}

bool escolheNaLista(AmbienteTela& a, store::Area tabela, std::string_view qualhlp) {
  console::Listas* l = listas(a);
  if (l == nullptr || !a.ctx.areas.isOpen(tabela)) return false;
  a.ctx.areas.select(tabela);
  a.ctx.QUALHLP = std::string(qualhlp);
  l->GERAL2();
  return l->escolheu();
}

store::RegistroEspelho& registroDe(store::EspelhoDeclaracao& e, std::string_view campo) {
  return e.registro.tem(campo) ? e.registro : e.tabela01;
}

store::RegistroEspelho& registroDe(AmbienteTela& a, std::string_view campo) { return registroDe(a.espelho(), campo); }

namespace {

bool VENROREC(AmbienteTela& a, std::string_view campo) {
  store::RegistroEspelho& r = a.espelho().registro;
  if (alltrim(r.txt(campo)).empty()) return true;
  const std::optional<std::string> n = reciboCompleto(r.txt(campo));
  if (!n) {
    console::AVISOSN(a.ctx, "Numero do recibo invalido", 0);
    return false;
  }
  r.txt(campo, *n);
  return true;
}

// VE_DEBIT: the automatic debit needs quotas; from April on only a tax paid in more than one
// quota may still be debited, until the end of April.
bool VE_DEBIT(AmbienteTela& a) {
  store::RegistroEspelho& r = a.espelho().registro;
  const rt::text::Decimal quotas = registroDe(a, "I13_29").num("I13_29");
  if (quotas.isZero()) return false;
  const rt::text::Date hoje = a.calc.hoje();
  if (hoje < rt::text::Date::fromYmd(2010, 4, 1)) return true;
  if (quotas > rt::text::Decimal::fromInt(1) && hoje < rt::text::Date::fromYmd(2010, 5, 1)) return true;
  r.txt("DEBITAUT", " ");
  return false;
}

bool QUALBAN(AmbienteTela& a) {
  store::RegistroEspelho& r = a.espelho().registro;
  const std::string codigo(alltrim(r.txt("BANCO")));
  if (codigo.empty()) return true;
  if (!store::ABERTURA(a.ctx, store::Area::BANCOS)) return true;
  rt::db::Table& t = *a.ctx.areas.table(store::Area::BANCOS);
  t.setOrder(1);
  if (t.seek(rt::text::padr(codigo, 3)).isOk() && t.found()) return true;
  console::AVISOSN(a.ctx,
                   {"Varios bancos estao autorizados a receber os depósitos para"_cp,
                    "da restituicao ou o debito automatico. A lista mostrada e'a",
                    "mesma relacao constante no Programa da Receita Federal.    ",
                    "Se o codigo do seu banco nao estiver nessa relacao tambem  ",
                    "nao sera aceito quando for enviar para a Internet          "},
                   0);
  t.setOrder(2);
  t.goTop();
  escolheNaLista(a, store::Area::BANCOS, "M->BANCO");
  return true;
}

bool VELOGRA(AmbienteTela& a) {
  store::RegistroEspelho& r = a.espelho().registro;
  const std::string tipo = upper(alltrim(r.txt("TIPOEND")));
  if (tipo.empty() || !store::ABERTURA(a.ctx, store::Area::TABLOGR)) return true;
  rt::db::Table& t = *a.ctx.areas.table(store::Area::TABLOGR);
  t.setOrder(1);
  if (t.seek(tipo, true).isOk() && t.found())
    r.txt("TIPOEND", t.getText("NOMELOGRA"));
  else
    escolheNaLista(a, store::Area::TABLOGR, "M->TIPOEND");
  return true;
}

constexpr std::array<std::string_view, 28> kEstados = {"AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO", "MA",
                                                       "MT", "MS", "MG", "PA", "PB", "PR", "PE", "PI", "RN", "RS",
                                                       "RJ", "RO", "RR", "SC", "SP", "SE", "TO", "EX"};

// A seek of `codigo` in reference table `t` by its first order; the pick list when missing.
void confereCodigo(AmbienteTela& a, store::Area t, std::string_view campo, std::string_view qualhlp) {
  if (!store::ABERTURA(a.ctx, t)) return;
  rt::db::Table& tab = *a.ctx.areas.table(t);
  tab.setOrder(1);
  const std::string codigo(alltrim(a.espelho().registro.txt(campo)));
  if (!codigo.empty() && tab.seek(codigo).isOk() && tab.found()) return;
  tab.goTop();
  escolheNaLista(a, t, qualhlp);
}

// The town list's filter off, when the table is still open: a pick closes it, and the table
// the filter was set on is gone with it.
void soltaFiltro(AmbienteTela& a) {
  if (rt::db::Table* t = a.ctx.areas.table(store::Area::TABMUNI)) t->clearFilter();
}

// The towns of a state, found in memory: the shared table is only read, so no other terminal
// ever meets an index file made here.
void VEMUNICIPIO(AmbienteTela& a, const std::string& uf) {
  store::RegistroEspelho& r = a.espelho().registro;
  if (!store::ABERTURA(a.ctx, store::Area::TABMUNI)) return;
  rt::db::Table& t = *a.ctx.areas.table(store::Area::TABMUNI);
  struct Municipio {
    std::string chave, nome, numero;
    std::uint32_t linha;
  };
  std::vector<Municipio> lista;
  t.setOrder(0);
  for (t.goTop(); t.status() && !t.eof(); t.skip(1))
    if (!t.isDeleted() && t.getText("UNIFED") == uf)
      lista.push_back(
          {upper(alltrim(t.getText("NOMEMUNI"))), t.getText("NOMEMUNI"), t.getText("NROMUNI"), t.recNo()});
  std::sort(lista.begin(), lista.end(), [](const Municipio& x, const Municipio& y) { return x.chave < y.chave; });
  const std::string procura = upper(alltrim(r.txt("MUNICIPIO")));
  const auto it = std::lower_bound(lista.begin(), lista.end(), procura,
                                   [](const Municipio& m, const std::string& k) { return m.chave < k; });
  if (!procura.empty() && it != lista.end() && it->chave == procura) {
    r.txt("MUNICIPIO", rt::text::padr(it->nome, 30));
    r.txt("CODMUNI", rt::text::padr(it->numero, 4));
    return;
  }
  // The list shows the state's towns only; its filter goes with it. It opens on the town
  // nearest to what was typed, as a soft seek leaves it (a state has hundreds of towns).
  t.setFilter([uf](const rt::db::Table& x) { return x.getText("UNIFED") == uf; });
  if (!procura.empty() && it != lista.end()) t.goTo(it->linha);
  if (procura.empty() || it == lista.end() || !t.status().isOk()) t.goTop();
  escolheNaLista(a, store::Area::TABMUNI, "M->MUNICIPIO");
  soltaFiltro(a);
}

bool VEESTADO(AmbienteTela& a) {
  store::RegistroEspelho& r = a.espelho().registro;
  const std::string uf = upper(alltrim(r.txt("UF")));
  if (std::find(kEstados.begin(), kEstados.end(), uf) == kEstados.end()) {
    if (!store::ABERTURA(a.ctx, store::Area::TABMUNI)) return true;
    rt::db::Table& t = *a.ctx.areas.table(store::Area::TABMUNI);
    t.setFilter([](const rt::db::Table& x) { return alltrim(x.getText("UNIFED")).empty(); });
    t.goTop();
    const std::string municipio = r.txt("MUNICIPIO"), codigo = r.txt("CODMUNI");
    escolheNaLista(a, store::Area::TABMUNI, "M->MUNICIPIO");
    soltaFiltro(a);
    // Reached from the town's field the list writes the state chosen ("SP-Sao Paulo") where
    // the town goes: it belongs in UF, and the town typed is then sought in that state.
    const std::string escolhido = r.txt("MUNICIPIO");
    if (escolhido != municipio && escolhido.size() >= 4 && escolhido[3] == '-') {
      r.txt("UF", escolhido.substr(0, 2));
      r.txt("MUNICIPIO", municipio);
      r.txt("CODMUNI", codigo);
      if (std::find(kEstados.begin(), kEstados.end(), upper(alltrim(r.txt("UF")))) != kEstados.end())
        return VEESTADO(a);
    }
    return true;
  }
  if (uf == "EX") {
    confereCodigo(a, store::Area::TABPAIS, "CODPAIS", "CODPAIS");
    confereCodigo(a, store::Area::TABEMBA, "CODEMB", "M->CODEMB");
    r.txt("MUNICIPIO", rt::text::padr("Brasilia", 30));
    r.txt("CODMUNI", "9701");
    return true;
  }
  r.txt("CODPAIS", "   ");
  r.txt("CODEMB", "   ");
  VEMUNICIPIO(a, uf);
  return true;
}

// NAT_OCU and VERPROF: a code or a name sought in its table (order 1 by code, 2 by name);
// an exact match fills both, anything else opens the list.
void procuraCodigo(AmbienteTela& a, store::Area tabela, std::string_view campo, std::string_view codigo,
                   std::string_view nome, std::string_view qualhlp) {
  store::RegistroEspelho& r = a.espelho().registro;
  if (!store::ABERTURA(a.ctx, tabela)) return;
  rt::db::Table& t = *a.ctx.areas.table(tabela);
  const std::string valor = upper(alltrim(r.txt(campo)));
  t.setOrder(campo == codigo ? 1 : 2);
  if (t.seek(valor, true).isOk() && t.found() && upper(alltrim(t.getText(campo))) == valor) {
    r.txt(codigo, t.getText(codigo));
    r.txt(nome, t.getText(nome));
  } else {
    escolheNaLista(a, tabela, qualhlp);
    if (alltrim(r.txt(codigo)).empty()) r.txt(nome, std::string(r.txt(nome).size(), ' '));
  }
  a.ctx.areas.release(tabela);
}

void semOcupacao(store::RegistroEspelho& r) {
  r.txt("CDPRO", std::string(3, ' '));
  r.txt("OCUPACAO", std::string(69, ' '));
}

bool NAT_OCU(AmbienteTela& a, std::string_view campo) {
  store::RegistroEspelho& r = a.espelho().registro;
  if (campo == "CODAT" && alltrim(r.txt("CODAT")).empty()) return true;
  procuraCodigo(a, store::Area::CODNATUR, campo, "CODAT", "DESCRAT", campo == "CODAT" ? "M->CODAT" : "M->DESCRAT");
  if (r.txt("CODAT") == "81") {
    console::AVISOSN(a.ctx, std::string("O código "_cp) + r.txt("CODAT") + std::string(" não tem a ocupaçao principal"_cp), 0);
    semOcupacao(r);
  }
  return true;
}

bool VERPROF(AmbienteTela& a, std::string_view campo) {
  store::RegistroEspelho& r = a.espelho().registro;
  if (campo == "CDPRO" && alltrim(r.txt("CDPRO")).empty()) return r.txt("CODAT") != "81";
  procuraCodigo(a, store::Area::OCUPACAO, campo, "CDPRO", "OCUPACAO", campo == "CDPRO" ? "M->CDPRO" : "M->OCUPACAO");
  return true;
}

}  // namespace

bool quandoIdentificacao(AmbienteTela& a, std::string_view campo, bool& tratado) {
  store::EspelhoDeclaracao& e = a.espelho();
  store::RegistroEspelho& r = e.registro;
  tratado = true;
  if (campo == "TITULO" || campo == "EMAIL") return e.tabela01.txt("DECFINAL") != "S";
  if (campo == "NRORECIBO") return r.txt("RETIFICA") == "S";
  if (campo == "DEBITAUT") return VE_DEBIT(a);
  if (campo == "TIPOEND") return VELOGRA(a);
  if (campo == "MUNICIPIO") return upper(alltrim(r.txt("UF"))) != "EX";
  if (campo == "DESCRAT") return alltrim(r.txt("CODAT")).empty();
  if (campo == "CDPRO") {
    if (e.tabela01.txt("DECFINAL") == "S") return false;
    if (r.txt("CODAT") != "81") return true;
    semOcupacao(r);
    return false;
  }
  if (campo == "OCUPACAO") return r.txt("CODAT") != "81" && alltrim(r.txt("CDPRO")).empty();
  tratado = false;
  return true;
}

bool validaIdentificacao(AmbienteTela& a, std::string_view campo, bool& tratado) {
  store::RegistroEspelho& r = a.espelho().registro;
  tratado = true;
  if (campo == "NRORECIBO" || campo == "RECIBOATU" || campo == "RECIBOANT") return VENROREC(a, campo);
  if (campo == "RETIFICA") {
    if (r.txt("RETIFICA") == "S" && !alltrim(r.txt("RECIBOATU")).empty()) {
      r.txt("NRORECIBO", r.txt("RECIBOATU"));
      r.txt("RECIBOATU", std::string(12, ' '));
    }
    return true;
  }
  if (campo == "CONJUNTA") {
    if (!alltrim(r.txt("CONJUNTA")).empty() && r.num("I9_2") > rt::text::Decimal(0)) {
      console::AVISOSN(a.ctx,
                       {"Existe rendimento lançado como a declaração fosse  "_cp,
                        "em separado, portanto não pode-se marcar aqui como "_cp,
                        "a declaração em conjunto. Se for o caso retire esse"_cp,
                        "valor (tela 5) e volte aqui para marcar.          "},
                       0);
      r.txt("CONJUNTA", "N");
    }
    return true;
  }
  if (campo == "BANCO") return QUALBAN(a);
  if (campo == "TIPOEND") return VELOGRA(a);
  if (campo == "UF" || campo == "MUNICIPIO") return VEESTADO(a);
  if (campo == "CODAT" || campo == "DESCRAT") return NAT_OCU(a, campo);
  if (campo == "CDPRO" || campo == "OCUPACAO") return VERPROF(a, campo);
  tratado = false;
  return true;
}

}  // namespace screens

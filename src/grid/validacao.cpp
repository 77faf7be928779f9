#include "grid/validacao.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <vector>

#include "console/alerta.h"
#include "console/documentos.h"
#include "console/pastas.h"
#include "console/validadores.h"
#include "grid/rural_campos.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/pastas_dados.h"
#include "store/uso_tabela.h"

namespace grid {

using namespace rt::text::literals;
using rt::text::Decimal;
using rt::ui::Value;

namespace {

// One code table as the checks read it.
struct TabelaCodigo {
  store::Area area = store::Area::Nenhuma;
  const char* ajuda = "";
  const char* descricao = "";
};

std::optional<TabelaCodigo> tabelaCodigo(int tela) {
  switch (tela) {
    case 3:
      return TabelaCodigo{store::Area::CODEPEN, "CODIDEPEN", "DESCRICAO"};
    case 4:
      return TabelaCodigo{store::Area::DESPESA, "I6_3", "DESCDOA"};
    case 30:
      return TabelaCodigo{store::Area::DESPESA, "CODIGO", "DESCDOA"};
    case 5:
    case 8:
    case 22:
      return TabelaCodigo{store::Area::CODBENS, "I7_5", "DESCBENS"};
    case 6:
    case 9:
    case 23:
      return TabelaCodigo{store::Area::CODDIVI, "I8_5", "DESCDIV"};
    case 35:
      return TabelaCodigo{store::Area::CODABENS, "CODIGOA", "DESCBENS"};
    default:
      return std::nullopt;
  }
}

// Opens a code table, seeks the key and either shows the description (found) or lets the
// user pick from the list. The current area and the help key come back as they were; a table
// that was not open before is closed again. nullopt when the table could not be opened.
std::optional<Value> procuraCodigo(store::Contexto& ctx, AmbienteValidacao& amb, const TabelaCodigo& tc, const Value& chave,
                                   const Value& semEscolha) {
  const std::string ajudaAntes = ctx.QUALHLP;
  // A code table is only read here: closing it cannot lose anything.
  const store::UsoTabela codigos(ctx, tc.area);
  if (!codigos.ok()) return std::nullopt;
  store::seleciona(ctx.areas, tc.area);
  rt::db::Table& t = *codigos;
  ctx.QUALHLP = tc.ajuda;
  Value resultado = chave;
  if (t.seekValue(chave) && t.found()) {
    console::AVISOSN(ctx, std::string(rt::text::trim(t.getText(tc.descricao))), 0);
  } else if (amb.listas != nullptr) {
    resultado = amb.listas->GERAL2();
  } else {
    resultado = semEscolha;
  }
  ctx.QUALHLP = ajudaAntes;
  return resultado;
}

Decimal numero(const Value& v) {
  if (const auto* d = std::get_if<Decimal>(&v)) return *d;
  if (const auto* s = std::get_if<std::string>(&v)) return Decimal::val(rt::text::trim(*s));
  return {};
}

std::string texto(const Value& v) {
  if (const auto* s = std::get_if<std::string>(&v)) return *s;
  return {};
}

// "NAME(3)" -> NAME and 3; no argument gives `padrao`.
std::pair<std::string_view, int> separa(std::string_view nome, int padrao = 0) {
  const std::size_t p = nome.find('(');
  if (p == std::string_view::npos) return {nome, padrao};
  const std::string_view arg = nome.substr(p + 1, nome.find(')', p) - p - 1);
  int n = 0;
  bool tem = false;
  for (char c : arg)
    if (c >= '0' && c <= '9') {
      n = n * 10 + (c - '0');
      tem = true;
    }
  return {nome.substr(0, p), tem ? n : padrao};
}

// The payment code of the current payment row.
int codigoPagamento(store::Contexto& ctx) {
  const rt::db::Table* t = store::tabela(ctx.areas, store::Area::TMP_06);
  if (t == nullptr || t->eof() || t->field("I6_3") == nullptr) return 0;
  return static_cast<int>(t->getNumber("I6_3").wholePart());
}

// One check of the catalogue: its name and what it does with the value typed, given the
// number in its parentheses ("TES_COD(3)" gives 3; 0 when it has none).
struct Regra {
  std::string_view nome;
  bool (*faz)(store::Contexto& ctx, Grade& g, AmbienteValidacao& amb, int arg, Value& valor);
};

// The grid's checks. Dispatch and the start-up check of the catalogue read this one list, so
// a name cannot be known to one and not to the other.
constexpr Regra kRegras[] = {
    {"TES_COD",
     [](store::Contexto& ctx, Grade&, AmbienteValidacao& amb, int arg, Value& valor) {
       valor = TES_COD(ctx, amb, numero(valor), arg);
       return true;
     }},
    {"TES_PAIS",
     [](store::Contexto& ctx, Grade&, AmbienteValidacao& amb, int arg, Value& valor) {
       valor = TES_PAIS(ctx, amb, texto(valor), arg);
       return true;
     }},
    {"TES_MES",
     [](store::Contexto& ctx, Grade&, AmbienteValidacao&, int, Value& valor) {
       const rt::db::Table* t = store::tabela(ctx.areas, store::Area::TMP_03);
       const int codigo = t != nullptr && !t->eof() ? static_cast<int>(t->getNumber("CODIDEPEN").wholePart()) : 0;
       const auto* d = std::get_if<rt::text::Date>(&valor);
       return TES_MES(ctx, codigo, d != nullptr ? *d : rt::text::Date());
     }},
    {"CONF_DEP",
     [](store::Contexto& ctx, Grade& g, AmbienteValidacao& amb, int arg, Value& valor) {
       return CONF_DEP(ctx, g, amb, numero(valor), arg == 1 ? 1 : 2);
     }},
    {"TROCA_NAO", [](store::Contexto& ctx, Grade& g, AmbienteValidacao&, int, Value& valor) { return TROCA_NAO(ctx, g, texto(valor)); }},
    {"VAL_PART", [](store::Contexto& ctx, Grade&, AmbienteValidacao&, int, Value& valor) { return VAL_PART(ctx, numero(valor)); }},
    {"VAL_COD",
     [](store::Contexto& ctx, Grade&, AmbienteValidacao&, int arg, Value& valor) {
       valor = VAL_COD(ctx, numero(valor), arg);
       return true;
     }},
    {"CALUCRO",
     [](store::Contexto& ctx, Grade& g, AmbienteValidacao& amb, int, Value& valor) {
       const int i = g.PONTEIRO - 1;
       const std::string campo = i >= 0 && i < static_cast<int>(g.TABCPOIN.size()) ? g.TABCPOIN[static_cast<std::size_t>(i)] : "";
       // A row that could not be locked keeps its old value, so the typed one is refused.
       return CALUCRO(ctx, campo, numero(valor), amb.NVALDOLAR).isOk();
     }},
    {"TES_SIT",
     [](store::Contexto& ctx, Grade& g, AmbienteValidacao& amb, int, Value& valor) {
       valor = TES_SIT(ctx, g, amb, numero(valor));
       return true;
     }},
    // The document numbers: formatted by the payment's code, then checked.
    {"POEPONTO",
     [](store::Contexto& ctx, Grade&, AmbienteValidacao&, int arg, Value& valor) {
       valor = console::POEPONTO(texto(valor), arg, codigoPagamento(ctx));
       return true;
     }},
    {"VAL_CPF",
     [](store::Contexto& ctx, Grade& g, AmbienteValidacao&, int, Value& valor) {
       if (!console::VAL_CPF(ctx, texto(valor))) return false;
       // A dependant is someone else: the taxpayer's own CPF there would deduct him as his
       // own dependant.
       const int i = g.PONTEIRO - 1;
       const bool dependente = i >= 0 && i < static_cast<int>(g.TABCPOIN.size()) &&
                               g.TABCPOIN[static_cast<std::size_t>(i)] == "CPFDEPEN";
       const store::Cpf cpf(rt::text::alltrim(texto(valor)));
       if (dependente && !cpf.vazio() && cpf == g.CPF) {
         console::AVISOSN(ctx, "O CPF do dependente não pode ser o do próprio contribuinte."_cp, 0);
         return false;
       }
       return true;
     }},
    {"VAL_NIT", [](store::Contexto& ctx, Grade&, AmbienteValidacao&, int, Value& valor) { return console::VAL_NIT(ctx, texto(valor)); }},
    {"CPFCGC", [](store::Contexto& ctx, Grade&, AmbienteValidacao&, int, Value& valor) { return console::CPFCGC(ctx, texto(valor)); }},
};

// The checks of the other screens' rules that the program's services run before the grid's
// (the payments' totals, the limits, the monthly split, the long descriptions, the dependant
// link): known here, accepted here.
constexpr std::string_view kDoPrograma[] = {"FDOAPAG", "FCONFNDEDU", "LIMIT2",     "LIMIT3",
                                            "MENSAL",  "MOS_DETBEM", "MOS_DETDIV", "VE_RELDEP"};

const Regra* regra(std::string_view base) {
  for (const Regra& r : kRegras)
    if (r.nome == base) return &r;
  return nullptr;
}

bool doPrograma(std::string_view base) {
  return std::find(std::begin(kDoPrograma), std::end(kDoPrograma), base) != std::end(kDoPrograma);
}

// Each name of a chain ("A;B", "A|B"), blanks around it dropped, in order.
template <class F>
void cadaNome(std::string_view cadeia, F&& f) {
  std::size_t de = 0;
  while (de <= cadeia.size()) {
    const std::size_t ate = cadeia.find_first_of(";|", de);
    const std::string_view um = rt::text::alltrim(cadeia.substr(de, ate == std::string_view::npos ? std::string_view::npos : ate - de));
    if (!um.empty()) f(um);
    if (ate == std::string_view::npos) break;
    de = ate + 1;
  }
}

bool umaValidacao(store::Contexto& ctx, Grade& g, AmbienteValidacao& amb, std::string_view nome, Value& valor) {
  if (const std::size_t barra = nome.find('|'); barra != std::string_view::npos)
    return umaValidacao(ctx, g, amb, codigoPagamento(ctx) == 50 ? nome.substr(0, barra) : nome.substr(barra + 1), valor);
  const auto [base, arg] = separa(nome);
  if (const Regra* r = regra(base)) return r->faz(ctx, g, amb, arg, valor);
  if (doPrograma(base)) return true;
  // The catalogue is checked at start-up, so this is a fault of the program: the value is not
  // taken unchecked.
  console::AVISOSN(ctx, std::string("Verificação desconhecida: "_cp) + std::string(nome), 0);
  return false;
}

}  // namespace

bool VALIDA_CELULA(store::Contexto& ctx, Grade& g, AmbienteValidacao& amb, std::string_view nome, Value& valor) {
  for (std::string_view resto = nome; !resto.empty();) {
    const std::size_t p = resto.find(';');
    const std::string_view um = rt::text::alltrim(resto.substr(0, p));
    if (!um.empty() && !umaValidacao(ctx, g, amb, um, valor)) return false;
    resto = p == std::string_view::npos ? std::string_view() : resto.substr(p + 1);
  }
  return true;
}

bool validacaoConhecida(std::string_view cadeia, std::string* desconhecido) {
  bool ok = true;
  cadaNome(cadeia, [&](std::string_view um) {
    const std::string_view base = separa(um).first;
    if (ok && regra(base) == nullptr && !doPrograma(base)) {
      ok = false;
      if (desconhecido != nullptr) *desconhecido = std::string(um);
    }
  });
  return ok;
}

bool VALIDA_CELULA(store::Contexto& ctx, Grade& g, std::string_view nome, Value& valor) {
  if (auto* com = dynamic_cast<ComAmbienteValidacao*>(g.servicos)) return VALIDA_CELULA(ctx, g, com->ambienteValidacao(), nome, valor);
  AmbienteValidacao nenhum;
  return VALIDA_CELULA(ctx, g, nenhum, nome, valor);
}

Decimal TES_COD(store::Contexto& ctx, AmbienteValidacao& amb, Decimal valor, int tela) {
  const std::optional<TabelaCodigo> tc = tabelaCodigo(tela);
  if (!tc) return valor;
  // The argument names the code table the check reads (TES_COD(4): the payments' codes), so
  // the number is the rule here: a payment's code changes what the computation has to redo.
  if (tela == 4 && amb.espelho != nullptr) amb.espelho->JA_CALC = false;
  const std::optional<Value> r = procuraCodigo(ctx, amb, *tc, valor, Decimal());
  if (!r) return valor;
  // The list gives 0 when the user left it with Esc: that is what is stored.
  return numero(*r);
}

std::string TES_PAIS(store::Contexto& ctx, AmbienteValidacao& amb, std::string_view valor, int modo) {
  if (modo == 1) {
    const std::string_view v = rt::text::alltrim(valor);
    if (v.empty()) return std::string(valor);
    if (v == "S") {
      console::AVISOSN(ctx, "Informe no Campo ao lado o Código do País"_cp, 0);
      return std::string(valor);
    }
    console::AVISOSN(ctx, {"Marque com a letra S(sim) se o bem está no exterior"_cp, "ou deixe em branco se está no Brasil.             "_cp}, 0);
    return " ";
  }
  static const char* const kAjuda[] = {"I7_8", "CODPAIS", "I8R_3"};
  if (modo < 2 || modo > 4) return std::string(valor);
  const TabelaCodigo tc{store::Area::TABPAIS, kAjuda[modo - 2], "NOMPAIS"};
  const std::string chave = rt::text::padr(rt::text::alltrim(valor), 3);
  const std::optional<Value> r = procuraCodigo(ctx, amb, tc, chave, std::string(valor));
  if (!r) return std::string(valor);
  if (const auto* s = std::get_if<std::string>(&*r)) return *s;
  return std::string(valor);
}

bool TROCA_NAO(store::Contexto& ctx, Grade& g, std::string_view valor) {
  const std::string v = rt::text::upper(rt::text::alltrim(valor));
  if (g.PONTEIRO <= 1) {
    if (v == "S") {
      // A row whose folder cannot be taken is not marked.
      const bool feito = store::TROCASIM(ctx, 1).isOk();
      store::seleciona(ctx.areas, store::Area::DIRET);
      return feito;
    } else if (!v.empty() && v != "N") {
      console::AVISOSN(ctx, "Digite (S)im ou (N)ão "_cp, 0);
    }
    return true;
  }
  const std::string_view nome = rt::text::alltrim(valor);
  if (nome.empty()) {
    console::AVISOSN(ctx, "E necessário preencher o nome do diretório"_cp, 0);
    return false;
  }
  return console::CRI_NDIR(ctx, nome, " TAVREN");
}

}  // namespace grid

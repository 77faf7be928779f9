// The contexts of the pick lists: which table each field name lists, with which columns and
// window, and what Enter writes back.
#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "console/alerta.h"
#include "console/fonte_tabela.h"
#include "console/listas_definicao.h"
#include "console/recusa.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/areas.h"

namespace console {

using namespace rt::text::literals;
using rt::text::Decimal;
using rt::ui::Column;
using rt::ui::Value;

namespace {

struct Nome {
  std::string_view nome;
  int grupo;
};

constexpr std::array<Nome, 34> kNomes{{
    {"M->CPF", 1},        {"M->CPF1", 1},     {"M->CPF2", 1},       {"M->NOMECONTR", 1}, {"M->DIRCONJU", 1},
    {"M->CPFEMAIL", 1},   {"M->CPFSAC", 2},   {"M->CGCPAGADOR", 3}, {"M->CDPRO", 4},     {"M->OCUPACAO", 4},
    {"I1_8", 5},          {"M->CPFDEPEN", 5}, {"M->CODAT", 6},      {"M->DESCRAT", 6},   {"M->BANCO", 7},
    {"CODIDEPEN", 8},     {"I7_5", 9},        {"I8_5", 10},         {"I6_3", 11},        {"CODIGO", 11},
    {"M->ORIGEM", 12},    {"M->DESTINO", 12}, {"M->TIPO_BEM", 13},  {"M->I3_04", 14},    {"I7_8", 15},
    {"CODPAIS", 15},      {"I8R_3", 15},      {"M->CODEMB", 16},    {"M->ESTATUS", 17},  {"M->TIPOEND", 18},
    {"M->MUNICIPIO", 19}, {"M->CDCONTA", 20}, {"CDCONTA", 20},      {"CODIGOA", 21},
}};

// "M->CPF" -> "CPF": the variable a field name stands for.
std::string semM(std::string_view nome) {
  if (nome.substr(0, 3) == "M->") nome.remove_prefix(3);
  return std::string(nome);
}

Decimal numeroDe(const Value& v) {
  if (auto* d = std::get_if<Decimal>(&v)) return *d;
  if (auto* s = std::get_if<std::string>(&v)) return Decimal::val(*s);
  return Decimal();
}

}  // namespace

int grupoDe(std::string_view qualhlp) {
  for (const Nome& n : kNomes)
    if (n.nome == qualhlp) return n.grupo;
  return 0;
}

// Sets up the context of QUALHLP: selects or opens its table, sets the order and the filter it
// needs, the TEMHLP and CL_AREA settings, the columns and the window. False for a name with no
// context (nothing is changed then).
bool Listas::monta(Definicao& d) {
  const std::string& q = ctx_.QUALHLP;
  d.grupo = grupoDe(q);
  if (d.grupo == 0) return false;
  rt::db::WorkAreas& areas = tab_.areas;

  auto seleciona = [&](store::Area area) {
    (void)store::seleciona(areas, area);
    d.area = store::numero(area);
  };
  auto doTopo = [&] {
    if (auto* t = areas.table(d.area)) (void)t->goTop();
  };
  auto filtra = [&](std::string_view expressao) {
    if (auto* t = areas.table(d.area)) {
      if (t->setFilter(expressao).isOk()) filtrosPostos_.push_back(d.area);
      (void)t->goTop();
    }
  };
  // A column of a field of the list's table, read afresh from the area on every row.
  auto col = [&](std::string titulo, std::string campo, std::string picture) {
    rt::db::WorkAreas* a = &areas;
    int area = d.area;
    std::string pic = picture;
    Column c = rt::ui::makeColumn(
        std::move(titulo), [a, area, campo, pic] { return valorColuna(a->table(area), campo, pic); },
        std::move(picture));
    d.colunas.push_back(std::move(c));
  };
  // The first n characters of a text field.
  auto colEsq = [&](std::string titulo, std::string campo, int n, std::string picture) {
    rt::db::WorkAreas* a = &areas;
    int area = d.area;
    d.colunas.push_back(rt::ui::makeColumn(
        std::move(titulo),
        [a, area, campo, n]() -> Value {
          auto* t = a->table(area);
          return t == nullptr ? std::string() : rt::text::left(t->getText(campo), n);
        },
        std::move(picture)));
  };
  const std::string valor = "@Ez 9999,999.99";
  const std::string valorGanho = "@Ez 99,999,999.99";

  d.area = areas.current();
  switch (d.grupo) {
    case 1: {
      TEMHLP = false;
      d.li = 3, d.ci = 1, d.lif = 16, d.cf = 78;
      TEMPE = true;
      d.busca = true;
      colEsq("Nome do Contribuinte", "NOMECONTR", 21, "@S21");
      col("CPF", "CPF", "@R 999.999.999-99");
      {
        rt::db::WorkAreas* a = &areas;
        int area = d.area;
        ServicosLista* s = &serv_;
        d.colunas.push_back(rt::ui::makeColumn(
            std::string("Descrição"_cp),
            [a, area, s]() -> Value {
              auto* t = a->table(area);
              if (t == nullptr) return std::string();
              // The status lookup may select another area; the list's selection stays.
              const int atual = a->current();
              std::string nome = s->VE_STAT(static_cast<int>(t->getNumber("ESTATUS").wholePart()));
              (void)a->select(atual);
              return nome;
            },
            "@S13"));
      }
      col("MOL", "TEMRURAL", "@!");
      col("Sim", "USAPADRAO", "@!");
      col("Impo/Rest.", "IMPPGRE", valor);
      col(" % ->", "INDGAS", "@z 999.99");
      col("Qt", "NRQUOTA", "@Z9");
      col("Quota IR", "DFQUOTA", valor);
      col("Qt", "NRCLEAO", "@Z99");
      col(std::string("Carnê Leao"_cp), "DFCLEAO", valor);
      col("Qt", "NRGCAPIT", "@Z99");
      col("Gan.Capital", "DFGCAPIT", valor);
      col("Qt", "NRRVARIV", "@Z99");
      col(std::string("R.Variável"_cp), "DFRVARIV", valor);
      break;
    }
    case 2:
      seleciona(store::Area::IMP0910);
      doTopo();
      d.li = 8, d.ci = 1, d.lif = 21, d.cf = 58;
      colEsq("Nome do Contribuinte", "NOMECONTR", 30, "@S30");
      col("CPF", "CPF", "@R 999.999.999-99");
      col("Cobrar", "VALOREC", "@EZ 999,999.99");
      break;
    case 3:
      seleciona(store::Area::TMP_02);
      filtra("I1_1=\"J\"");
      d.li = 8, d.ci = 6, d.lif = 18, d.cf = 70;
      colEsq(" Firma pagadora ", "I1_2", 28, "@S28");
      col("CGC/CPF", "I1_3", "@s18");
      col("Valor", "I1_4", "@Ez 999,999,999.99");
      break;
    case 4:
      TEMHLP = true;
      CL_AREA.clear();
      d.li = 8, d.ci = 1, d.lif = 18, d.cf = 76;
      d.busca = true;
      col(std::string("Cód"_cp), "CDPRO", "@S3");
      col(" Nome da Ocupacao ", "OCUPACAO", "@S69");
      break;
    case 5:
      seleciona(store::Area::TMP_03);
      doTopo();
      d.li = 8, d.ci = 6, d.lif = 18, d.cf = 50;
      colEsq("Nome Dependente ", "NOMEDEPEN", 28, "@S28");
      col("CPF", "CPFDEPEN", "@R 999.999.999-99");
      break;
    case 6:
      TEMHLP = true;
      CL_AREA.clear();
      d.li = 8, d.ci = 1, d.lif = 18, d.cf = 66;
      col(std::string("Cód"_cp), "CODAT", "@S3");
      col(" Nome da Ocupacao ", "DESCRAT", "@S58");
      break;
    case 7:
      TEMHLP = true;
      CL_AREA.clear();
      if (auto* t = areas.table(d.area)) (void)t->setOrder(t->orderCount() >= 2 ? 2 : 0);
      d.li = 8, d.ci = 6, d.lif = 18, d.cf = 64;
      col("Nro.", "NUMBAN", "@S3");
      col(" Nome do Banco ", "NOMEBAN", "@S48");
      break;
    case 8:
      d.li = 8, d.ci = 6, d.lif = 22, d.cf = 72;
      col("Cod.", "CODDEP", "@Z 99");
      col(std::string("Relação de dependência"_cp), "DESCRICAO", "@S60");
      break;
    case 9:
      d.li = 8, d.ci = 6, d.lif = 21, d.cf = 57;
      col("Cod.", "CODBEM", "@Z 99");
      col("Bens e Direitos", "DESCBENS", "@S45");
      break;
    case 10:
      d.li = 8, d.ci = 6, d.lif = 21, d.cf = 57;
      col("Cod.", "CODDIV", "@Z 99");
      col("Dividas e Onus", "DESCDIV", "@S45");
      break;
    case 11:
      d.li = 8, d.ci = 6, d.lif = 21, d.cf = 77;
      col("Cod.", "CODDES", "@Z 99");
      col(std::string("Doação ou Pagamento"_cp), "DESCDOA", "@S65");
      break;
    case 12:
      TEMHLP = false;
      seleciona(store::Area::DIRET);
      d.li = 8, d.ci = 6, d.lif = 21, d.cf = 47;
      col(std::string("Nome dos diretórios"_cp), "DIRETOR", "@S40");
      break;
    case 13: {
      seleciona(store::Area::TMP_07);
      doTopo();
      TEMPE = true;
      d.li = 5, d.ci = 1, d.lif = 18, d.cf = 79;
      const bool sociedade = numeroVar("TIPO_BEM") == Decimal(3);
      col(sociedade ? "Nro." : "Nr", "BEM_NRO", "@Z 99");
      col("Item", "NRO_ITEM", "@Z 999");
      col(sociedade ? "Nome da Sociedade" : std::string("Descrição do Bem"_cp), "ESPC_BEM1", "@s25");
      d.primeiraSoma = 3;
      col("Tributado", "VAL_TRIBU", valorGanho);
      col("Nao Tribu.", "VAL_NAOTRI", valorGanho);
      col("Imposto", "VAL_IMPOS", valorGanho);
      d.colunas[0].footing = "  ";
      d.colunas[1].footing = "...";
      d.colunas[2].footing = "Totais........";
      break;
    }
    case 14:
      seleciona(store::Area::TMP_07);
      filtra("TIPO_BEM<4");
      TEMPE = true;
      d.somaTodos = true;
      d.li = 5, d.ci = 1, d.lif = 15, d.cf = 76;
      col("Nr", "BEM_NRO", "@Z 99");
      col(std::string("Descrição do Bem"_cp), "ESPC_BEM1", "@s25");
      d.primeiraSoma = 2;
      col("Tributado", "VAL_TRIBU", valorGanho);
      col("Nao Tribu.", "VAL_NAOTRI", valorGanho);
      col("Imposto", "VAL_IMPOS", valorGanho);
      d.colunas[0].footing = "  ";
      d.colunas[1].footing = "Totais........";
      break;
    case 15:
      d.li = 8, d.ci = 6, d.lif = 21, d.cf = 57;
      col("Cod.", "CODPAIS", "@s3");
      col(std::string("Nome do País"_cp), "NOMPAIS", "@S40");
      break;
    case 16:
      d.li = 8, d.ci = 6, d.lif = 21, d.cf = 57;
      col("Cod.", "CD_EX", "@s3");
      col("Cidade", "NM_CIDADE", "@S20");
      col(std::string("Nome do País"_cp), "NM_PAIS", "@s22");
      col(std::string("Representaçao"_cp), "NM_REP", "@S30");
      break;
    case 17:
      d.li = 8, d.ci = 6, d.lif = 21, d.cf = 25;
      col("Cod.", "COD", "@s2");
      col("Estatus", "DESCRICAO", "@S13");
      break;
    case 18:
      d.li = 8, d.ci = 16, d.lif = 21, d.cf = 29;
      d.busca = true;
      col(std::string("Tipo Endereço"_cp), "NOMELOGRA", "@S11");
      break;
    case 19:
      d.li = 8, d.ci = 6, d.lif = 21, d.cf = 37;
      d.busca = true;
      col(campoEditado_ == "M->UF" ? "Nome dos Estados" : std::string("Nome dos municípios"_cp), "NOMEMUNI",
          "@S30");
      break;
    case 20: {
      CL_AREA =
          areas.currentTable() != nullptr ? areas.currentTable()->alias() : std::to_string(areas.current());
      if (numeroVar("OPCAO_1") == Decimal(12)) {
        seleciona(store::Area::CONTAS);
      } else {
        d.area = store::numero(store::Area::CONTAS);
        if (tab_.abre) (void)tab_.abre(d.area);
        (void)store::seleciona(areas, store::Area::CONTAS);
      }
      d.li = 6, d.ci = 8, d.lif = 19, d.cf = 76;
      col(std::string("Código"_cp), "CDCONTA", "@s6");
      col(std::string("Descriçao"_cp), "NMDESCRICA", "@s60");
      break;
    }
    case 21:
      d.li = 5, d.ci = 20, d.lif = 19, d.cf = 71;
      col("Cod.", "CODBEM", "@Z 99");
      col("  Tipo  ", "DESCBENS", "@S45");
      break;
    default:
      return false;
  }
  return true;
}

// The footers: the register's counts, or the capital-gain sums.
void Listas::rodapes(Definicao& d) {
  rt::db::Table* t = tab_.areas.table(d.area);
  if (t == nullptr || !TEMPE) return;
  const std::uint32_t onde = t->recNo();
  const bool estavaNoFim = t->eof();
  if (d.grupo == 1) {
    int total = 0, simples = 0, completa = 0, rural = 0;
    for (rt::db::Status s = t->goTop(); s.isOk() && !t->eof(); s = t->skip(1)) {
      ++total;
      const std::string padrao = t->getText("USAPADRAO");
      if (padrao == "S") ++simples;
      if (padrao == "N") ++completa;
      if (t->getText("TEMRURAL") == "S") ++rural;
    }
    // Percentages of an empty register stay blank: nothing is divided by a zero total.
    auto pct = [total](int n) {
      if (total == 0) return std::string(6, ' ');
      return rt::text::transform(Decimal(n) * Decimal(100) / Decimal(total), "@Z 999.99");
    };
    std::array<std::string, 6> r{
        rt::text::transform(Decimal(total), "@e 9999") + std::string(" Declarações"_cp),
        pct(simples) + "% Simples",
        pct(completa) + "% Compl",
        rt::text::transform(Decimal(rural), "@e 999"),
        rt::text::transform(Decimal(simples), "@e 999"),
        "simp. " + rt::text::transform(Decimal(completa), "@e 999") + " comp.",
    };
    for (std::size_t i = 0; i < r.size() && i < d.colunas.size(); ++i) d.colunas[i].footing = r[i];
  } else {
    std::array<Decimal, 3> soma{};
    const Decimal tipo = numeroVar("TIPO_BEM");
    for (rt::db::Status s = t->goTop(); s.isOk() && !t->eof(); s = t->skip(1)) {
      const Decimal tipoLinha = t->getNumber("TIPO_BEM");
      if (d.somaTodos ? tipoLinha < Decimal(4) : tipoLinha == tipo) {
        soma[0] += t->getNumber("VAL_TRIBU");
        soma[1] += t->getNumber("VAL_NAOTRI");
        soma[2] += t->getNumber("VAL_IMPOS");
      }
    }
    for (std::size_t i = 0; i < 3; ++i)
      d.colunas[static_cast<std::size_t>(d.primeiraSoma) + i].footing =
          rt::text::transform(soma[i], "@Ez 99,999,999.99");
  }
  if (estavaNoFim || onde == 0)
    (void)t->goTop();
  else
    (void)t->goTo(onde);
}

// Writes the row under the cursor back for QUALHLP.
void Listas::ENTER(Definicao& d) {
  rt::db::WorkAreas& areas = tab_.areas;
  rt::db::Table* t = areas.table(d.area);
  if (t == nullptr) return;
  const std::string q = ctx_.QUALHLP;
  auto campo = [t](std::string_view nome) { return t->get(nome); };
  auto poe = [this](std::string_view nome, const Value& v) { (void)vars_.atribui(nome, v); };
  auto fechaTabela = [&areas] { (void)areas.closeCurrent(); };
  auto fechaJanela = [this] { ctx_.janelas.FECHAJAN(Jan::kLista); };
  // A value shown at a row of the current form, as the form's own fields are.
  auto mostra = [this](int linha, int coluna, const std::string& texto, std::string_view picture) {
    ctx_.screen().put(ctx_.ALJ[ctx_.NT] + linha, coluna, rt::text::transform(texto, picture),
                      static_cast<rt::term::Attr>(ctx_.cores.COR_TEL1));
  };

  if (q == "M->CPF" || q == "M->NOMECONTR") {
    poe("CPF", campo("CPF"));
    fechaJanela();
    serv_.MOSTR_PAG(1);
  } else if (q == "M->CPF1" || q == "M->CPF2") {
    poe(semM(q), campo("CPF"));
  } else if (q == "M->CPFEMAIL") {
    poe("CPFEMAIL", campo("CPF"));
    poe("CEMAIL_ENV", campo("EMAIL"));
  } else if (q == "M->DIRCONJU") {
    poe("CPFCONJU", campo("CPF"));
  } else if (q == "M->CPFSAC") {
    poe("CPFSAC", campo("CPF"));
    poe("NOMESAC", rt::text::left(t->getText("NOMECONTR"), 30));
    poe("VALORDOC", campo("VALOREC"));
  } else if (q == "M->CGCPAGADOR") {
    poe("CGCPAGADOR", campo("I1_3"));
  } else if (d.grupo == 4) {
    const std::string cdpro = t->getText("CDPRO"), ocupacao = t->getText("OCUPACAO");
    poe("OCUPACAO", ocupacao);
    poe("CDPRO", cdpro);
    fechaJanela();
    mostra(18, 5, cdpro, "999");
    mostra(18, 9, ocupacao, "@!");
    fechaTabela();
  } else if (d.grupo == 6) {
    const std::string codat = t->getText("CODAT"), descrat = t->getText("DESCRAT");
    poe("DESCRAT", descrat);
    poe("CODAT", codat);
    fechaJanela();
    mostra(17, 6, codat, "99");
    mostra(17, 9, descrat, "@!");
    fechaTabela();
  } else if (q == "M->I3_04") {
    fechaJanela();
  } else if (q == "M->TIPO_BEM") {
    fechaJanela();
    serv_.MOSTR_BEM(static_cast<int>(numeroVar("TIPO_BEM").wholePart()), 1);
  } else if (d.grupo == 12) {
    const Value diretor = campo("DIRETOR");
    // Only the spouse search wants the folder in DIRCONJU; the folder transfer must not
    // overwrite the register's field through it.
    if (viaGERAL3_) poe("DIRCONJU", diretor);
    poe(semM(q), diretor);
  } else if (q == "CODIDEPEN") {
    COD = campo("CODDEP");
    fechaTabela();
    (void)store::seleciona(areas, store::Area::TMP_03);
  } else if (q == "I1_8") {
    COD = campo("CPFDEPEN");
    gravaCampo(store::Area::TMP_02, "I1_8", COD);
  } else if (q == "M->CPFDEPEN") {
    poe("CPFDEPEN", campo("CPFDEPEN"));
    (void)store::seleciona(areas, store::Area::TMP_12);
  } else if (q == "M->ESTATUS") {
    poe("ESTATUS", campo("COD"));
    (void)store::seleciona(areas, store::Area::TMP_11);
  } else if (q == "I7_5") {
    COD = campo("CODBEM");
    fechaTabela();
    gravaCampo(store::Area::TMP_04, "I7_5", COD);
  } else if (q == "M->BANCO") {
    poe("BANCO", campo("NUMBAN"));
    fechaTabela();
  } else if (q == "I8_5") {
    COD = campo("CODDIV");
    fechaTabela();
    gravaCampo(store::Area::TMP_05, "I8_5", COD);
  } else if (q == "I6_3") {
    COD = campo("CODDES");
    fechaTabela();
    gravaCampo(store::Area::TMP_06, "I6_3", COD);
  } else if (q == "CODIGO") {
    COD = campo("CODDES");
    fechaTabela();
    (void)store::seleciona(areas, store::Area::TMP_04);
    if (numeroVar("OPC") != Decimal(30)) gravaCampo(store::Area::TMP_04, "CODIGO", COD);
  } else if (q == "I7_8") {
    COD = campo("CODPAIS");
    fechaTabela();
    gravaCampo(store::Area::TMP_04, "I7_8", COD);
  } else if (q == "CODPAIS" || q == "I8R_3") {
    poe(q, campo("CODPAIS"));
    COD = campo("CODPAIS");
    fechaTabela();
  } else if (q == "M->CODEMB") {
    poe("CODEMB", campo("CD_EX"));
    fechaTabela();
  } else if (q == "M->MUNICIPIO") {
    const std::string nome = t->getText("NOMEMUNI");
    if (campoEditado_ == "M->UF" && nome.size() >= 4 && nome[3] == '-') {
      poe("UF", nome.substr(0, 2));
    } else {
      poe("MUNICIPIO", nome);
      poe("CODMUNI", campo("NROMUNI"));
    }
    fechaTabela();
  } else if (q == "M->TIPOEND") {
    poe("TIPOEND", campo("NOMELOGRA"));
    fechaTabela();
  } else if (d.grupo == 20) {
    poe(semM(q), campo("CDCONTA"));
  } else if (q == "CODIGOA") {
    COD = campo("CODBEM");
    gravaCampo(store::Area::TMP_17, "CODIGO", COD);
  }
}

// Selects `area` and writes a field of its current record, under a record lock when the table
// is shared.
void Listas::gravaCampo(store::Area area, std::string_view campo, const Value& v) {
  (void)store::seleciona(tab_.areas, area);
  rt::db::Table* t = store::tabela(tab_.areas, area);
  if (t == nullptr || t->eof()) return;
  rt::db::Status s = t->put(campo, v);
  if (s.code() == rt::db::Error::kNotLocked && t->lockRecord(0, true).isOk()) {
    s = t->put(campo, v);
    if (s) s = t->flush();
    // Flushed above, or the failure is said below: the release decides nothing.
    (void)t->unlockRecord(t->recNo());
  } else if (s) {
    s = t->flush();
  }
  // The field keeps what it had; the user is told why the choice did not go in.
  if (!s) AVISOSN(ctx_, textoRecusa(s, campo), 0);
}

Decimal Listas::numeroVar(std::string_view nome) const {
  auto v = vars_.valor(nome);
  return v ? numeroDe(*v) : Decimal();
}

}  // namespace console

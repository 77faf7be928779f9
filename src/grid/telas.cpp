#include "grid/telas.h"

#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace grid {

using namespace rt::text::literals;
using rt::db::Table;

namespace {

// The money pictures of the screens.
constexpr const char* kDinheiro = "@Ez 99,999,999.99";
constexpr const char* kBens = "@ez   999,999,999.99";
constexpr const char* kPagto = "@Ez 9999,999.99";
constexpr const char* kCpf = "@R 999.999.999-99";

Coluna col(std::string cpoin, std::string_view desc, std::string masc = {}, int mostra = 0, std::string valida = {},
           std::string recalc = {}) {
  Coluna c;
  c.campo = mostra > 0 ? "substr(" + cpoin + ",1," + std::to_string(mostra) + ")" : cpoin;
  c.cpoin = std::move(cpoin);
  c.desc = std::string(desc);
  c.masc = std::move(masc);
  c.mostra = mostra;
  c.valida = std::move(valida);
  c.recalc = std::move(recalc);
  return c;
}

bool campoIgual(const Table& t, std::string_view campo, std::string_view valor) {
  return rt::text::trim(t.getText(campo)) == rt::text::trim(valor);
}

// Screens 1 and 2: the incomes from legal persons of the titular ("J") or the dependants ("D").
TelaGrade rendimentos(Grade& g, int opc, bool titular) {
  TelaGrade t;
  t.opc = opc;
  t.area = 22;
  t.dica = 2;
  t.rodape = true;
  const std::string r = "FI1_T(1)";
  t.antes = r;
  if (titular) t.depois = r;
  const std::string tipo = titular ? "J" : "D";
  t.filtro = [tipo](const Table& tab) { return campoIgual(tab, "I1_1", tipo); };
  if (titular) {
    t.colunas = {col("I1_2", "Fonte pagadora", "@S40", 21),
                 col("I1_4", "Rendimentos", kDinheiro, 0, {}, r),
                 col("I1_6", "Previdência"_cp, kDinheiro, 0, {}, r),
                 col("I1_5", "Imposto Fonte", kDinheiro, 0, {}, r),
                 col("I1_7", "13o salário=>"_cp, kDinheiro, 0, {}, r),
                 col("I1_15", "Lucro Distr.", kDinheiro, 0, {}, r),
                 col("I1_3", "CNPJ da Fonte", "@S18", 0, "POEPONTO(0);CPFCGC"),
                 col("I1_16", "Socio ME/EPP", kDinheiro, 0, {}, r),
                 col("I1_17", "Isento 65", "@EZ 99,999.99", 0, "LIMIT3", r),
                 col("I1_18", "Apos. Molestia", kDinheiro, 0, "LIMIT2"),
                 col("I1_19", "Exig. Suspensa", kDinheiro, 0, {}, r),
                 col("I1_20", "Depo. Judicial", kDinheiro, 0, {}, r)};
    t.ultPos = 12;
    t.ret = {1, 1, g.N_DEPEN > 0 ? 10 : 17, 79};
  } else {
    t.colunas = {col("I1_2", "Nome Fonte Pagadora", "@S40", 33),
                 col("I1_8", "CPF Dependente", kCpf, 0, "VAL_CPF;VE_RELDEP(I1_8)"),
                 col("I1_4", "Rend.P.Jur.", kDinheiro, 0, {}, r),
                 col("I1_6", "Previdência"_cp, kDinheiro, 0, {}, r),
                 col("I1_5", "Imposto Fonte", kDinheiro, 0, {}, r),
                 col("I1_7", "13o Salário"_cp, kDinheiro, 0, {}, r),
                 col("I1_9", "Isentos", kDinheiro, 0, {}, r),
                 col("I1_10", "Trib.Fonte", kDinheiro, 0, {}, r),
                 col("I1_15", "Lucro Distr.", kDinheiro, 0, {}, r),
                 col("I1_3", "CNPJ Fonte", "@S18", 0, "POEPONTO(0);CPFCGC"),
                 col("I1_13", "Mensalao", kDinheiro, 0, {}, r),
                 col("I1_19", "Exig. Suspensa", kDinheiro, 0, {}, r),
                 col("I1_20", "Depos. Judicial", kDinheiro, 0, {}, r)};
    t.ultPos = 13;
    t.ret = {10, 1, 17, 79};
  }
  return t;
}

// The assets (5, 8, 22) and the debts (6, 9, 23) each come as the page's list, the whole page
// with the description first (the detail screens 8 and 9) and the list enlarged (22, 23); they
// differ in the totals their cells recompute and take before, and where they stand.
struct ListaPatrimonio {
  const char* total;     // recomputed after a value cell
  const char* antes;     // taken before the grid is shown ("" none)
  bool detalhe = false;  // the whole page, the description first
  rt::term::Rect ret;
};

TelaGrade bens(Grade& g, int opc, const ListaPatrimonio& l) {
  TelaGrade t;
  t.opc = opc;
  t.area = 24;
  t.rodape = true;
  t.campoLinha = "I7_0";
  t.campoItem = "I7_1";
  const std::string r = l.total;
  t.antes = l.antes;
  t.ret = l.ret;
  Coluna item = col("I7_1", "Item", l.detalhe ? "@z 999" : "@Ez 999");
  Coluna descr = col("I7_2", l.detalhe ? "Discriminação, data da aquis. e venda "_cp : "Discriminação, data aquisição ou venda "_cp,
                     "@S73", l.detalhe ? 0 : 39, "MOS_DETBEM");
  Coluna cod = col("I7_5", "Cod", l.detalhe ? "@ez 99" : "@EZ 99", 0, "TES_COD(" + std::to_string(opc) + ")");
  Coluna ant = col("I7_3", g.CANOAN, kBens, 0, {}, r);
  Coluna atu = col("I7_4", g.CANOBA, kBens, 0, {}, r);
  Coluna ext = col("I7_7", "Ext.", "@!", 0, "TES_PAIS(1)");
  Coluna pais = col("I7_8", "País"_cp, l.detalhe ? "@S3" : "@s3", 0, "TES_PAIS(2)");
  Coluna linha = col("I7_0", "Linha", "@Z 9999");
  Coluna orig = col("I7_9", "2008 Original", kBens);
  if (l.detalhe) {
    t.colunas = {descr, item, cod, ant, atu, ext, pais, linha, orig};
    t.ultPos = 1;
    t.dica = 9;
  } else {
    t.colunas = {item, descr, ant, atu, cod, ext, pais, linha, orig};
    t.ultPos = 5;
    t.dica = 3;
  }
  return t;
}

// `original`: the heading of the last column (the page's list writes it in lower case).
TelaGrade dividas(Grade& g, int opc, const ListaPatrimonio& l, const char* original = "2008 Original") {
  TelaGrade t;
  t.opc = opc;
  t.area = 25;
  t.rodape = true;
  t.campoLinha = "I8_0";
  t.campoItem = "I8_1";
  t.dica = l.detalhe ? 9 : 5;
  const std::string r = l.total;
  t.antes = l.antes;
  t.ret = l.ret;
  Coluna item = col("I8_1", "Item", "@Ez 999");
  Coluna cod = col("I8_5", "Cod.", "@Z 99", 0, "TES_COD(" + std::to_string(opc) + ")");
  Coluna atu = col("I8_4", g.CDIVBA, kBens, 0, {}, r);
  Coluna linha = col("I8_0", "Linha", "@Z 9999");
  if (l.detalhe) {
    t.colunas = {col("I8_2", "Discriminação"_cp, "@S73", 0, "MOS_DETDIV"), item, cod,
                 col("I8_3", "Ano Ant.(2008)", kBens, 0, {}, r), atu, linha, col("I8_6", original, kBens)};
    t.ultPos = 1;
  } else {
    t.colunas = {item, col("I8_2", " Discriminação                         "_cp, "@S73", 39, "MOS_DETDIV"),
                 col("I8_3", "   Ano de 2008  ", kBens, 0, {}, r), atu, cod, linha, col("I8_6", original, kBens)};
    t.ultPos = 5;
  }
  return t;
}

TelaGrade ganho(Grade& g) {
  TelaGrade t;
  t.opc = 10;
  t.area = 28;
  t.moldura = 6;
  const rt::text::Decimal bem = g.BEM_NRO;
  t.filtro = [bem](const Table& tab) { return tab.getNumber("BEM_NRO") == bem; };
  const std::string r = g.TIPO_BEM == 3 ? "VER_GAN" : "FCALGAN(10)";
  auto c = [&](std::string f, std::string_view d, std::string m = kDinheiro) { return col(std::move(f), d, std::move(m), 0, {}, r); };
  if (g.TIPO_BEM == 1) {
    Coluna perc = c("PER_CUST", "%Custo", "");
    perc.campo = "substr(str(PER_CUST,8,4),1,6)";
    perc.exibe = [](const Table& tab) -> rt::ui::Value {
      return rt::text::substr(rt::text::str(tab.getNumber("PER_CUST"), 8, 4), 1, 6);
    };
    Coluna fr1 = c("PER_RED1", "FR 1", "@Z 99.99");
    fr1.campo = "PER_RED1*100";
    fr1.exibe = [](const Table& tab) -> rt::ui::Value { return tab.getNumber("PER_RED1") * rt::text::Decimal::fromInt(100); };
    Coluna fr2 = c("PER_RED2", "FR 2", "@Z 99.99");
    fr2.campo = "PER_RED2*100";
    fr2.exibe = [](const Table& tab) -> rt::ui::Value { return tab.getNumber("PER_RED2") * rt::text::Decimal::fromInt(100); };
    t.colunas = {perc, c("PER_RED", "%Red", "@z 999"), fr1, fr2, c("CUST_UNI", "Passível red"_cp),
                 c("VALOR_REDU", "Valor Redução"_cp), c("DATA_CUST", "Data ", "@D"), c("VALOR_CUST", "Custo ")};
    t.ultPos = 8;
    t.ret = {2, 0, 11, 79};
    t.congela = 6;
    t.mensagem = std::string("Após qualquer mudança - volte e recalcule todas linhas"_cp);
  } else if (g.TIPO_BEM == 2) {
    t.colunas = {c("VALOR_CUST", "Valor da Parcela")};
    t.ultPos = 1;
    t.ret = {2, 60, 11, 79};
  } else {
    t.colunas = {c("CM_PONDER", "C.M.Pond.", "@ez 9999.9999"), c("LOTE", "Espécie"_cp, "@s17"), c("TIPO_ACAO", "Tipo", ""),
                 c("TIPO_OPER", "Mov.", ""), c("DATA_CUST", "Data", "@D"), c("MOV_ACAO", "Qtd.Ação"_cp, "@Ez 99,999,999"),
                 c("VALOR_CUST", "Custo Total")};
    t.ultPos = 7;
    t.ret = {2, 2, 11, 79};
    t.congela = 2;
  }
  return t;
}

// The carnê-leão's entries of a month's column, opened from the monthly matrix: of the kind,
// owner and dependant the matrix is open for.
TelaGrade carneLeao(Grade& g, int opc) {
  TelaGrade t;
  t.opc = opc;
  t.area = 22;
  t.moldura = 1;
  t.depois = "FDE_LEAO(1)";
  const std::string kind = g.I1_1, tit = g.I1_11, dep = g.CPFDEPEN;
  t.filtro = [kind, tit, dep](const Table& tab) {
    if (!campoIgual(tab, "I1_1", kind) || !campoIgual(tab, "I1_11", tit)) return false;
    return tit != "N" || campoIgual(tab, "I1_8", dep);
  };
  return t;
}

// Screen 17: each payer or payee by name with its total.
TelaGrade leaoNomes(Grade& g) {
  TelaGrade t = carneLeao(g, 17);
  static const char* const kNomes[] = {"Nome da fonte pagadora", "Nome fonte exterior", "Descrição da despesa",
                                       "Nome da Previdência", "Nome do Recebedor"};
  const int i = std::clamp(g.POSHORMAT, 2, 6) - 2;
  std::string nome = kNomes[i];
  t.colunas = {col("I1_2", rt::text::utf8ToCp860(nome), "@s40"), col("I1_4", "Total R$ ", kPagto, 0, {}, "FDE_LEAO(1)")};
  // Enter on the real last column wraps (the screen's old last column lay past it).
  t.ultPos = 2;
  t.ret = {8, 2, 21, 55};
  t.primeiraColuna = 2;
  t.dica = g.POSHORMAT == 5 ? 15 : 0;
  return t;
}

// Screen 24: the month's total only.
TelaGrade leaoTotal(Grade& g) {
  TelaGrade t = carneLeao(g, 24);
  t.colunas = {col("I1_4", g.POSHORMAT == 5 ? "Total INSS" : "Total Leao", kPagto, 0, {}, "FDE_LEAO(1)")};
  t.ultPos = 1;
  t.ret = {8, 40, 14, 55};
  t.dica = g.POSHORMAT == 5 ? 15 : 0;
  // The months of the complementary tax, opened from the summary's I13_24 (kind "M").
  if (g.I1_1 == "M") {
    t.colunas.front().desc = "Total REAL";
    t.ret = {4, 43, 10, 58};
  }
  return t;
}

// Screen 18: the cash book's receipts or expenses (TIPOCR) of the kind.
TelaGrade leaoLivro(Grade& g) {
  TelaGrade t = carneLeao(g, 18);
  // Incomes from abroad are kept month by month only.
  if (g.POSHORMAT == 3)
    t.recusa = std::string("Rendimentos do exterior deve ser preenchido") + "no modo individual. Mude com ALT A.       ";
  const std::string kind = g.I1_1;
  const bool receita = g.POSHORMAT == 2;
  t.colunas = {col("DT_LC", "Data", "@D"),
               col("I1_2", receita ? "Descrição das receitas"_cp : "Descrição das despesas"_cp, "@S44"),
               col("I1_4", "Valor em R$==>", kPagto, 0, {}, "FDE_LEAO(1)"),
               receita ? col("I1_3", "CPF", "@S14", 0, "CPFCGC") : col("I1_3", "CPF ou CNPJ", "@S18", 0, "CPFCGC")};
  t.ultPos = 3;
  t.ret = {5, 5, 18, 76};
  const std::string cr = g.TIPOCR;
  t.filtro = [kind, cr](const Table& tab) { return campoIgual(tab, "I1_1", kind) && campoIgual(tab, "TIPOCR", cr); };
  return t;
}

// A rural screen on its work area, with its hint among the rural ones.
TelaGrade rural(int opc, int area, int dica) {
  TelaGrade t;
  t.opc = opc;
  t.area = area;
  t.dica = dica;
  t.dicaRural = true;
  return t;
}

// Screen 34: the rural properties, with the land tax in Brazil or the foreign results abroad.
TelaGrade imoveisRurais(Grade& g) {
  TelaGrade t = rural(34, 36, 1);
  const bool brasil = g.ATV_BRASIL == "S";
  t.rodape = true;
  t.colunas = {col("I2R_07", "Cod", "@z 99", 0, "VAL_COD(1)"),
               col("I2R_04", "% Part", "@Z 999.99", 0, "VAL_PART"),
               col("I2R_05", "Cond", "@z 9", 0, "VAL_COD(3)"),
               col("I2R_01", "Nome do Imóvel"_cp, "@s54", 18),
               col("I2R_06", "Local do Imóvel"_cp, "@S35", 18),
               col("I2R_02", "Area (ha)", "@ez 999,999.9")};
  if (brasil) {
    t.colunas.push_back(col("I2R_03", "Nro.R.Fed", "@r 9999999.9"));
    t.colunas.push_back(col("VALITR", "Valor ITR", kDinheiro));
    t.ultPos = 8;
    t.ret = {3, 0, 22, 78};
  } else {
    t.colunas.push_back(col("CODPAIS", "País"_cp, "@s3", 0, "TES_PAIS(3)"));
    t.colunas.push_back(col("RECEXT", "Rec.moeda País"_cp, kDinheiro, 0, "CALUCRO"));
    t.colunas.push_back(col("DESEXT", "Des.moeda País"_cp, kDinheiro, 0, "CALUCRO"));
    t.colunas.push_back(col("VALUSE", "Valor US$", "@EZ 99,999.99", 0, "CALUCRO"));
    for (const char* f : {"RESUS", "OPC20US", "OPC20RS"}) {
      Coluna c = col(f, std::string(f) == "RESUS" ? "Resultado US$" : std::string(f) == "OPC20US" ? "Opc.20% em US$" : "Opc.20% em R$ ",
                     kDinheiro);
      c.editavel = false;  // computed: columns beyond 10
      t.colunas.push_back(c);
    }
    t.ultPos = 13;
    t.ret = {3, 0, 19, 78};
  }
  return t;
}

// Screen 35: the rural assets.
TelaGrade bensRurais(Grade& g) {
  TelaGrade t = rural(35, 37, 5);
  const bool brasil = g.ATV_BRASIL == "S";
  t.campoLinha = "I8R_0";
  t.campoItem = "ITEM";
  t.colunas = {col("ITEM", "It.", "@EZ 999"), col("I8R_1", "Discriminação, Data de Aquisição e Venda   "_cp, "@S71", 53, "MOS_DETBEM"),
               col("CODIGO", "Cd", "@EZ 99", 0, "TES_COD(35)"), col("I8R_2", "Valor R$  ", kDinheiro),
               brasil ? col("I8R_4", "St", "@Z 9", 0, "TES_SIT") : col("I8R_3", "Pais", "@S3", 0, "TES_PAIS(4)"),
               col("I8R_0", "Linha", "@EZ 9999")};
  t.ultPos = 5;
  t.ret = {2, 1, 21, 79};
  return t;
}

// Screen 36: the rural debts.
TelaGrade dividasRurais() {
  TelaGrade t = rural(36, 38, 6);
  t.campoLinha = "I9R_0";
  t.campoItem = "ITEM";
  t.colunas = {col("ITEM", "It.", "@EZ 99"), col("I9R_1", "DISCRIMINACAO              ", "", 30, "MOS_DETDIV"),
               col("I9R_2", " 31/12/2008 ", kDinheiro, 0, {}, "SOMA_DIV"), col("I9R_3", " 31/12/2009", kDinheiro, 0, {}, "SOMA_DIV"),
               col("I9R_4", " Pago em 2009 ", kDinheiro, 0, {}, "SOMA_DIV"), col("I9R_0", "Lin", "@Z 9999", 0, {}, "SOMA_DIV")};
  t.ultPos = 5;
  t.ret = {3, 0, 18, 78};
  return t;
}

// Screen 38: the rural cash book's receipts or expenses (TIPOCR).
TelaGrade livroRural(Grade& g, int modo) {
  TelaGrade t = rural(38, 39, 14);
  t.moldura = 1;
  t.rodape = true;
  const bool receita = g.TIPOCR == "C";
  t.colunas = {col("DT_LC", "Data", "@D"),
               col("DESCR", receita ? "Descrição do Rendimento"_cp : "Descrição da Despesa ou Custeio"_cp, "@S44"),
               col("VALOR", "Valor ", kDinheiro, 0, {}, "SOMA_RUR(2)"),
               col("NROIMO", receita ? "Nro.Imov" : "N.Imo", "@Z 99")};
  if (!receita) t.colunas.push_back(col("TEMITR", "ITR", "@!"));
  t.ultPos = receita ? 4 : 5;
  t.ret = {5, 1, 18, 79};
  const std::string cr = g.TIPOCR;
  // Opened from a month of the rural matrix, only that month's entries show; a row whose
  // date is not typed yet stays in sight.
  const int mes = g.MESATI >= 1 && g.MESATI <= 12 ? g.MESATI : 0;
  t.filtro = [cr, mes](const Table& tab) {
    if (!campoIgual(tab, "TIPOCR", cr)) return false;
    if (mes == 0) return true;
    const int m = tab.getDate("DT_LC").month();
    return m == 0 || m == mes;
  };
  t.antes = "SOMA_RUR(2)";
  // Opened from the rural asset situation (mode 1) the totals are taken again afterwards, in
  // the rural matrix's area; from the matrix (mode 0) its hint comes back.
  if (modo == 1) {
    t.depois = "SOMA_RUR(2)";
    t.areaDepois = 37;
  }
  if (modo == 0) t.dicaDepois = 2;
  return t;
}

// The register's lists (area 9) in window 6, the CPF first.
TelaGrade registro(int opc) {
  TelaGrade t;
  t.opc = opc;
  t.area = 9;
  t.moldura = 6;
  t.congela = 3;
  return t;
}

// The status column: the status number's name as VE_STAT gives it at `pos`.
Coluna estatus(store::Contexto& ctx, Grade& g, std::string_view desc, std::string_view masc, int pos, std::string campo) {
  Coluna st = col("ESTATUS", desc, std::string(masc));
  st.campo = std::move(campo);
  st.exibe = [&ctx, &g, pos](const Table& tab) -> rt::ui::Value {
    return g.srv().VE_STAT(ctx, static_cast<int>(tab.getNumber("ESTATUS").wholePart()), pos);
  };
  return st;
}

Coluna colunaCpf() { return col("CPF", " CPF ", kCpf); }

// Screen 41: the register by the status order POSEST (the status list of area 29 for 4).
TelaGrade registroPorEstatus(store::Contexto& ctx, Grade& g) {
  TelaGrade t = registro(41);
  t.area = g.POSEST == 4 ? 29 : 9;
  const Coluna st = estatus(ctx, g, "Status", "@s12", g.POSEST, "ve_stat(ESTATUS,posest)");
  t.colunas = {colunaCpf(), col("NOMECONTR", " Nome do Contribuinte ", "", 30), st, col("IMPRE", g.CTITULO, "@!")};
  t.ultPos = 4;
  t.ret = {10, 4, 22, 70};
  t.dica = 10;
  return t;
}

// Screen 42: the register with its fees, time and receipts.
TelaGrade registroCobranca(store::Contexto& ctx, Grade& g) {
  TelaGrade t = registro(42);
  const Coluna st = estatus(ctx, g, "Descrição"_cp, "@s13", 3, "ve_stat(ESTATUS,3)");
  t.colunas = {colunaCpf(), col("NOMECONTR", " Nome do Contribuinte ", "", 23), st, col("ESTATUS", "St.", "@ 99"),
               col("VALOREC", "Cobrar", "@EZ 999,999.99"), col("TEM_USO", "Tempo(s)", "@Ez 999,999"),
               col("RECIBOATU", "Recibo 2010", "@r 999999999999"), col("RECIBOANT", "Recibo 2009", "@r 999999999999")};
  t.ultPos = 8;
  t.ret = {10, 1, 22, 78};
  return t;
}

// Screen 46: the register, a mark for each taxpayer chosen.
TelaGrade registroMarcado(store::Contexto& ctx, Grade& g) {
  TelaGrade t = registro(46);
  const Coluna st = estatus(ctx, g, "Status", "@s13", 3, "ve_stat(ESTATUS,3)");
  t.colunas = {colunaCpf(), col("NOMECONTR", " Nome do Contribuinte ", "", 30), st, col("IMPRE", "Selec", "@!")};
  t.ultPos = 4;
  t.ret = {10, 4, 22, 70};
  t.mensagem = "Marque [S] nos nomes - Esc termina |Alt(+)Marca todos | ALT(-)Desmarca";
  return t;
}

// Screen 47: the register with the bank slips due, a mark for each taxpayer chosen.
TelaGrade registroBoletos() {
  TelaGrade t = registro(47);
  t.congela = 2;
  t.colunas = {colunaCpf(),
               col("NOMECONTR", " Nome do Contribuinte ", "@S20", 30),
               col("IMPRE", "Sel", "@!"),
               col("NRQUOTA", "Qt", "@Z9"),
               col("DFQUOTA", "Quota IR", kPagto),
               col("NRCLEAO", "Qt", "@Z99"),
               col("DFCLEAO", "Carnê Leao"_cp, kPagto),
               col("NRGCAPIT", "Qt", "@Z99"),
               col("DFGCAPIT", "Gan.Capital", kPagto),
               col("NRRVARIV", "Qt", "@Z99"),
               col("DFRVARIV", "R.Variável"_cp, kPagto)};
  t.ultPos = 3;
  t.ret = {10, 2, 22, 75};
  t.mensagem = "Marque [S] nos nomes - Esc termina |Alt(+)Marca todos | ALT(-)Desmarca";
  return t;
}

}  // namespace

void cabecalhosAnos(Grade& g) {
  if (g.DECFINAL == "S") {
    g.CANOAN = g.CDIVBA = " Data Partilha";
    g.CANOBA = " Val. Transf. ";
  } else {
    g.CANOAN = " Ano de 2008  ";
    g.CANOBA = g.CDIVBA = " Ano de 2009  ";
  }
}

const std::vector<int>& telasTabela() {
  static const std::vector<int> v{1,  2,  3,  4,  5,  6,  8,  9,  10, 11, 13, 15, 17, 18, 22, 23, 24, 25,
                                  26, 28, 29, 30, 31, 32, 33, 34, 35, 36, 38, 40, 41, 42, 45, 46, 47};
  return v;
}

const std::vector<int>& telasMatriz() {
  static const std::vector<int> v{7, 12, 14, 16, 37};
  return v;
}

namespace {

std::optional<TelaGrade> montaTela(store::Contexto& ctx, Grade& g, int opc, int modo) {
  TelaGrade t;
  t.opc = opc;
  switch (opc) {
    case 1:
      return rendimentos(g, opc, true);
    case 2:
      return rendimentos(g, opc, false);
    case 3:
      t.area = 23;
      t.colunas = {col("NRODEPEN", "Nro", "@ez 99"), col("NOMEDEPEN", "Nome Completo", "@S43", 0, {}, "NRODP"),
                   col("CODIDEPEN", "Cód"_cp, "@EZ 99", 0, "TES_COD(3)"), col("DATADEPEN", "Nascim.", "@d", 0, "TES_MES"),
                   col("CPFDEPEN", "CPF", kCpf, 0, "VAL_CPF")};
      t.ultPos = 5;
      t.ret = {1, 0, 9, 79};
      t.dica = 6;
      t.congela = 1;
      return t;
    case 4:
      t.area = 26;
      t.rodape = true;
      t.colunas = {col("I6_1", "Nome do beneficiário"_cp, "@S50", 26),
                   col("I6_3", "Cod", "@ 99", 0, "TES_COD(4)"),
                   col("I6_6", "Nro", "@99", 0, "CONF_DEP(2)"),
                   col("I6_2", " CPF/CNPJ/NIT", "@S18", 0, "POEPONTO(1);VAL_NIT|CPFCGC"),
                   col("I6_4", "Total Pago", kPagto, 0, "FDOAPAG"),
                   col("I6_5", "Não Dedutí."_cp, kPagto, 0, "FCONFNDEDU"),
                   col("I6_7", "CPF Empregado", kCpf, 0, "VAL_CPF")};
      // Whether the row may take a dependant's number at all is asked before the cell opens.
      t.colunas[2].antes = "CONF_DEP(1)";
      // Enter on the real last column wraps to the next row.
      t.ultPos = 7;
      // Under the payments' heading of screen 4's form, inside its frame down to the bottom
      // line that shows the non-deductible total: a box of its own would draw a second
      // bottom line and hide the heading.
      t.ret = {10, 0, 23, 79};
      t.dica = 1;
      return t;
    case 5:
      return bens(g, opc, {"FI7_T(5)", "FI7_T(5)", false, {1, 0, 9, 79}});
    // The enlarged lists end above their form's totals row and bottom line.
    case 8:
      return bens(g, opc, {"FI7_T(8)", "", true, {1, 0, 22, 79}});
    case 22:
      return bens(g, opc, {"FI7_T(22)", "FI7_T(6)", false, {1, 0, 21, 79}});
    case 6:
      return dividas(g, opc, {"FI8_T(6)", "FI8_T(6)", false, {10, 0, 16, 79}}, "2008 original");
    case 9:
      return dividas(g, opc, {"FI8_T(9)", "", true, {1, 0, 22, 79}});
    case 23:
      return dividas(g, opc, {"FI8_T(23)", "FI8_T(7)", false, {1, 0, 21, 79}});
    case 10:
      return ganho(g);
    case 11:
      t.area = 31;
      t.colunas = {col("OBSERV", "           Notas e observaçoes"_cp, "@s60")};
      t.ultPos = 1;
      if (g.declaracaoAberta()) {
        t.ret = modo == 0 ? rt::term::Rect{9, 9, 22, 70} : rt::term::Rect{2, 9, 16, 70};
        t.moldura = modo == 0 ? 0 : 6;
      } else {
        t.ret = {1, 17, 16, 78};
        t.moldura = 6;
      }
      return t;
    case 13:
      t.area = 34;
      t.rodape = true;
      t.moldura = 6;
      t.colunas = {col("DESCRICAO", "Fonte do Rendimento", "@S26"), col("POUPANCA", "Poupança"_cp, kDinheiro),
                   col("APLICACAO", "Aplicações"_cp, kDinheiro), col("CPMF", "Prejuizo", kDinheiro),
                   col("LUCROEPP", "Outros Isento", kDinheiro), col("LUCROREAL", "Outros Tribu.", kDinheiro)};
      t.ultPos = 6;
      t.ret = {1, 3, 10, 75};
      return t;
    case 15:
      t.area = 30;
      t.colunas = {col("DESCRITEM", "Descricao bem", "@s25"), col("DESCDESP", "Tipo", "@S25"),
                   col("VALODESP", "V.Mensal ", "@EZ 999,999.99")};
      t.ultPos = 3;
      t.ret = {8, 10, 19, 73};
      t.buscaDespesas = true;
      return t;
    case 17:
      return leaoNomes(g);
    case 18:
      return leaoLivro(g);
    case 24:
      return leaoTotal(g);
    case 25:
      t.area = 33;
      t.moldura = 6;
      t.colunas = {col("CDCONTA", "Cod.", "@R 9.999"), col("DESCONTA", "Descrição"_cp, "@S40"), col("VALODESP", "Valor ", kDinheiro),
                   col("MESINI", "Mês I"_cp, "@Z 99"), col("MESFIM", "Mês F"_cp, "@Z 99"), col("NROCGCCPF", "CPF ou CPNJ", "@s18"),
                   col("CPFDEPEN", "CPF depend", kCpf), col("LANCADO", "Lan.", "@!")};
      t.ultPos = 8;
      t.ret = {2, 3, 20, 75};
      return t;
    case 26:
      t.area = 44;
      t.moldura = 6;
      t.colunas = {col("CPF", " CPF ", kCpf), col("NOMECONTR", " Nome do Contribuinte ", "", 23), col("I13_29", "Quota", "@ez 9"),
                   col("IMPOSTO", "Imposto", "@EZ 999,999.99"), col("RESTITU", "Restitucao", "@EZ 999,999.99"),
                   col("CORRIGI", "Corrigido", "@EZ 999,999.99")};
      t.ultPos = 6;
      t.ret = {2, 1, 20, 79};
      return t;
    case 28:
      t.area = 62;
      t.moldura = 6;
      t.colunas = {col("CDCONTA", "Cod.", "@R 9.999"), col("NMDESCRICA", "Descrição"_cp, "", 62), col("CDSTATUS", "Posi", "@!"),
                   col("PAGINA", "Pág."_cp, "@Z99"), col("LINHA", "Lin.", "@Z99"), col("TEMCPF", "Cpf?", "@!"),
                   col("TEMCGC", "Cnpj?", "@!"), col("LIVROCX", "L.CX.", "@!"), col("TEMDESCR", "Desc.", "@!")};
      t.ultPos = 8;
      t.ret = {7, 3, 20, 75};
      return t;
    case 29:
      t.area = 66;
      t.moldura = 6;
      t.colunas = {col("COD", "Cod", "@z 99"), col("DESCRICAO", "Descrição"_cp, "@s13")};
      t.ultPos = 2;
      t.ret = {10, 58, 22, 78};
      return t;
    case 30:
      t.area = 53;
      t.moldura = 6;
      t.dica = 19;
      t.colunas = {col("NOME", "Descrição"_cp, "@S50"), col("CGCCPF", "CPF/CNPJ", "@S18", 0, "POEPONTO(2);CPFCGC"),
                   col("CODIGO", "Cod.", "@Z 99", 0, "TES_COD(30)")};
      t.ultPos = 3;
      t.ret = {3, 2, 14, 77};
      return t;
    case 31:
      t.area = 52;
      t.moldura = 6;
      t.dica = 19;
      t.colunas = {col("DESCRICAO", "Descrição"_cp, "@S55"), col("CODIGO", "Cod.", "@Z 999")};
      t.ultPos = 2;
      t.ret = {3, 4, 14, 66};
      return t;
    case 32:
      t.area = 68;
      t.moldura = 6;
      // Every list shows its rows' share of the receipts; mode 0 also their share of the expenses.
      t.colunas = {col("DESCRICAO", "Discriminação"_cp, "@S40"), col("VALORDOC", "VALOR", "@Ez 999,999,999.99")};
      if (modo == 0) t.colunas.push_back(col("PERCDESP", "% DESP", "@Ez 999.99"));
      t.colunas.push_back(col("PERCRECE", "% REC.", "@Ez 999.99"));
      if (modo == 0) {
        t.ultPos = 4;
        t.ret = {3, 3, 22, 76};
      } else {
        t.ultPos = 3;
        t.ret = {3, 3, 22, 70};
      }
      return t;
    case 33:
      t.area = 41;
      t.moldura = 1;
      t.rodape = true;
      t.colunas = {col("CONFIM", "Ativa", "@!"), col("NOMEIMP", "Nome Impressora", "@S15"), col("SEQ1", "  Reduzido  ", "@S12", 12),
                   col("SEQ0", "   Normal   ", "@S12", 12), col("SEQ2", "Avanço Prop."_cp, "@S12", 12),
                   col("SEQ3", "Expandido", "@S12", 12)};
      t.ultPos = 6;
      t.ret = {12, 2, 22, 76};
      t.mensagem = "Selecione a impressora com [S] - Verique a sequencia no manual de sua impressora";
      return t;
    case 34:
      return imoveisRurais(g);
    case 35:
      return bensRurais(g);
    case 36:
      return dividasRurais();
    case 38:
      return livroRural(g, modo);
    case 40:
      t.area = 40;
      t.colunas = {col("SELEC", "SEL.", "@!", 0, "TROCA_NAO"), col("DIRETOR", "Drive e diretório"_cp, "@S40", 0, "TROCA_NAO")};
      t.ultPos = 2;
      t.ret = {5, 18, 16, 65};
      return t;
    case 41:
      return registroPorEstatus(ctx, g);
    case 42:
      return registroCobranca(ctx, g);
    case 46:
      return registroMarcado(ctx, g);
    case 47:
      return registroBoletos();
    case 45:
      t.area = 67;
      t.moldura = 6;
      t.colunas = {col("NOSSONRO", "Nro Doc.", "@s10"), col("NOMESAC", "Nome do Sacado", "@S30"), col("DATADOC", "Data Venc.", "@D"),
                   col("VALORDOC", "Valor", "@EZ 999,999.99")};
      t.ultPos = 4;
      t.ret = {10, 4, 22, 70};
      return t;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<TelaGrade> telaGrade(store::Contexto& ctx, Grade& g, int opc, int modo) {
  std::optional<TelaGrade> t = montaTela(ctx, g, opc, modo);
  if (t) t->tracos = tracosDaTela(opc);
  return t;
}

void carregaColunas(Grade& g, const TelaGrade& tela) {
  g.TABCAMPO.clear();
  g.TABCPOIN.clear();
  g.TABMASC.clear();
  g.TABDESC.clear();
  for (const Coluna& c : tela.colunas) {
    g.TABCAMPO.push_back(c.campo);
    g.TABCPOIN.push_back(c.cpoin);
    g.TABMASC.push_back(c.masc);
    g.TABDESC.push_back(c.desc);
  }
  g.N_CAM = static_cast<int>(tela.colunas.size());
  g.ULT_POS = tela.ultPos;
}

}  // namespace grid

#include "store/catalogo.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>

#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/estrutura_esperada.h"

using namespace rt::text::literals;
using store::CampoDef;

namespace {

struct Esperada {
  int numero;
  const char* arquivo;
  int campos;         // field count of the reader's table
  int registro;       // record length of the reader's table
  const char* texto;  // the structure, transcribed
};

// Each structure as the catalogue text writes it, in its order.
const Esperada kCriadas[] = {
    {1, "IMP0110", 122, 1586,
     "CPF C11; I3_01, I4_01, I3_02, I4_02, I3_03, I4_03, I3_04, I4_04, I3_05, I4_05, I3_06, "
     "I4_06, I3_{07..14} N12.2; I3_12D C50; I4_05D C50; I3_04GCPV, I3_04UNIC, I3_04REDU, "
     "I3_04EXTR, I3_04GCPVC, I3_04UNICC, I3_04REDUC N12.2; DESPINST C1; DESPALIM N1; "
     "RELDEPEN C20; CpfInvent C11; NomInvent C40; EndInvent C70; DataParti, Datadecis D; "
     "nroProces C25; VaraCivil C4; Comarca C25; UFProces C2; AnoObito N4; DecFinal, DecSaida C1; "
     "DataSaida D; DecJudi C1; DataLavra D; NomeCarto C80; CnpjCarto C14; MuniCarto C30; "
     "Livrcarto, FolhCarto N7; I13_{01..28} N12.2; I13_29 N1; I13_{30..41} N12.2; "
     "CARNEINSS, CARNEDEPEN, PREVIDENC, EMPRUR, AMORUR, OUTREC, VALFUTUR, OUTRDES, PREJVEN, "
     "PREJVEN1, PREJRUR, PREJRVA, LUCRRVA, DESPNAO, EMPREST, DESPDECLA, DESPADRAO N12.2; "
     "INDALERTA N2; IMPOANTER, CUSTOANT, CUSTOANO, ENTRADGP, ISENTNAO, CPMF, CARTAOCRE N12.2; "
     "CAL_AUTO N1; SO_REC, NOVREG L"},
    {2, "IMP0210", 59, 724,
     "CPF C11; I1_1 C1; I1_2 C60; I1_3 C18; I1_4, I1_5, I1_6, I1_7 N12.2; I1_8 C11; TIPOCR C1; "
     "DT_LC D; I1_9, I1_10 N12.2; I1_11 C1; I1_{12..20} N12.2; "
     "I1_{4,5,6}01, I1_{4,5,6}02, I1_{4,5,6}03, I1_{4,5,6}04, I1_{4,5,6}05, I1_{4,5,6}06, "
     "I1_{4,5,6}07, I1_{4,5,6}08, I1_{4,5,6}09, I1_{4,5,6}10, I1_{4,5,6}11, I1_{4,5,6}12 N12.2"},
    {3, "IMP0310", 6, 77, "CPF C11; NOMEDEPEN C41; CODIDEPEN N3; DATADEPEN D; CPFDEPEN C11; NRODEPEN N2"},
    {4, "IMP0410", 11, 584,
     "CPF C11; I7_0 N4; I7_1 N3; I7_2 C512; I7_3 N12.2; I7_4 N12.2; I7_5 N3; I7_6 N10.5; "
     "I7_7 C1; I7_8 C3; I7_9 N12.2"},
    {5, "IMP0510", 8, 308,
     "CPF C11; I8_0 N4; I8_1 N3; I8_2 C250; I8_3 N12.2; I8_4 N12.2; I8_5 N3; I8_6 N12.2"},
    {6, "IMP0610", 20, 287,
     "CPF C11; I6_1 C50; I6_2 C18; I6_3 N2; I6_4 N12.2; I6_5 N12.2; I6_6 N2; I6_7 C11; "
     "I6_4{01..12} N14.2"},
    {7, "IMP0710", 107, 1396,
     "CPF C11; BEM_NRO N2; RVAR_NRO N2; DAY_TRADE C1; TIPO_BEM N1; NRO_ITEM N3; CPFADQ C18; "
     "PER_TRI N11.5; NOME_ADQ C53; ESPC_BEM{1..4} C53; ENDEIMO C30; NUMIMO C6; COMPIMO C15; "
     "BAIRIMO C15; CEPIMO C8; MUNICIMO C17; UFIMO C2; DATA_ALI D; DATA_ADQ D; NOME_SOCIE C32; "
     "CGC_SOCIE C14; CID_SOCIE C17; EST_SOCIE C2; IND_ALI N11.4; VAL_ALI, CUS_ATUAL, VAL_RECOL, "
     "VAL_TRIBU, VAL_NAOTRI, VAL_IMPOS, IMPPAGO N12.2; VEN_PRAZO C1; PEQ_VALOR C1; NATUOPER C20; "
     "PARCOMPRA C1; VENDAANT C1; VAL_PARTE N12.2; PERART31 N6.2; TIPOPART N1; FR1, FR2, "
     "GAN_TRI1, GAN_TRI2 N12.2; CAMPON N1; "
     "{REC_MES,VAL_TRI,IMP_DEV,IMP_PAG,IMP_LEI}01, {REC_MES,VAL_TRI,IMP_DEV,IMP_PAG,IMP_LEI}02, "
     "{REC_MES,VAL_TRI,IMP_DEV,IMP_PAG,IMP_LEI}03, {REC_MES,VAL_TRI,IMP_DEV,IMP_PAG,IMP_LEI}04, "
     "{REC_MES,VAL_TRI,IMP_DEV,IMP_PAG,IMP_LEI}05, {REC_MES,VAL_TRI,IMP_DEV,IMP_PAG,IMP_LEI}06, "
     "{REC_MES,VAL_TRI,IMP_DEV,IMP_PAG,IMP_LEI}07, {REC_MES,VAL_TRI,IMP_DEV,IMP_PAG,IMP_LEI}08, "
     "{REC_MES,VAL_TRI,IMP_DEV,IMP_PAG,IMP_LEI}09, {REC_MES,VAL_TRI,IMP_DEV,IMP_PAG,IMP_LEI}10, "
     "{REC_MES,VAL_TRI,IMP_DEV,IMP_PAG,IMP_LEI}11, {REC_MES,VAL_TRI,IMP_DEV,IMP_PAG,IMP_LEI}12 "
     "N12.2"},
    {8, "IMP0810", 23, 210,
     "CPF C11; BEM_NRO N2; RVAR_NRO N2; DAY_TRADE C1; VALOR_REDU N12.2; VALOR_CUST N12.2; "
     "DATA_CUST D; IND_CUST N10.4; PER_RED N3; PER_RED1 N8.6; PER_RED2 N8.6; PER_CUST N12.6; "
     "RESUL_2 N12.2; RESUL_3 N12.2; SALDO_COEF N14.4; CM_PONDER N15.4; SALDO_ACAO N9; "
     "MOV_ACAO N9; CUST_UNI N12.2; CMED_COEF N18.4; TIPO_OPER N1; TIPO_ACAO N1; LOTE C17"},
    {9, "IMP0910", 94, 1038,
     "CPF C11; RETIFICA C1; NOMECONTR C53; TIPOEND C11; ENDERECO C37; NUMERO C6; COMPLEM C21; "
     "BAIRRO C20; CEP C8; CODMUNI C4; MUNICIPIO C30; UF C2; CODPAIS C3; CODEMB C3; DDDTEL C4; "
     "TELEFO C8; DDDFAX C4; NROFAX C8; EMAIL C40; NASCIMENTO D; TITULO C13; CGCPAGADOR C18; "
     "OCUPACAO C69; CDPRO C3; CODAT C2; DESCRAT C58; NRORECIBO C12; RECIBOATU C12; "
     "RECIBOANT C12; CODACESSO N12; SENACESSO C15; TEMRURAL C1; ATV_BRASIL C1; CPFCONJU C11; "
     "CONJUNTA C1; NOVOEND C1; TEM_USO N6; TAM_USO N6; IMPRE C1; ESTATUS N2; ORDEM N2; "
     "I9_2 N12.2; I9_3 N12.2; I9_4 C1; I9_5 C1; DIRCONJU C40; VALOREC N12.2; BANCO C3; "
     "AGENCIA C6; CONTACO C15; DEBITAUT C1; SALDO N12.2; INDGAS N6.2; USAPADRAO C1; CONJPAD C1; "
     "IMPPGRE N12.2; I13_16, I13_20, I13_21, I13_22, I13_27, I13_37, I13_38 N12.2; I13_29 N1; "
     "I13_{1..5}C N12.2; SO_SIMPLES C1; NOVO C1; TELCELU C8; TELESCR C8; TELSECR C8; "
     "ULTRESI D; ULTIMOV D; NRQUOTA N1; DFQUOTA N12.2; NRCLEAO N2; DFCLEAO N12.2; NRGCAPIT N2; "
     "DFGCAPIT N12.2; NRRVARIV N2; DFRVARIV N12.2; TRIB_EX, NTRIB_EX, PREJU_EX, DIVAD_EX, "
     "DIVPG_EX, TRIB_BR, NTRIB_BR, PREJU_BR, DIVAD_BR, DIVPG_BR N12.2"},
    {10, "IMP1010", 5, 77, "CPF C11; CODDESP N3; DESCDESP C25; VALODESP N12.2; DESCRITEM C25"},
    {11, "IMP1110", 4, 76, "CPF C11; OBSERV C60; CODERR N2; PAGINA N2"},
    {12, "IMP1210", 93, 1115,
     "CPF C11; CPFdepen C11; I2_{1..7}01, I2_{1..7}02, I2_{1..7}03, I2_{1..7}04, I2_{1..7}05, "
     "I2_{1..7}06, I2_{1..7}07, I2_{1..7}08, I2_{1..7}09, I2_{1..7}10, I2_{1..7}11, "
     "I2_{1..7}12, I2_{1..7}13 N12.2"},
    {13, "IMP1310", 10, 126,
     "CPF C11; CDCONTA C4; DESCONTA C60; VALODESP N13.2; NROITEM N3; NROCGCCPF C18; LANCADO L; "
     "MESINI N2; MESFIM N2; CPFDEPEN C11"},
    {14, "IMP1410", 8, 99,
     "CPF C11; DESCRICAO C26; POUPANCA, APLICACAO, CPMF, LUCROEPP, LUCROREAL N12.2; TIPO C1"},
    {15, "IMP1510", 64, 606,
     "CPF C11; ATV_BRASIL C1; I3_{01..12}{OR,OD} N12.2; I4R_{01..07} N12.2; "
     "I5_08, I5_09, I5_10, I6_10 N12.2; I7_{1..5}{A,B,C,S,V1} N6; I7_V1 C22; SO_TOTAL L"},
    {16, "IMP1610", 17, 236,
     "CPF C11; ATV_BRASIL C1; I2R_01 C60; I2R_02 N9.2; I2R_03 C8; I2R_04 N6.2; I2R_05 N1; "
     "I2R_06 C55; I2R_07 N2; VALITR N12.2; CODPAIS C3; RECEXT N12.2; DESEXT N12.2; "
     "VALUSE N7.2; RESUS, OPC20US, OPC20RS N12.2"},
    {17, "IMP1710", 9, 551,
     "CPF C11; ATV_BRASIL C1; ITEM N3; CODIGO N3; I8R_0 N4; I8R_1 C512; I8R_2 N12.2; "
     "I8R_3 C3; I8R_4 N1"},
    {18, "IMP1810", 9, 318, "CPF C11; ATV_BRASIL C1; I9R_0 N4; ITEM N3; I9R_1 C250; I9R_{2..5} N12.2"},
    {19, "IMP1910", 8, 80,
     "CPF C11; ATV_BRASIL C1; DT_LC D; DESCR C41; VALOR N14.2; NROIMO N2; TIPOCR C1; TEMITR C1"},
    {20, "IMP2010", 8, 80,
     "CPF C11; ATV_BRASIL C1; DT_LC D; DESCR C41; VALOR N14.2; NROIMO N2; TIPOCR C1; TEMITR C1"},
    {40, "DIRET", 2, 42, "SELEC C1; DIRETOR C40"},
    {41, "PRINTS", 6, 257, "CONFIM C1; NOMEIMP C15; SEQ0, SEQ1, SEQ2, SEQ3 C60"},
    {42, "CONFIG", 39, 619,
     "NRO_TERM C2; ROTAANTER C40; ROTADOANO C40; ROTATIVID C40; ROTAREANT C80; ROTARECEI C80; "
     "ROTAJAVA C80; ROTAMOL C40; ROTABACK C40; dirtrab C40; DIRPROV C40; DIRINST C40; "
     "queimp N2; quemod N1; quepag N2; quecon N1; Aqueimp N1; Aquemod N1; Aquepag N1; "
     "Aquecon N1; Atvqual N1; compaga N1; ImpBem C1; ImpBal C1; mosimp C1; mostel C1; "
     "mosCPF C1; querSen L; ult_ter N1; ult_mod N1; ult_senIR N5; ult_senMOL N5; ult_cpf C11; "
     "XDRIVE C1; SOESTE N2; OPTTRAN N1; NOVOIT N2; ULTBACK D; OPCIRPF C1"},
    {43, "DEFINE", 30, 332,
     "VCTO{1..8} D; VAL_SEG N5.2; VAL_BYTE N5.2; VAL_MIN N8.2; COMO_SAL N1; TEMP_SAL N2; "
     "TEMP_DES N2; VAL_CPMF N8.4; VAL_DOLAR N8.4; BOL_BANCO C4; BOL_AGENCI C4; BOL_CONTA C6; "
     "BOL_NOME C30; BOL_CNPJ C14; BOL_CPF C11; BOL_CARTEI C3; BOL_NOSNRO N8; SER_SMTP C47; "
     "NOM_USUA C40; EMA_USUA C40; SEN_USUA C19; MEMORIZ C1; VER_ATUAL C1"},
    {44, "IMPCORRIG", 7, 114,
     "CPF C11; NOMECONTR C53; IMPPGRE N12.2; I13_29 N1; IMPOSTO, RESTITU, CORRIGI N12.2"},
    {52, "AUXBENS", 2, 516, "DESCRICAO C512; CODIGO N3"},
    {53, "AUXPAG", 3, 71, "NOME C50; CGCCPF C18; CODIGO N2"},
    {54, "LisErro", 4, 66, "coderr N2; DESCRI C60; GRAU N1; PAGINA N2"},
    {56, "CORES", 18, 110,
     "NRO_TERM C2; COR_TEL1, COR_TEL2, COR_TEL3, COR_MENS, COR_PEGA, COR_HELP, COR_FERID, "
     "COR_ESCOL, COR_ENCHE N3; COR_1_CLI, COR_2_CLI, COR_INI, COR_SAY, COR_GET, COR_CLI_HE, "
     "COR_ESC_CL, COR_ENCH_C C10"},
    {57, "CONFIMP", 13, 331,
     "NRO_TERM C2; NROIMPR N1; NROLPT N1; NROCOM N1; LOCIMPR C1; VERMELHO C1; SAIDAPR C8; "
     "NOMEIMP C15; NOMEREDE C60; SEQ{0..3} C60"},
    {63, "FOLHAPG", 21, 405,
     "CPF C11; NOMECONTR C47; NOMEFONTE C40; CNPJFONTE C18; RENDIMENT, PREVOFICA, PREVPRIVA, "
     "PENSAOPAG, IRRETIDO, ISENTOAPO, DIARIAS, PENSAOREC, LUCRODIV, SOCIO, IDENIZA, "
     "DECIMO3RO N12.2; COMPLENTA, OUTROS, OUTROSEXC C40; VALOUTRO, VALOUTRE N12.2"},
    {67, "BOLETO", 6, 75, "NRODOCUM N5; NOSSONRO N8; DATADOC D; VALORDOC N12.2; NOMESAC C30; CPFSAC C11"},
    {68, "DETALH", 4, 65, "DESCRICAO C40; VALORDOC N12.2; PERCDESP N6.2; PERCRECE N6.2"},
    {70, "LISNOME", 6, 117, "CPF C11; NOMECONTR C40; NOMEARQ C40; TIPO C12; ORIGEM C12; IMPRE C1"},
};

// The shipped reference tables: only the fields the program reads are known; the widths
// are this system's choice (docs/seed-data.md).
const Esperada kFornecidas[] = {
    {45, "HELPTXT", 2, 21, "NOME C10; TEXTO M"},
    {46, "CODBENS", 3, 88, "CODBEM N2; DESCBENS C60; DESPBEM C25"},
    {47, "CODEPEN", 2, 153, "CODDEP N2; DESCRICAO C150"},
    {48, "CODDIVI", 2, 63, "CODDIV N2; DESCDIV C60"},
    {49, "DESPESA", 2, 83, "CODDES N2; DESCDOA C80"},
    {51, "UFIRM", 4, 29, "ANOMES C6; SIMB_MOED C4; TJM N6.2; MULTIPL N12.6"},
    {55, "BANCOS", 2, 52, "NUMBAN C3; NOMEBAN C48"},
    {58, "OCUPACAO", 2, 73, "CDPRO C3; OCUPACAO C69"},
    {59, "CODNATUR", 2, 61, "CODAT C2; DESCRAT C58"},
    {60, "TABPAIS", 2, 44, "CODPAIS C3; NOMPAIS C40"},
    {61, "TABEMBA", 4, 76, "CD_EX C3; NM_CIDADE C20; NM_PAIS C22; NM_REP C30"},
    {62, "CONTAS", 9, 94,
     "CDCONTA C4; NMDESCRICA C80; CDSTATUS C1; PAGINA, LINHA N2; TEMCPF, TEMCGC, LIVROCX, "
     "TEMDESCR C1"},
    {64, "TABMUNI", 3, 37, "NOMEMUNI C30; NROMUNI C4; UNIFED C2"},
    {65, "TABLOGR", 1, 12, "NOMELOGRA C11"},
    {66, "STATUS", 2, 16, "COD N2; DESCRICAO C13"},
    {69, "CODABENS", 2, 63, "CODBEM N2; DESCBENS C60"},
};

std::string descreve(const CampoDef& c) {
  return c.nome + " " + c.tipo + std::to_string(c.largura) + "." + std::to_string(c.decimais);
}

void comparaEstrutura(const Esperada& e) {
  SCOPED_TRACE(std::string("table ") + std::to_string(e.numero) + " " + e.arquivo);
  const store::TabelaDef* t = store::tabela(static_cast<store::Area>(e.numero));
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->arquivo, e.arquivo);
  std::vector<CampoDef> esperados = esperado::estrutura(e.texto);
  ASSERT_EQ(t->campos.size(), esperados.size());
  for (std::size_t i = 0; i < esperados.size(); ++i)
    EXPECT_EQ(descreve(t->campos[i]), descreve(esperados[i])) << "field " << i + 1;
  EXPECT_EQ(static_cast<int>(t->campos.size()), e.campos);
  EXPECT_EQ(store::tamanhoRegistro(t->campos), e.registro);
  EXPECT_EQ(store::tamanhoCabecalho(t->campos), 32 + 32 * e.campos + 1);
}

}  // namespace

TEST(EstruturaEsperada, ExpandsBracesLikeAShell) {
  EXPECT_EQ(esperado::expande("I3_{01..03}{OR,OD}"),
            (std::vector<std::string>{"I3_01OR", "I3_01OD", "I3_02OR", "I3_02OD", "I3_03OR", "I3_03OD"}));
  EXPECT_EQ(esperado::expande("I2_{1..3}13"), (std::vector<std::string>{"I2_113", "I2_213", "I2_313"}));
  auto f = esperado::estrutura("A, B{8..10} N12.2; C D");
  ASSERT_EQ(f.size(), 5U);
  EXPECT_EQ(descreve(f[3]), "B10 N12.2");
  EXPECT_EQ(descreve(f[4]), "C D8.0");
}

TEST(Catalogo, CreatedTablesMatchTheirFieldLists) {
  for (const Esperada& e : kCriadas) comparaEstrutura(e);
}

TEST(Catalogo, ShippedTablesHaveTheChosenStructures) {
  for (const Esperada& e : kFornecidas) comparaEstrutura(e);
}

TEST(Catalogo, EveryNumberHasOneTable) {
  std::set<int> numeros;
  for (const Esperada& e : kCriadas) numeros.insert(e.numero);
  for (const Esperada& e : kFornecidas) numeros.insert(e.numero);
  for (int n = 0; n <= 75; ++n) {
    bool tem = (n >= 1 && n <= 20) || (n >= 40 && n <= 70 && n != 50);
    EXPECT_EQ(store::tabela(static_cast<store::Area>(n)) != nullptr, tem) << n;
    EXPECT_EQ(numeros.count(n) == 1, tem) << n;
  }
  // 50 numbers plus HELPATXT, which shares area 45.
  EXPECT_EQ(store::catalogo().size(), 51U);
}

TEST(Catalogo, FieldsAreWellFormed) {
  for (const store::TabelaDef& t : store::catalogo()) {
    SCOPED_TRACE(t.arquivo);
    std::set<std::string> nomes;
    for (const CampoDef& c : t.campos) {
      EXPECT_LE(c.nome.size(), 10U) << c.nome;
      EXPECT_TRUE(nomes.insert(rt::text::upper(c.nome)).second) << "duplicate " << c.nome;
      switch (c.tipo) {
        case 'C':
          EXPECT_GE(c.largura, 1);
          EXPECT_EQ(c.decimais, 0);
          break;
        case 'N':
          EXPECT_LE(c.largura, 20);
          if (c.decimais > 0) {
            EXPECT_LE(c.decimais + 2, c.largura) << c.nome;
          }
          break;
        case 'D':
          EXPECT_EQ(c.largura, 8);
          break;
        case 'L':
          EXPECT_EQ(c.largura, 1);
          break;
        case 'M':
          EXPECT_EQ(c.largura, 10);
          break;
        default:
          ADD_FAILURE() << "type " << c.tipo;
      }
    }
  }
}

TEST(Catalogo, IndexFilesAndKeys) {
  struct Indices {
    int numero;
    std::vector<std::pair<std::string, std::string>> indices;
  };
  const Indices esperados[] = {
      {1, {{"IMP0110", "CPF"}}},
      {2, {{"IMP0210", "CPF"}}},
      {3, {{"IMP0310", "CPF"}}},
      {4, {{"IMP0410", "CPF+str(I7_0,4)"}}},
      {5, {{"IMP0510", "CPF+STR(I8_0,4)"}}},
      {6, {{"IMP0610", "CPF+str(I6_3,2)"}}},
      {7, {{"IMP0710", "CPF"}}},
      {8, {{"IMP0810", "CPF"}}},
      {9, {{"IMP0910", "CPF"}, {"IMP0910B", "UPPER(NOMECONTR)"}, {"IMP0910C", "ESTATUS"}}},
      {10, {{"IMP1010", "CPF"}}},
      {11, {{"IMP1110", "CPF"}}},
      {12, {{"IMP1210", "CPF"}}},
      {13, {{"IMP1310", "CPF"}}},
      {14, {{"IMP1410", "CPF"}}},
      {15, {{"IMP1510", "CPF+ATV_BRASIL"}}},
      {16, {{"IMP1610", "CPF+ATV_BRASIL"}}},
      {17, {{"IMP1710", "CPF+ATV_BRASIL"}}},
      {18, {{"IMP1810", "CPF+ATV_BRASIL"}}},
      {19, {{"IMP1910", "CPF+ATV_BRASIL+DTOS(DT_LC)"}}},
      {20, {{"IMP2010", "CPF+ATV_BRASIL+DTOS(DT_LC)"}}},
      {40, {{"DIRET", "upper(DIRETOR)"}}},
      {41, {}},
      {42, {{"CONFIG", "NRO_TERM"}}},
      {43, {}},
      {44, {}},
      {45, {{"HELPTXT", "UPPER(NOME)"}}},
      {46, {{"CODBENS", "CODBEM"}}},
      {47, {{"CODEPEN", "CODDEP"}}},
      {48, {{"CODDIVI", "CODDIV"}}},
      {49, {{"DESPESA", "CODDES"}}},
      {51, {{"UFIRM", "ANOMES"}}},
      {52, {{"AUXBENS", "DESCRICAO"}}},
      {53, {{"AUXPAG", "NOME"}}},
      {54, {{"LisErro", "CODERR"}}},
      {55, {{"BANCOS", "NUMBAN"}, {"BANCOSB", "NOMEBAN"}}},
      {56, {{"CORES", "NRO_TERM"}}},
      {57, {{"CONFIMP", "NRO_TERM"}}},
      {58, {{"OCUPACAO", "CDPRO"}, {"OCUPACAB", "upper(OCUPACAO)"}}},
      {59, {{"CODNATUR", "CODAT"}, {"CODNATB", "UPPER(DESCRAT)"}}},
      {60, {{"TABPAIS", "CODPAIS"}}},
      {61, {{"TABEMBA", "CD_EX"}}},
      {62, {{"CONTAS", "CDCONTA"}}},
      {63, {{"FOLHAPG", "CPF"}}},
      {64, {}},
      {65, {{"TABLOGR", "upper(nomelogra)"}}},
      {66, {{"STATUS", "cod"}}},
      {67, {{"BOLETO", "NOSSONRO"}}},
      {68, {}},
      {69, {{"CODABENS", "CODBEM"}}},
      {70, {{"LISNOME", "NOMECONTR"}, {"LISNOMEB", "CPF"}}},
  };
  for (const Indices& e : esperados) {
    const store::TabelaDef* t = store::tabela(static_cast<store::Area>(e.numero));
    ASSERT_NE(t, nullptr) << e.numero;
    std::vector<std::pair<std::string, std::string>> tem;
    for (const store::IndiceDef& i : t->indices) tem.emplace_back(i.arquivo, i.chave);
    EXPECT_EQ(tem, e.indices) << e.numero;
  }
  const store::TabelaDef* helpa = store::tabelaPorNome("HELPATXT");
  ASSERT_NE(helpa, nullptr);
  ASSERT_EQ(helpa->indices.size(), 1U);
  EXPECT_EQ(helpa->indices[0].chave, "UPPER(NOME)");
}

// Every name in an index key is a field of its table, so every index can be built.
TEST(Catalogo, IndexKeysNameFieldsOfTheirTable) {
  const std::set<std::string> funcoes = {"STR", "STRZERO", "UPPER", "DTOS"};
  auto verifica = [&funcoes](const std::string& chave, std::span<const CampoDef> campos,
                             const std::string& onde) {
    std::string palavra;
    auto fecha = [&] {
      if (!palavra.empty() && !std::isdigit(static_cast<unsigned char>(palavra[0])) &&
          funcoes.count(rt::text::upper(palavra)) == 0) {
        EXPECT_NE(store::campo(campos, palavra), nullptr) << onde << ": " << palavra;
      }
      palavra.clear();
    };
    for (char ch : chave) {
      if (std::isalnum(static_cast<unsigned char>(ch)) || ch == '_')
        palavra += ch;
      else
        fecha();
    }
    fecha();
  };
  for (const store::TabelaDef& t : store::catalogo())
    for (const store::IndiceDef& i : t.indices) verifica(i.chave, t.campos, t.arquivo);
  for (auto tipo : {store::TipoCopia::Trabalho, store::TipoCopia::AposGravar, store::TipoCopia::Impressao})
    for (store::Area area : store::kCopias) {
      auto copia = store::copiaDeTrabalho(area, tipo);
      ASSERT_TRUE(copia);
      verifica(copia->indices.at(0).chave, copia->campos, copia->arquivo);
    }
}

TEST(Catalogo, FoldersModesAndOrigins) {
  using store::ModoAbertura;
  using store::Origem;
  using store::Pasta;
  for (const store::TabelaDef& t : store::catalogo()) {
    SCOPED_TRACE(t.arquivo);
    const int n = store::numero(t.numero);
    EXPECT_EQ(t.pasta, n <= 20 ? Pasta::Dados : Pasta::Programa);
    ModoAbertura modo = ModoAbertura::Compartilhado;
    if (n == 44 || n == 68 || n == 70) modo = ModoAbertura::Exclusivo;
    if (n == 66 || n == 67) modo = ModoAbertura::Chamador;
    EXPECT_EQ(t.modo, modo);
    const std::set<int> fornecidas = {45, 46, 47, 48, 49, 51, 55, 58, 59, 60, 61, 62, 64, 65, 66, 69};
    Origem origem = fornecidas.count(n) ? Origem::Fornecida : Origem::Criada;
    if (n == 43) origem = Origem::CriadaSemeada;
    if (n == 54) origem = Origem::CriadaLinhas;
    EXPECT_EQ(t.origem, origem);
    EXPECT_EQ(t.porTerminal, n == 40 || n == 68);
  }
}

TEST(Catalogo, UpgradeMarkers) {
  struct M {
    int numero;
    const char* campo;
    char tipo;
  };
  for (M m : {M{1, "I3_14", 'N'}, M{2, "I1_20", 'N'}, M{9, "TEMRURAL", 'C'}, M{43, "VER_ATUAL", 'C'}}) {
    const store::TabelaDef* t = store::tabela(static_cast<store::Area>(m.numero));
    ASSERT_TRUE(t->marcador) << m.numero;
    EXPECT_EQ(t->marcador->campo, m.campo);
    EXPECT_EQ(t->marcador->tipo, m.tipo);
    const CampoDef* c = store::campo(t->campos, m.campo);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->tipo, m.tipo);
  }
  int comMarcador = 0;
  for (const store::TabelaDef& t : store::catalogo()) comMarcador += t.marcador ? 1 : 0;
  EXPECT_EQ(comMarcador, 4);
}

TEST(Catalogo, CreationMessages) {
  EXPECT_EQ(store::tabela(store::Area::IMP0110)->mensagemCriacao, "Criando banco dos rendimentos (IMP01.DBF)");
  EXPECT_EQ(store::tabela(store::Area::IMP1510)->mensagemCriacao, "Criando banco dos Contribuintes (MOL109.DBF)");
  EXPECT_EQ(store::tabela(store::Area::IMP2010)->mensagemCriacao, "Criando banco do Livro Caixa (MOL5.DBF)");
  EXPECT_EQ(store::tabela(store::Area::DIRET)->mensagemCriacao, "Criando o banco dos Diretórios (DIRETOR.DBF)"_cp);
  EXPECT_EQ(store::tabela(store::Area::AUXBENS)->mensagemCriacao, "Criando o banco auxiliar de Bens ");
  EXPECT_EQ(store::tabela(store::Area::LISERRO)->mensagemCriacao, "Criando o banco erros");
  for (store::Area a : {store::Area::PRINTS, store::Area::CONFIG, store::Area::DEFINE, store::Area::CORES, store::Area::CONFIMP,
                        store::Area::FOLHAPG, store::Area::BOLETO, store::Area::DETALH, store::Area::LISNOME})
    EXPECT_EQ(store::tabela(a)->mensagemCriacao, "") << store::numero(a);
  for (store::Area a : store::kDeclaracao) EXPECT_FALSE(store::tabela(a)->mensagemCriacao.empty()) << store::numero(a);
}

TEST(Catalogo, LookupByNameIgnoresCaseFolderAndExtension) {
  EXPECT_EQ(store::tabelaPorNome("imp0910")->numero, store::Area::IMP0910);
  EXPECT_EQ(store::tabelaPorNome("LISERRO")->numero, store::Area::LISERRO);
  EXPECT_EQ(store::tabelaPorNome("liserro.dbf")->numero, store::Area::LISERRO);
  EXPECT_EQ(store::tabelaPorNome("/dados/2010/Imp0110.DBF")->numero, store::Area::IMP0110);
  EXPECT_EQ(store::tabelaPorNome("C:\\TAVREN\\define.dbf")->numero, store::Area::DEFINE);
  EXPECT_EQ(store::tabelaPorNome("Diret07.dbf")->numero, store::Area::DIRET);
  EXPECT_EQ(store::tabelaPorNome("DETALH00")->numero, store::Area::DETALH);
  EXPECT_EQ(store::tabelaPorNome("HelpTxt")->arquivo, "HELPTXT");
  EXPECT_TRUE(store::tabelaPorNome("helpatxt")->alternativa);
  EXPECT_EQ(store::tabelaPorNome("DIRET"), nullptr);
  EXPECT_EQ(store::tabelaPorNome("DIRET7"), nullptr);
  EXPECT_EQ(store::tabelaPorNome("DIRETAB"), nullptr);
  EXPECT_EQ(store::tabelaPorNome("TMP_0107"), nullptr);
  EXPECT_EQ(store::tabelaPorNome("IMP0910B"), nullptr);
  EXPECT_EQ(store::tabelaPorNome(""), nullptr);
  EXPECT_EQ(store::tabela(store::Area::HELPTXT)->arquivo, "HELPTXT");
}

TEST(Catalogo, FileAndIndexNamesAreUpperCaseWithTheTerminal) {
  const store::TabelaDef* erros = store::tabela(store::Area::LISERRO);
  EXPECT_EQ(store::nomeArquivo(*erros, "07"), "LISERRO");
  EXPECT_EQ(store::nomeIndice(*erros, erros->indices[0], "07"), "LISERRO");
  const store::TabelaDef* diret = store::tabela(store::Area::DIRET);
  EXPECT_EQ(store::nomeArquivo(*diret, "07"), "DIRET07");
  EXPECT_EQ(store::nomeIndice(*diret, diret->indices[0], "07"), "DIRET07");
  EXPECT_EQ(store::nomeArquivo(*store::tabela(store::Area::DETALH), "12"), "DETALH12");
  const store::TabelaDef* ocup = store::tabela(store::Area::OCUPACAO);
  EXPECT_EQ(store::nomeIndice(*ocup, ocup->indices[1], "07"), "OCUPACAB");
  EXPECT_EQ(store::nomeArquivo(*store::tabela(store::Area::IMP0910), "07"), "IMP0910");
}

TEST(Catalogo, SizesFromTheFieldWidths) {
  std::vector<CampoDef> dois = {{"A", 'C', 11, 0}, {"B", 'N', 12, 2}};
  EXPECT_EQ(store::tamanhoRegistro(dois), 24);
  EXPECT_EQ(store::tamanhoCabecalho(dois), 97);
  EXPECT_EQ(store::tamanhoRegistro({}), 1);
  EXPECT_EQ(store::tamanhoCabecalho({}), 33);
  EXPECT_EQ(store::tamanhoCabecalho(store::tabela(store::Area::IMP0110)->campos), 3937);
}

TEST(CopiaDeTrabalho, StructureOfTheSourceTable) {
  for (store::Area area : store::kCopias) {
    auto copia = store::copiaDeTrabalho(area);
    ASSERT_TRUE(copia) << store::numero(area);
    const store::TabelaDef* fonte = store::tabela(store::origem(area));
    ASSERT_EQ(copia->campos.size(), fonte->campos.size());
    for (std::size_t i = 0; i < fonte->campos.size(); ++i)
      EXPECT_EQ(descreve(copia->campos[i]), descreve(fonte->campos[i]));
    EXPECT_EQ(copia->numero, area);
    EXPECT_EQ(copia->pasta, store::Pasta::Trabalho);
    EXPECT_EQ(copia->modo, store::ModoAbertura::Exclusivo);
    ASSERT_EQ(copia->indices.size(), 1U);
    EXPECT_EQ(copia->indices[0].arquivo, copia->arquivo);
    // estrutura() gives the same fields for the area.
    EXPECT_EQ(store::estrutura(area).size(), fonte->campos.size());
  }
  EXPECT_FALSE(store::copiaDeTrabalho(store::Area::IMP2010));
  EXPECT_FALSE(store::copiaDeTrabalho(store::Area::DIRET));
}

TEST(CopiaDeTrabalho, TwentyOneIsTableOneAndThirtyNineTheCashBook) {
  auto s21 = store::estrutura(store::Area::TMP_01);
  ASSERT_EQ(s21.size(), 122U);
  EXPECT_EQ(s21[1].nome, "I3_01");
  auto s39 = store::estrutura(store::Area::TMP_19);
  auto s20 = store::estrutura(store::Area::IMP2010);
  auto s19 = store::estrutura(store::Area::IMP1910);
  ASSERT_EQ(s39.size(), 8U);
  ASSERT_EQ(s20.size(), 8U);
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(descreve(s39[i]), descreve(s19[i]));
    EXPECT_EQ(descreve(s20[i]), descreve(s19[i]));
  }
  EXPECT_TRUE(store::estrutura(store::Area::Rascunho).empty());
  EXPECT_TRUE(store::estrutura(store::Area::Nenhuma).empty());
  EXPECT_TRUE(store::estrutura(static_cast<store::Area>(71)).empty());
}

TEST(CopiaDeTrabalho, FileNamesCarryTableAndTerminal) {
  auto copia = store::copiaDeTrabalho(store::Area::TMP_04);
  EXPECT_EQ(copia->arquivo, "TMP_04");
  EXPECT_EQ(store::nomeArquivo(*copia, "07"), "TMP_0407");
  EXPECT_EQ(store::nomeIndice(*copia, copia->indices[0], "07"), "TMP_0407");
  EXPECT_EQ(store::nomeArquivo(*store::copiaDeTrabalho(store::Area::TMP_19), "00"), "TMP_1900");
}

TEST(CopiaDeTrabalho, KeysOfEachKindOfCopy) {
  using store::TipoCopia;
  const std::map<int, std::string> trabalho = {
      {24, "I7_0"},
      {25, "I8_0"},
      {27, "STRZERO(BEM_NRO,2)+STRZERO(RVAR_NRO,2)+DAY_TRADE"},
      {28, "STRZERO(BEM_NRO,2)+STRZERO(RVAR_NRO,2)"},
      {30, "coddesp"},
      {31, "codERR"},
      {35, "cpf+ATV_BRASIL"},
      {36, "cpf+ATV_BRASIL"},
      {37, "I8R_0"},
      {38, "I9R_0"},
  };
  const std::map<int, std::string> impressao = {
      {22, "DTOS(DT_LC)"},
      {24, "I7_0"},
      {25, "I8_0"},
      {26, "I6_3"},
      {27, "STRZERO(BEM_NRO,2)+STRZERO(RVAR_NRO,2)+DAY_TRADE"},
      {28, "STRZERO(BEM_NRO,2)+STRZERO(RVAR_NRO,2)"},
      {30, "coddesp"},
      {31, "codERR"},
      {35, "CPF+ATV_BRASIL"},
      {36, "CPF+ATV_BRASIL"},
      {37, "STR(I8R_0,4)"},
      {38, "STR(I9R_0,4)"},
      {39, "DTOS(DT_LC)"},
  };
  for (store::Area copia : store::kCopias) {
    const int area = store::numero(copia);
    auto t = trabalho.find(area);
    std::string chave = t == trabalho.end() ? "cpf" : t->second;
    EXPECT_EQ(store::chaveCopia(copia, TipoCopia::Trabalho), chave) << area;
    EXPECT_EQ(store::copiaDeTrabalho(copia)->indices[0].chave, chave) << area;
    // After a save every copy keeps its own key, 37 and 38 included.
    EXPECT_EQ(store::chaveCopia(copia, TipoCopia::AposGravar), chave) << area;
    auto p = impressao.find(area);
    EXPECT_EQ(store::chaveCopia(copia, TipoCopia::Impressao), p == impressao.end() ? "cpf" : p->second)
        << area;
  }
  EXPECT_EQ(store::chaveCopia(store::Area::IMP2010, TipoCopia::Trabalho), "");
  EXPECT_EQ(store::chaveCopia(store::Area::DIRET, TipoCopia::Impressao), "");
}

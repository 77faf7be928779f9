#include "store/estruturas.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "rt/text/strings.h"

namespace store::estruturas {
namespace {

std::string dois(int k) { return rt::text::doisDigitos(k); }

// Field lists are written the way the catalogue tells them: names in order, amounts as
// N12.2 unless said otherwise, month runs by their rule.
class Campos {
 public:
  Campos& c(std::string nome, int largura) { return add(std::move(nome), 'C', largura, 0); }
  Campos& n(std::string nome, int largura, int decimais = 0) {
    return add(std::move(nome), 'N', largura, decimais);
  }
  Campos& d(std::string nome) { return add(std::move(nome), 'D', 8, 0); }
  Campos& l(std::string nome) { return add(std::move(nome), 'L', 1, 0); }
  Campos& m(std::string nome) { return add(std::move(nome), 'M', 10, 0); }
  // Amounts: N12.2 each.
  Campos& valores(std::initializer_list<const char*> nomes) {
    for (const char* nome : nomes) n(nome, 12, 2);
    return *this;
  }
  Campos& todos(std::initializer_list<const char*> nomes, char tipo, int largura, int decimais = 0) {
    for (const char* nome : nomes) add(nome, tipo, largura, decimais);
    return *this;
  }
  // prefix + k + suffix for k = de..ate, two digits when `doisDigitos`.
  Campos& serie(std::string_view prefixo, int de, int ate, std::string_view sufixo, char tipo, int largura,
                int decimais = 0, bool doisDigitos = true) {
    for (int k = de; k <= ate; ++k)
      add(std::string(prefixo) + (doisDigitos ? dois(k) : std::to_string(k)) + std::string(sufixo), tipo,
          largura, decimais);
    return *this;
  }
  std::vector<CampoDef> fim() { return std::move(v_); }

 private:
  Campos& add(std::string nome, char tipo, int largura, int decimais) {
    v_.push_back({std::move(nome), tipo, largura, decimais});
    return *this;
  }
  std::vector<CampoDef> v_;
};

// Every declaration table starts with the taxpayer's CPF; 15 to 20 also with ATV_BRASIL.
Campos comCpf() {
  return std::move(Campos().c("CPF", 11));
}
Campos rural() {
  return std::move(Campos().c("CPF", 11).c("ATV_BRASIL", 1));
}

std::vector<CampoDef> imp01() {
  Campos f = comCpf();
  for (int k = 1; k <= 14; ++k) {
    f.n("I3_" + dois(k), 12, 2);
    if (k < 7) f.n("I4_" + dois(k), 12, 2);
  }
  f.c("I3_12D", 50).c("I4_05D", 50);
  f.valores({"I3_04GCPV", "I3_04UNIC", "I3_04REDU", "I3_04EXTR", "I3_04GCPVC", "I3_04UNICC", "I3_04REDUC"});
  f.c("DESPINST", 1).n("DESPALIM", 1).c("RELDEPEN", 20).c("CpfInvent", 11).c("NomInvent", 40);
  f.c("EndInvent", 70).d("DataParti").d("Datadecis").c("nroProces", 25).c("VaraCivil", 4);
  f.c("Comarca", 25).c("UFProces", 2).n("AnoObito", 4).c("DecFinal", 1).c("DecSaida", 1);
  f.d("DataSaida").c("DecJudi", 1).d("DataLavra").c("NomeCarto", 80).c("CnpjCarto", 14);
  f.c("MuniCarto", 30).n("Livrcarto", 7).n("FolhCarto", 7);
  for (int k = 1; k <= 41; ++k) {
    if (k == 29)
      f.n("I13_29", 1);
    else
      f.n("I13_" + dois(k), 12, 2);
  }
  f.valores({"CARNEINSS", "CARNEDEPEN", "PREVIDENC", "EMPRUR", "AMORUR", "OUTREC", "VALFUTUR", "OUTRDES",
             "PREJVEN", "PREJVEN1", "PREJRUR", "PREJRVA", "LUCRRVA", "DESPNAO", "EMPREST", "DESPDECLA",
             "DESPADRAO"});
  f.n("INDALERTA", 2);
  f.valores({"IMPOANTER", "CUSTOANT", "CUSTOANO", "ENTRADGP", "ISENTNAO", "CPMF", "CARTAOCRE"});
  f.n("CAL_AUTO", 1).l("SO_REC").l("NOVREG");
  return f.fim();
}

std::vector<CampoDef> imp02() {
  Campos f = comCpf();
  f.c("I1_1", 1).c("I1_2", 60).c("I1_3", 18).valores({"I1_4", "I1_5", "I1_6", "I1_7"});
  f.c("I1_8", 11).c("TIPOCR", 1).d("DT_LC").valores({"I1_9", "I1_10"}).c("I1_11", 1);
  f.serie("I1_", 12, 20, "", 'N', 12, 2, false);
  for (int mes = 1; mes <= 12; ++mes)
    for (int c = 4; c <= 6; ++c) f.n("I1_" + std::to_string(c) + dois(mes), 12, 2);
  return f.fim();
}

std::vector<CampoDef> imp03() {
  return comCpf()
      .c("NOMEDEPEN", 41)
      .n("CODIDEPEN", 3)
      .d("DATADEPEN")
      .c("CPFDEPEN", 11)
      .n("NRODEPEN", 2)
      .fim();
}

std::vector<CampoDef> imp04() {
  return comCpf()
      .n("I7_0", 4)
      .n("I7_1", 3)
      .c("I7_2", 512)
      .valores({"I7_3", "I7_4"})
      .n("I7_5", 3)
      .n("I7_6", 10, 5)
      .c("I7_7", 1)
      .c("I7_8", 3)
      .valores({"I7_9"})
      .fim();
}

std::vector<CampoDef> imp05() {
  return comCpf()
      .n("I8_0", 4)
      .n("I8_1", 3)
      .c("I8_2", 250)
      .valores({"I8_3", "I8_4"})
      .n("I8_5", 3)
      .valores({"I8_6"})
      .fim();
}

std::vector<CampoDef> imp06() {
  return comCpf()
      .c("I6_1", 50)
      .c("I6_2", 18)
      .n("I6_3", 2)
      .valores({"I6_4", "I6_5"})
      .n("I6_6", 2)
      .c("I6_7", 11)
      .serie("I6_4", 1, 12, "", 'N', 14, 2)
      .fim();
}

std::vector<CampoDef> imp07() {
  Campos f = comCpf();
  f.n("BEM_NRO", 2).n("RVAR_NRO", 2).c("DAY_TRADE", 1).n("TIPO_BEM", 1).n("NRO_ITEM", 3);
  f.c("CPFADQ", 18).n("PER_TRI", 11, 5).c("NOME_ADQ", 53);
  f.serie("ESPC_BEM", 1, 4, "", 'C', 53, 0, false);
  f.c("ENDEIMO", 30).c("NUMIMO", 6).c("COMPIMO", 15).c("BAIRIMO", 15).c("CEPIMO", 8);
  f.c("MUNICIMO", 17).c("UFIMO", 2).d("DATA_ALI").d("DATA_ADQ").c("NOME_SOCIE", 32);
  f.c("CGC_SOCIE", 14).c("CID_SOCIE", 17).c("EST_SOCIE", 2).n("IND_ALI", 11, 4);
  f.valores({"VAL_ALI", "CUS_ATUAL", "VAL_RECOL", "VAL_TRIBU", "VAL_NAOTRI", "VAL_IMPOS", "IMPPAGO"});
  f.c("VEN_PRAZO", 1).c("PEQ_VALOR", 1).c("NATUOPER", 20).c("PARCOMPRA", 1).c("VENDAANT", 1);
  f.valores({"VAL_PARTE"}).n("PERART31", 6, 2).n("TIPOPART", 1);
  f.valores({"FR1", "FR2", "GAN_TRI1", "GAN_TRI2"}).n("CAMPON", 1);
  for (int mes = 1; mes <= 12; ++mes)
    for (const char* nome : {"REC_MES", "VAL_TRI", "IMP_DEV", "IMP_PAG", "IMP_LEI"})
      f.n(nome + dois(mes), 12, 2);
  return f.fim();
}

std::vector<CampoDef> imp08() {
  return comCpf()
      .n("BEM_NRO", 2)
      .n("RVAR_NRO", 2)
      .c("DAY_TRADE", 1)
      .valores({"VALOR_REDU", "VALOR_CUST"})
      .d("DATA_CUST")
      .n("IND_CUST", 10, 4)
      .n("PER_RED", 3)
      .n("PER_RED1", 8, 6)
      .n("PER_RED2", 8, 6)
      .n("PER_CUST", 12, 6)
      .valores({"RESUL_2", "RESUL_3"})
      .n("SALDO_COEF", 14, 4)
      .n("CM_PONDER", 15, 4)
      .n("SALDO_ACAO", 9)
      .n("MOV_ACAO", 9)
      .valores({"CUST_UNI"})
      .n("CMED_COEF", 18, 4)
      .n("TIPO_OPER", 1)
      .n("TIPO_ACAO", 1)
      .c("LOTE", 17)
      .fim();
}

std::vector<CampoDef> imp09() {
  Campos f = comCpf();
  f.c("RETIFICA", 1).c("NOMECONTR", 53).c("TIPOEND", 11).c("ENDERECO", 37).c("NUMERO", 6);
  f.c("COMPLEM", 21).c("BAIRRO", 20).c("CEP", 8).c("CODMUNI", 4).c("MUNICIPIO", 30).c("UF", 2);
  f.c("CODPAIS", 3).c("CODEMB", 3).c("DDDTEL", 4).c("TELEFO", 8).c("DDDFAX", 4).c("NROFAX", 8);
  f.c("EMAIL", 40).d("NASCIMENTO").c("TITULO", 13).c("CGCPAGADOR", 18).c("OCUPACAO", 69);
  f.c("CDPRO", 3).c("CODAT", 2).c("DESCRAT", 58).c("NRORECIBO", 12).c("RECIBOATU", 12);
  f.c("RECIBOANT", 12).n("CODACESSO", 12).c("SENACESSO", 15).c("TEMRURAL", 1);
  f.c("ATV_BRASIL", 1).c("CPFCONJU", 11).c("CONJUNTA", 1).c("NOVOEND", 1).n("TEM_USO", 6);
  f.n("TAM_USO", 6).c("IMPRE", 1).n("ESTATUS", 2).n("ORDEM", 2).valores({"I9_2", "I9_3"});
  f.c("I9_4", 1).c("I9_5", 1).c("DIRCONJU", 40).valores({"VALOREC"}).c("BANCO", 3);
  f.c("AGENCIA", 6).c("CONTACO", 15).c("DEBITAUT", 1).valores({"SALDO"}).n("INDGAS", 6, 2);
  f.c("USAPADRAO", 1).c("CONJPAD", 1).valores({"IMPPGRE"});
  f.valores({"I13_16", "I13_20", "I13_21", "I13_22", "I13_27", "I13_37", "I13_38"});
  f.n("I13_29", 1).serie("I13_", 1, 5, "C", 'N', 12, 2, false);
  f.c("SO_SIMPLES", 1).c("NOVO", 1).c("TELCELU", 8).c("TELESCR", 8).c("TELSECR", 8);
  f.d("ULTRESI").d("ULTIMOV").n("NRQUOTA", 1).valores({"DFQUOTA"}).n("NRCLEAO", 2);
  f.valores({"DFCLEAO"}).n("NRGCAPIT", 2).valores({"DFGCAPIT"}).n("NRRVARIV", 2);
  f.valores({"DFRVARIV"});
  f.valores({"TRIB_EX", "NTRIB_EX", "PREJU_EX", "DIVAD_EX", "DIVPG_EX", "TRIB_BR", "NTRIB_BR", "PREJU_BR",
             "DIVAD_BR", "DIVPG_BR"});
  return f.fim();
}

std::vector<CampoDef> imp10() {
  return comCpf().n("CODDESP", 3).c("DESCDESP", 25).valores({"VALODESP"}).c("DESCRITEM", 25).fim();
}

std::vector<CampoDef> imp11() {
  return comCpf().c("OBSERV", 60).n("CODERR", 2).n("PAGINA", 2).fim();
}

std::vector<CampoDef> imp12() {
  Campos f = comCpf();
  f.c("CPFdepen", 11);
  for (int mes = 1; mes <= 13; ++mes)
    for (int c = 1; c <= 7; ++c) f.n("I2_" + std::to_string(c) + dois(mes), 12, 2);
  return f.fim();
}

std::vector<CampoDef> imp13() {
  return comCpf()
      .c("CDCONTA", 4)
      .c("DESCONTA", 60)
      .n("VALODESP", 13, 2)
      .n("NROITEM", 3)
      .c("NROCGCCPF", 18)
      .l("LANCADO")
      .n("MESINI", 2)
      .n("MESFIM", 2)
      .c("CPFDEPEN", 11)
      .fim();
}

std::vector<CampoDef> imp14() {
  return comCpf()
      .c("DESCRICAO", 26)
      .valores({"POUPANCA", "APLICACAO", "CPMF", "LUCROEPP", "LUCROREAL"})
      .c("TIPO", 1)
      .fim();
}

std::vector<CampoDef> imp15() {
  Campos f = rural();
  for (int mes = 1; mes <= 12; ++mes) f.n("I3_" + dois(mes) + "OR", 12, 2).n("I3_" + dois(mes) + "OD", 12, 2);
  f.serie("I4R_", 1, 7, "", 'N', 12, 2);
  f.valores({"I5_08", "I5_09", "I5_10", "I6_10"});
  for (int k = 1; k <= 5; ++k)
    for (const char* s : {"A", "B", "C", "S", "V1"}) f.n("I7_" + std::to_string(k) + s, 6);
  f.c("I7_V1", 22).l("SO_TOTAL");
  return f.fim();
}

std::vector<CampoDef> imp16() {
  return rural()
      .c("I2R_01", 60)
      .n("I2R_02", 9, 2)
      .c("I2R_03", 8)
      .n("I2R_04", 6, 2)
      .n("I2R_05", 1)
      .c("I2R_06", 55)
      .n("I2R_07", 2)
      .valores({"VALITR"})
      .c("CODPAIS", 3)
      .valores({"RECEXT", "DESEXT"})
      .n("VALUSE", 7, 2)
      .valores({"RESUS", "OPC20US", "OPC20RS"})
      .fim();
}

std::vector<CampoDef> imp17() {
  return rural()
      .n("ITEM", 3)
      .n("CODIGO", 3)
      .n("I8R_0", 4)
      .c("I8R_1", 512)
      .valores({"I8R_2"})
      .c("I8R_3", 3)
      .n("I8R_4", 1)
      .fim();
}

std::vector<CampoDef> imp18() {
  return rural().n("I9R_0", 4).n("ITEM", 3).c("I9R_1", 250).serie("I9R_", 2, 5, "", 'N', 12, 2, false).fim();
}

std::vector<CampoDef> imp19() {
  return rural()
      .d("DT_LC")
      .c("DESCR", 41)
      .n("VALOR", 14, 2)
      .n("NROIMO", 2)
      .c("TIPOCR", 1)
      .c("TEMITR", 1)
      .fim();
}

std::vector<CampoDef> config() {
  Campos f;
  f.c("NRO_TERM", 2).c("ROTAANTER", 40).c("ROTADOANO", 40).c("ROTATIVID", 40);
  f.c("ROTAREANT", 80).c("ROTARECEI", 80).c("ROTAJAVA", 80);
  f.todos({"ROTAMOL", "ROTABACK", "dirtrab", "DIRPROV", "DIRINST"}, 'C', 40);
  f.n("queimp", 2).n("quemod", 1).n("quepag", 2).n("quecon", 1);
  f.todos({"Aqueimp", "Aquemod", "Aquepag", "Aquecon", "Atvqual", "compaga"}, 'N', 1);
  f.todos({"ImpBem", "ImpBal", "mosimp", "mostel", "mosCPF"}, 'C', 1);
  f.l("querSen").n("ult_ter", 1).n("ult_mod", 1).n("ult_senIR", 5).n("ult_senMOL", 5);
  f.c("ult_cpf", 11).c("XDRIVE", 1).n("SOESTE", 2).n("OPTTRAN", 1).n("NOVOIT", 2);
  f.d("ULTBACK").c("OPCIRPF", 1);
  return f.fim();
}

std::vector<CampoDef> define() {
  Campos f;
  f.serie("VCTO", 1, 8, "", 'D', 8, 0, false);
  f.n("VAL_SEG", 5, 2).n("VAL_BYTE", 5, 2).n("VAL_MIN", 8, 2).n("COMO_SAL", 1).n("TEMP_SAL", 2);
  f.n("TEMP_DES", 2).n("VAL_CPMF", 8, 4).n("VAL_DOLAR", 8, 4).c("BOL_BANCO", 4);
  f.c("BOL_AGENCI", 4).c("BOL_CONTA", 6).c("BOL_NOME", 30).c("BOL_CNPJ", 14).c("BOL_CPF", 11);
  f.c("BOL_CARTEI", 3).n("BOL_NOSNRO", 8).c("SER_SMTP", 47).c("NOM_USUA", 40).c("EMA_USUA", 40);
  f.c("SEN_USUA", 19).c("MEMORIZ", 1).c("VER_ATUAL", 1);
  return f.fim();
}

std::vector<CampoDef> cores() {
  Campos f;
  f.c("NRO_TERM", 2);
  f.todos({"COR_TEL1", "COR_TEL2", "COR_TEL3", "COR_MENS", "COR_PEGA", "COR_HELP", "COR_FERID", "COR_ESCOL",
           "COR_ENCHE"},
          'N', 3);
  f.todos(
      {"COR_1_CLI", "COR_2_CLI", "COR_INI", "COR_SAY", "COR_GET", "COR_CLI_HE", "COR_ESC_CL", "COR_ENCH_C"},
      'C', 10);
  return f.fim();
}

std::vector<CampoDef> confimp() {
  return Campos()
      .c("NRO_TERM", 2)
      .n("NROIMPR", 1)
      .n("NROLPT", 1)
      .n("NROCOM", 1)
      .c("LOCIMPR", 1)
      .c("VERMELHO", 1)
      .c("SAIDAPR", 8)
      .c("NOMEIMP", 15)
      .c("NOMEREDE", 60)
      .serie("SEQ", 0, 3, "", 'C', 60, 0, false)
      .fim();
}

std::vector<CampoDef> folhapg() {
  Campos f = comCpf();
  f.c("NOMECONTR", 47).c("NOMEFONTE", 40).c("CNPJFONTE", 18);
  f.valores({"RENDIMENT", "PREVOFICA", "PREVPRIVA", "PENSAOPAG", "IRRETIDO", "ISENTOAPO", "DIARIAS",
             "PENSAOREC", "LUCRODIV", "SOCIO", "IDENIZA", "DECIMO3RO"});
  f.todos({"COMPLENTA", "OUTROS", "OUTROSEXC"}, 'C', 40).valores({"VALOUTRO", "VALOUTRE"});
  return f.fim();
}

}  // namespace

std::vector<CampoDef> declaracao(Area numero) {
  switch (numero) {
    case Area::IMP0110:
      return imp01();
    case Area::IMP0210:
      return imp02();
    case Area::IMP0310:
      return imp03();
    case Area::IMP0410:
      return imp04();
    case Area::IMP0510:
      return imp05();
    case Area::IMP0610:
      return imp06();
    case Area::IMP0710:
      return imp07();
    case Area::IMP0810:
      return imp08();
    case Area::IMP0910:
      return imp09();
    case Area::IMP1010:
      return imp10();
    case Area::IMP1110:
      return imp11();
    case Area::IMP1210:
      return imp12();
    case Area::IMP1310:
      return imp13();
    case Area::IMP1410:
      return imp14();
    case Area::IMP1510:
      return imp15();
    case Area::IMP1610:
      return imp16();
    case Area::IMP1710:
      return imp17();
    case Area::IMP1810:
      return imp18();
    case Area::IMP1910:
    case Area::IMP2010:
      return imp19();
    default:
      return {};
  }
}

// The shipped reference tables (45-49, 51, 55, 58-62, 64-66, 69) are this system's own
// structures: only the fields that the program reads are known. Their widths
// follow the register fields their values are copied into (CDPRO, OCUPACAO, CODAT, DESCRAT,
// BANCO, MUNICIPIO, CODMUNI, TIPOEND, CODEMB, CODPAIS, DESCDESP), otherwise the pick lists'
// display widths, widened where a published description is longer.
std::vector<CampoDef> programa(Area numero) {
  switch (numero) {
    case Area::DIRET:
      return Campos().c("SELEC", 1).c("DIRETOR", 40).fim();
    case Area::PRINTS:
      return Campos().c("CONFIM", 1).c("NOMEIMP", 15).serie("SEQ", 0, 3, "", 'C', 60, 0, false).fim();
    case Area::CONFIG:
      return config();
    case Area::DEFINE:
      return define();
    case Area::IMPCORRIG:
      return comCpf()
          .c("NOMECONTR", 53)
          .valores({"IMPPGRE"})
          .n("I13_29", 1)
          .valores({"IMPOSTO", "RESTITU", "CORRIGI"})
          .fim();
    case Area::HELPTXT:
      return Campos().c("NOME", 10).m("TEXTO").fim();
    case Area::CODBENS:
      return Campos().n("CODBEM", 2).c("DESCBENS", 60).c("DESPBEM", 25).fim();
    case Area::CODEPEN:
      return Campos().n("CODDEP", 2).c("DESCRICAO", 150).fim();
    case Area::CODDIVI:
      return Campos().n("CODDIV", 2).c("DESCDIV", 60).fim();
    case Area::DESPESA:
      return Campos().n("CODDES", 2).c("DESCDOA", 80).fim();
    case Area::UFIRM:
      return Campos().c("ANOMES", 6).c("SIMB_MOED", 4).n("TJM", 6, 2).n("MULTIPL", 12, 6).fim();
    case Area::AUXBENS:
      return Campos().c("DESCRICAO", 512).n("CODIGO", 3).fim();
    case Area::AUXPAG:
      return Campos().c("NOME", 50).c("CGCCPF", 18).n("CODIGO", 2).fim();
    case Area::LISERRO:
      return Campos().n("coderr", 2).c("DESCRI", 60).n("GRAU", 1).n("PAGINA", 2).fim();
    case Area::BANCOS:
      return Campos().c("NUMBAN", 3).c("NOMEBAN", 48).fim();
    case Area::CORES:
      return cores();
    case Area::CONFIMP:
      return confimp();
    case Area::OCUPACAO:
      return Campos().c("CDPRO", 3).c("OCUPACAO", 69).fim();
    case Area::CODNATUR:
      return Campos().c("CODAT", 2).c("DESCRAT", 58).fim();
    case Area::TABPAIS:
      return Campos().c("CODPAIS", 3).c("NOMPAIS", 40).fim();
    case Area::TABEMBA:
      return Campos().c("CD_EX", 3).c("NM_CIDADE", 20).c("NM_PAIS", 22).c("NM_REP", 30).fim();
    case Area::CONTAS:
      return Campos()
          .c("CDCONTA", 4)
          .c("NMDESCRICA", 80)
          .c("CDSTATUS", 1)
          .n("PAGINA", 2)
          .n("LINHA", 2)
          .todos({"TEMCPF", "TEMCGC", "LIVROCX", "TEMDESCR"}, 'C', 1)
          .fim();
    case Area::FOLHAPG:
      return folhapg();
    case Area::TABMUNI:
      return Campos().c("NOMEMUNI", 30).c("NROMUNI", 4).c("UNIFED", 2).fim();
    case Area::TABLOGR:
      return Campos().c("NOMELOGRA", 11).fim();
    case Area::STATUS:
      return Campos().n("COD", 2).c("DESCRICAO", 13).fim();
    case Area::BOLETO:
      return Campos()
          .n("NRODOCUM", 5)
          .n("NOSSONRO", 8)
          .d("DATADOC")
          .valores({"VALORDOC"})
          .c("NOMESAC", 30)
          .c("CPFSAC", 11)
          .fim();
    case Area::DETALH:
      return Campos().c("DESCRICAO", 40).valores({"VALORDOC"}).n("PERCDESP", 6, 2).n("PERCRECE", 6, 2).fim();
    case Area::CODABENS:
      return Campos().n("CODBEM", 2).c("DESCBENS", 60).fim();
    case Area::LISNOME:
      return comCpf().c("NOMECONTR", 40).c("NOMEARQ", 40).c("TIPO", 12).c("ORIGEM", 12).c("IMPRE", 1).fim();
    default:
      return {};
  }
}

}  // namespace store::estruturas

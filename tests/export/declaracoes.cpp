#include "declaracoes.h"

#include "export/gerar.h"
#include "rt/text/cp860.h"

namespace exporta::teste {

using namespace rt::text::literals;
using rt::text::Date;
using rt::text::Decimal;
using store::Area;

namespace {
Decimal v(const char* texto) {
  return *Decimal::parse(texto);
}
std::string cp(std::string_view s) {
  return std::string(s);
}
}  // namespace

void preenche(store::RegistroEspelho& r, Campos campos) {
  for (const auto& [nome, valor] : campos) r.valor(nome, valor);
}

store::RegistroEspelho linha(store::Area tabela, Campos campos) {
  store::RegistroEspelho r(tabela, "");
  preenche(r, campos);
  return r;
}

void simplificada(Declaracao& x) {
  preenche(x.d.registro, {{"CPF", "12345678909"},
                          {"NOMECONTR", "ANA EXTERIOR"},
                          {"TIPOEND", "avenue"},
                          {"ENDERECO", "CHAMPS ELYSEES"},
                          {"NUMERO", "100"},
                          {"BAIRRO", "CENTRE"},
                          {"CEP", "75008"},
                          {"MUNICIPIO", "PARIS"},
                          {"UF", "EX"},
                          {"CODPAIS", "249"},
                          {"CODEMB", "001"},
                          {"DDDTEL", "1"},
                          {"TELEFO", "12345678"},
                          {"NASCIMENTO", Date::fromYmd(1970, 1, 31)},
                          {"USAPADRAO", "S"},
                          {"DEBITAUT", "N"},
                          {"BANCO", "237"},
                          {"AGENCIA", "123456"},
                          {"CONTACO", "000123456789012"}});
  preenche(x.d.tabela01, {{"I13_01", v("80000")}, {"I13_07", v("80000")}, {"I13_16", v("67256.37")},
                          {"I13_17", v("5413.22")}, {"I13_19", v("5413.22")}, {"I13_21", v("6000")},
                          {"I13_27", v("6000")}, {"I13_31", v("586.78")}});
  x.dados.hoje = Date::fromYmd(2010, 4, 20);
}

void completa(Declaracao& x) {
  preenche(x.d.registro, {{"CPF", "12345678909"},
                          {"NOMECONTR", cp("JOSÉ DA SILVA"_cp)},
                          {"TIPOEND", "rua"},
                          {"ENDERECO", "DAS FLORES & CIA <A>"},
                          {"NUMERO", "12"},
                          {"COMPLEM", "AP 3"},
                          {"BAIRRO", cp("CENTRO HISTÓRICO DA CIDADE"_cp)},
                          {"CEP", "01001000"},
                          {"CODMUNI", "7107"},
                          {"MUNICIPIO", cp("SÃO PAULO"_cp)},
                          {"UF", "SP"},
                          {"DDDTEL", "11"},
                          {"TELEFO", "55551234"},
                          {"NASCIMENTO", Date::fromYmd(1960, 5, 17)},
                          {"TITULO", "123456789012"},
                          {"CDPRO", "225"},
                          {"CODAT", "11"},
                          {"CPFCONJU", "98765432100"},
                          {"CONJPAD", "S"},
                          {"I9_4", "S"},
                          {"I13_1C", v("20000")},
                          {"I13_2C", v("1000")},
                          {"I13_3C", v("500")},
                          {"I13_4C", v("1200")},
                          {"I13_5C", v("300")},
                          {"BANCO", "001"},
                          {"AGENCIA", "012345"},
                          {"CONTACO", "12.345/678-9 07"},
                          {"DEBITAUT", "S"},
                          {"USAPADRAO", "N"}});
  preenche(x.d.tabela01,
           {{"I13_01", v("50000")},     {"I13_02", v("12000")},     {"I13_05", v("3000")},
            {"I13_07", v("65000")},     {"I13_08", v("5500")},      {"I13_09", v("1200")},
            {"I13_10", v("3460.80")},   {"I13_11", v("2708.94")},   {"I13_12", v("4000")},
            {"I13_13", v("6000")},      {"I13_15", v("22869.74")},  {"I13_16", v("42130.26")},
            {"I13_17", v("3000.12")},   {"I13_18", v("100")},       {"I13_19", v("2900.12")},
            {"I13_21", v("4000")},      {"I13_22", v("500")},       {"I13_23", v("300")},
            {"I13_27", v("4800")},      {"I13_28", v("1899.88")},   {"I13_29", v("3")},
            {"I13_30", v("633.29")},    {"I13_32", v("250000")},    {"I13_33", v("260000")},
            {"I13_34", v("10000")},     {"I13_35", v("8000")},      {"I13_36", v("30000")},
            {"I13_37", v("2000")},      {"I13_38", v("1500")},      {"I3_05", v("700")},
            {"I3_13", v("800")},        {"I3_12", v("123.456")},    {"I3_12D", "OUTROS ISENTOS"},
            {"I4_01", v("1000")},       {"I4_06", v("900")},        {"I4_05D", "JUROS"},
            {"CPFINVENT", "11122233396"}, {"NOMINVENT", "MARIA INVENTARIANTE"},
            {"ENDINVENT", "RUA X, 10"}, {"DATAPARTI", Date::fromYmd(2009, 3, 10)},
            {"NROPROCES", "0001/2009-\"A\""}, {"VARACIVIL", "2"},
            {"COMARCA", cp("SÃO PAULO"_cp)}, {"UFPROCES", "SP"},
            {"LIVRCARTO", v("12")},     {"FOLHCARTO", v("34")},     {"DECFINAL", "S"},
            {"ANOOBITO", v("2009")}});
  auto& r = x.dados.rendimentos;
  r.push_back(linha(Area::IMP0210, {{"I1_1", "J"}, {"I1_2", "EMPRESA ALFA LTDA"}, {"I1_3", "11.222.333/0001-81"},
                        {"I1_4", v("40000")}, {"I1_5", v("3500")}, {"I1_6", v("4400")}, {"I1_7", v("3300")},
                        {"I1_15", v("700")}}));
  r.push_back(linha(Area::IMP0210, {{"I1_1", "J"}, {"I1_3", "22.333.444/0001-90"}, {"I1_4", v("10000")}, {"I1_5", v("500")}}));
  r.push_back(linha(Area::IMP0210, {{"I1_1", "J"}, {"I1_2", "SEM CNPJ"}, {"I1_4", v("100")}}));
  r.push_back(linha(Area::IMP0210, {{"I1_1", "D"}, {"I1_2", "BETA S.A."}, {"I1_3", "33.444.555/0001-00"},
                        {"I1_4", v("12000")}, {"I1_5", v("500")}, {"I1_7", v("900")}, {"I1_8", "22233344405"},
                        {"I1_9", v("800")}, {"I1_10", v("900")}}));
  r.push_back(linha(Area::IMP0210, {{"I1_1", "J"}, {"I1_2", "EXIGIBILIDADE SUSPENSA"}, {"I1_3", "44.555.666/0001-11"},
                        {"I1_19", v("5000")}, {"I1_20", v("1000")}}));
  store::RegistroEspelho inss = linha(Area::IMP0210, {{"I1_1", "P"}, {"I1_2", "INSS PROPRIO"}, {"I1_11", "S"}});
  for (int m = 1; m <= 12; ++m) inss.num((m < 10 ? "I1_40" : "I1_4") + std::to_string(m), v("100"));
  r.push_back(inss);
  r.push_back(linha(Area::IMP0210, {{"I1_1", "F"}, {"I1_2", "ALUGUEL"}, {"I1_8", "22233344405"}, {"I1_4", v("1200")}}));

  auto& dep = x.dados.dependentes;
  dep.push_back(linha(Area::IMP0310, {{"NOMEDEPEN", "FILHO UM"}, {"CODIDEPEN", v("21")},
                          {"DATADEPEN", Date::fromYmd(2000, 1, 2)}, {"CPFDEPEN", "22233344405"},
                          {"NRODEPEN", v("1")}}));
  dep.push_back(linha(Area::IMP0310, {{"NOMEDEPEN", "FILHA DOIS"}, {"CODIDEPEN", v("97")}, {"NRODEPEN", v("2")}}));
  dep.push_back(linha(Area::IMP0310, {{"NOMEDEPEN", "EX-ESPOSA"}, {"CODIDEPEN", v("98")}, {"CPFDEPEN", "33344455566"},
                          {"DATADEPEN", Date::fromYmd(1962, 7, 8)}, {"NRODEPEN", v("3")}}));
  dep.push_back(linha(Area::IMP0310, {{"NOMEDEPEN", "PENSIONISTA NO EXTERIOR"}, {"CODIDEPEN", v("99")}, {"NRODEPEN", v("4")}}));

  auto& pg = x.dados.pagamentos;
  pg.push_back(linha(Area::IMP0610, {{"I6_1", "ESCOLA ABC LTDA."}, {"I6_2", "55.666.777/0001-88"}, {"I6_3", v("1")},
                         {"I6_4", v("3000")}, {"I6_6", v("1")}}));
  pg.push_back(linha(Area::IMP0610, {{"I6_1", "DR. FULANO (MEDICO)"}, {"I6_2", "123.456.789-09"}, {"I6_3", v("10")},
                         {"I6_4", v("4500")}, {"I6_5", v("500")}}));
  store::RegistroEspelho pensao = linha(Area::IMP0610, {{"I6_1", "EX-ESPOSA"}, {"I6_2", "333.444.555-66"}, {"I6_3", v("30")},
                                            {"I6_4", v("6000")}, {"I6_6", v("3")}});
  for (int m = 1; m <= 12; ++m) pensao.num((m < 10 ? "I6_40" : "I6_4") + std::to_string(m), v("500"));
  pg.push_back(pensao);
  pg.push_back(linha(Area::IMP0610, {{"I6_1", "EMPREGADA"}, {"I6_2", "1234567890"}, {"I6_3", v("50")}, {"I6_4", v("800")},
                         {"I6_5", v("10")}, {"I6_7", "33344455566"}}));
  pg.push_back(linha(Area::IMP0610, {{"I6_1", "PLANO PREV"}, {"I6_2", "77.888.999/0001-00"}, {"I6_3", v("36")},
                         {"I6_4", v("1200")}, {"I6_5", v("10")}}));
  pg.push_back(linha(Area::IMP0610, {{"I6_1", "CODIGO 91"}, {"I6_2", "1"}, {"I6_3", v("91")}, {"I6_4", v("100")}}));
  pg.push_back(linha(Area::IMP0610, {{"I6_1", "CODIGO 97"}, {"I6_2", "2"}, {"I6_3", v("97")}, {"I6_4", v("50")}}));
  pg.push_back(linha(Area::IMP0610, {{"I6_1", "PARTIDO"}, {"I6_2", "66.777.888/0001-99"}, {"I6_3", v("98")},
                         {"I6_4", v("200")}}));
  pg.push_back(linha(Area::IMP0610, {{"I6_3", v("1")}, {"I6_4", v("99")}}));
  pg.push_back(linha(Area::IMP0610, {{"I6_1", "CODIGO 90"}, {"I6_3", v("90")}, {"I6_4", v("10")}}));

  auto& b = x.dados.bens;
  b.push_back(linha(Area::IMP0410, {{"I7_1", v("1")}, {"I7_2", "CASA"}, {"I7_3", v("100000")}, {"I7_4", v("100000")},
                        {"I7_5", v("11")}}));
  b.push_back(linha(Area::IMP0410, {{"I7_1", v("2")}, {"I7_2", "CONTA CORRENTE BANCO X"}}));
  b.push_back(linha(Area::IMP0410, {{"I7_2", "AGENCIA 1 CONTA 2"}}));
  b.push_back(linha(Area::IMP0410, {{"I7_2", "SALDO"}, {"I7_3", v("500")}, {"I7_4", v("600")}}));
  b.push_back(linha(Area::IMP0410, {{"I7_1", v("3")}, {"I7_2", "APARTAMENTO EM LISBOA"}, {"I7_3", v("150000")},
                        {"I7_4", v("159400")}, {"I7_5", v("12")}, {"I7_7", "S"}, {"I7_8", "607"}}));
  b.push_back(linha(Area::IMP0410, {{"I7_1", v("4")}, {"I7_3", v("10")}, {"I7_4", v("10")}}));
  x.dados.dividas.push_back(
      linha(Area::IMP0510, {{"I8_1", v("1")}, {"I8_2", "EMPRESTIMO"}, {"I8_3", v("10000")}, {"I8_4", v("8000")}}));

  auto& l = x.dados.carneLeao;
  l.push_back(linha(Area::IMP1210, {{"I2_101", v("2000")}, {"I2_102", v("2000")}, {"I2_103", v("2000")},
                         {"I2_202", v("500")}, {"I2_501", v("150")}, {"I2_601", v("160")}}));
  l.push_back(linha(Area::IMP1210, {{"CPFDEPEN", "22233344405"}, {"I2_104", v("1200")}, {"I2_504", v("50")}}));

  auto& a = x.dados.aplicacoes;
  a.push_back(linha(Area::IMP1410, {{"DESCRICAO", "POUPANCA BB"}, {"POUPANCA", v("300")}}));
  a.push_back(linha(Area::IMP1410, {{"DESCRICAO", "CDB"}, {"APLICACAO", v("1500")}}));
  a.push_back(linha(Area::IMP1410, {{"DESCRICAO", "LUCRO EMPRESA"}, {"LUCROEPP", v("200")}, {"LUCROREAL", v("400")}}));
  x.dados.hoje = Date::fromYmd(2010, 3, 15);
}

void comRendaVariavel(Declaracao& x) {
  auto& g = x.dados.ganhos;
  // May: spot shares, common and day trade, with tax to pay; a later row of a line replaces
  // an earlier one. June: a loss carried. Funds in March.
  g.push_back(linha(Area::IMP0710, {{"TIPO_BEM", v("4")}, {"RVAR_NRO", v("1")}, {"DAY_TRADE", "1"}, {"REC_MES05", v("1")}}));
  g.push_back(linha(Area::IMP0710, {{"TIPO_BEM", v("4")}, {"RVAR_NRO", v("1")}, {"DAY_TRADE", "1"},
                                    {"REC_MES05", v("10000")}, {"REC_MES06", v("-2500.50")}}));
  g.push_back(linha(Area::IMP0710, {{"TIPO_BEM", v("4")}, {"RVAR_NRO", v("1")}, {"DAY_TRADE", "2"}, {"REC_MES05", v("3000")}}));
  g.push_back(linha(Area::IMP0710, {{"TIPO_BEM", v("4")}, {"RVAR_NRO", v("8")}, {"DAY_TRADE", "2"}, {"REC_MES05", v("400")}}));
  g.push_back(linha(Area::IMP0710, {{"TIPO_BEM", v("4")}, {"RVAR_NRO", v("15")}, {"DAY_TRADE", "1"}, {"REC_MES06", v("1200")}}));
  g.push_back(linha(Area::IMP0710, {{"TIPO_BEM", v("4")}, {"RVAR_NRO", v("17")}, {"DAY_TRADE", "1"}, {"REC_MES06", v("2500.50")}}));
  g.push_back(linha(Area::IMP0710, {{"TIPO_BEM", v("4")}, {"RVAR_NRO", v("18")}, {"DAY_TRADE", "1"}, {"REC_MES05", v("1500")}}));
  g.push_back(linha(Area::IMP0710, {{"TIPO_BEM", v("4")}, {"RVAR_NRO", v("19")}, {"DAY_TRADE", "2"}, {"REC_MES05", v("680")}}));
  g.push_back(linha(Area::IMP0710, {{"TIPO_BEM", v("4")}, {"RVAR_NRO", v("21")}, {"DAY_TRADE", "2"}, {"REC_MES05", v("34")}}));
  g.push_back(linha(Area::IMP0710, {{"TIPO_BEM", v("4")}, {"RVAR_NRO", v("25")}, {"DAY_TRADE", "1"}, {"REC_MES05", v("2146")}}));
  g.push_back(linha(Area::IMP0710, {{"TIPO_BEM", v("4")}, {"RVAR_NRO", v("1")}, {"DAY_TRADE", "3"}, {"REC_MES03", v("800")}}));
  g.push_back(linha(Area::IMP0710, {{"TIPO_BEM", v("4")}, {"RVAR_NRO", v("25")}, {"DAY_TRADE", "3"}, {"REC_MES03", v("160")}}));
}

void comRural(Declaracao& x) {
  preenche(x.d.registro, {{"TEMRURAL", "S"}, {"ATV_BRASIL", "S"}});
  auto& br = x.dados.ruralBrasil;
  br.resumo = linha(Area::IMP1510, {{"ATV_BRASIL", "S"}, {"I3_01OR", v("60000")}, {"I3_01OD", v("20000")},
                                    {"I3_12OR", v("40000")}, {"I3_12OD", v("70000")}, {"I4R_01", v("100000")},
                                    {"I4R_02", v("90000")}, {"I4R_03", v("10000")}, {"I4R_05", v("10000")},
                                    {"I4R_06", v("20000")}, {"I4R_07", v("10000")}, {"I7_1B", v("120")},
                                    {"I7_2B", v("30")}, {"I7_3B", v("25")}, {"I7_4B", v("5")}, {"I7_5B", v("40")},
                                    {"I7_1V1", v("10")}, {"I7_3V1", v("2")}});
  br.imoveis.push_back(linha(Area::IMP1610, {{"I2R_01", cp("FAZENDA SÃO JOSÉ"_cp)}, {"I2R_02", v("1234.56")},
                                             {"I2R_03", "1234567"}, {"I2R_04", v("50")}, {"I2R_05", v("1")},
                                             {"I2R_06", cp("ZONA RURAL, GOIÁS"_cp)}, {"I2R_07", v("1")}}));
  br.imoveis.push_back(linha(Area::IMP1610, {{"I2R_02", v("10")}, {"I2R_07", v("2")}}));
  br.bens.push_back(linha(Area::IMP1710, {{"CODIGO", v("3")}, {"I8R_1", "TRATOR"}, {"I8R_2", v("85000")}}));
  br.dividas.push_back(linha(Area::IMP1810, {{"I9R_1", "FINANCIAMENTO RURAL & CIA"}, {"I9R_2", v("30000")},
                                             {"I9R_3", v("20000")}, {"I9R_4", v("10000")}}));
  auto& ex = x.dados.ruralExterior;
  ex.resumo = linha(Area::IMP1510, {{"ATV_BRASIL", "N"}, {"I4R_01", v("3000")}, {"I4R_02", v("777")},
                                    {"I4R_03", v("5250")}, {"I4R_05", v("5250")}, {"I4R_06", v("2100")},
                                    {"I4R_07", v("2100")}, {"I7_1S", v("8")}, {"I7_5S", v("3")}});
  ex.imoveis.push_back(linha(Area::IMP1610, {{"ATV_BRASIL", "N"}, {"I2R_01", "ESTANCIA"}, {"CODPAIS", "063"},
                                             {"RECEXT", v("5000")}, {"DESEXT", v("3000")}, {"RESUS", v("1000")}}));
  ex.imoveis.push_back(linha(Area::IMP1610, {{"ATV_BRASIL", "N"}, {"I2R_01", "QUINTA"}, {"CODPAIS", "607"},
                                             {"RECEXT", v("4000")}, {"DESEXT", v("1500")}, {"RESUS", v("2000")}}));
  ex.bens.push_back(linha(Area::IMP1710, {{"CODIGO", v("12")}, {"I8R_1", "GALPAO"}, {"I8R_2", v("9000")},
                                          {"I8R_3", "607"}}));
  x.dados.NOMPAIS = {{"063", "ARGENTINA"}, {"607", "PORTUGAL"}};
}

std::string textoDe(const DadosDeclaracao& dados, std::string respostas, const Complementos& complementos) {
  std::string texto;
  std::size_t i = 0;
  const bool ok = escreveDeclaracao(
                      dados, [&](std::string_view) { return i < respostas.size() ? respostas[i++] == 'S' : false; },
                      complementos,
                      [&](std::string_view parte) {
                        texto += parte;
                        return rt::Status();
                      })
                      .isOk();
  return ok ? texto : std::string();
}

void comGanhos(Declaracao& x) {
  const Date d = Date::fromYmd(1985, 5, 10);
  auto& g = x.dados.ganhos;
  g.push_back(linha(Area::IMP0710,
                    {{"CPF", "12345678909"}, {"BEM_NRO", v("1")}, {"TIPO_BEM", v("1")}, {"CPFADQ", "987.654.321-00"},
                     {"NOME_ADQ", cp("JOÃO COMPRADOR"_cp)}, {"ESPC_BEM1", "CASA "}, {"ESPC_BEM2", "NA PRAIA"},
                     {"ENDEIMO", "RUA DAS FLORES"}, {"NUMIMO", "12"}, {"BAIRIMO", "CENTRO"}, {"CEPIMO", "88000000"},
                     {"MUNICIMO", "FLORIANOPOLIS"}, {"UFIMO", "SC"}, {"DATA_ADQ", d},
                     {"DATA_ALI", Date::fromYmd(2009, 3, 15)}, {"VAL_ALI", v("500000")}, {"CUS_ATUAL", v("100000")},
                     {"VAL_TRIBU", v("319000")}, {"VAL_IMPOS", v("47850")}, {"IMPPAGO", v("47850")},
                     {"VEN_PRAZO", "N"}, {"PEQ_VALOR", "N"}, {"NATUOPER", "VENDA"}, {"PER_TRI", v("0.638")},
                     {"REC_MES03", v("500000")}, {"VAL_TRI03", v("319000")}, {"IMP_DEV03", v("47850")},
                     {"IMP_PAG03", v("47850")}}));
  // Sold for its cost in an earlier year, in instalments, all of it reinvested: nothing to
  // reduce, so both factors divide by a zero total.
  g.push_back(linha(Area::IMP0710,
                    {{"CPF", "12345678909"}, {"BEM_NRO", v("2")}, {"TIPO_BEM", v("1")},
                     {"DATA_ADQ", Date::fromYmd(2005, 1, 3)}, {"DATA_ALI", Date::fromYmd(2008, 11, 10)},
                     {"VAL_ALI", v("80000")}, {"CUS_ATUAL", v("80000")}, {"VEN_PRAZO", "S"}, {"PERART31", v("100")},
                     {"VAL_PARTE", v("80000")}, {"REC_MES02", v("10000")}, {"REC_MES08", v("10000")}}));
  g.push_back(linha(Area::IMP0710,
                    {{"CPF", "12345678909"}, {"BEM_NRO", v("3")}, {"TIPO_BEM", v("2")}, {"ESPC_BEM1", "VEICULO "},
                     {"ESPC_BEM2", "IMPORTADO "},
                     {"ESPC_BEM3", "MARCA X MODELO Y ANO 2007 COR PRATA PLACA ABC1234 ETC"},
                     {"NATUOPER", " Permuta com torna"}, {"DATA_ADQ", Date::fromYmd(2007, 2, 1)},
                     {"DATA_ALI", Date::fromYmd(2009, 7, 1)}, {"VAL_ALI", v("60000")}, {"CUS_ATUAL", v("40000")},
                     {"VAL_TRIBU", v("20000")}, {"VEN_PRAZO", "N"}, {"PEQ_VALOR", "N"}, {"REC_MES07", v("60000")},
                     {"VAL_TRI07", v("20000")}, {"IMP_DEV07", v("3000")}, {"IMP_PAG07", v("2500")}}));
  g.push_back(linha(Area::IMP0710,
                    {{"CPF", "12345678909"}, {"BEM_NRO", v("4")}, {"TIPO_BEM", v("3")},
                     {"ESPC_BEM1", cp("CONSTRUTORA ÁGUA LTDA"_cp)}, {"CGC_SOCIE", "11222333000181"},
                     {"CID_SOCIE", "CURITIBA"}, {"EST_SOCIE", "PR"}, {"DATA_ALI", Date::fromYmd(2009, 9, 10)},
                     {"VAL_ALI", v("30000")}, {"CUS_ATUAL", v("10000")}, {"VAL_TRIBU", v("20000")},
                     {"VEN_PRAZO", "N"}, {"PEQ_VALOR", "N"}, {"PER_TRI", v("0.66666")}, {"REC_MES09", v("30000")},
                     {"VAL_TRI09", v("20000")}, {"IMP_DEV09", v("3000")}, {"IMP_LEI09", v("100")},
                     {"IMP_PAG09", v("2900")}}));

  auto& c = x.dados.custosGanhos;
  c.push_back(linha(Area::IMP0810, {{"CPF", "12345678909"}, {"BEM_NRO", v("1")}, {"DATA_CUST", d},
                                    {"VALOR_CUST", v("60000")}, {"PER_CUST", v("0.6")}, {"PER_RED", v("20")},
                                    {"VALOR_REDU", v("16000")}, {"PER_RED1", v("0.1")}, {"PER_RED2", v("0.05")},
                                    {"RESUL_2", v("30000")}, {"RESUL_3", v("10000")}}));
  c.push_back(linha(Area::IMP0810, {{"CPF", "12345678909"}, {"BEM_NRO", v("1")},
                                    {"DATA_CUST", Date::fromYmd(2000, 6, 20)}, {"VALOR_CUST", v("40000")},
                                    {"PER_CUST", v("0.4")}, {"PER_RED1", v("0.08")}, {"PER_RED2", v("0.02")},
                                    {"RESUL_2", v("20000")}, {"RESUL_3", v("5000")}}));
  // Another taxpayer's operation of the same number.
  c.push_back(linha(Area::IMP0810, {{"CPF", "22233344405"}, {"BEM_NRO", v("1")}, {"VALOR_REDU", v("999")},
                                    {"RESUL_2", v("999")}}));
  preenche(x.d.tabela01, {{"I13_39", v("53250")}, {"I4_02", v("339000")}, {"I3_04GCPVC", v("1500")},
                          {"I3_04REDUC", v("65000")}, {"I3_04UNICC", v("0")}});
}

}  // namespace exporta::teste

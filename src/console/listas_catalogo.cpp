// The pick lists of the program, one record each: the table, window and columns the list
// shows, and per field name what Enter writes back from the chosen row.
#include "console/listas_catalogo.h"

#include <string>
#include <string_view>
#include <vector>

#include "console/listas_definicao.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace console {

using namespace rt::text::literals;
using rt::text::Decimal;
using store::Area;
using Row = Listas::Devolucao;

namespace {

constexpr std::string_view kValor = "@Ez 9999,999.99";
constexpr std::string_view kGanho = "@Ez 99,999,999.99";
constexpr std::string_view kCpf = "@R 999.999.999-99";

// A code of a grid row: COD takes it and the code table closes before the row is written.
void codigoNaLinha(Row& r, std::string_view campo, Area copia, std::string_view destino) {
  const rt::ui::Value cod = r.codigo(campo);
  r.fechaTabela();
  r.grava(copia, destino, cod);
}

// The chosen taxpayer's register page.
void paginaDoContribuinte(Row& r) {
  r.poe("CPF", r.campo("CPF"));
  r.fechaJanela();
  r.servicos().MOSTR_PAG(1);
}

// The occupation's code and name go into the identification form and show at once.
void ocupacao(Row& r) {
  const std::string cdpro = r.texto("CDPRO"), nome = r.texto("OCUPACAO");
  r.poe("OCUPACAO", nome);
  r.poe("CDPRO", cdpro);
  r.fechaJanela();
  r.mostra(18, 5, cdpro, "999");
  r.mostra(18, 9, nome, "@!");
  r.fechaTabela();
}

// The same for the nature of the occupation.
void natureza(Row& r) {
  const std::string codat = r.texto("CODAT"), descrat = r.texto("DESCRAT");
  r.poe("DESCRAT", descrat);
  r.poe("CODAT", codat);
  r.fechaJanela();
  r.mostra(17, 6, codat, "99");
  r.mostra(17, 9, descrat, "@!");
  r.fechaTabela();
}

// A country into a variable of that name, and into COD.
void paisNaVariavel(Row& r, std::string_view variavel) {
  r.poe(variavel, r.campo("CODPAIS"));
  r.codigo("CODPAIS");
  r.fechaTabela();
}

std::vector<Lista> monta() {
  std::vector<Lista> l;

  // The register of taxpayers, opened from the fields that take a taxpayer's CPF. Its footers
  // count the declarations.
  l.push_back({
      .nomes =
          {
              {"M->CPF", paginaDoContribuinte},
              {"M->CPF1", [](Row& r) { r.poe("CPF1", r.campo("CPF")); }},
              {"M->CPF2", [](Row& r) { r.poe("CPF2", r.campo("CPF")); }},
              {"M->NOMECONTR", paginaDoContribuinte},
              {"M->DIRCONJU", [](Row& r) { r.poe("CPFCONJU", r.campo("CPF")); }},
              {"M->CPFEMAIL",
               [](Row& r) {
                 r.poe("CPFEMAIL", r.campo("CPF"));
                 r.poe("CEMAIL_ENV", r.campo("EMAIL"));
               }},
          },
      .modo = ModoLista::lista,
      .janela = {3, 1, 16, 78},
      .busca = true,
      .rodapes = RodapesLista::registro,
      .colunas =
          {
              {.titulo = "Nome do Contribuinte", .campo = "NOMECONTR", .picture = "@S21", .esquerda = 21},
              {.titulo = "CPF", .campo = "CPF", .picture = kCpf},
              {.titulo = "Descrição"_cp, .picture = "@S13", .nomeDoEstatus = true},
              {.titulo = "MOL", .campo = "TEMRURAL", .picture = "@!"},
              {.titulo = "Sim", .campo = "USAPADRAO", .picture = "@!"},
              {.titulo = "Impo/Rest.", .campo = "IMPPGRE", .picture = kValor},
              {.titulo = " % ->", .campo = "INDGAS", .picture = "@z 999.99"},
              {.titulo = "Qt", .campo = "NRQUOTA", .picture = "@Z9"},
              {.titulo = "Quota IR", .campo = "DFQUOTA", .picture = kValor},
              {.titulo = "Qt", .campo = "NRCLEAO", .picture = "@Z99"},
              {.titulo = "Carnê Leao"_cp, .campo = "DFCLEAO", .picture = kValor},
              {.titulo = "Qt", .campo = "NRGCAPIT", .picture = "@Z99"},
              {.titulo = "Gan.Capital", .campo = "DFGCAPIT", .picture = kValor},
              {.titulo = "Qt", .campo = "NRRVARIV", .picture = "@Z99"},
              {.titulo = "R.Variável"_cp, .campo = "DFRVARIV", .picture = kValor},
          },
  });

  // The register for the bank slip: what each taxpayer is charged.
  l.push_back({
      .nomes = {{"M->CPFSAC",
                 [](Row& r) {
                   r.poe("CPFSAC", r.campo("CPF"));
                   r.poe("NOMESAC", rt::text::left(r.texto("NOMECONTR"), 30));
                   r.poe("VALORDOC", r.campo("VALOREC"));
                 }}},
      .origem = OrigemLista::seleciona,
      .area = Area::IMP0910,
      .topo = true,
      .janela = {8, 1, 21, 58},
      .colunas =
          {
              {.titulo = "Nome do Contribuinte", .campo = "NOMECONTR", .picture = "@S30", .esquerda = 30},
              {.titulo = "CPF", .campo = "CPF", .picture = kCpf},
              {.titulo = "Cobrar", .campo = "VALOREC", .picture = "@EZ 999,999.99"},
          },
  });

  // The paying firms (legal persons) of the declaration's income.
  l.push_back({
      .nomes = {{"M->CGCPAGADOR", [](Row& r) { r.poe("CGCPAGADOR", r.campo("I1_3")); }}},
      .origem = OrigemLista::seleciona,
      .area = Area::TMP_02,
      .filtro = "I1_1=\"J\"",
      .janela = {8, 6, 18, 70},
      .colunas =
          {
              {.titulo = " Firma pagadora ", .campo = "I1_2", .picture = "@S28", .esquerda = 28},
              {.titulo = "CGC/CPF", .campo = "I1_3", .picture = "@s18"},
              {.titulo = "Valor", .campo = "I1_4", .picture = "@Ez 999,999,999.99"},
          },
  });

  // Occupations: the code and name go into the identification form, shown at once.
  l.push_back({
      .nomes = {{"M->CDPRO", ocupacao}, {"M->OCUPACAO", ocupacao}},
      .modo = ModoLista::codigo,
      .janela = {8, 1, 18, 76},
      .busca = true,
      .colunas =
          {
              {.titulo = "Cód"_cp, .campo = "CDPRO", .picture = "@S3"},
              {.titulo = " Nome da Ocupacao ", .campo = "OCUPACAO", .picture = "@S69"},
          },
  });

  // The dependants of the declaration, for a payer's row and for the health expenses.
  l.push_back({
      .nomes =
          {
              {"I1_8",
               [](Row& r) {
                 const rt::ui::Value cpf = r.codigo("CPFDEPEN");
                 r.grava(Area::TMP_02, "I1_8", cpf);
               }},
              {"M->CPFDEPEN",
               [](Row& r) {
                 r.poe("CPFDEPEN", r.campo("CPFDEPEN"));
                 r.seleciona(Area::TMP_12);
               },
               EscLista::mantem},
          },
      .origem = OrigemLista::seleciona,
      .area = Area::TMP_03,
      .topo = true,
      .janela = {8, 6, 18, 50},
      .colunas =
          {
              {.titulo = "Nome Dependente ", .campo = "NOMEDEPEN", .picture = "@S28", .esquerda = 28},
              {.titulo = "CPF", .campo = "CPFDEPEN", .picture = kCpf},
          },
  });

  // Natures of occupation: the code and name go into the identification form, shown at once.
  l.push_back({
      .nomes = {{"M->CODAT", natureza}, {"M->DESCRAT", natureza}},
      .modo = ModoLista::codigo,
      .janela = {8, 1, 18, 66},
      .colunas =
          {
              {.titulo = "Cód"_cp, .campo = "CODAT", .picture = "@S3"},
              {.titulo = " Nome da Ocupacao ", .campo = "DESCRAT", .picture = "@S58"},
          },
  });

  // Banks, by name.
  l.push_back({
      .nomes = {{"M->BANCO",
                 [](Row& r) {
                   r.poe("BANCO", r.campo("NUMBAN"));
                   r.fechaTabela();
                 }}},
      .ordem = 2,
      .modo = ModoLista::codigo,
      .janela = {8, 6, 18, 64},
      .colunas =
          {
              {.titulo = "Nro.", .campo = "NUMBAN", .picture = "@S3"},
              {.titulo = " Nome do Banco ", .campo = "NOMEBAN", .picture = "@S48"},
          },
  });

  // Relations of dependence; the dependants' copy is selected again after the choice.
  l.push_back({
      .nomes = {{"CODIDEPEN",
                 [](Row& r) {
                   r.codigo("CODDEP");
                   r.fechaTabela();
                   r.seleciona(Area::TMP_03);
                 }}},
      .janela = {8, 6, 22, 72},
      .colunas =
          {
              {.titulo = "Cod.", .campo = "CODDEP", .picture = "@Z 99"},
              {.titulo = "Relação de dependência"_cp, .campo = "DESCRICAO", .picture = "@S60"},
          },
  });

  // Kinds of assets and rights, into the row of the assets grid.
  l.push_back({
      .nomes = {{"I7_5", [](Row& r) { codigoNaLinha(r, "CODBEM", Area::TMP_04, "I7_5"); }}},
      .janela = {8, 6, 21, 57},
      .colunas =
          {
              {.titulo = "Cod.", .campo = "CODBEM", .picture = "@Z 99"},
              {.titulo = "Bens e Direitos", .campo = "DESCBENS", .picture = "@S45"},
          },
  });

  // Kinds of debts, into the row of the debts grid.
  l.push_back({
      .nomes = {{"I8_5", [](Row& r) { codigoNaLinha(r, "CODDIV", Area::TMP_05, "I8_5"); }}},
      .janela = {8, 6, 21, 57},
      .colunas =
          {
              {.titulo = "Cod.", .campo = "CODDIV", .picture = "@Z 99"},
              {.titulo = "Dividas e Onus", .campo = "DESCDIV", .picture = "@S45"},
          },
  });

  // Kinds of payments and donations, into the payments grid; CODIGO of the assets copy only
  // outside the screen that reads the code itself (OPC 30).
  l.push_back({
      .nomes =
          {
              {"I6_3", [](Row& r) { codigoNaLinha(r, "CODDES", Area::TMP_06, "I6_3"); }},
              {"CODIGO",
               [](Row& r) {
                 const rt::ui::Value cod = r.codigo("CODDES");
                 r.fechaTabela();
                 r.seleciona(Area::TMP_04);
                 if (r.numero("OPC") != Decimal(30)) r.grava(Area::TMP_04, "CODIGO", cod);
               }},
          },
      .janela = {8, 6, 21, 77},
      .colunas =
          {
              {.titulo = "Cod.", .campo = "CODDES", .picture = "@Z 99"},
              {.titulo = "Doação ou Pagamento"_cp, .campo = "DESCDOA", .picture = "@S65"},
          },
  });

  // The data folders of the terminal. Only the spouse search wants the folder in DIRCONJU;
  // the folder transfer must not overwrite the register's field through it.
  l.push_back({
      .nomes =
          {
              {"M->ORIGEM",
               [](Row& r) {
                 const rt::ui::Value pasta = r.campo("DIRETOR");
                 if (r.buscaDoConjuge()) r.poe("DIRCONJU", pasta);
                 r.poe("ORIGEM", pasta);
               }},
              {"M->DESTINO",
               [](Row& r) {
                 const rt::ui::Value pasta = r.campo("DIRETOR");
                 if (r.buscaDoConjuge()) r.poe("DIRCONJU", pasta);
                 r.poe("DESTINO", pasta);
               }},
          },
      .origem = OrigemLista::seleciona,
      .area = Area::DIRET,
      .modo = ModoLista::lista,
      .janela = {8, 6, 21, 47},
      .colunas = {{.titulo = "Nome dos diretórios"_cp, .campo = "DIRETOR", .picture = "@S40"}},
  });

  // The capital-gain operations of the current kind, with their sums; Ins and Del add and
  // delete operations, Enter opens the chosen one.
  l.push_back({
      .nomes = {{"M->TIPO_BEM",
                 [](Row& r) {
                   r.fechaJanela();
                   r.servicos().MOSTR_BEM(static_cast<int>(r.numero("TIPO_BEM").wholePart()), 1);
                 },
                 EscLista::mantem}},
      .origem = OrigemLista::seleciona,
      .area = Area::TMP_07,
      .topo = true,
      .janela = {5, 1, 18, 79},
      .rodapes = RodapesLista::somaDoTipo,
      .variante = VarianteLista::sociedade,
      .colunas =
          {
              {.titulo = "Nr", .campo = "BEM_NRO", .picture = "@Z 99", .rodape = "  ", .outroTitulo = "Nro."},
              {.titulo = "Item", .campo = "NRO_ITEM", .picture = "@Z 999", .rodape = "..."},
              {.titulo = "Descrição do Bem"_cp,
               .campo = "ESPC_BEM1",
               .picture = "@s25",
               .rodape = "Totais........",
               .outroTitulo = "Nome da Sociedade"},
              {.titulo = "Tributado", .campo = "VAL_TRIBU", .picture = kGanho, .soma = true},
              {.titulo = "Nao Tribu.", .campo = "VAL_NAOTRI", .picture = kGanho, .soma = true},
              {.titulo = "Imposto", .campo = "VAL_IMPOS", .picture = kGanho, .soma = true},
          },
      .operacoes = true,
  });

  // The summary of the capital gains (kinds 1 to 3), only when the declaration has any.
  l.push_back({
      .nomes = {{"M->I3_04", [](Row& r) { r.fechaJanela(); }, EscLista::mantem}},
      .origem = OrigemLista::seleciona,
      .area = Area::TMP_07,
      .filtro = "TIPO_BEM<4",
      .janela = {5, 1, 15, 76},
      .rodapes = RodapesLista::somaDosBens,
      .colunas =
          {
              {.titulo = "Nr", .campo = "BEM_NRO", .picture = "@Z 99", .rodape = "  "},
              {.titulo = "Descrição do Bem"_cp,
               .campo = "ESPC_BEM1",
               .picture = "@s25",
               .rodape = "Totais........"},
              {.titulo = "Tributado", .campo = "VAL_TRIBU", .picture = kGanho, .soma = true},
              {.titulo = "Nao Tribu.", .campo = "VAL_NAOTRI", .picture = kGanho, .soma = true},
              {.titulo = "Imposto", .campo = "VAL_IMPOS", .picture = kGanho, .soma = true},
          },
      .precisaGanhos = true,
  });

  // Countries: into the assets grid's row, or into a variable of the same name (and COD).
  l.push_back({
      .nomes =
          {
              {"I7_8", [](Row& r) { codigoNaLinha(r, "CODPAIS", Area::TMP_04, "I7_8"); },
               EscLista::paisDoBem},
              {"CODPAIS", [](Row& r) { paisNaVariavel(r, "CODPAIS"); }},
              {"I8R_3", [](Row& r) { paisNaVariavel(r, "I8R_3"); }},
          },
      .janela = {8, 6, 21, 57},
      .colunas =
          {
              {.titulo = "Cod.", .campo = "CODPAIS", .picture = "@s3"},
              {.titulo = "Nome do País"_cp, .campo = "NOMPAIS", .picture = "@S40"},
          },
  });

  // Embassies and consulates.
  l.push_back({
      .nomes = {{"M->CODEMB",
                 [](Row& r) {
                   r.poe("CODEMB", r.campo("CD_EX"));
                   r.fechaTabela();
                 }}},
      .janela = {8, 6, 21, 57},
      .colunas =
          {
              {.titulo = "Cod.", .campo = "CD_EX", .picture = "@s3"},
              {.titulo = "Cidade", .campo = "NM_CIDADE", .picture = "@S20"},
              {.titulo = "Nome do País"_cp, .campo = "NM_PAIS", .picture = "@s22"},
              {.titulo = "Representaçao"_cp, .campo = "NM_REP", .picture = "@S30"},
          },
  });

  // The statuses of a declaration in the office; the register's copy is selected again.
  l.push_back({
      .nomes = {{"M->ESTATUS",
                 [](Row& r) {
                   r.poe("ESTATUS", r.campo("COD"));
                   r.seleciona(Area::TMP_11);
                 }}},
      .janela = {8, 6, 21, 25},
      .colunas =
          {
              {.titulo = "Cod.", .campo = "COD", .picture = "@s2"},
              {.titulo = "Estatus", .campo = "DESCRICAO", .picture = "@S13"},
          },
  });

  // Kinds of street.
  l.push_back({
      .nomes = {{"M->TIPOEND",
                 [](Row& r) {
                   r.poe("TIPOEND", r.campo("NOMELOGRA"));
                   r.fechaTabela();
                 }}},
      .janela = {8, 16, 21, 29},
      .busca = true,
      .colunas = {{.titulo = "Tipo Endereço"_cp, .campo = "NOMELOGRA", .picture = "@S11"}},
  });

  // Towns, and the states ("SP-" rows) when opened from the state field.
  l.push_back({
      .nomes = {{"M->MUNICIPIO",
                 [](Row& r) {
                   const std::string nome = r.texto("NOMEMUNI");
                   if (r.editandoUf() && nome.size() >= 4 && nome[3] == '-') {
                     r.poe("UF", nome.substr(0, 2));
                   } else {
                     r.poe("MUNICIPIO", nome);
                     r.poe("CODMUNI", r.campo("NROMUNI"));
                   }
                   r.fechaTabela();
                 }}},
      .janela = {8, 6, 21, 37},
      .busca = true,
      .variante = VarianteLista::estados,
      .colunas = {{.titulo = "Nome dos municípios"_cp,
                   .campo = "NOMEMUNI",
                   .picture = "@S30",
                   .outroTitulo = "Nome dos Estados"}},
  });

  // The chart of accounts of the journal.
  l.push_back({
      .nomes =
          {
              {"M->CDCONTA", [](Row& r) { r.poe("CDCONTA", r.campo("CDCONTA")); }},
              {"CDCONTA", [](Row& r) { r.poe("CDCONTA", r.campo("CDCONTA")); }},
          },
      .origem = OrigemLista::abre,
      .area = Area::CONTAS,
      .janela = {6, 8, 19, 76},
      .colunas =
          {
              {.titulo = "Código"_cp, .campo = "CDCONTA", .picture = "@s6"},
              {.titulo = "Descriçao"_cp, .campo = "NMDESCRICA", .picture = "@s60"},
          },
  });

  // Kinds of rural assets, into the rural copy's row.
  l.push_back({
      .nomes = {{"CODIGOA",
                 [](Row& r) {
                   const rt::ui::Value cod = r.codigo("CODBEM");
                   r.grava(Area::TMP_17, "CODIGO", cod);
                 }}},
      .janela = {5, 20, 19, 71},
      .colunas =
          {
              {.titulo = "Cod.", .campo = "CODBEM", .picture = "@Z 99"},
              {.titulo = "  Tipo  ", .campo = "DESCBENS", .picture = "@S45"},
          },
  });

  return l;
}

}  // namespace

const std::vector<Lista>& catalogoDeListas() {
  static const std::vector<Lista> listas = monta();
  return listas;
}

ListaEscolhida listaDe(std::string_view qualhlp) {
  for (const Lista& l : catalogoDeListas())
    for (const EscolhaLista& e : l.nomes)
      if (e.nome == qualhlp) return {&l, &e};
  return {};
}

}  // namespace console

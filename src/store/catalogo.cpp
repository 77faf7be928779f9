#include "store/catalogo.h"

#include <algorithm>
#include <utility>

#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/estruturas.h"

namespace store {
namespace {

using namespace rt::text::literals;

// One row of the catalogue: everything but the fields, which come from estruturas.
struct Linha {
  int numero;
  const char* arquivo;
  Pasta pasta;
  ModoAbertura modo;
  Origem origem;
  std::vector<IndiceDef> indices;
  std::string_view mensagem = {};
  bool porTerminal = false;
};

std::vector<Linha> linhas() {
  using enum Pasta;
  using enum ModoAbertura;
  using enum Origem;
  return {
      // Declaration tables of the data folder; the first index has the table's own name.
      {1,
       "IMP0110",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP0110", "CPF"}},
       "Criando banco dos rendimentos (IMP01.DBF)"},
      {2,
       "IMP0210",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP0210", "CPF"}},
       "Criando banco das fontes pagadoras (IMP02.DBF)"},
      {3,
       "IMP0310",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP0310", "CPF"}},
       "Criando banco dos Dependentes IMP03.DBF"},
      {4,
       "IMP0410",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP0410", "CPF+str(I7_0,4)"}},
       "Criando banco dos Bens IMP04"},
      {5,
       "IMP0510",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP0510", "CPF+STR(I8_0,4)"}},
       "Criando banco das Dividas e Onus (IMP05.DBF)"},
      {6,
       "IMP0610",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP0610", "CPF+str(I6_3,2)"}},
       "Criando banco de Pagamentos efetuados (IMP06.DBF)"},
      {7,
       "IMP0710",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP0710", "CPF"}},
       "Criando banco Ganho de capital (IMP07.DBF)"},
      {8,
       "IMP0810",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP0810", "CPF"}},
       "Criando auxiliar de Ganho de capital (IMP08.DBF)"},
      {9,
       "IMP0910",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP0910", "CPF"}, {"IMP0910B", "UPPER(NOMECONTR)"}, {"IMP0910C", "ESTATUS"}},
       "Criando o cadastro dos contribuintes (IMP09.DBF)"},
      {10,
       "IMP1010",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1010", "CPF"}},
       "Criando o banco das Despesas (IMP10.DBF)"},
      {11,
       "IMP1110",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1110", "CPF"}},
       "Criando o banco de observacoes (IMP11.DBF)"},
      {12,
       "IMP1210",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1210", "CPF"}},
       "Criando isento trib na fonte (IMP12.DBF)"},
      {13,
       "IMP1310",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1310", "CPF"}},
       "Criando o banco dos Lancamentos(IMP13.DBF)"},
      {14,
       "IMP1410",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1410", "CPF"}},
       "Criando auxiliar rendimentos (IMP14.DBF)"},
      {15,
       "IMP1510",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1510", "CPF+ATV_BRASIL"}},
       "Criando banco dos Contribuintes (MOL109.DBF)"},
      {16,
       "IMP1610",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1610", "CPF+ATV_BRASIL"}},
       "Criando banco dos Imoveis (MOL2.DBF)"},
      {17,
       "IMP1710",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1710", "CPF+ATV_BRASIL"}},
       "Criando banco dos Bens (MOL3.DBF)"},
      {18,
       "IMP1810",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1810", "CPF+ATV_BRASIL"}},
       "Criando banco das Dividas (MOL4.DBF)"},
      {19,
       "IMP1910",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1910", "CPF+ATV_BRASIL+DTOS(DT_LC)"}},
       "Criando banco do Livro Caixa (MOL5.DBF)"},
      {20,
       "IMP2010",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP2010", "CPF+ATV_BRASIL+DTOS(DT_LC)"}},
       "Criando banco do Livro Caixa (MOL5.DBF)"},

      // Program folder. DIRET and DETALH carry the terminal number in their names.
      {40,
       "DIRET",
       Programa,
       Compartilhado,
       Criada,
       {{"DIRET", "upper(DIRETOR)"}},
       "Criando o banco dos Diretórios (DIRETOR.DBF)"_cp,
       true},
      {41, "PRINTS", Programa, Compartilhado, Criada, {}},
      {42, "CONFIG", Programa, Compartilhado, Criada, {{"CONFIG", "NRO_TERM"}}},
      {43, "DEFINE", Programa, Compartilhado, CriadaSemeada, {}},
      {44, "IMPCORRIG", Programa, Exclusivo, Criada, {}, "Criando o banco auxiliar de imposto a pagar"},
      {45, "HELPTXT", Programa, Compartilhado, Fornecida, {{"HELPTXT", "UPPER(NOME)"}}},
      {46, "CODBENS", Programa, Compartilhado, Fornecida, {{"CODBENS", "CODBEM"}}},
      {47, "CODEPEN", Programa, Compartilhado, Fornecida, {{"CODEPEN", "CODDEP"}}},
      {48, "CODDIVI", Programa, Compartilhado, Fornecida, {{"CODDIVI", "CODDIV"}}},
      {49, "DESPESA", Programa, Compartilhado, Fornecida, {{"DESPESA", "CODDES"}}},
      {51, "UFIRM", Programa, Compartilhado, Fornecida, {{"UFIRM", "ANOMES"}}},
      {52,
       "AUXBENS",
       Programa,
       Compartilhado,
       Criada,
       {{"AUXBENS", "DESCRICAO"}},
       "Criando o banco auxiliar de Bens "},
      {53,
       "AUXPAG",
       Programa,
       Compartilhado,
       Criada,
       {{"AUXPAG", "NOME"}},
       "Criando o banco auxiliar de Pagamentos"},
      {54,
       "LisErro",
       Programa,
       Compartilhado,
       CriadaLinhas,
       {{"LisErro", "CODERR"}},
       "Criando o banco erros"},
      {55, "BANCOS", Programa, Compartilhado, Fornecida, {{"BANCOS", "NUMBAN"}, {"BANCOSB", "NOMEBAN"}}},
      {56, "CORES", Programa, Compartilhado, Criada, {{"CORES", "NRO_TERM"}}},
      {57, "CONFIMP", Programa, Compartilhado, Criada, {{"CONFIMP", "NRO_TERM"}}},
      {58,
       "OCUPACAO",
       Programa,
       Compartilhado,
       Fornecida,
       {{"OCUPACAO", "CDPRO"}, {"OCUPACAB", "upper(OCUPACAO)"}}},
      {59,
       "CODNATUR",
       Programa,
       Compartilhado,
       Fornecida,
       {{"CODNATUR", "CODAT"}, {"CODNATB", "UPPER(DESCRAT)"}}},
      {60, "TABPAIS", Programa, Compartilhado, Fornecida, {{"TABPAIS", "CODPAIS"}}},
      {61, "TABEMBA", Programa, Compartilhado, Fornecida, {{"TABEMBA", "CD_EX"}}},
      {62, "CONTAS", Programa, Compartilhado, Fornecida, {{"CONTAS", "CDCONTA"}}},
      {63, "FOLHAPG", Programa, Compartilhado, Criada, {{"FOLHAPG", "CPF"}}},
      // The town list has no index file of its own: the address check sorts it in a
      // temporary index.
      {64, "TABMUNI", Programa, Compartilhado, Fornecida, {}},
      {65, "TABLOGR", Programa, Compartilhado, Fornecida, {{"TABLOGR", "upper(nomelogra)"}}},
      {66, "STATUS", Programa, Chamador, Fornecida, {{"STATUS", "cod"}}},
      {67, "BOLETO", Programa, Chamador, Criada, {{"BOLETO", "NOSSONRO"}}},
      {68, "DETALH", Programa, Exclusivo, Criada, {}, {}, true},
      {69, "CODABENS", Programa, Compartilhado, Fornecida, {{"CODABENS", "CODBEM"}}},
      {70, "LISNOME", Programa, Exclusivo, Criada, {{"LISNOME", "NOMECONTR"}, {"LISNOMEB", "CPF"}}},
  };
}

std::vector<TabelaDef> constroi() {
  std::vector<TabelaDef> v;
  for (Linha& l : linhas()) {
    TabelaDef t;
    t.numero = l.numero;
    t.arquivo = l.arquivo;
    t.porTerminal = l.porTerminal;
    t.pasta = l.pasta;
    t.modo = l.modo;
    t.origem = l.origem;
    t.campos = l.numero <= 20 ? estruturas::declaracao(l.numero) : estruturas::programa(l.numero);
    t.indices = std::move(l.indices);
    t.mensagemCriacao = l.mensagem;
    v.push_back(std::move(t));
    // The second help table shares area 45 and is found only by its name.
    if (l.numero == 45) {
      TabelaDef a = v.back();
      a.arquivo = "HELPATXT";
      a.indices = {{"HELPATXT", "UPPER(NOME)"}};
      a.alternativa = true;
      v.push_back(std::move(a));
    }
  }
  // A table whose file lacks its marker field (with this type) has the old structure.
  auto marca = [&v](int numero, const char* campo, char tipo) {
    for (TabelaDef& t : v)
      if (t.numero == numero) t.marcador = MarcadorDef{campo, tipo};
  };
  marca(1, "I3_14", 'N');
  marca(2, "I1_20", 'N');
  marca(9, "TEMRURAL", 'C');
  marca(43, "VER_ATUAL", 'C');
  return v;
}

bool mesmoNome(std::string_view a, std::string_view b) {
  return a.size() == b.size() && rt::text::upper(a) == rt::text::upper(b);
}

bool doisDigitos(std::string_view s) {
  return s.size() == 2 && s[0] >= '0' && s[0] <= '9' && s[1] >= '0' && s[1] <= '9';
}

}  // namespace

std::span<const TabelaDef> catalogo() {
  static const std::vector<TabelaDef> tabelas = constroi();
  return tabelas;
}

const TabelaDef* tabela(int numero) {
  for (const TabelaDef& t : catalogo())
    if (t.numero == numero && !t.alternativa) return &t;
  return nullptr;
}

const TabelaDef* tabelaPorNome(std::string_view nome) {
  if (auto barra = nome.find_last_of("/\\"); barra != std::string_view::npos) nome.remove_prefix(barra + 1);
  if (nome.size() > 4 && mesmoNome(nome.substr(nome.size() - 4), ".DBF")) nome.remove_suffix(4);
  for (const TabelaDef& t : catalogo()) {
    if (!t.porTerminal) {
      if (mesmoNome(nome, t.arquivo)) return &t;
    } else if (nome.size() == t.arquivo.size() + 2 &&
               mesmoNome(nome.substr(0, t.arquivo.size()), t.arquivo) &&
               doisDigitos(nome.substr(t.arquivo.size()))) {
      return &t;
    }
  }
  return nullptr;
}

std::span<const CampoDef> estrutura(int numero) {
  // The working copies 21-39 have the structure of the table numbered 20 less.
  if (numero >= 21 && numero <= 39) numero -= 20;
  const TabelaDef* t = tabela(numero);
  if (t == nullptr) return {};
  return t->campos;
}

int tamanhoRegistro(std::span<const CampoDef> campos) {
  int total = 1;
  for (const CampoDef& c : campos) total += c.largura;
  return total;
}

int tamanhoCabecalho(std::span<const CampoDef> campos) {
  return 32 + 32 * static_cast<int>(campos.size()) + 1;
}

const CampoDef* campo(std::span<const CampoDef> campos, std::string_view nome) {
  auto it = std::find_if(campos.begin(), campos.end(),
                         [nome](const CampoDef& c) { return mesmoNome(c.nome, nome); });
  return it == campos.end() ? nullptr : &*it;
}

std::string nomeArquivo(const TabelaDef& t, std::string_view terminal) {
  std::string nome = rt::text::upper(t.arquivo);
  if (t.porTerminal) nome += terminal;
  return nome;
}

std::string nomeIndice(const TabelaDef& t, const IndiceDef& i, std::string_view terminal) {
  if (t.porTerminal && mesmoNome(i.arquivo, t.arquivo)) return nomeArquivo(t, terminal);
  return rt::text::upper(i.arquivo);
}

}  // namespace store

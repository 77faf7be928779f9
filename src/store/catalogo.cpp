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
  Area numero;
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
      {Area::IMP0110,
       "IMP0110",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP0110", "CPF"}},
       "Criando banco dos rendimentos (IMP01.DBF)"},
      {Area::IMP0210,
       "IMP0210",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP0210", "CPF"}},
       "Criando banco das fontes pagadoras (IMP02.DBF)"},
      {Area::IMP0310,
       "IMP0310",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP0310", "CPF"}},
       "Criando banco dos Dependentes IMP03.DBF"},
      {Area::IMP0410,
       "IMP0410",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP0410", "CPF+str(I7_0,4)"}},
       "Criando banco dos Bens IMP04"},
      {Area::IMP0510,
       "IMP0510",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP0510", "CPF+STR(I8_0,4)"}},
       "Criando banco das Dividas e Onus (IMP05.DBF)"},
      {Area::IMP0610,
       "IMP0610",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP0610", "CPF+str(I6_3,2)"}},
       "Criando banco de Pagamentos efetuados (IMP06.DBF)"},
      {Area::IMP0710,
       "IMP0710",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP0710", "CPF"}},
       "Criando banco Ganho de capital (IMP07.DBF)"},
      {Area::IMP0810,
       "IMP0810",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP0810", "CPF"}},
       "Criando auxiliar de Ganho de capital (IMP08.DBF)"},
      {Area::IMP0910,
       "IMP0910",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP0910", "CPF"}, {"IMP0910B", "UPPER(NOMECONTR)"}, {"IMP0910C", "ESTATUS"}},
       "Criando o cadastro dos contribuintes (IMP09.DBF)"},
      {Area::IMP1010,
       "IMP1010",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1010", "CPF"}},
       "Criando o banco das Despesas (IMP10.DBF)"},
      {Area::IMP1110,
       "IMP1110",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1110", "CPF"}},
       "Criando o banco de observacoes (IMP11.DBF)"},
      {Area::IMP1210,
       "IMP1210",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1210", "CPF"}},
       "Criando isento trib na fonte (IMP12.DBF)"},
      {Area::IMP1310,
       "IMP1310",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1310", "CPF"}},
       "Criando o banco dos Lancamentos(IMP13.DBF)"},
      {Area::IMP1410,
       "IMP1410",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1410", "CPF"}},
       "Criando auxiliar rendimentos (IMP14.DBF)"},
      {Area::IMP1510,
       "IMP1510",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1510", "CPF+ATV_BRASIL"}},
       "Criando banco dos Contribuintes (MOL109.DBF)"},
      {Area::IMP1610,
       "IMP1610",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1610", "CPF+ATV_BRASIL"}},
       "Criando banco dos Imoveis (MOL2.DBF)"},
      {Area::IMP1710,
       "IMP1710",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1710", "CPF+ATV_BRASIL"}},
       "Criando banco dos Bens (MOL3.DBF)"},
      {Area::IMP1810,
       "IMP1810",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1810", "CPF+ATV_BRASIL"}},
       "Criando banco das Dividas (MOL4.DBF)"},
      {Area::IMP1910,
       "IMP1910",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP1910", "CPF+ATV_BRASIL+DTOS(DT_LC)"}},
       "Criando banco do Livro Caixa (MOL5.DBF)"},
      {Area::IMP2010,
       "IMP2010",
       Dados,
       Compartilhado,
       Criada,
       {{"IMP2010", "CPF+ATV_BRASIL+DTOS(DT_LC)"}},
       "Criando banco do Livro Caixa (MOL5.DBF)"},

      // Program folder. DIRET and DETALH carry the terminal number in their names.
      {Area::DIRET,
       "DIRET",
       Programa,
       Compartilhado,
       Criada,
       {{"DIRET", "upper(DIRETOR)"}},
       "Criando o banco dos Diretórios (DIRETOR.DBF)"_cp,
       true},
      {Area::PRINTS, "PRINTS", Programa, Compartilhado, Criada, {}},
      {Area::CONFIG, "CONFIG", Programa, Compartilhado, Criada, {{"CONFIG", "NRO_TERM"}}},
      {Area::DEFINE, "DEFINE", Programa, Compartilhado, CriadaSemeada, {}},
      {Area::IMPCORRIG, "IMPCORRIG", Programa, Exclusivo, Criada, {}, "Criando o banco auxiliar de imposto a pagar"},
      {Area::HELPTXT, "HELPTXT", Programa, Compartilhado, Fornecida, {{"HELPTXT", "UPPER(NOME)"}}},
      {Area::CODBENS, "CODBENS", Programa, Compartilhado, Fornecida, {{"CODBENS", "CODBEM"}}},
      {Area::CODEPEN, "CODEPEN", Programa, Compartilhado, Fornecida, {{"CODEPEN", "CODDEP"}}},
      {Area::CODDIVI, "CODDIVI", Programa, Compartilhado, Fornecida, {{"CODDIVI", "CODDIV"}}},
      {Area::DESPESA, "DESPESA", Programa, Compartilhado, Fornecida, {{"DESPESA", "CODDES"}}},
      {Area::UFIRM, "UFIRM", Programa, Compartilhado, Fornecida, {{"UFIRM", "ANOMES"}}},
      {Area::AUXBENS,
       "AUXBENS",
       Programa,
       Compartilhado,
       Criada,
       {{"AUXBENS", "DESCRICAO"}},
       "Criando o banco auxiliar de Bens "},
      {Area::AUXPAG,
       "AUXPAG",
       Programa,
       Compartilhado,
       Criada,
       {{"AUXPAG", "NOME"}},
       "Criando o banco auxiliar de Pagamentos"},
      {Area::LISERRO,
       "LisErro",
       Programa,
       Compartilhado,
       CriadaLinhas,
       {{"LisErro", "CODERR"}},
       "Criando o banco erros"},
      {Area::BANCOS, "BANCOS", Programa, Compartilhado, Fornecida, {{"BANCOS", "NUMBAN"}, {"BANCOSB", "NOMEBAN"}}},
      {Area::CORES, "CORES", Programa, Compartilhado, Criada, {{"CORES", "NRO_TERM"}}},
      {Area::CONFIMP, "CONFIMP", Programa, Compartilhado, Criada, {{"CONFIMP", "NRO_TERM"}}},
      {Area::OCUPACAO,
       "OCUPACAO",
       Programa,
       Compartilhado,
       Fornecida,
       {{"OCUPACAO", "CDPRO"}, {"OCUPACAB", "upper(OCUPACAO)"}}},
      {Area::CODNATUR,
       "CODNATUR",
       Programa,
       Compartilhado,
       Fornecida,
       {{"CODNATUR", "CODAT"}, {"CODNATB", "UPPER(DESCRAT)"}}},
      {Area::TABPAIS, "TABPAIS", Programa, Compartilhado, Fornecida, {{"TABPAIS", "CODPAIS"}}},
      {Area::TABEMBA, "TABEMBA", Programa, Compartilhado, Fornecida, {{"TABEMBA", "CD_EX"}}},
      {Area::CONTAS, "CONTAS", Programa, Compartilhado, Fornecida, {{"CONTAS", "CDCONTA"}}},
      {Area::FOLHAPG, "FOLHAPG", Programa, Compartilhado, Criada, {{"FOLHAPG", "CPF"}}},
      // The town list has no index file of its own: the address check sorts it in a
      // temporary index.
      {Area::TABMUNI, "TABMUNI", Programa, Compartilhado, Fornecida, {}},
      {Area::TABLOGR, "TABLOGR", Programa, Compartilhado, Fornecida, {{"TABLOGR", "upper(nomelogra)"}}},
      {Area::STATUS, "STATUS", Programa, Chamador, Fornecida, {{"STATUS", "cod"}}},
      {Area::BOLETO, "BOLETO", Programa, Chamador, Criada, {{"BOLETO", "NOSSONRO"}}},
      {Area::DETALH, "DETALH", Programa, Exclusivo, Criada, {}, {}, true},
      {Area::CODABENS, "CODABENS", Programa, Compartilhado, Fornecida, {{"CODABENS", "CODBEM"}}},
      {Area::LISNOME, "LISNOME", Programa, Exclusivo, Criada, {{"LISNOME", "NOMECONTR"}, {"LISNOMEB", "CPF"}}},
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
    t.campos = l.numero <= Area::IMP2010 ? estruturas::declaracao(l.numero) : estruturas::programa(l.numero);
    t.indices = std::move(l.indices);
    t.mensagemCriacao = l.mensagem;
    v.push_back(std::move(t));
    // The second help table shares area 45 and is found only by its name.
    if (l.numero == Area::HELPTXT) {
      TabelaDef a = v.back();
      a.arquivo = "HELPATXT";
      a.indices = {{"HELPATXT", "UPPER(NOME)"}};
      a.alternativa = true;
      v.push_back(std::move(a));
    }
  }
  // A table whose file lacks its marker field (with this type) has the old structure.
  auto marca = [&v](Area numero, const char* campo, char tipo) {
    for (TabelaDef& t : v)
      if (t.numero == numero) t.marcador = MarcadorDef{campo, tipo};
  };
  marca(Area::IMP0110, "I3_14", 'N');
  marca(Area::IMP0210, "I1_20", 'N');
  marca(Area::IMP0910, "TEMRURAL", 'C');
  marca(Area::DEFINE, "VER_ATUAL", 'C');
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

const TabelaDef* tabela(Area numero) {
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

std::span<const CampoDef> estrutura(Area numero) {
  // A working copy has the structure of the table it stands for.
  if (numero >= Area::TMP_01 && numero <= Area::TMP_19) numero = origem(numero);
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

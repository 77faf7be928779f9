#include "converter/anterior_fontes.h"

#include <map>

#include "console/validadores.h"
#include "rt/db/structure.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/catalogo.h"
#include "store/travas.h"

namespace converter {

using namespace rt::text::literals;
using converter::Linha;

namespace {


std::vector<std::string> serie(const std::string& prefixo, int de, int ate, const std::string& sufixo = {}) {
  std::vector<std::string> v;
  for (int k = de; k <= ate; ++k) v.push_back(prefixo + rt::text::doisDigitos(k) + sufixo);
  return v;
}

std::vector<std::string> junta(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The fields each copy reads, by source table; CPF everywhere.
const std::map<int, std::vector<std::string>>& lidos(Edicao e) {
  static const std::vector<std::string> registro = {
      "CPF",       "NOMECONTR", "TIPOEND", "ENDERECO", "NUMERO",   "COMPLEM", "BAIRRO",   "CEP",
      "CODMUNI",   "MUNICIPIO", "UF",      "CODEMB",   "NASCIMENTO", "CGCPAGADOR", "CPFCONJU", "BANCO",
      "AGENCIA",   "CONTACO",   "CDPRO",   "OCUPACAO", "CODAT",    "DESCRAT", "TELEFO",   "NROFAX",
      "EMAIL",     "RECIBOATU", "DDDTEL",  "DDDFAX"};
  static const std::vector<std::string> dependentes = {"CPF", "NOMEDEPEN", "CODIDEPEN", "DATADEPEN", "CPFDEPEN"};
  static const std::vector<std::string> bens = {"CPF", "I7_1", "I7_2", "I7_3", "I7_4", "I7_5", "I7_6", "I7_7", "I7_8"};
  static const std::vector<std::string> dividas = {"CPF", "I8_1", "I8_2", "I8_3", "I8_4", "I8_5"};
  static const std::vector<std::string> pagamentos = {"CPF", "I6_1", "I6_2", "I6_3", "I6_6", "I6_7"};
  static const std::map<int, std::vector<std::string>> brantel = {
      {9, junta(registro, {"TITULO", "CONJUNTA", "USAPADRAO", "CONJPAD", "SO_SIMPLES", "I9_4", "I9_5", "TELCELU",
                           "TELESCR", "TELSECR", "ULTRESI", "ULTIMOV", "CODPAIS", "VALOREC", "IMPPGRE"})},
      {1, {"CPF", "VALFUTUR", "DESPALIM", "OUTRDES", "CAL_AUTO", "INDALERTA", "DESPNAO", "CPFINVENT", "NOMINVENT",
           "ENDINVENT"}},
      {2, {"CPF", "I1_1", "I1_2", "I1_3", "I1_11"}},
      {3, dependentes},
      {4, bens},
      {5, dividas},
      {6, pagamentos},
      {7, {"CPF",      "BEM_NRO",  "RVAR_NRO",   "DAY_TRADE", "TIPO_BEM",  "NRO_ITEM",  "CPFADQ",    "PER_TRI",
           "PERART31", "NOME_ADQ", "ESPC_BEM1",  "ESPC_BEM2", "ESPC_BEM3", "ESPC_BEM4", "ENDEIMO",   "NUMIMO",
           "COMPIMO",  "BAIRIMO",  "CEPIMO",     "MUNICIMO",  "UFIMO",     "DATA_ALI",  "DATA_ADQ",  "NOME_SOCIE",
           "CGC_SOCIE", "CID_SOCIE", "EST_SOCIE", "IND_ALI",   "VAL_ALI",   "VAL_RECOL", "CUS_ATUAL", "PEQ_VALOR",
           "VEN_PRAZO", "NATUOPER", "PARCOMPRA",  "VENDAANT",  "REC_MES12"}},
      {8, {"CPF", "BEM_NRO", "RVAR_NRO", "DAY_TRADE", "VALOR_REDU", "VALOR_CUST", "DATA_CUST", "IND_CUST", "PER_RED",
           "PER_CUST", "RESUL_2", "SALDO_COEF", "CM_PONDER", "SALDO_ACAO", "MOV_ACAO", "CUST_UNI", "CMED_COEF",
           "TIPO_OPER", "TIPO_ACAO", "LOTE"}},
      {10, {"CPF"}},
      {11, {"CPF", "OBSERV", "CODERR"}},
      {14, {"CPF", "DESCRICAO"}},
  };
  static const std::map<int, std::vector<std::string>> livro = {
      {9, registro},
      {1, junta(junta(junta(serie("I3_", 1, 12, "T"), serie("I4_", 1, 5, "T")), {"CPF", "I3_12D", "I4_05D"}),
                {"DESPNAO", "PREJVEN", "VALOR_FUT"})},
      {2, junta(junta(serie("I1_4", 1, 12), serie("I1_5", 1, 12)),
                {"CPF", "I1_1", "I1_2", "I1_3", "I1_413", "I1_513", "I1_613", "I1_713", "I1_8", "I1_9", "I1_10",
                 "TIPOCR", "DT_LC"})},
      {3, dependentes},
      {4, bens},
      {5, dividas},
      {6, junta(pagamentos, serie("I6_4", 1, 12))},
      {7, {"CPF"}},
      {8, {"CPF"}},
      {11, {"CPF", "CODDESP", "DESCDESP", "VALODESP"}},
  };
  return e == Edicao::Brantel ? brantel : livro;
}

}  // namespace

const std::vector<int>& tabelasFonte(Edicao e) {
  static const std::vector<int> brantel = {1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 14};
  static const std::vector<int> livro = {1, 2, 3, 4, 5, 6, 7, 8, 11};
  return e == Edicao::Brantel ? brantel : livro;
}

std::string arquivoFonte(Edicao e, int k) {
  if (e == Edicao::LivroCaixa) return "ZUK" + std::to_string(k);
  return "IMP" + rt::text::doisDigitos(k) + "09";
}

std::unique_ptr<FontesAnteriores> FontesAnteriores::abre(store::Contexto& ctx, Edicao e, const std::string& origem) {
  std::unique_ptr<FontesAnteriores> f(new FontesAnteriores(ctx, e));
  const std::vector<std::string> cpf = {"CPF"};
  auto abreUma = [&](int k) {
    if (!store::ABRE_ALHEIA(ctx, f->area(k), origem + arquivoFonte(e, k), cpf)) return false;
    rt::db::Table& t = *ctx.areas.table(f->area(k));
    t.setDeletedHidden(true);
    if (!t.isDamaged()) return true;
    store::avisaIndisponivel(ctx, arquivoFonte(e, k));
    return false;
  };
  if (!abreUma(9)) return nullptr;
  for (int k : tabelasFonte(e))
    if (!abreUma(k)) return nullptr;
  return f;
}

FontesAnteriores::~FontesAnteriores() = default;

store::Area FontesAnteriores::area(int k) const {
  // The register in the range's last area, table k in its k-th.
  return emprestimo_.area(k == 9 ? workareas::kFontesAnterior.tamanho() : k);
}

bool FontesAnteriores::temCampo(int k, std::string_view campo) const {
  const rt::db::Table* t = ctx_.areas.table(area(k));
  return t != nullptr && t->field(campo) != nullptr;
}

std::string Falta::texto() const {
  return "A tabela " + tabela + std::string(" da pasta de origem "_cp) +
         (outroTipo ? "tem o campo " + campo + " de outro tipo." : std::string("não tem o campo "_cp) + campo + ".");
}

namespace {

// The digits before the point of a numeric field.
int inteiros(const rt::db::FieldDef& f) { return f.width - (f.decimals > 0 ? f.decimals + 1 : 0); }

// Whether a source field holds what this year's field of its name takes: the same type, and a
// number of no more digits before the point. A field this year's table lacks is read by a rule
// of its own (the cash book's names) and passes.
bool mesmoTipo(const rt::db::FieldDef& fonte, int n, std::string_view campo) {
  for (const store::CampoDef& d : store::estrutura(workareas::declaracao(n))) {
    if (rt::text::upper(d.nome) != campo) continue;
    if (d.tipo != fonte.type) return false;
    return d.tipo != 'N' || inteiros(fonte) <= inteiros({d.nome, d.tipo, d.largura, d.decimais});
  }
  return true;
}

}  // namespace

std::optional<Falta> FontesAnteriores::falta() const {
  for (const auto& [k, campos] : lidos(edicao_))
    for (const std::string& c : campos) {
      if (!temCampo(k, c)) return Falta{arquivoFonte(edicao_, k), c};
      // The cash book's expenses (its table 11) become table 10 by rules of their own.
      const bool mesmaTabela = !(edicao_ == Edicao::LivroCaixa && k == 11);
      if (mesmaTabela && !mesmoTipo(*ctx_.areas.table(area(k))->field(c), k, c))
        return Falta{arquivoFonte(edicao_, k), c, true};
    }
  return std::nullopt;
}

rt::Result<std::vector<std::pair<std::string, std::string>>> FontesAnteriores::contribuintes() {
  rt::db::Table& t = *ctx_.areas.table(area(9));
  std::vector<std::pair<std::string, std::string>> v;
  t.setOrder(0);
  for (t.goTop(); t.status() && !t.eof(); t.skip(1)) {
    const std::string cpf = t.getText("CPF");
    if (rt::text::alltrim(cpf).empty()) continue;
    // A row whose CPF is no CPF would become a taxpayer nobody can find again.
    if (std::vector<std::string> aviso = console::avisoCpf(cpf); !aviso.empty()) {
      aviso.push_back("CPF " + std::string(rt::text::trim(cpf)) + " de " + std::string(rt::text::trim(t.getText("NOMECONTR"))) +
                      " na tabela " + arquivoFonte(edicao_, 9) + std::string(": não convertido."_cp));
      ctx_.relato().alerta(aviso);
      continue;
    }
    v.emplace_back(cpf, t.getText("NOMECONTR"));
  }
  if (!t.status()) return t.status();
  t.setOrder(1);
  return v;
}

namespace {

Linha linhaAtual(const rt::db::Table& t) {
  Linha l;
  for (const rt::db::FieldDef& f : t.fields()) l.poe(rt::text::upper(f.name), t.get(f.name));
  return l;
}

}  // namespace

rt::Result<std::optional<Linha>> FontesAnteriores::registro(const store::Cpf& cpf) {
  auto v = linhas(9, cpf);
  if (!v) return v.status();
  if (v->empty()) return std::optional<Linha>();
  return std::optional<Linha>(std::move(v->front()));
}

rt::Result<std::vector<Linha>> FontesAnteriores::linhas(int k, const store::Cpf& cpf) {
  rt::db::Table& t = *ctx_.areas.table(area(k));
  t.setOrder(1);
  std::vector<Linha> v;
  rt::Status s = t.seek(cpf.chave());
  if (!s) return s;
  for (; t.status() && !t.eof() && t.getText("CPF") == cpf.chave(); t.skip(1)) v.push_back(linhaAtual(t));
  if (!t.status()) return t.status();
  return v;
}

}  // namespace converter

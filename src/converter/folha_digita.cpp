#include "converter/folha_digita.h"

#include <vector>

#include "console/alerta.h"
#include "console/documentos.h"
#include "console/validadores.h"
#include "converter/folha_importa.h"
#include "converter/molduras.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/read.h"
#include "store/areas.h"
#include "store/cpf.h"
#include "store/recusa.h"
#include "store/travas.h"

namespace converter {

using namespace rt::text::literals;
using rt::db::Table;
using rt::text::Decimal;
using store::Area;

namespace {

constexpr const char* kValor = "@Ez 999,999,999.99";

struct Montante {
  std::string_view rotulo;
  Decimal Lancamento::*campo;
};

// The amounts in the form's order, with their captions.
const Montante kMontantes[] = {
    {"Rendimentos (inclusive férias)", &Lancamento::RENDIMENT},
    {"Contribuição previdenciária oficial", &Lancamento::PREVOFICA},
    {"Contribuição à previdência privada", &Lancamento::PREVPRIVA},
    {"Pensão alimentícia paga", &Lancamento::PENSAOPAG},
    {"Imposto retido na fonte", &Lancamento::IRRETIDO},
    {"Parcela isenta de aposentadoria", &Lancamento::ISENTOAPO},
    {"Diárias e ajudas de custo", &Lancamento::DIARIAS},
    {"Pensão e aposentadoria isentas", &Lancamento::PENSAOREC},
    {"Lucros e dividendos", &Lancamento::LUCRODIV},
    {"Pago a titular ou sócio de ME/EPP", &Lancamento::SOCIO},
    {"Indenizações por rescisão", &Lancamento::IDENIZA},
    {"Décimo terceiro salário", &Lancamento::DECIMO3RO},
};

std::string cp(std::string_view utf8) { return rt::text::utf8ToCp860(utf8); }

// The entry fields cleared: texts to blanks of their widths, amounts to 0; `nome` kept.
Lancamento limpo(const std::string& nome = {}) {
  Lancamento l;
  l.CPF = std::string(11, ' ');
  l.NOMECONTR = rt::text::padr(nome, 47);
  l.NOMEFONTE = std::string(40, ' ');
  l.CNPJFONTE = std::string(18, ' ');
  l.COMPLENTA = l.OUTROS = l.OUTROSEXC = std::string(40, ' ');
  return l;
}

// The form's fields, read once; false when it was left with Esc.
bool formulario(store::Contexto& ctx, Lancamento& l) {
  const int topo = ctx.ALJA[6], esq = ctx.ACJA[6];
  auto& s = ctx.screen();
  const auto rotulo = [&](int linha, std::string_view t) {
    s.put(topo + linha, esq + 2, t, static_cast<rt::term::Attr>(ctx.cores.COR_TEL1));
  };
  rt::ui::Read read(ctx.console, coresEntrada(ctx));
  rotulo(3, "Fonte pagadora");
  read.get(topo + 3, esq + 28, rt::ui::var("NOMEFONTE", l.NOMEFONTE), "@S40");
  rotulo(4, "CNPJ/CPF da fonte");
  read.get(topo + 4, esq + 28, rt::ui::var("CNPJFONTE", l.CNPJFONTE), "@s18").valid([&ctx, &l] { return CPFCNPJ(ctx, l.CNPJFONTE); });
  rotulo(5, cp("Nome do beneficiário"));
  read.get(topo + 5, esq + 28, rt::ui::var("NOMECONTR", l.NOMECONTR), "@S45");
  int linha = 7;
  for (const Montante& m : kMontantes) {
    rotulo(linha, cp(m.rotulo));
    read.get(topo + linha, esq + 55, rt::ui::var("VALOR", l.*m.campo, {12, 2}), kValor);
    ++linha;
  }
  rotulo(linha, "Outros isentos");
  read.get(topo + linha, esq + 20, rt::ui::var("OUTROS", l.OUTROS), "@S33");
  read.get(topo + linha, esq + 55, rt::ui::var("VALOUTRO", l.VALOUTRO, {12, 2}), kValor);
  ++linha;
  rotulo(linha, "Outros exclusivos");
  read.get(topo + linha, esq + 20, rt::ui::var("OUTROSEXC", l.OUTROSEXC), "@S33");
  read.get(topo + linha, esq + 55, rt::ui::var("VALOUTRE", l.VALOUTRE, {12, 2}), kValor);
  ++linha;
  rotulo(linha, cp("Informações complementares"));
  read.get(topo + linha, esq + 30, rt::ui::var("COMPLENTA", l.COMPLENTA), "@S40");
  return !read.run().escaped;
}

std::uint32_t procura(Table& t, const std::string& cpf) {
  t.setOrder(1);
  // A search that failed finds nothing: the statement is then stored as a new one.
  return t.seek(store::Cpf(cpf).chave()) && t.found() ? t.recNo() : 0;
}

}  // namespace

bool CPFCNPJ(store::Contexto& ctx, std::string& documento) {
  const std::string pontuado = console::CONTAPONTO(rt::text::alltrim(documento));
  if (!console::CPFCGC(ctx, pontuado, true)) return false;
  documento = rt::text::padr(pontuado, 18);
  return true;
}

rt::Status GRAVA_DADO(store::Contexto& ctx, const Lancamento& l, char resposta, std::uint32_t achado) {
  Table& t = *store::tabela(ctx.areas, Area::FOLHAPG);
  const store::SelecaoGuardada selecao(ctx.areas, Area::FOLHAPG);
  const bool nova = resposta == 'S' || achado == 0;
  if (!nova) t.goTo(achado);
  if (!(nova ? store::ADD_REC(ctx, store::kEsperaTrava) : store::REC_LOCK(ctx, store::kEsperaTrava)))
    return store::falhaDita(rt::Error::kLocked, t.alias());
  rt::Status s;
  const auto put = [&](std::string_view campo, const rt::text::Value& v) {
    if (s) s = t.put(campo, v);
  };
  put("CPF", l.CPF);
  put("NOMECONTR", l.NOMECONTR);
  put("NOMEFONTE", l.NOMEFONTE);
  put("CNPJFONTE", l.CNPJFONTE);
  put("RENDIMENT", l.RENDIMENT);
  put("PREVOFICA", l.PREVOFICA);
  put("PREVPRIVA", l.PREVPRIVA);
  put("PENSAOPAG", l.PENSAOPAG);
  put("IRRETIDO", l.IRRETIDO);
  put("ISENTOAPO", l.ISENTOAPO);
  put("DIARIAS", l.DIARIAS);
  put("PENSAOREC", l.PENSAOREC);
  put("LUCRODIV", l.LUCRODIV);
  put("SOCIO", l.SOCIO);
  put("IDENIZA", l.IDENIZA);
  put("DECIMO3RO", l.DECIMO3RO);
  put("COMPLENTA", l.COMPLENTA);
  put("OUTROS", l.OUTROS);
  put("OUTROSEXC", l.OUTROSEXC);
  put("VALOUTRO", l.VALOUTRO);
  put("VALOUTRE", l.VALOUTRE);
  return store::liberaGravacao(ctx, t, s, t.alias());
}

void PEGACOM(store::Contexto& ctx, Conversor& c) {
  Table* t = store::tabela(ctx.areas, Area::FOLHAPG);
  if (t == nullptr) return;
  MTELA1(ctx, c, moldura::Digitacao);
  const console::JanelaAberta quadro = console::JanelaAberta::adota(ctx.janelas, console::Jan::kDialogo);
  const int topo = ctx.ALJA[6], esq = ctx.ACJA[6];
  ctx.screen().put(topo + 1, esq + 2, cp("CPF do beneficiário"), static_cast<rt::term::Attr>(ctx.cores.COR_TEL1));
  Lancamento l = limpo();
  for (;;) {
    std::string cpf = std::string(11, ' ');
    const rt::ui::ReadResult r = rt::ui::readOne(
        ctx.console,
        rt::ui::Get(topo + 1, esq + 28, rt::ui::var("CPF", cpf), "@r 999.999.999-99").valid([&ctx, &cpf] {
          return console::VAL_CPF(ctx, cpf);
        }),
        coresEntrada(ctx));
    if (r.escaped || rt::text::trim(cpf).empty()) return;
    char resposta = 'N';
    const std::uint32_t achado = procura(*t, cpf);
    if (achado != 0) {
      resposta = console::AVISOSN(ctx, "CPF já existente! Outra fonte de Renda? (S/N)"_cp, 2) == "S" ? 'S' : 'N';
      t->goTo(achado);
      if (resposta == 'N') {
        l = leLancamento(*t);
      } else {
        l = limpo(t->getText("NOMECONTR"));
      }
    }
    l.CPF = cpf;
    for (;;) {
      if (!formulario(ctx, l)) return;
      const std::string r2 = console::AVISOSN(ctx, "Confirma os dados? ", 3);
      if (r2 == "I") return;
      if (r2 != "S") continue;
      if (!GRAVA_DADO(ctx, l, resposta, achado)) return;
      // The payer stays for the next statement.
      Lancamento proximo = limpo();
      proximo.NOMEFONTE = l.NOMEFONTE;
      proximo.CNPJFONTE = l.CNPJFONTE;
      l = proximo;
      break;
    }
  }
}

}  // namespace converter

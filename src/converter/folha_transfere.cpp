#include "converter/folha_transfere.h"

#include <chrono>
#include <optional>
#include <vector>

#include "console/alerta.h"
#include "console/mensagens.h"
#include "console/pastas.h"
#include "converter/relato_conversor.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/busca_outro.h"
#include "store/cpf.h"
#include "store/pastas_dados.h"
#include "store/recusa.h"
#include "store/travas.h"

namespace converter {

using namespace rt::text::literals;
using rt::db::Table;
using rt::text::Decimal;
using store::Area;

namespace {

const Area kTabelas[] = {Area::IMP0110, Area::IMP0210, Area::IMP0610};

std::string aparado(const Table& t, std::string_view campo) { return std::string(rt::text::alltrim(t.getText(campo))); }

// The writes of one row of area `a`: under the record lock (or the append lock for a new
// row), each put checked, the row written when the lock is released; the first failure is
// kept and said once, by `ok()` or by the lock's wait.
class Escrita {
 public:
  Escrita(store::Contexto& ctx, Area a, bool nova) : ctx_(ctx), selecao_(ctx.areas, a), t_(*store::tabela(ctx.areas, a)) {
    travado_ = (nova ? store::ADD_REC(ctx, store::kEsperaTrava) : store::REC_LOCK(ctx, store::kEsperaTrava)).isOk();
    if (!travado_) s_ = store::falhaDita(rt::Error::kLocked, t_.alias());  // said by the lock's wait
  }
  ~Escrita() { ok().ignoreTold(); }
  Escrita(const Escrita&) = delete;
  Escrita& operator=(const Escrita&) = delete;

  Table& t() { return t_; }
  bool travado() const { return travado_; }
  void put(std::string_view campo, const rt::text::Value& v) {
    if (travado_ && s_) s_ = t_.put(campo, v);
  }
  // Releases the row (written first); failed, and told once, when something was not written.
  rt::Status ok() {
    if (travado_) {
      travado_ = false;
      s_ = store::liberaGravacao(ctx_, t_, s_, t_.alias());
    }
    return s_;
  }

 private:
  store::Contexto& ctx_;
  store::SelecaoGuardada selecao_;
  Table& t_;
  bool travado_ = false;
  rt::Status s_;
};

// The description with a part added after "/" (none when the description is empty); an
// empty part adds nothing, so no description ends in separators.
std::string junta(std::string_view descricao, std::string_view parte) {
  const std::string d(rt::text::trim(descricao));
  const std::string p(rt::text::trim(parte));
  if (p.empty()) return d;
  return d.empty() ? p : d + "/" + p;
}

// Table 2: the payer's row of the taxpayer (I1_1 "J", I1_3 the payer's document) rewritten,
// or a new one.
rt::Status fontePagadora(store::Contexto& ctx, const Lancamento& l, bool simples) {
  Table& t = *store::tabela(ctx.areas, Area::IMP0210);
  const std::string cnpj(rt::text::alltrim(l.CNPJFONTE));
  std::optional<std::uint32_t> achado;
  t.setOrder(1);
  rt::Status busca = t.seek(store::Cpf(l.CPF).chave());
  for (; busca && t.status() && t.found() && !t.eof() && t.getText("CPF") == store::Cpf(l.CPF).chave(); t.skip(1)) {
    if (t.getText("I1_1") == "J" && aparado(t, "I1_3") == cnpj) {
      achado = t.recNo();
      break;
    }
  }
  RT_TRY(store::gravou(ctx, busca ? t.status() : busca, t.alias()));
  Escrita e(ctx, Area::IMP0210, !achado);
  if (!e.travado()) return e.ok();
  if (!achado) {
    e.put("I1_1", std::string("J"));
    e.put("I1_2", l.NOMEFONTE);
    e.put("I1_3", l.CNPJFONTE);
    e.put("CPF", l.CPF);
  }
  e.put("I1_4", l.RENDIMENT);
  e.put("I1_5", l.IRRETIDO);
  e.put("I1_6", l.PREVOFICA);
  e.put("I1_7", l.DECIMO3RO);
  e.put("I1_15", l.LUCRODIV);
  e.put("I1_16", l.SOCIO);
  e.put("I1_17", l.ISENTOAPO);
  e.put("I1_18", l.PENSAOREC);
  if (simples) e.put("I1_9", l.ISENTOAPO + l.DIARIAS + l.PENSAOREC + l.LUCRODIV + l.SOCIO + l.IDENIZA);
  return e.ok();
}

// A description longer than its field is cut when stored; the clerk is told which.
void notaCorte(const Table& t, std::string_view campo, const std::string& descricao, const Lancamento& l,
               Cortes* cortes) {
  const rt::db::FieldDef* f = t.field(campo);
  if (cortes == nullptr || f == nullptr || descricao.size() <= static_cast<std::size_t>(f->width)) return;
  cortes->push_back(rt::text::transform(l.CPF, "@R 999.999.999-99") + " " + std::string(campo) + ": " +
                    descricao.substr(0, static_cast<std::size_t>(f->width)));
}

// Table 1: the exempt and exclusively taxed amounts, added to or replacing what is there.
rt::Status rendimentos(store::Contexto& ctx, const Lancamento& l, char resposta, Cortes* cortes) {
  if (resposta != 'A' && resposta != 'S') return {};
  Table& t = *store::tabela(ctx.areas, Area::IMP0110);
  t.setOrder(1);
  RT_TRY(store::gravou(ctx, t.seek(store::Cpf(l.CPF).chave()), t.alias()));
  const bool nova = !t.found();
  Escrita e(ctx, Area::IMP0110, nova);
  if (!e.travado()) return e.ok();
  if (nova) e.put("CPF", l.CPF);
  const bool diarias = l.DIARIAS > Decimal(), outros = l.VALOUTRO > Decimal();
  const std::string parte = diarias && outros ? "DIARIAS " + std::string(rt::text::trim(l.OUTROS))
                            : diarias         ? std::string("DIARIAS E AJUDA DE CUSTO")
                                              : std::string(rt::text::trim(l.OUTROS));
  const Decimal isento = (diarias ? l.DIARIAS : Decimal()) + (outros ? l.VALOUTRO : Decimal());
  const auto descreve = [&](std::string_view campo, const std::string& descricao) {
    notaCorte(t, campo, descricao, l, cortes);
    e.put(campo, descricao);
  };
  if (resposta == 'A') {
    e.put("I3_03", t.getNumber("I3_03") + l.IDENIZA);
    if (diarias || outros) {
      e.put("I3_12", t.getNumber("I3_12") + isento);
      descreve("I3_12D", junta(t.getText("I3_12D"), parte));
    }
    e.put("I4_05", t.getNumber("I4_05") + l.VALOUTRE);
    descreve("I4_05D", junta(t.getText("I4_05D"), l.OUTROSEXC));
  } else {
    e.put("I3_03", l.IDENIZA);
    if (diarias || outros) {
      e.put("I3_12", isento);
      descreve("I3_12D", parte);
    }
    e.put("I4_05", l.VALOUTRE);
    descreve("I4_05D", std::string(rt::text::trim(l.OUTROSEXC)));
  }
  return e.ok();
}

// Table 6: a payment of code `codigo` rewritten, or a new one named by COMPLENTA.
rt::Status pagamento(store::Contexto& ctx, const Lancamento& l, int codigo, Decimal valor) {
  if (valor <= Decimal()) return {};
  Table& t = *store::tabela(ctx.areas, Area::IMP0610);
  t.setOrder(1);
  RT_TRY(store::gravou(ctx, t.seek(store::Cpf(l.CPF).chave() + rt::text::str(Decimal::fromInt(codigo), 2)),
                       t.alias()));
  const bool nova = !t.found();
  Escrita e(ctx, Area::IMP0610, nova);
  if (!e.travado()) return e.ok();
  if (nova) {
    e.put("I6_1", l.COMPLENTA);
    e.put("I6_3", Decimal::fromInt(codigo));
    e.put("CPF", l.CPF);
  }
  e.put("I6_4", valor);
  return e.ok();
}

bool abreTabelas(store::Contexto& ctx) {
  for (Area a : kTabelas)
    if (!store::aberta(ctx.areas, a) && !store::ABERTURA(ctx, a)) return false;
  return true;
}

void fechaTabelas(store::Contexto& ctx) {
  // Each row was written and checked when its lock was released.
  for (Area a : kTabelas) store::solta(ctx.areas, a);
}

// The posting answer, asked once: "A", "S" or "N" (Esc).
char respostaLancamento(store::Contexto& ctx) {
  const int b = console::alerta(ctx,
                                {std::string("Encontrando valores já lançados!"_cp), " Acrescente esse novo valor     ",
                                 " Substituia o valor com esse.   ", std::string(" Não lançe o esse valor         "_cp)},
                                {"Acrescente", "Substituia", "Nao"});
  return b == 1 ? 'A' : b == 2 ? 'S' : 'N';
}

enum class Ausente { Inclui, Salta, Todos, Abandona };

Ausente perguntaAusente(store::Contexto& ctx, const std::string& cpf) {
  const int b = console::alerta(ctx,
                                {"O CPF " + cpf + std::string(" não está cadastrado   "_cp), std::string("  em nenhum dos diretórios indicado! "_cp)},
                                {"Inclui", "Salta", "Todos", "Abandona"});
  return b == 1 ? Ausente::Inclui : b == 2 ? Ausente::Salta : b == 3 ? Ausente::Todos : Ausente::Abandona;
}

// A new taxpayer in the current folder's register: CPF, name and status 1.
rt::Status incluiContribuinte(store::Contexto& ctx, const Lancamento& l) {
  Escrita e(ctx, Area::IMP0910, true);
  if (!e.travado()) return e.ok();
  e.put("CPF", l.CPF);
  e.put("NOMECONTR", l.NOMECONTR);
  e.put("ESTATUS", Decimal::fromInt(1));
  return e.ok();
}

bool simplificada(store::Contexto& ctx) {
  const Table* r = store::tabela(ctx.areas, Area::IMP0910);
  return r != nullptr && !r->eof() && r->getText("SO_SIMPLES") == "S";
}

// Back to the folder the transfer started in: its register, its tables and its mark in the
// folder list.
bool voltaPasta(store::Contexto& ctx, const std::string& inicio) {
  fechaTabelas(ctx);
  if (!store::MUDADIR(ctx, inicio)) return false;
  if (Table* lista = store::tabela(ctx.areas, Area::DIRET)) {
    const store::SelecaoGuardada selecao(ctx.areas, Area::DIRET);
    for (lista->goTop(); lista->status() && !lista->eof(); lista->skip(1))
      if (store::mesmaPasta(ctx, lista->getText("DIRETOR"), console::BAR_FORA(inicio))) break;
    if (!lista->eof()) (void)store::TROCASIM(ctx, 0);  // only the marks; says its own failure
  }
  return abreTabelas(ctx);
}

// At the end of a transfer, however it ends: the descriptions that were cut.
void dizCortes(store::Contexto& ctx, const Cortes& cortes) {
  if (cortes.empty()) return;
  constexpr std::size_t kLinhas = 8;  // what an alert holds on the screen
  std::vector<std::string> linhas{std::string("Descrições maiores que o campo, cortadas (CPF, campo: como ficou):"_cp)};
  for (std::size_t i = 0; i < cortes.size() && i < kLinhas; ++i) linhas.push_back(cortes[i]);
  if (cortes.size() > kLinhas) linhas.push_back("e mais " + std::to_string(cortes.size() - kLinhas) + ".");
  console::AVISOSN(ctx, linhas, 0);
}

// The statement's row of FOLHAPG deleted once posted.
rt::Status apagaComprovante(store::Contexto& ctx) {
  Escrita e(ctx, Area::FOLHAPG, false);
  if (!e.travado()) return e.ok();
  const rt::Status s = e.t().markDeleted();
  if (!s) return store::gravou(ctx, s, e.t().alias());
  return e.ok();
}

}  // namespace

Lancamento leLancamento(const Table& f) {
  Lancamento l;
  l.CPF = f.getText("CPF");
  l.NOMECONTR = f.getText("NOMECONTR");
  l.NOMEFONTE = f.getText("NOMEFONTE");
  l.CNPJFONTE = f.getText("CNPJFONTE");
  l.COMPLENTA = f.getText("COMPLENTA");
  l.OUTROS = f.getText("OUTROS");
  l.OUTROSEXC = f.getText("OUTROSEXC");
  l.RENDIMENT = f.getNumber("RENDIMENT");
  l.PREVOFICA = f.getNumber("PREVOFICA");
  l.PREVPRIVA = f.getNumber("PREVPRIVA");
  l.PENSAOPAG = f.getNumber("PENSAOPAG");
  l.IRRETIDO = f.getNumber("IRRETIDO");
  l.ISENTOAPO = f.getNumber("ISENTOAPO");
  l.DIARIAS = f.getNumber("DIARIAS");
  l.PENSAOREC = f.getNumber("PENSAOREC");
  l.LUCRODIV = f.getNumber("LUCRODIV");
  l.SOCIO = f.getNumber("SOCIO");
  l.IDENIZA = f.getNumber("IDENIZA");
  l.DECIMO3RO = f.getNumber("DECIMO3RO");
  l.VALOUTRO = f.getNumber("VALOUTRO");
  l.VALOUTRE = f.getNumber("VALOUTRE");
  return l;
}

rt::Status GRAVA_VALOR(store::Contexto& ctx, const Lancamento& l, char resposta, bool simples,
                       Cortes* cortes) {
  RT_TRY(fontePagadora(ctx, l, simples));
  if (simples) return {};
  RT_TRY(rendimentos(ctx, l, resposta, cortes));
  RT_TRY(pagamento(ctx, l, 12, l.PENSAOPAG));
  return pagamento(ctx, l, 14, l.PREVPRIVA);
}

void TRANSFERE(store::Contexto& ctx, Conversor&) {
  Table* folha = store::tabela(ctx.areas, Area::FOLHAPG);
  // Every row is written and checked as its lock is released: the tables close with nothing
  // left to write.
  if (folha == nullptr || !store::ABERTURA(ctx, Area::IMP0910) || !abreTabelas(ctx)) {
    ctx.areas.releaseAll();
    return;
  }
  const char resposta = respostaLancamento(ctx);
  Cortes cortes;
  const std::string inicio = ctx.LOCARQ;
  const RelatoConversor relato(ctx);
  bool todos = false;
  std::vector<std::uint32_t> linhas;
  for (folha->goTop(); folha->status() && !folha->eof(); folha->skip(1)) linhas.push_back(folha->recNo());
  bool falhou = !store::gravou(ctx, folha->status(), folha->alias());
  for (std::uint32_t n : linhas) {
    if (falhou) break;
    folha->goTo(n);
    if (!store::gravou(ctx, folha->status(), folha->alias())) break;
    const Lancamento l = leLancamento(*folha);
    const std::string cpf = rt::text::transform(l.CPF, "@R 999.999.999-99");
    console::MENS(ctx, console::mens::Linha, "Transferindo o cpf " + cpf + " " + rt::text::substr(l.NOMECONTR, 1, 20));
    ctx.console.refresh();
    Table& registro = *store::tabela(ctx.areas, Area::IMP0910);
    registro.setOrder(1);
    if (!store::gravou(ctx, registro.seek(store::Cpf(l.CPF).chave()), registro.alias())) break;
    if (registro.found()) {
      falhou = !GRAVA_VALOR(ctx, l, resposta, simplificada(ctx), &cortes) || !apagaComprovante(ctx);
      continue;
    }
    fechaTabelas(ctx);
    if (store::BUSCA_OUTRO(ctx, l.CPF, 1, 0)) {
      // Posted in the folder where he is, and back to the starting folder for the next one.
      falhou = !abreTabelas(ctx) || !GRAVA_VALOR(ctx, l, resposta, simplificada(ctx), &cortes) || !apagaComprovante(ctx);
      if (!voltaPasta(ctx, inicio)) falhou = true;
      continue;
    }
    if (!abreTabelas(ctx)) break;
    Ausente a = todos ? Ausente::Todos : perguntaAusente(ctx, cpf);
    if (a == Ausente::Abandona) {
      ctx.areas.releaseAll();
      dizCortes(ctx, cortes);
      return;
    }
    if (a == Ausente::Salta) continue;
    if (a == Ausente::Todos) todos = true;
    falhou = !incluiContribuinte(ctx, l) || !GRAVA_VALOR(ctx, l, resposta, false, &cortes) || !apagaComprovante(ctx);
  }
  ctx.areas.releaseAll();
  dizCortes(ctx, cortes);
  if (!falhou) console::MENS(ctx, console::mens::Espera, "Dados Transferidos");
  ctx.console.inkey(std::chrono::seconds(2));
  ctx.janelas.FECHAJAN(console::Jan::kMensagem);
}

}  // namespace converter

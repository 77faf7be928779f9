// FAZLANC: the journal's entry form. The clerk types an account of the chart (F1 lists it),
// then the entry the account asks for (its description, the amount, the payer's or payee's
// document, the months, the dependant's CPF), confirms it, and it goes into the working copy.
#include <map>

#include "console/alerta.h"
#include "console/documentos.h"
#include "console/janelas.h"
#include "console/listas.h"
#include "console/mensagens.h"
#include "console/molduras.h"
#include "console/recusas.h"
#include "console/validadores.h"
#include "rt/term/colour.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/read.h"
#include "screens/diario.h"
#include "store/abertura.h"
#include "store/acesso_tabelas.h"

namespace screens {

using namespace rt::text::literals;
using rt::text::alltrim;
using rt::text::Decimal;
namespace key = rt::term::key;

std::string faltaNoLancamento(const Conta& c, const Lancamento& l) {
  if (c.PAGINA == 1 && (c.comCpf() || c.comCnpj()) && console::TIRA_PONTO(l.NROCGCCPF).empty())
    return "Falta preencher o CNPF ou CPF";
  if (c.dependente() && alltrim(l.CPFDEPEN).empty()) return "Falta preencher o CPF do dependente";
  if (c.LIVROCX == "S" && l.MESINI == 0 && c.PAGINA < 5 && !(c.PAGINA == 2 && c.LINHA == 6))
    return std::string("Falta preencher o mês de lançamento"_cp);
  if (l.VALODESP.isZero()) return "Falta preencher o valor";
  if (c.TEMDESCR == "S" && alltrim(l.DESCONTA).empty()) return std::string("Falta preencher a Descrição ou o Nome "_cp);
  return {};
}

bool VEDAT(int pagina, int mesIni, int mesFim) {
  if (mesFim > 0 && (mesFim < mesIni || mesFim > 13)) return false;
  return (mesIni >= 1 && mesIni <= 12) || (mesIni == 0 && pagina > 5);
}

namespace {

// The form's variables by the names the pick list writes back into (the account's code), and
// the menu item it reads to know the chart is already open.
class VariaveisLancamento final : public console::Variaveis {
 public:
  explicit VariaveisLancamento(std::string& codigo) : codigo_(codigo) {}
  std::optional<rt::ui::Value> valor(std::string_view nome) const override {
    if (rt::text::upper(nome) == "CDCONTA") return rt::ui::Value(codigo_);
    if (rt::text::upper(nome) == "OPCAO_1") return rt::ui::Value(Decimal::fromInt(12));
    return std::nullopt;
  }
  bool atribui(std::string_view nome, const rt::ui::Value& v) override {
    const auto* s = std::get_if<std::string>(&v);
    if (rt::text::upper(nome) != "CDCONTA" || s == nullptr) return false;
    codigo_ = rt::text::padr(*s, 4);
    return true;
  }

 private:
  std::string& codigo_;
};

// F1 bound to the pick list while the account is typed; what it did before comes back afterwards.
class TeclaDaLista {
 public:
  TeclaDaLista(store::Contexto& ctx, console::Listas& listas) : con_(ctx.console) {
    if (const rt::term::Console::HotKey* h = con_.hotKeyFor(rt::term::Key{key::F1})) antes_ = *h;
    con_.setKey(key::F1, [&listas] { listas.GERAL(); });
  }
  ~TeclaDaLista() {
    if (antes_)
      con_.setKey(key::F1, antes_);
    else
      con_.clearKey(key::F1);
  }
  TeclaDaLista(const TeclaDaLista&) = delete;
  TeclaDaLista& operator=(const TeclaDaLista&) = delete;

 private:
  rt::term::Console& con_;
  rt::term::Console::HotKey antes_;
};

struct Lugar {
  int linha = 0, coluna = 0, largura = 0;
};

class Formulario {
 public:
  Formulario(store::Contexto& ctx, const store::Cpf& cpf) : ctx_(ctx), cpf_(cpf) {
    const console::Cores& c = ctx.cores;
    cores_ = rt::term::parseColourList(c.COR_SAY + "," + c.COR_GET + ",N/N,N/N," + c.COR_SAY);
  }

  void roda() {
    desenha();
    // The form is drawn afresh for each entry; it closes once, when the entries end.
    const auto form = console::JanelaAberta::adota(ctx_.janelas, console::Jan::kDialogo);
    VariaveisLancamento vars(codigo_);
    console::ServicosLista servicos;
    console::Listas listas(ctx_, store::acessoTabelas(ctx_),
                           vars, servicos);
    listas_ = &listas;
    while (pedeConta()) {
      if (!pedeLancamento()) break;
      if (conta_.TEMDESCR != "S") l_.DESCONTA = rt::text::substr(conta_.NMDESCRICA, 1, 60);
      l_.MESINI = static_cast<int>(mesIni_.wholePart());
      l_.MESFIM = static_cast<int>(mesFim_.wholePart());
      acrescentaNaCopia(ctx_, cpf_, l_).ignoreTold();  // a refusal is said there; the next account is asked
      desenha();
    }
    listas_ = nullptr;
    ctx_.janelas.FECHAJAN(console::Jan::kMensagem);
    console::MENS(ctx_);
  }

 private:
  // The form drawn afresh with its entry variables cleared.
  void desenha() {
    ctx_.janelas.FECHAJAN(console::Jan::kDialogo);
    console::MTELA3(ctx_, console::mtela3::Lancamento);
    codigo_ = std::string(4, ' ');
    conta_ = Conta{};
    l_ = Lancamento{};
    l_.DESCONTA = std::string(60, ' ');
    l_.CPFDEPEN = std::string(11, ' ');
    documento_ = std::string(18, ' ');
    mesIni_ = mesFim_ = Decimal();
  }

  Lugar lugar(std::string_view rotulo) const {
    for (const console::CampoMoldura& c : console::camposMoldura(ctx_, console::Familia::MTELA3, console::mtela3::Lancamento))
      if (c.rotulo == rotulo) return {ctx_.ALJ[2] + c.linha, ctx_.ACJ[2] + c.coluna, c.largura};
    return {};
  }

  void mostraNome(std::string_view nome) {
    const Lugar l = lugar("Conta");
    ctx_.screen().put(l.linha, l.coluna, rt::text::padr(rt::text::substr(nome, 1, 50), 50),
                      static_cast<rt::term::Attr>(ctx_.cores.COR_TEL1));
  }

  // VE_CONTA: a detail account of the chart; its rules become the form's.
  bool VE_CONTA() {
    std::optional<Conta> c = contaDoPlano(ctx_, codigo_);
    if (!c) {
      mostraNome({});
      console::MENS(ctx_, console::mens::Linha, "Conta não cadastrada no plano de contas"_cp);
      return false;
    }
    if (c->CDSTATUS == "N") {
      console::AVISOSN(ctx_, "Atençao! Essa conta é só Título. Use uma conta detalhada"_cp, 0);
      mostraNome({});
      return false;
    }
    console::MENS(ctx_);
    conta_ = *c;
    l_.CDCONTA = conta_.CDCONTA;
    const int largura = conta_.dependente() ? 18 : conta_.comCpf() ? 11 : conta_.comCnpj() ? 14 : 0;
    documento_ = std::string(static_cast<std::size_t>(largura), ' ');
    if (conta_.TEMDESCR != "S") l_.DESCONTA = std::string(60, ' ');
    if (conta_.LIVROCX == "S") mesIni_ = Decimal();
    mostraNome(conta_.NMDESCRICA);
    return true;
  }

  bool pedeConta() {
    const Lugar l = lugar("Código"_cp);
    rt::ui::Get g(l.linha, l.coluna, rt::ui::var("CDCONTA", codigo_), "@r 9.999");
    g.valid([this] { return VE_CONTA(); });
    // F1 lists the chart while the account is typed.
    const TeclaDaLista f1(ctx_, *listas_);
    return !rt::ui::readOne(ctx_.console, std::move(g), cores_, console::avisoDeRecusa(ctx_)).escaped;
  }

  // The document's picture: a dependant's entry takes a CPF or a CNPJ typed with its
  // separators, which tell the two apart.
  std::string_view mascaraDocumento() const {
    if (conta_.dependente()) return "@s18";
    return conta_.comCpf() ? "@R 999.999.999-99" : "@R 99.999.999/9999-99";
  }

  bool CONF_CGCOUCPF() {
    if (conta_.dependente()) return console::CPFCGC(ctx_, documento_);
    if (conta_.comCpf()) return console::VAL_CPF(ctx_, documento_);
    if (conta_.comCnpj()) return console::VAL_CGC(ctx_, documento_);
    return true;
  }

  bool meses() {
    if (VEDAT(conta_.PAGINA, static_cast<int>(mesIni_.wholePart()), static_cast<int>(mesFim_.wholePart()))) {
      console::MENS(ctx_);
      return true;
    }
    console::MENS(ctx_, console::mens::Linha, "Mês inválido: do mês 1 a 12, até o mês não menor que ele e até 13"_cp);
    return false;
  }

  // The entry, until it is confirmed (true) or the clerk ends the form (false, Esc or "Fim").
  bool pedeLancamento() {
    for (;;) {
      {
        rt::ui::Read read(ctx_.console, cores_);
        read.onRefusal(console::avisoDeRecusa(ctx_));
        const Lugar d = lugar("Desc./Nome"), v = lugar("Valor"), doc = lugar("CPF/CNPJ");
        const Lugar ini = lugar("do mês"_cp), fim = lugar("até o mês"_cp), dep = lugar("CPF Dependente");
        read.get(d.linha, d.coluna, rt::ui::var("DESCONTA", l_.DESCONTA), "@k").when([this] { return conta_.TEMDESCR == "S"; });
        read.get(v.linha, v.coluna, rt::ui::var("VALODESP", l_.VALODESP), "@Ez 99,999,999.99");
        read.get(doc.linha, doc.coluna, rt::ui::var("NROCGCCPF", documento_), mascaraDocumento())
            .when([this] {
              if (conta_.dependente()) return conta_.PAGINA != 3 && conta_.PAGINA != 4;
              return conta_.comCpf() || conta_.comCnpj();
            })
            .valid([this] { return CONF_CGCOUCPF(); });
        read.get(ini.linha, ini.coluna, rt::ui::var("MESINI", mesIni_), "@ 99")
            .when([this] { return conta_.LIVROCX == "S"; })
            .valid([this] { return meses(); });
        read.get(fim.linha, fim.coluna, rt::ui::var("MESFIM", mesFim_), "@ 99")
            .when([this] { return conta_.LIVROCX == "S"; })
            .valid([this] { return meses(); });
        read.get(dep.linha, dep.coluna, rt::ui::var("CPFDEPEN", l_.CPFDEPEN), "@R 999.999.999-99")
            .when([this] { return conta_.dependente(); })
            .valid([this] { return console::VAL_CPF(ctx_, l_.CPFDEPEN); });
        // Esc leaves the form without the entry, as "Fim" does.
        if (read.run().escaped) return false;
      }
      const std::string r = console::AVISOSN(ctx_, " Confirma ? ", 4);
      if (r == "F") return false;
      if (r != "S") continue;
      l_.NROCGCCPF = documento_;
      l_.MESINI = static_cast<int>(mesIni_.wholePart());
      const std::string falta = faltaNoLancamento(conta_, l_);
      if (falta.empty()) return true;
      console::AVISOSN(ctx_, falta, 0);
    }
  }

  store::Contexto& ctx_;
  store::Cpf cpf_;
  console::Listas* listas_ = nullptr;
  rt::term::ColourSet cores_;
  std::string codigo_;
  Conta conta_;
  Lancamento l_;
  std::string documento_;
  Decimal mesIni_, mesFim_;
};

}  // namespace

void FAZLANC(store::Contexto& ctx, const store::Cpf& cpf) {
  Formulario(ctx, cpf).roda();
}

}  // namespace screens

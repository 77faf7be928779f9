// The entry of the slips: one form per slip, checked, appended to table 67, with the next
// document and bank reference numbers offered for the next one; and the preparation that shows
// the slips already waiting in their grid.
#include "console/alerta.h"
#include "console/ajuda.h"
#include "console/janelas.h"
#include "console/listas.h"
#include "console/mensagens.h"
#include "console/molduras.h"
#include "console/recusas.h"
#include "grid/edita.h"
#include "grid/estado.h"
#include "office/boleto.h"
#include "store/acesso_tabelas.h"
#include "store/definicoes.h"
#include "office/formulario.h"
#include "office/remessa_diario.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/read.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/recusa.h"
#include "store/travas.h"

namespace office {

namespace {

using namespace rt::text::literals;
using rt::text::Date;
using rt::text::Decimal;
using store::Area;

// The entry's variables by the names the taxpayer list writes back into.
class VariaveisBoleto final : public console::Variaveis {
 public:
  explicit VariaveisBoleto(EntradaBoleto& e) : e_(e) {}
  std::optional<rt::ui::Value> valor(std::string_view nome) const override {
    const std::string n = rt::text::upper(nome);
    if (n == "CPFSAC") return rt::ui::Value(e_.CPFSAC);
    if (n == "NOMESAC") return rt::ui::Value(e_.NOMESAC);
    if (n == "VALORDOC") return rt::ui::Value(e_.VALORDOC);
    return std::nullopt;
  }
  bool atribui(std::string_view nome, const rt::ui::Value& v) override {
    const std::string n = rt::text::upper(nome);
    if (const auto* s = std::get_if<std::string>(&v)) {
      if (n == "CPFSAC") e_.CPFSAC = rt::text::padr(*s, 11);
      else if (n == "NOMESAC") e_.NOMESAC = rt::text::padr(*s, 30);
      else return false;
      return true;
    }
    if (const auto* d = std::get_if<Decimal>(&v); d && n == "VALORDOC") {
      // The fee agreed with the client, when the register has one.
      if (!d->isZero()) e_.VALORDOC = *d;
      return true;
    }
    return false;
  }

 private:
  EntradaBoleto& e_;
};

// The first check the slip fails, or nothing.
std::optional<std::string_view> falta(const EntradaBoleto& e, Date hoje) {
  if (rt::text::alltrim(e.CPFSAC).empty()) return "Preencha o CPF do Sacado";
  if (e.VALORDOC.isZero()) return "Preencha o Valor do boleto";
  if (e.DATADOC.isEmpty() || e.DATADOC < hoje) return "Data em branco ou invalida ";
  if (e.NRODOCUM.isZero()) return "Preencha o nro interno do documento";
  if (e.NOSSONRO.isZero()) return "Preencha o nro de referencia do Banco";
  return std::nullopt;
}

// Whether a slip waiting in table 67 already has this bank reference number.
bool nossoNumeroUsado(rt::db::Table& t, Decimal nro) {
  const std::uint32_t onde = t.recNo();
  bool usado = false;
  for (t.goTop(); t.status() && !t.eof() && !usado; t.skip(1))
    usado = t.getNumber("NOSSONRO") == nro;
  t.goTo(onde);  // only read: going back writes nothing
  return usado;
}

// The slip appended to table 67, then the office's next bank reference number (one past the
// greatest used) kept in DEFINE, both under their locks. False after saying why.
bool grava(store::Contexto& ctx, const EntradaBoleto& e) {
  if (!acrescentaBoleto(ctx, e)) return false;
  const Decimal proximo = e.NOSSONRO + Decimal(1);
  return static_cast<bool>(store::gravaDefine(ctx, [proximo](rt::db::Table& d) {
    if (d.getNumber("BOL_NOSNRO") >= proximo) return rt::Status();
    return d.put("BOL_NOSNRO", proximo);
  }));
}

class FormBoleto {
 public:
  FormBoleto(store::Contexto& ctx, EntradaBoleto& e, Date hoje)
      : ctx_(ctx),
        e_(e),
        hoje_(hoje),
        vars_(e),
        listas_(ctx, store::acessoTabelas(ctx), vars_,
                servicos_) {}

  void roda() {
    for (;;) {
      std::string r;
      {
        console::MTELA3(ctx_, console::mtela3::Sacado);
        const auto form = console::JanelaAberta::adota(ctx_.janelas, console::Jan::kTela);
        r = pede(LugaresMoldura(ctx_, console::Familia::MTELA3, console::mtela3::Sacado));
      }
      if (r != "S") return;
      if (!grava(ctx_, e_)) continue;  // said there; the slip is typed again
      std::string outro = "N";
      console::MENS(ctx_, console::mens::Campo, "Outro boleto ? ", outro, {.picture = "@ !"});
      if (rt::text::alltrim(outro) == "N" || rt::text::alltrim(outro).empty()) return;
      e_.NRODOCUM = e_.NRODOCUM + Decimal(1);
      e_.NOSSONRO = e_.NOSSONRO + Decimal(1);
      e_.VALORDOC = Decimal();
      e_.NOMESAC = std::string(30, ' ');
      e_.CPFSAC = std::string(11, ' ');
    }
  }

 private:
  void mostraSacado(const LugaresMoldura& l) {
    const Lugar s = l["Sacado"];
    ctx_.screen().put(s.linha, s.coluna, rt::text::padr(rt::text::left(e_.NOMESAC, s.largura), s.largura),
                      static_cast<rt::term::Attr>(ctx_.cores.COR_TEL1));
  }

  // The form until "S" (go on) or "I"/Esc (leave without the slip) is answered.
  std::string pede(const LugaresMoldura& l) {
    for (;;) {
      mostraSacado(l);
      {
        rt::ui::Read read(ctx_.console, coresFormulario(ctx_));
        read.onRefusal(console::avisoDeRecusa(ctx_));
        l.get(read, "CPF", rt::ui::var("CPFSAC", e_.CPFSAC), "@R 999.999.999-99").valid([this, &l] {
          if (rt::text::alltrim(e_.CPFSAC).empty()) return true;
          std::optional<Localizado> a = LOCALI_CPF(ctx_, e_.CPFSAC);
          if (!a) return false;
          e_.CPFSAC = rt::text::padr(a->cpf, 11);
          e_.NOMESAC = rt::text::padr(rt::text::left(a->nome, 30), 30);
          mostraSacado(l);
          return true;
        });
        l.get(read, "Vencimento", rt::ui::var("DATADOC", e_.DATADOC), "@D");
        l.get(read, "Valor", rt::ui::var("VALORDOC", e_.VALORDOC), "@E 999,999,999.99");
        l.get(read, "Doc", rt::ui::var("NRODOCUM", e_.NRODOCUM), "99999");
        l.get(read, "Nosso Nro.", rt::ui::var("NOSSONRO", e_.NOSSONRO), "99999999");
        // F1 on the CPF lists the register; the chosen taxpayer fills the payer.
        const std::string ajudaAntes = ctx_.QUALHLP;
        ctx_.QUALHLP = "M->CPFSAC";
        const TeclaF1 f1(ctx_.console, [this] { listas_.GERAL(); });
        const bool saiu = read.run().escaped;
        ctx_.QUALHLP = ajudaAntes;
        if (saiu) return "I";
      }
      const std::string r = console::AVISOSN(ctx_, "Confirma os dados ?", 3);
      if (r == "I") return r;
      if (r != "S") continue;
      if (std::optional<std::string_view> f = falta(e_, hoje_)) {
        console::AVISOSN(ctx_, *f, 0);
        continue;
      }
      if (nossoNumeroUsado(*store::tabela(ctx_.areas, Area::BOLETO), e_.NOSSONRO) &&
          console::AVISOSN(ctx_, "Esse nosso número já está em outro boleto. Grava assim mesmo?"_cp, 2) != "S")
        continue;
      return r;
    }
  }

  store::Contexto& ctx_;
  EntradaBoleto& e_;
  Date hoje_;
  VariaveisBoleto vars_;
  console::ServicosLista servicos_;
  console::Listas listas_;
};

// Ins on the grid of waiting slips enters the next ones.
class ServicosBoletos final : public grid::ServicosGrade {
 public:
  ServicosBoletos(EntradaBoleto& e, Date hoje) : e_(e), hoje_(hoje) {}
  void UNICO_BOL(store::Contexto& ctx, grid::Grade&) override { office::UNICO_BOL(ctx, e_, hoje_); }

 private:
  EntradaBoleto& e_;
  Date hoje_;
};

}  // namespace

rt::Status acrescentaBoleto(store::Contexto& ctx, const EntradaBoleto& e) {
  const store::SelecaoGuardada boleto(ctx.areas, Area::BOLETO);
  // Waits for the append lock, as every terminal does: also while another terminal generating
  // the remittance file holds the table.
  if (!store::ADD_REC(ctx, store::kSemLimite)) return console::falhaDita(rt::Error::kLocked, "BOLETO");
  rt::db::Table& t = *store::tabela(ctx.areas, Area::BOLETO);
  rt::Status s = t.put("NRODOCUM", e.NRODOCUM);
  if (s) s = t.put("NOSSONRO", e.NOSSONRO);
  if (s) s = t.put("DATADOC", e.DATADOC);
  if (s) s = t.put("VALORDOC", e.VALORDOC);
  if (s) s = t.put("NOMESAC", e.NOMESAC);
  if (s) s = t.put("CPFSAC", e.CPFSAC);
  return store::liberaGravacao(ctx, t, s, "BOLETO");
}

void UNICO_BOL(store::Contexto& ctx, EntradaBoleto& e, Date hoje) {
  const bool aberta = store::aberta(ctx.areas, Area::BOLETO);
  if (!aberta && !store::ABERTURA(ctx, Area::BOLETO)) return;  // the opener said why
  FormBoleto(ctx, e, hoje).roda();
  if (!aberta) store::solta(ctx.areas, Area::BOLETO);  // written and released already
}

void FAZ_BOLETO(store::Contexto& ctx, Date hoje) {
  std::optional<ContaBoleto> conta = leContaBoleto(ctx);
  if (!conta) return;
  EntradaBoleto e;
  e.NOSSONRO = conta->BOL_NOSNRO;
  e.DATADOC = hoje;
  // Slips a terminal killed in its remittance had already sent are not offered again.
  (void)recuperaRemessa(ctx);
  const store::SelecaoGuardada selecao(ctx.areas);
  if (!store::ABERTURA(ctx, Area::BOLETO)) return;  // the opener said why
  rt::db::Table& t = *store::tabela(ctx.areas, Area::BOLETO);
  t.goTop();  // a move of a table only read writes nothing
  if (t.eof()) {
    UNICO_BOL(ctx, e, hoje);
  } else {
    console::MENS(ctx, console::mens::Linha, "Use a tecla insert para um novo boleto.");
    ServicosBoletos servicos(e, hoje);
    grid::Grade g;
    g.servicos = &servicos;
    grid::EDITA(ctx, g, grid::Tela::Boletos);
    console::MENS(ctx);
  }
  store::solta(ctx.areas, Area::BOLETO);  // every slip was written and released
}

}  // namespace office

// The taxpayer prompt of the declaration driver and its chooser keys.
#include <optional>
#include <string>

#include "console/alerta.h"
#include "console/janelas.h"
#include "console/listas.h"
#include "console/mensagens.h"
#include "console/validadores.h"
#include "console/ver_nome.h"
#include "grid/edita.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/read.h"
#include "shell/cores_registro.h"
#include "shell/declara.h"
#include "shell/pastas_grade.h"
#include "store/abertura.h"
#include "store/acesso_tabelas.h"
#include "store/areas.h"
#include "store/busca_outro.h"
#include "store/copia_trabalho.h"
#include "store/pastas_dados.h"
#include "store/tabelas_declaracao.h"

namespace shell {

using namespace rt::text::literals;
namespace key = rt::term::key;

namespace {

// The pick lists write the chosen taxpayer's CPF into the prompt's variable.
class VariaveisDoCodigo final : public console::Variaveis {
 public:
  VariaveisDoCodigo(Program& p, std::string& digitado) : p_(p), digitado_(digitado) {}
  std::optional<rt::ui::Value> valor(std::string_view nome) const override {
    if (rt::text::upper(nome) == "CPF") return rt::ui::Value(digitado_);
    if (rt::text::upper(nome) == "OPCAO_1") return rt::ui::Value(rt::text::Decimal::fromInt(p_.OPCAO_1));
    return std::nullopt;
  }
  bool atribui(std::string_view nome, const rt::ui::Value& v) override {
    const auto* t = std::get_if<std::string>(&v);
    if (rt::text::upper(nome) != "CPF" || t == nullptr) return false;
    digitado_ = store::Cpf(*t).chave();
    return true;
  }

 private:
  Program& p_;
  std::string& digitado_;
};

class ServicosDoCodigo final : public console::ServicosLista {
 public:
  explicit ServicosDoCodigo(Declara& d) : d_(d) {}
  void MOSTR_PAG(int) override { store::MOSTR_PAG(d_.p, d_.dec, 1); }
  void MOS_DETAL() override { ServicosDeclara::porTecla(d_.srv.detalhe, d_.p, d_); }
  void MOS_PEND() override { ServicosDeclara::porTecla(d_.srv.pendencias, d_.p, d_); }

 private:
  Declara& d_;
};

// The register on the next or previous taxpayer, not past its ends.
void moveRegistro(Program& p, std::string& digitado, int passo) {
  rt::db::Table* r = store::tabela(p.areas, store::Area::IMP0910);
  if (r == nullptr) return;
  if (r->eof()) {
    passo > 0 ? r->goTop() : r->goBottom();
  } else {
    r->skip(passo);
    if (r->eof()) r->goBottom();
    if (r->bof()) r->goTop();
  }
  if (!r->eof()) digitado = r->getText("CPF");
}

// The register on the taxpayer the prompt offers, so the page beside it is his; a CPF the
// register does not hold leaves the page blank rather than showing someone else's name.
void registroNoCpf(Program& p, const std::string& cpf) {
  rt::db::Table* r = store::tabela(p.areas, store::Area::IMP0910);
  if (r == nullptr || rt::text::alltrim(cpf).empty()) return;
  if (!r->eof() && !r->isDeleted() && r->getText("CPF") == cpf) return;
  const int ordem = r->order();
  r->setOrder(1);
  const bool achou = r->seek(cpf) && r->found();
  r->setOrder(ordem);
  if (!achou) {
    r->goBottom();
    r->skip(1);
  }
}

}  // namespace

void Declara::escolhe(int lista) {
  VariaveisDoCodigo vars(p, digitado_);
  ServicosDoCodigo servicos(*this);
  console::Listas l(p,
                    store::acessoTabelas(p),
                    vars, servicos);
  if (!store::aberta(p.areas, store::Area::IMP0910)) store::reabre(p, store::Area::IMP0910);
  // The register's list is the one of the CPF prompt, whatever input is running.
  p.QUALHLP = "M->CPF";
  l.TEMHLP = true;
  if (lista == 5)
    l.GERAL5();
  else if (lista == 4)
    l.GERAL4();
  else
    l.GERAL1();
}

bool Declara::GET_CODIGO(int linha, int coluna, int modo, int carga) {
  for (;;) {
    emUso_ = false;
    const bool r = pedeCodigo(linha, coluna, modo, carga);
    if (!emUso_) return r;
  }
}

bool Declara::leCpf(int linha, int coluna, int modo) {
  store::EspelhoDeclaracao& e = dec.espelho;
  const rt::term::ColourSet cores = rt::term::parseColourList(CORNORM(p.cores));
  // An empty CPF searches the register by name; the taxpayer chosen fills the prompt.
  digitado_ = p.CPF.chave();
  VariaveisDoCodigo vars(p, digitado_);
  ServicosDoCodigo servicosLista(*this);
  const console::AcessoTabelas tabelas = store::acessoTabelas(p);
  console::Listas listas(p, tabelas, vars, servicosLista);
  std::string nome;
  const console::BuscaNome porNome =
      console::buscaPorNome(p, console::registroNomes(tabelas, listas, [this] { mostraPagina(); }),
                            console::AlvoNome{17 + linha, 4 + coluna, &digitado_, &nome});
  bool primeira = true;
  while (true) {
    if (!store::aberta(p.areas, store::Area::IMP0910)) store::reabre(p, store::Area::IMP0910);
    if (primeira && modo == 1) registroNoCpf(p, digitado_);
    primeira = false;
    if (modo == 1) paginaDoDigitado();
    rt::ui::Get g(17 + linha, 4 + coluna, rt::ui::var("M->CPF", digitado_), "@r 999.999.999-99");
    g.valid([this, &porNome] { return console::VAL_CPF(p, digitado_, false, porNome); });
    // A CPF being typed is nobody's yet: the name of the one offered goes.
    if (modo == 1) g.edited([this] { p.relato().contribuinte("", ""); });
    const rt::ui::ReadResult r = rt::ui::readOne(p.console, std::move(g), cores);
    if (!e.LRECUPERA) {
      if (r.escaped) return false;
      if (r.lastKey.code == key::PgDn || r.lastKey.code == key::PgUp) {
        moveRegistro(p, digitado_, r.lastKey.code == key::PgDn ? 1 : -1);
        continue;
      }
      // An empty CPF names nobody: it is asked again rather than registered.
      if (rt::text::alltrim(digitado_).empty()) continue;
    }
    break;
  }
  return true;
}

bool Declara::cpfNaPasta() {
  if (!store::ABERTURA(p, store::Area::IMP0910)) return false;
  rt::db::Table& reg = *store::tabela(p.areas, store::Area::IMP0910);
  // Sought in CPF order and without the rural filter; the filter stays for the lists.
  auto filtro = reg.hasFilter();
  if (filtro) reg.clearFilter();
  reg.setOrder(1);
  const bool achou = reg.seek(p.CPF) && reg.found();
  if (filtro) SO_MOL_filtro(reg);
  return achou;
}

bool Declara::pedeCodigo(int linha, int coluna, int modo, int carga) {
  store::EspelhoDeclaracao& e = dec.espelho;
  // A recovery asked for at an earlier prompt never reaches this one.
  e.LRECUPERA = false;
  const int item = p.OPCAO_1;
  if (!leCpf(linha, coluna, modo)) return false;
  p.CPF = digitado_;
  e.CPF = p.CPF;

  const bool achou = e.LRECUPERA || cpfNaPasta();
  // Beside a CPF this folder does not hold, while other folders are searched and the clerk is
  // asked to include it, no name.
  if (!achou && modo == 1) {
    p.relato().contribuinte(p.CPF.chave(), "");
    store::mostraPastaAtual(p);
  }
  const bool carrega_ = item == 11 || item == 13;
  if (achou) {
    if (modo == 1) mostraPagina();
    if (carrega_) return carrega(carga, 1).isOk();
    return true;
  }
  return deOutraPasta(modo, item, carga);
}

bool Declara::deOutraPasta(int modo, int item, int carga) {
  const std::optional<store::Achado> fora = store::BUSCA_OUTRO(p, p.CPF, 1, 1);
  // Found elsewhere, that folder is now the current one: the page shows it and the taxpayer.
  if (fora && modo == 1) mostraPagina();
  if (item != 11) {
    if (!fora) {
      // One text too wide for an alert's row: it is shown on two, split between its sentences.
      console::AVISOSN(
          p,
          {std::string_view("O contribuinte não foi localizado em nenhum dos diretórios indicado."_cp),
           std::string_view(" Confira o código ou os diretórios digitados     "_cp)},
          0);
      return false;
    }
    if (item == 12 || item == 13) return carrega(carga, 1).isOk();
    return true;
  }
  if (!fora) {
    const std::string r = console::AVISOSN(p,
                                           {std::string_view(" Esse Contribuinte não está cadastrado  "_cp),
                                            "em nenhuma das Pastas indicadas. Inclui?"},
                                           2);
    if (r != "S") return false;
    tela.PVEZ = true;
    if (rt::db::Table* reg = store::tabela(p.areas, store::Area::IMP0910))
      reg->goBottom(), reg->skip(1);
    return carrega(carga, 0).isOk();
  }
  return carrega(carga, 1).isOk();
}

void Declara::paginaDoDigitado() {
  mostraPagina();
  // The register may stand on another taxpayer than the CPF offered (none offered yet, or one
  // it does not hold): his name is not shown beside it.
  const rt::db::Table* r = store::tabela(p.areas, store::Area::IMP0910);
  const bool dele = r != nullptr && !r->eof() && !r->isDeleted() &&
                    store::Cpf(r->getText("CPF")) == store::Cpf(digitado_);
  if (!dele) p.relato().contribuinte(digitado_, "");
}

rt::Status Declara::DIRETO() {
  std::string cpf;
  {
    const bool aberta = static_cast<bool>(store::abreCopia(p, store::Area::TMP_09));
    if (aberta) {
      rt::db::Table& t = *store::tabela(p.areas, store::Area::TMP_09);
      t.goTop();
      if (!t.eof()) cpf = t.getText("CPF");
    }
    // The recovery opens the copies itself, and only when nothing else has them.
    store::solta(p.areas, store::Area::TMP_09);
  }
  if (rt::text::alltrim(cpf).empty()) {
    console::MENS(p, console::mens::Aviso, "Impossível recuperar o último CPF."_cp, {.linha = 20, .coluna = std::string("C")});
    return console::falhaDita(rt::Error::kNotFound, "DIRETO");
  }
  digitado_ = store::Cpf(cpf).chave();
  dec.espelho.LRECUPERA = true;
  if (rt::term::ActiveInput* in = p.console.activeInput()) {
    // A CPF of eleven digits in the CPF field: it always fits.
    (void)in->setText(digitado_);
    in->endRead();
  }
  return {};
}

void Declara::SO_MOL_filtro(rt::db::Table& reg) {
  reg.setFilter([](const rt::db::Table& t) { return t.getText("TEMRURAL") == "S"; });
}

void Declara::SO_MOL() {
  if (!store::aberta(p.areas, store::Area::IMP0910) && !store::ABERTURA(p, store::Area::IMP0910)) return;
  rt::db::Table& reg = *store::tabela(p.areas, store::Area::IMP0910);
  soRural = !soRural;
  if (soRural)
    SO_MOL_filtro(reg);
  else
    reg.clearFilter();
  reg.goTop();
  if (!reg.eof()) digitado_ = reg.getText("CPF");
  if (rt::term::ActiveInput* in = p.console.activeInput()) in->requestRedisplay();
  mostraPagina();
}

void Declara::MOS_DIR() {
  shell::MOS_DIR(p);
  if (!store::aberta(p.areas, store::Area::IMP0910)) store::reabre(p, store::Area::IMP0910);
  mostraPagina();
}

}  // namespace shell

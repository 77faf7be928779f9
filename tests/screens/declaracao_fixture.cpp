#include "declaracao_fixture.h"

#include "rt/term/keys.h"
#include "rt/text/strings.h"
#include "screens/regras.h"
#include "shell/telas_declaracao.h"
#include "store/abertura.h"

namespace screens::teste {

namespace key = rt::term::key;

void DeclaracaoFixture::SetUp() {
  ASSERT_TRUE(inicia());
  p->OPCAO_1 = 11;
}

DeclaracaoFixture::~DeclaracaoFixture() { p.reset(); }

void DeclaracaoFixture::roda() {
  shell::ServicosDeclara s;
  s.GTELA = [this](shell::Program& q, shell::Declara& d, int n) {
    telas.push_back(n);
    if (aoEntrar) aoEntrar(d, n);
    if (term.exhausted() || telas.size() > 100) {
      d.tela.INI = "I";
      return;
    }
    shell::telaDeclaracao(q, d, n, regrasDeclaracao());
  };
  shell::DECLARA(*p, s);
}

void DeclaracaoFixture::novo(std::string_view cpf) {
  term.type(cpf);
  term.press('S');
  term.pause();
}

void DeclaracaoFixture::abre(std::string_view cpf) {
  term.type(cpf);
  term.pause();
}

void DeclaracaoFixture::termina(char resposta) {
  term.press(key::Esc);
  term.press(resposta);
  term.pause();
  term.press(key::Esc);
}

void DeclaracaoFixture::digitaDependenteEPagamento() {
  term.type("FILHO UM");
  term.press(key::Enter);
  term.type("21");
  term.pause();  // the code's name, in an alert
  term.press(key::Enter);
  term.type("01012005");
  term.type("52998224725");  // a full CPF ends the cell: on to a new row
  term.press(key::Tab);      // to the payments
  term.type("CLINICA SAUDE");
  term.press(key::Enter);
  term.type("20");
  term.pause();
  term.press(key::Enter);
  term.type("1");  // the dependant's number
  term.press(key::Enter);
  term.type("11222333000181");
  term.press(key::Enter);
  term.type("1500");
  term.press(key::Enter);
}

std::unique_ptr<rt::db::Table> DeclaracaoFixture::dados(std::string_view arquivo, std::string_view cpf) {
  auto t = rt::db::Table::open(p->LOCARQ + std::string(arquivo) + ".DBF");
  if (!t) return nullptr;
  auto tabela = std::move(*t);
  (void)tabela->goTop();
  while (!tabela->eof() && tabela->getText("CPF") != cpf) (void)tabela->skip();
  return tabela;
}

std::string DeclaracaoFixture::texto(std::string_view arquivo, std::string_view cpf, std::string_view campo) {
  auto t = dados(arquivo, cpf);
  if (!t || t->eof()) return "<none>";
  return std::string(rt::text::trim(t->getText(campo)));
}

int DeclaracaoFixture::conta(std::string_view arquivo, std::string_view cpf, std::string_view dependente) {
  int n = 0;
  for (auto t = dados(arquivo, cpf); t && !t->eof(); (void)t->skip())
    if (!t->isDeleted() && t->getText("CPF") == cpf && (dependente.empty() || t->getText("CPFDEPEN") == dependente))
      ++n;
  return n;
}

}  // namespace screens::teste

#include "declaracao_fixture.h"

#include <cstdlib>
#include <filesystem>

#include "rt/db/table.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "taxcalc/calc.h"
#include "taxcalc/pagamentos.h"
#include "taxcalc/rendimentos.h"
#include "support/scratch_dir.h"

namespace taxcalc::teste {

namespace {
std::string juntas(std::span<const std::string> linhas) {
  std::string s;
  for (const std::string& l : linhas) s += (s.empty() ? "" : "|") + l;
  return s;
}
constexpr const char* kCpf = "12345678909";
}  // namespace

void SaidaGravada::aviso(std::span<const std::string> linhas) {
  eventos.push_back("aviso:" + juntas(linhas));
}
void SaidaGravada::alerta(std::string_view texto) {
  eventos.push_back("alerta:" + std::string(texto));
}
bool SaidaGravada::pergunta(std::span<const std::string> linhas, bool padrao) {
  eventos.push_back("pergunta:" + juntas(linhas));
  if (respostas.empty()) return padrao;
  bool r = respostas.front();
  respostas.pop_front();
  return r;
}
void SaidaGravada::rodape(std::string_view texto) {
  eventos.push_back("rodape:" + std::string(texto));
}
void SaidaGravada::mostra(Quadro quadro) {
  eventos.push_back("mostra:" + std::to_string(static_cast<int>(quadro)));
}
void SaidaGravada::caixa(std::string_view texto, bool atencao) {
  eventos.push_back(std::string(atencao ? "caixa!:" : "caixa:") + std::string(texto));
}
void SaidaGravada::progresso(std::string_view texto, int passo, int total) {
  progressos.push_back(std::to_string(passo) + "/" + std::to_string(total) + ":" + std::string(texto));
}
std::vector<std::string> SaidaGravada::com(std::string_view prefixo) const {
  std::vector<std::string> r;
  for (const std::string& e : eventos)
    if (e.starts_with(prefixo)) r.push_back(e);
  return r;
}

void VizinhosDeTeste::FDE_LEAO(Contexto& c, int modo) {
  rt::db::Table* t = c.areas.table(workareas::Area::TMP_02);
  std::string lado = (t != nullptr && !t->eof()) ? t->getText("I1_11") : "-";
  leao.push_back(lado + "/" + std::to_string(modo));
}

void VizinhosDeTeste::VE_SALDO(Contexto& c) {
  if (!temSaldo) return;
  c.d.registro.num("SALDO", saldo);
  c.v.RECEITA = receita;
}

std::string pastaTemporaria() {
  return support::makeScratchDir("taxcalc");
}

void criaCopias(workareas::AreasTrabalho& areas, const std::string& pasta) {
  areas.setDeletedHidden(true);
  for (store::Area area : {store::Area::TMP_02, store::Area::TMP_03, store::Area::TMP_04, store::Area::TMP_05,
                           store::Area::TMP_06, store::Area::TMP_10}) {
    const std::string nome = pasta + "/TMP_" + std::to_string(store::numero(area) - 20) + "01";
    EXPECT_TRUE(rt::db::Table::create(nome, store::camposDbf(store::estrutura(area)),
                                      rt::db::CreateMode::kReplace));
    rt::db::OpenOptions o;
    o.exclusive = true;
    EXPECT_TRUE(areas.open(area, nome + ".DBF", o)) << nome;
  }
}

DeclaracaoTeste::DeclaracaoTeste() {
  pasta = pastaTemporaria();
  criaCopias(areas, pasta);
  d.CPF = kCpf;
  d.registro.txt("CPF", kCpf);
  d.tabela01.txt("CPF", kCpf);
  d.tabela01.num("CAL_AUTO", Decimal(1));
  d.tabela01.num("INDALERTA", Decimal(10));
  modelo("N");
}

DeclaracaoTeste::~DeclaracaoTeste() {
  (void)areas.closeAll();
  std::error_code ec;
  std::filesystem::remove_all(pasta, ec);
}

void DeclaracaoTeste::linha(store::Area area, Campos campos) {
  rt::db::Table& t = tabela(area);
  ASSERT_TRUE(t.appendBlank());
  ASSERT_TRUE(t.put("CPF", std::string(kCpf)));
  for (const auto& [nome, valor] : campos) ASSERT_TRUE(t.put(nome, valor)) << nome;
  ASSERT_TRUE(t.flush());
}

void DeclaracaoTeste::renda(const char* tipo, Decimal valor, Decimal retido, Decimal previdencia,
                            Campos outros) {
  linha(store::Area::TMP_02, {{"I1_1", std::string(tipo)},
                              {"I1_4", valor},
                              {"I1_5", retido},
                              {"I1_6", previdencia},
                              {"I1_11", std::string(std::string_view(tipo) == "D" ? "N" : "S")}});
  for (const auto& [nome, valor2] : outros)
    ASSERT_TRUE(tabela(store::Area::TMP_02).put(nome, valor2)) << nome;
}

void DeclaracaoTeste::pagamento(int codigo, Decimal valor, Decimal naoDedutivel, int pessoa) {
  linha(store::Area::TMP_06,
        {{"I6_3", Decimal(codigo)}, {"I6_4", valor}, {"I6_5", naoDedutivel}, {"I6_6", Decimal(pessoa)}});
}

void DeclaracaoTeste::dependente(int codigo, const char* nome) {
  linha(store::Area::TMP_03, {{"NOMEDEPEN", std::string(nome)}, {"CODIDEPEN", Decimal(codigo)}});
}

void DeclaracaoTeste::calcula(int show) {
  FI1_T(c, 0);
  d.JA_CALC = false;
  FDE_TUDO(c, 2);
  CALC(c, 7, show);
}

}  // namespace taxcalc::teste

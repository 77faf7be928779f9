#include "declaracao_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>

#include "rt/text/decimal.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/copia_trabalho.h"
#include "store/declaracao.h"
#include "store/transfere.h"
#include "store_fixture.h"

namespace store::teste {

using rt::text::Decimal;

std::vector<int> tabelasDeclaracao() {
  std::vector<int> v;
  for (int n = 1; n <= 19; ++n)
    if (n != 9 && n != 13) v.push_back(n);
  return v;
}

std::string campoMarca(int n) {
  for (const CampoDef& c : estrutura(static_cast<store::Area>(n)))
    if (c.tipo == 'C' && c.largura >= 10 && c.nome != "CPF") return c.nome;
  return {};
}

std::string marca(int n, const std::string& cpf, int linha) {
  return "T" + std::to_string(n) + "C" + cpf.substr(8) + "L" + std::to_string(linha);
}

namespace {

void criaDeclaracoes(Contexto& ctx, const std::vector<std::string>& cpfs, int linhas) {
  for (Area tab : kComCopia) {
    if (tab == Area::IMP1310) continue;
    const int n = numero(tab);
    ASSERT_TRUE(ABERTURA(ctx, tab, true)) << n;
    rt::db::Table& t = *ctx.areas.table(tab);
    const std::string campo = campoMarca(n);
    const int k = (n == 1 || n == 9 || n == 15) ? 1 : linhas;
    for (const std::string& cpf : cpfs) {
      for (int i = 0; i < k; ++i) {
        ASSERT_TRUE(t.appendBlank());
        ASSERT_TRUE(t.put("CPF", cpf));
        if (n >= 15) {
          ASSERT_TRUE(t.put("ATV_BRASIL", std::string("S")));
        }
        ASSERT_TRUE(t.put(campo, marca(n, cpf, i)));
        if (n == 4) {
          ASSERT_TRUE(t.put("I7_0", Decimal::fromInt((i + 1) * 10)));
        }
        if (n == 5) {
          ASSERT_TRUE(t.put("I8_0", Decimal::fromInt((i + 1) * 10)));
        }
        if (n == 9) {
          ASSERT_TRUE(t.put("TEMRURAL", std::string("S")));
          ASSERT_TRUE(t.put("ATV_BRASIL", std::string("S")));
          ASSERT_TRUE(t.put("ESTATUS", Decimal::fromInt(1)));
        }
        if (n == 1) {
          ASSERT_TRUE(t.put("I3_14", Decimal::fromInt(777)));
        }
      }
    }
    ASSERT_TRUE(ctx.areas.close(workareas::declaracao(n)));
  }
}

// Folders filled once per test program and copied for each test: making tables and working
// copies syncs every file, which would cost each test a second on a real disk.
struct Modelo {
  Pasta programa, dados, trabalho;
};

void copiaPasta(const std::string& de, const std::string& para) {
  for (const auto& e : std::filesystem::directory_iterator(de))
    std::filesystem::copy_file(e.path(), std::filesystem::path(para) / e.path().filename(),
                               std::filesystem::copy_options::overwrite_existing);
}

}  // namespace

void preencheDeclaracoes(Contexto& ctx, const std::vector<std::string>& cpfs, int linhas) {
  static std::map<std::string, std::unique_ptr<Modelo>> modelos;
  std::string chave = ctx.NUSU + "/" + std::to_string(linhas);
  for (const std::string& c : cpfs) chave += "/" + c;
  auto& m = modelos[chave];
  const std::string programa = ctx.ROTADEF, dados = ctx.ROTADOANO, trabalho = ctx.DIRTRAB;
  if (!m) {
    m = std::make_unique<Modelo>();
    ctx.definePastaPrograma(m->programa.caminho());
    ctx.definePastaDados(m->dados.caminho());
    ctx.definePastaTrabalho(m->trabalho.caminho());
    criaDeclaracoes(ctx, cpfs, linhas);
    // One load makes the working copies and the program folder's tables.
    Declaracao d;
    d.espelho.CPF = cpfs.front();
    EXPECT_TRUE(INIC_VAR(ctx, d, 0, 1));
    (void)ctx.areas.closeAll();
    ctx.definePastaPrograma(programa);
    ctx.definePastaDados(dados);
    ctx.definePastaTrabalho(trabalho);
  }
  copiaPasta(m->programa.caminho(), programa);
  copiaPasta(m->dados.caminho(), dados);
  copiaPasta(m->trabalho.caminho(), trabalho);
}

std::vector<std::string> marcasNaCopia(rt::db::Table& t) {
  std::vector<std::string> v;
  int campo = -1;
  // The mark field is the first long text field after CPF.
  for (int i = 0; i < t.fieldCount(); ++i) {
    const rt::db::FieldDef& f = t.fields()[static_cast<std::size_t>(i)];
    if (f.type == 'C' && f.width >= 10 && f.name != "CPF") {
      campo = i;
      break;
    }
  }
  const std::uint32_t total = t.recordCount();
  for (std::uint32_t r = 1; r <= total; ++r) {
    t.goTo(r);
    EXPECT_TRUE(t.status());
    if (t.isDeleted()) continue;
    std::string s = campo < 0 ? std::string() : t.getText(t.fields()[static_cast<std::size_t>(campo)].name);
    v.push_back(s.substr(0, s.find_last_not_of(' ') + 1));
  }
  return v;
}

std::vector<std::string> marcasNaTabela(Contexto& ctx, int n, const std::string& cpf) {
  const TabelaDef* def = tabela(static_cast<store::Area>(n));
  auto t = rt::db::Table::open(caminho(ctx, comExtensao(arquivoTabela(ctx, *def), ".DBF")), {});
  EXPECT_TRUE(t.isOk()) << n;
  if (!t) return {};
  rt::db::Table& tab = **t;
  const std::string campo = campoMarca(n);
  std::vector<std::string> v;
  const std::uint32_t total = tab.recordCount();
  for (std::uint32_t r = 1; r <= total; ++r) {
    tab.goTo(r);
    EXPECT_TRUE(tab.status());
    if (tab.isDeleted() || tab.getText("CPF") != cpf) continue;
    std::string s = tab.getText(campo);
    v.push_back(s.substr(0, s.find_last_not_of(' ') + 1));
  }
  return v;
}

TabelaDiario linhasComMarca(Contexto& ctx, int n, const std::string& cpf, const Marcas& marcas) {
  TabelaDiario t = tabelaVazia(static_cast<store::Area>(n));
  auto atual = rt::db::Table::open(caminho(ctx, comExtensao(arquivoTabela(ctx, *tabela(t.numero)), ".DBF")), {});
  EXPECT_TRUE(atual.isOk()) << n;
  if (!atual) return t;
  auto lidas = linhasDoCpf(**atual, t.numero, Cpf(cpf));
  EXPECT_TRUE(lidas);
  std::size_t tamanho = 0;
  for (const rt::db::FieldDef& f : t.campos) tamanho += static_cast<std::size_t>(f.width);
  const std::string modelo =
      !lidas || lidas->registros.empty() ? std::string(tamanho, ' ') : lidas->registros.front();
  auto poe = [&t](std::string& r, std::string_view nome, std::string_view valor) {
    for (const rt::db::FieldDef& f : t.campos)
      if (f.name == nome)
        r.replace(static_cast<std::size_t>(f.offset), static_cast<std::size_t>(f.width),
                  rt::text::padr(valor, f.width));
  };
  for (const auto& [lado, m] : marcas) {
    std::string r = modelo;
    if (n >= 15 && !lado.empty()) poe(r, "ATV_BRASIL", lado);
    poe(r, campoMarca(n), m);
    t.registros.push_back(r);
  }
  trocaCpfDasLinhas(t, cpf);
  return t;
}

}  // namespace store::teste

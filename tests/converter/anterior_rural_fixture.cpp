#include "anterior_rural_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <regex>

#include "converter/receita_tabelas.h"
#include "rt/db/table.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "support/dbfread.h"

namespace converter::teste {

rt::db::FieldDef doCatalogo(int n, std::string_view noCatalogo, std::string_view naFonte) {
  const store::CampoDef* c = store::campo(store::estrutura(static_cast<store::Area>(n)), noCatalogo);
  EXPECT_NE(c, nullptr) << noCatalogo;
  if (c == nullptr) return {};
  return {std::string(naFonte.empty() ? noCatalogo : naFonte), c->tipo, c->largura, c->decimais, 0};
}

Nomes serie(std::string_view aqui, std::string_view la, int de, int ate, bool doisDigitos) {
  Nomes v;
  for (int i = de; i <= ate; ++i) {
    const std::string n = doisDigitos ? rt::text::doisDigitos(i) : std::to_string(i);
    v.emplace_back(std::string(aqui) + n, std::string(la) + n);
  }
  return v;
}

Nomes iguais(std::initializer_list<std::string_view> nomes) {
  Nomes v;
  for (std::string_view n : nomes) v.emplace_back(n, n);
  return v;
}

Nomes junta(std::initializer_list<Nomes> partes) {
  Nomes v;
  for (const Nomes& p : partes) v.insert(v.end(), p.begin(), p.end());
  return v;
}

std::vector<rt::db::FieldDef> camposFonte(int n, const Nomes& nomes, bool comLado) {
  std::vector<rt::db::FieldDef> v{doCatalogo(9, "CPF")};
  if (comLado) v.push_back(doCatalogo(15, "ATV_BRASIL", "ATV_EXTER"));
  for (const auto& [aqui, la] : nomes) v.push_back(doCatalogo(n, aqui, la));
  return v;
}

namespace {

// The herds I7_<i><kind> (i = 1 to 5) of the kinds given, in that order, then I7_V1.
Nomes rebanhos(std::initializer_list<std::string_view> tipos) {
  Nomes v;
  for (int i = 1; i <= 5; ++i)
    for (std::string_view x : tipos) {
      const std::string f = "I7_" + std::to_string(i) + std::string(x);
      v.emplace_back(f, f);
    }
  v.emplace_back("I7_V1", "I7_V1");
  return v;
}

}  // namespace

std::vector<rt::db::FieldDef> camposMol09(int k) {
  switch (k) {
    case 0:
      return camposFonte(9, iguais({"NOMECONTR"}), false);
    case 1:
      return camposFonte(15, junta({iguais({"I5_08", "I5_09"}), rebanhos({"B", "S", "C", "A", "V1"})}), true);
    case 2:
      return camposFonte(16, serie("I2R_", "I2_", 1, 7, true), true);
    case 3:
      return camposFonte(17, {{"I8R_1", "I8_1"}, {"I8R_4", "I8_4"}, {"I8R_4", "I8R_4"}, {"CODIGO", "CODIGO"}},
                         true);
    default:
      return camposFonte(18, serie("I9R_", "I9_", 1, 4, false), true);
  }
}

std::vector<rt::db::FieldDef> camposZuk(int n) {
  switch (n) {
    case 15:
      return camposFonte(16, serie("I2R_", "I2_", 1, 7, true), false);
    case 10: {
      Nomes meses;
      for (int m = 1; m <= 12; ++m)
        for (const char* x : {"OR", "OD"}) {
          const std::string f = "I3_" + rt::text::doisDigitos(m) + x;
          meses.emplace_back(f, f);
        }
      return camposFonte(15,
                         junta({{{"I4R_04", "I4_04"}, {"I4R_07", "I4_07"}},
                                iguais({"I5_09", "I5_10"}),
                                meses,
                                rebanhos({"A", "B", "C", "S", "V1"})}),
                         false);
    }
    case 2:
      // The year's total has no field of its own here: the type of the months'.
      return camposFonte(2, junta({iguais({"I1_1", "I1_2", "TIPOCR", "DT_LC"}), {{"I1_412", "I1_413"}}}),
                         false);
    case 12:
      return camposFonte(17, junta({{{"I8R_1", "I8_1"}, {"I8R_2", "I8_2"}}, iguais({"ITEM", "CODIGO"})}),
                         false);
    default:
      return camposFonte(18, junta({iguais({"ITEM"}), serie("I9R_", "I9_", 1, 4, false)}), false);
  }
}

std::vector<rt::db::FieldDef> sem(std::vector<rt::db::FieldDef> campos, std::string_view nome) {
  std::erase_if(campos, [nome](const rt::db::FieldDef& f) { return f.name == nome; });
  return campos;
}

std::vector<rt::db::FieldDef> comTipo(std::vector<rt::db::FieldDef> campos, std::string_view nome,
                                      char tipo) {
  for (rt::db::FieldDef& f : campos)
    if (f.name == nome) {
      f.type = tipo;
      f.width = tipo == 'D' ? 8 : 10;
      f.decimals = 0;
    }
  return campos;
}

void RuralFixture::SetUp() {
  if (!support::temDbfread()) GTEST_SKIP() << "no dbfread";
}

Campos pares(std::string_view texto) {
  Campos m;
  while (!texto.empty()) {
    const std::size_t fim = std::min(texto.find(';'), texto.size());
    const std::string_view par = texto.substr(0, fim);
    const std::size_t igual = par.find('=');
    m[std::string(par.substr(0, igual))] = std::string(par.substr(igual + 1));
    texto.remove_prefix(std::min(fim + 1, texto.size()));
  }
  return m;
}

void RuralFixture::fonte(std::string_view arquivo, std::vector<rt::db::FieldDef> campos,
                         const std::vector<Fila>& linhas) {
  const std::string caminho = origem / (std::string(arquivo) + ".dbf");
  ASSERT_TRUE(rt::db::Table::create(caminho, campos, rt::db::CreateMode::kReplace));
  rt::db::OpenOptions exclusiva;
  exclusiva.exclusive = true;
  auto t = rt::db::Table::open(caminho, exclusiva);
  ASSERT_TRUE(t);
  for (const Fila& l : linhas) {
    ASSERT_TRUE((*t)->appendBlank());
    const bool apagada = l.campos.starts_with('*');
    Campos m = pares(std::string_view(l.campos).substr(apagada ? 1 : 0));
    m["CPF"] = l.cpf;
    for (const auto& [campo, texto] : m) {
      const rt::db::FieldDef* f = (*t)->field(campo);
      ASSERT_NE(f, nullptr) << arquivo << " " << campo;
      ASSERT_TRUE((*t)->put(campo, store::valorDeTexto(f->type, texto))) << arquivo << " " << campo;
    }
    if (apagada) {
      ASSERT_TRUE((*t)->markDeleted());
    }
  }
  ASSERT_TRUE((*t)->commit());
  ASSERT_TRUE((*t)->close());
}

void RuralFixture::registra(std::string_view cpf, std::string_view nome, std::string_view temRural) {
  ASSERT_TRUE(store::ABERTURA(ctx, store::Area::IMP0910));
  rt::db::Table& t = *store::tabela(ctx.areas, store::Area::IMP0910);
  ASSERT_TRUE(t.appendBlank());
  ASSERT_TRUE(t.put("CPF", std::string(cpf)));
  ASSERT_TRUE(t.put("NOMECONTR", std::string(nome)));
  ASSERT_TRUE(t.put("TEMRURAL", std::string(temRural)));
  ASSERT_TRUE(t.commit());
  ASSERT_TRUE(store::fecha(ctx.areas, store::Area::IMP0910));
}

void RuralFixture::grava(std::string_view cpf, int n, const std::vector<std::string>& linhas) {
  TabelasCpf t(ctx, store::Cpf(cpf));
  for (const std::string& l : linhas) {
    auto r = t.nova(n);
    ASSERT_TRUE(r);
    for (const auto& [campo, texto] : pares(l))
      (*r)->poe(campo, store::valorDeTexto(store::campo(store::estrutura(static_cast<store::Area>(n)), campo)->tipo, texto));
  }
  ASSERT_TRUE(t.grava());
}

void RuralFixture::confere(std::string_view nome, std::string_view cpf, std::string_view atv,
                           const std::vector<std::string>& esperadas) {
  static const std::regex vazio(R"(|0|0\.0+|F)");
  Linhas linhas;
  for (auto& l : tabela(nome, cpf))
    if (l.at("ATV_BRASIL") == atv) linhas.push_back(std::move(l));
  ASSERT_EQ(linhas.size(), esperadas.size()) << nome << " " << cpf << " " << atv;
  for (std::size_t i = 0; i < linhas.size(); ++i) {
    Campos e = pares(esperadas[i]);
    e["CPF"] = std::string(cpf);
    e["ATV_BRASIL"] = std::string(atv);
    for (const auto& [campo, valor] : linhas[i]) {
      auto c = e.find(campo);
      if (c != e.end())
        EXPECT_EQ(valor, c->second) << nome << " " << i << " " << campo;
      else
        EXPECT_TRUE(std::regex_match(valor, vazio)) << nome << " " << i << " " << campo << " = " << valor;
    }
    for (const auto& [campo, valor] : e) EXPECT_TRUE(linhas[i].contains(campo)) << nome << " " << campo;
  }
}

}  // namespace converter::teste

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

namespace converter::teste {

rt::db::FieldDef doCatalogo(int n, std::string_view noCatalogo, std::string_view naFonte) {
  const store::CampoDef* c = store::campo(store::estrutura(n), noCatalogo);
  EXPECT_NE(c, nullptr) << noCatalogo;
  if (c == nullptr) return {};
  return {std::string(naFonte.empty() ? noCatalogo : naFonte), c->tipo, c->largura, c->decimais, 0};
}

namespace {

std::string dois(int k) {
  return rt::text::doisDigitos(k);
}

void rebanhos(std::vector<rt::db::FieldDef>& v, int n, std::initializer_list<const char*> tipos) {
  for (int i = 1; i <= 5; ++i)
    for (const char* x : tipos) v.push_back(doCatalogo(n, "I7_" + std::to_string(i) + x));
  v.push_back(doCatalogo(n, "I7_V1"));
}

}  // namespace

std::vector<rt::db::FieldDef> camposMol09(int k) {
  std::vector<rt::db::FieldDef> v{doCatalogo(9, "CPF")};
  if (k == 0) {
    v.push_back(doCatalogo(9, "NOMECONTR"));
    return v;
  }
  v.push_back(doCatalogo(15, "ATV_BRASIL", "ATV_EXTER"));
  switch (k) {
    case 1:
      v.push_back(doCatalogo(15, "I5_08"));
      v.push_back(doCatalogo(15, "I5_09"));
      rebanhos(v, 15, {"B", "S", "C", "A", "V1"});
      break;
    case 2:
      for (int i = 1; i <= 7; ++i) v.push_back(doCatalogo(16, "I2R_" + dois(i), "I2_" + dois(i)));
      break;
    case 3:
      v.push_back(doCatalogo(17, "I8R_1", "I8_1"));
      v.push_back(doCatalogo(17, "I8R_4", "I8_4"));
      v.push_back(doCatalogo(17, "I8R_4"));
      v.push_back(doCatalogo(17, "CODIGO"));
      break;
    default:
      for (int i = 1; i <= 4; ++i)
        v.push_back(doCatalogo(18, "I9R_" + std::to_string(i), "I9_" + std::to_string(i)));
  }
  return v;
}

std::vector<rt::db::FieldDef> camposZuk(int n) {
  std::vector<rt::db::FieldDef> v{doCatalogo(9, "CPF")};
  switch (n) {
    case 15:
      for (int i = 1; i <= 7; ++i) v.push_back(doCatalogo(16, "I2R_" + dois(i), "I2_" + dois(i)));
      break;
    case 10:
      v.push_back(doCatalogo(15, "I4R_04", "I4_04"));
      v.push_back(doCatalogo(15, "I4R_07", "I4_07"));
      v.push_back(doCatalogo(15, "I5_09"));
      v.push_back(doCatalogo(15, "I5_10"));
      for (int m = 1; m <= 12; ++m)
        for (const char* s : {"OR", "OD"}) v.push_back(doCatalogo(15, "I3_" + dois(m) + s));
      rebanhos(v, 15, {"A", "B", "C", "S", "V1"});
      break;
    case 2:
      for (const char* f : {"I1_1", "I1_2", "TIPOCR", "DT_LC"}) v.push_back(doCatalogo(2, f));
      // The year's total has no field of its own here: the type of the months'.
      v.push_back(doCatalogo(2, "I1_412", "I1_413"));
      break;
    case 12:
      v.push_back(doCatalogo(17, "I8R_1", "I8_1"));
      v.push_back(doCatalogo(17, "I8R_2", "I8_2"));
      v.push_back(doCatalogo(17, "ITEM"));
      v.push_back(doCatalogo(17, "CODIGO"));
      break;
    default:
      v.push_back(doCatalogo(18, "ITEM"));
      for (int i = 1; i <= 4; ++i)
        v.push_back(doCatalogo(18, "I9R_" + std::to_string(i), "I9_" + std::to_string(i)));
  }
  return v;
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
  if (std::system("/usr/bin/python3 -c 'import dbfread' >/dev/null 2>&1") != 0) GTEST_SKIP() << "no dbfread";
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
      (*r)->poe(campo, store::valorDeTexto(store::campo(store::estrutura(n), campo)->tipo, texto));
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

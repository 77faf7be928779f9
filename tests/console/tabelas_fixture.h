// Small tables for the pick-list and help tests, made in a scratch folder with the table
// engine, and opened by number through an opener like the store's.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/scratch_dir.h"
#include "fixture.h"
#include "rt/base/status.h"
#include "workareas/areas_trabalho.h"
#include "rt/term/console.h"

namespace console::teste {

using rt::db::FieldDef;
using rt::text::Decimal;
using Linha = std::vector<rt::db::Value>;

inline FieldDef C(std::string nome, int largura) {
  return FieldDef{std::move(nome), 'C', largura, 0, 0};
}
inline FieldDef N(std::string nome, int largura, int decimais = 0) {
  return FieldDef{std::move(nome), 'N', largura, decimais, 0};
}
inline FieldDef M(std::string nome) {
  return FieldDef{std::move(nome), 'M', 10, 0, 0};
}

// The input a form is editing, as a hot key sees it.
class EntradaFalsa final : public rt::term::ActiveInput {
 public:
  explicit EntradaFalsa(std::string nome) : nome_(std::move(nome)) {}
  std::string name() const override { return nome_; }
  std::string text() const override { return {}; }
  bool setText(std::string_view) override { return true; }
  void requestRedisplay() override { ++redesenhos; }
  void endRead() override {}

 private:
  std::string nome_;

 public:
  int redesenhos = 0;
};

class TabelasFixture : protected ConsoleFixture {
 protected:
  TabelasFixture() : dir(support::makeScratchDir("listas-")) {}
  ~TabelasFixture() {
    areas.closeAll().isOk();
    support::removeScratchDir(dir);
  }

  struct Arquivo {
    std::string caminho;
    std::vector<std::pair<std::string, std::string>> indices;  // file, key
  };

  // Makes table `nome` with its rows and index files, remembers it as table `area` for the
  // opener, and opens it there unless `abrir` is false.
  void cria(workareas::Area area, const std::string& nome, std::vector<FieldDef> campos, const std::vector<Linha>& linhas,
            std::vector<std::pair<std::string, std::string>> indices = {}, bool abrir = true) {
    (void)areas.close(area);
    const std::string caminho = dir + "/" + nome + ".DBF";
    ASSERT_TRUE(rt::db::Table::create(caminho, campos, rt::db::CreateMode::kReplace).isOk()) << nome;
    {
      rt::db::OpenOptions exclusivo;
      exclusivo.exclusive = true;
      auto t = rt::db::Table::open(caminho, exclusivo);
      ASSERT_TRUE(t.isOk()) << nome;
      for (const Linha& l : linhas) {
        ASSERT_TRUE((*t)->appendBlank().isOk());
        for (std::size_t i = 0; i < l.size(); ++i)
          ASSERT_TRUE((*t)->put(static_cast<int>(i), l[i]).isOk()) << nome << " field " << i;
      }
      ASSERT_TRUE((*t)->close().isOk());
    }
    arquivos[area] = Arquivo{caminho, std::move(indices)};
    if (abrir) {
      ASSERT_TRUE(abre(area)) << nome;
    }
  }

  // The opener the lists get: table `area` in area `area`, shared, with its indexes.
  rt::Status abre(workareas::Area area) {
    ++aberturas[area];
    auto it = arquivos.find(area);
    if (it == arquivos.end()) return rt::Status(rt::Error::kNotFound, std::to_string(workareas::numero(area)));
    RT_TRY(areas.open(area, it->second.caminho));
    for (const auto& [arquivo, chave] : it->second.indices)
      RT_TRY(areas.table(area)->openIndex(dir + "/" + arquivo + ".CDX", chave));
    if (!it->second.indices.empty()) (void)areas.table(area)->setOrder(1);
    (void)areas.table(area)->goTop();
    return {};
  }

  std::string texto(workareas::Area area, const std::string& campo) { return areas.table(area)->getText(campo); }
  Decimal numero(workareas::Area area, const std::string& campo) { return areas.table(area)->getNumber(campo); }
  std::string aliasAtual() { return areas.currentTable() ? areas.currentTable()->alias() : std::string(); }

  std::string dir;
  workareas::AreasTrabalho areas;
  std::map<workareas::Area, Arquivo> arquivos;
  std::map<workareas::Area, int> aberturas;
};

}  // namespace console::teste

// Files of the tax authority made by the tests from the column tables of its layouts, a
// data folder to convert them into, what the conversion said, and the tables read back as
// another program reads them (python3-dbfread).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "store/relato.h"
#include "support/registros_receita.h"
#include "support/contexto_fixture.h"

namespace converter::teste {

// What the conversion said; the answers to its questions are taken from `respostas` (the
// quiet answer when none is left).
class Fala final : public store::Relato {
 public:
  std::vector<std::string> ditos;  // every line of every alert, error and question
  std::deque<bool> respostas;
  std::deque<bool> escs;  // whether an Esc was typed, at each look between two files
  std::vector<std::string> notas;  // the status row's notices
  void alerta(std::span<const std::string> linhas) override;
  void erro(std::string_view texto) override { ditos.emplace_back(texto); }
  bool pergunta(std::span<const std::string> linhas, bool padrao) override;
  bool disse(std::string_view texto) const;
  bool desiste() override;
  void linha(std::string_view texto, bool) override { notas.emplace_back(texto); }
  // Called when the store waits for another terminal.
  std::function<void()> aoAguardar;
  void aguarda(std::string_view) override {
    if (aoAguardar) aoAguardar();
  }
};

using Linhas = std::vector<std::map<std::string, std::string>>;

class ReceitaFixture : public support::ContextoFixture {
 protected:
  ReceitaFixture();
  // A file of the given lines (joined by CR LF) in the source folder; its path.
  std::string arquivo(std::string_view nome, const std::vector<std::string>& linhas, std::string_view fim = "\r\n");
  // The rows (not deleted) of a table of the data folder with `cpf`, as dbfread reads them:
  // fields by name, texts without trailing blanks, numbers and dates as stored.
  Linhas tabela(std::string_view nome, std::string_view cpf);
  // The table's rows of the CPF as texts, for comparing a folder before and after.
  std::string foto(std::string_view cpf);
  // Every file of the data folder but the journals, by name: the folder byte for byte.
  std::map<std::string, std::string> bytes() const;

  Fala fala;
  support::Pasta origem{"receita"};
};

}  // namespace converter::teste

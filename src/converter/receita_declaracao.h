// The records of a declaration file mapped into one taxpayer's tables (CONV_DECL, CONV_EXIG):
// the identification into the register row, then the sections of records 17 to 56 and 80 to
// 81 in their fixed order. Everything is done on the rows held in memory (TabelasCpf and the
// register row); nothing reaches the folder here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "converter/receita_campos.h"
#include "converter/receita_tabelas.h"
#include "store/contexto.h"

namespace converter {

// Line 1 of a file.
struct Cabecalho {
  std::string cdecl;     // "ESPL" an estate's, "SAID" a departure, else ordinary
  std::string programa;  // columns 1-8
  std::string ano;       // "2009" or "2010" for a file this program takes
  unsigned anos = 0;     // k2009, k2010, or 0 for another year
  std::string reciboAtu, reciboAnt;  // 10 digits and two check digits; blank stays blank
};
Cabecalho leCabecalho(std::string_view linha);
// A receipt of 10 digits with its two check digits, each over everything before it; a blank
// receipt stays blank (12 blanks).
std::string reciboComDigitos(std::string_view dez);

// The records being read: the file's lines and the current one.
struct Leitura {
  const std::vector<std::string>& linhas;
  std::size_t atual = 2;  // lines 1 and 2 are the header and the identification
  // The type of the current record ("" past the end).
  std::string tipo() const;
  std::string_view linha() const { return linhas[atual]; }
};

// The identification record into the register row (and table 1's estate and departure
// fields). Refused (kCorrupt) for an amount that is no number.
rt::Status leIdentificacao(std::string_view linha, const Cabecalho& cab, Linha& registro, Linha& tabela1);

// What a conversion asks the user (the dependants' age rules) and tells him.
struct ConversaoDeclaracao {
  store::Contexto& ctx;
  const Cabecalho& cab;
  TabelasCpf& tabelas;
  Linha& registro;
};

// CONV_DECL: the register row's declaration fields, table 1, and records 17 to 56; stops at
// the first record whose type no later section (of these, of the gains or of 80-81) takes.
rt::Status CONV_DECL(ConversaoDeclaracao& c, Leitura& l);
// CONV_EXIG: records 80 and 81 (2010 files).
rt::Status CONV_EXIG(ConversaoDeclaracao& c, Leitura& l);

// VE_IDADE: whether a dependant of `codigo` born on `nascimento` stays (alerts and the
// question through the store's Relato).
bool VE_IDADE(store::Contexto& ctx, std::string_view nome, int codigo, rt::text::Date nascimento);

}  // namespace converter

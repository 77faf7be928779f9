// The sections of a declaration file, as the files of this folder map them (bens.cpp,
// dependentes.cpp, identificacao.cpp, pagamentos.cpp, renda_variavel.cpp, rendimentos.cpp,
// rural.cpp): one reading's state, and each subject's table of what its record types do.
// Inside the reader only; declaracao.h is what the rest of the converter sees.
#pragma once

#include <algorithm>
#include <array>
#include <cctype>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "converter/receita/campos.h"
#include "converter/receita/declaracao.h"
#include "rt/text/strings.h"

namespace converter {

using rt::Status;
using rt::text::Decimal;

class Secoes;

// What a section of the fixed order does: the table it empties first (also when no record of
// it comes), what it makes of each record, and what it does after its last one.
struct Tratamento {
  std::string_view registro;
  // The files whose records it maps (k2009, k2010 or kAmbos); in the others they are read and
  // passed over.
  unsigned anos = kAmbos;
  Status (Secoes::*trata)(const Campos&) = nullptr;
  int esvazia = 0;  // 0: none
  unsigned esvaziaEm = kAmbos;
  Status (Secoes::*depois)() = nullptr;
};

inline bool espolio(const Cabecalho& cab) { return cab.cdecl == "ESPL"; }
inline bool saida(const Cabecalho& cab) { return cab.cdecl == "SAID"; }

// Copies the fields of a record that name a field of the row (upper-case targets).
inline void copia(const Campos& c, Linha& l) {
  for (const auto& [alvo, v] : c)
    if (!alvo.empty() && std::isupper(static_cast<unsigned char>(alvo[0]))) l.poe(alvo, v);
}

// The six totals a simplified declaration gives the titular and the dependants.
inline constexpr std::array<const char*, 6> kTotais = {"I1_7", "I1_9", "I1_10", "I1_12", "I1_13", "I1_14"};
using Totais = std::array<Decimal, 6>;

inline bool algum(const Totais& t) {
  return std::any_of(t.begin(), t.end(), [](Decimal d) { return d > Decimal(); });
}

// The monthly self-assessed columns of the titular: income, abroad, cash-book, social
// security, tax paid, alimony (the dependants' matrix has the first five).
enum Coluna { kRenda, kExterior, kCaixa, kInss, kImposto, kPensao };
using Matriz = std::array<std::array<Decimal, 6>, 13>;

class Secoes {
 public:
  Secoes(ConversaoDeclaracao& c, Leitura& l) : c_(c), l_(l), ano_(c.cab.anos) {}

  // The sections 17 to 56 in the fixed order (secoesDeclaracao), each as its subject's table
  // says.
  Status roda();

  // The tables of each subject.
  static std::span<const Tratamento> identificacao();
  static std::span<const Tratamento> rendimentos();
  static std::span<const Tratamento> dependentes();
  static std::span<const Tratamento> pagamentos();
  static std::span<const Tratamento> bens();
  static std::span<const Tratamento> rendaVariavel();
  static std::span<const Tratamento> rural();

 private:
  bool de2010() const { return ano_ == k2010; }
  // Reads the current record of type `tipo`, refusing a bad amount.
  rt::Result<Campos> registro(std::string_view tipo) { return leRegistro(l_.linha(), tipo, ano_); }
  // Runs `faz` for each record of the section (one when `um`).
  template <typename F>
  Status secao(std::string_view tipo, bool um, F faz) {
    while (l_.tipo() == tipo) {
      auto r = registro(tipo);
      if (!r) return r.status();
      RT_TRY(faz(*r));
      ++l_.atual;
      if (um) break;
    }
    return Status::ok();
  }
  rt::Result<std::vector<Linha>*> tabela(int n) { return c_.tabelas.linhas(n); }
  rt::Result<Linha*> nova(int n) { return c_.tabelas.nova(n); }
  // Deletes the CPF's rows of table n that `tira` picks (all when none is given).
  template <typename F>
  Status apaga(int n, F tira) {
    auto t = tabela(n);
    if (!t) return t.status();
    std::erase_if(**t, tira);
    return Status::ok();
  }
  Status apagaTudo(int n) {
    c_.tabelas.substitui(n);
    return Status::ok();
  }

  Status s17(const Campos& r);
  Status s19(const Campos& r);
  Status s21(const Campos& r);
  Status s22(const Campos& r);
  Status depois22();
  Status s23(const Campos& r);
  Status s24(const Campos& r);
  Status s25(const Campos& r);
  Status depois25();
  Status s26(const Campos& r);
  Status s27(const Campos& r);
  Status s28(const Campos& r);
  Status s29(const Campos& r);
  Status s30(const Campos& r);
  Status s31(const Campos& r);
  Status s32(const Campos& r);
  Status depois32();
  Status s33(const Campos& r);
  Status s34(const Campos& r);
  Status s35(const Campos& r);
  Status depois35();
  Status s36(const Campos& r);
  Status s38(const Campos& r);
  Status s40(const Campos& r);
  Status depois40();
  Status s41(const Campos& r);
  Status s42(const Campos& r);
  Status s50(const Campos& r);
  Status s5x(std::string_view tipo, const Campos& r);
  Status s51(const Campos& r) { return s5x("51", r); }
  Status depois51();
  Status s52(const Campos& r) { return s5x("52", r); }
  Status s53(const Campos& r) { return s5x("53", r); }
  Status s54(const Campos& r);
  Status s55(const Campos& r);
  Status s56(const Campos& r);
  rt::Result<Linha*> linha15(const std::string& lado);

  ConversaoDeclaracao& c_;
  Leitura& l_;
  unsigned ano_;

  bool simplificada_ = false;
  Totais titular_{}, dependentes_{};
  Decimal isento17_, isento18_, isentoDep_, exclusivoDep_;
  bool teve22_ = false;
  Matriz mensal_{}, mensalDep_{};
  int mantidos_ = 0;
  std::vector<int> numeros_;  // the file numbers of the kept dependants, then of the beneficiaries
  int alimentandos_ = 0;
  bool primeiro30_ = true;
  bool primeiro31_ = true, primeiro32_ = true, primeiro36_ = true;
  int item_ = 1, ordemBem_ = 1;
  bool anteriorZero_ = false;
  int dividas_ = 0;
  std::array<std::array<Decimal, 12>, 14> comum_{}, dayTrade_{};
  std::array<bool, 12> mesComum_{}, mesDayTrade_{};
  Decimal retidoFonte_, perdaComum_, perdaDayTrade_, retidoDayTrade_;
  int imoveis_ = 0, bensRurais_ = 0, dividasRurais_ = 0;
};

}  // namespace converter

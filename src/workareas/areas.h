// Work areas by name: the area catalogue. A table's number is also its work area: the
// declaration tables IMPnn10 of a data folder are 1-20, their per-terminal working copies
// TMP_nn are the same number plus 20, and the program folder's tables are 40 and above. Code
// names the area, never the bare number, so a reader sees which table is meant and a typo does
// not compile (a test of the sources holds every caller to it).
//
// The catalogue depends on nothing but the table engine, so every layer from the console up
// names its areas with it; the store and the layers above say `store::Area` (store/areas.h).
#pragma once

#include <array>
#include <cstddef>

namespace workareas {

enum class Area : int {
  Nenhuma = 0,  // the runtime's "no area selected"
  IMP0110 = 1,
  IMP0210 = 2,
  IMP0310 = 3,
  IMP0410 = 4,
  IMP0510 = 5,
  IMP0610 = 6,
  IMP0710 = 7,
  IMP0810 = 8,
  IMP0910 = 9,
  IMP1010 = 10,
  IMP1110 = 11,
  IMP1210 = 12,
  IMP1310 = 13,
  IMP1410 = 14,
  IMP1510 = 15,
  IMP1610 = 16,
  IMP1710 = 17,
  IMP1810 = 18,
  IMP1910 = 19,
  IMP2010 = 20,
  TMP_01 = 21,  // working copy of IMP0110
  TMP_02 = 22,  // working copy of IMP0210
  TMP_03 = 23,  // working copy of IMP0310
  TMP_04 = 24,  // working copy of IMP0410
  TMP_05 = 25,  // working copy of IMP0510
  TMP_06 = 26,  // working copy of IMP0610
  TMP_07 = 27,  // working copy of IMP0710
  TMP_08 = 28,  // working copy of IMP0810
  TMP_09 = 29,  // working copy of IMP0910
  TMP_10 = 30,  // working copy of IMP1010
  TMP_11 = 31,  // working copy of IMP1110
  TMP_12 = 32,  // working copy of IMP1210
  TMP_13 = 33,  // working copy of IMP1310
  TMP_14 = 34,  // working copy of IMP1410
  TMP_15 = 35,  // working copy of IMP1510
  TMP_16 = 36,  // working copy of IMP1610
  TMP_17 = 37,  // working copy of IMP1710
  TMP_18 = 38,  // working copy of IMP1810
  TMP_19 = 39,  // working copy of IMP1910
  DIRET = 40,
  PRINTS = 41,
  CONFIG = 42,
  DEFINE = 43,
  IMPCORRIG = 44,
  HELPTXT = 45,
  CODBENS = 46,
  CODEPEN = 47,
  CODDIVI = 48,
  DESPESA = 49,
  Rascunho = 50,  // no table of its own: where a program table is rebuilt while its own area
                  // may still hold it open
  UFIRM = 51,
  AUXBENS = 52,
  AUXPAG = 53,
  LISERRO = 54,
  BANCOS = 55,
  CORES = 56,
  CONFIMP = 57,
  OCUPACAO = 58,
  CODNATUR = 59,
  TABPAIS = 60,
  TABEMBA = 61,
  CONTAS = 62,
  FOLHAPG = 63,
  TABMUNI = 64,
  TABLOGR = 65,
  STATUS = 66,
  BOLETO = 67,
  DETALH = 68,
  CODABENS = 69,
  LISNOME = 70,
};

// The area number the table engine and the catalogue work with.
constexpr int numero(Area a) { return static_cast<int>(a); }

// Areas above the catalogue's last, lent to one task while it runs for tables of its own
// (another folder's, another program's). A task holds its range through a lease
// (workareas::Emprestimo, areas_trabalho.h), which no other lease can overlap while it lives;
// its k-th area (k from 1) is area(k).
struct Faixa {
  int primeira, ultima;
  constexpr Area area(int k) const { return static_cast<Area>(primeira + k - 1); }
  constexpr int tamanho() const { return ultima - primeira + 1; }
  constexpr bool encontra(Faixa o) const { return primeira <= o.ultima && o.primeira <= ultima; }
  constexpr bool valida() const { return primeira > numero(Area::LISNOME) && primeira <= ultima && ultima <= 99; }
};
// A transfer between data folders: the origin's table n (1-20) in area(n).
inline constexpr Faixa kOrigensTransferencia{71, 90};
// Last year's conversion: last year's table k (1-14) in area(k), its register in the last area.
inline constexpr Faixa kFontesAnterior{71, 89};
// The sibling rural program's tables, which the same conversion holds beside last year's: its
// register in area(1), its table k (1-5) in area(k + 1).
inline constexpr Faixa kFontesRurais{90, 95};
// The cash book's rural tables, held beside last year's in the cash book's conversion.
inline constexpr Faixa kCaixaRural{95, 99};
// The register of the sibling's folder while its taxpayers are listed for conversion, beside
// its rural tables.
inline constexpr Faixa kRegistroRuralListado{89, 89};
static_assert(kOrigensTransferencia.valida() && kFontesAnterior.valida() && kFontesRurais.valida() &&
                  kCaixaRural.valida() && kRegistroRuralListado.valida(),
              "a lent range reaches into the catalogue or beyond the engine's areas");
static_assert(!kFontesAnterior.encontra(kFontesRurais) && !kFontesAnterior.encontra(kCaixaRural) &&
                  !kRegistroRuralListado.encontra(kFontesRurais),
              "ranges one conversion holds together meet");

// The working copy of declaration table `t` (IMP0110 .. IMP1910 give TMP_01 .. TMP_19).
constexpr Area copia(Area t) { return static_cast<Area>(numero(t) + 20); }

// The declaration table a working copy stands for (TMP_09 gives IMP0910).
constexpr Area origem(Area copiaTrabalho) { return static_cast<Area>(numero(copiaTrabalho) - 20); }

static_assert(copia(Area::IMP0910) == Area::TMP_09 && origem(Area::TMP_19) == Area::IMP1910);

// The declaration table numbered `n` (1-20), as the files of other programs and of last year
// number them.
constexpr Area declaracao(int n) { return static_cast<Area>(numero(Area::IMP0110) + n - 1); }
static_assert(declaracao(9) == Area::IMP0910 && declaracao(20) == Area::IMP2010);

// The areas from `primeira` to `ultima`, in order: the declaration tables, their copies.
template <Area primeira, Area ultima>
constexpr std::array<Area, numero(ultima) - numero(primeira) + 1> sequencia() {
  std::array<Area, numero(ultima) - numero(primeira) + 1> v{};
  for (std::size_t i = 0; i < v.size(); ++i) v[i] = static_cast<Area>(numero(primeira) + static_cast<int>(i));
  return v;
}
// The declaration tables IMP0110 .. IMP2010.
inline constexpr auto kDeclaracao = sequencia<Area::IMP0110, Area::IMP2010>();
// Their working copies TMP_01 .. TMP_19 (IMP2010 has none of its own).
inline constexpr auto kCopias = sequencia<Area::TMP_01, Area::TMP_19>();

}  // namespace workareas

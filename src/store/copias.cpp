// The per-terminal working files TMP_nn: the structure of their source table, one index file
// of the copy's own name, and the key that each use of the copy gives it.
#include <string>

#include "store/catalogo.h"

namespace store {
namespace {

// Keys by area, as the declaration is loaded and as the print job rebuilds the copies; areas
// not listed are keyed on "cpf" in both. After a save the copy is reindexed with the load
// key, except the rural assets and debts (37, 38), which go back to "cpf".
struct ChaveCopia {
  int area;
  const char* trabalho;
  const char* impressao;
};

constexpr ChaveCopia kChaves[] = {
    {22, "cpf", "DTOS(DT_LC)"},
    {24, "I7_0", "I7_0"},
    {25, "I8_0", "I8_0"},
    {26, "cpf", "I6_3"},
    {27, "STRZERO(BEM_NRO,2)+STRZERO(RVAR_NRO,2)+DAY_TRADE",
     "STRZERO(BEM_NRO,2)+STRZERO(RVAR_NRO,2)+DAY_TRADE"},
    {28, "STRZERO(BEM_NRO,2)+STRZERO(RVAR_NRO,2)", "STRZERO(BEM_NRO,2)+STRZERO(RVAR_NRO,2)"},
    {30, "coddesp", "coddesp"},
    {31, "codERR", "codERR"},
    {35, "cpf+ATV_BRASIL", "CPF+ATV_BRASIL"},
    {36, "cpf+ATV_BRASIL", "CPF+ATV_BRASIL"},
    {37, "I8R_0", "STR(I8R_0,4)"},
    {38, "I9R_0", "STR(I9R_0,4)"},
    {39, "cpf", "DTOS(DT_LC)"},
};

}  // namespace

std::string chaveCopia(int area, TipoCopia tipo) {
  if (area < 21 || area > 39) return {};
  for (const ChaveCopia& k : kChaves) {
    if (k.area != area) continue;
    switch (tipo) {
      case TipoCopia::Trabalho:
        return k.trabalho;
      case TipoCopia::AposGravar:
        // Copies 37 and 38 keep their own keys after a save, so their grids keep their order.
        return k.trabalho;
      case TipoCopia::Impressao:
        return k.impressao;
    }
  }
  return "cpf";
}

std::optional<TabelaDef> copiaDeTrabalho(int area, TipoCopia tipo) {
  if (area < 21 || area > 39) return std::nullopt;
  const int fonte = area - 20;
  TabelaDef t;
  t.numero = area;
  t.arquivo = std::string("TMP_") + (fonte < 10 ? "0" : "") + std::to_string(fonte);
  t.porTerminal = true;
  t.pasta = Pasta::Trabalho;
  t.modo = ModoAbertura::Exclusivo;
  t.origem = Origem::Criada;
  auto campos = estrutura(area);
  t.campos.assign(campos.begin(), campos.end());
  t.indices.push_back({t.arquivo, chaveCopia(area, tipo)});
  return t;
}

}  // namespace store

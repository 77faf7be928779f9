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
  Area area;
  const char* trabalho;
  const char* impressao;
};

constexpr ChaveCopia kChaves[] = {
    {Area::TMP_02, "cpf", "DTOS(DT_LC)"},
    {Area::TMP_04, "I7_0", "I7_0"},
    {Area::TMP_05, "I8_0", "I8_0"},
    {Area::TMP_06, "cpf", "I6_3"},
    {Area::TMP_07, "STRZERO(BEM_NRO,2)+STRZERO(RVAR_NRO,2)+DAY_TRADE",
     "STRZERO(BEM_NRO,2)+STRZERO(RVAR_NRO,2)+DAY_TRADE"},
    {Area::TMP_08, "STRZERO(BEM_NRO,2)+STRZERO(RVAR_NRO,2)", "STRZERO(BEM_NRO,2)+STRZERO(RVAR_NRO,2)"},
    {Area::TMP_10, "coddesp", "coddesp"},
    {Area::TMP_11, "codERR", "codERR"},
    {Area::TMP_15, "cpf+ATV_BRASIL", "CPF+ATV_BRASIL"},
    {Area::TMP_16, "cpf+ATV_BRASIL", "CPF+ATV_BRASIL"},
    {Area::TMP_17, "I8R_0", "STR(I8R_0,4)"},
    {Area::TMP_18, "I9R_0", "STR(I9R_0,4)"},
    {Area::TMP_19, "cpf", "DTOS(DT_LC)"},
};

}  // namespace

std::string chaveCopia(Area area, TipoCopia tipo) {
  if (area < Area::TMP_01 || area > Area::TMP_19) return {};
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

std::optional<TabelaDef> copiaDeTrabalho(Area area, TipoCopia tipo) {
  if (area < Area::TMP_01 || area > Area::TMP_19) return std::nullopt;
  const int fonte = numero(origem(area));
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

#include "taxcalc/gravacoes.h"
#include "taxcalc/rural.h"

#include <algorithm>
#include <vector>

#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/areas.h"
#include "taxcalc/linhas.h"

namespace taxcalc {

using rt::text::despreza;
using namespace rt::text::literals;

namespace {

bool noBrasil(const Contexto& c) {
  return c.d.rural.txt("ATV_BRASIL") != "N";
}

Decimal positivo(Decimal a) {
  return std::max(a, Decimal());
}

}  // namespace

TotaisRurais SOMA_RUR(Contexto& c, int modo) {
  TotaisRurais r;
  // The properties' shares and their land-tax sums, in property order.
  std::vector<Decimal> partes;
  std::vector<Decimal> itr;
  rt::db::Table* imoveis = store::tabela(c.areas, store::Area::TMP_16);
  if (imoveis != nullptr) {
    const int parte = imoveis->fieldIndex("I2R_04");
    Varredura(*imoveis).cada(
        [&](rt::db::Table& t, std::uint32_t) { partes.push_back(numero(t, parte) / 100); });
    itr.assign(partes.size(), Decimal());
  }
  if (rt::db::Table* caixa = store::tabela(c.areas, store::Area::TMP_19)) {
    const int valor = caixa->fieldIndex("VALOR"), imovel = caixa->fieldIndex("NROIMO"),
              tipo = caixa->fieldIndex("TIPOCR"), temItr = caixa->fieldIndex("TEMITR");
    Varredura(*caixa).cada([&](rt::db::Table& t, std::uint32_t) {
      const rt::text::Date data = t.getDate("DT_LC");
      if (data.isEmpty()) return;
      const std::int64_t n = numero(t, imovel).wholePart();
      const bool temImovel = n >= 1 && n <= static_cast<std::int64_t>(partes.size());
      const Decimal v =
          temImovel ? despreza(numero(t, valor) * partes[static_cast<std::size_t>(n - 1)]) : numero(t, valor);
      const auto mes = static_cast<std::size_t>(data.month());
      if (letra(t, tipo) == 'C') {
        r.receitas[mes] += v;
      } else if (letra(t, tipo) == 'D') {
        r.despesas[mes] += v;
        if (letra(t, temItr) == 'S' && temImovel) itr[static_cast<std::size_t>(n - 1)] += v;
      }
    });
  }
  if (imoveis != nullptr) {
    std::size_t k = 0;
    Gravacoes grava(c.saida);
    Varredura(*imoveis, &grava).cada([&](rt::db::Table& t, std::uint32_t) { grava.put(t, "VALITR", itr[k++]); });
  }
  if (modo == 2)
    for (std::size_t m = 1; m <= 12; ++m) {
      // The months hold cents, as the rural summary's fields do.
      c.d.REND_RURAL[m][1] = rt::text::round(r.receitas[m], 2);
      c.d.REND_RURAL[m][2] = rt::text::round(r.despesas[m], 2);
    }
  return r;
}

void totaisMensais(Contexto& c) {
  Decimal receitas, despesas;
  for (std::size_t m = 1; m <= 12; ++m) {
    receitas += c.d.REND_RURAL[m][1];
    despesas += c.d.REND_RURAL[m][2];
  }
  c.d.rural.num("I4R_01", receitas);
  c.d.rural.num("I4R_02", despesas);
}

bool VE_DESPESAS(const TotaisRurais& t, std::array<char, 12>& MES_NEG) {
  bool algum = false;
  MES_NEG.fill(' ');
  for (std::size_t m = 1; m <= 12; ++m)
    if (t.despesas[m] > t.receitas[m]) {
      MES_NEG[m - 1] = '*';
      algum = true;
    }
  return algum;
}

DividasRurais SOMA_DIV(Contexto& c) {
  DividasRurais r;
  if (rt::db::Table* t = store::tabela(c.areas, store::Area::TMP_18)) {
    const int ant = t->fieldIndex("I9R_2"), base = t->fieldIndex("I9R_3"), pago = t->fieldIndex("I9R_4");
    Varredura(*t).cada([&](rt::db::Table& l, std::uint32_t) {
      r.NTOTANT += numero(l, ant);
      r.NTOTBASE += numero(l, base);
      r.NTOTPAGO += numero(l, pago);
    });
  }
  return r;
}

void FI4R_03(Contexto& c, const EstadoRural& e) {
  if (noBrasil(c)) {
    c.d.rural.num("I4R_03", c.d.rural.num("I4R_01") - c.d.rural.num("I4R_02"));
    return;
  }
  // Abroad the properties carry the result in dollars (RESUS); it is converted at the rate.
  Decimal dolares;
  if (rt::db::Table* t = store::tabela(c.areas, store::Area::TMP_16)) {
    const int res = t->fieldIndex("RESUS");
    Varredura(*t).cada([&](rt::db::Table& l, std::uint32_t) { dolares += numero(l, res); });
  }
  c.d.rural.num("I4R_03", despreza(dolares * e.NVALDOLAR));
  c.d.rural.num("I4R_01", dolares);
}

void FI4R_05(Contexto& c) {
  c.d.rural.num("I4R_05", c.d.rural.num("I4R_03") - c.d.rural.num("I4R_04"));
}

void FI4R_06(Contexto& c) {
  Decimal presumido;
  if (noBrasil(c)) {
    presumido = despreza(c.d.rural.num("I4R_01") * 0.2_d);
  } else if (rt::db::Table* t = store::tabela(c.areas, store::Area::TMP_16)) {
    const int opc = t->fieldIndex("OPC20RS");
    Varredura(*t).cada([&](rt::db::Table& l, std::uint32_t) { presumido += numero(l, opc); });
  }
  c.d.rural.num("I4R_06", presumido);
}

void FI4R_07(Contexto& c) {
  c.d.rural.num("I4R_07", std::min(c.d.rural.num("I4R_06"), c.d.rural.num("I4R_05")));
}

void FI5_08(Contexto& c) {
  c.d.rural.num("I5_08", positivo(-c.d.rural.num("I4R_07")));
}

void FI6_10(Contexto& c) {
  const store::RegistroEspelho& r = c.d.rural;
  c.d.rural.num("I6_10", positivo(r.num("I4R_03") + r.num("I5_09") -
                                  (r.num("I5_10") + r.num("I4R_07") + r.num("I5_08"))));
}

void CALC_PREJU(Contexto& c) {
  store::RegistroEspelho& reg = c.d.registro;
  const DividasRurais div = SOMA_DIV(c);
  const std::string lado = noBrasil(c) ? "_BR" : "_EX";
  reg.num("NTRIB" + lado, c.d.rural.num("I6_10"));
  reg.num("TRIB" + lado, c.d.rural.num("I4R_07"));
  reg.num("PREJU" + lado, c.d.rural.num("I4R_04"));
  reg.num("DIVAD" + lado, div.NTOTBASE);
  reg.num("DIVPG" + lado, div.NTOTPAGO);

  const Decimal tBr = reg.num("TRIB_BR"), tEx = reg.num("TRIB_EX");
  const Decimal pBr = reg.num("PREJU_BR"), pEx = reg.num("PREJU_EX");
  Decimal tributavel, prejuizo;
  if (tBr >= Decimal() && tEx >= Decimal()) {
    tributavel = tEx + tBr;
  } else if (tEx >= Decimal()) {
    tributavel = tEx;
    prejuizo = positivo(-tBr - pBr);
  } else if (tBr >= Decimal()) {
    tributavel = tBr;
    prejuizo = positivo(-tEx - pEx);
  } else {
    prejuizo = positivo(-tBr - pBr) + positivo(-tEx - pEx);
  }
  c.poe("I13_06", tributavel);
  c.poe("PREJRUR", prejuizo);
  c.poe("I3_11", reg.num("NTRIB_BR") + reg.num("NTRIB_EX"));
  c.poe("EMPRUR", reg.num("DIVAD_BR") + reg.num("DIVAD_EX"));
  c.poe("AMORUR", reg.num("DIVPG_BR") + reg.num("DIVPG_EX"));
}

void resultadoRural(Contexto& c, const EstadoRural& e) {
  FI4R_03(c, e);
  FI4R_05(c);
  FI4R_06(c);
  FI4R_07(c);
  FI5_08(c);
  FI6_10(c);
  CALC_PREJU(c);
}

std::optional<std::string> estoqueFinal(Contexto& c, std::string_view especie, int coluna, Decimal& final) {
  const std::string k(especie);
  const store::RegistroEspelho& r = c.d.rural;
  final = r.num("I7_1" + k) + r.num("I7_2" + k) + r.num("I7_3" + k) - r.num("I7_4" + k);
  if (coluna == 4 && final < Decimal()) return std::string("Atenção !!! Estoque Final negativo"_cp);
  final -= r.num("I7_5" + k);
  if (coluna == 5 && final < Decimal()) return std::string("Atenção !!! Estoque Final negativo"_cp);
  return std::nullopt;
}

std::array<Decimal, 5> totaisRebanho(const Contexto& c) {
  static constexpr std::array<std::string_view, 5> kEspecies = {"B", "S", "C", "A", "V1"};
  const store::RegistroEspelho& r = c.d.rural;
  std::array<Decimal, 5> t{};
  for (std::size_t i = 0; i < kEspecies.size(); ++i) {
    const std::string k(kEspecies[i]);
    t[i] = r.num("I7_1" + k) + r.num("I7_2" + k) + r.num("I7_3" + k) - r.num("I7_4" + k) - r.num("I7_5" + k);
  }
  return t;
}

std::string textoRebanho(Decimal total) {
  // Five counts of up to 999,999 each: the total needs seven digits.
  return rt::text::transform(total, "@Ez 9,999,999");
}

std::optional<std::string> CALCRUR(Contexto& c, const EstadoRural& e, int tela, std::string_view modo) {
  switch (tela) {
    case 13:
      totaisMensais(c);
      break;
    case 14:
      resultadoRural(c, e);
      break;
    case 15:
      if (modo.size() >= 2 && modo[0] >= '1' && modo[0] <= '5') {
        Decimal final;
        if (auto recusa = estoqueFinal(c, modo.substr(1), modo[0] - '0', final)) return recusa;
      }
      c.saida.mostra(Quadro::Rebanho);
      break;
    default:
      break;
  }
  return std::nullopt;
}

std::string MRODAPER(int n, bool soTotais) {
  switch (n) {
    case 1:
      return "<Esc> Fim <Tab> Faturamento | Alt I=Indice | Alt H= Help";
    case 2:
      return std::string("<ESC>Fim | Alt A muda p/") +
             (soTotais ? "L. Caixa " : std::string("Só Totais"_cp)) +
             std::string("<TAB/SHIFT+TAB>Avança ou Volta Pag "_cp);
    case 3:
      return "<ESC>Fim | <TAB>Rebanho | <SHIFT TAB> Faturamento ";
    case 4:
      return "<ESC>Fim | <TAB/PgDn> Bens | <SHIFT+TAB> Calculo ";
    case 5:
      return "<ESC>Fim|<TAB>Dividas|Alt F5=Tela auxiliar|<Alt_I>Indice";
    case 6:
      return "<ESC>Fim|<TAB>Local|<SHIFT+TAB>Bens|Alt F5=Tela Auxiliar|<Alt_I>Indice";
    case 13:
      return "Anote dados repetitivos do livro caixa - Ctrl Enter transfere a linha";
    case 14:
      return "Alt F2=Tela Auxiliar Alt O=Ordena Alt + mais ordem ALT 2/ALT 3 SubTotal";
    default:
      return {};
  }
}

}  // namespace taxcalc

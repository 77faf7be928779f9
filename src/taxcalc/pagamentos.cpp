#include "taxcalc/gravacoes.h"
#include "taxcalc/pagamentos.h"

#include <algorithm>
#include <string>
#include <vector>

#include "rt/text/cp860.h"
#include "store/areas.h"
#include "taxcalc/linhas.h"
#include "taxcalc/tax_year.h"

namespace taxcalc {

using namespace rt::text::literals;

namespace {

int codigo(const rt::db::Table& t, int i) {
  return static_cast<int>(numero(t, i).wholePart());
}

// The part of `valor` above `limite`, 0 when none.
Decimal excesso(Decimal valor, Decimal limite) {
  return std::max(valor - limite, Decimal());
}

}  // namespace

void FDE_TUDO(Contexto& c, int modo) {
  if (c.d.JA_CALC) return;
  Variaveis& v = c.v;
  const Decimal alimentosAntes = c.num("I13_13");

  Decimal medicas, alimentos, despDecla;
  bool instrucao = false;
  v.I13_11T = v.I13_12D = v.I13_09T = v.I13_18T = v.I13_20T = Decimal();
  v.NEMPREGADO = v.NTOTEMPREG = v.DESPSIMP = Decimal();
  v.NADVOGADO = v.NALUGUEL = v.NDOABENS = v.NPARTIDO = v.NOUTROS = v.NAJUSTE = Decimal();

  if (rt::db::Table* t = store::tabela(c.areas, store::Area::TMP_06)) {
    const int iCodigo = t->fieldIndex("I6_3"), iPago = t->fieldIndex("I6_4"), iNao = t->fieldIndex("I6_5");
    Varredura(*t).cada([&](rt::db::Table& r, std::uint32_t) {
      const int cod = codigo(r, iCodigo);
      const Decimal pago = numero(r, iPago);
      // Payments that leave the cash under the simplified model, by kind.
      auto soSaida = [&](Decimal& total) {
        total += pago;
        v.DESPSIMP += pago;
      };
      if (cod == 1 || cod == 2) {
        v.I13_11T += pago;
        if (pago > Decimal()) instrucao = true;
      } else if (cod >= 8 && cod <= 26) {
        const Decimal nao = numero(r, iNao);
        medicas += pago - nao;
        if (pago > Decimal()) v.I13_12D += nao;
      } else if (cod >= 30 && cod <= 34) {
        alimentos += pago;
      } else if (cod == 36 || cod == 38) {
        v.I13_09T += pago;
      } else if (cod >= 40 && cod <= 43) {
        v.I13_18T += pago;
      } else if (cod == 50) {
        v.I13_20T += pago;
        // The employee's salary from the employer's 12% share, plus the share itself.
        Decimal base = pago;
        if (pago.isZero() && numero(r, iNao) > Decimal()) base = numero(r, iNao);
        v.NEMPREGADO = rt::text::despreza(base / 0.12_d) + base;
        v.NTOTEMPREG += v.NEMPREGADO;
        despDecla += v.NEMPREGADO;
      } else if (cod >= 51 && cod <= 69) {
        soSaida(v.NADVOGADO);
      } else if (cod == 70 || cod == 76) {
        soSaida(v.NALUGUEL);
      } else if (cod == 80 || cod == 81) {
        soSaida(v.NDOABENS);
      } else if (cod == 90) {
        soSaida(v.NAJUSTE);
      } else if (cod == 98) {
        soSaida(v.NPARTIDO);
      } else if (cod == 99) {
        soSaida(v.NOUTROS);
      }
      if (cod != 50 && !(cod >= 91 && cod <= 97)) despDecla += pago;
    });
  }

  c.poe("I13_12", medicas);
  c.poe("I13_13", alimentos);
  c.poe("DESPDECLA", despDecla);
  c.d.tabela01.txt("DESPINST", instrucao ? "X" : " ");
  c.d.JA_CALC = true;

  if (c.calAuto() == 1 && modo != 2 && alimentos != alimentosAntes) {
    c.d.LEAO_CAL = false;
    c.vizinhos.FDE_LEAO(c, modo);
  }
  if (modo == 1) c.saida.mostra(Quadro::Pagamentos);
}

Decimal NRODP(Contexto& c) {
  int dependentes = 0, beneficiarios = 0;
  if (rt::db::Table* t = store::tabela(c.areas, store::Area::TMP_03)) {
    const int iCodigo = t->fieldIndex("CODIDEPEN"), iNumero = t->fieldIndex("NRODEPEN");
    int posicao = 0;
    Gravacoes grava(c.saida);
    Varredura(*t, &grava).cada([&](rt::db::Table& r, std::uint32_t) {
      ++posicao;
      if (numero(r, iCodigo) < Decimal(98))
        ++dependentes;
      else
        ++beneficiarios;
      if (numero(r, iNumero).isZero()) grava.put(r, iNumero, Decimal(posicao));
    });
  }
  c.v.N_DEPEN = Decimal(dependentes);
  c.d.tabela01.num("DESPALIM", Decimal(beneficiarios));
  return c.v.N_DEPEN;
}

Decimal FI13_11(Contexto& c) {
  NRODP(c);
  const std::size_t pessoas = static_cast<std::size_t>((c.v.N_DEPEN + c.num("DESPALIM")).wholePart()) + 1;
  std::vector<Decimal> slots(pessoas);
  if (rt::db::Table* t = store::tabela(c.areas, store::Area::TMP_06)) {
    const int iCodigo = t->fieldIndex("I6_3"), iPago = t->fieldIndex("I6_4"), iPessoa = t->fieldIndex("I6_6");
    Varredura(*t).cada([&](rt::db::Table& r, std::uint32_t) {
      const int cod = codigo(r, iCodigo);
      if (cod != 1 && cod != 2) return;
      const std::int64_t pessoa = numero(r, iPessoa).wholePart();
      // A person beyond the list (a dependant since removed) counts for nobody.
      if (pessoa < 0 || static_cast<std::size_t>(pessoa) >= slots.size()) return;
      slots[static_cast<std::size_t>(pessoa)] += numero(r, iPago);
    });
  }
  Decimal total;
  for (Decimal s : slots) total += std::min(s, NVALESCOL);
  c.poe("I13_11", total);
  return total;
}

Decimal FDOAPAG(Contexto& c, Decimal valor) {
  c.d.JA_CALC = false;
  rt::db::Table* t = store::tabela(c.areas, store::Area::TMP_06);
  if (t == nullptr || t->eof()) return valor;
  const int cod = static_cast<int>(t->getNumber("I6_3").wholePart());
  if (cod >= 1 && cod <= 6) {
    Gravacoes(c.saida).put(*t, "I6_5", excesso(valor, NVALESCOL));
  } else if ((cod == 36 || cod == 38) && c.num("I13_08").isZero()) {
    const std::string linhas[] = {
        std::string("Atenção! As contribuições de previdência complementar cujo o onus "_cp),
        std::string("seja do próprio contribuinte fica condicionado a contribuiçao para"_cp),
        std::string("a previdência oficial, exceto se já aposentado. Na previdência dos"_cp),
        std::string("dependentes menores de 16 anos só podem ser deduzidas se o titular"_cp),
        std::string("contribuir a P. Oficial e se maior de 16 o próprio dependente deve"_cp),
        std::string("recolher a Previdencia. Veja lei 10.887 de 18/06/04 artigo 13.   ")};
    c.saida.aviso(linhas);
  } else if (cod == 50) {
    Gravacoes(c.saida).put(*t, "I6_5", excesso(valor, NMAXINSS));
  }
  return valor;
}

Decimal FCONFNDEDU(Contexto& c, Decimal valor) {
  rt::db::Table* t = store::tabela(c.areas, store::Area::TMP_06);
  if (t == nullptr || t->eof()) return valor;
  const int cod = static_cast<int>(t->getNumber("I6_3").wholePart());
  if (cod > 27 && cod != 50) {
    const std::string linhas[] = {
        std::string("Valores não dedutiveis só deve ser usado para a Escola quando  "_cp),
        std::string("ultrapassar o valor limite ou convênios hospitalares/medicos no"_cp),
        std::string("qual o contribuinte é reembolsado do valor gasto.              "_cp)};
    c.saida.aviso(linhas);
    return Decimal();
  }
  if (cod >= 10 && cod <= 28 && valor > t->getNumber("I6_4")) {
    const std::string linhas[] = {std::string("O valor não dedutível ou reembolsado"_cp),
                                  std::string("não pode ser maior que o valor pago "_cp)};
    c.saida.aviso(linhas);
    return Decimal();
  }
  Gravacoes(c.saida).put(*t, "I6_5", valor);
  c.d.JA_CALC = false;
  FDE_TUDO(c, 0);
  c.saida.mostra(Quadro::NaoDedutivel);
  return valor;
}

}  // namespace taxcalc

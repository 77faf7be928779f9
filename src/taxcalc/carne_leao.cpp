#include "taxcalc/gravacoes.h"
#include "taxcalc/carne_leao.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "rt/text/cp860.h"
#include "rt/text/muldiv.h"
#include "rt/text/strings.h"
#include "store/areas.h"
#include "taxcalc/imposto.h"
#include "taxcalc/linhas.h"
#include "taxcalc/rendimentos.h"
#include "taxcalc/tax_year.h"

namespace taxcalc {

using namespace rt::text::literals;
using rt::text::Date;
using rt::text::despreza;

namespace {

std::string mm(int mes) {
  return mes < 10 ? "0" + std::to_string(mes) : std::to_string(mes);
}

std::string campoLeao(int coluna, int mes) {
  return "I2_" + std::to_string(coluna - 1) + mm(mes);
}

// The interest rates of the table UFIRM (area 51) by "YYYYMM"; empty when it is not open.
std::map<std::string, Decimal> taxas(const Contexto& c) {
  std::map<std::string, Decimal> r;
  rt::db::Table* t = store::tabela(c.areas, store::Area::UFIRM);
  if (t == nullptr) return r;
  const int anomes = t->fieldIndex("ANOMES"), tjm = t->fieldIndex("TJM");
  Varredura(*t).cada([&](rt::db::Table& l, std::uint32_t) {
    r[std::string(rt::text::alltrim(texto(l, anomes)))] = numero(l, tjm);
  });
  return r;
}

std::string anoMes(Date d) {
  return std::to_string(d.year()) + mm(d.month());
}

// The yearly sums of columns 2..6 of the months.
void somaAno(MatrizLeao& m, int de, int ate) {
  for (int col = de; col <= ate; ++col) {
    Decimal s;
    for (int mes = 1; mes <= 12; ++mes) s += m[static_cast<std::size_t>(mes)][static_cast<std::size_t>(col)];
    m[13][static_cast<std::size_t>(col)] = s;
  }
}

Decimal& cel(MatrizLeao& m, int mes, int col) {
  return m[static_cast<std::size_t>(mes)][static_cast<std::size_t>(col)];
}
Decimal cel(const MatrizLeao& m, int mes, int col) {
  return m[static_cast<std::size_t>(mes)][static_cast<std::size_t>(col)];
}

}  // namespace

void gravaMatriz(Contexto& c, const MatrizLeao& m) {
  for (int mes = 1; mes <= 13; ++mes)
    for (int col = 2; col <= 8; ++col) cel(c.d.REC_MENSAL, mes, col) = rt::text::round(cel(m, mes, col), 2);
}

Date ULT_DIA(int mes, int ano, int adiante) {
  int alvo = mes + adiante - 1;
  while (alvo > 12) {
    alvo -= 12;
    ++ano;
  }
  Date d = rt::text::endOfMonth(Date::fromYmd(ano, alvo, 1));
  if (rt::text::dow(d) == 1) d = d - 2;
  if (rt::text::dow(d) == 7) d = d - 1;
  if (d.month() == 12) d = d - 1;
  return d;
}

Date PROX_DIA(Date d) {
  d = d + 1;
  if (rt::text::dow(d) == 1) d = d + 1;
  if (rt::text::dow(d) == 7) d = d + 2;
  return d;
}

Date pagamentoPadrao(Date hoje) {
  if (hoje.isEmpty()) return hoje;
  return ULT_DIA(hoje.month(), hoje.year(), 1);
}

Correcao correcaoMes(const Contexto& c, int mes, Decimal devido, Decimal pago, Date pagamento) {
  Correcao r;
  if (devido <= pago) return r;
  const Date vencimento = ULT_DIA(mes, 2009, 2);
  const Date util = PROX_DIA(vencimento);
  // Interest: 1% for the month of payment, plus the rate of every month after the due month
  // and before the payment's month. A due month the table does not have leaves it at 1.
  const std::string de = anoMes(vencimento), ate = anoMes(pagamento);
  Decimal juros = Decimal(1);
  if (de > ate) {
    juros = Decimal();
  } else {
    const std::map<std::string, Decimal> t = taxas(c);
    auto it = t.find(de);
    if (it != t.end())
      for (++it; it != t.end() && it->first < ate; ++it) juros += it->second;
  }
  Decimal multa;
  if (juros > Decimal()) {
    // Late days count from the first working day after the due date, as the payment slips do.
    const int dias = pagamento - util;
    if (dias > 60)
      multa = Decimal(20);
    else if (dias >= 1)
      multa = Decimal(dias) * 0.33_d;
    else
      juros = Decimal();
  }
  const Decimal falta = devido - pago;
  r.juros = juros;
  r.multa = multa;
  r.valor = falta + rt::text::mulDiv(falta, multa, 100) + rt::text::mulDiv(falta, juros, 100);
  return r;
}

void CORR_DARF(Contexto& c, MatrizLeao& m, Date pagamento) {
  Decimal total;
  for (int mes = 1; mes <= 12; ++mes) {
    // Column 8 is what the payment slip charges: the amount rounded to cents.
    const Correcao k = correcaoMes(c, mes, cel(m, mes, 7), cel(m, mes, 6), pagamento);
    cel(m, mes, 8) = rt::text::round(k.valor, 2);
    total += cel(m, mes, 8);
  }
  cel(m, 13, 8) = total;
}

Inverso rendaDoImposto(Decimal pago, Decimal deducoes) {
  // The same figures as the forward table (a twelfth of the annual deductions), so the tax
  // found for every bracket is the one the month is charged.
  struct Faixa {
    Decimal aliquota, deducao;
  };
  const Faixa faixas[] = {
      {0.275_d, NDEDUAN4 / 12}, {0.225_d, NDEDUAN3 / 12}, {0.15_d, NDEDUAN2 / 12}, {0.075_d, NDEDUAN1 / 12}};
  Inverso r;
  for (const Faixa& f : faixas) {
    r.bruto = despreza((pago + f.deducao + deducoes * f.aliquota) / f.aliquota);
    r.imposto = tabelaProgressiva(r.bruto - deducoes, 1);
    if (rt::text::str(r.imposto, 10, 2) == rt::text::str(pago, 10, 2)) {
      r.achou = true;
      return r;
    }
  }
  return r;
}

bool VE_LEAO(Contexto& c, MatrizLeao& m, int mes, int total, bool inverso, Date pagamento) {
  bool ok = true;
  if (mes >= 1 && mes <= 12) {
    if (inverso) {
      const Inverso r = rendaDoImposto(cel(m, mes, 6), cel(m, mes, 4) + cel(m, mes, 5));
      if (!r.achou) {
        ok = false;
        c.saida.alerta("Nenhuma faixa da tabela reproduz esse imposto; o valor pago foi mantido.");
      }
      cel(m, mes, 2) = std::max(r.bruto - cel(m, mes, 3), Decimal());
      somaAno(m, 2, 2);
    }
    const Decimal base = cel(m, mes, 2) + cel(m, mes, 3) - cel(m, mes, 4) - cel(m, mes, 5);
    cel(m, mes, 7) = CALC_IMPOS(c, 12, base);
  }
  if (total == 1) {
    somaAno(m, 7, 7);
    if (mes == 12) CORR_DARF(c, m, pagamento);
  }
  return ok;
}

bool VE_LEAO(Contexto& c, EstadoLeao& e, int mes, int total, bool inverso) {
  if (e.DF_PAGTO.isEmpty()) e.DF_PAGTO = pagamentoPadrao(c.hoje());
  MatrizLeao m = c.d.REC_MENSAL;
  const bool ok = VE_LEAO(c, m, mes, total, inverso, e.DF_PAGTO);
  gravaMatriz(c, m);
  return ok;
}

void FX_RT(Contexto& c, int coluna) {
  if (coluna >= 2 && coluna <= 8) somaAno(c.d.REC_MENSAL, coluna, coluna);
  c.d.LEAO_CAL = false;
}

std::optional<std::string> FX_RT_MENS(Contexto& c, MatrizMensal& m, int mes, int coluna, bool domestico) {
  if (mes >= 1 && mes <= 12) {
    auto& linha = m[static_cast<std::size_t>(mes)];
    if (domestico) {
      // The domestic employee's social security: column 2 is what was paid, column 3 the
      // employer's 12% of the 20% paid.
      if (coluna == 3) return std::string("Digite o valor na outra coluna GPS");
      linha[3] = despreza(linha[2] / 0.2_d * 0.12_d);
    } else if (coluna == 2) {
      linha[3] = despreza(linha[2] / TAB_DOLAR(mes));
    } else if (coluna == 3) {
      linha[2] = despreza(linha[3] * TAB_DOLAR(mes));
    }
  }
  m[13][2] = m[13][3] = Decimal();
  for (std::size_t k = 1; k <= 12; ++k) {
    m[13][2] += m[k][2];
    m[13][3] += m[k][3];
  }
  c.d.LEAO_CAL = false;
  return std::nullopt;
}

namespace {

// One person of the side: the titular (cpf empty) or a dependant, and their row in copy 32.
struct Pessoa {
  std::string cpf;
  std::uint32_t linha = 0;  // 0: no row yet
};

// The months of a person's row of copy 32.
MatrizLeao daLinha(rt::db::Table& t, std::uint32_t linha) {
  MatrizLeao m{};
  if (linha == 0) return m;
  t.goTo(linha);
  if (!t.status()) return m;
  for (int mes = 1; mes <= 13; ++mes)
    for (int col = 2; col <= 8; ++col) cel(m, mes, col) = t.getNumber(campoLeao(col, mes));
  return m;
}

void naLinha(Gravacoes& grava, rt::db::Table& t, std::uint32_t linha, const MatrizLeao& m) {
  if (linha == 0) return;
  t.goTo(linha);
  if (!grava.confere(t.status(), "a linha do carnê-leão"_cp)) return;
  for (int mes = 1; mes <= 13; ++mes)
    for (int col = 2; col <= 8; ++col) grava.put(t, campoLeao(col, mes), cel(m, mes, col));
}

// The matrix of one person from the income rows and, for the titular, the alimony paid.
MatrizLeao dasLinhas(Contexto& c, Gravacoes& grava, EstadoLeao& e, const Pessoa& p, bool titular, int cal,
                     Decimal& previdencia) {
  MatrizLeao m{};
  if (rt::db::Table* t = store::tabela(c.areas, store::Area::TMP_02)) {
    const int tipo = t->fieldIndex("I1_1"), lado = t->fieldIndex("I1_11"), dep = t->fieldIndex("I1_8"),
              ano = t->fieldIndex("I1_4");
    Varredura(*t, &grava).cada([&](rt::db::Table& r, std::uint32_t) {
      if ((letra(r, lado) == 'N') == titular) return;
      if (!titular && std::string(rt::text::alltrim(texto(r, dep))) != p.cpf) return;
      int col = 0;
      switch (letra(r, tipo)) {
        case 'F':
          col = 2;
          break;
        case 'E':
          col = 3;
          break;
        case 'L':
          col = 4;
          break;
        case 'P':
          col = 5;
          break;
        case 'I':
          col = 6;
          break;
        default:
          return;
      }
      const char k = letra(r, tipo);
      if (cal == 3 && (k == 'F' || k == 'L')) {
        // A cash-book entry counts in the month of its date; without a date it does not count.
        const Date d = r.getDate("DT_LC");
        if (d.isEmpty()) return;
        const Decimal v = numero(r, ano);
        grava.put(r, "I1_4" + mm(d.month()), v);
        cel(m, d.month(), col) += v;
        return;
      }
      Decimal linha;
      for (int mes = 1; mes <= 12; ++mes) {
        const Decimal v = r.getNumber("I1_4" + mm(mes));
        cel(m, mes, col) += v;
        linha += v;
      }
      if (k == 'P') previdencia += linha;
    });
  }
  // The alimony paid (payment codes 30-34) is deducted in the month it was paid.
  std::array<Decimal, 13> pensao{};
  if (titular) {
    if (rt::db::Table* t = store::tabela(c.areas, store::Area::TMP_06)) {
      const int codigo = t->fieldIndex("I6_3");
      Varredura(*t).cada([&](rt::db::Table& r, std::uint32_t) {
        const std::int64_t cod = numero(r, codigo).wholePart();
        if (cod < 30 || cod > 34) return;
        for (int mes = 1; mes <= 12; ++mes)
          pensao[static_cast<std::size_t>(mes)] += r.getNumber("I6_4" + mm(mes));
      });
    }
    e.PENSAOM = Decimal();
    e.NTOTDEP = Decimal();
  }
  // Deductions: the self-paid social security (column 5 holds it so far) and the alimony; the
  // titular's dependants only in a month whose income covers their amount.
  const Decimal porDependentes = c.v.N_DEPEN * NVALDEPEN;
  for (int mes = 1; mes <= 12; ++mes) {
    Decimal deducao = cel(m, mes, 5) + pensao[static_cast<std::size_t>(mes)];
    if (titular) {
      e.PENSAOM += pensao[static_cast<std::size_t>(mes)];
      if (porDependentes > Decimal() && cel(m, mes, 2) + cel(m, mes, 3) >= porDependentes) {
        deducao += porDependentes;
        e.NTOTDEP += porDependentes;
      }
    }
    cel(m, mes, 5) = deducao;
  }
  somaAno(m, 2, 6);
  return m;
}

// The people of the side, and whose months the screen's matrix holds (`mostrada`: the row copy
// 32 is on).
std::vector<Pessoa> pessoasDoLado(rt::db::Table* grade, rt::db::Table* rendas, bool titular, bool pelasLinhas,
                                  std::uint32_t& mostrada) {
  std::vector<Pessoa> pessoas;
  if (grade != nullptr) {
    Varredura varre(*grade);
    mostrada = varre.linhaAtual();
    const int cpf = grade->fieldIndex("CPFDEPEN");
    varre.cada([&](rt::db::Table& r, std::uint32_t recno) {
      const std::string dono(rt::text::alltrim(texto(r, cpf)));
      if (dono.empty() == titular) pessoas.push_back({dono, recno});
    });
  }
  if (titular && pessoas.empty()) pessoas.push_back({"", 0});
  if (!titular && pelasLinhas && rendas != nullptr) {
    // A dependant with monthly income rows and no row of their own yet gets one.
    const int tipo = rendas->fieldIndex("I1_1"), lado = rendas->fieldIndex("I1_11"),
              dep = rendas->fieldIndex("I1_8");
    Varredura(*rendas).cada([&](rt::db::Table& r, std::uint32_t) {
      if (letra(r, lado) != 'N' || std::string_view("FELPI").find(letra(r, tipo)) == std::string_view::npos)
        return;
      const std::string cpf(rt::text::alltrim(texto(r, dep)));
      if (cpf.empty()) return;
      if (std::none_of(pessoas.begin(), pessoas.end(), [&](const Pessoa& p) { return p.cpf == cpf; }))
        pessoas.push_back({cpf, 0});
    });
  }
  return pessoas;
}

// The summary lines from every person's row.
void linhasDoResumo(Contexto& c, rt::db::Table* grade, bool soRecolhido) {
  Decimal i13_03, i13_04, i13_05, i13_14, a, b;
  if (grade != nullptr) {
    const int cpf = grade->fieldIndex("CPFDEPEN");
    Varredura(*grade).cada([&](rt::db::Table& r, std::uint32_t) {
      const bool doTitular = rt::text::alltrim(texto(r, cpf)).empty();
      (doTitular ? i13_03 : i13_04) += r.getNumber("I2_113");
      i13_05 += r.getNumber("I2_213");
      i13_14 += r.getNumber("I2_313");
      Decimal leao;
      if (soRecolhido) {
        leao = r.getNumber("I2_513");
      } else {
        for (int mes = 1; mes <= 12; ++mes)
          leao += std::max(r.getNumber("I2_5" + mm(mes)), r.getNumber("I2_6" + mm(mes)));
      }
      (doTitular ? a : b) += leao;
    });
  }
  c.poe("I13_03", i13_03);
  c.poe("I13_04", i13_04);
  c.poe("I13_05", i13_05);
  c.poe("I13_14", i13_14);
  c.v.I13_23A = a;
  c.v.I13_23B = b;
  c.poe("I13_23", a + b);
}

}  // namespace

void FDE_LEAO(Contexto& c, EstadoLeao& e, int modo) {
  if (c.d.LEAO_CAL) return;
  Gravacoes grava(c.saida);
  if (e.DF_PAGTO.isEmpty()) e.DF_PAGTO = pagamentoPadrao(c.hoje());
  rt::db::Table* rendas = store::tabela(c.areas, store::Area::TMP_02);
  const bool titular = rendas == nullptr || rendas->eof() || rendas->getText("I1_11") != "N";
  const int cal = c.calAuto();
  const bool pelasLinhas = cal == 1 || cal == 3;
  const bool soRecolhido = c.d.tabela01.logico("SO_REC");

  if (pelasLinhas) {
    c.poe(titular ? "CARNEINSS" : "CARNEDEPEN", Decimal());
    c.poe("I13_03", Decimal());
    c.poe("I13_04", Decimal());
  }

  rt::db::Table* grade = store::tabela(c.areas, store::Area::TMP_12);
  std::uint32_t mostrada = 0;
  std::vector<Pessoa> pessoas = pessoasDoLado(grade, rendas, titular, pelasLinhas, mostrada);

  Decimal previdencia;
  for (Pessoa& p : pessoas) {
    const bool naTela = p.linha != 0 && p.linha == mostrada;
    // The screen's matrix shows this person: the row copy 32 is on, or the titular without one.
    const bool mostra = naTela || (titular && mostrada == 0);
    MatrizLeao m{};
    if (pelasLinhas) {
      m = dasLinhas(c, grava, e, p, titular, cal, previdencia);
    } else {
      // Modes 2 and 4 keep the matrix as entered.
      m = naTela ? c.d.REC_MENSAL : (grade != nullptr ? daLinha(*grade, p.linha) : MatrizLeao{});
    }
    if (pelasLinhas || (soRecolhido && cal == 2)) {
      for (int mes = 1; mes <= 12; ++mes) VE_LEAO(c, m, mes, 0, false, e.DF_PAGTO);
      VE_LEAO(c, m, 12, 1, false, e.DF_PAGTO);
    }
    if (grade != nullptr && p.linha == 0) {
      // A person's row is made when the income rows give something to keep.
      bool algo = false;
      for (int col = 2; col <= 8; ++col) algo = algo || !cel(m, 13, col).isZero();
      if (algo && grava.confere(grade->appendBlank(), "a linha do carnê-leão"_cp)) {
        grava.put(*grade, "CPF", c.d.CPF);
        grava.put(*grade, "CPFDEPEN", p.cpf);
        p.linha = grade->recNo();
      }
    }
    if (grade != nullptr) naLinha(grava, *grade, p.linha, m);
    if (mostra) {
      if (modo == 1) {
        gravaMatriz(c, m);
      } else {
        MatrizLeao tela = c.d.REC_MENSAL;
        tela[13] = m[13];
        gravaMatriz(c, tela);
      }
    }
  }
  if (grade != nullptr) grava.confere(grade->flush(), "a linha do carnê-leão"_cp);
  if (grade != nullptr && mostrada != 0) {
    grade->goTo(mostrada);
    grava.confere(grade->status(), "a linha do carnê-leão"_cp);
  }
  if (pelasLinhas) c.poe(titular ? "CARNEINSS" : "CARNEDEPEN", previdencia);

  FI1_T(c, 0);

  linhasDoResumo(c, grade, soRecolhido);
  c.d.LEAO_CAL = true;
}

}  // namespace taxcalc

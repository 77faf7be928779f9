#include "taxcalc/gravacoes.h"
#include "taxcalc/rendimentos.h"

#include <algorithm>
#include <string>

#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/areas.h"
#include "taxcalc/linhas.h"
#include "taxcalc/resumo.h"
#include "taxcalc/tax_year.h"

namespace taxcalc {

using namespace rt::text::literals;

namespace {

// The fields of an income row a scan reads, found once.
struct CamposRenda {
  explicit CamposRenda(const rt::db::Table& t)
      : tipo(t.fieldIndex("I1_1")),
        cnpj(t.fieldIndex("I1_3")),
        renda(t.fieldIndex("I1_4")),
        retido(t.fieldIndex("I1_5")),
        previdencia(t.fieldIndex("I1_6")),
        decimo(t.fieldIndex("I1_7")),
        marca(t.fieldIndex("I1_8")),
        i9(t.fieldIndex("I1_9")),
        i10(t.fieldIndex("I1_10")),
        titular(t.fieldIndex("I1_11")),
        i13(t.fieldIndex("I1_13")),
        i15(t.fieldIndex("I1_15")),
        i16(t.fieldIndex("I1_16")),
        i17(t.fieldIndex("I1_17")),
        i18(t.fieldIndex("I1_18")),
        i19(t.fieldIndex("I1_19")) {}
  int tipo, cnpj, renda, retido, previdencia, decimo, marca, i9, i10, titular, i13, i15, i16, i17, i18, i19;
};

std::string mm(int mes) {
  return mes < 10 ? "0" + std::to_string(mes) : std::to_string(mes);
}

// What the scan of the income rows adds up besides the variables it keeps.
struct SomasRenda {
  Decimal i13_01, i13_02, i13_21, i13_22, i3_05, i3_06, i3_07, i3_09, i3_13, i4_06, previdenc;
  Decimal carneInss, carneDepen;
  std::string pagador;  // the CNPJ of the largest salary
};

// A row of the titular's income from a legal entity ('J').
void somaTitular(rt::db::Table& r, const CamposRenda& f, Variaveis& v, SomasRenda& s) {
  const Decimal renda = numero(r, f.renda);
  if (renda > v.NMAIORSAL) {
    v.NMAIORSAL = renda;
    s.pagador = texto(r, f.cnpj);
  }
  s.i13_01 += renda;
  s.i13_21 += numero(r, f.retido);
  s.i3_05 += numero(r, f.i15);
  s.i3_06 += numero(r, f.i17);
  s.i3_07 += numero(r, f.i18);
  s.i3_09 += numero(r, f.i16);
  const Decimal prev = numero(r, f.previdencia);
  s.previdenc += prev;
  v.NPREVTIT += prev;
  v.N13ROTIT += numero(r, f.decimo);
  v.NEXIGI += numero(r, f.i19);
  if (letra(r, f.marca) == 'N') v.LNASSAL = true;
}

// A row of a dependant's income ('D').
void somaDependente(rt::db::Table& r, const CamposRenda& f, Variaveis& v, SomasRenda& s) {
  s.i13_02 += numero(r, f.renda);
  s.i13_22 += numero(r, f.retido);
  const Decimal isento = numero(r, f.i15), i9 = numero(r, f.i9), decimo = numero(r, f.decimo),
                i10 = numero(r, f.i10);
  s.i3_05 += isento;
  v.NPREVDEP += numero(r, f.previdencia);
  v.NISENDEP += i9 + isento;
  v.N13RODEP += decimo;
  v.NTRIFDEP += i10;
  v.NMENDEP += numero(r, f.i13);
  s.i3_13 += i9;
  s.i4_06 += decimo + i10;
  v.NEXIGI += numero(r, f.i19);
}

// Every income row by its kind; the self-paid social security ('P') counts here only when the
// carnê-leão's months are computed from the rows.
void somaLinhas(rt::db::Table& t, bool leaoPelasLinhas, Variaveis& v, SomasRenda& s) {
  const CamposRenda f(t);
  Varredura(t).cada([&](rt::db::Table& r, std::uint32_t) {
    switch (letra(r, f.tipo)) {
      case 'J':
        somaTitular(r, f, v, s);
        break;
      case 'D':
        somaDependente(r, f, v, s);
        break;
      case 'P':
        if (leaoPelasLinhas) {
          if (letra(r, f.titular) == 'N')
            s.carneDepen += numero(r, f.renda);
          else
            s.carneInss += numero(r, f.renda);
        }
        break;
      case 'M':
        v.MENS += numero(r, f.renda);
        break;
      case 'V':
        v.VARIA += numero(r, f.renda);
        break;
      default:
        break;
    }
  });
}

}  // namespace

void FI1_T(Contexto& c, int modo) {
  if (modo == 2) return;
  Variaveis& v = c.v;
  const int cal = c.calAuto();
  const bool leaoPelasLinhas = cal == 1 || cal == 3;

  SomasRenda s;
  s.carneInss = leaoPelasLinhas ? Decimal() : c.num("CARNEINSS");
  s.carneDepen = leaoPelasLinhas ? Decimal() : c.num("CARNEDEPEN");
  v.NPREVTIT = v.NPREVDEP = v.N13ROTIT = v.N13RODEP = Decimal();
  v.NISENDEP = v.NTRIFDEP = v.NMENDEP = v.NEXIGI = v.NMAIORSAL = Decimal();
  v.MENS = v.VARIA = Decimal();
  v.LNASSAL = false;
  if (rt::db::Table* t = store::tabela(c.areas, store::Area::TMP_02)) somaLinhas(*t, leaoPelasLinhas, v, s);

  c.poe("I13_01", s.i13_01);
  c.poe("I13_02", s.i13_02);
  c.poe("I13_21", s.i13_21);
  c.poe("I13_22", s.i13_22);
  c.poe("I3_05", s.i3_05);
  c.poe("I3_06", s.i3_06);
  c.poe("I3_07", s.i3_07);
  c.poe("I3_09", s.i3_09);
  c.poe("I3_13", s.i3_13);
  c.poe("I4_06", s.i4_06);
  c.poe("PREVIDENC", s.previdenc);
  c.poe("CARNEINSS", s.carneInss);
  c.poe("CARNEDEPEN", s.carneDepen);
  c.d.registro.txt("CGCPAGADOR", s.pagador);

  c.poe("I13_08", s.carneInss + s.carneDepen + v.NPREVTIT + v.NPREVDEP);
  c.poe("I13_23", v.I13_23A + v.I13_23B);
  if (v.MENS > Decimal() || v.NMENDEP > Decimal()) c.poe("I13_24", v.MENS + v.NMENDEP);
  c.poe("I4_01", v.N13ROTIT);

  if (modo == 1 || modo == 3) c.saida.mostra(Quadro::TotaisRendimentos);
  if (modo == 4) c.saida.mostra(Quadro::LinhasRendimentos);
  FI13_27(c);
  FI13_07(c);
}

void FI1_T_MENSAL(Contexto& c, int grade, int ponteiro, std::span<const Decimal, 12> meses) {
  rt::db::Table* t = store::tabela(c.areas, store::Area::TMP_02);
  if (t == nullptr || t->eof()) return;
  const int s = grade == 2 ? 1 : 0;
  if ((grade == 1 || grade == 2) && !(ponteiro > 1 + s && ponteiro < 5 + s)) return;
  const char* campo = nullptr;
  if (ponteiro == 1 + s || ponteiro == 2 + s)
    campo = "I1_4";
  else if (ponteiro == 3 + s)
    campo = "I1_6";
  else if (ponteiro == 4 + s)
    campo = "I1_5";
  else
    return;
  Gravacoes grava(c.saida);
  Decimal total;
  for (int m = 1; m <= 12; ++m) {
    const Decimal valor = meses[static_cast<std::size_t>(m - 1)];
    grava.put(*t, campo + mm(m), valor);
    total += valor;
  }
  c.poe(t->getText("I1_11") == "N" ? "CARNEDEPEN" : "CARNEINSS", total);
}

bool tem65Anos(rt::text::Date nascimento) {
  return !nascimento.isEmpty() && nascimento <= rt::text::Date::fromYmd(1944, 12, 31);
}

Decimal LIMIT3(Contexto& c, Decimal valor) {
  if (valor.isZero()) return Decimal();
  const rt::text::Date nascimento = c.d.registro.data("NASCIMENTO");
  if (!tem65Anos(nascimento)) {
    c.saida.alerta("O contribuinte tem menos de 65 anos;e não pode usar desse beneficio!"_cp);
    return Decimal();
  }
  if (c.d.registro.txt("CODAT") != "61") {
    const std::string linhas[] = {std::string("ATENCAO! Esse campo só pode ser usado por"_cp),
                                  std::string(" aposentados, reformados ou pensionistas."),
                                  std::string("A situação é essa mesmo c/código errado? "_cp)};
    if (!c.saida.pergunta(linhas, false)) return Decimal();
  }
  rt::db::Table* t = store::tabela(c.areas, store::Area::TMP_02);
  if (t == nullptr) return valor;
  Gravacoes grava(c.saida);

  // A year of the exemption is twelve months and the 13th; whoever turned 65 in 2009 has it
  // from the month of the birthday on.
  const int meses = nascimento.year() == 1944 ? 14 - nascimento.month() : 13;
  const Decimal limite = NVALAPOSE * meses;

  Decimal outras;
  std::uint32_t atual = 0;
  {
    Varredura varre(*t);
    atual = varre.linhaAtual();
    const int i17 = t->fieldIndex("I1_17");
    varre.cada([&](rt::db::Table& r, std::uint32_t recno) {
      if (recno != atual) outras += numero(r, i17);
    });
  }
  const Decimal livre = std::max(limite - outras, Decimal());
  Decimal fica = valor;
  if (valor > livre) {
    const Decimal excesso = valor - livre;
    const Decimal tributavel = atual != 0 ? t->getNumber("I1_4") : Decimal();
    const std::string linhas[] = {std::string("O limite para esse ano é de R$ "_cp) +
                                      rt::text::transform(limite, "@EZ 999,999.99") + " e o valor",
                                  "de R$ " + rt::text::transform(excesso, "@EZ 999,999.99") +
                                      std::string(tributavel.isZero() ? " lançado"_cp : " somado "_cp) +
                                      " no rendimento tributavel",
                                  std::string("       Deseja que o programa faça isso ?"_cp)};
    if (c.saida.pergunta(linhas, false) && atual != 0) grava.put(*t, "I1_4", tributavel + excesso);
    fica = livre;
  }
  if (atual != 0) grava.put(*t, "I1_17", fica);
  return fica;
}

Decimal LIMIT2(Contexto& c, Decimal valor) {
  if (valor.isZero()) return Decimal();
  if (c.d.registro.txt("CODAT") == "62") return valor;
  const std::string linhas[] = {std::string("ATENCAO! Esse campo só pode ser usado  "_cp),
                                std::string("por aposentados ou reformados. Preencha"),
                                std::string("o código correto da natureza na tela 6."_cp),
                                std::string(" Você deseja usá-lo assim mesmo ?      "_cp)};
  return c.saida.pergunta(linhas, false) ? valor : Decimal();
}

}  // namespace taxcalc

#include "taxcalc/gravacoes.h"
#include "taxcalc/consistencia.h"

#include <algorithm>
#include <array>
#include <set>
#include <string>

#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/areas.h"
#include "taxcalc/linhas.h"
#include "taxcalc/pagamentos.h"

namespace taxcalc {

using namespace rt::text::literals;

namespace {

std::string mm(int mes) {
  return mes < 10 ? "0" + std::to_string(mes) : std::to_string(mes);
}

bool vazio(std::string_view s) {
  return rt::text::isEmptyText(s);
}

// A field of a copy's current row is empty: blank text, a 0 number, the empty date.
bool vazioCampo(const rt::db::Table& t, std::string_view campo) {
  const int i = t.fieldIndex(campo);
  if (i < 0) return true;
  const rt::db::Value v = t.get(i);
  if (const auto* s = std::get_if<std::string>(&v)) return vazio(*s);
  if (const auto* d = std::get_if<Decimal>(&v)) return d->isZero();
  if (const auto* dt = std::get_if<rt::text::Date>(&v)) return dt->isEmpty();
  return false;
}

// The same for a field of a mirrored record.
bool vazioEspelho(const store::RegistroEspelho& r, std::string_view campo) {
  const rt::db::Value& v = r.valor(campo);
  if (const auto* s = std::get_if<std::string>(&v)) return vazio(*s);
  if (const auto* d = std::get_if<Decimal>(&v)) return d->isZero();
  if (const auto* dt = std::get_if<rt::text::Date>(&v)) return dt->isEmpty();
  return false;
}

bool sim(std::string_view s) {
  return rt::text::alltrim(s) == "S";
}

// Visits every row of copy `area` (nothing when it is not open).
template <class F>
void cadaLinha(Contexto& c, store::Area area, F&& f) {
  if (rt::db::Table* t = store::tabela(c.areas, area))
    Varredura(*t).cada([&](rt::db::Table& r, std::uint32_t) { f(r); });
}

constexpr std::array<int, 10> kEmpresas = {1, 20, 26, 36, 38, 40, 41, 42, 43, 98};
constexpr std::array<int, 14> kPessoas = {10, 11, 30, 31, 33, 34, 66, 70, 76, 80, 81, 91, 93, 94};

template <std::size_t N>
bool em(const std::array<int, N>& lista, std::int64_t codigo) {
  return std::find(lista.begin(), lista.end(), codigo) != lista.end();
}

void pagina4(Contexto& c, std::vector<int>& r) {
  const store::RegistroEspelho& t1 = c.d.tabela01;
  for (int k = 1; k <= 5; ++k)
    if (c.num("I4_0" + std::to_string(k)) < Decimal()) r.push_back(1);
  for (int k = 1; k <= 13; ++k)
    if (c.num("I3_" + mm(k)) < Decimal()) r.push_back(2);
  if (c.num("I3_12") > Decimal() && vazio(t1.txt("I3_12D"))) r.push_back(3);
  if (c.num("I4_05") > Decimal() && vazio(t1.txt("I4_05D"))) r.push_back(4);

  // The carnê-leão months of the people's rows (copy 32).
  bool semRecolher = false;
  std::array<Decimal, 13> pessoaFisica{}, exterior{};
  cadaLinha(c, store::Area::TMP_12, [&](rt::db::Table& g) {
    const bool titular = vazio(g.getText("CPFDEPEN"));
    for (int m = 1; m <= 12; ++m) {
      if (g.getNumber("I2_6" + mm(m)) > Decimal() && g.getNumber("I2_5" + mm(m)).isZero()) semRecolher = true;
      if (titular) pessoaFisica[static_cast<std::size_t>(m)] += g.getNumber("I2_1" + mm(m));
      exterior[static_cast<std::size_t>(m)] += g.getNumber("I2_2" + mm(m));
    }
  });
  if (t1.logico("SO_REC") && semRecolher) r.push_back(9);

  // A month far above the average of the months with income. Rule 10 takes the titular's income
  // from individuals against I13_03 (the titular's alone); rule 11 the income from abroad of
  // every person against its total I13_05, the total the months themselves make (the alimony
  // total has nothing to do with those months).
  auto acimaDaMedia = [](const std::array<Decimal, 13>& meses, Decimal total) {
    int n = 0;
    for (int m = 1; m <= 12; ++m)
      if (!meses[static_cast<std::size_t>(m)].isZero()) ++n;
    if (n <= 3) return false;
    const Decimal media = total / n;
    for (int m = 1; m <= 12; ++m)
      if (meses[static_cast<std::size_t>(m)] > media * 3) return true;
    return false;
  };
  if (acimaDaMedia(pessoaFisica, c.num("I13_03"))) r.push_back(10);
  if (acimaDaMedia(exterior, c.num("I13_05"))) r.push_back(11);
  if (c.num("I13_14") > c.num("I13_03") + c.num("I13_05")) r.push_back(73);

  if (!vazio(t1.txt("CPFINVENT")) && (vazio(t1.txt("NOMINVENT")) || vazio(t1.txt("ENDINVENT"))))
    r.push_back(28);
  if (sim(t1.txt("DECFINAL"))) {
    const bool judicial = sim(t1.txt("DECJUDI"));
    const auto campos = judicial
                            ? std::vector<const char*>{"DATAPARTI", "DATADECIS", "NROPROCES",
                                                       "VARACIVIL", "COMARCA",   "UFPROCES"}
                            : std::vector<const char*>{"DATALAVRA", "NOMECARTO", "CNPJCARTO", "MUNICARTO",
                                                       "LIVRCARTO", "FOLHCARTO", "UFPROCES"};
    if (std::any_of(campos.begin(), campos.end(), [&](const char* n) { return vazioEspelho(t1, n); }))
      r.push_back(32);
  }
}

void rendimentos(Contexto& c, std::vector<int>& r) {
  cadaLinha(c, store::Area::TMP_02, [&](rt::db::Table& t) {
    const std::string tipo = t.getText("I1_1");
    if (tipo != "J" && tipo != "D") return;
    const bool titular = tipo == "J";
    const Decimal renda = t.getNumber("I1_4");
    const bool semNome = vazio(t.getText("I1_2"));
    if (semNome && !renda.isZero()) r.push_back(titular ? 12 : 42);
    Decimal valores;
    for (const char* n :
         {"I1_4", "I1_7", "I1_15", "I1_16", "I1_17", "I1_18", "I1_9", "I1_10", "I1_19", "I1_20"})
      valores += t.getNumber(n);
    if (!semNome && valores.isZero()) r.push_back(26);
    const std::string doc(rt::text::alltrim(t.getText("I1_3")));
    if (doc.empty() && (!renda.isZero() || !t.getNumber("I1_15").isZero())) r.push_back(titular ? 13 : 43);
    if (t.getNumber("I1_5") > renda) r.push_back(titular ? 14 : 44);
    if (!titular && vazio(t.getText("I1_8"))) r.push_back(45);
    if (t.getNumber("I1_15") > Decimal() && doc.size() < 18) r.push_back(74);
  });
}

void dependentes(Contexto& c, std::vector<int>& r) {
  cadaLinha(c, store::Area::TMP_03, [&](rt::db::Table& t) {
    if (vazio(t.getText("NOMEDEPEN"))) r.push_back(15);
    const std::int64_t codigo = t.getNumber("CODIDEPEN").wholePart();
    if (codigo == 0) r.push_back(16);
    const rt::text::Date nascimento = t.getDate("DATADEPEN");
    // Age as the year's difference: 2009 less the year of birth.
    const int idade = 2009 - nascimento.year();
    if (nascimento.isEmpty()) {
      r.push_back(17);
    } else {
      const bool universitario = codigo == 22 || codigo == 25;
      if (idade < 21 && universitario)
        r.push_back(55);
      else if (idade >= 21 && idade <= 25 && (codigo == 21 || codigo == 24))
        r.push_back(57);
      else if ((idade > 20 && codigo == 41) || (idade > 25 && universitario))
        r.push_back(56);
    }
    if (vazio(t.getText("CPFDEPEN")) && codigo < 98 && idade >= 18) r.push_back(46);
  });
}

void pagamentos(Contexto& c, std::vector<int>& r) {
  const store::RegistroEspelho& t1 = c.d.tabela01;
  bool manutencao = false;
  Decimal exterior;
  cadaLinha(c, store::Area::TMP_04, [&](rt::db::Table& t) {
    const std::int64_t codigo = t.getNumber("I7_5").wholePart();
    if (codigo >= 1 && codigo <= 28) manutencao = true;
    if (sim(t.getText("I7_7"))) exterior += t.getNumber("I7_4");
  });
  if (manutencao && c.num("DESPNAO").isZero()) r.push_back(24);
  // Assets abroad in dollars at the year's closing rate.
  if (exterior / 1.741_d > Decimal(99999)) r.push_back(50);
  const bool espolio = c.d.registro.txt("CODAT") == "81";
  if (espolio && (vazio(t1.txt("CPFINVENT")) || vazio(t1.txt("NOMINVENT")) || vazio(t1.txt("ENDINVENT"))))
    r.push_back(58);
  if (c.num("OUTRDES").isZero() &&
      (c.num("DESPADRAO").isZero() || rt::text::alltrim(c.d.registro.txt("SO_SIMPLES")) == "N"))
    r.push_back(espolio ? 51 : 25);

  const Decimal dependentes = NRODP(c);
  const Decimal beneficiarios = c.num("DESPALIM");
  Decimal medicas, planos;
  cadaLinha(c, store::Area::TMP_06, [&](rt::db::Table& t) {
    const std::int64_t codigo = t.getNumber("I6_3").wholePart();
    if (vazio(t.getText("I6_1"))) r.push_back(18);
    const std::string doc(rt::text::alltrim(t.getText("I6_2")));
    if (doc.empty() && codigo != 2 && codigo != 11 && codigo != 21) r.push_back(19);
    if (!doc.empty() && em(kEmpresas, codigo) && doc.size() != 18) r.push_back(61);
    if (!doc.empty() && em(kPessoas, codigo) && doc.size() != 14) r.push_back(62);
    if (codigo == 50 && vazio(t.getText("I6_7"))) r.push_back(59);
    if (codigo == 0) r.push_back(31);
    const Decimal pago = t.getNumber("I6_4");
    if (pago.isZero() && t.getNumber("I6_5").isZero()) r.push_back(27);
    const Decimal pessoa = t.getNumber("I6_6");
    const bool pensao = codigo >= 30 && codigo <= 34;
    if (pensao && pessoa.isZero()) r.push_back(35);
    if (pensao && pessoa > beneficiarios) r.push_back(48);
    if (!pensao && pessoa > dependentes) r.push_back(47);
    if (codigo >= 10 && codigo <= 26) medicas += pago;
    if (codigo == 26) planos += pago;
  });
  // As the rule stands, health plans count twice: once among the medical codes, once on their own.
  if (medicas + planos > Decimal(18000)) r.push_back(49);
  if (planos > Decimal(5000) && medicas > Decimal(5000)) r.push_back(52);
}

void ganhos(Contexto& c, std::vector<int>& r) {
  const store::RegistroEspelho& reg = c.d.registro;
  if (!sim(reg.txt("RETIFICA"))) {
    // The previous year's totals as declared last year against this year's first column.
    Decimal declarados, anteriores;
    cadaLinha(c, store::Area::TMP_04, [&](rt::db::Table& t) {
      declarados += t.getNumber("I7_9");
      anteriores += t.getNumber("I7_3");
    });
    if (declarados != anteriores) r.push_back(40);
    declarados = anteriores = Decimal();
    cadaLinha(c, store::Area::TMP_05, [&](rt::db::Table& t) {
      declarados += t.getNumber("I8_6");
      anteriores += t.getNumber("I8_3");
    });
    if (declarados != anteriores) r.push_back(41);
  } else if (vazio(reg.txt("NRORECIBO"))) {
    r.push_back(53);
  }
  bool temBem = false;
  cadaLinha(c, store::Area::TMP_07, [&](rt::db::Table& t) {
    const std::int64_t tipo = t.getNumber("TIPO_BEM").wholePart();
    if (tipo < 1 || tipo > 3) return;
    temBem = true;
    if (vazio(t.getText("ESPC_BEM1"))) r.push_back(tipo == 1 ? 60 : tipo == 2 ? 63 : 64);
    if (tipo == 1 &&
        (vazio(t.getText("ENDEIMO")) || vazio(t.getText("CEPIMO")) || vazio(t.getText("MUNICIMO"))))
      r.push_back(20);
    if (tipo == 3 && t.getNumber("CUS_ATUAL").isZero() && !sim(t.getText("VENDAANT"))) r.push_back(23);
  });
  if (c.num("I4_02") > Decimal() && !temBem) r.push_back(6);
}

void cadastro(Contexto& c, std::vector<int>& r, Decimal VAL_CPMF) {
  const store::RegistroEspelho& reg = c.d.registro;
  if (vazio(reg.txt("ENDERECO")) || vazio(reg.txt("CEP")) || vazio(reg.txt("MUNICIPIO")) ||
      vazio(reg.txt("UF")))
    r.push_back(21);
  if (vazio(reg.txt("TITULO")) && !sim(c.d.tabela01.txt("DECFINAL"))) r.push_back(8);
  if (reg.num("SALDO") < Decimal()) r.push_back(22);
  if (vazio(reg.txt("CODMUNI"))) r.push_back(34);
  // The movement the CPMF paid implies; a rate of 0 makes it 0.
  if (c.num("CPMF") / VAL_CPMF > c.v.RECEITA * 10) r.push_back(30);
  if (vazio(reg.txt("RECIBOANT"))) r.push_back(54);
  if (sim(reg.txt("TEMRURAL"))) {
    int imoveis = 0;
    cadaLinha(c, store::Area::TMP_16, [&](rt::db::Table& t) {
      ++imoveis;
      for (int k = 1; k <= 7; ++k)
        if (vazioCampo(t, "I2R_0" + std::to_string(k))) r.push_back(65 + k);
    });
    if (imoveis == 0) {
      // Rule 65 is tested before the rows' rules.
      r.push_back(65);
    }
  }
}

}  // namespace

namespace {

// The sections of the check in the order they are walked, with the caption the progress line
// shows while each runs (20 characters, the room the heading leaves for it).
struct Secao {
  std::string_view legenda;
  void (*regras)(Contexto&, std::vector<int>&, Decimal);
};

const Secao kSecoes[] = {
    {"Cálculos da Pag. 4  "_cp, [](Contexto& c, std::vector<int>& r, Decimal) { pagina4(c, r); }},
    {"Rendimentos         ", [](Contexto& c, std::vector<int>& r, Decimal) { rendimentos(c, r); }},
    {"Dependentes         ", [](Contexto& c, std::vector<int>& r, Decimal) { dependentes(c, r); }},
    {"Doações e Pagamentos"_cp, [](Contexto& c, std::vector<int>& r, Decimal) { pagamentos(c, r); }},
    {"Ganho de Capital    ", [](Contexto& c, std::vector<int>& r, Decimal) { ganhos(c, r); }},
    {"Dados Cadastrais    ", [](Contexto& c, std::vector<int>& r, Decimal v) { cadastro(c, r, v); }},
};
constexpr int kPassos = static_cast<int>(std::size(kSecoes)) + 1;

constexpr std::string_view kCabecalho = "Conferindo !!                       Erro     Perigo     Atenção"_cp;
// Where the caption goes in the heading, and where each count goes under its heading.
constexpr std::size_t kColunaLegenda = 14;
constexpr std::size_t kColunaErro = 37, kColunaPerigo = 47, kColunaAtencao = 58;

std::string linhaSecao(std::string_view legenda) {
  std::string l(kCabecalho);
  l.replace(kColunaLegenda, legenda.size(), legenda);
  return l;
}

std::string linhaResultado(int erros, int perigos, int atencoes) {
  std::string l(kCabecalho.size(), ' ');
  const std::string_view fim = "Conferido.  Resultado =======>  ";
  l.replace(0, fim.size(), fim);
  const auto conta = [&](std::size_t coluna, int n) {
    l.replace(coluna, 2, rt::text::transform(Decimal(n), "99"));
  };
  conta(kColunaErro, erros);
  conta(kColunaPerigo, perigos);
  conta(kColunaAtencao, atencoes);
  return l;
}

std::vector<int> regras(Contexto& c, Decimal VAL_CPMF, bool mostra) {
  std::vector<int> r;
  if (mostra) c.saida.progresso(kCabecalho, 0, kPassos);
  int passo = 0;
  for (const Secao& s : kSecoes) {
    ++passo;
    if (mostra) c.saida.progresso(linhaSecao(s.legenda), passo, kPassos);
    s.regras(c, r, VAL_CPMF);
  }
  return r;
}

}  // namespace

std::vector<int> regrasConferencia(Contexto& c, Decimal VAL_CPMF) { return regras(c, VAL_CPMF, false); }

std::map<int, MensagemErro> listaDeErros(const Contexto& c) {
  std::map<int, MensagemErro> r;
  if (rt::db::Table* t = store::tabela(c.areas, store::Area::LISERRO)) {
    Varredura(*t).cada([&](rt::db::Table& l, std::uint32_t) {
      r[static_cast<int>(l.getNumber("CODERR").wholePart())] =
          MensagemErro{l.getText("DESCRI"), static_cast<int>(l.getNumber("GRAU").wholePart()),
                       static_cast<int>(l.getNumber("PAGINA").wholePart())};
    });
  }
  return r;
}

namespace {

// Removes the open taxpayer's findings of an earlier run (code other than 0) and says whether
// the taxpayer's list still holds rows (the notes).
bool limpaLista(Gravacoes& grava, rt::db::Table& lista, const std::string& cpf) {
  const std::string_view oque = "a lista de erros";
  if (!grava.confere(lista.lockFile(), oque)) return true;
  bool restam = false;
  {
    Varredura varre(lista);
    const int fCpf = lista.fieldIndex("CPF"), fCod = lista.fieldIndex("CODERR");
    varre.cada([&](rt::db::Table& t, std::uint32_t) {
      if (t.isDeleted() || rt::text::alltrim(texto(t, fCpf)) != cpf) return;
      if (numero(t, fCod).isZero())
        restam = true;
      else
        grava.confere(t.markDeleted(), oque);
    });
  }
  grava.confere(lista.flush(), oque);
  grava.confere(lista.pack(), oque);
  grava.confere(lista.unlock(), oque);
  return restam;
}

void acrescenta(Gravacoes& grava, rt::db::Table& lista, const std::string& cpf, const std::string& observ,
                int codigo, int pagina) {
  const std::string_view oque = "a lista de erros";
  if (!grava.confere(lista.appendBlank(), oque)) return;
  if (!grava.confere(lista.lockRecord(lista.recNo(), true), oque)) return;
  grava.put(lista, "CPF", cpf);
  grava.put(lista, "OBSERV", observ);
  grava.put(lista, "CODERR", Decimal(codigo));
  grava.put(lista, "PAGINA", Decimal(pagina));
  grava.confere(lista.flush(), oque);
  grava.confere(lista.unlockRecord(lista.recNo()), oque);
}

}  // namespace

ResultadoConferencia CONFERE(Contexto& c, rt::db::Table& lista, int modo, Decimal VAL_CPMF) {
  ResultadoConferencia res;
  const std::string cpf = c.d.CPF;
  Gravacoes grava(c.saida);
  const bool listaComLinhas = limpaLista(grava, lista, cpf);
  const std::map<int, MensagemErro> mensagens = listaDeErros(c);

  res.codigos = regras(c, VAL_CPMF, true);
  std::set<int> listados;
  for (int codigo : res.codigos) {
    // MARCAERRO: the separator first when the list was not empty, each code once, every
    // finding counted by its degree.
    if (!res.LTEMERR && listaComLinhas) acrescenta(grava, lista, cpf, "+" + std::string(58, '-') + "+", 99, 10);
    res.LTEMERR = true;
    auto m = mensagens.find(codigo);
    const MensagemErro msg = m != mensagens.end() ? m->second : MensagemErro{};
    if (listados.insert(codigo).second) acrescenta(grava, lista, cpf, msg.DESCRI, codigo, msg.PAGINA);
    if (msg.GRAU == 1) ++res.NQTDERR;
    if (msg.GRAU == 2) ++res.NQTDPERI;
    if (msg.GRAU == 3) ++res.NQTDATEN;
  }
  // Every finding was written as it was added: the move has nothing left to write.
  (void)lista.goTop();
  c.saida.progresso(linhaResultado(res.NQTDERR, res.NQTDPERI, res.NQTDATEN), kPassos, kPassos);

  if (modo == 3) return res;
  if (!res.LTEMERR) {
    const std::string linhas[] = {std::string("Declaração OK e pronta para transferir"_cp)};
    c.saida.aviso(linhas);
    return res;
  }
  if (modo == 2) {
    const int tipos = (res.NQTDERR > 0) + (res.NQTDPERI > 0) + (res.NQTDATEN > 0);
    if (tipos >= 2) {
      const std::string linhas[] = {std::string("Atenção! O programa localizou alguns erros que devem"_cp),
                                    std::string("ser conferidos. Veja a relação na tela 11(F11)     "_cp)};
      c.saida.aviso(linhas);
    } else if (res.NQTDERR > 0) {
      const std::string linhas[] = {
          std::string("Atenção! Essa declaração tem erro que não irá passar no programa da"_cp),
          std::string("Receita. Corrija-o antes de enviar. Veja a relação na tela 11(F11)"_cp)};
      c.saida.aviso(linhas);
    } else if (res.NQTDPERI > 0) {
      const std::string linhas[] = {
          std::string("Atenção! Declaração com problemas embora passe no programa da"_cp),
          std::string("Receita. Confira a relação na tela 11 (F11) antes de enviar."_cp)};
      c.saida.aviso(linhas);
    } else if (res.NQTDATEN > 0) {
      const std::string linhas[] = {
          std::string("Atenção! Há algum item que pode ser erro de digitação. Ela passará"_cp),
          std::string("no programa da Receita, mas convém ver a relação na tela 11 (F11)"_cp)};
      c.saida.aviso(linhas);
    }
  }
  return res;
}

}  // namespace taxcalc

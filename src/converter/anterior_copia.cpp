#include "converter/anterior_copia.h"

#include <initializer_list>
#include <string>

#include "converter/anterior_blocos.h"
#include "converter/receita_declaracao.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/catalogo.h"

namespace converter {

using converter::Linha;
using converter::TabelasCpf;
using rt::Status;
using rt::text::Date;
using rt::text::Decimal;
using rt::text::Value;

namespace {

std::string mm(int mes) { return rt::text::doisDigitos(mes); }

// A source value as a number, whatever the source field's type.
Decimal num(const Linha& l, std::string_view campo) {
  auto i = l.campos.find(campo);
  if (i == l.campos.end()) return Decimal();
  if (const auto* d = std::get_if<Decimal>(&i->second)) return *d;
  if (const auto* s = std::get_if<std::string>(&i->second)) return rt::text::val(*s);
  return Decimal();
}

Value bruto(const Linha& l, std::string_view campo) {
  auto i = l.campos.find(campo);
  return i == l.campos.end() ? Value(std::string()) : i->second;
}

void copia(const Linha& de, Linha& para, std::initializer_list<const char*> campos) {
  for (const char* c : campos) para.poe(c, bruto(de, c));
}

void copiaTudo(const Linha& de, Linha& para) {
  for (const auto& [c, v] : de.campos)
    if (c != "CPF") para.poe(c, v);
}

bool vazio(const Linha& l, std::string_view campo) {
  const Value v = bruto(l, campo);
  if (const auto* s = std::get_if<std::string>(&v)) return rt::text::isEmptyText(*s);
  if (const auto* d = std::get_if<Decimal>(&v)) return d->isZero();
  if (const auto* d = std::get_if<Date>(&v)) return d->isEmpty();
  return !std::get<bool>(v);
}

class Copia {
 public:
  Copia(CopiaAnterior& c, const store::Cpf& cpf, Linha& registro, TabelasCpf& tabelas)
      : c_(c), cpf_(cpf), reg_(registro), t_(tabelas), anterior_(c.fontes.edicao() == Edicao::Brantel) {}

  Status roda() {
    auto r = c_.fontes.registro(cpf_);
    if (!r) return r.status();
    if (!*r) return {rt::Error::kNotFound, cpf_.chave()};
    origem_ = std::move(**r);
    // A taxpayer new to the folder: his rows are only those made here.
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 14}) t_.substitui(n);
    registro();
    RT_TRY(tabela1());
    RT_TRY(tabela2());
    RT_TRY(tabela3());
    RT_TRY(tabela6());
    RT_TRY(blocos(4, '7'));
    RT_TRY(blocos(5, '8'));
    if (anterior_) {
      RT_TRY(ganhos());
      RT_TRY(notas());
      RT_TRY(tabela14());
    } else {
      RT_TRY(ganhosDoLivro());
    }
    RT_TRY(despesas());
    t1_->poe("DESPNAO", DESPNAO_);
    // Continuation rows of the assets carried, only this taxpayer's.
    auto bens = t_.linhas(4);
    if (!bens) return bens.status();
    juntaContinuacoes(**bens);
    RT_TRY(rural());
    for (int n : t_.mudadas()) {
      auto v = t_.linhas(n);
      if (!v) return v.status();
      for (Linha& l : **v) ajustaLinha(n, l);
    }
    ajustaLinha(9, reg_);
    return Status();
  }

 private:
  rt::Result<Linha*> nova(int n) { return t_.nova(n); }
  rt::Result<std::vector<Linha>> fonte(int k) { return c_.fontes.linhas(k, cpf_); }

  void registro() {
    const Linha& o = origem_;
    copia(o, reg_,
          {"CPF",    "NOMECONTR", "TIPOEND", "ENDERECO", "NUMERO", "COMPLEM", "BAIRRO",   "CEP",      "CODMUNI",
           "MUNICIPIO", "UF",      "CODEMB",  "NASCIMENTO", "CGCPAGADOR", "CPFCONJU", "BANCO", "AGENCIA", "CONTACO",
           "TITULO", "CDPRO",     "OCUPACAO", "CODAT",    "DESCRAT", "TELEFO", "NROFAX",   "EMAIL"});
    reg_.poe("CPF", cpf_.chave());
    reg_.poe("RECIBOANT", bruto(o, "RECIBOATU"));
    // An area code nobody gave stays empty: as a number it would become "   0".
    if (!vazio(o, "DDDTEL")) reg_.poe("DDDTEL", rt::text::str(num(o, "DDDTEL"), 4));
    if (!vazio(o, "DDDFAX")) reg_.poe("DDDFAX", rt::text::str(num(o, "DDDFAX"), 4));
    for (const char* c : {"RETIFICA", "NOVOEND", "IMPRE"}) reg_.poe(c, std::string(" "));
    reg_.poe("TEMRURAL", std::string("N"));
    reg_.poe("NOVO", std::string("N"));
    for (const char* c : {"TEM_USO", "TAM_USO", "ORDEM", "I9_2", "I9_3"}) reg_.poe(c, Decimal());
    if (anterior_) {
      reg_.poe("ESTATUS", Decimal(1));
      copia(o, reg_,
            {"CONJUNTA", "USAPADRAO", "CONJPAD", "SO_SIMPLES", "I9_4", "I9_5", "TELCELU", "TELESCR", "TELSECR",
             "ULTRESI", "ULTIMOV", "CODPAIS", "VALOREC"});
    } else {
      reg_.poe("ESTATUS", Decimal(4));
      reg_.poe("I9_5", std::string("N"));
      reg_.poe("CONJUNTA", std::string(" "));
      reg_.poe("USAPADRAO", std::string("N"));
      reg_.poe("SO_SIMPLES", std::string("N"));
    }
  }

  Status tabela1() {
    auto f = fonte(1);
    if (!f) return f.status();
    auto l = nova(1);
    if (!l) return l.status();
    t1_ = *l;
    const bool tem = !f->empty();
    const Linha o = tem ? f->front() : Linha{};
    if (!anterior_) {
      if (!tem) return Status();
      for (int k = 1; k <= 5; ++k) t1_->poe("I3_" + mm(k), num(o, "I3_" + mm(k) + "T"));
      // The cash book's lines 6 to 11 sit one place further on.
      t1_->poe("I3_11", num(o, "I3_06T"));
      for (int k = 6; k <= 10; ++k) t1_->poe("I3_" + mm(k), num(o, "I3_" + mm(k + 1) + "T"));
      t1_->poe("I3_12", num(o, "I3_12T"));
      copia(o, *t1_, {"I3_12D", "I4_05D", "DESPNAO", "PREJVEN"});
      for (int k = 1; k <= 5; ++k) t1_->poe("I4_" + mm(k), num(o, "I4_" + mm(k) + "T"));
      t1_->poe("INDALERTA", Decimal(10));
      VALFUTUR_ = num(o, "VALOR_FUT");
      t1_->poe("VALFUTUR", VALFUTUR_);
      return Status();
    }
    VALFUTUR_ = num(o, "VALFUTUR");
    Decimal IMPOANTER, I3_12;
    std::string I3_12D;
    const Decimal saldo = num(origem_, "IMPPGRE");
    if (tem && saldo > Decimal()) IMPOANTER = saldo;
    if (tem && saldo < Decimal()) {
      // Last year's refund is this year's exempt income.
      I3_12 = -saldo;
      I3_12D = "RESTITUICAO DO BRANTEL";
    }
    t1_->poe("VALFUTUR", VALFUTUR_);
    copia(o, *t1_, {"DESPALIM", "OUTRDES", "CAL_AUTO", "INDALERTA", "DESPNAO", "CPFINVENT", "NOMINVENT", "ENDINVENT"});
    t1_->poe("IMPOANTER", IMPOANTER);
    t1_->poe("I3_12", I3_12);
    t1_->poe("I3_12D", I3_12D);
    return Status();
  }

  Status tabela2() {
    auto f = fonte(2);
    if (!f) return f.status();
    for (const Linha& o : *f) {
      const std::string tipo(rt::text::alltrim(o.texto("I1_1")));
      if (tipo == "R") continue;
      auto l = nova(2);
      if (!l) return l.status();
      Linha& d = **l;
      copia(o, d, {"I1_1", "I1_2", "I1_3"});
      if (anterior_) {
        if (tipo == "F") copia(o, d, {"I1_11"});
        d.poe("I1_4", Decimal());
        d.poe("I1_5", Decimal());
        continue;
      }
      if (tipo == "J" || tipo == "D" || tipo == "F" || tipo == "L") {
        for (int k = 4; k <= 7; ++k) d.poe("I1_" + std::to_string(k), num(o, "I1_" + std::to_string(k) + "13"));
        d.poe("I1_11", std::string("S"));
        if (tipo == "D") copia(o, d, {"I1_8", "I1_9", "I1_10"});
        if (tipo == "F" || tipo == "L") {
          copia(o, d, {"TIPOCR", "DT_LC"});
          if (!vazio(o, "DT_LC")) CALC_AUTO_ = 3;
        }
      } else {
        Decimal s4, s5;
        for (int mes = 1; mes <= 12; ++mes) {
          const Decimal v4 = num(o, "I1_4" + mm(mes)), v5 = num(o, "I1_5" + mm(mes));
          d.poe("I1_4" + mm(mes), v4);
          d.poe("I1_5" + mm(mes), v5);
          s4 += v4;
          s5 += v5;
        }
        d.poe("I1_4", s4);
        d.poe("I1_5", s5);
        d.poe("I1_11", std::string("S"));
      }
    }
    t1_->poe("CAL_AUTO", Decimal(CALC_AUTO_));
    return Status();
  }

  Status tabela3() {
    auto f = fonte(3);
    if (!f) return f.status();
    int nro = 0;
    for (const Linha& o : *f) {
      if (!converter::VE_IDADE(c_.ctx, o.texto("NOMEDEPEN"), static_cast<int>(num(o, "CODIDEPEN").wholePart()),
                               std::holds_alternative<Date>(bruto(o, "DATADEPEN")) ? std::get<Date>(bruto(o, "DATADEPEN"))
                                                                                   : Date()))
        continue;
      auto l = nova(3);
      if (!l) return l.status();
      copia(o, **l, {"NOMEDEPEN", "CODIDEPEN", "DATADEPEN", "CPFDEPEN"});
      (*l)->poe("NRODEPEN", Decimal(++nro));
    }
    return Status();
  }

  Status tabela6() {
    auto f = fonte(6);
    if (!f) return f.status();
    Decimal I13_24;
    for (const Linha& o : *f) {
      const Decimal codigo = num(o, "I6_3");
      if (codigo.isZero()) continue;
      if (!anterior_ && codigo == Decimal(69)) {
        // Cash-book payments of code 69 are income of kind "M".
        auto l = nova(2);
        if (!l) return l.status();
        (*l)->poe("I1_1", std::string("M"));
        (*l)->poe("I1_2", bruto(o, "I6_1"));
        Decimal soma;
        for (int mes = 1; mes <= 12; ++mes) {
          const Decimal v = num(o, "I6_4" + mm(mes));
          (*l)->poe("I1_4" + mm(mes), v);
          soma += v;
        }
        (*l)->poe("I1_4", soma);
        I13_24 += soma;
        continue;
      }
      auto l = nova(6);
      if (!l) return l.status();
      Linha& d = **l;
      copia(o, d, {"I6_1", "I6_2"});
      // Last year's codes 3 to 6 are this year's 1 and 2.
      Decimal novo = codigo;
      if (novo > Decimal(2) && novo < Decimal(7)) {
        novo -= Decimal(2);
        if (novo > Decimal(2)) novo -= Decimal(2);
      }
      d.poe("I6_3", novo);
      if (novo < Decimal(3))
        copia(o, d, {"I6_6"});
      else if (novo == Decimal(50))
        copia(o, d, {"I6_7"});
      if (anterior_) {
        // The payees come along without last year's amounts.
        d.poe("I6_4", Decimal());
      } else {
        Decimal soma;
        for (int mes = 1; mes <= 12; ++mes) {
          const Decimal v = num(o, "I6_4" + mm(mes));
          d.poe("I6_4" + mm(mes), v);
          soma += v;
        }
        d.poe("I6_4", soma);
      }
    }
    if (!anterior_ && I13_24 > Decimal()) t1_->poe("I13_24", I13_24);
    return Status();
  }

  Status blocos(int n, char tipo) {
    auto f = fonte(n);
    if (!f) return f.status();
    for (Linha& l : copiaBlocos(*f, Blocos{tipo, anterior_, c_.MOST_VEND})) {
      auto d = nova(n);
      if (!d) return d.status();
      for (auto& [campo, v] : l.campos) (*d)->poe(campo, std::move(v));
    }
    return Status();
  }

  // Gains still to be received (an instalment sale) and December's carried-over figures of
  // variable income.
  Status ganhos() {
    auto f = fonte(7);
    if (!f) return f.status();
    auto f8 = fonte(8);
    if (!f8) return f8.status();
    for (const Linha& o : *f) {
      VENDAANT_ = o.texto("VENDAANT");
      const bool aPrazo = o.texto("VEN_PRAZO") == "S" && num(o, "VAL_RECOL") < num(o, "VAL_ALI");
      if (!aPrazo && VENDAANT_ != "S") continue;
      ++vendas_;
      auto l = nova(7);
      if (!l) return l.status();
      Linha& d = **l;
      d.poe("BEM_NRO", Decimal(vendas_));
      copia(o, d,
            {"RVAR_NRO", "DAY_TRADE", "TIPO_BEM", "NRO_ITEM", "CPFADQ", "NOME_ADQ", "ESPC_BEM1", "ESPC_BEM2",
             "ESPC_BEM3", "ESPC_BEM4", "ENDEIMO", "NUMIMO", "COMPIMO", "BAIRIMO", "CEPIMO", "MUNICIMO", "UFIMO",
             "DATA_ALI", "DATA_ADQ", "NOME_SOCIE", "CGC_SOCIE", "CID_SOCIE", "EST_SOCIE", "IND_ALI", "CUS_ATUAL",
             "PEQ_VALOR", "VEN_PRAZO", "NATUOPER", "PARCOMPRA"});
      d.poe("PER_TRI",
            rt::text::round(num(o, "PER_TRI") * (Decimal(100) - num(o, "PERART31")) / Decimal(100), 5));
      d.poe("VAL_ALI", num(o, "VAL_ALI") - num(o, "VAL_RECOL"));
      d.poe("PERART31", Decimal());
      d.poe("VAL_PARTE", Decimal());
      d.poe("VENDAANT", std::string("S"));
      if (o.texto("PARCOMPRA") != "S") continue;
      for (const Linha& p : *f8) {
        if (num(p, "BEM_NRO") != num(o, "BEM_NRO")) continue;
        auto l8 = nova(8);
        if (!l8) return l8.status();
        (*l8)->poe("BEM_NRO", Decimal(vendas_));
        copia(p, **l8,
              {"RVAR_NRO", "DAY_TRADE", "VALOR_REDU", "VALOR_CUST", "DATA_CUST", "IND_CUST", "PER_RED", "PER_CUST",
               "RESUL_2", "SALDO_COEF", "CM_PONDER", "SALDO_ACAO", "MOV_ACAO", "CUST_UNI", "CMED_COEF", "TIPO_OPER",
               "TIPO_ACAO", "LOTE"});
      }
    }
    for (const Linha& o : *f) {
      if (num(o, "TIPO_BEM") != Decimal(4)) continue;
      const Decimal rvar = num(o, "RVAR_NRO"), dez = num(o, "REC_MES12");
      int novo = 0;
      if (rvar == Decimal(17) && dez < Decimal()) novo = 15;
      if (rvar == Decimal(23) && dez > Decimal()) novo = 22;
      if (novo == 0) continue;
      auto l = nova(7);
      if (!l) return l.status();
      (*l)->poe("TIPO_BEM", Decimal(4));
      (*l)->poe("BEM_NRO", Decimal());
      (*l)->poe("RVAR_NRO", Decimal(novo));
      copia(o, **l, {"DAY_TRADE"});
      (*l)->poe("REC_MES01", dez);
    }
    return Status();
  }

  Status notas() {
    auto f = fonte(11);
    if (!f) return f.status();
    for (const Linha& o : *f) {
      if (!vazio(o, "CODERR")) continue;
      auto l = nova(11);
      if (!l) return l.status();
      copia(o, **l, {"OBSERV"});
    }
    const bool aReceber = VALFUTUR_ > Decimal(), vendida = VENDAANT_ == "S";
    if (!aReceber && !vendida) return Status();
    const bool varios = vendas_ > 1 || (aReceber && vendida);
    const std::string p1 = varios ? "m" : "", p2 = varios ? "s" : "";
    std::string texto = "Existe" + p1 + " ganho" + p2 + " de capital a receber";
    if (VALFUTUR_.isZero())
      texto += " com data anterior ao ano base";
    else
      texto += " R$ " + rt::text::transform(VALFUTUR_, "@Ez 999,999,999.99");
    auto l = nova(11);
    if (!l) return l.status();
    (*l)->poe("OBSERV", texto);
    return Status();
  }

  Status tabela14() {
    auto f = fonte(14);
    if (!f) return f.status();
    for (const Linha& o : *f) {
      auto l = nova(14);
      if (!l) return l.status();
      copia(o, **l, {"DESCRICAO"});
      (*l)->poe("TIPO", std::string("B"));
    }
    return Status();
  }

  // The cash book's gains: every field of table 7 but the losses and the tax paid, table 8
  // whole.
  Status ganhosDoLivro() {
    for (int n : {7, 8}) {
      auto f = fonte(n);
      if (!f) return f.status();
      for (const Linha& o : *f) {
        auto l = nova(n);
        if (!l) return l.status();
        for (const auto& [campo, v] : o.campos)
          if (campo != "CPF" && (n == 8 || (campo.rfind("PREJU", 0) != 0 && campo.rfind("IMP_PAG", 0) != 0)))
            (*l)->poe(campo, v);
      }
    }
    return Status();
  }

  // The monthly living expenses (the cash book's table 11), and the year's from them.
  Status despesas() {
    auto f = fonte(anterior_ ? 10 : 11);
    if (!f) return f.status();
    for (const Linha& o : *f) {
      auto l = nova(10);
      if (!l) return l.status();
      if (anterior_) {
        copiaTudo(o, **l);
      } else {
        (*l)->poe("CODDESP", num(o, "CODDESP"));
        copia(o, **l, {"DESCDESP", "VALODESP"});
      }
      DESPNAO_ += num(o, "VALODESP") * Decimal(12);
    }
    return Status();
  }

  Status rural() {
    rt::Result<bool> tem = false;
    if (anterior_ && c_.rural != nullptr) tem = c_.rural->copia(cpf_, t_);
    if (!anterior_ && c_.livro != nullptr) tem = c_.livro->copia(cpf_, t_);
    if (!tem) return tem.status();
    if (*tem) {
      reg_.poe("TEMRURAL", std::string("S"));
      reg_.poe("ATV_BRASIL", std::string("S"));
    }
    return Status();
  }

  CopiaAnterior& c_;
  const store::Cpf& cpf_;
  Linha& reg_;
  TabelasCpf& t_;
  const bool anterior_;
  Linha origem_;
  Linha* t1_ = nullptr;
  int CALC_AUTO_ = 1, vendas_ = 0;
  Decimal VALFUTUR_, DESPNAO_;
  std::string VENDAANT_;
};

Value comoTipo(const store::CampoDef& f, const Value& v) {
  switch (f.tipo) {
    case 'N':
      if (const auto* s = std::get_if<std::string>(&v)) return rt::text::val(*s);
      if (std::holds_alternative<Decimal>(v)) return v;
      return Decimal();
    case 'D':
      if (const auto* s = std::get_if<std::string>(&v)) return rt::text::stod(*s);
      if (std::holds_alternative<Date>(v)) return v;
      return Date();
    case 'L':
      if (const auto* b = std::get_if<bool>(&v)) return *b;
      if (const auto* s = std::get_if<std::string>(&v)) return *s == "T" || *s == "S" || *s == "Y";
      return false;
    default:
      break;
  }
  std::string s;
  if (const auto* t = std::get_if<std::string>(&v))
    s = *t;
  else if (const auto* d = std::get_if<Decimal>(&v))
    s = std::string(rt::text::alltrim(d->toString()));
  else if (const auto* dt = std::get_if<Date>(&v))
    s = rt::text::dtos(*dt);
  else
    s = std::get<bool>(v) ? "T" : "F";
  return rt::text::padr(s, f.largura);
}

}  // namespace

Status CONV_VESKIR(CopiaAnterior& c, const store::Cpf& cpf, Linha& registro, TabelasCpf& tabelas) {
  return Copia(c, cpf, registro, tabelas).roda();
}

void ajustaLinha(int n, Linha& l) {
  const auto campos = store::estrutura(workareas::declaracao(n));
  Linha nova;
  for (const store::CampoDef& f : campos) {
    const std::string nome = rt::text::upper(f.nome);
    auto i = l.campos.find(nome);
    if (i != l.campos.end()) nova.poe(nome, comoTipo(f, i->second));
  }
  l = std::move(nova);
}

}  // namespace converter

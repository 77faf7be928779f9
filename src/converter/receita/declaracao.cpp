#include "converter/receita/declaracao.h"

#include "converter/receita/confere.h"
#include "converter/receita/ganhos.h"
#include "converter/receita/secoes.h"

namespace converter {

namespace {

// The section of `registro` in the subjects' tables; nullptr for one only read and passed over.
const Tratamento* tratamento(std::string_view registro) {
  for (auto tabela : {Secoes::identificacao, Secoes::rendimentos, Secoes::dependentes, Secoes::pagamentos,
                      Secoes::bens, Secoes::rendaVariavel, Secoes::rural})
    for (const Tratamento& t : tabela())
      if (t.registro == registro) return &t;
  return nullptr;
}

}  // namespace

Status Secoes::roda() {
  auto t1 = tabela(1);
  if (!t1) return t1.status();
  if ((*t1)->empty()) {
    auto l = nova(1);
    if (!l) return l.status();
    (*l)->poe("INDALERTA", Decimal(10));
    (*l)->poe("SO_REC", false);
  }
  // The declaration's own sections end where the gains' begin.
  for (const Secao& s : secoesDeclaracao()) {
    if (s.registro == secoesGanhos().front().registro) break;
    const Tratamento* t = tratamento(s.registro);
    if (t != nullptr && t->esvazia != 0 && (t->esvaziaEm & ano_) != 0) RT_TRY(apagaTudo(t->esvazia));
    const bool mapeia = t != nullptr && t->trata != nullptr && (t->anos & ano_) != 0;
    RT_TRY(secao(s.registro, s.um, [&](const Campos& r) { return mapeia ? (this->*(t->trata))(r) : Status::ok(); }));
    if (t != nullptr && t->depois != nullptr) RT_TRY((this->*(t->depois))());
  }
  return Status::ok();
}

Status CONV_DECL(ConversaoDeclaracao& c, Leitura& l) {
  Linha& g = c.registro;
  if (c.cab.anos == k2009) {
    g.poe("ESTATUS", Decimal(1));
    g.poe("TEM_USO", Decimal());
    g.poe("TAM_USO", Decimal());
    g.poe("I9_2", Decimal());
    g.poe("I9_3", Decimal());
    g.poe("I9_4", std::string("N"));
    g.poe("I9_5", std::string("N"));
    g.poe("RECIBOANT", c.cab.reciboAtu);
  } else {
    g.poe("RECIBOATU", c.cab.reciboAtu);
    g.poe("RECIBOANT", c.cab.reciboAnt);
  }
  g.poe("TEMRURAL", std::string("N"));
  g.poe("IMPRE", std::string(" "));
  g.poe("ORDEM", Decimal());
  if (g.valor("ESTATUS").isZero()) g.poe("ESTATUS", Decimal(1));
  Secoes s(c, l);
  return s.roda();
}

Status leRegistros(Modo modo, ConversaoDeclaracao& conv, const std::vector<std::string>& linhas, const Linha& tabela1) {
  Tabelas& tabelas = conv.tabelas;
  const Cabecalho& cab = conv.cab;
  Leitura leitura{linhas};
  Status s;
  if (modo == Modo::Declaracao) {
    auto t1 = tabelas.linhas(1);
    if (!t1) {
      s = t1.status();
    } else {
      if ((*t1)->empty()) {
        auto n = tabelas.nova(1);
        (*n)->poe("INDALERTA", Decimal(10));
        (*n)->poe("SO_REC", false);
      }
      for (auto& [campo, v] : tabela1.campos) (*t1)->front().poe(campo, v);
      if (cab.cdecl == "ESPL") {
        (*t1)->front().poe("DECFINAL", std::string("S"));
        (*t1)->front().poe("DECSAIDA", std::string("N"));
      } else if (cab.cdecl == "SAID") {
        (*t1)->front().poe("DECFINAL", std::string("N"));
        (*t1)->front().poe("DECSAIDA", std::string("S"));
      }
    }
    if (s) s = CONV_DECL(conv, leitura);
    if (s) s = CONV_GANHO(conv, leitura, 0);
    if (s) s = CONV_EXIG(conv, leitura);
  } else {
    leitura.atual = 2;
    s = CONV_GANHO(conv, leitura, 1);
  }
  // The sections take every record the check let through; one left over would be lost.
  if (s && leitura.atual < linhas.size())
    s = Status(rt::Error::kCorrupt, "Linha " + std::to_string(leitura.atual + 1) + ", registro " +
                                        tipoVisivel(leitura.linha()) + ": fora da ordem dos registros");
  return s;
}

}  // namespace converter

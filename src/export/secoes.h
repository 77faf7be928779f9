// The sections of the declaration file from `contribuinte` to `doacoes`, each written into
// the text being built, in the order and with the attributes the tax authority's format fixes.
#pragma once

#include <functional>
#include <string_view>

#include "export/dados.h"
#include "export/texto_xml.h"
#include "export/totais.h"
#include "rt/base/status.h"

namespace exporta {

// A titular's income row with a payer's CNPJ but no name, or the other way round, is asked
// about: true writes it.
using Confirma = std::function<bool(std::string_view pergunta)>;

// Where the text goes at the points the file is appended to; the write's failure, untold: the
// file's writer words it.
using Anexa = std::function<rt::Status(std::string_view texto)>;

struct Secao {
  TextoXml& x;
  const DadosDeclaracao& dados;
  const Totais& t;
  const store::RegistroEspelho& reg() const { return dados.d.registro; }
  const store::RegistroEspelho& t01() const { return dados.d.tabela01; }
  Decimal n(std::string_view campo) const { return dados.d.tabela01.num(campo); }
};

void contribuinte(const Secao& s);
void conjuge(const Secao& s);
void rendPJ(const Secao& s, const Confirma& confirma);
void rendPJComExigibilidade(const Secao& s);
void rendPF(const Secao& s);
void rendIsentos(const Secao& s);
void rendTributacaoExclusiva(const Secao& s);
void impostoPago(const Secao& s);
void dependentesEAlimentandos(const Secao& s);
void pagamentos(const Secao& s);
// Assets and debts, each item appended on its own; the first failed append, untold, stops it.
rt::Status bensEDividas(const Secao& s, const Anexa& anexa);
void espolio(const Secao& s);
void resumo(const Secao& s);
void comparativo(const Secao& s);
void doacoes(const Secao& s);

// The simplified discount (DESPADRAO): 20 % of I13_07, at most the year's cap.
Decimal descontoPadrao(const store::RegistroEspelho& tabela01);

}  // namespace exporta

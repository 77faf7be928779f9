// The identification: the header (line 1), the taxpayer (record 16) and the records of the
// identification after the incomes: the spouse (29), the estate or departure (30) and the
// final declaration of an estate (38).
#include "converter/receita/declaracao.h"

#include "console/documentos.h"
#include "converter/receita/secoes.h"
#include "rt/text/strings.h"

namespace converter {

std::string reciboComDigitos(std::string_view dez) {
  const std::string r(dez);
  if (rt::text::alltrim(r).empty()) return std::string(12, ' ');
  std::string com = r + console::MODULO_11(r);
  return com + console::MODULO_11(com);
}

Cabecalho leCabecalho(std::string_view linha) {
  Cabecalho c;
  c.cdecl = colunas(linha, -1, 4);
  c.programa = colunas(linha, -1, 8);
  c.ano = colunas(linha, 7, 4);
  c.anos = c.ano == "2009" ? unsigned{k2009} : c.ano == "2010" ? unsigned{k2010} : 0u;
  c.reciboAtu = reciboComDigitos(colunas(linha, 163, 10));
  c.reciboAnt = reciboComDigitos(colunas(linha, 202, 10));
  return c;
}

std::string Leitura::tipo() const {
  if (atual >= linhas.size()) return {};
  return colunas(linhas[atual], -1, 2);
}

Status leIdentificacao(std::string_view linha, const Cabecalho& cab, Linha& registro, Linha& tabela1) {
  auto base = leRegistro(linha, "16", cab.anos);
  if (!base) return base.status();
  copia(*base, registro);
  if (texto(*base, "exterior") == "1") registro.poe("UF", std::string("EX"));
  registro.poe("CONJUNTA", std::string(" "));
  if (espolio(cab)) {
    auto e = leRegistro(linha, "16E", cab.anos);
    if (!e) return e.status();
    copia(*e, tabela1);
    return Status::ok();
  }
  auto o = leRegistro(linha, "16O", cab.anos);
  if (!o) return o.status();
  copia(*o, registro);
  registro.poe("SO_SIMPLES", std::string(texto(*o, "USAPADRAO") == "S" ? "S" : "N"));
  if (cab.anos == k2009)
    for (const char* marca : {"RETIFICA", "NOVOEND"}) registro.poe(marca, std::string("N"));
  if (saida(cab)) {
    auto s = leRegistro(linha, "16S", cab.anos);
    if (!s) return s.status();
    copia(*s, tabela1);
  }
  return Status::ok();
}

Status Secoes::s29(const Campos& r) {
  Linha& g = c_.registro;
  g.poe("CPFCONJU", texto(r, "CPFCONJU"));
  if (!de2010()) return Status::ok();
  for (const char* f : {"I13_1C", "I13_4C", "I13_2C", "I13_3C", "I9_2"}) g.poe(f, valor(r, f));
  g.poe("I9_3", valor(r, "I9_2"));
  g.poe("I9_4", std::string("N"));
  g.poe("I9_5", std::string("S"));
  g.poe("CONJUNTA", std::string(texto(r, "conjunta") == "S" ? "S" : "N"));
  return Status::ok();
}

Status Secoes::s30(const Campos& r) {
  auto t1 = tabela(1);
  if (!t1) return t1.status();
  Linha& l = (*t1)->front();
  copia(r, l);
  l.poe("DECFINAL", std::string("N"));
  l.poe("DECSAIDA", std::string("N"));
  if (espolio(c_.cab)) {
    auto e = registro("30E");
    if (!e) return e.status();
    copia(*e, l);
    l.poe("DECFINAL", std::string("S"));
  }
  return Status::ok();
}

Status Secoes::s38(const Campos& r) {
  auto t1 = tabela(1);
  if (!t1) return t1.status();
  Linha& l = (*t1)->front();
  copia(r, l);
  l.poe("DECJUDI", std::string(texto(r, "judicial") == "J" ? "S" : "N"));
  l.poe("DECFINAL", std::string("S"));
  l.poe("DECSAIDA", std::string("N"));
  return Status::ok();
}

std::span<const Tratamento> Secoes::identificacao() {
  static constexpr Tratamento kTabela[] = {
      {.registro = "29", .trata = &Secoes::s29},
      {.registro = "30", .trata = &Secoes::s30},
      {.registro = "38", .trata = &Secoes::s38},
  };
  return kTabela;
}

}  // namespace converter

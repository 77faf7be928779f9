#include "converter/receita/confere.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "console/documentos.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace converter {

using namespace rt::text::literals;
using rt::text::Decimal;

namespace {

const std::string_view kLeiaute = "Leiaute diferente do esperado.Não é possível converter"_cp;

// The columns of the identification that receipt and capital-gains imports read: the CPF
// and the name (3 to 66).
constexpr int kFimDoNome = 66;

bool numerico(Conversao c) {
  return c == Conversao::Valor || c == Conversao::Numero || c == Conversao::Decimos || c == Conversao::Milesimos ||
         c == Conversao::DezMilesimos;
}

bool emBranco(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\r' || c == '\x1a'; });
}

// The layout's fields a record of `tipo` is read by: the record's own, and the parts that
// depend on the kind of declaration.
std::vector<std::string_view> partes(std::string_view tipo, const Cabecalho& cab) {
  if (tipo == "16") {
    if (cab.cdecl == "ESPL") return {"16", "16E"};
    if (cab.cdecl == "SAID") return {"16", "16O", "16S"};
    return {"16", "16O"};
  }
  if (tipo == "30" && cab.cdecl == "ESPL") return {"30", "30E"};
  return {tipo};
}

// What is wrong with the numbers of a record: a field that holds no number, one beyond what
// the tables hold, a negative count; empty when nothing.
std::string numeros(std::string_view linha, std::string_view parte, unsigned ano) {
  for (const CampoFixo& c : camposFixos()) {
    if (c.registro != parte || (c.anos & ano) == 0 || !numerico(c.conversao)) continue;
    auto v = leCampo(linha, c);
    // A table field by its name; a value the conversion holds for later by where it lies.
    const std::string campo = std::isupper(static_cast<unsigned char>(c.alvo[0]))
                                  ? std::string(c.alvo)
                                  : std::string("da posição "_cp) + std::to_string(c.posicao);
    if (!v) {
      const std::string bruto = colunas(linha, c.posicao, c.largura);
      const std::string s(rt::text::alltrim(bruto));
      const bool digitos = !s.empty() && std::all_of(s.begin() + (s[0] == '-' ? 1 : 0), s.end(),
                                                     [](char x) { return std::isdigit(static_cast<unsigned char>(x)); });
      return digitos ? "valor " + campo + " maior do que o campo comporta" : "valor " + campo + std::string(" não é número"_cp);
    }
    const Decimal d = std::get<Decimal>(*v);
    if (d > kMaiorValor || d < kMenorValor) return "valor " + campo + " maior do que o campo comporta";
    if (c.conversao == Conversao::Numero && d.isNegative()) return "valor " + campo + " negativo";
  }
  return {};
}

}  // namespace

std::string visivel(std::string_view texto) {
  std::string t(texto);
  for (char& c : t)
    if (static_cast<unsigned char>(c) < 32 || c == '\x7f') c = '?';
  return t;
}

std::string tipoVisivel(std::string_view linha) { return visivel(colunas(linha, -1, 2)); }

unsigned ConfereArquivo::ano() const { return modo_ == Modo::Ganhos ? unsigned{kGanhos} : cab_.anos; }

Recusa ConfereArquivo::recusa(std::size_t numero, std::string_view tipo, std::string_view motivo) const {
  const std::string onde = numero == 1   ? std::string("Linha 1 (cabeçalho)"_cp)
                           : tipo.empty() ? "Linha " + std::to_string(numero)
                                          : "Linha " + std::to_string(numero) + ", registro " + std::string(tipo);
  return {std::string(kLeiaute), onde + ": " + std::string(motivo)};
}

Recusa ConfereArquivo::recusa(std::string_view tipo, std::string_view motivo) const {
  return recusa(numero_, tipo, motivo);
}

Recusa ConfereArquivo::linha(std::string_view texto) {
  ++numero_;
  guarda_ = true;
  if (numero_ == 1) {
    cab_ = leCabecalho(texto);
    if (cab_.anos == 0) return recusa("", "o exercício não é 2009 nem 2010"_cp);
    // Receipts and declarations read the two receipt numbers; a capital-gains file only the year.
    const int ultima = modo_ == Modo::Ganhos ? 12 : ultimaColuna("HD", cab_.anos);
    if (std::cmp_less(texto.size(), ultima))
      return recusa("", "cortado com " + std::to_string(texto.size()) + " de " + std::to_string(ultima) + " colunas");
    return {};
  }
  const std::string tipo = tipoVisivel(texto);
  if (numero_ == 2) {
    if (colunas(texto, -1, 2) != "16") return recusa(tipo, "não é a identificação do contribuinte"_cp);
    if (Recusa r = registro(texto); !r.empty()) return r;
    const std::string cpf = colunas(texto, 1, 11);
    std::vector<std::string> aviso = console::avisoCpf(cpf);
    if (aviso.empty()) return {};
    aviso.push_back("CPF \"" + visivel(rt::text::trim(cpf)) + "\" na linha 2 do arquivo");
    return aviso;
  }
  // Receipt numbers need nothing past the identification.
  if (modo_ == Modo::Recibos) {
    guarda_ = false;
    return {};
  }
  if (emBranco(texto)) {
    if (vazia_ == 0) vazia_ = numero_;
    guarda_ = false;
    return {};
  }
  if (vazia_ != 0) return recusa(vazia_, "", "linha vazia antes de outros registros");
  // The fixed order: the current section again (when it takes more than one), or a later one.
  const auto secoes = modo_ == Modo::Ganhos ? secoesGanhos() : secoesDeclaracao();
  const std::string proprio = colunas(texto, -1, 2);
  std::size_t k = secao_ + (tomou_ && secoes[secao_].um ? 1 : 0);
  while (k < secoes.size() && secoes[k].registro != proprio) ++k;
  if (k == secoes.size()) {
    const bool conhecido = std::any_of(secoes.begin(), secoes.end(), [&](const Secao& s) { return s.registro == proprio; });
    return recusa(tipo, conhecido ? "fora da ordem dos registros" : "tipo de registro desconhecido");
  }
  secao_ = k;
  tomou_ = true;
  return registro(texto);
}

Recusa ConfereArquivo::registro(std::string_view texto) {
  const std::string tipo = tipoVisivel(texto);
  const std::string proprio = colunas(texto, -1, 2);
  const bool identificacao = numero_ == 2;
  std::vector<std::string_view> p = partes(proprio, cab_);
  if (identificacao && modo_ != Modo::Declaracao) p = {"16"};
  int ultima = 2;
  for (std::string_view parte : p) ultima = std::max(ultima, ultimaColuna(parte, ano()));
  if (identificacao && modo_ != Modo::Declaracao) ultima = kFimDoNome;
  if (std::cmp_less(texto.size(), ultima))
    return recusa(tipo, "cortado com " + std::to_string(texto.size()) + " de " + std::to_string(ultima) + " colunas");
  for (std::string_view parte : p)
    if (std::string m = numeros(texto, parte, ano()); !m.empty()) return recusa(tipo, m);
  return {};
}

Recusa ConfereArquivo::fim() const {
  if (numero_ == 1) return {std::string(kLeiaute), std::string("O arquivo termina antes da identificação do contribuinte."_cp)};
  return {};
}

}  // namespace converter

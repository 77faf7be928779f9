#include "converter/receita/campos.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <optional>
#include <vector>

#include "console/documentos.h"
#include "converter/receita/campos_assuntos.h"
#include "rt/text/strings.h"

namespace converter {

using rt::text::Date;
using rt::text::Decimal;
using rt::text::Value;
using C = Conversao;

namespace {

// The subjects' tables one after the other; each keeps its records' fields in their order.
std::vector<CampoFixo> monta() {
  std::vector<CampoFixo> v;
  for (std::span<const CampoFixo> assunto :
       {camposIdentificacao(), camposRendimentos(), camposDependentes(), camposPagamentos(), camposBens(),
        camposRendaVariavel(), camposRural(), camposGanhos()})
    v.insert(v.end(), assunto.begin(), assunto.end());
  return v;
}

// Digits with blanks before them and an optional leading minus; the value in units of the
// last digit, or nullopt for anything else or a number too long.
std::optional<std::int64_t> digitos(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negativo = false;
  if (i < s.size() && s[i] == '-') {
    negativo = true;
    ++i;
  }
  std::int64_t n = 0;
  int lidos = 0;
  for (; i < s.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(s[i]))) return std::nullopt;
    if (++lidos > 18) return std::nullopt;
    n = n * 10 + (s[i] - '0');
  }
  if (negativo && lidos == 0) return std::nullopt;
  return negativo ? -n : n;
}

rt::Result<Value> numero(std::string_view s, int casas, const CampoFixo& c) {
  auto n = digitos(s);
  if (!n) return rt::Status(rt::Error::kCorrupt, std::string(c.registro) + " " + std::string(c.alvo));
  std::int64_t divisor = 1;
  for (int k = 0; k < casas; ++k) divisor *= 10;
  const std::int64_t inteiro = *n / divisor, fracao = *n % divisor;
  // Beyond what an amount holds: no amount of a declaration is so large.
  if (inteiro > std::numeric_limits<std::int64_t>::max() / Decimal::kScale - 1 ||
      inteiro < std::numeric_limits<std::int64_t>::min() / Decimal::kScale + 1)
    return rt::Status(rt::Error::kCorrupt, std::string(c.registro) + " " + std::string(c.alvo));
  return Value(Decimal::fromRaw(inteiro * Decimal::kScale + fracao * (Decimal::kScale / divisor)));
}

Date dataDe(std::string_view s) {
  auto n = digitos(s);
  if (!n || s.size() != 8 || s.find(' ') != std::string_view::npos) return Date();
  const int dia = std::stoi(std::string(s.substr(0, 2)));
  const int mes = std::stoi(std::string(s.substr(2, 2)));
  const int ano = std::stoi(std::string(s.substr(4, 4)));
  return Date::fromYmd(ano, mes, dia);
}

}  // namespace

std::span<const CampoFixo> camposFixos() {
  static const std::vector<CampoFixo> tabela = monta();
  return tabela;
}

namespace {

constexpr bool um = true, varios = false;
constexpr Secao kSecoesGanhos[] = {{"60", varios}, {"61", varios}, {"62", varios}, {"63", varios}, {"64", varios},
                             {"65", varios}, {"66", varios}, {"67", varios}, {"68", varios}};
constexpr Secao kSecoesDeclaracao[] = {
    {"17", um},     {"18", um},     {"19", um},     {"20", um},     {"21", varios}, {"22", varios}, {"23", um},
    {"24", um},     {"25", varios}, {"26", varios}, {"27", varios}, {"28", varios}, {"29", um},     {"30", um},
    {"31", varios}, {"32", varios}, {"33", varios}, {"34", varios}, {"35", varios}, {"36", varios}, {"38", um},
    {"40", varios}, {"41", um},     {"42", varios}, {"43", um},     {"50", varios}, {"51", varios}, {"52", varios},
    {"53", varios}, {"54", varios}, {"55", varios}, {"56", varios}, {"60", varios}, {"61", varios}, {"62", varios},
    {"63", varios}, {"64", varios}, {"65", varios}, {"66", varios}, {"67", varios}, {"68", varios}, {"80", varios},
    {"81", varios}};

}  // namespace

std::span<const Secao> secoesDeclaracao() { return kSecoesDeclaracao; }
std::span<const Secao> secoesGanhos() { return kSecoesGanhos; }

int ultimaColuna(std::string_view registro, unsigned ano) {
  int ultima = 2;
  for (const CampoFixo& c : camposFixos())
    if (c.registro == registro && (c.anos & ano) != 0) ultima = std::max(ultima, c.posicao + c.largura + 1);
  return ultima;
}

std::string colunas(std::string_view linha, int posicao, int largura) {
  std::string s(static_cast<std::size_t>(largura), ' ');
  const long inicio = static_cast<long>(posicao) + 1;  // 0-based line index
  for (int k = 0; k < largura; ++k) {
    const long i = inicio + k;
    if (i >= 0 && static_cast<std::size_t>(i) < linha.size()) s[static_cast<std::size_t>(k)] = linha[static_cast<std::size_t>(i)];
  }
  return s;
}

rt::Result<Value> leCampo(std::string_view linha, const CampoFixo& c) {
  const std::string s = colunas(linha, c.posicao, c.largura);
  switch (c.conversao) {
    case C::Texto:
      return Value(std::string(rt::text::trim(s)));
    case C::Convertido:
      return Value(console::AJUS_CAR(s, 1));
    case C::Pontuado:
      return Value(console::CONTAPONTO(rt::text::alltrim(s)));
    case C::Valor:
      return numero(s, 2, c);
    case C::Numero:
      return numero(s, 0, c);
    case C::Decimos:
      return numero(s, 1, c);
    case C::Milesimos:
      return numero(s, 3, c);
    case C::DezMilesimos:
      return numero(s, 4, c);
    case C::Data:
      return Value(dataDe(s));
    case C::NumeroTexto: {
      if (rt::text::trim(s).empty()) return Value(std::string());
      return Value(rt::text::str(Decimal::val(s), c.largura));
    }
  }
  return Value(std::string());
}

rt::Result<Campos> leRegistro(std::string_view linha, std::string_view registro, unsigned ano) {
  Campos r;
  for (const CampoFixo& c : camposFixos()) {
    if (c.registro != registro || (c.anos & ano) == 0) continue;
    auto v = leCampo(linha, c);
    if (!v) return v.status();
    r.insert_or_assign(std::string(c.alvo), std::move(*v));
  }
  return r;
}

std::string texto(const Campos& c, std::string_view alvo) {
  auto i = c.find(alvo);
  if (i == c.end()) return {};
  if (const auto* s = std::get_if<std::string>(&i->second)) return *s;
  return {};
}

Decimal valor(const Campos& c, std::string_view alvo) {
  auto i = c.find(alvo);
  if (i == c.end()) return Decimal();
  if (const auto* d = std::get_if<Decimal>(&i->second)) return *d;
  return Decimal();
}

Date data(const Campos& c, std::string_view alvo) {
  auto i = c.find(alvo);
  if (i == c.end()) return Date();
  if (const auto* d = std::get_if<Date>(&i->second)) return *d;
  return Date();
}

}  // namespace converter

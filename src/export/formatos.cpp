#include "export/formatos.h"

#include <array>
#include <cstdint>
#include <cstdlib>

#include <iconv.h>

#include "console/documentos.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"

namespace exporta {

namespace {

// "1234567" as "1.234.567".
std::string milhares(std::uint64_t n) {
  std::string d = std::to_string(n);
  std::string r;
  r.reserve(d.size() + d.size() / 3);
  for (std::size_t i = 0; i < d.size(); ++i) {
    if (i > 0 && (d.size() - i) % 3 == 0) r += '.';
    r += d[i];
  }
  return r;
}

std::uint64_t absoluto(std::int64_t v) {
  return v < 0 ? static_cast<std::uint64_t>(-(v + 1)) + 1 : static_cast<std::uint64_t>(v);
}

// The map as one table: every pair replaces one byte by an ASCII character that no later
// pair replaces again, so one pass gives what the pairs applied in order give.
struct Mapa {
  std::array<unsigned char, 256> b{};
  constexpr void poe(char para, std::initializer_list<unsigned char> de) {
    for (unsigned char c : de) b[c] = static_cast<unsigned char>(para);
  }
  constexpr Mapa() {
    for (int i = 0; i < 256; ++i) b[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i);
    poe('a', {0xA0, 0x85, 0xC6, 0x83, 0x84});
    poe('A', {0xB7, 0xB5, 0xC7, 0xB6, 0x8E});
    poe('e', {0x82, 0x8A, 0x88, 0x89});
    poe('E', {0x90, 0xD4, 0xD2, 0xD3, 0x7F});
    poe('i', {0xA1, 0x8D, 0x8C, 0x8B});
    poe('I', {0xD6, 0xDE, 0xD7, 0xD8});
    poe('o', {0xA2, 0x95, 0xE4, 0x93, 0x94});
    poe('O', {0xE0, 0xE3, 0xE5, 0xE2, 0x99});
    poe('u', {0xA3, 0x97, 0x96, 0x81});
    poe('U', {0xE9, 0xEB, 0xEA, 0x9A});
    poe('c', {0x87});
    poe('C', {0x80});
    poe(' ', {0x22, 0x27});
    poe('o', {0xA7});
    poe('a', {0xA6});
    poe(' ', {'#'});
    poe('e', {'&'});
    poe('-', {'<', '>'});
    poe('2', {0xFD});
    poe('3', {0xFC});
    poe('-', {'_'});
    poe('L', {0x9C});
    poe('O', {0x9D});
    poe('x', {0x9E});
    poe('f', {0x9F});
    poe(' ', {0xAB, 0xAC, 0xA4, 0xA5, 0xA8, 0xA9, 0xAA, 0xAD, 0xAE, 0xAF, 0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB8,
              0xB9, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC8, 0xC9, 0xCA,
              0xCB, 0xCC, 0xCD, 0xCE, 0xCF, 0xD0, 0xD1, 0xD5, 0xD9, 0xDA, 0xDB, 0xDC, 0xDD, 0xDF, 0xE1, 0xE6,
              0xE7, 0xE8, 0xEC, 0xED, 0xEE, 0xEF, 0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9,
              0xFA, 0xFB, 0xFE, 0xFF});
  }
};

constexpr Mapa kMatcar{};

// The map names the letters of the PC code page 850, while the tables hold CP860, where
// several bytes stand for other letters (0x9F is "Ó" here and "ƒ" there). Each CP860 byte is
// therefore mapped as the letter it stands for: through its CP850 byte, when CP850 has that
// letter. A letter the map leaves alone keeps its CP860 byte, transcoded later.
std::array<unsigned char, 256> mapaCp860() {
  std::array<unsigned char, 256> m{};
  for (int i = 0; i < 256; ++i) m[static_cast<std::size_t>(i)] = kMatcar.b[static_cast<std::size_t>(i)];
  iconv_t cd = iconv_open("CP850", "CP860");
  if (cd == reinterpret_cast<iconv_t>(-1)) return m;
  for (int i = 0x80; i < 256; ++i) {
    char de = static_cast<char>(i), para = 0;
    char* e = &de;
    char* s = &para;
    std::size_t ne = 1, ns = 1;
    const bool ok = iconv(cd, &e, &ne, &s, &ns) != static_cast<std::size_t>(-1) && ns == 0;
    const unsigned char mapeado = ok ? kMatcar.b[static_cast<unsigned char>(para)] : static_cast<unsigned char>(i);
    m[static_cast<std::size_t>(i)] = mapeado < 0x80 ? mapeado : static_cast<unsigned char>(i);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return m;
}

}  // namespace

std::string dinheiro(Decimal valor) {
  // Cents of the cut amount: DESPREZA leaves exactly two places.
  const std::int64_t centavos = console::DESPREZA(valor).raw() / (Decimal::kScale / 100);
  const std::uint64_t a = absoluto(centavos);
  const std::uint64_t c = a % 100;
  return (centavos < 0 ? "-" : "") + milhares(a / 100) + "," + (c < 10 ? "0" : "") + std::to_string(c);
}

std::string umDecimal(Decimal valor) {
  const std::int64_t decimos = console::DESPREZA(valor, 15, 1).raw() / (Decimal::kScale / 10);
  const std::uint64_t a = absoluto(decimos);
  return (decimos < 0 ? "-" : "") + milhares(a / 10) + "," + std::to_string(a % 10);
}

std::string inteiro(Decimal valor) {
  const std::int64_t n = rt::text::round(valor, 0).wholePart();
  return (n < 0 ? "-" : "") + milhares(absoluto(n));
}

std::string inteiroSemPontos(Decimal valor) {
  return std::to_string(rt::text::round(valor, 0).wholePart());
}

std::string CONVCAR(std::string_view texto) {
  static const std::array<unsigned char, 256> mapa = mapaCp860();
  std::string r(texto);
  for (char& c : r) c = static_cast<char>(mapa[static_cast<unsigned char>(c)]);
  return r;
}

std::string SEMPONTO(std::string_view texto) {
  std::string r(texto);
  for (char& c : r)
    if (c == '.' || c == ',' || c == '/' || c == '\\' || c == ')' || c == '(') c = ' ';
  return r;
}

std::string valorXml(std::string_view cp860) {
  std::string r;
  r.reserve(cp860.size() + 8);
  std::size_t alto = 0;  // start of a run of bytes from 0x80, transcoded together
  auto fechaAlto = [&](std::size_t fim) {
    if (alto < fim) r += rt::text::cp860ToUtf8(cp860.substr(alto, fim - alto));
  };
  for (std::size_t i = 0; i < cp860.size(); ++i) {
    const auto c = static_cast<unsigned char>(cp860[i]);
    if (c >= 0x80) {
      if (i == 0 || static_cast<unsigned char>(cp860[i - 1]) < 0x80) alto = i;
      if (i + 1 == cp860.size() || static_cast<unsigned char>(cp860[i + 1]) < 0x80) fechaAlto(i + 1);
      continue;
    }
    if (c < 0x20)
      r += ' ';
    else if (c == '&')
      r += "&amp;";
    else if (c == '<')
      r += "&lt;";
    else if (c == '"')
      r += "&quot;";
    else
      r += static_cast<char>(c);
  }
  return r;
}

std::string texto(std::string_view cp860) {
  return valorXml(rt::text::alltrim(cp860));
}

std::string mapeado(std::string_view cp860) {
  return valorXml(CONVCAR(rt::text::alltrim(cp860)));
}

std::string comCpf(std::string_view numero) {
  if (rt::text::alltrim(numero).empty()) return {};
  return texto(rt::text::transform(numero, "@R 999.999.999-99"));
}

std::string comCnpj(std::string_view numero) {
  if (rt::text::alltrim(numero).empty()) return {};
  return texto(rt::text::transform(numero, "@R 99.999.999/9999-99"));
}

std::string soDigitos(std::string_view texto) {
  std::string r;
  for (char c : texto)
    if (c >= '0' && c <= '9') r += c;
  return r;
}

std::string dataTexto(Date d) {
  return rt::text::dtoc(d);
}

}  // namespace exporta

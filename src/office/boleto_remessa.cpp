#include "office/boleto_remessa.h"

#include <cstdio>

#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace office {

namespace {

using rt::text::Date;
using rt::text::Decimal;

// The bank reads plain upper-case ASCII: a letter of the console code page loses its accent
// ("Ó" and "ó" are "O", "Ç" is "C"), "ª" and "º" are "A" and "O", and any other byte outside
// printable ASCII is a blank, so every field keeps its width.
char letraDoBanco(unsigned char c) {
  // The letters of U+00C0..U+00FF without their marks, capitals and small ones alike.
  static constexpr std::string_view kLatinas = "AAAAAAACEEEEIIIIDNOOOOO OUUUUY SAAAAAAACEEEEIIIIDNOOOOO OUUUUY Y";
  static_assert(kLatinas.size() == 64);
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  if (c >= 0x20 && c < 0x7F) return static_cast<char>(c);
  const char16_t u = rt::text::cp860::toCodepoint(c);
  if (u == 0x00AA) return 'A';
  if (u == 0x00BA) return 'O';
  if (u >= 0x00C0 && u <= 0x00FF) return kLatinas[u - 0x00C0];
  return ' ';
}

// A text cut or padded with blanks to `n` positions, left-aligned, as the bank reads it.
std::string texto(std::string_view s, int n) {
  std::string t = rt::text::padr(rt::text::left(s, n), n);
  for (char& c : t) c = letraDoBanco(static_cast<unsigned char>(c));
  return t;
}

// A whole number in `n` digits with leading zeros (a longer one keeps its last digits, so no
// record ever grows).
std::string comZeros(long long v, int n) {
  std::string s = std::to_string(v < 0 ? -v : v);
  if (static_cast<int>(s.size()) > n) return s.substr(s.size() - static_cast<std::size_t>(n));
  return std::string(static_cast<std::size_t>(n) - s.size(), '0') + s;
}

std::string comZeros(Decimal v, int n) {
  return comZeros(static_cast<long long>(v.wholePart()), n);
}

std::string ddmmaa(Date d) {
  if (d.isEmpty()) return std::string(6, '0');
  return comZeros(d.day(), 2) + comZeros(d.month(), 2) + comZeros(d.year() % 100, 2);
}

std::string sequencia(int n) {
  return comZeros(n, 6);
}

// Positions are counted from 1, as the bank's layout gives them.
class Registro {
 public:
  Registro() : r_(kTamanhoRegistro, ' ') {}
  Registro& em(int de, std::string_view s) {
    r_.replace(static_cast<std::size_t>(de - 1), s.size(), s);
    return *this;
  }
  std::string fim(int seq) {
    em(395, sequencia(seq));
    return r_ + "\r\n";
  }

 private:
  std::string r_;
};

}  // namespace

std::string centavos(Decimal valor) {
  // Whole reais and the fraction apart: the largest amount of the table (999.999.999,99) in
  // cents is beyond what a Decimal holds.
  const long long reais = valor.wholePart();
  const long long fracao = rt::text::round((valor - Decimal::fromInt(reais)) * Decimal(100), 0).wholePart();
  return comZeros(reais * 100 + fracao, 13);
}

std::string registroHeader(const ContaBoleto& c, Date hoje) {
  return Registro()
      .em(1, "01REMESSA01COBRANCA       ")
      .em(27, texto(c.BOL_AGENCI, 4))
      .em(31, "00")
      .em(33, texto(c.BOL_CONTA, 6))
      .em(47, texto(c.BOL_NOME, 30))
      .em(77, "341")
      .em(80, "BANCO ITAU SA  ")
      .em(95, ddmmaa(hoje))
      .fim(1);
}

std::string registroDetalhe(const ContaBoleto& c, const Boleto& b, Date hoje, int seq) {
  const bool porCpf = rt::text::alltrim(c.BOL_CNPJ).empty();
  const EnderecoSacado& e = b.endereco;
  return Registro()
      .em(1, "1")
      .em(2, porCpf ? "01" : "02")
      .em(4, porCpf ? "000" + texto(c.BOL_CPF, 11) : texto(c.BOL_CNPJ, 14))
      .em(18, texto(c.BOL_AGENCI, 4))
      .em(22, "00")
      .em(24, texto(c.BOL_CONTA, 6))
      .em(63, comZeros(b.NOSSONRO, 8))
      .em(71, std::string(13, '0'))
      .em(84, texto(c.BOL_CARTEI, 3))
      .em(108, "I01")
      .em(111, comZeros(b.NRODOCUM, 5))
      .em(121, ddmmaa(b.DATADOC))
      .em(127, centavos(b.VALORDOC))
      .em(140, "3410000017N")
      .em(151, ddmmaa(hoje))
      .em(157, std::string(62, '0'))
      .em(219, "01")
      .em(221, "000" + texto(b.CPFSAC, 11))
      .em(235, texto(b.NOMESAC, 30))
      .em(275, texto(e.TIPOEND, 5))
      .em(281, texto(e.ENDERECO, 27))
      .em(309, texto(e.NUMERO, 6))
      .em(315, texto(e.BAIRRO, 12))
      .em(327, texto(e.CEP, 8))
      .em(335, texto(e.MUNICIPIO, 15))
      .em(350, texto(e.UF, 2))
      .em(386, "00000000 ")
      .fim(seq);
}

std::string registroTrailer(int seq) {
  return Registro().em(1, "9").fim(seq);
}

std::string remessa(const ContaBoleto& conta, const std::vector<Boleto>& boletos, Date hoje) {
  std::string out = registroHeader(conta, hoje);
  int seq = 1;
  for (const Boleto& b : boletos) out += registroDetalhe(conta, b, hoje, ++seq);
  return out + registroTrailer(seq + 1);
}

std::optional<std::string> nomeRemessa(std::string_view pasta, Date hoje,
                                       const std::function<bool(const std::string&)>& existe) {
  const std::string base = std::string(pasta) + "C" + comZeros(hoje.year() % 100, 2) +
                           comZeros(hoje.month(), 2) + comZeros(hoje.day(), 2);
  for (char letra = 'A'; letra <= 'Z'; ++letra) {
    std::string nome = base + letra + ".txt";
    if (!existe(nome)) return nome;
  }
  return std::nullopt;
}

}  // namespace office

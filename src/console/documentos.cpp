#include "console/documentos.h"

#include <algorithm>
#include <array>

#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace console {

using namespace rt::text::literals;

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

char checkDigit(std::string_view digits, const int* weights) {
  int sum = 0;
  for (std::size_t i = 0; i < digits.size(); ++i) sum += (digits[i] - '0') * weights[i];
  int r = sum % 11;
  return static_cast<char>('0' + (r < 2 ? 0 : 11 - r));
}

bool jaPontuado(std::string_view d) {
  return (d.size() > 2 && d[2] == '.') || (d.size() > 3 && (d[3] == '.' || d[3] == ' '));
}

std::string layout(std::string_view digits, std::string_view mask) {
  std::string out;
  std::size_t i = 0;
  for (char m : mask) out += (m == 'n') ? (i < digits.size() ? digits[i++] : ' ') : m;
  return out;
}

template <std::size_t N>
bool contains(const std::array<int, N>& codes, int code) {
  for (int c : codes)
    if (c == code) return true;
  return false;
}

}  // namespace

std::string MODULO_11(std::string_view digits) {
  if (digits.empty()) return "";
  int weight = static_cast<int>(digits.size()) + 1, sum = 0;
  for (char c : digits) sum += (isDigit(c) ? c - '0' : 0) * weight--;
  int d = 11 - sum % 11;
  return std::string(1, static_cast<char>('0' + (d > 9 ? 0 : d)));
}

std::string cpfDigitos(std::string_view nove) {
  std::string d1 = MODULO_11(nove.substr(0, 9));
  std::string d2 = MODULO_11(std::string(nove.substr(0, 9)) + d1);
  return d1 + d2;
}

std::vector<std::string> avisoCpf(std::string_view cpf) {
  const std::string d = TIRA_PONTO(cpf.substr(0, std::min<std::size_t>(cpf.size(), 11)));
  if (d.size() < 9) return {std::string("ATENCAO!! CPF está incompleto."_cp)};
  const std::string certo = cpfDigitos(d.substr(0, 9));
  if (d.substr(9) != certo)
    return {std::string("ATENCAO!! CPF está incorreto. "_cp), std::string("O dígito correto deve ser:"_cp) + certo};
  return {};
}

std::string cnpjDigitos(std::string_view doze) {
  static constexpr int w1[12] = {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
  static constexpr int w2[13] = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
  std::string base(doze.substr(0, 12));
  char d1 = checkDigit(base, w1);
  char d2 = checkDigit(base + d1, w2);
  return {d1, d2};
}

char nitDigito(std::string_view dez) {
  static constexpr int w[10] = {3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
  return checkDigit(dez.substr(0, 10), w);
}

std::string TIRA_PONTO(std::string_view documento) {
  std::string out;
  for (char c : documento)
    if (isDigit(c)) out += c;
  return out;
}

std::string CONTAPONTO(std::string_view documento) {
  if (jaPontuado(documento)) return std::string(documento);
  std::string digits = std::string(rt::text::alltrim(documento));
  if (digits.size() == 14 && TIRA_PONTO(digits) == digits) return layout(digits, "nn.nnn.nnn/nnnn-nn");
  if (digits.size() == 11 && TIRA_PONTO(digits) == digits) return layout(digits, "nnn.nnn.nnn-nn    ");
  return std::string(documento);
}

std::string POEPONTO(std::string_view documento, int modo, int codigo) {
  if (jaPontuado(documento)) return std::string(documento);
  if (modo == 1) {
    static constexpr std::array<int, 12> kCnpj = {1, 2, 20, 21, 26, 36, 38, 40, 41, 42, 43, 98};
    static constexpr std::array<int, 17> kCpf = {10, 11, 30, 31, 33, 34, 60, 61, 62, 66, 70, 76, 80, 81, 91, 93, 94};
    std::string digits = TIRA_PONTO(documento);
    if (contains(kCnpj, codigo)) return layout(digits, "nn.nnn.nnn/nnnn-nn");
    if (contains(kCpf, codigo)) return layout(digits, "nnn.nnn.nnn-nn    ");
    if (codigo == 50) return layout(digits, "nnn.nnnnn.nn-n    ");
  }
  return CONTAPONTO(documento);
}

Decimal DESPREZA(Decimal valor, int /*largura*/, int decimais) { return rt::text::despreza(valor, decimais); }

Decimal CAR_TO_VAL(std::string_view texto) {
  std::string t = rt::text::strtran(texto, ".", "");
  t = rt::text::strtran(t, ",", ".", 1, 1);
  return Decimal::val(t);
}

std::string TRAZ_MES(int mes) {
  static constexpr std::string_view kMeses[12] = {"Janeiro  ", "Fevereiro", "Marco    ", "Abril    ",
                                                  "Maio     ", "Junho    ", "Julho    ", "Agosto   ",
                                                  "Setembro ", "Outubro  ", "Novembro ", "Dezembro "};
  return (mes >= 1 && mes <= 12) ? std::string(kMeses[mes - 1]) : std::string();
}

std::string AJUS_CAR(std::string_view texto, int modo) {
  static constexpr unsigned char kWindows[25] = {0xE1, 0xE9, 0xED, 0xF3, 0xFA, 0xC1, 0xC9, 0xCD, 0xD3,
                                                 0xDA, 0xE0, 0xE3, 0xF5, 0xC3, 0xD5, 0xE7, 0xC7, 0xE2,
                                                 0xEA, 0xF4, 0xFB, 0xC2, 0xCA, 0xD4, 0xDB};
  static constexpr unsigned char kConsole[25] = {0xA0, 0x82, 0xA1, 0xA2, 0xA3, 0x41, 0x90, 0x49, 0x4F,
                                                 0x55, 0x85, 0x84, 0x94, 0x41, 0x4F, 0x87, 0x80, 0x83,
                                                 0x88, 0x93, 0x96, 0x41, 0x45, 0x4F, 0x55};
  const unsigned char* from = modo == 1 ? kWindows : kConsole;
  const unsigned char* to = modo == 1 ? kConsole : kWindows;
  std::string out(rt::text::trim(texto));
  for (char& c : out) {
    auto b = static_cast<unsigned char>(c);
    // Mapping back touches only console bytes of 0x80 and above: the plain letters the map
    // produced cannot be told from letters that were plain to begin with.
    if (modo != 1 && b < 0x80) continue;
    for (int i = 0; i < 25; ++i)
      if (from[i] == b) {  // for a byte listed twice the first entry wins
        c = static_cast<char>(to[i]);
        break;
      }
  }
  return out;
}

}  // namespace console

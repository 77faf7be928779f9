#include "platform/mensagem_smtp.h"

#include <cstdio>
#include <cstdlib>
#include <random>

namespace platform {

namespace {

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string base64(std::string_view s) {
  std::string out;
  std::size_t i = 0;
  for (; i + 2 < s.size(); i += 3) {
    const unsigned v = (static_cast<unsigned char>(s[i]) << 16) |
                       (static_cast<unsigned char>(s[i + 1]) << 8) | static_cast<unsigned char>(s[i + 2]);
    for (int k = 18; k >= 0; k -= 6) out += kBase64[(v >> k) & 63];
  }
  if (i < s.size()) {
    unsigned v = static_cast<unsigned char>(s[i]) << 16;
    if (i + 1 < s.size()) v |= static_cast<unsigned char>(s[i + 1]) << 8;
    out += kBase64[(v >> 18) & 63];
    out += kBase64[(v >> 12) & 63];
    out += i + 1 < s.size() ? kBase64[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

bool letraOuDigito(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The characters of an atom besides letters and digits (RFC 5322 atext).
bool atext(char c) {
  return letraOuDigito(c) || std::string_view("!#$%&'*+/=?^_`{|}~-").find(c) != std::string_view::npos;
}

// A dot-atom: atoms of `vale` characters joined by single dots.
template <typename Vale>
bool pontuado(std::string_view s, Vale vale) {
  if (s.empty() || s.front() == '.' || s.back() == '.') return false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '.' ? s[i + 1] == '.' : !vale(s[i])) return false;
  }
  return true;
}

bool rotulo(std::string_view r) {
  if (r.empty() || r.size() > 63 || r.front() == '-' || r.back() == '-') return false;
  for (char c : r)
    if (!letraOuDigito(c) && c != '-') return false;
  return true;
}

bool dominio(std::string_view d) {
  if (d.empty() || d.size() > 253 || d.back() == '.') return false;
  for (std::size_t ini = 0;;) {
    const std::size_t ponto = d.find('.', ini);
    if (!rotulo(d.substr(ini, ponto == std::string_view::npos ? std::string_view::npos : ponto - ini)))
      return false;
    if (ponto == std::string_view::npos) return true;
    ini = ponto + 1;
  }
}

}  // namespace

bool enderecoValido(std::string_view e) {
  const std::size_t arroba = e.find('@');
  if (arroba == std::string_view::npos || e.size() > 254) return false;
  const std::string_view local = e.substr(0, arroba);
  return local.size() <= 64 && pontuado(local, atext) && dominio(e.substr(arroba + 1));
}

bool valorDeCabecalhoValido(std::string_view v) {
  for (char c : v)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  return true;
}

std::string palavraCodificada(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return "=?UTF-8?B?" + base64(s) + "?=";
  return std::string(s);
}

std::string dataDoCabecalho(std::time_t t) {
  static constexpr const char* kDias[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMeses[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::tm tm{};
  localtime_r(&t, &tm);
  // The names are English whatever the locale, as the header's grammar has them.
  const long minutos = tm.tm_gmtoff / 60;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%s, %02d %s %04d %02d:%02d:%02d %c%02ld%02ld", kDias[tm.tm_wday % 7],
                tm.tm_mday, kMeses[tm.tm_mon % 12], tm.tm_year + 1900, tm.tm_hour, tm.tm_min, tm.tm_sec,
                minutos < 0 ? '-' : '+', std::labs(minutos) / 60, std::labs(minutos) % 60);
  return buf;
}

std::string identificadorDeMensagem(std::time_t t, std::string_view remetente) {
  std::tm tm{};
  gmtime_r(&t, &tm);
  std::random_device aleatorio;
  const unsigned long long a = (static_cast<unsigned long long>(aleatorio()) << 32) | aleatorio();
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d.%016llx", tm.tm_year + 1900, tm.tm_mon + 1,
                tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, a);
  const std::size_t arroba = remetente.rfind('@');
  const std::string_view d =
      arroba == std::string_view::npos ? std::string_view("localhost") : remetente.substr(arroba + 1);
  return "<" + std::string(buf) + "@" + std::string(d) + ">";
}

std::string disposicaoDoAnexo(std::string_view nome) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string v = "attachment; filename*=UTF-8''";
  for (char c : nome) {
    // RFC 5987's attr-char, the safe part of RFC 2231's: everything else is %XX.
    if (letraOuDigito(c) || std::string_view("!#$&+-.^_`|~").find(c) != std::string_view::npos) {
      v += c;
    } else {
      const auto b = static_cast<unsigned char>(c);
      v += '%';
      v += kHex[b >> 4];
      v += kHex[b & 15];
    }
  }
  return v;
}

}  // namespace platform

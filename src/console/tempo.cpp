#include "console/tempo.h"

#include <cstdio>

#include "rt/text/strings.h"

namespace console {
namespace {

int numero(std::string_view s) {
  int n = 0;
  for (char c : s)
    if (c >= '0' && c <= '9') n = n * 10 + (c - '0');
  return n;
}

std::string doisDigitos(long long n) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%02lld", n);
  return buf;
}

}  // namespace

int HORA_SEG(std::string_view hora) {
  auto parte = [&](std::size_t p) { return p < hora.size() ? numero(hora.substr(p, 2)) : 0; };
  return parte(0) * 3600 + parte(3) * 60 + parte(6);
}

std::string SEG_HORA(long long s) {
  return doisDigitos((s / 3600) % 24) + ":" + doisDigitos((s / 60) % 60) + ":" + doisDigitos(s % 60);
}

std::string SEG_HOR_2(long long s) {
  return doisDigitos((s / 86400) % 99) + "D" + doisDigitos((s / 3600) % 24) + "h" +
         doisDigitos((s / 60) % 60) + "m";
}

int TEMPO_PAS(std::string_view inicio, std::string_view fim) {
  int d = HORA_SEG(fim) - HORA_SEG(inicio);
  if (d < 0) d += 86400;
  return d;
}

std::string TEMPO_PAS(std::string_view inicio, std::string_view fim, int formato) {
  const int s = TEMPO_PAS(inicio, fim);
  return formato == 1 ? SEG_HORA(s) : std::to_string(s);
}

int SKIPPED(Saltavel& t, int pedido, bool contaFim) {
  int n = 0;
  if (t.vazia()) return 0;
  if (pedido == 0) {
    t.salta(0);
  } else if (pedido > 0 && !t.eof()) {
    while (n < pedido) {
      t.salta(1);
      if (t.eof()) {
        if (contaFim)
          ++n;
        else
          t.salta(-1);
        break;
      }
      ++n;
    }
  } else if (pedido < 0) {
    while (n > pedido) {
      t.salta(-1);
      if (t.bof()) break;
      --n;
    }
  }
  return n;
}

}  // namespace console

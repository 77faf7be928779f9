#include "store/estrutura_esperada.h"

#include <gtest/gtest.h>

#include <cctype>
#include <charconv>

namespace esperado {
namespace {

std::string_view apara(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> parte(std::string_view s, char sep) {
  std::vector<std::string_view> out;
  std::size_t inicio = 0;
  int nivel = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '{') ++nivel;
    if (s[i] == '}') --nivel;
    if (s[i] == sep && nivel == 0) {
      out.push_back(apara(s.substr(inicio, i - inicio)));
      inicio = i + 1;
    }
  }
  out.push_back(apara(s.substr(inicio)));
  return out;
}

int numero(std::string_view s) {
  int v = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || p != s.data() + s.size()) ADD_FAILURE() << "not a number: " << s;
  return v;
}

// The alternatives of one brace body: "01..14" or "A,B,V1".
std::vector<std::string> alternativas(std::string_view corpo) {
  std::vector<std::string> out;
  if (auto pontos = corpo.find(".."); pontos != std::string_view::npos) {
    std::string_view de = corpo.substr(0, pontos);
    int a = numero(de), b = numero(corpo.substr(pontos + 2));
    for (int k = a; k <= b; ++k) {
      std::string t = std::to_string(k);
      while (t.size() < de.size()) t.insert(t.begin(), '0');
      out.push_back(t);
    }
  } else {
    for (std::string_view alt : parte(corpo, ',')) out.emplace_back(alt);
  }
  return out;
}

}  // namespace

std::vector<std::string> expande(std::string_view nome) {
  auto abre = nome.find('{');
  if (abre == std::string_view::npos) return {std::string(nome)};
  auto fecha = nome.find('}', abre);
  std::vector<std::string> out;
  for (const std::string& alt : alternativas(nome.substr(abre + 1, fecha - abre - 1)))
    for (const std::string& resto : expande(nome.substr(fecha + 1)))
      out.push_back(std::string(nome.substr(0, abre)) + alt + resto);
  return out;
}

std::vector<store::CampoDef> estrutura(std::string_view texto) {
  std::vector<store::CampoDef> out;
  for (std::string_view item : parte(texto, ';')) {
    if (item.empty()) continue;
    auto espaco = item.find_last_of(' ');
    if (espaco == std::string_view::npos) {
      ADD_FAILURE() << "item without a type: " << item;
      continue;
    }
    std::string_view tipo = item.substr(espaco + 1);
    store::CampoDef molde;
    molde.tipo = tipo[0];
    switch (molde.tipo) {
      case 'D':
        molde.largura = 8;
        break;
      case 'L':
        molde.largura = 1;
        break;
      case 'M':
        molde.largura = 10;
        break;
      case 'C':
        molde.largura = numero(tipo.substr(1));
        break;
      case 'N': {
        std::string_view wd = tipo.substr(1);
        auto ponto = wd.find('.');
        molde.largura = numero(wd.substr(0, ponto));
        if (ponto != std::string_view::npos) molde.decimais = numero(wd.substr(ponto + 1));
        break;
      }
      default:
        ADD_FAILURE() << "unknown type in: " << item;
    }
    for (std::string_view nome : parte(item.substr(0, espaco), ','))
      for (std::string& n : expande(nome)) {
        store::CampoDef c = molde;
        c.nome = std::move(n);
        out.push_back(std::move(c));
      }
  }
  return out;
}

}  // namespace esperado

#include "converter/folha_arquivo.h"

#include <cstdint>

#include "console/documentos.h"
#include "rt/text/cp860.h"
#include "rt/text/decimal.h"
#include "rt/text/strings.h"

namespace converter {

using rt::text::Decimal;

namespace {

// The values of one line; false when a quote is left open.
bool separa(std::string_view linha, std::vector<std::string>& valores) {
  valores.clear();
  std::size_t i = 0;
  while (i <= linha.size()) {
    std::string v;
    while (i < linha.size() && linha[i] == ' ') ++i;
    if (i < linha.size() && linha[i] == '"') {
      std::size_t fim = i + 1;
      bool fechou = false;
      for (; fim < linha.size(); ++fim) {
        if (linha[fim] != '"') {
          v += linha[fim];
        } else if (fim + 1 < linha.size() && linha[fim + 1] == '"') {
          v += '"';
          ++fim;
        } else {
          fechou = true;
          break;
        }
      }
      if (!fechou) return false;
      const std::size_t virgula = linha.find(',', fim + 1);
      i = virgula == std::string_view::npos ? linha.size() + 1 : virgula + 1;
    } else {
      const std::size_t virgula = linha.find(',', i);
      const std::size_t fim = virgula == std::string_view::npos ? linha.size() : virgula;
      v = std::string(rt::text::trim(linha.substr(i, fim - i)));
      i = fim + 1;
    }
    valores.push_back(std::move(v));
  }
  return true;
}

// The digits of a document written with or without its separators; nullopt when anything else
// is there ("1000.50" is no document, nor is a name that a misplaced quote moved here).
std::optional<std::string> digitosDoDocumento(std::string_view s) {
  std::string d;
  for (char c : rt::text::trim(s)) {
    if (c >= '0' && c <= '9') {
      d += c;
    } else if (c != '.' && c != '-' && c != '/') {
      return std::nullopt;
    }
  }
  return d;
}

bool cpfCerto(std::string_view d) { return d.size() == 11 && console::cpfDigitos(d.substr(0, 9)) == d.substr(9); }
bool cnpjCerto(std::string_view d) { return d.size() == 14 && console::cnpjDigitos(d.substr(0, 12)) == d.substr(12); }

// Whether the whole text is well-formed UTF-8.
bool utf8Valido(std::string_view s) {
  for (std::size_t i = 0; i < s.size();)
    if (!rt::text::cp860::decodeUtf8(s, i)) return false;
  return true;
}

// The file in the console code page: a file that is valid UTF-8 (as current systems write it,
// with or without the byte-order mark) is read as UTF-8, anything else as the Windows code
// page the payroll programs have always used. Text in the Windows code page with accents is
// practically never valid UTF-8, and plain ASCII reads the same either way.
std::string noConsole(std::string_view bytes) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (bytes.starts_with(kBom)) bytes.remove_prefix(kBom.size());
  return utf8Valido(bytes) ? rt::text::utf8ToCp860(bytes) : rt::text::cp1252ToCp860(bytes);
}

// Whether the amount fits a numeric field of that width and decimals.
bool cabe(Decimal n, const store::CampoDef& c) {
  std::int64_t limite = 1;
  for (int i = 0; i < c.largura - (c.decimais > 0 ? c.decimais + 1 : 0); ++i) limite *= 10;
  // A negative amount gives one place to its sign.
  return n < Decimal::fromInt(limite) && n > Decimal::fromInt(-limite / 10);
}

std::string naLinha(int n, std::string_view motivo) {
  return "Linha " + std::to_string(n) + " do FOLHA.TXT: " + std::string(motivo);
}

// Every line's statement until one refuses the file.
LeituraFolha leLinhas(std::string_view bytes, std::span<const store::CampoDef> campos) {
  using namespace rt::text::literals;
  LeituraFolha r;
  const std::string texto = noConsole(bytes);
  std::vector<std::string> valores;
  std::size_t pos = 0;
  int numero = 0;
  while (pos < texto.size()) {
    std::size_t fim = texto.find('\n', pos);
    if (fim == std::string::npos) fim = texto.size();
    std::string_view linha(texto.data() + pos, fim - pos);
    pos = fim + 1;
    ++numero;
    if (!linha.empty() && linha.back() == '\r') linha.remove_suffix(1);
    if (rt::text::trim(linha).empty() || linha == "\x1A") continue;
    if (!separa(linha, valores)) {
      r.recusa = naLinha(numero, "aspas sem fechamento");
      return r;
    }
    if (valores.size() > campos.size()) {
      r.recusa = naLinha(numero, "mais de " + std::to_string(campos.size()) + " valores");
      return r;
    }
    Comprovante c;
    c.reserve(campos.size());
    for (std::size_t i = 0; i < campos.size(); ++i) {
      const store::CampoDef& campo = campos[i];
      const std::string bruto = i < valores.size() ? valores[i] : std::string();
      if (campo.tipo == 'N') {
        const std::string_view t = rt::text::trim(bruto);
        std::optional<Decimal> n = t.empty() ? std::optional(Decimal()) : Decimal::parse(t);
        if (!n || !cabe(*n, campo)) {
          r.recusa = naLinha(numero, std::string("valor inválido em "_cp) + campo.nome + " (" + bruto + ")");
          return r;
        }
        c.emplace_back(*n);
      } else if (campo.nome == "CPF") {
        // A statement whose CPF is not one would reach the register as a taxpayer nobody can
        // find again; a value shifted by a misplaced quote lands here or in the payer's document.
        const std::optional<std::string> cpf = digitosDoDocumento(bruto);
        if (!cpf || !cpfCerto(*cpf)) {
          r.recusa = naLinha(numero, std::string("CPF inválido ("_cp) + bruto + ")");
          return r;
        }
        c.emplace_back(*cpf);
      } else if (campo.nome == "CNPJFONTE") {
        // The payer is a company (CNPJ) or a person (CPF).
        const std::optional<std::string> doc = digitosDoDocumento(bruto);
        if (!doc || !(cnpjCerto(*doc) || cpfCerto(*doc))) {
          r.recusa = naLinha(numero, std::string("CNPJ/CPF da fonte pagadora inválido ("_cp) + bruto + ")");
          return r;
        }
        c.emplace_back(console::CONTAPONTO(*doc));
      } else {
        c.emplace_back(bruto);
      }
    }
    r.comprovantes.push_back(std::move(c));
  }
  return r;
}

}  // namespace

LeituraFolha leFolha(std::string_view bytes, std::span<const store::CampoDef> campos) {
  LeituraFolha r = leLinhas(bytes, campos);
  // A refused file gives no statement at all.
  if (!r.recusa.empty()) r.comprovantes.clear();
  return r;
}

}  // namespace converter

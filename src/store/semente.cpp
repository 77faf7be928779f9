#include "store/semente.h"

#include <fstream>
#include <optional>
#include <set>
#include <sstream>

#include "rt/text/cp860.h"
#include "rt/text/date.h"
#include "rt/text/decimal.h"
#include "rt/text/strings.h"
#include "store/areas.h"
#include "store/csv.h"

namespace store {
namespace {

using rt::text::Decimal;

bool controle(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == '\x7F';
}

// UTF-8 to CP860; false when a character has no CP860 form or the text is malformed.
bool paraCp860(std::string_view utf8, std::string& out, std::string& motivo) {
  if (utf8.find('\0') != std::string_view::npos) {
    motivo = "NUL byte in value";
    return false;
  }
  out = rt::text::utf8ToCp860(utf8, '\0');
  if (out.find('\0') != std::string::npos) {
    motivo = "character without a CP860 form";
    return false;
  }
  return true;
}

bool numero(const CampoDef& c, std::string_view texto, std::string& valor, std::string& motivo) {
  std::string_view t = rt::text::alltrim(texto);
  if (t.empty()) {
    valor.clear();
    return true;
  }
  std::optional<Decimal> n = Decimal::parse(t);
  if (!n) {
    motivo = "not a number: \"" + std::string(t) + "\"";
    return false;
  }
  if (auto ponto = t.find('.'); ponto != std::string_view::npos) {
    std::size_t casas = t.size() - ponto - 1;
    if (casas > static_cast<std::size_t>(c.decimais)) {
      motivo = "more decimals than the field's " + std::to_string(c.decimais);
      return false;
    }
  }
  std::string formatado = rt::text::str(*n, c.largura, c.decimais);
  if (formatado.find('*') != std::string::npos) {
    motivo = "number does not fit N" + std::to_string(c.largura) + "." + std::to_string(c.decimais);
    return false;
  }
  valor = n->toString(c.decimais);
  return true;
}

bool data(std::string_view texto, std::string& valor, std::string& motivo) {
  std::string_view t = rt::text::alltrim(texto);
  if (t.empty()) {
    valor.clear();
    return true;
  }
  rt::text::Date d = rt::text::stod(t);
  if (t.size() != 8 || d.isEmpty() || rt::text::dtos(d) != t) {
    motivo = "not a date yyyymmdd: \"" + std::string(t) + "\"";
    return false;
  }
  valor = std::string(t);
  return true;
}

bool logico(std::string_view texto, std::string& valor, std::string& motivo) {
  std::string t = rt::text::upper(rt::text::alltrim(texto));
  if (t.empty() || t == "F" || t == "N") {
    valor = "F";
  } else if (t == "T" || t == "Y" || t == "S") {
    valor = "T";
  } else {
    motivo = "not a logical (T or F): \"" + t + "\"";
    return false;
  }
  return true;
}

}  // namespace

std::string ErroSemente::texto() const {
  std::string s = arquivo + ":" + std::to_string(linha) + ": ";
  if (!campo.empty()) s += campo + ": ";
  return s + motivo;
}

bool temSemente(const TabelaDef& t) {
  return t.origem == Origem::Fornecida || t.origem == Origem::CriadaLinhas;
}

std::filesystem::path arquivoSemente(const std::filesystem::path& pasta, const TabelaDef& t) {
  return pasta / (rt::text::upper(t.arquivo) + ".csv");
}

bool normalizaValor(const CampoDef& c, std::string_view textoUtf8, std::string& valor, std::string& motivo) {
  switch (c.tipo) {
    case 'N':
      return numero(c, textoUtf8, valor, motivo);
    case 'D':
      return data(textoUtf8, valor, motivo);
    case 'L':
      return logico(textoUtf8, valor, motivo);
    case 'M': {
      for (char ch : textoUtf8)
        if (controle(ch) && ch != '\n' && ch != '\r' && ch != '\t') {
          motivo = "control character in value";
          return false;
        }
      std::string cp;
      if (!paraCp860(textoUtf8, cp, motivo)) return false;
      // The memo text keeps the CR LF line ends that the memo viewer shows.
      valor.clear();
      for (std::size_t i = 0; i < cp.size(); ++i) {
        if (cp[i] == '\r') continue;
        if (cp[i] == '\n') valor += '\r';
        valor += cp[i];
      }
      return true;
    }
    default: {
      for (char ch : textoUtf8)
        if (controle(ch)) {
          motivo = "control character in value";
          return false;
        }
      std::string cp;
      if (!paraCp860(textoUtf8, cp, motivo)) return false;
      if (static_cast<int>(cp.size()) > c.largura) {
        motivo = "value too wide (" + std::to_string(cp.size()) + " > " + std::to_string(c.largura) + ")";
        return false;
      }
      valor = std::move(cp);
      return true;
    }
  }
}

Semente leSemente(const TabelaDef& t, std::string_view textoUtf8, std::string_view arquivo) {
  Semente out;
  auto erro = [&](int linha, std::string campo, std::string motivo) {
    out.erros.push_back({std::string(arquivo), linha, std::move(campo), std::move(motivo)});
  };

  LeituraCsv csv = leCsv(textoUtf8);
  if (csv.linhaErro != 0) {
    erro(csv.linhaErro, "", csv.erro);
    return out;
  }
  if (csv.registros.empty()) {
    erro(1, "", "no header row naming the fields");
    return out;
  }

  // The header names fields of the table, each once.
  const RegistroCsv& cabecalho = csv.registros.front();
  std::vector<const CampoDef*> colunas;
  std::set<std::string> vistos;
  bool cabecalhoOk = true;
  for (const std::string& nome : cabecalho.campos) {
    std::string_view n = rt::text::alltrim(nome);
    const CampoDef* c = campo(t.campos, n);
    if (c == nullptr) {
      erro(cabecalho.linha, std::string(n), "no such field in " + t.arquivo);
      cabecalhoOk = false;
    } else if (!vistos.insert(rt::text::upper(n)).second) {
      erro(cabecalho.linha, std::string(n), "field named twice");
      cabecalhoOk = false;
    }
    colunas.push_back(c);
  }
  if (!cabecalhoOk) return out;

  for (std::size_t r = 1; r < csv.registros.size(); ++r) {
    const RegistroCsv& reg = csv.registros[r];
    if (reg.campos.size() != colunas.size()) {
      std::string campo = reg.campos.size() < colunas.size() ? colunas[reg.campos.size()]->nome : "";
      erro(reg.linha, campo,
           std::to_string(reg.campos.size()) + " values where the header names " +
               std::to_string(colunas.size()) + " fields");
      continue;
    }
    LinhaSemente linha;
    linha.linha = reg.linha;
    bool ok = true;
    for (std::size_t k = 0; k < colunas.size(); ++k) {
      std::string valor, motivo;
      if (!normalizaValor(*colunas[k], reg.campos[k], valor, motivo)) {
        erro(reg.linha, colunas[k]->nome, motivo);
        ok = false;
        continue;
      }
      linha.valores.push_back({colunas[k]->nome, std::move(valor)});
    }
    if (ok) out.linhas.push_back(std::move(linha));
  }
  return out;
}

Semente leArquivoSemente(const TabelaDef& t, const std::filesystem::path& arquivo) {
  std::ifstream in(arquivo, std::ios::binary);
  if (!in) {
    Semente s;
    s.erros.push_back({arquivo.string(), 0, "", "cannot be read"});
    return s;
  }
  std::ostringstream texto;
  texto << in.rdbuf();
  return leSemente(t, texto.str(), arquivo.filename().string());
}

std::vector<ValorSemente> sementeDEFINE() {
  // The quota due dates of the 2010 declaration and the program's default rates.
  static constexpr std::pair<const char*, const char*> kValores[] = {
      {"VCTO1", "20100430"}, {"VCTO2", "20100531"}, {"VCTO3", "20100630"}, {"VCTO4", "20100730"},
      {"VCTO5", "20100831"}, {"VCTO6", "20100930"}, {"VCTO7", "20101029"}, {"VCTO8", "20101130"},
      {"VAL_SEG", "1.6"},    {"VAL_BYTE", "1.0"},   {"VAL_MIN", "60"},     {"COMO_SAL", "2"},
      {"TEMP_SAL", "15"},    {"TEMP_DES", "2"},     {"VAL_CPMF", "0"},     {"VAL_DOLAR", "1.7404"},
  };
  const TabelaDef* define = tabela(Area::DEFINE);
  std::vector<ValorSemente> out;
  for (auto [nome, texto] : kValores) {
    std::string valor, motivo;
    const CampoDef* c = campo(define->campos, nome);
    if (c != nullptr && normalizaValor(*c, texto, valor, motivo)) out.push_back({c->nome, valor});
  }
  return out;
}

}  // namespace store

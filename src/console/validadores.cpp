#include "console/validadores.h"

#include <string>
#include <vector>

#include "console/alerta.h"
#include "console/documentos.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace console {
namespace {

using namespace rt::text::literals;

bool vazio(std::string_view s) {
  return rt::text::alltrim(s).empty();
}

void avisa(Contexto& ctx, std::vector<std::string> linhas) {
  AVISOSN(ctx, linhas, 0);
}

}  // namespace

bool VAL_CPF(Contexto& ctx, std::string_view cpf, bool obrigatorio, const BuscaNome& buscaNome) {
  const std::string_view s = cpf.substr(0, std::min<std::size_t>(cpf.size(), 11));
  if (vazio(s)) {
    if (buscaNome) {
      buscaNome();
      return true;
    }
    return !obrigatorio;
  }
  std::vector<std::string> aviso = avisoCpf(s);
  if (aviso.empty()) return true;
  avisa(ctx, std::move(aviso));
  return false;
}

bool VAL_CGC(Contexto& ctx, std::string_view cnpj, bool obrigatorio) {
  const std::string_view s = cnpj.substr(0, std::min<std::size_t>(cnpj.size(), 14));
  if (vazio(s)) return !obrigatorio;
  const std::string d = TIRA_PONTO(s);
  if (d.size() < 12) {
    avisa(ctx, {std::string("ATENCAO!! CNPJ está incompleto. "_cp)});
    return false;
  }
  const std::string certo = cnpjDigitos(d.substr(0, 12));
  if (d.substr(12) != certo) {
    avisa(ctx, {std::string("ATENCAO!! CNPJ está incorreto. "_cp),
                std::string("O dígito correto deve ser: "_cp) + certo});
    return false;
  }
  return true;
}

bool VAL_NIT(Contexto& ctx, std::string_view nit) {
  if (vazio(nit)) return true;
  const std::string d = TIRA_PONTO(nit);
  if (d.size() != 11) {
    avisa(ctx, {std::string("ATENCAO!! o NIT do empregado está errado "_cp)});
    return false;
  }
  if (d[10] != nitDigito(d.substr(0, 10))) {
    avisa(ctx, {std::string("ATENCAO!!  NIT está incorreto. "_cp), "Se estiver digitando o CPF mova",
                std::string("o cursor até a última coluna. "_cp)});
    return false;
  }
  return true;
}

bool CPFCGC(Contexto& ctx, std::string_view doc, bool obrigatorio) {
  if (vazio(doc)) return !obrigatorio;
  auto em = [&](std::size_t pos) { return pos <= doc.size() ? doc[pos - 1] : '\0'; };
  // A NIT also has "." in position 4, so its layout is told first.
  if (em(10) == '.') return true;
  const std::string digitos = TIRA_PONTO(doc) + "  ";
  if (em(4) == '.' || em(4) == ' ') return VAL_CPF(ctx, digitos, obrigatorio);
  if (em(3) == '.') return VAL_CGC(ctx, digitos, obrigatorio);
  avisa(ctx, {"ATENCAO!! Digite o CPF/CNPJ com nro. correto", "de digitos CPF=11 e CNPJ=14 ou coloque os   ",
              "sinais separadores no lugar correto.Exemplo:", "CPF=nnn.nnn.nnn-nn CNPJ=nn.nnn.nnn/nnnn-nn "});
  return false;
}

}  // namespace console

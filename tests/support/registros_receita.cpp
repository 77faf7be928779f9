#include "support/registros_receita.h"

#include <algorithm>

#include "converter/receita/campos.h"

namespace converter::teste {

Reg& Reg::t(int pos, std::string_view texto) {
  const std::size_t i = static_cast<std::size_t>(pos + 1);
  if (s_.size() < i + texto.size()) s_.resize(i + texto.size(), ' ');
  s_.replace(i, texto.size(), texto);
  return *this;
}

Reg& Reg::v(int pos, std::int64_t centavos, int largura) {
  std::string d = std::to_string(centavos < 0 ? -centavos : centavos);
  d = std::string(static_cast<std::size_t>(largura) - d.size(), '0') + d;
  if (centavos < 0) d[0] = '-';
  return t(pos, d);
}

Reg::operator std::string() const {
  std::string tipo = s_.substr(0, 2);
  int ultima = 0;
  for (unsigned ano : {unsigned{k2009}, unsigned{k2010}, unsigned{kGanhos}})
    for (const std::string& parte : {tipo, tipo + "O", tipo + "E", tipo + "S"})
      ultima = std::max(ultima, ultimaColuna(parte, ano));
  std::string s = s_;
  if (s.size() < static_cast<std::size_t>(ultima)) s.resize(static_cast<std::size_t>(ultima), ' ');
  return s;
}

std::string cabecalho(std::string_view tipo, std::string_view ano, std::string_view recibo, std::string_view anterior) {
  Reg r("");
  r.t(-1, tipo).t(3, "IRPF").t(7, ano).t(163, recibo).t(202, anterior).t(240, "");
  return r;
}

Reg identificacao(std::string_view cpf, std::string_view nome) {
  Reg r("16");
  // Columns of the identification record, as line columns - 2.
  r.t(1, cpf).t(12, nome).t(72, "RUA").t(87, "DAS FLORES").t(127, "123").t(133, "APTO 4");
  r.t(154, "CENTRO").t(173, "01001000").t(181, "0").t(182, "7107").t(186, "SAO PAULO").t(226, "SP");
  r.t(228, "000").t(231, "105").t(234, "contador@example.com").t(334, "0011").t(338, "33334444");
  r.t(346, "0011").t(350, "55556666").t(358, "15031970").t(366, "0012345678901").t(379, "212");
  r.t(382, "11").t(384, "1").t(385, "N").t(386, "N").t(388, "S").t(389, "112233445566");
  r.t(401, "001").t(404, "01234").t(410, "000012345").t(451, "N");
  return r;
}

}  // namespace converter::teste

// The backgrounds MTELA draws itself: 3 (exempt and exclusively taxed incomes), 4 (dependants
// over the payments) and 5 (assets, debts and the spouse, estate and exit data).
#include "rt/text/cp860.h"
#include "screens/fundos_desenho.h"

namespace screens {

using namespace rt::text::literals;
using namespace desenho;

namespace {

// Amount fields of screen 3 go at column 65, 13 wide ("@Ez 99,999,999.99").
constexpr int kValor = 65;

Fundo isentos() {
  Fundo f = novo(1, 0, 22, 79);
  titulo(f, 0, 2, "RENDIMENTOS ISENTOS E NAO TRIBUTAVEIS (itens com * lançar na tela 1)"_cp);
  static const std::string_view kIsentos[14] = {
      "01.Bolsa de Estudo que nao representa Vantagem ou Serviço"_cp,
      "02.Capital de apólices de seguro ou pecúlio pago por morte"_cp,
      "03.Indenizações por rescisão de contrato de trabalho e FGTS"_cp,
      "04.Lucro na alienação de bens de pequeno valor/único imóvel"_cp,
      "05.Lucros e dividendos recebidos                             *"_cp,
      "06.Parcela isenta de aposentadoria de maiores de 65 anos    *"_cp,
      "07.Pensão,aposentadoria ou reforma  moléstia grave/invalidez  *"_cp,
      "08.Rendimentos de caderneta de poupança e letras hipotecárias"_cp,
      "09.Rendimento de sócio ou titular de ME/EPP (Simples)       *"_cp,
      "10.Transferências patrimoniais: doações e heranças"_cp,
      "11.Parcela isenta correspondente à atividade rural"_cp,
      "12.Outros",
      "13.Rendimentos isentos dos dependentes                      *",
      "14.Incorporação de reservas ao capital/bonificações em ações"_cp};
  for (int k = 1; k <= 14; ++k) {
    texto(f, k, 1, kIsentos[k - 1].substr(0, 63));
    campo(f, k, kValor, "I3_" + std::string(k < 10 ? "0" : "") + std::to_string(k), 13);
  }
  campo(f, 12, 11, "I3_12D", 50);
  divisoria(f, 15);
  titulo(f, 15, 2, "REND.SUJEITOS A TRIB.EXCLUSIVA NA FONTE");
  texto(f, 15, 47, "Total isentos");
  campo(f, 15, kValor, "I13_37", 13);
  static const std::string_view kExclusivos[6] = {
      "01.Décimo terceiro salário ( só do Titular)"_cp,
      "02.Ganhos de capital na alienação de bens e direitos"_cp,
      "03.Ganhos líquidos em renda variável(bolsa,mercadorias,futuros)"_cp,
      "04.Rendimentos de aplicações financeiras"_cp,
      "05.Outros",
      "06.Décimo terceiro e outros dos dependentes"_cp};
  for (int k = 1; k <= 6; ++k) {
    texto(f, 15 + k, 1, kExclusivos[k - 1].substr(0, 63));
    campo(f, 15 + k, kValor, "I4_0" + std::to_string(k), 13);
  }
  campo(f, 20, 11, "I4_05D", 50);
  titulo(f, 22, 45, " Total exclusivos ");
  campo(f, 22, kValor, "I13_38", 13);
  return f;
}

Fundo dependentesPagamentos() {
  Fundo f = novo(1, 0, 22, 79);
  titulo(f, 0, 2, "(6)DEPENDENTES e ALIMENTANDOS");
  divisoria(f, 9);
  titulo(f, 9, 2, "(7)RELAÇÃO DE PAGAMENTOS E DOAÇÕES EFETUADOS"_cp);
  titulo(f, 22, 40, " Não dedutível "_cp);
  campo(f, 22, 56, "I13_12D", 11);
  return f;
}

Fundo bensConjuge() {
  Fundo f = novo(1, 0, 22, 79);
  titulo(f, 0, 2, "(8)DECLARACAO DE BENS");
  divisoria(f, 9);
  titulo(f, 9, 2, "(9)DIVIDAS E ONUS REAIS");
  divisoria(f, 16);
  titulo(f, 16, 2, "(10)INFORMAÇOES DO CONJUGE"_cp);
  int c = rotulo(f, 17, 1, "CPF", "CPFCONJU", 14);
  c = rotulo(f, 17, c, "Busca valores?", "I9_4", 1);
  c = rotulo(f, 17, c, "Digita?", "I9_5", 1);
  rotulo(f, 17, 52, "Resultado", "I9_2", 14);
  c = rotulo(f, 18, 1, "Rend.Trib.", "I13_1C", 14);
  c = rotulo(f, 18, c, "Imp.Pago", "I13_4C", 14);
  rotulo(f, 18, 52, "Isentos  ", "I13_2C", 14);
  rotulo(f, 19, 52, "Exclusiv.", "I13_3C", 14);
  c = rotulo(f, 19, 1, "Inventariante CPF", "CPFINVENT", 14);
  c = rotulo(f, 20, 1, "Nome", "NOMINVENT", 15);
  rotulo(f, 20, c, "Endereço"_cp, "ENDINVENT", 15);
  c = rotulo(f, 21, 1, "Declaração de Saída?"_cp, "DECSAIDA", 1);
  c = rotulo(f, 21, c, "Data", "DATASAIDA", 10);
  rotulo(f, 21, c, "Declaração Final de Espólio?"_cp, "DECFINAL", 1);
  return f;
}

}  // namespace

std::optional<Fundo> fundoFormulario(int n, const EstadoFundo&) {
  switch (n) {
    case 3:
      return isentos();
    case 4:
      return dependentesPagamentos();
    case 5:
      return bensConjuge();
    default:
      return std::nullopt;
  }
}

}  // namespace screens

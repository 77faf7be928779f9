// MOSTEL: the backgrounds of screens 6 to 17, 22 and 23 (capital gains, variable income,
// balance, status and notes, the rural screens and the enlarged asset and debt lists).
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "screens/fundos_desenho.h"

namespace screens {

using namespace rt::text::literals;
using namespace desenho;

namespace {

Fundo ganhos() {
  Fundo f = novo(2, 0, 5, 79);
  tituloCentrado(f, 0, " GANHOS DE CAPITAL ");
  texto(f, 1, 2, "Tipo de bem alienado:");
  texto(f, 2, 4, "(1) Bens imóveis"_cp);
  texto(f, 3, 4, "(2) Outros bens e direitos");
  texto(f, 4, 4, "(3) Participações societárias (ações e quotas)"_cp);
  return f;
}

Fundo rendaVariavel() {
  Fundo f = novo(1, 1, 22, 78);
  tituloCentrado(f, 0, " RESUMO DE APURAÇAO DE GANHOS OU PERDAS EM RENDA VARIAVEL "_cp);
  texto(f, 1, 2, "(1) Operações comuns   (2) Day-trade   (3) Fundos imobiliários"_cp);
  texto(f, 2, 1, "Opção:"_cp);
  campo(f, 2, 9, "DAY_TRADE", 1);
  return f;
}

Fundo balanco() {
  Fundo f = novo(1, 1, 22, 78, TerceiraCor::Tel3);
  titulo(f, 0, 8, " R E C E I T A S");
  titulo(f, 0, 46, "D E S P E S A S");
  // Each line of the balance with its value's place (BALREC1.., BALDES1..).
  static const std::string_view kReceitas[] = {
      "(1)Rend. tributáveis"_cp, "(2)Isentos/não tribut."_cp, "(3)Tribut. exclusiva", "(4)Renda variável"_cp,
      "(5)Cônjuge"_cp, "(6)Capital/alienações"_cp, "(7)Empréstimos"_cp, "Empréstimos rurais"_cp,
      "Entradas ganho capital", "Isentos não recebidos"_cp, "Dívidas contraídas"_cp, "Exigibilidade suspensa"};
  static const std::string_view kDespesas[] = {
      "(8)Impostos pagos", "Imposto ano anterior", "(9)Pagamentos efetuad.", "Prejuízo renda var."_cp,
      "Desp. não dedutíveis"_cp, "Prejuízo nas vendas"_cp, "Prejuízo rural"_cp, "Dívidas rurais pagas"_cp,
      "Custo bens ano anter.", "Custo bens do ano", "Aquisições de bens"_cp};
  // The amounts stand in two columns whatever their labels' lengths: each label is padded to
  // its side's widest, so the values start at columns 25 and 63.
  const auto valor = [&f](int r, bool receita, std::string_view t, std::string_view variavel, int largura) {
    rotulo(f, r, receita ? 1 : 40, rt::text::padr(t, receita ? 23 : 22), variavel, largura);
  };
  int r = 1;
  for (std::string_view t : kReceitas) {
    valor(r, true, t, "BALREC" + std::to_string(r), 14);
    ++r;
  }
  r = 1;
  for (std::string_view t : kDespesas) {
    valor(r, false, t, "BALDES" + std::to_string(r), 14);
    ++r;
  }
  valor(13, true, "Total das receitas    ", "RECEITA", 14);
  valor(13, false, "Total das despesas    ", "DESPESA", 14);
  // Its leading blank dropped, the longest label of the left side fits the common width.
  valor(14, true, "à receber(prox.Exerci.)"_cp, "VALFUTUR", 14);
  campo(f, 14, 40, "ROTSALDO", 12);
  campo(f, 14, 53, "INDGAS", 6);
  campo(f, 14, 63, "SALDO", 14);
  valor(15, true, " Renda media mensal   ", "MEDREC", 14);
  valor(15, false, " Saldo mensal médio   "_cp, "MEDSALDO", 14);
  divisoria(f, 16);
  titulo(f, 16, 2, "Detalhes use ALT Fnro do item");
  valor(17, true, "Outras receitas ", "OUTREC", 14);
  valor(17, false, "Outras despesas", "OUTRDES", 14);
  valor(18, true, "Imposto ano anterior", "IMPOANTER", 14);
  valor(18, false, "Despesas Pessoais ", "DESPNAO", 14);
  valor(19, true, "Prejuízo a compensar"_cp, "PREJVEN1", 14);
  valor(19, false, "Alerta % do saldo", "INDALERTA", 2);
  int c = rotulo(f, 20, 1, "Tempo gasto", "TEMPO", 9);
  rotulo(f, 20, c, "KB", "TAM_USO", 7);
  valor(20, false, "Valor a calculado R$", "VALCALC", 14);
  rotulo(f, 21, 1, " Conferir a declaração (SNA)"_cp, "cConfere", 1);
  valor(21, false, "Honorários a cobrar R$"_cp, "VALOREC", 14);
  return f;
}

Fundo situacao() {
  Fundo f = novo(3, 9, 20, 70, TerceiraCor::Tel3);
  int c = rotulo(f, 1, 1, "Situação da Declaração"_cp, "ESTATUS", 2);
  campo(f, 1, c, "NOMESTAT", 18);
  rotulo(f, 1, c + 20, "Secretária"_cp, "TELSECR", 9);
  c = rotulo(f, 2, 1, "Fax DDD", "DDDFAX", 4);
  c = rotulo(f, 2, c, "Celular", "TELCELU", 9);
  rotulo(f, 2, c, "Escritório"_cp, "TELESCR", 9);
  c = rotulo(f, 3, 1, "Verificar situacao:Senha", "SENACESSO", 15);
  rotulo(f, 3, c, "Codigo", "CODACESSO", 12);
  rotulo(f, 4, 1, "Data da última alienaçao imovel Residencial "_cp, "ULTRESI", 10);
  rotulo(f, 5, 1, "Data da última alienaçao Imovel qq titulo "_cp, "ULTIMOV", 10);
  // The notes grid lies below, from the screen's row 9.
  divisoria(f, 6);
  titulo(f, 6, 2, " Anotações "_cp);
  return f;
}

Fundo ruralIdentificacao(const EstadoFundo& e) {
  Fundo f = novo(1, 0, 22, 79);
  if (e.brasil) {
    titulo(f, 0, 2, " Atividade Rural exercida no Brasil");
    texto(f, 1, 1, "(1) IDENTIFICAÇÃO DA ATIVIDADE E DO IMOVEL EXPLORADO"_cp);
  } else {
    titulo(f, 0, 2, " Atividade Rural exercida no Exterior");
    texto(f, 1, 1, "(1) IDENTIFICAÇÃO DA ATIVIDADE, DO IMOVEL E LANCAMENTO DAS RECEITAS E DEPESAS "_cp);
    // The properties' sums stand beside these labels (grid/rural_campos.h).
    divisoria(f, 19);
    texto(f, 20, 1, "Resultado US$");
    texto(f, 20, 37, "20% da Receita Bruta US$");
    texto(f, 21, 37, "20% da Receita Bruta R$");
  }
  return f;
}

Fundo ruralMeses(const EstadoFundo& e) {
  Fundo f = novo(2, 20, 21, 59);
  tituloCentrado(f, 0, " (3) RECEITAS E DESPESAS ");
  static const std::string_view kMeses[12] = {" Janeiro ", "Fevereiro", "  Marco  ", "  Abril  ",
                                              "  Maio   ", "  Junho  ", "  Julho  ", " Agosto  ",
                                              "Setembro ", " Outubro ", "Novembro ", "Dezembro"};
  // Beside the grid's rows: its heading and rule take the two rows under the frame's top.
  for (int m = 0; m < 12; ++m) texto(f, 3 + m, 1, kMeses[m]);
  texto(f, 15, 1, " TOTAIS ");
  titulo(f, 17, 2, " Valores em REAIS ");
  titulo(f, 17, 40, e.soTotal ? "Só Totais "_cp : " L. Caixa ");
  return f;
}

Fundo ruralResultado(const EstadoFundo& e) {
  Fundo f = novo(4, 1, 19, 78);
  titulo(f, 0, 2, "(4) APURAÇÃO DO RESULTADO TRIBUTAVEL"_cp);
  titulo(f, 0, 60, e.brasil ? " R$ " : " US$ ");
  rotulo(f, 1, 1, "01 Receita Bruta Total                         ", "I4R_01", 14);
  rotulo(f, 2, 1, "02 Despesas de Custeio e Investimentos         ", "I4R_02", 14);
  rotulo(f, 3, 1, "03 Resultado                                   ", "I4R_03", 14);
  rotulo(f, 4, 1,
         e.simplificado ? "04 Prejuízo Anterior (nao dispon. c/ dec. simplificada ) "_cp
                        : "04 Prejuízo de Exercício Anterior                "_cp,
         "I4R_04", 14);
  rotulo(f, 5, 1, "05 Resultado após compensação do prejuízo      "_cp, "I4R_05", 14);
  rotulo(f, 6, 1, "06 Opção pelo arbitramento (20% receita bruta) "_cp, "I4R_06", 14);
  rotulo(f, 7, 1, "07 Resultado tributável                        "_cp, "I4R_07", 14);
  divisoria(f, 9);
  titulo(f, 9, 2, "(5) INFORMAÇOES PARA O EXERCICIO SEGUINTE"_cp);
  rotulo(f, 10, 1, "09 Saldo de prejuízo a compensar               "_cp, "I5_09", 14);
  rotulo(f, 11, 1, "10 Dívidas vinculadas à atividade rural        "_cp, "I5_10", 14);
  divisoria(f, 13);
  titulo(f, 13, 2, "(6) RESULTADO NAO TRIBUTAVEL DA ATIVIDADE RURAL");
  rotulo(f, 14, 1, "Resultado não tributável                       "_cp, "I6_10", 14);
  return f;
}

Fundo rebanho() {
  Fundo f = novo(5, 1, 12, 78);
  titulo(f, 0, 2, " (7) MOVIMENTAÇÃO DO REBANHO (Indicar somente a quantidade de animais)  "_cp);
  texto(f, 1, 11, "Inicial    Compras    Nascim.    Consumo    Vendas       Final");
  struct Especie {
    std::string_view nome, letra;
  };
  static const Especie kEspecies[5] = {{" Bovinos e Bufalinos ", "B"},
                                       {" Suinos", "S"},
                                       {" Caprinos e Ovinos ", "C"},
                                       {" Asininos, Equinos e Muares ", "A"},
                                       {" Outros", "V1"}};
  // Each kind's name, and under it its five counts and the final stock.
  for (int i = 0; i < 5; ++i) {
    const int r = 2 + 2 * i;
    texto(f, r, 1, kEspecies[i].nome);
    for (int col = 1; col <= 5; ++col)
      campo(f, r + 1, 10 + 11 * (col - 1), "I7_" + std::to_string(col) + std::string(kEspecies[i].letra), 8);
    campo(f, r + 1, 65, "I7_T" + std::to_string(i + 1), 9);
  }
  return f;
}

Fundo lista(std::string_view titulo_, int origemColuna) {
  Fundo f = novo(1, origemColuna, 22, 79 - origemColuna);
  titulo(f, 0, 2, titulo_);
  return f;
}

Fundo ampliada(bool bens) {
  Fundo f = novo(1, 0, 22, 79);
  titulo(f, 0, 2, bens ? "(8)DECLARACAO DE BENS" : "(9)DIVIDAS E ONUS REAIS");
  titulo(f, 22, 30, "Declarado em 2008 ");
  titulo(f, 22, 56, " Totais ");
  // The totals over their labels: last year's as declared, then both years'.
  campo(f, 21, 31, "TOTDECLARADO", 14);
  campo(f, 21, 48, "TOTANTES", 14);
  campo(f, 21, 65, "TOTAGORA", 14);
  return f;
}

}  // namespace

std::optional<Fundo> MOSTEL(int n, const EstadoFundo& e) {
  switch (n) {
    case 6:
      return fundoIdentificacao(e);
    case 7:
      return fundoResumo(e);
    case 8:
      return ganhos();
    case 9:
      return rendaVariavel();
    case 10:
      return balanco();
    case 11:
      return situacao();
    case 12:
      return ruralIdentificacao(e);
    case 13:
      return ruralMeses(e);
    case 14:
      return ruralResultado(e);
    case 15:
      return rebanho();
    case 16:
      return lista(e.brasil ? "(8) BENS DA ATIVIDADE RURAL NO BRASIL" : "(8) BENS DA ATIVIDADE RURAL NO EXTERIOR", 1);
    case 17:
      return lista("(9) DIVIDAS VINCULADAS A ATIVIDADE RURAL", 0);
    case 22:
      return ampliada(e.zoomBem);
    case 23:
      return ampliada(e.zoomBem2);
    default:
      return std::nullopt;
  }
}

}  // namespace screens

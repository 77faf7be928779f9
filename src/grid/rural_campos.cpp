#include "grid/gravacoes_grade.h"
#include "grid/rural_campos.h"

#include <algorithm>
#include <vector>

#include "console/alerta.h"
#include "console/mensagens.h"
#include "console/recusa.h"
#include "grid/edita.h"
#include "grid/telas.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/areas.h"
#include "store/travas.h"

namespace grid {

using namespace rt::text::literals;
using rt::text::Decimal;

namespace {

// A one-key menu: the items one a line in a message window, answered by one of `teclas`.
std::string menu(store::Contexto& ctx, const std::vector<std::string_view>& itens, std::string_view teclas, int linha, int coluna) {
  std::size_t largura = 0;
  for (std::string_view i : itens) largura = std::max(largura, i.size());
  std::string texto;
  for (std::string_view i : itens) texto += rt::text::padr(i, static_cast<int>(largura));
  console::OpcoesMens op;
  op.linha = linha;
  op.coluna = coluna;
  op.linhas = static_cast<int>(itens.size());
  op.teclas = std::string(teclas);
  return console::MENS(ctx, console::mens::Escolha, texto, op);
}

int digito(const std::string& tecla) { return tecla.empty() ? 0 : tecla[0] - '0'; }

}  // namespace

bool VAL_PART(store::Contexto& ctx, Decimal participacao) {
  if (participacao <= Decimal(100)) return true;
  console::AVISOSN(ctx, "Confira a participação digitada. Essa não pode!"_cp, 0);
  return false;
}

Decimal VAL_COD(store::Contexto& ctx, Decimal valor, int modo) {
  if (modo == 3) {
    while (valor.isZero() || valor > Decimal(6) || valor.isNegative()) {
      const int cursor = ctx.screen().cursorRow();
      const int linha = cursor > 18 ? cursor - 6 : cursor + 1;
      const std::string k = menu(ctx,
                                 {"1 - P.Unico/Posseiro", "2 - Condomino", "3 - Parceiro", "4 - Arrendatário"_cp,
                                  "5 - Prop.Comum Casal", "6 - Outros", "DIGITE UM DOS NROS."},
                                 "123456", linha, 20);
      valor = Decimal(digito(k));
    }
    return valor;
  }
  if (modo == 1) {
    const std::int64_t v = valor.wholePart();
    const bool inteiro = Decimal::fromInt(v) == valor;
    if (inteiro && ((v >= 10 && v <= 17) || v == 19)) return valor;
    std::string k;
    while (k.empty())
      k = menu(ctx,
               {"0 - Agricultura - Cultivo do solo", "1 - Pecuária    - Criaçao/Engorda animais"_cp,
                "2 - Ext./exploracao vegetal e animal", "3 - Exploracao (api,avi,cuni,pisci)cultura",
                "4 - Cultura de pequenos animais", "5 - Captura e venda in natura do pescado",
                "6 - Transformacao de prod. agricula/pecuar", "7 - Cultivo de Florestas", "9 - Outras",
                "DIGITE UM DOS NUMEROS ACIMA"},
               "012345679", 10, 12);
    return Decimal(10 + digito(k));
  }
  return valor;
}

SomasRurais SOMAREC(store::Contexto& ctx, int modo) {
  SomasRurais s;
  if (rt::db::Table* t = store::tabela(ctx.areas, store::Area::TMP_16)) {
    const std::uint32_t onde = t->recNo();
    for (t->goTop(); t->status() && !t->eof(); t->skip(1)) {
      s.RESUS += t->getNumber("RESUS");
      s.OPC20US += t->getNumber("OPC20US");
      s.OPC20RS += t->getNumber("OPC20RS");
    }
    t->goTo(onde);
  }
  if (modo == 1) {
    // Beside their labels, under the properties' frame: rows 18 and 19 of the form are the
    // grid's own last rows (its bottom line), which a sum written there would break.
    constexpr const char* kPic = "@Ez 999,999,999.99";
    ctx.janelas.ESCRLCOL(console::Jan::kTela, kLinhaSomasRurais, 23, rt::text::transform(s.RESUS, kPic));
    ctx.janelas.ESCRLCOL(console::Jan::kTela, kLinhaSomasRurais, 63, rt::text::transform(s.OPC20US, kPic));
    ctx.janelas.ESCRLCOL(console::Jan::kTela, kLinhaSomasRurais + 1, 63, rt::text::transform(s.OPC20RS, kPic));
  }
  return s;
}

rt::Status CALUCRO(store::Contexto& ctx, std::string_view campo, Decimal valor, Decimal NVALDOLAR) {
  if (campo != "RECEXT" && campo != "DESEXT" && campo != "VALUSE") return {};
  rt::db::Table* t = store::tabela(ctx.areas, store::Area::TMP_16);
  if (t == nullptr || t->eof()) return {};
  const store::SelecaoGuardada imoveis(ctx.areas, store::Area::TMP_16);
  Decimal receitas = t->getNumber("RECEXT"), despesas = t->getNumber("DESEXT"), taxa = t->getNumber("VALUSE");
  (campo == "RECEXT" ? receitas : campo == "DESEXT" ? despesas : taxa) = valor;
  // A rate of 0 gives 0 (the division does).
  const Decimal RESUS = rt::text::despreza((receitas - despesas) / taxa);
  const Decimal OPC20US = rt::text::despreza(receitas / taxa * Decimal::fromRaw(20'000'000));
  const Decimal OPC20RS = rt::text::despreza(OPC20US * NVALDOLAR);
  if (!store::REC_LOCK(ctx, store::kEsperaTrava)) return console::falhaDita(rt::Error::kLocked, "CALUCRO");
  GravacoesGrade grava(ctx);
  grava.put(*t, campo, valor);
  grava.put(*t, "RESUS", RESUS);
  grava.put(*t, "OPC20US", OPC20US);
  grava.put(*t, "OPC20RS", OPC20RS);
  grava.destrava();
  // Mode 1 shows the sums on the form; the values themselves are not needed here.
  SOMAREC(ctx, 1);
  return {};
}

void MASCBENS(store::Contexto& ctx, Grade& g) {
  const std::optional<TelaGrade> tela = telaGrade(ctx, g, 35, 0);
  if (!tela) return;
  carregaColunas(g, *tela);
}

Decimal TES_SIT(store::Contexto& ctx, Grade& g, AmbienteValidacao& amb, Decimal codigo) {
  if (codigo > Decimal(4) || codigo.isNegative()) {
    console::AVISOSN(ctx,
                     {" Informe os Codigos  ", "0 - Bem inalterado   ", "1 - Alienacao a vista", "2 - Aquisicao a vista",
                      "3 - Alienacao a prazo", "4 - Aquisicao a prazo"},
                     0);
    return Decimal();
  }
  const int c = static_cast<int>(codigo.wholePart());
  if (c < 1 || amb.espelho == nullptr || amb.espelho->rural.logico("SO_TOTAL")) return codigo;
  static const char* const kNomes[] = {"Alienacao a vista", "Aquisicao a vista", "Alienacao a prazo", "Aquisicao a prazo"};
  std::string pergunta = "Lanca essa ";
  pergunta.append(kNomes[c - 1]).append(" no livro caixa?");
  if (console::AVISOSN(ctx, pergunta) != "S") return codigo;
  if (amb.matrizes != nullptr) amb.matrizes->MESATI = g.PONTVERT;
  const std::string tipoAntes = g.TIPOCR;
  g.TIPOCR.assign(1, c == 1 || c == 3 ? 'C' : 'D');
  const int opc = g.OPC, coluna = g.PONTEIRO;
  EDITA(ctx, g, Tela::LivroRural, 1);
  ctx.janelas.FECHAJAN(console::Jan::kDialogo);
  g.OPC = opc;
  g.PONTEIRO = coluna;
  g.TIPOCR = tipoAntes;
  MASCBENS(ctx, g);
  store::seleciona(ctx.areas, store::Area::TMP_17);
  return codigo;
}

}  // namespace grid

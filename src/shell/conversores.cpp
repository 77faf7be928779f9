#include "shell/conversores.h"

#include <algorithm>
#include <string_view>

#include "console/calculadora.h"
#include "console/documentos.h"
#include "console/mensagens.h"
#include "console/molduras.h"
#include "grid/tracos.h"
#include "rt/term/keys.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "rt/ui/read.h"
#include "shell/programa.h"
#include "store/areas.h"
#include "taxcalc/tax_year.h"

namespace shell {

namespace {

namespace key = rt::term::key;
using rt::text::Decimal;

// How the calculator shows its result, whole or with four decimals; a text field receives the
// result as the user saw it.
constexpr std::string_view kPicInteiro = "@Ez 99,999,999,999";
constexpr std::string_view kPicDecimal = "@Ez 99,999,999,999.9999";
constexpr std::string_view kPicReais = "@Ez 999,999,999.99";

// Alt+U held (not unbound) while a conversion runs: the hot key that started it is still
// running, and holding leaves it intact, where unbinding would destroy it under itself.
class SeguraTecla {
 public:
  SeguraTecla(rt::term::Console& con, int codigo) : con_(con), codigo_(codigo), antes_(con.holdKey(codigo, true)) {}
  ~SeguraTecla() { con_.holdKey(codigo_, antes_); }
  SeguraTecla(const SeguraTecla&) = delete;
  SeguraTecla& operator=(const SeguraTecla&) = delete;

 private:
  rt::term::Console& con_;
  int codigo_;
  bool antes_;
};

// The running field's name without the memory-variable prefix, upper case.
std::string nomeCampo(std::string_view nome) {
  if (nome.size() > 3 && nome.substr(0, 3) == "M->") nome.remove_prefix(3);
  return rt::text::upper(rt::text::alltrim(nome));
}

// The number a numeric field's text shows ("1.234,56" under @E, "1,234.56" otherwise).
Decimal numeroDoTexto(std::string_view texto, std::string_view picture) {
  const bool europeu = rt::text::parsePicture(picture).has('E');
  std::string s;
  for (char c : texto) {
    if (c == ' ') continue;
    if (europeu ? c == '.' : c == ',') continue;
    s += (europeu && c == ',') ? '.' : c;
  }
  if (s.empty()) return Decimal();
  return Decimal::parse(s).value_or(Decimal());
}

// Decimal places of a numeric picture's template; none when it has no ".".
int decimaisDe(std::string_view picture) {
  const std::string t = rt::text::parsePicture(picture).templ;
  const std::size_t ponto = t.find('.');
  if (ponto == std::string::npos) return 0;
  int n = 0;
  for (std::size_t i = ponto + 1; i < t.size(); ++i)
    if (t[i] == '9' || t[i] == '#') ++n;
  return n;
}

// Puts an amount into the running numeric field; false (with the error beep) when it does not
// fit the field's picture, so a cut-off number never reaches the declaration.
bool poeNumero(Program& p, rt::term::ActiveInput& campo, Decimal valor) {
  const std::string pic = campo.picture();
  if (!pic.empty() && rt::text::parsePicture(pic).templ.find('9') != std::string::npos) {
    valor = console::DESPREZA(valor, 15, decimaisDe(pic));
    if (rt::text::transform(valor, pic).find('*') != std::string::npos) {
      console::BEEP_ERRO(p);
      return false;
    }
  }
  if (!campo.setText(valor.toString())) return false;
  campo.requestRedisplay();
  return true;
}

// The month of the gain's disposal date (copy 27); 0 when there is none.
int mesAlienacao(Program& p) {
  rt::db::Table* t = store::tabela(p.areas, store::Area::TMP_07);
  if (t == nullptr || t->eof() || t->fieldIndex("DATA_ALI") < 0) return 0;
  const rt::text::Date d = t->getDate("DATA_ALI");
  return d.isEmpty() ? 0 : d.month();
}

rt::term::ColourSet coresDialogo(const Program& p) {
  return rt::term::parseColourList(p.cores.COR_SAY + "," + p.cores.COR_GET + ",N/N,N/N," + p.cores.COR_SAY);
}

// The monthly dollar grid, or the notice that this installation has none.
Decimal gradeMensal(Program& p, const GradeDolar& grade) {
  if (grade) return grade(p).value_or(Decimal());
  console::MENS(p, console::mens::Aviso, "Conversor mensal do dolar indisponivel nesta tela.", {.linha = 10, .coluna = std::string("C")});
  return Decimal();
}

// Frame 11: reais, dollars and month; each field left shows the other value at the month's
// rate, cut at the cent. The reais typed, or nothing after Esc.
std::optional<Decimal> dialogoDolar(Program& p, int mes, Decimal valor) {
  console::MTELA1(p, console::mtela1::Dolar);
  const auto moldura = console::JanelaAberta::adota(p.janelas, console::Jan::kSubdialogo);
  int lr = 0, cr = 0, lu = 0, cu = 0, lm = 0, cm = 0;
  for (const console::CampoMoldura& c : console::camposMoldura(p, console::Familia::MTELA1, console::mtela1::Dolar)) {
    const int l = p.ALJA[11] + c.linha, col = p.ACJA[11] + c.coluna;
    if (c.rotulo == "R$ ") lr = l, cr = col;
    if (c.rotulo == "US$") lu = l, cu = col;
    if (c.rotulo.starts_with("M")) lm = l, cm = col;
  }
  Decimal QCR1 = valor;
  Decimal QUS = console::DESPREZA(valor / taxcalc::TAB_DOLAR(mes), 15, 2);
  Decimal QME = mes;
  // Each side is converted from the other only when the user typed it: a cut value converted
  // back would not give the original (250 reais -> 107.98 dollars -> 249.99 reais), and merely
  // passing through a field must not change the amount.
  Decimal reaisVistos = QCR1, dolaresVistos = QUS;
  auto mostraMes = [&p, lm, cm](Decimal m) {
    p.screen().put(lm, cm + 3, console::TRAZ_MES(static_cast<int>(m.wholePart())),
                   static_cast<rt::term::Attr>(p.cores.COR_TEL2));
  };
  mostraMes(QME);
  rt::ui::Read read(p.console, coresDialogo(p));
  const auto taxa = [&QME] { return taxcalc::TAB_DOLAR(static_cast<int>(QME.wholePart())); };
  read.get(lr, cr, rt::ui::var("QCR1", QCR1), kPicReais).valid([&] {
    if (QCR1 != reaisVistos) {
      QUS = dolaresVistos = console::DESPREZA(QCR1 / taxa(), 15, 2);
      reaisVistos = QCR1;
      read.display();
    }
    return true;
  });
  read.get(lu, cu, rt::ui::var("QUS", QUS), kPicReais).valid([&] {
    if (QUS != dolaresVistos) {
      QCR1 = reaisVistos = console::DESPREZA(QUS * taxa(), 15, 2);
      dolaresVistos = QUS;
      read.display();
    }
    return true;
  });
  read.get(lm, cm, rt::ui::var("QME", QME), "99").valid([&] {
    if (QME < Decimal(1) || QME > Decimal(12)) return false;
    mostraMes(QME);
    return true;
  });
  if (read.run().escaped) return std::nullopt;
  return QCR1;
}

}  // namespace

bool CHAMA_CALC(Program& p, console::Calculadora& calc) {
  rt::term::ActiveInput* campo = p.console.activeInput();
  // Only a form's field takes the result; the memo editor registers none.
  if (campo == nullptr) return false;
  if (!console::CALCULADORA(p, calc, console::Jan::kCalculadora, calc.LCAL, calc.CCAL)) return false;
  const Decimal r = calc.RESULT;
  switch (campo->type()) {
    case 'N':
      return poeNumero(p, *campo, r);
    case 'C': {
      const int largura = static_cast<int>(campo->text().size());
      const std::string_view pic = r.raw() % Decimal::kScale != 0 ? kPicDecimal : kPicInteiro;
      // The number without the blanks that right-align it in its picture: with them, the cut
      // to the field's width would drop the digits and keep only blanks.
      const std::string numero(rt::text::alltrim(rt::text::transform(r, pic)));
      const std::string texto = std::string(rt::text::trim(campo->text())) + " " + numero;
      if (!campo->setText(rt::text::padr(texto, largura))) return false;
      campo->requestRedisplay();
      return true;
    }
    default:
      return false;
  }
}

bool CHAMA_CALC(Program& p) {
  console::Calculadora calc;
  return CHAMA_CALC(p, calc);
}

bool CALC_UFIR(Program& p, int tela, int opc, const GradeDolar& grade) {
  // Not re-entered: Alt+U does nothing while a conversion is open.
  SeguraTecla segura(p.console, key::AltU);
  rt::term::ActiveInput* campo = p.console.activeInput();
  if (campo == nullptr || campo->type() != 'N' || campo->text().size() < 10) return false;
  const std::string nome = nomeCampo(campo->name());
  if (grid::tracosDaPagina(tela).resumo && nome == "I13_24") {
    console::MENS(p, console::mens::Aviso, "Tecle antes CTRL ENTER para acionar o conversor mensal do DOLAR        ",
                  {.linha = 10, .coluna = std::string("C"), .linhas = 2});
    return false;
  }
  Decimal novo;
  if (nome == "VAL_ALI" || nome == "I13_04") {
    const Decimal atual = numeroDoTexto(campo->text(), campo->picture());
    novo = MUDATEL13(p, mesAlienacao(p), atual, {tela, opc, nome}, grade);
  } else {
    novo = gradeMensal(p, grade);
    p.janelas.FECHAJAN(console::Jan::kSubdialogo);
  }
  if (novo <= Decimal()) return false;
  return poeNumero(p, *campo, novo);
}

Decimal MUDATEL13(Program& p, int mes, Decimal valor, const LugarConversao& onde, const GradeDolar& grade) {
  if (mes == 0) mes = 1;
  if (mes < 1 || mes > 12) return valor;
  SeguraTecla segura(p.console, key::AltU);
  Decimal resultado = valor;
  if (grid::tracosDaTela(onde.opc).dolarDoMes || nomeCampo(onde.campo) == "VAL_ALI") {
    resultado = dialogoDolar(p, mes, valor).value_or(valor);
  } else {
    resultado = gradeMensal(p, grade);
  }
  p.janelas.FECHAJAN(console::Jan::kSubdialogo);
  if (!grid::tracosDaPagina(onde.tela).resumo)
    if (rt::term::ActiveInput* campo = p.console.activeInput()) campo->endRead();
  return resultado;
}

}  // namespace shell

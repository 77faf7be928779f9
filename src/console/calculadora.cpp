#include "console/calculadora.h"

#include <algorithm>
#include <string>

#include "console/janelas.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"

namespace console {

using namespace rt::text::literals;
using rt::text::Decimal;
namespace key = rt::term::key;

namespace {

constexpr int kLinhas = 13, kColunas = 25;  // bottom = top + 13, right = left + 25
constexpr const char* kPicInteiro = "@Ez 99,999,999,999";
constexpr const char* kPicDecimal = "@Ez 99,999,999,999.9999";
constexpr int kLarguraVisor = 19;  // the value's place: columns 5 to 23 of the window
constexpr int kMaxInteiros = 10, kMaxDecimais = 4;
// Results are held up to 90 billion; beyond that the calculator is in error, as after a
// division by zero (the display has 11 whole places, the number type about 92 billion).
constexpr std::int64_t kLimiteRaw = 90'000'000'000LL * Decimal::kScale;

std::string desenho() {
  std::string s;
  s += "┌────────────────────────┐"_cp;
  s += "│                        │"_cp;
  s += "├───┬───┬───┬───┬────────┤"_cp;
  s += "│Mr │Mc │M- │M+ │ ^Enter │"_cp;
  s += "├───┼───┼───┼───┼────────┤"_cp;
  s += "│ 7 │ 8 │ 9 │ * │  ESC   │"_cp;
  s += "├───┼───┼───┼───┼────────┤"_cp;
  s += "│ 4 │ 5 │ 6 │ + │        │"_cp;
  s += "├───┼───┼───┼───┼────────┤"_cp;
  s += "│ 1 │ 2 │ 3 │ - │(C)lear │"_cp;
  s += "├───┼───┼───┼───┼────────┤"_cp;
  s += "│ 0 │ . │ = │ / │ I +/-  │"_cp;
  s += "└───┴───┴───┴───┴────────┘"_cp;
  return s;
}

__extension__ using Largo = __int128;

Largo absLargo(Largo v) {
  return v < 0 ? -v : v;
}

// One operation, or nothing when it has no result: a division by zero, or a result beyond what
// the calculator holds.
std::optional<Decimal> opera(Decimal a, char op, Decimal b) {
  const Largo ra = a.raw(), rb = b.raw();
  Largo r = 0;
  switch (op) {
    case '+':
      r = ra + rb;
      break;
    case '-':
      r = ra - rb;
      break;
    case '*':
      r = ra * rb / Decimal::kScale;
      break;
    case '/':
      if (rb == 0) return std::nullopt;
      r = ra * Decimal::kScale / rb;
      break;
    default:
      return b;
  }
  if (absLargo(r) > kLimiteRaw) return std::nullopt;
  switch (op) {
    case '+':
      return a + b;
    case '-':
      return a - b;
    case '*':
      return a * b;
    default:
      return a / b;
  }
}

// The entry being typed: sign, whole digits, a decimal point and decimal digits.
struct Entrada {
  bool negativo = false;
  std::string inteiro = "0";
  bool ponto = false;  // INP_DEC
  std::string fracao;

  Decimal valor() const {
    std::string t = (negativo ? "-" : "") + inteiro + (fracao.empty() ? "" : "." + fracao);
    return Decimal::parse(t).value_or(Decimal());
  }
  void zera() { *this = Entrada(); }
  // The memory as an entry; false when it has more whole digits than an entry takes.
  bool poe(Decimal v) {
    Decimal r = rt::text::round(v, kMaxDecimais);
    std::string t = r.toString(kMaxDecimais);
    Entrada e;
    if (!t.empty() && t[0] == '-') {
      e.negativo = true;
      t.erase(0, 1);
    }
    auto p = t.find('.');
    e.inteiro = t.substr(0, p);
    std::string f = p == std::string::npos ? std::string() : t.substr(p + 1);
    while (!f.empty() && f.back() == '0') f.pop_back();
    if (static_cast<int>(e.inteiro.size()) > kMaxInteiros) return false;
    e.fracao = f;
    e.ponto = !f.empty();
    *this = e;
    return true;
  }
};

class Calc {
 public:
  Calc(Contexto& ctx, Calculadora& c, Jan janela) : ctx_(ctx), c_(c), j_(janela) {}

  bool roda();

 private:
  void mostra(const std::string& valor, const std::string& operador);
  void mostraValor(Decimal v, const std::string& operador) {
    visorResultado_ = true;
    operadorVisor_ = operador;
    mostra(erro_ ? textoErro() : rt::text::transform(v, pic()), operador);
  }
  void mostraEntrada() {
    visorResultado_ = false;
    mostra(rt::text::transform(ent_.valor(), pic()), " ");
  }
  // The display again as it was: the result and its operator, or the entry.
  void mostraEstado() {
    if (visorResultado_)
      mostraValor(c_.RESULT, operadorVisor_);
    else
      mostraEntrada();
  }
  std::string pic() const { return decimais_ ? kPicDecimal : kPicInteiro; }
  std::string textoErro() const { return decimais_ ? "**.***.***.***,****" : "**.***.***.***"; }
  void tom() { ctx_.console.beep(); }
  // An entry key after "=" starts a new calculation, which clears the error.
  void novaEntrada() {
    if (aposIgual_) {
      aposIgual_ = false;
      erro_ = false;
    }
  }
  void aplica(char op);
  void memoria();
  void move(int tecla);

  Contexto& ctx_;
  Calculadora& c_;
  Jan j_;
  Entrada ent_;
  Decimal memoria_;
  char pendente_ = 0;  // OP_OLD
  bool erro_ = false;
  bool decimais_ = false;
  bool aposIgual_ = false;       // the result of "=" shows, nothing typed since
  bool visorResultado_ = false;  // the display shows the result (else the entry)
  std::string operadorVisor_;
};

void Calc::mostra(const std::string& valor, const std::string& operador) {
  Janelas& jan = ctx_.janelas;
  jan.ESCRLCOL(j_, 2, 2, memoria_.isZero() ? " " : "M");
  jan.ESCRLCOL(j_, 2, 5, rt::text::padr(valor, kLarguraVisor));
  jan.ESCRLCOL(j_, 2, 25, operador);
}

// An operator or "=": the pending operation is applied to the entry.
void Calc::aplica(char op) {
  const Decimal e = ent_.valor();
  if (!erro_) {
    if (pendente_ == 0) {
      c_.RESULT = e;
    } else {
      auto r = opera(c_.RESULT, pendente_, e);
      if (!r) {
        erro_ = true;
        tom();
      } else {
        c_.RESULT = *r;
        if (pendente_ == '/') decimais_ = true;
      }
    }
  }
  ent_.zera();
  if (op == '=') {
    pendente_ = 0;
    aposIgual_ = true;
    mostraValor(c_.RESULT, "=");
  } else {
    pendente_ = op;
    aposIgual_ = false;
    mostraValor(c_.RESULT, op == '/' ? std::string("÷"_cp) : std::string(1, op));
  }
}

void Calc::memoria() {
  ctx_.janelas.ESCRLCOL(j_, 2, 25, "M");
  const rt::term::Key k = ctx_.console.waitKey();
  const char ch = k.isChar() ? rt::text::upperChar(k.ch()) : '\0';
  if ((ch == '+' || ch == '-') && !erro_) {
    auto r = opera(memoria_, ch, c_.RESULT);
    if (r)
      memoria_ = *r;
    else
      tom();
  } else if (ch == 'R') {
    novaEntrada();
    if (ent_.poe(memoria_)) {
      if (ent_.ponto) decimais_ = true;
    } else {
      tom();
    }
    mostraEntrada();
    return;
  } else if (ch == 'C') {
    memoria_ = Decimal();
  }
  mostraEstado();
}

void Calc::move(int tecla) {
  Janelas& jan = ctx_.janelas;
  if (tecla == key::Up) jan.MOVEVER(j_, 129);
  if (tecla == key::Down) jan.MOVEVER(j_, 0);
  if (tecla == key::Left) jan.MOVEHOR(j_, 129);
  if (tecla == key::Right) jan.MOVEHOR(j_, 0);
  if (const Janela* w = jan.find(j_)) {
    c_.LCAL = w->top;
    c_.CCAL = w->left;
  }
}

bool Calc::roda() {
  c_.RESULT = Decimal();
  mostraEntrada();
  for (;;) {
    const rt::term::Key k = ctx_.console.waitKey();
    const int code = k.code;
    const char ch = k.isChar() ? rt::text::upperChar(k.ch()) : '\0';
    if (ch >= '0' && ch <= '9') {
      novaEntrada();
      if (ent_.ponto) {
        if (static_cast<int>(ent_.fracao.size()) >= kMaxDecimais) {
          tom();
          continue;
        }
        ent_.fracao += ch;
      } else if (ent_.inteiro == "0") {
        ent_.inteiro = std::string(1, ch);
      } else if (static_cast<int>(ent_.inteiro.size()) >= kMaxInteiros) {
        tom();
        continue;
      } else {
        ent_.inteiro += ch;
      }
      mostraEntrada();
    } else if (ch == '.' || ch == ',') {
      novaEntrada();
      if (ent_.ponto) {
        tom();
        continue;
      }
      ent_.ponto = true;
      decimais_ = true;
      mostraEntrada();
    } else if (code == key::Backspace) {
      novaEntrada();
      ent_.zera();
      decimais_ = false;
      mostraEntrada();
    } else if (ch == 'I') {
      novaEntrada();
      // The sign changes; a decimal point already typed stays.
      ent_.negativo = !ent_.negativo;
      mostraEntrada();
    } else if (ch == '+' || ch == '-' || ch == '*' || ch == '/') {
      aplica(ch);
    } else if (ch == '=' || code == key::Enter) {
      aplica('=');
    } else if (ch == 'C') {
      // The calculation ends: the pending operation and the error go, the result stays.
      pendente_ = 0;
      erro_ = false;
      aposIgual_ = false;
      ent_.zera();
      mostraEntrada();
    } else if (ch == 'M') {
      memoria();
    } else if (ch == 'X' || code == key::Esc) {
      return false;
    } else if (code == key::CtrlEnter) {
      if (erro_) return false;
      if (pendente_ == 0 && !aposIgual_) c_.RESULT = ent_.valor();
      return true;
    } else if (code == key::Up || code == key::Down || code == key::Left || code == key::Right) {
      move(code);
      mostraEstado();
    } else if (code == key::CtrlLeft || code == key::CtrlRight || code == key::Home || code == key::End) {
      // accepted, no effect
    } else {
      tom();
    }
  }
}

}  // namespace

bool CALCULADORA(Contexto& ctx, Calculadora& calc, Jan janela, std::optional<int> topo,
                 std::optional<int> esquerda) {
  const int top = std::min(topo.value_or(11), 11);
  const int left = std::min(esquerda.value_or(11), 48);
  const Cores& c = ctx.cores;
  ctx.janelas.REDEFJAN(janela, c.COR_TEL1, c.COR_TEL2, c.COR_TEL1, top, left, top + kLinhas, left + kColunas,
                       0);
  rt::term::Screen& tela = ctx.screen();
  tela.setCursorShape(rt::term::CursorShape::Hidden);
  bool enviado;
  {
    const JanelaAberta aberta(ctx.janelas, janela);
    ctx.janelas.ESCRJAN(janela, desenho());
    Calc calculo(ctx, calc, janela);
    enviado = calculo.roda();
  }
  tela.setCursorShape(rt::term::CursorShape::Normal);
  return enviado;
}

}  // namespace console

#include "rt/db/expression.h"

#include <cctype>

#include "rt/text/strings.h"

namespace rt::db {

using rt::text::Date;
using rt::text::Decimal;

namespace {

struct Token {
  enum Kind { kEnd, kIdent, kNumber, kString, kOp, kLogical } kind = kEnd;
  std::string text;
};

class Lexer {
 public:
  explicit Lexer(std::string_view s) : s_(s) {}

  Result<Token> next() {
    while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) ++pos_;
    if (pos_ >= s_.size()) return Token{};
    char c = s_[pos_];
    if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      std::size_t start = pos_;
      while (pos_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '_')) ++pos_;
      return Token{Token::kIdent, rt::text::upper(s_.substr(start, pos_ - start))};
    }
    if (std::isdigit(static_cast<unsigned char>(c)) ||
        (c == '.' && pos_ + 1 < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_ + 1])))) {
      std::size_t start = pos_;
      while (pos_ < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '.')) ++pos_;
      return Token{Token::kNumber, std::string(s_.substr(start, pos_ - start))};
    }
    if (c == '"' || c == '\'') {
      auto end = s_.find(c, pos_ + 1);
      if (end == std::string_view::npos) return Status(Error::kBadExpression, "unterminated text");
      Token t{Token::kString, std::string(s_.substr(pos_ + 1, end - pos_ - 1))};
      pos_ = end + 1;
      return t;
    }
    if (c == '.') {  // .T. .F. .AND. .OR. .NOT.
      auto end = s_.find('.', pos_ + 1);
      if (end == std::string_view::npos) return Status(Error::kBadExpression, "stray '.'");
      std::string word = rt::text::upper(s_.substr(pos_ + 1, end - pos_ - 1));
      pos_ = end + 1;
      if (word == "T" || word == "Y" || word == "F" || word == "N") return Token{Token::kLogical, word};
      if (word == "AND" || word == "OR" || word == "NOT") return Token{Token::kOp, word};
      return Status(Error::kBadExpression, "." + word + ".");
    }
    static const char* two[] = {"==", "!=", "<>", "<=", ">=", "->"};
    for (const char* t : two)
      if (s_.substr(pos_, 2) == t) {
        pos_ += 2;
        return Token{Token::kOp, t};
      }
    if (std::string_view("+-*/()=<>#!$,").find(c) != std::string_view::npos) {
      ++pos_;
      return Token{Token::kOp, std::string(1, c)};
    }
    return Status(Error::kBadExpression, std::string("unexpected '") + c + "'");
  }

 private:
  std::string_view s_;
  std::size_t pos_ = 0;
};

}  // namespace

class Parser {
 public:
  Parser(Expression& e, std::string_view text, std::span<const FieldDef> fields)
      : e_(e), lex_(text), fields_(fields) {}

  Status run() {
    RT_TRY(advance());
    auto root = parseOr();
    if (!root) return root.status();
    if (tok_.kind != Token::kEnd) return {Error::kBadExpression, "unexpected '" + tok_.text + "'"};
    e_.root_ = *root;
    return {};
  }

 private:
  using Node = Expression::Node;
  Expression& e_;
  Lexer lex_;
  std::span<const FieldDef> fields_;
  Token tok_;

  Status advance() {
    auto t = lex_.next();
    if (!t) return t.status();
    tok_ = *t;
    return {};
  }
  bool isOp(const char* op) const { return tok_.kind == Token::kOp && tok_.text == op; }
  int add(Node n) {
    e_.nodes_.push_back(std::move(n));
    return static_cast<int>(e_.nodes_.size()) - 1;
  }
  char typeOf(int n) const { return e_.nodes_[static_cast<std::size_t>(n)].type; }
  Status bad(const std::string& what) const { return {Error::kBadExpression, what}; }

  Result<int> binary(std::string op, int a, int b) {
    char ta = typeOf(a), tb = typeOf(b);
    Node n;
    n.kind = Node::kBinary;
    n.op = op;
    n.args = {a, b};
    if (op == "+" || op == "-") {
      if (ta == 'C' && tb == 'C') n.type = 'C';
      else if (ta == 'N' && tb == 'N') n.type = 'N';
      else if (ta == 'D' && tb == 'N') n.type = 'D';
      else if (op == "-" && ta == 'D' && tb == 'D') n.type = 'N';
      else return bad("operands of " + op);
    } else if (op == "*" || op == "/") {
      if (ta != 'N' || tb != 'N') return bad("operands of " + op);
      n.type = 'N';
    } else if (op == "AND" || op == "OR") {
      if (ta != 'L' || tb != 'L') return bad("operands of ." + op + ".");
      n.type = 'L';
    } else if (op == "$") {
      if (ta != 'C' || tb != 'C') return bad("operands of $");
      n.type = 'L';
    } else {  // comparisons
      if (ta != tb) return bad("comparison of different types");
      n.type = 'L';
    }
    return add(std::move(n));
  }

  Result<int> parseOr() {
    auto a = parseAnd();
    while (a && isOp("OR")) {
      RT_TRY(advance());
      auto b = parseAnd();
      if (!b) return b;
      a = binary("OR", *a, *b);
    }
    return a;
  }
  Result<int> parseAnd() {
    auto a = parseNot();
    while (a && isOp("AND")) {
      RT_TRY(advance());
      auto b = parseNot();
      if (!b) return b;
      a = binary("AND", *a, *b);
    }
    return a;
  }
  Result<int> parseNot() {
    if (isOp("NOT") || isOp("!")) {
      RT_TRY(advance());
      auto a = parseNot();
      if (!a) return a;
      if (typeOf(*a) != 'L') return bad("operand of .NOT.");
      Node n;
      n.kind = Node::kUnary;
      n.op = "NOT";
      n.type = 'L';
      n.args = {*a};
      return add(std::move(n));
    }
    return parseCompare();
  }
  Result<int> parseCompare() {
    auto a = parseAdd();
    if (!a) return a;
    static const char* ops[] = {"==", "=", "!=", "<>", "#", "<=", ">=", "<", ">", "$"};
    for (const char* op : ops) {
      if (isOp(op)) {
        std::string o = op;
        if (o == "<>" || o == "#") o = "!=";
        RT_TRY(advance());
        auto b = parseAdd();
        if (!b) return b;
        return binary(o, *a, *b);
      }
    }
    return a;
  }
  Result<int> parseAdd() {
    auto a = parseMul();
    while (a && (isOp("+") || isOp("-"))) {
      std::string op = tok_.text;
      RT_TRY(advance());
      auto b = parseMul();
      if (!b) return b;
      a = binary(op, *a, *b);
    }
    return a;
  }
  Result<int> parseMul() {
    auto a = parseUnary();
    while (a && (isOp("*") || isOp("/"))) {
      std::string op = tok_.text;
      RT_TRY(advance());
      auto b = parseUnary();
      if (!b) return b;
      a = binary(op, *a, *b);
    }
    return a;
  }
  Result<int> parseUnary() {
    if (isOp("-") || isOp("+")) {
      bool neg = tok_.text == "-";
      RT_TRY(advance());
      auto a = parseUnary();
      if (!a || !neg) return a;
      if (typeOf(*a) != 'N') return bad("operand of unary -");
      Node n;
      n.kind = Node::kUnary;
      n.op = "-";
      n.type = 'N';
      n.args = {*a};
      return add(std::move(n));
    }
    return parsePrimary();
  }

  Result<int> parsePrimary() {
    Token t = tok_;
    if (t.kind == Token::kEnd) return bad("expression ends too early");
    if (t.kind == Token::kNumber) {
      auto d = Decimal::parse(t.text);
      if (!d) return bad("number " + t.text);
      RT_TRY(advance());
      Node n;
      n.type = 'N';
      n.constant = *d;
      return add(std::move(n));
    }
    if (t.kind == Token::kString) {
      RT_TRY(advance());
      Node n;
      n.constant = t.text;
      return add(std::move(n));
    }
    if (t.kind == Token::kLogical) {
      RT_TRY(advance());
      Node n;
      n.type = 'L';
      n.constant = t.text == "T" || t.text == "Y";
      return add(std::move(n));
    }
    if (isOp("(")) {
      RT_TRY(advance());
      auto a = parseOr();
      if (!a) return a;
      if (!isOp(")")) return bad("missing ')'");
      RT_TRY(advance());
      return a;
    }
    if (t.kind != Token::kIdent) return bad("unexpected '" + t.text + "'");
    RT_TRY(advance());
    if (isOp("->")) {  // alias->FIELD: the alias is the table being evaluated
      RT_TRY(advance());
      if (tok_.kind != Token::kIdent) return bad("field name after ->");
      t = tok_;
      RT_TRY(advance());
    } else if (isOp("(")) {
      return parseCall(t.text);
    }
    for (std::size_t i = 0; i < fields_.size(); ++i) {
      if (fields_[i].name == t.text) {
        Node n;
        n.kind = Node::kField;
        n.field = static_cast<int>(i);
        n.def = fields_[i];
        n.type = (n.def.type == 'N' || n.def.type == 'F') ? 'N' : (n.def.type == 'D' || n.def.type == 'L') ? n.def.type : 'C';
        return add(std::move(n));
      }
    }
    return bad("unknown field " + t.text);
  }

  Result<int> parseCall(const std::string& name) {
    RT_TRY(advance());  // past "("
    std::vector<int> args;
    if (!isOp(")")) {
      for (;;) {
        auto a = parseOr();
        if (!a) return a;
        args.push_back(*a);
        if (isOp(",")) {
          RT_TRY(advance());
          continue;
        }
        break;
      }
    }
    if (!isOp(")")) return bad("missing ')' after arguments of " + name);
    RT_TRY(advance());
    struct Sig {
      const char* name;
      const char* args;  // types of the arguments; lower case = optional
      char result;
    };
    static const Sig sigs[] = {
        {"STR", "Nnn", 'C'},     {"STRZERO", "Nnn", 'C'}, {"DTOS", "D", 'C'},     {"DTOC", "D", 'C'},
        {"UPPER", "C", 'C'},     {"LOWER", "C", 'C'},     {"SUBSTR", "CNn", 'C'}, {"LEFT", "CN", 'C'},
        {"RIGHT", "CN", 'C'},    {"ALLTRIM", "C", 'C'},   {"TRIM", "C", 'C'},     {"RTRIM", "C", 'C'},
        {"LTRIM", "C", 'C'},     {"PADR", "CN", 'C'},     {"PADL", "CN", 'C'},    {"VAL", "C", 'N'},
        {"EMPTY", "*", 'L'},     {"DELETED", "", 'L'},
    };
    for (const Sig& s : sigs) {
      if (name != s.name) continue;
      std::string_view want = s.args;
      if (want == "*") {
        if (args.size() != 1) return bad(name + " takes one argument");
      } else {
        std::size_t required = 0;
        for (char c : want) required += std::isupper(static_cast<unsigned char>(c)) ? 1 : 0;
        if (args.size() < required || args.size() > want.size()) return bad("arguments of " + name);
        for (std::size_t i = 0; i < args.size(); ++i)
          if (typeOf(args[i]) != rt::text::upperChar(want[i])) return bad("argument " + std::to_string(i + 1) + " of " + name);
      }
      Node n;
      n.kind = Node::kCall;
      n.op = name;
      n.type = s.result;
      n.args = std::move(args);
      return add(std::move(n));
    }
    return bad("unknown function " + name);
  }
};

Result<Expression> Expression::compile(std::string_view text, std::span<const FieldDef> fields) {
  Expression e;
  e.text_ = std::string(rt::text::alltrim(text));
  Parser p(e, e.text_, fields);
  Status s = p.run();
  if (!s) return Status(s.code(), s.detail() + " in \"" + e.text_ + "\"");
  return e;
}

char Expression::type() const { return nodes_[static_cast<std::size_t>(root_)].type; }

int Expression::singleField() const {
  const Node& n = nodes_[static_cast<std::size_t>(root_)];
  return n.kind == Node::kField ? n.field : -1;
}

Value Expression::evaluate(std::string_view record) const { return eval(root_, record); }

bool Expression::test(std::string_view record) const {
  Value v = evaluate(record);
  auto* b = std::get_if<bool>(&v);
  return b && *b;
}

namespace {

int compareValues(const Value& a, const Value& b, bool exact) {
  if (auto* sa = std::get_if<std::string>(&a)) {
    std::string_view l = *sa, r = std::get<std::string>(b);
    if (exact) {
      l = rt::text::trim(l);
      r = rt::text::trim(r);
    } else if (r.size() <= l.size()) {
      l = l.substr(0, r.size());  // "ABC" = "AB" holds, as with exact comparison off
    }
    int c = l.compare(r);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
  }
  if (auto* na = std::get_if<Decimal>(&a)) {
    Decimal nb = std::get<Decimal>(b);
    return *na < nb ? -1 : *na > nb ? 1 : 0;
  }
  if (auto* da = std::get_if<Date>(&a)) {
    Date db = std::get<Date>(b);
    return *da < db ? -1 : *da > db ? 1 : 0;
  }
  return static_cast<int>(std::get<bool>(a)) - static_cast<int>(std::get<bool>(b));
}

int toInt(const Value& v) {
  auto w = std::get<Decimal>(v).wholePart();
  return w > 100000 ? 100000 : w < -100000 ? -100000 : static_cast<int>(w);
}

bool isEmptyValue(const Value& v) {
  if (auto* s = std::get_if<std::string>(&v)) return rt::text::isEmptyText(*s);
  if (auto* n = std::get_if<Decimal>(&v)) return n->isZero();
  if (auto* d = std::get_if<Date>(&v)) return d->isEmpty();
  return !std::get<bool>(v);
}

}  // namespace

Value Expression::eval(int index, std::string_view record) const {
  const Node& n = nodes_[static_cast<std::size_t>(index)];
  switch (n.kind) {
    case Node::kConst: return n.constant;
    case Node::kField: {
      std::size_t off = static_cast<std::size_t>(n.def.offset), w = static_cast<std::size_t>(n.def.width);
      std::string_view raw = off + w <= record.size() ? record.substr(off, w) : std::string_view();
      if (raw.empty() && n.type == 'C') return std::string(w, ' ');
      return readField(n.def, raw);
    }
    case Node::kUnary: {
      Value a = eval(n.args[0], record);
      if (n.op == "NOT") return !std::get<bool>(a);
      return -std::get<Decimal>(a);
    }
    case Node::kBinary: return evalBinary(n, record);
    case Node::kCall: break;
  }
  return evalCall(n, record);
}

Value Expression::evalBinary(const Node& n, std::string_view record) const {
  if (n.op == "AND") return std::get<bool>(eval(n.args[0], record)) && std::get<bool>(eval(n.args[1], record));
  if (n.op == "OR") return std::get<bool>(eval(n.args[0], record)) || std::get<bool>(eval(n.args[1], record));
  Value a = eval(n.args[0], record), b = eval(n.args[1], record);
  if (n.op == "+" || n.op == "-") {
    if (auto* sa = std::get_if<std::string>(&a)) {
      if (n.op == "+") return *sa + std::get<std::string>(b);
      // "-" moves the trailing blanks of the left text to the end of the result
      std::string_view t = rt::text::trim(*sa);
      std::string r = std::string(t) + std::get<std::string>(b);
      return rt::text::padr(r, static_cast<int>(sa->size() + std::get<std::string>(b).size()));
    }
    if (auto* da = std::get_if<Date>(&a)) {
      if (auto* db = std::get_if<Date>(&b)) return Decimal(*da - *db);
      int days = toInt(b);
      return n.op == "+" ? *da + days : *da - days;
    }
    Decimal x = std::get<Decimal>(a), y = std::get<Decimal>(b);
    return n.op == "+" ? x + y : x - y;
  }
  if (n.op == "*") return std::get<Decimal>(a) * std::get<Decimal>(b);
  if (n.op == "/") return std::get<Decimal>(a) / std::get<Decimal>(b);
  if (n.op == "$") return rt::text::at(std::get<std::string>(a), std::get<std::string>(b)) > 0;
  int c = compareValues(a, b, n.op == "==");
  if (n.op == "=" || n.op == "==") return c == 0;
  if (n.op == "!=") return c != 0;
  if (n.op == "<") return c < 0;
  if (n.op == "<=") return c <= 0;
  if (n.op == ">") return c > 0;
  return c >= 0;
}

Value Expression::evalCall(const Node& n, std::string_view record) const {
  std::vector<Value> a;
  a.reserve(n.args.size());
  for (int arg : n.args) a.push_back(eval(arg, record));
  auto num = [&](std::size_t i, int dflt) { return i < a.size() ? toInt(a[i]) : dflt; };
  auto text = [&](std::size_t i) -> const std::string& { return std::get<std::string>(a[i]); };
  const std::string& f = n.op;
  if (f == "STR" || f == "STRZERO") {
    // Without a width, a field gives its own width and decimals, as the runtime did
    // ("str(VALOR)" of an N14.2 is 14 characters with 2 decimals); anything else gives 10.
    int width = 10, decimals = 0;
    const Node& arg = nodes_[static_cast<std::size_t>(n.args[0])];
    if (arg.kind == Node::kField) {
      width = arg.def.width;
      decimals = arg.def.decimals;
    }
    if (a.size() > 1) {
      width = num(1, 10);
      decimals = num(2, 0);
    }
    Decimal v = std::get<Decimal>(a[0]);
    return f == "STR" ? rt::text::str(v, width, decimals) : rt::text::strzero(v, width, decimals);
  }
  if (f == "DTOS") return rt::text::dtos(std::get<Date>(a[0]));
  if (f == "DTOC") return rt::text::dtoc(std::get<Date>(a[0]));
  if (f == "UPPER") return rt::text::upper(text(0));
  if (f == "LOWER") return rt::text::lower(text(0));
  if (f == "SUBSTR") return rt::text::substr(text(0), num(1, 1), num(2, -1));
  if (f == "LEFT") return rt::text::left(text(0), num(1, 0));
  if (f == "RIGHT") return rt::text::right(text(0), num(1, 0));
  if (f == "ALLTRIM") return std::string(rt::text::alltrim(text(0)));
  if (f == "TRIM" || f == "RTRIM") return std::string(rt::text::trim(text(0)));
  if (f == "LTRIM") return std::string(rt::text::ltrim(text(0)));
  if (f == "PADR") return rt::text::padr(text(0), num(1, 0));
  if (f == "PADL") return rt::text::padl(text(0), num(1, 0));
  if (f == "VAL") return rt::text::val(text(0));
  if (f == "EMPTY") return isEmptyValue(a[0]);
  if (f == "DELETED") return !record.empty() && record[0] == '*';
  return false;
}

}  // namespace rt::db

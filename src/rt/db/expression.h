// The small expression compiler of the engine: index keys ("CPF+STR(I7_0,4)",
// "UPPER(NOMECONTR)", "CPF+ATV_BRASIL+DTOS(DT_LC)") and simple filters ('I1_1="J"',
// "TIPO_BEM<4") are compiled once against a table's fields and evaluated per record.
//
// Understood: field names (optionally "alias->"), text in "..." or '...', numbers, .T./.F.,
// + - * / on numbers, + on text and date + days, comparisons = == != <> # < <= > >= $,
// .AND. .OR. .NOT. !, parentheses, and the functions STR, STRZERO, DTOS, DTOC, UPPER, LOWER,
// SUBSTR, LEFT, RIGHT, ALLTRIM, TRIM, RTRIM, LTRIM, PADR, PADL, VAL, EMPTY, DELETED.
// Text "=" compares as the runtime did with exact comparison off: "ABC" = "AB" is true.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/result.h"
#include "rt/db/structure.h"

namespace rt::db {

class Expression {
 public:
  static Result<Expression> compile(std::string_view text, std::span<const FieldDef> fields);

  // `record` is a whole record as stored, deletion flag first.
  Value evaluate(std::string_view record) const;
  bool test(std::string_view record) const;  // a logical expression; anything else is false
  char type() const;                          // 'C', 'N', 'D' or 'L'
  const std::string& text() const { return text_; }
  // When the whole expression is one field, its index (a fast path for keys); else -1.
  int singleField() const;

  struct Node;

 private:
  std::string text_;
  std::vector<Node> nodes_;
  int root_ = -1;
  Value eval(int node, std::string_view record) const;
  // The operators of two operands, and the functions.
  Value evalBinary(const Node& n, std::string_view record) const;
  Value evalCall(const Node& n, std::string_view record) const;
  friend class Parser;
};

struct Expression::Node {
  enum Kind { kConst, kField, kUnary, kBinary, kCall } kind = kConst;
  char type = 'C';
  std::string op;  // operator or function name
  int field = -1;
  std::vector<int> args;
  Value constant;
  FieldDef def;
};

}  // namespace rt::db

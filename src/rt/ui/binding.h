// What an input field edits: a value of one of the runtime's four types, reached through a
// binding that knows how to read and write it and what the runtime called it (READVAR).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

#include "rt/text/date.h"
#include "rt/text/decimal.h"
#include "rt/text/value.h"

namespace rt::ui {

using rt::text::Date;
using rt::text::Decimal;

using rt::text::Value;

// A value shown through a picture (TRANSFORM of whatever type it holds).
std::string formatValue(const Value& value, std::string_view picture, int decimals = -1);

// The size of a table field, which pictures without a template need to know.
struct FieldShape {
  int width = 0;      // 0: unknown
  int decimals = -1;  // -1: unknown
};

// A table's fields as the input system reaches them; the table engine implements it, so a
// GET can edit a field of the current record.
class FieldAccessor {
 public:
  virtual ~FieldAccessor() = default;
  virtual Value fieldGet(std::string_view field) const = 0;
  virtual void fieldPut(std::string_view field, const Value& value) = 0;
  virtual FieldShape fieldShape(std::string_view) const { return {}; }
};

// How a GET reads and writes its value. Copyable; the referenced variable must outlive the
// READ.
struct Binding {
  std::string name;  // READVAR: "M->NAME" or a bare field name
  std::function<Value()> get;
  std::function<void(const Value&)> set;
  FieldShape shape;
};

// Memory variables by reference; the name is given bare ("CPF") and shown as "M->CPF".
Binding var(std::string_view name, std::string& ref);
Binding var(std::string_view name, Decimal& ref, FieldShape shape = {});
Binding var(std::string_view name, Date& ref);
Binding var(std::string_view name, bool& ref);
// A memory variable reached through a getter and a setter (a named-variable registry).
Binding var(std::string_view name, std::function<Value()> get, std::function<void(const Value&)> set,
            FieldShape shape = {});
// A field of the current record of a table; the name stays bare.
Binding field(FieldAccessor& table, std::string_view fieldName);

}  // namespace rt::ui

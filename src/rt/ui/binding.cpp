#include "rt/ui/binding.h"

#include "rt/text/strings.h"
#include "rt/text/transform.h"

namespace rt::ui {

std::string formatValue(const Value& value, std::string_view picture, int decimals) {
  return std::visit(
      [&](const auto& v) -> std::string {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::string>)
          return rt::text::transform(std::string_view(v), picture);
        else if constexpr (std::is_same_v<T, Decimal>)
          return rt::text::transform(v, picture, decimals);
        else
          return rt::text::transform(v, picture);
      },
      value);
}

namespace {
std::string memName(std::string_view name) { return "M->" + rt::text::upper(name); }

template <typename T>
Binding refBinding(std::string_view name, T& ref, FieldShape shape) {
  return Binding{memName(name), [&ref] { return Value(ref); },
                 [&ref](const Value& v) {
                   if (auto* p = std::get_if<T>(&v)) ref = *p;
                 },
                 shape};
}
}  // namespace

Binding var(std::string_view name, std::string& ref) {
  return refBinding(name, ref, FieldShape{static_cast<int>(ref.size()), -1});
}
Binding var(std::string_view name, Decimal& ref, FieldShape shape) { return refBinding(name, ref, shape); }
Binding var(std::string_view name, Date& ref) { return refBinding(name, ref, {}); }
Binding var(std::string_view name, bool& ref) { return refBinding(name, ref, {}); }

Binding var(std::string_view name, std::function<Value()> get, std::function<void(const Value&)> set,
            FieldShape shape) {
  return Binding{memName(name), std::move(get), std::move(set), shape};
}

Binding field(FieldAccessor& table, std::string_view fieldName) {
  std::string f(fieldName);
  return Binding{rt::text::upper(f), [&table, f] { return table.fieldGet(f); },
                 [&table, f](const Value& v) { table.fieldPut(f, v); }, table.fieldShape(f)};
}

}  // namespace rt::ui

#include "store/espelho.h"

#include <stdexcept>

#include "rt/text/strings.h"

namespace store {

using rt::db::Value;
using rt::text::Date;
using rt::text::Decimal;

namespace {

Value vazio(const CampoDef& c) {
  switch (c.tipo) {
    case 'N':
      return Decimal();
    case 'D':
      return Date();
    case 'L':
      return false;
    case 'M':
      return std::string();
    default:
      return std::string(static_cast<std::size_t>(c.largura), ' ');
  }
}

char tipoValor(char tipoCampo) { return tipoCampo == 'M' ? 'C' : tipoCampo; }

}  // namespace

RegistroEspelho::RegistroEspelho(Area tabela, std::string nome) : tabela_(tabela), nome_(std::move(nome)) {
  auto campos = estrutura(tabela);
  if (campos.empty()) throw std::logic_error("record mirror of table " + std::to_string(numero(tabela)) + " without fields");
  campos_.assign(campos.begin(), campos.end());
  valores_.reserve(campos_.size());
  for (std::size_t i = 0; i < campos_.size(); ++i) {
    valores_.push_back(vazio(campos_[i]));
    indices_.emplace(rt::text::upper(campos_[i].nome), static_cast<int>(i));
  }
}

int RegistroEspelho::indice(std::string_view nomeCampo) const {
  // Field names are short: an upper-case copy on the stack keeps the lookup cheap.
  char buf[16];
  if (nomeCampo.size() >= sizeof buf) return -1;
  for (std::size_t i = 0; i < nomeCampo.size(); ++i) buf[i] = rt::text::upperChar(nomeCampo[i]);
  auto it = indices_.find(std::string(buf, nomeCampo.size()));
  return it == indices_.end() ? -1 : it->second;
}

int RegistroEspelho::campo(std::string_view nomeCampo) const {
  int i = indice(nomeCampo);
  if (i < 0) throw std::logic_error("the " + nome_ + " has no field " + std::string(nomeCampo));
  return i;
}

void RegistroEspelho::erroTipo(int i, char pedido) const {
  throw std::logic_error("field " + campos_[static_cast<std::size_t>(i)].nome + " of the " + nome_ + " is of type " +
                         campos_[static_cast<std::size_t>(i)].tipo + ", used as " + pedido);
}

void RegistroEspelho::confere(int i, char tipo) const {
  if (i < 0 || i >= tamanho()) throw std::logic_error("field index out of range in the " + nome_);
  if (tipoValor(campos_[static_cast<std::size_t>(i)].tipo) != tipo) erroTipo(i, tipo);
}

Decimal RegistroEspelho::num(int i) const {
  confere(i, 'N');
  return std::get<Decimal>(valores_[static_cast<std::size_t>(i)]);
}
const std::string& RegistroEspelho::txt(int i) const {
  confere(i, 'C');
  return std::get<std::string>(valores_[static_cast<std::size_t>(i)]);
}
Date RegistroEspelho::data(int i) const {
  confere(i, 'D');
  return std::get<Date>(valores_[static_cast<std::size_t>(i)]);
}
bool RegistroEspelho::logico(int i) const {
  confere(i, 'L');
  return std::get<bool>(valores_[static_cast<std::size_t>(i)]);
}
const Value& RegistroEspelho::valor(int i) const {
  if (i < 0 || i >= tamanho()) throw std::logic_error("field index out of range in the " + nome_);
  return valores_[static_cast<std::size_t>(i)];
}

void RegistroEspelho::num(int i, Decimal v) {
  confere(i, 'N');
  valores_[static_cast<std::size_t>(i)] = v;
}
void RegistroEspelho::txt(int i, std::string v) {
  confere(i, 'C');
  valores_[static_cast<std::size_t>(i)] = std::move(v);
}
void RegistroEspelho::data(int i, Date v) {
  confere(i, 'D');
  valores_[static_cast<std::size_t>(i)] = v;
}
void RegistroEspelho::logico(int i, bool v) {
  confere(i, 'L');
  valores_[static_cast<std::size_t>(i)] = v;
}
void RegistroEspelho::valor(int i, Value v) {
  confere(i, rt::db::valueType(v));
  valores_[static_cast<std::size_t>(i)] = std::move(v);
}

void RegistroEspelho::limpa() {
  for (std::size_t i = 0; i < campos_.size(); ++i) valores_[i] = vazio(campos_[i]);
}

void RegistroEspelho::carrega(const rt::db::Table& t) {
  for (std::size_t i = 0; i < campos_.size(); ++i) {
    int f = t.eof() ? -1 : t.fieldIndex(campos_[i].nome);
    if (f < 0) {
      valores_[i] = vazio(campos_[i]);
      continue;
    }
    Value v = t.get(f);
    // A table of another structure may hold the name with another type: keep ours.
    if (rt::db::valueType(v) != tipoValor(campos_[i].tipo)) v = vazio(campos_[i]);
    valores_[i] = std::move(v);
  }
}

rt::Status RegistroEspelho::grava(rt::db::Table& t, std::span<const std::string_view> exceto) const {
  for (std::size_t i = 0; i < campos_.size(); ++i) {
    bool pula = false;
    for (std::string_view e : exceto) pula = pula || rt::text::upper(e) == rt::text::upper(campos_[i].nome);
    if (pula) continue;
    int f = t.fieldIndex(campos_[i].nome);
    if (f < 0) continue;
    RT_TRY(t.put(f, valores_[i]));
  }
  return rt::Status::ok();
}

EspelhoDeclaracao::EspelhoDeclaracao()
    : registro(Area::IMP0910, "register"),
      tabela01(Area::IMP0110, "table 01 record"),
      carneLeao(Area::IMP1210, "carne-leao record"),
      rural(Area::IMP1510, "rural summary") {}

}  // namespace store

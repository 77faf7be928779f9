// A taxpayer's CPF as the tables keep it: eleven characters, cut or padded with blanks on the
// right. Every CPF field and every index key that starts with one holds this form, so a CPF
// is padded once, when it becomes a Cpf, and read back as its key anywhere a text is wanted.
#pragma once

#include <string>
#include <string_view>

namespace store {

class Cpf {
 public:
  static constexpr int kLargura = 11;

  // No CPF: eleven blanks.
  Cpf() : chave_(kLargura, ' ') {}
  // The CPF as typed or read (digits only, as the prompt's picture keeps them).
  Cpf(std::string_view texto);      // NOLINT(google-explicit-constructor): a CPF given as text
  Cpf(const std::string& texto) : Cpf(std::string_view(texto)) {}  // NOLINT
  Cpf(const char* texto) : Cpf(std::string_view(texto)) {}          // NOLINT

  // The key form: what the CPF fields and the keys hold.
  const std::string& chave() const { return chave_; }
  // The digits without the blanks around them ("" for no CPF).
  std::string_view digitos() const;
  bool vazio() const { return digitos().empty(); }

  operator const std::string&() const { return chave_; }     // NOLINT: read as its key
  operator std::string_view() const { return chave_; }       // NOLINT

  friend bool operator==(const Cpf& a, const Cpf& b) { return a.chave_ == b.chave_; }
  // A text compares as the key it holds, byte for byte (a stored field is already 11 wide).
  friend bool operator==(const Cpf& a, std::string_view b) { return a.chave_ == b; }
  friend bool operator==(const Cpf& a, const std::string& b) { return a.chave_ == b; }
  friend bool operator==(const Cpf& a, const char* b) { return a.chave_ == b; }

 private:
  std::string chave_;
};

}  // namespace store

// The declaration file's text as it is built: start tags with their attributes in the order
// the format fixes, each attribute as one blank, the name, "=" and the value in double quotes,
// with no line breaks. Values come already formatted (formatos.h); the typed helpers pick the
// format so that a section reads like the format's own table.
#pragma once

#include <string>
#include <string_view>

#include "export/formatos.h"

namespace exporta {

class TextoXml {
 public:
  // "<nome"; attributes follow, then fim() or vazio().
  TextoXml& abre(std::string_view nome) {
    s_ += '<';
    s_ += nome;
    return *this;
  }
  // The start tag ends; child elements follow.
  TextoXml& fim() {
    s_ += '>';
    return *this;
  }
  // The element ends in its own tag.
  TextoXml& vazio() {
    s_ += "/>";
    return *this;
  }
  TextoXml& fecha(std::string_view nome) {
    s_ += "</";
    s_ += nome;
    s_ += '>';
    return *this;
  }
  // An attribute whose value is already in the file's form.
  TextoXml& a(std::string_view nome, std::string_view valor) {
    s_ += ' ';
    s_ += nome;
    s_ += "=\"";
    s_ += valor;
    s_ += '"';
    return *this;
  }
  TextoXml& dinheiro(std::string_view nome, Decimal v) { return a(nome, exporta::dinheiro(v)); }
  TextoXml& inteiro(std::string_view nome, Decimal v) { return a(nome, exporta::inteiro(v)); }
  TextoXml& inteiroSemPontos(std::string_view nome, Decimal v) {
    return a(nome, exporta::inteiroSemPontos(v));
  }
  TextoXml& umDecimal(std::string_view nome, Decimal v) { return a(nome, exporta::umDecimal(v)); }
  TextoXml& texto(std::string_view nome, std::string_view cp860) { return a(nome, exporta::texto(cp860)); }
  TextoXml& mapeado(std::string_view nome, std::string_view cp860) { return a(nome, exporta::mapeado(cp860)); }
  // "text (untrimmed)": as it stands.
  TextoXml& bruto(std::string_view nome, std::string_view cp860) { return a(nome, valorXml(cp860)); }

  std::string& str() { return s_; }
  const std::string& str() const { return s_; }
  bool empty() const { return s_.empty(); }
  // Hands the text over (to be appended to the file) and starts again empty.
  std::string leva() {
    std::string r;
    r.swap(s_);
    return r;
  }

 private:
  std::string s_;
};

}  // namespace exporta

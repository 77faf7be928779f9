// The bank's remittance file of collection slips: fixed records of 400 positions, each followed
// by CR LF, numbered in positions 395-400 from 1. One header, one detail per slip, one trailer.
// Built here as text only; the slip menu writes it (boleto.h).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rt/text/date.h"
#include "rt/text/decimal.h"

namespace office {

// The issuer's account, as DEFINE keeps it (account, CNPJ and CPF as digits only).
struct ContaBoleto {
  std::string BOL_BANCO = "341";
  std::string BOL_AGENCI, BOL_CONTA, BOL_NOME, BOL_CNPJ, BOL_CPF, BOL_CARTEI;
  rt::text::Decimal BOL_NOSNRO;
};

// The payer's address from the register; blank when the payer is in no data folder.
struct EnderecoSacado {
  std::string TIPOEND, ENDERECO, NUMERO, BAIRRO, CEP, MUNICIPIO, UF;
};

// One slip (a row of table 67) with its payer's address.
struct Boleto {
  rt::text::Decimal NRODOCUM, NOSSONRO;
  rt::text::Date DATADOC;
  rt::text::Decimal VALORDOC;
  std::string NOMESAC, CPFSAC;
  EnderecoSacado endereco;
};

inline constexpr int kTamanhoRegistro = 400;

std::string registroHeader(const ContaBoleto& conta, rt::text::Date hoje);
std::string registroDetalhe(const ContaBoleto& conta, const Boleto& b, rt::text::Date hoje, int sequencia);
std::string registroTrailer(int sequencia);
// The whole file: header, the details in the order given, trailer; every record ends in CR LF.
std::string remessa(const ContaBoleto& conta, const std::vector<Boleto>& boletos, rt::text::Date hoje);

// The amount in cents, thirteen digits ("0000000123456" for 1.234,56).
std::string centavos(rt::text::Decimal valor);

// The file's name in the program folder `pasta` (with its separator): "C" + YYMMDD of today
// + the first letter A..Z for which `existe` says no file is there yet + ".txt". Nothing when
// every letter of the day is taken.
std::optional<std::string> nomeRemessa(std::string_view pasta, rt::text::Date hoje,
                                       const std::function<bool(const std::string&)>& existe);

}  // namespace office

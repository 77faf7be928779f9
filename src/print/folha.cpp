#include "print/folha.h"

#include "rt/text/strings.h"
#include "rt/text/transform.h"

namespace print {

using rt::text::alltrim;
using rt::text::transform;
using rt::text::trim;

const store::RegistroEspelho* Memvars::dono(std::string_view nome) const {
  if (d_.tabela01.tem(nome)) return &d_.tabela01;
  if (d_.registro.tem(nome)) return &d_.registro;
  return nullptr;
}

Decimal Memvars::num(std::string_view nome) const {
  const store::RegistroEspelho* r = dono(nome);
  return r != nullptr ? r->num(nome) : Decimal();
}
std::string Memvars::txt(std::string_view nome) const {
  const store::RegistroEspelho* r = dono(nome);
  return r != nullptr ? r->txt(nome) : std::string();
}
rt::text::Date Memvars::data(std::string_view nome) const {
  const store::RegistroEspelho* r = dono(nome);
  return r != nullptr ? r->data(nome) : rt::text::Date();
}
bool Memvars::logico(std::string_view nome) const {
  const store::RegistroEspelho* r = dono(nome);
  return r != nullptr && r->logico(nome);
}

namespace {

// The page header of every declaration page, in normal pitch (rows 0-5).
void cabecalhoDaDeclaracao(Folha& f) {
  Pagina& p = f.pag;
  p.normal();
  p.linha(0, f.imp.LIN_DIV1);
  p.diz(0, "Nome: " + std::string(trim(f.m.txt("NOMECONTR"))));
  p.linha(65, "EXERCICIO 2010");
  p.diz(0, "CPF: " + transform(f.m.txt("CPF"), kCpf));
  p.linha(60, "Ano-Calendario 2009");
  p.linha(0, std::string("DECLARACAO DE AJUSTE ANUAL") + (f.m.simplificada() ? " SIMPLIFICADA" : ""));
  p.linha(0, "IMPOSTO DE RENDA - PESSOA FISICA");
  p.linha(0, f.imp.LIN_DIV1);
}

// The carried lines at the foot of a page that table k filled.
void transporte(Folha& f, int k) {
  Pagina& p = f.pag;
  if (k == 1) {
    p.condensado();
    p.linha(0, f.imp.LIN_DIV2);
    p.diz(0, "VALORES PARCIAIS ");
    p.valor(64, f.I1_4);
    p.valor(81, f.I1_6);
    p.valor(102, f.I1_5);
    p.valor(117, f.I1_7);
    p.avanca();
    p.linha(0, f.imp.LIN_DIV2);
  } else if (k == 2) {
    p.linha(0, f.imp.LIN_DIV2);
  } else if (k == 3 || k == 4) {
    p.diz(0, "SUBTOTAL");
    p.valor(106, k == 3 ? f.I7_3 : f.I8_3);
    p.valor(123, k == 3 ? f.I7_4 : f.I8_4);
    p.avanca();
  }
}

}  // namespace

Folha::Folha(store::Contexto& c, Impressao& i, const Memvars& mv, int queimp, int quepag)
    : ctx(c), imp(i), m(mv), QUEIMP(queimp), QUEPAG(quepag), pag(i, [this](Pagina&) { cabecalhoDaDeclaracao(*this); }) {}

// The heading of a value column of the assets and debts: the year's last day, or for an
// estate's final declaration its caption alone ("Data Partilha" is no year, and with the date
// before it would run into the next column's heading).
std::string situacaoEm(const std::string& legenda) {
  const bool ano = !legenda.empty() && legenda[0] >= '0' && legenda[0] <= '9';
  return ano ? "31/12/" + legenda : legenda;
}

void tituloDaSecao(Folha& f, int k) {
  Pagina& p = f.pag;
  p.condensado();
  p.linha(0, f.imp.LIN_DIV2);
  switch (k) {
    case 1:
      p.linha(0, std::string("RENDIMENTOS TRIBUTAVEIS RECEBIDOS DE PESSOAS JURIDICAS PELO") +
                     (f.tipoRenda == "J" ? " TITULAR" : "S DEPENDENTES"));
      p.linha(0,
              "       NOME DA FONTE PAGADORA               CNPJ/CPF          REND. RECEBIDOS    CONTR.PREVID.    "
              "IMPOSTO NA FONTE    13ro SALARIO");
      p.linha(64, "DE PES.JURIDICA      OFICIAL");
      break;
    case 2:
      p.linha(0, "DEPENDENTES ");
      p.diz(0, "CODIGO");
      p.diz(30, "NOME");
      p.diz(85, "DATA DE NASCIMENTO");
      p.linha(119, "CPF");
      break;
    case 3:
    case 4:
      p.diz(0, k == 3 ? "DECLARACAO DE BENS E DIREITOS" : "DIVIDAS E ONUS REAIS");
      p.linha(106, "SITUACAO EM");
      p.linha(0, f.imp.LIN_DIV3);
      p.diz(0, "ITEM CODIGO");
      p.diz(20, "DISCRIMINACAO");
      p.diz(106, situacaoEm(f.CANOAN));
      p.linha(123, situacaoEm(f.CANOBA));
      break;
    case 6:
      p.linha(0, "PAGAMENTOS E DOACOES EFETUADOS ");
      p.linha(0,
              "CODIGO       NOME DO BENEFICIARIO                                 CPF ou CNPJ             VALOR PAGO   "
              "       PARC. NAO DEDUTIVEL");
      break;
    case 7:
      p.linha(0, "ALIMENTANDOS");
      p.diz(0, "NOME");
      p.diz(50, "RESIDENTE");
      p.diz(85, "DATA DE NASCIMENTO");
      p.linha(119, "CPF");
      break;
    default:
      break;
  }
  p.linha(0, f.imp.LIN_DIV2);
}

void CABEC_PAG(Folha& f, int k) {
  if (k == 0) {
    f.pag.cabecalho();
    return;
  }
  f.pag.continua([&] { transporte(f, k); }, [&] { tituloDaSecao(f, k); });
}

namespace {

std::string simNao(const Memvars& m, std::string_view campo) {
  return std::string(alltrim(m.txt(campo)) == "S" ? "SIM" : "NAO");
}

// The address lines: street, district and town, state and postcode (or country and foreign
// code), phone and fax with their area codes, and the e-mail.
void enderecoEContatos(Pagina& p, const Memvars& m) {
  p.diz(0, "Endereco:");
  std::string endereco = std::string(trim(m.txt("TIPOEND")));
  for (const char* campo : {"ENDERECO", ",", "NUMERO"}) {
    endereco += "  ";
    endereco += std::string_view(campo) == "," ? std::string(",") : std::string(trim(m.txt(campo)));
  }
  p.diz(10, endereco);
  p.diz(80, "Complemento:");
  p.linha(93, trim(m.txt("COMPLEM")));
  p.diz(0, "Bairro/Distrito:");
  p.diz(17, trim(m.txt("BAIRRO")));
  p.diz(40, "Municipio:");
  p.linha(51, trim(m.txt("MUNICIPIO")));
  const bool exterior = alltrim(m.txt("UF")) == "EX";
  const std::string letra = exterior ? "I" : "D";
  if (!exterior) {
    p.diz(0, "UF:");
    p.diz(4, m.txt("UF"));
    p.diz(40, "CEP:");
  } else {
    p.diz(0, "Pais:");
    p.diz(6, m.txt("CODPAIS"));
    p.diz(12, "Cod. Ext:");
    p.diz(22, m.txt("CODEMB"));
    p.diz(40, "ZIP:");
  }
  p.diz(45, transform(m.txt("CEP"), "@r 99999-999"));
  p.diz(60, "DD" + letra + "/Telefone:");
  p.diz(74, transform(rt::text::val(m.txt("DDDTEL")), "@z 9999"));
  p.diz(79, transform(m.txt("TELEFO"), "@R 9999-9999"));
  p.diz(90, "DD" + letra + "/Fax:");
  p.diz(99, transform(rt::text::val(m.txt("DDDFAX")), "@z 9999"));
  p.linha(104, transform(m.txt("NROFAX"), "@R 9999-9999"));
  p.diz(0, "Correio Eletronico(e-mail):");
  p.linha(28, trim(m.txt("EMAIL")));
}

// Whether the declaration rectifies an earlier one (with that one's receipt), and the receipts
// of last year's and this year's declarations.
void retificacaoERecibos(Pagina& p, const Memvars& m) {
  p.diz(0, "Retificadora?");
  if (alltrim(m.txt("RETIFICA")) == "S") {
    p.diz(14, "SIM");
    p.diz(20, "Numero do recibo da declaracao anterior:");
    p.diz(61, transform(m.txt("NRORECIBO"), "@R 99.99.99.99.99-99"));
  } else {
    p.diz(14, "NAO");
  }
  p.avanca();
  p.diz(0, "Numero do ultimo recibo de 2009:");
  p.diz(33, m.txt("RECIBOANT"));
  p.diz(60, "Numero do recibo de 2010:");
  p.linha(86, m.txt("RECIBOATU"));
}

// The bank account line of the identification, for the complete declaration printed in two
// columns (the summary then has no bank lines of its own).
void contaBancaria(Pagina& p, const Memvars& m) {
  p.diz(0, "Banco");
  p.diz(6, transform(m.txt("BANCO"), "@R ###"));
  p.diz(12, "Agencia");
  p.diz(20, transform(m.txt("AGENCIA"), "@R #####-#"));
  p.diz(30, "Conta para credito");
  p.diz(49, transform(m.txt("CONTACO"), "@R !!!!!!!!!!!!!-!!"));
  p.diz(70, "Deb. Automatico");
  p.linha(86, simNao(m, "DEBITAUT"));
}

}  // namespace

void IDENTIFICA(Folha& f) {
  Pagina& p = f.pag;
  const Memvars& m = f.m;
  f.LDUPLACOL = f.QUEPAG == 1 || f.QUEPAG == 8 || f.QUEIMP == 2;
  p.condensado();
  p.linha(0, f.imp.LIN_DIV2);
  p.linha(0, "IDENTIFICACAO DO CONTRIBUINTE                    EXERCICIO 2010  Ano Base 2009");
  p.linha(0, f.imp.LIN_DIV2);
  p.diz(0, "CPF:");
  p.diz(6, transform(m.txt("CPF"), kCpf));
  p.diz(30, "Nome:");
  p.diz(36, trim(m.txt("NOMECONTR")));
  p.diz(100, "Status:");
  p.linha(108, transform(m.num("ESTATUS"), "@z 99"));
  p.diz(0, "Data de nascimento:");
  p.diz(20, transform(m.data("NASCIMENTO"), ""));
  p.diz(40, "Titulo Eleitoral:");
  p.diz(58, transform(m.txt("TITULO"), "@R !!!!!!!!!!!-!!"));
  p.diz(80, "Houve mudanca de endereco?");
  p.linha(107, simNao(m, "NOVOEND"));
  enderecoEContatos(p, m);
  p.diz(0, "Natureza da ocupacao:");
  p.diz(22, m.txt("CODAT"));
  p.linha(25, trim(m.txt("DESCRAT")));
  p.diz(0, "Ocupacao principal:");
  p.diz(22, m.txt("CDPRO"));
  p.linha(26, trim(m.txt("OCUPACAO")));
  p.diz(0, "CPF conjuge:");
  p.diz(13, transform(m.txt("CPFCONJU"), kCpf));
  p.diz(40, "Em Conjunto?");
  p.linha(53, simNao(m, "CONJUNTA"));
  retificacaoERecibos(p, m);
  if (!m.simplificada() && f.LDUPLACOL) contaBancaria(p, m);
  p.linha(0, f.imp.LIN_DIV2);
  p.normal();
}

}  // namespace print

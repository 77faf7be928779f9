// Letters merged with a register record and laid out by their page format: every merge field,
// the fees and tax texts, unknown fields, the page rows, and the print job's letter sheet (kind
// 8) to a file, to a CUPS queue and into a string.
#include "office/mala.h"

#include <gtest/gtest.h>

#include "declaracao_impressa.h"
#include "office/carta.h"
#include "print/escritorio.h"
#include "rt/dev/target.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "servidor_cups.h"
#include "store/abertura.h"

namespace {

using namespace rt::text::literals;
using print_test::Campos;
using rt::text::Date;
using rt::text::Decimal;

std::string s(const char* t) {
  return t;
}

class Mala : public print_test::FolhasFixture {
 protected:
  Mala() { declara("11144477735", {{9, maria()}}); }

  static Campos maria() {
    return {{"NOMECONTR", s("MARIA DA SILVA")},
            {"TIPOEND", s("RUA")},
            {"ENDERECO", s("DAS FLORES")},
            {"NUMERO", s("120")},
            {"COMPLEM", s("APTO 12")},
            {"BAIRRO", s("CENTRO")},
            {"CEP", s("13010000")},
            {"MUNICIPIO", s("CAMPINAS")},
            {"UF", s("SP")},
            {"DDDTEL", s("  19")},
            {"TELEFO", s("32345678")},
            {"DDDFAX", s("19")},
            {"NROFAX", s("32345679")},
            {"NOVOEND", s("S")},
            {"EMAIL", s("maria@exemplo.com.br")},
            {"TELCELU", s("91234567")},
            {"TELSECR", s("33334444")},
            {"TITULO", s("1234567890123")},
            {"NASCIMENTO", Date::fromYmd(1960, 4, 17)},
            {"TEM_USO", Decimal(90180)},
            {"TAM_USO", Decimal(123456)},
            {"VALOREC", Decimal(1500)},
            {"IMPPGRE", Decimal::val("1234.5")},
            {"I13_29", Decimal(3)},
            {"RECIBOATU", s("123456789012")},
            {"CPFCONJU", s("22233344405")},
            {"ESTATUS", Decimal(1)},
            {"BANCO", s("001")},
            {"AGENCIA", s("12345x")},
            {"CONTACO", s("998877")},
            {"SENACESSO", s("SEGREDO")},
            {"CODACESSO", Decimal(123456)},
            {"IMPRE", s("S")}};
  }

  rt::db::Table& registro() {
    if (area(store::Area::IMP0910) == nullptr) {
      EXPECT_TRUE(store::ABERTURA(ctx, store::Area::IMP0910));
    }
    rt::db::Table& r = *area(store::Area::IMP0910);
    r.goTop();
    EXPECT_TRUE(r.status());
    return r;
  }
  void muda(const Campos& campos) {
    rt::db::Table& r = registro();
    ASSERT_TRUE(r.lockRecord());
    for (const auto& [campo, valor] : campos) ASSERT_TRUE(r.put(campo, valor)) << campo;
    ASSERT_TRUE(r.flush());
    (void)r.unlock();
  }
  std::string mescla(std::string_view texto) {
    const console::PrecosEscritorio precos = print::precosDoEscritorio(ctx);
    return office::MESCLA(texto, office::DadosDaMala(registro(), precos));
  }
  static std::string campo(std::string_view nome) { return "\xAE" + std::string(nome) + "\xAF"; }
};

TEST_F(Mala, EveryFieldFromTheRegisterRecord) {
  struct Caso {
    const char* campo;
    std::string valor;
  };
  const Caso casos[] = {
      {"CPF", "111.444.777-35"},
      {"Nome", "MARIA DA SILVA"},
      {"TipoEnd", "RUA"},
      {"Logradouro", "DAS FLORES"},
      {"Numero", "120"},
      {"Complemento", "APTO 12"},
      {"Bairro", "CENTRO"},
      {"CEP", "13010-000"},
      {"Municipio", "CAMPINAS"},
      {"Estado", "SP"},
      {"MudouEnd", "S"},
      {"Email", "maria@exemplo.com.br"},
      {"Telefone", "193234-5678"},
      {"FAX", "193234-5679"},
      {"Celular", "9123-4567"},
      {"TelSecr", "3333-4444"},
      {"Titulo", "12345678901-23"},
      {"Nascimento", "17/04/1960"},
      {"Tempo", "01D01h03m"},
      {"Area", "123.456"},
      // 1503 minutes at 1,60 and 123,456 thousand bytes at 1,00, each cut to cents.
      {"ValorTempo", "2.404,80"},
      {"ValorArea", "123,45"},
      {"CustoDecl", "2.528,25"},
      {"ValorCobrar", "1.500,00"},
      {"Imposto", "Imposto 1.234,50"},
      {"NroQuotas", "3"},
      {"NroRecibo", "123456789012"},
      {"ReciboAnt", std::string(12, ' ')},
      {"CpfConjuge", "222.333.444-05"},
      {"Estatus", "01"},
      {"Banco", "001"},
      {"Agen/Conta", "Ag. 12345-X CC 998877"},
      {"Senha", "SEGREDO        "},
      {"Codigo", "123456"},
  };
  ASSERT_EQ(std::size(casos), office::camposDaCarta().size());
  std::string carta, esperada;
  for (std::size_t i = 0; i < std::size(casos); ++i) {
    const Caso& c = casos[i];
    EXPECT_EQ(office::camposDaCarta()[i].nome, c.campo) << "the editor's list follows the table's order";
    EXPECT_EQ(mescla(" " + campo(c.campo) + "."), " " + c.valor + ".") << c.campo;
    carta += campo(c.campo) + ";";
    esperada += c.valor + ";";
  }
  // All at once, and twice over: every occurrence is replaced.
  EXPECT_EQ(mescla(carta + carta), esperada + esperada);
  // A soft line end that word wrap put inside a field is not part of its name: a long typed
  // line broken inside «Agen/Conta» still gets the account; an unknown field keeps its break.
  EXPECT_EQ(mescla("Conta: \xAE"
                   "Agen/\x8D\nConta\xAF e \xAE\x8D\nNome\xAF; \xAE"
                   "Cida\x8D\nde\xAF"),
            "Conta: Ag. 12345-X CC 998877 e MARIA DA SILVA; \xAE"
            "Cida\x8D\nde\xAF");
  // Unknown fields and stray guillemets stay as written; data is never merged again.
  EXPECT_EQ(mescla("\xAE"
                   "Cidade\xAF e \xAE"
                   "nome\xAF, \xAB\xAE"
                   "x " +
                   campo("Nome") + " \xAF"),
            "\xAE"
            "Cidade\xAF e \xAE"
            "nome\xAF, \xAB\xAE"
            "x MARIA DA SILVA \xAF");
  muda({{"NOMECONTR", s("ANA \xAE"
                        "Nome\xAF")}});
  EXPECT_EQ(mescla(campo("Nome")),
            "ANA \xAE"
            "Nome\xAF");
}

TEST_F(Mala, FeesWithTheMinimumAndTheTaxTexts) {
  struct Caso {
    int segundos, bytes;
    const char* imposto;
    std::string custo, tempo, area, textoImposto;
  };
  const Caso casos[] = {
      // 26,00 computed: the office's minimum is charged.
      {600, 10000, "-350.5", "60,00", "16,00", "10,00", "Devolucao 350,50"},
      // No time spent: no fee, though the data has a size.
      {0, 50000, "0", "", "", "50,00", "Isento "},
      {3601, 20999, "0.01", "117,01", "96,02", "20,99", "Imposto 0,01"},
  };
  for (const Caso& c : casos) {
    muda({{"TEM_USO", Decimal(c.segundos)},
          {"TAM_USO", Decimal(c.bytes)},
          {"IMPPGRE", Decimal::val(c.imposto)}});
    EXPECT_EQ(mescla(campo("CustoDecl") + "|" + campo("ValorTempo") + "|" + campo("ValorArea") + "|" +
                     campo("Imposto")),
              c.custo + "|" + c.tempo + "|" + c.area + "|" + c.textoImposto)
        << c.segundos;
  }
  // Blank when zero: the status, the quotas, the fee charged, the area, the code.
  muda({{"ESTATUS", Decimal(0)},
        {"I13_29", Decimal(0)},
        {"VALOREC", Decimal(0)},
        {"TAM_USO", Decimal(0)},
        {"CODACESSO", Decimal(0)}});
  EXPECT_EQ(mescla("[" + campo("Estatus") + campo("NroQuotas") + campo("ValorCobrar") + campo("Area") +
                   campo("Codigo") + "]"),
            "[]");
}

// Pages of a letter laid out into a string.
std::vector<print_test::Pagina> paginasDe(std::string_view carta, int qlin = 0) {
  std::string saida;
  print::Impressao imp;
  imp.dispositivo.route(rt::dev::stringTarget(saida));
  imp.QLIN = qlin;
  office::IMPR_EDT(imp, carta);
  EXPECT_TRUE(imp.dispositivo.close());
  return print_test::paginas(saida);
}

TEST(ImprEdt, PageFormatWidthRowsAndMargins) {
  // Without a header: 136 columns, 66 rows a page.
  std::string texto;
  for (int i = 1; i <= 70; ++i) texto += "linha " + std::to_string(i) + "\r\n";
  texto += std::string(150, 'x');
  auto ps = paginasDe(texto + "\x1A");
  ASSERT_EQ(ps.size(), 2u);
  ASSERT_EQ(ps[0].size(), 66u);
  EXPECT_EQ(ps[0][65], "linha 66");
  ASSERT_EQ(ps[1].size(), 6u);
  EXPECT_EQ(ps[1][0], "linha 67");
  EXPECT_EQ(ps[1][4], std::string(136, 'x'));
  EXPECT_EQ(ps[1][5], std::string(14, 'x'));

  // Left margin 5, width 10 (soft line ends re-wrapped), top 2, bottom 1, page 6: three text rows a page.
  const std::string cab = "\xB2\xB3  5 20 10 6 2 1\xB3\xB2";
  ps = paginasDe(cab + "um dois tres \x8D\nquatro cinco seis sete");
  ASSERT_EQ(ps.size(), 2u);
  EXPECT_EQ(ps[0], (print_test::Pagina{"", "", "     um dois", "     tres", "     quatro"}));
  EXPECT_EQ(ps[1], (print_test::Pagina{"", "", "     cinco seis", "     sete"}));

  // Top 10, bottom 9, page 20: one line a page, on row 10, and the layout ends.
  ps = paginasDe(
      "\xB2\xB3  0  0 802010 9\xB3\xB2"
      "a\r\nb\r\nc");
  ASSERT_EQ(ps.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    ASSERT_EQ(ps[i].size(), 11u);
    EXPECT_EQ(ps[i][10], std::string(1, static_cast<char>('a' + i)));
  }
  // From a row already past the text rows, the letter starts on a new page.
  ps = paginasDe(
      "\xB2\xB3  0  0 80 6 2 1\xB3\xB2"
      "a",
      4);
  ASSERT_EQ(ps.size(), 2u);
  EXPECT_EQ(ps[1], (print_test::Pagina{"", "", "a"}));
  EXPECT_TRUE(paginasDe("").front().empty());
}

// Kind 8 of the print job for the marked taxpayers, with the office's letter.
class CartaNoTrabalho : public Mala {
 protected:
  CartaNoTrabalho() {
    declara("22233344405", {{9,
                             {{"NOMECONTR", s("ANTONIO ALVES")},
                              {"IMPPGRE", Decimal::val("-80")},
                              {"TEM_USO", Decimal(600)},
                              {"IMPRE", s("S")}}}});
    print_test::escreve(
        cartas / "aviso.txt",
        office::bytesDaCarta({"Prezado(a) " + campo("Nome") + ",\r\n\r\nSeu resultado: " + campo("Imposto") +
                                  "\r\nHonor\xA0rios: " + campo("CustoDecl") + "\r\n\r\nAtenciosamente,",
                              {4, 0, 60, 12, 1, 1}}));
  }
  bool roda() {
    print::Escolhas esc;
    esc.QUEIMP = 8;
    esc.QUECON = 2;
    print::ServicosImpressao base;
    base.pastaCartas = cartas.caminho();
    base.IMPR_MAIL = office::IMPR_MAIL;
    term.pause().press(25).type("AVISO").press(rt::term::key::Enter);
    const bool ok =
        print::FAZIMP(ctx, imp, esc, print::folhasDaDeclaracao([esc] { return esc; }, base), semAmbiente).isOk();
    (void)ctx.areas.closeAll();
    return ok;
  }
  print_test::Pasta cartas;
};

TEST_F(CartaNoTrabalho, MarkedTaxpayersToAFileToCupsAndIntoAString) {
  ASSERT_TRUE(roda());
  EXPECT_TRUE(term.contains("Imprimindo carta personalizada."));
  confere(print_test::paginas(print_test::le(trabalhoLinux() + "RELATOR.TXT")), "carta_marcados");

  // One job through a CUPS queue: the scheduler's device gets the same bytes.
  const std::string arquivo = print_test::le(trabalhoLinux() + "RELATOR.TXT");
  print_test::ServidorCups cups;
  if (cups.falha().empty()) {
    imp.lp = "lp";
    imp.lpstat = "lpstat";
    imp.conf.LOCIMPR = "R";
    imp.conf.NOMEREDE = "teste";
    imp.conf.NROLPT = 1;
    ASSERT_TRUE(roda()) << term.dump();
    EXPECT_TRUE(cups.espera(arquivo)) << print_test::le(cups.saida()) << cups.registro();
  } else {
    ADD_FAILURE() << "no CUPS scheduler: " << cups.falha();
  }

  // The e-mail's body: the same letter for the register's current taxpayer, in a string.
  ASSERT_TRUE(store::ABERTURA(ctx, store::Area::IMP0910));
  area(store::Area::IMP0910)->goTop();
  ASSERT_TRUE(area(store::Area::IMP0910)->status());
  const std::string corpo = office::corpoDaCarta(ctx, *office::leArquivo(cartas / "aviso.txt"));
  EXPECT_EQ(corpo,
            "\r\n    Prezado(a) MARIA DA SILVA,\r\n\r\n    Seu resultado: Imposto 1.234,50\r\n"
            "    Honor\xA0rios: 2.528,25\r\n\r\n    Atenciosamente,");
}

}  // namespace

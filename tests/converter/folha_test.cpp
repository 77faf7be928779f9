// The income statements from FOLHA.TXT into FOLHAPG, and from FOLHAPG into the declarations'
// tables of the folder where each taxpayer is, read back as another reader sees the files.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "console/documentos.h"
#include "console/pastas.h"
#include "converter/folha_digita.h"
#include "converter/folha_importa.h"
#include "converter/folha_transfere.h"
#include "fixture.h"
#include "rt/db/file.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "store/abertura.h"
#include "store/catalogo.h"

namespace converter::teste {
namespace {

using namespace rt::text::literals;
using rt::text::Decimal;
using store::Area;
namespace key = rt::term::key;

const std::string kJose = "12345678909", kJoao = "98765432100", kNovo = "11144477735", kOutro = "52998224725";

class Folha : public ConversorFixture {
 protected:
  void SetUp() override {
    ConversorFixture::SetUp();
    if (IsSkipped()) return;
    ASSERT_TRUE(store::ABERTURA(ctx, Area::FOLHAPG));
  }
  void arquivo(const std::string& pasta, const std::string& nome, const std::string& bytes) {
    std::ofstream(console::BAR_DIR(pasta) + nome, std::ios::binary) << bytes;
  }
  // Statements straight into FOLHAPG, from lines as FOLHA.TXT has them.
  void comprovantes(const std::string& linhas) {
    const LeituraFolha l = leFolha(linhas, store::estrutura(Area::FOLHAPG));
    ASSERT_EQ(l.recusa, "");
    ASSERT_TRUE(gravaComprovantes(ctx, l.comprovantes));
  }
  void transfere() {
    if (!store::aberta(ctx.areas, Area::FOLHAPG)) {
      ASSERT_TRUE(store::ABERTURA(ctx, Area::FOLHAPG));
    }
    TRANSFERE(ctx, c);
    ASSERT_TRUE(store::ABERTURA(ctx, Area::FOLHAPG));
  }
  std::vector<std::string> folhapg() { return le(programa.caminho(), "FOLHAPG", "CPF"); }
};

// Two employers, three employees: one in this folder, one in another registered folder (a
// CP1252 name), one registered nowhere; every field posted where it belongs.
TEST_F(Folha, ImportsAndTransfersIntoTheFoldersOfTheTaxpayers) {
  linha(Area::IMP0910, {{"CPF", kJose}, {"NOMECONTR", std::string("JOSE")}});
  linha(Area::IMP0110, {{"CPF", kJose}, {"I3_12", Decimal::fromInt(50)}, {"I3_12D", std::string("BOLSA")}});
  linha(Area::IMP0210, {{"CPF", kJose}, {"I1_1", std::string("J")}, {"I1_2", std::string("ACME")},
                        {"I1_3", std::string("11.222.333/0001-81")}, {"I1_4", Decimal::fromInt(999)}});
  outraPasta(kJoao, "JOAO");
  (void)ctx.areas.closeAll();
  ASSERT_TRUE(store::ABERTURA(ctx, Area::FOLHAPG));
  // Found in any case, CR LF lines, CP1252.
  arquivo(dados.caminho(), "folha.txt",
          "\"123.456.789-09\",\"JOSE\",\"ACME LTDA\",\"11222333000181\",1000,110,50,200,15,0,300,0,0,0,40,80,"
          "\"MARIA\",\"\",\"\",0,0\r\n"
          "\"12345678909\",\"JOSE\",\"BETA SA\",\"44555666000181\",500,0,0,0,0,0,0,0,0,0,0,0,\"\",\"\",\"PLR\",20,30\r\n"
          "\"98765432100\",\"JO\xC3O\",\"ACME LTDA\",\"11222333000181\",700\r\n"
          "\"11144477735\",\"NOVO\",\"ACME LTDA\",\"11222333000181\",100\r\n");
  term.press(key::Enter);  // the year's folder, as proposed
  IMPORTA(ctx, c);
  EXPECT_EQ(folhapg(), (std::vector<std::string>{kJose, kJose, kJoao, kNovo}));
  EXPECT_EQ(le(programa.caminho(), "FOLHAPG", "NOMECONTR,NOMEFONTE,CNPJFONTE,RENDIMENT,PREVOFICA,PREVPRIVA,PENSAOPAG,"
                                               "IRRETIDO,DIARIAS,IDENIZA,DECIMO3RO,COMPLENTA,OUTROSEXC,VALOUTRO,VALOUTRE")[0],
            "JOSE|ACME LTDA|11.222.333/0001-81|1000.00|110.00|50.00|200.00|15.00|300.00|40.00|80.00|MARIA||0.00|0.00");
  EXPECT_EQ(le(programa.caminho(), "FOLHAPG", "NOMECONTR")[2], "JOÃO");

  term.pause().type("A");  // add to the amounts there
  term.pause().type("I");  // the taxpayer registered nowhere is added
  transfere();
  EXPECT_TRUE(folhapg().empty());
  EXPECT_TRUE(gravador.viu("Transferindo o cpf 123.456.789-09 JOSE"));
  EXPECT_TRUE(gravador.viu(std::string("O CPF 111.444.777-35 não está cadastrado"_cp)));
  EXPECT_TRUE(gravador.viu("Dados Transferidos"));
  // The transfer ends in the folder it started in.
  EXPECT_EQ(ctx.LOCARQ, console::BAR_DIR(dados.caminho()));

  const std::string d = dados.caminho();
  EXPECT_EQ(le(d, "IMP0210", "CPF,I1_1,I1_2,I1_3,I1_4,I1_5,I1_6,I1_7,I1_9"),
            (std::vector<std::string>{kJose + "|J|ACME|11.222.333/0001-81|1000.00|15.00|110.00|80.00|",
                                      kNovo + "|J|ACME LTDA|11.222.333/0001-81|100.00|0.00|0.00|0.00|",
                                      kJose + "|J|BETA SA|44.555.666/0001-81|500.00|0.00|0.00|0.00|"}));
  // Added parts only: an empty description adds no separator.
  EXPECT_EQ(le(d, "IMP0110", "CPF,I3_03,I3_12,I3_12D,I4_05,I4_05D"),
            (std::vector<std::string>{kJose + "|40.00|370.00|BOLSA/DIARIAS E AJUDA DE CUSTO|30.00|PLR", kNovo + "|0.00|||0.00|"}));
  EXPECT_EQ(le(d, "IMP0610", "CPF,I6_1,I6_3,I6_4"),
            (std::vector<std::string>{kJose + "|MARIA|12|200.00", kJose + "|MARIA|14|50.00"}));
  EXPECT_EQ(le(d, "IMP0910", "CPF,NOMECONTR,ESTATUS"), (std::vector<std::string>{kJose + "|JOSE|", kNovo + "|NOVO|1"}));
  EXPECT_EQ(le(outra.caminho(), "IMP0210", "CPF,I1_2,I1_4"), (std::vector<std::string>{kJoao + "|ACME LTDA|700.00"}));
}

// The posting answer: "Acrescente" twice doubles table 1 while tables 2 and 6 are rewritten;
// "Substituia" replaces; "Nao" leaves table 1 and still rewrites the others.
TEST_F(Folha, ThePostingAnswerAddsReplacesOrLeavesTableOne) {
  linha(Area::IMP0910, {{"CPF", kJose}, {"NOMECONTR", std::string("JOSE")}});
  const std::string base = "\"12345678909\",\"JOSE\",\"ACME\",\"11222333000181\",1000,0,0,20,0,0,5,0,0,0,";
  const std::string resto = ",0,\"ANA\",\"BOLSA\",\"PLR\",7,3\n";
  const auto tabela1 = [&] { return le(dados.caminho(), "IMP0110", "I3_03,I3_12,I3_12D,I4_05,I4_05D"); };
  const auto outras = [&] {
    std::vector<std::string> v = le(dados.caminho(), "IMP0210", "I1_3,I1_4");
    for (const std::string& s : le(dados.caminho(), "IMP0610", "I6_3,I6_4")) v.push_back(s);
    return v;
  };
  for (const char* resposta : {"A", "A"}) {
    comprovantes(base + "10" + resto);
    term.pause().type(resposta);
    transfere();
  }
  EXPECT_EQ(tabela1(), (std::vector<std::string>{"20.00|24.00|DIARIAS BOLSA/DIARIAS BOLSA|6.00|PLR/PLR"}));
  EXPECT_EQ(outras(), (std::vector<std::string>{"11.222.333/0001-81|1000.00", "12|20.00"}));
  comprovantes(base + "10" + resto);
  term.pause().type("S");
  transfere();
  EXPECT_EQ(tabela1(), (std::vector<std::string>{"10.00|12.00|DIARIAS BOLSA|3.00|PLR"}));
  comprovantes("\"12345678909\",\"JOSE\",\"ACME\",\"11222333000181\",2000,0,0,25,0,0,5,0,0,0,99" + resto);
  term.pause().press(key::Esc);  // Esc counts as "Nao"
  transfere();
  EXPECT_EQ(tabela1(), (std::vector<std::string>{"10.00|12.00|DIARIAS BOLSA|3.00|PLR"}));
  EXPECT_EQ(outras(), (std::vector<std::string>{"11.222.333/0001-81|2000.00", "12|25.00"}));
  EXPECT_TRUE(folhapg().empty());
}

// Registered nowhere: "Salta" keeps the statement, "Todos" adds this one and every later one
// without asking, "Abandona" ends the transfer leaving the rest. A simplified declaration gets
// the exempt sum on its payer's row and nothing in tables 1 and 6. Statements go in CPF order.
TEST_F(Folha, TaxpayersRegisteredNowhereAndSimplifiedDeclarations) {
  linha(Area::IMP0910, {{"CPF", kJose}, {"NOMECONTR", std::string("JOSE")}, {"SO_SIMPLES", std::string("S")}});
  comprovantes(
      "\"98765432100\",\"SEM PERGUNTA\",\"ACME\",\"11222333000181\",3\n"
      "\"52998224725\",\"TODOS\",\"ACME\",\"11222333000181\",2\n"
      "\"11144477735\",\"SALTA\",\"ACME\",\"11222333000181\",1\n"
      "\"12345678909\",\"JOSE\",\"ACME\",\"11222333000181\",4,0,50,60,0,1,2,3,4,5,6,0,\"\",\"X\",\"Y\",70,80\n");
  term.pause().type("N").pause().type("S").pause().type("T");
  transfere();
  EXPECT_FALSE(gravador.viu("O CPF 987.654.321-00"));
  EXPECT_EQ(folhapg(), (std::vector<std::string>{kNovo}));
  EXPECT_EQ(le(dados.caminho(), "IMP0910", "CPF,NOMECONTR"),
            (std::vector<std::string>{kJose + "|JOSE", kOutro + "|TODOS", kJoao + "|SEM PERGUNTA"}));
  EXPECT_EQ(le(dados.caminho(), "IMP0210", "CPF,I1_4,I1_9"),
            (std::vector<std::string>{kJose + "|4.00|21.00", kOutro + "|2.00|", kJoao + "|3.00|"}));
  EXPECT_TRUE(le(dados.caminho(), "IMP0610", "CPF").empty());
  // Only the taxpayers added got a row of table 1, with nothing posted ("Nao").
  EXPECT_EQ(le(dados.caminho(), "IMP0110", "CPF").size(), 0u);

  comprovantes("\"12345678909\",\"JOSE\",\"BETA\",\"44555666000181\",9\n");
  gravador.esquece();
  term.pause().type("A").pause().type("A");  // add; then "Abandona" for the one still missing
  transfere();
  EXPECT_EQ(folhapg(), (std::vector<std::string>{kNovo, kJose}));
  EXPECT_FALSE(gravador.viu("Dados Transferidos"));
}

// The import refuses a file with a bad line whole, a missing folder and a missing file.
TEST_F(Folha, ImportRefusals) {
  arquivo(dados.caminho(), "FOLHA.TXT", "\"12345678909\",\"JOSE\",\"ACME\",\"11222333000181\",1\n\"98765432100\",\"X\",\"Y\",\"11222333000181\",abc\n");
  term.press(key::Enter);
  IMPORTA(ctx, c);
  EXPECT_TRUE(gravador.viu(std::string("Linha 2 do FOLHA.TXT: valor inválido em RENDIMENT (abc)"_cp)));
  EXPECT_TRUE(folhapg().empty());

  term.press(rt::term::ctrlKey('y')).type("/NAO/EXISTE").press(key::Enter).pause().press(key::Esc).press(key::Esc);
  IMPORTA(ctx, c);
  EXPECT_TRUE(gravador.viu(std::string("Drive e/ou Diretório /NAO/EXISTE inexistente !!"_cp)));

  term.press(rt::term::ctrlKey('y')).type(outra.caminho()).press(key::Enter);
  IMPORTA(ctx, c);
  EXPECT_TRUE(gravador.viu(std::string("Arquivo para a importação FOLHA.TXT não localizado!"_cp)));
  EXPECT_TRUE(folhapg().empty());
}

// Typing in: a CPF that has a statement asks whether it is another source; "S" keeps the name
// and stores a new statement with the payer punctuated.
TEST_F(Folha, TypingAnotherSourceForAKnownCpf) {
  comprovantes("\"12345678909\",\"JOSE\",\"ACME\",\"11222333000181\",1\n");
  store::seleciona(ctx.areas, Area::FOLHAPG);
  term.type(kJose).pause().type("S");
  term.type("BETA").press(key::Enter).type("44555666000181").press(key::Enter).press(rt::term::ctrlKey('w'));
  term.pause().type("S").press(key::Esc);
  PEGACOM(ctx, c);
  EXPECT_TRUE(gravador.viu(std::string("CPF já existente! Outra fonte de Renda? (S/N)"_cp)));
  EXPECT_EQ(le(programa.caminho(), "FOLHAPG", "CPF,NOMECONTR,NOMEFONTE,CNPJFONTE"),
            (std::vector<std::string>{kJose + "|JOSE|ACME|11.222.333/0001-81", kJose + "|JOSE|BETA|44.555.666/0001-81"}));
}

// The import says how many statements it took, or that the file had none; the same file again
// warns that statements of its taxpayers and payers are still waiting: "Salta" leaves FOLHAPG as
// it was, "Importa" adds the file.
TEST_F(Folha, ImportSaysWhatItTookAndWarnsOfStatementsAlreadyWaiting) {
  const std::string jose = "\"12345678909\",\"JOSE\",\"ACME\",\"11222333000181\",100\r\n";
  arquivo(dados.caminho(), "FOLHA.TXT", jose + "\"98765432100\",\"JOAO\",\"ACME\",\"11222333000181\",200\r\n");
  term.press(key::Enter);
  IMPORTA(ctx, c);
  EXPECT_TRUE(gravador.viu(std::string("2 declarações de rendimentos importadas"_cp)));
  EXPECT_EQ(folhapg(), (std::vector<std::string>{kJose, kJoao}));

  // José's statement from ACME is waiting; from BETA, and Novo's, are new.
  arquivo(dados.caminho(), "FOLHA.TXT",
          jose + "\"12345678909\",\"JOSE\",\"BETA\",\"44555666000181\",5\r\n" +
              "\"11144477735\",\"NOVO\",\"ACME\",\"11.222.333/0001-81\",7\r\n");
  for (const char* resposta : {"S", "I"}) {
    gravador.esquece();
    term.press(key::Enter).pause().type(resposta);
    IMPORTA(ctx, c);
    EXPECT_TRUE(gravador.viuJuntos("do mesmo CPF e fonte pagadora: 1 de 3 no FOLHA.TXT",
                                   "(CPF 123.456.789-09, fonte 11.222.333/0001-81)."));
  }
  EXPECT_TRUE(gravador.viu(std::string("3 declarações de rendimentos importadas"_cp)));
  EXPECT_EQ(folhapg(), (std::vector<std::string>{kJose, kJoao, kJose, kJose, kNovo}));

  for (const std::string& vazio : {std::string(), std::string("\r\n\r\n\x1A")}) {
    gravador.esquece();
    arquivo(dados.caminho(), "FOLHA.TXT", vazio);
    term.press(key::Enter);
    IMPORTA(ctx, c);
    EXPECT_TRUE(gravador.viu(std::string("O arquivo FOLHA.TXT não tem declarações de rendimentos."_cp)));
    EXPECT_FALSE(gravador.viu("importada"));
  }
  EXPECT_EQ(folhapg().size(), 5u);
}

// The folder of FOLHA.TXT as the clerk types it, in the console's code page, is found on the
// disk, whose names are UTF-8; the year's folder is proposed with its accents.
TEST_F(Folha, AFolderTypedWithAccentsIsFound) {
  // On a drive, as the office types folders: the field holds 40 characters.
  ctx.unidades.setDrive('T', dados.caminho());
  const std::string pasta = dados.caminho() + "/Folha de Março";
  std::filesystem::create_directories(pasta);
  arquivo(pasta, "folha.txt", "\"12345678909\",\"JOSE\",\"ACME\",\"11222333000181\",1\r\n");
  term.press(rt::term::ctrlKey('y')).type("T:\\Folha de Março"_cp).press(key::Enter);
  IMPORTA(ctx, c);
  EXPECT_FALSE(gravador.viu("inexistente"));
  EXPECT_TRUE(gravador.viu(std::string("1 declaração de rendimentos importada"_cp)));
  EXPECT_EQ(folhapg(), (std::vector<std::string>{kJose}));

  ctx.definePastaDados("T:\\Folha de Março");
  gravador.esquece();
  term.press(key::Enter).pause().type("I");  // proposed as it is; imported again
  IMPORTA(ctx, c);
  EXPECT_TRUE(gravador.viu(std::string("FOLHA DE MARçO"_cp)));
  EXPECT_EQ(folhapg(), (std::vector<std::string>{kJose, kJose}));
}

// Three statements of one payer posted with "Acrescente": the descriptions grow past their 50
// characters and the clerk is told which were cut; empty parts add nothing.
TEST_F(Folha, ADescriptionCutToItsFieldIsSaid) {
  linha(Area::IMP0910, {{"CPF", kJose}, {"NOMECONTR", std::string("JOSE")}});
  for (int i = 0; i < 3; ++i)
    comprovantes("\"12345678909\",\"JOSE\",\"ACME\",\"11222333000181\",1000,0,0,0,0,0,100,0,0,0,0,0,\"\","
                 "\"BOLSA ESTAGIO\",\"\",1000,0\n");
  term.pause().type("A");
  transfere();
  EXPECT_EQ(le(dados.caminho(), "IMP0110", "I3_12,I3_12D,I4_05,I4_05D"),
            (std::vector<std::string>{"3300.00|DIARIAS BOLSA ESTAGIO/DIARIAS BOLSA ESTAGIO/DIARIA|0.00|"}));
  EXPECT_TRUE(gravador.viuJuntos("Descrições maiores que o campo, cortadas (CPF, campo: como ficou):"_cp,
                                  "123.456.789-09 I3_12D: DIARIAS BOLSA ESTAGIO/DIARIAS BOLSA ESTAGIO/DIARIA"));
  EXPECT_FALSE(gravador.viu("I4_05D"));
  EXPECT_TRUE(gravador.viu("Dados Transferidos"));
}

// A CPF with valid check digits for each number.
std::string cpfDe(int n) {
  std::string nove = std::to_string(100000000 + n);
  return nove + console::cpfDigitos(nove);
}

std::string leArquivo(const std::string& caminho) {
  std::ifstream f(caminho, std::ios::binary);
  std::ostringstream o;
  o << f.rdbuf();
  return o.str();
}

// An import of a 3,000-line FOLHA.TXT killed at random moments: afterwards, once FOLHAPG is
// opened as the converter opens it, the table holds none of the file or all of it, and its
// index agrees with it.
TEST_F(Folha, AnImportKilledAtAnyMomentLeavesNoneOrAllOfTheFile) {
  comprovantes("\"12345678909\",\"JOSE\",\"ACME\",\"11222333000181\",1\n\"98765432100\",\"JOAO\",\"ACME\",\"11222333000181\",2\n");
  constexpr long kAntes = 2, kLinhas = 3000;
  std::string linhas;
  for (int i = 0; i < kLinhas; ++i)
    linhas += "\"" + cpfDe(i) + "\",\"EMPREGADO " + std::to_string(i) + "\",\"ACME LTDA\",\"11222333000181\"," +
              std::to_string(1000 + i) + ".25,110,0,0,15,0,0,0,0,0,0,80,\"\",\"\",\"\",0,0\r\n";
  const std::string folha = dados / "FOLHA.TXT";
  arquivo(dados.caminho(), "FOLHA.TXT", linhas);
  ASSERT_TRUE(ctx.areas.closeAll());
  const std::string dbf = rt::db::resolveCaseInsensitive(programa / "FOLHAPG.DBF");
  const std::string cdx = rt::db::resolveCaseInsensitive(programa / "FOLHAPG.CDX");
  const std::string dbfAntes = leArquivo(dbf), cdxAntes = leArquivo(cdx);
  const auto restaura = [&] {
    std::ofstream(dbf, std::ios::binary | std::ios::trunc) << dbfAntes;
    std::ofstream(cdx, std::ios::binary | std::ios::trunc) << cdxAntes;
  };
  const auto importa = [&] {
    if (!store::ABERTURA(ctx, Area::FOLHAPG)) return false;
    store::seleciona(ctx.areas, Area::FOLHAPG);
    return importaArquivo(ctx, folha).isOk();
  };
  // The rows of FOLHAPG after the converter opened it, checked against its index; -1 when the
  // index disagrees.
  const auto linhasDepois = [&]() -> long {
    if (!store::ABERTURA(ctx, Area::FOLHAPG)) return -2;
    rt::db::Table& t = *store::tabela(ctx.areas, Area::FOLHAPG);
    long n = 0;
    for (t.goTop(); t.status() && !t.eof(); t.skip(1)) ++n;
    const bool certo = t.status() && t.checkOrder(1);
    if (n == kAntes + kLinhas) {
      (void)t.seek(cpfDe(1500));
      if (!t.found() || t.getNumber("RENDIMENT") != Decimal::parse("2500.25")) return -1;
    }
    (void)ctx.areas.closeAll();
    return certo ? n : -1;
  };
  // How long a whole import takes here: the kills fall within it and a little beyond.
  const auto inicio = std::chrono::steady_clock::now();
  ASSERT_TRUE(importa());
  const auto duracao = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - inicio);
  ASSERT_EQ(linhasDepois(), kAntes + kLinhas);

  std::mt19937 aleatorio(51);
  std::uniform_int_distribution<long> momento(0, duracao.count() * 6 / 5);
  int nenhum = 0, todos = 0, parte = 0, errado = 0;
  for (int rodada = 0; rodada < 100; ++rodada) {
    restaura();
    int pronto[2];
    ASSERT_EQ(pipe(pronto), 0);
    const pid_t filho = fork();
    if (filho == 0) {
      ::close(pronto[0]);
      (void)!write(pronto[1], "x", 1);
      (void)importa();
      _exit(0);
    }
    ::close(pronto[1]);
    char x;
    (void)!read(pronto[0], &x, 1);
    ::close(pronto[0]);
    std::this_thread::sleep_for(std::chrono::microseconds(momento(aleatorio)));
    kill(filho, SIGKILL);
    waitpid(filho, nullptr, 0);
    const long n = linhasDepois();
    if (n == kAntes) {
      ++nenhum;
    } else if (n == kAntes + kLinhas) {
      ++todos;
    } else if (n < 0) {
      ++errado;
    } else {
      ++parte;
    }
  }
  RecordProperty("none", nenhum);
  RecordProperty("all", todos);
  std::cout << "import of " << kLinhas << " lines, " << duracao.count() << " us; after 100 kills: none " << nenhum
            << ", all " << todos << ", part " << parte << ", index wrong " << errado << "\n";
  EXPECT_EQ(parte, 0);
  EXPECT_EQ(errado, 0);
}

}  // namespace
}  // namespace converter::teste

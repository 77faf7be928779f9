// The slip menu from the main menu: the issuer's account, slips typed with their checks, the
// grid of waiting slips, and the remittance file written before the slips are removed.
#include "office/boleto.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "office/remessa_diario.h"
#include "programa_fixture.h"
#include "rt/db/child_process.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "shell/despacho.h"
#include "shell/funcoes.h"
#include "shell/inicio.h"
#include "support/disk_faults.h"
#include "store/abertura.h"
#include "store/pastas_dados.h"
#include "store/travas.h"

namespace shell::teste {
namespace {

using namespace rt::text::literals;
using rt::text::Date;
using rt::text::Decimal;
namespace key = rt::term::key;
namespace fs = std::filesystem;

const std::string kAqui = "11144477735", kFora = "52998224725";

std::string leTudo(const std::string& caminho) {
  std::ifstream f(caminho, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

class Boletos : public ProgramaFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(inicia());
    registraFuncoes(*p);
    cadastra(kAqui, "ANA AQUI", "RUA", "DAS PALMEIRAS", "SP");
    // Another registered folder holds the second payer.
    ASSERT_TRUE(store::registraPasta(*p, outra.caminho()));
    {
      store::UsaPasta la(*p, outra.caminho());
      cadastra(kFora, "BETO DE FORA", "AV", "BRASIL", "RJ");
      (void)p->areas.close(store::Area::IMP0910);
    }
    ASSERT_TRUE(store::ABERTURA(*p, store::Area::IMP0910));
    defineNumero(Decimal(100));
  }
  void cadastra(const std::string& cpf, const std::string& nome, const std::string& tipo, const std::string& rua,
                const std::string& uf) {
    ASSERT_TRUE(store::ABERTURA(*p, store::Area::IMP0910));
    rt::db::Table& r = *p->areas.table(store::Area::IMP0910);
    ASSERT_TRUE(store::ADD_REC(*p, 5));
    for (const auto& [campo, valor] : std::vector<std::pair<std::string, std::string>>{
             {"CPF", cpf}, {"NOMECONTR", nome}, {"TIPOEND", tipo}, {"ENDERECO", rua}, {"UF", uf}})
      ASSERT_TRUE(r.put(campo, valor));
    ASSERT_TRUE(r.commit());
    ASSERT_TRUE(r.unlock());
  }
  void defineNumero(Decimal n) {
    auto d = abre("DEFINE");
    ASSERT_TRUE(d->lockRecord());
    ASSERT_TRUE(d->put("BOL_NOSNRO", n));
    ASSERT_TRUE(d->commit());
    ASSERT_TRUE(d->unlock());
  }
  std::vector<std::string> boletos() {
    std::vector<std::string> v;
    auto t = abre("BOLETO");
    for (std::uint32_t n = 1; t && n <= t->recordCount(); ++n) {
      t->goTo(n);
      EXPECT_TRUE(t->status());
      if (!t->isDeleted())
        v.push_back(t->getText("CPFSAC") + " " + t->getNumber("NRODOCUM").toString(0) + " " +
                    t->getNumber("NOSSONRO").toString(0) + " " + t->getNumber("VALORDOC").toString(2) + " " +
                    rt::text::dtos(t->getDate("DATADOC")));
    }
    return v;
  }
  // Three slips of kAqui waiting in table 67.
  void poeTresBoletos() {
    ASSERT_TRUE(store::ABERTURA(*p, store::Area::BOLETO));
    rt::db::Table* t = p->areas.table(store::Area::BOLETO);
    for (int n = 1; n <= 3; ++n) {
      ASSERT_TRUE(t->appendBlank());
      ASSERT_TRUE(t->put("CPFSAC", kAqui));
      ASSERT_TRUE(t->put("NOMESAC", std::string("ANA AQUI")));
      ASSERT_TRUE(t->put("NRODOCUM", Decimal(n)));
      ASSERT_TRUE(t->put("NOSSONRO", Decimal(200 + n)));
      ASSERT_TRUE(t->put("VALORDOC", Decimal(10 * n)));
      ASSERT_TRUE(t->put("DATADOC", Date::fromYmd(2010, 7, 1)));
      ASSERT_TRUE(t->commit());
    }
    ASSERT_TRUE(store::fecha(p->areas, store::Area::BOLETO));
  }
  // The names in the program folder that begin with `prefixo`, sorted.
  std::vector<std::string> arquivosDoPrograma(std::string_view prefixo) const {
    std::vector<std::string> v;
    for (const auto& e : fs::directory_iterator(programa.caminho()))
      if (e.path().filename().string().starts_with(prefixo)) v.push_back(e.path().filename().string());
    std::sort(v.begin(), v.end());
    return v;
  }
  // One slip typed in the entry form.
  void digita(const std::string& cpf, const std::string& data, const std::string& valor, const std::string& doc) {
    term.type(cpf).type(data).type(valor).press(key::Enter).type(doc).press(key::Enter).press(key::Enter);
  }
  PastaCurta outra;
};

TEST_F(Boletos, SlipsTypedWithTheirChecksThenOneFileAndAnEmptyTable) {
  // The account: the bank kept, the CNPJ typed as digits and kept as digits only.
  term.press('C');
  term.press(key::Enter).type("0123").type("456789").type("ESCRITORIO MODELO").press(key::Enter);
  term.type("11222333000181").type("109");
  term.press('S');  // "Confirma os dados ?"
  // The slips: a CPF with wrong digits, then the right one; a due date before today refused.
  term.press('P');
  term.type("52998224700");          // said wrong; the cursor stays
  term.pause().press(key::Enter);    // the alert read, then closed
  term.press(rt::term::ctrlKey('y')).type(kFora);
  term.pause();  // the search of the other folders says "wait" and drops what was typed ahead
  term.type("19062010").type("1234,56").type("7").press(key::Enter).press(key::Enter);  // the cents end the amount
  term.press('S');         // "Confirma os dados ?": "Data em branco ou invalida "
  term.press(key::Enter);  // the alert closed, the form again
  term.press(key::Enter).pause().type("20062010").press(key::Enter).press(key::Enter).press(key::Enter);
  term.press('S');  // confirmed and saved
  term.pause().type("S");  // "Outro boleto ? "
  // The next numbers are offered: 8 and 101.
  term.type(kAqui).pause().type("30062010").type("29").press(key::Enter).press(key::Enter).press(key::Enter);
  term.press('S');
  term.pause().press(key::Enter);  // "Outro boleto ? " answered with its offered "N"
  term.press('G');         // the file
  term.press(key::Enter);  // "Arquivo ... gerado com sucesso."
  term.press(key::Esc);
  MENUSELECT(*p, 33);

  EXPECT_TRUE(gravador.viu("ATENCAO!! CPF está incorreto. "_cp));
  EXPECT_TRUE(gravador.viu("Data em branco ou invalida "));
  EXPECT_TRUE(gravador.viu("BETO DE FORA"));
  EXPECT_TRUE(gravador.viu("Outro boleto ? "));
  auto d = abre("DEFINE");
  EXPECT_EQ(d->getText("BOL_CNPJ"), "11222333000181");
  EXPECT_EQ(d->getText("BOL_CONTA"), "456789");
  EXPECT_EQ(d->getNumber("BOL_NOSNRO"), Decimal(102));
  // The file of the day, letter A, in the program folder; the table emptied afterwards.
  const std::string arquivo = programa / "C100620A.txt";
  ASSERT_TRUE(fs::exists(arquivo));
  EXPECT_TRUE(gravador.viu("gerado com sucesso."));
  const std::string f = leTudo(arquivo);
  ASSERT_EQ(f.size(), 4u * 402) << f;
  const std::string d1 = f.substr(402, 400), d2 = f.substr(804, 400);
  EXPECT_EQ(d1.substr(1, 16), "0211222333000181");
  EXPECT_EQ(d1.substr(62, 8), "00000100");
  EXPECT_EQ(d1.substr(110, 5), "00007");
  EXPECT_EQ(d1.substr(126, 13), "0000000123456");
  EXPECT_EQ(d1.substr(220, 14), "000" + kFora);
  EXPECT_EQ(d1.substr(234, 12), "BETO DE FORA");
  EXPECT_EQ(d1.substr(274, 5), "AV   ");
  EXPECT_EQ(d1.substr(349, 2), "RJ");
  EXPECT_EQ(d2.substr(62, 8), "00000101");
  EXPECT_EQ(d2.substr(110, 5), "00008");
  EXPECT_EQ(d2.substr(126, 13), "0000000002900");
  EXPECT_EQ(d2.substr(280, 13), "DAS PALMEIRAS");
  EXPECT_TRUE(boletos().empty());
  // The clerk's folder never changed.
  EXPECT_TRUE(store::mesmaPasta(*p, p->LOCARQ, p->ROTA));
}

TEST_F(Boletos, NoFreeNameOfTheDayLeavesTheSlipsAndWaitingSlipsOpenInTheirGrid) {
  {
    ASSERT_TRUE(store::ABERTURA(*p, store::Area::BOLETO));  // made on its first open
    rt::db::Table* t = p->areas.table(store::Area::BOLETO);
    ASSERT_TRUE(t->appendBlank());
    ASSERT_TRUE(t->put("CPFSAC", kAqui));
    ASSERT_TRUE(t->put("NOMESAC", std::string("ANA AQUI")));
    ASSERT_TRUE(t->put("NRODOCUM", Decimal(1)));
    ASSERT_TRUE(t->put("NOSSONRO", Decimal(55)));
    ASSERT_TRUE(t->put("VALORDOC", Decimal(10)));
    ASSERT_TRUE(t->put("DATADOC", Date::fromYmd(2010, 7, 1)));
    ASSERT_TRUE(t->commit());
    ASSERT_TRUE(store::fecha(p->areas, store::Area::BOLETO));
  }
  // Every letter of the day taken (Z by a folder): no file is written, the slips stay.
  for (char l = 'A'; l < 'Z'; ++l) std::ofstream(programa / (std::string("C100620") + l + ".txt")) << "x";
  fs::create_directory(programa / "C100620Z.txt");
  term.press('G').press(key::Enter);  // "Já foram gerados os arquivos de A a Z de hoje."
  term.press('P');                    // the grid of waiting slips
  term.press(key::Esc);
  term.press(key::Esc);
  MENUSELECT(*p, 33);
  EXPECT_TRUE(gravador.viu("Já foram gerados os arquivos de A a Z de hoje."_cp));
  EXPECT_FALSE(gravador.viu("gerado com sucesso."));
  EXPECT_TRUE(gravador.viu("Use a tecla insert para um novo boleto."));
  EXPECT_TRUE(gravador.viu("Nome do Sacado"));
  EXPECT_EQ(boletos().size(), 1u);
  EXPECT_EQ(leTudo(programa / "C100620A.txt"), "x");
}

// The remittance file or its journal met by a full or failing disk at a write, a sync or the
// rename to the day's name: the clerk is told the system's error, no file is left under the
// day's name nor beside it, nor a journal, and the three slips wait in table 67; a write the
// disk cuts short is completed. With the disk sound again the same slips make the day's
// first file.
TEST_F(Boletos, AFileOrJournalTheDiskFailsLeavesNoFileAndTheSlipsStay) {
  poeTresBoletos();
  const std::vector<std::string> antes = boletos();
  ASSERT_EQ(antes.size(), 3u);
  const std::string arquivo = programa / "C100620A.txt";
  for (const char* nome : {"C100620A.txt", "REMESSA.JNL"}) {
    for (const support::FaultCase& c : support::everyFault()) {
      // The journal is written in place: it has no rename. A file cut short that is completed
      // is sent: the slips go, and the last case is the sound disk's.
      if (c.call == support::Call::kRename && std::string_view(nome) == "REMESSA.JNL") continue;
      if (c.kind == support::FaultKind::kShortWrite) continue;
      SCOPED_TRACE(std::string(nome) + ": " + c.label());
      gravador.esquece();
      term.press(key::Enter);  // the error closed
      bool gerou = true;
      {
        support::DiskFaults falhas(support::Fault{c.call, c.kind, nome});
        gerou = office::GERA_BOLETO(*p, Date::fromYmd(2010, 6, 20)).isOk();
        EXPECT_EQ(falhas.made(), 1);
      }
      EXPECT_FALSE(gerou);
      EXPECT_EQ(term.pending(), 0u) << "the error was shown and closed";
      // The scratch file's and the journal's errors come through the export's error texts; a
      // refused rename as the store says a disk's refusal (its detail runs past the alert).
      const std::string dito =
          c.call == support::Call::kRename
              ? std::string("Não foi possível gravar "_cp) + arquivo + ": erro de disco ("
              : "Erro do Dos nro " + rt::text::padl(std::to_string(support::faultErrno(c.kind)), 2);
      EXPECT_TRUE(gravador.viu(dito)) << gravador.todas();
      EXPECT_FALSE(gravador.viu("gerado com sucesso."));
      EXPECT_EQ(arquivosDoPrograma("C100620"), std::vector<std::string>{});
      EXPECT_FALSE(fs::exists(programa / "REMESSA.JNL"));
      EXPECT_EQ(boletos(), antes);
    }
  }
  // Half of a write of the file, then half of a write of the journal: both completed.
  term.press(key::Enter);  // "Arquivo ... gerado com sucesso."
  {
    support::DiskFaults falhas({support::Fault{support::Call::kWrite, support::FaultKind::kShortWrite, "C100620A.txt"},
                                support::Fault{support::Call::kWrite, support::FaultKind::kShortWrite, "REMESSA.JNL"}});
    EXPECT_TRUE(office::GERA_BOLETO(*p, Date::fromYmd(2010, 6, 20)));
    EXPECT_EQ(falhas.made(), 2);
  }
  EXPECT_EQ(leTudo(arquivo).size(), 5u * 402);
  EXPECT_EQ(arquivosDoPrograma("C100620"), std::vector<std::string>{"C100620A.txt"});
  EXPECT_TRUE(boletos().empty());
}

// The file is in place and the disk refuses the removal of its slips from table 67: the file
// is said generated and the refusal is said; the journal stays, and the next generation takes
// the slips out first, so it bills none of them again.
TEST_F(Boletos, ASlipRemovalTheDiskRefusesIsSaidAndTheNextGenerationFinishesIt) {
  poeTresBoletos();
  for (const support::Call call : {support::Call::kWrite, support::Call::kSync}) {
    SCOPED_TRACE(support::callName(call));
    gravador.esquece();
    term.press(key::Enter).press(key::Enter);  // the refusal, then "Arquivo ... gerado com sucesso."
    {
      support::DiskFaults falhas(support::Fault{call, support::FaultKind::kIoError, "BOLETO.DBF", 1, true});
      EXPECT_TRUE(office::GERA_BOLETO(*p, Date::fromYmd(2010, 6, 20)));
      EXPECT_GE(falhas.made(), 1);
    }
    EXPECT_EQ(term.pending(), 0u);
    EXPECT_TRUE(gravador.viu("Input/output error")) << gravador.todas();
    EXPECT_TRUE(gravador.viu("gerado com sucesso."));
    EXPECT_TRUE(fs::exists(programa / "REMESSA.JNL"));
    // The next generation: the journal finished first, nothing left to bill.
    term.press(key::Enter);  // "Nao existe boleto cadastrado ..."
    EXPECT_FALSE(office::GERA_BOLETO(*p, Date::fromYmd(2010, 6, 20)));
    EXPECT_TRUE(gravador.viu("Nao existe boleto cadastrado para ser gerado o arquivo."));
    EXPECT_FALSE(fs::exists(programa / "REMESSA.JNL"));
    EXPECT_TRUE(boletos().empty());
    EXPECT_EQ(leTudo(programa / "C100620A.txt").size(), 5u * 402);
    fs::remove(programa / "C100620A.txt");
    poeTresBoletos();
  }
}

// Another terminal holds the slips (its clerk at the slip grid's delete question, which keeps
// the row locked): this one waits, is refused before anything is written, and the slips stay
// for the next file. A terminal killed after its file was in place, before its slips left the
// table: the next start takes them out, so the next file does not bill them again.
TEST_F(Boletos, RefusedWhileAnotherTerminalHoldsTheSlipsAndADeadRemittanceIsCompletedAtTheStart) {
  const Date hoje = Date::fromYmd(2010, 6, 20);
  ASSERT_TRUE(store::ABERTURA(*p, store::Area::BOLETO));
  for (int n = 1; n <= 3; ++n) {
    office::EntradaBoleto e;
    e.NRODOCUM = Decimal(n);
    e.NOSSONRO = Decimal(300 + n);
    e.VALORDOC = Decimal(10);
    e.DATADOC = Date::fromYmd(2010, 7, 1);
    e.CPFSAC = kAqui;
    ASSERT_TRUE(office::acrescentaBoleto(*p, e));
  }
  ASSERT_TRUE(p->areas.closeAll());
  {
    rt::db::testing::Child outro([this](rt::db::testing::Child& c) {
      auto t = rt::db::Table::open(programa / "BOLETO.DBF");
      if (!t || !(*t)->lockRecord(1)) return 1;
      c.signalParent();
      c.awaitParent();
      return 0;
    });
    outro.awaitChild();
    term.press(key::Enter);  // the refusal read
    EXPECT_FALSE(office::GERA_BOLETO(*p, hoje));
    outro.signalChild();
    EXPECT_EQ(outro.wait(), 0);
  }
  EXPECT_TRUE(gravador.viu("Aguardando arquivo ficar disponível"_cp));
  EXPECT_TRUE(gravador.viu("Os boletos estão em uso em outro terminal."_cp));
  EXPECT_FALSE(gravador.viu("gerado com sucesso."));
  EXPECT_FALSE(fs::exists(programa / "C100620A.txt"));
  EXPECT_EQ(boletos().size(), 3u);

  ASSERT_TRUE(p->areas.closeAll());
  {
    rt::db::testing::Child morre([this, hoje](rt::db::testing::Child&) {
      (void)office::GERA_BOLETO(*p, hoje, [](int k) {
        if (k == office::kRemessaNoLugar) ::kill(::getpid(), SIGKILL);
      });
      return 0;
    });
    EXPECT_EQ(morre.wait(), 100);
  }
  EXPECT_EQ(leTudo(programa / "C100620A.txt").size(), 5u * 402);
  EXPECT_EQ(boletos().size(), 3u);  // in the file and still waiting, until the journal is completed
  p.reset();
  ASSERT_TRUE(inicia());
  EXPECT_TRUE(boletos().empty());
  EXPECT_FALSE(fs::exists(office::caminhoDiarioRemessa(*p)));
  term.press(key::Enter);  // "Nao existe boleto cadastrado ..."
  EXPECT_FALSE(office::GERA_BOLETO(*p, hoje));
  EXPECT_FALSE(fs::exists(programa / "C100620B.txt"));
}

}  // namespace
}  // namespace shell::teste

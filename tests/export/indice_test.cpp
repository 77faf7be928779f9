// The tax authority's program index: the taxpayer's item replaced in every kind of index,
// terminals exporting at once, a crash before the new index is in place, and the rebuild from
// the CPF folders.
#include "export/indice.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <pugixml.hpp>
#include <set>

#include "export/recupera_indice.h"
#include "interacao_gravada.h"
#include "rt/text/cp860.h"
#include "store/store_fixture.h"
#include "support/scratch_dir.h"

namespace exporta::teste {
namespace {

namespace fs = std::filesystem;
using namespace rt::text::literals;

std::string le(const std::string& caminho) {
  return store::teste::leArquivo(caminho);
}
void grava(const std::string& caminho, std::string_view texto) {
  std::ofstream(caminho, std::ios::binary) << texto;
}

Identificador pessoa(std::string cpf, std::string nome) {
  return {std::move(cpf), "N", "S", std::move(nome), "", "123", "S", "N"};
}
std::string item(const Identificador& id) {
  return "<item" + IDENTIF(id) + "/>";
}

// The CPFs of the index's items, in order; fails on an index that is not well-formed.
std::vector<std::string> cpfsDe(const std::string& texto) {
  pugi::xml_document doc;
  const auto r = doc.load_string(texto.c_str());
  EXPECT_TRUE(r) << r.description() << "\n" << texto;
  std::vector<std::string> cpfs;
  for (pugi::xml_node i : doc.child("classe").children("item")) cpfs.push_back(i.attribute("cpf").value());
  return cpfs;
}

class IndiceDoPrograma : public ::testing::Test {
 protected:
  ~IndiceDoPrograma() override { support::removeScratchDir(pasta); }
  std::string pasta = support::makeScratchDir("indice");
  std::string indice = pasta + "/iddeclaracoes.xml";
  Identificador ana = pessoa("12345678909", "ANA");
};

TEST_F(IndiceDoPrograma, ItemTrocadoEmQualquerIndice) {
  EXPECT_EQ(item(ana),
            "<item cpf=\"123.456.789-09\" declaracaoRetificadora=\"0\" enderecoDiferente=\"1\" exercicio=\"2010\" "
            "nome=\"ANA\" numReciboDecRetif=\"\" numeroReciboDecAnterior=\"123\" tipoDeclaracao=\"1\" "
            "tipoEspolio=\"0\" transmitida=\"0\"/>");
  const std::string inicio = std::string(kDeclaracaoXml) + inicioColecao();
  const std::string outro = "<item cpf=\"111.444.777-35\" nome=\"BIA\"/>";
  const struct {
    const char* caso;
    std::string antigo;
    std::vector<std::string> cpfs;
  } casos[] = {
      {"vazio", "", {"123.456.789-09"}},
      {"truncado no meio de um item", inicio + outro + "<item cpf=\"222.", {"111.444.777-35", "123.456.789-09"}},
      {"truncado antes da colecao", "<?xml version=\"1.0\" encod", {"123.456.789-09"}},
      {"colecao vazia fechada em si",
       std::string(kDeclaracaoXml) + "<classe classeJava=\"serpro.ppgd.irpf.ColecaoIdDeclaracao\"/>",
       {"123.456.789-09"}},
      // The program itself may write its items on their own lines or with other attributes
      // first: the taxpayer's old item still goes.
      {"cheio, com o item antigo em outra forma",
       inicio + "\r\n  <item nome=\"ANA VELHA\" cpf=\"123.456.789-09\"/>" + outro + "\n</classe>",
       {"111.444.777-35", "123.456.789-09"}},
  };
  for (const auto& c : casos) {
    const std::string novo = indiceCom(c.antigo, ana.CPF, item(ana));
    EXPECT_EQ(cpfsDe(novo), c.cpfs) << c.caso;
    EXPECT_TRUE(novo.ends_with("</classe>")) << c.caso;
    EXPECT_EQ(novo.find("ANA VELHA"), std::string::npos) << c.caso;
  }

  // Through the file: missing, then a longer index replaced by a shorter one leaves no trace.
  ASSERT_EQ(gravaIndice(indice, ana.CPF, item(ana), {}), ResultadoIndice::Gravado);
  EXPECT_EQ(le(indice), inicio + item(ana) + "</classe>");
  grava(indice, inicio + outro + item(ana) + "</classe>" + std::string(300, ' '));
  ASSERT_EQ(gravaIndice(indice, ana.CPF, item(pessoa(ana.CPF, "A")), {}), ResultadoIndice::Gravado);
  EXPECT_EQ(le(indice), inicio + outro + item(pessoa(ana.CPF, "A")) + "</classe>");
  // Found in any case, and written back under its own name.
  fs::rename(indice, pasta + "/IDDECLARACOES.XML");
  ASSERT_EQ(gravaIndice(indice, "11144477735", item(pessoa("11144477735", "BIA")), {}), ResultadoIndice::Gravado);
  EXPECT_FALSE(fs::exists(indice));
  EXPECT_EQ(cpfsDe(le(pasta + "/IDDECLARACOES.XML")), (std::vector<std::string>{"123.456.789-09", "111.444.777-35"}));
}

TEST_F(IndiceDoPrograma, TerminaisAoMesmoTempoEQuedaAntesDoRename) {
  // Two processes, twenty CPFs each, all at once: every item is there, once.
  std::vector<pid_t> filhos;
  for (int p = 0; p < 2; ++p) {
    const pid_t f = ::fork();
    ASSERT_GE(f, 0);
    if (f == 0) {
      int falhas = 0;
      for (int i = 0; i < 20; ++i) {
        const std::string cpf = std::to_string(p + 1) + std::string(8, '0') + (i < 10 ? "0" : "") + std::to_string(i);
        OpcoesIndice o;
        o.espera = [] { return ::usleep(1000) == 0; };
        falhas += gravaIndice(indice, cpf, item(pessoa(cpf, "T")), o) != ResultadoIndice::Gravado;
      }
      ::_exit(falhas);
    }
    filhos.push_back(f);
  }
  for (pid_t f : filhos) {
    int st = 0;
    ASSERT_EQ(::waitpid(f, &st, 0), f);
    EXPECT_TRUE(WIFEXITED(st) && WEXITSTATUS(st) == 0);
  }
  const std::vector<std::string> cpfs = cpfsDe(le(indice));
  EXPECT_EQ(cpfs.size(), 40u);
  EXPECT_EQ(std::set<std::string>(cpfs.begin(), cpfs.end()).size(), 40u);

  // A terminal that dies after writing the new index but before putting it in place leaves
  // the old one whole.
  const std::string antes = le(indice);
  const pid_t f = ::fork();
  ASSERT_GE(f, 0);
  if (f == 0) {
    OpcoesIndice o;
    o.antesDeRenomear = [] { ::_exit(0); };
    (void)gravaIndice(indice, ana.CPF, item(ana), o);
    ::_exit(1);
  }
  int st = 0;
  ASSERT_EQ(::waitpid(f, &st, 0), f);
  EXPECT_EQ(le(indice), antes);

  // An index held by someone else: the wait is tried, then given up.
  const int fd = ::open(indice.c_str(), O_RDWR);
  struct flock l {};
  l.l_type = F_WRLCK;
  ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &l), 0);
  int vezes = 0;
  OpcoesIndice o;
  o.espera = [&] { return ++vezes < 3; };
  EXPECT_EQ(gravaIndice(indice, ana.CPF, item(ana), o), ResultadoIndice::Ocupado);
  EXPECT_EQ(vezes, 3);
  ::close(fd);
  EXPECT_EQ(le(indice), antes);
}

TEST_F(IndiceDoPrograma, RecuperaDasPastasDosCpfs) {
  const Identificador bia = pessoa("11144477735", "BIA");
  const Identificador caio = pessoa("52998224725", "CAIO");
  // Ana's file carries its copy; Bia's has none and gets it from the register; Caio is in no
  // register; Davi's file was cut short.
  fs::create_directories(pasta + "/12345678909");
  grava(pasta + "/12345678909/12345678909.XML",
        "<?xml version=\"1.0\"?><classe><x/><copiaIdentificador" + IDENTIF(ana) + "/></classe>");
  fs::create_directories(pasta + "/11144477735");
  const std::string semCopia = "<?xml version=\"1.0\"?><classe><x a=\"1\"/>\r\n</classe>";
  grava(pasta + "/11144477735/11144477735.xml", semCopia);
  fs::create_directories(pasta + "/52998224725");
  grava(pasta + "/52998224725/52998224725.xml", "<classe><x/></classe>");
  fs::create_directories(pasta + "/33333333333");
  grava(pasta + "/33333333333/33333333333.xml", "<classe><x");
  // Left alone: folders that are not a CPF's, stray files, a CPF folder holding something else.
  fs::create_directories(pasta + "/backup");
  fs::create_directories(pasta + "/1234567890");
  grava(pasta + "/leiame.txt", "x");
  grava(pasta + "/99999999999", "not a folder");
  fs::create_directories(pasta + "/44444444444");
  grava(pasta + "/44444444444/outro.txt", "x");
  // Gone: an empty CPF folder.
  fs::create_directories(pasta + "/55555555555");
  grava(indice, "lixo");

  InteracaoGravada fala;
  std::vector<std::string> procurados;
  auto procura = [&](std::string_view cpf) -> std::optional<Identificador> {
    procurados.emplace_back(cpf);
    if (cpf == bia.CPF) return bia;
    return std::nullopt;
  };
  ASSERT_TRUE(recuperaIndice(pasta, procura, fala));
  EXPECT_EQ(le(indice), inicioColecao() + item(bia) + item(ana) + "</classe>");
  EXPECT_EQ(procurados, (std::vector<std::string>{"11144477735", "52998224725"}));
  // Bia's file now carries the copy where its closing tag stood, and still parses.
  const std::string reparado = le(pasta + "/11144477735/11144477735.xml");
  EXPECT_EQ(reparado, semCopia.substr(0, semCopia.size() - 9) + "<copiaIdentificador" + IDENTIF(bia) + "/></classe>");
  pugi::xml_document doc;
  EXPECT_TRUE(doc.load_string(reparado.c_str()));
  EXPECT_STREQ(doc.child("classe").child("copiaIdentificador").attribute("nome").value(), "BIA");
  for (const char* fica : {"backup", "1234567890", "leiame.txt", "99999999999", "44444444444/outro.txt"})
    EXPECT_TRUE(fs::exists(pasta + "/" + fica)) << fica;
  EXPECT_FALSE(fs::exists(pasta + "/55555555555"));
  const std::vector<std::string> esperados = {
      "status:Recuperando o CPF 111.444.777-35", "status:Recuperando o CPF 123.456.789-09",
      "status:Recuperando o CPF 333.333.333-33", "erro:Erro de leitura ", "status:Recuperando o CPF 529.982.247-25",
      "erro:" + std::string("O contribuinte não foi localizado em nenhum dos diretórios indicado. Impossivel "
                            "recuperar o CPF "_cp) +
          "529.982.247-25"};
  EXPECT_EQ(fala.eventos, esperados);

  // A program folder with nothing in it.
  const std::string vazia = support::makeScratchDir("vazia");
  InteracaoGravada f2;
  EXPECT_FALSE(recuperaIndice(vazia, procura, f2));
  EXPECT_EQ(f2.eventos, std::vector<std::string>{"erro:Nao existem arquivos para serem recuperados! A Pasta esta correta?"});
  support::removeScratchDir(vazia);
}

}  // namespace
}  // namespace exporta::teste

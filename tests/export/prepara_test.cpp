// The export driver: its questions and refusals, the file put in place in the program's
// folder, the previous file kept when anything fails, and the file helpers under it.
#include "export/prepara.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <deque>
#include <filesystem>
#include <fstream>

#include "console/arquivo_recusado.h"
#include "declaracoes.h"
#include "export/indice.h"
#include "interacao_gravada.h"
#include "rt/db/table.h"
#include "rt/text/cp860.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/store_fixture.h"
#include "support/disk_faults.h"
#include "support/links_plantados.h"
#include "support/scratch_dir.h"

namespace exporta::teste {
namespace {

using namespace rt::text::literals;
namespace fs = std::filesystem;

std::string le(const std::string& caminho) {
  return store::teste::leArquivo(caminho);
}

class Exportacao : public store::teste::StoreFixture, public ::testing::Test {
 protected:
  Exportacao() {
    ctx.NUSU = "07";
    pedido.LOCIRPF = irpf.caminho() + "/";
    pedido.OPCAO_1 = 63;
    dec.espelho = x.d;
    dec.espelho.CPF = "12345678909";
  }
  // Copy 22 with one income row, as the loaded declaration has it.
  void copiaDeRendimentos() {
    const std::string nome = trabalho / "TMP_0207";
    ASSERT_TRUE(rt::db::Table::create(nome, store::camposDbf(store::estrutura(store::Area::TMP_02)), rt::db::CreateMode::kReplace));
    rt::db::OpenOptions o;
    o.exclusive = true;
    ASSERT_TRUE(ctx.areas.open(store::Area::TMP_02, nome + ".DBF", o));
    rt::db::Table& t = *ctx.areas.table(store::Area::TMP_02);
    ASSERT_TRUE(t.appendBlank());
    ASSERT_TRUE(t.put("I1_1", std::string("J")));
    ASSERT_TRUE(t.put("I1_2", std::string("EMPRESA GAMA")));
    ASSERT_TRUE(t.put("I1_3", std::string("11.222.333/0001-81")));
    ASSERT_TRUE(t.put("I1_4", rt::text::Decimal(1000)));
    ASSERT_TRUE(t.flush());
  }
  ResultadoExportacao exporta() { return PREPARA(ctx, dec, pedido, fala); }
  std::string alvo() const { return irpf / "12345678909/12345678909.XML"; }
  std::string temporario() const { return trabalho / "Decla07.XML"; }

  store::teste::Pasta irpf;
  Declaracao x;
  store::Declaracao dec;
  PedidoExportacao pedido;
  InteracaoGravada fala;
};

TEST_F(Exportacao, ProgramaSemPastaSoAvisaNoMenu) {
  pedido.LOCIRPF = "   ";
  EXPECT_EQ(exporta(), ResultadoExportacao::SemPasta);
  EXPECT_EQ(fala.eventos, std::vector<std::string>{"erro:" + std::string("Preencha em Opcões/Pasta do IRPF a pasta do programa da receita"_cp)});
  // After a save the export stops silently.
  fala.eventos.clear();
  pedido.OPCAO_1 = 11;
  EXPECT_EQ(exporta(), ResultadoExportacao::SemPasta);
  EXPECT_TRUE(fala.eventos.empty());
  EXPECT_FALSE(fs::exists(temporario()));
}

TEST_F(Exportacao, CaixaNegativoEDeclaracaoEntregue) {
  dec.espelho.registro.num("SALDO", rt::text::Decimal(-1));
  dec.espelho.registro.txt("RECIBOATU", "1234567890");
  // "N" to the first question stops before the second.
  EXPECT_EQ(exporta(), ResultadoExportacao::Recusada);
  ASSERT_EQ(fala.eventos.size(), 2u);
  EXPECT_EQ(fala.eventos[0], "beep");
  EXPECT_NE(fala.eventos[1].find("Ela está com PROBLEMAS de CAIXA."_cp), std::string::npos);
  // Both let through: one export asks both, and the file is sent.
  fala.eventos.clear();
  fala.respostas = {true, false};
  EXPECT_EQ(exporta(), ResultadoExportacao::Recusada);
  EXPECT_NE(fala.eventos.back().find("Essa declaração já foi entregue na receita."_cp), std::string::npos);
  fala.respostas = {true, true};
  EXPECT_EQ(exporta(), ResultadoExportacao::Transferida);
  EXPECT_TRUE(fs::exists(alvo()));
}

// A table of the structure of `area` at `nome` with the rows given (field, value).
void tabela(const std::string& nome, store::Area area,
            std::initializer_list<std::initializer_list<std::pair<const char*, rt::db::Value>>> linhas) {
  ASSERT_TRUE(rt::db::Table::create(nome, store::camposDbf(store::estrutura(area)),
                                    rt::db::CreateMode::kReplace));
  auto t = store::teste::abre(nome + ".DBF");
  for (const auto& campos : linhas) {
    ASSERT_TRUE(t->appendBlank());
    for (const auto& [campo, valor] : campos) ASSERT_TRUE(t->put(campo, valor));
    ASSERT_TRUE(t->flush());
  }
}

TEST_F(Exportacao, RuralDosDoisLadosSemGravarTabelas) {
  using store::Area;
  const rt::text::Decimal um(1);
  dec.espelho.registro.txt("TEMRURAL", "S");
  dec.espelho.registro.txt("ATV_BRASIL", "S");
  dec.espelho.rural.num("I4R_01", 777);
  // The data folder holds both sides as last saved; the open Brazil side is in the copies.
  tabela(dados / "IMP1510", Area::IMP1510,
         {{{"CPF", std::string("12345678909")}, {"ATV_BRASIL", std::string("S")}, {"I4R_01", um}},
          {{"CPF", std::string("12345678909")}, {"ATV_BRASIL", std::string("N")}, {"I4R_01", rt::text::Decimal(3000)}},
          {{"CPF", std::string("99999999999")}, {"ATV_BRASIL", std::string("N")}, {"I4R_01", um}}});
  tabela(dados / "IMP1610", Area::IMP1610,
         {{{"CPF", std::string("12345678909")}, {"ATV_BRASIL", std::string("S")}, {"I2R_01", std::string("VELHA")}},
          {{"CPF", std::string("12345678909")}, {"ATV_BRASIL", std::string("N")}, {"I2R_01", std::string("QUINTA")},
           {"CODPAIS", std::string("607")}}});
  tabela(dados / "IMP1710", Area::IMP1710, {});
  tabela(dados / "IMP1810", Area::IMP1810, {});
  tabela(programa / "TABPAIS", Area::TABPAIS,
         {{{"CODPAIS", std::string("607")}, {"NOMPAIS", std::string("PORTUGAL")}},
          {{"CODPAIS", std::string("063")}, {"NOMPAIS", std::string("ARGENTINA")}}});
  for (Area a : {Area::TMP_15, Area::TMP_16, Area::TMP_17, Area::TMP_18}) {
    const std::string nome = trabalho / ("TMP_" + std::to_string(store::numero(a) - 20) + "07");
    if (a == Area::TMP_16)
      tabela(nome, store::origem(a), {{{"ATV_BRASIL", std::string("S")}, {"I2R_01", std::string("NOVA")}}});
    else
      tabela(nome, store::origem(a), {{{"ATV_BRASIL", std::string("S")}}});
    rt::db::OpenOptions o;
    o.exclusive = true;
    ASSERT_TRUE(ctx.areas.open(a, nome + ".DBF", o));
  }
  std::vector<std::string> antes;
  for (const char* t : {"IMP1510.DBF", "IMP1610.DBF", "IMP1710.DBF", "IMP1810.DBF"}) antes.push_back(le(dados / t));

  EXPECT_EQ(exporta(), ResultadoExportacao::Transferida);
  const std::string texto = le(alvo());
  // Brazil as the copies and the record mirror hold it; abroad as the folder's tables do.
  EXPECT_NE(texto.find("nome=\"NOVA\""), std::string::npos);
  EXPECT_EQ(texto.find("VELHA"), std::string::npos);
  EXPECT_NE(texto.find("totalReceita=\"777,00\""), std::string::npos);
  EXPECT_NE(texto.find("<item descricaoPais=\"PORTUGAL\" despesaCusteio=\"0,00\" pais=\"607\""), std::string::npos);
  EXPECT_NE(texto.find("resultadoI_EmDolar=\"3.000,00\""), std::string::npos);
  // Nothing was written into the declaration's tables, and the open side is still Brazil.
  std::vector<std::string> depois;
  for (const char* t : {"IMP1510.DBF", "IMP1610.DBF", "IMP1710.DBF", "IMP1810.DBF"}) depois.push_back(le(dados / t));
  EXPECT_EQ(depois, antes);
  EXPECT_EQ(ctx.areas.table(Area::TMP_16)->recordCount(), 1u);
}

TEST_F(Exportacao, GanhosDasCopiasComSeusCustos) {
  using store::Area;
  const std::string cpf("12345678909");
  using Linhas = std::initializer_list<std::initializer_list<std::pair<const char*, rt::db::Value>>>;
  const auto copia = [&](Area a, Linhas linhas) {
    const std::string nome = trabalho / ("TMP_0" + std::to_string(store::numero(a) - 20) + "07");
    tabela(nome, store::origem(a), linhas);
    rt::db::OpenOptions o;
    o.exclusive = true;
    ASSERT_TRUE(ctx.areas.open(a, nome + ".DBF", o));
  };
  copia(Area::TMP_07, {{{"CPF", cpf}, {"BEM_NRO", rt::text::Decimal(1)}, {"TIPO_BEM", rt::text::Decimal(1)},
                        {"ESPC_BEM1", std::string("CASA")}, {"VAL_ALI", rt::text::Decimal(1000)},
                        {"DATA_ALI", rt::text::Date::fromYmd(2009, 4, 1)}, {"REC_MES04", rt::text::Decimal(1000)}}});
  copia(Area::TMP_08, {{{"CPF", cpf}, {"BEM_NRO", rt::text::Decimal(1)}, {"RESUL_2", rt::text::Decimal(250)}}});

  EXPECT_EQ(exporta(), ResultadoExportacao::Transferida);
  const std::string texto = le(alvo());
  // The operation's item, its reduction from its cost row, its month's item.
  EXPECT_NE(texto.find("descricaoBem=\"CASA\""), std::string::npos);
  EXPECT_NE(texto.find("fatorReducao60=\"25,00\""), std::string::npos);
  EXPECT_NE(texto.find("mesRecebimento=\"4\""), std::string::npos);
  EXPECT_NE(texto.find("</bensImoveis><bensMoveis"), std::string::npos);
}

TEST_F(Exportacao, ArquivoNaPastaDoCpfIgualAoTemporario) {
  copiaDeRendimentos();
  // A previous, longer file is replaced, not appended to nor left with a tail.
  fs::create_directories(irpf / "12345678909");
  std::ofstream(alvo()) << std::string(100000, 'x');
  fala.respostas = {true};  // the question on the row without a name is not asked
  EXPECT_EQ(exporta(), ResultadoExportacao::Transferida);
  const std::string texto = le(alvo());
  EXPECT_EQ(texto, le(temporario()));
  EXPECT_NE(texto.find("nomeFontePagadora=\"EMPRESA GAMA\" rendRecebidoPJ=\"1.000,00\""), std::string::npos);
  EXPECT_EQ(fala.eventos.back(), "aviso:" + std::string("A declaração foi transferida para o programa da receita Java"_cp));
  // No file of the copy is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(irpf / "12345678909"), fs::directory_iterator{}), 1);

  // In a batch the notice passes on the status line.
  pedido.OPCAO_1 = 65;
  dec.espelho.registro.txt("NOMECONTR", "  ANA  ");
  EXPECT_EQ(exporta(), ResultadoExportacao::Transferida);
  EXPECT_EQ(fala.eventos.back(), "status:Declaracao de ANA transferida !");
}

TEST_F(Exportacao, FalhaNaCopiaGuardaODeclaracaoAnterior) {
  fs::create_directories(irpf / "12345678909");
  std::ofstream(alvo()) << "ANTERIOR";
  // The copy is made under a name nobody can guess: what stands at the name older versions
  // used changes nothing.
  fs::create_directories(irpf / "12345678909/12345678909.07.TMP");
  EXPECT_EQ(exporta(), ResultadoExportacao::Transferida);
  fs::remove(irpf / "12345678909/12345678909.07.TMP");
  // Where the file belongs stands a folder: the copy cannot be put in place.
  fs::remove(alvo());
  fs::create_directories(alvo());
  fala.eventos.clear();
  EXPECT_EQ(exporta(), ResultadoExportacao::NaoCopiada);
  EXPECT_TRUE(fs::is_empty(alvo()));
  const std::vector<std::string> esperado = {
      "erro:" + console::textoLink(pedido.LOCIRPF + "12345678909/12345678909.XML"),
      "erro:" + std::string("A declaração não foi transferida para o programa da receita!"_cp)};
  EXPECT_EQ(fala.eventos, esperado);
  fs::remove(alvo());
  std::ofstream(alvo()) << "ANTERIOR";

  // A folder that cannot be written: access denied, the previous file intact.
  if (::geteuid() != 0) {
    fs::permissions(irpf / "12345678909", fs::perms::owner_read | fs::perms::owner_exec);
    fala.eventos.clear();
    EXPECT_EQ(exporta(), ResultadoExportacao::NaoCopiada);
    EXPECT_EQ(fala.eventos.front(), "erro:Erro! Acesso negado.");
    fs::permissions(irpf / "12345678909", fs::perms::owner_all);
    EXPECT_EQ(le(alvo()), "ANTERIOR");
  }
}

// The disk fails the export's files: the file of the work folder at a write or its sync (the
// export stops before the program's folder), the copy in the program's folder at a write, its
// sync or its rename (the previous file stays as it was, nothing beside it). What the clerk
// reads names the failure; a write cut short is completed and the export goes through.
TEST_F(Exportacao, UmDiscoQueFalhaGuardaODeclaracaoAnteriorEDizPorque) {
  fs::create_directories(irpf / "12345678909");
  const std::string naoTransferida =
      "erro:" + std::string("A declaração não foi transferida para o programa da receita!"_cp);
  for (const char* nome : {"Decla07.XML", "12345678909.XML"}) {
    const bool copia = std::string_view(nome) != "Decla07.XML";
    for (const support::FaultCase& c : support::everyFault()) {
      if (!copia && c.call == support::Call::kRename) continue;  // written in place
      SCOPED_TRACE(std::string(nome) + ": " + c.label());
      std::ofstream(alvo()) << "ANTERIOR";
      fala.eventos.clear();
      ResultadoExportacao r{};
      {
        support::DiskFaults falhas(support::Fault{c.call, c.kind, nome});
        r = exporta();
        EXPECT_EQ(falhas.made(), 1);
      }
      EXPECT_EQ(std::distance(fs::directory_iterator(irpf / "12345678909"), fs::directory_iterator{}), 1);
      if (c.kind == support::FaultKind::kShortWrite) {
        EXPECT_EQ(r, ResultadoExportacao::Transferida);
        EXPECT_EQ(le(alvo()), le(temporario()));
        continue;
      }
      EXPECT_EQ(le(alvo()), "ANTERIOR");
      const std::vector<std::string> esperado =
          copia ? std::vector<std::string>{"erro:" + std::string("Problemas na gravação da Declaração."_cp), naoTransferida}
                : std::vector<std::string>{"erro:" + textoErro(-support::faultErrno(c.kind), ""),
                                           "erro:" + std::string("Os dados não foram transferidos para o programa da receita!"_cp)};
      EXPECT_EQ(r, copia ? ResultadoExportacao::NaoCopiada : ResultadoExportacao::NaoGerada);
      EXPECT_EQ(fala.eventos, esperado);
    }
  }
}

TEST_F(Exportacao, PastaDoProgramaInexistente) {
  pedido.LOCIRPF = irpf / "NAO/EXISTE/";
  EXPECT_EQ(exporta(), ResultadoExportacao::NaoCopiada);
  ASSERT_FALSE(fala.eventos.empty());
  EXPECT_NE(fala.eventos.front().find("Problemas ao criar a pasta indicada abaixo."), std::string::npos);
}

TEST_F(Exportacao, ArquivoTemporarioNaoGravado) {
  // The work folder's file cannot be made: nothing reaches the program's folder.
  fs::create_directories(temporario());
  EXPECT_EQ(exporta(), ResultadoExportacao::NaoGerada);
  EXPECT_EQ(fala.eventos.back(), "erro:" + std::string("Os dados não foram transferidos para o programa da receita!"_cp));
  EXPECT_FALSE(fs::exists(irpf / "12345678909"));
}

TEST_F(Exportacao, IndiceSoDepoisDoArquivoNoLugar) {
  bool arquivoNoLugar = false;
  pedido.atualizaIndice = [&](store::Contexto&, const std::string& cpf) {
    arquivoNoLugar = fs::exists(alvo()) && cpf == "12345678909";
    return false;
  };
  EXPECT_EQ(exporta(), ResultadoExportacao::IndiceRecusado);
  EXPECT_TRUE(arquivoNoLugar);
  // A refused index is no success.
  for (const std::string& e : fala.eventos) EXPECT_EQ(e.find("foi transferida"), std::string::npos) << e;

  // The program's own: the index names the CPF; held by another, the export says so.
  pedido.atualizaIndice = nullptr;
  EXPECT_EQ(exporta(), ResultadoExportacao::Transferida);
  EXPECT_NE(le(irpf / "iddeclaracoes.xml").find("<item cpf=\"123.456.789-09\""), std::string::npos);
  const int fd = ::open((irpf / "iddeclaracoes.xml").c_str(), O_RDWR);
  struct flock l {};
  l.l_type = F_WRLCK;
  ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &l), 0);
  fala.eventos.clear();
  fala.esperas = 2;
  EXPECT_EQ(exporta(), ResultadoExportacao::IndiceRecusado);
  ::close(fd);
  EXPECT_EQ(fala.eventos.back(), "erro:" + std::string("ATENÇAO! Registro não disponível. Dado não será gravado."_cp));
}

// The work folder and the tax program's folder are shared: a link planted where the export
// writes a file (to a file, dangling, to a folder) is refused and named, the export says it
// failed, and the link's target is as it was.
TEST_F(Exportacao, UmLinkOndeAExportacaoGravaERecusadoENomeado) {
  struct Caso {
    std::string nome;  // where the link is planted
    ResultadoExportacao resultado;
    std::string dito;  // a part of the message naming it
  };
  fs::create_directories(irpf / "12345678909");
  const std::vector<Caso> casos = {
      {temporario(), ResultadoExportacao::NaoGerada, "Decla07.XML"},
      {alvo(), ResultadoExportacao::NaoCopiada, "12345678909.XML"},
      {irpf / "iddeclaracoes.xml", ResultadoExportacao::IndiceRecusado, "iddeclaracoes.xml"},
      {irpf / "12345678909", ResultadoExportacao::NaoCopiada, ""}};
  store::teste::Pasta fora;
  for (const Caso& c : casos) {
    for (support::Planta p : support::plantas()) {
      SCOPED_TRACE(c.nome + ", " + support::nomePlanta(p));
      const std::string alvoDoLink = support::planta(p, c.nome, fora.caminho());
      fala.eventos.clear();
      EXPECT_EQ(exporta(), c.resultado);
      EXPECT_TRUE(support::intacto(p, alvoDoLink));
      const bool nomeado = std::any_of(fala.eventos.begin(), fala.eventos.end(), [&](const std::string& e) {
        return e.find("Recusado: ") != std::string::npos && e.find(c.dito) != std::string::npos;
      });
      // A folder that is a dangling link or a link to a file cannot be made: said so instead.
      if (c.dito.empty() && p != support::Planta::LinkParaPasta)
        EXPECT_NE(fala.eventos.front().find("Problemas ao criar a pasta"), std::string::npos);
      else
        EXPECT_TRUE(nomeado) << ::testing::PrintToString(fala.eventos);
      fs::remove(c.nome);
    }
    if (c.dito.empty()) fs::create_directories(c.nome);
  }
  EXPECT_EQ(exporta(), ResultadoExportacao::Transferida);
}

// A child process writing a scratch file beside `alvo`: it says the file's name and waits.
pid_t escritor(const std::string& alvo, std::string& nome) {
  int tubo[2];
  if (::pipe(tubo) != 0) return -1;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(tubo[0]);
    rt::Result<rt::fs::ScratchFile> s = rt::fs::ScratchFile::beside(alvo);
    const std::string n = (s ? s->path() : std::string()) + "\n";
    if (::write(tubo[1], n.data(), n.size()) < 0) ::_exit(1);
    for (;;) ::pause();
  }
  ::close(tubo[1]);
  char c = 0;
  while (::read(tubo[0], &c, 1) == 1 && c != '\n') nome += c;
  ::close(tubo[0]);
  return pid;
}

// Exports killed midway leave their scratch copies: the next export removes those no living
// export holds, and those of older versions, before it writes.
TEST_F(Exportacao, CopiasDeExportacoesMortasSaemAntesDaProxima) {
  fs::create_directories(irpf / "12345678909");
  std::string morto, outroMorto, vivo;
  const pid_t m1 = escritor(irpf / "iddeclaracoes.xml", morto);
  const pid_t m2 = escritor(alvo(), outroMorto);
  const pid_t v = escritor(irpf / "iddeclaracoes.xml", vivo);
  ASSERT_TRUE(m1 > 0 && m2 > 0 && v > 0);
  for (pid_t m : {m1, m2}) {
    ::kill(m, SIGKILL);
    ::waitpid(m, nullptr, 0);
  }
  std::ofstream(irpf / "iddeclaracoes.xml.4242.tmp") << "antigo";
  std::ofstream(irpf / "12345678909/12345678909.03.TMP") << "antigo";
  std::ofstream(irpf / "12345678909/NOTAS.TXT") << "do escritorio";
  EXPECT_EQ(exporta(), ResultadoExportacao::Transferida);
  EXPECT_FALSE(fs::exists(morto));
  EXPECT_FALSE(fs::exists(outroMorto));
  EXPECT_FALSE(fs::exists(irpf / "iddeclaracoes.xml.4242.tmp"));
  EXPECT_FALSE(fs::exists(irpf / "12345678909/12345678909.03.TMP"));
  EXPECT_TRUE(fs::exists(vivo));
  EXPECT_TRUE(fs::exists(irpf / "12345678909/NOTAS.TXT"));
  ::kill(v, SIGKILL);
  ::waitpid(v, nullptr, 0);
  EXPECT_TRUE(nomeProvisorioAntigo("IDDECLARACOES.XML.17.tmp"));
  EXPECT_FALSE(nomeProvisorioAntigo("iddeclaracoes.xml.x.tmp"));
  EXPECT_FALSE(nomeProvisorioAntigo("12345678909.XML"));
}

// Each refusal of the export's files comes back as a Status that keeps the system's error, so
// the message names the same DOS code it always did; a file written whole reads back whole.
TEST(ArquivosDaExportacao, FalhasDosArquivosDaoStatusComOCodigoDoDos) {
  const std::string pasta = support::makeScratchDir("saida");
  const std::string existe = pasta + "/JA.XML", link = pasta + "/LINK.XML";
  std::ofstream(existe, std::ios::binary) << "antes";
  ASSERT_EQ(::symlink(existe.c_str(), link.c_str()), 0);
  struct Caso {
    const char* oque;
    rt::Status s;
    std::string caminho;
    rt::Error code;
    int dos;
  };
  ArquivoSaida a, b, c, d;
  const Caso casos[] = {
      {"cria sem pasta", a.cria(pasta + "/NAO/ARQ.XML"), pasta + "/NAO/ARQ.XML", rt::Error::kNotFound, 3},
      {"criaNovo sobre um", b.criaNovo(existe), existe, rt::Error::kExists, -EEXIST},
      {"criaAoLado de um link", c.criaAoLado(link), link, rt::Error::kIo, kLink},
      {"anexa sem arquivo", d.anexa("x"), existe, rt::Error::kIo, -EBADF},
      {"fecha sem arquivo", d.fecha(), existe, rt::Error::kIo, -EBADF},
  };
  for (const Caso& k : casos) {
    EXPECT_FALSE(k.s) << k.oque;
    EXPECT_FALSE(k.s.told()) << k.oque;
    EXPECT_EQ(k.s.code(), k.code) << k.oque << ": " << k.s.message();
    EXPECT_EQ(codigoDos(k.s, k.caminho), k.dos) << k.oque << ": " << k.s.message();
  }
  EXPECT_EQ(codigoDos(rt::Status(), existe), 0);
  ArquivoSaida e;
  ASSERT_TRUE(e.criaAoLado(existe));
  ASSERT_TRUE(e.anexa("depois"));
  ASSERT_TRUE(e.poeNoLugar(existe));
  EXPECT_EQ(le(existe), "depois");
  support::removeScratchDir(pasta);
}

TEST(ArquivosDaExportacao, CodigosETextosDeErro) {
  const std::string pasta = support::makeScratchDir("erro");
  EXPECT_EQ(codigoDos(ENOENT, pasta + "/ARQ.XML"), 2);
  EXPECT_EQ(codigoDos(ENOENT, pasta + "/NAO/ARQ.XML"), 3);
  EXPECT_EQ(codigoDos(ENOTDIR, pasta), 3);
  EXPECT_EQ(codigoDos(EMFILE, pasta), 4);
  EXPECT_EQ(codigoDos(EROFS, pasta), 5);
  EXPECT_EQ(codigoDos(EIO, pasta), -EIO);
  EXPECT_EQ(textoErro(2, "C:\\X.XML"), "Erro! Arquivo C:\\X.XMLnao encontrado");
  EXPECT_EQ(textoErro(3, ""), "Erro! Caminho nao encontrado");
  EXPECT_EQ(textoErro(4, ""), "Erro! Muito arquivos abertos. Confira o Config e Autoexec.");
  EXPECT_EQ(textoErro(5, ""), "Erro! Acesso negado.");
  // An input/output error is no "access denied", though its number is 5.
  EXPECT_EQ(textoErro(-EIO, ""), "Erro do Dos nro  5" + std::string(".Consulte na nossa página"_cp));
  EXPECT_EQ(textoErro(-ENOSPC, ""), "Erro do Dos nro 28" + std::string(".Consulte na nossa página"_cp));

  // Copies of exactly one block, of nothing, and of more than a block arrive whole.
  for (std::size_t n : {1024u, 0u, 2500u}) {
    const std::string de = pasta + "/DE", para = pasta + "/PARA";
    std::ofstream(de, std::ios::binary) << std::string(n, 'a');
    EXPECT_EQ(copiaArquivo(de, para).codigo, 0);
    EXPECT_EQ(le(para), std::string(n, 'a'));
  }
  // A read that fails is no end of file.
  const ResultadoCopia r = copiaArquivo(pasta, pasta + "/PARA");
  EXPECT_NE(r.codigo, 0);
  EXPECT_TRUE(r.naOrigem);
  support::removeScratchDir(pasta);
}

// GERAR's result is the failing call's error: a write or the final sync of the file the disk
// fails; a write cut short is completed.
TEST(ArquivosDaExportacao, UmDiscoQueFalhaFalhaOGerar) {
  Declaracao x;
  completa(x);
  store::teste::Pasta pasta;
  const std::string inteiro = pasta / "INTEIRO.XML", arquivo = pasta / "DECLA.XML";
  ASSERT_EQ(GERAR(inteiro, x.dados, [](std::string_view) { return true; }), 0);
  for (const support::FaultCase& c : support::everyFault()) {
    if (c.call == support::Call::kRename) continue;  // written in place
    SCOPED_TRACE(c.label());
    support::DiskFaults falhas(support::Fault{c.call, c.kind, "DECLA.XML"});
    EXPECT_EQ(GERAR(arquivo, x.dados, [](std::string_view) { return true; }), -support::faultErrno(c.kind));
    EXPECT_EQ(falhas.made(), 1);
    if (c.kind == support::FaultKind::kShortWrite) {
      EXPECT_EQ(le(arquivo), le(inteiro));
    }
  }
}

}  // namespace
}  // namespace exporta::teste

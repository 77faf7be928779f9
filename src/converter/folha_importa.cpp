#include "converter/folha_importa.h"

#include <fstream>
#include <set>
#include <sstream>

#include "console/alerta.h"
#include "console/mensagens.h"
#include "console/pastas.h"
#include "converter/molduras.h"
#include "rt/db/file.h"
#include "rt/term/colour.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "rt/ui/read.h"
#include "store/areas.h"
#include "store/catalogo.h"
#include "store/recusa.h"
#include "store/travas.h"

namespace converter {

using namespace rt::text::literals;
using store::Area;

rt::term::ColourSet coresEntrada(const store::Contexto& ctx) {
  const console::Cores& c = ctx.cores;
  return rt::term::parseColourList(c.COR_SAY + "," + c.COR_GET + ",N/N,N/N," + c.COR_SAY);
}

rt::Status gravaComprovantes(store::Contexto& ctx, std::span<const Comprovante> comprovantes) {
  rt::db::Table* t = store::tabela(ctx.areas, Area::FOLHAPG);
  if (t == nullptr) return rt::Status(rt::Error::kBadArgument, "FOLHAPG not open");
  const store::SelecaoGuardada selecao(ctx.areas, Area::FOLHAPG);
  RT_TRY(store::FIL_LOCK(ctx, store::kEsperaTrava));  // told by the wait
  // One step that a kill cannot split: statements appended one by one and killed half-way
  // would leave part of the file, and importing it again would post the rest twice.
  rt::Status s = t->appendRecords(comprovantes);
  // On disk before the clerk is told they are there.
  if (s) s = t->commit();
  return store::liberaGravacao(ctx, *t, s, t->alias());
}

namespace {

// The statements of the file whose taxpayer and payer already have a statement waiting: the
// same file imported again would add its amounts a second time at the transfer.
struct JaPendentes {
  std::size_t quantos = 0;
  std::string cpf, fonte;  // the first of them
};

std::string chaveComprovante(std::string_view cpf, std::string_view fonte) {
  return std::string(rt::text::alltrim(cpf)) + '|' + std::string(rt::text::alltrim(fonte));
}

// False when FOLHAPG could not be read (said).
bool procuraPendentes(store::Contexto& ctx, std::span<const Comprovante> comprovantes, JaPendentes& r) {
  rt::db::Table& t = *store::tabela(ctx.areas, Area::FOLHAPG);
  const auto campos = store::estrutura(Area::FOLHAPG);
  std::size_t iCpf = 0, iFonte = 0;
  for (std::size_t i = 0; i < campos.size(); ++i) {
    if (campos[i].nome == "CPF") iCpf = i;
    if (campos[i].nome == "CNPJFONTE") iFonte = i;
  }
  std::set<std::string> pendentes;
  for (t.goTop(); t.status() && !t.eof(); t.skip(1))
    if (!t.isDeleted()) pendentes.insert(chaveComprovante(t.getText("CPF"), t.getText("CNPJFONTE")));
  if (!store::gravou(ctx, t.status(), t.alias())) return false;
  for (const Comprovante& c : comprovantes) {
    const std::string& cpf = std::get<std::string>(c[iCpf]);
    const std::string& fonte = std::get<std::string>(c[iFonte]);
    if (!pendentes.contains(chaveComprovante(cpf, fonte))) continue;
    if (r.quantos++ == 0) {
      r.cpf = cpf;
      r.fonte = fonte;
    }
  }
  return true;
}

// Whether the clerk imports a file of which some statements are already waiting.
bool importaRepetidos(store::Contexto& ctx, const JaPendentes& p, std::size_t total) {
  const std::string exemplo =
      "CPF " + rt::text::transform(p.cpf, "@R 999.999.999-99") + ", fonte " + std::string(rt::text::alltrim(p.fonte));
  const int b = console::alerta(
      ctx,
      {std::string("Atenção! Já há declarações pendentes, não transferidas,"_cp),
       "do mesmo CPF e fonte pagadora: " + std::to_string(p.quantos) + " de " + std::to_string(total) +
           " no FOLHA.TXT",
       "(" + std::string(p.quantos > 1 ? "a primeira: " : "") + exemplo + ").",
       "Importadas de novo, seus valores seriam somados outra vez."},
      {"Importa", "Salta"});
  return b == 1;
}

std::string importadas(std::size_t n) {
  return n == 1 ? std::string("1 declaração de rendimentos importada"_cp)
                : std::to_string(n) + std::string(" declarações de rendimentos importadas"_cp);
}

}  // namespace

rt::Status importaArquivo(store::Contexto& ctx, const std::string& arquivo) {
  std::ifstream f(arquivo, std::ios::binary);
  if (!f) {
    console::AVISOSN(ctx, "Arquivo para a importação FOLHA.TXT não localizado!"_cp, 0);
    return console::falhaDita(rt::Error::kNotFound, arquivo);
  }
  std::ostringstream bytes;
  bytes << f.rdbuf();
  const LeituraFolha l = leFolha(bytes.str(), store::estrutura(Area::FOLHAPG));
  if (!l.recusa.empty()) {
    console::AVISOSN(ctx, {std::string_view(l.recusa), "Nada foi importado."}, 0);
    return console::falhaDita(rt::Error::kCorrupt, arquivo);
  }
  if (l.comprovantes.empty()) {
    console::AVISOSN(ctx, {"O arquivo FOLHA.TXT não tem declarações de rendimentos."_cp, "Nada a importar."}, 0);
    return console::falhaDita(rt::Error::kNotFound, "no statements in " + arquivo);
  }
  JaPendentes pendentes;
  if (!procuraPendentes(ctx, l.comprovantes, pendentes)) return console::falhaDita(rt::Error::kIo, "FOLHAPG");
  // The alert has shown the clerk the statements waiting; "Salta" leaves nothing more to say.
  if (pendentes.quantos > 0 && !importaRepetidos(ctx, pendentes, l.comprovantes.size()))
    return console::falhaDita(rt::Error::kExists, "statements waiting in FOLHAPG");
  // Told, or silent and untold when FOLHAPG is not open: passed up as it is.
  RT_TRY(gravaComprovantes(ctx, l.comprovantes));
  console::AVISOSN(ctx, importadas(l.comprovantes.size()), 0);
  return {};
}

void IMPORTA(store::Contexto& ctx, Conversor& c) {
  MTELA1(ctx, c, moldura::ArquivoFolha);
  const console::JanelaAberta quadro = console::JanelaAberta::adota(ctx.janelas, console::Jan::kDialogo);
  // Folder names are the file system's (UTF-8); the clerk sees and types them in the
  // console's code page.
  std::string pasta = rt::text::padr(rt::text::utf8ToCp860(rt::text::alltrim(ctx.ROTADOANO)), 40);
  for (;;) {
    const rt::ui::ReadResult r = rt::ui::readOne(
        ctx.console, rt::ui::Get(ctx.ALJA[7] + 1, ctx.ACJA[7] + 1, rt::ui::var("PASTA", pasta), "@!"), coresEntrada(ctx));
    if (r.escaped) return;
    const std::string nome(rt::text::alltrim(pasta));
    const std::string noDisco = rt::text::cp860ToUtf8(nome);
    if (nome.empty() || !console::VERDIR(ctx, noDisco)) {
      console::MENS(ctx, console::mens::Aviso, std::string("Drive e/ou Diretório "_cp) + nome + std::string(" inexistente !!"_cp));
      continue;
    }
    const std::string caminho = rt::db::resolveCaseInsensitive(console::caminhoLinux(ctx, console::BAR_DIR(noDisco) + "FOLHA.TXT"));
    if (!rt::db::fileExists(caminho)) {
      console::AVISOSN(ctx, "Arquivo para a importação FOLHA.TXT não localizado!"_cp, 0);
      return;
    }
    importaArquivo(ctx, caminho).ignoreTold();  // says its own refusal
    return;
  }
}

}  // namespace converter

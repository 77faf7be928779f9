#include "converter/receita_listagem.h"

#include <algorithm>
#include <filesystem>

#include "console/documentos.h"
#include "converter/receita/confere.h"
#include "converter/receita/declaracao.h"
#include "converter/receita/linhas.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/diario_gravacao.h"
#include "store/recusa.h"
#include "store/restaura_pasta.h"

namespace converter {

using namespace rt::text::literals;
using store::Area;

namespace {

std::string maiusculas(std::string s) { return rt::text::upper(s); }

std::string quatro(std::size_t n) { return rt::text::padl(std::to_string(n), 4, '0'); }

// The first two lines of a file; nullopt (said) when it cannot be opened or read. An empty
// file gives no lines; one whose first line is longer than any record gives an empty one.
std::optional<std::vector<std::string>> inicio(store::Contexto& ctx, const std::string& caminho, int& codigo) {
  LeitorLinhas l(caminho, {.linha = kMaiorLinha});
  std::vector<std::string> v;
  while (l.aberto() && v.size() < 2) {
    auto linha = l.LELINHA();
    if (!linha) break;
    v.push_back(std::move(*linha));
  }
  // No longer a file since the folder was listed: nothing of the tax authority.
  if (l.naoComum()) return std::vector<std::string>{""};
  if (!l.aberto() || !l.erro()) {
    codigo = erroDeLeitura(ctx, l.erro(), caminho);
    return std::nullopt;
  }
  if (v.empty() && l.excesso() != LeitorLinhas::Excesso::Nenhum) v.emplace_back();
  return v;
}

// What a run did, said when it ends.
std::vector<std::string> resumo(const Contadores& c, Modo modo) {
  auto quantos = [](int n, std::string_view um, std::string_view varios) {
    return std::to_string(n) + " " + std::string(n == 1 ? um : varios);
  };
  std::vector<std::string> v = {
      modo == Modo::Declaracao ? quantos(c.convertidos, "declaração importada"_cp, "declarações importadas"_cp)
      : modo == Modo::Ganhos   ? quantos(c.convertidos, "arquivo de ganhos de capital importado",
                                         "arquivos de ganhos de capital importados")
                               : quantos(c.convertidos, "número de recibo gravado"_cp, "números de recibo gravados"_cp)};
  if (c.existentes > 0) v.push_back(quantos(c.existentes, "já existente ou não confirmada"_cp, "já existentes ou não confirmadas"_cp));
  if (c.naoConvertidos > 0) v.push_back(quantos(c.naoConvertidos, "arquivo recusado", "arquivos recusados"));
  return v;
}

}  // namespace

std::vector<std::string> arquivosDaReceita(const std::string& pasta, Modo modo) {
  const std::vector<std::string> extensoes =
      modo == Modo::Ganhos ? std::vector<std::string>{".GB9", ".GE9"} : std::vector<std::string>{".DBK", ".DEC"};
  std::vector<std::string> v;
  for (const std::string& ext : extensoes) {
    std::vector<std::string> grupo;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(pasta, ec)) {
      const std::string nome = e.path().filename().string();
      // Only files: a pipe of that name would hang the listing, a device never end.
      if (nome.size() > ext.size() && maiusculas(nome.substr(nome.size() - ext.size())) == ext &&
          arquivoComum(e.path().string()))
        grupo.push_back(nome);
    }
    std::sort(grupo.begin(), grupo.end());
    v.insert(v.end(), grupo.begin(), grupo.end());
  }
  return v;
}

rt::Status listaArquivos(store::Contexto& ctx, Modo modo, const std::string& pasta) {
  const std::vector<std::string> nomes = arquivosDaReceita(pasta, modo);
  if (nomes.empty()) {
    ctx.relato().alerta("O local escolhido não contém a informação pedida da Receita"_cp);
    return store::falhaDita(rt::Error::kNotFound, pasta);
  }
  if (!store::ABERTURA(ctx, Area::LISNOME, true))
    return store::falhaDita(rt::Error::kNotAvailable, "LISNOME");
  rt::db::Table& t = *store::tabela(ctx.areas, Area::LISNOME);
  RT_TRY(store::gravou(ctx, t.zap(), "LISNOME"));
  std::size_t achados = 0, n = 0;
  std::vector<std::string> vazios;
  for (const std::string& nome : nomes) {
    ++n;
    int codigo = 0;
    auto linhas = inicio(ctx, pasta + "/" + nome, codigo);
    if (!linhas) return store::falhaDita(rt::Error::kIo, nome);  // said by inicio
    if (linhas->empty()) {
      vazios.push_back(visivel(nome));
      continue;
    }
    const Cabecalho cab = leCabecalho((*linhas)[0]);
    if (cab.anos == 0) continue;
    // The delivery mark of the tax authority's naming, characters 28-32 of the name.
    const std::string marca = rt::text::substr(nome, 28, 5);
    const std::string ano = cab.anos == k2009 ? " 09" : " 10";
    if (linhas->size() >= 2 && colunas((*linhas)[1], -1, 2) == "16") {
      rt::Status s = t.appendBlank();
      if (s) s = t.put("NOMEARQ", nome);
      if (s) s = t.put("ORIGEM", cab.cdecl + marca + ano);
      if (s) s = t.put("TIPO", cab.programa + cab.ano);
      if (s) s = t.put("CPF", colunas((*linhas)[1], 1, 11));
      if (s) s = t.put("NOMECONTR", console::AJUS_CAR(colunas((*linhas)[1], 12, 53), 1));
      RT_TRY(store::gravou(ctx, s, "LISNOME"));
    }
    ++achados;
    ctx.relato().linha("Verificando " + quatro(n) + " de " + quatro(nomes.size()) + " declaracoes!");
  }
  RT_TRY(store::gravou(ctx, t.commit(), "LISNOME"));
  if (!vazios.empty()) {
    // A few names; of many, the count.
    const std::size_t todos = vazios.size();
    constexpr std::size_t kNomes = 10;
    if (todos > kNomes) {
      vazios.resize(kNomes);
      vazios.push_back("e mais " + std::to_string(todos - kNomes));
    }
    ctx.relato().alerta(store::linhasDeNomes(todos == nomes.size() ? "Nada a importar: os arquivos estão vazios:"_cp
                                                                    : "Arquivos vazios, nada a importar deles:"_cp,
                                             vazios));
  }
  if (vazios.size() == nomes.size()) return store::falhaDita(rt::Error::kNotFound, pasta);  // said above
  if (achados == 0) {
    ctx.relato().alerta("Na pasta existem " + quatro(nomes.size()) + " declaracoes, mas nao de 2009 ou 2010");
    return store::falhaDita(rt::Error::kNotFound, pasta);
  }
  t.setOrder(1);
  t.goTop();
  return {};
}

Contadores converteArquivos(store::Contexto& ctx, Modo modo, const std::string& pasta, const TelaConversao& tela) {
  Contadores c;
  ctx.relato().linha("Processando...");
  if (!listaArquivos(ctx, modo, pasta)) return c;
  rt::db::Table& t = *store::tabela(ctx.areas, Area::LISNOME);
  if (tela.seleciona) tela.seleciona(ctx);
  // What to convert, in name order, read before any conversion moves the areas.
  std::vector<std::string> marcados;
  t.setOrder(1);
  for (t.goTop(); t.status() && !t.eof(); t.skip(1))
    if (rt::text::alltrim(t.getText("IMPRE")) == "S") marcados.emplace_back(rt::text::trim(t.getText("NOMEARQ")));
  c.aConverter = c.restantes = static_cast<int>(marcados.size());
  // One open of each table for the whole run, each file still written whole or not at all.
  store::LoteGravacao lote(ctx);
  for (const std::string& nome : marcados) {
    if (tela.contadores) tela.contadores(c);
    if (ctx.relato().desiste() && ctx.relato().pergunta("Abandona a conversão dos dados? S/N"_cp, false)) break;
    switch (FAZCONV(ctx, modo, pasta + "/" + nome, tela.mostra).tipo) {
      case Desfecho::Convertido:
        ++c.convertidos;
        break;
      case Desfecho::Existente:
        ++c.existentes;
        break;
      case Desfecho::Recusado:
        ++c.naoConvertidos;
        break;
    }
    --c.restantes;
  }
  // Every file is on disk already; a table that does not close is still said.
  (void)store::gravou(ctx, lote.termina(), pasta);
  if (tela.contadores) tela.contadores(c);
  // The counters stay in view until this is read.
  if (c.aConverter > 0) ctx.relato().alerta(resumo(c, modo));
  if (tela.fecha) tela.fecha();
  return c;
}

}  // namespace converter

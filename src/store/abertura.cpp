#include "store/abertura.h"

#include <string>

#include "platform/drive.h"
#include "platform/paths.h"
#include "rt/db/file.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/arquivos.h"
#include "store/cria.h"
#include "store/recusa.h"
#include "store/travas.h"
#include "store/verificacao.h"

namespace store {
namespace {

using namespace rt::text::literals;
using rt::Error;
using rt::Status;

// What is to be opened: the table's stored name (trimmed, base name upper case), the number
// whose structure CRIA gives it, and its index files as stored names with their keys.
struct Pedido {
  Area area = Area::Nenhuma;
  Area numero = Area::Nenhuma;
  bool exclusivo = false;
  std::string arquivo;
  std::vector<IndiceDef> indices;
  bool alheia = false;
};

std::string semExtensao(std::string_view arquivo) {
  const std::string_view nome = platform::lastComponent(arquivo);
  const std::size_t ponto = nome.find('.');
  if (ponto == std::string_view::npos) return std::string(arquivo);
  return std::string(arquivo.substr(0, arquivo.size() - nome.size() + ponto));
}

// Said at once; the table's name for the logs.
Status indisponivel(Contexto& ctx, const std::string& arquivo) {
  avisaIndisponivel(ctx, arquivo);
  return falhaDita(Error::kNotAvailable, arquivo);
}

std::string aliasDe(const Contexto& ctx, const std::string& arquivo) {
  if (!rt::text::isEmptyText(ctx.APELIDO)) return rt::text::upper(rt::text::alltrim(ctx.APELIDO));
  return rt::text::upper(platform::lastComponent(semExtensao(arquivo)));
}

std::string cdx(const Contexto& ctx, const IndiceDef& i) { return caminho(ctx, comExtensao(i.arquivo, ".CDX")); }

// Opens the index files in order; a missing second or third one is built here, shared.
Status abreIndices(Contexto& ctx, rt::db::Table& t, const Pedido& p) {
  for (std::size_t k = 0; k < p.indices.size(); ++k) {
    const std::string arquivo = cdx(ctx, p.indices[k]);
    if (k > 0 && ctx.MOS_MENS && !platform::fileExists(arquivo))
      ctx.relato().espera("Criando o indice " + p.indices[k].arquivo + ".cdx");
    RT_TRY(t.openIndex(arquivo, p.indices[k].chave));
  }
  return t.useOrder(1);
}

// Under an exclusive open: packs the table when its first index file is missing, builds the
// missing index files (all of them with REFAZ_IND, a damaged one or one with another key
// anyway), then opens the table again as asked.
Status reconstroi(Contexto& ctx, const Pedido& p, Uso uso, bool empacota) {
  const bool pedido = uso.exclusivo;
  uso.exclusivo = true;
  if (!usa(ctx, p.area, uso, 10)) {
    return indisponivel(ctx, p.arquivo);
  }
  rt::db::Table& t = *ctx.areas.table(p.area);
  Status s;
  if (empacota) s = t.pack();
  if (s && ctx.MOS_MENS) ctx.relato().espera("Criando o indice " + p.arquivo + ".cdx");
  // An index file that stays would be opened as it is instead of built anew.
  if (s && ctx.REFAZ_IND)
    for (const IndiceDef& i : p.indices)
      if (s) s = rt::db::removeFile(cdx(ctx, i));
  if (s) s = abreIndices(ctx, t, p);
  ctx.areas.release(p.area);
  if (!s) {
    return indisponivel(ctx, p.arquivo);
  }
  uso.exclusivo = pedido;
  if (!usa(ctx, p.area, uso, 10)) {
    return indisponivel(ctx, p.arquivo);
  }
  return {};
}

Status abre(Contexto& ctx, const Pedido& p) {
  ctx.areas.select(p.area);
  ctx.areas.release(p.area);
  if (ctx.MOS_MENS) ctx.relato().espera("Verificando o Arquivo " + p.arquivo);
  const std::string dbf = comExtensao(p.arquivo, ".DBF");
  if (!existe(ctx, dbf)) {
    if (p.alheia) {
      return indisponivel(ctx, p.arquivo);
    }
    if (ctx.MOS_MENS) ctx.relato().espera(p.arquivo + std::string(" não localizado está sendo criado "_cp));
    RT_TRY(CRIA(ctx, p.numero, p.arquivo));
  }
  Uso uso;
  uso.caminho = caminho(ctx, dbf);
  uso.alias = aliasDe(ctx, p.arquivo);
  uso.exclusivo = p.exclusivo && !p.alheia;
  uso.somenteLeitura = p.alheia;
  if (!usa(ctx, p.area, uso, 10)) {
    return indisponivel(ctx, p.arquivo);
  }
  if (p.indices.empty()) return {};
  if (p.alheia) {
    rt::db::Table& t = *ctx.areas.table(p.area);
    Status s;
    for (const IndiceDef& i : p.indices) {
      if (s) s = t.createIndex(caminho(ctx, comExtensao(i.arquivo, ".CDX")), i.chave);
    }
    if (s) s = t.useOrder(1);
    if (!s) {
      ctx.areas.release(p.area);
      return indisponivel(ctx, p.arquivo);
    }
    return {};
  }
  const bool falta = !platform::fileExists(cdx(ctx, p.indices.front()));
  if (falta || ctx.REFAZ_IND) RT_TRY(reconstroi(ctx, p, uso, falta));
  Status s = abreIndices(ctx, *ctx.areas.table(p.area), p);
  if (s.code() == Error::kNeedExclusive) {
    // An index file left damaged, or built on another key: rebuilt without packing.
    RT_TRY(reconstroi(ctx, p, uso, false));
    s = abreIndices(ctx, *ctx.areas.table(p.area), p);
  }
  if (!s) {
    ctx.areas.release(p.area);
    return indisponivel(ctx, p.arquivo);
  }
  return {};
}

std::string limpo(std::string_view arquivo) { return comExtensao(rt::text::alltrim(arquivo), ""); }

// The register of data folders, empty on a terminal's first start, gets the program folder
// as its chosen row.
Status registraPastaPrograma(Contexto& ctx) {
  rt::db::Table* t = tabela(ctx.areas, Area::DIRET);
  if (t == nullptr) return {Error::kNotAvailable, "DIRET"};  // not opened: nothing to write into
  seleciona(ctx.areas, Area::DIRET);
  t->goTop();
  if (!t->status() || !t->eof()) return {};
  if (!ADD_REC(ctx, kEsperaTrava)) return {};  // said by ADD_REC; the next start tries again
  rt::Status s = t->put("DIRETOR", ctx.ROTADEF);
  if (s) s = t->put("SELEC", std::string("S"));
  if (s) s = t->commit();
  return liberaGravacao(ctx, *t, s, "DIRET");
}

}  // namespace

std::vector<IndiceDef> indicesDe(const Contexto& ctx, const TabelaDef& t) {
  std::vector<IndiceDef> v;
  for (const IndiceDef& i : t.indices) v.push_back({arquivoIndice(ctx, t, i), i.chave});
  return v;
}

Status ABREARQ(Contexto& ctx, Area area, bool exclusivo, std::string_view arquivo, std::string_view chave1,
               std::string_view chave2, std::string_view arquivo2, std::string_view chave3,
               std::string_view arquivo3) {
  Pedido p;
  p.area = area;
  p.numero = area;
  p.exclusivo = exclusivo;
  p.arquivo = limpo(arquivo);
  const std::string base = semExtensao(p.arquivo);
  const std::string pasta = base.substr(0, base.size() - platform::lastComponent(base).size());
  // An index file named without a folder lies beside its table.
  auto nomeIndice = [&pasta](std::string_view nome) {
    std::string n = limpo(nome);
    return platform::lastComponent(n).size() == n.size() ? pasta + n : n;
  };
  if (!rt::text::isEmptyText(chave1)) {
    p.indices.push_back({base, std::string(chave1)});
    if (!rt::text::isEmptyText(chave2)) {
      p.indices.push_back({rt::text::isEmptyText(arquivo2) ? base + "B" : nomeIndice(arquivo2), std::string(chave2)});
      if (!rt::text::isEmptyText(chave3) && !rt::text::isEmptyText(arquivo3))
        p.indices.push_back({nomeIndice(arquivo3), std::string(chave3)});
    }
  }
  return abre(ctx, p);
}

Status ABRE_ALHEIA(Contexto& ctx, Area area, std::string_view arquivo, std::span<const std::string> chaves) {
  Pedido p;
  p.area = area;
  p.numero = area;
  p.arquivo = limpo(arquivo);
  p.alheia = true;
  const std::string nn = (numero(area) < 10 ? "0" : "") + std::to_string(numero(area));
  char letra = 'A';
  for (const std::string& chave : chaves) p.indices.push_back({ctx.LOCTRAB + "ALH" + nn + ctx.NUSU + letra++, chave});
  return abre(ctx, p);
}

void reabre(Contexto& ctx, Area a) {
  // Said by the opener; the users of the table check that its area is open.
  (void)ABERTURA(ctx, a);
}

Status ABERTURA(Contexto& ctx, Area n, bool exclusivo) {
  if (n == Area::Nenhuma) return passaVerificacao(ctx);
  const TabelaDef* t = tabela(n);
  if (t == nullptr) return {};
  Pedido p;
  p.area = n;
  p.numero = n;
  switch (t->modo) {
    case ModoAbertura::Exclusivo:
      p.exclusivo = true;
      break;
    case ModoAbertura::Chamador:
      p.exclusivo = exclusivo;
      break;
    case ModoAbertura::Compartilhado:
      p.exclusivo = exclusivo && t->pasta == Pasta::Dados;
      break;
  }
  p.arquivo = arquivoTabela(ctx, *t);
  p.indices = indicesDe(ctx, *t);
  ctx.NOMARQ = p.arquivo;
  if (n == Area::IMP0910) {
    ctx.NOMARQ1 = p.arquivo + "B";
    ctx.NOMARQ2 = p.arquivo + "C";
  }
  Status aberta = abre(ctx, p);
  if (aberta && n == Area::DIRET) aberta = registraPastaPrograma(ctx);
  if (n == Area::CONFIG || n == Area::DEFINE || (n >= Area::BANCOS && n <= Area::CONFIMP) ||
      (n >= Area::CODNATUR && n <= Area::BOLETO))
    SAI_ABRE(ctx, n).ignoreTold();  // opens nothing for these numbers
  ctx.areas.select(n);
  return aberta;
}

Status SAI_ABRE(Contexto& ctx, Area n) {
  if (ctx.MOS_MENS) ctx.relato().fimEspera();
  ctx.areas.setDeletedHidden(true);
  if (n == Area::Nenhuma) ctx.areas.releaseAll();
  if (n == Area::Nenhuma || n == Area::DIRET) return ABERTURA(ctx, Area::DIRET);
  return {};
}

void FECHA_PROV(Contexto& ctx) {
  for (Area a : workareas::kCopias) ctx.areas.release(a);
}

void FECHA_TODO(Contexto& ctx) {
  for (Area a : workareas::kDeclaracao)
    if (a != Area::IMP0910 && a != Area::IMP2010) ctx.areas.release(a);
  FECHA_PROV(ctx);
}

void avisaIndisponivel(Contexto& ctx, Area a) { avisaIndisponivel(ctx, arquivoTabela(ctx, *tabela(a))); }

}  // namespace store

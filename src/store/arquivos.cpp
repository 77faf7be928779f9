#include "store/arquivos.h"

#include "platform/drive.h"
#include "platform/paths.h"
#include "rt/text/date.h"
#include "rt/text/decimal.h"
#include "rt/text/strings.h"

namespace store {

std::vector<rt::db::FieldDef> camposDbf(std::span<const CampoDef> campos) {
  std::vector<rt::db::FieldDef> v;
  v.reserve(campos.size());
  for (const CampoDef& c : campos) {
    rt::db::FieldDef f;
    f.name = rt::text::upper(c.nome);
    f.type = c.tipo;
    f.width = c.largura;
    f.decimals = c.decimais;
    v.push_back(std::move(f));
  }
  return v;
}

const std::string& pastaDe(const Contexto& ctx, Pasta pasta) {
  switch (pasta) {
    case Pasta::Dados:
      return ctx.LOCARQ;
    case Pasta::Trabalho:
      return ctx.LOCTRAB;
    case Pasta::Programa:
      break;
  }
  return ctx.ARQDEF;
}

std::string arquivoTabela(const Contexto& ctx, const TabelaDef& t) {
  return pastaDe(ctx, t.pasta) + nomeArquivo(t, ctx.NUSU);
}

std::string arquivoIndice(const Contexto& ctx, const TabelaDef& t, const IndiceDef& i) {
  return pastaDe(ctx, t.pasta) + nomeIndice(t, i, ctx.NUSU);
}

std::string comExtensao(std::string_view arquivo, std::string_view extensao) {
  std::string_view nome = platform::lastComponent(arquivo);
  std::string r(arquivo.substr(0, arquivo.size() - nome.size()));
  r += rt::text::upper(nome);
  if (nome.find('.') == std::string_view::npos) r += extensao;
  return r;
}

std::string caminho(const Contexto& ctx, std::string_view arquivo) {
  const std::string lx = ctx.unidades.toLinux(rt::text::alltrim(arquivo));
  if (auto achado = platform::resolveExisting(lx)) return *achado;
  // A file still to be made: its folder as it is on disk, its name as given.
  const std::string_view nome = platform::lastComponent(lx);
  const std::string pasta = lx.substr(0, lx.size() - nome.size());
  if (pasta.empty()) return lx;
  if (auto achada = platform::resolveExisting(pasta)) return platform::join(*achada, nome);
  return lx;
}

bool existe(const Contexto& ctx, std::string_view arquivo) {
  return platform::fileExists(caminho(ctx, arquivo));
}

rt::db::OpenOptions soParaMim() {
  rt::db::OpenOptions o;
  o.exclusive = true;
  return o;
}

rt::db::OpenOptions soLeitura() {
  rt::db::OpenOptions o;
  o.readOnly = true;
  return o;
}

rt::db::Value valorDeTexto(char tipo, std::string_view texto) {
  switch (tipo) {
    case 'N':
      return rt::text::Decimal::val(texto);
    case 'D':
      return rt::text::stod(rt::text::alltrim(texto));
    case 'L': {
      std::string_view t = rt::text::alltrim(texto);
      return !t.empty() && (t[0] == 'T' || t[0] == 't' || t[0] == 'Y' || t[0] == 'y');
    }
    default:
      return std::string(texto);
  }
}

}  // namespace store

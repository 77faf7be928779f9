#include "shell/atualizacao.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "console/alerta.h"
#include "console/mensagens.h"
#include "platform/child_process.h"
#include "platform/setting_store.h"
#include "rt/text/strings.h"
#include "shell/registros.h"
#include "store/definicoes.h"

namespace shell {
namespace {

constexpr std::size_t kMaxResposta = 256 * 1024;

struct Resposta {
  std::string corpo;
  bool cortada = false;
};

// Keeps at most kMaxResposta bytes; past that the transfer is stopped and what came is used.
std::size_t recebe(char* dados, std::size_t tamanho, std::size_t n, void* destino) {
  auto* r = static_cast<Resposta*>(destino);
  const std::size_t total = tamanho * n;
  const std::size_t cabe = std::min(total, kMaxResposta - r->corpo.size());
  r->corpo.append(dados, cabe);
  if (cabe < total) {
    r->cortada = true;
    return 0;
  }
  return total;
}

struct FechaCurl {
  void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct FechaLista {
  void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

std::string valor(const platform::SettingStore& arquivo, std::string_view nome) {
  auto lido = arquivo.read(nome);
  if (!lido || !lido.value()) return {};
  return std::string(rt::text::alltrim(*lido.value()));
}

// A host name, optionally with ":port": nothing that would change what the address means.
bool nomeAceitavel(std::string_view nome) {
  if (nome.empty()) return false;
  for (char c : nome) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                    c == '-' || c == ':' || c == '[' || c == ']';
    if (!ok) return false;
  }
  return true;
}

// Bytes of the reply shown on the screen: control bytes become "?".
std::string mostravel(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
  return r;
}

}  // namespace

ServidorAtualizacao servidorAtualizacao(const store::Contexto& ctx) {
  const auto arquivo = platform::SettingStore::forProgramFolder(ctx.unidades.toLinux(ctx.ROTADEF));
  ServidorAtualizacao s;
  s.servidor = valor(arquivo, "servidor_atualizacao");
  if (std::string m = valor(arquivo, "marca_atualizacao"); !m.empty()) s.marca = m;
  s.pagina = valor(arquivo, "pagina_atualizacao");
  return s;
}

VersaoNoSite consultaVersao(const ServidorAtualizacao& servidor, std::chrono::milliseconds limite) {
  VersaoNoSite v;
  if (!nomeAceitavel(servidor.servidor) || servidor.marca.empty()) return v;
  std::unique_ptr<CURL, FechaCurl> c(curl_easy_init());
  if (!c) return v;
  // curl sends the Host header itself; the Accept header it would add is not ours.
  curl_slist* l = curl_slist_append(nullptr, "Accept:");
  if (l) l = curl_slist_append(l, "Connection: close");
  std::unique_ptr<curl_slist, FechaLista> cabecalhos(l);
  if (!cabecalhos) return v;
  const std::string url = "http://" + servidor.servidor + "/";
  const long ms = static_cast<long>(limite.count());
  Resposta r;
  CURL* h = c.get();
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
#if LIBCURL_VERSION_NUM >= 0x075500
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http");
#endif
  curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(h, CURLOPT_USERAGENT, "Programa TAVREN");
  curl_easy_setopt(h, CURLOPT_HTTPHEADER, cabecalhos.get());
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, ms);
  curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, ms);
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, recebe);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &r);
  const CURLcode res = curl_easy_perform(h);
  if (res != CURLE_OK && !(res == CURLE_WRITE_ERROR && r.cortada)) return v;
  const std::size_t p = r.corpo.find(servidor.marca);
  if (p == std::string::npos || r.corpo.size() - p - servidor.marca.size() < 8) {
    v.estado = VersaoNoSite::Estado::SemMarca;
    return v;
  }
  v.estado = VersaoNoSite::Estado::Lida;
  v.data = r.corpo.substr(p + servidor.marca.size(), 8);
  return v;
}

bool abrePaginaNoNavegador(const std::string& url) {
  const char* x = std::getenv("DISPLAY");
  const char* w = std::getenv("WAYLAND_DISPLAY");
  const bool grafico = (x && *x) || (w && *w);
  if (!grafico || platform::findProgram("xdg-open").empty()) return false;
  const std::vector<std::string> args{url};
  platform::RunOptions opcoes;
  opcoes.quiet = true;
  auto r = platform::runProgram("xdg-open", args, opcoes);
  return r && r.value().succeeded();
}

ResultadoAtualizacao INTER(store::Contexto& ctx, const Ajustes& aj, int modo,
                           const OpcoesAtualizacao& opcoes) {
  console::MENS(ctx, console::mens::Linha, "Verificando atualizacao");
  ctx.console.refresh();
  const ServidorAtualizacao servidor = opcoes.servidor ? *opcoes.servidor : servidorAtualizacao(ctx);
  const VersaoNoSite v = consultaVersao(servidor, opcoes.limite);
  ResultadoAtualizacao resultado = ResultadoAtualizacao::SemNovidade;
  if (v.estado != VersaoNoSite::Estado::Lida) {
    // A reply without the marker is no answer either: nothing could be checked.
    console::AVISOSN(ctx, "Erro no acesso a Internet", 0);
    resultado = ResultadoAtualizacao::SemAcesso;
  } else if (v.data != aj.CULTIMAVER) {
    const std::string r = console::AVISOSN(
        ctx,
        std::vector<std::string>{"Aviso! Existe uma versao mais atualizada no site",
                                 "Veja no site no item \"O que mudou\" qual a mudanca",
                                 "Feita em " + mostravel(v.data) + ". Deseja atualizar agora?"},
        2);
    if (r == "S") {
      console::AVISOSN(ctx, "Saindo do programa para a nova atualizacao", 0);
      if (opcoes.gravaConfig) opcoes.gravaConfig();
      const std::string url = servidor.pagina.empty() ? "http://" + servidor.servidor + "/" : servidor.pagina;
      const bool abriu = opcoes.abrePagina ? opcoes.abrePagina(url) : abrePaginaNoNavegador(url);
      if (!abriu)
        console::AVISOSN(ctx, std::vector<std::string>{"Atualize pelo endereco:", mostravel(url)}, 0);
      console::MENS(ctx);
      return ResultadoAtualizacao::Encerrar;
    }
    resultado = ResultadoAtualizacao::NovaRecusada;
  } else if (modo == 1) {
    console::AVISOSN(ctx, "Nao existe atualizacao no momento!", 0);
  }
  console::MENS(ctx);
  return resultado;
}

ResultadoAtualizacao atualizacaoNaEntrada(store::Contexto& ctx, const Ajustes& aj,
                                          const OpcoesAtualizacao& opcoes) {
  if (aj.VER_ATUAL != "S") return ResultadoAtualizacao::SemNovidade;
  return INTER(ctx, aj, 0, opcoes);
}

ResultadoAtualizacao OPCAO_ATUALIZACAO(store::Contexto& ctx, Ajustes& aj, const OpcoesAtualizacao& opcoes) {
  aj.VER_ATUAL = console::AVISOSN(ctx, "Deseja fazer essa verificacao sempre na entrada?", 2);
  const std::string v = aj.VER_ATUAL;
  store::gravaDefine(ctx, [&v](rt::db::Table& t) { return t.put("VER_ATUAL", v); }).ignoreTold();
  return INTER(ctx, aj, 1, opcoes);
}

}  // namespace shell

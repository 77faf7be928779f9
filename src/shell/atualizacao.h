// The update check: the maker's web server is asked for its page, the date of the newest
// version is read after a marker on it and compared as text with the date of this version;
// any difference counts as newer, and the user may leave the program to update.
//
// The server's name (host, optionally ":port"), the marker and the update page are the
// installation's settings, kept in its settings file beside the password's number:
//   servidor_atualizacao=<host>       (none: the check reports an access error)
//   marca_atualizacao=<text>          (default "TAVREN-VERSAO:")
//   pagina_atualizacao=<url>          (default "http://<host>/")
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "shell/ajustes.h"
#include "store/contexto.h"

namespace shell {

struct ServidorAtualizacao {
  std::string servidor;
  std::string marca = "TAVREN-VERSAO:";
  std::string pagina;  // empty: "http://" + servidor + "/"
};

// The settings above, from the settings file of the program folder.
ServidorAtualizacao servidorAtualizacao(const store::Contexto& ctx);

// What the server said.
struct VersaoNoSite {
  enum class Estado {
    Lida,       // `data` holds the 8 characters after the marker
    SemAcesso,  // no server set, no connection, no answer in time
    SemMarca,   // a reply without the marker (or cut short after it): could not check
  };
  Estado estado = Estado::SemAcesso;
  std::string data;
};

// One request "GET / HTTP/1.1" with Host, "User-Agent: Programa TAVREN" and "Connection:
// close"; the whole reply is read, at most 256 KiB, within `limite` for connecting and for
// the whole exchange.
VersaoNoSite consultaVersao(const ServidorAtualizacao& servidor, std::chrono::milliseconds limite);

struct OpcoesAtualizacao {
  std::chrono::milliseconds limite{10000};
  // The server; empty: the settings file's.
  std::optional<ServidorAtualizacao> servidor;
  // Stores the terminal's CONFIG record before the program ends for an update.
  std::function<void()> gravaConfig;
  // Opens the update page; false when it could not (the address is then shown). Empty:
  // xdg-open in a graphical session.
  std::function<bool(const std::string& url)> abrePagina;
};

enum class ResultadoAtualizacao {
  SemNovidade,   // the site's date is this version's
  NovaRecusada,  // a newer version was offered and declined
  Encerrar,      // the user accepted: the caller ends the program now
  SemAcesso,     // "Erro no acesso a Internet" was shown
};

// INTER: mode 1 from the menu, 0 at start-up (no notice when there is nothing new).
[[nodiscard]] ResultadoAtualizacao INTER(store::Contexto& ctx, const Ajustes& aj, int modo,
                                         const OpcoesAtualizacao& opcoes = {});

// The check at start-up, after the menu is built: only when the terminal asked for it
// (VER_ATUAL "S"), and without the notice that there is nothing new.
[[nodiscard]] ResultadoAtualizacao atualizacaoNaEntrada(store::Contexto& ctx, const Ajustes& aj,
                                                        const OpcoesAtualizacao& opcoes = {});

// The menu's "Ver Atualizacao" item: asks whether to check at every start (VER_ATUAL, stored
// in DEFINE), then checks.
[[nodiscard]] ResultadoAtualizacao OPCAO_ATUALIZACAO(store::Contexto& ctx, Ajustes& aj,
                                                     const OpcoesAtualizacao& opcoes = {});

// Opens a page with xdg-open when it exists and a graphical session is there; true when it
// was opened.
[[nodiscard]] bool abrePaginaNoNavegador(const std::string& url);

}  // namespace shell

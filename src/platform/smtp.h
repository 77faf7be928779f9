// One e-mail sent through an SMTP server with libcurl: a text body and at most one attached
// file, the login given apart from the address (so a user name or password holding "@", ":" or
// "/" needs no escaping). A password never goes out in clear: with one, the connection is TLS
// from the start (port 465, "smtps://") or made so by STARTTLS, and a server offering neither
// gets no login and no message.
#pragma once

#include <optional>
#include <string>

namespace platform {

struct Email {
  // "host", "host:port", "smtp://host[:port]" or "smtps://host[:port]"; 587 when no port is
  // given (465 for "smtps://"), and port 465 is TLS from the start.
  std::string servidor;
  std::string usuario, senha;
  std::string de, para;        // one plain address each
  std::string assunto, corpo;  // UTF-8
  std::string anexo;           // path of the file attached, as on disk; empty: none
  // Certificates trusted in place of the system's. The program never sets it: the tests name
  // their own server's self-signed certificate here.
  std::string certificados;
};

// Why a message did not go.
struct FalhaEmail {
  // A password was set and the server offers no TLS: neither the login nor the message left.
  bool semTls = false;
  std::string texto;  // curl's own words (UTF-8), or what was refused before connecting
};

// Sends it; nothing on success. An address that is not one plain address, or a header value
// holding a control byte, is refused before any connection is made.
std::optional<FalhaEmail> enviaEmail(const Email& e);

// The URL of a server setting: "smtp://host:587" for "host", "smtps://host:465" for
// "smtps://host" and for "host:465".
std::string urlSmtp(const std::string& servidor);

}  // namespace platform

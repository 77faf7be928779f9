// One e-mail sent through an SMTP server with libcurl: a text body and at most one attached
// file, the login given apart from the address (so a user name or password holding "@", ":" or
// "/" needs no escaping). A password never goes out in clear: with one, the connection is TLS
// from the start (port 465, "smtps://") or made so by STARTTLS, and a server offering neither
// gets no login and no message.
#pragma once

#include <string>

#include "rt/base/status.h"

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

// Sends it. A failure's detail is curl's own words (UTF-8), or what was refused before
// connecting: an address that is not one plain address, or a header value holding a control
// byte (kBadArgument), an attachment that is not there (kNotFound). kUnsafe (semTls): a
// password was set and the server offers no TLS, so neither the login nor the message left.
rt::Status enviaEmail(const Email& e);
inline bool semTls(const rt::Status& s) {
  return s.code() == rt::Error::kUnsafe;
}

// The URL of a server setting: "smtp://host:587" for "host", "smtps://host:465" for
// "smtps://host" and for "host:465".
std::string urlSmtp(const std::string& servidor);

}  // namespace platform

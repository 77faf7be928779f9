// One e-mail sent through an SMTP server with libcurl: a text body and at most one attached
// file, STARTTLS when the server offers it, the login given apart from the address (so a user
// name or password holding "@", ":" or "/" needs no escaping).
#pragma once

#include <optional>
#include <string>

namespace platform {

struct Email {
  std::string servidor;  // "host" or "host:port"; 587 when no port is given
  std::string usuario, senha;
  std::string de, para;        // addresses
  std::string assunto, corpo;  // UTF-8
  std::string anexo;           // path of the file attached; empty: none
};

// Sends it; nothing on success, else the transfer's own error text (curl's words, UTF-8).
std::optional<std::string> enviaEmail(const Email& e);

// The "host:port" URL of a server setting: "smtp://host:587" for "host".
std::string urlSmtp(const std::string& servidor);

}  // namespace platform

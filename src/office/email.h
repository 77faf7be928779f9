// E-mail to the office's clients: the account (DEFINE's SMTP settings), the message prepared
// for one client (pending notes, a merged letter or a plain text, and one attached file), and
// the sending. Main menu item 34; the print layer sends a printed file with it too.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/smtp.h"
#include "rt/base/status.h"
#include "store/contexto.h"

namespace office {

// The account as DEFINE keeps it. SEN_USUA is what the clerk typed for this run; DEFINE keeps
// it only when MEMORIZ is "S".
struct ContaEmail {
  std::string SER_SMTP, NOM_USUA, EMA_USUA, SEN_USUA, MEMORIZ = "N";
};

// The message being prepared (CP860 texts, the attachment's path too, as typed; "S"/"N" flags).
struct MensagemEmail {
  std::string CPFEMAIL, CEMAIL_ENV, CASSUNTO, CANEXO;
  std::string CENVPEND = "N", CEDITEXT = "N";
  std::string CCORPO;
};

// The e-mail state of the run, and what it needs from above: the letter merged with the
// client's register row (the register is on the client), nothing when none was chosen; and
// the sender itself (the tests give their own server).
struct Correio {
  ContaEmail conta;
  MensagemEmail msg;
  std::function<std::optional<std::string>(store::Contexto&)> carta;
  std::function<rt::Status(const platform::Email&)> envia = platform::enviaEmail;
};

// AJUDA_EMAIL: the hint line of field n (1-11).
std::string AJUDA_EMAIL(int n);

// GERA_EMAIL: the menu of the account, the preparation and the sending; Esc leaves. Failed,
// and told (there is nothing to say), only when the menu's frame is missing.
rt::Status GERA_EMAIL(store::Contexto& ctx, Correio& c);
// CONF_EMAIL: the account form, stored in DEFINE on "S" to "Confirma os dados ?".
void CONF_EMAIL(store::Contexto& ctx, Correio& c);
// PREP_EMAIL: the message form, for one client after another.
void PREP_EMAIL(store::Contexto& ctx, Correio& c);
// MANDA_EMAIL: sends the message prepared; ok when the server took it. Every missing
// setting or input is said before any connection is made, and so is the server's refusal:
// a failure is told, also where the clerk declined to send.
rt::Status MANDA_EMAIL(store::Contexto& ctx, Correio& c);

}  // namespace office

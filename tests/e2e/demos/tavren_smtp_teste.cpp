// The office program trusting the test's own SMTP server, for the e-mail journeys: the server's
// certificate is self-signed, and the program itself trusts only the system's authorities.
// With TAVREN_TESTE_SMTP_CA naming a certificate file, every e-mail trusts that one instead.
// Everything else is the office's own program. It is built as tests/e2e/smtp_teste/src/app/
// tavren, so the README's run command starts it when TAVREN_BUILD names that folder.
#include <cstdlib>
#include <string>

#include "app/principal.h"
#include "platform/smtp.h"

int main(int argc, char** argv) {
  return app::principal(argc, argv, [](shell::Program& p) {
    const char* ca = std::getenv("TAVREN_TESTE_SMTP_CA");
    if (ca == nullptr) return;
    p.correio.envia = [certificado = std::string(ca)](const platform::Email& e) {
      platform::Email confia = e;
      confia.certificados = certificado;
      return platform::enviaEmail(confia);
    };
  });
}

// An SMTP server on the loopback for the e-mail tests (python3-aiosmtpd, servidor_smtp.py): one
// login accepted, every message kept, every connection and every AUTH counted. A TLS server
// has a self-signed certificate of its own for 127.0.0.1, made here with openssl; the client
// trusts it only through the test-only `platform::Email::certificados`.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/scratch_dir.h"

#ifndef TAVREN_SMTP_PY
#error "TAVREN_SMTP_PY names the server's script"
#endif

namespace support {

inline std::size_t tamanho(const std::string& caminho) {
  std::error_code ec;
  const auto n = std::filesystem::file_size(caminho, ec);
  return ec ? 0 : static_cast<std::size_t>(n);
}

inline bool temAiosmtpd() {
  return std::system("/usr/bin/python3 -c 'import aiosmtpd' >/dev/null 2>&1") == 0;
}

// How the server takes a connection: plain with AUTH in clear, STARTTLS offered and required,
// or TLS from the start (what port 465 has).
enum class Tls { nenhum, starttls, implicito };

// The server in a child process; what it received is read back with Python's email parser.
class ServidorSmtp {
 public:
  ServidorSmtp(const std::string& usuario, const std::string& senha, Tls tls = Tls::nenhum)
      : pasta_(makeScratchDir("smtp")) {
    if (tls != Tls::nenhum &&
        std::system(("openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2"
                     " -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout '" +
                     pasta_ + "/key.pem' -out '" + certificado() + "' >/dev/null 2>&1")
                        .c_str()) != 0)
      return;
    const char* modo = tls == Tls::nenhum ? "nenhum" : tls == Tls::starttls ? "starttls" : "implicito";
    int canal[2];
    if (pipe(canal) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(canal[1], 1);
      close(canal[0]);
      execl("/usr/bin/python3", "python3", "-W", "ignore", TAVREN_SMTP_PY, pasta_.c_str(), usuario.c_str(),
            senha.c_str(), modo, static_cast<char*>(nullptr));
      _exit(127);
    }
    close(canal[1]);
    FILE* f = fdopen(canal[0], "r");
    if (f != nullptr && fscanf(f, "%d", &porta_) != 1) porta_ = 0;
    if (f != nullptr) fclose(f);
  }
  ~ServidorSmtp() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    removeScratchDir(pasta_);
  }
  int porta() const { return porta_; }
  // The certificate a TLS server shows, to be trusted by the client under test.
  std::string certificado() const { return pasta_ + "/cert.pem"; }
  int conexoes() const { return static_cast<int>(tamanho(pasta_ + "/conexoes")); }
  // The AUTH and STARTTLS commands received, one a line, in order.
  std::string comandos() const { return le(pasta_ + "/comandos"); }
  // Message n as it came after DATA, byte for byte ("" when there is none).
  std::string bruta(int n) const { return le(pasta_ + "/" + std::to_string(n) + ".eml"); }
  // "from|to|subject|body|attachment name|attachment bytes" of message n, decoded.
  std::string mensagem(int n) const {
    return python(n,
                  "b=m.get_body(('plain',))\nanexos=list(m.iter_attachments())\n"
                  "a=anexos[0] if anexos else None\n"
                  "sys.stdout.write('|'.join([e['from'],','.join(e['to']),str(m['subject']),b.get_content() if b else '',"
                  "a.get_filename() if a else '',a.get_payload(decode=True).hex() if a else '']))\n");
  }
  // A Python expression over message n as Python's email parser reads it (`m`, with the modules
  // email and email.utils at hand), written out with str().
  std::string campo(int n, const std::string& expressao) const {
    return python(n, "sys.stdout.write(str(" + expressao + "))\n");
  }

 private:
  // Runs `corpo` with `e` the envelope and `m` the message n; its output.
  std::string python(int n, const std::string& corpo) const {
    std::ofstream(pasta_ + "/le.py") << "import email,email.utils,json,sys\nfrom email import policy\n"
                                        "e=json.load(open(sys.argv[1]+'.json'))\n"
                                        "m=email.message_from_bytes(open(sys.argv[1]+'.eml','rb').read(),"
                                        "policy=policy.default)\n"
                                     << corpo;
    std::string out;
    FILE* p = popen(("/usr/bin/python3 " + pasta_ + "/le.py " + pasta_ + "/" + std::to_string(n) + " 2>&1").c_str(), "r");
    char buf[4096];
    for (std::size_t k; p != nullptr && (k = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, k);
    if (p != nullptr) pclose(p);
    return out;
  }
  static std::string le(const std::string& caminho) {
    std::string out;
    FILE* f = std::fopen(caminho.c_str(), "rb");
    char buf[4096];
    for (std::size_t k; f != nullptr && (k = std::fread(buf, 1, sizeof buf, f)) > 0;) out.append(buf, k);
    if (f != nullptr) std::fclose(f);
    return out;
  }
  std::string pasta_;
  pid_t pid_ = -1;
  int porta_ = 0;
};

}  // namespace support

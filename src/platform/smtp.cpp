#include "platform/smtp.h"

#include <curl/curl.h>

#include <ctime>
#include <filesystem>
#include <memory>

#include "platform/mensagem_smtp.h"
#include "rt/text/strings.h"

namespace platform {

namespace {

// The address as the SMTP envelope wants it.
std::string envelope(const std::string& a) {
  return "<" + a + ">";
}

struct FechaCurl {
  void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct FechaMime {
  void operator()(curl_mime* m) const { curl_mime_free(m); }
};
struct FechaLista {
  void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

rt::Status falha(std::string texto, rt::Error code = rt::Error::kNotAvailable) {
  return {code, std::move(texto)};
}

// What must not reach the server: each text that goes into the envelope or a header line.
rt::Status recusa(const Email& e) {
  if (!enderecoValido(e.de)) return falha("invalid From address", rt::Error::kBadArgument);
  if (!enderecoValido(e.para)) return falha("invalid To address", rt::Error::kBadArgument);
  if (!valorDeCabecalhoValido(e.assunto))
    return falha("control character in the Subject", rt::Error::kBadArgument);
  return {};
}

}  // namespace

std::string urlSmtp(const std::string& servidor) {
  std::string s(rt::text::alltrim(servidor));
  const std::string inicio = rt::text::lower(s.substr(0, 8));
  bool implicito = false;
  if (inicio.starts_with("smtps://")) {
    implicito = true;
    s.erase(0, 8);
  } else if (inicio.starts_with("smtp://")) {
    s.erase(0, 7);
  }
  // The port is after the last ":" of the host part, outside an IPv6 literal's brackets.
  const std::size_t barra = s.find('/');
  const std::string host = s.substr(0, barra);
  const std::string resto = barra == std::string::npos ? std::string() : s.substr(barra);
  const std::size_t doisPontos = host.rfind(':');
  const std::size_t colchete = host.rfind(']');
  const bool temPorta = doisPontos != std::string::npos && (colchete == std::string::npos || doisPontos > colchete);
  if (temPorta && host.substr(doisPontos + 1) == "465") implicito = true;
  return (implicito ? "smtps://" : "smtp://") + host + (temPorta ? "" : implicito ? ":465" : ":587") + resto;
}

rt::Status enviaEmail(const Email& e) {
  static const bool iniciado = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  if (!iniciado) return falha("curl_global_init failed");
  RT_TRY(recusa(e));
  if (!e.anexo.empty() && !std::filesystem::is_regular_file(e.anexo))
    return falha("attachment not found: " + e.anexo, rt::Error::kNotFound);
  std::unique_ptr<CURL, FechaCurl> c(curl_easy_init());
  if (!c) return falha("curl_easy_init failed");
  char erro[CURL_ERROR_SIZE] = {};
  CURL* h = c.get();
  curl_easy_setopt(h, CURLOPT_ERRORBUFFER, erro);
  const std::string url = urlSmtp(e.servidor);
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
  curl_easy_setopt(h, CURLOPT_USERNAME, e.usuario.c_str());
  curl_easy_setopt(h, CURLOPT_PASSWORD, e.senha.c_str());
  // With a password the whole session is TLS (smtps://) or curl stops when STARTTLS is not
  // offered, before any AUTH; without one, STARTTLS is still used when offered.
  const bool comSenha = !e.senha.empty();
  curl_easy_setopt(h, CURLOPT_USE_SSL, static_cast<long>(comSenha ? CURLUSESSL_ALL : CURLUSESSL_TRY));
  if (!e.certificados.empty()) curl_easy_setopt(h, CURLOPT_CAINFO, e.certificados.c_str());
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, 30L);
  curl_easy_setopt(h, CURLOPT_TIMEOUT, 300L);
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  const std::string de = envelope(e.de);
  curl_easy_setopt(h, CURLOPT_MAIL_FROM, de.c_str());
  std::unique_ptr<curl_slist, FechaLista> rcpt(curl_slist_append(nullptr, envelope(e.para).c_str()));
  curl_easy_setopt(h, CURLOPT_MAIL_RCPT, rcpt.get());

  const std::time_t agora = std::time(nullptr);
  curl_slist* cab = nullptr;
  for (const std::string& linha :
       {"Date: " + dataDoCabecalho(agora), "Message-ID: " + identificadorDeMensagem(agora, e.de), "From: " + e.de,
        "To: " + e.para, "Subject: " + palavraCodificada(e.assunto)})
    cab = curl_slist_append(cab, linha.c_str());
  std::unique_ptr<curl_slist, FechaLista> cabecalhos(cab);
  curl_easy_setopt(h, CURLOPT_HTTPHEADER, cabecalhos.get());

  std::unique_ptr<curl_mime, FechaMime> mime(curl_mime_init(h));
  curl_mimepart* texto = curl_mime_addpart(mime.get());
  curl_mime_data(texto, e.corpo.data(), e.corpo.size());
  curl_mime_type(texto, "text/plain; charset=UTF-8");
  curl_mime_encoder(texto, "quoted-printable");
  if (!e.anexo.empty()) {
    curl_mimepart* arq = curl_mime_addpart(mime.get());
    // curl names the part after the file and guesses its type from the name; the name itself
    // goes in our own Content-Disposition, which takes the place of curl's (curl writes the
    // name as it is, line ends included).
    if (curl_mime_filedata(arq, e.anexo.c_str()) != CURLE_OK)
      return falha("attachment not readable: " + e.anexo, rt::Error::kAccess);
    const std::string linha =
        "Content-Disposition: " + disposicaoDoAnexo(std::filesystem::path(e.anexo).filename().string());
    curl_slist* disposicao = curl_slist_append(nullptr, linha.c_str());
    if (disposicao == nullptr || curl_mime_headers(arq, disposicao, 1) != CURLE_OK) {
      curl_slist_free_all(disposicao);
      return falha("out of memory");
    }
    curl_mime_encoder(arq, "base64");
  }
  curl_easy_setopt(h, CURLOPT_MIMEPOST, mime.get());
  const CURLcode r = curl_easy_perform(h);
  if (r == CURLE_OK) return {};
  return falha(erro[0] != 0 ? std::string(erro) : std::string(curl_easy_strerror(r)),
               r == CURLE_USE_SSL_FAILED ? rt::Error::kUnsafe : rt::Error::kNotAvailable);
}

}  // namespace platform

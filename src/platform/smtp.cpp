#include "platform/smtp.h"

#include <curl/curl.h>

#include <filesystem>
#include <memory>

namespace platform {

namespace {

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string base64(const std::string& s) {
  std::string out;
  std::size_t i = 0;
  for (; i + 2 < s.size(); i += 3) {
    const unsigned v = (static_cast<unsigned char>(s[i]) << 16) | (static_cast<unsigned char>(s[i + 1]) << 8) |
                       static_cast<unsigned char>(s[i + 2]);
    for (int k = 18; k >= 0; k -= 6) out += kBase64[(v >> k) & 63];
  }
  if (i < s.size()) {
    unsigned v = static_cast<unsigned char>(s[i]) << 16;
    if (i + 1 < s.size()) v |= static_cast<unsigned char>(s[i + 1]) << 8;
    out += kBase64[(v >> 18) & 63];
    out += kBase64[(v >> 12) & 63];
    out += i + 1 < s.size() ? kBase64[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

// A header value outside ASCII as an encoded word, so the subject keeps its accents.
std::string cabecalho(const std::string& s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80 || c == '\r' || c == '\n') return "=?UTF-8?B?" + base64(s) + "?=";
  return s;
}

// The address as the SMTP envelope wants it.
std::string envelope(const std::string& a) {
  return a.starts_with("<") ? a : "<" + a + ">";
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

}  // namespace

std::string urlSmtp(const std::string& servidor) {
  std::string s = servidor;
  if (s.starts_with("smtp://")) s = s.substr(7);
  const bool temPorta = s.rfind(':') != std::string::npos && s.find(']') == std::string::npos;
  return "smtp://" + s + (temPorta ? "" : ":587");
}

std::optional<std::string> enviaEmail(const Email& e) {
  static const bool iniciado = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  if (!iniciado) return "curl_global_init failed";
  if (!e.anexo.empty() && !std::filesystem::is_regular_file(e.anexo)) return "attachment not found: " + e.anexo;
  std::unique_ptr<CURL, FechaCurl> c(curl_easy_init());
  if (!c) return "curl_easy_init failed";
  char erro[CURL_ERROR_SIZE] = {};
  CURL* h = c.get();
  curl_easy_setopt(h, CURLOPT_ERRORBUFFER, erro);
  const std::string url = urlSmtp(e.servidor);
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  curl_easy_setopt(h, CURLOPT_USERNAME, e.usuario.c_str());
  curl_easy_setopt(h, CURLOPT_PASSWORD, e.senha.c_str());
  curl_easy_setopt(h, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, 30L);
  curl_easy_setopt(h, CURLOPT_TIMEOUT, 300L);
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  const std::string de = envelope(e.de);
  curl_easy_setopt(h, CURLOPT_MAIL_FROM, de.c_str());
  std::unique_ptr<curl_slist, FechaLista> rcpt(curl_slist_append(nullptr, envelope(e.para).c_str()));
  curl_easy_setopt(h, CURLOPT_MAIL_RCPT, rcpt.get());

  curl_slist* cab = nullptr;
  for (const std::string& linha : {"From: " + e.de, "To: " + e.para, "Subject: " + cabecalho(e.assunto)})
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
    if (curl_mime_filedata(arq, e.anexo.c_str()) != CURLE_OK) return "attachment not readable: " + e.anexo;
    curl_mime_encoder(arq, "base64");
  }
  curl_easy_setopt(h, CURLOPT_MIMEPOST, mime.get());
  const CURLcode r = curl_easy_perform(h);
  if (r == CURLE_OK) return std::nullopt;
  return erro[0] != 0 ? std::string(erro) : std::string(curl_easy_strerror(r));
}

}  // namespace platform

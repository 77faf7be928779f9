// The parts of an e-mail that the mail library takes as given: what may stand in an address or
// a header (a text from a shared table must never become an SMTP command or a header line of
// its own), the headers servers expect (Date, Message-ID) and the attachment's file name.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace platform {

// Whether the text is one plain address "local@domain": ASCII, a dot-atom before the single
// "@", a host name after it, nothing else (no brackets, spaces, commas or control bytes).
bool enderecoValido(std::string_view endereco);

// Whether the text may stand in a header: no control byte (CR and LF above all).
bool valorDeCabecalhoValido(std::string_view valor);

// A header value outside ASCII as one UTF-8 encoded word; ASCII stays as it is.
std::string palavraCodificada(std::string_view utf8);

// The Date header's value of the local time t: "Thu, 10 Dec 2026 10:55:30 -0300".
std::string dataDoCabecalho(std::time_t t);

// A Message-ID of its own for every message: "<time.random@domain>", the domain taken from the
// sender's address.
std::string identificadorDeMensagem(std::time_t t, std::string_view remetente);

// The attachment's Content-Disposition with its name encoded as RFC 2231 asks
// ("attachment; filename*=UTF-8''rel%C3%B3rio.txt"): every byte that could end the value or the
// line is percent-encoded, so no name can open a header of its own.
std::string disposicaoDoAnexo(std::string_view nomeUtf8);

}  // namespace platform

#include "servidor_http.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace shell::teste {

ServidorHttp::ServidorHttp(std::string corpo, bool responde) : responde_(responde) {
  resposta_ =
      "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(corpo.size()) +
      "\r\nConnection: close\r\n\r\n" + corpo;
  escuta_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = 0;
  bind(escuta_, reinterpret_cast<sockaddr*>(&a), sizeof a);
  listen(escuta_, 4);
  socklen_t n = sizeof a;
  getsockname(escuta_, reinterpret_cast<sockaddr*>(&a), &n);
  porta_ = ntohs(a.sin_port);
  // A server that never answers only listens: the kernel completes the connection and the
  // request waits in its queue.
  if (responde_) t_ = std::thread([this] { atende(); });
}

ServidorHttp::~ServidorHttp() {
  parar_ = true;
  if (t_.joinable()) t_.join();
  close(escuta_);
}

std::string ServidorHttp::endereco() const {
  return "127.0.0.1:" + std::to_string(porta_);
}

std::string ServidorHttp::pedido() {
  std::lock_guard<std::mutex> l(m_);
  return pedido_;
}

void ServidorHttp::atende() {
  pollfd p{escuta_, POLLIN, 0};
  while (!parar_ && poll(&p, 1, 20) <= 0) {
  }
  if (parar_) return;
  const int c = accept4(escuta_, nullptr, nullptr, SOCK_CLOEXEC);
  if (c < 0) return;
  std::string recebido;
  char buf[1024];
  while (recebido.find("\r\n\r\n") == std::string::npos && recebido.size() < 65536) {
    pollfd q{c, POLLIN, 0};
    if (poll(&q, 1, 5000) <= 0) break;
    const ssize_t n = read(c, buf, sizeof buf);
    if (n <= 0) break;
    recebido.append(buf, static_cast<std::size_t>(n));
  }
  {
    std::lock_guard<std::mutex> l(m_);
    pedido_ = recebido;
  }
  std::size_t enviado = 0;
  while (enviado < resposta_.size()) {
    const ssize_t n = write(c, resposta_.data() + enviado, resposta_.size() - enviado);
    if (n <= 0) break;
    enviado += static_cast<std::size_t>(n);
  }
  close(c);
}

}  // namespace shell::teste

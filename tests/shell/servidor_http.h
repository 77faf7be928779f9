// A one-connection HTTP server on the loopback interface for the update check's tests: it
// answers one request with a fixed reply, or listens and never answers.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace shell::teste {

class ServidorHttp {
 public:
  // `corpo` is sent as a 200 reply's body; without `responde` connections are left waiting.
  explicit ServidorHttp(std::string corpo, bool responde = true);
  ~ServidorHttp();
  ServidorHttp(const ServidorHttp&) = delete;
  ServidorHttp& operator=(const ServidorHttp&) = delete;

  // "127.0.0.1:<port>"
  std::string endereco() const;
  // The request as received (headers up to the empty line).
  std::string pedido();

 private:
  void atende();
  int escuta_ = -1;
  int porta_ = 0;
  std::string resposta_;
  bool responde_;
  std::atomic<bool> parar_{false};
  std::mutex m_;
  std::string pedido_;
  std::thread t_;
};

}  // namespace shell::teste

// A private CUPS scheduler for one test: its own configuration, spool, logs and port in a
// scratch folder, and a raw queue "teste" (the default destination) whose backend appends each
// job to a file. CUPS_SERVER points lp and lpstat at it while it lives.
#pragma once

#include <string>

#include "print_test_util.h"

namespace print_test {

class ServidorCups {
 public:
  ServidorCups();
  ~ServidorCups();
  ServidorCups(const ServidorCups&) = delete;
  ServidorCups& operator=(const ServidorCups&) = delete;

  // Empty when the scheduler runs; else why it could not be started.
  const std::string& falha() const { return falha_; }
  // The file the queue's jobs go to.
  std::string saida() const { return pasta_ / "saida.txt"; }
  // The scheduler's error log, to say why a job did not arrive.
  std::string registro() const { return le(pasta_ / "log/error_log"); }
  // Waits (up to 20 s) until the queue's file holds `texto`.
  bool espera(const std::string& texto) const;

 private:
  Pasta pasta_;
  std::string falha_;
  int pid_ = -1;
  std::string servidorAntes_;
  bool tinhaServidor_ = false;
};

}  // namespace print_test

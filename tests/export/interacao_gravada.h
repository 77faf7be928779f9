// What the export says, recorded as "erro:", "aviso:", "status:", "pergunta:", "aguarda:"
// lines; the questions take the queued answers, then "N"; a wait goes on while `esperas` lasts.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "export/interacao.h"

namespace exporta::teste {

class InteracaoGravada final : public Interacao {
 public:
  void erro(std::string_view t, int) override { eventos.push_back("erro:" + std::string(t)); }
  void aviso(std::string_view t) override { eventos.push_back("aviso:" + std::string(t)); }
  void status(std::string_view t) override { eventos.push_back("status:" + std::string(t)); }
  bool continua(std::string_view t, int) override {
    eventos.push_back("pergunta:" + std::string(t));
    if (respostas.empty()) return false;
    const bool r = respostas.front();
    respostas.pop_front();
    return r;
  }
  void beep() override { eventos.push_back("beep"); }
  bool aguarda(std::string_view t) override {
    eventos.push_back("aguarda:" + std::string(t));
    return esperas-- > 0;
  }
  void pasta(std::string_view) override {}
  std::vector<std::string> eventos;
  std::deque<bool> respostas;
  int esperas = 100;
};

}  // namespace exporta::teste

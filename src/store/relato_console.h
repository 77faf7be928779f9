// The store's reports shown with the console: the status row and message windows of MENS, the
// alerts and questions of AVISOSN, and the save's and load's progress written into the
// declaration's frame (window 3) or into the wait notice (window 10), the Esc read to give up a
// wait, and the top row's bar (window 1) closed.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "console/contexto.h"
#include "store/relato.h"

namespace store {

class RelatoConsole final : public Relato {
 public:
  explicit RelatoConsole(console::Contexto& ctx) : ctx_(ctx) {}
  using Relato::linha;
  void linha(std::string_view texto, bool centrada) override;
  void erro(std::string_view texto) override;
  using Relato::alerta;
  void alerta(std::span<const std::string> linhas) override;
  using Relato::pergunta;
  bool pergunta(std::span<const std::string> linhas, bool padrao) override;
  char letra(std::string_view texto, std::string_view teclas, char padrao) override;
  using Relato::escolha;
  int escolha(std::span<const std::string> linhas, std::span<const std::string> botoes) override;
  bool desiste() override;
  void fechaBarra() override;
  void espera(std::string_view texto) override;
  void aguarda(std::string_view texto) override;
  void fimEspera() override;
  void titulo(Painel painel, std::string_view texto) override;
  void etapa(Painel painel, std::string_view legenda) override;
  void barra(Painel painel, std::string_view barra) override;
  void contribuinte(std::string_view cpf, std::string_view nome) override;
  void pasta(std::string_view pasta) override;

 private:
  console::Contexto& ctx_;
};

}  // namespace store

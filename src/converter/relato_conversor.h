// What the data store says while the converter works: as the office program says it, except
// the current folder, which the store writes on the taxpayer page. The converter has no such
// page, and its own frame sits in that window; a folder switched to for a while (a taxpayer
// found in another folder) is not shown there.
#pragma once

#include "store/contexto.h"
#include "store/relato.h"

namespace converter {

// Installed for its lifetime as the context's Relato; the previous one comes back after.
class RelatoConversor final : public store::Relato {
 public:
  explicit RelatoConversor(store::Contexto& ctx) : ctx_(ctx), base_(ctx.relato()) { ctx.defineRelato(this); }
  ~RelatoConversor() override { ctx_.defineRelato(&base_); }
  RelatoConversor(const RelatoConversor&) = delete;
  RelatoConversor& operator=(const RelatoConversor&) = delete;

  void linha(std::string_view t, bool centrada) override { base_.linha(t, centrada); }
  void erro(std::string_view t) override { base_.erro(t); }
  void alerta(std::span<const std::string> l) override { base_.alerta(l); }
  bool pergunta(std::span<const std::string> l, bool padrao) override { return base_.pergunta(l, padrao); }
  char letra(std::string_view t, std::string_view teclas, char padrao) override { return base_.letra(t, teclas, padrao); }
  int escolha(std::span<const std::string> l, std::span<const std::string> b) override { return base_.escolha(l, b); }
  bool desiste() override { return base_.desiste(); }
  void fechaBarra() override { base_.fechaBarra(); }
  void espera(std::string_view t) override { base_.espera(t); }
  void aguarda(std::string_view t) override { base_.aguarda(t); }
  void fimEspera() override { base_.fimEspera(); }
  void titulo(store::Painel p, std::string_view t) override { base_.titulo(p, t); }
  void etapa(store::Painel p, std::string_view l) override { base_.etapa(p, l); }
  void barra(store::Painel p, std::string_view b) override { base_.barra(p, b); }
  void contribuinte(std::string_view cpf, std::string_view nome) override { base_.contribuinte(cpf, nome); }
  void pasta(std::string_view) override {}

 private:
  store::Contexto& ctx_;
  store::Relato& base_;
};

}  // namespace converter

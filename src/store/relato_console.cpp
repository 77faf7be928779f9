#include "store/relato_console.h"

#include <chrono>
#include <vector>

#include "console/alerta.h"
#include "console/janelas.h"
#include "console/mensagens.h"
#include "rt/term/keys.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/cpf.h"

namespace store {

namespace {

// Writes into a window only while it is open: a run started without its frame shows nothing.
void escreve(console::Contexto& ctx, console::Jan janela, int linha, int coluna, std::string_view texto) {
  if (ctx.janelas.find(janela) != nullptr) ctx.janelas.ESCRLCOL(janela, linha, coluna, texto);
}

}  // namespace

void RelatoConsole::linha(std::string_view texto, bool centrada) {
  console::OpcoesMens op;
  if (centrada) op.coluna = std::string("C");
  console::MENS(ctx_, console::mens::Linha, texto, op);
}

void RelatoConsole::erro(std::string_view texto) {
  console::MENS(ctx_, console::mens::Nota, texto);
}

void RelatoConsole::alerta(std::span<const std::string> linhas) {
  console::AVISOSN(ctx_, std::vector<std::string>(linhas.begin(), linhas.end()), 0);
}

bool RelatoConsole::pergunta(std::span<const std::string> linhas, bool /*padrao*/) {
  return console::AVISOSN(ctx_, std::vector<std::string>(linhas.begin(), linhas.end()), 2) == "S";
}

char RelatoConsole::letra(std::string_view texto, std::string_view teclas, char padrao) {
  console::OpcoesMens op;
  op.teclas = std::string(teclas);
  const std::string r = console::MENS(ctx_, console::mens::Escolha, texto, op);
  return r.empty() ? padrao : r[0];
}

int RelatoConsole::escolha(std::span<const std::string> linhas, std::span<const std::string> botoes) {
  return console::alerta(ctx_, std::vector<std::string>(linhas.begin(), linhas.end()),
                         std::vector<std::string>(botoes.begin(), botoes.end()));
}

bool RelatoConsole::desiste() {
  return ctx_.console.inkey(std::chrono::milliseconds(0)).code == rt::term::key::Esc;
}

void RelatoConsole::fechaBarra() {
  ctx_.janelas.FECHAJAN(console::Jan::kCabecalho);
}

void RelatoConsole::espera(std::string_view texto) {
  console::MENS(ctx_, console::mens::Espera, texto);
}

void RelatoConsole::aguarda(std::string_view texto) {
  console::MENS(ctx_, console::mens::EsperaSemMoldura, texto);
  ctx_.console.refresh();
}

void RelatoConsole::fimEspera() {
  ctx_.janelas.FECHAJAN(console::Jan::kMensagem);
}

void RelatoConsole::titulo(Painel painel, std::string_view texto) {
  if (painel == Painel::Declaracao)
    escreve(ctx_, console::Jan::kTela, 5, 2, texto);
  else
    console::MENS(ctx_, console::mens::EsperaSemMoldura, "      " + std::string(texto));
}

void RelatoConsole::etapa(Painel painel, std::string_view legenda) {
  if (painel == Painel::Declaracao)
    escreve(ctx_, console::Jan::kTela, 5, 2, legenda);
  else
    escreve(ctx_, console::Jan::kMensagem, 1, 1, legenda);
}

void RelatoConsole::barra(Painel painel, std::string_view barra) {
  if (painel == Painel::Declaracao)
    escreve(ctx_, console::Jan::kTela, 5, 26, barra);
  else
    escreve(ctx_, console::Jan::kMensagem, 2, 1, barra);
}

// Every field written over its whole width, so nothing of a longer earlier text stays.
void RelatoConsole::contribuinte(std::string_view cpf, std::string_view nome) {
  escreve(ctx_, console::Jan::kTela, 2, 3, rt::text::transform(Cpf(cpf).chave(), "@R 999.999.999-99"));
  escreve(ctx_, console::Jan::kTela, 2, 19, rt::text::padr(nome, 50));
}

void RelatoConsole::pasta(std::string_view pasta) {
  escreve(ctx_, console::Jan::kTela, 4, 19, rt::text::padr(pasta, 50));
}

}  // namespace store

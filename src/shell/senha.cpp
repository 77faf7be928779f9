#include "shell/senha.h"

#include "console/alerta.h"
#include "console/mensagens.h"
#include "console/oculto.h"
#include "platform/setting_store.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "shell/registros.h"

namespace shell {
namespace {

using namespace rt::text::literals;
namespace key = rt::term::key;

platform::SettingStore arquivoAjustes(const store::Contexto& ctx) {
  return platform::SettingStore::forProgramFolder(ctx.unidades.toLinux(ctx.ROTADEF));
}

// The number in the settings file; nothing when the file or the value is missing or unreadable.
std::optional<int> numeroGravado(const store::Contexto& ctx) {
  auto lido = arquivoAjustes(ctx).readFator3();
  if (!lido || !lido.value() || *lido.value() <= 0 || *lido.value() > 99999) return std::nullopt;
  return static_cast<int>(*lido.value());
}

void mensagemErro(store::Contexto& ctx, std::string_view texto) {
  console::MENS(ctx, console::mens::Linha, texto, {.coluna = std::string("C")});
  console::BEEP_ERRO(ctx);
}

// Leaves the prompts: the message window closed and the status line cleared.
void encerraPrompt(store::Contexto& ctx) {
  ctx.janelas.FECHAJAN(console::Jan::kMensagem);
  console::MENS(ctx);
}

void prompt(store::Contexto& ctx, std::string_view texto, int linha, int coluna) {
  console::MENS(ctx, console::mens::Espera, std::string(texto) + std::string(8, ' '), {.linha = linha, .coluna = coluna});
}

// The number into the settings file, ULT_SENIR and CONFIG (which says its own failure); the
// settings file's failure is the caller's to say.
rt::Status gravaNumero(store::Contexto& ctx, Ajustes& aj, int numero) {
  rt::Status gravou = MUDASE1(ctx, numero);
  aj.ULT_SENIR = numero;
  gravaConfig(ctx, [numero](rt::db::Table& t) {
    return t.put("ULT_SENIR", rt::text::Decimal(numero));
  }).ignoreTold();
  return gravou;
}

// Steps 2 to 4 of a change: the new password twice, then stored. `atual` is the number the
// new one must differ from.
bool novaSenha(store::Contexto& ctx, Ajustes& aj, int atual, int linha, int coluna) {
  int nova = 0;
  bool aceita = false;
  for (int tentativa = 0; tentativa < 2 && !aceita; ++tentativa) {
    prompt(ctx, "Digite a Nova Senha", linha, coluna - 20);
    VESENHA(ctx, atual, linha, coluna, &nova);
    aceita = nova != atual;
    if (!aceita) mensagemErro(ctx, "A senha anterior não serve mais - Digite outra"_cp);
  }
  if (!aceita) {
    encerraPrompt(ctx);
    return false;
  }
  bool repetida = false;
  for (int tentativa = 0; tentativa < 2 && !repetida; ++tentativa) {
    prompt(ctx, "Repita a Nova Senha", linha, coluna - 20);
    repetida = VESENHA(ctx, nova, linha, coluna);
    if (!repetida) mensagemErro(ctx, "A senha não consistente. Digite-a novamente"_cp);
  }
  encerraPrompt(ctx);
  if (!repetida) {
    console::MENS(ctx, console::mens::Aviso, "ATENÇAO! A senha anterior foi mantida"_cp);
    return false;
  }
  if (!gravaNumero(ctx, aj, nova))
    console::AVISOSN(ctx, "A senha nova não pôde ser gravada no arquivo de ajustes."_cp, 0);
  return true;
}

}  // namespace

int ANALISEN(std::string_view texto) {
  const std::string t = rt::text::upper(rt::text::alltrim(texto));
  int numero = 1;
  for (char c : t) {
    const int codigo = static_cast<unsigned char>(c);
    numero += codigo * (codigo / 10);
  }
  return numero;
}

int LESENHA1(store::Contexto& ctx, const Ajustes& aj) {
  if (auto n = numeroGravado(ctx)) return *n;
  return aj.ULT_SENIR > 0 ? aj.ULT_SENIR : ANALISEN("");
}

bool temSenhaGravada(store::Contexto& ctx, const Ajustes& aj) {
  return numeroGravado(ctx).has_value() || aj.ULT_SENIR > 0;
}

rt::Status MUDASE1(store::Contexto& ctx, int numero) {
  return arquivoAjustes(ctx).writeFator3(numero);
}


bool VESENHA(store::Contexto& ctx, int gravada, int linha, int coluna, int* numero) {
  const int n = ANALISEN(console::leOculto(ctx, linha, coluna + 1));
  if (numero) *numero = n;
  console::MENS(ctx);
  return n == gravada;
}

bool SENHA(store::Contexto& ctx, Ajustes& aj, int gravada, int modo) {
  console::MENS(ctx, console::mens::Espera, "Digite a senha                ", {.linha = 19, .coluna = 61, .linhas = 2});
  int linha = 21, coluna = 65;
  if (modo == 1) coluna = 29;
  if (modo == 2) linha = 22, coluna = 43;
  int numero = 0;
  if (VESENHA(ctx, gravada, linha, coluna - 1, &numero)) {
    aj.ULT_SENIR = numero;
    return true;
  }
  ctx.console.beep();
  console::MENS(ctx, console::mens::Linha, "Senha inválida!"_cp, {.coluna = std::string("C")});
  return false;
}

Entrada PEDE_SENHA(store::Contexto& ctx, Ajustes& aj) {
  if (aj.QUERSEN) {
    const int gravada = LESENHA1(ctx, aj);
    bool certa = false;
    for (int tentativa = 0; tentativa < 3 && !certa; ++tentativa) certa = SENHA(ctx, aj, gravada, 0);
    ctx.janelas.FECHAJAN(console::Jan::kMensagem);
    if (!certa) return Entrada::Encerrar;
    console::MENS(ctx);
  }
  const int numero = aj.ULT_SENIR;
  gravaConfig(ctx, [numero](rt::db::Table& t) {
    return t.put("ULT_SENIR", rt::text::Decimal(numero));
  }).ignoreTold();
  return Entrada::Liberada;
}

bool CONSENH(store::Contexto& ctx, Ajustes& aj, int linha, int coluna) {
  const int gravada = LESENHA1(ctx, aj);
  bool certa = false;
  for (int tentativa = 0; tentativa < 2 && !certa; ++tentativa) {
    prompt(ctx, "Digite a Senha Atual", linha, coluna - 20);
    certa = VESENHA(ctx, gravada, linha, coluna);
    if (!certa) mensagemErro(ctx, "Senha invalida!");
  }
  if (!certa) {
    encerraPrompt(ctx);
    return false;
  }
  return novaSenha(ctx, aj, gravada, linha, coluna);
}

bool LIBSEN(store::Contexto& ctx, Ajustes& aj) {
  const int gravada = LESENHA1(ctx, aj);
  console::MENS(ctx, console::mens::Espera, "Informe a Senha Atual " + std::string(8, ' '), {.linha = 6, .coluna = 38});
  const auto janela = console::JanelaAberta::adota(ctx.janelas, console::Jan::kMensagem);
  const bool certa = VESENHA(ctx, gravada, 6, 60);
  if (certa)
    aj.QUERSEN = false;
  else
    mensagemErro(ctx, "Senha invalida!");
  return certa;
}

void OPCAO_SENHA(store::Contexto& ctx, Ajustes& aj) {
  const std::string acao = aj.QUERSEN ? "retirar" : "colocar";
  const std::string r =
      console::AVISOSN(ctx,
                       std::vector<std::string>{"Se for " + acao + " a senha reponda com SIM",
                                                "Se for para alterar a senha reponda com NAO"},
                       3);
  if (r == "S") {
    if (aj.QUERSEN) {
      LIBSEN(ctx, aj);
      return;
    }
    // With nothing stored no typed text could match at the next start: a first password is
    // set before the requirement goes on.
    if (!temSenhaGravada(ctx, aj) && !novaSenha(ctx, aj, ANALISEN(""), 5, 58)) return;
    console::AVISOSN(ctx, "Na proxima entrada sera pedida a senha", 0);
    aj.QUERSEN = true;
  } else if (r == "N") {
    CONSENH(ctx, aj, 5, 58);
  }
}

}  // namespace shell

#include "print/imp_txt.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "console/alerta.h"
#include "console/mensagens.h"
#include "console/pastas.h"
#include "platform/paths.h"
#include "platform/unique_fd.h"
#include "print/quentra.h"
#include "print/rota.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace print {

using namespace rt::text::literals;

bool READSTREAM(const std::string& caminho) {
  platform::UniqueFd fd(::open(caminho.c_str(), O_RDWR | O_CLOEXEC));
  if (!fd.valid()) return false;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || st.st_size == 0) return false;
  if (st.st_size >= 2) {
    char c = 0;
    if (::pread(fd.get(), &c, 1, st.st_size - 2) == 1 && c == '\f') {
      const char branco = ' ';
      if (::pwrite(fd.get(), &branco, 1, st.st_size - 2) != 1) return false;
    }
  }
  return fd.close() == 0;
}

namespace {

// Steps 2 to 5 of the hand-over: the file checked, the taxpayer's copy, the print program and
// the e-mail offer.
bool entrega(store::Contexto& ctx, Impressao& imp, const std::string& arquivo, const PedidoImpTxt& pedido,
             const platform::EnvLookup& env) {
  // A missing file is as empty as an empty one: there is nothing to hand over.
  if (!READSTREAM(arquivo)) {
    (void)console::AVISOSN(ctx, "Nada para imprimir!!", 0);
    return false;
  }
  std::string copia;
  if (pedido.tipo == 1 && pedido.QUECON == 1 && pedido.MOSCPF == "S") {
    copia = platform::withSeparator(console::caminhoLinux(ctx, ctx.LOCTRAB)) +
            std::string(rt::text::alltrim(pedido.CPF)) + ".TXT";
    std::error_code ec;
    std::filesystem::copy_file(arquivo, copia, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
      (void)console::alerta(ctx, {std::string("Não foi possível copiar o arquivo para "_cp) + rt::text::utf8ToCp860(copia),
                                  rt::text::utf8ToCp860(ec.message())},
                            {"Ok"});
      copia.clear();
    }
  }
  console::MENS(ctx, 0, "Aguarde! Preparando impressao Nao DOS.....");
  OpcoesQuentra op;
  op.pre = pedido.MOSTEL == "S";
  op.sel = pedido.MOSIMP == "S";
  const bool impresso = print_captured(ctx, imp, arquivo, op, env);
  console::MENS(ctx);
  const std::string email(rt::text::alltrim(pedido.EMAIL));
  if (!copia.empty() && !email.empty() && pedido.enviaEmail &&
      console::AVISOSN(ctx, "Envia o arquivo gerado para o email do contribuinte?", 2) == "S")
    pedido.enviaEmail(pedido.CPF, email, "Veja o arquivo anexado", copia);
  return impresso;
}

}  // namespace

bool IMP_TXT(store::Contexto& ctx, Impressao& imp, const PedidoImpTxt& pedido, const platform::EnvLookup& env) {
  if (!naoDos(imp.conf)) return false;
  ctx.janelas.FECHAJAN(3);
  if (!fechaSaida(ctx, imp)) return false;
  if (rt::text::alltrim(imp.ARQ_IMP).empty()) return false;
  return entrega(ctx, imp, imp.ARQ_IMP, pedido, env);
}

bool IMP_NAODOS(store::Contexto& ctx, Impressao& imp, PedidoImpTxt pedido, const platform::EnvLookup& env) {
  const std::string arquivo = platform::withSeparator(console::caminhoLinux(ctx, ctx.LOCTRAB)) + "NAO-DOS.TXT";
  std::error_code ec;
  if (!std::filesystem::exists(arquivo, ec)) {
    (void)console::AVISOSN(ctx, "Selecione a impressora Nao DOS antes", 0);
    return false;
  }
  if (const rt::db::Table* reg = ctx.areas.table(9)) {
    pedido.EMAIL = reg->getText("EMAIL");
    pedido.CPF = reg->getText("CPF");
  }
  return entrega(ctx, imp, arquivo, pedido, env);
}

}  // namespace print

#include "print/imp_txt.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "console/alerta.h"
#include "console/arquivo_recusado.h"
#include "console/mensagens.h"
#include "console/pastas.h"
#include "console/recusa.h"
#include "platform/paths.h"
#include "print/quentra.h"
#include "print/rota.h"
#include "rt/base/unique_fd.h"
#include "rt/fs/shared_files.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/areas.h"

namespace print {

using namespace rt::text::literals;

rt::Status READSTREAM(const std::string& caminho) {
  // Written in place, so never through a link.
  rt::Result<rt::UniqueFd> aberto = rt::fs::openForWriting(caminho, O_RDWR);
  if (!aberto) return aberto.status();  // the caller words a refusal from its sysError()
  rt::UniqueFd fd = std::move(*aberto);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return rt::Status::fromErrno(errno, "fstat " + caminho);
  if (st.st_size == 0) return rt::Status(rt::Error::kNotFound, "empty " + caminho);
  if (st.st_size >= 2) {
    char c = 0;
    if (::pread(fd.get(), &c, 1, st.st_size - 2) == 1 && c == '\f') {
      const char branco = ' ';
      if (::pwrite(fd.get(), &branco, 1, st.st_size - 2) != 1) return rt::Status::fromErrno(errno, "pwrite " + caminho);
    }
  }
  if (fd.close() != 0) return rt::Status::fromErrno(errno, "close " + caminho);
  return {};
}

namespace {

// Steps 2 to 5 of the hand-over: the file checked, the taxpayer's copy, the print program and
// the e-mail offer.
rt::Status entrega(store::Contexto& ctx, Impressao& imp, const std::string& arquivo, const PedidoImpTxt& pedido,
                   const platform::EnvLookup& env) {
  // A missing file is as empty as an empty one: there is nothing to hand over.
  if (const rt::Status lido = READSTREAM(arquivo); !lido) {
    if (rt::fs::isRefusal(lido.sysError()))
      console::AVISOSN(ctx, console::linhasLink(rt::text::utf8ToCp860(arquivo)), 0);
    else
      console::AVISOSN(ctx, "Nada para imprimir!!", 0);
    return lido.markTold();
  }
  std::string copia;
  if (pedido.tipo == 1 && pedido.QUECON == 1 && pedido.MOSCPF == "S") {
    copia = platform::withSeparator(console::caminhoLinux(ctx, ctx.LOCTRAB)) +
            std::string(rt::text::alltrim(pedido.CPF)) + ".TXT";
    // Put in place by a rename: a link planted under the taxpayer's name is replaced, never
    // written through.
    if (const rt::Status copiado = rt::fs::replaceWithCopy(arquivo, copia); !copiado) {
      if (rt::fs::isRefusal(copiado))
        console::alerta(ctx, console::linhasLink(rt::text::utf8ToCp860(copia)), {"Ok"});
      else
        console::alerta(
            ctx,
            {std::string("Não foi possível copiar o arquivo para "_cp) + rt::text::utf8ToCp860(copia),
             rt::text::utf8ToCp860(std::strerror(copiado.sysError()))},
            {"Ok"});
      copia.clear();
    }
  }
  console::MENS(ctx, console::mens::Linha, "Aguarde! Preparando impressao Nao DOS.....");
  OpcoesQuentra op;
  op.pre = pedido.MOSTEL == "S";
  op.sel = pedido.MOSIMP == "S";
  const bool impresso = print_captured(ctx, imp, arquivo, op, env);
  console::MENS(ctx);
  const std::string email(rt::text::alltrim(pedido.EMAIL));
  if (!copia.empty() && !email.empty() && pedido.enviaEmail &&
      console::AVISOSN(ctx, "Envia o arquivo gerado para o email do contribuinte?", 2) == "S")
    pedido.enviaEmail(pedido.CPF, email, "Veja o arquivo anexado", copia);
  // Cancelled by the user or refused by the print program, which said why.
  return impresso ? rt::Status() : console::falhaDita(rt::Error::kFailed, "print_captured " + arquivo);
}

}  // namespace

rt::Status IMP_TXT(store::Contexto& ctx, Impressao& imp, const PedidoImpTxt& pedido,
                   const platform::EnvLookup& env) {
  if (!naoDos(imp.conf)) return rt::Status(rt::Error::kBadArgument, "IMP_TXT: not the NAO DOS model");
  ctx.janelas.FECHAJAN(console::Jan::kTela);
  RT_TRY(fechaSaida(ctx, imp));  // told by the closer
  if (rt::text::alltrim(imp.ARQ_IMP).empty()) return rt::Status(rt::Error::kNotFound, "IMP_TXT: no captured file");
  return entrega(ctx, imp, imp.ARQ_IMP, pedido, env);
}

rt::Status IMP_NAODOS(store::Contexto& ctx, Impressao& imp, PedidoImpTxt pedido, const platform::EnvLookup& env) {
  const std::string arquivo = platform::withSeparator(console::caminhoLinux(ctx, ctx.LOCTRAB)) + "NAO-DOS.TXT";
  std::error_code ec;
  if (!std::filesystem::exists(arquivo, ec)) {
    console::AVISOSN(ctx, "Selecione a impressora Nao DOS antes", 0);
    return console::falhaDita(rt::Error::kNotFound, arquivo);
  }
  if (const rt::db::Table* reg = store::tabela(ctx.areas, store::Area::IMP0910)) {
    pedido.EMAIL = reg->getText("EMAIL");
    pedido.CPF = reg->getText("CPF");
  }
  return entrega(ctx, imp, arquivo, pedido, env);
}

}  // namespace print

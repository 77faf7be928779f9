#include "shell/terminal_numero.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "console/arquivo_recusado.h"
#include "console/mensagens.h"
#include "console/pastas.h"
#include "platform/drive.h"
#include "platform/setting_store.h"
#include "rt/fs/shared_files.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace shell {

using namespace rt::text::literals;

std::optional<std::string> numeroTerminal(std::string_view texto) {
  const std::string_view t = rt::text::alltrim(texto);
  if (t.size() > 2) return std::nullopt;
  int n = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  return std::string{static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
}

bool terminalNumerico(std::string_view valor) {
  const std::string_view t = rt::text::alltrim(valor);
  return !t.empty() && numeroTerminal(t).has_value();
}

bool TA_NA_REDE(const Program& p) {
  const std::string pasta = console::caminhoLinux(p, p.ROTADEF);
  const auto arquivo = platform::SettingStore::forProgramFolder(pasta, p.env);
  if (auto v = arquivo.read("pede_terminal"); v && *v && rt::text::upper(rt::text::alltrim(**v)) == "S")
    return true;
  auto rede = platform::isOnNetwork(pasta);
  return rede && *rede;
}

std::optional<std::string> QUAL_USUR(Program& p, bool sempre) {
  if (!sempre && !TA_NA_REDE(p)) return "00";
  const char* usuario = p.env("USUAR");
  const char* equip = p.env("EQUIP");
  rt::text::Decimal numero = rt::text::Decimal::val(equip ? equip : "");
  if (numero.wholePart() < 0 || numero.wholePart() > 99) numero = rt::text::Decimal(0);
  p.cores.COR_TEL1 = p.cores.COR_TEL2 = p.cores.COR_TEL3 = 30;
  std::string texto = std::string(usuario ? usuario : "");
  texto += numero.isZero() ? std::string(" Forneça"_cp) : std::string(" Confirme");
  texto += " o número do terminal."_cp;
  console::OpcoesMens op;
  op.linha = 20;
  op.coluna = 2;
  op.picture = "@z 99";
  console::MENS(p, console::mens::Campo, texto, numero, op);
  if (p.console.lastKey().code == rt::term::key::Esc) return std::nullopt;
  const auto n = static_cast<int>(numero.wholePart());
  return numeroTerminal(std::to_string(n < 0 || n > 99 ? 0 : n));
}

rt::UniqueFd travaTerminal(const Program& p, std::string_view nusu, bool& ocupado, std::string* recusa) {
  ocupado = false;
  if (const char* cedido = p.env(kTerminalCedido); cedido && std::string_view(cedido) == nusu) return {};
  const std::string pasta = console::caminhoLinux(p, p.ROTADEF);
  const std::string nome = pasta + "/TERM" + std::string(nusu) + ".LCK";
  // Never through a link: a dangling one would make a file wherever it points.
  rt::Result<rt::UniqueFd> aberto = rt::fs::openForWriting(nome, O_RDWR | O_CREAT);
  if (!aberto) {
    if (recusa != nullptr && rt::fs::isRefusal(aberto.status())) *recusa = nome;
    return {};
  }
  rt::UniqueFd fd = std::move(*aberto);
  // An open-file-description lock belongs to this open file, not to the process, so a child
  // program started meanwhile does not take it over, and it works over NFS.
  struct flock trava {};
  trava.l_type = F_WRLCK;
  trava.l_whence = SEEK_SET;
  if (::fcntl(fd.get(), F_OFD_SETLK, &trava) != 0) {
    ocupado = (errno == EAGAIN || errno == EACCES);
    return {};
  }
  return fd;
}

}  // namespace shell

#include "shell/erro_execucao.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "console/arquivo_recusado.h"
#include "rt/base/unique_fd.h"
#include "rt/fs/shared_files.h"
#include "rt/text/cp860.h"
#include "rt/text/date.h"
#include "rt/ui/alert.h"

namespace shell {

namespace {

using namespace rt::text::literals;

// The alert's lines: the description cut into rows that fit the box.
std::vector<std::string> linhasErro(std::string_view descricao) {
  constexpr std::size_t kLargura = 60;
  std::vector<std::string> linhas{std::string("Erro de execução"_cp)};
  for (std::size_t i = 0; i < descricao.size(); i += kLargura)
    linhas.emplace_back(descricao.substr(i, kLargura));
  return linhas;
}

// error.log written, or the user told that it could not be; the program ends either way.
void gravaOuAvisa(Program& p, std::string_view descricao) {
  const rt::Status gravado = gravaErrorLog(p, descricao);
  if (gravado) return;
  const bool link = rt::fs::isRefusal(gravado.sysError());
  const std::vector<std::string> botao{"Ok"};
  const std::vector<std::string> linhas =
      link ? console::linhasLink(p.ARQDEF + "error.log")
           : std::vector<std::string>{std::string("Não foi possível gravar error.log em "_cp) + p.ARQDEF};
  rt::ui::alert(p.console, linhas, botao, p.cores.COR_SAY);
}

}  // namespace

RespostaErro alertaErro(Program& p, std::string_view descricao) {
  if (p.aoErroDeExecucao) p.aoErroDeExecucao(p.OPCAO_1, descricao);
  const std::vector<std::string> botoes{"Quit", "Retry", "Default"};
  const std::vector<std::string> linhas = linhasErro(descricao);
  switch (rt::ui::alert(p.console, linhas, botoes, p.cores.COR_SAY)) {
    case 2:
      return RespostaErro::Retry;
    case 3:
      return RespostaErro::Default;
    default:
      return RespostaErro::Quit;
  }
}

rt::Status gravaErrorLog(const Program& p, std::string_view descricao) {
  const std::string arquivo = (p.ARQDEF.empty() ? std::string() : p.ARQDEF) + "error.log";
  // Never through a link planted in the program folder.
  rt::Result<rt::UniqueFd> aberto = rt::fs::openForWriting(arquivo, O_WRONLY | O_CREAT | O_APPEND);
  if (!aberto) return aberto.status();
  rt::UniqueFd log = std::move(*aberto);
  const std::string linha = rt::text::dtoc(p.clock.now().date) + ' ' + rt::text::timeText(p.clock) +
                            " terminal " + p.NUSU + " item " + std::to_string(p.OPCAO_1) + ": " +
                            rt::text::cp860ToUtf8(descricao) + '\n';
  // One write, so lines of terminals sharing the folder never interleave.
  if (::write(log.get(), linha.data(), linha.size()) != static_cast<ssize_t>(linha.size()) || log.close() != 0)
    return rt::Status::fromErrno(errno, "write " + arquivo);
  return {};
}

void executaItem(Program& p, int item, const std::function<void()>& acao) {
  for (;;) {
    std::string descricao;
    try {
      if (p.antesDoItem) p.antesDoItem(item);
      acao();
      return;
    } catch (const std::exception& e) {
      descricao = rt::text::utf8ToCp860(e.what());
    }
    switch (alertaErro(p, descricao)) {
      case RespostaErro::Retry:
        continue;
      case RespostaErro::Default:
        return;
      case RespostaErro::Quit:
        gravaOuAvisa(p, descricao);
        p.saida = 1;
        return;
    }
  }
}

int erroFatal(Program& p, std::string_view descricao) {
  // Whatever the answer, start-up cannot go on.
  alertaErro(p, descricao);
  gravaOuAvisa(p, descricao);
  return 1;
}

}  // namespace shell

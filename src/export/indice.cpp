#include "export/indice.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "export/arquivo.h"
#include "export/dados.h"
#include "export/formatos.h"
#include "export/gerar.h"
#include "rt/base/unique_fd.h"
#include "rt/db/file.h"
#include "rt/fs/shared_files.h"
#include "rt/text/strings.h"

namespace exporta {

namespace {

bool comeca(std::string_view s, std::string_view prefixo) {
  return s.substr(0, prefixo.size()) == prefixo;
}

bool termina(std::string_view s, std::string_view sufixo) {
  return s.size() >= sufixo.size() && s.substr(s.size() - sufixo.size()) == sufixo;
}

// The digits of an item's `cpf` attribute, wherever it stands among the attributes.
std::string cpfDoItem(std::string_view item) {
  for (std::size_t p = item.find("cpf"); p != std::string_view::npos; p = item.find("cpf", p + 1)) {
    const char antes = p == 0 ? ' ' : item[p - 1];
    if (antes != ' ' && antes != '\t' && antes != '\r' && antes != '\n') continue;
    std::string_view resto = semBrancosIniciais(item.substr(p + 3));
    if (!comeca(resto, "=")) continue;
    resto = semBrancosIniciais(resto.substr(1));
    if (resto.empty() || (resto.front() != '"' && resto.front() != '\'')) continue;
    const std::size_t fim = resto.find(resto.front(), 1);
    return soDigitos(resto.substr(1, fim == std::string_view::npos ? std::string_view::npos : fim - 1));
  }
  return {};
}

// Locks the whole file for this open file description; EAGAIN while another holds it.
int trava(int fd) {
  struct flock l {};
  l.l_type = F_WRLCK;
  l.l_whence = SEEK_SET;
  return ::fcntl(fd, F_OFD_SETLK, &l) == 0 ? 0 : errno;
}

bool mesmoArquivo(int fd, const std::string& caminho) {
  struct stat a {}, b {};
  return ::fstat(fd, &a) == 0 && ::stat(caminho.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

int leTudo(int fd, std::string& texto) {
  char bloco[4096];
  while (true) {
    const ssize_t n = ::read(fd, bloco, sizeof bloco);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return 0;
    texto.append(bloco, static_cast<std::size_t>(n));
  }
}

}  // namespace

Identificador identificadorDe(const store::EspelhoDeclaracao& d) {
  const auto& r = d.registro;
  return {cpfAberto(d), r.txt("RETIFICA"), r.txt("NOVOEND"), r.txt("NOMECONTR"),
          r.txt("NRORECIBO"),                     r.txt("RECIBOANT"), r.txt("USAPADRAO"), d.tabela01.txt("DECFINAL")};
}

std::string IDENTIF(const Identificador& id) {
  auto sim = [](std::string_view v) { return rt::text::alltrim(v) == "S" ? "1" : "0"; };
  TextoXml x;
  x.a("cpf", comCpf(id.CPF))
      .a("declaracaoRetificadora", sim(id.RETIFICA))
      .a("enderecoDiferente", sim(id.NOVOEND))
      .a("exercicio", "2010")
      .mapeado("nome", id.NOMECONTR)
      .texto("numReciboDecRetif", id.NRORECIBO)
      .texto("numeroReciboDecAnterior", id.RECIBOANT)
      .a("tipoDeclaracao", sim(id.USAPADRAO))
      .a("tipoEspolio", sim(id.DECFINAL))
      .a("transmitida", "0");
  return x.leva();
}

std::string inicioColecao() {
  return "<classe xmlns=\"" + std::string(kNamespaceDeclaracao) +
         "\" classeJava=\"serpro.ppgd.irpf.ColecaoIdDeclaracao\" tipoItens=\"serpro.ppgd.irpf.IdentificadorDeclaracao\">";
}

std::string_view semBrancosIniciais(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r' || s.front() == '\n'))
    s.remove_prefix(1);
  return s;
}

std::vector<std::string_view> pedacos(std::string_view texto) {
  std::vector<std::string_view> r;
  std::size_t inicio = 0;
  for (std::size_t i = 0; i < texto.size(); ++i) {
    if (texto[i] == '>' || texto[i] == '\0') {
      r.push_back(texto.substr(inicio, i + 1 - inicio));
      inicio = i + 1;
    }
  }
  if (inicio < texto.size()) r.push_back(texto.substr(inicio));
  return r;
}

std::string indiceCom(std::string_view antigo, std::string_view cpf, std::string_view item) {
  std::string novo;
  bool colecao = false;
  for (std::string_view p : pedacos(antigo)) {
    // A piece without its stop byte is a tag cut short by a truncated file; a zero byte is no
    // text of the index either.
    if (p.back() != '>') break;
    const std::string_view t = semBrancosIniciais(p);
    if (comeca(t, "</classe>")) break;
    if (termina(p, "Declaracao\"/>")) {
      novo += inicioColecao();
      colecao = true;
      break;
    }
    if (comeca(t, "<item")) {
      if (cpfDoItem(t) != cpf) novo += p;
      continue;
    }
    if (comeca(t, "<classe")) colecao = true;
    novo += p;
  }
  if (!colecao) novo = std::string(kDeclaracaoXml) + inicioColecao();
  novo += item;
  novo += "</classe>";
  return novo;
}

bool nomeProvisorioAntigo(std::string_view nome) {
  auto soDigitos = [](std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  // The index's: "iddeclaracoes.xml." + a process number + ".tmp".
  constexpr std::string_view kIndice = "iddeclaracoes.xml.";
  if (nome.size() > kIndice.size() + 4 && rt::text::lower(nome.substr(0, kIndice.size())) == kIndice &&
      nome.ends_with(".tmp"))
    return soDigitos(nome.substr(kIndice.size(), nome.size() - kIndice.size() - 4));
  // A declaration's: CPF + "." + terminal + ".TMP".
  return nome.size() == 18 && soDigitos(nome.substr(0, 11)) && nome[11] == '.' &&
         soDigitos(nome.substr(12, 2)) && nome.substr(14) == ".TMP";
}

int limpaProvisorios(const std::string& pasta) {
  return rt::fs::sweepScratch(pasta, nomeProvisorioAntigo);
}

rt::Status substituiArquivo(const std::string& caminho, std::string_view texto,
                            const std::function<void()>& antesDeRenomear) {
  ArquivoSaida saida;
  rt::Status s = saida.criaAoLado(caminho);
  if (s) s = saida.anexa(texto);
  if (s && antesDeRenomear) antesDeRenomear();
  // A failed write's scratch file goes with `saida`.
  if (s) s = saida.poeNoLugar(caminho);
  if (!s) return s;
  // The index is in place; a folder not synced loses only the rename on a crash, and the next export writes
  // it again.
  (void)rt::db::syncDirectoryOf(caminho);
  return {};
}

ResultadoIndice gravaIndice(const std::string& caminho, std::string_view cpf, std::string_view item,
                            const OpcoesIndice& opcoes, rt::Status* erro) {
  return alteraIndice(
      caminho, [&](std::string_view antigo) { return indiceCom(antigo, cpf, item); }, opcoes, erro);
}

ResultadoIndice alteraIndice(const std::string& caminho,
                             const std::function<std::string(std::string_view)>& novo,
                             const OpcoesIndice& opcoes, rt::Status* erro) {
  auto falha = [erro](ResultadoIndice r, const rt::Status& s) {
    if (erro != nullptr) *erro = s;
    return r;
  };
  auto falhaDe = [&falha, &caminho](ResultadoIndice r, int e) {
    return falha(r, rt::Status::fromErrno(e, "index " + caminho));
  };
  // What exports killed midway left beside the index goes first.
  limpaProvisorios(std::filesystem::path(caminho).parent_path().string());
  while (true) {
    const std::string real = rt::db::resolveCaseInsensitive(caminho);
    // A missing index is created empty under the lock, and then reads as a fresh collection.
    // Never through a link: the tax program's folder is shared.
    rt::Result<rt::UniqueFd> aberto = rt::fs::openForWriting(real, O_RDWR | O_CREAT);
    rt::UniqueFd fd = aberto ? std::move(*aberto) : rt::UniqueFd();
    int e = fd.valid() ? trava(fd.get()) : aberto.status().sysError();
    if (e == EACCES || e == EPERM || e == EAGAIN || e == ETXTBSY) {
      if (opcoes.espera && opcoes.espera()) continue;
      return falhaDe(ResultadoIndice::Ocupado, EACCES);
    }
    if (e != 0) return falhaDe(ResultadoIndice::ErroLeitura, e);
    // Another terminal renamed a new index over the one locked here: lock that one instead.
    if (!mesmoArquivo(fd.get(), real)) continue;
    std::string antigo;
    if (e = leTudo(fd.get(), antigo); e != 0) return falhaDe(ResultadoIndice::ErroLeitura, e);
    if (const rt::Status s = substituiArquivo(real, novo(antigo), opcoes.antesDeRenomear); !s)
      return falha(ResultadoIndice::ErroGravacao, s);
    return ResultadoIndice::Gravado;
  }
}

}  // namespace exporta

#include "store/diario_restauracao.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "platform/archive.h"
#include "platform/paths.h"
#include "platform/temp_file.h"
#include "store/diario_gravacao.h"

namespace store {

using rt::Error;
using rt::Result;
using rt::Status;
using rt::db::File;

// Layout, one line each ("\n"):
//   "TVRST001"
//   per move: prepared "\t" target "\t" index files separated by ","
//   "FIM " number of moves " " FNV-1a (16 hex digits) of every byte before "FIM"
namespace {

constexpr std::string_view kMagico = "TVRST001";

// Names a journal may give: plain names in the data folder, the prepared file one level down
// in a scratch folder of ours. A crafted journal must not move files anywhere else.
bool nomeSimples(std::string_view n) { return platform::isPlainEntryName(n); }

bool preparadoValido(std::string_view n) {
  const std::size_t barra = n.find('/');
  return barra != std::string_view::npos && n.substr(0, barra).starts_with(kPrefixoRestauracao) &&
         nomeSimples(n.substr(0, barra)) && nomeSimples(n.substr(barra + 1));
}

std::vector<std::string> separa(std::string_view s, char c) {
  std::vector<std::string> v;
  if (s.empty()) return v;
  for (std::size_t p = 0;;) {
    const std::size_t q = s.find(c, p);
    v.emplace_back(s.substr(p, q == std::string_view::npos ? std::string_view::npos : q - p));
    if (q == std::string_view::npos) return v;
    p = q + 1;
  }
}

std::string hex16(std::uint64_t v) {
  char b[17];
  std::snprintf(b, sizeof b, "%016llx", static_cast<unsigned long long>(v));
  return b;
}

std::string junta(const std::string& pasta, std::string_view nome) { return platform::join(pasta, nome); }

// Makes the moves still to be made: for each prepared file still there, its table's index
// files are erased and it is renamed over the table. Done again after a crash, it does what is
// left.
Status move(const std::string& pasta, const std::vector<Troca>& trocas, const std::function<void(int)>& meio) {
  int k = 0;
  for (const Troca& t : trocas) {
    const std::string de = junta(pasta, t.preparado);
    if (rt::db::fileExists(de)) {
      for (const std::string& i : t.indices)
        if (::unlink(junta(pasta, i).c_str()) != 0 && errno != ENOENT)
          return {Error::kIo, "erase " + i + ": " + std::strerror(errno)};
      if (::rename(de.c_str(), junta(pasta, t.alvo).c_str()) != 0)
        return {Error::kIo, "rename " + t.preparado + ": " + std::strerror(errno)};
    }
    if (meio) meio(++k);
  }
  if (rt::Status s = platform::syncFolder(pasta); !s) return {Error::kIo, s.message()};
  return Status::ok();
}

// Scratch folders and archive copies of restores: only a restore that holds the journal makes
// them, so whoever holds it may remove the ones it did not make.
void limpaRestos(const std::string& pasta) {
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(pasta, ec)) {
    const std::string nome = e.path().filename().string();
    // Leftovers only: one that stays is tried again by the next holder of the journal.
    if (nome.starts_with(kPrefixoRestauracao) && e.is_directory(ec) && !e.is_symlink(ec))
      // A leftover that stays is tried again by the next holder of the journal.
      (void)platform::removeTree(e.path().string());
    else if (platform::wildcardMatch(nome, "IMPZIP??????.ICE") && e.is_regular_file(ec))
      // As above: tried again by the next holder.
      (void)::unlink(e.path().c_str());
  }
}

// Whatever a dead restore left, with the journal held: finished (whole) or dropped (not).
Result<bool> finaliza(const File& f, const std::string& pasta) {
  Result<std::uint64_t> tamanho = f.size();
  if (!tamanho) return tamanho.status();
  bool feito = false;
  if (*tamanho > 0) {
    std::string b(static_cast<std::size_t>(*tamanho), '\0');
    RT_TRY(f.readExact(0, b));
    if (auto trocas = decodificaRestauracao(b)) {
      RT_TRY(move(pasta, *trocas, {}));
      feito = true;
    }
  }
  limpaRestos(pasta);
  RT_TRY(f.truncate(0));
  RT_TRY(f.sync());
  return feito;
}

}  // namespace

std::string codificaRestauracao(const std::vector<Troca>& trocas) {
  std::string s(kMagico);
  s += '\n';
  for (const Troca& t : trocas) {
    s += t.preparado + '\t' + t.alvo + '\t';
    for (std::size_t i = 0; i < t.indices.size(); ++i) s += (i ? "," : "") + t.indices[i];
    s += '\n';
  }
  const std::string hash = hex16(hashDiario(s));
  return s + "FIM " + std::to_string(trocas.size()) + " " + hash + "\n";
}

std::optional<std::vector<Troca>> decodificaRestauracao(std::string_view bytes) {
  const std::size_t fim = bytes.rfind("FIM ");
  if (fim == std::string_view::npos || !bytes.ends_with('\n')) return std::nullopt;
  const std::string_view corpo = bytes.substr(0, fim);
  const std::vector<std::string> rodape = separa(bytes.substr(fim + 4, bytes.size() - fim - 5), ' ');
  if (rodape.size() != 2 || rodape[1] != hex16(hashDiario(corpo))) return std::nullopt;
  std::vector<std::string> linhas = separa(corpo, '\n');
  if (linhas.empty() || linhas.front() != kMagico || !linhas.back().empty()) return std::nullopt;
  std::vector<Troca> trocas;
  for (std::size_t i = 1; i + 1 < linhas.size(); ++i) {
    std::vector<std::string> c = separa(linhas[i], '\t');
    if (c.size() != 3 || !preparadoValido(c[0]) || !nomeSimples(c[1])) return std::nullopt;
    Troca t{c[0], c[1], separa(c[2], ',')};
    for (const std::string& n : t.indices)
      if (!nomeSimples(n)) return std::nullopt;
    trocas.push_back(std::move(t));
  }
  if (rodape[0] != std::to_string(trocas.size())) return std::nullopt;
  return trocas;
}

Result<std::optional<TravaRestauracao>> TravaRestauracao::tenta(const std::string& pastaLx) {
  Result<std::optional<File>> f = travaArquivoDiario(junta(pastaLx, kDiarioRestauracao));
  if (!f) return f.status();
  if (!f->has_value()) return std::optional<TravaRestauracao>();
  Result<bool> r = finaliza(**f, pastaLx);
  if (!r) return r.status();
  return std::optional<TravaRestauracao>(TravaRestauracao(std::move(**f), pastaLx));
}

TravaRestauracao::~TravaRestauracao() {
  // A restore that ended before its moves (the user said no, the archive was refused) leaves
  // nothing; one whose moves failed keeps its journal for the next start to finish.
  if (!arquivo_.isOpen()) return;
  // An empty journal recorded nothing; one that cannot be removed is finished as empty next time.
  if (auto n = arquivo_.size(); n && *n == 0) (void)conclui();
}

Status TravaRestauracao::troca(const std::vector<Troca>& trocas, const std::function<void(int)>& meio) {
  const std::string b = codificaRestauracao(trocas);
  RT_TRY(arquivo_.truncate(0));
  RT_TRY(arquivo_.writeAt(0, b));
  RT_TRY(arquivo_.sync());
  RT_TRY(rt::db::syncDirectoryOf(junta(pasta_, kDiarioRestauracao)));
  RT_TRY(move(pasta_, trocas, meio));
  return conclui();
}

Status TravaRestauracao::conclui() {
  limpaRestos(pasta_);
  // Emptied and synced first: an empty journal that outlives its name is harmless.
  RT_TRY(arquivo_.truncate(0));
  RT_TRY(arquivo_.sync());
  const std::string caminho = junta(pasta_, kDiarioRestauracao);
  if (arquivo_.sameFileAs(caminho)) ::unlink(caminho.c_str());
  arquivo_.close();
  return Status::ok();
}

bool recuperaRestauracao(const std::string& pastaLx) {
  bool restos = rt::db::fileExists(junta(pastaLx, kDiarioRestauracao));
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(pastaLx, ec)) {
    const std::string nome = e.path().filename().string();
    restos = restos || nome.starts_with(kPrefixoRestauracao) || platform::wildcardMatch(nome, "IMPZIP??????.ICE");
  }
  if (!restos) return false;
  const std::string caminho = junta(pastaLx, kDiarioRestauracao);
  Result<std::optional<File>> f = travaArquivoDiario(caminho);
  if (!f || !f->has_value()) return false;  // a restore is running
  Result<bool> feito = finaliza(**f, pastaLx);
  if ((*f)->sameFileAs(caminho)) ::unlink(caminho.c_str());
  return feito && *feito;
}

}  // namespace store

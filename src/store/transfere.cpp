#include "store/transfere.h"

#include <algorithm>
#include <optional>
#include <set>

#include "console/pastas.h"
#include "platform/drive.h"
#include "rt/db/file.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/dialogos.h"
#include "store/em_uso.h"
#include "store/pastas_dados.h"
#include "store/recusa.h"
#include "store/reorg.h"
#include "store/tabelas_declaracao.h"
#include "store/travas.h"

namespace store {

using rt::text::doisDigitos;
using namespace rt::text::literals;
using rt::Error;
using rt::Status;
using rt::db::Table;

// ---------------------------------------------------------------- one taxpayer

namespace {

// The origin folder's register borrows the area of the register's working copy, which a
// transfer does not use.
constexpr Area kRegistroOrigem = Area::TMP_09;

void fechaDestino(Contexto& ctx, const std::vector<Area>& ns) {
  for (Area n : ns) ctx.areas.release(n);
}

// The origin register in area 29 (alias ORIGEM), with its CPF order.
bool abreRegistroOrigem(Contexto& ctx, std::string_view pasta, bool exclusivo) {
  if (ctx.areas.isOpen(kRegistroOrigem)) return true;
  UsaPasta naPasta(ctx, pasta);
  const TabelaDef& t = *tabela(Area::IMP0910);
  Uso uso;
  uso.caminho = caminho(ctx, comExtensao(arquivoTabela(ctx, t), ".DBF"));
  uso.alias = "ORIGEM";
  uso.exclusivo = exclusivo;
  if (!usa(ctx, kRegistroOrigem, uso, 10)) {
    avisaIndisponivel(ctx, arquivoTabela(ctx, t));
    return false;
  }
  Table& r = *ctx.areas.table(kRegistroOrigem);
  const IndiceDef i = indicesDe(ctx, t).front();
  if (!r.openIndex(caminho(ctx, comExtensao(i.arquivo, ".CDX")), i.chave) || !r.useOrder(1)) {
    ctx.areas.release(kRegistroOrigem);
    avisaIndisponivel(ctx, arquivoTabela(ctx, t));
    return false;
  }
  return true;
}

// Reads the origin rows of every table of the part; held exclusively when they are to go.
bool leOrigem(Contexto& ctx, const workareas::Emprestimo& origens, const Transferencia& tr, const std::string& cpf,
              std::vector<TabelaDiario>& linhas) {
  UsaPasta naPasta(ctx, tr.origem);
  for (Area n : tabelasDaParte(tr.parte)) {
    const TabelaDef& t = *tabela(n);
    const std::string arquivo = arquivoTabela(ctx, t);
    if (!existe(ctx, comExtensao(arquivo, ".DBF"))) {
      linhas.push_back(tabelaVazia(n));
      continue;
    }
    const Area area = origens.area(numero(n));
    Uso uso;
    uso.caminho = caminho(ctx, comExtensao(arquivo, ".DBF"));
    uso.alias = "ORIG" + doisDigitos(numero(n));
    uso.exclusivo = tr.mover;
    if (!usa(ctx, area, uso, 10)) {
      avisaIndisponivel(ctx, arquivo);
      return false;
    }
    Table& tab = *ctx.areas.table(area);
    const IndiceDef i = indicesDe(ctx, t).front();
    const std::string cdx = caminho(ctx, comExtensao(i.arquivo, ".CDX"));
    // Without its index (or with one that cannot be had shared) the table is read in full.
    if (rt::db::fileExists(cdx) && tab.openIndex(cdx, i.chave)) tab.setOrder(1);
    auto l = linhasDoCpf(tab, n, cpf);
    if (!l) {
      avisaIndisponivel(ctx, arquivo);
      return false;
    }
    linhas.push_back(std::move(*l));
  }
  return true;
}

// The taxpayer written into the destination folder: his register row (appended, or the old
// one when overwriting is asked) with every field of the origin's, and the part's rows, all
// under the destination tables held exclusively. Saltado when he is there and may not be
// overwritten.
ResultadoTransf gravaDestino(Contexto& ctx, const Transferencia& tr, const std::string& cpf,
                             const std::vector<TabelaDiario>& linhas, Table& origem, std::uint32_t linhaOrigem,
                             std::string* motivo) {
  const std::vector<Area> ns = tabelasDaParte(tr.parte);
  UsaPasta naPasta(ctx, tr.destino);
  if (!ABERTURA(ctx, Area::IMP0910)) return ResultadoTransf::Falhou;
  Table& destino = *tabela(ctx.areas, Area::IMP0910);
  const bool jaExiste = destino.seek(cpf) && destino.found();
  if (jaExiste && !tr.sobrepoe) return ResultadoTransf::Saltado;
  const std::uint32_t linhaDestino = jaExiste ? destino.recNo() : 0;
  // Every destination table held before anything is written.
  for (Area n : ns) {
    if (!ABERTURA(ctx, n, true)) {
      fechaDestino(ctx, ns);
      return ResultadoTransf::Falhou;
    }
  }
  seleciona(ctx.areas, Area::IMP0910);
  // The register row is written where the cursor stands: a failed move writes nothing.
  if (jaExiste) destino.goTo(linhaDestino);
  Status s = jaExiste ? destino.status() : Status();
  const bool preso = s && (jaExiste ? REC_LOCK(ctx, kEsperaTrava) : ADD_REC(ctx, kEsperaTrava));
  if (s && !preso) s = Status(Error::kLocked, "register");
  if (s && !jaExiste) s = destino.put("CPF", cpf);
  if (s && !jaExiste) s = destino.flush();
  if (s) s = gravaLinhas(ctx, tr.destino, cpf, linhas);
  if (s) {
    // Every field of the origin row, by name.
    const std::vector<int> mapa = mapaCampos(origem, destino);
    origem.goTo(linhaOrigem);
    s = origem.status();
    if (s) s = copiaCampos(origem, destino, mapa);
    if (s) s = destino.commit();
  } else if (preso && !jaExiste) {
    // The transfer has failed already and is reported so; the row it appended is taken back,
    // and one that stays (the CPF and nothing else) is named in that report.
    Status desfeito = destino.markDeleted();
    if (desfeito) desfeito = destino.flush();
    if (!desfeito && motivo != nullptr) *motivo = "falhou, e ficou no destino um registro so com o CPF";
  }
  // After the commit the release has nothing left to write; should it fail, the transfer did.
  if (const Status liberada = destino.unlock(); s) s = liberada;
  fechaDestino(ctx, ns);
  return s ? ResultadoTransf::Feito : ResultadoTransf::Falhou;
}

// A move's second half, once the destination holds the whole taxpayer: his rows and then his
// register row taken out of the origin. False, with the reason, when some stay there.
bool apagaDaOrigem(Contexto& ctx, const Transferencia& tr, const std::string& cpf,
                   const std::vector<TabelaDiario>& linhas, Table& origem, std::uint32_t linhaOrigem,
                   std::string* motivo) {
  std::vector<TabelaDiario> vazias;
  for (const TabelaDiario& t : linhas) vazias.push_back({t.numero, t.campos, {}});
  if (!gravaLinhas(ctx, tr.origem, cpf, vazias)) {
    // The destination is whole; the origin keeps its rows too: the taxpayer is in both.
    if (motivo != nullptr) *motivo = "copiado, mas nao apagado da origem";
    return false;
  }
  ctx.areas.select(kRegistroOrigem);
  // The origin's register row goes last; a row that stays is said like the rows that stay.
  origem.goTo(linhaOrigem);
  Status apagada = origem.status();
  if (apagada && !origem.isExclusive() && !REC_LOCK(ctx, kEsperaTrava)) apagada = Status(Error::kLocked, "register");
  if (apagada) apagada = origem.markDeleted();
  // The release writes the row first.
  if (const Status liberada = origem.unlock(); apagada) apagada = liberada;
  if (!apagada && motivo != nullptr) *motivo = "copiado, mas nao apagado da origem";
  return apagada.isOk();
}

}  // namespace

ResultadoTransf transfereContribuinte(Contexto& ctx, const Transferencia& tr, const Cpf& cpfDado,
                                      std::string* motivo) {
  const std::string& cpf = cpfDado.chave();
  // Held until the end, so neither declaration can be opened while its rows change.
  UsoDeclaracao usoOrigem, usoDestino;
  if ((tr.mover && !reservaDeclaracao(ctx, tr.origem, cpf, usoOrigem, motivo)) ||
      !reservaDeclaracao(ctx, tr.destino, cpf, usoDestino, motivo))
    return ResultadoTransf::EmUso;
  if (!abreRegistroOrigem(ctx, tr.origem, false)) return ResultadoTransf::Falhou;
  // The origin's tables, read into the areas lent to the transfer, are let go on every way out.
  workareas::Emprestimo origens(ctx.areas, workareas::kOrigensTransferencia);
  Table& origem = *ctx.areas.table(kRegistroOrigem);
  if (!origem.seek(cpf) || !origem.found()) return ResultadoTransf::Falhou;
  const std::uint32_t linhaOrigem = origem.recNo();

  std::vector<TabelaDiario> linhas;
  if (!leOrigem(ctx, origens, tr, cpf, linhas)) return ResultadoTransf::Falhou;
  const ResultadoTransf escrito = gravaDestino(ctx, tr, cpf, linhas, origem, linhaOrigem, motivo);
  if (escrito != ResultadoTransf::Feito || !tr.mover) return escrito;
  // The origin's rows go only now that the destination holds the whole taxpayer.
  origens.soltaTodas();
  return apagaDaOrigem(ctx, tr, cpf, linhas, origem, linhaOrigem, motivo) ? ResultadoTransf::Feito
                                                                          : ResultadoTransf::Falhou;
}

// ---------------------------------------------------------------- the dialog

bool perguntaPastas(Contexto& ctx, int modo, PastasTransf& p) {
  const std::string rotaBack(rt::text::alltrim(leConfig(ctx, "ROTABACK")));
  p.origem = modo == 3 ? rotaBack : ctx.ROTADOANO;
  p.destino = modo == 2 ? rotaBack : modo == 3 ? ctx.ROTADOANO : std::string();
  for (;;) {
    if (!pedePastas(ctx, 2, p.origem, p.destino)) return false;
    if (p.origem.empty() || p.destino.empty()) {
      SAI_FORA(ctx);
      return false;
    }
    // The entries take more than the 40 characters that ROTABACK and the register keep.
    if (!pastaCabe(ctx, p.origem) || !pastaCabe(ctx, p.destino)) continue;
    if (mesmaPasta(ctx, p.origem, p.destino)) {
      ctx.relato().alerta("ATENCAO! As Pastas não podem ser iguais"_cp);
      continue;
    }
    if (!platform::folderExists(pastaLinux(ctx, p.origem))) {
      ctx.relato().alerta("Pasta de  origem " + p.origem + " inexistente !!");
      continue;
    }
    if (!platform::canWriteTo(ctx.unidades.toLinux(p.destino))) {
      ctx.relato().alerta("Foi colocado o Disquete?");
      continue;
    }
    if (modo != 3 && !VEJA_ARQ(ctx, 11, p.origem, "IMP", "10")) continue;
    // A new folder is made only when the user agrees (a typing mistake would otherwise become
    // a folder full of tables); a refusal or a failure asks again.
    if (p.destino.size() > 3 && !console::CRI_NDIR(ctx, p.destino, " TAVREN")) continue;
    // Remembered for the next time; gravaConfig says its own failure.
    if (modo == 2) gravaConfig(ctx, "ROTABACK", p.destino).ignoreTold();
    if (modo == 3) gravaConfig(ctx, "ROTABACK", p.origem).ignoreTold();
    return true;
  }
}

namespace {

// Esc pressed meanwhile asks whether to stop.
bool interrompe(Contexto& ctx) {
  while (ctx.console.keyWaiting()) {
    if (ctx.console.inkey(std::chrono::milliseconds(0)).code == rt::term::key::Esc)
      return ctx.relato().pergunta("Abandona a transferência dos dados?"_cp, false);
  }
  return false;
}

std::vector<std::string> todosDoRegistro(Contexto& ctx, bool soRural) {
  std::vector<std::string> v;
  Table& r = *ctx.areas.table(kRegistroOrigem);
  r.goTop();
  if (!r.status()) return v;
  while (r.status() && !r.eof()) {
    if (!r.isDeleted() && (!soRural || r.getText("TEMRURAL") == "S")) v.push_back(r.getText("CPF"));
    r.skip(1);
    if (!r.status()) break;
  }
  return v;
}

// The end of a transfer that did not do all it was asked: what was carried, what was left
// where it was and why, and which destination tables still wait for their rebuild.
void informaTransferencia(Contexto& ctx, const Transferencia& tr, int feitos, int saltados,
                          const std::vector<std::string>& naoFeitos, const std::vector<std::string>& naoRefeitas,
                          bool interrompida) {
  std::vector<std::string> l;
  const bool incompleta = interrompida || !naoFeitos.empty();
  l.push_back(std::string(incompleta ? "Transferência incompleta para "_cp : "Transferência para "_cp) +
              std::string(rt::text::alltrim(tr.destino)));
  l.push_back(std::to_string(feitos) + (tr.mover ? " contribuinte(s) movido(s)." : " contribuinte(s) copiado(s).") +
              (saltados > 0 ? " " + std::to_string(saltados) + std::string(" já existente(s) saltado(s)."_cp) : std::string()));
  if (!naoFeitos.empty()) {
    l.push_back(std::to_string(naoFeitos.size()) + " nao transferido(s), ficam na origem:");
    const std::size_t mostra = std::min<std::size_t>(naoFeitos.size(), 6);
    for (std::size_t i = 0; i < mostra; ++i) l.push_back("  " + naoFeitos[i]);
    if (naoFeitos.size() > mostra) l.push_back("  ...");
  }
  if (interrompida) l.push_back("Interrompida: os demais nao foram transferidos.");
  if (!naoRefeitas.empty()) {
    std::string t = "Em uso, nao reorganizadas no destino:";
    for (const std::string& n : naoRefeitas) t += " " + n;
    l.push_back(t.substr(0, 74));
    l.push_back("Os dados estao completos; reorganize a pasta depois.");
  }
  ctx.relato().alerta(l);
}

// The transfer's questions (partial or total, copy or move, the part, what an existing CPF
// gets) and the CPFs chosen; nullopt when the clerk left one of them.
std::optional<Transferencia> pedeTransferencia(Contexto& ctx, const PastasTransf& p, const MarcaContribuintes& marca,
                                               std::vector<std::string>& cpfs) {
  const int total = ctx.relato().escolha(
      {"PARCIAL - Copia alguns selecionados ", "TOTAL  - Copia todos da pasta      "}, {"Parcial", "Total "});
  if (total == 0) return std::nullopt;
  const int mover = ctx.relato().escolha(
      {"COPIAR - Copia e mantem o original ", "MOVER - Copia e APAGA o original  "}, {"Copiar", "Mover"});
  if (mover == 0) return std::nullopt;
  const int parte = ctx.relato().escolha(
      {"Tudo - Transfere IR e MOL ", "SO IR - Transfere so o IR  ", "SO MOL Transfere so o MOL"},
      {"Tudo", "So Ir", "So MOL"});
  if (parte == 0) return std::nullopt;
  Transferencia tr;
  tr.origem = p.origem;
  tr.destino = p.destino;
  tr.mover = mover == 2;
  tr.parte = parte == 1 ? Parte::Tudo : parte == 2 ? Parte::SoIr : Parte::SoMol;
  const bool soRural = tr.parte == Parte::SoMol;
  cpfs = total == 1 ? (marca ? marca(ctx, kRegistroOrigem, soRural) : std::vector<std::string>{})
                    : todosDoRegistro(ctx, soRural);
  tr.sobrepoe =
      ctx.relato().escolha({"Encontrando CPF iguais "},
                           {"Sim - Sobrepoe os dados", std::string("Não - Salta o CPF      "_cp)}) == 1;
  return tr;
}

// What a run of transfers did.
struct Andamento {
  std::string ultimo;  // the last CPF carried
  int feitos = 0, saltados = 0;
  std::vector<std::string> naoFeitos;  // each: the CPF and why
  bool interrompida = false;
};

// Every CPF chosen carried in turn, until Esc stops the run.
Andamento transfereTodos(Contexto& ctx, const Transferencia& tr, const std::vector<std::string>& cpfs) {
  Andamento a;
  for (const std::string& cpf : cpfs) {
    // Looked at before the notice, which throws away what was typed.
    if (interrompe(ctx)) {
      a.interrompida = true;
      break;
    }
    ctx.relato().espera("ESC - Interrompe a transferência"_cp);
    std::string motivo;
    switch (transfereContribuinte(ctx, tr, cpf, &motivo)) {
      case ResultadoTransf::Feito:
        ++a.feitos;
        a.ultimo = cpf;
        break;
      case ResultadoTransf::Saltado:
        ++a.saltados;
        break;
      case ResultadoTransf::EmUso:
        a.naoFeitos.push_back(cpf + ": " + motivo);
        break;
      case ResultadoTransf::Falhou:
        a.naoFeitos.push_back(cpf + ": " + (motivo.empty() ? std::string("tabela não disponível"_cp) : motivo));
        break;
    }
  }
  ctx.relato().fimEspera();
  ctx.areas.releaseAll();
  return a;
}

// The destination's tables rebuilt one by one: one another terminal holds is left (its rows
// are complete, only not packed) and named, and the others are still done.
std::vector<std::string> refazDestino(Contexto& ctx, const std::string& destino) {
  std::vector<std::string> naoRefeitas;
  UsaPasta naPasta(ctx, destino);
  for (Area n : kComCopia)
    if (!reindexaTabela(ctx, n, 5))
      naoRefeitas.push_back("IMP" + std::string(numero(n) < 10 ? "0" : "") + std::to_string(numero(n)) + "10");
  ctx.areas.releaseAll();
  return naoRefeitas;
}

}  // namespace

Status TRANOME(Contexto& ctx, int modo, const MarcaContribuintes& marca) {
  PastasTransf p;
  if (!perguntaPastas(ctx, modo, p)) return falhaDita(Error::kFailed, "Esc");  // the clerk left
  if (modo != 1) return Status::ok();
  SAI_FORA(ctx);
  ctx.areas.releaseAll();
  // The whole office must be idle: every running terminal keeps the register open.
  if (!abreRegistroOrigem(ctx, p.origem, true)) {
    ctx.relato().alerta({"A transferencia entre pastas precisa do cadastro so para ela.",
                         "Saia do programa nos outros terminais e tente de novo."});
    passaParaPasta(ctx, ctx.ROTADOANO);
    return Status::ok();
  }
  std::vector<std::string> cpfs;
  const std::optional<Transferencia> tr = pedeTransferencia(ctx, p, marca, cpfs);
  if (!tr) {
    ctx.areas.releaseAll();
    passaParaPasta(ctx, ctx.ROTADOANO);
    return Status::ok();
  }
  const Andamento a = transfereTodos(ctx, *tr, cpfs);
  std::vector<std::string> naoRefeitas;
  if (a.feitos > 0) naoRefeitas = refazDestino(ctx, p.destino);
  registraPasta(ctx, p.destino).ignoreTold();  // a row it could not write is said
  if (a.interrompida || !a.naoFeitos.empty() || !naoRefeitas.empty()) {
    informaTransferencia(ctx, *tr, a.feitos, a.saltados, a.naoFeitos, naoRefeitas, a.interrompida);
    passaParaPasta(ctx, ctx.ROTADOANO, a.ultimo);
  } else if (ctx.relato().pergunta("Muda para a nova Pasta?", false)) {
    Table& reg = *tabela(ctx.areas, Area::DIRET);
    reg.goTop();
    while (reg.status() && !reg.eof() && !mesmaPasta(ctx, reg.getText("DIRETOR"), p.destino)) reg.skip(1);
    // TROCASIM says why it could not change folders; the transfer is done either way.
    (void)TROCASIM(ctx, 1, a.ultimo);
  } else {
    passaParaPasta(ctx, ctx.ROTADOANO, a.ultimo);
  }
  reabre(ctx, Area::DEFINE);
  reabre(ctx, Area::CONFIG);
  return Status::ok();
}

}  // namespace store

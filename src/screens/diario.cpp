#include "screens/diario.h"

#include <cstdint>

#include "console/alerta.h"
#include "console/documentos.h"
#include "console/janelas.h"
#include "console/menus.h"
#include "console/molduras.h"
#include "console/recusa.h"
#include "grid/edita.h"
#include "rt/db/file.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/binding.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/arquivos.h"
#include "store/campos.h"
#include "store/catalogo.h"
#include "store/em_uso.h"
#include "store/tabelas_declaracao.h"
#include "store/travas.h"

namespace screens {

using namespace rt::text::literals;
using rt::text::alltrim;
using rt::text::Decimal;
using store::Area;

namespace {

using store::inteiro;

constexpr Area kCopia = Area::TMP_13;

// The taxpayer's declaration held while the entries are posted into it, so no other terminal
// has it open meanwhile: its save would write back the tables as it read them, without the
// postings. This terminal's own hold (the driver's, when it loaded the declaration) lets it go.
bool reservaParaLancar(store::Contexto& ctx, const store::Cpf& cpf, store::UsoDeclaracao& uso) {
  store::PosseDeclaracao p = store::tomaDeclaracao(ctx, ctx.LOCARQ, cpf);
  if (p.livre) {
    uso = std::move(p.uso);
    return true;
  }
  if (!p.terminal.empty() && p.terminal == rt::text::padl(alltrim(ctx.NUSU), 2, '0')) return true;
  console::AVISOSN(ctx, {store::textoRecusa(p), std::string("Os lançamentos não foram transferidos."_cp)}, 0);
  return false;
}

void transfere(store::Contexto& ctx, const store::Cpf& cpf) {
  store::UsoDeclaracao uso;
  if (!reservaParaLancar(ctx, cpf, uso)) return;
  const int postados = LANCAVAL(ctx, cpf);
  console::AVISOSN(ctx, std::to_string(postados) + std::string(" lançamento(s) transferido(s)."_cp), 0);
}

}  // namespace

std::optional<Conta> contaDoPlano(store::Contexto& ctx, std::string_view codigo) {
  {
    // The chart stays open for the next account; only the selection comes back.
    const store::SelecaoGuardada selecao(ctx.areas);
    if (!store::aberta(ctx.areas, Area::CONTAS) && !store::ABERTURA(ctx, Area::CONTAS)) return std::nullopt;
  }
  rt::db::Table& t = *store::tabela(ctx.areas, Area::CONTAS);
  const std::string k = rt::text::padr(alltrim(codigo), 4);
  if (alltrim(k).empty()) return std::nullopt;
  t.setOrder(1);
  if (!t.seek(k).isOk() || !t.found()) return std::nullopt;
  return Conta{t.getText("CDCONTA"), t.getText("NMDESCRICA"), rt::text::upper(alltrim(t.getText("CDSTATUS"))),
               rt::text::upper(alltrim(t.getText("TEMCPF"))), rt::text::upper(alltrim(t.getText("TEMCGC"))),
               rt::text::upper(alltrim(t.getText("LIVROCX"))), rt::text::upper(alltrim(t.getText("TEMDESCR"))),
               inteiro(t, "PAGINA"), inteiro(t, "LINHA")};
}

Lancamento lancamentoDaLinha(const rt::db::Table& t) {
  return {t.getText("CDCONTA"),   t.getText("DESCONTA"),     t.getText("NROCGCCPF"),
          t.getText("CPFDEPEN"),  t.getNumber("VALODESP"),   inteiro(t, "MESINI"),
          inteiro(t, "MESFIM"),   t.getLogical("LANCADO")};
}

bool leLancamentos(store::Contexto& ctx, const store::Cpf& cpf, std::vector<Lancamento>& saida) {
  if (!store::ABERTURA(ctx, Area::IMP1310)) return false;
  rt::db::Table& t = *store::tabela(ctx.areas, Area::IMP1310);
  t.setOrder(0);
  for (t.goTop(); t.status() && !t.eof(); t.skip(1))
    if (!t.isDeleted() && t.getText("CPF") == cpf) saida.push_back(lancamentoDaLinha(t));
  return true;
}

namespace {

rt::Status poeLancamento(rt::db::Table& t, const store::Cpf& cpf, const Lancamento& l) {
  using rt::ui::Value;
  RT_TRY(t.put("CPF", Value(cpf.chave())));
  RT_TRY(t.put("CDCONTA", Value(l.CDCONTA)));
  RT_TRY(t.put("DESCONTA", Value(l.DESCONTA)));
  RT_TRY(t.put("VALODESP", Value(l.VALODESP)));
  RT_TRY(t.put("NROCGCCPF", Value(console::CONTAPONTO(l.NROCGCCPF))));
  RT_TRY(t.put("LANCADO", Value(l.LANCADO)));
  RT_TRY(t.put("MESINI", Value(Decimal::fromInt(l.MESINI))));
  RT_TRY(t.put("MESFIM", Value(Decimal::fromInt(l.MESFIM))));
  return t.put("CPFDEPEN", Value(l.CPFDEPEN));
}

}  // namespace

bool gravaLancamentos(store::Contexto& ctx, const store::Cpf& cpf, const std::vector<Lancamento>& lancamentos) {
  if (!store::ABERTURA(ctx, Area::IMP1310)) return false;
  rt::db::Table& t = *store::tabela(ctx.areas, Area::IMP1310);
  store::seleciona(ctx.areas, Area::IMP1310);
  if (!store::FIL_LOCK(ctx, store::kSemLimite)) return false;
  std::vector<std::uint32_t> antigos;
  t.setOrder(0);
  for (t.goTop(); t.status() && !t.eof(); t.skip(1))
    if (!t.isDeleted() && t.getText("CPF") == cpf) antigos.push_back(t.recNo());
  rt::Status s;
  for (std::size_t i = 0; s && i < lancamentos.size(); ++i) {
    s = t.appendBlank();
    if (s) s = poeLancamento(t, cpf, lancamentos[i]);
  }
  if (s) s = t.flush();
  // Only once every new row is written do the old ones go.
  for (std::size_t i = 0; s && i < antigos.size(); ++i) {
    t.goTo(antigos[i]);
    s = t.status();
    if (s) s = t.markDeleted();
  }
  // The release writes the last row first: its refusal is said below too.
  if (const rt::Status liberada = t.unlock(); s) s = liberada;
  if (!s)
    console::AVISOSN(ctx, {std::string("Não foi possível gravar os lançamentos do contribuinte."_cp),
                           console::textoRecusa(s, "IMP1310")},
                     0);
  return s.isOk();
}

bool abreCopiaLancamentos(store::Contexto& ctx, const store::Cpf& cpf) {
  if (!store::ABERTURA(ctx, Area::IMP1310)) return false;
  rt::db::Table& fonte = *store::tabela(ctx.areas, Area::IMP1310);
  // Made anew and held at once, without waiting: a copy another process holds is this
  // terminal's number in use elsewhere.
  const std::string base = store::caminhoCopia(ctx, store::numero(kCopia));
  ctx.areas.release(kCopia);
  rt::Status s = rt::db::Table::create(
      base + ".DBF", store::camposDbf(store::estrutura(store::numero(kCopia))), rt::db::CreateMode::kReplace);
  if (s) {
    rt::db::removeScratch(base + ".CDX");  // an index of an earlier copy: this one has none
    rt::db::OpenOptions op;
    op.exclusive = true;
    s = ctx.areas.open(kCopia, base + ".DBF", op);
  }
  if (!s) {
    if (s.code() == rt::Error::kInUse || s.code() == rt::Error::kLocked)
      console::AVISOSN(ctx, "Terminal com esse nro aberto em outro local", 0);
    else
      console::AVISOSN(ctx, console::textoRecusa(s, "TMP_13"), 0);
    return false;
  }
  rt::db::Table& copia = *ctx.areas.table(kCopia);
  const std::vector<int> mapa = store::mapaCampos(fonte, copia);
  fonte.setOrder(1);
  if (fonte.seek(cpf.chave()).isOk() && fonte.found()) {
    for (; s && !fonte.eof() && fonte.getText("CPF") == cpf; fonte.skip(1), s = fonte.status()) {
      if (fonte.isDeleted()) continue;
      s = copia.appendBlank();
      if (s) s = store::copiaCampos(fonte, copia, mapa);
    }
  }
  if (s) s = copia.flush();
  if (!s) {
    console::AVISOSN(ctx, console::textoRecusa(s, "TMP_13"), 0);
    ctx.areas.release(kCopia);
    return false;
  }
  copia.goTop();
  return true;
}

std::vector<Lancamento> lancamentosDaCopia(store::Contexto& ctx) {
  std::vector<Lancamento> v;
  rt::db::Table* t = ctx.areas.table(kCopia);
  if (t == nullptr) return v;
  t->setOrder(0);
  for (t->goTop(); t->status() && !t->eof(); t->skip(1))
    if (!t->isDeleted()) v.push_back(lancamentoDaLinha(*t));
  return v;
}

bool acrescentaNaCopia(store::Contexto& ctx, const store::Cpf& cpf, const Lancamento& l) {
  rt::db::Table* t = ctx.areas.table(kCopia);
  rt::Status s = t == nullptr ? rt::Status(rt::Error::kNotFound, "TMP_13") : t->appendBlank();
  if (s) s = poeLancamento(*t, cpf, l);
  if (s) s = t->flush();
  if (!s) console::AVISOSN(ctx, console::textoRecusa(s, "TMP_13"), 0);
  return s.isOk();
}

bool LANCAMEN(store::Contexto& ctx, const store::Cpf& cpf) {
  // One terminal at a time in a taxpayer's journal: the write-back replaces his entries with
  // this terminal's copy, which holds nothing another terminal typed meanwhile.
  store::PosseDeclaracao posse = store::tomaLancamentos(ctx, ctx.LOCARQ, cpf);
  if (!posse.livre) {
    console::AVISOSN(ctx, store::textoLancamentosEmUso(posse), 0);
    return false;
  }
  if (!store::ABERTURA(ctx, Area::CONTAS)) return false;
  ctx.janelas.FECHAJAN(console::Jan::kMensagem);
  if (!abreCopiaLancamentos(ctx, cpf)) {
    store::solta(ctx.areas, Area::CONTAS);
    return false;
  }
  console::MTELA3(ctx, console::mtela3::MenuDiario);
  const auto menu = console::JanelaAberta::adota(ctx.janelas, console::Jan::kTela);
  const std::optional<console::ItensMoldura> itens = console::itensMoldura(ctx, console::Familia::MTELA3, console::mtela3::MenuDiario);
  grid::Grade g;
  g.CPF = cpf;
  g.OPCAO_1 = 12;
  ctx.POSVER = 1;
  for (int escolha = 1; itens && escolha != 0;) {
    console::OpcoesMenu opcoes;
    opcoes.teclas = "LTVA";
    opcoes.mensagens = {std::string("Faz os lançamentos dos dados"_cp), std::string("Transfere os novos lançamentos para o IR"_cp),
                        std::string("Visualiza os lançamentos feitos"_cp), "Altera ou cria novo plano de contas"};
    escolha = console::ESC_OPCAO(ctx, itens->janela, itens->quantos, itens->coluna, itens->largura, opcoes, itens->deslocamento);
    if (escolha == 1) FAZLANC(ctx, cpf);
    if (escolha == 2) transfere(ctx, cpf);
    if (escolha == 3 || escolha == 4) {
      const Area area = escolha == 3 ? Area::TMP_13 : Area::CONTAS;
      store::seleciona(ctx.areas, area);
      store::tabela(ctx.areas, area)->goTop();
      grid::EDITA(ctx, g, escolha == 3 ? grid::Tela::Despesas : grid::Tela::Contas);
    }
  }
  const bool ok = gravaLancamentos(ctx, cpf, lancamentosDaCopia(ctx));
  store::FECHA_TODO(ctx);
  store::solta(ctx.areas, Area::CONTAS);
  ctx.janelas.FECHAJAN(console::Jan::kMensagem);
  return ok;
}

}  // namespace screens

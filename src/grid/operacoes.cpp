// The grid keys that change several rows: delete with the dependant's cascade, mark all,
// sorting, subtotal, renumbering and inserting rows.
#include <algorithm>
#include <filesystem>
#include <vector>

#include "console/mensagens.h"
#include "console/pastas.h"
#include "grid/edita.h"
#include "grid/gravacoes_grade.h"
#include "grid/memoria.h"
#include "grid/sessao.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/areas.h"
#include "store/tabelas_declaracao.h"
#include "store/travas.h"

namespace grid {

using namespace rt::text::literals;
using rt::db::Table;
using rt::text::Decimal;

namespace {

bool sim(store::Contexto& ctx, std::string_view texto, int linhas = 1) {
  return console::MENS(ctx, console::mens::Escolha, texto, {.linhas = linhas, .teclas = "SN"}) == "S";
}

std::string aparado(const Table& t, std::string_view campo) { return std::string(rt::text::trim(t.getText(campo))); }

// Every visible record of a table, in its order, as record numbers (the pass itself changes
// rows, so the numbers are taken first).
std::vector<std::uint32_t> registros(Table& t) {
  std::vector<std::uint32_t> v;
  for (t.goTop(); t.status() && !t.eof(); t.skip(1)) v.push_back(t.recNo());
  return v;
}

// Deletes a row of another area (the grid's own tables are the terminal's working copies).
void apaga(store::Contexto& ctx, GravacoesGrade& grava, Table& t) {
  if (store::REC_LOCK(ctx, store::kEsperaTrava)) {
    grava.confere(t.markDeleted(), "a exclusão da linha"_cp);
    grava.destrava();
  }
}

// The dependant's cascade: his incomes, carnê-leão rows and payments go with him after one
// question whenever any of them refers to him; the payments of the dependants after him are
// renumbered, whatever their code. False when the user refused (nothing is deleted).
bool cascataDependente(Sessao& s) {
  store::Contexto& ctx = s.ctx;
  GravacoesGrade grava(ctx);
  Table& dep = *s.t();
  const std::string cpf = aparado(dep, "CPFDEPEN");
  const Decimal nro = dep.getNumber("NRODEPEN");
  const std::uint32_t volta = dep.recNo();

  Table* rend = store::tabela(ctx.areas, store::Area::TMP_02);
  Table* leao = store::tabela(ctx.areas, store::Area::TMP_12);
  Table* pag = store::tabela(ctx.areas, store::Area::TMP_06);
  std::vector<std::uint32_t> deRend, deLeao, dePag;
  bool pj = false;
  if (!cpf.empty()) {
    if (rend != nullptr) {
      rend->clearFilter();
      for (std::uint32_t r : registros(*rend)) {
        rend->goTo(r);
        if (aparado(*rend, "I1_8") == cpf) {
          if (deRend.empty()) pj = aparado(*rend, "I1_1") == "D";
          deRend.push_back(r);
        }
      }
    }
    if (leao != nullptr)
      for (std::uint32_t r : registros(*leao)) {
        leao->goTo(r);
        if (aparado(*leao, "CPFDEPEN") == cpf) deLeao.push_back(r);
      }
  }
  if (pag != nullptr && nro.raw() > 0)
    for (std::uint32_t r : registros(*pag)) {
      pag->goTo(r);
      if (pag->getNumber("I6_6") == nro) dePag.push_back(r);
    }
  if (!deRend.empty() || !deLeao.empty() || !dePag.empty()) {
    const std::string palavra = pj ? "PJ e PF  " : std::string("P.Física "_cp);
    const std::string texto = duasLinhas(std::string("Esse dependente tem rendimentos recebido de "_cp) + palavra,
                                         "que também serão retirados. Exclui mesmo assim? "_cp);
    if (!sim(ctx, texto, 2)) return false;
  }
  auto apagaEm = [&](store::Area area, Table* t, const std::vector<std::uint32_t>& lista) {
    if (t == nullptr) return;
    store::seleciona(ctx.areas, area);
    for (std::uint32_t r : lista) {
      t->goTo(r);
      apaga(ctx, grava, *t);
    }
  };
  apagaEm(store::Area::TMP_12, leao, deLeao);
  apagaEm(store::Area::TMP_02, rend, deRend);
  apagaEm(store::Area::TMP_06, pag, dePag);
  if (pag != nullptr && nro.raw() > 0) {
    store::seleciona(ctx.areas, store::Area::TMP_06);
    for (std::uint32_t r : registros(*pag)) {
      pag->goTo(r);
      const Decimal n = pag->getNumber("I6_6");
      if (n > nro && store::REC_LOCK(ctx, store::kEsperaTrava)) {
        grava.put(*pag, "I6_6", n - Decimal::fromInt(1));
        grava.destrava();
      }
    }
  }
  s.seleciona();
  dep.goTo(volta);
  return true;
}

// Line numbers of the rows after `base` (other than the new rows) moved up, so that they keep
// following the rows put after `base`: base + n + 10, + 20 ...
void afastaSeguintes(Sessao& s, const std::string& campoLinha, Decimal base, int n,
                     const std::vector<std::uint32_t>& novos) {
  Table& t = *s.t();
  GravacoesGrade grava(s.ctx);
  std::vector<std::pair<Decimal, std::uint32_t>> seguintes;
  for (std::uint32_t r : registros(t)) {
    if (std::find(novos.begin(), novos.end(), r) != novos.end()) continue;
    t.goTo(r);
    const Decimal l = t.getNumber(campoLinha);
    if (l > base) seguintes.emplace_back(l, r);
  }
  std::stable_sort(seguintes.begin(), seguintes.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  Decimal proximo = base + Decimal::fromInt(n + 10);
  for (const auto& [linha, r] : seguintes) {
    t.goTo(r);
    if (store::REC_LOCK(s.ctx, store::kEsperaTrava)) {
      grava.put(t, campoLinha, proximo);
      grava.destrava();
    }
    proximo = proximo + Decimal::fromInt(10);
  }
}

std::string chaveColuna(std::string_view campo) {
  if (campo == "DT_LC") return "DTOS(DT_LC)";
  if (campo == "DESCR") return "upper(DESCR)";
  if (campo == "VALOR") return "str(VALOR)";
  if (campo == "NROIMO") return "str(NROIMO)";
  if (campo == "TEMITR") return "upper(TEMITR)";
  return {};
}

std::string arquivoTrabalho(const Sessao& s, std::string_view nome) {
  return console::caminhoLinux(s.ctx, s.ctx.LOCTRAB + std::string(nome) + s.ctx.NUSU);
}

}  // namespace

void EXCLUI_LINHA(Sessao& s) {
  store::Contexto& ctx = s.ctx;
  GravacoesGrade grava(ctx);
  s.seleciona();
  Table* t = s.t();
  if (t == nullptr || t->eof() || !store::REC_LOCK(ctx, store::kEsperaTrava)) return;
  const std::string pergunta =
      s.tela.perguntaApaga.empty() ? std::string("Confirma a Exclusão dessa linha?"_cp) : s.tela.perguntaApaga;
  if (!sim(ctx, pergunta)) {
    grava.destrava();
    return;
  }
  if (s.tela.tracos.dependentes) {
    if (!cascataDependente(s)) {
      grava.destrava();
      s.sair = true;
      return;
    }
    if (!store::REC_LOCK(ctx, store::kEsperaTrava)) return;
  }
  grava.confere(t->markDeleted(), "a exclusão da linha"_cp);
  grava.destrava();
  if (s.tela.tracos.dependentes) {
    for (std::uint32_t r : registros(*t)) {
      t->goTo(r);
      if (store::REC_LOCK(ctx, store::kEsperaTrava)) {
        grava.put(*t, "NRODEPEN", Decimal());
        grava.destrava();
      }
    }
    s.g.srv().NRODP(ctx, s.g);
    s.seleciona();
    t->goTop();
  } else if (s.tela.tracos.poupanca) {
    s.g.srv().FCALPOUPA(ctx, s.g, 1);
    s.seleciona();
  }
  t->skip(1);
  if (t->eof()) t->skip(-1);
  if (t->eof() || !t->isVisible()) {
    t->goTop();
  }
  if (t->eof()) s.g.LAPPEND = true;
  s.redesenha();
}

void MARCA_TODOS(Sessao& s, bool marca) {
  store::Contexto& ctx = s.ctx;
  GravacoesGrade grava(ctx);
  s.seleciona();
  Table* t = s.t();
  if (t == nullptr || !store::FIL_LOCK(ctx, store::kEsperaTrava)) return;
  for (std::uint32_t r : registros(*t)) {
    t->goTo(r);
    bool este = marca;
    if (marca && s.tela.tracos.marcaDevedores) {
      const Decimal um = Decimal::fromInt(1);
      este = t->getNumber("NRQUOTA") > um || t->getNumber("NRCLEAO") > um || t->getNumber("NRGCAPIT") > um ||
             t->getNumber("NRRVARIV") > um;
    }
    grava.put(*t, "IMPRE", std::string(este ? "S" : s.tela.tracos.desmarcaEmBranco ? " " : "N"));
  }
  grava.destrava();
  t->goTop();
  s.redesenha();
}

void ORDENA(Sessao& s, bool secundaria) {
  s.seleciona();
  Table* t = s.t();
  if (t == nullptr) return;
  const std::string chave = chaveColuna(s.g.EDI_CAMPO);
  if (!secundaria) {
    t->goTop();
    if (!chave.empty()) {
      const std::string arquivo = arquivoTrabalho(s, s.tela.tracos.indiceOrdem) + ".CDX";
      LIMPA_ORDENS(s);
      t->closeIndexes();
      if (t->createIndex(arquivo, chave).isOk()) t->setOrder(1);
      t->goTop();
    }
  } else {
    if (chave.empty() || s.g.EDI_CAMPO == "TEMITR" || t->order() == 0) return;
    const std::string atual = t->orderExpression(t->order());
    if (rt::text::upper(atual) == rt::text::upper(chave)) return;
    if (s.chaveAntes.empty()) s.chaveAntes = t->orderExpression(1);
    const std::string arquivo = arquivoTrabalho(s, "PRA_" + s.g.EDI_CAMPO.substr(0, 2)) + ".CDX";
    if (t->createIndex(arquivo, atual + "+" + chave).isOk()) {
      s.temporarios.push_back(arquivo);
      t->setOrder(t->orderCount());
    }
    t->goTop();
  }
  s.redesenha();
}

void LIMPA_ORDENS(Sessao& s) {
  if (s.temporarios.empty()) return;
  Table* t = s.t();
  if (t != nullptr) {
    t->closeIndexes();
    const std::string proprio = store::caminhoCopia(s.ctx, s.area);
    if (!proprio.empty() && !s.chaveAntes.empty()) {
      if (t->openIndex(proprio + ".CDX", s.chaveAntes).isOk()) t->setOrder(1);
    }
  }
  std::error_code erro;
  for (const std::string& a : s.temporarios) std::filesystem::remove(a, erro);
  s.temporarios.clear();
  s.chaveAntes.clear();
}

void SUBTOTAL(Sessao& s, bool fim) {
  s.seleciona();
  Table* t = s.t();
  if (t == nullptr || t->eof()) return;
  if (!fim) {
    s.g.POSCONTA = t->getText("DESCR");
    s.g.POSREG = t->recNo();
    return;
  }
  const std::uint32_t ate = t->recNo();
  Decimal soma;
  bool achou = false, inicio = false;
  for (t->goTop(); t->status() && !t->eof(); t->skip(1)) {
    if (t->recNo() == s.g.POSREG) inicio = true;
    if (!inicio) continue;
    soma = soma + t->getNumber("VALOR");
    if (t->recNo() == ate) {
      achou = true;
      break;
    }
  }
  if (!achou) t->goTo(ate);
  console::MENS(s.ctx, console::mens::Nota, "SUBTOTAL=" + rt::text::transform(soma, "@Ez 999,999,999.99"), {.linha = 21, .janela = console::Jan::kSubtotal});
  s.redesenha();
}

void RENUMERA(Sessao& s) {
  store::Contexto& ctx = s.ctx;
  GravacoesGrade grava(ctx);
  s.seleciona();
  Table* t = s.t();
  const std::string& campo = s.tela.campoItem;
  if (!sim(ctx, "Reorganiza os nros dos Bens após esse Item.?"_cp)) return;
  const Decimal item = t->getNumber(campo);
  if (item.isZero()) {
    console::MENS(ctx, console::mens::AvisoSemMoldura, "Só é possível reorganizar a partir de um Item diferente de 0"_cp);
    return;
  }
  const std::uint32_t volta = t->recNo();
  if (Decimal* corrente = linhaCorrente(s.g, s.tela.campoLinha)) *corrente = t->getNumber(s.tela.campoLinha);
  Decimal proximo = item;
  for (t->skip(1); t->status() && !t->eof(); t->skip(1)) {
    if (t->getNumber(campo).isZero()) continue;  // continuation lines of a description
    proximo = proximo + Decimal::fromInt(1);
    if (store::REC_LOCK(ctx, store::kEsperaTrava)) {
      grava.put(*t, campo, proximo);
      grava.destrava();
    }
  }
  t->goTo(volta);
  s.redesenha();
}

void INSERE_APOS(Sessao& s, int quantos) {
  store::Contexto& ctx = s.ctx;
  GravacoesGrade grava(ctx);
  s.seleciona();
  Table* t = s.t();
  const std::string& campoLinha = s.tela.campoLinha;
  const Decimal base = campoLinha.empty() ? Decimal() : t->getNumber(campoLinha);
  std::vector<std::uint32_t> novos;
  for (int i = 1; i <= quantos; ++i) {
    if (!store::ADD_REC(ctx, store::kEsperaTrava)) break;
    if (s.tela.tracos.gravaCpf && t->field("CPF") != nullptr) grava.put(*t, "CPF", s.g.CPF);
    if (s.tela.tracos.gravaAtividade && t->field("ATV_BRASIL") != nullptr) grava.put(*t, "ATV_BRASIL", s.g.ATV_BRASIL);
    if (!campoLinha.empty()) grava.put(*t, campoLinha, base + Decimal::fromInt(i));
    novos.push_back(t->recNo());
    grava.destrava();
  }
  // Rows picked from the remembered texts next sort just before this one.
  if (Decimal* corrente = linhaCorrente(s.g, campoLinha)) *corrente = base;
  if (!campoLinha.empty() && !novos.empty()) afastaSeguintes(s, campoLinha, base, static_cast<int>(novos.size()), novos);
  if (!novos.empty()) t->goTo(novos.front());
  s.g.LAPPEND = false;
  s.redesenha();
}

void INSERE_ANTES(Sessao& s) {
  store::Contexto& ctx = s.ctx;
  GravacoesGrade grava(ctx);
  if (!sim(ctx, "Insere uma linha ANTES desse Item?"_cp)) return;
  s.seleciona();
  Table* t = s.t();
  const std::uint32_t atual = t->recNo();
  const std::vector<std::uint32_t> visiveis = registros(*t);
  if (!ADIC_REG(ctx, s.g, s.tela.tracos)) return;
  s.seleciona();
  const std::uint32_t novo = t->recNo();
  // The rows from the current one on move one place towards the end, in record order, so
  // the new row takes the current one's place.
  std::vector<std::uint32_t> cadeia;
  for (std::uint32_t r : visiveis)
    if (r >= atual) cadeia.push_back(r);
  cadeia.push_back(novo);
  for (std::size_t i = cadeia.size() - 1; i > 0; --i) {
    t->goTo(cadeia[i - 1]);
    std::vector<rt::ui::Value> campos;
    for (int f = 0; f < t->fieldCount(); ++f) campos.push_back(t->get(f));
    t->goTo(cadeia[i]);
    if (store::REC_LOCK(ctx, store::kEsperaTrava)) {
      for (int f = 0; f < t->fieldCount(); ++f) grava.put(*t, f, campos[static_cast<std::size_t>(f)]);
      grava.destrava();
    }
  }
  t->goTo(atual);
  if (store::REC_LOCK(ctx, store::kEsperaTrava)) {
    if (s.tela.tracos.notas) {
      grava.put(*t, "OBSERV", std::string(60, ' '));
      grava.put(*t, "CODERR", Decimal());
      grava.put(*t, "PAGINA", Decimal());
    } else {
      for (const char* f : {"I1_2", "I1_3", "I1_8"}) grava.put(*t, f, std::string());
      for (const char* f : {"I1_4", "I1_5", "I1_6", "I1_7"}) grava.put(*t, f, Decimal());
    }
    grava.destrava();
  }
  s.redesenha();
}

}  // namespace grid

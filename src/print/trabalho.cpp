#include "print/trabalho.h"

#include <algorithm>
#include <filesystem>

#include "console/alerta.h"
#include "console/mensagens.h"
#include "console/pastas.h"
#include "grid/tela.h"
#include "print/pagina.h"
#include "print/perguntas.h"
#include "print/renda_variavel.h"
#include "print/rota.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/catalogo.h"
#include "store/tabelas_declaracao.h"

namespace print {

using namespace rt::text::literals;

namespace {

constexpr store::Area kRegistro = store::Area::IMP0910;
constexpr store::Area kPastas = store::Area::DIRET;

// Kinds whose sheet walks the register itself: with several taxpayers it runs once a folder.
bool percorreRegistro(int QUEIMP) { return QUEIMP == 11 || QUEIMP == 12 || QUEIMP == 14; }

// The state of one job: what the loops share.
struct Trabalho {
  store::Contexto& ctx;
  Impressao& imp;
  const Escolhas& esc;
  const ServicosImpressao& srv;
  FaixaTipo faixa;
  rt::Status rota;  // the routing's failure, told by PREP_IMP: the job stops there
};

// Opens print copy `area` with its print index for a copy of table `fonte`. The copy and its
// index are kept from the last taxpayer, so a job over a folder rewrites records in place and
// rebuilds nothing; a missing copy, or one of another structure, is made anew.
rt::Status abreCopiaDeImpressao(store::Contexto& ctx, store::Area area, const rt::db::Table& fonte) {
  const std::string base = store::caminhoCopia(ctx, area);
  const std::string chave = store::chaveCopia(area, store::TipoCopia::Impressao);
  if (rt::Status s = store::abreCopia(ctx, area); s) {
    rt::db::Table& copia = *ctx.areas.table(area);
    const std::vector<int> mapa = store::mapaCampos(fonte, copia);
    const bool igual = copia.fieldCount() == fonte.fieldCount() &&
                       std::find(mapa.begin(), mapa.end(), -1) == mapa.end();
    if (igual && copia.openIndex(base + ".CDX", chave) && copia.useOrder(1)) return {};
  }
  RT_TRY(store::criaCopia(ctx, area));
  return store::indexaCopia(ctx, area, store::TipoCopia::Impressao);
}

// Copies the rows of `cpf` in table n (open in its own area) into its print copy.
rt::Status copiaLinhas(store::Contexto& ctx, store::Area n, const store::Cpf& cpf) {
  rt::db::Table& fonte = *ctx.areas.table(n);
  RT_TRY(abreCopiaDeImpressao(ctx, store::copia(n), fonte));
  rt::db::Table& copia = *ctx.areas.table(store::copia(n));
  const int campoCpf = fonte.fieldIndex("CPF");
  std::vector<std::uint32_t> linhas;
  if (campoCpf >= 0) {
    // In Brazil and abroad alike: the rural sheets print both.
    RT_TRY(fonte.seek(cpf.chave()));
    while (fonte.status() && !fonte.eof() && fonte.raw(campoCpf) == cpf) {
      if (!fonte.isDeleted()) linhas.push_back(fonte.recNo());
      fonte.skip(1);
      RT_TRY(fonte.status());
    }
  }
  RT_TRY(store::copiaRegistros(fonte, copia, linhas));
  copia.goTop();
  return copia.status();
}

// After the sheets of a whole declaration: a new page, the gain statements, the
// variable-income statement, the special notes and, with rural activity, the rural sheets.
void declaracaoInteira(Trabalho& t, const store::Cpf& cpf) {
  store::Contexto& ctx = t.ctx;
  Impressao& imp = t.imp;
  imp.dispositivo.say(0, 0, " ");
  if (t.srv.GANHOS) t.srv.GANHOS(ctx, imp);
  const rt::db::Table* reg = ctx.areas.table(kRegistro);
  const std::string nome = reg != nullptr ? std::string(rt::text::trim(reg->getText("NOMECONTR"))) : std::string();
  GRV_IMP(ctx, imp, cpf, nome);
  if (t.srv.ANOTACOES) t.srv.ANOTACOES(ctx, imp);
  if (reg != nullptr && reg->getText("TEMRURAL") == "S" && t.srv.RURAL)
    for (bool brasil : {true, false})
      for (int parte : {1, 2}) t.srv.RURAL(ctx, imp, brasil, parte);
}

// IMPRESSAO: the job for one taxpayer.
void IMPRESSAO(Trabalho& t, const store::Cpf& cpf) {
  store::Contexto& ctx = t.ctx;
  Impressao& imp = t.imp;
  store::FECHA_PROV(ctx);
  ctx.areas.select(kRegistro);
  if (t.esc.QUECON != 1) {
    const rt::db::Table* reg = ctx.areas.table(kRegistro);
    console::MENS(ctx, console::mens::Linha, "Imprimindo " + (reg != nullptr ? std::string(rt::text::trim(reg->getText("NOMECONTR"))) : cpf.chave()));
  }
  if (t.faixa.ultima >= t.faixa.primeira && !INIVAR(ctx, cpf, t.faixa.primeira, t.faixa.ultima)) {
    // The copies could not be made (the reason was said): this taxpayer is not printed.
    return;
  }
  if (t.esc.QUEIMP == 13 && rt::text::alltrim(imp.job.CNOMERES).empty()) {
    console::OpcoesMens op;
    op.picture = "@S40";
    console::MENS(ctx, console::mens::Campo, "Informe nome do Responsavel: ", imp.job.CNOMERES, op);
  }
  if (t.esc.QUEIMP == 5) {
    if (t.srv.DARF) t.srv.DARF(ctx, imp);
    return;
  }
  if (rt::text::alltrim(imp.ARQ_IMP).empty()) {
    t.rota = PREP_IMP(ctx, imp);
    if (!t.rota) return;
  }
  if (t.esc.QUEIMP == 12) {
    if (t.srv.CADASTRO) t.srv.CADASTRO(ctx, imp);
    return;
  }
  bool impresso = false;
  for (int via = 1; via <= std::max(1, t.esc.NRO_VIAS) && !imp.CAN_IMP; ++via) {
    for (int folha = t.faixa.PRIF; folha <= t.faixa.ULTF; ++folha) {
      if (t.srv.FOLHA) t.srv.FOLHA(ctx, imp, folha);
      impresso = true;
      if (PAREIMP(ctx, imp)) return;
    }
  }
  if (t.faixa.PRIF == 1 && t.faixa.ULTF == 6) declaracaoInteira(t, cpf);
  ctx.janelas.FECHAJAN(console::Jan::kMensagem);
  const bool etiquetas = t.esc.QUEIMP == 14 && (t.esc.QUEMOD == 1 || t.esc.QUEMOD == 2);
  if (impresso && imp.QLIN > 0 && t.esc.QUEIMP != 9 && !etiquetas) {
    imp.dispositivo.eject();
    imp.QLIN = 0;
  }
}

// The register rows of the current folder, in its order, until the job is abandoned.
void porLinha(Trabalho& t) {
  rt::db::Table* reg = t.ctx.areas.table(kRegistro);
  if (reg == nullptr) return;
  if (percorreRegistro(t.esc.QUEIMP)) {
    reg->goTop();
    IMPRESSAO(t, reg->getText("CPF"));
    return;
  }
  reg->goTop();
  for (bool ok = reg->status().isOk(); ok && !reg->eof() && !t.imp.CAN_IMP && t.rota.isOk();) {
    const std::uint32_t linha = reg->recNo();
    const bool marcado = t.esc.QUECON != 2 || reg->getText("IMPRE") == "S";
    const int estatus = static_cast<int>(reg->getNumber("ESTATUS").wholePart());
    const bool naFaixa = t.esc.QUEIMP != 9 || t.imp.job.QUESTAT != 2 ||
                         (estatus >= t.imp.job.STAT_INIC && estatus <= t.imp.job.STAT_FINAL);
    if (marcado && naFaixa) IMPRESSAO(t, reg->getText("CPF"));
    // The sheets may move the register: the walk goes on from the row it was on.
    reg = t.ctx.areas.table(kRegistro);
    if (reg == nullptr) break;
    reg->goTo(linha);
    if (!reg->status()) break;
    reg->skip(1);
    ok = reg->status().isOk();
  }
}

// QUECON 4: every folder of the terminal's folder register that exists; the data folder the
// user was in is the current one again afterwards.
void porPasta(Trabalho& t) {
  store::Contexto& ctx = t.ctx;
  std::vector<std::string> pastas;
  if (store::ABERTURA(ctx, store::Area::DIRET)) {
    rt::db::Table& d = *ctx.areas.table(kPastas);
    for (d.goTop(); d.status() && !d.eof(); d.skip(1))
      if (const std::string p(rt::text::alltrim(d.getText("DIRETOR"))); !p.empty()) pastas.push_back(p);
  }
  const std::string antes = ctx.ROTADOANO;
  for (const std::string& pasta : pastas) {
    if (t.imp.CAN_IMP || !t.rota) break;
    std::error_code ec;
    if (!std::filesystem::is_directory(console::caminhoLinux(ctx, pasta), ec)) continue;
    ctx.areas.release(kRegistro);
    ctx.definePastaDados(pasta);
    if (store::ABERTURA(ctx, kRegistro)) porLinha(t);
  }
  store::FECHA_PROV(ctx);
  ctx.areas.release(kRegistro);
  ctx.definePastaDados(antes);
  store::reabre(ctx, store::Area::IMP0910);
}

}  // namespace

FaixaTipo faixaDoTipo(int QUEIMP, int QUEPAG) {
  FaixaTipo f;
  auto folhas = [&f](int a, int b) {
    f.PRIF = a;
    f.ULTF = b;
  };
  auto copias = [&f](int a, int b) {
    f.primeira = a;
    f.ultima = b;
  };
  if (QUEIMP >= 1 && QUEIMP <= 5) copias(2, 19);
  if (QUEIMP == 6 || QUEIMP == 7) copias(7, 8);
  if (QUEIMP == 9) copias(11, 11);
  if (QUEIMP == 10) copias(2, 2);
  switch (QUEIMP) {
    case 1:
    case 2:
      if (QUEPAG <= 2) folhas(1, 6);
      else if (QUEPAG <= 4) folhas(1, 4);
      else if (QUEPAG <= 8) folhas(QUEPAG - 4, QUEPAG - 4);
      else if (QUEPAG == 9) folhas(4, 4);
      else folhas(5, 5);
      break;
    case 3:
      if (QUEPAG == 2) folhas(14, 14);
      else if (QUEPAG == 3) folhas(15, 15);
      else folhas(14, 15);
      break;
    case 4:
    case 10:
      folhas(10, 10);
      break;
    case 6:
    case 7:
    case 8:
    case 9:
    case 11:
      folhas(QUEIMP, QUEIMP);
      break;
    case 13:
      folhas(12, 12);
      break;
    case 14:
      folhas(13, 13);
      break;
    default:  // 5 and 12 run their own reports
      break;
  }
  return f;
}

rt::Status INIVAR(store::Contexto& ctx, const store::Cpf& cpf, int primeira, int ultima) {
  console::MENS(ctx, console::mens::Linha, "Separando informações..."_cp);
  // Table 01 is read under its exclusive open, so no terminal is halfway through saving it.
  RT_TRY(store::abreExclusivaAguardando(ctx, store::Area::IMP0110, store::aguardandoCarregar()));
  store::solta(ctx.areas, store::Area::IMP0110);
  for (store::Area n : store::kComCopia) {
    if (store::numero(n) < primeira || store::numero(n) > ultima || n == store::Area::IMP0910) continue;
    RT_TRY(store::ABERTURA(ctx, n));
    const rt::Status s = copiaLinhas(ctx, n, cpf);
    ctx.areas.release(n);
    if (!s) {
      console::alerta(ctx,
                      {std::string("Não foi possível separar as informações do contribuinte"_cp),
                       rt::text::utf8ToCp860(s.message())},
                      {"Ok"});
      return s.markTold();
    }
  }
  ctx.areas.select(kRegistro);
  return {};
}

rt::Status FAZIMP(store::Contexto& ctx, Impressao& imp, const Escolhas& esc, const ServicosImpressao& srv,
                  const platform::EnvLookup& env, const std::string& cpf) {
  // Every job starts unrouted: a routing left from an earlier job would send this one to a
  // device that is already closed.
  imp.ARQ_IMP.assign(1, ' ');
  imp.roteadoNoTrabalho = false;
  imp.CAN_IMP = false;
  imp.QLIN = 0;
  imp.FEZ_TES = "N";
  defineDivisores(imp, '.');
  const std::string carta = imp.job.NOMCART;
  imp.job = {};
  imp.job.NOMCART = carta;
  if (!perguntasDoTipo(ctx, imp, esc, srv.pastaCartas, srv.CARTAS))
    return rt::Status(rt::Error::kFailed, "FAZIMP: a question left with Esc");
  Trabalho t{ctx, imp, esc, srv, faixaDoTipo(esc.QUEIMP, esc.QUEPAG), {}};
  RT_TRY(store::ABERTURA(ctx, kRegistro));  // the opener said why
  if (esc.QUECON == 1) {
    rt::db::Table& reg = *ctx.areas.table(kRegistro);
    reg.setOrder(1);
    const store::Cpf chave(cpf);
    if (reg.seek(chave.chave()) && reg.found()) IMPRESSAO(t, chave);
  } else if (esc.QUECON == 4) {
    porPasta(t);
  } else {
    porLinha(t);
  }
  ctx.janelas.FECHAJAN(console::Jan::kMensagem);
  rt::Status feito = t.rota;
  if (feito) {
    // The part printed before an abandon is still handed over: it is what the user saw go.
    PedidoImpTxt pedido;
    pedido.QUECON = esc.QUECON;
    pedido.MOSTEL = esc.MOSTEL;
    pedido.MOSIMP = esc.MOSIMP;
    pedido.MOSCPF = esc.MOSCPF;
    pedido.CPF = cpf;
    pedido.enviaEmail = srv.enviaEmail;
    if (const rt::db::Table* reg = ctx.areas.table(kRegistro); reg != nullptr && esc.QUECON == 1)
      pedido.EMAIL = reg->getText("EMAIL");
    if (naoDos(imp.conf))
      IMP_TXT(ctx, imp, pedido, env).ignoreTold();  // said by it, or nothing to hand over
    else
      feito = fechaSaida(ctx, imp);
    if (imp.CAN_IMP) console::AVISOSN(ctx, "Impressão abandonada."_cp, 0);
  }
  imp.CAN_IMP = false;
  return feito;
}

void SELECIONA(store::Contexto& ctx, Impressao& imp, const Escolhas& esc, const ServicosImpressao& srv,
               const platform::EnvLookup& env) {
  if (!store::ABERTURA(ctx, kRegistro)) return;
  imp.CAN_IMP = false;
  if (esc.QUECON == 1) {
    if (srv.PEDE_CPF)
      srv.PEDE_CPF(ctx, [&](const std::string& cpf) { return FAZIMP(ctx, imp, esc, srv, env, cpf).isOk(); });
  } else {
    if (esc.QUECON == 2 && srv.MARCA) srv.MARCA(ctx, esc.QUEIMP == 5 ? grid::Tela::RegistroDevedores : grid::Tela::RegistroMarcados);
    FAZIMP(ctx, imp, esc, srv, env).ignoreTold();  // said by it, or left by the clerk
  }
  store::FECHA_PROV(ctx);
  fechaSaida(ctx, imp).ignoreTold();
  console::MENS(ctx);
  if (rt::db::Table* reg = ctx.areas.table(kRegistro)) reg->clearFilter();
}

}  // namespace print

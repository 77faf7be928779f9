#include "store/copia_trabalho.h"

#include <string>

#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/diario_gravacao.h"
#include "store/pastas_dados.h"
#include "store/recuperacao.h"
#include "store/recusa.h"
#include "store/relato.h"
#include "store/tabelas_declaracao.h"

namespace store {

using rt::text::doisDigitos;
using namespace rt::text::literals;
using rt::Status;
using rt::db::Table;
using rt::text::Decimal;

namespace {

void branco(RegistroEspelho& r, std::string_view nome) {
  const int i = r.campo(nome);
  const CampoDef& c = r.campos()[static_cast<std::size_t>(i)];
  switch (c.tipo) {
    case 'N':
      r.num(i, Decimal());
      break;
    case 'D':
      r.data(i, rt::text::Date());
      break;
    case 'L':
      r.logico(i, false);
      break;
    default:
      r.txt(i, std::string(static_cast<std::size_t>(c.largura), ' '));
  }
}

// Copies the rows of the CPF in table n (open in its own area) into its working copy.
Status copiaLinhas(Contexto& ctx, Area n, const std::string& chave) {
  Table& fonte = *ctx.areas.table(n);
  RT_TRY(abreCopiaParaCarga(ctx, store::copia(n)));
  Table& copia = *ctx.areas.table(store::copia(n));
  const int campoCpf = fonte.fieldIndex("CPF");
  const int campoAtv = n >= Area::IMP1510 ? fonte.fieldIndex("ATV_BRASIL") : -1;
  // The rows are found first, so the copy knows how many it will hold.
  std::vector<std::uint32_t> linhas;
  RT_TRY(fonte.seek(chave));
  while (fonte.status() && !fonte.eof()) {
    if (campoCpf < 0 || fonte.raw(campoCpf) != std::string_view(chave).substr(0, 11)) break;
    if (campoAtv >= 0 && fonte.raw(campoAtv) != std::string_view(chave).substr(11, 1)) break;
    if (!fonte.isDeleted()) linhas.push_back(fonte.recNo());
    fonte.skip(1);
    RT_TRY(fonte.status());
  }
  RT_TRY(copiaRegistros(fonte, copia, linhas));
  copia.goTop();
  return copia.status();
}

// Puts `t` (table a, open) on the CPF's first row. A search that fails is said, the table
// named as not available, and comes back told: where it stopped is another taxpayer's row,
// which the load must not take for this one's.
Status procuraCpf(Contexto& ctx, Area a, Table& t, const Cpf& cpf) {
  Status s = t.seek(cpf.chave());
  if (s) return s;
  avisaIndisponivel(ctx, a);
  return s.markTold();
}

// The matrix is the row as stored, the year's row 13 included: modes 2 and 4 keep the matrix as
// it was entered, so a year row left empty here would be written back empty by the first
// recomputation and the income would drop out of the summary.
void preencheLeao(Declaracao& dec) {
  EspelhoDeclaracao& e = dec.espelho;
  for (int m = 1; m <= 13; ++m)
    for (int c = 1; c <= 7; ++c) {
      const Decimal v = e.carneLeao.num("I2_" + std::to_string(c) + doisDigitos(m));
      e.REC_MENSAL[static_cast<std::size_t>(m)][static_cast<std::size_t>(c + 1)] = v;
    }
}

}  // namespace

bool estaNoRegistro(Contexto& ctx, const Cpf& cpf) {
  const bool aberto = store::aberta(ctx.areas, Area::IMP0910);
  if (!aberto && !ABERTURA(ctx, Area::IMP0910)) return false;
  Table& r = *tabela(ctx.areas, Area::IMP0910);
  const std::uint32_t onde = r.eof() ? 0 : r.recNo();
  const int ordem = r.order();
  r.setOrder(1);
  const bool achou = r.seek(cpf.chave()) && r.found();
  r.setOrder(ordem);
  if (!aberto)
    solta(ctx.areas, Area::IMP0910);
  else if (onde != 0)
    r.goTo(onde);
  return achou;
}

void MOSTR_PAG(Contexto& ctx, Declaracao& dec, int modo) {
  if (modo != 1 || dec.espelho.LRECUPERA) return;
  std::string cpf = dec.espelho.registro.txt("CPF");
  std::string nome = dec.espelho.registro.txt("NOMECONTR");
  // With the register open, the page is the row it stands on, read again: another terminal
  // may have deleted or renumbered it meanwhile, and no name of an earlier taxpayer may stay
  // beside another CPF. Off its end (or on a deleted row) the page is blank.
  if (Table* r = tabela(ctx.areas, Area::IMP0910); r != nullptr) {
    cpf.clear();
    nome.clear();
    if (!r->eof()) r->goTo(r->recNo());
    if (!r->eof() && r->status() && !r->isDeleted()) {
      cpf = r->getText("CPF");
      nome = r->getText("NOMECONTR");
    }
  }
  ctx.relato().contribuinte(cpf, nome);
  mostraPastaAtual(ctx);
}

void MOSTRADOR(Contexto& ctx, Declaracao& dec, int n, int modo) {
  std::string& barra = dec.espelho.TAM_CALC;
  for (int i = 0; i < n && barra.size() < 45; ++i) barra += "░"_cp;
  ctx.relato().barra(modo == 1 ? Painel::Declaracao : Painel::Aviso, barra);
}

void LIMPVAR(Declaracao& dec) {
  EspelhoDeclaracao& e = dec.espelho;
  RegistroEspelho& r = e.registro;
  RegistroEspelho& t = e.tabela01;
  // Every field of table 01 first, so nothing of the previous taxpayer stays behind.
  t.limpa();
  r.num("I9_2", 0);
  r.num("I9_3", 0);
  r.txt("I9_4", "N");
  r.txt("I9_5", "N");
  for (std::string_view n : {"TIPOEND", "ENDERECO", "NUMERO", "COMPLEM", "BAIRRO", "CEP", "CODMUNI", "MUNICIPIO", "UF",
                             "CODPAIS", "CODEMB", "DDDTEL", "TELEFO", "DDDFAX", "NROFAX", "EMAIL", "NASCIMENTO",
                             "TITULO", "CGCPAGADOR", "OCUPACAO", "CDPRO", "CODAT", "DESCRAT", "CPFCONJU", "NOVOEND",
                             "TELCELU", "TELESCR", "TELSECR", "BANCO", "AGENCIA", "CONTACO", "DEBITAUT", "NRORECIBO",
                             "RECIBOATU", "RECIBOANT", "SENACESSO"})
    branco(r, n);
  r.txt("TEMRURAL", "N");
  r.num("CODACESSO", 0);
  t.num("CAL_AUTO", 1);
  for (std::string_view n : {"I13_1C", "I13_2C", "I13_3C", "I13_4C"}) r.num(n, 0);
  e.JA_CALC = false;
  r.num("TAM_USO", 0);
  r.num("TEM_USO", 0);
  t.txt("DESPINST", " ");
  r.num("IMPPGRE", 0);
  r.num("INDGAS", 0);
  for (int m = 1; m <= 13; ++m)
    for (int c = 2; c <= 8; ++c) e.REC_MENSAL[static_cast<std::size_t>(m)][static_cast<std::size_t>(c)] = Decimal();
  r.num("ESTATUS", 2);
  r.txt("SO_SIMPLES", "N");
  t.num("INDALERTA", 10);
  r.txt("USAPADRAO", "S");
  // A new declaration is neither an exit nor an estate's final one until the clerk says so.
  t.txt("DECSAIDA", "N");
  t.txt("DECFINAL", "N");
}

void PRENCHEMOL(Contexto& ctx, Declaracao& dec, std::string_view atv) {
  EspelhoDeclaracao& e = dec.espelho;
  Table* t = tabela(ctx.areas, Area::TMP_15);
  bool achou = false;
  if (t != nullptr && t->seek(chaveCpf(Area::IMP1510, e.CPF, atv)) && t->found()) achou = true;
  if (achou) {
    e.rural.carrega(*t);
    e.MVALOR1 = Decimal();
    e.MVALOR2 = Decimal();
    if (atv == "S") {
      for (int m = 1; m <= 12; ++m) {
        e.REND_RURAL[static_cast<std::size_t>(m)][1] = e.rural.num("I3_" + doisDigitos(m) + "OR");
        e.REND_RURAL[static_cast<std::size_t>(m)][2] = e.rural.num("I3_" + doisDigitos(m) + "OD");
      }
    }
  } else {
    e.rural.limpa();
    for (int m = 1; m <= 12; ++m) e.REND_RURAL[static_cast<std::size_t>(m)] = {};
    e.MVALOR1 = Decimal();
    e.MVALOR2 = Decimal();
  }
  e.rural.txt("CPF", e.CPF.chave());
  e.rural.txt("ATV_BRASIL", rt::text::padr(atv, 1));
}

void BALANCO(Contexto& ctx, Declaracao& dec) {
  if (Table* t = tabela(ctx.areas, Area::TMP_02)) t->goTop();
  seleciona(ctx.areas, Area::TMP_02);
  dec.espelho.LEAO_CAL = false;
  dec.espelho.JA_CALC = false;
  dec.calc().BALANCO(ctx, dec);
  dec.espelho.JA_CALC = true;
}

namespace {

// The terminal's existing copies taken up again (F4), after checking that they hold this CPF
// only; the register row and table 01's variables read from them.
Status retomaCopias(Contexto& ctx, Declaracao& dec, int modo) {
  EspelhoDeclaracao& e = dec.espelho;
  if (!podeRecuperar(ctx, e.SALCPF)) {
    ctx.relato().alerta("Impossível recuperar o último CPF."_cp);
    return falhaDita(rt::Error::kNotAvailable, "TMP_MAN");
  }
  for (Area n : kComCopia) {
    if (n == Area::IMP1310) continue;
    RT_TRY(abreCopia(ctx, copia(n)));
    RT_TRY(indexaCopia(ctx, copia(n), TipoCopia::Trabalho));
    MOSTRADOR(ctx, dec, 1, modo);
  }
  dec.cadastrado = estaNoRegistro(ctx, e.SALCPF);
  Table& reg = *tabela(ctx.areas, Area::TMP_09);
  reg.goTop();
  e.registro.carrega(reg);
  Table& t01 = *tabela(ctx.areas, Area::TMP_01);
  t01.goTop();
  e.tabela01.carrega(t01);
  e.CPF = e.SALCPF;
  return Status::ok();
}

// The register row of the CPF (area 9, sought when it is not on it) and table 01's variables;
// table 01 is left open exclusively for its copy.
Status leRegistroETabela01(Contexto& ctx, Declaracao& dec, int modo, int tipo) {
  EspelhoDeclaracao& e = dec.espelho;
  Table* reg = tabela(ctx.areas, Area::IMP0910);
  if (reg == nullptr || reg->eof() || reg->getText("CPF") != e.SALCPF) {
    if (ABERTURA(ctx, Area::IMP0910)) {
      reg = tabela(ctx.areas, Area::IMP0910);
      RT_TRY(procuraCpf(ctx, Area::IMP0910, *reg, e.SALCPF));
    }
  }
  dec.cadastrado = reg != nullptr && !reg->eof() && reg->getText("CPF") == e.SALCPF;
  if (reg != nullptr) e.registro.carrega(*reg);
  e.CPF = e.SALCPF;
  e.registro.txt("CPF", e.CPF);
  if (dec.opcoes.ITEM_MENU != 63 && dec.opcoes.ITEM_MENU != 64) solta(ctx.areas, Area::IMP0910);
  MOSTR_PAG(ctx, dec, modo);
  RT_TRY(abreExclusivaAguardando(ctx, Area::IMP0110, aguardandoCarregar()));
  Table& t01 = *tabela(ctx.areas, Area::IMP0110);
  RT_TRY(procuraCpf(ctx, Area::IMP0110, t01, e.CPF));
  if (modo == 0 || tipo > 0)
    e.tabela01.carrega(t01);
  else
    LIMPVAR(dec);
  e.tabela01.txt("CPF", e.CPF);
  return Status::ok();
}

// The CPF's rows of the shared tables 01-19 (but 13) copied into the working copies.
Status copiaTabelas(Contexto& ctx, Declaracao& dec, int modo) {
  EspelhoDeclaracao& e = dec.espelho;
  const std::string atv = rt::text::padr(e.registro.txt("ATV_BRASIL"), 1);
  for (Area n : kComCopia) {
    if (n == Area::IMP1310) continue;
    if (n == Area::IMP0910) {
      // The export's loop keeps walking the register: a second handle leaves its position.
      if (!store::aberta(ctx.areas, Area::IMP0910)) RT_TRY(ABERTURA(ctx, Area::IMP0910));
    } else if (n != Area::IMP0110 || !store::aberta(ctx.areas, Area::IMP0110)) {
      // Table 01 is held since its variables were read.
      RT_TRY(abreExclusivaAguardando(ctx, n, aguardandoCarregar()));
    }
    std::uint32_t posicao = ctx.areas.table(n)->recNo();
    Status s = copiaLinhas(ctx, n, chaveCpf(n, e.CPF, atv));
    if (n == Area::IMP0910 && store::aberta(ctx.areas, Area::IMP0910) &&
        (dec.opcoes.ITEM_MENU == 63 || dec.opcoes.ITEM_MENU == 64))
      tabela(ctx.areas, Area::IMP0910)->goTo(posicao);
    else
      ctx.areas.release(n);
    RT_TRY(s);
    MOSTRADOR(ctx, dec, 1, modo);
  }
  return Status::ok();
}

// What every load ends with: the carnê-leão matrix, the spouse, the gains and the whole
// declaration recomputed, the rural side's summary.
void completaCarga(Contexto& ctx, Declaracao& dec) {
  EspelhoDeclaracao& e = dec.espelho;
  // Carnê-leão: the first row of copy 32 and the monthly matrix.
  if (Table* t = tabela(ctx.areas, Area::TMP_12)) {
    t->goTop();
    e.carneLeao.carrega(*t);
  }
  preencheLeao(dec);
  const Decimal auto_ = e.tabela01.num("CAL_AUTO");
  if (auto_ == Decimal::fromInt(2) || auto_ == Decimal::fromInt(4))
    for (int c = 2; c <= 6; ++c) dec.calc().recalculaColunaLeao(ctx, dec, c);

  if (dec.opcoes.ITEM_MENU < 61 && e.registro.txt("I9_4") == "S") dec.calc().ligaConjuge(ctx, dec);

  for (Area a : {Area::TMP_04, Area::TMP_02, Area::TMP_07})
    if (Table* t = tabela(ctx.areas, a)) t->goTop();
  e.DAY_TRADE = " ";
  dec.calc().recalculaGanhos(ctx, dec);
  e.PONTEIRO = 1;
  BALANCO(ctx, dec);

  reabre(ctx, Area::AUXPAG);
  reabre(ctx, Area::AUXBENS);
  ctx.relato().fimEspera();
  PRENCHEMOL(ctx, dec, rt::text::padr(e.registro.txt("ATV_BRASIL"), 1));
  if (!e.rural.logico("SO_TOTAL")) dec.calc().somaRural(ctx, dec);
}

}  // namespace

Status INIC_VAR(Contexto& ctx, Declaracao& dec, int modo, int tipo) {
  EspelhoDeclaracao& e = dec.espelho;
  e.INI_DECLA = rt::text::seconds(ctx.clock);
  e.SEM_SALV = e.INI_DECLA;
  e.TAM_CALC.clear();
  for (int m = 1; m <= 13; ++m)
    for (int c = 2; c <= 8; ++c) e.REC_MENSAL[static_cast<std::size_t>(m)][static_cast<std::size_t>(c)] = Decimal();
  e.SALCPF = e.CPF;
  if (modo == 1)
    ctx.relato().titulo(Painel::Declaracao, tipo > 0 ? "Reprocessando os dados..." : "Criando os dados...");
  reabre(ctx, Area::UFIRM);

  if (e.LRECUPERA) {
    RT_TRY(retomaCopias(ctx, dec, modo));
  } else {
    // A save of this CPF that died midway is completed before anything is read.
    (void)recuperaDiario(ctx, e.SALCPF);
    RT_TRY(leRegistroETabela01(ctx, dec, modo, tipo));
    // Table 01 stays open, still exclusively, for its copy below: opened again there, it would
    // be waited for a second time behind every other terminal loading or saving.
    ctx.areas.setDeletedHidden(true);
    RT_TRY(copiaTabelas(ctx, dec, modo));
    // Without its manifest F4 refuses to take these copies up again, which is the safe side; the
    // load itself is whole.
    gravaManifesto(ctx, e.CPF).ignoreTold();
  }
  completaCarga(ctx, dec);
  return Status::ok();
}

}  // namespace store

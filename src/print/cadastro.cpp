// The register listings (short and complete) and the address labels.
#include <algorithm>
#include <tuple>

#include "console/alerta.h"
#include "console/documentos.h"
#include "print/escritorio.h"
#include "print/pagina.h"
#include "print/perguntas.h"
#include "print/rota.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/areas.h"
#include "store/estatus.h"

namespace print {

using namespace rt::text::literals;
using rt::text::alltrim;
using rt::text::transform;
using rt::text::trim;

namespace {

std::string doisDigitos(int n) { return rt::text::strzero(Decimal(n), 2); }

std::string mesMaiusculo(int mes) { return rt::text::upper(trim(console::TRAZ_MES(mes))); }

// The state of one listing.
struct Listagem {
  store::Contexto& ctx;
  Impressao& imp;
  const Escolhas& esc;
  const EscolhasCadastro& e;
  Pagina pag{imp};
  int impressos = 0;

  bool curta() const { return e.OPC_CAD == "1"; }

  // CABEC_CAD(k): the heading of a page of the listing.
  void CABEC_CAD(int k) {
    if (pag.QLIN() != 0 || esc.QUECON == 1) return;
    pag.normal();
    pag.linha(0, imp.LIN_DIV1);
    pag.linha(0, std::string("RELACAO ") + (esc.QUECON == 2 ? "PARCIAL " : "TOTAL ") + (k == 1 ? "RESUMIDO" : "COMPLETO") +
                     " DAS PESSOAS NO DIRETORIO " + ctx.LOCARQ);
    std::string estatus = e.QUESTAT == 2 ? "COM OS ESTATUS " + doisDigitos(e.STAT_INIC) + " ATE " + doisDigitos(e.STAT_FINAL)
                                         : std::string("INDEPENDENTE DO ESTATUS");
    switch (e.SEPIMP) {
      case 2: estatus += " E OS ISENTOS DO IMPOSTO"; break;
      case 3: estatus += " E COM DEVOLUÇAO DO IMPOSTO"_cp; break;
      case 4: estatus += " E COM IMPOSTO A PAGAR"; break;
      default: estatus += " E INDEPENDENTE DO IMPOSTO"; break;
    }
    pag.linha(0, estatus);
    if (e.OPC_IND == 4) {
      if (e.QUEMES == 2)
        pag.linha(0, "NASCIDAS NO MES DE " + mesMaiusculo(e.MES_INIC));
      else if (e.QUEMES == 3)
        pag.linha(0, "NASCIDAS ENTRE OS MESES DE " + mesMaiusculo(e.MES_INIC) + " E " + mesMaiusculo(e.MES_FINAL));
      else
        pag.linha(0, "ORGANIZADO PELO MES DE NASCIMENTO");
    }
    pag.linha(0, imp.LIN_DIV1);
    if (k == 1) {
      pag.linha(0, "Nome" + std::string(25, ' ') + "      CPF       Telefone    Situacao");
      pag.linha(0, imp.LIN_DIV1);
    }
  }

  void total() {
    pag.linha(0, imp.LIN_DIV1);
    pag.linha(0, "Total de contribuintes...." + transform(Decimal(impressos), "999"));
    pag.linha(0, imp.LIN_DIV1);
  }

  // The page is closed with the count so far once it passes NROLINHAS - reserva.
  void fimDePagina(int reserva) {
    if (!pag.passou(reserva)) return;
    total();
    pag.quebra();
  }

  // CAD_SIMPL: one short line.
  void CAD_SIMPL(const LinhaCadastro& c) {
    CABEC_CAD(1);
    pag.diz(0, rt::text::left(trim(c.NOMECONTR), 37));
    pag.diz(38, transform(c.CPF, kCpf));
    pag.diz(53, transform(c.TELEFO, "@r 9999-9999"));
    pag.diz(63, transform(c.ESTATUS, "@z 99"));
    pag.diz(66, store::VE_STAT(ctx, static_cast<int>(c.ESTATUS.wholePart()), 3));
    pag.avanca();
    ++impressos;
    fimDePagina(5);
  }

  // CAD_COMPL: one complete entry.
  void CAD_COMPL(const LinhaCadastro& c) {
    CABEC_CAD(0);
    pag.diz(0, "CPF: " + transform(c.CPF, kCpf));
    pag.diz(30, "Status: " + transform(c.ESTATUS, "@z 99") + " ");
    pag.linha(42, store::VE_STAT(ctx, static_cast<int>(c.ESTATUS.wholePart()), 3));
    pag.diz(0, std::string(trim(c.NOMECONTR)));
    pag.linha(60, "Tel: " + transform(c.TELEFO, "@r 9999-9999"));
    std::string endereco;
    for (const std::string* parte : {&c.TIPOEND, &c.ENDERECO, &c.NUMERO, &c.COMPLEM})
      if (!alltrim(*parte).empty()) endereco += std::string(alltrim(*parte)) + " ";
    endereco += std::string(alltrim(c.BAIRRO)) + " - " + transform(c.CEP, "@r 99999-999") + " " +
                std::string(alltrim(c.MUNICIPIO)) + " " + c.UF;
    pag.linha(0, endereco);
    pag.diz(0, "Nascimento: " + rt::text::transform(c.NASCIMENTO, ""));
    if (!c.NASCIMENTO.isEmpty() && c.NASCIMENTO.month() == ctx.clock.now().date.month())
      pag.diz(25, "Atencao! Aniversario nesse mes");
    pag.avanca();
    if (c.IMPPGRE.isNegative()) {
      pag.diz(0, "Restituicao");
      pag.valor(14, rt::text::abs(c.IMPPGRE), "@EZ 999,999.99");
    } else if (!c.IMPPGRE.isZero()) {
      pag.diz(0, "Imp. devido");
      pag.valor(14, c.IMPPGRE, "@EZ 999,999.99");
      pag.diz(26, transform(c.I13_29, "9") + " Quota" + (c.I13_29 > Decimal(1) ? "s" : ""));
    } else {
      pag.diz(0, "Isento");
    }
    if (c.VALOREC > Decimal()) {
      pag.diz(40, "Valor Cobrado");
      pag.valor(54, c.VALOREC, "@EZ 999,999.99");
    }
    pag.avanca();
    if (!alltrim(c.SENACESSO).empty() || !c.CODACESSO.isZero()) {
      pag.diz(0, "Senha acesso " + std::string(trim(c.SENACESSO)));
      pag.linha(40, "Codigo " + transform(c.CODACESSO, "@z 999999999999"));
    }
    pag.linha(0, imp.LIN_DIV1);
    ++impressos;
    fimDePagina(8);
  }

  // CAD_ETI: a 6-line address label in condensed pitch.
  void CAD_ETI(const LinhaCadastro& c) {
    const int inicio = pag.QLIN();
    pag.condensado();
    pag.linha(0, std::string(trim(c.NOMECONTR)));
    const std::string rua = std::string(trim(c.TIPOEND)) + " " + std::string(trim(c.ENDERECO)) + "," +
                            std::string(trim(c.NUMERO)) + " ";
    const std::string complemento(trim(c.COMPLEM));
    const std::string bairro(trim(c.BAIRRO));
    if (rua.size() + complemento.size() > 53) {
      pag.linha(0, rua);
      pag.linha(0, complemento + (bairro.empty() ? "" : " " + bairro));
    } else {
      pag.linha(0, rua + complemento);
      if (!bairro.empty()) pag.linha(0, bairro);
    }
    pag.linha(0, std::string(trim(c.MUNICIPIO)) + " - " + c.UF + "  " + transform(c.CEP, "@r 99999-999"));
    imp.QLIN = inicio + 6;
    ++impressos;
  }
};

bool nosMeses(const LinhaCadastro& c, const EscolhasCadastro& e) {
  if (e.OPC_IND != 4 || e.QUEMES == 1) return true;
  const int m = c.NASCIMENTO.month();
  return e.QUEMES == 2 ? m == e.MES_INIC : (m >= e.MES_INIC && m <= e.MES_FINAL);
}

bool noFiltro(const LinhaCadastro& c, const EscolhasCadastro& e, int QUECON) {
  if (QUECON == 2 && c.IMPRE != "S") return false;
  const int estatus = static_cast<int>(c.ESTATUS.wholePart());
  if (e.QUESTAT == 2 && (estatus < e.STAT_INIC || estatus > e.STAT_FINAL)) return false;
  if (e.SEPIMP == 2 && !c.IMPPGRE.isZero()) return false;
  if (e.SEPIMP == 3 && !c.IMPPGRE.isNegative()) return false;
  if (e.SEPIMP == 4 && !(c.IMPPGRE > Decimal())) return false;
  return nosMeses(c, e);
}

// The order and filters; false when the user cancelled one.
bool escolhe(store::Contexto& ctx, Impressao& imp, const Escolhas& esc, EscolhasCadastro& e) {
  if (esc.QUECON != 1) {
    const int ordem = console::alerta(
        ctx,
        {std::string("Informe a ordem de impressão"_cp), "escolhendo um dos nros abaixo", "(1) por CPF                  ",
         "(2) pelo nome                ", "(3) pelo Status              ", "(4) pelo Mes do Nascimento   ",
         "(5) pelo valor do imposto    ", "(6) pelo valor cobrado       ", "(7) Cancela a Impressao      "},
        {"1", "2", "3", "4", "5", "6", "7"});
    if (ordem == 0 || ordem == 7) return false;
    e.OPC_IND = ordem;
    if (ordem == 4) {
      imp.job.MES_INIC = 1;
      imp.job.MES_FINAL = 12;
      if (!ESCOLHE_MES(ctx, imp)) return false;
      e.QUEMES = imp.job.QUEMES;
      e.MES_INIC = imp.job.MES_INIC;
      e.MES_FINAL = e.QUEMES == 1 ? 12 : imp.job.MES_FINAL;
    }
    e.QUESTAT = console::alerta(ctx, {std::string("Imprimir os contribuintes de"_cp)}, {"Todos os status", "Faixa de status"});
    if (e.QUESTAT == 0) return false;
    if (e.QUESTAT == 2) {
      const auto de = perguntaNumero(ctx, "Do status:", 1, 1, 99);
      if (!de) return false;
      const auto ate = perguntaNumero(ctx, "Até o status:"_cp, 99, *de, 99);
      if (!ate) return false;
      e.STAT_INIC = *de;
      e.STAT_FINAL = *ate;
    }
    e.SEPIMP = console::alerta(ctx, {std::string("Imprimir os contribuintes")}, {"Todos", "Isentos", "Restituicao", "A pagar"});
    if (e.SEPIMP == 0) return false;
  }
  e.OPC_CAD = "2";
  if (esc.QUEMOD == 2 && e.OPC_IND < 4) {
    const auto n = perguntaNumero(ctx, "Selecione digitando nro (1) Cadastro resumido   (2) Cadastro completo  ", 2, 1, 2);
    if (!n) return false;
    e.OPC_CAD = std::to_string(*n);
  }
  return true;
}

}  // namespace

LinhaCadastro daLinha(const rt::db::Table& t) {
  LinhaCadastro c;
  c.registro = t.recNo();
  for (auto [campo, nome] : {std::pair{&c.CPF, "CPF"}, {&c.NOMECONTR, "NOMECONTR"}, {&c.TELEFO, "TELEFO"},
                             {&c.TIPOEND, "TIPOEND"}, {&c.ENDERECO, "ENDERECO"}, {&c.NUMERO, "NUMERO"},
                             {&c.COMPLEM, "COMPLEM"}, {&c.BAIRRO, "BAIRRO"}, {&c.CEP, "CEP"},
                             {&c.MUNICIPIO, "MUNICIPIO"}, {&c.UF, "UF"}, {&c.SENACESSO, "SENACESSO"}, {&c.IMPRE, "IMPRE"}})
    *campo = t.getText(nome);
  for (auto [campo, nome] : {std::pair{&c.ESTATUS, "ESTATUS"}, {&c.IMPPGRE, "IMPPGRE"}, {&c.I13_29, "I13_29"},
                             {&c.VALOREC, "VALOREC"}, {&c.CODACESSO, "CODACESSO"}, {&c.TEM_USO, "TEM_USO"},
                             {&c.TAM_USO, "TAM_USO"}})
    *campo = t.getNumber(nome);
  c.NASCIMENTO = t.getDate("NASCIMENTO");
  return c;
}

std::vector<LinhaCadastro> leCadastro(rt::db::Table& t) {
  std::vector<LinhaCadastro> v;
  const std::uint32_t n = t.recordCount();
  v.reserve(n);
  for (std::uint32_t r = 1; r <= n; ++r) {
    t.goTo(r);
    if (t.status() && !t.isDeleted()) v.push_back(daLinha(t));
  }
  return v;
}

std::vector<LinhaCadastro> selecionaCadastro(std::vector<LinhaCadastro> linhas, const EscolhasCadastro& e, int QUECON) {
  std::erase_if(linhas, [&](const LinhaCadastro& c) { return !noFiltro(c, e, QUECON); });
  auto por = [&linhas](auto chave) {
    std::stable_sort(linhas.begin(), linhas.end(), [&](const LinhaCadastro& a, const LinhaCadastro& b) {
      return std::make_tuple(chave(a), a.registro) < std::make_tuple(chave(b), b.registro);
    });
  };
  switch (e.OPC_IND) {
    case 2: por([](const LinhaCadastro& c) { return rt::text::upper(c.NOMECONTR); }); break;
    case 3: por([](const LinhaCadastro& c) { return c.ESTATUS; }); break;
    case 4: por([](const LinhaCadastro& c) { return c.NASCIMENTO.month(); }); break;
    case 5: por([](const LinhaCadastro& c) { return c.IMPPGRE; }); break;
    case 6: por([](const LinhaCadastro& c) { return c.VALOREC; }); break;
    default: por([](const LinhaCadastro& c) { return c.CPF; }); break;
  }
  return linhas;
}

int imprimeCadastro(store::Contexto& ctx, Impressao& imp, const Escolhas& esc, const EscolhasCadastro& e,
                    const std::vector<LinhaCadastro>& linhas) {
  Listagem l{ctx, imp, esc, e};
  for (const LinhaCadastro& c : linhas) {
    if (imp.CAN_IMP) break;
    if (esc.QUEMOD == 1) l.CAD_ETI(c);
    else if (l.curta()) l.CAD_SIMPL(c);
    else l.CAD_COMPL(c);
    if (PAREIMP(ctx, imp)) break;
  }
  if (esc.QUEMOD != 1 && l.curta() && l.impressos > 0 && imp.QLIN > 0) l.pag.linha(0, imp.LIN_DIV1);
  if (esc.QUEMOD == 2 && (esc.QUECON == 3 || esc.QUECON == 4) && imp.QLIN > 0) {
    l.pag.linha(0, "Total de contribuintes...." + transform(Decimal(l.impressos), "999"));
    l.pag.linha(0, imp.LIN_DIV1);
    l.pag.quebra();
  }
  return l.impressos;
}

bool IMPR_CAD(store::Contexto& ctx, Impressao& imp, const Escolhas& esc) {
  rt::db::Table* reg = ctx.areas.table(store::Area::IMP0910);
  if (reg == nullptr) return false;
  VariaveisTrabalho& j = imp.job;
  EscolhasCadastro e;
  if (!j.JASELEC) {
    j.JASELEC = true;
    if (!escolhe(ctx, imp, esc, e)) {
      j.OPC_IND = 7;
      return false;
    }
    j.OPC_IND = e.OPC_IND;
    j.QUESTAT = e.QUESTAT;
    j.STAT_INIC = e.STAT_INIC;
    j.STAT_FINAL = e.STAT_FINAL;
    j.SEPIMP = e.SEPIMP;
    j.QUEMES = e.QUEMES;
    j.MES_INIC = e.MES_INIC;
    j.MES_FINAL = e.MES_FINAL;
    j.OPC_CAD = e.OPC_CAD;
  } else if (j.OPC_IND == 7) {
    return false;
  } else {
    e = {j.OPC_IND, j.QUESTAT, j.STAT_INIC, j.STAT_FINAL, j.SEPIMP, j.QUEMES, j.MES_INIC, j.MES_FINAL, j.OPC_CAD};
  }
  std::vector<LinhaCadastro> linhas;
  if (esc.QUECON == 1) {
    if (!reg->eof()) linhas.push_back(daLinha(*reg));
  } else {
    linhas = selecionaCadastro(leCadastro(*reg), e, esc.QUECON);
  }
  if (imprimeCadastro(ctx, imp, esc, e, linhas) == 0)
    console::AVISOSN(ctx, "Nao houve contribuinte nas condições escolhidas"_cp, 0);
  return true;
}

}  // namespace print

#include "converter/receita_arquivo.h"

#include <vector>

#include "converter/ganhos_arquivo.h"
#include "converter/receita_declaracao.h"
#include "converter/receita_linhas.h"
#include "converter/receita_tabelas.h"
#include "console/documentos.h"
#include "platform/dos_error.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/busca_outro.h"
#include "store/em_uso.h"
#include "store/recusa.h"
#include "store/travas.h"

namespace converter {

using rt::Status;
using rt::text::Decimal;
using rt::text::Value;
using store::Area;
using namespace rt::text::literals;

int erroDeLeitura(store::Contexto& ctx, const rt::Status& erro, const std::string& caminho) {
  const int codigo = platform::codigoDos(erro.sysError(), caminho);
  ctx.relato().alerta("Erro de leitura");
  if (codigo != 3) ctx.relato().alerta("Erro do Dos " + rt::text::doisDigitos(codigo));
  return codigo;
}

namespace {

const std::string_view kLeiaute = "Leiaute diferente do esperado.Não é possível converter"_cp;

// The register of the current folder in area 9 on `cpf`; nullptr when it is not there.
rt::db::Table* registroEm(store::Contexto& ctx, const store::Cpf& cpf) {
  if (!store::aberta(ctx.areas, Area::IMP0910) && !store::ABERTURA(ctx, Area::IMP0910)) return nullptr;
  rt::db::Table& r = *store::tabela(ctx.areas, Area::IMP0910);
  r.setOrder(1);
  store::seleciona(ctx.areas, Area::IMP0910);
  if (!r.seek(cpf.chave()) || !r.found()) return nullptr;
  return &r;
}

Linha linhaAtual(const rt::db::Table& t) {
  Linha l;
  for (const rt::db::FieldDef& f : t.fields()) l.poe(rt::text::upper(f.name), t.get(f.name));
  return l;
}

// The texts of a code in a reference table of the program folder (blanks when missing).
std::string descricao(store::Contexto& ctx, Area area, std::string_view codigo, std::string_view campo, int largura) {
  std::string achado;
  if (store::aberta(ctx.areas, area) || store::ABERTURA(ctx, area)) {
    rt::db::Table& t = *store::tabela(ctx.areas, area);
    t.setOrder(1);
    if (!rt::text::alltrim(codigo).empty() && t.seek(codigo) && t.found()) achado = t.getText(campo);
  }
  return rt::text::padr(achado, largura);
}

// The declaration of `cpf` in the data folder held for this terminal while `uso` lives;
// false, said, when another terminal has it open.
bool reserva(store::Contexto& ctx, const store::Cpf& cpf, store::UsoDeclaracao& uso) {
  std::string motivo;
  if (store::reservaDeclaracao(ctx, ctx.LOCARQ, cpf.chave(), uso, &motivo)) return true;
  ctx.relato().alerta(motivo);
  return false;
}

// Mode 3: the receipts into the register row of the taxpayer, wherever he is registered.
bool gravaRecibos(store::Contexto& ctx, const Cabecalho& cab, const store::Cpf& cpf, const std::string& nome) {
  rt::db::Table* r = registroEm(ctx, cpf);
  if (r == nullptr && store::BUSCA_OUTRO(ctx, cpf.chave(), 1, 1)) r = registroEm(ctx, cpf);
  if (r == nullptr) {
    ctx.relato().alerta({"O contribuinte " + nome, "não foi localizado em nenhum dos diretórios"_cp,
                         "Nao sera possivel entao gravar o nro do recibo"});
    return false;
  }
  // A declaration open in another terminal saves its whole register row, receipts included.
  store::UsoDeclaracao uso;
  if (!reserva(ctx, cpf, uso)) return false;
  if (!store::REC_LOCK(ctx, 5)) return false;
  Status s;
  if (cab.anos == k2010) {
    s = r->put("RECIBOATU", cab.reciboAtu);
    if (s) s = r->put("RECIBOANT", cab.reciboAnt);
  } else if (rt::text::alltrim(r->getText("RECIBOANT")).empty()) {
    s = r->put("RECIBOANT", cab.reciboAtu);
  }
  if (s) s = r->commit();
  const Status solta = r->unlock();
  if (s) s = solta;
  return static_cast<bool>(store::gravou(ctx, s, "IMP0910"));
}

}  // namespace

bool FAZCONV(store::Contexto& ctx, Modo modo, const std::string& caminho, const MostraContribuinte& mostra) {
  LeitorLinhas leitor(caminho);
  if (!leitor.aberto()) {
    erroDeLeitura(ctx, leitor.erro(), caminho);
    return false;
  }
  std::vector<std::string> linhas;
  while (auto l = leitor.LELINHA()) linhas.push_back(std::move(*l));
  if (!leitor.erro()) {
    erroDeLeitura(ctx, leitor.erro(), caminho);
    return false;
  }
  if (linhas.empty()) return false;
  const Cabecalho cab = leCabecalho(linhas[0]);
  if (linhas.size() < 2 || colunas(linhas[1], -1, 2) != "16" || cab.anos == 0) {
    ctx.relato().alerta(kLeiaute);
    return false;
  }
  const store::Cpf cpf(colunas(linhas[1], 1, 11));
  const std::string nome = console::AJUS_CAR(colunas(linhas[1], 12, 53), 1);
  if (modo == Modo::Recibos) return gravaRecibos(ctx, cab, cpf, nome);

  Linha registro, tabela1;
  if (modo == Modo::Declaracao && !leIdentificacao(linhas[1], cab, registro, tabela1)) {
    ctx.relato().alerta(kLeiaute);
    return false;
  }
  if (mostra) mostra(cpf.chave(), nome);

  rt::db::Table* r = registroEm(ctx, cpf);
  if (r != nullptr) {
    if (modo == Modo::Ganhos &&
        !ctx.relato().pergunta("Atencao! Todos os ganhos de capital feitos anteriormente serao excluidos! "
                               "Continua a conversao? ",
                               false))
      return false;
    // Last year's file never overwrites a taxpayer already there.
    if (modo == Modo::Declaracao && cab.anos == k2009) return false;
  } else if (modo == Modo::Ganhos) {
    if (store::BUSCA_OUTRO(ctx, cpf.chave(), 1, 1)) r = registroEm(ctx, cpf);
    if (r == nullptr &&
        !ctx.relato().pergunta("O contribuinte não foi localizado em nenhum dos diretórios indicado. Cria assim "
                               "mesmo com cadastro incompleto?       "_cp,
                               false))
      return false;
  }
  // A declaration open in another terminal would be saved over what is imported.
  store::UsoDeclaracao uso;
  if (!reserva(ctx, cpf, uso)) return false;
  // What is kept of the register row, then what the file brings.
  Linha final = r != nullptr ? linhaAtual(*r) : Linha{};
  final.poe("CPF", cpf.chave());
  final.poe("NOMECONTR", nome);
  for (auto& [campo, v] : registro.campos) final.poe(campo, v);
  if (modo == Modo::Declaracao) {
    final.poe("OCUPACAO", descricao(ctx, Area::OCUPACAO, final.texto("CDPRO"), "OCUPACAO", 69));
    final.poe("DESCRAT", descricao(ctx, Area::CODNATUR, final.texto("CODAT"), "DESCRAT", 58));
  }

  TabelasCpf tabelas(ctx, cpf);
  ConversaoDeclaracao conv{ctx, cab, tabelas, final};
  Leitura leitura{linhas};
  Status s;
  if (modo == Modo::Declaracao) {
    auto t1 = tabelas.linhas(1);
    if (!t1) {
      s = t1.status();
    } else {
      if ((*t1)->empty()) {
        auto n = tabelas.nova(1);
        (*n)->poe("INDALERTA", Decimal(10));
        (*n)->poe("SO_REC", false);
      }
      for (auto& [campo, v] : tabela1.campos) (*t1)->front().poe(campo, v);
      if (cab.cdecl == "ESPL") {
        (*t1)->front().poe("DECFINAL", std::string("S"));
        (*t1)->front().poe("DECSAIDA", std::string("N"));
      } else if (cab.cdecl == "SAID") {
        (*t1)->front().poe("DECFINAL", std::string("N"));
        (*t1)->front().poe("DECSAIDA", std::string("S"));
      }
    }
    if (s) s = CONV_DECL(conv, leitura);
    if (s) s = CONV_GANHO(conv, leitura, 0);
    if (s) s = CONV_EXIG(conv, leitura);
  } else {
    leitura.atual = 2;
    s = CONV_GANHO(conv, leitura, 1);
  }
  if (!s) {
    if (s.code() == rt::Error::kCorrupt)
      ctx.relato().alerta(kLeiaute);
    else
      store::gravou(ctx, s, caminho).ignoreTold();
    return false;
  }
  // The register row with the tables, in the same journal (which writes it last): all or
  // nothing, also when the process is killed in the middle.
  tabelas.substitui(store::numero(Area::IMP0910));
  auto linhaRegistro = tabelas.nova(store::numero(Area::IMP0910));
  if (linhaRegistro) **linhaRegistro = std::move(final);
  s = linhaRegistro ? tabelas.grava() : linhaRegistro.status();
  return static_cast<bool>(store::gravou(ctx, s, caminho));
}

}  // namespace converter

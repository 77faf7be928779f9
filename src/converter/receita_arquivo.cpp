#include "converter/receita_arquivo.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "converter/receita/confere.h"
#include "converter/receita/linhas.h"
#include "converter/receita_declaracao.h"
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
#include "taxcalc/tax_year.h"

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

Desfecho feito(bool gravou) { return {gravou ? Desfecho::Convertido : Desfecho::Recusado}; }

// Why a file mapped in memory was not written: a record the sections could not take, a value
// that does not fit its field (nothing is written then), or the store's refusal.
void dizRecusa(store::Contexto& ctx, const Status& s, const std::string& caminho) {
  if (s.code() == rt::Error::kCorrupt)
    ctx.relato().alerta({std::string(kLeiaute), s.message()});
  else if (s.code() == rt::Error::kOverflow)
    ctx.relato().alerta({std::string("Valor maior do que o campo comporta: "_cp) + s.message(),
                         "Nada do arquivo foi gravado."});
  else
    (void)store::gravou(ctx, s, caminho);
}

// The name of a file as the user knows it.
std::string nomeDe(const std::string& caminho) { return visivel(std::filesystem::path(caminho).filename().string()); }

// The file read whole and checked against its layout (ConfereArquivo): its lines (without
// the empty ones that end it); nullopt, said, when it cannot be read or is refused.
std::optional<std::vector<std::string>> leConferido(store::Contexto& ctx, Modo modo, const std::string& caminho) {
  LeitorLinhas leitor(caminho, {kMaiorLinha, kMaiorArquivo});
  if (leitor.naoComum()) {
    ctx.relato().alerta({"Erro de leitura", nomeDe(caminho) + std::string(" não é um arquivo comum."_cp)});
    return std::nullopt;
  }
  if (!leitor.aberto()) {
    erroDeLeitura(ctx, leitor.erro(), caminho);
    return std::nullopt;
  }
  ConfereArquivo confere(modo);
  std::vector<std::string> linhas;
  std::size_t lidas = 0;
  while (auto l = leitor.LELINHA()) {
    ++lidas;
    if (Recusa r = confere.linha(*l); !r.empty()) {
      ctx.relato().alerta(r);
      return std::nullopt;
    }
    if (confere.guarda()) linhas.push_back(std::move(*l));
  }
  if (!leitor.erro()) {
    erroDeLeitura(ctx, leitor.erro(), caminho);
    return std::nullopt;
  }
  if (leitor.excesso() == LeitorLinhas::Excesso::Linha) {
    ctx.relato().alerta({std::string(kLeiaute), "Linha " + std::to_string(lidas + 1) + " com mais de " +
                                                    std::to_string(kMaiorLinha) + " caracteres"});
    return std::nullopt;
  }
  if (leitor.excesso() == LeitorLinhas::Excesso::Arquivo) {
    ctx.relato().alerta({std::string(kLeiaute), "Arquivo com mais de " + std::to_string(kMaiorArquivo >> 20) + " MB"});
    return std::nullopt;
  }
  if (lidas == 0) {
    ctx.relato().alerta({nomeDe(caminho) + std::string(" está vazio: nada a importar."_cp)});
    return std::nullopt;
  }
  if (Recusa r = confere.fim(); !r.empty()) {
    ctx.relato().alerta(r);
    return std::nullopt;
  }
  return linhas;
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
Desfecho gravaRecibos(store::Contexto& ctx, const Cabecalho& cab, const store::Cpf& cpf, const std::string& nome) {
  rt::db::Table* r = registroEm(ctx, cpf);
  if (r == nullptr && store::BUSCA_OUTRO(ctx, cpf.chave(), 1, 1)) r = registroEm(ctx, cpf);
  if (r == nullptr) {
    ctx.relato().alerta({"O contribuinte " + nome, "não foi localizado em nenhum dos diretórios"_cp,
                         "Nao sera possivel entao gravar o nro do recibo"});
    return {Desfecho::Existente};
  }
  // A declaration open in another terminal saves its whole register row, receipts included.
  store::UsoDeclaracao uso;
  if (!reserva(ctx, cpf, uso)) return {Desfecho::Recusado};
  if (!store::REC_LOCK(ctx, store::kEsperaTrava)) return {Desfecho::Recusado};
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
  return feito(static_cast<bool>(store::gravou(ctx, s, "IMP0910")));
}

}  // namespace

Desfecho FAZCONV(store::Contexto& ctx, Modo modo, const std::string& caminho, const MostraContribuinte& mostra) {
  const auto lidas = leConferido(ctx, modo, caminho);
  if (!lidas) return {Desfecho::Recusado};
  const std::vector<std::string>& linhas = *lidas;
  const Cabecalho cab = leCabecalho(linhas[0]);
  const store::Cpf cpf(colunas(linhas[1], 1, 11));
  const std::string nome = console::AJUS_CAR(colunas(linhas[1], 12, 53), 1);
  if (modo == Modo::Recibos) return gravaRecibos(ctx, cab, cpf, nome);

  Linha registro, tabela1;
  if (modo == Modo::Declaracao && !leIdentificacao(linhas[1], cab, registro, tabela1)) {
    ctx.relato().alerta(kLeiaute);
    return {Desfecho::Recusado};
  }
  if (mostra) mostra(cpf.chave(), nome);

  rt::db::Table* r = registroEm(ctx, cpf);
  if (r != nullptr) {
    if (modo == Modo::Ganhos &&
        !ctx.relato().pergunta({"Atencao! Todos os ganhos de capital feitos anteriormente serao excluidos!",
                                "Continua a conversao? "},
                               false))
      return {Desfecho::Existente};
    // Last year's file never overwrites a taxpayer already there.
    if (modo == Modo::Declaracao && cab.anos == k2009) return {Desfecho::Existente};
  } else if (modo == Modo::Ganhos) {
    if (store::BUSCA_OUTRO(ctx, cpf.chave(), 1, 1)) r = registroEm(ctx, cpf);
    if (r == nullptr && !ctx.relato().pergunta({"O contribuinte não foi localizado em nenhum dos diretórios"_cp,
                                                "indicado. Cria assim mesmo com cadastro incompleto?       "},
                                               false))
      return {Desfecho::Existente};
  }
  // A declaration open in another terminal would be saved over what is imported.
  store::UsoDeclaracao uso;
  if (!reserva(ctx, cpf, uso)) return {Desfecho::Recusado};
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
  auto fica = [&ctx](std::string_view dependente, int codigo, rt::text::Date nascimento) {
    return VE_IDADE(ctx, dependente, codigo, nascimento);
  };
  ConversaoDeclaracao conv{cab, tabelas, final, taxcalc::NVALDEPEN, fica};
  Status s = leRegistros(modo, conv, linhas, tabela1);
  if (!s) {
    dizRecusa(ctx, s, caminho);
    return {Desfecho::Recusado};
  }
  // The register row with the tables, in the same journal (which writes it last): all or
  // nothing, also when the process is killed in the middle.
  tabelas.substitui(store::numero(Area::IMP0910));
  auto linhaRegistro = tabelas.nova(store::numero(Area::IMP0910));
  if (linhaRegistro) **linhaRegistro = std::move(final);
  s = linhaRegistro ? tabelas.grava() : linhaRegistro.status();
  if (!s) dizRecusa(ctx, s, caminho);
  return feito(s.isOk());
}

}  // namespace converter

#include "store/contribuintes.h"

#include <set>

#include "console/documentos.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/dialogos.h"
#include "store/em_uso.h"
#include "store/pastas_dados.h"
#include "store/recusa.h"
#include "store/reorg.h"
#include "store/travas.h"

namespace store {

using namespace rt::text::literals;
using rt::Status;
using rt::db::Table;

bool cpfValido(std::string_view cpf) {
  const std::string d = console::TIRA_PONTO(cpf);
  if (d.size() != 11 || d.find_first_not_of("0123456789") != std::string::npos) return false;
  return console::cpfDigitos(d.substr(0, 9)) == d.substr(9);
}

namespace {

void fecha(Contexto& ctx, const std::vector<Area>& ns) {
  for (Area n : ns) ctx.areas.release(n);
}

// Holds every table of `ns` exclusively (made when missing); false, with none held, when one
// cannot be had.
bool seguraTodas(Contexto& ctx, const std::vector<Area>& ns) {
  for (Area n : ns) {
    if (!ABERTURA(ctx, n, true)) {
      fecha(ctx, ns);
      return false;
    }
  }
  return true;
}

// The declaration tables from `de` to `ate` but the register.
std::vector<Area> declaracao(Area de = Area::IMP0110, Area ate = Area::IMP1910) {
  std::vector<Area> v;
  for (Area n : kDeclaracao)
    if (n >= de && n <= ate && n != Area::IMP0910) v.push_back(n);
  return v;
}

// The register of the current folder in area 9 on `cpf`; nullptr when it is not there.
Table* registroEm(Contexto& ctx, const Cpf& cpf) {
  if (!aberta(ctx.areas, Area::IMP0910) && !ABERTURA(ctx, Area::IMP0910)) return nullptr;
  Table& r = *tabela(ctx.areas, Area::IMP0910);
  const int ordem = r.order();
  r.setOrder(1);
  const bool achou = r.seek(cpf.chave()) && r.found();
  const std::uint32_t rec = r.recNo();
  r.setOrder(ordem);
  if (!achou) return nullptr;
  r.goTo(rec);
  seleciona(ctx.areas, Area::IMP0910);
  return &r;
}

std::string ladoDe(const TabelaDiario& t, const std::string& reg) {
  for (const rt::db::FieldDef& f : t.campos)
    if (f.name == "ATV_BRASIL") return reg.substr(static_cast<std::size_t>(f.offset), 1);
  return " ";
}

}  // namespace

// ---------------------------------------------------------------- new CPF

ResultadoCpf trocaCpf(Contexto& ctx, std::string_view velhoDado, std::string_view novoDado, std::string* motivo) {
  const std::string velho = Cpf(console::TIRA_PONTO(velhoDado)).chave();
  const std::string novo = Cpf(console::TIRA_PONTO(novoDado)).chave();
  if (registroEm(ctx, novo) != nullptr) return ResultadoCpf::NovoExiste;
  if (registroEm(ctx, velho) == nullptr) return ResultadoCpf::OrigemNaoAchada;
  // Both declarations held until the end: an open one would be saved back under the old CPF,
  // and none may be opened under either while the rows change.
  UsoDeclaracao usoVelho, usoNovo;
  if (!reservaDeclaracao(ctx, ctx.LOCARQ, velho, usoVelho, motivo) ||
      !reservaDeclaracao(ctx, ctx.LOCARQ, novo, usoNovo, motivo))
    return ResultadoCpf::EmUso;
  const std::vector<Area> ns = declaracao();
  if (!seguraTodas(ctx, ns)) return ResultadoCpf::Falhou;
  std::vector<TabelaDiario> linhas, vazias;
  for (Area n : ns) {
    auto l = linhasDoCpf(*ctx.areas.table(n), n, velho);
    if (!l) {
      fecha(ctx, ns);
      return ResultadoCpf::Falhou;
    }
    vazias.push_back({n, l->campos, {}});
    trocaCpfDasLinhas(*l, novo);
    linhas.push_back(std::move(*l));
  }
  // The register row is held before anything changes; without it nothing is done.
  Table* r = registroEm(ctx, velho);
  if (r == nullptr || !REC_LOCK(ctx, kEsperaTrava)) {
    fecha(ctx, ns);
    return ResultadoCpf::Falhou;
  }
  const std::uint32_t linha = r->recNo();
  Status s = gravaLinhas(ctx, ctx.LOCARQ, novo, linhas);
  if (s) {
    seleciona(ctx.areas, Area::IMP0910);
    r->goTo(linha);
    s = r->status();
    if (s) s = r->put("CPF", novo);
    if (s) s = r->commit();
  }
  if (const Status liberada = r->unlock(); s) s = liberada;
  fecha(ctx, ns);
  if (!s) return ResultadoCpf::Falhou;
  // The old CPF's rows go last: until then the taxpayer is whole under one CPF or both.
  return gravaLinhas(ctx, ctx.LOCARQ, velho, vazias) ? ResultadoCpf::Feito : ResultadoCpf::Falhou;
}

void MUDA_CPF(Contexto& ctx) {
  std::string velho, novo;
  while (pedeCpfs(ctx, 3, velho, novo, false)) {
    std::string motivo;
    switch (trocaCpf(ctx, velho, novo, &motivo)) {
      case ResultadoCpf::NovoExiste:
        ctx.relato().alerta("CPF novo já existente. Não é possível a troca"_cp);
        break;
      case ResultadoCpf::OrigemNaoAchada:
        ctx.relato().alerta("CPF original não encontrado. Confira o número digitado"_cp);
        break;
      case ResultadoCpf::Feito:
        ctx.relato().alerta("Pronto. CPF Trocado!");
        break;
      case ResultadoCpf::EmUso:
        ctx.relato().alerta({std::string("O CPF nao foi trocado."), motivo});
        break;
      default:
        ctx.relato().alerta("O CPF nao foi trocado. Nada foi alterado.");
        break;
    }
  }
  // REORG says a table it could not rebuild; its old indexes stand until the next one.
  (void)REORG(ctx, ctx.ROTADOANO, 3);
  passaParaPasta(ctx, ctx.ROTADOANO);
}

// ---------------------------------------------------------------- part of a declaration

namespace {

struct ItemParte {
  Area numero;
  std::function<bool(const Table&)> filtro;  // the rows of the part; none: all
};

std::vector<ItemParte> itensDe(ParteCopia p, bool rural) {
  auto tipo = [](std::string_view letras) {
    return [l = std::string(letras)](const Table& t) {
      const std::string v = t.getText("I1_1");
      return !v.empty() && l.find(v[0]) != std::string::npos;
    };
  };
  std::vector<ItemParte> v;
  switch (p) {
    case ParteCopia::Tudo:
      for (Area n : declaracao(Area::IMP0110, rural ? Area::IMP1910 : Area::IMP1410)) v.push_back({n, {}});
      break;
    case ParteCopia::Bens:
      v.push_back({Area::IMP0410, {}});
      break;
    case ParteCopia::LivroCaixa:
      v.push_back({Area::IMP0210, tipo("LF")});
      break;
    case ParteCopia::Juridica:
      v.push_back({Area::IMP0210, tipo("J")});
      break;
    case ParteCopia::Pagamentos:
      v.push_back({Area::IMP0610, {}});
      break;
    case ParteCopia::Rural:
      for (Area n : declaracao(Area::IMP1510, Area::IMP1910)) v.push_back({n, {}});
      break;
    case ParteCopia::BensDividasRural:
      v.push_back({Area::IMP1710, {}});
      v.push_back({Area::IMP1810, {}});
      break;
    case ParteCopia::CaixaRural:
      v.push_back({Area::IMP1910, {}});
      break;
    case ParteCopia::Imoveis:
      v.push_back({Area::IMP1610, {}});
      break;
  }
  return v;
}

}  // namespace

ResultadoCpf copiaParte(Contexto& ctx, std::string_view origemDado, std::string_view destinoDado,
                        ParteCopia parte, bool acrescenta, std::string* motivo) {
  const std::string origem = Cpf(console::TIRA_PONTO(origemDado)).chave();
  const std::string destino = Cpf(console::TIRA_PONTO(destinoDado)).chave();
  // With itself, "Acrescente" would double every row.
  if (origem == destino) return ResultadoCpf::Igual;
  if (registroEm(ctx, destino) == nullptr) return ResultadoCpf::DestinoNaoExiste;
  if (registroEm(ctx, origem) == nullptr) return ResultadoCpf::OrigemNaoAchada;
  // The destination's open declaration would be saved over the copied rows.
  UsoDeclaracao uso;
  if (!reservaDeclaracao(ctx, ctx.LOCARQ, destino, uso, motivo)) return ResultadoCpf::EmUso;
  std::vector<Area> ns = declaracao();
  if (!seguraTodas(ctx, ns)) return ResultadoCpf::Falhou;
  auto origem15 = linhasDoCpf(*tabela(ctx.areas, Area::IMP1510), Area::IMP1510, origem);
  const bool rural = origem15 && !origem15->registros.empty();
  std::vector<TabelaDiario> finais;
  for (const ItemParte& item : itensDe(parte, rural)) {
    Table& t = *ctx.areas.table(item.numero);
    auto novas = linhasDoCpf(t, item.numero, origem, item.filtro);
    auto atuais = linhasDoCpf(t, item.numero, destino);
    auto daParte = linhasDoCpf(t, item.numero, destino, item.filtro);
    if (!novas || !atuais || !daParte) {
      fecha(ctx, ns);
      return ResultadoCpf::Falhou;
    }
    if (parte == ParteCopia::Imoveis && novas->registros.empty()) {
      fecha(ctx, ns);
      return ResultadoCpf::SemImoveis;
    }
    trocaCpfDasLinhas(*novas, destino);
    TabelaDiario final{item.numero, atuais->campos, {}};
    const bool unica = item.numero == Area::IMP0110 || item.numero == Area::IMP1510;
    std::set<std::string> ladosNovos;
    for (const std::string& r : novas->registros) ladosNovos.insert(ladoDe(*novas, r));
    std::multiset<std::string> tirar;
    if (!acrescenta) tirar.insert(daParte->registros.begin(), daParte->registros.end());
    for (const std::string& r : atuais->registros) {
      // Single-row tables: the copied row takes the place of the destination's (15 by side).
      if (unica && !novas->registros.empty() && (item.numero == Area::IMP0110 || ladosNovos.count(ladoDe(*atuais, r))))
        continue;
      if (auto i = tirar.find(r); i != tirar.end()) {
        tirar.erase(i);
        continue;
      }
      final.registros.push_back(r);
    }
    final.registros.insert(final.registros.end(), novas->registros.begin(), novas->registros.end());
    finais.push_back(std::move(final));
  }
  Status s = gravaLinhas(ctx, ctx.LOCARQ, destino, finais);
  fecha(ctx, ns);
  if (!s) return ResultadoCpf::Falhou;
  if (parte == ParteCopia::Rural) {
    Table* r = registroEm(ctx, destino);
    if (r != nullptr && REC_LOCK(ctx, kEsperaTrava)) {
      Status marca = r->put("TEMRURAL", std::string("S"));
      if (marca) marca = r->commit();
      if (!liberaGravacao(ctx, *r, marca, "TEMRURAL")) return ResultadoCpf::Falhou;
    }
  }
  return ResultadoCpf::Feito;
}

bool noRegistro(Contexto& ctx, std::string_view cpf) {
  return registroEm(ctx, console::TIRA_PONTO(cpf)) != nullptr;
}

void TRANF_PARTE(Contexto& ctx) {
  std::string origem, destino;
  if (!pedeCpfs(ctx, 2, origem, destino, true)) return;
  auto sai = [&ctx](std::string_view aviso) {
    if (!aviso.empty()) ctx.relato().alerta(aviso);
    SAI_FORA(ctx);
  };
  // With itself, "Acrecente" would double every row.
  if (origem == destino) return sai("CPF origem e destino nao podem ser iguais");
  if (!noRegistro(ctx, destino)) return sai("CPF Destino nao existe. Cadastre-o para fazer a cópia"_cp);
  Table* r = registroEm(ctx, origem);
  if (r == nullptr) return sai("CPF original não encontrado. Confira o número digitado"_cp);
  const bool rural = r->getText("TEMRURAL") == "S";
  const int k = escolheParte(ctx, rural);
  if (k < 1 || k > 9) return sai({});
  const bool acrescenta =
      ctx.relato().pergunta({" Encontrando Dados na declaração? "_cp, " Sim - Acrecente os novos dados   ",
                             " Nao - Retire os dados anteriores "},
                            false);
  ctx.relato().espera("Copiando !!!");
  std::string motivo;
  const ResultadoCpf res = copiaParte(ctx, origem, destino, static_cast<ParteCopia>(k), acrescenta, &motivo);
  ctx.relato().fimEspera();
  switch (res) {
    case ResultadoCpf::DestinoNaoExiste:
      return sai("CPF Destino nao existe. Cadastre-o para fazer a cópia"_cp);
    case ResultadoCpf::OrigemNaoAchada:
      return sai("CPF original não encontrado. Confira o número digitado"_cp);
    case ResultadoCpf::SemImoveis:
      return sai("Esse contribuinte nao tem imoveis rurais!");
    case ResultadoCpf::Igual:
      return sai("CPF origem e destino nao podem ser iguais");
    case ResultadoCpf::Falhou:
      return sai("A copia nao foi feita. Nada foi alterado.");
    case ResultadoCpf::EmUso:
      return sai("A copia nao foi feita: " + motivo);
    default:
      return sai({});
  }
}

// ---------------------------------------------------------------- deletion

Status excluiContribuinte(Contexto& ctx, const Cpf& cpfDado, bool soRural) {
  const std::string& cpf = cpfDado.chave();
  const std::vector<Area> ns = soRural ? declaracao(Area::IMP1510, Area::IMP1910) : declaracao();
  if (registroEm(ctx, cpf) == nullptr) return {rt::Error::kNotFound, "IMP0910 " + cpf};
  // An open declaration would be saved back over the deletion.
  UsoDeclaracao uso;
  RT_TRY(reservaDeclaracao(ctx, ctx.LOCARQ, cpf, uso, nullptr));
  if (!seguraTodas(ctx, ns)) return {rt::Error::kNotAvailable, "tables of " + cpf};
  Table* r = registroEm(ctx, cpf);
  if (r == nullptr || !REC_LOCK(ctx, kEsperaTrava)) {
    fecha(ctx, ns);
    return {rt::Error::kLocked, "IMP0910 " + cpf};
  }
  std::vector<TabelaDiario> vazias;
  for (Area n : ns) vazias.push_back(tabelaVazia(n));
  const std::uint32_t linha = r->recNo();
  Status s = gravaLinhas(ctx, ctx.LOCARQ, cpf, vazias);
  fecha(ctx, ns);
  if (s) {
    seleciona(ctx.areas, Area::IMP0910);
    r->goTo(linha);
    s = r->status();
    if (s && soRural) {
      s = r->put("TEMRURAL", std::string("N"));
      if (s) s = r->put("ATV_BRASIL", std::string(" "));
    } else if (s) {
      s = r->markDeleted();
    }
    if (s) s = r->commit();
  }
  if (const Status liberada = r->unlock(); s) s = liberada;
  // What the table met is not said here: the caller says the taxpayer stays.
  if (!s) return {s.code() == rt::Error::kInUse ? rt::Error::kIo : s.code(), s.detail()};
  return s;
}

void EXCLUI(Contexto& ctx, const MarcaContribuintes& marca) {
  if (!ABERTURA(ctx, Area::IMP0910)) return;
  Table& r = *tabela(ctx.areas, Area::IMP0910);
  int rurais = 0, total = 0;
  ctx.relato().espera("Processando!");
  if (FIL_LOCK(ctx, kEsperaTrava)) {
    // Every print mark cleared; a row the table refuses stops the deletion before it starts.
    r.goTop();
    Status s = r.status();
    for (; s && !r.eof(); r.skip(1), s = r.status()) {
      ++total;
      if (r.getText("TEMRURAL") == "S") ++rurais;
      if (r.getText("IMPRE") != " " && !(s = r.put("IMPRE", std::string(" ")))) break;
    }
    if (s) s = r.commit();
    if (!liberaGravacao(ctx, r, s, "IMPRE")) {
      ctx.relato().fimEspera();
      return;
    }
  }
  ctx.relato().fimEspera();
  if (total == 0) {
    ctx.relato().alerta("Não há registro para ser selecionado"_cp);
    return;
  }
  bool soRural = false;
  if (rurais > 0)
    soRural = ctx.relato().escolha({"SIM - Exclui toda a declaracao", "NAO - Exclui so a atividade Rural"},
                                   {"Sim", "Nao"}) == 2;
  const std::vector<std::string> cpfs =
      marca ? marca(ctx, Area::IMP0910, soRural) : std::vector<std::string>{};
  if (cpfs.empty()) return;
  const std::string n = std::to_string(cpfs.size());
  if (!ctx.relato().pergunta(std::string("Confirma a Exclusão de "_cp) + n + " contribuinte" +
                                 (cpfs.size() > 1 ? "s" : "") + "?",
                             false))
    return;
  for (const std::string& cpf : cpfs) {
    ctx.relato().espera(soRural ? "Excluindo os dados da Atividade Rural..." : "Excluindo os dados...");
    if (const Status s = excluiContribuinte(ctx, cpf, soRural); !s) {
      ctx.relato().fimEspera();
      if (s.code() != rt::Error::kInUse)
        ctx.relato().alerta("O contribuinte " + cpf + " nao foi excluido.");
      else
        ctx.relato().alerta({"O contribuinte " + cpf + " nao foi excluido.", s.detail()});
    }
  }
  ctx.relato().fimEspera();
  // Deleted rows are hidden at once; packing them away needs each table to itself. A table
  // another terminal holds keeps its deleted rows hidden until the next reorganisation; the
  // user is told which ones. Other failures are reported by reindexaTabela itself.
  solta(ctx.areas, Area::IMP0910);
  std::vector<std::string> ocupadas;
  auto empacota = [&](Area t) {
    const Status s = reindexaTabela(ctx, t, 5);
    if (!s && s.code() == rt::Error::kInUse) ocupadas.push_back(nomeArquivo(*tabela(t), ctx.NUSU) + ".DBF");
  };
  for (Area t : declaracao(soRural ? Area::IMP1510 : Area::IMP0110, Area::IMP1910)) empacota(t);
  empacota(Area::IMP0910);
  avisaOcupadas(ctx, ocupadas);
  reabre(ctx, Area::IMP0910);
}

}  // namespace store

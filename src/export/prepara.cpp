#include "export/prepara.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "console/arquivo_recusado.h"
#include "console/mensagens.h"
#include "console/pastas.h"
#include "console/recusa.h"
#include "export/dados.h"
#include "export/indice.h"
#include "export/recupera_indice.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace exporta {

namespace {

using namespace rt::text::literals;

// Makes the renamed file's name durable in its folder.
void sincronizaPasta(const std::string& pasta) {
  const int fd = ::open(pasta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  // The file is written and renamed; a folder that cannot be synced loses only the new name on a crash.
  (void)::fsync(fd);
  // Opened only to sync: nothing was written through it.
  (void)::close(fd);
}

}  // namespace

std::string arquivoTemporario(const store::Contexto& ctx) {
  return ctx.LOCTRAB + "Decla" + ctx.NUSU + ".XML";
}

std::string textoErro(int codigo, std::string_view nome) {
  switch (codigo) {
    case 2:
      return "Erro! Arquivo " + std::string(nome) + "nao encontrado";
    case 3:
      return "Erro! Caminho nao encontrado";
    case 4:
      return "Erro! Muito arquivos abertos. Confira o Config e Autoexec.";
    case 5:
      return "Erro! Acesso negado.";
    case kLink:
      return console::textoLink(nome);
    default: {
      std::string n = std::to_string(codigo < 0 ? -codigo : codigo);
      if (n.size() < 2) n.insert(0, 1, ' ');
      return "Erro do Dos nro " + n + std::string(".Consulte na nossa página"_cp);
    }
  }
}

rt::Status VEJAERRO(Interacao& fala, int codigo, std::string_view nome) {
  if (codigo == 0) return {};
  fala.erro(textoErro(codigo, nome));
  return console::falhaDita(rt::Error::kIo, nome);
}

rt::Status VEJAERRO(console::Contexto& ctx, int codigo, std::string_view nome) {
  InteracaoConsole fala(ctx);
  return VEJAERRO(fala, codigo, nome);
}

rt::Status ABRE_DISCO(console::Contexto& ctx, std::string_view nome, ArquivoSaida& arquivo) {
  const std::string caminho = console::caminhoLinux(ctx, nome);
  return VEJAERRO(ctx, codigoDos(arquivo.cria(caminho), caminho), nome);
}

rt::Status DISQUETE(store::Contexto& ctx, std::string_view cpf, std::string_view LOCIRPF, Interacao& fala) {
  const std::string nome = std::string(cpf) + ".XML";
  const std::string pasta = console::BAR_DIR(LOCIRPF) + std::string(cpf);
  if (!console::VERDIR(ctx, pasta) && !console::CRIADIR(ctx, pasta)) {
    fala.erro(emLinhas({"Problemas ao criar a pasta indicada abaixo.  Confira se o ",
                        "programa da Receita foi instalado nesse micro e nessa pasta",
                        " Vá no menu Env. Receita e corrija esse endereco.          "_cp}),
              3);
    return console::falhaDita(rt::Error::kIo, pasta);
  }
  const std::string alvoGuardado = console::BAR_DIR(pasta) + nome;
  const std::string alvo = console::caminhoLinux(ctx, alvoGuardado);
  const std::string pastaLinux = console::caminhoLinux(ctx, pasta);
  // The taxpayer's folder made a link by someone else would take the file elsewhere.
  if (struct stat st{}; ::lstat(pastaLinux.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    return VEJAERRO(fala, kLink, pasta);
  }
  limpaProvisorios(pastaLinux);
  fala.pasta(LOCIRPF);

  // Written beside the target (an unguessable name, so the rename never crosses file systems
  // and two terminals sending the same CPF never meet) and renamed over it.
  ArquivoSaida para;
  if (const rt::Status e = para.criaAoLado(alvo); !e) return VEJAERRO(fala, codigoDos(e, alvo), alvoGuardado);
  const std::string origemGuardada = arquivoTemporario(ctx);
  const ResultadoCopia copia = copiaArquivo(console::caminhoLinux(ctx, origemGuardada), para);
  if (copia.codigo != 0) {
    if (copia.codigo != kGravacaoCurta)
      return VEJAERRO(fala, copia.codigo, copia.naOrigem ? origemGuardada : alvoGuardado);
    fala.erro("Problemas na gravação da Declaração."_cp);
    return console::falhaDita(rt::Error::kIo, alvoGuardado);
  }
  if (const rt::Status e = para.poeNoLugar(alvo); !e) {
    // A system error that has no DOS code of its own is a failed write.
    if (codigoDos(e, alvo) >= 0) return VEJAERRO(fala, codigoDos(e, alvo), alvoGuardado);
    fala.erro("Problemas na gravação da Declaração."_cp);
    return e.markTold();
  }
  sincronizaPasta(pastaLinux);
  return {};
}

ResultadoExportacao PREPARA(store::Contexto& ctx, store::Declaracao& dec, const PedidoExportacao& pedido) {
  InteracaoConsole fala(ctx);
  return PREPARA(ctx, dec, pedido, fala);
}

ResultadoExportacao PREPARA(store::Contexto& ctx, store::Declaracao& dec, const PedidoExportacao& pedido,
                            Interacao& fala) {
  const store::RegistroEspelho& reg = dec.espelho.registro;
  if (rt::text::alltrim(pedido.LOCIRPF).empty()) {
    // After a save the export is silent: nothing was asked for by hand.
    if (pedido.OPCAO_1 > 62) fala.erro("Preencha em Opcões/Pasta do IRPF a pasta do programa da receita"_cp);
    return ResultadoExportacao::SemPasta;
  }
  if (reg.num("SALDO").isNegative()) {
    fala.beep();
    if (!fala.continua(emLinhas({"ATENÇAO! Essa declaração NAO DEVE ser transferida "_cp,
                                 "nessas condições. Ela está com PROBLEMAS de CAIXA."_cp,
                                 "            Continua assim mesmo ?            "}),
                       3))
      return ResultadoExportacao::Recusada;
  }
  if (!rt::text::alltrim(reg.txt("RECIBOATU")).empty() &&
      !fala.continua(emLinhas({"ATENÇAO! Essa declaração já foi entregue na receita.  "_cp,
                               "Se transferir novamente pode alterar dados já enviados"_cp,
                               "             Continua assim mesmo ?                "}),
                     3))
    return ResultadoExportacao::Recusada;

  const std::string cpf(dec.espelho.CPF.digitos());
  auto fecha = [&ctx](ResultadoExportacao r) {
    ctx.janelas.FECHAJAN(console::Jan::kTela);
    return r;
  };
  DadosDeclaracao dados(dec.espelho);
  dados.hoje = rt::text::today(ctx.clock);
  rt::Status lidas = leCopias(ctx.areas, dados);
  if (lidas && rt::text::alltrim(reg.txt("TEMRURAL")) == "S") lidas = leRural(ctx, dados);
  dados.aviso = [&fala](std::string_view texto) { fala.erro(texto); };
  int codigo = 0;
  const std::string temporario = arquivoTemporario(ctx);
  if (lidas) {
    fala.pasta(pedido.LOCIRPF);
    auto confirma = [&fala](std::string_view pergunta) { return fala.continua(pergunta, 1); };
    const std::string caminho = console::caminhoLinux(ctx, temporario);
    codigo = GERAR(caminho, dados, confirma, pedido.complementos);
  } else {
    fala.erro(lidas.message());
  }
  if (!lidas || !VEJAERRO(fala, codigo, temporario)) {
    fala.erro("Os dados não foram transferidos para o programa da receita!"_cp);
    return fecha(ResultadoExportacao::NaoGerada);
  }
  if (!DISQUETE(ctx, cpf, pedido.LOCIRPF, fala)) {
    fala.erro("A declaração não foi transferida para o programa da receita!"_cp);
    return fecha(ResultadoExportacao::NaoCopiada);
  }
  // The index names only a declaration whose file is in place.
  const bool indexado = pedido.atualizaIndice ? pedido.atualizaIndice(ctx, cpf)
                                             : ATUALIZA_INDICE(ctx, dec.espelho, pedido.LOCIRPF, fala).isOk();
  if (!indexado) return fecha(ResultadoExportacao::IndiceRecusado);
  if (pedido.OPCAO_1 == 64 || pedido.OPCAO_1 == 65)
    fala.status("Declaracao de " + std::string(rt::text::alltrim(reg.txt("NOMECONTR"))) + " transferida !");
  else
    fala.aviso("A declaração foi transferida para o programa da receita Java"_cp);
  return fecha(ResultadoExportacao::Transferida);
}

}  // namespace exporta

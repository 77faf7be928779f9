#include "converter/menu.h"

#include <chrono>
#include <vector>

#include "console/alerta.h"
#include "console/mensagens.h"
#include "converter/relato_conversor.h"
#include "rt/term/colour.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"

namespace converter {

using namespace rt::text::literals;
using rt::ui::MenuItem;
namespace key = rt::term::key;

namespace {

using rt::ui::menuItem;

// Every table closed after an action: each item opens what it needs. The items commit what
// they wrote before they return, so the close decides nothing.
void fechaTudo(store::Contexto& ctx) { ctx.areas.releaseAll(); }

// The rural item: its warning, answered SIM, NAO or IGNORE ("S", "N", "I").
std::string avisoRural(store::Contexto& ctx) {
  return console::AVISOSN(
      ctx,
      std::vector<std::string>{
          std::string("Os dados de 2009 da Atividade Rural (KELSVOR) são convertidos"_cp),
          std::string("automaticamente junto com a conversão do BRANTEL quando ambos"_cp),
          std::string("estão na mesma pasta. Use esta opção quando os dados estiverem"_cp),
          std::string("numa pasta separada (o destino deve ser então a pasta indicada"_cp),
          std::string("na conversão do BRANTEL) ou para converter de novo dados rurais"_cp),
          std::string("já trabalhados na versão atual do MOLDRIK."_cp),
          std::string(""),
          std::string("SIM    - converte os dados de 2009 de uma pasta diferente"),
          std::string("NAO    - converte de novo os dados já trabalhados na versão atual"_cp),
          std::string("IGNORE - volta ao menu"),
      },
      3);
}

}  // namespace

std::unique_ptr<rt::ui::MenuBar> CREATEMAINMENU(store::Contexto& ctx) {
  const console::Cores& c = ctx.cores;
  const auto cores = rt::term::parseColourList(c.COR_1_CLI + "," + c.COR_ESC_CL + "," + c.COR_ENCH_C + "," + c.COR_ENCH_C +
                                               "," + c.COR_2_CLI + "," + c.COR_2_CLI);
  auto m = std::make_unique<rt::ui::MenuBar>(ctx.console, cores, 0, 24);
  m->addPad(" &Conversao ",
            {
                menuItem("&BRANTEL ", kBrantel, "Importa a declaracao de dados de 2009 para o TAVREN.", key::AltI),
                menuItem("&KELSVOR ", kKelsvor, "Importa os dados da Atividade Rural de 2009 para o MOLDRIK.", key::AltA),
                menuItem("&Livro Caixa", kLivroCaixa, "Transfere os dados do programa QRB - (QRB) para o TAVREN.", key::AltL),
                menuItem("&Receita ", kReceita, "Importa os dados do programa da Receita Federal de 2009 ou 2010."),
                menuItem("&G. Capital ", kGanhoCapital, "Importa os Ganhos de capital da Receita Federal."),
                menuItem("&Nro. Recibo", kNroRecibo, "Busca o numero de recibo de 2010 e/ou 2009 ."),
                menuItem("&Comprovante", kComprovante, "Recupera e transfere os dados de comprovante de rendimentos."),
                rt::ui::menuSeparator(),
                menuItem("&Terminar ", kTerminar, "Sair da conversao", key::AltT),
            });
  m->addPad("Sai&r", {menuItem("Sai&r ", kSair, "Sai do programa ", key::AltR)});
  return m;
}

std::string MENUSELECT(store::Contexto& ctx, Conversor& c, int id) {
  c.OPCAO_1 = id;
  if (id == kTerminar) {
    fechaTudo(ctx);
    c.encerra = true;
    return "";
  }
  if (id == kSair) {
    if (console::AVISOSN(ctx, " Confirma saída do sistema"_cp, 2) == "N") return "";
    fechaTudo(ctx);
    c.encerra = true;
    return "";
  }
  if (auto f = c.itens.find(id); f != c.itens.end() && f->second) {
    if (id == kKelsvor) {
      c.CTIPOCONV = avisoRural(ctx);
      if (c.CTIPOCONV == "I") return "";
    }
    // The store writes a folder it switches to on the taxpayer page, a window the converter
    // has not got: over whatever its frames left, the folder name would stay on the screen.
    const RelatoConversor relato(ctx);
    f->second(ctx, c);
  } else {
    console::MENS(ctx, console::mens::Aviso, "Função não disponível nesta versão"_cp);
  }
  ctx.janelas.FECHAJAN(console::Jan::kGrade);
  ctx.console.inkey(std::chrono::seconds(2));
  ctx.janelas.FECHAJAN(console::Jan::kDialogo);
  fechaTudo(ctx);
  return "";
}

void rodaMenu(store::Contexto& ctx, Conversor& c) {
  std::unique_ptr<rt::ui::MenuBar> menu = CREATEMAINMENU(ctx);
  while (!c.encerra) {
    const int id = menu->run(0, false);
    if (id != 0) MENUSELECT(ctx, c, id);
  }
}

}  // namespace converter

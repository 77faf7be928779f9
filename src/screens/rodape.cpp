#include "screens/rodape.h"

#include "console/mensagens.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace screens {

using namespace rt::text::literals;

namespace {

// A hint on the message line; `centrado` centres it in the 80 columns.
void escreve(console::Contexto& ctx, std::string_view texto, bool centrado) {
  console::OpcoesMens op;
  if (centrado) op.coluna = std::string("C");
  console::MENS(ctx, console::mens::Linha, texto, op);
}

}  // namespace

std::string_view prefixoAjuda() {
  return "Alt H=Help Alt I=Indice ";
}

void MRODA(console::Contexto& ctx, std::string_view texto) {
  escreve(ctx, std::string(prefixoAjuda()) + "INS=Inclui DEL=Elimina TAB=" + std::string(texto), true);
}

void MRODA1(console::Contexto& ctx, std::string_view texto) {
  escreve(ctx, "Alt U=valor mensal ESC=Fim decl. TAB=" + std::string(texto), true);
}

void MRODA2(console::Contexto& ctx, std::string_view texto) {
  escreve(ctx, std::string(prefixoAjuda()) + "TAB=" + std::string(texto), true);
}

std::string MRODAPE(console::Contexto& ctx, int k, const EstadoRodape& estado) {
  switch (k) {
    case 1:
      escreve(ctx, "Esc=Fim Alt F4=Tela Aux. Crtl Enter= Envia p/ Tela Aux. Alt U Valores mensais", true);
      break;
    case 2:
      MRODA2(ctx, "Proxima página Seta -> Mais campos"_cp);
      break;
    case 3:
      escreve(ctx, "Alt F5=Tela Aux. Ctrl Enter=Envia p/Tela Aux. ALT F6=Aux Rend.Alt Z ou X=Zoom ", false);
      break;
    case 4:
      escreve(ctx, "[Tab]=Muda para Dependentes", false);
      break;
    case 5:
      MRODA(ctx, "Fim pag Alt Z ou X=Zoom");
      break;
    case 6:
      escreve(ctx, "[Esc]=Termina declaração [Tab]=Pagamentos efetuados"_cp, false);
      break;
    case 7:
      if (estado.simplificado) {
        escreve(ctx, "Ctrl S=Muda para completo", false);
      } else {
        console::MENS(ctx);
        escreve(ctx, "Ctrl S=Muda p/simplificado [Ctrl Enter]=Preenche valores mensais [ESC]=Fim ", false);
      }
      break;
    case 8:
      escreve(ctx, "Selecione a impressora com [S] - Verique a sequência no manual de sua impressora"_cp,
              false);
      break;
    case 9:
      MRODA(ctx, "Volta Alt L=N lin. ");
      break;
    case 10:
      escreve(ctx, "Marque [S] nos nomes - Esc termina |Alt(+)Marca todos | ALT(-)Desmarca", true);
      break;
    case 11:
      escreve(ctx, std::string(prefixoAjuda()) + std::string("TAB=Cálculo do Imposto"_cp), true);
      break;
    case 12:
      if (estado.CAL_AUTO == 2)
        MRODA1(ctx, "Proxima página"_cp);
      else
        escreve(ctx, "Alt A=Muda o modo [Enter]=Preenche mensal [Alt N]=Muda pgto. Leão"_cp, false);
      break;
    case 13:
      escreve(ctx, "[ESC] Volta p/ Declaração [INS] Inclui um Ganho [DEL] Elimina o Ganho"_cp, false);
      break;
    case 14:
      escreve(ctx, "Alt U=Valor mensal", false);
      break;
    case 15:
      escreve(ctx, "Digite só o valor do INSS. Os valores da pensão e dependentes vem da tela 4"_cp, false);
      break;
    case 16:
      escreve(ctx, "TAB - Muda para DAY TRADE | ENTER no mês calcula o custo | ESC - Sai"_cp, true);
      break;
    case 17:
      escreve(ctx, "Shift TAB - volta para cálculos"_cp, true);
      break;
    case 18:
      escreve(ctx, "Anote informaçoes. INS=Inclui ALT L inclui n linhas. Ctrl Enter vai p/ erro."_cp, true);
      break;
    case 19:
      escreve(ctx, "Anote dados repetitivos - Crtl Enter - Transfere os dados", true);
      break;
    case 20:
      escreve(ctx, "Marque de 1 a 99 a situação dessa declaração - Tab ou ESC - muda"_cp, true);
      break;
    default:
      console::MENS(ctx);
      break;
  }
  return {};
}

rt::text::Decimal FINFO_CONJ(const store::EspelhoDeclaracao& d, rt::text::Decimal& INFO_CONJ) {
  INFO_CONJ = d.registro.num("I9_2");
  return INFO_CONJ;
}

}  // namespace screens

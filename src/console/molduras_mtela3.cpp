// The MTELA3 frames: the backup menu, the journal, the taxpayer heading, the bank slips and
// the e-mail.
#include "console/molduras_familias.h"

#include "rt/text/cp860.h"

namespace console::molduras {

using namespace rt::text::literals;

std::optional<Moldura> molduraMtela3(const Contexto& ctx, int n, const ArgsMoldura&) {
  switch (n) {
    case 1: {
      Moldura m = base(ctx, Jan::kDialogo, 7, 19, 3, 17, 1);
      opcoes(m, 0, 1, {"Fazer a cópia"_cp, "Recuperar cópia"_cp});
      return m;
    }
    case 2: {
      Moldura m = base(ctx, Jan::kDialogo, 11, 3, 6, 73, 1, Cores::Normal, TabelaPosicao::Forma);
      Quadro& q = m.quadro;
      int c = q.rotuloCampo(0, 0, "Código"_cp, 5);
      q.rotuloCampo(0, c, "Conta", 50);
      q.rotuloCampo(1, 0, "Desc./Nome", 60);
      c = q.rotuloCampo(2, 0, "Valor", 13);
      q.rotuloCampo(2, c + 1, "CPF/CNPJ", 18);
      c = q.rotuloCampo(3, 0, "do mês"_cp, 2);
      c = q.rotuloCampo(3, c, "até o mês"_cp, 2);
      q.rotuloCampo(3, c + 1, "CPF Dependente", 14);
      return m;
    }
    case 3:
    case 13: {
      // The taxpayer heading (also frame 3 of MTELA13, which names the folder differently).
      Moldura m = base(ctx, Jan::kTela, 17, 4, 6, 71, 0, Cores::Normal, TabelaPosicao::Forma);
      m.quadro = Quadro(7, 72);
      m.quadro.caixa(0, 1, 2, 16);
      titulo(m, 0, 3, "C P F");
      m.quadro.campo(1, 2, 14, "C P F");
      // The box holds the register's whole name (53 characters), which the declaration writes
      // from its column 19: a narrower box lost its right border to long names.
      m.quadro.caixa(0, 17, 2, 71);
      titulo(m, 0, 19, "Nome");
      m.quadro.campo(1, 18, 53, "Nome");
      const std::string_view rotulo = n == 3 ? std::string_view("Pasta atual  :") : "Diretório atual:"_cp;
      m.quadro.escreve(3, 2, rotulo);
      m.quadro.campo(3, 19, 50, rotulo);
      return m;
    }
    case 4: {
      Moldura m = base(ctx, Jan::kTela, 17, 32, 5, 47, 1);
      Quadro& q = m.quadro;
      int c = q.rotuloCampo(0, 0, "Banco", 3, 1);
      c = q.rotuloCampo(0, c, "Agencia", 4);
      q.rotuloCampo(0, c, "Conta Corrente", 7);
      q.rotuloCampo(1, 0, "Nome Cedente", 32);
      c = q.rotuloCampo(2, 0, "CNPJ", 18);
      q.rotuloCampo(2, c, "ou CPF", 14);
      q.rotuloCampo(3, 0, "Carteira", 3);
      return m;
    }
    case 5: {
      Moldura m = base(ctx, Jan::kTela, 17, 19, 5, 49, 1);
      Quadro& q = m.quadro;
      int c = q.rotuloCampo(0, 0, "CPF", 14);
      q.rotuloCampo(0, c, "Sacado", 21);
      c = q.rotuloCampo(1, 0, "Vencimento", 10);
      q.rotuloCampo(1, c, "Valor", 14);
      c = q.rotuloCampo(2, 0, "Doc", 10);
      q.rotuloCampo(2, c, "Nosso Nro.", 12);
      return m;
    }
    case 6: {
      Moldura m = base(ctx, Jan::kDialogo, 19, 3, 4, 74, 1);
      Quadro& q = m.quadro;
      q.rotuloCampo(0, 0, "Servidor de saida (SMTP):", 40);
      int c = q.rotuloCampo(1, 0, "Nome  do usuario:", 30);
      q.rotuloCampo(1, c, "Senha:", 15);
      c = q.rotuloCampo(2, 0, "Email do usuario:", 35);
      q.rotuloCampo(2, c, "Memorizar senha", 1);
      return m;
    }
    case 7: {
      Moldura m = base(ctx, Jan::kDialogo, 19, 3, 4, 68, 1);
      Quadro& q = m.quadro;
      int c = q.rotuloCampo(0, 0, "CPF:", 14);
      q.rotuloCampo(0, c, "Para:", 40);
      q.rotuloCampo(1, 0, "Assunto:", 50);
      c = q.rotuloCampo(2, 0, "Anexar :", 28, 1);
      c = q.rotuloCampo(2, c, "Pendencias", 1, 1);
      q.rotuloCampo(2, c, "Texto Editado", 1);
      return m;
    }
    case 10: {
      Moldura m = base(ctx, Jan::kTela, 3, 18, 7, 13, 0, Cores::Normal, TabelaPosicao::Forma);
      opcoes(m, 1, 2, {"Lançar"_cp, "Transferir", "Visualizar", "Modificar"});
      return m;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace console::molduras

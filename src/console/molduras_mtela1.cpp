// The MTELA1 frames: copying and moving declarations, the slips' and e-mail's menus, the
// monthly values and the dollar converter, the banner, the estate closing, the export menu.
#include "console/molduras_familias.h"

#include <algorithm>
#include <string>

#include "rt/text/cp860.h"

namespace console::molduras {

using namespace rt::text::literals;

namespace {

// Two boxes one under the other, each with its caption and one field line.
void caixasPasta(Moldura& m, std::string_view cap1, std::string_view cap2) {
  const int w = m.quadro.colunas() - 1;
  m.quadro = Quadro(m.quadro.linhas(), m.quadro.colunas());
  for (int b = 0; b < 2; ++b) {
    const int r = b * 3;
    m.quadro.caixa(r, 0, r + 2, w);
    titulo(m, r, 2, std::string("Drive e a Pasta") + std::string(b == 0 ? cap1 : cap2));
    m.quadro.campo(r + 1, 1, w - 1, b == 0 ? cap1 : cap2);
  }
}

}  // namespace

std::optional<Moldura> molduraMtela1(const Contexto& ctx, int n, const ArgsMoldura& a) {
  switch (n) {
    case 2: {
      Moldura m = base(ctx, Jan::kTela, 3, 37, 16, 21, 0);
      m.quadro.escreve(1, 1, "CPF  Original");
      m.quadro.campo(2, 3, 14, "CPF  Original");
      m.quadro.escreve(3, 1, "CPF  Destino");
      m.quadro.campo(4, 3, 14, "CPF  Destino");
      m.quadro.divisoria(5, 0, 21);
      m.quadro.escreve(6, 1, "Copiar", 3);
      opcoes(m, 7, 2,
             {"Toda a declaração"_cp, "Declaração de Bens"_cp, "Livro Caixa", "Rendime. PJurídica"_cp,
              "Pagamentos", "Atividade Rural", "Bens/dividas MOL", "livro Caixa rural", "Imoveis Rurais"});
      return m;
    }
    case 3: {
      Moldura m = base(ctx, Jan::kTela, 12, 37, 5, 15, 0);
      m.quadro.escreve(1, 1, "CPF  Original");
      m.quadro.campo(2, 1, 14, "CPF  Original");
      m.quadro.escreve(3, 1, "Novo  CPF");
      m.quadro.campo(4, 1, 14, "Novo  CPF");
      return m;
    }
    case 4: {
      Moldura m = a.variante == 1 ? base(ctx, Jan::kTela, 11, 1, 5, 77, 0) : base(ctx, Jan::kTela, 6, 38, 5, 41, 0);
      if (a.variante == 2)
        caixasPasta(m, "Origem   ", "Destino  ");
      else
        caixasPasta(m, "  Atual  ", "  Novo   ");
      return m;
    }
    case 5: {
      Moldura m = base(ctx, Jan::kTela, 14, 37, 5, 19, 0);
      opcoes(m, 1, 2, {"Config. emitente", "Prepara Boletos", "Gera o Arquivo"});
      return m;
    }
    case 6: {
      Moldura m = base(ctx, Jan::kTela, 14, 37, 5, 18, 0);
      opcoes(m, 1, 2, {"Configura Email", "Prepara o Email", "Envia o Email"});
      return m;
    }
    case 7: {
      // A box around the month grid (rows 5-19, columns 10-42: the month, the reais and the
      // dollars), with the hint on the row under the grid.
      Moldura m = base(ctx, Jan::kSubdialogo, 4, 9, 17, 34, 2);
      m.quadro.escreve(16, 3, "Alt B=Busca valor");
      return m;
    }
    case 9: {
      Moldura m = base(ctx, Jan::kSobre, 6, 20, 6, 40, 0, Cores::Sobre);
      static constexpr std::string_view arte[3] = {"╔╦╗╔═╗╦  ╦╦═╗╔═╗╔╗╔"_cp, " ║ ╠═╣╚╗╔╝╠╦╝║╣ ║║║"_cp,
                                                   " ╩ ╩ ╩ ╚╝ ╩╚═╚═╝╝╚╝"_cp};
      for (int i = 0; i < 3; ++i)
        m.quadro.escreve(1 + i, (41 - static_cast<int>(arte[i].size())) / 2, arte[i], 2);
      const std::string terminal = "Terminal " + ctx.NUSU;
      const int c = (41 - static_cast<int>(terminal.size())) / 2;
      m.quadro.escreve(4, c, terminal);
      m.quadro.campo(4, c + 9, 2, "Terminal");
      const std::string versao = std::string("Versão "_cp) + a.versao;
      m.quadro.escreve(5, std::max((41 - static_cast<int>(versao.size())) / 2, 1), versao);
      return m;
    }
    case 10: {
      Moldura m = base(ctx, Jan::kSubdialogo, 12, 10, 7, 57, 1);
      Quadro& q = m.quadro;
      q.escreve(0, 0, " Informaçoes sobre o Encerramento do Espólio"_cp, 3);
      if (a.judicial) {
        q.rotuloCampo(1, 0, "Nro. do processo judicial", 25);
        int c = q.rotuloCampo(2, 0, "Vara Cível"_cp, 12);
        c = q.rotuloCampo(2, c, "Comarca", 14);
        q.rotuloCampo(2, c, "UF", 2);
        q.rotuloCampo(3, 0, "Data da decisão judicial da partilha"_cp, 10);
        q.rotuloCampo(4, 0, "Data do trânsito em julgado da decisão"_cp, 10);
      } else {
        q.rotuloCampo(1, 0, "Nome Cartorio", 40);
        int c = q.rotuloCampo(2, 0, "Municipio", 36);
        q.rotuloCampo(2, c, "UF", 2);
        c = q.rotuloCampo(3, 0, "Livro", 7);
        c = q.rotuloCampo(3, c, "Folhas", 7);
        q.rotuloCampo(3, c, "CNPJ", 18);
        q.rotuloCampo(4, 0, "Data da Lavratura", 10);
      }
      q.rotuloCampo(5, 0, "Ano do óbito"_cp, 4);
      return m;
    }
    case 11: {
      // Beside the field being converted: one row below the cursor, or six rows above it
      // when the cursor is on row 18 or below; 20 columns to its left, at most to column 0.
      const rt::term::Screen& tela = ctx.console.screen();
      const int r = tela.cursorRow(), c = tela.cursorCol();
      Moldura m = base(ctx, Jan::kSubdialogo, r >= 18 ? r - 6 : r + 1, std::max(c - 20, 0), 6, 23, 7, Cores::Invertida);
      titulo(m, 0, 9, "$US");
      m.quadro.rotuloCampo(1, 2, "R$ ", 14);
      m.quadro.rotuloCampo(2, 2, "US$", 14);
      m.quadro.rotuloCampo(3, 2, "Mês"_cp, 2);
      return m;
    }
    case 12: {
      Moldura m = base(ctx, Jan::kTela, 13, 37, 10, 19, 0);
      opcoes(m, 1, 2,
             {"declaracao Bens", "declar. Dividas", "Pagamentos", "Cadastro", "Bens Rurais", "diVidas Rurais",
              "Imoveis Rurais"});
      return m;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace console::molduras

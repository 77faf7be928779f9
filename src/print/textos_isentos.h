// The line texts of the exempt and exclusively taxed incomes on sheet 2: the tax authority's
// form wording (condensed, amounts at column 119) and the office's short numbered wording
// (normal pitch, amounts at column 64).
#pragma once

#include <array>
#include <string_view>

namespace print {

struct TextoLinha {
  std::string_view longo, curto;
};

// Exempt lines 1-11 (I3_01..I3_11).
inline constexpr std::array<TextoLinha, 11> kIsentos{{
    {"Bolsas de estudo e de pesquisa caracterizadas como doacao", "1.Bolsas de estudo e de pesquisa"},
    {"Capital das apolices de seguro ou peculio pago por morte do segurado", "2.Seguro ou peculio por morte"},
    {"Indenizacoes por rescisao de contrato de trabalho, inclusive PDV, e por acidente de trabalho; e FGTS",
     "3.Indenizacoes por rescisao de contrato e FGTS"},
    {"Ganho de capital isento na alienacao de bens e direitos", "4.Ganho de capital isento"},
    {"Lucros e dividendos recebidos", "5.Lucros e dividendos recebidos"},
    {"Parcela isenta de proventos de aposentadoria, reserva, reforma e pensao de declarante com 65 anos ou mais",
     "6.Parcela isenta de aposentadoria (65 anos ou mais)"},
    {"Pensao e proventos de aposentadoria ou reforma por molestia grave ou acidente em servico",
     "7.Aposentadoria por molestia grave ou acidente"},
    {"Rendimentos de cadernetas de poupanca e letras hipotecarias", "8.Rendimentos de poupanca"},
    {"Rendimento de socio ou titular de microempresa ou empresa de pequeno porte optante pelo Simples",
     "9.Rendimento de socio de empresa do Simples"},
    {"Transferencias patrimoniais - doacoes e herancas", "10.Doacoes e herancas"},
    {"Parcela isenta correspondente a atividade rural", "11.Parcela isenta da atividade rural"},
}};

inline constexpr TextoLinha kIsentoAnosAnteriores{
    "Imposto de renda de anos anteriores compensado judicialmente neste exercicio",
    "12.Imposto renda de anos anteriores compensado nesse exercicio "};
inline constexpr TextoLinha kIsentoOutros{"Outros ", "13.Outros "};
inline constexpr TextoLinha kIsentoDependentes{"Rendimentos isentos dos dependentes",
                                               "14.Rendimentos isentos dos dependentes"};

// Exclusive lines 1-7 in the order and numbering of screen 3: I4_01 (the titular's 13th
// salary), I4_02 (capital gains), I4_03 (variable income), I4_04 (financial investments),
// I4_05 ("Outros " and its description), then I4_06 split in the dependants' 13th salary and
// the rest of theirs.
inline constexpr std::array<TextoLinha, 7> kExclusivos{{
    {"Decimo terceiro salario", "1.13o salario"},
    {"Ganhos de capital na alienacao de bens e/ou direitos", "2.Ganhos de capital"},
    {"Ganhos liquidos em renda variavel (bolsa de valores, de mercadorias, de futuros e assemelhados)",
     "3.Ganhos liquidos em renda variavel"},
    {"Rendimentos de aplicacoes financeiras", "4.Rendimentos de aplicacoes financeiras"},
    {"Outros ", "5.Outros "},
    {"Decimo terceiro salario recebido pelos dependentes", "6.13o salario dos dependentes"},
    {"Outros rendimentos sujeitos a tributacao exclusiva recebidos pelos dependentes",
     "7.Outros dos dependentes"},
}};

}  // namespace print

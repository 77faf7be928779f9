// Payments and deductions, electoral donations.
#include "export/secoes.h"
#include "rt/text/strings.h"

namespace exporta {

namespace {

using rt::text::alltrim;

int codigoDe(const store::RegistroEspelho& r) {
  return static_cast<int>(r.num("I6_3").wholePart());
}

// Codes 91 to 97 are the tax authority's 60, 61, 62, 66, 70, 76 and 99.
int codigoReceita(int codigo) {
  static constexpr int kDe91[] = {60, 61, 62, 66, 70, 76, 99};
  return codigo >= 91 && codigo <= 97 ? kDe91[codigo - 91] : codigo;
}

}  // namespace

void pagamentos(const Secao& s) {
  TextoXml& x = s.x;
  auto entra = [](const store::RegistroEspelho& r) {
    const int c = codigoDe(r);
    return !alltrim(r.txt("I6_1")).empty() && c != 90 && c != 98;
  };
  int quantos = 0;
  for (const auto& r : s.dados.pagamentos)
    if (entra(r)) ++quantos;
  x.abre("pagamentos")
      .texto("tipoItens", "serpro.ppgd.irpf.pagamentos.Pagamento")
      .dinheiro("totalContribEmpregadoDomestico", s.t.I13_20T)
      .dinheiro("totalContribuicaoFAPI", s.t.I13_09T)
      .dinheiro("totalDeducaoIncentivo", s.t.I13_18T)
      .dinheiro("totalDeducoesInstrucao", s.t.I13_11T)
      .dinheiro("totalDespesasMedicas", s.n("I13_12"))
      .dinheiro("totalPensao", s.n("I13_13"))
      .dinheiro("totalPensaoCartoral", s.t.NPENCART)
      // Indexes run from 0, so the count is the index the program gives the next payment.
      .a("ultimoIndiceGerado", std::to_string(quantos))
      .fim();
  int indice = 0;
  for (const auto& r : s.dados.pagamentos) {
    if (!entra(r)) continue;
    const int codigo = codigoDe(r);
    // Who the payment is for: the titular, a dependant, or an alimony beneficiary.
    std::string tipo = "T", pessoa;
    if (const auto quem = r.num("I6_6"); !quem.isZero()) {
      tipo = "D";
      for (const auto& d : s.dados.dependentes)
        if (d.num("NRODEPEN") == quem) {
          pessoa = d.txt("NOMEDEPEN");
          if (!ehDependente(d)) tipo = "A";
          break;
        }
    }
    const bool domestico = codigo == 50;
    x.abre("item")
        .texto("codigo", doisDigitos(codigoReceita(codigo)))
        .mapeado("dependenteOuAlimentando", pessoa)
        .a("indice", std::to_string(indice++))
        .a("niBeneficiario", soDigitos(r.txt(domestico ? "I6_7" : "I6_2")))
        .a("nitEmpregadoDomestico", domestico ? soDigitos(r.txt("I6_2")) : "")
        .mapeado("nomeBeneficiario", SEMPONTO(r.txt("I6_1")))
        .dinheiro("parcelaNaoDedutivel", codigo < 30 || domestico ? r.num("I6_5") : Decimal())
        .a("tipo", tipo)
        .dinheiro("valorPago", r.num("I6_4"))
        .vazio();
  }
  x.fecha("pagamentos");
}

void doacoes(const Secao& s) {
  TextoXml& x = s.x;
  x.abre("doacoes")
      .texto("tipoItens", "serpro.ppgd.irpf.eleicoes.Doacao")
      .dinheiro("totalDoacoes", s.t.NELEICAO)
      .fim();
  for (const auto& r : s.dados.pagamentos) {
    if (codigoDe(r) != 98) continue;
    x.abre("item")
        .texto("cnpj", r.txt("I6_2"))
        .mapeado("nome", SEMPONTO(r.txt("I6_1")))
        .dinheiro("valor", r.num("I6_4"))
        .vazio();
  }
  x.fecha("doacoes");
}

}  // namespace exporta

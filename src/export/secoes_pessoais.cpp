// The taxpayer, the spouse, the dependants and alimony beneficiaries, and the estate.
#include "export/secoes.h"

#include "rt/text/strings.h"

namespace exporta {

namespace {

using rt::text::alltrim;

bool vazio(std::string_view s) {
  return alltrim(s).empty();
}

}  // namespace

void contribuinte(const Secao& s) {
  const auto& r = s.reg();
  TextoXml& x = s.x;
  const bool fora = s.t.exterior;
  const bool espolio = alltrim(s.t01().txt("DECFINAL")) == "S";
  const std::string bairro = rt::text::left(r.txt("BAIRRO"), 19);
  x.abre("contribuinte");
  if (espolio)
    x.inteiroSemPontos("anoObito", s.n("ANOOBITO"));
  else
    x.a("anoObito", "");
  x.mapeado("bairro", bairro);
  x.a("bairroExt", fora ? mapeado(bairro) : "");
  x.texto("cep", r.txt("CEP"));
  x.a("cepExt", fora ? texto(r.txt("CEP")) : "");
  x.mapeado("cidade", r.txt("MUNICIPIO"));
  x.a("codigoExterior", fora ? texto(r.txt("CODEMB")) : "");
  x.mapeado("complemento", r.txt("COMPLEM"));
  x.a("complementoExt", fora ? mapeado(r.txt("COMPLEM")) : "");
  x.a("cpfMeeiro", espolio ? comCpf(r.txt("CPFCONJU")) : "");
  x.texto("dataNascimento", dataTexto(r.data("NASCIMENTO")));
  const std::string_view ddd = alltrim(r.txt("DDDTEL"));
  x.a("ddd", ddd.size() == 1 ? "" : texto(ddd));
  x.a("exterior", fora ? "1" : "0");
  x.mapeado("logradouro", r.txt("ENDERECO"));
  x.a("logradouroExt", fora ? mapeado(r.txt("ENDERECO")) : "");
  x.texto("municipio", r.txt("CODMUNI"));
  x.mapeado("naturezaOcupacao", r.txt("CODAT"));
  x.mapeado("numero", r.txt("NUMERO"));
  x.a("numeroExt", fora ? mapeado(r.txt("NUMERO")) : "");
  x.mapeado("ocupacaoPrincipal", r.txt("CDPRO"));
  x.a("pais", fora ? texto(r.txt("CODPAIS")) : "105");
  x.texto("telefone", r.txt("TELEFO"));
  x.mapeado("tipoLogradouro", rt::text::upper(r.txt("TIPOEND")));
  x.texto("tituloEleitor", r.txt("TITULO"));
  x.a("uf", fora ? "DF" : texto(r.txt("UF")));
  x.vazio();
}

void conjuge(const Secao& s) {
  const auto& r = s.reg();
  // A CPF has eleven digits, beyond what an amount holds: any digit but zero makes it filled.
  const bool tem = soDigitos(r.txt("CPFCONJU")).find_first_not_of('0') != std::string::npos;
  Decimal isentos, exclusivos, retido, leao, resultado;
  if (tem) {
    isentos = r.num("I13_2C");
    exclusivos = r.num("I13_3C");
    retido = r.num("I13_4C");
    if (alltrim(r.txt("CONJPAD")) == "S") leao = r.num("I13_5C");
    resultado = r.num("I13_1C") + isentos + exclusivos - retido - leao;
  }
  s.x.abre("conjuge")
      .dinheiro("baseCalculoImposto", r.num("I13_1C"))
      .dinheiro("carneComImpComplementar", leao)
      .texto("cpfConjuge", r.txt("CPFCONJU"))
      .texto("decEntregou", r.txt("I9_4"))
      .dinheiro("impRetidoFonte", retido)
      .dinheiro("rendIsentoNaoTributaveis", isentos)
      .dinheiro("rendSujeitosTribExcl", exclusivos)
      .dinheiro("resultado", resultado)
      .vazio();
}

void dependentesEAlimentandos(const Secao& s) {
  TextoXml& x = s.x;
  x.abre("dependentes").mapeado("tipoItens", "serpro.ppgd.irpf.dependentes.Dependente").fim();
  for (const auto& r : s.dados.dependentes) {
    if (vazio(r.txt("NOMEDEPEN")) || !ehDependente(r)) continue;
    x.abre("item")
        .inteiro("codigo", r.num("CODIDEPEN"))
        .a("cpfDependente", comCpf(r.txt("CPFDEPEN")))
        .bruto("dataNascimento", dataTexto(r.data("DATADEPEN")))
        .mapeado("nome", r.txt("NOMEDEPEN"))
        .vazio();
  }
  x.fecha("dependentes");
  x.abre("alimentandos").mapeado("tipoItens", "serpro.ppgd.irpf.alimentandos.Alimentando").fim();
  for (const auto& r : s.dados.dependentes) {
    if (vazio(r.txt("NOMEDEPEN")) || ehDependente(r)) continue;
    x.abre("item")
        .a("cpf", comCpf(r.txt("CPFDEPEN")))
        .bruto("dtNascimento", dataTexto(r.data("DATADEPEN")))
        .mapeado("nome", r.txt("NOMEDEPEN"))
        .a("residente", r.num("CODIDEPEN") == Decimal(98) ? "1" : "0")
        .vazio();
  }
  x.fecha("alimentandos");
}

void espolio(const Secao& s) {
  const auto& r = s.t01();
  TextoXml& x = s.x;
  x.abre("espolio");
  if (!vazio(r.txt("CPFINVENT"))) {
    x.mapeado("comarca", r.txt("COMARCA"))
        .texto("cpfInventariante", r.txt("CPFINVENT"))
        .bruto("dtDecisaoJud", dataTexto(r.data("DATAPARTI")))
        .bruto("dtTransito", dataTexto(r.data("DATADECIS")))
        .mapeado("endInventariante", rt::text::left(r.txt("ENDINVENT"), 70))
        .mapeado("idVaraCivil", r.txt("VARACIVIL"))
        .mapeado("nomeInventariante", r.txt("NOMINVENT"))
        .texto("numProcessoJudicial", r.txt("NROPROCES"))
        .a("tipoJudicial", vazio(r.txt("NROPROCES")) ? "0" : "1")
        .texto("uf", r.txt("UFPROCES"))
        .fim();
    x.abre("escrituracaoPublica")
        .a("cnpjCartorio", comCnpj(r.txt("CNPJCARTO")))
        .bruto("dataLavratura", dataTexto(r.data("DATALAVRA")))
        .inteiroSemPontos("folhas", r.num("FOLHCARTO"))
        .inteiroSemPontos("livro", r.num("LIVRCARTO"))
        .mapeado("municipio", r.txt("MUNICARTO"))
        .mapeado("nome", rt::text::left(r.txt("NOMECARTO"), 60))
        .texto("uf", r.txt("UFPROCES"))
        .vazio();
  } else {
    for (const char* nome : {"comarca", "cpfInventariante", "dtDecisaoJud", "dtTransito", "endInventariante",
                             "idVaraCivil", "nomeInventariante", "numProcessoJudicial", "tipoJudicial", "uf"})
      x.a(nome, "");
    x.fim().abre("escrituracaoPublica");
    for (const char* nome : {"cnpjCartorio", "dataLavratura", "folhas", "livro", "municipio", "nome", "uf"})
      x.a(nome, "");
    x.vazio();
  }
  x.fecha("espolio");
}

}  // namespace exporta

// Sheet 3: assets and debts with their subtotals carried over the pages, the spouse's
// information and the estate block.
#include "print/folha.h"
#include "print/pais.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "store/abertura.h"

namespace print {

using rt::text::transform;
using rt::text::trim;

namespace {

// One item of the asset or debt list: its rows' texts joined, the values of its last row.
struct Item {
  Decimal numero, codigo, anterior, atual;
  std::string descricao;
  int pais = 0;
  bool comValor = false;
};

struct Campos {
  const char *item, *codigo, *texto, *anterior, *atual;
};

// The items of a copy: a row without values goes on in the rows that follow while they have
// item number 0 or the same item; the text of the row with values comes last.
std::vector<Item> itens(store::Contexto& ctx, store::Area area, const Campos& c, bool comPais) {
  std::vector<Item> v;
  bool aberto = false;
  paraCadaLinha(ctx, area, [&](rt::db::Table& t) {
    const Decimal numero = t.getNumber(c.item);
    if (!aberto || !(numero.isZero() || numero == v.back().numero)) {
      v.push_back({numero, t.getNumber(c.codigo), {}, {}, {}, 0, false});
    }
    Item& it = v.back();
    it.descricao += trim(t.getText(c.texto));
    it.anterior = t.getNumber(c.anterior);
    it.atual = t.getNumber(c.atual);
    it.comValor = !it.anterior.isZero() || !it.atual.isZero();
    if (comPais) it.pais = static_cast<int>(rt::text::val(t.getText("I7_8")).wholePart());
    aberto = !it.comValor;
  });
  return v;
}

// The country's name for the numeric code an asset keeps.
std::string nomeDoPais(store::Contexto& ctx, int codigo) {
  return codigo > 0 ? print::nomeDoPais(ctx, rt::text::strzero(Decimal(codigo), 3)) : std::string();
}

// RASCBENS (k 3) and RASCDIV (k 4).
void lista(Folha& f, int k) {
  Pagina& p = f.pag;
  const bool bens = k == 3;
  const Campos c = bens ? Campos{"I7_1", "I7_5", "I7_2", "I7_3", "I7_4"} : Campos{"I8_1", "I8_5", "I8_2", "I8_3", "I8_4"};
  const std::vector<Item> v = itens(f.ctx, bens ? store::Area::TMP_04 : store::Area::TMP_05, c, bens);
  Decimal& anterior = bens ? f.I7_3 : f.I8_3;
  Decimal& atual = bens ? f.I7_4 : f.I8_4;
  anterior = atual = Decimal();
  if (v.empty()) {
    p.condensado();
    p.linha(0, bens ? "DECLARACAO DE BENS E DIREITOS" : "DIVIDAS E ONUS REAIS");
    p.linha(0, "Sem Informacoes");
  } else {
    tituloDaSecao(f, k);
    for (const Item& it : v) {
      const int fatias = std::max<int>(1, static_cast<int>((it.descricao.size() + 89) / 90));
      for (int s = 0; s < fatias; ++s) {
        if (s == 0) {
          p.valor(0, it.numero, "@EZ 999");
          p.valor(5, it.codigo, "@EZ 99");
        }
        p.diz(12, rt::text::substr(it.descricao, s * 90 + 1, 90));
        if (s == fatias - 1) {
          p.valor(106, it.anterior);
          p.valor(123, it.atual);
        }
        p.avanca();
        if (s < fatias - 1 && p.passou(3)) CABEC_PAG(f, k);
      }
      if (it.comValor) {
        if (bens) p.linha(12, it.pais > 0 ? nomeDoPais(f.ctx, it.pais) : (f.QUEIMP == 1 ? "BRASIL" : ""));
        p.linha(0, f.imp.LIN_DIV2);
      }
      anterior += it.anterior;
      atual += it.atual;
      if (p.passou(3)) CABEC_PAG(f, k);
    }
  }
  p.diz(0, "TOTAL ");
  p.valor(106, f.m.num(bens ? "I13_32" : "I13_34"));
  p.valor(123, f.m.num(bens ? "I13_33" : "I13_35"));
  p.avanca();
}

void linhaDoConjuge(Pagina& p, std::string_view rotulo, Decimal valor) {
  p.diz(0, rotulo);
  p.valor(119, valor);
  p.avanca();
}

void conjuge(Folha& f) {
  Pagina& p = f.pag;
  const Memvars& m = f.m;
  p.PULA_PAG(9);
  p.condensado();
  p.linha(0, "INFORMACOES DO CONJUGE");
  const std::string padrao(trim(m.txt("CONJPAD")));
  if (padrao == "N") {
    linhaDoConjuge(p, "Base de calculo", m.num("I13_1C"));
    linhaDoConjuge(p, "Total do imposto pago", m.num("I13_4C"));
    linhaDoConjuge(p, "Rendimentos Isentos e nao-tributaveis", m.num("I13_2C"));
    linhaDoConjuge(p, "Rendimentos sujeitos a tributacao exclusiva", m.num("I13_3C"));
    linhaDoConjuge(p, "RESULTADO", m.num("I9_2"));
  } else if (padrao == "S") {
    linhaDoConjuge(p, "Base de calculo do imposto devido", m.num("I13_1C"));
    linhaDoConjuge(p, "Imposto retido na Fonte", m.num("I13_4C"));
    linhaDoConjuge(p, "Carne-leao e imposto complementar", m.num("I13_5C"));
    linhaDoConjuge(p, "Rendimentos Isentos e nao-tributaveis", m.num("I13_2C"));
    linhaDoConjuge(p, "Rendimentos sujeitos a tributacao exclusiva (inclusive 13ro)", m.num("I13_3C"));
    linhaDoConjuge(p, "RESULTADO", m.num("I9_2"));
  } else {
    p.linha(0, "Sem informacoes");
  }
  p.linha(0, f.imp.LIN_DIV2);
}

// The estate block: five lines kept on one page.
void espolio(Folha& f) {
  Pagina& p = f.pag;
  p.PULA_PAG(5);
  p.normal();
  p.linha(0, "DECLARACAO DE ESPOLIO ");
  p.diz(0, "CPF do inventariante:");
  p.linha(28, transform(f.m.txt("CPFINVENT"), kCpf));
  p.diz(0, "Nome Inventariante:");
  p.linha(28, trim(f.m.txt("NOMINVENT")));
  p.diz(0, "Endereco do inventariante:");
  p.linha(28, trim(f.m.txt("ENDINVENT")));
  p.linha(0, f.imp.LIN_DIV1);
}

}  // namespace

void PAGINA3(Folha& f) {
  // A sheet that starts on a new page (the job's first sheet) has its name and CPF header.
  if (f.pag.QLIN() == 0) CABEC_PAG(f, 0);
  if (trim(f.m.txt("DECFINAL")) == "S") {
    f.CANOAN = "Data Partilha";
    f.CANOBA = "Val. Transf. ";
  }
  lista(f, 3);
  lista(f, 4);
  conjuge(f);
  espolio(f);
  f.pag.quebra();
}

}  // namespace print

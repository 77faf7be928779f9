#include "office/mala.h"

#include "console/tempo.h"
#include "office/carta.h"
#include "print/escritorio.h"
#include "rt/dev/target.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "rt/ui/memoedit.h"
#include "store/areas.h"

namespace office {

using rt::text::Decimal;
using rt::text::transform;

namespace {

constexpr std::string_view kQuebraSuave = "\x8D\n";

std::string limpo(std::string_view s) {
  return std::string(rt::text::alltrim(s));
}

// Money in letters: "." between thousands, "," before the cents, nothing when zero.
std::string dinheiro(Decimal v) {
  return v.isZero() ? std::string() : limpo(transform(v, "@E 999,999,999,999.99"));
}

// A phone number of eight digits as "9999-9999".
std::string fone(std::string_view numero) {
  return transform(numero, "@R ##99-9999");
}

}  // namespace

namespace {

std::string txt(const DadosDaMala& d, std::string_view campo) {
  return d.registro().getText(campo);
}
Decimal num(const DadosDaMala& d, std::string_view campo) {
  return d.registro().getNumber(campo);
}

std::string imposto(const DadosDaMala& d) {
  const Decimal i = num(d, "IMPPGRE");
  if (i.isZero()) return std::string("Isento ");
  return (i.isNegative() ? "Devolucao " : "Imposto ") + dinheiro(rt::text::abs(i));
}

}  // namespace

// Each field with the caption of the editor's list and the text the register record gives it.
const std::vector<CampoCarta>& camposDaCarta() {
  using D = const DadosDaMala&;
  static const std::vector<CampoCarta> campos{
      {"CPF", "CPF", [](D d) { return transform(txt(d, "CPF"), "@R 999.999.999-99"); }},
      {"Nome", "Nome", [](D d) { return limpo(txt(d, "NOMECONTR")); }},
      {"TipoEnd", "Tipo Ender.", [](D d) { return limpo(txt(d, "TIPOEND")); }},
      {"Logradouro", "Logradouro", [](D d) { return limpo(txt(d, "ENDERECO")); }},
      {"Numero", "Numero", [](D d) { return limpo(txt(d, "NUMERO")); }},
      {"Complemento", "Complem.", [](D d) { return limpo(txt(d, "COMPLEM")); }},
      {"Bairro", "Bairro", [](D d) { return limpo(txt(d, "BAIRRO")); }},
      {"CEP", "CEP", [](D d) { return transform(txt(d, "CEP"), "@R 99999-999"); }},
      {"Municipio", "Municipio", [](D d) { return limpo(txt(d, "MUNICIPIO")); }},
      {"Estado", "Estado", [](D d) { return txt(d, "UF"); }},
      {"MudouEnd", "Mudou Ender", [](D d) { return txt(d, "NOVOEND"); }},
      {"Email", "Email", [](D d) { return limpo(txt(d, "EMAIL")); }},
      {"Telefone", "Telefone", [](D d) { return limpo(txt(d, "DDDTEL")) + fone(txt(d, "TELEFO")); }},
      {"FAX", "FAX", [](D d) { return limpo(txt(d, "DDDFAX")) + fone(txt(d, "NROFAX")); }},
      {"Celular", "Celular", [](D d) { return fone(txt(d, "TELCELU")); }},
      {"TelSecr", "Tel. Secrt", [](D d) { return fone(txt(d, "TELSECR")); }},
      {"Titulo", "Titulo", [](D d) { return transform(txt(d, "TITULO"), "@R 99999999999-99"); }},
      {"Nascimento", "Nascimento", [](D d) { return rt::text::dtoc(d.registro().getDate("NASCIMENTO")); }},
      {"Tempo", "Tempo uso", [](D d) { return console::SEG_HOR_2(num(d, "TEM_USO").wholePart()); }},
      {"Area", "Area usada",
       [](D d) {
         const Decimal a = num(d, "TAM_USO");
         return a.isZero() ? std::string() : limpo(transform(a, "@E 999,999,999"));
       }},
      {"ValorTempo", "Valor*Tempo", [](D d) { return dinheiro(d.custos().tempo); }},
      {"ValorArea", "Valor*Area", [](D d) { return dinheiro(d.custos().tamanho); }},
      {"CustoDecl", "Custo Decl", [](D d) { return dinheiro(d.custos().declaracao); }},
      {"ValorCobrar", "Val.Cobrar", [](D d) { return dinheiro(num(d, "VALOREC")); }},
      {"Imposto", "Imposto", imposto},
      {"NroQuotas", "Nro quotas",
       [](D d) {
         const Decimal q = num(d, "I13_29");
         return q.isZero() ? std::string() : std::to_string(q.wholePart() % 10);
       }},
      {"NroRecibo", "Nro Recibo", [](D d) { return rt::text::padr(txt(d, "RECIBOATU"), 12); }},
      {"ReciboAnt", "Rec. Anter", [](D d) { return rt::text::padr(txt(d, "RECIBOANT"), 12); }},
      {"CpfConjuge", "Cpf conjug", [](D d) { return transform(txt(d, "CPFCONJU"), "@R 999.999.999-99"); }},
      {"Estatus", "Estatus",
       [](D d) {
         const Decimal e = num(d, "ESTATUS");
         return e.isZero() ? std::string() : rt::text::doisDigitos(e.wholePart());
       }},
      {"Banco", "Banco", [](D d) { return txt(d, "BANCO"); }},
      {"Agen/Conta", "Age./Conta",
       [](D d) {
         return "Ag. " + transform(txt(d, "AGENCIA"), "@R !!!!!-!") + " CC " + limpo(txt(d, "CONTACO"));
       }},
      {"Senha", "Senha", [](D d) { return txt(d, "SENACESSO"); }},
      {"Codigo", "Codigo",
       [](D d) {
         const Decimal c = num(d, "CODACESSO");
         return c.isZero() ? std::string() : std::to_string(c.wholePart());
       }},
  };
  return campos;
}

DadosDaMala::DadosDaMala(const rt::db::Table& registro, const console::PrecosEscritorio& precos)
    : reg_(registro),
      custos_(
          console::calculaHonorarios(registro.getNumber("TEM_USO"), registro.getNumber("TAM_USO"), precos,
                                    console::SemTempo::Nada)) {}

std::optional<std::string> DadosDaMala::valor(std::string_view campo) const {
  for (const CampoCarta& c : camposDaCarta())
    if (c.nome == campo) return c.valor(*this);
  return std::nullopt;
}

std::string MESCLA(std::string_view texto, const DadosDaMala& dados) {
  std::string out;
  out.reserve(texto.size() + texto.size() / 4);
  std::size_t i = 0;
  while (i < texto.size()) {
    const std::size_t abre = texto.find(kCampoAbre, i);
    const std::size_t fecha = abre == std::string_view::npos ? abre : texto.find(kCampoFecha, abre + 1);
    if (fecha == std::string_view::npos) break;
    // The field is the innermost pair: in "«a «Nome»" the first guillemet is text.
    const std::size_t inicio = texto.rfind(kCampoAbre, fecha);
    out.append(texto.substr(i, inicio - i));
    // A soft line end the editor's word wrap put inside the field is not part of its name.
    const std::string nome = rt::text::strtran(texto.substr(inicio + 1, fecha - inicio - 1), kQuebraSuave);
    if (auto v = dados.valor(nome))
      out += *v;
    else
      out.append(texto.substr(inicio, fecha - inicio + 1));
    i = fecha + 1;
  }
  if (i < texto.size()) out.append(texto.substr(i));
  return out;
}

void IMPR_EDT(print::Impressao& imp, std::string_view texto) {
  if (texto.empty()) return;
  const Carta c = leCarta(texto);
  const FormatoCarta& f = c.formato;
  // The page rows that take text. The right margin is kept in the file but not applied: the
  // width already leaves it out.
  const int primeira = f.margemSuperior, ultima = f.linhas - f.margemInferior - 1;
  rt::dev::Printer& d = imp.dispositivo;
  int linha = imp.QLIN + f.margemSuperior;
  for (const std::string& l : rt::ui::memoLines(c.texto, f.largura)) {
    if (linha > ultima) {
      d.eject();
      linha = primeira;
    }
    // An empty line only moves the head on: no blanks left behind in a file or a message.
    if (const std::string_view t = rt::text::trim(l); !t.empty()) d.say(linha, f.margemEsquerda, t);
    ++linha;
  }
  imp.QLIN = linha;
}

void IMPR_MAIL(store::Contexto& ctx, print::Impressao& imp, std::string_view texto) {
  const console::PrecosEscritorio precos = print::precosDoEscritorio(ctx);
  const rt::db::Table* reg = ctx.areas.table(store::Area::IMP0910);
  if (reg == nullptr) return;
  IMPR_EDT(imp, MESCLA(texto, DadosDaMala(*reg, precos)));
}

std::string corpoDaCarta(store::Contexto& ctx, std::string_view texto) {
  std::string corpo;
  print::Impressao imp;
  imp.dispositivo.route(rt::dev::stringTarget(corpo));
  IMPR_MAIL(ctx, imp, texto);
  (void)imp.dispositivo.close();  // a string takes every byte
  return corpo;
}

}  // namespace office

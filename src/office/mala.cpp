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

const std::vector<CampoCarta>& camposDaCarta() {
  static const std::vector<CampoCarta> campos{
      {"CPF", "CPF"},
      {"Nome", "Nome"},
      {"TipoEnd", "Tipo Ender."},
      {"Logradouro", "Logradouro"},
      {"Numero", "Numero"},
      {"Complemento", "Complem."},
      {"Bairro", "Bairro"},
      {"CEP", "CEP"},
      {"Municipio", "Municipio"},
      {"Estado", "Estado"},
      {"MudouEnd", "Mudou Ender"},
      {"Email", "Email"},
      {"Telefone", "Telefone"},
      {"FAX", "FAX"},
      {"Celular", "Celular"},
      {"TelSecr", "Tel. Secrt"},
      {"Titulo", "Titulo"},
      {"Nascimento", "Nascimento"},
      {"Tempo", "Tempo uso"},
      {"Area", "Area usada"},
      {"ValorTempo", "Valor*Tempo"},
      {"ValorArea", "Valor*Area"},
      {"CustoDecl", "Custo Decl"},
      {"ValorCobrar", "Val.Cobrar"},
      {"Imposto", "Imposto"},
      {"NroQuotas", "Nro quotas"},
      {"NroRecibo", "Nro Recibo"},
      {"ReciboAnt", "Rec. Anter"},
      {"CpfConjuge", "Cpf conjug"},
      {"Estatus", "Estatus"},
      {"Banco", "Banco"},
      {"Agen/Conta", "Age./Conta"},
      {"Senha", "Senha"},
      {"Codigo", "Codigo"},
  };
  return campos;
}

DadosDaMala::DadosDaMala(const rt::db::Table& registro, const console::PrecosEscritorio& precos)
    : reg_(registro),
      custos_(
          console::calculaHonorarios(registro.getNumber("TEM_USO"), registro.getNumber("TAM_USO"), precos,
                                    console::SemTempo::Nada)) {}

std::optional<std::string> DadosDaMala::valor(std::string_view campo) const {
  const auto txt = [this](std::string_view n) { return reg_.getText(n); };
  const auto num = [this](std::string_view n) { return reg_.getNumber(n); };
  if (campo == "CPF") return transform(txt("CPF"), "@R 999.999.999-99");
  if (campo == "Nome") return limpo(txt("NOMECONTR"));
  if (campo == "TipoEnd") return limpo(txt("TIPOEND"));
  if (campo == "Logradouro") return limpo(txt("ENDERECO"));
  if (campo == "Numero") return limpo(txt("NUMERO"));
  if (campo == "Complemento") return limpo(txt("COMPLEM"));
  if (campo == "Bairro") return limpo(txt("BAIRRO"));
  if (campo == "CEP") return transform(txt("CEP"), "@R 99999-999");
  if (campo == "Municipio") return limpo(txt("MUNICIPIO"));
  if (campo == "Estado") return txt("UF");
  if (campo == "Telefone") return limpo(txt("DDDTEL")) + fone(txt("TELEFO"));
  if (campo == "FAX") return limpo(txt("DDDFAX")) + fone(txt("NROFAX"));
  if (campo == "MudouEnd") return txt("NOVOEND");
  if (campo == "Email") return limpo(txt("EMAIL"));
  if (campo == "Celular") return fone(txt("TELCELU"));
  if (campo == "TelSecr") return fone(txt("TELSECR"));
  if (campo == "Titulo") return transform(txt("TITULO"), "@R 99999999999-99");
  if (campo == "Nascimento") return rt::text::dtoc(reg_.getDate("NASCIMENTO"));
  if (campo == "Tempo") return console::SEG_HOR_2(num("TEM_USO").wholePart());
  if (campo == "Area")
    return num("TAM_USO").isZero() ? std::string() : limpo(transform(num("TAM_USO"), "@E 999,999,999"));
  if (campo == "ValorTempo") return dinheiro(custos_.tempo);
  if (campo == "ValorArea") return dinheiro(custos_.tamanho);
  if (campo == "CustoDecl") return dinheiro(custos_.declaracao);
  if (campo == "ValorCobrar") return dinheiro(num("VALOREC"));
  if (campo == "Imposto") {
    const Decimal i = num("IMPPGRE");
    if (i.isZero()) return std::string("Isento ");
    return (i.isNegative() ? "Devolucao " : "Imposto ") + dinheiro(rt::text::abs(i));
  }
  if (campo == "NroQuotas")
    return num("I13_29").isZero() ? std::string() : std::to_string(num("I13_29").wholePart() % 10);
  if (campo == "NroRecibo") return rt::text::padr(txt("RECIBOATU"), 12);
  if (campo == "ReciboAnt") return rt::text::padr(txt("RECIBOANT"), 12);
  if (campo == "CpfConjuge") return transform(txt("CPFCONJU"), "@R 999.999.999-99");
  if (campo == "Estatus")
    return num("ESTATUS").isZero() ? std::string() : rt::text::doisDigitos(num("ESTATUS").wholePart());
  if (campo == "Banco") return txt("BANCO");
  if (campo == "Agen/Conta")
    return "Ag. " + transform(txt("AGENCIA"), "@R !!!!!-!") + " CC " + limpo(txt("CONTACO"));
  if (campo == "Senha") return txt("SENACESSO");
  if (campo == "Codigo")
    return num("CODACESSO").isZero() ? std::string() : std::to_string(num("CODACESSO").wholePart());
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
  const rt::db::Table* reg = ctx.areas.table(store::numero(store::Area::IMP0910));
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

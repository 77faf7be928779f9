#include "shell/servicos_declaracao.h"

#include <charconv>

#include "console/alerta.h"
#include "console/mensagens.h"
#include "console/molduras.h"
#include "console/recusa.h"
#include "gains/renda_variavel.h"
#include "gains/tabela_ganho.h"
#include "gains/tela_renda_variavel.h"
#include "grid/catalogo_nomes.h"
#include "rt/text/cp860.h"
#include "screens/rodape.h"
#include "shell/calculos_declaracao.h"
#include "shell/programa.h"
#include "store/areas.h"
#include "store/estatus.h"
#include "taxcalc/dependente_leao.h"
#include "taxcalc/pagamentos.h"
#include "taxcalc/patrimonio.h"
#include "taxcalc/rendimentos.h"
#include "taxcalc/rural.h"
#include "taxcalc/tax_year.h"

namespace shell {

namespace {

using namespace rt::text::literals;
using rt::text::Decimal;

// "FI7_T(5)" as its name and its argument (0 when it has none).
struct Chamada {
  std::string_view nome;
  int arg = 0;
};
Chamada separa(std::string_view s) {
  Chamada c{s, 0};
  const std::size_t abre = s.find('(');
  if (abre == std::string_view::npos) return c;
  c.nome = s.substr(0, abre);
  const std::string_view resto = s.substr(abre + 1);
  // A name without a number keeps the argument 0: the catalogue checks every name at start-up.
  (void)std::from_chars(resto.data(), resto.data() + resto.size(), c.arg);
  return c;
}

Decimal numero(const rt::ui::Value& v) {
  const Decimal* d = std::get_if<Decimal>(&v);
  return d != nullptr ? *d : Decimal();
}

// The recomputations the grid screens name, with the number in their parentheses. Dispatch
// and the start-up check of the catalogue read this one list.
struct Recalculo {
  std::string_view nome;
  void (*faz)(taxcalc::Contexto& c, int arg);
};

constexpr Recalculo kRecalculos[] = {
    // A payment's months changed: the next scan of the payments counts them again.
    {"JA_CALC", [](taxcalc::Contexto& c, int) { c.d.JA_CALC = false; }},
    {"FI1_T", [](taxcalc::Contexto& c, int arg) { taxcalc::FI1_T(c, arg); }},
    {"FI7_T", [](taxcalc::Contexto& c, int arg) { taxcalc::FI7_T(c, arg); }},
    {"FI8_T", [](taxcalc::Contexto& c, int arg) { taxcalc::FI8_T(c, arg); }},
    {"FDE_LEAO", [](taxcalc::Contexto& c, int arg) { c.vizinhos.FDE_LEAO(c, arg); }},
    // A dependant's row written: numbered at once, so its number shows while the grid is open.
    {"NRODP", [](taxcalc::Contexto& c, int) { taxcalc::NRODP(c); }},
    // The totals are kept in the rural summary; the values returned are the screens'.
    {"SOMA_RUR", [](taxcalc::Contexto& c, int arg) { taxcalc::SOMA_RUR(c, arg); }},
    {"SOMA_DIV", [](taxcalc::Contexto& c, int) { taxcalc::SOMA_DIV(c); }},
    // A payment's amount changed outside its cell (the calculator): its checks of the amount
    // run on what the row now holds.
    {"FDOAPAG",
     [](taxcalc::Contexto& c, int) {
       if (const rt::db::Table* t = store::tabela(c.areas, store::Area::TMP_06); t != nullptr && !t->eof())
         taxcalc::FDOAPAG(c, t->getNumber("I6_4"));
     }},
    // A cost row or share movement of the gain being edited changed: the gain again.
    {"FCALGAN", [](taxcalc::Contexto& c, int) { gains::calculaGanho(c); }},
    {"VER_GAN", [](taxcalc::Contexto& c, int) { gains::calculaGanho(c); }},
};

const Recalculo* recalculo(std::string_view nome) {
  for (const Recalculo& r : kRecalculos)
    if (r.nome == nome) return &r;
  return nullptr;
}

}  // namespace

bool recalculoConhecido(std::string_view nome) { return nome.empty() || recalculo(separa(nome).nome) != nullptr; }

rt::Status confereCatalogo(Program& p) {
  const std::vector<grid::NomeDesconhecido> nomes = grid::nomesDesconhecidos(p, recalculoConhecido);
  if (nomes.empty()) return {};
  std::vector<std::string> linhas{"Erro interno do programa: nomes desconhecidos nas telas."};
  for (std::size_t i = 0; i < nomes.size() && i < 8; ++i) linhas.push_back(nomes[i].texto());
  console::AVISOSN(p, linhas, 0);
  return console::falhaDita(rt::Error::kBadField, nomes.front().texto());
}

ServicosDeclaracao::ServicosDeclaracao(Program& p, store::Declaracao& dec, CalculosDeclaracao& calculos)
    : p_(p), dec_(dec), calculos_(calculos), listas_(p, dec) {
  ambiente.espelho = &dec.espelho;
  ambiente.listas = &listas_.listas();
  ambiente.NVALDOLAR = p.glob.NVALDOLAR;
}

grid::AmbienteValidacao& ServicosDeclaracao::ambienteValidacao() {
  ambiente.espelho = &dec_.espelho;
  ambiente.NVALDOLAR = p_.glob.NVALDOLAR;
  if (ambiente.listas == nullptr) ambiente.listas = &listas_.listas();
  return ambiente;
}

bool ServicosDeclaracao::dependente(store::Contexto& ctx, grid::Grade& g, std::string_view nome,
                                    rt::ui::Value& valor) {
  const std::size_t pos = nome.find("VE_RELDEP(");
  std::string_view antes = nome.substr(0, pos);
  while (!antes.empty() && antes.back() == ';') antes.remove_suffix(1);
  if (!antes.empty() && !grid::VALIDA_CELULA(ctx, g, ambienteValidacao(), antes, valor)) return false;
  std::string_view campo = nome.substr(pos + 10);
  campo = campo.substr(0, campo.find(')'));
  const auto* cpf = std::get_if<std::string>(&valor);
  console::Listas& l = listas_.listas();
  const taxcalc::ListaDependentes lista = [this, &l](std::string_view qual) {
    p_.QUALHLP = std::string(qual);
    l.TEMHLP = true;
    const rt::ui::Value v = l.GERAL2();
    const auto* t = std::get_if<std::string>(&v);
    return t != nullptr ? *t : std::string();
  };
  taxcalc::Contexto c = calculos_.contexto(dec_);
  const taxcalc::CpfDependente r = taxcalc::VE_RELDEP(c, cpf != nullptr ? *cpf : std::string(), campo, g.I1_1, lista);
  if (!r.aceito) return false;
  g.M_CPFDEPEN = r.M_CPFDEPEN;
  valor = r.M_CPFDEPEN;
  return true;
}

bool ServicosDeclaracao::valida(store::Contexto& ctx, grid::Grade& g, std::string_view nome, rt::ui::Value& valor) {
  // The checks that are the computation's own limits give the value to keep, and accept.
  using Limite = Decimal (*)(taxcalc::Contexto&, Decimal);
  Limite limite = nullptr;
  if (nome == "LIMIT2") limite = taxcalc::LIMIT2;
  if (nome == "LIMIT3") limite = taxcalc::LIMIT3;
  if (nome == "FDOAPAG") limite = taxcalc::FDOAPAG;
  if (nome == "FCONFNDEDU") limite = taxcalc::FCONFNDEDU;
  if (limite != nullptr) {
    taxcalc::Contexto c = calculos_.contexto(dec_);
    valor = limite(c, numero(valor));
    return true;
  }
  // The monthly split and the long descriptions are opened by the grid itself.
  if (nome == "MENSAL" || nome == "MOS_DETBEM" || nome == "MOS_DETDIV") return true;
  if (nome.find("VE_RELDEP(") != std::string_view::npos) return dependente(ctx, g, nome, valor);
  return grid::VALIDA_CELULA(ctx, g, ambienteValidacao(), nome, valor);
}

void ServicosDeclaracao::recalcula(store::Contexto& ctx, grid::Grade&, std::string_view nome) {
  const Chamada ch = separa(nome);
  const Recalculo* r = recalculo(ch.nome);
  if (r == nullptr) {
    // The catalogue is checked at start-up, so this is a fault of the program: say it rather
    // than leave the totals stale without a word.
    console::AVISOSN(ctx, std::string("Recálculo desconhecido: "_cp) + std::string(nome), 0);
    return;
  }
  taxcalc::Contexto c = calculos_.contexto(dec_);
  r->faz(c, ch.arg);
}

bool ServicosDeclaracao::QUETEL(store::Contexto&, grid::Grade&, int n) { return quetel ? quetel(n) : false; }
bool ServicosDeclaracao::MUDATEL1(store::Contexto&, grid::Grade&) { return mudatel1 ? mudatel1() : true; }
bool ServicosDeclaracao::MUDATEL12(store::Contexto&, grid::Grade&) { return mudatel12 ? mudatel12() : false; }
bool ServicosDeclaracao::MUDATEL14(store::Contexto&, grid::Grade&) { return mudatel14 ? mudatel14() : false; }
bool ServicosDeclaracao::ESC_HORIZ(store::Contexto&, grid::Grade&) { return escHoriz ? escHoriz() : false; }
void ServicosDeclaracao::SAL_DEC(store::Contexto&, grid::Grade&) {
  if (salDec) salDec();
}

std::string ServicosDeclaracao::VE_STAT(store::Contexto& ctx, int estatus, int pos) {
  return store::VE_STAT(ctx, estatus, pos);
}

void ServicosDeclaracao::NRODP(store::Contexto&, grid::Grade& g) {
  taxcalc::Contexto c = calculos_.contexto(dec_);
  g.N_DEPEN = static_cast<int>(taxcalc::NRODP(c).wholePart());
}

bool ServicosDeclaracao::FCALPOUPA(store::Contexto& ctx, grid::Grade&, int modo) {
  return grid::FCALPOUPA(ctx, ambienteValidacao(), modo);
}

void ServicosDeclaracao::BUSCA_DESP(store::Contexto& ctx, grid::Grade& g) { grid::BUSCA_DESP(ctx, g); }

std::optional<grid::ListasPoupanca> ServicosDeclaracao::LISTAS_POUPANCA(store::Contexto&, grid::Grade&) {
  const store::RegistroEspelho& t = dec_.espelho.tabela01;
  if (!t.tem("I3_12D") || !t.tem("I4_05D")) return std::nullopt;
  return grid::ListasPoupanca{t.txt("I3_12D"), t.num("I3_12"), t.txt("I4_05D"), t.num("I4_05")};
}

void ServicosDeclaracao::CARNE_PREVIDENCIA(store::Contexto&, grid::Grade&, std::string_view variavel, Decimal total) {
  store::RegistroEspelho& t = dec_.espelho.tabela01;
  if (variavel != "CARNEINSS" && variavel != "CARNEDEPEN") return;
  if (t.tem(variavel)) t.num(variavel, total);
}

void ServicosDeclaracao::MRODAPE(store::Contexto& ctx, grid::Grade&, int k) {
  const taxcalc::Contexto c = calculos_.contexto(dec_);
  screens::MRODAPE(ctx, k, screens::EstadoRodape{c.simplificado(), c.calAuto()});
}

void ServicosDeclaracao::MRODAPER(store::Contexto& ctx, grid::Grade&, int k) {
  const store::RegistroEspelho& rural = dec_.espelho.rural;
  const bool soTotais = rural.tem("SO_TOTAL") && rural.logico("SO_TOTAL");
  const std::string texto = taxcalc::MRODAPER(k, soTotais);
  // A number with no hint clears the line, as the other screens' hints do.
  if (texto.empty())
    console::MENS(ctx);
  else
    console::MENS(ctx, console::mens::Linha, texto);
}

void ServicosDeclaracao::VETEMPO(store::Contexto&, grid::Grade&) {
  if (vetempo) vetempo();
}
void ServicosDeclaracao::PARA_REL(store::Contexto&, grid::Grade&) {
  if (paraRel) paraRel();
}
void ServicosDeclaracao::DESLIG_RELG(store::Contexto&, grid::Grade&) {
  if (desligRelg) desligRelg();
}
bool ServicosDeclaracao::SEMHORA(store::Contexto&, grid::Grade&) { return semHora ? semHora() : false; }
void ServicosDeclaracao::INI_DECLA(store::Contexto&, grid::Grade&) {
  if (iniDecla) iniDecla();
}

void ServicosDeclaracao::matriz(store::Contexto& ctx, grid::Grade& g, int opc, int) {
  taxcalc::Contexto c = calculos_.contexto(dec_);
  grid::AmbienteMatriz a{ctx, g, c, mats(), servicosMatriz};
  grid::MBROWSE(a, opc);
}

void ServicosDeclaracao::rendaVariavel(store::Contexto& ctx, grid::Grade& g, int modo) {
  taxcalc::Contexto c = calculos_.contexto(dec_);
  grid::AmbienteMatriz a{ctx, g, c, mats(), servicosMatriz};
  gains::RENDA_VARIAVEL(a, modo);
}

void ServicosDeclaracao::fimRendaVariavel() {
  taxcalc::Contexto c = calculos_.contexto(dec_);
  gains::CALC_GRV(c);
}

std::optional<Decimal> ServicosDeclaracao::MUDATEL13(store::Contexto& ctx, grid::Grade& g, grid::MesesValor& meses,
                                                     int mes, Decimal valor) {
  if (mes > 12) return std::nullopt;
  if (mes > 0) {
    meses.reais.fill(Decimal());
    meses.segunda.fill(Decimal());
    meses.reais[static_cast<std::size_t>(mes - 1)] = valor;
    // The month's dollars at its rate, cut at the cent, as the grid shows a month typed there.
    if (!meses.GPS)
      meses.segunda[static_cast<std::size_t>(mes - 1)] = rt::text::despreza(valor / taxcalc::TAB_DOLAR(mes), 2);
  }
  grid::Matrizes& m = mats();
  grid::poeMeses(m, meses);
  {
    console::MTELA1(ctx, console::mtela1::ValoresMensais);
    const auto moldura = console::JanelaAberta::adota(ctx.janelas, console::Jan::kSubdialogo);
    matriz(ctx, g, 7, 0);
  }
  grid::tiraMeses(m, meses);
  Decimal total;
  for (const Decimal& v : meses.reais) total += v;
  return total;
}

GradeDolar ServicosDeclaracao::gradeDolar(grid::Grade& g) {
  return [this, &g](Program& p) -> std::optional<Decimal> {
    grid::MesesValor meses;
    return MUDATEL13(p, g, meses, 0, Decimal());
  };
}

}  // namespace shell

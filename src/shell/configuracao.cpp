#include "shell/configuracao.h"

#include "console/alerta.h"
#include "console/documentos.h"
#include "console/mensagens.h"
#include "console/menus.h"
#include "console/molduras.h"
#include "grid/edita.h"
#include "rt/term/colour.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/read.h"
#include "shell/cores_registro.h"
#include "shell/registros.h"
#include "store/areas.h"
#include "store/definicoes.h"
#include "store/estatus.h"
#include "store/recusa.h"
#include "store/travas.h"

namespace shell {
namespace {

using namespace rt::text::literals;
using rt::text::Decimal;

rt::term::ColourSet coresNormais(const store::Contexto& ctx) {
  return rt::term::parseColourList(CORNORM(ctx.cores));
}

// An int variable edited as a number.
rt::ui::Binding inteiro(std::string_view nome, int& v) {
  return rt::ui::var(
      nome, [&v]() -> rt::ui::Value { return Decimal(v); },
      [&v](const rt::ui::Value& x) {
        if (const auto* d = std::get_if<Decimal>(&x)) v = static_cast<int>(d->wholePart());
      });
}

// The screen place of a field of a dialog frame, by its label.
struct Lugar {
  int linha = 0, coluna = 0, largura = 0;
};
Lugar lugar(const store::Contexto& ctx, console::Familia f, int n, std::string_view rotulo) {
  for (const console::CampoMoldura& c : console::camposMoldura(ctx, f, n))
    if (c.rotulo == rotulo) return {ctx.ALJA[n] + c.linha, ctx.ACJA[n] + c.coluna, c.largura};
  return {};
}

// A picture narrower than its place goes to the place's right end, so the decimal commas of
// the column line up.
int alinhado(const Lugar& l, std::string_view picture) {
  const std::size_t espaco = picture.find(' ');
  const int largura = espaco == std::string_view::npos ? 0 : static_cast<int>(picture.size() - espaco - 1);
  return l.coluna + std::max(l.largura - largura, 0);
}

std::string anoMes(const Decimal& ano, const Decimal& mes) {
  return rt::text::strzero(ano, 4) + rt::text::strzero(mes, 2);
}

}  // namespace

void MENS_VAL(store::Contexto& ctx, int n) {
  static constexpr std::string_view kDicas[4] = {
      "Informe o valor a cobrar por minuto", "Informe o valor a cobrar por KByte de memoria usada",
      "Informe o valor minimo a cobrar.", "Informe o tempo sem teclar para desligar o relógio"_cp};
  if (n >= 1 && n <= 4) console::MENS(ctx, console::mens::Linha, kDicas[n - 1]);
}

void VAL_DECL(store::Contexto& ctx, Ajustes& aj) {
  using console::Familia;
  {
    console::MTELA2(ctx, console::mtela2::Honorarios);
    const auto moldura = console::JanelaAberta::adota(ctx.janelas, console::Jan::kTela);
    // The pictures fit the fields of DEFINE (N5.2, N5.2, N8.2, N2): a larger amount would be
    // stored as asterisks and read back as 0.
    const char* kMinuto = "@EZ 99.99";
    const char* kMinimo = "@EZ 99,999.99";
    const char* kTempo = "@ez 99";
    const Lugar seg = lugar(ctx, Familia::MTELA2, console::mtela2::Honorarios, "Por Minuto");
    const Lugar byte = lugar(ctx, Familia::MTELA2, console::mtela2::Honorarios, "Por KByte");
    const Lugar min = lugar(ctx, Familia::MTELA2, console::mtela2::Honorarios, "Mínimo"_cp);
    const Lugar des = lugar(ctx, Familia::MTELA2, console::mtela2::Honorarios, "Desligar após"_cp);
    rt::ui::Read read(ctx.console, coresNormais(ctx));
    auto dica = [&ctx](int n) {
      return [&ctx, n] {
        MENS_VAL(ctx, n);
        return true;
      };
    };
    read.get(seg.linha, alinhado(seg, kMinuto), rt::ui::var("VAL_SEG", aj.VAL_SEG), kMinuto).when(dica(1));
    read.get(byte.linha, alinhado(byte, kMinuto), rt::ui::var("VAL_BYTE", aj.VAL_BYTE), kMinuto)
        .when(dica(2));
    read.get(min.linha, alinhado(min, kMinimo), rt::ui::var("VAL_MIN", aj.VAL_MIN), kMinimo).when(dica(3));
    read.get(des.linha, alinhado(des, kTempo), inteiro("TEMP_DES", aj.TEMP_DES), kTempo).when(dica(4));
    read.run();
  }
  console::MENS(ctx);
  const Ajustes v = aj;
  store::gravaDefine(ctx, [&v](rt::db::Table& t) {
    RT_TRY(t.put("VAL_SEG", v.VAL_SEG));
    RT_TRY(t.put("VAL_BYTE", v.VAL_BYTE));
    RT_TRY(t.put("VAL_MIN", v.VAL_MIN));
    return t.put("TEMP_DES", Decimal(v.TEMP_DES));
  }).ignoreTold();
}

bool VAL_TEMP(const Ajustes& aj) {
  return aj.TEMP_SAL >= 1 && aj.TEMP_SAL <= 97;
}

std::string TIP_GRAV(store::Contexto& ctx, Ajustes& aj) {
  console::MTELA4(ctx);
  const auto moldura = console::JanelaAberta::adota(ctx.janelas, console::Jan::kDialogo);
  const auto itens = console::itensMoldura(ctx, console::Familia::MTELA4, console::mtela4::Salvamento);
  const int deslocamento = itens ? itens->deslocamento : 1;
  int modo = console::ESC_ITEM(ctx, console::Jan::kDialogo, 3, 18, deslocamento, aj.COMO_SAL);
  if (modo == 1) {
    // The interval is typed into a copy: the field holds a refused value until it is mended,
    // and Esc abandons the choice, so neither may reach the settings.
    Ajustes novo = aj;
    // 98 would neither autosave nor mean "end only": it is proposed as 15 too.
    if (novo.TEMP_SAL == 0 || novo.TEMP_SAL >= 98) novo.TEMP_SAL = 15;
    rt::ui::ReadResult r;
    {
      console::MENS(ctx, console::mens::Espera, "Gravar a cada    minutos", {.linha = 18, .coluna = 43});
      const auto prompt = console::JanelaAberta::adota(ctx.janelas, console::Jan::kMensagem);
      rt::ui::Get campo(18, 57, inteiro("TEMP_SAL", novo.TEMP_SAL), "@z 99");
      campo.valid([&novo] { return VAL_TEMP(novo); });
      r = rt::ui::readOne(ctx.console, std::move(campo), coresNormais(ctx));
    }
    if (r.escaped || !VAL_TEMP(novo)) {
      modo = 0;
    } else {
      aj.TEMP_SAL = novo.TEMP_SAL;
    }
  } else if (modo == 2) {
    aj.TEMP_SAL = 0;
  } else if (modo == 3) {
    aj.TEMP_SAL = 99;
  }
  if (modo != 0) aj.COMO_SAL = modo;
  const Ajustes v = aj;
  store::gravaDefine(ctx, [&v](rt::db::Table& t) {
    RT_TRY(t.put("COMO_SAL", Decimal(v.COMO_SAL)));
    RT_TRY(t.put("TEMP_SAL", Decimal(v.TEMP_SAL)));
    return t.put("TEMP_DES", Decimal(v.TEMP_DES));
  }).ignoreTold();
  return "";
}

void MUDA_ESTATUS(store::Contexto& ctx, const AbreGrade& edita) {
  {
    console::MTELA2(ctx, console::mtela2::MenuEstatus);
    const auto menu = console::JanelaAberta::adota(ctx.janelas, console::Jan::kSubdialogo);
    UsoTabela status(ctx, store::Area::STATUS);
    if (status.ok()) {
      ctx.POSVER = 1;
      for (;;) {
        console::OpcoesMenu opcoes;
        opcoes.teclas = "AC";
        opcoes.mensagens = {std::string("Modifica na declaração o status e/ou nro dos Recibos"_cp),
                            std::string("Cadastra ou altera a descrição do status"_cp)};
        const int e = console::ESC_OPCAO(ctx, console::Jan::kSubdialogo, 2, 3, 16, opcoes, 1);
        if (e == 0) break;
        if (e == 1) {
          if (edita) edita(ctx, grid::Tela::RegistroCobranca);
          ctx.janelas.FECHAJAN(console::Jan::kTela);
        } else {
          if (edita) edita(ctx, grid::Tela::Estatus);
          ctx.janelas.FECHAJAN(console::Jan::kDialogo);
        }
      }
    }
  }
  store::solta(ctx.areas, store::Area::STATUS);
  console::MENS(ctx);
}

namespace {

// The status column of the register grid: the name of the row's status.
class ServicosEstatus final : public grid::ServicosGrade {
 public:
  std::string VE_STAT(store::Contexto& ctx, int estatus, int pos) override { return store::VE_STAT(ctx, estatus, pos); }
};

}  // namespace

void GRADE_ESTATUS(store::Contexto& ctx, int tela) {
  const store::SelecaoGuardada selecao(ctx.areas);
  ServicosEstatus servicos;
  grid::Grade g;
  g.servicos = &servicos;
  grid::EDITA(ctx, g, tela);
}

void CAD_UFIR(store::Contexto& ctx, Ajustes& aj) {
  using console::Familia;
  console::MTELA2(ctx, console::mtela2::IndiceMensal);
  const auto moldura = console::JanelaAberta::adota(ctx.janelas, console::Jan::kSubdialogo);
  UsoTabela ufirm(ctx, store::Area::UFIRM);
  if (!ufirm.ok()) return;
  rt::db::Table& t = *ufirm;
  // The month after the last one with a rate (or that one, when it is the last row).
  t.goBottom();
  while (!t.bof() && t.status() && !t.eof() && t.getNumber("TJM").isZero()) t.skip(-1);
  if (t.bof())
    t.goTop();
  else
    t.skip(1);
  if (t.eof()) t.skip(-1);
  Decimal ano, mes, tjm, multipl;
  const std::string am = t.eof() ? std::string() : t.getText("ANOMES");
  if (rt::text::alltrim(am).size() == 6) {
    ano = Decimal::val(am.substr(0, 4));
    mes = Decimal::val(am.substr(4, 2));
  } else {
    const rt::text::Date hoje = rt::text::today(ctx.clock);
    ano = Decimal(hoje.year());
    mes = Decimal(hoje.month());
  }

  const Lugar lMes = lugar(ctx, Familia::MTELA2, console::mtela2::IndiceMensal, "Mês"_cp);
  const Lugar lAno = lugar(ctx, Familia::MTELA2, console::mtela2::IndiceMensal, "Ano");
  const Lugar lTjm = lugar(ctx, Familia::MTELA2, console::mtela2::IndiceMensal, "Selic");
  const rt::term::Attr corTexto = static_cast<rt::term::Attr>(ctx.cores.COR_TEL1);

  // BUSMES / BUSANO: the month's name and the row of year + month (multiplier 1 and rate 0
  // when there is none).
  auto busca = [&]() {
    const int m = static_cast<int>(mes.wholePart());
    if (m < 1 || m > 12) return false;
    ctx.screen().put(lMes.linha, lAno.coluna + 5, console::TRAZ_MES(m), corTexto);
    if (t.seek(anoMes(ano, mes)) && t.found()) {
      multipl = t.getNumber("MULTIPL");
      tjm = t.getNumber("TJM");
    } else {
      multipl = Decimal(1);
      tjm = Decimal();
    }
    return true;
  };
  busca();
  for (;;) {
    {
      rt::ui::Read read(ctx.console, coresNormais(ctx));
      read.get(lMes.linha, lMes.coluna, rt::ui::var("MES", mes), "@ 99").valid(busca);
      read.get(lAno.linha, lAno.coluna, rt::ui::var("ANO", ano), "@ 9999").valid(busca);
      read.get(lTjm.linha, lTjm.coluna, rt::ui::var("TJM", tjm), "@Ez 999.99");
      read.run();
    }
    const std::string r = console::AVISOSN(ctx, "Confirma a alteração ?"_cp, 3);
    if (r == "I") return;
    if (r == "S") break;
  }
  const int m = static_cast<int>(mes.wholePart());
  if (m >= 1 && m <= 12) {
    const std::string chave = anoMes(ano, mes);
    const store::SelecaoGuardada selecao(ctx.areas, store::Area::UFIRM);
    bool travado;
    if (t.seek(chave) && t.found())
      travado = store::REC_LOCK(ctx, store::kEsperaTrava).isOk();
    else
      travado = store::ADD_REC(ctx, store::kEsperaTrava).isOk();
    if (travado) {
      rt::Status s = t.put("ANOMES", chave);
      if (s) s = t.put("SIMB_MOED", std::string("R$  "));
      if (s) s = t.put("TJM", tjm);
      store::liberaGravacao(ctx, t, s, "TJM").ignoreTold();  // said; the rate stays as the table had it
    }
  }
  const Decimal cpmf = aj.VAL_CPMF;
  store::gravaDefine(ctx, [cpmf](rt::db::Table& d) { return d.put("VAL_CPMF", cpmf); }).ignoreTold();
}

}  // namespace shell

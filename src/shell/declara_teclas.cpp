#include "shell/declara_teclas.h"

#include "console/mensagens.h"
#include "grid/edita.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "store/salva.h"

namespace shell {

namespace key = rt::term::key;
using namespace rt::text::literals;

TeclasLigadas::~TeclasLigadas() {
  // Put back in the reverse order, so a key bound twice ends as it was before the first.
  for (auto it = antes_.rbegin(); it != antes_.rend(); ++it) {
    if (it->second)
      console_.setKey(it->first, *it->second);
    else
      console_.clearKey(it->first);
  }
}

void TeclasLigadas::liga(int codigo, rt::term::Console::HotKey acao) {
  const rt::term::Console::HotKey* h = console_.hotKeyFor(rt::term::Key{codigo});
  antes_.emplace_back(codigo, h != nullptr ? std::optional(*h) : std::nullopt);
  console_.setKey(codigo, std::move(acao));
}

std::string_view textoTeclasDoCodigo() {
  return "F1 Nome F2 CPF F3 Stat F4 Recu F5 Cor.IR F6 Detal F7 Pasta F8 MOL F11 Pendência"_cp;
}

void ligaTeclasDoCodigo(Declara& d, TeclasLigadas& t) {
  t.liga(key::F1, [&d] { d.escolhe(5); });
  t.liga(key::F2, [&d] { d.escolhe(1); });
  t.liga(key::F3, [&d] { d.escolhe(4); });
  // DIRETO says why the copies could not be taken up; the prompt stays as it was.
  t.liga(key::F4, [&d] { d.DIRETO().ignoreTold(); });
  // A notice a list left on the status line (the interest table's, after F5) goes when the
  // prompt is back: the line holds the prompt's keys again.
  const auto teclas = [&d] { console::MENS(d.p, console::mens::Linha, textoTeclasDoCodigo()); };
  t.liga(key::F5, [&d, teclas] {
    ServicosDeclara::porTecla(d.srv.corrigidos, d.p, d);
    teclas();
  });
  t.liga(key::F6, [&d] { ServicosDeclara::porTecla(d.srv.detalhe, d.p, d); });
  t.liga(key::F7, [&d] { d.MOS_DIR(); });
  t.liga(key::F8, [&d] { d.SO_MOL(); });
  t.liga(key::F11, [&d, teclas] {
    ServicosDeclara::porTecla(d.srv.pendencias, d.p, d);
    teclas();
  });
}

void ligaTeclasDaTela(Declara& d, TeclasLigadas& t) {
  t.liga(key::F1, [&d] { d.MUDATEL1(); });
  const int fs[] = {key::F4, key::F5, key::F6, key::F7, key::F8, key::F9, key::F10};
  for (int i = 0; i < 7; ++i) t.liga(fs[i], [&d, i] { d.QUETEL(4 + i); });
  t.liga(key::F11, [&d] { d.QUETEL(11); });
  t.liga(key::AltF1, [&d] { d.QUETEL(11); });
  t.liga(key::F12, [&d] {
    if (d.dec.espelho.registro.txt("TEMRURAL") == "S") d.QUETEL(12);
  });
  t.liga(key::Tab, [&d] { d.MUDATAB(key::Tab); });
  t.liga(key::ShiftTab, [&d] { d.MUDATAB(key::ShiftTab); });
  t.liga(key::AltQ, [&d] { grid::DIGA_QUEM(d.p, d.grade, d.dec.espelho.registro.txt("NOMECONTR")); });
  t.liga(key::AltS, [&d] { ServicosDeclara::porTecla(d.srv.calculadora, d.p, d); });
  t.liga(key::AltU, [&d] { ServicosDeclara::porTecla(d.srv.conversor, d.p, d); });
  t.liga(key::AltT, [&d] { d.DESLIG_RELG(); });
  t.liga(key::AltI, [&d] { d.ESC_HORIZ(1); });
  t.liga(key::AltH, [&d] { d.ESC_HORIZ(2); });
  t.liga(key::AltF2, [&d] { d.srv.ajuda(d.p, d, 0); });
  if (d.dec.opcoes.TEMP_SAL < 98) t.liga(key::AltW, [&d] { store::SAL_DEC(d.p, d.dec); });
}

}  // namespace shell

#include "teclado_fuzz.h"

#include <cstdio>
#include <cstdlib>

#include "rt/text/cp860.h"

namespace fuzz {

using namespace rt::term;
using namespace rt::text::literals;

namespace {

Tecla tecla(int code) { return Tecla{Tecla::Tipo::Tecla, Key{code}}; }

// Bytes 0xA4.. in order.
constexpr int kTeclasAltas[] = {
    key::F2, key::F3, key::F4, key::F5, key::F6, key::F7, key::F8, key::F9, key::F10, key::F11, key::F12,
    key::Up, key::Down, key::Left, key::Right, key::Home, key::End, key::PgUp, key::PgDn, key::Ins, key::Del,
    key::CtrlLeft, key::CtrlRight, key::CtrlHome, key::CtrlEnd, key::CtrlPgUp, key::CtrlPgDn, key::CtrlEnter,
};
static_assert(std::size(kTeclasAltas) == 0xC0 - 0xA4);

// Bytes 0xDE..0xE7.
constexpr int kModificadas[] = {key::ShiftF11, key::ShiftF12, key::CtrlF11,        key::CtrlF12,       key::AltF11,
                                key::AltF12,   key::AltMinus, key::AltEquals, key::AltKeypadMinus, key::AltKeypadPlus};
static_assert(std::size(kModificadas) == 0xE8 - 0xDE);

// Bytes 0xE8..0xF3: the accented letters of names and addresses.
constexpr std::string_view kAcentos = "çÇãõáéíóúâêô"_cp;
static_assert(kAcentos.size() == 0xF4 - 0xE8);

// Bytes 0xF5..0xFF: the commonest keys once more, so that random bytes move through screens.
constexpr int kComuns[] = {key::Enter, key::Esc, key::Tab, key::Up, key::Down, key::Left, key::Right,
                           key::Enter, key::Esc, 'S', 'N'};
static_assert(std::size(kComuns) == 0x100 - 0xF5);

}  // namespace

Tecla teclaDoByte(std::uint8_t b) {
  if (b == 0x00) return Tecla{Tecla::Tipo::Pausa, {}};
  if (b == 0x08 || b == 0x7F) return tecla(key::Backspace);
  if (b == 0x09) return tecla(key::Tab);
  if (b == 0x0A || b == 0x0D) return tecla(key::Enter);
  if (b <= 0x1A) return Tecla{Tecla::Tipo::Tecla, ctrlKey(static_cast<char>('a' + b - 1))};
  if (b == 0x1B) return tecla(key::Esc);
  if (b == 0x1C) return tecla(key::F1);
  if (b == 0x1D) return tecla(key::ShiftTab);
  if (b == 0x1E) return tecla(key::Up);
  if (b == 0x1F) return tecla(key::Down);
  if (b < 0x7F) return tecla(b);
  if (b <= 0x99) return tecla(key::altOf(static_cast<char>('A' + b - 0x80)));
  if (b <= 0xA3) return tecla(key::altOfDigit(static_cast<char>('0' + b - 0x9A)));
  if (b < 0xC0) return tecla(kTeclasAltas[b - 0xA4]);
  if (b < 0xCA) return tecla(key::ShiftF1 - (b - 0xC0));
  if (b < 0xD4) return tecla(key::CtrlF1 - (b - 0xCA));
  if (b < 0xDE) return tecla(key::AltF1 - (b - 0xD4));
  if (b < 0xE8) return tecla(kModificadas[b - 0xDE]);
  if (b < 0xF4) return tecla(static_cast<unsigned char>(kAcentos[b - 0xE8]));
  if (b == 0xF4) return Tecla{Tecla::Tipo::Mouse, Key{key::MouseLeft}};
  return tecla(kComuns[b - 0xF5]);
}

TecladoFuzz::TecladoFuzz(const std::uint8_t* data, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    Tecla t = teclaDoByte(data[i]);
    if (t.tipo == Tecla::Tipo::Mouse) {
      if (i + 2 >= size) break;
      t.key.row = data[++i] % Screen::kRows;
      t.key.col = data[++i] % Screen::kCols;
    }
    teclas_.push_back(t);
  }
}

void TecladoFuzz::present(const Screen& screen) {
  shown_ = screen;
  semTecla("refreshing the screen");
}

std::optional<Key> TecladoFuzz::readKey(std::chrono::milliseconds timeout) {
  const bool timed = timeout.count() >= 0;
  while (!teclas_.empty() && teclas_.front().tipo == Tecla::Tipo::Pausa) {
    teclas_.pop_front();
    if (timed) {
      elapsed_ += timeout;
      semTecla("reading keys that time out");
      return std::nullopt;
    }
  }
  if (teclas_.empty()) {
    // TAVREN_FUZZ_TELA shows where an input's keys led, for writing and reading inputs.
    if (escsNoFim_ == 0 && std::getenv("TAVREN_FUZZ_TELA") != nullptr)
      std::fprintf(stderr, "tavren-fuzz: the keys ran out here:\n%s", tela().c_str());
    if (++escsNoFim_ > kEscsNoFim) throw FimDasTeclas{};
    semTecla_ = 0;
    return Key{key::Esc};
  }
  semTecla_ = 0;
  const Key k = teclas_.front().key;
  teclas_.pop_front();
  return k;
}

bool TecladoFuzz::keyWaiting() {
  semTecla("polling for a key");
  return !teclas_.empty() && teclas_.front().tipo != Tecla::Tipo::Pausa;
}

std::string TecladoFuzz::tela() const {
  std::string out;
  for (int r = 0; r < Screen::kRows; ++r) out += rt::text::cp860ToUtf8(shown_.rowText(r)) + "\n";
  return out;
}

void TecladoFuzz::semTecla(const char* onde) {
  if (++semTecla_ < kLimiteSemTecla) return;
  std::fprintf(stderr, "tavren-fuzz: key loop: %d times %s without reading a key (%zu keys left); screen:\n%s",
               semTecla_, onde, teclas_.size(), tela().c_str());
  std::abort();
}

}  // namespace fuzz

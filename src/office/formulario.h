// What the office's forms share: their colours and the places of their fields, taken from the
// labels of the dialog frame they are drawn in.
#pragma once

#include <functional>
#include <string_view>

#include "console/molduras.h"
#include "rt/term/colour.h"
#include "rt/term/console.h"
#include "rt/term/keys.h"
#include "rt/ui/read.h"
#include "store/contexto.h"

namespace office {

// Labels in the frame's text colour, the field being typed in the entry colour.
rt::term::ColourSet coresFormulario(const console::Contexto& ctx);

struct Lugar {
  int linha = 0, coluna = 0, largura = 0;
};

// The field places of a frame already drawn, found by their labels.
class LugaresMoldura {
 public:
  LugaresMoldura(const console::Contexto& ctx, console::Familia familia, int n);
  Lugar operator[](std::string_view rotulo) const;
  // A GET at the field of `rotulo`.
  rt::ui::Get& get(rt::ui::Read& read, std::string_view rotulo, rt::ui::Binding b, std::string_view picture) const;

 private:
  std::vector<console::CampoMoldura> campos_;
  int top_ = 0, left_ = 0;
};

}  // namespace office

namespace office {

// F1 bound to `faz` while it lives; what F1 did before comes back afterwards.
class TeclaF1 {
 public:
  TeclaF1(rt::term::Console& con, std::function<void()> faz);
  ~TeclaF1();
  TeclaF1(const TeclaF1&) = delete;
  TeclaF1& operator=(const TeclaF1&) = delete;

 private:
  rt::term::Console& con_;
  rt::term::Console::HotKey antes_;
};

}  // namespace office

// The office program with one runtime error planted, for the journey of the error alert: with
// TAVREN_TESTE_ERRO_ITEM naming a menu item's number, choosing that item raises a runtime error
// before the item runs. Everything else is the office's own program. It is built as
// tests/e2e/erro_item/src/app/tavren, so the README's run command starts it when TAVREN_BUILD
// names that folder.
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "app/principal.h"

int main(int argc, char** argv) {
  return app::principal(argc, argv, [](shell::Program& p) {
    const char* item = std::getenv("TAVREN_TESTE_ERRO_ITEM");
    if (item == nullptr) return;
    p.antesDoItem = [n = std::atoi(item)](int id) {
      if (id == n) throw std::runtime_error("erro provocado pelo teste no item " + std::to_string(id));
    };
  });
}

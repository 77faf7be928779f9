// A data-store context with the terminal's printing state, and a recording `lp`: a script that
// keeps its arguments (one a line) and its input in the scratch folder and ends with the exit
// code it was made with.
#pragma once

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>

#include "print/impressao.h"
#include "print_test_util.h"
#include "store_fixture.h"

namespace print_test {

inline std::string gravador(const Pasta& pasta, const std::string& nome, int saida, const std::string& dizer = "") {
  const std::string script = pasta / nome;
  escreve(script, "#!/bin/sh\n"
                  "d=" + pasta.caminho() + "\n"
                  "n=$(ls \"$d\" | grep -c '^chamada-')\n"
                  "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$d/chamada-$n.args\"\n"
                  "for a in \"$@\"; do case \"$a\" in /*) cat \"$a\" > \"$d/chamada-$n.arq\";; esac; done\n"
                  "[ -t 0 ] || cat > \"$d/chamada-$n.in\"\n" +
                  (dizer.empty() ? std::string() : "echo '" + dizer + "' >&2\n") + "exit " + std::to_string(saida) + "\n");
  ::chmod(script.c_str(), 0755);
  return script;
}

class PrintFixture : public ::testing::Test, public store::teste::StoreFixture {
 protected:
  PrintFixture() {
    ctx.NUSU = "07";
    imp.lpstat = "/nonexistent/lpstat";
    imp.seq = print::montaSequencias(imp.conf.SEQ0, imp.conf.SEQ1, imp.conf.SEQ2, imp.conf.SEQ3);
  }
  std::string trabalhoLinux() const { return trabalho.caminho() + "/"; }
  std::string chamada(int n, const char* ext) const { return le(registro / ("chamada-" + std::to_string(n) + "." + ext)); }

  Pasta registro;
  print::Impressao imp;
  static const char* semAmbiente(const char*) { return nullptr; }
};

}  // namespace print_test

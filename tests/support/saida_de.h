// What a command prints on its standard output: the tests read tables back through
// python3-dbfread this way. Empty when the command cannot be started.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace teste {

inline std::string saidaDe(const std::string& comando) {
  std::string out;
  const std::unique_ptr<FILE, int (*)(FILE*)> p(popen(comando.c_str(), "r"), pclose);
  if (!p) return out;
  char buf[4096];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p.get())) > 0;) out.append(buf, n);
  return out;
}

}  // namespace teste

// The layer order of src/, read from every #include "..." of every source file, and the rule
// that code names its work areas (and its screens, frames, message codes and lock waits): a bare
// number handed to the work areas is a table nobody can see at a glance, and a typo in it still
// compiles.
//
// The order, lowest first (a folder may include itself and the folders before it; folders
// sharing a rank may include each other):
//   rt, platform, workareas, console, converter/receita, store, taxcalc, grid, gains,
//   {screens, print, export}, {office, converter}, shell, app
// A folder below another (converter/receita below converter) has its own place. The reader of
// the tax authority's files, converter/receita, is held closer still: of the layers below it,
// only rt/ and the console's pure document helpers, so it never reaches a context.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::map<std::string, int>& ranks() {
  static const std::map<std::string, int> r = {
      {"rt", 0},      {"platform", 1}, {"workareas", 2}, {"console", 3}, {"converter/receita", 4},
      {"store", 5},   {"taxcalc", 6},  {"grid", 7},      {"gains", 8},   {"screens", 9},
      {"print", 9},   {"export", 9},   {"office", 10},   {"converter", 10}, {"shell", 11},
      {"app", 12},
  };
  return r;
}

// What a folder may include at most, where the order alone allows more: a header's path
// begins with one of these.
const std::map<std::string, std::vector<std::string>>& onlyIncludes() {
  static const std::map<std::string, std::vector<std::string>> r = {
      {"converter/receita", {"rt/", "console/documentos.h", "converter/receita/"}},
  };
  return r;
}

std::optional<int> rank(const std::string& folder) {
  const auto it = ranks().find(folder);
  if (it == ranks().end()) return std::nullopt;
  return it->second;
}

// The folder of the order a path of src/ lies in: the deepest one placed (converter/receita/x.h
// in converter/receita, converter/x.h in converter), else its first folder.
std::string topFolder(const std::string& path) {
  for (std::size_t fim = path.rfind('/'); fim != std::string::npos && fim > 0; fim = path.rfind('/', fim - 1))
    if (rank(path.substr(0, fim))) return path.substr(0, fim);
  return path.substr(0, path.find('/'));
}

// Whether a file of folder `from` may include the header `header` (a path of src/).
bool mayInclude(const std::string& from, const std::string& header) {
  const std::optional<int> a = rank(from), b = rank(topFolder(header));
  if (!a || !b || *b > *a) return false;
  const auto only = onlyIncludes().find(from);
  if (only == onlyIncludes().end()) return true;
  return std::any_of(only->second.begin(), only->second.end(),
                     [&](const std::string& p) { return header.starts_with(p); });
}

// Includes that run against the order, each as "file -> header": none today. An entry that no
// longer occurs fails the test, so the list never hides a new one.
const std::set<std::string> kUpwardIncludes = {};

// Bare work-area numbers allowed, as "file: the call".
// Still by number, until the store's functions take the area's name: the opener's request and the
// catalogue test's walk over the working copies.
const std::set<std::string> kBareAreas = {};

// The catalogue itself turns names into numbers.
const std::set<std::string> kCatalogue = {"workareas/areas.h"};

struct Source {
  std::string path;  // relative to src/
  std::vector<std::string> lines;
};

// The sources under `root`, named from it with `prefixo` before the name.
std::vector<Source> sourcesUnder(const fs::path& root, const std::string& prefixo) {
  std::vector<Source> out;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
    if (!e.is_regular_file()) continue;
    const std::string ext = e.path().extension().string();
    if (ext != ".h" && ext != ".cpp") continue;
    Source s{prefixo + fs::relative(e.path(), root).generic_string(), {}};
    std::ifstream in(e.path(), std::ios::binary);
    for (std::string l; std::getline(in, l);) s.lines.push_back(l);
    out.push_back(std::move(s));
  }
  std::sort(out.begin(), out.end(), [](const Source& a, const Source& b) { return a.path < b.path; });
  return out;
}

std::vector<Source> sources() { return sourcesUnder(TAVREN_SRC_DIR, ""); }

// The program's sources and the tests' (these named "tests/...").
std::vector<Source> sourcesAndTests() {
  std::vector<Source> v = sources();
  for (Source& s : sourcesUnder(TAVREN_TESTS_DIR, "tests/")) v.push_back(std::move(s));
  return v;
}

// The line without a trailing // comment (a "//" inside a string cuts the line short, which only
// hides text from the checks below, never makes them fail).
std::string code(const std::string& line) { return line.substr(0, line.find("//")); }

// "file -> header" for every include that runs against the order.
std::vector<std::string> upwardIncludes(const std::vector<Source>& srcs) {
  static const std::regex include(R"(^\s*#\s*include\s+"([^"]+)\")");
  std::vector<std::string> out;
  for (const Source& s : srcs)
    for (const std::string& l : s.lines) {
      std::smatch m;
      if (!std::regex_search(l, m, include)) continue;
      const std::string header = m[1];
      if (!mayInclude(topFolder(s.path), header)) out.push_back(s.path + " -> " + header);
    }
  return out;
}

// "file: the call" for every work area given by a bare number: `ctx.areas.select(9)`,
// `areas_.close(46)`, `ctx.areas.open(3, ...)` (shown as `ctx.areas.open(3)`), and for every
// constant that names an area by its number (`constexpr int kAreaFonte = 71` shown as
// `kAreaFonte(71)`).
std::vector<std::string> bareAreas(const std::vector<Source>& srcs) {
  static const std::regex call(
      R"(([\w.>-]*areas\w*(?:\.|->)(?:table|select|isOpen|close|open|release))\(\s*([0-9]+)\s*[,)]|)"
      R"(\bint\s+(\w*[Aa]rea\w*)\s*=\s*([0-9]+)\b)");
  std::vector<std::string> out;
  for (const Source& s : srcs) {
    // The catalogue turns names into numbers, the engine numbers its areas, and this test
    // plants numbers to see them found.
    if (kCatalogue.contains(s.path) || s.path.starts_with("rt/") || s.path.starts_with("tests/rt/") ||
        s.path == "tests/layers/layers_test.cpp")
      continue;
    for (const std::string& l : s.lines) {
      const std::string c = code(l);
      for (auto it = std::sregex_iterator(c.begin(), c.end(), call); it != std::sregex_iterator(); ++it)
        out.push_back(s.path + ": " + ((*it)[1].matched ? (*it)[1].str() + "(" + (*it)[2].str()
                                                         : (*it)[3].str() + "(" + (*it)[4].str()) + ")");
    }
  }
  return out;
}

// "file:line" for every loop whose condition looks at a table's end and not at how its moves
// went: a move whose pending row cannot be written stays on that row, so such a loop never ends
// on a full disk. rt/ is the engine, whose own walks go through its cursors.
std::vector<std::string> walksWithoutStatus(const std::vector<Source>& srcs) {
  static const std::regex loop(R"(\b(for|while)\s*\(.*(\.|->)eof\(\))");
  std::vector<std::string> out;
  for (const Source& s : srcs) {
    if (topFolder(s.path) == "rt") continue;
    for (std::size_t i = 0; i < s.lines.size(); ++i) {
      const std::string c = code(s.lines[i]);
      if (std::regex_search(c, loop) && c.find("status()") == std::string::npos)
        out.push_back(s.path + ":" + std::to_string(i + 1));
    }
  }
  return out;
}

// "file: the call" for every screen, frame, message code or lock wait given by a bare number:
// `EDITA(ctx, g, 45)`, `MTELA1(ctx, 9)`, `itensMoldura(ctx, Familia::MTELA2, 6)`,
// `MENS(ctx, 11, ...)`, `REC_LOCK(ctx, 5)` (each shown up to its number).
std::vector<std::string> bareCodes(const std::vector<Source>& srcs) {
  static const std::regex call(
      R"(\b(EDITA\([^,()]+,(\s*[^,()]+,)?|MENS\([^,()]+,|MTELA(?:[0-9]+|VER)\([^,()]+,(\s*[^,()]+,)?|Familia::\w+,|)"
      R"((?:REC_LOCK|ADD_REC|FIL_LOCK)\([^,()]+,)\s*([0-9]+)\b)");
  std::vector<std::string> out;
  for (const Source& s : srcs)
    for (const std::string& l : s.lines) {
      const std::string c = code(l);
      for (auto it = std::sregex_iterator(c.begin(), c.end(), call); it != std::sregex_iterator(); ++it)
        out.push_back(s.path + ": " + (*it)[1].str() + " " + (*it)[4].str());
    }
  return out;
}

std::string lista(const std::vector<std::string>& v) {
  std::string s;
  for (const std::string& e : v) s += "\n  " + e;
  return s;
}

// The rule itself, on the cases that decide it: equal ranks, the ends of the order, and
// folders the order does not know.
TEST(Layers, TheOrderIsReadAsWritten) {
  struct Caso {
    const char* de;
    const char* para;
    bool pode;
  };
  const Caso casos[] = {
      {"console", "rt/x.h", true},     {"console", "workareas/x.h", true}, {"console", "store/x.h", false},
      {"rt", "platform/x.h", false},   {"workareas", "console/x.h", false}, {"screens", "print/x.h", true},
      {"print", "export/x.h", true},   {"export", "screens/x.h", true},    {"office", "converter/x.h", true},
      {"gains", "screens/x.h", false}, {"grid", "taxcalc/x.h", true},       {"taxcalc", "grid/x.h", false},
      {"shell", "office/x.h", true},   {"app", "shell/x.h", true},          {"shell", "app/x.h", false},
      {"store", "novidade/x.h", false}, {"novidade", "rt/x.h", false},
      // The reader: below the converter and the store, and of what lies below, only rt/ and the
      // console's document helpers.
      {"converter", "converter/receita/x.h", true},
      {"converter/receita", "converter/x.h", false},  {"converter/receita", "store/x.h", false},
      {"converter/receita", "rt/text/x.h", true},     {"converter/receita", "console/documentos.h", true},
      {"converter/receita", "console/contexto.h", false}, {"converter/receita", "workareas/x.h", false},
      {"converter/receita", "converter/receita/x.h", true},
  };
  for (const Caso& c : casos) EXPECT_EQ(mayInclude(c.de, c.para), c.pode) << c.de << " -> " << c.para;
  EXPECT_EQ(topFolder("converter/receita/campos.h"), "converter/receita");
  EXPECT_EQ(topFolder("converter/receita_arquivo.h"), "converter");
  EXPECT_EQ(topFolder("rt/text/strings.h"), "rt");
}

// Every folder of src/ has its place in the order, and no include of src/ runs up it beyond
// the known exceptions, which all still occur.
TEST(Layers, IncludesFollowTheOrder) {
  for (const fs::directory_entry& e : fs::directory_iterator(fs::path(TAVREN_SRC_DIR))) {
    if (!e.is_directory()) continue;
    const std::string pasta = e.path().filename().string();
    EXPECT_TRUE(rank(pasta)) << "src/" << pasta << " has no place in the layer order";
  }
  const std::vector<Source> srcs = sources();
  ASSERT_GT(srcs.size(), 100U) << "the sources were not found under " << TAVREN_SRC_DIR;
  std::vector<std::string> novos;
  std::set<std::string> vistos;
  for (const std::string& i : upwardIncludes(srcs)) {
    vistos.insert(i);
    if (!kUpwardIncludes.contains(i)) novos.push_back(i);
  }
  EXPECT_TRUE(novos.empty()) << "includes against the layer order:" << lista(novos);
  std::vector<std::string> idos;
  for (const std::string& i : kUpwardIncludes)
    if (!vistos.contains(i)) idos.push_back(i);
  EXPECT_TRUE(idos.empty()) << "exceptions that no longer occur (take them off the list):" << lista(idos);
}

// No work area is given by its number outside the catalogue.
TEST(Layers, WorkAreasAreNamed) {
  const std::vector<Source> amostra = {{"shell/x.cpp",
                                       {"  (void)ctx.areas.select(9);", "t = a.ctx.areas.table(22);",
                                        "areas_.close(46)", "ctx.areas.open(3, dbf, op);",
                                        "store::tabela(ctx.areas, Area::IMP0910);", "t->skip(1);",
                                        "// ctx.areas.select(9) in a comment", "s.select(2);"}},
                                      {"tests/store/x_test.cpp",
                                       {"ctx.areas.release(71);", "constexpr int kAreaFonte = 71;",
                                        "const int area = 50;", "int areas = 3;", "int linha = 9;"}}};
  EXPECT_EQ(bareAreas(amostra),
            (std::vector<std::string>{"shell/x.cpp: ctx.areas.select(9)", "shell/x.cpp: a.ctx.areas.table(22)",
                                      "shell/x.cpp: areas_.close(46)", "shell/x.cpp: ctx.areas.open(3)",
                                      "tests/store/x_test.cpp: ctx.areas.release(71)",
                                      "tests/store/x_test.cpp: kAreaFonte(71)", "tests/store/x_test.cpp: area(50)",
                                      "tests/store/x_test.cpp: areas(3)"}));

  std::vector<std::string> novos;
  std::set<std::string> vistos;
  for (const std::string& b : bareAreas(sourcesAndTests())) {
    vistos.insert(b);
    if (!kBareAreas.contains(b)) novos.push_back(b);
  }
  EXPECT_TRUE(novos.empty()) << "work areas by number (name them with workareas::Area):" << lista(novos);
  std::vector<std::string> idos;
  for (const std::string& b : kBareAreas)
    if (!vistos.contains(b)) idos.push_back(b);
  EXPECT_TRUE(idos.empty()) << "exceptions that no longer occur (take them off the list):" << lista(idos);
}

// Screens, frames, message codes and lock waits go by their names (grid::Tela, console::mtela1
// ..., console::mens, store::kEsperaTrava).
TEST(Layers, CodesAreNamed) {
  const std::vector<Source> amostra = {
      {"shell/x.cpp",
       {"grid::EDITA(ctx, g, 45);", "EDITA(ctx, 3);", "console::MTELA1(p, 9, {.versao = v});", "MTELA1(ctx, c, 7);",
        "console::itensMoldura(ctx, Familia::MTELA2, 6);", "console::MENS(ctx, 11, \"x\");",
        "if (!store::REC_LOCK(ctx, 5)) return;", "store::FIL_LOCK(ctx, 0)", "grid::EDITA(ctx, g, grid::Tela::Boletos);",
        "console::MENS(ctx, console::mens::Aviso, \"x\", {.linhas = 2});", "REC_LOCK(ctx, kEsperaTrava)",
        "console::MTELA4(ctx);", "// MENS(ctx, 11) in a comment"}}};
  EXPECT_EQ(bareCodes(amostra), (std::vector<std::string>{"shell/x.cpp: EDITA(ctx, g, 45", "shell/x.cpp: EDITA(ctx, 3",
                                                          "shell/x.cpp: MTELA1(p, 9", "shell/x.cpp: MTELA1(ctx, c, 7",
                                                          "shell/x.cpp: Familia::MTELA2, 6", "shell/x.cpp: MENS(ctx, 11",
                                                          "shell/x.cpp: REC_LOCK(ctx, 5", "shell/x.cpp: FIL_LOCK(ctx, 0"}));
  EXPECT_EQ(lista(bareCodes(sources())), "");
}

// Every walk over a table also stops on a failed move.
TEST(Layers, WalksStopOnAFailedMove) {
  const std::vector<Source> amostra = {{"store/x.cpp",
                                       {"for (t.goTop(); !t.eof(); t.skip(1)) {", "while (!t->eof() && x) {",
                                        "for (t.goTop(); t.status() && !t.eof(); t.skip(1))",
                                        "if (t.eof()) return;", "// while (!t.eof()) in a comment"}},
                                      {"rt/db/x.cpp", {"while (!source.eof()) {"}}};
  EXPECT_EQ(walksWithoutStatus(amostra), (std::vector<std::string>{"store/x.cpp:1", "store/x.cpp:2"}));
  EXPECT_EQ(lista(walksWithoutStatus(sources())), "");
}

}  // namespace

// The whole program driven by a fuzzer's bytes: start-up and the main menu with everything
// under it, as tavren runs them, on the key terminal of teclado_fuzz.h. Shared by the libFuzzer
// target and the corpus replay of the ordinary test run.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

// Runs the program once on a fresh copy of a program folder (made by a first start at the
// first call, in a scratch folder under TAVREN_TEST_TMP, /dev/shm or /tmp) with `data` as the
// keys. Returns when the run ended (the keys ran out, or the clerk left the program). A
// fault ends the process by abort() with a message: a runtime error of the program, an
// exception out of start-up or the menu, a key loop. Drive letters, printer ports, HOME,
// TMPDIR and the programs the system runs (lp, lpstat, converte, xdg-open) all point into
// the scratch folder, so no key can write outside it.
void rodaPrograma(const std::uint8_t* data, std::size_t size);

}  // namespace fuzz

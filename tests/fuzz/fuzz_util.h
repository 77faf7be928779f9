// A scratch file per fuzzing process: the engine reads files by path.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace fuzz {

inline std::string scratchPath(const char* ext) {
  return "/tmp/tavren-fuzz-" + std::to_string(getpid()) + ext;
}

inline void writeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);
}

}  // namespace fuzz

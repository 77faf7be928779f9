// Whether the second reader of tables is there: python3-dbfread under /usr/bin/python3, which
// the tests read the program's tables back with, as another program would.
#pragma once

#include <cstdlib>

namespace support {

inline bool temDbfread() {
  static const bool tem = std::system("/usr/bin/python3 -c 'import dbfread' >/dev/null 2>&1") == 0;
  return tem;
}

}  // namespace support

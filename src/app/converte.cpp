#include <cstdio>

int main() {
  std::puts("converte: nothing to run yet.");
  return 0;
}

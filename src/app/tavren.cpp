#include <cstdio>

int main() {
  std::puts("tavren: nothing to run yet.");
  return 0;
}

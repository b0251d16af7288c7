#include "app/main_loop.h"

int main(int, char**) {
  if (!StartUp()) return 1;
  RunMainLoop();
  return 0;
}

// The game's entry: start up, then run frames until the player quits.
#include "app/main_loop.h"

int main(int, char**) {
  if (!StartUp()) return 1;
  RunMainLoop();
  return 0;
}

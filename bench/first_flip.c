/* Measures the game's start-up: loaded with LD_PRELOAD, it lets the first
   SDL_Flip through, prints the milliseconds since the process started and
   ends the process. A measuring tool beside the game, not part of it. */
#include <SDL.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static double ProcessStartSeconds(void) {
  /* Field 22 of /proc/self/stat: start time in clock ticks since boot. */
  FILE* f = fopen("/proc/self/stat", "r");
  char buffer[1024];
  size_t n = f ? fread(buffer, 1, sizeof buffer - 1, f) : 0;
  if (f) fclose(f);
  buffer[n] = 0;
  char* p = strrchr(buffer, ')');
  unsigned long long start = 0;
  for (int field = 2; p && *p; ++p)
    if (*p == ' ' && ++field == 22) { start = strtoull(p + 1, NULL, 10); break; }
  return (double)start / sysconf(_SC_CLK_TCK);
}

int SDL_Flip(SDL_Surface* screen) {
  int (*real)(SDL_Surface*) = (int (*)(SDL_Surface*))dlsym(RTLD_NEXT, "SDL_Flip");
  int result = real(screen);
  struct timespec now;
  clock_gettime(CLOCK_BOOTTIME, &now);
  double elapsed = now.tv_sec + now.tv_nsec / 1e9 - ProcessStartSeconds();
  fprintf(stderr, "first flip after %.1f ms\n", elapsed * 1000.0);
  _exit(0);
  return result;
}

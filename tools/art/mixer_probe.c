/* Plays an audio file through SDL_mixer exactly as the game does and prints the
 * sample index (from the start of the music) at which the first sound rises
 * above a threshold, so the chart can be timed to what the player hears.
 *
 *   cc -O2 -o /tmp/mixer_probe tools/art/mixer_probe.c $(pkg-config --cflags --libs sdl SDL_mixer)
 *   SDL_AUDIODRIVER=dummy /tmp/mixer_probe "Music/First Steps.mp3" [threshold]
 *
 * It listens until the music ends (at most 150 s). With PROBE_DUMP=file set it
 * also writes everything it heard (raw s16 stereo). With SDL's "disk" driver
 * (SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null SDL_DISKAUDIODELAY=0) the
 * song plays as fast as it decodes.
 */
#include <SDL.h>
#include <SDL_mixer.h>
#include <stdio.h>
#include <stdlib.h>

#define CAPTURE_FRAMES (44100 * 150)

static Sint16 captured[CAPTURE_FRAMES * 2];
static volatile int started = 0;
static volatile long frames = 0;

static void postmix(void *udata, Uint8 *stream, int len)
{
    (void)udata;
    if (!started) return;
    const Sint16 *s = (const Sint16 *)stream;
    int n = len / 4;
    for (int i = 0; i < n && frames < CAPTURE_FRAMES; ++i, ++frames) {
        captured[frames * 2] = s[i * 2];
        captured[frames * 2 + 1] = s[i * 2 + 1];
    }
}

int main(int argc, char **argv)
{
    if (argc < 2) { fprintf(stderr, "usage: %s FILE [threshold]\n", argv[0]); return 2; }
    int threshold = argc > 2 ? atoi(argv[2]) : 3000;
    if (SDL_Init(SDL_INIT_AUDIO) < 0) { fprintf(stderr, "SDL: %s\n", SDL_GetError()); return 1; }
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) < 0) { fprintf(stderr, "mixer: %s\n", Mix_GetError()); return 1; }
    int rate; Uint16 fmt; int ch;
    Mix_QuerySpec(&rate, &fmt, &ch);
    Mix_Music *m = Mix_LoadMUS(argv[1]);
    if (!m) { fprintf(stderr, "load: %s\n", Mix_GetError()); return 1; }
    Mix_SetPostMix(postmix, NULL);
    SDL_LockAudio();
    Mix_PlayMusic(m, 0);
    started = 1;
    SDL_UnlockAudio();
    while (Mix_PlayingMusic() && frames < CAPTURE_FRAMES) SDL_Delay(2);
    SDL_LockAudio();
    started = 0;
    SDL_UnlockAudio();
    long first = -1;
    for (long i = 0; i < frames; ++i) {
        if (abs(captured[i * 2]) > threshold || abs(captured[i * 2 + 1]) > threshold) { first = i; break; }
    }
    const char *dump = getenv("PROBE_DUMP");
    if (dump) {
        FILE *f = fopen(dump, "wb");
        if (f) { fwrite(captured, 4, (size_t)frames, f); fclose(f); }
    }
    printf("rate %d channels %d first %ld (%.2f ms)\n", rate, ch, first, first * 1000.0 / rate);
    Mix_HaltMusic();
    Mix_FreeMusic(m);
    Mix_CloseAudio();
    SDL_Quit();
    return first < 0;
}

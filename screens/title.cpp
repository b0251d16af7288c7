#include "screens/title.h"

#include "app/screen_state.h"
#include "game/media.h"
#include "kit/font.h"
#include "kit/images.h"
#include "kit/panels.h"
#include "kit/prompt.h"

void RunTitleScreen() {
  DrawImage(GameTitle, nullptr, 170, 30);
  if (Button(320, 215, 600, 10, true, true, "Play")) Screen = SongSelect;
  if (Button(320, 255, 600, 10, true, true, "Credits")) Screen = Credits;
}

void RunCreditsScreen() {
  DrawText(320, 200, "Programming and graphics by the Zedov team", Centre);
  DrawText(320, 220, WebAddress, Centre);
  DrawText(320, 260, "Music: First Steps by the Zedov team", Centre);
  DrawText(320, 280, WebAddress, Centre);
  if (Button(500, 430, 100, 10, false, true, "Back")) Screen = Title;
}

// The title screen and the credits.
#include "screens/title.h"

#include "game/media.h"
#include "kit/font.h"
#include "kit/images.h"
#include "kit/panels.h"
#include "kit/pause.h"
#include "screens/screen_state.h"

void RunTitleScreen() {
  DrawImage(GameTitle, nullptr, 170, 30);
  if (Button(Centred(320, 215, 600, 10), "Play")) Screen = ScreenId::SongSelect;
  if (Button(Centred(320, 255, 600, 10), "Credits")) Screen = ScreenId::Credits;
  if (Button(Centred(320, 295, 600, 10), "Options")) Screen = ScreenId::Options;
}

void RunCreditsScreen() {
  DrawText(320, 200, "Programming and graphics by the Zedov team", TextAlign::Centre);
  DrawText(320, 220, WebAddress, TextAlign::Centre);
  DrawText(320, 260, "Music: First Steps, Soft Tide and Starfall", TextAlign::Centre);
  DrawText(320, 280, "by the Zedov team", TextAlign::Centre);
  DrawText(320, 300, WebAddress, TextAlign::Centre);
  if (BackButton()) Screen = ScreenId::Title;
}

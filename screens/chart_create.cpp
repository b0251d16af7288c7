// The chart generator screen.
#include "screens/chart_create.h"

#include <SDL.h>

#include <string>

#include "charts/generator.h"
#include "charts/library.h"
#include "charts/safe_file.h"
#include "kit/focus.h"
#include "kit/font.h"
#include "kit/images.h"
#include "kit/input.h"
#include "kit/panels.h"
#include "screens/screen_state.h"

namespace {

// One question: decrease and increase buttons with their arrow icons, then
// the value box, so that a click shows its new value in the same frame. With
// the keyboard focus on either button, Left and Right step the value, held
// down they repeat.
void AskValue(int y, const char* question, int& value, const char* unit) {
  DrawText(40, y - 40, question, Left);
  if (Button(Centred(103, y, 60, 10), "")) --value;
  bool focused = LastButtonFocused();
  DrawImage(ArrowsImage, &ArrowRects[ArrowLeftIcon], 95, y - 9);
  if (Button(Centred(537, y, 60, 10), "")) ++value;
  focused = focused || LastButtonFocused();
  DrawImage(ArrowsImage, &ArrowRects[ArrowRightIcon], 529, y - 9);
  if (focused) {
    uint32_t now = SDL_GetTicks();
    value += RepeatSteps(SDLK_RIGHT, now) - RepeatSteps(SDLK_LEFT, now);
  }
  InfoBox(Centred(320, y, 300, 10), std::to_string(value) + unit);
}

}  // namespace

void RunChartCreate() {
  if (ScreenChanged) CreateNotice.clear();
  AskValue(135, "How fast is the song?", CreateBpm, " BPM");
  AskValue(215, "When does the first beat occur?", CreateDelayMs, " millisecond delay");
  AskValue(295, "How many beats are there before the song ends?", CreateBeats, " arrows");
  if (Button(Centred(320, 375, 600, 10), "Accept")) {
    std::string why;
    if (ReplaceFile(ChartPath(SelectedSong), GenerateChartText(CreateBpm, CreateDelayMs, CreateBeats), why))
      Screen = DifficultySelect;
    else
      CreateNotice = "could not save the chart: " + why;
  }
  DrawText(320, 400, CreateNotice, Centre);  // above "Back", as on the results
  if (BackButton()) Screen = DifficultySelect;
}

// The game's pictures missing: every image empty, and a play frame still draws.
#include <gtest/gtest.h>

#include "game/media.h"
#include "game/play.h"
#include "game/play_helpers.h"

namespace {

TEST(GameMedia, MissingFilesLeaveImagesEmptyAndPlayDrawsNothingOfThem) {
  OpenTestScreen();
  ScratchFolder folder;  // no Media/ here
  for (SDL_Surface** image : {&GameBackground, &GameTitle, &ArrowSheet, &RatingSheet, &HoldSheet}) {
    SDL_FreeSurface(*image);
    *image = nullptr;
  }
  LoadGameMedia();
  EXPECT_EQ(GameBackground, nullptr);
  EXPECT_EQ(HoldSheet, nullptr);
  ResetPlay();
  AddNote(1, 300, 500);
  PopupList.push_back(RatingPopup{});
  FillScreen(0, 0, 0);
  DrawPlay();
  EXPECT_EQ(ScreenPixel(270, 110), 0u);  // the note's arrow and strip
  EXPECT_EQ(ScreenPixel(300, 60), 0u);   // the popup
}

}  // namespace

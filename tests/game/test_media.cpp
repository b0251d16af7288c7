// The game's pictures: missing files leave them empty and the cell tables filled.
#include <gtest/gtest.h>

#include "game/media.h"
#include "test_support.h"

namespace {

TEST(GameMedia, MissingFilesLeaveImagesEmptyButFillTheTables) {
  OpenTestScreen();
  ScratchFolder folder;  // no Media/ here
  for (SDL_Surface** image : {&GameBackground, &GameTitle, &ArrowSheet, &RatingSheet, &HoldSheet}) {
    SDL_FreeSurface(*image);
    *image = nullptr;
  }
  LoadGameMedia();
  EXPECT_EQ(GameBackground, nullptr);
  EXPECT_EQ(HoldSheet, nullptr);
  EXPECT_EQ(ArrowCells[15].y, 210);  // right column, note row
  EXPECT_EQ(HoldCells[2].h, 35);
}

}  // namespace

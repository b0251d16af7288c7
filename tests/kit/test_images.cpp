// Image loading, colour keys, sprite tables and clipping of DrawImage.
#include <gtest/gtest.h>

#include "kit/images.h"
#include "kit/pause_pixels.h"
#include "test_support.h"

namespace {

class ImagesTest : public testing::Test {
 protected:
  void SetUp() override {
    OpenTestScreen();
    FillScreen(10, 20, 30);
  }
};

TEST_F(ImagesTest, KeyedImageShowsTheScreenOnlyThroughExactCyan) {
  ScratchFolder folder;
  SDL_Surface* picture = MakeImage(3, 1, 0, 255, 255);
  SetImagePixel(picture, 1, 0, 0, 254, 255);
  SetImagePixel(picture, 2, 0, 200, 100, 50);
  SDL_SaveBMP(picture, "keyed.bmp");  // the loader takes any format SDL_image reads
  SDL_FreeSurface(picture);
  SDL_Surface* keyed = LoadKeyedImage("keyed.bmp");
  ASSERT_NE(keyed, nullptr);
  EXPECT_EQ(keyed->format->BitsPerPixel, ScreenSurface->format->BitsPerPixel);
  DrawImage(keyed, nullptr, 5, 5);
  EXPECT_EQ(ScreenPixel(5, 5), 0x0A141Eu);
  EXPECT_EQ(ScreenPixel(6, 5), 0x00FEFFu);
  EXPECT_EQ(ScreenPixel(7, 5), 0xC86432u);
  SDL_FreeSurface(keyed);
}

TEST_F(ImagesTest, DrawImageClipsAndSkipsFarOffPositions) {
  SDL_Surface* block = MakeImage(10, 10, 255, 255, 255);
  DrawImage(block, nullptr, -5, -5);
  EXPECT_EQ(ScreenPixel(4, 4), 0xFFFFFFu);
  EXPECT_EQ(ScreenPixel(5, 5), 0x0A141Eu);
  // 16-bit positions would wrap 70000 to 4464 (and 66000 to 464, on screen).
  DrawImage(block, nullptr, 100, 66000);
  DrawImage(block, nullptr, 66000 + 100, 100);
  EXPECT_EQ(ScreenPixel(104, 468), 0x0A141Eu);
  EXPECT_EQ(ScreenPixel(568, 104), 0x0A141Eu);
  DrawImage(nullptr, nullptr, 0, 0);  // a missing image draws nothing
  SDL_FreeSurface(block);
}

TEST_F(ImagesTest, MissingMediaLeavesImagesEmpty) {
  ScratchFolder folder;  // no Media/ here
  // The loader replaces every image: free those that earlier tests installed,
  // or the leak check of the sanitizer build finds them lost.
  for (SDL_Surface** image : {&SnapshotImage, &BlurImage, &FontImage, &ButtonImage, &ArrowsImage, &BorderImage,
                              &BarImage, &CursorImage}) {
    SDL_FreeSurface(*image);
    *image = nullptr;
  }
  LoadKitMedia();
  EXPECT_EQ(FontImage, nullptr);
  EXPECT_EQ(CursorImage, nullptr);
  ASSERT_NE(SnapshotImage, nullptr);
  EXPECT_EQ(SnapshotImage->w, 640);
  EXPECT_EQ(BlurImage->h, 480);
  EXPECT_NE(SnapshotImage, BlurImage);
}

}  // namespace

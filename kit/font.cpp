// The bitmap font.
#include "kit/font.h"

#include "kit/images.h"

int GlyphIndex(char c) {
  int code = static_cast<unsigned char>(c);
  return code >= 32 && code <= 126 ? code - 32 : 0;
}

void DrawText(int x, int y, const std::string& text, TextAlign align) {
  long width = GlyphAdvance * static_cast<long>(text.size());
  long start = x;
  if (align == TextAlign::Centre) start = x - width / 2;
  if (align == TextAlign::Right) start = x - width;
  for (size_t i = 0; i < text.size(); ++i) {
    long at = start + GlyphAdvance * static_cast<long>(i);
    if (at > WindowWidth) break;  // the rest of the line is off the window
    if (at + 15 > 0) DrawImage(FontImage, &GlyphRects[GlyphIndex(text[i])], static_cast<int>(at), y);
  }
}

// The bitmap font: 95 glyphs for the characters 32..126, 15 x 21 pixels each,
// drawn with an advance of 11 pixels so neighbouring cells overlap by 4.
#pragma once
#include <string>

enum class TextAlign : int { Left = 1, Centre = 2, Right = 3 };

inline constexpr int GlyphAdvance = 11;

// Glyph number of a character: c - 32 for 32..126, the blank glyph 0 for any other byte.
int GlyphIndex(char c);

// Draws one line of text; y is the top of the glyph cells. Centre starts at
// x - (11 n) / 2 and Right at x - 11 n, n being the number of characters.
void DrawText(int x, int y, const std::string& text, TextAlign align);

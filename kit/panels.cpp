#include "kit/panels.h"

#include "kit/font.h"
#include "kit/images.h"
#include "kit/input.h"

namespace {

constexpr int Cell = 21;

// Blits the top-left w x h part of one panel cell.
void DrawCell(int style, int cell, int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  SDL_Rect part = PanelCells[style][cell];
  part.w = static_cast<Uint16>(w);
  part.h = static_cast<Uint16>(h);
  DrawImage(ButtonImage, &part, x, y);
}

}  // namespace

void DrawPanel(int x, int y, int width, int height, int style) {
  int cw = width / Cell, rw = width - Cell * cw;
  int ch = height / Cell, rh = height - Cell * ch;
  DrawCell(style, 0, x - Cell, y - Cell, Cell, Cell);
  DrawCell(style, 1, x - Cell, y + height, Cell, Cell);
  DrawCell(style, 2, x + width, y - Cell, Cell, Cell);
  DrawCell(style, 3, x + width, y + height, Cell, Cell);
  for (int i = 0; i < cw; ++i) DrawCell(style, 4, x + Cell * i, y + height, Cell, Cell);
  DrawCell(style, 4, x + Cell * cw, y + height, rw, Cell);
  for (int j = 0; j < ch; ++j) DrawCell(style, 5, x + width, y + Cell * j, Cell, Cell);
  DrawCell(style, 5, x + width, y + Cell * ch, Cell, rh);
  for (int i = 0; i < cw; ++i) DrawCell(style, 6, x + Cell * i, y - Cell, Cell, Cell);
  DrawCell(style, 6, x + Cell * cw, y - Cell, rw, Cell);
  for (int j = 0; j < ch; ++j) DrawCell(style, 7, x - Cell, y + Cell * j, Cell, Cell);
  DrawCell(style, 7, x - Cell, y + Cell * ch, Cell, rh);
  for (int j = 0; j < ch; ++j)
    for (int i = 0; i < cw; ++i) DrawCell(style, 8, x + Cell * i, y + Cell * j, Cell, Cell);
  for (int j = 0; j < ch; ++j) DrawCell(style, 8, x + Cell * cw, y + Cell * j, rw, Cell);
  for (int i = 0; i < cw; ++i) DrawCell(style, 8, x + Cell * i, y + Cell * ch, Cell, rh);
  DrawCell(style, 8, x + Cell * cw, y + Cell * ch, rw, rh);
}

bool Button(int x, int y, int width, int height, bool centred, bool active,
            const std::string& label) {
  if (centred) {
    x -= width / 2;
    y -= height / 2;
  }
  // The sensitive area is the interior grown by 13 pixels, inside the border.
  bool hovered = active && MouseX > x - 14 && MouseY > y - 14 && MouseX < x + width + 13 &&
                 MouseY < y + height + 13;
  bool clicked = hovered && MouseButtons[1] == Pressed;
  DrawPanel(x, y, width, height, hovered ? Highlighted : Normal);
  int n = static_cast<int>(label.size());
  DrawText(x + width / 2 - (GlyphAdvance * n) / 2, y + height / 2 - 10, label, Left);
  return clicked;
}

void DrawCursor() { DrawImage(CursorImage, &CursorFrames[3], MouseX - 48, MouseY - 48); }

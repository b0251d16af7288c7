// Panels, buttons and the pointer.
#include "kit/panels.h"

#include "kit/focus.h"
#include "kit/font.h"
#include "kit/images.h"
#include "kit/input.h"

namespace {

constexpr int Cell = 21;
constexpr Box BackBox{500, 430, 100, 10};
Box RepeatPressedOn;  // the repeat button the left mouse button went down on

// Blits the top-left w x h part of one panel cell.
void DrawCell(PanelStyle style, int cell, int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  SDL_Rect part = PanelCells[static_cast<int>(style)][cell];
  part.w = static_cast<Uint16>(w);
  part.h = static_cast<Uint16>(h);
  DrawImage(ButtonImage, &part, x, y);
}

// The sensitive area is the interior grown by 13 pixels, inside the border.
bool Hovered(const Box& b) {
  return MouseX > b.x - 14 && MouseY > b.y - 14 && MouseX < b.x + b.width + 13 && MouseY < b.y + b.height + 13;
}

void DrawLabel(const Box& b, const std::string& label) {
  int n = static_cast<int>(label.size());
  DrawText(b.x + b.width / 2 - (GlyphAdvance * n) / 2, b.y + b.height / 2 - 10, label, TextAlign::Left);
}

}  // namespace

Box Centred(int x, int y, int width, int height) { return Box{x - width / 2, y - height / 2, width, height}; }

void DrawPanel(const Box& b, PanelStyle style) {
  const int x = b.x, y = b.y, width = b.width, height = b.height;
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

bool Button(const Box& box, const std::string& label) { return Button(box, label, FocusIdOf(label)); }

bool Button(const Box& box, const std::string& label, FocusId id) {
  bool focused = TakeFocus(id);
  bool hovered = Hovered(box);
  if (hovered) MarkHovered();
  bool clicked = (hovered && MouseButtons[SDL_BUTTON_LEFT] == KeyState::Pressed) || (focused && EnterPressed());
  // While the keyboard has the focus, it alone is highlighted; the mouse still clicks.
  bool lit = FocusDrawn() ? focused : hovered;
  LastButtonLit = lit;
  DrawPanel(box, lit ? PanelStyle::Highlighted : PanelStyle::Normal);
  DrawLabel(box, label);
  return clicked;
}

int RepeatButton(const Box& box, const std::string& label, uint32_t nowMs) {
  bool hovered = Hovered(box);
  auto same = [](const Box& a, const Box& b) { return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height; };
  if (hovered && MouseButtons[SDL_BUTTON_LEFT] == KeyState::Pressed) RepeatPressedOn = box;
  if (!hovered && same(box, RepeatPressedOn)) RepeatPressedOn = Box{};  // left: no more steps on coming back
  int steps = hovered && same(box, RepeatPressedOn) ? MouseRepeatSteps(nowMs) : 0;
  DrawPanel(box, hovered && !FocusDrawn() ? PanelStyle::Highlighted : PanelStyle::Normal);
  DrawLabel(box, label);
  return steps;
}

void InfoBox(const Box& box, const std::string& label, bool lit) {
  DrawPanel(box, lit ? PanelStyle::Highlighted : PanelStyle::Normal);
  DrawLabel(box, label);
}

bool BackButton() { return Button(BackBox, "Back"); }

void DrawCursor() { DrawImage(CursorImage, &CursorFrames[3], MouseX - 48, MouseY - 48); }

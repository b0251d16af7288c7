// The one widget of the menus: a bordered panel with a centred label that
// reacts to the mouse, drawn, hover-tested and clicked in the same call
// every frame; and the pointer drawn over everything.
#pragma once
#include <cstdint>
#include <string>

#include "kit/focus.h"

enum class PanelStyle : int { Normal = 0, Highlighted = 1 };

// The interior of a panel: its top-left corner and size. The 21-pixel border
// lies outside it.
struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The box of a panel centred on (x, y), as most menu rows are placed.
Box Centred(int x, int y, int width, int height);

// Draws a panel; edges and fill are tiled, cut to partial pieces.
void DrawPanel(const Box& box, PanelStyle style);

// Draws a button and returns true in the frame in which the left mouse button
// went down over it, or Enter was pressed while it had the keyboard focus
// (kit/focus.h). It reacts to the mouse within its interior grown by 13 pixels.
// It is highlighted under the pointer, or, while the keyboard's focus is drawn,
// when focused. Its focus identity is its label, or the one given.
bool Button(const Box& box, const std::string& label);
bool Button(const Box& box, const std::string& label, FocusId id);
inline bool LastButtonLit = false;  // whether the last Button drawn was highlighted

// A button that only the pointer works, left out of the keyboard focus (the
// "-" and "+" beside a value). Returns how many steps it makes in this frame:
// one as the left button goes down over it, then, held there, more as a held
// key repeats (kit/input.h).
int RepeatButton(const Box& box, const std::string& label, uint32_t nowMs);

// A read-only box: drawn like a button that never reacts; lit on request.
void InfoBox(const Box& box, const std::string& label, bool lit = false);

// "Back", at the bottom right of every screen that has one.
bool BackButton();

// Called once per frame after the screen and the pause: pointer frame 3 centred on the mouse.
void DrawCursor();

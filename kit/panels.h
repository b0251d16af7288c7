// The one widget of the menus: a bordered panel with a centred label that
// reacts to the mouse, drawn and tested in the same call every frame.
#pragma once
#include <string>

enum PanelStyle : int { Normal = 0, Highlighted = 1 };

// Draws a panel whose interior is (x, y, width, height); the 21-pixel border
// lies outside the interior. Edges and fill are tiled, cut to partial pieces.
void DrawPanel(int x, int y, int width, int height, int style);

// Draws a button and returns true in the frame in which the left mouse button
// went down over it. (x, y) is the interior's centre when centred, else its
// top-left corner. An inactive button is a read-only box: Normal, never clicked.
bool Button(int x, int y, int width, int height, bool centred, bool active,
            const std::string& label);

// Called once per frame by the frame chrome: pointer frame 3 centred on the mouse.
void DrawCursor();

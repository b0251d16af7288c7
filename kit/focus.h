// Keyboard focus for the menus, as immediate-mode toolkits do it: each button
// of a frame has a focus identity made from its label, or from its row in its
// list, so the focus stays on the same button while a list scrolls or
// filters. Up and Down (so a dance mat too) move the focus to the previous or
// next button drawn, wrapping at the ends; Enter clicks the focused button in
// the same frame and the same way as a mouse click.
//
// Where the focus stands and whether it is drawn are apart: a screen may put
// the focus on a button as it opens (the chart just played), but the focus is
// drawn, and lights its button, only once the player works the menus by keys
// (Up, Down, Left, Right, Enter, the list jumps, a pad's arrows). Moving the
// mouse hides it and gives the highlight back to the pointer; the next Up or
// Down then starts from the button under the pointer, if there is one.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

using FocusId = uint32_t;  // 0 is no button

inline bool FocusEnabled = true;  // off on the play screen, where the arrows are the columns
inline bool FocusShown = false;   // the keys work the menus: the focus is drawn
inline FocusId FocusedId = 0;     // the button with the focus, 0 for none
// The focused button's place in this frame's drawing order, -1 for none. Set
// as the frame ends; with no FocusedId it places the focus by position (a new
// screen's first button).
inline int FocusIndex = -1;
inline int FocusMove = 0;     // this frame's Up (-1) and Down (+1) steps, applied when the frame ends
inline int ButtonsDrawn = 0;  // buttons of this frame so far

// The focus identity of a button labelled so.
FocusId FocusIdOf(std::string_view label);

// The identity of row `row` of the list named `list`.
FocusId RowFocusId(std::string_view list, long row);

// Called once per frame after the input update, before any button: reads the keys and the mouse.
void BeginFocusFrame();

// Called once per frame after the last button: moves the focus over this frame's buttons.
void EndFocusFrame();

// A new screen, or the pause opening or closing: a focus drawn goes to the
// first button, unless this frame placed it (FocusOn).
void RestartFocus();

// Forgets the focus: none placed, none drawn.
void ClearFocus();

// Counts a button of this frame; true when it has the focus, drawn or not.
bool TakeFocus(FocusId id);

// Whether the keyboard's focus lights a button now (rather than the pointer).
bool FocusDrawn();

// Whether the button counted last has the focus.
bool LastButtonFocused();

// The identity of the button counted last.
FocusId LastButtonId();

// The button counted last is under the pointer.
void MarkHovered();

// Puts the focus on a button at once, without drawing it (call before the buttons are drawn).
void FocusOn(FocusId id);

// Whether Enter (either key, or the pad's select button) clicks the focused button this frame.
bool EnterPressed();

// Puts the focus on a button of the next frame instead of this frame's move:
// for a list that scrolls under the focus, or a row that opens another list.
void FocusNextFrame(FocusId id);

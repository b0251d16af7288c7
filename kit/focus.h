// Keyboard focus for the menus, as immediate-mode toolkits do it: the
// buttons of a frame are counted in drawing order; Up and Down (so a dance
// mat too) move the focus to the previous or next button, wrapping at the
// ends; Enter clicks the focused button in the same frame and the same way
// as a mouse click. No button has the focus until the first Up or Down, and
// moving the mouse gives the highlight back to the pointer; the next Up or
// Down then starts from the button under the pointer, if there is one.
#pragma once

inline bool FocusEnabled = true;  // off on the play screen, where the arrows are the lanes
inline int FocusIndex = -1;       // the focused button, in drawing order; -1 for none
inline int FocusMove = 0;         // this frame's Up (-1) or Down (+1), applied when the frame ends
inline int ButtonsDrawn = 0;      // buttons of this frame so far

// Called once per frame after the input update, before any button: reads Up, Down and the mouse.
void BeginFocusFrame();

// Called once per frame after the last button: moves the focus over this frame's buttons.
void EndFocusFrame();

// A new screen, or the pause opening or closing: a focus there is goes to the first button.
void RestartFocus();

// Counts a button of this frame; true when it has the focus.
bool TakeFocus();

// Whether the button counted last has the focus.
bool LastButtonFocused();

// The button counted last is under the pointer.
void MarkHovered();

// Puts the focus on a button of this frame at once (call before the buttons are drawn).
void FocusOn(int index);

// Whether Enter (either key, or the pad's select button) clicks the focused button this frame.
bool EnterPressed();

// Puts the focus on a button of the next frame instead of this frame's move:
// for a list that scrolls under a focus kept on its edge row.
void FocusNextFrame(int index);

// Per-frame input state: the only way the game sees the keyboard, the mouse,
// dance mats and gamepads. Mats and pads feed the same key table as the
// keyboard: a hat or the first two axes as the arrow keys, buttons as the
// keys they are set to stand for.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <string>
#include <string_view>

enum KeyState : int { Up = 0, Held = 1, Pressed = 2 };  // Pressed: went down in this frame

inline constexpr int KeyCount = 500;   // SDL 1.2 key symbols recorded
inline constexpr int ButtonCount = 10; // SDL mouse buttons recorded (1 left, 2 middle, 3 right)

inline int KeyStates[KeyCount];        // by SDL key symbol
inline int MouseButtons[ButtonCount];  // by SDL button number; entry 0 is never set
// Letters (in lower case), digits and spaces typed on the keyboard in this
// frame, in the order typed; a '\b' for each Backspace. For the menus' search.
inline std::string KeysTyped;
inline int MouseX = 0;                 // pointer in game pixels, 0..640 (see WindowToGame)
inline int MouseY = 0;                 // 0..480

// The four lanes (left, down, up, right) as the last entries of KeyStates,
// which no key uses: a lane is held by the keyboard key bound to it and by a
// mat's arrow (hat, axes, or the pad button of that arrow). The menus read
// the arrow keys themselves, whatever the lanes are bound to.
inline constexpr int ColumnKeys[4] = {KeyCount - 4, KeyCount - 3, KeyCount - 2, KeyCount - 1};
static_assert(SDLK_LAST <= KeyCount - 4);
inline int BoundKeys[4] = {SDLK_LEFT, SDLK_DOWN, SDLK_UP, SDLK_RIGHT};  // the keyboard key of each lane

inline int KeyWentDown = 0;       // a keyboard key that went down in this frame, 0 for none
inline int PadButtonWentDown = -1;  // a joystick button that went down in this frame, -1 for none

// A joystick button and the key it stands for; a button of -1 is none.
struct PadButton {
  int button;
  int key;
};
inline constexpr int PadButtonCount = 6;
// By default a mat's first four buttons are the arrows (and the lanes); set from the settings.
inline PadButton PadButtons[PadButtonCount] = {{0, SDLK_LEFT},  {1, SDLK_DOWN},    {2, SDLK_UP},
                                               {3, SDLK_RIGHT}, {-1, SDLK_ESCAPE}, {-1, SDLK_RETURN}};

// Called once per frame after SDL_PumpEvents, before anything reads input.
// Pressed decays to Held; then this frame's events are applied in the order
// they came, keys and pads first, then mouse buttons. A key is Up only once
// no keyboard, hat, axis or button holds it any more. A press released in
// the same frame still reads Pressed for that frame, and Up from the next,
// so that a tap or a touchpad's click is never lost.
void UpdateInput();

// How many steps a key held down makes in this frame, at nowMs: one as it is
// pressed, then after 0.4 s ten a second, and after 2 s a hundred a second.
// Call it every frame in which the held key may step something.
int RepeatSteps(int key, uint32_t nowMs);

// The same for the left mouse button.
int MouseRepeatSteps(uint32_t nowMs);

// The key SDL names so ("left", "a", "left shift"), or 0 when none has that name.
int KeyNamed(std::string_view name);

// SDL's name of a key.
std::string KeyName(int key);

// The size of this frame's steps for a value that speeds up with the repeat:
// 1 as the key or button goes down, 10 from 0.4 s, 100 from 2 s. Call after
// RepeatSteps or MouseRepeatSteps.
int RepeatStride(int key, uint32_t nowMs);
int MouseRepeatStride(uint32_t nowMs);

// Forgets every key, button and pending release: all Up.
void ClearInput();

// Opens every joystick SDL finds (mats and pads); none is fine.
void OpenJoysticks();

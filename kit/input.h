// Per-frame input state: the only way the game sees the keyboard, the mouse,
// dance mats and gamepads. Mats and pads feed the same key table as the
// keyboard: a hat or the first two axes as the arrow keys, buttons as the
// keys they are set to stand for.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class KeyState : int { Up = 0, Held = 1, Pressed = 2 };  // Pressed: went down in this frame

inline constexpr int KeyCount = 500;   // SDL 1.2 key symbols recorded
inline constexpr int ButtonCount = 10; // SDL mouse buttons recorded (1 left, 2 middle, 3 right)

inline KeyState KeyStates[KeyCount];        // by SDL key symbol
inline KeyState MouseButtons[ButtonCount];  // by SDL button number; entry 0 is never set
// Letters (in lower case), digits and spaces typed on the keyboard in this
// frame, in the order typed; a '\b' for each Backspace. For the menus' search.
inline std::string KeysTyped;
inline int MouseX = 0;                 // pointer in game pixels, 0..640 (see WindowToGame)
inline int MouseY = 0;                 // 0..480

// The four columns (left, down, up, right) as the last entries of KeyStates,
// which no key uses: a column is held by the keyboard key bound to it and by a
// mat's arrow (hat, axes, or the pad button of that arrow). The menus read
// the arrow keys themselves, whatever the columns are bound to.
inline constexpr int ColumnKeys[4] = {KeyCount - 4, KeyCount - 3, KeyCount - 2, KeyCount - 1};
static_assert(SDLK_LAST <= KeyCount - 4);
inline int BoundKeys[4] = {SDLK_LEFT, SDLK_DOWN, SDLK_UP, SDLK_RIGHT};  // the keyboard key of each column

inline int KeyWentDown = 0;       // a keyboard key that went down in this frame, 0 for none
inline int PadButtonWentDown = -1;  // a joystick button that went down in this frame, -1 for none

// A joystick button and the key it stands for; a button of -1 is none.
struct PadButton {
  int button;
  int key;
};
inline constexpr int PadButtonCount = 6;
// By default a mat's first four buttons are the arrows (and the columns); set from the settings.
inline PadButton PadButtons[PadButtonCount] = {{0, SDLK_LEFT},  {1, SDLK_DOWN},    {2, SDLK_UP},
                                               {3, SDLK_RIGHT}, {-1, SDLK_ESCAPE}, {-1, SDLK_RETURN}};

// One change of a key or a mouse button, stamped with the millisecond clock
// (ClockTicks, kit/clock.h) when the game took its event from SDL. A mat's or
// pad's arrows and buttons change the keys they stand for.
struct InputChange {
  int code;          // SDL key symbol, or mouse button number when `button`
  bool button;       // a mouse button rather than a key
  bool down;         // went down, or came up
  uint32_t stampMs;  // ClockTicks when it was taken
};

// This frame's changes, in the order they came (keys before mouse buttons),
// only of the keys and buttons the tables record: what the tables show, with
// the time of each step. Two presses of one key in a frame are both here.
inline std::vector<InputChange> FrameChanges;
inline uint32_t FrameInputMs = 0;  // ClockTicks when this frame's input was taken
inline uint32_t InputFrames = 0;   // input updates so far

// Called about every millisecond between frames (and by UpdateInput): pumps
// SDL's events and stamps every key, mouse button and joystick event with
// ClockTicks as it arrives. Other events stay in SDL's queue for the loop.
void SampleInput();

// Sleeps until input is waiting or mostMs have passed, whichever is first:
// on the window's X connection it wakes as an event arrives, so SampleInput
// stamps it at its own millisecond; with a mat or pad open, or under another
// video driver, it wakes about every millisecond instead.
void WaitForInput(uint32_t mostMs);

// Keeps one event with its stamp for the next update, as SampleInput does:
// the seam through which tests feed stamped input.
void StampEvent(const SDL_Event& event, uint32_t stampMs);

// Whether anything came in since the last update: a stamped event, or any
// other event waiting in SDL's queue (a window exposed, the close box).
bool InputWaiting();

// Called once per frame before anything reads input: samples once more, then
// turns the stamped events into the tables. Pressed decays to Held; then the
// events are applied in the order they came, keys and pads first, then mouse
// buttons. A key is Up only once no keyboard, hat, axis or button holds it
// any more. A press released in the same frame still reads Pressed for that
// frame, and Up from the next, so that a tap or a touchpad's click is never
// lost. Also reads the pointer.
void UpdateInput();

// The stamp of a key's first press in this frame's changes; false when it has none.
bool FirstPressStamp(int key, uint32_t& stampMs);

// Whether any key or mouse button is down.
bool AnythingHeld();

// How many steps a key held down makes in this frame, at nowMs (on any
// millisecond clock of the caller's): one as it is pressed, then, counted
// from the press's own stamp, after 0.4 s ten a second, and after 2 s a
// hundred a second. A key
// only repeats for a caller that asked about it in every frame since it went
// down: one already held when a caller starts asking makes no steps until it
// is pressed again.
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

// Forgets every key, button, pending event and change: all Up.
void ClearInput();

// Opens every joystick SDL finds (mats and pads); none is fine.
void OpenJoysticks();

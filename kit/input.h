// Per-frame input state: the only way the game sees the keyboard and mouse.
#pragma once

enum KeyState : int { Up = 0, Held = 1, Pressed = 2 };  // Pressed: went down in this frame

inline constexpr int KeyCount = 500;   // SDL 1.2 key symbols recorded
inline constexpr int ButtonCount = 10; // SDL mouse buttons recorded (1 left, 2 middle, 3 right)

inline int KeyStates[KeyCount];        // by SDL key symbol
inline int MouseButtons[ButtonCount];  // by SDL button number; entry 0 is never set
inline int MouseX = 0;                 // pointer in window pixels, 0..640
inline int MouseY = 0;                 // 0..480

// Called once per frame after SDL_PumpEvents, before anything reads input:
// Pressed decays to Held, then this frame's downs and ups are applied by kind.
void UpdateInput();

// Keeps a pointer position within 0..640 and 0..480 (both bounds inclusive).
void ClampPointer(int& x, int& y);

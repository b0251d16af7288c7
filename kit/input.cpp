// The input update: SDL events into the key and button tables.
#include "kit/input.h"

#include <algorithm>
#include <cstdint>

#include "kit/clock.h"
#include "kit/window.h"

namespace {

// What holds a key down: the keyboard, or a joystick's hat, axes or buttons.
constexpr uint32_t Keyboard = 1;
constexpr uint32_t ColumnKey = 1u << 30;  // a keyboard key bound to a column, holding that column's arrow for the menus
constexpr int MostJoysticks = 8;
uint32_t HatOf(int joystick) { return 2u << (3 * joystick); }
uint32_t AxesOf(int joystick) { return 4u << (3 * joystick); }
uint32_t ButtonsOf(int joystick) { return 8u << (3 * joystick); }

uint32_t KeyHolders[KeyCount];  // sources holding each key down
uint32_t KeyboardDownMs[KeyCount];  // when the keyboard last pressed each key
bool KeyReleaseDue[KeyCount];   // tapped within one frame: goes Up at the next update
bool ButtonDown[ButtonCount];
bool ButtonReleaseDue[ButtonCount];

// Events taken from SDL since the last update, each with its stamp.
struct StampedEvent {
  SDL_Event event;
  uint32_t stampMs;
};
std::vector<StampedEvent> Pending;
uint32_t CurrentStamp = 0;  // the stamp of the event being applied

constexpr Uint32 InputEvents = SDL_EVENTMASK(SDL_KEYDOWN) | SDL_EVENTMASK(SDL_KEYUP) |
                               SDL_EVENTMASK(SDL_JOYHATMOTION) | SDL_EVENTMASK(SDL_JOYAXISMOTION) |
                               SDL_EVENTMASK(SDL_JOYBUTTONDOWN) | SDL_EVENTMASK(SDL_JOYBUTTONUP) |
                               SDL_EVENTMASK(SDL_MOUSEBUTTONDOWN) | SDL_EVENTMASK(SDL_MOUSEBUTTONUP);

// Key repeat: when each key went down, how many steps it has made since, in
// which input frame it was last asked about, and whether its caller has
// followed it since the press.
uint32_t RepeatStart[KeyCount];
int RepeatDone[KeyCount];
uint32_t RepeatAsked[KeyCount];
bool RepeatFollowed[KeyCount];

int StepsDueAfter(uint32_t heldMs) {
  int steps = 1;
  if (heldMs >= 400) steps += 1 + (static_cast<int>(std::min<uint32_t>(heldMs, 2000)) - 400) / 100;
  if (heldMs >= 2000) steps += static_cast<int>(std::min<uint32_t>(heldMs - 2000, 1u << 30) / 10);
  return steps;
}

uint32_t MouseRepeatStart = 0;
int MouseRepeatDone = 0;

int StepsOfHeld(KeyState state, uint32_t nowMs, uint32_t& start, int& done) {
  if (state == KeyState::Up) return 0;
  if (state == KeyState::Pressed) {
    start = nowMs;
    done = 1;
    return 1;
  }
  int due = StepsDueAfter(nowMs - start);
  int steps = due - done;
  done = due;
  return steps > 0 ? steps : 0;
}

// The step size of a held key or button: 1, then 10 from 0.4 s, 100 from 2 s.
int StrideOfHeld(KeyState state, uint32_t nowMs, uint32_t start) {
  if (state != KeyState::Held) return 1;
  uint32_t heldMs = nowMs - start;
  return heldMs >= 2000 ? 100 : heldMs >= 400 ? 10 : 1;
}

// The last direction of each joystick's hat and first two axes (-1, 0, 1).
Uint8 HatValue[MostJoysticks];
int AxisValue[MostJoysticks][2];

// A press reads Pressed in its frame; a release Up, unless its press came in
// this same frame: then Pressed stays for this frame and Up follows at the
// next update, so that a tap is never lost.
void Press(KeyState& state, bool& releaseDue) {
  state = KeyState::Pressed;
  releaseDue = false;
}
void Release(KeyState& state, bool& releaseDue) {
  if (state == KeyState::Pressed)
    releaseDue = true;
  else
    state = KeyState::Up;
}

void Decay(KeyState* states, bool* releaseDue, int count) {
  for (int i = 0; i < count; ++i) {
    states[i] = states[i] != KeyState::Up ? KeyState::Held : KeyState::Up;
    if (releaseDue[i]) states[i] = KeyState::Up;
    releaseDue[i] = false;
  }
}

void NoteChange(int code, bool button, bool down) { FrameChanges.push_back({code, button, down, CurrentStamp}); }

void PressKey(int key, uint32_t source) {
  if (key < 0 || key >= KeyCount) return;
  KeyHolders[key] |= source;
  Press(KeyStates[key], KeyReleaseDue[key]);
  NoteChange(key, false, true);
}

void ReleaseKey(int key, uint32_t source) {
  if (key < 0 || key >= KeyCount) return;
  KeyHolders[key] &= ~source;
  if (KeyHolders[key] != 0) return;
  NoteChange(key, false, false);
  Release(KeyStates[key], KeyReleaseDue[key]);
}

void SetKey(int key, uint32_t source, bool down) {
  if (down)
    PressKey(key, source);
  else
    ReleaseKey(key, source);
}

constexpr int ArrowOfColumn[4] = {SDLK_LEFT, SDLK_DOWN, SDLK_UP, SDLK_RIGHT};

// An arrow of a mat or pad: the arrow key for the menus, and its column.
void SetArrow(int column, uint32_t source, bool down) {
  SetKey(ArrowOfColumn[column], source, down);
  SetKey(ColumnKeys[column], source, down);
}

bool BoundToAColumn(int key) { return std::find(std::begin(BoundKeys), std::end(BoundKeys), key) != std::end(BoundKeys); }

// A keyboard key, the column bound to it, and that column's arrow for the menus.
void SetKeyboardKey(int key, bool down) {
  if (key >= ColumnKeys[0]) return;  // the columns' entries are no keyboard key's
  SetKey(key, Keyboard, down);
  if (down) KeyWentDown = key, KeyboardDownMs[key] = CurrentStamp;
  for (int column = 0; column < 4; ++column) {
    if (BoundKeys[column] != key) continue;
    SetKey(ColumnKeys[column], Keyboard, down);
    if (key != ArrowOfColumn[column]) SetKey(ArrowOfColumn[column], ColumnKey, down);
  }
}

// The system's auto-repeat sends more downs of a held key, with no up
// between, or (X's) an up and a down together: the key stays held from its
// first press to its release.
bool IsAutoRepeat(const SDL_Event& e) {
  int key = e.key.keysym.sym;
  return key >= 0 && key < KeyCount && (KeyHolders[key] & Keyboard) != 0;
}

constexpr uint32_t RepeatGapMs = 10;     // no finger lifts and presses a key again this fast
constexpr uint32_t RepeatDelayMs = 200;  // nor does any system repeat a key held for less

// Marks the ups of the keyboard that a down of the same key follows at once,
// and those downs: the system's repeat, not the player's.
std::vector<bool> RepeatPairs(const std::vector<StampedEvent>& events) {
  std::vector<bool> repeat(events.size(), false);
  for (size_t i = 0; i < events.size(); ++i) {
    const SDL_Event& up = events[i].event;
    if (up.type != SDL_KEYUP || repeat[i]) continue;
    for (size_t j = i + 1; j < events.size() && events[j].stampMs - events[i].stampMs <= RepeatGapMs; ++j) {
      const SDL_Event& down = events[j].event;
      if (down.type == SDL_KEYDOWN && down.key.keysym.sym == up.key.keysym.sym) {
        repeat[i] = repeat[j] = true;
        break;
      }
    }
  }
  return repeat;
}

// A hat's four directions are the arrow keys; only the changed ones are pressed or released.
void MoveHat(int joystick, Uint8 value) {
  constexpr Uint8 Directions[4] = {SDL_HAT_LEFT, SDL_HAT_DOWN, SDL_HAT_UP, SDL_HAT_RIGHT};  // by column
  Uint8 before = HatValue[joystick];
  HatValue[joystick] = value;
  for (int column = 0; column < 4; ++column)
    if ((before & Directions[column]) != (value & Directions[column]))
      SetArrow(column, HatOf(joystick), (value & Directions[column]) != 0);
}

// Axis 0 is left and right, axis 1 up and down, each beyond half its range.
void MoveAxis(int joystick, int axis, Sint16 value) {
  if (axis > 1) return;
  int direction = value < -16384 ? -1 : value > 16384 ? 1 : 0;
  int& before = AxisValue[joystick][axis];
  if (direction == before) return;
  const int columns[2][2] = {{0, 3}, {2, 1}};  // left and right, up and down
  if (before != 0) SetArrow(columns[axis][before > 0], AxesOf(joystick), false);
  if (direction != 0) SetArrow(columns[axis][direction > 0], AxesOf(joystick), true);
  before = direction;
}

void PushPadButton(int joystick, int button, bool down) {
  if (down) PadButtonWentDown = button;
  for (int i = 0; i < PadButtonCount; ++i) {
    if (PadButtons[i].button < 0 || PadButtons[i].button != button) continue;
    if (i < 4)
      SetArrow(i, ButtonsOf(joystick), down);  // the first four are the arrows
    else
      SetKey(PadButtons[i].key, ButtonsOf(joystick), down);
  }
}

// The character a key types into a search, or 0.
char TypedBy(int key) {
  if ((key >= SDLK_a && key <= SDLK_z) || (key >= SDLK_0 && key <= SDLK_9) || key == SDLK_SPACE) return static_cast<char>(key);
  if (key >= SDLK_KP0 && key <= SDLK_KP9) return static_cast<char>('0' + key - SDLK_KP0);
  return key == SDLK_BACKSPACE ? '\b' : 0;
}

// A key that plays a column works the menus as its arrow; it never types.
// Typing follows the system's repeat, as text boxes do.
void TypeKey(int key) {
  if (char typed = TypedBy(key); typed && !BoundToAColumn(key)) KeysTyped += typed;
}

void ApplyKeyEvent(const SDL_Event& e) {
  switch (e.type) {
    case SDL_KEYDOWN:
      if (!IsAutoRepeat(e)) SetKeyboardKey(e.key.keysym.sym, true);
      TypeKey(e.key.keysym.sym);
      break;
    case SDL_KEYUP: SetKeyboardKey(e.key.keysym.sym, false); break;
    case SDL_JOYHATMOTION:
      if (e.jhat.which < MostJoysticks && e.jhat.hat == 0) MoveHat(e.jhat.which, e.jhat.value);
      break;
    case SDL_JOYAXISMOTION:
      if (e.jaxis.which < MostJoysticks) MoveAxis(e.jaxis.which, e.jaxis.axis, e.jaxis.value);
      break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
      if (e.jbutton.which < MostJoysticks) PushPadButton(e.jbutton.which, e.jbutton.button, e.type == SDL_JOYBUTTONDOWN);
      break;
  }
}

void ApplyButtonEvent(const SDL_Event& e) {
  int button = e.button.button;
  if (button >= ButtonCount) return;
  NoteChange(button, true, e.type == SDL_MOUSEBUTTONDOWN);
  if (e.type == SDL_MOUSEBUTTONDOWN) {
    ButtonDown[button] = true;
    Press(MouseButtons[button], ButtonReleaseDue[button]);
  } else if (ButtonDown[button]) {
    ButtonDown[button] = false;
    Release(MouseButtons[button], ButtonReleaseDue[button]);
  } else {
    MouseButtons[button] = KeyState::Up;
  }
}

// A key's up taken just now may be the first half of a repeat: its down
// follows within RepeatGapMs, so the input is sampled until that has passed.
// Only a key held long enough to repeat makes the wait: never a tap's release.
void WaitOutRepeatGap() {
  auto mayRepeat = [](const StampedEvent& e) {
    int key = e.event.key.keysym.sym;
    return e.event.type == SDL_KEYUP && key >= 0 && key < KeyCount && (KeyHolders[key] & Keyboard) != 0 &&
           e.stampMs - KeyboardDownMs[key] >= RepeatDelayMs;
  };
  auto lastUp = std::find_if(Pending.rbegin(), Pending.rend(), mayRepeat);
  if (lastUp == Pending.rend()) return;
  const uint32_t upMs = lastUp->stampMs;
  while (ClockTicks() - upMs <= RepeatGapMs) WaitForInput(1), SampleInput();
}

bool IsButtonEvent(const SDL_Event& e) { return e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP; }

}  // namespace

void SampleInput() {
  SDL_PumpEvents();
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, InputEvents) > 0) StampEvent(event, ClockTicks());
}

void StampEvent(const SDL_Event& event, uint32_t stampMs) { Pending.push_back({event, stampMs}); }

bool InputWaiting() {
  SDL_Event event;
  return !Pending.empty() || SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0;
}

void UpdateInput() {
  KeyWentDown = 0;
  PadButtonWentDown = -1;
  SampleInput();
  WaitOutRepeatGap();
  FrameInputMs = ClockTicks();
  ++InputFrames;
  FrameChanges.clear();
  Decay(KeyStates, KeyReleaseDue, KeyCount);
  KeysTyped.clear();
  const std::vector<bool> repeat = RepeatPairs(Pending);
  for (size_t i = 0; i < Pending.size(); ++i) {
    const SDL_Event& e = Pending[i].event;
    if (repeat[i] && e.type == SDL_KEYDOWN) TypeKey(e.key.keysym.sym);
    if (!IsButtonEvent(e) && !repeat[i]) CurrentStamp = Pending[i].stampMs, ApplyKeyEvent(e);
  }
  Decay(MouseButtons, ButtonReleaseDue, ButtonCount);
  for (const StampedEvent& e : Pending)
    if (IsButtonEvent(e.event)) CurrentStamp = e.stampMs, ApplyButtonEvent(e.event);
  Pending.clear();
  SDL_GetMouseState(&MouseX, &MouseY);
  WindowToGame(MouseX, MouseY);
}

bool FirstPressStamp(int key, uint32_t& stampMs) {
  for (const InputChange& change : FrameChanges)
    if (!change.button && change.down && change.code == key) {
      stampMs = change.stampMs;
      return true;
    }
  return false;
}

bool AnythingHeld() {
  for (KeyState state : KeyStates)
    if (state != KeyState::Up) return true;
  for (KeyState state : MouseButtons)
    if (state != KeyState::Up) return true;
  return false;
}

int RepeatSteps(int key, uint32_t nowMs) {
  if (key < 0 || key >= KeyCount) return 0;
  bool followed = RepeatFollowed[key] && RepeatAsked[key] + 1 >= InputFrames;
  RepeatAsked[key] = InputFrames;
  RepeatFollowed[key] = KeyStates[key] != KeyState::Up && (followed || KeyStates[key] == KeyState::Pressed);
  if (KeyStates[key] == KeyState::Up || !RepeatFollowed[key]) return 0;
  if (KeyStates[key] == KeyState::Pressed) {
    // The press's own moment on the caller's clock: as long before nowMs as
    // its stamp lies before this frame's input. A table filled by hand: now.
    uint32_t stamp = FrameInputMs;
    FirstPressStamp(key, stamp);
    RepeatStart[key] = nowMs - (FrameInputMs - stamp);
    RepeatDone[key] = 1;
    return 1;
  }
  int due = StepsDueAfter(nowMs - RepeatStart[key]);
  int steps = due - RepeatDone[key];
  RepeatDone[key] = due;
  return steps > 0 ? steps : 0;
}

int MouseRepeatSteps(uint32_t nowMs) {
  return StepsOfHeld(MouseButtons[SDL_BUTTON_LEFT], nowMs, MouseRepeatStart, MouseRepeatDone);
}

int KeyNamed(std::string_view name) {
  for (int key = 1; key < SDLK_LAST; ++key)
    if (name == SDL_GetKeyName(static_cast<SDLKey>(key))) return key;
  return 0;
}

std::string KeyName(int key) { return SDL_GetKeyName(static_cast<SDLKey>(key)); }

int RepeatStride(int key, uint32_t nowMs) {
  if (key < 0 || key >= KeyCount) return 1;
  return StrideOfHeld(KeyStates[key], nowMs, RepeatStart[key]);
}

int MouseRepeatStride(uint32_t nowMs) { return StrideOfHeld(MouseButtons[SDL_BUTTON_LEFT], nowMs, MouseRepeatStart); }

void ClearInput() {
  KeysTyped.clear();
  Pending.clear();
  FrameChanges.clear();
  for (int i = 0; i < KeyCount; ++i) KeyStates[i] = KeyState::Up, KeyHolders[i] = 0, KeyReleaseDue[i] = false;
  for (int i = 0; i < ButtonCount; ++i) MouseButtons[i] = KeyState::Up, ButtonDown[i] = false, ButtonReleaseDue[i] = false;
  for (int j = 0; j < MostJoysticks; ++j) HatValue[j] = 0, AxisValue[j][0] = AxisValue[j][1] = 0;
}

void OpenJoysticks() {
  for (int i = 0; i < SDL_NumJoysticks(); ++i) SDL_JoystickOpen(i);  // kept open for the whole run
  SDL_JoystickEventState(SDL_ENABLE);
}

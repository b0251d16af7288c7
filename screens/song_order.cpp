// The order's button and keys, and the favourite's keys and mouse button.
#include "screens/song_order.h"

#include <SDL.h>

#include "charts/favourites.h"
#include "charts/library_cache.h"
#include "charts/settings_write.h"
#include "kit/input.h"
#include "kit/panels.h"
#include "screens/options.h"

namespace {

// In the heading, between the typed search and the open pack's name, clear of the list's up control.
constexpr Box OrderButton{275, 18, 90, 0};

}  // namespace

SongOrder ListOrder() {
  SongOrder order = SongOrder::ByName;
  SongOrderNamed(PlayerSettings.songOrder, order);
  return order;
}

bool RunSongListControls(const LibrarySong* lit) {
  // A button of the pointer's only, as Button reacts to it: the keyboard has F2, and its focus stays on the list.
  const Box& b = OrderButton;
  bool hovered = MouseX > b.x - 14 && MouseY > b.y - 14 && MouseX < b.x + b.width + 13 && MouseY < b.y + b.height + 13;
  InfoBox(OrderButton, SongOrderLabel(ListOrder()), hovered);
  bool sort = (hovered && MouseButtons[SDL_BUTTON_LEFT] == KeyState::Pressed) || KeyStates[SDLK_F2] == KeyState::Pressed;
  bool mark = lit != nullptr && (KeyStates[SDLK_F3] == KeyState::Pressed || KeyStates[SDLK_INSERT] == KeyState::Pressed ||
                                 MouseButtons[SDL_BUTTON_RIGHT] == KeyState::Pressed);
  if (mark) {
    ToggleFavourite(lit->song);
    ListFavouritesPack(ListOrder());
  }
  if (sort) {
    PlayerSettings.songOrder = SongOrderWord(NextSongOrder(ListOrder()));
    SaveSettings(SettingsPath, PlayerSettings);  // a file that cannot be written keeps the order for the run
    SortSongLibrary(ListOrder());
  }
  return sort || mark;
}

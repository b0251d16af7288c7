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
  bool sort = Button(OrderButton, SongOrderLabel(ListOrder())) || KeyStates[SDLK_F2] == Pressed;
  bool mark = lit != nullptr && (KeyStates[SDLK_F3] == Pressed || KeyStates[SDLK_INSERT] == Pressed ||
                                 MouseButtons[SDL_BUTTON_RIGHT] == Pressed);
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

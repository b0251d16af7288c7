// Arrows where the music is. Each onset is put on the grid slot nearest it
// (sixteenths, or triplets where the off-beats swing); each difficulty adds
// slots to the last one's, by strength, within its own rules of which slots
// it may use, how strong their onset must be and how close arrows may come.
// Columns then follow alternating feet: the left foot on left, down and up,
// the right on right, down and up, so no step crosses over.
#include "charts/music_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "charts/generator.h"

namespace {

struct Slot {
  int slot;
  float strength;
  float heldMs;
};

// Which slots a difficulty may use, the onset strength a slot needs there
// (on the beat, on the eighth or off-beat, elsewhere), the closest two
// arrows may come, and how strong an accent makes a jump (0: never).
struct Level {
  float onBeat, onEighth, elsewhere;
  double gapBeats;
  int longestRun;  // most arrows a beat apart in a row, then a rest (0: any)
  bool lone;       // arrows closer than a beat only one pair at a time
  float jump;
  bool holds;
};
constexpr float Never = 1e9f;
constexpr Level Levels[DifficultyCount] = {
    {0.45f, Never, Never, 2.0, 0, false, 0, false},     // Beginner: strong beats, about one a second
    {0.3f, Never, Never, 1.0, 3, false, 0, false},      // Easy: the accented quarters, with rests
    {0.2f, 0.35f, Never, 0.5, 7, true, 1.6f, true},     // Medium: quarters and some eighths
    {0.12f, 0.15f, Never, 0.5, 15, false, 1.3f, true},  // Hard: eighths where the music has them
    {0.08f, 0.1f, 0.45f, 0.25, 0, false, 1.15f, true},  // Challenge: sixteenths or triplets on the strongest
};

// A small generator of our own seed, so the same music gives the same chart.
struct Dice {
  uint64_t state;
  uint32_t Next() {
    state ^= state << 13, state ^= state >> 7, state ^= state << 17;
    return static_cast<uint32_t>(state >> 11);
  }
};

uint64_t SeedOf(const MusicAnalysis& music, double bpm) {
  uint64_t seed = 0x9E3779B97F4A7C15ull ^ music.onsets.size();
  uint64_t bits;
  std::memcpy(&bits, &bpm, sizeof bits);
  seed ^= bits * 0xBF58476D1CE4E5B9ull;
  for (size_t i = 0; i < std::min<size_t>(music.onsets.size(), 64); ++i)
    seed = (seed ^ static_cast<uint64_t>(music.onsets[i].timeMs * 1000)) * 0x94D049BB133111EBull;
  return seed | 1;
}

// Swung when the off-beat onsets gather at two thirds of the beat more than at its half.
int SlotsPerBeat(const MusicAnalysis& music, double period, double first) {
  double half = 0, thirds = 0;
  for (const Onset& o : music.onsets) {
    double part = std::fmod((o.timeMs - first) / period + 100000, 1.0);
    if (std::abs(part - 0.5) < 0.06) half += o.strength;
    if (std::abs(part - 1.0 / 3) < 0.05 || std::abs(part - 2.0 / 3) < 0.05) thirds += o.strength;
  }
  return thirds > 1.5 * half && thirds > 0 ? 3 : 4;
}

// The strongest onset of each slot it falls close to, within the beats and the music.
std::vector<Slot> SlotsOf(const MusicAnalysis& music, double period, double first, int beats, int perBeat) {
  std::vector<Slot> slots;
  const double part = period / perBeat, near = std::min(25.0, part / 3);
  for (const Onset& o : music.onsets) {
    long slot = std::lround((o.timeMs - first) / part);
    double at = first + slot * part;
    if (slot < 0 || slot >= static_cast<long>(beats) * perBeat || std::abs(o.timeMs - at) > near) continue;
    if (at < music.startMs - near || at > music.endMs) continue;
    if (!slots.empty() && slots.back().slot == slot) {
      if (o.strength > slots.back().strength) slots.back() = {static_cast<int>(slot), o.strength, o.heldMs};
    } else {
      slots.push_back({static_cast<int>(slot), o.strength, o.heldMs});
    }
  }
  return slots;
}

float NeededStrength(const Level& level, int slot, int perBeat) {
  if (slot % perBeat == 0) return level.onBeat;
  bool eighth = perBeat == 4 ? slot % 2 == 0 : slot % 3 == 2;  // the swung eighth falls at two thirds
  return eighth ? level.onEighth : level.elsewhere;
}

// Adds to `chosen` (sorted slot numbers) the level's slots, strongest first, that keep its gap.
void ChooseSlots(const std::vector<Slot>& slots, const Level& level, int perBeat, std::vector<int>& chosen) {
  std::vector<const Slot*> order;
  for (const Slot& s : slots)
    if (s.strength >= NeededStrength(level, s.slot, perBeat)) order.push_back(&s);
  std::stable_sort(order.begin(), order.end(), [](const Slot* a, const Slot* b) { return a->strength > b->strength; });
  const int gap = std::max(1, static_cast<int>(std::lround(level.gapBeats * perBeat)));
  for (const Slot* s : order) {
    auto after = std::lower_bound(chosen.begin(), chosen.end(), s->slot);
    if (after != chosen.end() && *after - s->slot < gap) continue;
    if (after != chosen.begin() && s->slot - *(after - 1) < gap) continue;
    chosen.insert(after, s->slot);
  }
  if (level.longestRun == 0 && !level.lone) return;
  std::vector<int> rested;
  int run = 1;
  bool lastFast = false;
  for (int slot : chosen) {
    int gap = rested.empty() ? 1000000 : slot - rested.back();
    run = gap == perBeat ? run + 1 : 1;
    if ((level.longestRun > 0 && run > level.longestRun) || (level.lone && lastFast && gap < perBeat)) {
      run = 0;
      lastFast = false;
      continue;
    }
    lastFast = gap < perBeat;
    rested.push_back(slot);
  }
  chosen.swap(rested);
}

struct Feet {
  int lastColumn = -1, lastFoot = 1;  // 0 left, 1 right
  int lastSlot = -1000000;
  int holdColumn = -1, holdFoot = 0, holdEndSlot = -1;
  int count = 0;
};

// A column for the next foot: its own side's arrow most often, down or up
// otherwise, never the arrow just stepped when the step comes fast.
int PickColumn(Feet& feet, Dice& dice, int slot, int perBeat, bool beginner, bool fastRepeatsOk) {
  if (beginner) {  // left and right in turn, down or up every fifth arrow
    int column = ++feet.count % 5 == 0 ? 1 + static_cast<int>(dice.Next() % 2) : feet.lastFoot == 0 ? 3 : 0;
    feet.lastFoot = 1 - feet.lastFoot, feet.lastColumn = column, feet.lastSlot = slot;
    return column;
  }
  bool holding = slot <= feet.holdEndSlot;
  int foot = holding ? 1 - feet.holdFoot : 1 - feet.lastFoot;
  int options[3] = {foot == 0 ? 0 : 3, 1, 2};
  int weights[3] = {2, 1, 1};
  bool fast = slot - feet.lastSlot < perBeat;
  int total = 0;
  for (int i = 0; i < 3; ++i) {
    if ((options[i] == feet.lastColumn && fast && !fastRepeatsOk) || (holding && options[i] == feet.holdColumn)) weights[i] = 0;
    total += weights[i];
  }
  int column = options[0] != feet.holdColumn ? options[0] : options[1];
  if (total > 0) {
    int roll = static_cast<int>(dice.Next() % static_cast<uint32_t>(total));
    for (int i = 0; i < 3; ++i)
      if ((roll -= weights[i]) < 0) {
        column = options[i];
        break;
      }
  }
  feet.lastFoot = foot, feet.lastColumn = column, feet.lastSlot = slot;
  return column;
}

double SlotMs(int slot, double first, double part) { return first + slot * part; }

// The chart file's name for a slot's place in its beat.
BeatPlace PlaceOf(int slot, int perBeat) {
  int part = slot % perBeat;
  if (part == 0) return BeatPlace::Quarter;
  if (perBeat == 3) return BeatPlace::Twelfth;
  return part == 2 ? BeatPlace::Eighth : BeatPlace::Sixteenth;
}

}  // namespace

std::vector<GridNote> MusicChart(const MusicAnalysis& music, double bpm, double firstBeatMs, int beats, int difficulty) {
  std::vector<GridNote> notes;
  if (!(bpm > 0) || beats <= 0 || difficulty < 0 || difficulty >= DifficultyCount) return notes;
  const double period = 60000 / bpm;
  const int perBeat = SlotsPerBeat(music, period, firstBeatMs);
  const double part = period / perBeat;
  std::vector<Slot> slots = SlotsOf(music, period, firstBeatMs, beats, perBeat);
  std::vector<int> chosen;
  for (int d = 0; d <= difficulty; ++d) ChooseSlots(slots, Levels[d], perBeat, chosen);
  const Level& level = Levels[difficulty];
  Dice dice{SeedOf(music, bpm) + static_cast<uint64_t>(difficulty)};
  Feet feet;
  size_t s = 0;
  for (size_t i = 0; i < chosen.size(); ++i) {
    int slot = chosen[i];
    while (slots[s].slot != slot) ++s;
    const Slot& here = slots[s];
    int next = i + 1 < chosen.size() ? chosen[i + 1] : beats * perBeat;
    bool free = slot > feet.holdEndSlot;
    bool alone = slot - feet.lastSlot >= perBeat / 2 && next - slot >= perBeat / 2;
    Note note;
    note.column = PickColumn(feet, dice, slot, perBeat, difficulty == Beginner, difficulty == Challenge);
    note.time = static_cast<int32_t>(std::lround(SlotMs(slot, firstBeatMs, part)));
    note.beat = PlaceOf(slot, perBeat);
    if (level.jump > 0 && free && alone && slot % perBeat == 0 && here.strength >= level.jump) {
      int partner = 3 - note.column;  // left with right, down with up
      notes.push_back({note, slot, perBeat});
      Note other = note;
      other.column = partner;
      notes.push_back({other, slot, perBeat});
      feet.lastColumn = -1;  // both feet landed
      continue;
    }
    // A hold: a strong note whose sound lasts at least a beat, up to the slot
    // before the next arrow, while the other foot takes what comes meanwhile.
    int heldSlots = static_cast<int>(here.heldMs / part);
    if (level.holds && free && here.strength >= 0.5f && heldSlots >= perBeat) {
      int end = std::min(slot + heldSlots, slot + 4 * perBeat);
      if (i + 1 < chosen.size() && next - slot < perBeat) end = slot;  // the next arrow comes too soon
      if (end - slot >= perBeat) {
        note.hold = static_cast<int32_t>(std::lround(SlotMs(end, firstBeatMs, part))) - note.time;
        feet.holdColumn = note.column, feet.holdFoot = feet.lastFoot, feet.holdEndSlot = end;
      }
    }
    notes.push_back({note, slot, perBeat});
  }
  return notes;
}

std::string MusicChartText(const MusicAnalysis& music, double bpm, double firstBeatMs, int beats) {
  std::vector<Note> notes[DifficultyCount];
  for (int d = 0; d < DifficultyCount; ++d)
    for (const GridNote& g : MusicChart(music, bpm, firstBeatMs, beats, d)) notes[d].push_back(g.note);
  return FiveSectionText(notes);
}

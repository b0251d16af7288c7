// The notes of a chart and the one shared list of them.
#pragma once
#include <cstdint>
#include <vector>

// One arrow: column 0 left, 1 down, 2 up, 3 right; time due in ms from the
// start of the music; hold 0 for a tap, else how long to hold in ms.
struct Note {
  int32_t column = 0;
  int32_t time = 0;
  int32_t hold = 0;
};

inline constexpr int NoteListCapacity = 1000;

// In append order, never sorted: the judgement's tie-break depends on it.
// Filled by the song start and the importer, emptied by the chart writer.
inline std::vector<Note> NoteList;

void AppendNote(const Note& note);
// Removes the note at an index; the rest keep their order.
void RemoveNote(int index);
void EmptyNoteList();

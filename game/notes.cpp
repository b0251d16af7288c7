#include "game/notes.h"

void AppendNote(const Note& note) { NoteList.push_back(note); }

void RemoveNote(int index) {
  if (index >= 0 && index < static_cast<int>(NoteList.size())) NoteList.erase(NoteList.begin() + index);
}

void EmptyNoteList() { NoteList.clear(); }

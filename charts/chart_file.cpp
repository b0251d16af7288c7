#include "charts/chart_file.h"

#include "app/screen_state.h"
#include "game/notes.h"

void WriteChartSection(std::ostream& out) {
  if (NoteList.empty()) return;
  // A difficulty outside 0..4 has no tag: its notes are dropped, not written under a wrong one.
  if (SelectedDifficulty >= 0 && SelectedDifficulty < DifficultyCount) {
    out << SectionTags[SelectedDifficulty] << '\n';
    for (const Note& note : NoteList)
      out << note.column << '\n' << note.time << '\n' << note.hold << '\n' << "----\n";
    out << "<stop>\n";
  }
  EmptyNoteList();
}

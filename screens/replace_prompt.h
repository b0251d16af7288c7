// Asking before a song's chart is replaced: the generator and the import show
// "Replace the charts of <song>?" with Replace and Cancel instead of their
// own buttons until the player answers.
#pragma once
#include <string>

enum class ReplaceAnswer : int { Waiting, Replace, Cancel };

// Whether writing a chart for the song would replace one it has.
bool SongHasChart(const std::string& song);

// Called in the frame the question comes up: a keyboard player's focus goes
// to Cancel, so that a second Enter changes nothing.
void OpenReplacePrompt();

// Draws the question and its two buttons for one frame; the player's answer.
ReplaceAnswer AskToReplace(const std::string& song);

// Writes the chart text over the song's chart; when that worked, the song's
// bests are retired with the old chart. False, with why, when nothing was
// written (nothing is, for a song whose folder lies outside Music/).
bool ReplaceChart(const std::string& song, const std::string& chartText, std::string& why);

// The chart makers' steps for SelectedSong. A chart is written at once when
// the song has none; else asking is set and the question opens.
void WriteOrAsk(bool& asking, void (*write)());

// One frame of a chart maker: while asking, the question (any answer ends
// it; Replace calls write()); else its own page, the notice above "Back",
// and "Back" to the difficulty select.
void RunChartMaker(bool& asking, const std::string& notice, void (*page)(), void (*write)());

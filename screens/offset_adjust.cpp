// The offset adjustment of the results.
#include "screens/offset_adjust.h"

#include <algorithm>
#include <optional>
#include <string>

#include "kit/font.h"
#include "kit/panels.h"
#include "screens/options.h"

namespace {

std::string Said;  // what the adjustment did, shown in the button's place; empty before it

std::string SignedMs(int ms) { return (ms >= 0 ? "+" : "") + std::to_string(ms) + " ms"; }

}  // namespace

void RunOffsetAdjust(const TimingSummary& timing, bool entered) {
  if (entered) Said.clear();
  if (!Said.empty()) {
    DrawText(30, 430, Said, TextAlign::Left);
    return;
  }
  std::optional<int> adjustment = OffsetAdjustment(timing);
  if (!adjustment || !Button(Box{30, 430, 260, 10}, "Adjust offset " + SignedMs(*adjustment))) return;
  Settings s = PlayerSettings;
  s.audioOffsetMs = std::clamp(s.audioOffsetMs + *adjustment, -1000, 1000);
  std::string problem = ChangeAndSaveSettings(s);
  Said = "Offset " + SignedMs(s.audioOffsetMs) + (problem.empty() ? " saved" : " not saved");
}

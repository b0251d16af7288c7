// Shared by the step-file tests: our own small step files, and a step file and
// a chart written and read in brief.
#pragma once
#include <sstream>
#include <string>

#include "charts/step_file.h"

// Small step files of our own, with the quirks of real packs.
inline const std::string OwnData = ZEDOV_SOURCE_DIR "/tests/data/sm/";

// Chart text in brief as a plain reader sees it, by the file's reading rules
// alone: "easy: 0@500 1@1000+200 / hard: ..." (column@time+hold). Sections of
// other start tags are passed over; a note's fourth token is not looked at.
inline std::string Brief(const std::string& chart) {
  std::istringstream in(chart);
  std::string brief, token, separator;
  bool inSection = false;
  while (in >> token) {
    if (token.starts_with("<start")) {
      brief += (brief.empty() ? "" : " / ") + token.substr(6, token.size() - 7) + ":";
      inSection = true;
    } else if (inSection && token.find_first_not_of("-0123456789") == std::string::npos) {
      long time = 0, hold = 0;
      in >> time >> hold >> separator;
      brief += " " + token + "@" + std::to_string(time) + (hold ? "+" + std::to_string(hold) : "");
    } else {
      inSection = false;
    }
  }
  return brief;
}

inline std::string Import(const std::string& text) { return Brief(ConvertStepText(text)); }

inline const std::string At120 = "#OFFSET:0.000;\n#BPMS:0.000=120.000;\n";  // a beat is 500 ms

// One dance-single block of the given difficulty and measures.
inline std::string Block(const std::string& difficulty, const std::string& measures) {
  return "#NOTES:\n     dance-single:\n     :\n     " + difficulty + ":\n     1:\n     0.1,0.2:\n" +
         measures + ";\n";
}

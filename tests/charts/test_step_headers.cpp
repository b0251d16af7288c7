// The header lines of a step file's block, each broken in turn.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "charts/step_file.h"

namespace {

// Every header line of a block broken in turn (gone, cut by a ";", its ":"
// lost, lower-cased, joined to the next line): the block imports on time or
// not at all, never with its header read as measures.
TEST(BrokenHeaders, NeverShiftTheNotes) {
  const std::vector<std::string> lines = {"#NOTES:", " dance-single:", " by me:", " Easy:", " 1:",
                                          " 0.000,0.000,0.000,0.000,0.000:", "1000", "0100", ";"};
  const std::string song = "#OFFSET:0;\n#BPMS:0=120;\n";
  auto text = [&](const std::vector<std::string>& block) {
    std::string joined = song;
    for (const std::string& line : block) joined += line + "\n";
    return joined;
  };
  const std::string good = ConvertStepText(text(lines));
  ASSERT_EQ(good, "<starteasy>\n0\n0\n0\n----4\n1\n1000\n0\n----4\n<stop>\n<meter>\n1\n<stop>\n");
  for (size_t i = 0; i < 6; ++i) {
    std::vector<std::string> gone = lines, cut = lines, open = lines, lower = lines, joined = lines;
    gone.erase(gone.begin() + static_cast<long>(i));
    cut[i].insert(cut[i].size() / 2, ";");
    if (size_t colon = open[i].rfind(':'); colon != std::string::npos) open[i].erase(colon, 1);
    for (char& c : lower[i]) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    joined[i] += joined[i + 1];
    joined.erase(joined.begin() + static_cast<long>(i) + 1);
    for (const auto& broken : {gone, cut, open, lower, joined}) {
      std::string chart = ConvertStepText(text(broken));
      EXPECT_TRUE(chart.empty() || chart == good) << text(broken) << "gave\n" << chart;
    }
  }
}

}  // namespace

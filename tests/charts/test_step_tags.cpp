// The tags of step files: where a tag ends, letter case, comments, escapes, line ends.
#include <gtest/gtest.h>

#include <string>

#include "charts/step_tags.h"

namespace {

// Tags in brief: "NAME=value|NAME=value".
std::string Brief(std::string_view text) {
  std::string brief;
  for (const StepTag& tag : ReadStepTags(text)) brief += (brief.empty() ? "" : "|") + tag.name + "=" + tag.value;
  return brief;
}

TEST(StepTags, WhereTagsBeginAndEnd) {
  const struct {
    const char* text;
    const char* tags;
  } cases[] = {
      {"#OFFSET:0;#BPMS:0=120;", "OFFSET=0|BPMS=0=120"},
      {"#bpms:0=120;\r#Offset:-1;\r", "BPMS=0=120|OFFSET=-1"},
      {"\xEF\xBB\xBF#TITLE:a:b;junk between # tags:x;", "TITLE=a:b|TAGS=x"},
      {"#NOTES:\r\n x:\r\n 1000\r\n;", "NOTES=\r\n x:\r\n 1000\r\n"},
      {"#TITLE:no end\n  #ARTIST:me;", "TITLE=no end\n  |ARTIST=me"},
      {"#TITLE:a#b;", "TITLE=a#b"},
      {"#TITLE:x // a; comment\n;#NEXT;", "TITLE=x \n|NEXT="},
      {"// #HIDDEN:1;\n#TITLE:AC\\;DC\\\\;", "TITLE=AC;DC\\"},
      {"#CUT:open", "CUT=open"},
      {"no tags at all", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Brief(c.text), c.tags) << c.text;
}

TEST(StepTags, LooseTextBetweenTagsIsKept) {
  std::string text = "Easy:\n1000\n#BPMS:0=1;\n;x";
  std::vector<StepPiece> pieces = SplitStepText(text);
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].value, "Easy:\n1000\n");
  EXPECT_FALSE(pieces[0].tag);
  EXPECT_EQ(pieces[2].value, "\n;x");
}

TEST(StepTags, TheSscFileIsPreferred) {
  EXPECT_EQ(PreferredStepFile({"a.sm", "b.mp3", "c.SSC", "d.ssc"}), "c.SSC");
  EXPECT_EQ(PreferredStepFile({"a.ogg", "b.Sm"}), "b.Sm");
  EXPECT_EQ(PreferredStepFile({"a.ogg", "sm", "x.smx"}), "");
  // Of one folder's list, only an .sm beside an .ssc of its own name is passed over.
  const std::vector<std::string> folder = {"Song.sm", "song.SSC", "Other.sm", "x.ssc.sm", "x.ssc"};
  std::string kept;
  for (const std::string& name : folder) kept += StepFilePassedOver(name, folder) ? "" : name + " ";
  EXPECT_EQ(kept, "song.SSC Other.sm x.ssc.sm x.ssc ");
}

}  // namespace

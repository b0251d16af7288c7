// The step-file converter: the song's timing, .sm notes headers, .ssc
// sections with their own timing, and hand-made blocks without tags.
#include "charts/step_file.h"

#include "charts/step_file_timing.h"
#include "charts/step_tags.h"
#include "charts/text.h"

namespace {

constexpr int NoChart = -1;
constexpr int HeaderFields = 5;  // step type, description, difficulty, meter, radar values

// The difficulty words of charts, as StepMania reads them: its own five names
// and the older names some packs still carry.
struct DifficultyName {
  std::string_view word;
  int difficulty;
};
constexpr DifficultyName ChartDifficulties[] = {
    {"beginner", Beginner}, {"easy", Easy},     {"basic", Easy},       {"light", Easy},
    {"medium", Medium},     {"another", Medium}, {"trick", Medium},     {"standard", Medium},
    {"difficult", Medium},  {"hard", Hard},      {"ssr", Hard},         {"maniac", Hard},
    {"heavy", Hard},        {"challenge", Challenge}, {"smaniac", Challenge}, {"expert", Challenge},
    {"oni", Challenge}};

// The chart's difficulty, or NoChart for Edit, unknown words and other step types.
int ChartDifficulty(std::string_view stepsType, std::string_view difficulty) {
  stepsType = Trimmed(stepsType);
  if (!stepsType.empty() && !SameLetters(stepsType, "dance-single")) return NoChart;
  for (const DifficultyName& name : ChartDifficulties)
    if (SameLetters(Trimmed(difficulty), name.word)) return name.difficulty;
  return NoChart;
}

// A meter is a whole number of 1 or more ("11", " 9 "); anything else gives none.
int ChartMeter(std::string_view text) {
  double meter = 0;
  if (!ParseStepNumber(text, meter) || !(meter >= 1 && meter <= 1000)) return 0;
  return static_cast<int>(meter);
}

void AddSection(std::vector<ChartSection>& sections, int difficulty, ChartSection chart, std::string_view meter = {}) {
  if (difficulty == NoChart || chart.notes.empty() || sections.size() >= static_cast<size_t>(MostSections)) return;
  chart.difficulty = difficulty;
  chart.meter = ChartMeter(meter);
  sections.push_back(std::move(chart));
}

// "#NOTES:type:description:difficulty:meter:radar:data"; the data runs to a
// further ":" if there is one, as StepMania takes it.
void AddSmChart(std::vector<ChartSection>& sections, std::string_view value, const StepTiming& song) {
  std::string_view fields[HeaderFields];
  for (std::string_view& field : fields) {
    size_t colon = value.find(':');
    if (colon == std::string_view::npos) return;  // the header is not whole: no chart
    field = value.substr(0, colon);
    value.remove_prefix(colon + 1);
  }
  int difficulty = ChartDifficulty(fields[0], fields[2]);
  if (difficulty != NoChart)
    AddSection(sections, difficulty, StepChartNotes(value.substr(0, value.find(':')), song), fields[3]);
}

bool IsTag(const StepPiece& piece, std::string_view name) { return piece.tag && piece.name == name; }

// Without a tag, a line ending with a difficulty name and ":" starts a block.
int LineDifficulty(std::string_view line) {
  line = Trimmed(line);
  if (!line.ends_with(':')) return NoChart;
  line.remove_suffix(1);
  for (int d = 0; d < DifficultyCount; ++d) {
    std::string_view word = DifficultyWords[d];
    if (line.size() >= word.size() && SameLetters(line.substr(line.size() - word.size()), word)) return d;
  }
  return NoChart;
}

bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

// The end of the line that starts at `at` (its break or the text's end).
size_t LineEnd(std::string_view text, size_t at) {
  while (at < text.size() && !IsLineBreak(text[at])) ++at;
  return at;
}

// Whether every piece of the line between "," is a row or blank.
bool OnlyRows(std::string_view line) {
  for (;;) {
    size_t comma = line.find(',');
    std::string_view piece = line.substr(0, comma);
    if (!Trimmed(piece).empty() && !IsStepRow(piece)) return false;
    if (comma == std::string_view::npos) return true;
    line.remove_prefix(comma + 1);
  }
}

// Hand-made blocks in text outside every tag. A block is its difficulty line,
// then lines of rows up to a ";", the next difficulty line or the text's end.
void AddHandMadeBlocks(std::vector<ChartSection>& sections, std::string_view text, const StepTiming& song) {
  int difficulty = NoChart;
  bool broken = false;
  size_t dataStart = 0;
  auto endBlock = [&](size_t dataEnd) {
    if (difficulty != NoChart && !broken)
      AddSection(sections, difficulty, StepChartNotes(text.substr(dataStart, dataEnd - dataStart), song));
    difficulty = NoChart;
  };
  for (size_t at = 0; at < text.size();) {
    size_t end = LineEnd(text, at);
    std::string_view line = text.substr(at, end - at);
    size_t semicolon = line.find(';');
    std::string_view before = line.substr(0, semicolon);
    if (int d = LineDifficulty(line); d != NoChart) {
      endBlock(at);
      difficulty = d;
      broken = false;
      dataStart = end;
    } else if (difficulty != NoChart && !OnlyRows(before)) {
      broken = true;  // header text, or anything else that is no row: no notes
    }
    if (semicolon != std::string_view::npos) endBlock(at + semicolon);
    at = end + 1;
  }
  endBlock(text.size());
}

// One "#NOTEDATA" section, the pieces from its tag up to the next section.
void AddSscChart(std::vector<ChartSection>& sections, const StepPiece* piece, const StepPiece* end,
                 const StepTiming& song) {
  std::string_view stepsType, difficulty, notes, meter;
  StepTiming own;
  bool ownTiming = false, hasNotes = false;
  for (++piece; piece != end; ++piece) {
    if (!piece->tag) {
      AddHandMadeBlocks(sections, piece->value, song);
    } else if (piece->name == "STEPSTYPE") {
      stepsType = piece->value;
    } else if (piece->name == "DIFFICULTY") {
      difficulty = piece->value;
    } else if (piece->name == "METER") {
      meter = piece->value;
    } else if (piece->name == "NOTES" || piece->name == "NOTES2") {
      notes = piece->value;
      hasNotes = true;
    } else if (ReadTimingTag(own, piece->name, piece->value) != TimingTag::None) {
      ownTiming = true;
    }
  }
  int chart = ChartDifficulty(stepsType, difficulty);
  if (!hasNotes || chart == NoChart) return;
  if (!ownTiming) {
    AddSection(sections, chart, StepChartNotes(notes, song), meter);
    return;
  }
  // Real packs leave the chart's offset, and at times its tempo, to the song.
  if (!own.hasOffset) own.offset = song.offset;
  if (own.tempi.empty()) own.tempi = song.tempi;
  PrepareStepTiming(own);
  AddSection(sections, chart, StepChartNotes(notes, own), meter);
}

std::string Pending;  // the bytes fed so far

}  // namespace

std::vector<ChartSection> StepFileSections(std::string& text) {
  std::vector<StepPiece> pieces = SplitStepText(text);
  const StepPiece* first = pieces.data();
  const StepPiece* last = first + pieces.size();
  const StepPiece* sections = first;  // the first .ssc section, if any
  while (sections != last && !IsTag(*sections, "NOTEDATA")) ++sections;

  StepTiming song;
  for (const StepPiece* piece = first; piece != sections; ++piece)
    if (piece->tag) ReadTimingTag(song, piece->name, piece->value);
  PrepareStepTiming(song);

  std::vector<ChartSection> found;
  for (const StepPiece* piece = first; piece != sections; ++piece) {
    if (!piece->tag)
      AddHandMadeBlocks(found, piece->value, song);
    else if (piece->name == "NOTES")
      AddSmChart(found, piece->value, song);
  }
  while (sections != last) {
    const StepPiece* next = sections + 1;
    while (next != last && !IsTag(*next, "NOTEDATA")) ++next;
    AddSscChart(found, sections, next, song);
    sections = next;
  }
  return found;
}

std::string ConvertStepText(std::string_view text) {
  std::string copy(text);
  return ChartText(StepFileSections(copy));
}

void StartStepConversion() { std::string().swap(Pending); }

void FeedStepText(std::string_view bytes) { Pending.append(bytes); }

std::vector<ChartSection> FinishStepConversion() {
  std::vector<ChartSection> sections = StepFileSections(Pending);
  std::string().swap(Pending);
  return sections;
}

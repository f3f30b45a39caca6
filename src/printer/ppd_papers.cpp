#include "printer/ppd_papers.h"

#include <algorithm>
#include <unordered_map>

namespace qxge {
namespace {

struct NamedPaper {
  const char* name;
  int32_t id;
};

// Sorted by name (byte order), as Wine's PostScript driver maps them; names compare exactly.
constexpr NamedPaper kStandardPapers[] = {
    {"10x11", 45}, {"10x14", 16}, {"11x17", 17}, {"12x11", 90}, {"15x11", 46}, {"9x11", 44}, {"A2", 66},
    {"A3", 8}, {"A3.Transverse", 67}, {"A3Extra", 63}, {"A3Extra.Transverse", 68}, {"A3Rotated", 76},
    {"A4", 9}, {"A4.Transverse", 55}, {"A4Extra", 53}, {"A4Plus", 60}, {"A4Rotated", 77}, {"A4Small", 10},
    {"A5", 11}, {"A5.Transverse", 61}, {"A5Extra", 64}, {"A5Rotated", 78}, {"A6", 70}, {"A6Rotated", 83},
    {"ARCHC", 24}, {"ARCHD", 25}, {"ARCHE", 26}, {"B4", 12}, {"B4Rotated", 79}, {"B5", 13},
    {"B5.Transverse", 62}, {"B5Rotated", 80}, {"B6", 88}, {"B6Rotated", 89}, {"C4", 30}, {"C5", 28},
    {"C6", 31}, {"Comm10", 20}, {"DL", 27}, {"DoublePostcard", 69}, {"DoublePostcardRotated", 82},
    {"Env10", 20}, {"Env11", 21}, {"Env12", 22}, {"Env14", 23}, {"Env9", 19}, {"EnvC3", 29}, {"EnvC4", 30},
    {"EnvC5", 28}, {"EnvC6", 31}, {"EnvC65", 32}, {"EnvChou3", 73}, {"EnvChou3Rotated", 86}, {"EnvChou4", 74},
    {"EnvChou4Rotated", 87}, {"EnvDL", 27}, {"EnvISOB4", 33}, {"EnvISOB5", 34}, {"EnvISOB6", 35},
    {"EnvInvite", 47}, {"EnvItalian", 36}, {"EnvKaku2", 71}, {"EnvKaku2Rotated", 84}, {"EnvKaku3", 72},
    {"EnvKaku3Rotated", 85}, {"EnvMonarch", 37}, {"EnvPRC1", 96}, {"EnvPRC10", 105}, {"EnvPRC10Rotated", 118},
    {"EnvPRC1Rotated", 109}, {"EnvPRC2", 97}, {"EnvPRC2Rotated", 110}, {"EnvPRC3", 98},
    {"EnvPRC3Rotated", 111}, {"EnvPRC4", 99}, {"EnvPRC4Rotated", 112}, {"EnvPRC5", 100},
    {"EnvPRC5Rotated", 113}, {"EnvPRC6", 101}, {"EnvPRC6Rotated", 114}, {"EnvPRC7", 102},
    {"EnvPRC7Rotated", 115}, {"EnvPRC8", 103}, {"EnvPRC8Rotated", 116}, {"EnvPRC9", 104},
    {"EnvPRC9Rotated", 117}, {"EnvPersonal", 38}, {"EnvYou4", 91}, {"EnvYou4Rotated", 92}, {"Executive", 7},
    {"FanFoldGerman", 40}, {"FanFoldGermanLegal", 41}, {"FanFoldUS", 39}, {"Folio", 14}, {"ISOB4", 42},
    {"ISOB5Extra", 65}, {"Ledger", 4}, {"Legal", 5}, {"LegalExtra", 51}, {"Letter", 1},
    {"Letter.Transverse", 54}, {"LetterExtra", 50}, {"LetterExtra.Transverse", 56}, {"LetterPlus", 59},
    {"LetterRotated", 75}, {"LetterSmall", 2}, {"Monarch", 37}, {"Note", 18}, {"PRC16K", 93},
    {"PRC16KRotated", 106}, {"PRC32K", 94}, {"PRC32KBig", 95}, {"PRC32KBigRotated", 108},
    {"PRC32KRotated", 107}, {"Postcard", 43}, {"PostcardRotated", 81}, {"Quarto", 15}, {"Statement", 6},
    {"SuperA", 57}, {"SuperB", 58}, {"Tabloid", 3}, {"TabloidExtra", 52},
};

// The driver reads a PPD through a 257-byte line buffer: a line end must fit into it.
constexpr size_t kLineBuffer = 256;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

struct Page {
  PpdPaper paper;
  bool invocation = false, dimension = false;
};

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  PpdPapers Read() {
    while (pos_ < text_.size()) Entry();
    PpdPapers result;
    result.skippedLines = std::move(skipped_);
    for (Page& page : pages_)
      (page.invocation && page.dimension ? result.offered : result.dropped).push_back(std::move(page.paper));
    return result;
  }

 private:
  // One physical line, without its end ("\n", "\r" or "\r\n"); false when it has no end.
  bool NextLine(std::string_view& line) {
    const size_t start = pos_;
    size_t end = text_.find_first_of("\r\n", start);
    const bool ended = end != std::string_view::npos;
    if (!ended) end = text_.size();
    line = text_.substr(start, end - start);
    pos_ = end;
    if (ended) pos_ += text_.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    ++lineNumber_;
    return ended;
  }

  void Entry() {
    std::string_view line;
    const bool ended = NextLine(line);
    if (line.size() < 2 || line[0] != '*' || line[1] == '%' || line.substr(0, 4) == "*End") return;
    if (!ended || line.size() + 1 > kLineBuffer) {
      skipped_.push_back(lineNumber_);
      return;
    }
    const size_t number = lineNumber_;
    size_t cp = 0;
    while (cp < line.size() && !IsSpace(line[cp]) && line[cp] != ':') ++cp;
    const std::string_view key = line.substr(0, cp);
    while (cp < line.size() && IsSpace(line[cp])) ++cp;
    std::string_view option;
    if (cp >= line.size() || line[cp] != ':') {
      const size_t stop = line.find_first_of(":/", cp);
      if (stop == std::string_view::npos) return;
      option = line.substr(cp, stop - cp);
      cp = line.find(':', stop);
      if (cp == std::string_view::npos) return;
    }
    ++cp;
    while (cp < line.size() && IsSpace(line[cp])) ++cp;
    bool hasValue = true;
    if (cp < line.size() && line[cp] == '"')
      hasValue = SkipQuoted(static_cast<size_t>(line.data() - text_.data()) + cp);
    if (option.empty()) return;
    if (key == "*PageSize") {
      Page& page = PageNamed(option, number);
      if (!page.invocation && hasValue) {
        page.invocation = true;
        page.paper.line = number;
      }
      if (page.paper.id == 0) page.paper.id = Number(option);
    } else if (key == "*PaperDimension") {
      PageNamed(option, number).dimension = true;
    } else if (key == "*ImageableArea") {
      PageNamed(option, number);
    }
  }

  // A quoted value may run over several lines; reading goes on after its closing quote, with
  // the rest of that line. False when the quote never closes.
  bool SkipQuoted(size_t quote) {
    const size_t close = text_.find('"', quote + 1);
    if (close == std::string_view::npos) {
      pos_ = text_.size();
      return false;
    }
    std::string_view rest;
    while (pos_ <= close) NextLine(rest);
    return true;
  }

  Page& PageNamed(std::string_view name, size_t line) {
    const auto [it, added] = index_.emplace(std::string(name), pages_.size());
    if (added) pages_.push_back(Page{PpdPaper{std::string(name), 0, line}});
    return pages_[it->second];
  }

  int32_t Number(std::string_view name) {
    const int32_t id = StandardPaperId(name);
    return id != 0 ? id : nextUserId_++;
  }

  std::string_view text_;
  size_t pos_ = 0;
  size_t lineNumber_ = 0;
  int32_t nextUserId_ = 256;
  std::vector<Page> pages_;
  std::unordered_map<std::string, size_t> index_;
  std::vector<size_t> skipped_;
};

}  // namespace

int32_t StandardPaperId(std::string_view name) {
  const auto* end = std::end(kStandardPapers);
  const auto* it = std::lower_bound(std::begin(kStandardPapers), end, name,
                                    [](const NamedPaper& p, std::string_view n) { return n.compare(p.name) > 0; });
  return it != end && name == it->name ? it->id : 0;
}

PpdPapers ReadPpdPapers(std::string_view text) { return Reader(text).Read(); }

}  // namespace qxge

#include "printer/paper_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace qxge {
namespace {

DriverPaperName Name(const std::u16string& text) {
  DriverPaperName name{};
  std::copy(text.begin(), text.begin() + std::min<size_t>(text.size(), name.size()), name.begin());
  return name;
}

std::vector<int32_t> Ids(const std::vector<PaperEntry>& papers) {
  std::vector<int32_t> ids;
  for (const PaperEntry& p : papers) ids.push_back(p.id);
  return ids;
}

TEST(PaperList, TheDriversPapersComeFirstAndItsOwnEntryWinsForACustomNumber) {
  const std::vector<uint16_t> ids = {1, 9, 258};
  const std::vector<DriverPaperName> names = {Name(u"Letter"), Name(u"A4"), Name(u"Driver's 258")};
  const std::vector<DriverPaperSize> sizes = {{2159, 2794}, {2100, 2970}, {1000, 1000}};
  const std::vector<PaperEntry> custom = {{257, u"Poster", 2000, 2500}, {258, u"Mine", 900, 900}};
  const std::vector<PaperEntry> papers = MergePapers(ids, &names, &sizes, custom);
  EXPECT_EQ(Ids(papers), (std::vector<int32_t>{1, 9, 258, 257}));
  EXPECT_EQ(papers[2].name, u"Driver's 258");
  EXPECT_EQ(papers[3].name, u"Poster");
  EXPECT_EQ(papers[3].width, 2000);
  EXPECT_EQ(papers[1].height, 2970);

  // A printer that reports no papers offers no custom sizes either.
  EXPECT_TRUE(MergePapers({}, &names, &sizes, custom).empty());
}

TEST(PaperList, ShortListsAndUnterminatedNamesStayWithinTheDriversAnswer) {
  const std::u16string full(64, u'x');
  const std::vector<uint16_t> ids = {1, 9, 11};
  const std::vector<DriverPaperName> names = {Name(full), Name(u"A4")};
  const std::vector<PaperEntry> papers = MergePapers(ids, &names, nullptr, {{257, u"Poster"}});
  EXPECT_EQ(Ids(papers), (std::vector<int32_t>{1, 9, 257}));  // paper 11 has no name
  EXPECT_EQ(papers[0].name, full);
  EXPECT_EQ(Ids(MergePapers(ids, nullptr, nullptr, {})), (std::vector<int32_t>{1, 9, 11}));
}

}  // namespace
}  // namespace qxge

// The Extras, Output and Print and Hold rules a user meets as a wrong job setting: options that
// vanish, a retention code the printer misreads, a print time or passcode taken wrongly.
#include <gtest/gtest.h>

#include "config/model_features.h"
#include "pages/extras_rules.h"

namespace {

using qxge::JobRetention;
using qxge::ModelFeatures;

TEST(ExtrasRulesTest, OptionsStayOnThePageOnlyWhenAllOfThemFit) {
  ModelFeatures m;
  m.ExtrasPageOrder = 1;  // the print order list only
  m.ExtrasReprintJam = m.ExtrasQuickPrint = 1;
  EXPECT_EQ(qxge::WantedOptionRows(m), 2);
  EXPECT_TRUE(qxge::OptionsFitOnPage(m, 2));
  m.ExtrasSaveAsForm = 1;  // two rows of its own
  EXPECT_EQ(qxge::WantedOptionRows(m), 4);
  EXPECT_TRUE(qxge::OptionsFitOnPage(m, 2));  // destination and staple lists absent: two rows freed
  m.ExtrasDestination = 1;
  EXPECT_FALSE(qxge::OptionsFitOnPage(m, 2));
  EXPECT_TRUE(qxge::OptionsFitOnPage(m, 7));
  // The banner sheet counts only where the Paper page lacks it.
  m.PaperBannerSheet = 1;
  EXPECT_EQ(qxge::WantedOptionRows(m), 5);
  m.LayoutMore = 1;
  EXPECT_EQ(qxge::WantedOptionRows(m), 4);
  m.ExtrasPrintTime = m.ExtrasPrinterFont = m.PrinterStapler = 1;
  m.LayoutMore = 0;
  EXPECT_EQ(qxge::WantedOptionRows(m), 7);
  EXPECT_TRUE(qxge::OptionsFitOnPage(m, 7));
  EXPECT_FALSE(qxge::OptionsFitOnPage(m, 6));
}

TEST(ExtrasRulesTest, JobRetentionRoundTripsAndClampsWhatTheRecordHolds) {
  for (int16_t value = 0; value <= 9; ++value) {
    const JobRetention r = qxge::DecodeJobRetention(value);
    EXPECT_EQ(qxge::EncodeJobRetention(r), value) << value;
    EXPECT_EQ(r.store, value < 8 && value % 2 == 1) << value;
  }
  EXPECT_EQ(qxge::DecodeJobRetention(7).mode, qxge::kHoldStore);  // Store in Public
  EXPECT_EQ(qxge::DecodeJobRetention(9).mode, qxge::kHoldSpool);
  EXPECT_EQ(qxge::EncodeJobRetention({qxge::kHoldDelay, true}), 8);  // no flag beyond Store
  EXPECT_EQ(qxge::EncodeJobRetention(qxge::DecodeJobRetention(-5)), 0);
  EXPECT_EQ(qxge::EncodeJobRetention(qxge::DecodeJobRetention(300)), 9);
}

TEST(ExtrasRulesTest, PrintTimeReadsAsTheRecordWroteItAndRefusesWhatIsNoDate) {
  const auto time = qxge::ParsePrintTime(u"2004:05:17:13:45");
  ASSERT_TRUE(time);
  EXPECT_EQ(qxge::FormatPrintTime(*time), u"2004:05:17:13:45");
  EXPECT_EQ(qxge::FormatPrintTime({2026, 1, 2, 3, 4}), u"2026:01:02:03:04");
  // Fields left out read as 0, blanks before a number are skipped, seconds are read and dropped.
  EXPECT_EQ(qxge::FormatPrintTime(*qxge::ParsePrintTime(u"2004: 5:17")), u"2004:05:17:00:00");
  EXPECT_EQ(qxge::FormatPrintTime(*qxge::ParsePrintTime(u"2000:02:29:23:59:59xyz")), u"2000:02:29:23:59");
  for (const char16_t* bad : {u"", u"garbage", u"2004", u"2004:02:30:10:00", u"1900:02:29", u"2004:13:01",
                              u"2004:05:17:24:00", u"2004:05:17:13:60", u"2004:05:17:13:45:61", u"99999999999:1:1",
                              u"-2004:05:17", u"1600:12:31", u"2004:05:-1"})
    EXPECT_FALSE(qxge::ParsePrintTime(bad)) << std::string(bad, bad + std::char_traits<char16_t>::length(bad));
}

TEST(ExtrasRulesTest, PasscodesKeepToTheirFieldAndTheModelsLengths) {
  qxge::PasscodeLimits l = qxge::PasscodeLimitsFor(4, 8);
  EXPECT_FALSE(l.secureField);
  EXPECT_TRUE(qxge::PasscodeAccepted(u"1234", u"1234", l));
  EXPECT_FALSE(qxge::PasscodeAccepted(u"123", u"123", l));
  EXPECT_FALSE(qxge::PasscodeAccepted(u"1234", u"1235", l));
  EXPECT_FALSE(qxge::PasscodeAccepted(u"12 34", u"12 34", l));
  EXPECT_FALSE(qxge::PasscodeAccepted(u"123456789", u"123456789", l));
  EXPECT_FALSE(qxge::PasscodeAccepted(u"\uFF11\uFF12\uFF13\uFF14", u"\uFF11\uFF12\uFF13\uFF14", l));  // full width
  EXPECT_TRUE(qxge::PasscodeLimitsFor(1, 9).secureField);
  // Limits the fields cannot hold, or that contradict each other, still leave a usable dialog.
  l = qxge::PasscodeLimitsFor(9, 5);
  EXPECT_EQ(l.min, 5);
  EXPECT_EQ(l.max, 5);
  l = qxge::PasscodeLimitsFor(-3, 0);
  EXPECT_FALSE(l.secureField);
  EXPECT_EQ(l.min, 1);
  EXPECT_EQ(l.max, 8);
  l = qxge::PasscodeLimitsFor(4, 99);
  EXPECT_TRUE(l.secureField);
  EXPECT_EQ(l.max, 20);
  // A stored passcode the dialog could not have written shows nothing.
  l = qxge::PasscodeLimitsFor(4, 8);
  EXPECT_EQ(qxge::StoredPasscode(u"12345678", l), u"12345678");
  EXPECT_EQ(qxge::StoredPasscode(u"123456789", l), u"");
  EXPECT_EQ(qxge::StoredPasscode(u"12a4", l), u"");
}

TEST(ExtrasRulesTest, HeldJobNamesAndCloneSizes) {
  EXPECT_EQ(qxge::HoldName(u"Report7", u"Untitled"), u"Report7");
  for (const char16_t* bad : {u"", u"my job", u"caf\u00E9", u"\uFF21", u"a-b"})
    EXPECT_EQ(qxge::HoldName(bad, u"Unknown"), u"Unknown");
  EXPECT_EQ(qxge::CloneFromType(0), 0);  // Multiple Pages per Side: no clone, never -6
  EXPECT_EQ(qxge::CloneFromType(-1), 0);  // an empty list
  EXPECT_EQ(qxge::CloneFromType(8), 2);
  EXPECT_EQ(qxge::TypeFromClone(2), 8);
  EXPECT_EQ(qxge::TypeFromClone(0), 0);
  EXPECT_EQ(qxge::TypeFromClone(-40), 7);
  EXPECT_EQ(qxge::TypeFromClone(32767), 10);
}

}  // namespace

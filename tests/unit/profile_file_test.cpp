#include "config/profile_file.h"

#include <gtest/gtest.h>

#include <string>

#include "memory_profile_storage.h"

namespace qxge {
namespace {

const std::u16string kPath = u"C:\\Drivers\\QX5000U.INI";

struct Fixture {
  explicit Fixture(std::u16string text = {}, bool exists = true) {
    if (exists) storage.Put(kPath, std::move(text));
    file.SetFile(kPath, false);
    file.SetWriteBack(&writeBack);
  }
  std::u16string Text() const { return storage.Text(kPath); }

  MemoryProfileStorage storage;
  ProfileFile file{storage};
  int32_t writeBack = 1;
};

std::u16string ReadString(ProfileFile& file, std::u16string_view key, size_t capacity, const char16_t* def) {
  char16_t buffer[300];
  const size_t n = file.ReadString(key, buffer, capacity, def);
  EXPECT_EQ(buffer[n], u'\0');
  return std::u16string(buffer, n);
}

TEST(ProfileFile, MissingIntegersAreWrittenBackInProfileForm) {
  Fixture f({}, false);
  EXPECT_EQ(f.file.ReadInt(u"Scale", 100), 100);
  EXPECT_EQ(f.file.ReadInt(u"ImageMode", 0x1000800), 0x1000800);
  EXPECT_EQ(f.file.ReadInt(u"Minus", -1), -1);
  EXPECT_EQ(f.file.ReadInt(u"Nothing", NoDefault), 0);
  EXPECT_EQ(f.Text(), u"[Common]\r\nScale=100\r\nImageMode=0x1000800\r\nMinus=-1\r\n");

  // What was written reads back as the same number and is not written again.
  const int saves = f.storage.saves;
  EXPECT_EQ(f.file.ReadInt(u"imagemode", 7), 0x1000800);
  EXPECT_EQ(f.file.ReadInt(u"Minus", 7), -1);
  EXPECT_EQ(f.storage.saves, saves);

  // An empty list value is missing for every read, but rewriting the same text is skipped.
  EXPECT_EQ(ReadString(f.file, u"List", 10, u""), u"");
  const int afterList = f.storage.saves;
  EXPECT_EQ(ReadString(f.file, u"List", 10, u""), u"");
  EXPECT_EQ(f.storage.saves, afterList);
}

TEST(ProfileFile, PresentIntegersReadWithAutomaticBaseEvenWhenNoNumber) {
  Fixture f(u"[Common]\r\nHex=0x10\r\nTrailing=\" 12abc\"\r\nWord=abc\r\n");
  EXPECT_EQ(f.file.ReadInt(u"Hex", 5), 16);
  EXPECT_EQ(f.file.ReadInt(u"Trailing", 5), 12);
  EXPECT_EQ(f.file.ReadInt(u"Word", 5), 0);
  EXPECT_EQ(f.storage.saves, 0);
}

TEST(ProfileFile, StringDefaultsAreCutToTheCallersBufferButWrittenWhole) {
  Fixture f(u"[Common]\r\nEmpty=\r\nTitle2=  \r\nShort=abc\r\n");
  EXPECT_EQ(ReadString(f.file, u"Title", 5, u"Untitled"), u"Unti");
  EXPECT_EQ(ReadString(f.file, u"Short", 3, u"zzz"), u"ab");
  EXPECT_EQ(ReadString(f.file, u"Absent", 10, nullptr), u"");
  EXPECT_EQ(ReadString(f.file, u"Absent", 1, u"dflt"), u"");

  // A key present with an empty value counts as missing, and its line is reused.
  EXPECT_EQ(f.file.ReadInt(u"Empty", 7), 7);
  EXPECT_EQ(ReadString(f.file, u"Title2", 20, u"Blank"), u"Blank");

  // A text with no default stands for itself, so the translator sees which key is missing.
  EXPECT_EQ(f.file.ReadText(u"IDC_COLLATE"), u"IDC_COLLATE");
  EXPECT_EQ(f.file.ReadText(u"Caption", u"Layout"), u"Layout");
  EXPECT_EQ(f.file.ReadText(u"Short", u"Layout"), u"abc");

  EXPECT_EQ(f.Text(),
            u"[Common]\r\nEmpty=7\r\nTitle2=Blank\r\nShort=abc\r\nTitle=Untitled\r\nAbsent=dflt\r\n"
            u"IDC_COLLATE=IDC_COLLATE\r\nCaption=Layout\r\n");
}

TEST(ProfileFile, WithWriteBackOffNoReadChangesTheFile) {
  const std::u16string original = u"; translator's notes\n[Common]\nKey=\n";
  Fixture f(original);
  f.writeBack = 0;
  EXPECT_EQ(f.file.ReadInt(u"Key", 3), 3);
  EXPECT_EQ(f.file.ReadInt(u"Other", 4), 4);
  EXPECT_EQ(ReadString(f.file, u"Title", 20, u"Untitled"), u"Untitled");
  EXPECT_EQ(f.file.ReadText(u"Caption"), u"Caption");
  EXPECT_FALSE(f.file.WriteString(u"Key", u"1"));
  EXPECT_FALSE(f.file.WriteInt(u"Key", 1));
  EXPECT_EQ(f.storage.saves, 0);
  EXPECT_EQ(f.Text(), original);

  // The switch is followed as it changes (it is loaded after the files are set up).
  f.writeBack = 1;
  EXPECT_TRUE(f.file.WriteInt(u"Key", 9000));
  EXPECT_EQ(f.Text(), u"; translator's notes\r\n[Common]\r\nKey=0x2328\r\n");

  Fixture unset(original);
  unset.file.SetWriteBack(nullptr);
  EXPECT_EQ(unset.file.ReadInt(u"Other", 4), 4);
  EXPECT_EQ(unset.Text(), original);
}

TEST(ProfileFile, SectionsAreChosenPerCallAndEmptyMeansCommon) {
  Fixture f(u"[common]\r\nKey=c\r\n[Layout Dialog]\r\nKey=l\r\n");
  f.file.SetSection(u"Layout Dialog");
  EXPECT_EQ(f.file.ReadText(u"Key"), u"l");
  f.file.SetSection({});
  EXPECT_EQ(f.file.Section(), u"");
  EXPECT_EQ(f.file.ReadText(u"Key"), u"c");
  f.file.SetSection(u"Layout Dialog");
  f.file.SetSection(u"");
  EXPECT_EQ(f.file.ReadText(u"Key"), u"c");

  f.file.SetSection(u"Paper Dialog");
  EXPECT_EQ(f.file.ReadInt(u"Key", 2), 2);
  EXPECT_EQ(f.Text(), u"[common]\r\nKey=c\r\n[Layout Dialog]\r\nKey=l\r\n\r\n[Paper Dialog]\r\nKey=2\r\n");

  // Section names are cut to what the platform's buffer holds.
  f.file.SetSection(std::u16string(400, u'S'));
  EXPECT_EQ(f.file.Section().size(), ProfileFile::kSectionChars - 1);
}

TEST(ProfileFile, ARefusedSaveLeavesReadsAsTheFileSays) {
  Fixture f(u"[Common]\r\nKept=1\r\n");
  f.storage.SetReadOnly(kPath);
  f.file.SetFile(kPath, false);  // the model file: left read-only
  EXPECT_EQ(f.file.ReadInt(u"New", 5), 5);
  EXPECT_FALSE(f.file.WriteString(u"Kept", u"2"));
  EXPECT_EQ(f.storage.refusedSaves, 2);
  EXPECT_EQ(f.file.ReadInt(u"Kept", NoDefault), 1);
  EXPECT_EQ(f.file.ReadInt(u"New", NoDefault), 0);
  EXPECT_EQ(ReadString(f.file, u"New", 10, nullptr), u"");
  EXPECT_EQ(f.Text(), u"[Common]\r\nKept=1\r\n");

  f.file.SetFile(kPath, true);  // the text file: made writable at start-up
  EXPECT_EQ(f.file.ReadInt(u"New", 5), 5);
  EXPECT_EQ(f.Text(), u"[Common]\r\nKept=1\r\nNew=5\r\n");
}

TEST(ProfileFile, FollowsTheFileOnDiskAndKeepsItsEncoding) {
  Fixture f(u"[Common]\r\nValue=1\r\n", true);
  f.storage.Put(kPath, u"[Common]\r\nValue=1\r\n", 2);
  f.file.SetSection(u"");
  EXPECT_EQ(f.file.ReadInt(u"Value", 0), 1);

  // A translator's editor saves the file while the module runs.
  f.storage.Put(kPath, u"[Common]\r\nValue=2\r\nOther=x\r\n", 2);
  f.file.SetSection(u"");
  EXPECT_EQ(f.file.ReadInt(u"Value", 0), 2);

  // Write-back edits the file as it now is, in its own encoding.
  f.storage.Put(kPath, u"[Common]\r\nValue=3\r\nOther=y\r\n", 2);
  EXPECT_TRUE(f.file.WriteString(u"Added", u"z"));
  EXPECT_EQ(f.storage.lastSaveEncoding, 2);
  EXPECT_EQ(f.Text(), u"[Common]\r\nValue=3\r\nOther=y\r\nAdded=z\r\n");

  // A file the module creates is saved as new first, then edited in the form it was given.
  Fixture fresh({}, false);
  EXPECT_EQ(fresh.file.ReadInt(u"A", 1), 1);
  EXPECT_EQ(fresh.storage.lastSaveEncoding, -1);
  EXPECT_EQ(fresh.file.ReadInt(u"B", 2), 2);
  EXPECT_EQ(fresh.storage.lastSaveEncoding, 1);
  EXPECT_EQ(fresh.Text(), u"[Common]\r\nA=1\r\nB=2\r\n");

  Fixture nowhere({}, false);
  nowhere.file.SetFile(u"", false);
  EXPECT_EQ(nowhere.file.ReadInt(u"A", 1), 1);
  EXPECT_EQ(nowhere.storage.saves, 0);
}

}  // namespace
}  // namespace qxge

// The package checker as a driver engineer meets it: a package with one fault gives one finding
// line naming the file, the line, the severity and the key, and the exit status says whether
// the package may ship.
#include "qxcheck/package_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace qxge::check {
namespace {

namespace fs = std::filesystem;

const std::map<std::string, std::string> kClean = {
    {"QXTU.INI",
     "[Common]\r\n"               // 1
     "LayoutBooklet=1\r\n"        // 2
     "DoubleSidedPapers=1;9\r\n"  // 3
     "RotatePapers=20\r\n"        // 4
     "TestPages=1;2\r\n"          // 5
     "[Custom Paper Dialog]\r\n"  // 6
     "MinPaperW=900\r\n"          // 7
     "MaxPaperW=2159\r\n"},       // 8
    {"QXTEN.DAT", "[Common]\r\nCPSUI_Scale_Y=100\r\n[About Dialog]\r\nM_Info1=$DRIVERNAME\r\n"},
    {"QX.VER", "[Version]\r\nDriverName=QX Test\r\n"},
    {"QX.ppd",
     "*PPD-Adobe: \"4.3\"\n"
     "*PageSize Letter/Letter: \"<</PageSize[612 792]>>setpagedevice\"\n"
     "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
     "*PageSize Env10/Envelope #10: \"<</PageSize[297 684]>>setpagedevice\"\n"
     "*PaperDimension Letter/Letter: \"612 792\"\n"
     "*PaperDimension A4/A4: \"595 842\"\n"
     "*PaperDimension Env10/Envelope #10: \"297 684\"\n"},
};

struct Edit {
  std::string file;
  std::string find;  // empty: replace is the whole new file
  std::string replace;
};

struct Fault {
  const char* what;
  std::vector<Edit> edits;
  std::string finding;  // the whole output, folder left out
  int status;
};

class Package {
 public:
  explicit Package(const std::vector<Edit>& edits) : dir_(fs::path(testing::TempDir()) / "qxcheck_package") {
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    std::map<std::string, std::string> files = kClean;
    for (const Edit& e : edits) {
      std::string& text = files[e.file];
      if (e.find.empty()) {
        text = e.replace;
        continue;
      }
      const size_t at = text.find(e.find);
      EXPECT_NE(at, std::string::npos) << e.find;
      if (at != std::string::npos) text.replace(at, e.find.size(), e.replace);
    }
    for (const auto& [name, text] : files) std::ofstream(dir_ / name, std::ios::binary) << text;
  }
  ~Package() { fs::remove_all(dir_); }

  std::string Check(int& status) const {
    std::ostringstream out;
    status = CheckPackage(dir_, out);
    std::string text = out.str();
    const std::string prefix = (dir_ / "").string();
    for (size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix, at))
      text.erase(at, prefix.size());
    return text;
  }

 private:
  fs::path dir_;
};

TEST(PackageCheck, EachFaultGivesItsFindingLine) {
  const size_t hugeModel = kClean.at("QXTU.INI").size() + 2 + (9 << 20);
  const Fault faults[] = {
      {"a clean package", {}, "", 0},
      {"a mistyped key",
       {{"QXTU.INI", "LayoutBooklet=1", "LayoutBookelt=1"}},
       "QXTU.INI:2: error: LayoutBookelt: unknown key; did you mean LayoutBooklet?\n",
       1},
      {"a key nothing reads",
       {{"QXTU.INI", "TestPages=1;2\r\n", "TestPages=1;2\r\nColourProfile=sRGB\r\n"}},
       "QXTU.INI:6: warning: ColourProfile: unknown key; the module does not read it\n",
       0},
      {"a key in the wrong section",
       {{"QXTU.INI", "TestPages=1;2\r\n", "TestPages=1;2\r\nMinPaperW=900\r\n"}},
       "QXTU.INI:6: error: MinPaperW: the module reads this key in [Custom Paper Dialog], not in [Common]\n",
       1},
      {"a mistyped section",
       {{"QXTU.INI", "[Custom Paper Dialog]", "[Custom Paper Dailog]"}},
       "QXTU.INI:6: error: [Custom Paper Dailog]: unknown section; did you mean [Custom Paper Dialog]? None of its "
       "keys is read\n",
       1},
      {"a switch that is no number",
       {{"QXTU.INI", "LayoutBooklet=1", "LayoutBooklet=yes"}},
       "QXTU.INI:2: error: LayoutBooklet=yes: not a number; the module reads it as 0 (off); write 0 or 1\n",
       1},
      {"a negative switch",
       {{"QXTU.INI", "LayoutBooklet=1", "LayoutBooklet=-1"}},
       "QXTU.INI:2: error: LayoutBooklet=-1: a switch is 0 or 1; the module reads -1 as 1 (on)\n",
       1},
      {"a limit with a unit",
       {{"QXTU.INI", "MaxPaperW=2159", "MaxPaperW=2159mm"}},
       "QXTU.INI:8: error: MaxPaperW=2159mm: not a whole number; the module reads 2159\n",
       1},
      {"a list entry that is no number",
       {{"QXTU.INI", "TestPages=1;2", "TestPages=1;two"}},
       "QXTU.INI:5: error: TestPages: \"two\" is not a decimal number; the module reads it as 0\n",
       1},
      {"booklets without any double-sided paper",
       {{"QXTU.INI", "DoubleSidedPapers=1;9\r\n", ""}},
       "QXTU.INI:2: error: LayoutBooklet=1, but no paper can be printed on both sides (DoubleSidedPapers names "
       "none), so the Layout page never offers Booklet Printing\n",
       1},
      {"a double-sided paper the printer lacks",
       {{"QXTU.INI", "DoubleSidedPapers=1;9", "DoubleSidedPapers=1;9;11"}},
       "QXTU.INI:3: error: DoubleSidedPapers: paper 11 is not among the papers of QX.ppd (1 Letter, 9 A4, 20 "
       "Env10)\n",
       1},
      {"twin lists of different lengths",
       {{"QXTU.INI", "TestPages=1;2\r\n", "TestPages=1;2\r\nBorderPapers=1;9\r\nBorderlessPapers=1\r\n"}},
       "QXTU.INI:6: error: BorderPapers has 2 entries, BorderlessPapers 1: the two lists pair up by position, so "
       "paper 9 has no counterpart\n",
       1},
      {"custom paper limits the wrong way round",
       {{"QXTU.INI", "MinPaperW=900", "MinPaperW=2500"}},
       "QXTU.INI:7: error: MinPaperW (2500) is above MaxPaperW (2159, line 8): no value lies between them\n",
       1},
      {"a key given twice",
       {{"QXTU.INI", "RotatePapers=20\r\n", "RotatePapers=20\r\nLayoutBooklet=0\r\n"}},
       "QXTU.INI:5: error: LayoutBooklet: duplicate key; the value at line 2 (1) is read, this one (0) is ignored\n",
       1},
      {"a section given twice",
       {{"QXTU.INI", "MaxPaperW=2159\r\n", "MaxPaperW=2159\r\n[Common]\r\nLayoutRotate=1\r\n"}},
       "QXTU.INI:9: error: [Common]: duplicate section; only the one at line 1 is read, the keys below are "
       "ignored\n",
       1},
      {"a switch another key turns off",
       {{"QXTU.INI", "RotatePapers=20\r\n", "RotatePapers=20\r\nPrinterOptTray=1\r\nPrinterTrayCheck=1\r\n"}},
       "QXTU.INI:5: warning: PrinterOptTray=1 has no effect: the module turns it off while PrinterTrayCheck is on "
       "(line 6)\n",
       0},
      {"write-back left on",
       {{"QXTU.INI", "[Common]\r\n", "[Common]\r\nShowDevmodeChanges=1\r\n"}},
       "QXTU.INI:2: warning: ShowDevmodeChanges=1: the module writes every missing key into the package's files "
       "and reports every change on apply; set 0 before shipping\n",
       0},
      {"a binary text file",
       {{"QXTEN.DAT", "", std::string("[Common]\r\nCPSUI_Scale_Y=1") + '\0' + "\177ELF"}},
       "QXTEN.DAT:2: error: binary data (character 0): not a text file\n",
       1},
      {"a text file in UTF-8 without its mark",
       {{"QXTEN.DAT", "[About Dialog]\r\n", "[About Dialog]\r\nCaption=\303\234ber\r\n"}},
       "QXTEN.DAT:4: warning: UTF-8 text without a byte-order mark: Windows reads it in the ANSI code page, so "
       "letters beyond ASCII come out garbled; save it as UTF-8 with a byte-order mark or as UTF-16\n",
       0},
      {"a text value of the wrong kind",
       {{"QXTEN.DAT", "CPSUI_Scale_Y=100", "CPSUI_Scale_Y=110%"}},
       "QXTEN.DAT:2: error: CPSUI_Scale_Y=110%: not a whole number; the module reads 110\n",
       1},
      {"a mistyped macro",
       {{"QXTEN.DAT", "$DRIVERNAME", "$DRIVERNMAE"}},
       "QXTEN.DAT:4: error: $DRIVERNMAE: unknown macro; did you mean $DRIVERNAME?\n",
       1},
      {"a macro without its value",
       {{"QXTEN.DAT", "$DRIVERNAME", "$URL_E4"}},
       "QXTEN.DAT:4: warning: $URL_E4: QX.VER has no Ref_URL_E4, so the macro comes out empty\n",
       0},
      {"a mistyped version key",
       {{"QX.VER", "DriverName=QX Test\r\n", "DriverName=QX Test\r\nModelCaptoin=QX Test\r\n"}},
       "QX.VER:3: error: ModelCaptoin: unknown key; did you mean ModelCaption?\n",
       1},
      {"a printer paper the printing system drops",
       {{"QX.ppd", "*PaperDimension Env10/Envelope #10: \"297 684\"\n", ""}},
       "QX.ppd:4: warning: page size Env10 lacks a *PageSize or a *PaperDimension; the printing system drops it\n"
       "QXTU.INI:4: error: RotatePapers: paper 20 is not among the papers of QX.ppd (1 Letter, 9 A4)\n",
       1},
      {"a model file of several megabytes with one endless line",
       {{"QXTU.INI", "MaxPaperW=2159\r\n", "MaxPaperW=2159\r\n; " + std::string(9 << 20, 'x')}},
       "QXTU.INI: error: " + std::to_string(hugeModel) + " bytes: only the first 8 MB are read, the rest is lost\n",
       1},
  };
  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.what);
    int status = -1;
    EXPECT_EQ(Package(fault.edits).Check(status), fault.finding);
    EXPECT_EQ(status, fault.status);
  }
}

TEST(PackageCheck, AMissingFolderIsAnError) {
  const fs::path missing = fs::path(testing::TempDir()) / "qxcheck_no_such_package";
  std::ostringstream out;
  EXPECT_EQ(CheckPackage(missing, out), 1);
  EXPECT_EQ(out.str(), missing.string() + ": error: no such folder\n");
}

}  // namespace
}  // namespace qxge::check

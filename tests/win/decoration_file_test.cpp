// The watermark and decoration files an apply leaves for the printer driver, rendered through
// the printer's PostScript driver into the user's temporary folder; and a photo page's frame
// and message as they are drawn into a page.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "preview/decoration.h"
#include "preview/decoration_file.h"
#include "resources/resource.h"
#include "sheet_harness.h"

namespace {

// The rest of the first line of file that starts with key.
std::string Comment(const std::string& file, const std::string& key) {
  const size_t at = file.find("\n" + key);
  if (at == std::string::npos) return {};
  const size_t from = at + 1 + key.size();
  return file.substr(from, file.find('\n', from) - from);
}

class DecorationFilesTest : public qxtest::SheetHarness {
 protected:
  void SetUp() override {
    const std::vector<std::wstring> jobs = qxtest::FilesIn(qxtest::JobsDir(), L"job-*.prn");
    jobsBefore_.insert(jobs.begin(), jobs.end());
  }
  // The bytes of each file that appeared in the temporary folder since the last look.
  std::vector<std::string> NewFiles() {
    std::vector<std::string> files;
    for (const std::wstring& name : qxtest::FilesIn(temp_.Path()))
      if (seen_.insert(name).second) files.push_back(qxtest::ReadTextFile(temp_.Path() + L"\\" + name));
    return files;
  }
  // What of the page the driver was asked for: title, orientation and paper, with counts.
  static std::map<std::string, int> Kinds(const std::vector<std::string>& files) {
    std::map<std::string, int> kinds;
    for (const std::string& file : files) {
      const size_t page = file.find("\n%%Page: ");
      EXPECT_EQ(file.compare(0, 4, "%!PS"), 0);
      EXPECT_TRUE(page != std::string::npos && page == file.rfind("\n%%Page: "));
      ++kinds[Comment(file, "%%Title: ") + " / " + Comment(file, "%%Orientation: ") + " / " +
              Comment(file, "%%BeginFeature: *PageSize ")];
    }
    return kinds;
  }

  const qxtest::TemporaryFolder temp_{L"QXDF-temp"};
  std::set<std::wstring> seen_, jobsBefore_;
};

TEST_F(DecorationFilesTest, EachAppliedChangeRendersTheFilesOnceAndOnlyIntoTheTemporaryFolder) {
  Stage(L"QXDF", "[Common]\r\nCheckWaterMarkFile=1\r\nCheckDecoFile=1\r\n", "[Common]\r\n", true);
  qxge::PrivateDevMode& p = Live().dmPrivate;
  p.cWaterText.Write(u"DRAFT");
  p.iWaterSize = 72;
  p.WaterColor = RGB(200, 0, 0);
  p.lfWeight = FW_BOLD;
  p.FrameStyle = 4;
  p.StrDate.Write(u"2026-12-06");
  p.iRotate = 180;
  Live().dmPublic.dmPaperSize = DMPAPER_A3;
  Open({19});
  SetWindowTextW(Control(IDC_DECO_DATE), L"Summer");
  Apply();

  // The watermark on the record's paper, the decoration on both papers of the photo pair (A3
  // and A4, whose codes differ in bit 0), each upright and turned. The printer has no A3: its
  // driver takes its default, Letter.
  const std::vector<std::string> first = NewFiles();
  EXPECT_EQ(Kinds(first), (std::map<std::string, int>{{"Deco File / Landscape / A4", 1},
                                                      {"Deco File / Landscape / Letter", 1},
                                                      {"Deco File / Portrait / A4", 1},
                                                      {"Deco File / Portrait / Letter", 1},
                                                      {"WaterMark File / Landscape / Letter", 1},
                                                      {"WaterMark File / Portrait / Letter", 1}}));
  EXPECT_EQ(p.iWaterMarkStatus, 2);
  EXPECT_EQ(p.iDecoStatus, 2);
  // Rendering leaves the host's record as the apply made it: upright, turned by 180, its paper.
  qxge::DriverDevMode expected = *static_cast<qxge::SettingsPage*>(sheet_->Table().slots[19])->WorkingRecord();
  expected.dmPrivate.iWaterMarkStatus = 2;
  expected.dmPrivate.iDecoStatus = 2;
  EXPECT_EQ(std::memcmp(&expected, &Live(), sizeof expected), 0);

  // An apply that changes nothing renders nothing; a new message renders all six again, and
  // the two watermark files come out byte for byte as before.
  Apply();
  EXPECT_TRUE(NewFiles().empty());
  SetWindowTextW(Control(IDC_DECO_DATE), L"Winter");
  Apply();
  const std::vector<std::string> second = NewFiles();
  ASSERT_EQ(second.size(), 6u);
  for (const std::string& file : second) {
    bool unchanged = false;
    for (const std::string& before : first) unchanged = unchanged || file == before;
    EXPECT_EQ(unchanged, Comment(file, "%%Title: ") == "WaterMark File");
  }

  // OK after the apply, and a cancelled sheet with a change, render nothing.
  PropSheet_PressButton(window_, PSBTN_OK);
  while (sheet_->Pump()) Sleep(1);
  Open({19});
  SetWindowTextW(Control(IDC_DECO_DATE), L"Autumn");
  Close();
  EXPECT_TRUE(NewFiles().empty());

  // A printer the spooler does not know renders nothing and leaves no empty file behind.
  qxge::DriverDevMode unknown = Live();
  unknown.dmPublic.dmDeviceName.Write(u"No Such Printer");
  qxge::RenderDecorationFile(unknown, DMORIENT_PORTRAIT, DMPAPER_A4);
  EXPECT_TRUE(NewFiles().empty());

  // None of it went to the printer.
  for (const std::wstring& job : qxtest::FilesIn(qxtest::JobsDir(), L"job-*.prn")) {
    if (jobsBefore_.count(job) != 0) continue;
    const std::string bytes = qxtest::ReadTextFile(qxtest::JobsDir() + L"\\" + job);
    EXPECT_EQ(bytes.find("%%Title: Deco File"), std::string::npos) << job;
    EXPECT_EQ(bytes.find("%%Title: WaterMark File"), std::string::npos) << job;
  }
}

// A framed photo page drawn in greys: the frame's picture on all four edges, the middle left
// to the photo, no colour anywhere, and the message boxed inside the frame near its foot.
TEST(Decoration, FrameAndMessageKeepToTheirPlaces) {
  const HMODULE library =
      LoadLibraryExW((qxtest::BinaryDir() + L"\\bin\\QXGEU2.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(library, nullptr);
  qxge::FramePicture frame;
  frame.bitmap = platform::LoadPictureResource(library, 4300 + qxge::FramePictureIndex(4, false, false));
  frame.corner = 30;
  FreeLibrary(library);
  ASSERT_TRUE(frame.bitmap);

  constexpr int kW = 300, kH = 400;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kW, -kH, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP page = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(dc, page);
  std::memset(bits, 0xFF, kW * kH * 4);

  qxge::DriverDevMode record{};
  qxge::PrivateDevMode& p = record.dmPrivate;
  p.FrameStyle = 4;
  p.StrDate.Write(u"2026-12-06");
  p.StrDecoNote.Write(u"Holiday");
  p.DecoStrFaceName.Write(u"Arial");
  p.lfDecoWeight = FW_NORMAL;
  p.DecoFontColor = RGB(255, 0, 0);
  p.iDecoNoteBorder = 1;
  {
    qxge::PreviewPainter painter(dc, false);
    qxge::DrawDecoration(record, 96, painter, {0, 0, kW, kH}, nullptr, frame);
  }
  GdiFlush();
  const auto at = [&](int x, int y) { return static_cast<const uint32_t*>(bits)[y * kW + x] & 0xFFFFFF; };
  for (const POINT edge : {POINT{kW / 2, 2}, POINT{kW / 2, kH - 3}, POINT{2, kH / 2}, POINT{kW - 3, kH / 2}})
    EXPECT_NE(at(edge.x, edge.y), 0xFFFFFFu) << edge.x << "," << edge.y;
  EXPECT_EQ(at(kW / 2, kH / 3), 0xFFFFFFu);
  // The corners are drawn at 30 x (400 / 320 + 300 / 240) / 2 = 38 pixels; the box's black
  // outline lies within, in the lower half.
  RECT box{kW, kH, -1, -1};
  int coloured = 0;
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      const uint32_t c = at(x, y);
      coloured += (c & 0xFF) != ((c >> 8) & 0xFF) || (c & 0xFF) != (c >> 16);
      if (c != 0) continue;
      box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
             std::max<LONG>(box.bottom, y + 1)};
    }
  }
  EXPECT_EQ(coloured, 0);
  EXPECT_GT(box.right - box.left, 20);
  EXPECT_GE(box.left, 38);
  EXPECT_LE(box.right, kW - 38);
  EXPECT_GT(box.top, kH / 2);
  EXPECT_LE(box.bottom, kH - 38);

  SelectObject(dc, old);
  DeleteObject(page);
  DeleteDC(dc);
}

}  // namespace

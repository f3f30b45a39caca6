// The About page and the About box on a real sheet: the model's information lines as the text
// file and the module's version block give them, and the links a model names.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "resources/version.h"
#include "sheet_harness.h"
#include "snapshot.h"

namespace {

// The pictures an About page may look for beside the module, each in a colour of its own.
struct Picture {
  const wchar_t* suffix;
  COLORREF colour;
};
constexpr Picture kPictures[] = {
    {L"Y.bmp", RGB(200, 30, 30)},  {L"X.bmp", RGB(30, 160, 60)},  {L"Z.bmp", RGB(240, 200, 0)},
    {L"E.bmp", RGB(120, 40, 160)}, {L"D.bmp", RGB(0, 150, 150)},  {L"B.bmp", RGB(150, 90, 20)},
    {L"A.bmp", RGB(20, 60, 120)},  {L".bmp", RGB(90, 90, 30)},
};
COLORREF ColourOf(const std::wstring& suffix) {
  for (const Picture& p : kPictures)
    if (suffix == p.suffix) return p.colour;
  return CLR_INVALID;
}

// A 24-bit picture file of colour, but for its top-left pixel: the key colour drawing leaves out.
void WritePicture(const std::wstring& path, SIZE size, COLORREF colour) {
  const int stride = (size.cx * 3 + 3) & ~3;
  const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(54 + stride * size.cy), 0, 0, 54};
  const BITMAPINFOHEADER info{sizeof info, size.cx, size.cy, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  for (int row = size.cy - 1; row >= 0; --row) {  // bottom-up
    std::string line;
    for (int x = 0; x < size.cx; ++x) {
      const COLORREF c = x == 0 && row == 0 ? RGB(255, 0, 255) : colour;
      line += {static_cast<char>(GetBValue(c)), static_cast<char>(GetGValue(c)), static_cast<char>(GetRValue(c))};
    }
    line.resize(stride, '\0');
    bytes += line;
  }
  qxtest::WriteTextFile(path, bytes);
}

class AboutPageTest : public qxtest::SheetHarness {
 protected:
  void OpenWith(const std::string& aboutTexts, int32_t page, const std::vector<std::wstring>& pictures = {},
                SIZE size = {200, 150}) {
    Stage(L"QXAB", "[Common]\r\n", "[About Dialog]\r\n" + aboutTexts);
    CopyFileW((qxtest::SourceDir() + L"\\samples\\office\\QX_Office.VER").c_str(),
              (dir_ + L"\\QX_Office.VER").c_str(), FALSE);
    for (const std::wstring& suffix : pictures) {
      const bool logo = suffix == L"Z.bmp";
      WritePicture(dir_ + L"\\QXABU" + suffix, logo ? SIZE{40, 20} : size, ColourOf(suffix));
    }
    Open({page});
  }
  // A mouse move over the page as the system posts it, the cursor there too (letting go of the
  // mouse makes the system report where the cursor really is); true when the page then holds it.
  bool MoveTo(POINT p) {
    POINT screen = p;
    ClientToScreen(PageDialog(), &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageW(PageDialog(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    sheet_->Pump();
    return GetCapture() == PageDialog();
  }
};

POINT Middle(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

TEST_F(AboutPageTest, TenInformationLinesAndOnlyTheLinksAModelNames) {
  OpenWith("M_Info1=$DRIVERNAME & co\r\nM_Info2=$VERSION\r\nM_Info4=$COPYRIGHT, $COPYRIGHTYEAR\r\n"
           "M_Info10=$COMMENT\r\nRef_URL_1=https://qx.example/support\r\nRef_URL_3=$URL_E3\r\n",
           5);
  // A missing third line stays an empty line; "$COPYRIGHTYEAR" is not taken for "$COPYRIGHT".
  EXPECT_EQ(qxtest::TextIn(PageDialog(), IDC_MODEL_INFO),
            L"QX Office 5000 PS & co\n" + Widen(QXGE_VERSION_TEXT) +
                L"\n\nCopyright (C) 2026 QX, 2026\n\n\n\n\n\nPrinting preferences and printer properties\n");
  // "&" is shown, not taken for an access key.
  EXPECT_NE(GetWindowLongW(Control(IDC_MODEL_INFO), GWL_STYLE) & SS_NOPREFIX, 0);
  EXPECT_TRUE(Shown(IDC_LINK_FIRST));
  EXPECT_FALSE(Shown(IDC_LINK_FIRST + 1));
  EXPECT_TRUE(Shown(IDC_LINK_FIRST + 2));
}

TEST_F(AboutPageTest, TheAboutBoxLeavesTheRecordAndApplyAlone) {
  OpenWith("M_Info1=$Model\r\n", 12);
  ASSERT_TRUE(Shown(IDC_ABOUT_BOX));
  const qxge::DriverDevMode& working = *static_cast<qxge::SettingsPage*>(sheet_->Table().slots[12])->WorkingRecord();
  const qxge::DriverDevMode before = working;
  std::wstring shown;
  bool cancel = true;
  qxtest::ModalDriver driver(IDC_MODEL_INFO,
                             [&](HWND box) {
                               shown = qxtest::TextIn(box, IDC_MODEL_INFO);
                               cancel = GetDlgItem(box, IDCANCEL) != nullptr;
                             },
                             IDOK);
  Click(IDC_ABOUT_BOX);
  EXPECT_TRUE(driver.opened());
  EXPECT_EQ(shown, L"QX Office 5000\n\n\n\n\n\n\n\n\n\n");
  EXPECT_FALSE(cancel) << "an About box takes nothing back";
  EXPECT_EQ(std::memcmp(&before, &working, sizeof before), 0);
  EXPECT_FALSE(ApplyEnabled());
}

TEST_F(AboutPageTest, EachLayoutDrawsItsOwnPictureAndNoneThatIsMissing) {
  const std::vector<std::wstring> all = {L"Y.bmp", L"X.bmp", L"Z.bmp", L"E.bmp", L"D.bmp", L"B.bmp", L"A.bmp", L".bmp"};
  const struct {
    int32_t page;
    std::vector<std::wstring> present;
    const wchar_t* banner;  // the picture drawn as the banner (the high-colour one on this screen); none
    POINT at;               // where, when the layout fixes it
  } cases[] = {
      {13, {L"Y.bmp", L"X.bmp"}, L"X.bmp", {-1, -1}},
      {5, {L"Y.bmp", L"X.bmp", L"Z.bmp"}, L"X.bmp", {-1, -1}},
      {14, {L"E.bmp", L"D.bmp"}, L"D.bmp", {-1, -1}},
      {15, {L"B.bmp", L"A.bmp"}, L"A.bmp", {-1, -1}},
      {11, {L".bmp"}, L".bmp", {30, 100}},
      {10, all, nullptr, {-1, -1}},
      {13, {L"Z.bmp", L"E.bmp", L"D.bmp", L"B.bmp", L"A.bmp", L".bmp"}, nullptr, {-1, -1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.page);
    OpenWith("", c.page, c.present);
    const qxtest::Snapshot shot(PageDialog());
    const RECT page{0, 0, shot.Width(), shot.Height()};
    for (const std::wstring& suffix : c.present) {
      const COLORREF colour = ColourOf(suffix);
      if (c.banner == nullptr || suffix != c.banner) {
        // The logo is laid on its banner; nothing else the layout does not name shows.
        const int expected = c.page == 5 && suffix == L"Z.bmp" ? 40 * 20 - 1 : 0;
        EXPECT_EQ(shot.Count(colour, page), expected) << suffix;
        continue;
      }
      const RECT banner = shot.Bounds(colour, page);
      EXPECT_EQ(banner.right - banner.left, 200);
      EXPECT_EQ(banner.bottom - banner.top, 150);
      EXPECT_EQ(shot.At(Middle(banner).x, Middle(banner).y), colour);
      if (c.at.x >= 0) EXPECT_TRUE(banner.left == c.at.x && banner.top == c.at.y) << banner.left << "," << banner.top;
      // Without a target of its own the banner is no link.
      EXPECT_FALSE(MoveTo(Middle(banner)));
    }
    Close();
    module_.Unload();
  }
}

TEST_F(AboutPageTest, TheBannerIsALinkWhereNothingCoversIt) {
  ASSERT_FALSE(qxtest::JobsDir().empty()) << "QXGE_JOBS_DIR is not set; run scripts/test-printer.sh";
  OpenWith("Ref_URL_0=print://QXABTP.PRN\r\nRef_URL_1=https://one.example/\r\n", 15, {L"B.bmp", L"A.bmp"},
           {400, 150});
  const std::string job = "\x1b%-12345X@PJL\r\n%!PS qxge about banner\r\n\x1b%-12345X";
  qxtest::WriteTextFile(dir_ + L"\\QXABTP.PRN", job);
  const RECT banner = qxtest::Snapshot(PageDialog()).Bounds(ColourOf(L"A.bmp"), RECT{0, 0, 2000, 2000});
  const POINT bare{banner.left + (banner.right - banner.left) * 4 / 5, Middle(banner).y};
  const POINT link = Middle(Bounds(IDC_LINK_FIRST));
  ASSERT_TRUE(PtInRect(&banner, link)) << "the layout lays its first link on the banner";

  EXPECT_TRUE(MoveTo(bare));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
  EXPECT_FALSE(MoveTo({banner.right + 2, banner.top + 2})) << "off the banner";
  EXPECT_TRUE(MoveTo(bare));
  EXPECT_FALSE(MoveTo(link)) << "over a link of its own the page lets go";

  EXPECT_TRUE(MoveTo(bare));
  const qxtest::JobWatch watch;
  PostMessageW(PageDialog(), WM_LBUTTONUP, 0, MAKELPARAM(bare.x, bare.y));
  sheet_->Pump();
  EXPECT_EQ(watch.Named("Test Page", 1), 1);
  const std::vector<std::string> jobs = watch.Files(job);
  EXPECT_NE(std::find(jobs.begin(), jobs.end(), job), jobs.end());
}

}  // namespace

// The page preview as a user sees it: a miniature sheet on the right of a page that follows
// the record, drawn into a bitmap of its own and read back pixel by pixel.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <memory>
#include <string>
#include <vector>

#include "host/settings_page.h"
#include "host_sheet.h"
#include "module_package.h"
#include "record/driver_dev_mode.h"
#include "resources/resource.h"
#include "test_support.h"

namespace {

// A picture of the preview control as drawn right now.
class Snapshot {
 public:
  explicit Snapshot(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    width_ = r.right;
    height_ = r.bottom;
    pixels_.resize(static_cast<size_t>(width_) * height_);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    const auto* source = static_cast<const uint32_t*>(bits);
    pixels_.assign(source, source + pixels_.size());
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
  }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // As a COLORREF.
  COLORREF At(int x, int y) const {
    const uint32_t p = pixels_[static_cast<size_t>(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // The smallest rectangle holding every pixel of colour above the caption lines.
  RECT Bounds(COLORREF colour, int bottom) const {
    RECT r{width_, height_, -1, -1};
    for (int y = 0; y < bottom; ++y)
      for (int x = 0; x < width_; ++x)
        if (At(x, y) == colour) {
          r.left = std::min<LONG>(r.left, x), r.top = std::min<LONG>(r.top, y);
          r.right = std::max<LONG>(r.right, x + 1), r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
    return r;
  }
  // How many separate runs of colour a line crosses, across (row y) or down (column x).
  int RunsAcross(int y, COLORREF colour) const {
    int runs = 0;
    for (int x = 0; x < width_; ++x) runs += At(x, y) == colour && (x == 0 || At(x - 1, y) != colour);
    return runs;
  }
  int RunsDown(int x, COLORREF colour, int bottom) const {
    int runs = 0;
    for (int y = 0; y < bottom; ++y) runs += At(x, y) == colour && (y == 0 || At(x, y - 1) != colour);
    return runs;
  }

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
};

class PreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = L"QXPV";
    qxtest::ForgetUser(base_);
    dir_ = qxtest::FreshFolder(base_);
    const std::wstring dll = qxtest::StageModule(dir_, base_ + L"U.DLL");
    qxtest::WriteTextFile(dir_ + L"\\" + base_ + L"U.INI", "[Common]\r\nUnitsOnPreview=1\r\n");
    qxtest::WriteTextFile(dir_ + L"\\" + base_ + L"EN.DAT", "[Preview]\r\nCopies:=Exemplare:\r\n");
    ASSERT_TRUE(module_.Load(dll));
    record_ = qxhost::DefaultRecord(L"QX_Office");
  }
  void Open() {
    sheet_ = std::make_unique<qxhost::HostSheet>(module_, qxhost::SheetOptions{L"QX_Office", {0}, 0}, record_.data());
    window_ = sheet_->Create(nullptr);
    ASSERT_NE(window_, nullptr);
    sheet_->Pump();
    preview_ = GetDlgItem(GetWindow(PropSheet_GetCurrentPageHwnd(window_), GW_CHILD), IDC_PREVIEW);
    ASSERT_NE(preview_, nullptr);
  }
  qxge::PrivateDevMode& Record() { return reinterpret_cast<qxge::DriverDevMode*>(record_.data())->dmPrivate; }
  qxge::SettingsPage& Page() { return *static_cast<qxge::SettingsPage*>(sheet_->Table().slots[0]); }
  // The sheet area lies above the three caption lines and the paper text.
  int SheetBottom() const {
    RECT r;
    GetClientRect(preview_, &r);
    return r.bottom - 60 - 40;
  }
  void TearDown() override {
    if (sheet_) sheet_->Close();
    sheet_.reset();
    module_.Unload();
    qxtest::ForgetUser(base_);
  }

  std::wstring base_, dir_;
  qxhost::ModulePackage module_;
  std::vector<uint8_t> record_;
  std::unique_ptr<qxhost::HostSheet> sheet_;
  HWND window_ = nullptr, preview_ = nullptr;
};

TEST_F(PreviewTest, PlainSheetIsACentredPageWithItsCaptions) {
  Record().iNup = 0;
  Open();
  const Snapshot shot(preview_);
  const RECT sheet = shot.Bounds(GetSysColor(COLOR_WINDOW), SheetBottom());
  ASSERT_GT(sheet.right - sheet.left, 40);
  EXPECT_GT(sheet.bottom - sheet.top, sheet.right - sheet.left);  // portrait
  EXPECT_LE(std::abs((sheet.left + sheet.right) - shot.Width()), 2);
  EXPECT_EQ(shot.At(sheet.left - 1, (sheet.top + sheet.bottom) / 2), GetSysColor(COLOR_WINDOWFRAME));
  // The imitation text: a grey head box in the sheet's top left.
  EXPECT_EQ(shot.At(sheet.left + 10, sheet.top + 10), GetSysColor(COLOR_BTNSHADOW));
  // The caption lines are filled in the face colour down to the bottom.
  EXPECT_EQ(shot.At(2, shot.Height() - 4), GetSysColor(COLOR_BTNFACE));
}

// The page cells a line crosses near the cells' top left edge, clear of the numbers.
void ExpectGrid(const Snapshot& shot, int bottom, int cols, int rows) {
  const COLORREF page = GetSysColor(COLOR_BTNFACE);
  const RECT cells = shot.Bounds(page, bottom);
  ASSERT_GT(cells.right, cells.left);
  EXPECT_EQ(shot.RunsAcross(cells.top + 1, page), cols);
  EXPECT_EQ(shot.RunsDown(cells.left + 1, page, bottom), rows);
}

TEST_F(PreviewTest, SixteenPagesPerSheet) {
  Record().iNup = 5;
  Record().iNupBorder = 0;
  Open();
  ExpectGrid(Snapshot(preview_), SheetBottom(), 4, 4);
}

TEST_F(PreviewTest, SixPagesOnALandscapeSheetStandUpright) {
  reinterpret_cast<qxge::DriverDevMode*>(record_.data())->dmPublic.dmOrientation = 2;
  Record().iNup = 3;
  Record().iNupBorder = 1;
  Open();
  const Snapshot shot(preview_);
  const RECT sheet = shot.Bounds(GetSysColor(COLOR_WINDOW), SheetBottom());
  EXPECT_GT(sheet.bottom - sheet.top, sheet.right - sheet.left);
  ExpectGrid(shot, SheetBottom(), 2, 3);
}

TEST_F(PreviewTest, OnlyARealChangeRepaints) {
  Open();
  RECT dirty;
  qxge::DriverDevMode* working = Page().WorkingRecord();
  ValidateRect(preview_, nullptr);
  Page().OnSettingChanged();
  Page().OnSettingChanged();
  EXPECT_FALSE(GetUpdateRect(preview_, &dirty, FALSE));

  // More copies: only the copies line is drawn again.
  working->dmPublic.dmCopies = static_cast<int16_t>(working->dmPublic.dmCopies + 2);
  Page().OnSettingChanged();
  ASSERT_TRUE(GetUpdateRect(preview_, &dirty, FALSE));
  RECT client;
  GetClientRect(preview_, &client);
  EXPECT_GE(dirty.top, client.bottom - 41);
  EXPECT_LE(dirty.bottom, client.bottom - 20);
  ValidateRect(preview_, nullptr);

  working->dmPrivate.iNup = static_cast<int16_t>(working->dmPrivate.iNup == 2 ? 4 : 2);
  Page().OnSettingChanged();
  ASSERT_TRUE(GetUpdateRect(preview_, &dirty, FALSE));
  EXPECT_LT(dirty.top, SheetBottom() / 2);
}

}  // namespace

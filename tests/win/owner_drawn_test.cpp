// The owner-drawn controls and the picture services, drawn into memory and driven with the
// messages a user's mouse would send; pictures from the built resource library and the
// office sample's files.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/driver_ui_app.h"
#include "platform/win_text.h"
#include "preview/owner_drawn.h"
#include "snapshot.h"
#include "test_support.h"

namespace {

using platform::W;
using qxtest::PixelsOf;
using qxtest::SizeOf;

constexpr COLORREF kBackground = RGB(10, 200, 30);  // not a colour of any picture
constexpr COLORREF kKey = RGB(255, 0, 255);

HMODULE Library() {
  static HMODULE library =
      LoadLibraryExW((qxtest::BinaryDir() + L"\\bin\\QXGEU2.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  return library;
}

// Puts a generated picture beside the module under test as its name + suffix.
void PlacePicture(const wchar_t* generated, const wchar_t* suffix) {
  const qxge::DriverUiApp& app = qxge::App();
  const std::wstring target = std::wstring(W(app.ModuleDir() + app.ModuleName())) + suffix;
  ASSERT_TRUE(CopyFileW((qxtest::BinaryDir() + L"\\pictures\\" + generated).c_str(), target.c_str(), FALSE));
}

// A 24-bit canvas filled with the background colour.
class Canvas {
 public:
  Canvas(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(kBackground);
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  int Count(COLORREF colour, RECT r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) == colour;
    return n;
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// A page stand-in: keeps the commands its controls send and paints statics on its background.
class TestPage {
 public:
  TestPage() {
    static const ATOM atom = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = Procedure;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"QxOwnerDrawnPage";
      return RegisterClassW(&wc);
    }();
    (void)atom;
    commands_.clear();
    hwnd_ = CreateWindowExW(0, L"QxOwnerDrawnPage", L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 400, 300,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  }
  ~TestPage() { DestroyWindow(hwnd_); }
  HWND Add(int id, const wchar_t* text, DWORD style, int width, int height) {
    return CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | style, 10, 10, width, height, hwnd_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  }
  static std::vector<int>& Commands() { return commands_; }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) commands_.push_back(LOWORD(wParam));
    if (message == WM_CTLCOLORSTATIC) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  static inline std::vector<int> commands_;
  HWND hwnd_;
};

void Mouse(HWND hwnd, UINT message, int x, int y, WPARAM keys = 0) {
  SendMessageW(hwnd, message, keys, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

RECT Client(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  return r;
}

}  // namespace

TEST(OwnerDrawn, LibraryHasEveryPictureOfTheTable) {
  ASSERT_NE(Library(), nullptr);
  std::istringstream table(qxtest::ReadTextFile(qxtest::SourceDir() + L"\\reslib\\PICTURES.md"));
  std::string line;
  int rows = 0;
  while (std::getline(table, line)) {
    int number = 0;
    char kind[16] = {};
    if (std::sscanf(line.c_str(), "| %d | %15s |", &number, kind) != 2) continue;
    const std::string k = kind;
    const LPCWSTR type = k == "icon" ? RT_GROUP_ICON : k == "data" ? RT_RCDATA : RT_BITMAP;
    ++rows;
    EXPECT_NE(FindResourceW(Library(), MAKEINTRESOURCEW(number), type), nullptr) << number << " " << k;
    if (k == "strip") {
      auto strip = static_cast<HBITMAP>(LoadImageW(Library(), MAKEINTRESOURCEW(number), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
      ASSERT_NE(strip, nullptr) << number;
      EXPECT_EQ(SizeOf(strip).cx % 3, 0) << number;
      EXPECT_EQ(PixelsOf(strip)[0], kKey) << number;
      DeleteObject(strip);
    }
  }
  EXPECT_GT(rows, 120);
}

TEST(OwnerDrawn, DrawPictureLeavesTheKeyColourAsBackgroundWithAndWithoutTransparentBlt) {
  PlacePicture(L"office\\L.bmp", L"L.bmp");
  platform::Bitmap logo;
  ASSERT_TRUE(qxge::LoadModelPicture(logo, L"L.bmp"));
  const SIZE size = SizeOf(logo.Get());
  const std::vector<COLORREF> source = PixelsOf(logo.Get());
  ASSERT_EQ(source[0], kKey);
  ASSERT_GT(std::count(source.begin(), source.end(), kKey), 1000);
  ASSERT_NE(qxge::App().TransparentBlt(), nullptr);
  // Pixels of the canvas that differ from the logo drawn at (x0, y0) over the background.
  const auto misdrawn = [&](const Canvas& canvas, int x0, int y0) {
    int wrong = 0;
    for (int y = 0; y < size.cy; ++y)
      for (int x = 0; x < size.cx; ++x) {
        const COLORREF s = source[y * size.cx + x];
        wrong += canvas.At(x0 + x, y0 + y) != (s == kKey ? kBackground : s);
      }
    return wrong;
  };

  // The mask method changes the picture's key pixels; a repaint must still look the same.
  for (const char* how : {"TransparentBlt", "masks", "masks, second paint"}) {
    Canvas canvas(size.cx + 2, size.cy + 2);
    qxge::DrawPicture(canvas.Dc(), logo.Get(), 1, 1, false, how[0] == 'T' ? qxge::App().TransparentBlt() : nullptr);
    EXPECT_EQ(misdrawn(canvas, 1, 1), 0) << how;
    EXPECT_EQ(canvas.At(0, 0), kBackground) << how;
    EXPECT_EQ(canvas.At(size.cx + 1, size.cy + 1), kBackground) << how;
  }
  // A mirrored page puts the picture in the mirrored place, but a logo never reads backwards.
  for (const char* how : {"mirrored, TransparentBlt", "mirrored, masks"}) {
    Canvas canvas(size.cx + 20, size.cy);
    SetLayout(canvas.Dc(), LAYOUT_RTL);
    qxge::DrawPicture(canvas.Dc(), logo.Get(), 0, 0, false, how[10] == 'T' ? qxge::App().TransparentBlt() : nullptr);
    SetLayout(canvas.Dc(), 0);
    EXPECT_EQ(misdrawn(canvas, 19, 0), 0) << how;
  }
  {
    // Black of the picture's own stays black however often it is drawn with masks.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, -4, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    platform::Bitmap inked(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, inked.Get());
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 8; ++x) SetPixel(dc, x, y, x < 4 ? kKey : RGB(0, 0, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
    for (int paint = 1; paint <= 3; ++paint) {
      Canvas canvas(20, 10);
      qxge::DrawPicture(canvas.Dc(), inked.Get(), 2, 2, false, nullptr);
      EXPECT_EQ(canvas.At(3, 3), kBackground) << "paint " << paint;
      EXPECT_EQ(canvas.At(8, 3), RGB(0, 0, 0)) << "paint " << paint;
    }
  }
}

TEST(OwnerDrawn, LoadPicturePairPrefersHighColourAndFallsBack) {
  PlacePicture(L"office\\printer.bmp", L"Y.bmp");  // 132 x 100
  PlacePicture(L"office\\L.bmp", L"X.bmp");        // 156 x 68
  platform::Bitmap picture;
  ASSERT_TRUE(qxge::LoadPicturePair(picture, L"Y.bmp", L"X.bmp", true));
  EXPECT_EQ(SizeOf(picture.Get()).cx, 156);
  ASSERT_TRUE(qxge::LoadPicturePair(picture, L"Y.bmp", L"X.bmp", false));
  EXPECT_EQ(SizeOf(picture.Get()).cx, 132) << "a 256-colour screen gets the normal file";
  ASSERT_TRUE(qxge::LoadPicturePair(picture, L"Y.bmp", L"Missing.bmp", true));
  EXPECT_EQ(SizeOf(picture.Get()).cx, 132) << "a missing high-colour file falls back";
  EXPECT_FALSE(qxge::LoadPicturePair(picture, L"Missing.bmp", nullptr, true));
  EXPECT_FALSE(picture);
}

TEST(OwnerDrawn, PictureLabelTakesThePictureSizeAndDrawsItTransparently) {
  PlacePicture(L"office\\L.bmp", L"L.bmp");
  TestPage page;
  HWND hwnd = page.Add(1071, L"", 0, 20, 20);
  ASSERT_NE(hwnd, nullptr) << GetLastError();
  qxge::PictureLabel label;
  ASSERT_TRUE(label.Attach(hwnd));
  label.SetPicture(L"L.bmp");
  EXPECT_EQ(Client(hwnd).right, 156);
  EXPECT_EQ(Client(hwnd).bottom, 68);

  Canvas canvas(156, 68);
  SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
  EXPECT_EQ(canvas.At(0, 0), kBackground);
  EXPECT_LT(canvas.Count(kBackground, {0, 0, 156, 68}), 156 * 68 * 3 / 4);
  EXPECT_EQ(canvas.Count(kKey, {0, 0, 156, 68}), 0);

  EXPECT_EQ(label.SetPicture(L"Missing.bmp").cx, 0);
  EXPECT_EQ(Client(hwnd).right, 0);
  EXPECT_EQ(Client(hwnd).bottom, 0);
}

TEST(OwnerDrawn, ImageButtonShowsHoverAndSendsItsCommandOnlyWhenReleasedOverIt) {
  TestPage page;
  HWND hwnd = page.Add(1287, L"", 0, 10, 10);
  qxge::ImageButton button;
  ASSERT_TRUE(button.Attach(hwnd));
  const RECT r = button.LoadStrip(4900, Library());
  EXPECT_EQ(r.right - r.left, 56);
  EXPECT_EQ(r.bottom - r.top, 56);
  EXPECT_EQ(r.left, 10);

  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF plate = RGB(0xE3, 0xEE, 0xFA);
  auto pixel = [&] {
    Canvas canvas(56, 56);
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    return canvas.At(28, 4);
  };
  EXPECT_EQ(pixel(), face) << "normal: the key shows the page";
  Mouse(hwnd, WM_MOUSEMOVE, 20, 20);
  EXPECT_EQ(GetCapture(), hwnd);
  EXPECT_TRUE(Near(pixel(), plate, 8)) << "hover: the lit plate";
  Mouse(hwnd, WM_MOUSEMOVE, 300, 20);
  EXPECT_NE(GetCapture(), hwnd);
  EXPECT_EQ(pixel(), face);

  Mouse(hwnd, WM_MOUSEMOVE, 20, 20);
  Mouse(hwnd, WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  EXPECT_FALSE(Near(pixel(), plate, 8)) << "pressed: the darker plate";
  EXPECT_NE(pixel(), face);
  Mouse(hwnd, WM_LBUTTONUP, 21, 22);
  EXPECT_EQ(TestPage::Commands(), std::vector<int>{1287});

  TestPage::Commands().clear();
  Mouse(hwnd, WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  Mouse(hwnd, WM_MOUSEMOVE, 300, 200, MK_LBUTTON);
  EXPECT_EQ(GetCapture(), hwnd) << "a pressed button follows the mouse out";
  Mouse(hwnd, WM_LBUTTONUP, 300, 200);
  EXPECT_TRUE(TestPage::Commands().empty());
  EXPECT_NE(GetCapture(), hwnd);
  EXPECT_EQ(pixel(), face);
}

TEST(OwnerDrawn, LinkLabelIsDimmedAndDeafWhenDisabled) {
  TestPage page;
  HWND hwnd = page.Add(1212, L"Driver Details", 0, 200, 24);
  qxge::LinkLabel link;
  ASSERT_TRUE(link.Attach(hwnd));
  const COLORREF blue = RGB(0, 0, 255);
  const RECT hot = link.Setup(blue, false);
  ASSERT_FALSE(IsRectEmpty(&hot));
  EXPECT_NEAR((hot.left + hot.right) / 2, 100, 1) << "centred";
  EXPECT_EQ(link.Setup(blue, true).right, 200) << "flush right";

  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF dimmed = RGB((GetRValue(face)) / 2, GetGValue(face) / 2, (255 + GetBValue(face)) / 2);
  auto count = [&](COLORREF colour) {
    Canvas canvas(200, 24);
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    return canvas.Count(colour, {0, 0, 200, 24});
  };
  EXPECT_GT(count(blue), 20);
  const int cx = (hot.left + hot.right) / 2, cy = (hot.top + hot.bottom) / 2;

  EnableWindow(hwnd, FALSE);
  EXPECT_EQ(count(blue), 0);
  EXPECT_GT(count(dimmed), 20);
  Mouse(hwnd, WM_MOUSEMOVE, cx, cy);
  EXPECT_NE(GetCapture(), hwnd);
  Mouse(hwnd, WM_LBUTTONUP, cx, cy);
  EXPECT_TRUE(TestPage::Commands().empty());

  EnableWindow(hwnd, TRUE);
  Mouse(hwnd, WM_MOUSEMOVE, 2, 2);
  EXPECT_FALSE(link.Hovering()) << "beside the text is not the link";
  Mouse(hwnd, WM_MOUSEMOVE, cx, cy);
  EXPECT_TRUE(link.Hovering());
  EXPECT_EQ(GetCapture(), hwnd);
  Mouse(hwnd, WM_LBUTTONUP, cx, cy);
  EXPECT_EQ(TestPage::Commands(), std::vector<int>{1212});
  Mouse(hwnd, WM_MOUSEMOVE, 2, 2);
  EXPECT_FALSE(link.Hovering());
  EXPECT_NE(GetCapture(), hwnd);
}

TEST(OwnerDrawn, LargeIconSetsLibraryIconsKeepsTheOldOneWhenMissingAndShowsEachAgain) {
  TestPage page;
  HWND hwnd = page.Add(1088, L"", SS_ICON, 48, 48);
  qxge::LargeIcon icon;
  icon.Attach(hwnd);
  icon.SetIcon(4040, nullptr);
  EXPECT_EQ(SendMessageW(hwnd, STM_GETICON, 0, 0), 0) << "no library, no icon";
  icon.SetIcon(4040, Library());
  const LRESULT portrait = SendMessageW(hwnd, STM_GETICON, 0, 0);
  ASSERT_NE(portrait, 0);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(portrait), &info));
  EXPECT_EQ(SizeOf(info.hbmColor).cx, 48);
  EXPECT_EQ(SizeOf(info.hbmColor).cy, 48);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  icon.SetIcon(4041, Library());
  EXPECT_EQ(SendMessageW(hwnd, STM_GETICON, 0, 0), portrait);
  icon.SetIcon(4036, Library());
  EXPECT_NE(SendMessageW(hwnd, STM_GETICON, 0, 0), portrait);
}

TEST(OwnerDrawn, FitFontHeightShrinksToTheWidthAndStopsAtThree) {
  Canvas canvas(10, 10);
  LOGFONTW lf{};
  lf.lfHeight = 40;
  lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
  platform::Font font;
  EXPECT_EQ(qxge::FitFontHeight(canvas.Dc(), L"16", 1000, lf, font), 40);
  const int fitted = qxge::FitFontHeight(canvas.Dc(), L"16", 12, lf, font);
  SIZE extent{};
  GetTextExtentPoint32W(canvas.Dc(), L"16", 2, &extent);
  EXPECT_LT(extent.cx, 12);
  EXPECT_LT(fitted, 40);
  // Too narrow for any height: 3 tells the caller to draw no text; the smallest font stays selected.
  EXPECT_EQ(qxge::FitFontHeight(canvas.Dc(), L"16", 1, lf, font), 3);
  LOGFONTW selected{};
  GetObjectW(GetCurrentObject(canvas.Dc(), OBJ_FONT), sizeof selected, &selected);
  EXPECT_EQ(selected.lfHeight, 4);
  SelectObject(canvas.Dc(), GetStockObject(SYSTEM_FONT));
}

// The system's hand is always there under Wine; the module's own, for systems without one,
// must still be a cursor that points with the finger tip.
TEST(OwnerDrawn, TheModulesOwnHandCursorPointsWithTheFingerTip) {
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(qxge::ModuleHandCursor(), &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 12u);  // the finger tip
  EXPECT_EQ(info.yHotspot, 2u);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

// The Graphics page on a real sheet: which resolutions and groups a model gets, which go to the
// Advanced / TrueType Options dialog, the rules between them, and what reaches the host.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "preview/preview_wnd.h"
#include "resources/resource.h"
#include "sheet_harness.h"
#include "snapshot.h"

namespace {

std::string OfficeModel() { return qxtest::ReadTextFile(qxtest::SourceDir() + L"\\samples\\office\\QX5000U.INI"); }

// Two 600 dpi resolutions (1200x600 and Normal), every image mode, toner save and darkness.
const char kTwoResolutions[] =
    "[Common]\r\nLayoutPoster=1\r\nGraphics600Res=3\r\nGraphicsTonerMode=1\r\nGraphicsTonerPrinter=1\r\n"
    "GraphicsDarkness=1\r\nGraphicsTrueType=1\r\nGraphicsDraftRes=1\r\n";

// A record at 600 dpi without toner saving.
void At600(qxge::DriverDevMode& r) {
  r.dmPublic.dmPrintQuality = 600;
  r.dmPrivate.iResolution = 600;
  r.dmPrivate.iTonerSave = 1;
}

class GraphicsPageTest : public qxtest::SheetHarness {
 protected:
  void OpenGraphics(const std::string& model, void (*prepare)(qxge::DriverDevMode&) = nullptr,
                    const wchar_t* base = L"QXGR") {
    Stage(base, model, "[Common]\r\n");
    // The colour samples of the compact package, under this package's name.
    for (const wchar_t* suffix : {L"C.Bmp", L"G.Bmp"})
      CopyFileW((qxtest::BinaryDir() + L"\\packages\\compact\\QX300U" + suffix).c_str(),
                (dir_ + L"\\" + base + L"U" + suffix).c_str(), FALSE);
    if (prepare != nullptr) prepare(Live());
    Open({2});
  }
  int Radio(int index) const { return index == 24 ? IDC_DRAFT_MODE : IDC_RESOLUTION_FIRST + index; }
};

// The office model offers four resolutions: all fit, one row apart. Image modes and toner save
// stay on the page; darkness and TrueType go to the dialog, whose OK is taken back.
TEST_F(GraphicsPageTest, OfficeKeepsWhatFitsAndTheDialogHoldsTheRest) {
  OpenGraphics(OfficeModel(), At600);
  for (int index : {7, 11, 12, 15}) EXPECT_TRUE(Shown(Radio(index))) << index;
  EXPECT_FALSE(Shown(Radio(3)));
  EXPECT_EQ(Bounds(Radio(11)).top - Bounds(Radio(7)).top, Bounds(Radio(12)).top - Bounds(Radio(11)).top);
  EXPECT_TRUE(Checked(Radio(11)));
  EXPECT_TRUE(Shown(IDC_TONER_OFF));
  EXPECT_FALSE(Shown(IDC_DARKNESS_NORMAL));
  EXPECT_FALSE(Shown(IDC_TRUETYPE_BITMAP));
  EXPECT_TRUE(Shown(IDC_ADVANCED));
  EXPECT_GT(Bounds(IDC_ADVANCED).top, Bounds(IDC_TONER_FRAME).bottom);
  EXPECT_FALSE(ApplyEnabled());

  EXPECT_TRUE(InDialog(IDC_ADVANCED, IDC_TRUETYPE_FRAME, [](HWND d) {
    EXPECT_FALSE(qxtest::ShownIn(d, IDC_TONER_FRAME));
    EXPECT_TRUE(qxtest::ShownIn(d, IDC_DARKNESS_FRAME));
    EXPECT_LT(qxtest::BoundsIn(d, IDC_DARKNESS_FRAME).top, qxtest::BoundsIn(d, IDC_TONER_FRAME).bottom);
    SendMessageW(GetDlgItem(d, IDC_DARKNESS_DARK), BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(d, IDC_TRUETYPE_GRAPHICS), BM_CLICK, 0, 0);
    // Printed as graphics, text keeps its colours.
    EXPECT_FALSE(qxtest::EnabledIn(d, IDC_ALL_TEXT_BLACK));
  }, IDOK));
  Apply();
  EXPECT_EQ(Live().dmPrivate.iPrintDensity, 2);
  EXPECT_EQ(Live().dmPrivate.iTTMode, 2);

  // Saving toner prints at normal darkness, and the dialog shows it so.
  Click(IDC_TONER_ON);
  Apply();
  EXPECT_EQ(Live().dmPrivate.iTonerSave, 2);
  EXPECT_EQ(Live().dmPrivate.iPrintDensity, 0);
  EXPECT_TRUE(InDialog(IDC_ADVANCED, IDC_TRUETYPE_FRAME, [](HWND d) {
    EXPECT_TRUE(qxtest::CheckedIn(d, IDC_DARKNESS_NORMAL));
    EXPECT_FALSE(qxtest::EnabledIn(d, IDC_DARKNESS_DARK));
  }, IDCANCEL));
  // Toner no longer saved, the darkness is the user's again; a choice cancelled changes nothing.
  Click(IDC_TONER_OFF);
  EXPECT_TRUE(InDialog(IDC_ADVANCED, IDC_TRUETYPE_FRAME, [](HWND d) {
    EXPECT_TRUE(qxtest::ShownIn(d, IDC_DARKNESS_PICTURE));
    EXPECT_TRUE(qxtest::EnabledIn(d, IDC_DARKNESS_DARK));
    SendMessageW(GetDlgItem(d, IDC_DARKNESS_DARK), BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(d, IDC_TRUETYPE_BITMAP), BM_CLICK, 0, 0);
  }, IDCANCEL));
  Apply();
  EXPECT_EQ(Live().dmPrivate.iPrintDensity, 0);
  EXPECT_EQ(Live().dmPrivate.iTTMode, 2);
  EXPECT_EQ(Live().dmPrivate.iTonerSave, 1);
}

// A poster cannot be printed at 1200 dpi: the row is closed with the tip that says why, and a
// stored 1200 dpi steps on to the next resolution offered.
TEST_F(GraphicsPageTest, APosterClosesThe1200RowAndStepsOn) {
  OpenGraphics(OfficeModel(), [](qxge::DriverDevMode& r) {
    r.dmPublic.dmPrintQuality = 1200;
    r.dmPrivate.iResolution = 1;
    r.dmPrivate.iPoster = 2;
  });
  EXPECT_FALSE(Enabled(Radio(7)));
  EXPECT_EQ(Tip(Radio(7)),
            L"To enable 1200 dpi (Best), click the Layout tab, set the Layout Options Type to anything except Poster.");
  EXPECT_TRUE(Checked(Radio(11)));
  Apply();
  EXPECT_EQ(Live().dmPublic.dmPrintQuality, 600);
  EXPECT_EQ(Live().dmPrivate.iResolution, 600);
  EXPECT_NE(Live().dmPublic.dmFields & DM_PRINTQUALITY, 0u);
}

// Fewer than four resolutions leave a shorter frame; an image mode the resolution cannot print
// gives way to the first it can; Draft Mode is 600 dpi with the toner saved.
TEST_F(GraphicsPageTest, ResolutionDecidesTheImageModesAndDraftSavesToner) {
  OpenGraphics(kTwoResolutions, [](qxge::DriverDevMode& r) {
    At600(r);
    r.dmPrivate.iSrt = 2;  // Text Enhance
  });
  EXPECT_TRUE(Shown(Radio(10)));
  EXPECT_TRUE(Shown(Radio(24)));
  // The frame ends below its last radio as the full image-mode frame does, give or take the
  // rounding of dialog units.
  EXPECT_NEAR(Bounds(IDC_RESOLUTION_FRAME).bottom - Bounds(Radio(24)).bottom,
              Bounds(IDC_IMAGE_FRAME).bottom - Bounds(IDC_IMAGE_PHOTO).bottom, 3);
  EXPECT_TRUE(Checked(IDC_IMAGE_TEXT));

  Click(Radio(10));  // 1200x600 dpi: no text enhancing there
  EXPECT_FALSE(Enabled(IDC_IMAGE_TEXT));
  EXPECT_TRUE(Checked(IDC_IMAGE_PRINTER));
  Apply();
  EXPECT_EQ(Live().dmPrivate.iResolution, 1200);
  EXPECT_EQ(Live().dmPrivate.iSrt, 0);
  EXPECT_EQ(Live().dmPrivate.iTonerSave, 1);

  Click(Radio(24));
  Apply();
  EXPECT_EQ(Live().dmPublic.dmPrintQuality, 600);
  EXPECT_EQ(Live().dmPrivate.iResolution, 600);
  EXPECT_EQ(Live().dmPrivate.iTonerSave, 2);
  Click(Radio(11));
  Apply();
  EXPECT_EQ(Live().dmPrivate.iTonerSave, 1);
}

// The caption lines under the page's preview, as drawn.
std::vector<COLORREF> PreviewCaptions(HWND page) {
  const qxtest::Snapshot shot(GetDlgItem(page, IDC_PREVIEW));
  std::vector<COLORREF> pixels;
  for (int y = shot.Height() - 3 * qxge::PreviewWnd::kCaptionHeight; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x) pixels.push_back(shot.At(x, y));
  return pixels;
}

// The preview says which resolution the radios hold, and a favorite saved in the registry brings
// its resolution and toner choice with it.
TEST_F(GraphicsPageTest, APreviewAndAFavoriteFollowTheResolution) {
  OpenGraphics(OfficeModel(), At600);
  qxge::DriverDevMode best = Live();
  best.dmPublic.dmPrintQuality = 1200;
  best.dmPrivate.iResolution = 1200;
  best.dmPrivate.iTonerSave = 2;
  best.dmPrivate.cQuickSet.Write(u"Best");
  Close();
  qxtest::WriteUserValue(base_, L"TSF\\Device Modes", L"CDM0", REG_BINARY, &best, sizeof best);
  qxtest::WriteUserString(base_, L"TSF\\Device Modes", L"DMNum", L"1");
  Open({2});

  const std::vector<COLORREF> at600 = PreviewCaptions(PageDialog());
  Click(Radio(7));
  EXPECT_NE(PreviewCaptions(PageDialog()), at600);
  Click(Radio(11));
  EXPECT_EQ(PreviewCaptions(PageDialog()), at600);

  const HWND box = Control(IDC_FAVORITES);
  SendMessageW(box, CB_SETCURSEL, 1, 0);
  SendMessageW(PageDialog(), WM_COMMAND, MAKEWPARAM(IDC_FAVORITES, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
  sheet_->Pump();
  EXPECT_TRUE(Checked(Radio(7)));
  EXPECT_TRUE(Checked(IDC_TONER_ON));
  EXPECT_NE(PreviewCaptions(PageDialog()), at600);
  Apply();
  EXPECT_EQ(Live().dmPublic.dmPrintQuality, 1200);
  EXPECT_EQ(Live().dmPrivate.iTonerSave, 2);
}

// Own colour settings equal to the preset are the preset; the dialog's choice of preset or own
// settings survives the page's next store.
TEST_F(GraphicsPageTest, ColorSettingsKnowTheirPresetAndThePageKeepsTheChoice) {
  OpenGraphics("[Common]\r\nGraphicsColorMode=1\r\nGraphicsColorSettings=1\r\n", [](qxge::DriverDevMode& r) {
    r.dmPrivate.iColorOptions = 0;
    r.dmPrivate.iEdgeControl = 3;  // shown as the preset's while "Automatic Setting" holds
  });
  EXPECT_TRUE(Shown(IDC_COLOR_SETTINGS));
  EXPECT_FALSE(Shown(IDC_COLOR_MANUAL));
  EXPECT_FALSE(Shown(IDC_MATCHING));
  EXPECT_TRUE(InDialog(IDC_COLOR_SETTINGS, IDC_EDGE_CONTROL, [](HWND d) {
    EXPECT_EQ(qxtest::DataIn(d, IDC_EDGE_CONTROL), 1);
    qxtest::ChooseIn(d, IDC_EDGE_CONTROL, 0);
    EXPECT_EQ(qxtest::DataIn(d, IDC_COLOR_CURRENT), 1);
    qxtest::ChooseIn(d, IDC_EDGE_CONTROL, 1);
    EXPECT_EQ(qxtest::DataIn(d, IDC_COLOR_CURRENT), 0);
    qxtest::ChooseIn(d, IDC_RGB_COLOR, 1);
  }, IDOK));
  Click(IDC_GRAYSCALE);
  Apply();
  EXPECT_EQ(Live().dmPrivate.iColorOptions, 1);
  EXPECT_EQ(Live().dmPrivate.iRGBColor, 1);
  EXPECT_EQ(Live().dmPrivate.iEdgeControl, 1);
  EXPECT_EQ(Live().dmPrivate.iGrayMode, 0);
}

// The colour page of a model without colour settings: each slider and its number stay equal,
// typing holds the text until the edit is left, and the balance stores its complements.
TEST_F(GraphicsPageTest, ColorAdjustmentsKeepSliderAndNumberTogether) {
  Stage(L"QXGA", "[Common]\r\nGraphicsColorMode=1\r\n", "[Common]\r\n");
  qxge::PrivateDevMode& p = Live().dmPrivate;
  p.iGrayMode = 1;
  p.iBrightness = 300;  // shown capped
  p.iContrast = p.iSaturation = p.iRed = p.iGreen = p.iBlue = p.iCyan = p.iMagenta = p.iYellow = 50;
  Open({18});
  const auto position = [this](int slider) { return SendMessageW(Control(slider), TBM_GETPOS, 0, 0); };
  EXPECT_EQ(position(IDC_BRIGHTNESS), 100);
  EXPECT_EQ(Text(IDC_BRIGHTNESS_EDIT), L"100");

  SetWindowTextW(Control(IDC_CONTRAST_EDIT), L"150");
  SendMessageW(PageDialog(), WM_COMMAND, MAKEWPARAM(IDC_CONTRAST_EDIT, EN_CHANGE), reinterpret_cast<LPARAM>(Control(IDC_CONTRAST_EDIT)));
  EXPECT_EQ(position(IDC_CONTRAST), 100);
  EXPECT_EQ(Text(IDC_CONTRAST_EDIT), L"150");
  SendMessageW(PageDialog(), WM_COMMAND, MAKEWPARAM(IDC_CONTRAST_EDIT, EN_KILLFOCUS), reinterpret_cast<LPARAM>(Control(IDC_CONTRAST_EDIT)));
  EXPECT_EQ(Text(IDC_CONTRAST_EDIT), L"100");

  SendMessageW(Control(IDC_CYAN_RED), TBM_SETPOS, TRUE, 30);
  SendMessageW(PageDialog(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 30), reinterpret_cast<LPARAM>(Control(IDC_CYAN_RED)));
  EXPECT_EQ(Text(IDC_CYAN_RED_EDIT), L"30");
  Apply();
  EXPECT_EQ(p.iContrast, 100);
  EXPECT_EQ(p.iRed, 30);
  EXPECT_EQ(p.iCyan, 70);

  // Black and white prints no colour balance.
  Click(IDC_GRAYSCALE);
  EXPECT_FALSE(Enabled(IDC_SATURATION));
  EXPECT_TRUE(Enabled(IDC_BRIGHTNESS));
  Click(IDC_COLOR_RESET);
  Apply();
  EXPECT_EQ(p.iGrayMode, 0);
  EXPECT_EQ(p.iBrightness + p.iContrast + p.iRed + p.iCyan, 200);
}

// How many pixels of the sample, centred in its control, differ from the file's pixels passed
// through f.
template <typename F>
int SampleMismatches(HWND control, const std::wstring& file, F f) {
  const auto bitmap = static_cast<HBITMAP>(LoadImageW(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (bitmap == nullptr) return -1;
  const int w = qxtest::SizeOf(bitmap).cx, h = qxtest::SizeOf(bitmap).cy;
  const std::vector<COLORREF> expected = qxtest::PixelsOf(bitmap);
  DeleteObject(bitmap);
  const qxtest::Snapshot shot(control);
  if (expected.empty() || shot.Width() < w + 10 || shot.Height() < h + 10) return -1;
  const int left = 5 + (shot.Width() - 10 - w) / 2, top = 5 + (shot.Height() - 10 - h) / 2;
  int wrong = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const COLORREF e = expected[static_cast<size_t>(y) * w + x], a = shot.At(left + x, top + y);
      wrong += RGB(f(GetRValue(e)), f(GetGValue(e)), f(GetBValue(e))) != a;
    }
  return wrong;
}

// With both colour features the page offers manual adjustment: the dialogs open only with
// Manual checked; the sample follows the sliders; Cancel changes nothing; a matched intent
// takes the device's RGB colours.
TEST_F(GraphicsPageTest, ManualColourOpensTheAdjustAndMatchingDialogs) {
  OpenGraphics("[Common]\r\nGraphicsColorMode=1\r\nGraphicsColorSettings=1\r\nGraphicsColorMatching=1\r\n",
               [](qxge::DriverDevMode& r) {
                 qxge::PrivateDevMode& p = r.dmPrivate;
                 p.iGrayMode = 1;
                 p.iColorOptions = p.iEqualizer = 0;
                 p.iBrightness = p.iContrast = p.iSaturation = p.iRed = p.iGreen = p.iBlue = p.iCyan = p.iMagenta = p.iYellow = 50;
               });
  EXPECT_FALSE(Enabled(IDC_ADJUST_COLOR));
  Click(IDC_COLOR_MANUAL);
  ASSERT_TRUE(Enabled(IDC_ADJUST_COLOR));
  EXPECT_TRUE(Enabled(IDC_COLOR_MATCHING));
  const auto brighten = [](HWND d) {
    SendMessageW(GetDlgItem(d, IDC_BRIGHTNESS), TBM_SETPOS, TRUE, 100);
    SendMessageW(d, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 100), reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_BRIGHTNESS)));
  };
  const std::wstring file = dir_ + L"\\QXGRUC.Bmp";
  EXPECT_TRUE(InDialog(IDC_ADJUST_COLOR, IDC_AUTO_ADJUST, [&](HWND d) {
    // Neutral: the picture as the file has it. Brightest: every value 25 up, held at 255.
    EXPECT_EQ(SampleMismatches(GetDlgItem(d, IDC_COLOR_SAMPLE), file, [](int v) { return v; }), 0);
    brighten(d);
    EXPECT_EQ(SampleMismatches(GetDlgItem(d, IDC_COLOR_SAMPLE), file, [](int v) { return std::min(v + 25, 255); }), 0);
  }, IDCANCEL));
  Apply();
  EXPECT_EQ(Live().dmPrivate.iBrightness, 50);
  EXPECT_EQ(Live().dmPrivate.iColorOptions, 1);
  EXPECT_TRUE(InDialog(IDC_ADJUST_COLOR, IDC_AUTO_ADJUST, brighten));
  EXPECT_TRUE(InDialog(IDC_COLOR_MATCHING, IDC_RGB_LABEL, [](HWND d) {
    qxtest::ChooseIn(d, IDC_MATCHING, 1);  // Perceptual
    EXPECT_EQ(qxtest::DataIn(d, IDC_RGB_COLOR), 2);
    EXPECT_FALSE(qxtest::EnabledIn(d, IDC_RGB_COLOR));
  }));
  Apply();
  EXPECT_EQ(Live().dmPrivate.iBrightness, 100);
  EXPECT_EQ(Live().dmPrivate.iICMColorMatching, 1);
  EXPECT_EQ(Live().dmPrivate.iRGBColor, 2);

  // Printed in grey, the sample is grey.
  Click(IDC_GRAYSCALE);
  EXPECT_FALSE(Enabled(IDC_COLOR_MATCHING));
  EXPECT_TRUE(InDialog(IDC_ADJUST_COLOR, IDC_AUTO_ADJUST, [](HWND d) {
    const qxtest::Snapshot shot(GetDlgItem(d, IDC_COLOR_SAMPLE));
    EXPECT_TRUE(std::all_of(shot.Pixels().begin(), shot.Pixels().end(),
                            [](uint32_t p) { return (p & 0xFF) == (p >> 8 & 0xFF) && (p >> 8 & 0xFF) == (p >> 16 & 0xFF); }));
    EXPECT_FALSE(qxtest::EnabledIn(d, IDC_SATURATION));
  }, IDCANCEL));
}

// A right-to-left text file opens the colour dialogs in their mirrored twins, Color Matching's
// under its own number.
TEST_F(GraphicsPageTest, MirroredColourDialogsOpen) {
  Stage(L"QXGM", "[Common]\r\nGraphicsColorMode=1\r\nGraphicsColorSettings=1\r\nGraphicsColorMatching=1\r\n",
        "[Common]\r\nMirrorLayout=1\r\n");
  Live().dmPrivate.iColorOptions = 1;
  Live().dmPrivate.iGrayMode = 1;
  Open({2});
  for (int button : {IDC_COLOR_MATCHING, IDC_ADJUST_COLOR}) {
    EXPECT_TRUE(InDialog(button, IDC_COLOR_SAMPLE, [](HWND d) {
      EXPECT_NE(GetWindowLongW(d, GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
    }, IDCANCEL)) << button;
  }
}

// Wine reports an NT system: a model that forbids TrueType handling there shows it closed.
TEST_F(GraphicsPageTest, TrueTypeClosedOnNtWhenTheModelSaysSo) {
  OpenGraphics("[Common]\r\nGraphicsTrueType=1\r\nGraphicsTrueTypeAdvanced=1\r\nGraphicsTrueTypeDisabled=1\r\n");
  EXPECT_TRUE(InDialog(IDC_ADVANCED, IDC_TRUETYPE_FRAME, [](HWND d) {
    EXPECT_TRUE(qxtest::ShownIn(d, IDC_TRUETYPE_BITMAP));
    EXPECT_FALSE(qxtest::EnabledIn(d, IDC_TRUETYPE_BITMAP));
    EXPECT_FALSE(qxtest::ShownIn(d, IDC_TRUETYPE_PICTURE));
  }, IDCANCEL));
}

}  // namespace

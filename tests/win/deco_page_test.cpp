// The Deco page on a real sheet: the frame carries the message, and the message's font is
// stored as the palette and styles say.
#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"
#include "sheet_harness.h"

namespace {

using DecoPageTest = qxtest::SheetHarness;

TEST_F(DecoPageTest, TheFrameCarriesTheMessageAndTheFontIsStored) {
  Stage(L"QXDE", "[Common]\r\n", "[Common]\r\n");
  qxge::PrivateDevMode& p = Live().dmPrivate;
  p.FrameStyle = 12;  // beyond the list: the last style
  p.StrDate.Write(u"2026-12-06");
  p.StrDecoNote.Write(u"Holiday");
  p.iDecoNoteBorder = 0;
  Open({19});
  EXPECT_EQ(Data(IDC_DECO_FRAME), 9);
  EXPECT_EQ(Text(IDC_DECO_NOTE), L"Holiday");
  EXPECT_EQ(Text(IDC_DECO_DATE), L"2026-12-06");

  // No frame: the message is neither shown nor offered, and the record keeps it.
  Choose(IDC_DECO_FRAME, 0);
  EXPECT_EQ(Text(IDC_DECO_NOTE), L"");
  EXPECT_FALSE(Enabled(IDC_DECO_DATE));
  Apply();
  EXPECT_EQ(p.FrameStyle, 0u);
  EXPECT_EQ(p.StrDecoNote.Read(), u"Holiday");
  Choose(IDC_DECO_FRAME, 2);
  EXPECT_EQ(Text(IDC_DECO_NOTE), L"Holiday");
  EXPECT_TRUE(Enabled(IDC_DECO_DATE));

  Choose(IDC_FONT_STYLE, 3);   // Bold Italic
  Choose(IDC_FONT_COLOR, 2);   // Red
  Choose(IDC_FONT_SHADE, 3);   // Light
  Click(IDC_DECO_WHITE);
  SetWindowTextW(Control(IDC_DECO_DATE), L"Summer");
  Apply();
  EXPECT_EQ(p.FrameStyle, 2u);
  EXPECT_EQ(p.lfDecoWeight, FW_BOLD);
  EXPECT_EQ(p.lfDecoItalic, 1);
  EXPECT_EQ(p.DecoFontColor, RGB(255, 192, 192));
  EXPECT_EQ(p.iDecoNoteBorder, 1);
  EXPECT_EQ(p.StrDate.Read(), u"Summer");
  EXPECT_FALSE(p.DecoStrFaceName.Read().empty());

  // Escape in the note closes the sheet as its Cancel does; the page does not vanish alone.
  SetFocus(Control(IDC_DECO_NOTE));
  PostMessageW(Control(IDC_DECO_NOTE), WM_KEYDOWN, VK_ESCAPE, 0);
  sheet_->Pump();
  EXPECT_EQ(sheet_->Context().cancelled, 1);
}

}  // namespace

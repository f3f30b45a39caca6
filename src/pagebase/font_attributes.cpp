#include "pagebase/font_attributes.h"

#include <algorithm>

#include "platform/combo_box.h"
#include "platform/win_text.h"

namespace qxge {
namespace {

using platform::ComboBox;

const COLORREF kPalette[8][5] = {
    {RGB(63, 63, 63), RGB(102, 102, 102), RGB(140, 140, 140), RGB(178, 178, 178), RGB(216, 216, 216)},
    {RGB(0, 0, 0), RGB(64, 64, 64), RGB(128, 128, 128), RGB(192, 192, 192), RGB(224, 224, 224)},
    {RGB(255, 0, 0), RGB(255, 64, 64), RGB(255, 128, 128), RGB(255, 192, 192), RGB(255, 224, 224)},
    {RGB(255, 255, 0), RGB(255, 255, 64), RGB(255, 255, 128), RGB(255, 255, 192), RGB(255, 255, 224)},
    {RGB(0, 255, 0), RGB(64, 255, 64), RGB(128, 255, 128), RGB(192, 255, 192), RGB(224, 255, 224)},
    {RGB(0, 255, 255), RGB(64, 255, 255), RGB(128, 255, 255), RGB(192, 255, 255), RGB(224, 255, 255)},
    {RGB(0, 0, 255), RGB(64, 64, 255), RGB(128, 128, 255), RGB(192, 192, 255), RGB(224, 224, 255)},
    {RGB(255, 0, 255), RGB(255, 64, 255), RGB(255, 128, 255), RGB(255, 192, 255), RGB(255, 224, 255)},
};

const char16_t* const kStyles[] = {u"Regular", u"Bold", u"Italic", u"Bold Italic"};
const char16_t* const kColours[] = {u"Gray", u"Red", u"Yellow", u"Green", u"Cyan", u"Blue", u"Magenta"};
const char16_t* const kShades[] = {u"Extra Dark Gray", u"Dark Gray", u"Medium Gray", u"Light Gray", u"Extra Light Gray"};

// The face the font mapper draws a face name with: the name itself when it is installed.
std::wstring MappedFace(const std::u16string& face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  platform::CopyTerminated(face, wanted.lfFaceName, LF_FACESIZE);
  wchar_t drawn[LF_FACESIZE] = {};
  const HDC screen = GetDC(nullptr);
  const HFONT font = CreateFontIndirectW(&wanted);
  const HGDIOBJ old = SelectObject(screen, font);
  GetTextFaceW(screen, LF_FACESIZE, drawn);
  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  return drawn;
}

int CALLBACK AddFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM data) {
  // Vertical faces ("@...") print sideways; other kinds of font cannot be scaled freely.
  if ((type & TRUETYPE_FONTTYPE) == 0 || font->lfFaceName[0] == L'@') return 1;
  const HWND combo = reinterpret_cast<HWND>(data);
  if (SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(font->lfFaceName)) ==
      CB_ERR)
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font->lfFaceName));
  return 1;
}

}  // namespace

COLORREF PaletteColour(int colour, int shade) {
  return kPalette[std::clamp(colour, 0, 7)][std::clamp(shade, 0, 4)];
}

bool FindPaletteColour(COLORREF c, int& colour, int& shade, bool greys) {
  for (int row = 1; row < (greys ? 2 : 8); ++row) {
    for (int s = 0; s < 5; ++s) {
      if (kPalette[row][s] != c) continue;
      colour = row;
      shade = s;
      return true;
    }
  }
  return false;
}

void FontAttributes::Bind(SettingsPage& page, Ids ids, bool colour) {
  page_ = &page;
  ids_ = ids;
  colour_ = colour;
  if (!colour) {
    // The shade list in the colour list's row.
    const POINT up = page.ControlOffset(IDC_FONT_COLOR_LABEL, IDC_FONT_SHADE_LABEL, false);
    const int moved[] = {IDC_FONT_SHADE_LABEL, ids.shade, 0};
    const int hidden[] = {IDC_FONT_COLOR_LABEL, ids.colour, 0};
    page.ShowControls(moved, 1, &up);
    page.ShowControls(hidden, 0);
  }
  const HWND faces = page.Item(ids.face);
  if (faces != nullptr) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    const HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, AddFace, reinterpret_cast<LPARAM>(faces), 0);
    ReleaseDC(nullptr, screen);
  }
  const auto fill = [&page](int id, const char16_t* const* items, int count, int first) {
    const ComboBox combo(page.Item(id));
    for (int i = 0; i < count; ++i) combo.Add(platform::W(page.ItemText(items[i])), first + i);
  };
  fill(ids.style, kStyles, 4, 0);
  fill(ids.colour, kColours, 7, 1);
  fill(ids.shade, kShades, 5, 0);
}

void FontAttributes::Show(const FontLook& look) {
  const HWND faces = page_->Item(ids_.face);
  const auto find = [faces](const wchar_t* face) {
    return SendMessageW(faces, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face));
  };
  LRESULT at = find(platform::W(look.face.c_str()));
  if (at == CB_ERR) at = find(MappedFace(look.face).c_str());
  shownAt_ = at == CB_ERR ? 0 : at;
  shownFace_ = look.face;
  SendMessageW(faces, CB_SETCURSEL, static_cast<WPARAM>(shownAt_), 0);
  ComboBox(page_->Item(ids_.style)).SelectByData((look.weight >= FW_BOLD ? 1 : 0) + (look.italic ? 2 : 0));
  int colour = 1, shade = 2;
  FindPaletteColour(look.colour, colour, shade, !colour_);
  ComboBox(page_->Item(ids_.colour)).SelectByData(colour);
  ComboBox(page_->Item(ids_.shade)).SelectByData(shade);
}

FontLook FontAttributes::Chosen() const {
  FontLook look;
  const HWND faces = page_->Item(ids_.face);
  look.face = SendMessageW(faces, CB_GETCURSEL, 0, 0) == shownAt_ ? shownFace_ : platform::WindowText(faces);
  const intptr_t style = ComboBox(page_->Item(ids_.style)).SelectedData();
  look.weight = style == 1 || style == 3 ? FW_BOLD : FW_NORMAL;
  look.italic = style == 2 || style == 3;
  look.colour = PaletteColour(colour_ ? static_cast<int>(ComboBox(page_->Item(ids_.colour)).SelectedData()) : 1,
                              static_cast<int>(ComboBox(page_->Item(ids_.shade)).SelectedData()));
  return look;
}

}  // namespace qxge

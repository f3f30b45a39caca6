// The font of a printed text as the Watermark and Deco pages choose it: an installed TrueType
// face, a style, and a colour with its shade from a fixed palette.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "pagebase/settings_page.h"

namespace qxge {

// Palette colours 1..7 (Gray, Red, Yellow, Green, Cyan, Blue, Magenta) in shades 0..4, dark to
// light; row 0 is a grey that no list offers.
COLORREF PaletteColour(int colour, int shade);
// The colour and shade of c among rows 1..7 (the grey row alone when greys is set); false,
// leaving both, when none is c.
bool FindPaletteColour(COLORREF c, int& colour, int& shade, bool greys = false);

struct FontLook {
  std::u16string face;
  int32_t weight = FW_NORMAL;
  bool italic = false;
  COLORREF colour = 0;
};

// The four lists of a page: face, style, colour and shade.
class FontAttributes {
 public:
  struct Ids {
    int face, style, colour, shade;
  };
  // Fills the lists; the faces are the TrueType faces installed for the default character set.
  // Without colour the shade list takes the colour list's place and the grey row is used.
  void Bind(SettingsPage& page, Ids ids, bool colour);
  // A face not installed shows as the face the font mapper draws it with (else the list's
  // first) and stays the chosen face until another is picked; a style not listed selects the
  // first; a colour not in the palette shows as medium grey.
  void Show(const FontLook& look);
  FontLook Chosen() const;
  // A command that changes the chosen font.
  bool IsChange(int id, int code) const {
    return code == CBN_SELCHANGE && (id == ids_.face || id == ids_.style || id == ids_.colour || id == ids_.shade);
  }

 private:
  SettingsPage* page_ = nullptr;
  Ids ids_{};
  bool colour_ = true;
  // The face last shown and the list entry that stood for it.
  std::u16string shownFace_;
  intptr_t shownAt_ = -1;
};

}  // namespace qxge

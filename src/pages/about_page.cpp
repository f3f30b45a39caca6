#include "pages/about_page.h"

#include <windowsx.h>

#include <algorithm>

#include "app/driver_ui_app.h"
#include "config/profile_file.h"
#include "config/text_format.h"
#include "config/version_macros.h"
#include "pagebase/web_links.h"
#include "platform/win_text.h"
#include "resources/resource.h"

namespace qxge {
namespace {

using platform::W;

// The maker's logo sits in the banner's top left corner, clear of the product name below it.
constexpr POINT kMakerLogoOffset = {12, 12};
// The printer's picture, left of the texts.
constexpr POINT kModelPictureAt = {30, 100};
// Room between the banner's edge and what is drawn over it.
constexpr int kBannerPadding = 16;

struct Pictures {
  const wchar_t* normal;
  const wchar_t* highColour;
};

Pictures PicturesOf(AboutLayout layout) {
  switch (layout) {
    case AboutLayout::CentredBanner:
    case AboutLayout::BannerWithLogo: return {L"Y.bmp", L"X.bmp"};
    case AboutLayout::BottomBanner: return {L"E.bmp", L"D.bmp"};
    case AboutLayout::CaptionedBanner: return {L"B.bmp", L"A.bmp"};
    case AboutLayout::ModelPicture: return {L".bmp", nullptr};
    case AboutLayout::CaptionOnly: break;
  }
  return {nullptr, nullptr};
}

}  // namespace

BOOL AboutPage::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  DriverUiApp& app = App();
  ProfileFile& text = app.TextFile();
  text.SetSection(Section());
  const std::u16string info =
      ModelInfoText(text, [&app](std::u16string_view name) { return ModuleVersionString(app.ModulePath(), name); });
  SetDlgItemTextW(Handle(), IDC_MODEL_INFO, W(info));
  // The About box has no links and keeps its own plain face.
  if (PageId() < 0 || Item(IDC_LINK_FIRST) == nullptr) return result;
  for (int i = 0; i < kLinks; ++i) links_[i].Attach(Item(IDC_LINK_FIRST + i));
  SetUpLinks(*this, IDC_LINK_FIRST, targets_.data(), kLinks);
  text.SetSection(Section());
  bannerTarget_ = text.ReadText(u"Ref_URL_0", u"", true);
  CutText(bannerTarget_, kMaxLinkChars);
  Arrange();
  const bool onBanner = layout_ == AboutLayout::CaptionedBanner && banner_;
  // Beside the printer the links line up with the page's right edge, the support link first.
  const bool flushRight = layout_ == AboutLayout::ModelPicture;
  for (int i = 0; i < kLinks; ++i) {
    const RECT hot = links_[i].Setup(onBanner && i < 2 ? colour_ : RGB(0, 0, 255), flushRight);
    if (!targets_[i].empty()) Tooltip().SetText(IDC_LINK_FIRST + i, false, targets_[i], 0, &hot);
  }
  return result;
}

void AboutPage::PlaceTexts(int x, int y, int width) {
  const RECT info = ControlRect(IDC_MODEL_INFO);
  const RECT first = ControlRect(IDC_LINK_FIRST), second = ControlRect(IDC_LINK_FIRST + 1);
  const POINT infoAt{x, y};
  const SIZE infoSize{width, info.bottom - info.top};
  PlaceControl(IDC_MODEL_INFO, &infoAt, &infoSize);
  const int linksTop = y + first.top - info.top, pitch = second.top - first.top;
  const SIZE linkSize{width, first.bottom - first.top};
  for (int i = 0; i < kLinks; ++i) {
    const POINT at{x, linksTop + i * pitch};
    PlaceControl(IDC_LINK_FIRST + i, &at, &linkSize);
  }
}

void AboutPage::Arrange() {
  ShowControl(IDC_LOGO, layout_ == AboutLayout::ModelPicture ? 1 : 0);
  const Pictures pictures = PicturesOf(layout_);
  if (pictures.normal != nullptr) LoadPicturePair(banner_, pictures.normal, pictures.highColour);
  if (layout_ == AboutLayout::BannerWithLogo) LoadModelPicture(makerLogo_, L"Z.bmp");
  const SIZE picture = BitmapSize(banner_.Get());

  RECT client;
  GetClientRect(Handle(), &client);
  RECT margin{7, 7, 0, 0};
  MapDialogRect(Handle(), &margin);
  const int mx = margin.left, my = margin.top;
  const RECT info = ControlRect(IDC_MODEL_INFO);
  const RECT lastLink = ControlRect(IDC_LINK_FIRST + kLinks - 1);
  const int textWidth = info.right - info.left, textHeight = lastLink.bottom - info.top;
  // A missing picture takes no room, its gap neither.
  const int gapAcross = picture.cx > 0 ? mx : 0, gapBelow = picture.cy > 0 ? my : 0;
  POINT at{mx, my};
  switch (layout_) {
    case AboutLayout::CentredBanner: {
      const int group = picture.cx + gapAcross + textWidth;
      at = {std::max<int>(mx, (client.right - group) / 2), std::max<int>(my, (client.bottom - picture.cy) / 2)};
      const int textLeft = at.x + picture.cx + gapAcross;
      PlaceTexts(textLeft, std::max<int>(my, at.y + (picture.cy - textHeight) / 2), textWidth);
      break;
    }
    case AboutLayout::BannerWithLogo: {
      const int textLeft = at.x + picture.cx + gapAcross;
      PlaceTexts(textLeft, my, std::min<int>(textWidth, client.right - mx - textLeft));
      makerLogoAt_ = {at.x + kMakerLogoOffset.x, at.y + kMakerLogoOffset.y};
      break;
    }
    case AboutLayout::BottomBanner:
      at.x = std::max<int>(mx, (client.right - picture.cx) / 2);
      PlaceTexts(at.x, at.y + picture.cy + gapBelow, textWidth);
      break;
    case AboutLayout::CaptionedBanner: {
      at.x = std::max<int>(mx, (client.right - picture.cx) / 2);
      const RECT first = ControlRect(IDC_LINK_FIRST);
      const int linkHeight = first.bottom - first.top;
      if (picture.cx == 0) {
        const int bottom = SetUpCaption({mx, my, client.right - mx, client.bottom - my}, true);
        PlaceTexts(mx, bottom > my ? bottom + my : my, textWidth);
      } else {
        // The name, the description and two links go where the picture leaves room, left of
        // its drawing; the third link takes the first row below the information lines.
        PlaceTexts(at.x, at.y + picture.cy + my, textWidth);
        const RECT area{at.x + kBannerPadding, at.y + kBannerPadding, at.x + picture.cx * 3 / 5,
                        at.y + picture.cy - kBannerPadding - linkHeight};
        SetUpCaption(area, true);
        const POINT thirdAt{at.x, ControlRect(IDC_LINK_FIRST).top};
        PlaceControl(IDC_LINK_FIRST + 2, &thirdAt, nullptr);
        const SIZE size{(area.right - area.left) / 2, linkHeight};
        for (int i = 0; i < 2; ++i) {
          const POINT linkAt{area.left + i * size.cx, area.bottom};
          PlaceControl(IDC_LINK_FIRST + i, &linkAt, &size);
        }
      }
      ProfileFile& text = App().TextFile();
      text.SetSection(Section());
      SetDlgItemTextW(Handle(), IDC_LINK_FIRST, W(text.ReadText(u"Visit Velmora", u"Visit Velmora")));
      SetDlgItemTextW(Handle(), IDC_LINK_FIRST + 1, W(text.ReadText(u"Driver Details", u"Driver Details")));
      break;
    }
    case AboutLayout::ModelPicture: {
      at = kModelPictureAt;
      const int textLeft = at.x + picture.cx + mx;
      PlaceTexts(textLeft, at.y, std::max<int>(0, client.right - mx - textLeft));
      break;
    }
    case AboutLayout::CaptionOnly: {
      const int bottom = SetUpCaption({mx, my, client.right - mx, client.bottom - my}, false);
      PlaceTexts(mx, bottom > my ? bottom + my : my, textWidth);
      break;
    }
  }
  if (banner_) bannerRect_ = {at.x, at.y, at.x + picture.cx, at.y + picture.cy};
  InvalidateRect(Handle(), nullptr, TRUE);
}

int AboutPage::SetUpCaption(const RECT& area, bool withDescription) {
  DriverUiApp& app = App();
  ProfileFile& text = app.TextFile();
  caption_ = u"$Model";
  ExpandMacros(caption_, app.VersionFile());
  text.SetSection(Section());
  const int height = text.ReadInt(u"CaptionFontSize", layout_ == AboutLayout::CaptionOnly ? 26 : 30);
  if (withDescription) {
    description_ = text.ReadText(app.Features().GraphicsColorMode != 0 ? u"DescriptionColor" : u"Description", u"", true);
    // Without a size of its own the name leads the description instead of standing above it.
    if (height <= 0 && !caption_.empty()) description_ = caption_ + (description_.empty() ? u"" : u" ") + description_;
  }
  const HDC dc = GetDC(Handle());
  const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
  int top = area.top;
  if (height > 0 && !caption_.empty()) {
    LOGFONTW lf{};
    lf.lfHeight = std::min(height, 200);
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = DEFAULT_CHARSET;
    // Where the face is missing, a plain sans face stands in rather than whatever comes first.
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynW(lf.lfFaceName, L"Microsoft Sans Serif", LF_FACESIZE);
    const std::wstring wide(W(caption_));
    FitFontHeight(dc, wide, area.right - area.left, lf, captionFont_);
    SIZE extent{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    const int left = withDescription ? area.left : area.left + (area.right - area.left - extent.cx) / 2;
    captionRect_ = {left, top, left + extent.cx, top + extent.cy};
    top = captionRect_.bottom;
    if (withDescription) top += kBannerPadding / 2;
  }
  if (!description_.empty()) {
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
    const std::wstring wide(W(description_));
    descriptionRect_ = {area.left, top, area.right, top};
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &descriptionRect_, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    descriptionRect_.right = area.right;
    descriptionRect_.bottom = std::min(descriptionRect_.bottom, area.bottom);
    top = descriptionRect_.bottom;
  }
  SelectObject(dc, oldFont);
  ReleaseDC(Handle(), dc);
  return top;
}

void AboutPage::PaintBackground(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, WhiteStatics() ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)) : GetSysColorBrush(COLOR_BTNFACE));
  if (banner_) DrawPicture(dc, banner_.Get(), bannerRect_.left, bannerRect_.top, false);
  if (banner_ && makerLogo_) DrawPicture(dc, makerLogo_.Get(), makerLogoAt_.x, makerLogoAt_.y, false);
  if (caption_.empty() && description_.empty()) return;
  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  // Without its banner a captioned page writes in the dialog's own colour.
  SetTextColor(dc, banner_ || layout_ == AboutLayout::CaptionOnly ? colour_ : GetSysColor(COLOR_BTNTEXT));
  if (captionFont_) {
    const std::wstring wide(W(caption_));
    SelectObject(dc, captionFont_.Get());
    TextOutW(dc, captionRect_.left, captionRect_.top, wide.c_str(), static_cast<int>(wide.size()));
  }
  if (!description_.empty()) {
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
    const std::wstring wide(W(description_));
    RECT r = descriptionRect_;
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, DT_WORDBREAK | DT_NOPREFIX);
  }
  RestoreDC(dc, saved);
}

void AboutPage::TrackBanner(POINT p) {
  POINT screen = p;
  ClientToScreen(Handle(), &screen);
  // Over a link or a text of its own the page is not what the user points at.
  const bool over = !bannerTarget_.empty() && PtInRect(&bannerRect_, p) != FALSE && WindowFromPoint(screen) == Handle();
  if (over && !bannerHover_) {
    bannerHover_ = true;
    SetCapture(Handle());
  } else if (!over && bannerHover_) {
    ReleaseCapture();
  }
  if (bannerHover_) SetCursor(HandCursor());
}

bool AboutPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (PageId() < 0) return SettingsPage::OnMessage(message, wParam, lParam, result);
  switch (message) {
    case WM_ERASEBKGND:
      PaintBackground(reinterpret_cast<HDC>(wParam));
      SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
      result = TRUE;
      return true;
    case WM_PRINTCLIENT:
      PaintBackground(reinterpret_cast<HDC>(wParam));
      result = TRUE;
      return true;
    case WM_CTLCOLORSTATIC: {
      const auto dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      SetBkColor(dc, RGB(255, 255, 255));
      result = reinterpret_cast<INT_PTR>(GetStockObject(WhiteStatics() ? WHITE_BRUSH : HOLLOW_BRUSH));
      return true;
    }
    case WM_MOUSEMOVE:
      TrackBanner({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      result = 0;
      return true;
    case WM_LBUTTONUP:
      if (bannerHover_ && working_ != nullptr) OpenLink(Handle(), *working_, bannerTarget_);
      result = 0;
      return true;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != Handle()) bannerHover_ = false;
      result = 0;
      return true;
    case WM_SETCURSOR:
      if (!bannerHover_) break;
      SetCursor(HandCursor());
      SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
      result = TRUE;
      return true;
    default:
      break;
  }
  return SettingsPage::OnMessage(message, wParam, lParam, result);
}

bool AboutPage::OnCommand(int id, int code, HWND control) {
  if (id >= IDC_LINK_FIRST && id < IDC_LINK_FIRST + kLinks) {
    if (working_ != nullptr && !targets_[id - IDC_LINK_FIRST].empty())
      OpenLink(Handle(), *working_, targets_[id - IDC_LINK_FIRST]);
    return true;
  }
  return SettingsPage::OnCommand(id, code, control);
}

AboutDialog::AboutDialog(HWND parent, DriverDevMode* record, int templateId)
    : AboutPage(templateId, parent, record) {}

}  // namespace qxge

// The product's About pages and the About box; they show texts and links and edit nothing.
#pragma once

#include <array>
#include <string>

#include "pagebase/settings_page.h"
#include "pages/about_layout.h"
#include "platform/gdi.h"
#include "preview/owner_drawn.h"

namespace qxge {

class AboutPage : public SettingsPage {
 public:
  // colour: of the texts the page draws itself (the model's name, the description, the links on
  // a banner).
  AboutPage(int templateId, int32_t pageId, AboutLayout layout, COLORREF colour)
      : SettingsPage(templateId, u"About", pageId), layout_(layout), colour_(colour) {}
  void OnSetActive() override {}
  void OnStoreControls() override {}

 protected:
  // A modal form over parent, showing the texts of record's printer.
  AboutPage(int templateId, HWND parent, DriverDevMode* record) : SettingsPage(templateId, u"About", parent, record) {}
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  static constexpr int kLinks = 3;
  void Arrange();
  // The model's name and the description, fitted into area; returns the bottom of what they take.
  int SetUpCaption(const RECT& area, bool withDescription);
  // 1002 at (x, y), width wide, the links below it as the template spaces them.
  void PlaceTexts(int x, int y, int width);
  void PaintBackground(HDC dc);
  // The banner's link follows the mouse over the banner where nothing of the page covers it.
  void TrackBanner(POINT p);
  bool WhiteStatics() const { return layout_ == AboutLayout::BannerWithLogo || layout_ == AboutLayout::BottomBanner; }

  AboutLayout layout_ = AboutLayout::CaptionOnly;
  COLORREF colour_ = 0;
  std::array<LinkLabel, kLinks> links_;
  std::array<std::u16string, kLinks> targets_;
  platform::Bitmap banner_, makerLogo_;
  RECT bannerRect_{};  // where the banner is drawn; empty without one
  POINT makerLogoAt_{};
  std::u16string caption_, description_;
  platform::Font captionFont_;
  RECT captionRect_{}, descriptionRect_{};
  std::u16string bannerTarget_;
  bool bannerHover_ = false;
};

class AboutDialog : public AboutPage {
 public:
  // templateId: the Troubleshooting page's box, or the Main page's.
  AboutDialog(HWND parent, DriverDevMode* record, int templateId = IDD_ABOUT_BOX);
};

}  // namespace qxge

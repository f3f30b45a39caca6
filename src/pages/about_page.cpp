#include "pages/about_page.h"

#include "app/driver_ui_app.h"
#include "config/profile_file.h"
#include "config/version_macros.h"
#include "pagebase/web_links.h"
#include "platform/win_text.h"
#include "resources/resource.h"

namespace qxge {

BOOL AboutPage::OnInitDialog() {
  const BOOL result = SettingsPage::OnInitDialog();
  DriverUiApp& app = App();
  ProfileFile& text = app.TextFile();
  text.SetSection(Section());
  const std::u16string info =
      ModelInfoText(text, [&app](std::u16string_view name) { return ModuleVersionString(app.ModulePath(), name); });
  SetDlgItemTextW(Handle(), IDC_MODEL_INFO, platform::W(info));
  // The About box has no links; a page template may lack them too.
  if (Item(IDC_LINK_FIRST) == nullptr) return result;
  for (int i = 0; i < kLinks; ++i) links_[i].Attach(Item(IDC_LINK_FIRST + i));
  SetUpLinks(*this, IDC_LINK_FIRST, targets_.data(), kLinks);
  for (int i = 0; i < kLinks; ++i) {
    const RECT hot = links_[i].Setup(RGB(0, 0, 255), false);
    if (!targets_[i].empty()) Tooltip().SetText(IDC_LINK_FIRST + i, false, targets_[i], 0, &hot);
  }
  return result;
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

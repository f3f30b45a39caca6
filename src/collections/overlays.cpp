#include "collections/overlays.h"

#include <utility>

#include "collections/user_registry.h"
#include "platform/win_file.h"
#include "platform/win_text.h"

namespace qxge {
namespace {

constexpr wchar_t kCollection[] = L"Overlay Data";
constexpr int16_t kCreateOverlay = 2;  // ovrLoadCreate: the job makes the file
constexpr wchar_t kOverlaysDir[] = L"Overlays Dir";

}  // namespace

OverlayItem::OverlayItem(const DriverDevMode* record) : StoredCollectionItem(-1, kCollection, L"Overlays Num", false) {
  if (record != nullptr) path_ = record->dmPrivate.ovrFileName.Read();
}

OverlayItem::OverlayItem(std::u16string path) : OverlayItem(nullptr) {
  if (path.size() <= kMaxPathChars) path_ = std::move(path);
}

OverlayItem::OverlayItem(int32_t index) : OverlayItem(nullptr) {
  SetIndex(index);
  UserRegistry(kCollection, index, false).GetText(L"Overlay", kMaxPathChars, path_);
}

bool OverlayItem::IsValid(const DriverDevMode* record) const {
  if (path_.empty()) return false;
  return record == nullptr || record->dmPrivate.ovrLoadCreate == kCreateOverlay || platform::FileExists(platform::W(path_));
}

bool OverlayItem::Matches(const DriverDevMode& record) const { return path_ == record.dmPrivate.ovrFileName.Read(); }

std::u16string OverlayItem::GetName() const {
  static const std::u16string none = CommonLabel(u"(No Overlay)");
  if (path_.empty()) return none;
  const size_t slash = path_.rfind(u'\\');
  return slash == std::u16string::npos ? path_ : path_.substr(slash + 1);
}

bool OverlayItem::Differs(const CollectionItem& other) const {
  const auto* overlay = dynamic_cast<const OverlayItem*>(&other);
  return overlay == nullptr || !SameTextNoCase(overlay->path_, path_);
}

void OverlayItem::ApplyTo(DriverDevMode& record) const {
  PrivateDevMode& p = record.dmPrivate;
  p.ovrFileName.Write(path_);
  if (path_.empty())
    p.ovrLoadCreate = 0;
  else if (p.ovrLoadCreate == 0)
    p.ovrLoadCreate = 1;
}

void OverlayItem::Save(int32_t index) {
  SetIndex(index);
  UserRegistry(kCollection, index, true).PutString(L"Overlay", platform::W(path_));
}

std::u16string GetOverlaysDir() {
  std::u16string folder;
  if (UserRegistry(nullptr, -1, false).GetText(kOverlaysDir, MAX_PATH, folder) && !folder.empty() &&
      GetFileAttributesW(platform::W(folder)) != INVALID_FILE_ATTRIBUTES)
    return folder;
  for (wchar_t drive = L'a'; drive < L'z'; ++drive) {
    const wchar_t root[] = {drive, L':', L'\\', L'\0'};
    if (GetDriveTypeW(root) != DRIVE_FIXED) continue;
    folder = std::u16string(platform::U(root)) + u"FormOver";
    CreateDirectoryW(platform::W(folder), nullptr);
    return folder;
  }
  return {};
}

void SetOverlaysDir(const std::u16string& folder) {
  UserRegistry(nullptr, -1, true).PutString(kOverlaysDir, platform::W(folder));
}

}  // namespace qxge

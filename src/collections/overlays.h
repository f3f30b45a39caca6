// The user's overlay files: forms printed under every page of a job, kept by full path.
#pragma once

#include <cstdint>
#include <string>

#include "collections/collection_item.h"
#include "record/driver_dev_mode.h"

namespace qxge {

class OverlayItem : public StoredCollectionItem {
 public:
  static constexpr size_t kMaxPathChars = 260;

  // The record's overlay; none gives an empty item.
  explicit OverlayItem(const DriverDevMode* record);
  explicit OverlayItem(std::u16string path);
  explicit OverlayItem(int32_t index);

  // With a record, a file that is gone is only offered when the job creates it.
  bool IsValid(const DriverDevMode* record) const override;
  bool Matches(const DriverDevMode& record) const override;
  std::u16string GetName() const override;
  bool Differs(const CollectionItem& other) const override;
  void ApplyTo(DriverDevMode& record) const override;
  void Save(int32_t index) override;
  const std::u16string& Path() const { return path_; }

 private:
  std::u16string path_;
};

// The folder the overlay file dialogs open in: the one last used while it exists, else
// "FormOver" at the root of the first fixed drive, made when missing; empty without one.
std::u16string GetOverlaysDir();
void SetOverlaysDir(const std::u16string& folder);

}  // namespace qxge

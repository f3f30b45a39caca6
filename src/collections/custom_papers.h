// The user's named paper sizes. Size number n of the collection is paper size 257 + n in every
// record and paper list, so the stored layout is the paper numbering and must stay as it is.
#pragma once

#include <cstdint>
#include <string>

#include "collections/collection_item.h"
#include "record/driver_dev_mode.h"

namespace qxge {

// The paper number of the collection's first size.
constexpr int32_t kFirstCustomPaper = 257;

class CustomPaperItem : public StoredCollectionItem {
 public:
  static constexpr size_t kMaxNameChars = 32;
  // dmPaperWidth and dmPaperLength are 16-bit: a longer side cannot be printed.
  static constexpr int32_t kMaxLength = 32767;

  CustomPaperItem();
  explicit CustomPaperItem(int32_t index);
  // width, height: tenths of a millimetre; inches: the size was entered in inches.
  CustomPaperItem(std::u16string name, int32_t width, int32_t height, bool inches);

  bool IsValid(const DriverDevMode* record) const override;
  bool Matches(const DriverDevMode& record) const override;
  std::u16string GetName() const override { return name_; }
  bool Differs(const CollectionItem& other) const override;
  void ApplyTo(DriverDevMode& record) const override;
  void Save(int32_t index) override;

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool Inches() const { return inches_ > 0; }
  int32_t PaperNumber() const { return kFirstCustomPaper + Index(); }

 private:
  int32_t inches_ = 0;
  int32_t width_ = 0, height_ = 0;
  std::u16string name_;
};

}  // namespace qxge

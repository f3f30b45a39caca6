// The user's watermarks: a text with its font, size, angle and colour. A user's first look at
// the collection finds the model's built-in watermarks from the text file stored in it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "collections/collection_item.h"
#include "record/driver_dev_mode.h"

namespace qxge {

class WatermarkItem : public StoredCollectionItem {
 public:
  static constexpr size_t kMaxTextChars = 160;
  static constexpr size_t kMaxFaceChars = 32;
  struct Look {
    std::u16string text, face;
    int16_t size = 0, angle = 0;  // points, degrees
    int32_t weight = 0, italic = 0, firstPage = 0;
    uint32_t colour = 0;
  };

  // The record's watermark; none gives an empty item.
  explicit WatermarkItem(const DriverDevMode* record);
  explicit WatermarkItem(int32_t index);
  explicit WatermarkItem(Look look);
  // Built-in watermark number (from 1) of the text file.
  static std::unique_ptr<WatermarkItem> FromTextFile(int32_t number);

  bool IsValid(const DriverDevMode* record) const override;
  bool Matches(const DriverDevMode& record) const override;
  std::u16string GetName() const override;
  bool Differs(const CollectionItem& other) const override;
  void ApplyTo(DriverDevMode& record) const override;
  void Save(int32_t index) override;
  const Look& Values() const { return look_; }

 private:
  // What GDI makes of the face at this weight: a symbol face keeps its own character set.
  int32_t CharacterSet() const;

  Look look_;
};

}  // namespace qxge

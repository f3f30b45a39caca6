// Opening a model package's pages and dialogs the way a user would, under each model
// configuration that the page catalogue tells apart, against an empty text file that the module
// fills while write-back is on.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "config/ini_document.h"

namespace qxlang {

// The keys of a text a reader finds: in a section, and the first of their names.
std::vector<qxge::IniDocument::Entry> ReadableKeys(const qxge::IniDocument& doc);

// One setting of a model key that makes the catalogue choose other pages.
struct ModelSetting {
  bool inTextFile = false;
  std::u16string section, key;
  int32_t value = 0;
  std::vector<int32_t> pages;  // the page numbers whose page it changes
};

// The package as shipped (no setting), then one configuration per setting that changes pages.
struct Configuration {
  std::wstring label;
  const ModelSetting* setting = nullptr;
  std::vector<int32_t> pages;
};

struct Control {
  int id = 0;
  std::u16string key;
  std::u16string section;  // as the localiser chooses it when not the window's own
  bool ownSection = true;
  bool tipped = false;     // the localiser gives it a tooltip and a help topic
  bool visible = false, enabled = false;
  bool disabledUnexplained = false;  // a rule disabled it and no usage tip says why
};

// A page or dialog as it came up: its caption, its controls, and the section the caption was
// found in once the text file is complete.
struct Window {
  std::wstring configuration;
  int32_t pageId = -1;  // -1: a dialog opened from a page
  std::wstring caption;
  std::u16string section;
  std::vector<Control> controls;
};

struct PackageFiles {
  std::wstring dll, modelFile, textFile;  // in the scratch folder
  std::u16string modelText, textFileText;  // as shipped
  int modelEncoding = -1;
};

// The settings of the model's keys that change the catalogue's choice of any page, found by
// moving each key the model features read, one at a time, from the package's own values.
std::vector<ModelSetting> CatalogueSettings(const PackageFiles& package);

// The page numbers the package as shipped has a page for.
std::vector<int32_t> ShippedPages(const PackageFiles& package);

// Opens every page of the configuration and every dialog its pages' ellipsis buttons open,
// with write-back on and an empty text file; the filled text file is merged into template
// (keys the template has keep their value). False, with error set, when the module fails.
bool RunConfiguration(const PackageFiles& package, const std::vector<ModelSetting>& settings,
                      const Configuration& config, const std::wstring& printer, qxge::IniDocument& templateText,
                      std::vector<Window>& windows, std::wstring& error);

}  // namespace qxlang

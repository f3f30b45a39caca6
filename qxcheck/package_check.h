// The checker of a model package: the model file, the text files, the version file and the
// printer description of one printer model, read the way the module and the printing system
// read them. Every key it knows it learns by running the module's own loading code.
#pragma once

#include <filesystem>
#include <ostream>

namespace qxge::check {

// Writes one line per finding, "file:line: severity: message", and returns the exit status:
// 1 when any finding is an error, else 0.
int CheckPackage(const std::filesystem::path& folder, std::ostream& out);

}  // namespace qxge::check

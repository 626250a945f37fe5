#include "diagnostics.h"

namespace tavoc {

void Diagnostics::error(Pos pos, const std::string& message) {
    std::string where = pos.file >= 0 && pos.file < static_cast<int>(files_.size()) ? files_[pos.file].name : "<prelude>";
    messages_.push_back(where + ":" + std::to_string(pos.line) + ":" + std::to_string(pos.column) + ": " + message);
}

}  // namespace tavoc

// The runtime's export names, taken from the same list that builds the
// runtime's export table, so an image can only import what exists.
#pragma once

#include <string>

namespace tavoc {

bool is_runtime_export(const std::string& name);  // letter case ignored, as the linker does

}  // namespace tavoc

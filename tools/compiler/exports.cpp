#include "exports.h"

#include <set>

#include "lexer.h"

namespace tavoc {

namespace {

const std::set<std::string>& names() {
    static const std::set<std::string> table = [] {
        std::set<std::string> out;
#define EXPORT(name) out.insert(lower(#name));
#define TRAP(name) out.insert(lower(#name));
#define AGAIN(name) out.insert(lower(#name));
#include "core/image/export_names.inc"
#undef EXPORT
#undef TRAP
#undef AGAIN
        return out;
    }();
    return table;
}

}  // namespace

bool is_runtime_export(const std::string& name) { return names().count(lower(name)) != 0; }

}  // namespace tavoc

#include "menus/command_ids.h"

namespace {

MenuItemObject* g_slots[kCommandIdCount] = {};

bool valid(std::int32_t id) { return id >= kFirstCommandId && id < kFirstCommandId + kCommandIdCount; }

}  // namespace

std::int32_t command_id_take(MenuItemObject* item) {
    for (std::int32_t i = 0; i < kCommandIdCount; ++i) {
        if (!g_slots[i]) {
            g_slots[i] = item;
            return kFirstCommandId + i;
        }
    }
    return 0;
}

void command_id_free(std::int32_t id) {
    if (valid(id)) g_slots[id - kFirstCommandId] = nullptr;
}

MenuItemObject* command_id_item(std::int32_t id) { return valid(id) ? g_slots[id - kFirstCommandId] : nullptr; }

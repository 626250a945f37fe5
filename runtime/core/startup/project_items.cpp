#include <cstring>

#include "exceptions/failure_report.h"
#include "objects/memory.h"
#include "objects/objects.h"
#include "startup/project_description.h"
#include "startup/project_settings.h"
#include "strings/runtime_string.h"

namespace {

ProjectItemFactories g_factories = {};
RuntimeObject** g_objects = nullptr;  // index 1 .. g_object_count
std::uint32_t g_object_count = 0;
const std::uint8_t* g_menu_bar = nullptr;
std::size_t g_menu_bar_length = 0;

bool read_word(const std::uint8_t* at, const DataSpan& data, std::uint32_t& out) {
    if (!data.contains(at, 4)) return false;
    std::memcpy(&out, at, 4);
    return true;
}

const std::uint8_t* pointer(std::uint32_t address) {
    return reinterpret_cast<const std::uint8_t*>(static_cast<std::uintptr_t>(address));
}

// Creates item `number` from its record; false when the record is damaged.
bool create_item(std::uint32_t number, const std::uint8_t* record, const DataSpan& data) {
    std::uint32_t kind, a = 0, b = 0, c = 0, d = 0;
    if (!read_word(record, data, kind)) return false;
    const std::uint8_t* body = record + 4;
    RuntimeObject* object = nullptr;
    switch (kind) {
        case 1:
            if (g_factories.picture) object = g_factories.picture(body, data);
            break;
        case 2:
            if (!read_word(body, data, a) || !data.contains(body + 4, a)) return false;
            // The first menu bar loaded stays.
            if (!g_menu_bar) {
                g_menu_bar = body + 4;
                g_menu_bar_length = a;
            }
            break;
        case 3:
            if (!read_word(body, data, a)) return false;
            if (g_factories.movie) object = g_factories.movie(a);
            break;
        case 4:
            if (!read_word(body + 4, data, a) || !data.contains(body + 8, a)) return false;
            project_settings_read(body + 8, a);
            break;
        case 5: {
            if (!read_word(body, data, a) || !read_word(body + 4, data, b)) return false;
            std::uint8_t* variable = const_cast<std::uint8_t*>(pointer(b));
            if (!data.contains(variable, 4)) return false;
            RuntimeObject* instance = RuntimeNewObject(static_cast<std::int32_t>(a));
            std::memcpy(variable, &instance, 4);
            return true;
        }
        case 6:
            if (g_factories.sound) object = g_factories.sound(body, data);
            break;
        case 7:
        case 8:
            if (!read_word(body, data, a)) return false;
            if (kind == 7 && g_factories.value_item_7) object = g_factories.value_item_7(a);
            if (kind == 8 && g_factories.value_item_8) object = g_factories.value_item_8(a);
            break;
        case 9:
            if (!read_word(body, data, a)) return false;
            if (g_factories.cursor) object = g_factories.cursor(a);
            break;
        case 10: {
            if (!read_word(body, data, a) || !read_word(body + 4, data, b) || !read_word(body + 8, data, c) ||
                !read_word(body + 12, data, d) || !data.contains(pointer(b), a)) {
                return false;
            }
            if (!g_factories.database) break;
            RuntimeString* path = string_from_bytes(pointer(b), a);
            object = g_factories.database(path, c, d);
            RuntimeUnlockString(path);
            break;
        }
        default: runtime_failure_report(132, 3, "RuntimeMain", 0); return true;
    }
    g_objects[number] = object;
    return true;
}

}  // namespace

ProjectItemFactories& project_item_factories() { return g_factories; }

const std::uint8_t* project_menu_bar(std::size_t& length) {
    length = g_menu_bar_length;
    return g_menu_bar;
}

bool project_read_items(const std::uint8_t* description, const DataSpan& data) {
    std::uint32_t classes, count;
    if (!read_word(description, data, classes) || classes > data.size / 4) return false;
    const std::uint8_t* items = description + 4 + 4 * classes;
    if (!read_word(items, data, count) || count > data.size / 4 || !data.contains(items + 4, 4 * count)) return false;
    g_objects = static_cast<RuntimeObject**>(runtime_alloc(sizeof(RuntimeObject*) * (count + 1)));
    g_object_count = count;
    for (std::uint32_t i = 1; i <= count; ++i) {
        std::uint32_t record = 0;
        read_word(items + 4 * i, data, record);
        // An absent item leaves its entry empty.
        if (record && !create_item(i, pointer(record), data)) return false;
    }
    return true;
}

extern "C" RuntimeObject* RuntimeProjectObject(std::int32_t item) {
    if (item <= 0 || static_cast<std::uint32_t>(item) > g_object_count) return nullptr;
    return RuntimeLockObject(g_objects[item]);
}

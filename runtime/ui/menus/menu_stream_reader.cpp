#include "menus/menu_stream_reader.h"

#include "image/packed_reader.h"
#include "strings/runtime_string.h"

namespace {

// Deeper nesting than this is no menu a person could use: a damaged stream.
constexpr int kDeepestSubmenu = 8;

void release(RuntimeString* const* strings, int n) {
    for (int i = 0; i < n; ++i) RuntimeUnlockString(strings[i]);
}

class Reader {
public:
    Reader(const std::uint8_t* stream, std::size_t length, MenuStreamSink& sink)
        : reader_(stream, length), length_(length), sink_(sink) {}

    bool menus() {
        std::int32_t n = 0;
        if (!count(n)) return false;
        for (std::int32_t i = 0; i < n; ++i)
            if (!menu()) return false;
        return true;
    }

private:
    // A count can never exceed the bytes that would hold its entries.
    bool count(std::int32_t& n) {
        return reader_.packed(n) && n >= 0 && static_cast<std::size_t>(n) <= length_;
    }

    bool menu() {
        enum { kTitle, kName, kKept1, kKept2, kKept3, kStrings };
        RuntimeString* s[kStrings] = {};
        std::int32_t kind = 0, index = 0, further = 0;
        std::uint8_t kept_a = 0, kept_b = 0;
        const bool read = reader_.packed(kind) && reader_.text(s[kTitle]) && reader_.text(s[kName]) &&
                          reader_.packed(index) && reader_.text(s[kKept1]) && reader_.text(s[kKept2]) &&
                          reader_.text(s[kKept3]) && reader_.u8(kept_a) && reader_.u8(kept_b) && reader_.packed(further);
        if (!read) {
            release(s, kStrings);
            return false;
        }
        // Kinds 1 and 2 have no popup here: their items are read and dropped.
        void* into = kind == 1 || kind == 2 ? nullptr : sink_.menu_begin();
        const bool whole = items(into, 0);
        if (into) sink_.menu_end(into, s[kTitle]);
        release(s, kStrings);
        return whole;
    }

    // `into` null: the items are read and dropped.
    bool items(void* into, int depth) {
        std::int32_t n = 0;
        if (!count(n)) return false;
        for (std::int32_t i = 0; i < n; ++i)
            if (!item(into, depth)) return false;
        return true;
    }

    bool item(void* into, int depth) {
        MenuItemRecord r = {};
        std::uint8_t has_submenu = 0;
        const bool read = reader_.packed(r.kind) && reader_.text(r.text) && reader_.text(r.name) &&
                          reader_.packed(r.index) && reader_.text(r.shortcut) && reader_.text(r.kept[0]) &&
                          reader_.text(r.kept[1]) && reader_.u8(r.flag) && reader_.u8(has_submenu) &&
                          reader_.packed(r.class_index);
        void* sub = nullptr;
        const bool made = read && (!into || r.kind == 2 || sink_.item(into, r, has_submenu != 0, sub));
        RuntimeString* const left[] = {r.text, r.name, r.shortcut, r.kept[0], r.kept[1]};
        release(left, 5);
        if (!made) return false;
        return !has_submenu || (depth < kDeepestSubmenu && items(sub, depth + 1));
    }

    PackedReader reader_;
    std::size_t length_;
    MenuStreamSink& sink_;
};

}  // namespace

bool menu_stream_read(const std::uint8_t* stream, std::size_t length, MenuStreamSink& sink) {
    return Reader(stream, length, sink).menus();
}

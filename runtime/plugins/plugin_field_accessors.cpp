#include "plugin_field_accessors.h"

#include <windows.h>

#include <cstring>

#include "objects/objects.h"
#include "strings/runtime_string.h"

namespace {

std::uint8_t* field(RuntimeObject* object, std::uint32_t offset) {
    return reinterpret_cast<std::uint8_t*>(object) + offset;
}

RuntimeString* get_string(RuntimeObject* object, std::uint32_t offset) {
    RuntimeString* value;
    std::memcpy(&value, field(object, offset), sizeof value);
    RuntimeLockString(value);
    return value;
}
RuntimeObject* get_object(RuntimeObject* object, std::uint32_t offset) {
    RuntimeObject* value;
    std::memcpy(&value, field(object, offset), sizeof value);
    return RuntimeLockObject(value);
}
std::int32_t get_boolean(RuntimeObject* object, std::uint32_t offset) { return *field(object, offset) != 0; }
// Floating values come back on the FPU stack, where compiled code expects them.
float get_single(RuntimeObject* object, std::uint32_t offset) {
    float value;
    std::memcpy(&value, field(object, offset), sizeof value);
    return value;
}
double get_double(RuntimeObject* object, std::uint32_t offset) {
    double value;
    std::memcpy(&value, field(object, offset), sizeof value);
    return value;
}
std::int32_t get_word(RuntimeObject* object, std::uint32_t offset) {
    std::int32_t value;
    std::memcpy(&value, field(object, offset), sizeof value);
    return value;
}

void (*g_redraw)(RuntimeObject*) = nullptr;

void after_store(RuntimeObject* object, void (*redraw)(RuntimeObject*)) {
    if (redraw) redraw(object);
}

void set_string(RuntimeObject* object, std::uint32_t offset, std::uintptr_t value, void (*redraw)(RuntimeObject*)) {
    string_assign(reinterpret_cast<RuntimeString**>(field(object, offset)), reinterpret_cast<RuntimeString*>(value));
    after_store(object, redraw);
}
void set_object(RuntimeObject* object, std::uint32_t offset, std::uintptr_t value, void (*redraw)(RuntimeObject*)) {
    RuntimeObject* old;
    std::memcpy(&old, field(object, offset), sizeof old);
    RuntimeObject* fresh = RuntimeLockObject(reinterpret_cast<RuntimeObject*>(value));
    std::memcpy(field(object, offset), &fresh, sizeof fresh);
    RuntimeUnlockObject(old);
    after_store(object, redraw);
}
void set_boolean(RuntimeObject* object, std::uint32_t offset, std::uintptr_t value, void (*redraw)(RuntimeObject*)) {
    *field(object, offset) = (value & 0xFF) != 0;
    after_store(object, redraw);
}
void set_word(RuntimeObject* object, std::uint32_t offset, std::uintptr_t value, void (*redraw)(RuntimeObject*)) {
    std::uint32_t word = static_cast<std::uint32_t>(value);
    std::memcpy(field(object, offset), &word, sizeof word);
    after_store(object, redraw);
}

// A Double arrives as two words, low word first.
void set_double(RuntimeObject* object, std::uint32_t offset, std::uint32_t low, std::uint32_t high,
                void (*redraw)(RuntimeObject*)) {
    std::uint32_t words[2] = {low, high};
    std::memcpy(field(object, offset), words, sizeof words);
    after_store(object, redraw);
}

// Thunks are made once per property and never freed.
constexpr std::size_t kThunkSize = 32;
std::uint8_t* g_pool = nullptr;
std::size_t g_pool_left = 0;

std::uint8_t* new_thunk() {
    if (g_pool_left < kThunkSize) {
        g_pool = static_cast<std::uint8_t*>(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
        g_pool_left = g_pool ? 4096 : 0;
        if (!g_pool) return nullptr;
    }
    std::uint8_t* thunk = g_pool;
    g_pool += kThunkSize;
    g_pool_left -= kThunkSize;
    return thunk;
}

class CodeWriter {
public:
    explicit CodeWriter(std::uint8_t* at) : at_(at) {}
    void bytes(std::initializer_list<std::uint8_t> b) {
        for (std::uint8_t x : b) *at_++ = x;
    }
    void word(std::uint32_t w) {
        std::memcpy(at_, &w, 4);
        at_ += 4;
    }
    void push(std::uint32_t value) {
        bytes({0x68});
        word(value);
    }
    void push_argument_at(std::uint8_t esp_offset) { bytes({0xFF, 0x74, 0x24, esp_offset}); }
    void call(const void* target) {
        bytes({0xE8});
        word(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(target) -
                                        (reinterpret_cast<std::uintptr_t>(at_) + 4)));
    }
    void pop_and_return(std::uint8_t bytes_pushed) { bytes({0x83, 0xC4, bytes_pushed, 0xC3}); }

private:
    std::uint8_t* at_;
};

std::uint32_t word_of(const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }

void redraw_through_hook(RuntimeObject* control) {
    if (g_redraw) g_redraw(control);
}

}  // namespace

void plugin_field_accessors_set_redraw(void (*redraw)(RuntimeObject*)) { g_redraw = redraw; }

void* field_getter_for(PluginValueType type, std::uint32_t offset) {
    const void* target;
    switch (type) {
        case PluginValueType::String: target = reinterpret_cast<const void*>(&get_string); break;
        case PluginValueType::Object: target = reinterpret_cast<const void*>(&get_object); break;
        case PluginValueType::Boolean: target = reinterpret_cast<const void*>(&get_boolean); break;
        case PluginValueType::Single: target = reinterpret_cast<const void*>(&get_single); break;
        case PluginValueType::Double: target = reinterpret_cast<const void*>(&get_double); break;
        default: target = reinterpret_cast<const void*>(&get_word); break;
    }
    std::uint8_t* thunk = new_thunk();
    if (!thunk) return nullptr;
    // getter(object) -> target(object, offset)
    CodeWriter code(thunk);
    code.push(offset);
    code.push_argument_at(8);
    code.call(target);
    code.pop_and_return(8);
    return thunk;
}

void* field_setter_for(PluginValueType type, std::uint32_t offset, bool redraw) {
    const std::uint32_t redraw_word = redraw ? word_of(reinterpret_cast<const void*>(&redraw_through_hook)) : 0;
    if (type == PluginValueType::Double) {
        std::uint8_t* thunk = new_thunk();
        if (!thunk) return nullptr;
        // setter(object, low, high) -> set_double(object, offset, low, high, redraw)
        CodeWriter code(thunk);
        code.push(redraw_word);
        code.push_argument_at(16);  // high word
        code.push_argument_at(16);  // low word
        code.push(offset);
        code.push_argument_at(20);  // object
        code.call(reinterpret_cast<const void*>(&set_double));
        code.pop_and_return(20);
        return thunk;
    }
    const void* target;
    switch (type) {
        case PluginValueType::String: target = reinterpret_cast<const void*>(&set_string); break;
        case PluginValueType::Object: target = reinterpret_cast<const void*>(&set_object); break;
        case PluginValueType::Boolean: target = reinterpret_cast<const void*>(&set_boolean); break;
        default: target = reinterpret_cast<const void*>(&set_word); break;
    }
    std::uint8_t* thunk = new_thunk();
    if (!thunk) return nullptr;
    // setter(object, value) -> target(object, offset, value, redraw)
    CodeWriter code(thunk);
    code.push(redraw_word);
    code.push_argument_at(12);  // value
    code.push(offset);
    code.push_argument_at(16);  // object
    code.call(target);
    code.pop_and_return(16);
    return thunk;
}

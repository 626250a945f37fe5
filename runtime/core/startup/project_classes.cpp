#include <windows.h>

#include <cstdio>

#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "exceptions/failure_report.h"
#include "objects/memory.h"
#include "startup/project_description.h"
#include "strings/runtime_string.h"

namespace {

PluginClassLookup g_plugin_lookup = nullptr;

// Reads the little-endian words of one record, refusing to leave the data.
class WordReader {
public:
    WordReader(const std::uint8_t* at, const DataSpan& data) : at_(at), data_(data) {}
    bool word(std::uint32_t& out) {
        if (!ok_ || !data_.contains(at_, 4)) return ok_ = false;
        out = at_[0] | (at_[1] << 8) | (at_[2] << 16) | (static_cast<std::uint32_t>(at_[3]) << 24);
        at_ += 4;
        return true;
    }
    // A pointer to a string literal record in the data; nil stays nil.
    bool string(RuntimeString*& out) {
        std::uint32_t p;
        if (!word(p)) return false;
        out = reinterpret_cast<RuntimeString*>(static_cast<std::uintptr_t>(p));
        if (out && !data_.contains(out, sizeof(RuntimeString))) return ok_ = false;
        return true;
    }
    const std::uint8_t* position() const { return at_; }
    // Steps over n words that stay in place (a virtual method table).
    void skip_words(std::uint32_t n) {
        if (n > data_.size / 4 || !data_.contains(at_, 4 * n)) ok_ = false;
        else at_ += 4 * n;
    }
    bool ok() const { return ok_; }

private:
    const std::uint8_t* at_;
    DataSpan data_;
    bool ok_ = true;
};

// Descriptors keep their own reference to literal names.
RuntimeString* kept(RuntimeString* literal) {
    RuntimeLockString(literal);
    return literal;
}

RuntimeClass* provided_class(RuntimeString* name) {
    if (RuntimeClass* cls = builtin_class_named(string_cstr(name), string_length(name))) return cls;
    return g_plugin_lookup ? g_plugin_lookup(name) : nullptr;
}

struct ImageClass {
    RuntimeClass* cls;
    std::int32_t superclass;
    std::uint32_t kind;
};

bool read_image_class(WordReader& in, std::uint32_t kind, RuntimeClass* const* table, std::uint32_t table_size,
                      ImageClass& out) {
    std::uint32_t size, superclass, has_hooks, interface_flag, count;
    RuntimeString* name;
    if (!in.word(size) || !in.string(name) || !in.word(superclass) || !in.word(has_hooks)) return false;
    RuntimeClass* cls = class_new(kept(name));
    cls->instance_size = size;
    out = {cls, static_cast<std::int32_t>(superclass), kind};
    if (has_hooks) {
        std::uint32_t constructor, destructor;
        if (!in.word(constructor) || !in.word(destructor)) return false;
        cls->constructor = reinterpret_cast<ObjectHook>(static_cast<std::uintptr_t>(constructor));
        cls->destructor = reinterpret_cast<ObjectHook>(static_cast<std::uintptr_t>(destructor));
    }
    if (!in.word(interface_flag)) return false;
    cls->is_interface = (interface_flag & 0xFF) == 1;
    if (!in.word(count)) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t index;
        if (!in.word(index)) return false;
        // Only classes already built are known; others are not listed.
        if (RuntimeClass* interface_class = index < table_size ? table[index] : nullptr) {
            class_add_interface(cls, interface_class);
        }
    }
    if (!in.word(count)) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        RuntimeString* method;
        std::uint32_t code = 0;
        if (!in.string(method) || (!cls->is_interface && !in.word(code))) return false;
        class_add_method(cls, kept(method), reinterpret_cast<void*>(static_cast<std::uintptr_t>(code)));
    }
    if (!in.word(count)) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        RuntimeString* event;
        std::uint32_t code, key;
        if (!in.string(event) || !in.word(code) || !in.word(key)) return false;
        class_add_handler(cls, kept(event), static_cast<std::int32_t>(key), reinterpret_cast<void*>(static_cast<std::uintptr_t>(code)));
    }
    if (!in.word(count)) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        RuntimeString* item;
        std::uint32_t code;
        if (!in.string(item) || !in.word(code)) return false;
        class_add_menu_handler(cls, kept(item), reinterpret_cast<void*>(static_cast<std::uintptr_t>(code)));
    }
    if (!in.word(count)) return false;
    cls->vtable = reinterpret_cast<void**>(const_cast<std::uint8_t*>(in.position()));
    cls->vtable_length = count;
    in.skip_words(count);
    return in.ok();
}

void report_bad_size(const RuntimeClass* cls, const RuntimeClass* super) {
    char line[300];
    OutputDebugStringA("!!! RuntimeInit -- Bad class object size\n");
    std::snprintf(line, sizeof line, "\tClass Name: %s\n\tClass Size: %u\n\tSuper Name: %s\n\tSuper Size: %u\n",
                  string_cstr(cls->name), cls->instance_size, string_cstr(super->name), super->instance_size);
    OutputDebugStringA(line);
}

}  // namespace

void project_set_plugin_class_lookup(PluginClassLookup lookup) { g_plugin_lookup = lookup; }

RuntimeClass* project_read_classes(const std::uint8_t* description, const DataSpan& data, bool& ok) {
    WordReader top(description, data);
    std::uint32_t count;
    ok = top.word(count) && count <= data.size / 4 && data.contains(description + 4, 4 * count);
    if (!ok) return nullptr;
    auto** table = static_cast<RuntimeClass**>(runtime_alloc(sizeof(RuntimeClass*) * (count ? count : 1)));
    auto* image_classes = static_cast<ImageClass*>(runtime_alloc(sizeof(ImageClass) * (count ? count : 1)));

    // Pass 1: provided classes by name, image classes from their records.
    for (std::uint32_t i = 0; i < count && ok; ++i) {
        std::uint32_t record = 0;
        top.word(record);
        WordReader in(reinterpret_cast<const std::uint8_t*>(static_cast<std::uintptr_t>(record)), data);
        std::uint32_t kind;
        if (!in.word(kind)) {
            ok = false;
            break;
        }
        if (kind == 1) {
            RuntimeString* name;
            if (!in.string(name)) ok = false;
            else if (!(table[i] = provided_class(name))) runtime_failure_report(132, 2, "RuntimeMain", 0);
            continue;
        }
        // Any other kind reads like kind 0; only kind 0 gets a superclass.
        ok = read_image_class(in, kind, table, count, image_classes[i]);
        table[i] = image_classes[i].cls;
    }
    class_table_install(table, ok ? count : 0);
    if (!ok) return nullptr;

    // Pass 2: superclasses, and the size check (a diagnostic only).
    for (std::uint32_t i = 0; i < count; ++i) {
        const ImageClass& c = image_classes[i];
        if (!c.cls || c.kind != 0 || c.superclass == -1) continue;
        RuntimeClass* super = class_table_at(c.superclass);
        c.cls->superclass = super;
        if (super && c.cls->instance_size < super->instance_size) report_bad_size(c.cls, super);
    }

    // Pass 3: interface numbering and method tables.
    if (!class_model_complete()) runtime_failure_report(131, 4, "objects", 5709);

    // Pass 4: the application class; the last one in table order wins.
    RuntimeClass* application_class = nullptr;
    RuntimeClass* application = builtin_class(BuiltinClass::Application);
    for (std::uint32_t i = 0; i < count; ++i) {
        const ImageClass& c = image_classes[i];
        if (c.cls && c.kind == 0 && c.cls != application && class_descends_from(c.cls, application)) {
            application_class = c.cls;
        }
    }
    runtime_free(image_classes, sizeof(ImageClass) * (count ? count : 1));
    return application_class;
}

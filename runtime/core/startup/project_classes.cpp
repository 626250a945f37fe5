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

// Reads the little-endian words of one record, refusing to leave the data
// or to take a code pointer from outside the code.
class WordReader {
public:
    WordReader(const std::uint8_t* at, const DescriptionBlocks& blocks) : at_(at), blocks_(blocks) {}
    bool word(std::uint32_t& out) {
        if (!ok() || !blocks_.data.contains(at_, 4)) return fail(DescriptionDamage::outside_data);
        out = at_[0] | (at_[1] << 8) | (at_[2] << 16) | (static_cast<std::uint32_t>(at_[3]) << 24);
        at_ += 4;
        return true;
    }
    // A pointer to a string literal record in the data, its text included;
    // nil stays nil.
    bool string(RuntimeString*& out) {
        std::uint32_t p;
        if (!word(p)) return false;
        out = reinterpret_cast<RuntimeString*>(static_cast<std::uintptr_t>(p));
        if (out && !(blocks_.data.contains(out, sizeof(RuntimeString)) && text_in_data(out))) {
            return fail(DescriptionDamage::outside_data);
        }
        return true;
    }
    // A code pointer; null means none.
    bool code(void*& out) {
        std::uint32_t p;
        if (!word(p)) return false;
        out = reinterpret_cast<void*>(static_cast<std::uintptr_t>(p));
        if (out && !blocks_.code.contains(out, 1)) return fail(DescriptionDamage::outside_code);
        return true;
    }
    const std::uint8_t* position() const { return at_; }
    // Steps over n code pointers that stay in place (a virtual method table).
    bool skip_code(std::uint32_t n) {
        for (std::uint32_t i = 0; i < n; ++i) {
            void* entry;
            if (!code(entry)) return false;
        }
        return true;
    }
    bool ok() const { return damage_ == DescriptionDamage::none; }
    DescriptionDamage damage() const { return damage_; }

private:
    // Length byte, bytes and terminating zero.
    bool text_in_data(const RuntimeString* s) const {
        return s->length < blocks_.data.size && blocks_.data.contains(s->text, s->length + 2);
    }
    bool fail(DescriptionDamage why) {
        if (ok()) damage_ = why;
        return false;
    }

    const std::uint8_t* at_;
    DescriptionBlocks blocks_;
    DescriptionDamage damage_ = DescriptionDamage::none;
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
        void *constructor, *destructor;
        if (!in.code(constructor) || !in.code(destructor)) return false;
        cls->constructor = reinterpret_cast<ObjectHook>(constructor);
        cls->destructor = reinterpret_cast<ObjectHook>(destructor);
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
        void* code = nullptr;
        if (!in.string(method) || (!cls->is_interface && !in.code(code))) return false;
        class_add_method(cls, kept(method), code);
    }
    if (!in.word(count)) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        RuntimeString* event;
        void* code;
        std::uint32_t key;
        if (!in.string(event) || !in.code(code) || !in.word(key)) return false;
        class_add_handler(cls, kept(event), static_cast<std::int32_t>(key), code);
    }
    if (!in.word(count)) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        RuntimeString* item;
        void* code;
        if (!in.string(item) || !in.code(code)) return false;
        class_add_menu_handler(cls, kept(item), code);
    }
    if (!in.word(count)) return false;
    cls->vtable = reinterpret_cast<void**>(const_cast<std::uint8_t*>(in.position()));
    cls->vtable_length = count;
    return in.skip_code(count);
}

// A superclass chain that comes back to where it started would make every
// walk up it endless. Each chain is followed once: 1 marks the classes of the
// chain being followed, 2 those already known to end.
bool superclass_chains_end(const ImageClass* classes, std::uint32_t count) {
    auto* state = static_cast<std::uint8_t*>(runtime_alloc(count ? count : 1));
    auto next = [&](std::uint32_t i) -> std::uint32_t {
        const ImageClass& c = classes[i];
        bool has_super = c.cls && c.kind == 0 && c.superclass >= 0;
        return has_super ? static_cast<std::uint32_t>(c.superclass) : count;
    };
    bool ends = true;
    for (std::uint32_t start = 0; start < count && ends; ++start) {
        std::uint32_t i = start;
        for (; i < count && state[i] == 0; i = next(i)) state[i] = 1;
        ends = i >= count || state[i] == 2;
        for (i = start; i < count && state[i] == 1; i = next(i)) state[i] = 2;
    }
    runtime_free(state, count ? count : 1);
    return ends;
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

RuntimeClass* project_read_classes(const std::uint8_t* description, const DescriptionBlocks& blocks,
                                   DescriptionDamage& damage) {
    const DataSpan& data = blocks.data;
    WordReader top(description, blocks);
    std::uint32_t count;
    damage = DescriptionDamage::outside_data;
    if (!top.word(count) || count > data.size / 4 || !data.contains(description + 4, 4 * count)) return nullptr;
    damage = DescriptionDamage::none;
    auto** table = static_cast<RuntimeClass**>(runtime_alloc(sizeof(RuntimeClass*) * (count ? count : 1)));
    auto* image_classes = static_cast<ImageClass*>(runtime_alloc(sizeof(ImageClass) * (count ? count : 1)));

    // Pass 1: provided classes by name, image classes from their records.
    for (std::uint32_t i = 0; i < count && damage == DescriptionDamage::none; ++i) {
        std::uint32_t record = 0;
        top.word(record);
        WordReader in(reinterpret_cast<const std::uint8_t*>(static_cast<std::uintptr_t>(record)), blocks);
        std::uint32_t kind;
        if (in.word(kind) && kind == 1) {
            RuntimeString* name;
            if (in.string(name) && !(table[i] = provided_class(name))) {
                runtime_failure_report(132, 2, "RuntimeMain", 0);
            }
        } else if (in.ok()) {
            // Any other kind reads like kind 0; only kind 0 gets a superclass.
            read_image_class(in, kind, table, count, image_classes[i]);
            table[i] = image_classes[i].cls;
        }
        damage = in.damage();
    }
    if (damage == DescriptionDamage::none && !superclass_chains_end(image_classes, count)) {
        damage = DescriptionDamage::inherits_from_itself;
    }
    bool ok = damage == DescriptionDamage::none;
    class_table_install(table, ok ? count : 0);
    if (!ok) {
        runtime_free(image_classes, sizeof(ImageClass) * (count ? count : 1));
        return nullptr;
    }

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

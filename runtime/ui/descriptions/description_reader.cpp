#include "descriptions/description_reader.h"

#include "image/packed_reader.h"
#include "strings/runtime_string.h"

namespace {

// Hands on `count` pairs; false when the description ends inside one.
template <typename Take>
bool pairs(PackedReader& reader, std::int32_t count, Take take) {
    for (std::int32_t i = 0; i < count; ++i) {
        RuntimeString *name = nullptr, *value = nullptr;
        if (!reader.text(name) || !reader.text(value)) {
            RuntimeUnlockString(name);
            return false;
        }
        take(name, value);
        RuntimeUnlockString(name);
        RuntimeUnlockString(value);
    }
    return true;
}

bool read_binding(PackedReader& in, DescriptionBinding& b) {
    b = {0, 0, 0, nullptr, nullptr, nullptr, nullptr};
    return in.packed(b.source) && in.text(b.source_interface) && in.packed(b.target) && in.text(b.target_interface) &&
           in.packed(b.binder_class) && in.text(b.source_part) && in.text(b.target_part);
}

void release_binding(DescriptionBinding& b) {
    RuntimeUnlockString(b.source_interface);
    RuntimeUnlockString(b.target_interface);
    RuntimeUnlockString(b.source_part);
    RuntimeUnlockString(b.target_part);
}

bool read_control(PackedReader& reader, ControlsSink& sink) {
    std::int32_t class_index = 0, pair_count = 0;
    if (!reader.packed(class_index)) return false;
    sink.control(class_index);
    const bool complete = reader.packed(pair_count) &&
                          pairs(reader, pair_count, [&](RuntimeString* n, RuntimeString* v) { sink.control_pair(n, v); });
    sink.control_done(complete);
    return complete;
}

DescriptionRead controls(PackedReader& reader, ControlsSink& sink) {
    std::int32_t count = 0;
    if (!reader.packed(count)) return DescriptionRead::kDamagedControls;
    for (std::int32_t i = 0; i < count; ++i)
        if (!read_control(reader, sink)) return DescriptionRead::kDamagedControls;
    std::int32_t bindings = 0;
    if (!reader.packed(bindings)) return DescriptionRead::kDamagedControls;
    // The bindings are read before anything runs, so that a damaged entry
    // leaves no window half opened.
    PackedReader at_bindings = reader;
    for (std::int32_t i = 0; i < bindings; ++i) {
        DescriptionBinding b;
        const bool ok = read_binding(reader, b);
        release_binding(b);
        if (!ok) return DescriptionRead::kDamagedControls;
    }
    if (!sink.controls_done()) return DescriptionRead::kStopped;
    for (std::int32_t i = 0; i < bindings; ++i) {
        DescriptionBinding b;
        read_binding(at_bindings, b);
        const bool open = sink.binding(b);
        release_binding(b);
        if (!open) return DescriptionRead::kStopped;
    }
    sink.bindings_done();
    return DescriptionRead::kWhole;
}

}  // namespace

DescriptionRead description_read(const std::uint8_t* body, std::uint32_t length, WindowSink& sink) {
    PackedReader reader(body, length);
    std::int32_t pair_count = 0, class_index = 0;
    if (!reader.packed(pair_count) || !reader.packed(class_index)) return DescriptionRead::kDamagedWindow;
    if (!sink.window(class_index)) return DescriptionRead::kStopped;
    if (!pairs(reader, pair_count, [&](RuntimeString* n, RuntimeString* v) { sink.window_pair(n, v); }))
        return DescriptionRead::kDamagedWindow;
    ControlsSink* controls_sink = sink.window_done();
    return controls_sink ? controls(reader, *controls_sink) : DescriptionRead::kStopped;
}

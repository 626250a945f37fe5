// The body of a window description: the window's pairs, its controls and
// their bindings. The sink stands for a class table of 64 classes (the
// images' own indexes are among them), each good for a window; every string
// is only lent to it, and nothing may be left allocated.
#include "descriptions/description_reader.h"
#include "fuzz_shim.h"

namespace {
constexpr std::int32_t kClasses = 64;

class Controls final : public ControlsSink {
public:
    void control(std::int32_t) override {}
    void control_pair(RuntimeString*, RuntimeString*) override {}
    void control_done(bool) override {}
    bool controls_done() override { return true; }
    bool binding(const DescriptionBinding&) override { return true; }
    void bindings_done() override {}
};

class Window final : public WindowSink {
public:
    bool window(std::int32_t class_index) override { return class_index >= 0 && class_index < kClasses; }
    void window_pair(RuntimeString*, RuntimeString*) override {}
    ControlsSink* window_done() override { return &controls_; }

private:
    Controls controls_;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t baseline = fuzz_memory_in_use();
    Window sink;
    description_read(data, static_cast<std::uint32_t>(size), sink);
    fuzz_expect_memory(baseline);
    return 0;
}

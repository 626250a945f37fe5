#include "exceptions/unwinder.h"

#include <windows.h>

#include "exceptions/readable_memory.h"

namespace {

constexpr std::uint8_t kShortJump = 0xEB;
constexpr std::uint8_t kRecordMark = 0x2F;
constexpr std::uintptr_t kMaxFrameDistance = 4096;

enum CallSiteAction : std::uint8_t { kEndOfActions = 0, kReleaseStringArg = 1, kReleaseObjectArg = 2, kNoHandlers = 7 };
enum TrailerEntry : std::uint8_t { kEndOfTrailer = 0, kHandler = 4, kStringLocal = 5, kObjectLocal = 6 };

std::uint32_t word_at(std::uintptr_t address) { return *reinterpret_cast<const std::uint32_t*>(address); }

// Reads code bytes forward, asking about readability once per region.
class CodeReader {
public:
    explicit CodeReader(std::uintptr_t at) : at_(at), readable_end_(at) {}

    std::uintptr_t position() const { return at_; }
    bool next(std::uint8_t& out) {
        if (at_ >= readable_end_) {
            std::size_t extent = memory_readable_extent(at_, 4096);
            if (extent == 0) return false;
            readable_end_ = at_ + extent;
        }
        out = *reinterpret_cast<const std::uint8_t*>(at_++);
        return true;
    }
    bool big_endian(int bytes, std::uint32_t& out) {
        out = 0;
        for (int i = 0; i < bytes; ++i) {
            std::uint8_t b;
            if (!next(b)) return false;
            out = (out << 8) | b;
        }
        return true;
    }

private:
    std::uintptr_t at_;
    std::uintptr_t readable_end_;
};

void release_slot(std::uintptr_t slot, bool string, const UnwindServices& services) {
    if (!memory_is_readable(slot, 4)) return;
    auto* cell = reinterpret_cast<void**>(slot);
    void* value = *cell;
    // Zero first: a destructor that raises again must not find it twice.
    *cell = nullptr;
    if (!value) return;
    if (string) services.release_string(value);
    else services.release_object(value);
}

[[noreturn]] __attribute__((noinline)) void enter_handler(std::uintptr_t frame, std::uintptr_t code) {
    // Exception registrations of the abandoned frames lie below `frame`;
    // leaving them on the thread's chain would point it at dead stack.
    NT_TIB* tib;
    asm("movl %%fs:0x18, %0" : "=r"(tib));  // the thread's own information block
    while (reinterpret_cast<std::uintptr_t>(tib->ExceptionList) < frame) tib->ExceptionList = tib->ExceptionList->Next;
    // The handler's code relies on its frame pointer only; the stack pointer
    // stays down here, below that frame, until its epilogue's leave.
    asm volatile("movl %0, %%ebp\n\t"
                 "jmp *%1"
                 :
                 : "a"(frame), "c"(code)
                 : "memory");
    __builtin_unreachable();
}

// Carries out the actions of the call-site record at `record`; false when
// this frame's handlers are switched off.
bool run_call_site_actions(std::uintptr_t record, std::uintptr_t callee_frame, const UnwindServices& services) {
    CodeReader code(record + 3);
    bool handlers = true;
    std::uint8_t action, offset;
    while (code.next(action) && action != kEndOfActions) {
        switch (action) {
            case kReleaseStringArg:
            case kReleaseObjectArg:
                if (!code.next(offset)) return handlers;
                release_slot(callee_frame + 8 + offset, action == kReleaseStringArg, services);
                break;
            case kNoHandlers: handlers = false; break;
            default:
                // The length of an unknown action is unknown too: the rest of
                // this record cannot be read.
                services.bad_action();
                return handlers;
        }
    }
    return handlers;
}

// Finds the trailer of the function holding `return_address`: the first
// C9 C3 2F after it. Returns the address of its first entry, or 0.
std::uintptr_t find_trailer(std::uintptr_t return_address) {
    CodeReader code(return_address);
    std::uint8_t a = 0, b = 0, c;
    while (code.next(c)) {
        if (a == 0xC9 && b == 0xC3 && c == kRecordMark) return code.position();
        a = b;
        b = c;
    }
    return 0;
}

void run_trailer(RuntimeObject* exception, std::uintptr_t entries, std::uintptr_t frame, bool handlers,
                 const UnwindServices& services) {
    CodeReader code(entries);
    std::uint8_t entry;
    std::uint32_t value, distance;
    while (code.next(entry)) {
        switch (entry) {
            case kHandler: {
                if (!code.big_endian(2, value)) return;
                std::uintptr_t distance_field = code.position();
                if (!code.big_endian(4, distance)) return;
                int class_index = static_cast<std::int16_t>(value);
                if (handlers && services.is_a(exception, class_index) && memory_is_readable(frame - 4, 4)) {
                    *reinterpret_cast<RuntimeObject**>(frame - 4) = exception;
                    services.entering(frame);
                    enter_handler(frame, distance_field + static_cast<std::int32_t>(distance));
                }
                break;
            }
            case kStringLocal:
            case kObjectLocal:
                if (!code.big_endian(2, value)) return;
                release_slot(frame + static_cast<std::int16_t>(value), entry == kStringLocal, services);
                break;
            case kEndOfTrailer:
                if (memory_is_readable(frame - 4, 4)) *reinterpret_cast<std::uint32_t*>(frame - 4) = 0;
                return;
            default: break;  // unknown entries are skipped byte by byte
        }
    }
}

}  // namespace

void unwind(RuntimeObject* exception, std::uintptr_t frame, const UnwindServices& services) {
    for (std::uintptr_t f = frame;;) {
        if (!memory_is_readable(f, 12)) return;
        std::uintptr_t caller_frame = word_at(f);
        std::uintptr_t return_address = word_at(f + 4);
        std::uint8_t record[3];
        if (memory_is_readable(return_address, 4)) {
            for (int i = 0; i < 3; ++i) record[i] = reinterpret_cast<const std::uint8_t*>(return_address)[i];
        } else {
            return;
        }
        // Code without records (the runtime's own) holds nothing to release.
        if (record[0] == kShortJump && record[2] == kRecordMark) {
            bool handlers = run_call_site_actions(return_address, f, services);
            if (std::uintptr_t trailer = find_trailer(return_address)) {
                run_trailer(exception, trailer, caller_frame, handlers, services);
            }
        }
        // A frame that does not lie above this one ends the walk; so does one
        // implausibly far away.
        if (caller_frame <= f || caller_frame - f > kMaxFrameDistance) return;
        f = caller_frame;
    }
}

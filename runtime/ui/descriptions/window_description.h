// Windows made from the window descriptions of the image.
#pragma once

#include <cstdint>

struct RuntimeObject;

extern "C" {
// `description` points at the u32 body length. The new window goes into
// `instance_slot` (when given) before any property is applied; the caller
// owns the returned reference. Nil when the window closed during its own
// Open, or the description is damaged (its message was shown).
RuntimeObject* RuntimeCreateWindow(const std::uint8_t* description, RuntimeObject** instance_slot);
}

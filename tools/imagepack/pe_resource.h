// Finds a resource's bytes inside a PE file image (on disk layout).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "image_file.h"

namespace pe {

struct Span {
    std::size_t offset;  // file offset of the resource data
    std::size_t size;
};

// Resource of named type `type` (e.g. "PICKLE") and integer id, first language.
bool find_resource(const image::Bytes& file, const std::string& type, std::uint16_t id, Span& out,
                   std::string& error);

}  // namespace pe

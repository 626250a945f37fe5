// Start-up of the runtime with the image's project description.
#pragma once

#include <cstddef>
#include <cstdint>

// For a host that hands RuntimeInit a description outside a loaded image
// (the tests): the block its records lie in.
void runtime_set_description_data(const std::uint8_t* start, std::size_t size);

extern "C" void RuntimeInit(const std::uint8_t* description);

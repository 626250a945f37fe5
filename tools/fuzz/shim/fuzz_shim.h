// What the runtime fuzz targets share: the input as the program file, the
// boxes the readers would show, and a check that nothing leaks.
#pragma once

#include <cstddef>
#include <cstdint>

struct FuzzInput {
    const std::uint8_t* bytes;
    std::size_t size;
};

void fuzz_set_program_file(const std::uint8_t* bytes, std::size_t size);
// The data block of the loaded image, as the readers of its records see it.
void fuzz_set_image_data(const std::uint8_t* data, std::uint32_t size);
// Messages shown through RuntimeMsgBox since the last call.
int fuzz_boxes_shown();
// Aborts when runtime memory is still handed out beyond `baseline` bytes.
void fuzz_expect_memory(std::size_t baseline);
std::size_t fuzz_memory_in_use();

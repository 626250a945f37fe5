// imagepack: joins an application image to a copy of runner.exe, or writes
// it as the four loose files the runtime reads when nothing is appended.
//
//   imagepack append RUNNER.exe IMAGE OUT.exe
//   imagepack loose IMAGE OUTDIR
//   imagepack poke IMAGE MAP WHERE VALUE OUT.img   (see image_poke.h)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "image_file.h"
#include "image_poke.h"
#include "pe_resource.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: imagepack append RUNNER.exe IMAGE OUT.exe\n"
                 "       imagepack loose IMAGE OUTDIR\n"
                 "       imagepack poke IMAGE MAP WHERE VALUE OUT.img\n");
    return 2;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "imagepack: %s\n", message.c_str());
    return 1;
}

bool read_image(const std::string& path, image::Blocks& blocks, std::string& error) {
    image::Bytes bytes;
    if (!image::read_file(path, bytes, error)) return false;
    if (!image::parse(bytes, blocks, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

int append(const std::string& runner_path, const std::string& image_path, const std::string& out_path) {
    std::string error;
    image::Bytes runner;
    image::Blocks blocks;
    if (!image::read_file(runner_path, runner, error) || !read_image(image_path, blocks, error)) return fail(error);
    pe::Span locator;
    if (!pe::find_resource(runner, "PICKLE", 101, locator, error)) return fail(runner_path + ": " + error);
    if (locator.size < 8) return fail(runner_path + ": the PICKLE resource is shorter than 8 bytes");
    if (std::memcmp(&runner[locator.offset], "PICK", 4) != 0) {
        return fail(runner_path + " already carries an application image");
    }
    const std::uint32_t image_offset = static_cast<std::uint32_t>(runner.size());
    image::Bytes words;
    image::put_u32(words, image_offset);
    image::put_u32(words, 0xFFFFFFFFu);  // no media table
    std::copy(words.begin(), words.end(), runner.begin() + static_cast<long>(locator.offset));
    image::Bytes appended = image::serialize(blocks);
    runner.insert(runner.end(), appended.begin(), appended.end());
    if (!image::write_file(out_path, runner, error)) return fail(error);
    return 0;
}

int loose(const std::string& image_path, const std::string& out_dir) {
    std::string error;
    image::Blocks blocks;
    if (!read_image(image_path, blocks, error)) return fail(error);
    const image::Bytes* in_order[4] = {&blocks.code, &blocks.link, &blocks.data, &blocks.res};
    for (int i = 0; i < 4; ++i) {
        if (!image::write_file(out_dir + "/" + image::kLooseFileNames[i], *in_order[i], error)) return fail(error);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "append") == 0) return append(argv[2], argv[3], argv[4]);
    if (argc == 4 && std::strcmp(argv[1], "loose") == 0) return loose(argv[2], argv[3]);
    if (argc == 7 && std::strcmp(argv[1], "poke") == 0) {
        std::string error;
        std::uint32_t value = static_cast<std::uint32_t>(std::strtoul(argv[5], nullptr, 0));
        return poke_image(argv[2], argv[3], argv[4], value, argv[6], error) ? 0 : fail(error);
    }
    return usage();
}

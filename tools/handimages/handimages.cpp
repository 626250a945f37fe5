// handimages: writes small hand-assembled application images for the
// runtime's end-to-end tests and the README sample. Each image is a few
// bytes of x86 with its link records and relocation stream written out by
// hand, so the loader is tested independently of the compiler.
//
//   handimages OUTDIR     writes OUTDIR/<name>.img for every image below
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "image_file.h"

namespace {

using image::Bytes;

struct Import {
    std::string name;
    std::vector<std::uint32_t> sites;  // code offsets of displacement fields
};

// A tiny assembler: bytes plus the call sites and data references that
// become link records.
struct Builder {
    Bytes code, data, res;
    std::vector<Import> imports;
    std::vector<std::uint32_t> data_refs;  // code offsets patched by data base

    void op(std::initializer_list<std::uint8_t> bytes) { code.insert(code.end(), bytes); }
    void u32(std::uint32_t v) { image::put_u32(code, v); }
    void call(const std::string& name) {
        op({0xE8});
        for (Import& import : imports) {
            if (import.name == name) {
                import.sites.push_back(static_cast<std::uint32_t>(code.size()));
                u32(0);
                return;
            }
        }
        imports.push_back({name, {static_cast<std::uint32_t>(code.size())}});
        u32(0);
    }
    // push dword [data + offset]
    void push_data_word(std::uint32_t offset) {
        op({0xFF, 0x35});
        data_refs.push_back(static_cast<std::uint32_t>(code.size()));
        u32(offset);
    }
    void declare(const std::string& name) { imports.push_back({name, {}}); }
    void reloc(std::uint16_t word) { image::put_u16(res, word); }

    image::Blocks finish() const {
        image::Blocks blocks{code, {}, data, res};
        for (std::uint32_t offset : data_refs) {
            blocks.link.push_back(0x02);
            image::put_u32(blocks.link, offset);
        }
        for (const Import& import : imports) {
            // The chain runs from the first site to the last; fields hold the next link.
            for (std::size_t i = 0; i + 1 < import.sites.size(); ++i) {
                std::uint32_t next = import.sites[i + 1];
                std::memcpy(&blocks.code[import.sites[i]], &next, 4);
            }
            blocks.link.push_back(0x01);
            image::put_u32(blocks.link, import.sites.empty() ? 0 : import.sites[0]);
            blocks.link.push_back(static_cast<std::uint8_t>(import.name.size()));
            blocks.link.insert(blocks.link.end(), import.name.begin(), import.name.end());
        }
        return blocks;
    }
};

void put_literal(Bytes& data, std::uint32_t record_at, std::uint32_t buffer_at, const std::string& text) {
    // String record: count 1, text address (relocated), buffer size, length.
    if (data.size() < buffer_at + text.size() + 2) data.resize(buffer_at + text.size() + 2);
    std::uint32_t words[4] = {1, buffer_at, static_cast<std::uint32_t>(text.size() + 2),
                              static_cast<std::uint32_t>(text.size())};
    std::memcpy(&data[record_at], words, sizeof words);
    data[buffer_at] = static_cast<std::uint8_t>(text.size() < 255 ? text.size() : 255);
    std::memcpy(&data[buffer_at + 1], text.data(), text.size());
}

const char* const kGreeting = "Hello from the Tunequilt runtime: ";
const char* const kSample = "the sample image is running.";

// Entry: MsgBox(AddString(A, B)); MsgBox(B); GetTickCount(); return 0.
// A and B are reached through pointers at data+8 and data+12, which the
// relocation stream makes absolute.
Builder hello(const std::string& extra_import = "") {
    Builder b;
    b.op({0x55, 0x89, 0xE5});   // push ebp; mov ebp, esp
    b.push_data_word(12);       // b
    b.push_data_word(8);        // a
    b.call("RuntimeAddString");
    b.op({0x83, 0xC4, 0x08});   // add esp, 8
    b.op({0x50, 0x50});         // push eax (for the release); push eax
    b.call("RuntimeMsgBox");
    b.op({0x83, 0xC4, 0x04});
    b.call("runtimeunlockstring");  // letter case must not matter
    b.op({0x83, 0xC4, 0x04});
    b.push_data_word(12);
    b.call("RuntimeMsgBox");    // second site of the same chain
    b.op({0x83, 0xC4, 0x04});
    b.call("!Xkernel32.dll!GetTickCount");
    if (!extra_import.empty()) b.call(extra_import);
    b.op({0x31, 0xC0, 0xC9, 0xC3});  // xor eax, eax; leave; ret
    b.declare("!Xkernel32.dll!GetCurrentProcessId");  // same library: loaded once
    b.declare("!MSelectFolder as FolderItem");        // plugin reference without call sites
    b.declare("RuntimeInit");                         // chain head 0: binds nothing

    b.data.assign(16, 0);
    std::uint32_t record_a = 16, record_b = 32, buffer_a = 48;
    std::uint32_t buffer_b = buffer_a + static_cast<std::uint32_t>(std::strlen(kGreeting)) + 2;
    std::uint32_t pointers[2] = {record_a, record_b};
    std::memcpy(&b.data[8], pointers, 8);
    put_literal(b.data, record_a, buffer_a, kGreeting);
    put_literal(b.data, record_b, buffer_b, kSample);

    b.reloc(0x4000);  // data+0: entry point, code base
    b.reloc(0x8003);  // skip the project description word (this image has none)
    b.reloc(0x4201);  // data+8, data+12: record pointers, data base
    b.reloc(0x1234);  // ignored: neither relocates nor moves
    b.reloc(0x8003);  // to data+20, record A's text
    b.reloc(0x4200);
    b.reloc(0x800B);  // to data+36, record B's text
    b.reloc(0x4200);
    b.res.push_back(0x42);  // odd last byte: ignored
    return b;
}

Builder calls(const std::string& import) {
    Builder b;
    b.op({0x55, 0x89, 0xE5});
    b.call(import);
    b.op({0x31, 0xC0, 0xC9, 0xC3});
    b.data.assign(8, 0);
    b.reloc(0x4000);
    return b;
}

Builder chain_outside_code() {
    Builder b = calls("RuntimeMsgBox");
    std::uint32_t outside = 0x10000;
    std::memcpy(&b.code[4], &outside, 4);  // the only site links far past the code
    return b;
}

Builder relocation_outside_data() {
    Builder b = calls("RuntimeMsgBox");
    b.reloc(0x8FFF);
    b.reloc(0x4200);
    return b;
}

struct Named {
    const char* name;
    Builder builder;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: handimages OUTDIR\n");
        return 2;
    }
    const Named images[] = {
        {"hello", hello()},
        {"missing_library", calls("!Xnosuchlib.dll!Anything")},
        {"missing_routine", calls("!Xkernel32.dll!NoSuchRoutine")},
        {"unknown_import", calls("RuntimeNoSuchThing")},
        {"trap", hello("databaseSQLSelect")},
        {"chain_outside_code", chain_outside_code()},
        {"relocation_outside_data", relocation_outside_data()},
    };
    for (const Named& entry : images) {
        std::string error;
        std::string path = std::string(argv[1]) + "/" + entry.name + ".img";
        if (!image::write_file(path, image::serialize(entry.builder.finish()), error)) {
            std::fprintf(stderr, "handimages: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}

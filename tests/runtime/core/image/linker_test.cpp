// The linker and the relocation stream on small synthetic blocks.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "image/export_table.h"
#include "image/linker.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t u32_at(const Bytes& b, std::size_t at) {
    std::uint32_t v;
    std::memcpy(&v, &b[at], 4);
    return v;
}

void put_u32(Bytes& b, std::size_t at, std::uint32_t v) { std::memcpy(&b[at], &v, 4); }

std::uint32_t address(const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }

std::string text_of(RuntimeString* s) {
    std::string text = string_cstr(s);
    RuntimeUnlockString(s);
    return text;
}

struct Image {
    Bytes code = Bytes(64, 0x90);
    Bytes data = Bytes(32, 0);
    ImageMemory memory() { return {code.data(), static_cast<std::uint32_t>(code.size()), data.data(),
                                   static_cast<std::uint32_t>(data.size()), false}; }
    std::string link(const Bytes& records) { return text_of(link_image(memory(), records.data(), static_cast<std::uint32_t>(records.size()))); }
    // The value a call whose displacement field sits at `at` must hold to reach target.
    std::uint32_t displacement_to(std::size_t at, const void* target) { return address(target) - (address(&code[at]) + 4); }
};

Bytes import(std::uint32_t head, const std::string& name) {
    Bytes r(6 + name.size());
    r[0] = 0x01;
    std::memcpy(&r[1], &head, 4);
    r[5] = static_cast<std::uint8_t>(name.size());
    std::copy(name.begin(), name.end(), r.begin() + 6);
    return r;
}

Bytes data_ref(std::uint32_t offset) {
    Bytes r = {0x02, 0, 0, 0, 0};
    std::memcpy(&r[1], &offset, 4);
    return r;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// ---- call chains and runtime names ----------------------------------------

TEST(Linker, BindsEveryCallSiteOfAChainToTheRuntimeEntry) {
    Image img;
    put_u32(img.code, 1, 11);  // 1 -> 11 -> 21 -> end
    put_u32(img.code, 11, 21);
    put_u32(img.code, 21, 0);
    EXPECT_EQ(img.link(import(1, "RuntimeAddString")), "");
    void* target = export_lookup_link("RuntimeAddString");
    for (std::size_t site : {1u, 11u, 21u}) EXPECT_EQ(u32_at(img.code, site), img.displacement_to(site, target)) << site;
}

TEST(Linker, RuntimeNamesIgnoreLetterCase) {
    Image img;
    put_u32(img.code, 5, 0);
    EXPECT_EQ(img.link(import(5, "rUNTIMEaDDsTRING")), "");
    EXPECT_EQ(u32_at(img.code, 5), img.displacement_to(5, export_lookup_link("RuntimeAddString")));
}

TEST(Linker, ChainHeadZeroBindsNothing) {
    Image img;
    Bytes before = img.code;
    EXPECT_EQ(img.link(import(0, "RuntimeInit") + import(0, "!Xkernel32.dll!GetTickCount")), "");
    EXPECT_EQ(img.code, before);
}

TEST(Linker, UnknownRuntimeNameRefusesToStart) {
    Image img;
    EXPECT_EQ(img.link(import(0, "RuntimeNoSuchThing")),
              "The application could not be loaded because the runtime entry point RuntimeNoSuchThing could not be found.");
}

TEST(Linker, DataReferencesAndSkippedBytes) {
    Image img;
    put_u32(img.code, 8, 20);
    put_u32(img.code, 60, 4);
    // Unknown type bytes (0x00, 0x7F, 0xFF) are skipped one at a time.
    EXPECT_EQ(img.link(Bytes{0x00, 0x7F} + data_ref(8) + Bytes{0xFF} + data_ref(60)), "");
    EXPECT_EQ(u32_at(img.code, 8), address(img.data.data()) + 20);
    EXPECT_EQ(u32_at(img.code, 60), address(img.data.data()) + 4);
}

TEST(Linker, StopsAtTheFirstFailureKeepingEarlierRecords) {
    Image img;
    EXPECT_NE(img.link(data_ref(0) + import(0, "NoSuchEntry") + data_ref(4)), "");
    EXPECT_EQ(u32_at(img.code, 0), address(img.data.data()) + 0x90909090u);
    EXPECT_EQ(u32_at(img.code, 4), 0x90909090u);
}

// ---- library declarations ---------------------------------------------------

TEST(Linker, BindsLibraryRoutinesAndLoadsEachLibraryOnce) {
    Image img;
    put_u32(img.code, 0, 0);
    put_u32(img.code, 10, 0);
    int before = loaded_library_count();
    // No other test declares routines of this library.
    EXPECT_EQ(img.link(import(0, "!Xversion.dll!GetFileVersionInfoSizeA") + import(10, "!Xversion.dll!GetFileVersionInfoA")), "");
    EXPECT_EQ(loaded_library_count(), before + 1);
    EXPECT_EQ(img.link(import(0, "!Xversion.dll!VerQueryValueA")), "");
    EXPECT_EQ(loaded_library_count(), before + 1);
    void* routine = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("version.dll"), "GetFileVersionInfoA"));
    EXPECT_EQ(u32_at(img.code, 10), img.displacement_to(10, routine));
}

TEST(Linker, LibraryFailureMessages) {
    struct Case {
        const char* name;
        const char* message;
    } cases[] = {
        {"!Xnosuchlib.dll!Foo",
         "The application could not be loaded because a necessary shared library nosuchlib.dll could not be found."},
        {"!Xkernel32.dll!NoSuchRoutine",
         "The application could not be loaded because the routine NoSuchRoutine could not be found in the shared "
         "library kernel32.dll."},
        // Without a second "!" the library name is empty.
        {"!XGetTickCount",
         "The application could not be loaded because a necessary shared library  could not be found."},
    };
    for (const Case& c : cases) {
        Image img;
        EXPECT_EQ(img.link(import(0, c.name)), c.message) << c.name;
    }
}

// ---- plugin member references -----------------------------------------------

std::string g_asked;
void plugin_member() {}
void* fake_lookup(RuntimeString* text) {
    g_asked += string_cstr(text);
    g_asked += ";";
    return reinterpret_cast<void*>(&plugin_member);
}

TEST(Linker, PluginReferencesWaitForTheResolver) {
    Image img;
    put_u32(img.code, 2, 30);
    put_u32(img.code, 30, 0);
    put_u32(img.code, 40, 0);
    EXPECT_EQ(img.link(import(2, "!MSelectFolder as FolderItem") + import(40, "!GOther")), "");
    EXPECT_EQ(pending_plugin_reference_count(), 2);
    EXPECT_EQ(u32_at(img.code, 2), 30u);  // untouched until resolved

    g_asked.clear();
    set_plugin_member_lookup(&fake_lookup);
    resolve_pending_plugin_references();
    set_plugin_member_lookup(nullptr);
    EXPECT_EQ(pending_plugin_reference_count(), 0);
    // Taken from the front of the list: the last record linked comes first.
    EXPECT_EQ(g_asked, "GOther;MSelectFolder as FolderItem;");
    void* target = reinterpret_cast<void*>(&plugin_member);
    for (std::size_t site : {2u, 30u, 40u}) EXPECT_EQ(u32_at(img.code, site), img.displacement_to(site, target));
}

// ---- damaged images -----------------------------------------------------------

TEST(Linker, DamagedLinkBlocksAreRefusedWithoutWritingOutsideTheCode) {
    const std::string damaged = "The application could not be loaded because its image is damaged";
    Bytes looping(1, 0);
    struct Case {
        const char* what;
        Bytes records;
        std::uint32_t link_at, link_to;  // an extra chain link planted in the code
    } cases[] = {
        {"head past the code", import(64, "RuntimeInit"), 0, 0},
        {"head in the last 3 bytes", import(61, "RuntimeInit"), 0, 0},
        {"link leaving the code", import(4, "RuntimeInit"), 4, 1000},
        {"chain looping on itself", import(8, "RuntimeInit"), 8, 8},
        // Binding the field at 4 would rewrite the link read from 6.
        {"fields sharing bytes", import(4, "RuntimeInit"), 4, 6},
        {"data reference past the code", data_ref(62), 0, 0},
        {"import record cut short", Bytes{0x01, 0, 0}, 0, 0},
        {"name running past the end", import(0, "RuntimeInit") + Bytes{0x01, 0, 0, 0, 0, 40, 'R'}, 0, 0},
        {"data reference cut short", Bytes{0x02, 1, 0}, 0, 0},
    };
    for (const Case& c : cases) {
        Image img;
        if (c.link_at) put_u32(img.code, c.link_at, c.link_to);
        Bytes before = img.code;
        EXPECT_EQ(img.link(c.records).rfind(damaged, 0), 0u) << c.what;
        EXPECT_EQ(img.code, before) << c.what;
    }
}

// ---- relocation stream --------------------------------------------------------

enum Base { kNone, kCode, kData };

TEST(Relocation, WordsOfTheStream) {
    struct Case {
        const char* what;
        Bytes res;
        std::vector<std::pair<std::size_t, Base>> changed;  // u32 offsets that move
    } cases[] = {
        {"code run of one", {0x00, 0x40}, {{0, kCode}}},
        {"0x4601: two words by the code base", {0x01, 0x46}, {{0, kCode}, {4, kCode}}},
        {"data run of three", {0x02, 0x42}, {{0, kData}, {4, kData}, {8, kData}}},
        {"skip then relocate", {0x07, 0x80, 0x00, 0x42}, {{8, kData}}},
        {"0x8FFF skips 4096 bytes", {0xFF, 0x8F, 0x00, 0x40}, {{4096, kCode}}},
        {"0x1234 neither relocates nor moves", {0x34, 0x12, 0x00, 0x40}, {{0, kCode}}},
        {"cursor continues after a run", {0x00, 0x40, 0x00, 0x42}, {{0, kCode}, {4, kData}}},
        {"a gap past the end is harmless", {0x00, 0x40, 0xFF, 0x8F, 0xFF, 0x8F}, {{0, kCode}}},
        {"empty stream", {}, {}},
    };
    for (const Case& c : cases) {
        Image img;
        img.data.assign(4200, 0);
        for (std::size_t i = 0; i < img.data.size(); i += 4) put_u32(img.data, i, static_cast<std::uint32_t>(i));
        Bytes expected = img.data;
        for (auto [offset, base] : c.changed) {
            put_u32(expected, offset, static_cast<std::uint32_t>(offset) +
                                          address(base == kCode ? img.code.data() : img.data.data()));
        }
        EXPECT_EQ(text_of(relocate_data(img.memory(), c.res.data(), static_cast<std::uint32_t>(c.res.size()))), "")
            << c.what;
        EXPECT_EQ(img.data, expected) << c.what;
    }
}

TEST(Relocation, RunOf512Words) {
    Image img;
    img.data.assign(2048, 0);
    Bytes res = {0xFF, 0x41};
    EXPECT_EQ(text_of(relocate_data(img.memory(), res.data(), 2)), "");
    EXPECT_EQ(u32_at(img.data, 2044), address(img.code.data()));
}

TEST(Relocation, OddLastByteIsIgnored) {
    Image img;
    // The byte after the stream's end would make 0x4000 if it were read.
    Bytes res = {0x00, 0x42, 0x00, 0x40};
    Bytes expected = img.data;
    put_u32(expected, 0, address(img.data.data()));
    EXPECT_EQ(text_of(relocate_data(img.memory(), res.data(), 3)), "");
    EXPECT_EQ(img.data, expected);
}

TEST(Relocation, RunPastTheDataIsRefusedUntouched) {
    Image img;
    img.data.assign(8, 0);
    Bytes before = img.data;
    Bytes res = {0x03, 0x80, 0x01, 0x42};  // skip 4, then two words: 4 bytes too many
    EXPECT_EQ(text_of(relocate_data(img.memory(), res.data(), 4)),
              "The application could not be loaded because its image is damaged (a relocation lies outside the data).");
    EXPECT_EQ(img.data, before);
}

}  // namespace

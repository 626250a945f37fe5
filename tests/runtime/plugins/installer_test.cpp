// Installing embedded plugins: which folder receives the DLL, that the file
// holds exactly the embedded bytes, and that damaged lists, unsafe names,
// short writes and stale copies are refused.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "plugin_installer.h"
#include "plugin_records.h"
#include "plugin_test_support.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes probe_bytes() {
    std::ifstream in(dos_path(PROBE_PLUGIN), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// A data block holding embedded entries at absolute addresses.
class EntryList {
public:
    EntryList() : data_(65536 * 4, 0) {}
    std::size_t add(const std::string& name, const Bytes& dll) {
        while (used_ % 4) ++used_;
        std::size_t at = used_;
        word(0);
        word(static_cast<std::uint32_t>(4 + 1 + name.size() + dll.size()));
        word(0);
        data_[used_++] = static_cast<std::uint8_t>(name.size());
        for (char c : name) data_[used_++] = static_cast<std::uint8_t>(c);
        for (std::uint8_t b : dll) data_[used_++] = b;
        return at;
    }
    void link(std::size_t from, std::uintptr_t to) { set(from, static_cast<std::uint32_t>(to)); }
    std::uintptr_t address(std::size_t at) const { return reinterpret_cast<std::uintptr_t>(data_.data() + at); }
    void set(std::size_t at, std::uint32_t value) { std::memcpy(&data_[at], &value, 4); }
    const std::uint8_t* at(std::size_t offset) const { return data_.data() + offset; }
    const std::uint8_t* start() const { return data_.data(); }
    std::size_t used() const { return used_; }

private:
    void word(std::uint32_t value) {
        set(used_, value);
        used_ += 4;
    }
    Bytes data_;
    std::size_t used_ = 0;
};

std::string g_folders[3];
UINT copy_folder(int which, char* buffer, UINT size) {
    if (g_folders[which].empty() || g_folders[which].size() >= size) return 0;
    std::strcpy(buffer, g_folders[which].c_str());
    return static_cast<UINT>(g_folders[which].size());
}
UINT system_folder(char* b, UINT n) { return copy_folder(0, b, n); }
UINT windows_folder(char* b, UINT n) { return copy_folder(1, b, n); }
UINT user_folder(char* b, UINT n) { return copy_folder(2, b, n); }

int g_short_writes = 0;
UINT short_write(HFILE file, const void* bytes, UINT size) {
    if (g_short_writes-- > 0) return _lwrite(file, static_cast<LPCCH>(bytes), size / 2);
    return _lwrite(file, static_cast<LPCCH>(bytes), size);
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : std::string("<missing>");
}

enum Folder { System, Windows, User, None };
const char* kFolderNames[] = {"system", "windows", "user"};

class Installation : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        static int run = 0;
        base_ = std::string(temp) + "plugin-install-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++run);
        CreateDirectoryA(base_.c_str(), nullptr);
        for (int i = 0; i < 3; ++i) {
            g_folders[i] = base_ + "\\" + kFolderNames[i];
            CreateDirectoryA(g_folders[i].c_str(), nullptr);
        }
        previous_ = plugin_target_folders();
        plugin_target_folders() = {system_folder, windows_folder, user_folder};
        dll_ = probe_bytes();
        ASSERT_GT(dll_.size(), 1000u);
    }
    void TearDown() override {
        for (HANDLE h : locks_) CloseHandle(h);
        plugin_target_folders() = previous_;
        plugin_set_write_step(nullptr);
    }
    std::string path_in(int folder, const std::string& name) const { return g_folders[folder] + "\\" + name; }
    // A file there that cannot be replaced while it is open (as a DLL in use).
    void lock(int folder, const std::string& name, const std::string& content) {
        std::string path = path_in(folder, name);
        std::ofstream(path, std::ios::binary) << content;
        locks_.push_back(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_NE(locks_.back(), INVALID_HANDLE_VALUE);
    }
    int install(const EntryList& list, std::size_t head) {
        return plugin_install_list(list.at(head), list.start(), list.used());
    }
    bool loaded_from(int folder, const std::string& name) const {
        return GetModuleHandleA(path_in(folder, name).c_str()) != nullptr;
    }

    std::string base_;
    Bytes dll_;
    std::vector<HANDLE> locks_;
    PluginTargetFolders previous_ = {};
};

TEST_F(Installation, TheFirstWritableFolderReceivesAndLoadsTheDll) {
    std::string stale = "an older build";
    struct Case {
        const char* what;
        std::vector<int> locked;  // folders whose copy cannot be replaced
        int stale_in;             // folder whose locked copy has other bytes, or None
        int equal_in;             // folder whose locked copy is this very DLL, or None
        int short_writes;
        int expected;             // folder it is loaded from, or None
    } cases[] = {
        {"system folder writable", {}, None, None, 0, System},
        {"system folder in use", {System}, None, None, 0, Windows},
        {"system and Windows folders in use", {System, Windows}, None, None, 0, User},
        {"a short write counts as failure", {}, None, None, 1, Windows},
        {"no folder writable, stale copies", {System, Windows, User}, Windows, None, 0, None},
        {"no folder writable, an equal copy", {System, Windows, User}, System, Windows, 0, Windows},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string name = "probe" + std::to_string(++n) + ".dll";
        std::string copy(dll_.begin(), dll_.end());
        for (int folder : c.locked) lock(folder, name, folder == c.equal_in ? copy : stale);
        g_short_writes = c.short_writes;
        plugin_set_write_step(c.short_writes ? short_write : nullptr);
        EntryList list;
        std::size_t head = list.add(name, dll_);
        const PluginRecord* before = newest_plugin();
        EXPECT_EQ(install(list, head), c.expected == None ? 0 : 1) << c.what;
        for (int folder : {System, Windows, User}) {
            EXPECT_EQ(loaded_from(folder, name), folder == c.expected) << c.what << ", " << kFolderNames[folder];
        }
        if (c.expected != None) {
            EXPECT_EQ(newest_plugin()->version, 5) << c.what;
            EXPECT_NE(newest_plugin(), before) << c.what;
            // Exactly the embedded bytes: length - 5 - name length of them.
            EXPECT_EQ(read_file(path_in(c.expected, name)), copy) << c.what;
        }
        if (c.short_writes) {
            EXPECT_EQ(read_file(path_in(System, name)), "<missing>") << "no cut-off copy is left";
        }
        for (int folder : c.locked) {
            std::string expected_content = folder == c.equal_in ? copy : stale;
            EXPECT_EQ(read_file(path_in(folder, name)), expected_content) << c.what;
        }
    }
}

TEST_F(Installation, DamagedListsAndUnsafeNamesEndOrSkip) {
    using Damage = void (*)(EntryList& list, std::size_t first, std::size_t second);
    Damage none = [](EntryList&, std::size_t, std::size_t) {};
    struct Case {
        const char* what;
        Damage damage;
        const char* first;
        const char* second;
        int installed;
    } cases[] = {
        {"two sound entries", none, "a1.dll", "b1.dll", 2},
        {"a loop back to the first", [](EntryList& l, std::size_t f, std::size_t s) { l.link(s, l.address(f)); },
         "a2.dll", "b2.dll", 2},
        {"a link to itself", [](EntryList& l, std::size_t f, std::size_t) { l.link(f, l.address(f)); }, "a3.dll",
         "b3.dll", 1},
        {"a link outside the data", [](EntryList& l, std::size_t f, std::size_t) { l.link(f, l.address(0) - 64); },
         "a4.dll", "b4.dll", 1},
        {"a length past the end", [](EntryList& l, std::size_t, std::size_t s) { l.set(s + 4, 0x7FFFFFF0); }, "a5.dll",
         "b5.dll", 1},
        {"a length shorter than the name", [](EntryList& l, std::size_t f, std::size_t) { l.set(f + 4, 4); }, "a6.dll",
         "b6.dll", 0},
        {"a name reaching the parent folder", none, "..\\a7.dll", "b7.dll", 1},
        {"a name with a slash", none, "sub/a8.dll", "b8.dll", 1},
        {"a name with a drive", none, "c:a9.dll", "b9.dll", 1},
        {"a name of dots only", none, "..", "b10.dll", 1},
    };
    for (const Case& c : cases) {
        EntryList list;
        std::size_t f = list.add(c.first, dll_);
        std::size_t s = list.add(c.second, dll_);
        list.link(f, list.address(s));
        c.damage(list, f, s);
        EXPECT_EQ(install(list, f), c.installed) << c.what;
    }
    // Nothing was written beside the target folders.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((base_ + "\\*.dll").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    EXPECT_EQ(plugin_install_list(nullptr, nullptr, 0), 0);
}

TEST(InstallationFolders, ThePerUserFolderIsMadeUnderLocalApplicationData) {
    char path[1024];
    UINT n = plugin_default_target_folders().per_user(path, sizeof path);
    ASSERT_GT(n, 0u);
    std::string folder(path, n);
    const std::string tail = "\\Tunequilt Extractor\\plugins";
    ASSERT_GT(folder.size(), tail.size());
    EXPECT_EQ(folder.substr(folder.size() - tail.size()), tail);
    DWORD attributes = GetFileAttributesA(path);
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

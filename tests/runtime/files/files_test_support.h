// Shared pieces of the file tests: a fresh folder under the temporary-files
// directory, files written and read with plain Win32 calls, and holders for
// the runtime's results.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "../core/support/string_test_support.h"
#include "file_entry_points.h"
#include "folder_item.h"
#include "objects/objects.h"

// Holds one reference to an object for the length of a test step.
class Held {
public:
    explicit Held(RuntimeObject* object = nullptr) : object_(object) {}
    ~Held() { RuntimeUnlockObject(object_); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    RuntimeObject* get() const { return object_; }
    operator RuntimeObject*() const { return object_; }

private:
    RuntimeObject* object_;
};

// The item's stored path, "" for nil.
inline std::string path_of(RuntimeObject* item) {
    if (!item) return "<nil>";
    RuntimeString* p = folder_item_path(item);
    return std::string(string_cstr(p), string_length(p));
}

// A path, or "<nil>" for no item; the item is released.
inline std::string take_path(RuntimeObject* item) {
    const std::string p = path_of(item);
    RuntimeUnlockObject(item);
    return p;
}

inline void write_file(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    if (!bytes.empty()) WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    ASSERT_EQ(written, bytes.size());
}

inline std::string read_file(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
    CloseHandle(h);
    return bytes;
}

inline bool file_exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Each test gets an empty folder of its own, removed with what it holds.
class TempFolder : public ::testing::Test {
protected:
    void SetUp() override {
        char base[MAX_PATH], name[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        GetTempFileNameA(base, "fit", 0, name);
        DeleteFileA(name);
        ASSERT_TRUE(CreateDirectoryA(name, nullptr)) << name;
        folder_ = name;
    }
    void TearDown() override { remove_tree(folder_); }

    std::string at(const std::string& name) const { return folder_ + "\\" + name; }
    RuntimeObject* item(const std::string& name) const { return FolderItemFromPath(at(name).c_str()); }

    std::string folder_;

private:
    static void remove_tree(const std::string& path) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..") continue;
                const std::string child = path + "\\" + name;
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) remove_tree(child);
                else DeleteFileA(child.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(path.c_str());
    }
};

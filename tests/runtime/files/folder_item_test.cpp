// FolderItem: path parts and the items derived from them, resolving path
// strings, listings, types, attributes, dates and changes to files.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "objects/builtin_classes.h"
#include "date_value.h"
#include "file_types.h"
#include "files_test_support.h"
#include "objects/memory.h"

namespace {

std::string exe_folder() {
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path = module;
    return path.substr(0, path.rfind('\\'));
}

struct PathCase {
    const char* path;
    const char* name;
    const char* parent;  // "<nil>" at a root
    const char* child;   // Child("a")
    const char* absolute;
};

const PathCase kPathCases[] = {
    {"C:\\dir\\file.txt", "file.txt", "C:\\dir", "C:\\dir\\file.txt\\a", "C:\\dir\\file.txt"},
    {"C:\\dir\\sub\\", "sub", "C:\\dir", "C:\\dir\\sub\\a", "C:\\dir\\sub"},
    {"C:\\dir\\", "dir", "C:", "C:\\dir\\a", "C:\\dir"},
    {"C:\\dir", "dir", "C:", "C:\\dir\\a", "C:\\dir"},
    {"C:\\file.txt", "file.txt", "C:", "C:\\file.txt\\a", "C:\\file.txt"},
    {"C:\\", "C:", "<nil>", "C:\\a", "C:"},
    {"C:", "C:", "<nil>", "C:\\a", "C:"},
    {"d:\\x\\y.txt", "y.txt", "d:\\x", "d:\\x\\y.txt\\a", "d:\\x\\y.txt"},
    {"\\\\server\\share\\f.txt", "f.txt", "\\\\server\\share", "\\\\server\\share\\f.txt\\a",
     "\\\\server\\share\\f.txt"},
    // A relative path is its own name and has no parent.
    {"notes.txt", "notes.txt", "<nil>", "notes.txt\\a", "notes.txt"},
};

TEST(FolderItemPaths, NameParentChildAndAbsolutePath) {
    for (const PathCase& c : kPathCases) {
        Held item(FolderItemFromPath(c.path));
        Str a("a");
        EXPECT_EQ(take(fileNameGetter(item, 0)), c.name) << c.path;
        EXPECT_EQ(take_path(folderParentGetter(item, 0)), c.parent) << c.path;
        EXPECT_EQ(take_path(FolderChild(item, a)), c.child) << c.path;
        EXPECT_EQ(take_path(FolderTrueChild(item, a)), c.child) << c.path;
        EXPECT_EQ(take(fileAbsolutePathGetter(item, 0)), c.absolute) << c.path;
        EXPECT_EQ(take(TAVOpathFromFolderItem(item)), c.absolute) << c.path;
    }
}

TEST(FolderItemPaths, ParentOfRootComparesWithoutCase) {
    // "c:" against the volume "C:" of the same root would loop forever upward otherwise.
    Held item(FolderItemFromPath("c:\\"));
    EXPECT_EQ(take_path(folderParentGetter(item, 0)), "<nil>");
}

TEST(FolderItemPaths, NewFolderItemTakesTheExecutablesFolder) {
    Held item(object_new(builtin_class(BuiltinClass::FolderItem)));
    EXPECT_EQ(take(fileAbsolutePathGetter(item, 0)), exe_folder());
    EXPECT_TRUE(fileDirectoryGetter(item, 0));
    Held null_path(FolderItemFromPath(nullptr));
    EXPECT_EQ(take(fileAbsolutePathGetter(null_path, 0)), "");
}

class ResolvePath : public TempFolder {};

TEST_F(ResolvePath, NamesRelativeRootedAndFull) {
    const std::string base = exe_folder();
    struct Case {
        std::string given, expected;
    } cases[] = {
        {"no-such-file.txt", base + "\\no-such-file.txt"},
        {"missing-sub\\x.txt", "<nil>"},
        {at("x.txt"), at("x.txt")},
        {at("missing\\y.txt"), "<nil>"},
        // Rooted on the executable's drive.
        {"\\" + base.substr(3) + "\\r.txt", base + "\\r.txt"},
    };
    for (const Case& c : cases) {
        Str given(c.given);
        EXPECT_EQ(take_path(RuntimeGetFolderItem(given)), c.expected) << c.given;
        EXPECT_EQ(take_path(RuntimeGetTrueFolderItem(given)), c.expected) << c.given;
    }
}

class Listing : public TempFolder {};

TEST_F(Listing, ItemOutOfRangeIsNilAndListsAgainNextTime) {
    write_file(at("one.txt"), "1");
    Held folder(FolderItemFromPath(folder_.c_str()));
    ASSERT_EQ(fileCountGetter(folder, 0), 1);
    EXPECT_EQ(take_path(FolderItemItem(folder, 1)), at("one.txt"));
    // The cache is fresh: a file made now is not seen yet...
    write_file(at("two.txt"), "2");
    EXPECT_EQ(take_path(FolderItemItem(folder, 2)), "<nil>");
    // ...but the miss marked it stale, so the next Item lists again.
    const std::string second = take_path(FolderItemItem(folder, 2));
    EXPECT_TRUE(second == at("one.txt") || second == at("two.txt")) << second;
    for (int index : {0, -1, 3}) EXPECT_EQ(take_path(FolderItemTrueItem(folder, index)), "<nil>") << index;
    EXPECT_EQ(fileCountGetter(folder, 0), 2);
}

TEST_F(Listing, CountSkipsDotEntriesAndMissingFolderIsEmpty) {
    write_file(at("a"), "");
    CreateDirectoryA(at("sub").c_str(), nullptr);
    Held folder(FolderItemFromPath(folder_.c_str()));
    EXPECT_EQ(fileCountGetter(folder, 0), 2);
    Held missing(item("missing"));
    EXPECT_EQ(fileCountGetter(missing, 0), 0);
    EXPECT_EQ(take_path(FolderItemItem(missing, 1)), "<nil>");
    // Another folder's listing is not taken for this one's.
    EXPECT_NE(take_path(FolderItemItem(folder, 1)), "<nil>");
}

TEST_F(Listing, FolderPathWithTrailingBackslashStillGetsOne) {
    write_file(at("f"), "");
    Held folder(FolderItemFromPath((folder_ + "\\").c_str()));
    EXPECT_EQ(take_path(FolderItemItem(folder, 1)), folder_ + "\\\\f");
}

void install_types(std::initializer_list<FileType> types) {
    auto* list = static_cast<FileType*>(runtime_alloc(types.size() * sizeof(FileType)));
    std::size_t i = 0;
    for (const FileType& t : types) list[i++] = t;
    file_types_install(list, types.size());
}

FileType type(const char* name, const char* mac_type, const char* extensions) {
    return {string_from_cstr(name), string_from_cstr("ttxt"), string_from_cstr(mac_type), string_from_cstr(extensions)};
}

TEST(FolderItemType, BestScoringDeclaredTypeInOrder) {
    Held mp3(FolderItemFromPath("C:\\music\\a.MP3"));
    EXPECT_EQ(take(fileTypeGetter(mp3, 0)), "") << "no types declared";
    install_types({type("Text", "TEXT", ".txt"), type("Song", "MP3 ", ".mp3")});
    Held doc(FolderItemFromPath("C:\\a.doc"));
    EXPECT_EQ(take(fileTypeGetter(mp3, 0)), "Song");
    EXPECT_EQ(take(fileTypeGetter(doc, 0)), "Text");
    // An empty field after the last ";" fits every path.
    install_types({type("Text", "TEXT", ".txt"), type("Any", "", ".zzz;")});
    EXPECT_EQ(take(fileTypeGetter(doc, 0)), "Any");
    file_types_install(nullptr, 0);
}

class Attributes : public TempFolder {};

TEST_F(Attributes, MissingItemAnswersFalseZeroOrNil) {
    Held missing(item("missing.txt"));
    EXPECT_FALSE(fileExistsGetter(missing, 0));
    EXPECT_EQ(fileSizeGetter(missing, 0), 0);
    EXPECT_FALSE(fileDirectoryGetter(missing, 0));
    EXPECT_FALSE(fileLockedGetter(missing, 0));
    EXPECT_TRUE(fileVisibleGetter(missing, 0));
    EXPECT_EQ(folderGetCreation(missing, 0), nullptr);
    EXPECT_EQ(folderGetModified(missing, 0), nullptr);
    fileLockedSetter(missing, 0, 1);
    fileVisibleSetter(missing, 0, 0);
    EXPECT_FALSE(file_exists(at("missing.txt")));
    // Nil items are answered the same way.
    EXPECT_FALSE(fileExistsGetter(nullptr, 0));
    EXPECT_EQ(fileSizeGetter(nullptr, 0), 0);
}

TEST_F(Attributes, ExistsLengthDirectoryAndBareDrive) {
    write_file(at("five"), "12345");
    Held file(item("five"));
    Held folder(FolderItemFromPath(folder_.c_str()));
    Held drive(FolderItemFromPath("Q:"));
    EXPECT_TRUE(fileExistsGetter(file, 0));
    EXPECT_EQ(fileSizeGetter(file, 0), 5);
    EXPECT_FALSE(fileDirectoryGetter(file, 0));
    EXPECT_TRUE(fileDirectoryGetter(folder, 0));
    EXPECT_TRUE(fileDirectoryGetter(drive, 0)) << "a bare drive is a directory without a lookup";
    EXPECT_FALSE(fileAliasGetter(file, 0));
    EXPECT_EQ(fileRFSizeGetter(file, 0), 0);
    EXPECT_EQ(fileMacTypeGetter(file, 0), nullptr);
    EXPECT_EQ(fileMacCreatorGetter(file, 0), nullptr);
    EXPECT_EQ(folderFindFolder(file, 4), nullptr);
}

TEST_F(Attributes, LockedAndVisibleSetOnlyTheirBit) {
    write_file(at("f"), "x");
    SetFileAttributesA(at("f").c_str(), FILE_ATTRIBUTE_ARCHIVE);
    Held file(item("f"));
    fileLockedSetter(file, 0, 0x101);  // only the low byte counts: 1
    EXPECT_TRUE(fileLockedGetter(file, 0));
    fileVisibleSetter(file, 0, 0x100);  // low byte 0: hide
    EXPECT_FALSE(fileVisibleGetter(file, 0));
    EXPECT_EQ(GetFileAttributesA(at("f").c_str()),
              static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    fileLockedSetter(file, 0, 0);
    fileVisibleSetter(file, 0, 1);
    EXPECT_FALSE(fileLockedGetter(file, 0));
    EXPECT_TRUE(fileVisibleGetter(file, 0));
    EXPECT_EQ(GetFileAttributesA(at("f").c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
}

TEST_F(Attributes, LengthOfAFileBeyondFourGigabytesIsItsLow32Bits) {
    HANDLE h = CreateFileA(at("big").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER five_gb;
    five_gb.QuadPart = 5LL << 30;
    const bool made = SetFilePointerEx(h, five_gb, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    if (!made) GTEST_SKIP() << "the file system here cannot hold a sparse 5 GB file";
    Held big(item("big"));
    EXPECT_EQ(fileSizeGetter(big, 0), 0x40000000);
}

TEST_F(Attributes, DatesRoundTripThroughDateObjects) {
    write_file(at("dated"), "x");
    Held file(item("dated"));
    SYSTEMTIME when{2001, 2, 0, 3, 4, 5, 6, 0};
    FILETIME local;
    SystemTimeToFileTime(&when, &local);
    Held date(date_from_local_file_time(local));
    folderSetModified(file, 0, date);
    Held modified(folderGetModified(file, 0));
    FILETIME back{};
    ASSERT_TRUE(date_local_file_time(modified, &back));
    EXPECT_EQ(CompareFileTime(&back, &local), 0);
    folderSetCreation(file, 0, date);
    Held created(folderGetCreation(file, 0));
    ASSERT_TRUE(date_local_file_time(created, &back));
    EXPECT_EQ(CompareFileTime(&back, &local), 0);
    folderSetModified(file, 0, nullptr);  // nil: no effect
    Held still(folderGetModified(file, 0));
    ASSERT_TRUE(date_local_file_time(still, &back));
    EXPECT_EQ(CompareFileTime(&back, &local), 0);
}

class Changes : public TempFolder {};

TEST_F(Changes, RenameMovesTheFileAndTakesTheNewPath) {
    write_file(at("old.txt"), "x");
    Held file(item("old.txt"));
    Str new_name("new.txt");
    fileNameSetter(file, 0, new_name);
    EXPECT_EQ(path_of(file), at("new.txt"));
    EXPECT_EQ(read_file(at("new.txt")), "x");
    EXPECT_FALSE(file_exists(at("old.txt")));
    // A name with a volume is the whole new path; a failed rename still takes it.
    Str elsewhere(at("missing\\x.txt"));
    fileNameSetter(file, 0, elsewhere);
    EXPECT_EQ(path_of(file), at("missing\\x.txt"));
    EXPECT_TRUE(file_exists(at("new.txt")));
}

TEST_F(Changes, CreateFolderDeleteCopyAndMove) {
    Held sub(item("sub"));
    FolderItemCreateAsFolder(sub);
    EXPECT_TRUE(fileDirectoryGetter(sub, 0));
    write_file(at("a.txt"), "abc");
    Held a(item("a.txt"));
    FolderItemCopyFileTo(a, sub);  // into the folder, under its own name
    EXPECT_EQ(read_file(at("sub\\a.txt")), "abc");
    Held b(item("b.txt"));
    FolderItemCopyFileTo(a, b);  // to the path itself
    EXPECT_EQ(read_file(at("b.txt")), "abc");
    write_file(at("b.txt"), "new");
    Held sub_a(item("sub\\a.txt"));
    FolderItemCopyFileTo(b, sub_a);  // overwriting
    EXPECT_EQ(read_file(at("sub\\a.txt")), "new");
    FolderItemDelete(sub);  // not empty: stays
    EXPECT_TRUE(file_exists(at("sub")));
    Held moved(item("moved"));
    FolderItemMoveFileTo(sub, moved);  // a folder moves too
    EXPECT_EQ(read_file(at("moved\\a.txt")), "new");
    FolderItemDelete(a);
    EXPECT_FALSE(file_exists(at("a.txt")));
    Held moved_a(item("moved\\a.txt"));
    FolderItemDelete(moved_a);
    FolderItemDelete(moved);
    EXPECT_FALSE(file_exists(at("moved")));
}

TEST(SpecialFolders, SystemDirectoriesVolumesAndTemporaryFile) {
    char windows[MAX_PATH], system[MAX_PATH], temp[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    GetTempPathA(MAX_PATH, temp);
    EXPECT_EQ(take_path(getPreferencesFolder()), windows);
    EXPECT_EQ(take_path(getSystemFolder()), system);
    EXPECT_EQ(take_path(getExtensionsFolder()), system);
    EXPECT_EQ(take_path(getTemporaryItemsFolder()), temp);
    EXPECT_EQ(getShutdownItemsFolder(), nullptr);
    EXPECT_EQ(take_path(getTrashFolder()), "<nil>") << "the recycle bin has no file system path";
    // Shell folders come through the item list and the shell allocator.
    for (RuntimeObject* (*get)() : {getDesktopFolder, getFontsFolder, getAppleMenuFolder, getStartupItemsFolder}) {
        Held folder(get());
        ASSERT_NE(folder.get(), nullptr);
        EXPECT_TRUE(fileDirectoryGetter(folder, 0)) << path_of(folder);
    }

    const DWORD drives = GetLogicalDrives();
    int count = 0;
    for (int bit = 0; bit < 32; ++bit) count += (drives >> bit) & 1;
    EXPECT_EQ(getVolumeCount(), count);
    if (drives & (1u << 2)) {
        EXPECT_EQ(take_path(getVolume(0)), "C:");
    }
    EXPECT_EQ(getVolume(count), nullptr);
    EXPECT_EQ(getVolume(-1), nullptr);
    const std::string last = take_path(getVolume(count - 1));
    EXPECT_EQ(last.size(), 2u);

    Held temporary(getTemporaryFolderItem());
    const std::string made = path_of(temporary);
    EXPECT_EQ(made.compare(0, std::strlen(temp), temp), 0) << made;
    EXPECT_EQ(made.compare(std::strlen(temp), 3, "tvt"), 0) << made;
    EXPECT_TRUE(fileExistsGetter(temporary, 0));
    EXPECT_EQ(fileSizeGetter(temporary, 0), 0);
    DeleteFileA(made.c_str());
}

}  // namespace

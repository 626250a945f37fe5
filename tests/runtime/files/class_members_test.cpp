// The member lists of the file classes, as lookups by name see them.
#include <gtest/gtest.h>

#include <cstring>

#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "image/export_table.h"
#include "file_class_members.h"
#include "file_entry_points.h"

namespace {

const ClassProperty* property(BuiltinClass which, const char* name) {
    for (const ClassProperty* p = builtin_class(which)->properties; p; p = p->next)
        if (_stricmp(string_cstr(p->name), name) == 0) return p;
    return nullptr;
}

void* method(BuiltinClass which, const char* name) {
    for (const ClassMethod* m = builtin_class(which)->methods; m; m = m->next)
        if (_stricmp(string_cstr(m->name), name) == 0) return m->code;
    return nullptr;
}

template <typename F>
void* code(F* f) {
    return reinterpret_cast<void*>(f);
}

// Every file entry point, as the export table must bind it.
struct Entry {
    const char* name;
    void* code;
};
#define ENTRY(name) {#name, code(name)}
const Entry kEntries[] = {
    ENTRY(fileAbsolutePathGetter), ENTRY(fileCountGetter), ENTRY(fileNameGetter), ENTRY(fileNameSetter),
    ENTRY(fileSizeGetter), ENTRY(fileRFSizeGetter), ENTRY(fileLockedGetter), ENTRY(fileLockedSetter),
    ENTRY(fileExistsGetter), ENTRY(fileAliasGetter), ENTRY(fileVisibleGetter), ENTRY(fileVisibleSetter),
    ENTRY(fileDirectoryGetter), ENTRY(fileTypeGetter), ENTRY(folderParentGetter), ENTRY(folderGetCreation),
    ENTRY(folderGetModified), ENTRY(folderSetCreation), ENTRY(folderSetModified), ENTRY(fileMacTypeGetter),
    ENTRY(fileMacTypeSetter), ENTRY(fileMacCreatorGetter), ENTRY(fileMacCreatorSetter),
    ENTRY(folderFindFolder), ENTRY(FolderItemItem), ENTRY(FolderItemTrueItem), ENTRY(FolderChild),
    ENTRY(FolderTrueChild), ENTRY(FolderItemDelete), ENTRY(FolderItemCreateAsFolder), ENTRY(FolderItemLaunch),
    ENTRY(FolderItemCopyFileTo), ENTRY(FolderItemMoveFileTo), ENTRY(FolderItemOpenBinaryFile),
    ENTRY(FolderItemCreateBinaryFile), ENTRY(FolderItemOpenTextFile), ENTRY(FolderItemCreateTextFile),
    ENTRY(FolderItemAppendTextFile), ENTRY(RuntimeGetFolderItem), ENTRY(RuntimeGetTrueFolderItem),
    ENTRY(getVolumeCount), ENTRY(getVolume), ENTRY(getTemporaryFolderItem), ENTRY(getAppleMenuFolder),
    ENTRY(getControlPanelsFolder), ENTRY(getDesktopFolder), ENTRY(getExtensionsFolder),
    ENTRY(getPreferencesFolder), ENTRY(getStartupItemsFolder), ENTRY(getShutdownItemsFolder),
    ENTRY(getFontsFolder), ENTRY(getTrashFolder), ENTRY(getSystemFolder), ENTRY(getTemporaryItemsFolder),
    ENTRY(GlobalShowURL), ENTRY(RuntimeShowURL), ENTRY(FolderItemFromPath), ENTRY(TAVOpathFromFolderItem),
    ENTRY(BinaryStreamEOF), ENTRY(BinaryStreamGetLength), ENTRY(BinaryStreamSetLength),
    ENTRY(BinaryStreamGetPosition), ENTRY(BinaryStreamSetPosition), ENTRY(BinaryStreamReadByte),
    ENTRY(BinaryStreamReadShort), ENTRY(BinaryStreamReadLong), ENTRY(BinaryStreamReadFloat),
    ENTRY(BinaryStreamReadDouble), ENTRY(BinaryStreamReadPString), ENTRY(BinaryStreamRead),
    ENTRY(BinaryStreamWriteByte), ENTRY(BinaryStreamWriteShort), ENTRY(BinaryStreamWriteLong),
    ENTRY(BinaryStreamWriteFloat), ENTRY(BinaryStreamWriteDouble), ENTRY(BinaryStreamWritePString),
    ENTRY(BinaryStreamWrite), ENTRY(BinaryStreamClose), ENTRY(TextInputStreamReadLine),
    ENTRY(TextInputStreamReadAll), ENTRY(TextInputStreamEOF), ENTRY(TextInputStreamClose),
    ENTRY(TextOutputStreamWriteLine), ENTRY(TextOutputStreamWrite), ENTRY(TextOutputStreamClose),
    ENTRY(RuntimeGetOpenFolderItem), ENTRY(RuntimeGetSaveFolderItem),
};
#undef ENTRY

TEST(FileExports, EveryEntryPointIsBoundNotTrapped) {
    for (const Entry& e : kEntries) EXPECT_EQ(export_lookup_link(e.name), e.code) << e.name;
}

TEST(FileClassMembers, PropertiesAndMethodsReachTheEntryPoints) {
    file_classes_describe();
    file_classes_describe();  // once only
    const ClassProperty* name = property(BuiltinClass::FolderItem, "name");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->getter, code(fileNameGetter));
    EXPECT_EQ(name->setter, code(fileNameSetter));
    EXPECT_EQ(name->next, property(BuiltinClass::FolderItem, "Length")) << "one entry per row, in row order";
    const ClassProperty* trash = property(BuiltinClass::FolderItem, "TrashFolder");
    ASSERT_NE(trash, nullptr);
    EXPECT_EQ(trash->selector, 2u);
    EXPECT_EQ(trash->type, builtin_class(BuiltinClass::FolderItem));
    EXPECT_EQ(property(BuiltinClass::FolderItem, "ModificationDate")->type, builtin_class(BuiltinClass::Date));
    EXPECT_EQ(property(BuiltinClass::FolderItem, "Exists")->setter, nullptr);

    EXPECT_EQ(method(BuiltinClass::FolderItem, "OpenAsBinaryFile"), code(FolderItemOpenBinaryFile));
    EXPECT_EQ(method(BuiltinClass::FolderItem, "OpenAsMovie"), export_lookup_link("FolderItemOpenMovie"));
    EXPECT_NE(method(BuiltinClass::FolderItem, "OpenResourceFork"), nullptr);
    EXPECT_EQ(method(BuiltinClass::BinaryStream, "ReadSingle"), code(BinaryStreamReadFloat));
    EXPECT_EQ(method(BuiltinClass::TextInputStream, "ReadLine"), code(TextInputStreamReadLine));
    EXPECT_EQ(method(BuiltinClass::TextOutputStream, "WriteLine"), code(TextOutputStreamWriteLine));
    EXPECT_EQ(property(BuiltinClass::BinaryStream, "Position")->getter, code(BinaryStreamGetPosition));
}

TEST(FileClassMembers, StreamPropertiesWorkInTheSelectorForm) {
    file_classes_describe();
    RuntimeObject* stream = object_new(builtin_class(BuiltinClass::BinaryStream));
    auto set_bool = reinterpret_cast<void (*)(RuntimeObject*, std::int32_t, std::int32_t)>(
        property(BuiltinClass::BinaryStream, "LittleEndian")->setter);
    auto get_bool =
        reinterpret_cast<bool (*)(RuntimeObject*, std::int32_t)>(property(BuiltinClass::BinaryStream, "LittleEndian")->getter);
    set_bool(stream, 0, 0x201);
    EXPECT_TRUE(get_bool(stream, 0));
    set_bool(stream, 0, 0x200);
    EXPECT_FALSE(get_bool(stream, 0));
    RuntimeUnlockObject(stream);

    RuntimeObject* out = object_new(builtin_class(BuiltinClass::TextOutputStream));
    auto set_text = reinterpret_cast<void (*)(RuntimeObject*, std::int32_t, RuntimeString*)>(
        property(BuiltinClass::TextOutputStream, "Delimiter")->setter);
    auto get_text = reinterpret_cast<RuntimeString* (*)(RuntimeObject*, std::int32_t)>(
        property(BuiltinClass::TextOutputStream, "Delimiter")->getter);
    RuntimeString* lf = string_from_cstr("\n");
    set_text(out, 0, lf);
    RuntimeString* back = get_text(out, 0);
    EXPECT_EQ(back, lf);
    EXPECT_EQ(lf->refs, 3);
    RuntimeUnlockString(back);
    RuntimeUnlockObject(out);  // a New TextOutputStream's destructor drops it too
    EXPECT_EQ(lf->refs, 1);
    RuntimeUnlockString(lf);
}

}  // namespace

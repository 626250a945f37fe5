#include "file_class_members.h"

#include <cstdint>

#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "image/export_table.h"
#include "file_entry_points.h"
#include "folder_item.h"
#include "stream_objects.h"

namespace {

using B = BuiltinClass;

// Value properties have no class; their type records belong to the window
// descriptions, which never name these classes.
constexpr B kValue = B::Count;

struct PropertyRow {
    const char* name;
    B object_class;
    void* getter;
    void* setter;
    std::uint32_t selector;
};

struct MethodRow {
    const char* name;
    void* code;
};

// Members without a counterpart here, and members of other areas that the
// export table names: what calling it does is decided there.
RuntimeObject* no_resource_fork(RuntimeObject*) { return nullptr; }
RuntimeObject* no_new_resource_fork(RuntimeObject*, RuntimeString*) { return nullptr; }
void* entry(const char* name) { return export_lookup_link(name); }

// Accessors in the getter(object, selector) and setter(object, selector,
// value) form for what the entry points take without a selector.
bool little_endian_getter(RuntimeObject* object, std::int32_t) {
    return reinterpret_cast<BinaryStreamObject*>(object)->little_endian != 0;
}
void little_endian_setter(RuntimeObject* object, std::int32_t, std::int32_t value) {
    reinterpret_cast<BinaryStreamObject*>(object)->little_endian = boolean_argument(value);
}
void length_setter(RuntimeObject* object, std::int32_t, std::int32_t value) { BinaryStreamSetLength(object, value); }
void position_setter(RuntimeObject* object, std::int32_t, std::int32_t value) {
    BinaryStreamSetPosition(object, value);
}
RuntimeString* delimiter_getter(RuntimeObject* object, std::int32_t) {
    RuntimeString* delimiter = reinterpret_cast<TextOutputStreamObject*>(object)->delimiter;
    RuntimeLockString(delimiter);
    return delimiter;
}
void delimiter_setter(RuntimeObject* object, std::int32_t, RuntimeString* value) {
    string_assign(&reinterpret_cast<TextOutputStreamObject*>(object)->delimiter, value);
}

template <typename F>
void* code(F* f) {
    return reinterpret_cast<void*>(f);
}

void describe(B which, const PropertyRow* properties, std::size_t property_count, const MethodRow* methods,
              std::size_t method_count) {
    RuntimeClass* cls = builtin_class(which);
    for (std::size_t i = 0; i < property_count; ++i) {
        const PropertyRow& row = properties[i];
        ClassProperty* p = class_add_property(cls, string_from_cstr(row.name));
        p->type = row.object_class == kValue ? nullptr : builtin_class(row.object_class);
        p->getter = row.getter;
        p->setter = row.setter;
        p->selector = row.selector;
    }
    for (std::size_t i = 0; i < method_count; ++i) class_add_method(cls, string_from_cstr(methods[i].name), methods[i].code);
}

template <std::size_t P, std::size_t M>
void describe(B which, const PropertyRow (&properties)[P], const MethodRow (&methods)[M]) {
    describe(which, properties, P, methods, M);
}

bool g_described = false;

}  // namespace

void file_classes_describe() {
    if (g_described) return;
    g_described = true;
    builtin_class(B::FolderItem)->destructor = folder_item_release;
    builtin_class(B::BinaryStream)->destructor = binary_stream_release;
    builtin_class(B::TextInputStream)->destructor = text_input_stream_release;
    builtin_class(B::TextOutputStream)->destructor = text_output_stream_release;
    const PropertyRow folder_properties[] = {
        {"AbsolutePath", kValue, code(fileAbsolutePathGetter), nullptr, 0},
        {"Count", kValue, code(fileCountGetter), nullptr, 0},
        {"Name", kValue, code(fileNameGetter), code(fileNameSetter), 0},
        {"Length", kValue, code(fileSizeGetter), nullptr, 0},
        {"ResourceForkLength", kValue, code(fileRFSizeGetter), nullptr, 0},
        {"Locked", kValue, code(fileLockedGetter), code(fileLockedSetter), 0},
        {"Exists", kValue, code(fileExistsGetter), nullptr, 0},
        {"Alias", kValue, code(fileAliasGetter), nullptr, 0},
        {"Visible", kValue, code(fileVisibleGetter), code(fileVisibleSetter), 0},
        {"Directory", kValue, code(fileDirectoryGetter), nullptr, 0},
        {"Type", kValue, code(fileTypeGetter), nullptr, 0},
        {"Parent", B::FolderItem, code(folderParentGetter), nullptr, 0},
        {"CreationDate", B::Date, code(folderGetCreation), code(folderSetCreation), 0},
        {"ModificationDate", B::Date, code(folderGetModified), code(folderSetModified), 0},
        {"MacType", kValue, code(fileMacTypeGetter), code(fileMacTypeSetter), 0},
        {"MacCreator", kValue, code(fileMacCreatorGetter), code(fileMacCreatorSetter), 0},
        {"DesktopFolder", B::FolderItem, code(folderFindFolder), nullptr, 1},
        {"TrashFolder", B::FolderItem, code(folderFindFolder), nullptr, 2},
        {"SharedTrashFolder", B::FolderItem, code(folderFindFolder), nullptr, 3},
        {"TemporaryFolder", B::FolderItem, code(folderFindFolder), nullptr, 4},
    };
    const MethodRow folder_methods[] = {
        {"Item", code(FolderItemItem)},
        {"TrueItem", code(FolderItemTrueItem)},
        {"Child", code(FolderChild)},
        {"TrueChild", code(FolderTrueChild)},
        {"OpenAsTextFile", code(FolderItemOpenTextFile)},
        {"AppendToTextFile", code(FolderItemAppendTextFile)},
        {"CreateTextFile", code(FolderItemCreateTextFile)},
        {"OpenAsBinaryFile", code(FolderItemOpenBinaryFile)},
        {"CreateBinaryFile", code(FolderItemCreateBinaryFile)},
        {"OpenResourceFork", code(no_resource_fork)},
        {"CreateResourceFork", code(no_new_resource_fork)},
        {"OpenAsPicture", entry("FolderItemOpenImage")},
        {"OpenAsSound", entry("FolderItemOpenSound")},
        {"OpenAsMovie", entry("FolderItemOpenMovie")},
        {"Delete", code(FolderItemDelete)},
        {"CreateAsFolder", code(FolderItemCreateAsFolder)},
        {"Launch", code(FolderItemLaunch)},
        {"CopyFileTo", code(FolderItemCopyFileTo)},
        {"MoveFileTo", code(FolderItemMoveFileTo)},
        {"SaveAsPicture", entry("FolderItemSaveAsPicture")},
        {"OpenStyledEditField", entry("FolderItemOpenStyledEditField")},
        {"SaveStyledEditField", entry("FolderItemSaveStyledEditField")},
    };
    describe(B::FolderItem, folder_properties, folder_methods);

    const PropertyRow binary_properties[] = {
        {"LittleEndian", kValue, code(little_endian_getter), code(little_endian_setter), 0},
        {"EOF", kValue, code(BinaryStreamEOF), nullptr, 0},
        {"Length", kValue, code(BinaryStreamGetLength), code(length_setter), 0},
        {"Position", kValue, code(BinaryStreamGetPosition), code(position_setter), 0},
    };
    const MethodRow binary_methods[] = {
        {"ReadByte", code(BinaryStreamReadByte)},       {"ReadShort", code(BinaryStreamReadShort)},
        {"ReadLong", code(BinaryStreamReadLong)},       {"ReadSingle", code(BinaryStreamReadFloat)},
        {"ReadDouble", code(BinaryStreamReadDouble)},   {"ReadPString", code(BinaryStreamReadPString)},
        {"Read", code(BinaryStreamRead)},               {"WriteByte", code(BinaryStreamWriteByte)},
        {"WriteShort", code(BinaryStreamWriteShort)},   {"WriteLong", code(BinaryStreamWriteLong)},
        {"WriteSingle", code(BinaryStreamWriteFloat)},  {"WriteDouble", code(BinaryStreamWriteDouble)},
        {"WritePString", code(BinaryStreamWritePString)}, {"Write", code(BinaryStreamWrite)},
        {"Close", code(BinaryStreamClose)},
    };
    describe(B::BinaryStream, binary_properties, binary_methods);

    const PropertyRow input_properties[] = {{"EOF", kValue, code(TextInputStreamEOF), nullptr, 0}};
    const MethodRow input_methods[] = {
        {"ReadLine", code(TextInputStreamReadLine)},
        {"ReadAll", code(TextInputStreamReadAll)},
        {"Close", code(TextInputStreamClose)},
    };
    describe(B::TextInputStream, input_properties, input_methods);

    const PropertyRow output_properties[] = {
        {"Delimiter", kValue, code(delimiter_getter), code(delimiter_setter), 0},
    };
    const MethodRow output_methods[] = {
        {"WriteLine", code(TextOutputStreamWriteLine)},
        {"Write", code(TextOutputStreamWrite)},
        {"Close", code(TextOutputStreamClose)},
    };
    describe(B::TextOutputStream, output_properties, output_methods);
}

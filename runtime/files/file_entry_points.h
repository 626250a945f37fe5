// The file entry points of the runtime export table. None raises: objects
// come back nil on failure, queries on a missing item give false, 0 or nil,
// changes to the file system report nothing. Arguments are borrowed;
// objects and strings returned are new references owned by the caller.
// Property getters take (item, selector), setters (item, selector, value);
// Booleans count by their low byte.
#pragma once

#include <cstdint>

#include "objects/objects.h"
#include "strings/runtime_string.h"

extern "C" {
// FolderItem properties.
RuntimeString* fileAbsolutePathGetter(RuntimeObject* item, std::int32_t selector);
std::int32_t fileCountGetter(RuntimeObject* item, std::int32_t selector);
RuntimeString* fileNameGetter(RuntimeObject* item, std::int32_t selector);
void fileNameSetter(RuntimeObject* item, std::int32_t selector, RuntimeString* name);  // renames
std::int32_t fileSizeGetter(RuntimeObject* item, std::int32_t selector);  // low 32 bits
std::int32_t fileRFSizeGetter(RuntimeObject* item, std::int32_t selector);
bool fileLockedGetter(RuntimeObject* item, std::int32_t selector);
void fileLockedSetter(RuntimeObject* item, std::int32_t selector, std::int32_t locked);
bool fileExistsGetter(RuntimeObject* item, std::int32_t selector);
bool fileAliasGetter(RuntimeObject* item, std::int32_t selector);
bool fileVisibleGetter(RuntimeObject* item, std::int32_t selector);
void fileVisibleSetter(RuntimeObject* item, std::int32_t selector, std::int32_t visible);
bool fileDirectoryGetter(RuntimeObject* item, std::int32_t selector);
RuntimeString* fileTypeGetter(RuntimeObject* item, std::int32_t selector);
RuntimeObject* folderParentGetter(RuntimeObject* item, std::int32_t selector);
RuntimeObject* folderGetCreation(RuntimeObject* item, std::int32_t selector);  // a Date
RuntimeObject* folderGetModified(RuntimeObject* item, std::int32_t selector);
void folderSetCreation(RuntimeObject* item, std::int32_t selector, RuntimeObject* date);
void folderSetModified(RuntimeObject* item, std::int32_t selector, RuntimeObject* date);
RuntimeString* fileMacTypeGetter(RuntimeObject* item, std::int32_t selector);
void fileMacTypeSetter(RuntimeObject* item, std::int32_t selector, RuntimeString* value);
RuntimeString* fileMacCreatorGetter(RuntimeObject* item, std::int32_t selector);
void fileMacCreatorSetter(RuntimeObject* item, std::int32_t selector, RuntimeString* value);
RuntimeObject* folderFindFolder(RuntimeObject* item, std::int32_t selector);

// FolderItem methods.
RuntimeObject* FolderItemItem(RuntimeObject* item, std::int32_t index);  // 1-based
RuntimeObject* FolderItemTrueItem(RuntimeObject* item, std::int32_t index);
RuntimeObject* FolderChild(RuntimeObject* item, RuntimeString* name);
RuntimeObject* FolderTrueChild(RuntimeObject* item, RuntimeString* name);
void FolderItemDelete(RuntimeObject* item);
void FolderItemCreateAsFolder(RuntimeObject* item);
void FolderItemLaunch(RuntimeObject* item);
void FolderItemCopyFileTo(RuntimeObject* source, RuntimeObject* destination);
void FolderItemMoveFileTo(RuntimeObject* source, RuntimeObject* destination);

// Stream openers.
RuntimeObject* FolderItemOpenBinaryFile(RuntimeObject* item, std::int32_t read_write);
RuntimeObject* FolderItemCreateBinaryFile(RuntimeObject* item, RuntimeString* type);
RuntimeObject* FolderItemOpenTextFile(RuntimeObject* item);
RuntimeObject* FolderItemCreateTextFile(RuntimeObject* item);
RuntimeObject* FolderItemAppendTextFile(RuntimeObject* item);

// Global FolderItem sources.
RuntimeObject* RuntimeGetFolderItem(RuntimeString* path);
RuntimeObject* RuntimeGetTrueFolderItem(RuntimeString* path);
std::int32_t getVolumeCount();
RuntimeObject* getVolume(std::int32_t index);  // 0-based, C to Z then A and B
RuntimeObject* getTemporaryFolderItem();
RuntimeObject* getAppleMenuFolder();
RuntimeObject* getControlPanelsFolder();
RuntimeObject* getDesktopFolder();
RuntimeObject* getExtensionsFolder();
RuntimeObject* getPreferencesFolder();
RuntimeObject* getStartupItemsFolder();
RuntimeObject* getShutdownItemsFolder();
RuntimeObject* getFontsFolder();
RuntimeObject* getTrashFolder();
RuntimeObject* getSystemFolder();
RuntimeObject* getTemporaryItemsFolder();
void GlobalShowURL(RuntimeString* url);
void RuntimeShowURL(void* unused, RuntimeString* url);

// Plugin conversions.
RuntimeObject* FolderItemFromPath(const char* path);
RuntimeString* TAVOpathFromFolderItem(RuntimeObject* item);

// BinaryStream.
bool BinaryStreamEOF(RuntimeObject* stream);
std::int32_t BinaryStreamGetLength(RuntimeObject* stream);
void BinaryStreamSetLength(RuntimeObject* stream, std::int32_t length);
std::int32_t BinaryStreamGetPosition(RuntimeObject* stream);
void BinaryStreamSetPosition(RuntimeObject* stream, std::int32_t position);
std::int32_t BinaryStreamReadByte(RuntimeObject* stream);
std::int32_t BinaryStreamReadShort(RuntimeObject* stream);
std::int32_t BinaryStreamReadLong(RuntimeObject* stream);
double BinaryStreamReadFloat(RuntimeObject* stream);
double BinaryStreamReadDouble(RuntimeObject* stream);
RuntimeString* BinaryStreamReadPString(RuntimeObject* stream);
RuntimeString* BinaryStreamRead(RuntimeObject* stream, std::int32_t count);
void BinaryStreamWriteByte(RuntimeObject* stream, std::int32_t value);
void BinaryStreamWriteShort(RuntimeObject* stream, std::int32_t value);
void BinaryStreamWriteLong(RuntimeObject* stream, std::int32_t value);
void BinaryStreamWriteFloat(RuntimeObject* stream, double value);
void BinaryStreamWriteDouble(RuntimeObject* stream, double value);
void BinaryStreamWritePString(RuntimeObject* stream, RuntimeString* value);
void BinaryStreamWrite(RuntimeObject* stream, RuntimeString* data);
void BinaryStreamClose(RuntimeObject* stream);

// Text streams.
RuntimeString* TextInputStreamReadLine(RuntimeObject* stream);
RuntimeString* TextInputStreamReadAll(RuntimeObject* stream);
bool TextInputStreamEOF(RuntimeObject* stream);
void TextInputStreamClose(RuntimeObject* stream);
void TextOutputStreamWriteLine(RuntimeObject* stream, RuntimeString* line);
void TextOutputStreamWrite(RuntimeObject* stream, RuntimeString* line);
void TextOutputStreamClose(RuntimeObject* stream);

// Dialogs: the chosen item, nil when cancelled.
RuntimeObject* RuntimeGetOpenFolderItem(RuntimeString* filter);
RuntimeObject* RuntimeGetSaveFolderItem(RuntimeString* filter, RuntimeString* default_name);
}

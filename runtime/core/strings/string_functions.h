// The string entry points of the runtime export table. Arguments are
// borrowed, string results are new references owned by the caller, nil is
// the empty string, positions and field numbers count from 1.
#pragma once

#include <cstdint>

#include "strings/runtime_string.h"

extern "C" {
// Slices and single characters (bytes; the DBCS forms count characters).
RuntimeString* StringLeft(RuntimeString* s, std::int32_t n);
RuntimeString* StringRight(RuntimeString* s, std::int32_t n);
RuntimeString* StringMid2(RuntimeString* s, std::int32_t start);
RuntimeString* StringMid3(RuntimeString* s, std::int32_t start, std::int32_t count);
std::int32_t StringLen(RuntimeString* s);
std::int32_t StringAsc(RuntimeString* s);
RuntimeString* StringChr(std::int32_t code);
std::int32_t StringDBCSLen(RuntimeString* s);
RuntimeString* StringDBCSLeft(RuntimeString* s, std::int32_t n);
RuntimeString* StringDBCSRight(RuntimeString* s, std::int32_t n);
RuntimeString* StringDBCSMid2(RuntimeString* s, std::int32_t start);
RuntimeString* StringDBCSMid3(RuntimeString* s, std::int32_t start, std::int32_t count);
std::int32_t StringDBCSInStr(std::int32_t start, RuntimeString* s, RuntimeString* find);
std::int32_t StringDBCSAsc(RuntimeString* s);
RuntimeString* StringDBCSChr(std::int32_t code);

// Search and replace.
std::int32_t StringInStr(std::int32_t start, RuntimeString* s, RuntimeString* find);
std::int32_t StringInStrB(std::int32_t start, RuntimeString* s, RuntimeString* find);
RuntimeString* StringReplace(RuntimeString* s, RuntimeString* find, RuntimeString* with);
RuntimeString* StringReplaceAll(RuntimeString* s, RuntimeString* find, RuntimeString* with);
std::int32_t StringCountFields(RuntimeString* s, RuntimeString* sep);
RuntimeString* StringNthField(RuntimeString* s, RuntimeString* sep, std::int32_t n);

// Case and comparison. StringStrCompare: mode 0 compares bytes, any other
// mode compares text with letter case ignored; both give -1, 0 or 1.
RuntimeString* StringLCase(RuntimeString* s);
RuntimeString* StringUCase(RuntimeString* s);
RuntimeString* StringTitleCase(RuntimeString* s);
std::int32_t StringStrCompare(RuntimeString* a, RuntimeString* b, std::int32_t mode);
std::int32_t RuntimeStringCompare(RuntimeString* a, RuntimeString* b);

// Blanks.
RuntimeString* runTrim(RuntimeString* s);
RuntimeString* runLTrim(RuntimeString* s);
RuntimeString* runRTrim(RuntimeString* s);

// Numbers.
RuntimeString* StringStr(double x);
RuntimeString* runCStr(double x);
double StringVal(RuntimeString* s);
double runCDbl(RuntimeString* s);
RuntimeString* StringFormat(double x, RuntimeString* format);
RuntimeString* RuntimeHex(std::int32_t n);
RuntimeString* RuntimeOct(std::int32_t n);

// Other views of the text. The pointers stay valid while s lives; for nil
// they point at an empty text.
const char* StringGetCString(RuntimeString* s);
const std::uint8_t* StringGetPString(RuntimeString* s);
const char* StringToCString(RuntimeString* s);
const std::uint8_t* StringToPString(RuntimeString* s);
// The first four bytes as a big-endian four-character code, blank-padded.
std::uint32_t StringToOSType(RuntimeString* s);

// Plugin services.
RuntimeString* TAVOBuildString(const void* bytes, std::int32_t length);
void TAVOLockString(RuntimeString* s);
void TAVOUnlockString(RuntimeString* s);
}

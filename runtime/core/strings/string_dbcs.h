// The character-aware string functions, on given tables so that a
// double-byte code page can be exercised anywhere. On single-byte tables
// they equal the byte forms.
#pragma once

#include <cstdint>

#include "strings/char_tables.h"
#include "strings/runtime_string.h"

std::int32_t dbcs_length(const CharTables& t, RuntimeString* s);
RuntimeString* dbcs_left(const CharTables& t, RuntimeString* s, std::int32_t n);
RuntimeString* dbcs_right(const CharTables& t, RuntimeString* s, std::int32_t n);
RuntimeString* dbcs_mid(const CharTables& t, RuntimeString* s, std::int32_t start, std::int32_t count);
std::int32_t dbcs_in_str(const CharTables& t, std::int32_t start, RuntimeString* s, RuntimeString* find);
std::int32_t dbcs_asc(const CharTables& t, RuntimeString* s);
RuntimeString* dbcs_chr(const CharTables& t, std::int32_t code);

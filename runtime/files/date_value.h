// The Date object as far as files need it: a local file time and whether
// it holds one.
#pragma once

#include <windows.h>

#include <cstdint>

#include "objects/objects.h"

struct DateObject {
    RuntimeObject header;
    std::uint32_t local_time_low, local_time_high;  // a FILETIME in local time
    std::uint8_t valid;
};
static_assert(sizeof(DateObject) <= 36, "within the size of the built-in class");

RuntimeObject* date_from_local_file_time(const FILETIME& local);
// False for nil or a Date without a time.
bool date_local_file_time(RuntimeObject* date, FILETIME* local);

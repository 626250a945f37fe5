#include "date_value.h"

#include "objects/builtin_classes.h"

RuntimeObject* date_from_local_file_time(const FILETIME& local) {
    RuntimeObject* date = object_new(builtin_class(BuiltinClass::Date));
    DateObject* d = reinterpret_cast<DateObject*>(date);
    d->local_time_low = local.dwLowDateTime;
    d->local_time_high = local.dwHighDateTime;
    d->valid = 1;
    return date;
}

bool date_local_file_time(RuntimeObject* date, FILETIME* local) {
    const DateObject* d = reinterpret_cast<const DateObject*>(date);
    if (!d || !d->valid) return false;
    local->dwLowDateTime = d->local_time_low;
    local->dwHighDateTime = d->local_time_high;
    return true;
}

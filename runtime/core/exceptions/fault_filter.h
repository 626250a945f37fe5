// The last stop for a fault in image code (a damaged or miscompiled image,
// a declared library routine misused): the failure report instead of the
// system's crash dialog, then the process ends with exit code 4.
#pragma once

// Process-wide; installed once at start-up.
void fault_filter_install();

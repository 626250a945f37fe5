// The failure report: the dialog for internal consistency failures. The user
// may go on (the call returns) or quit (the process ends with code 0).
#pragma once

#include <cstdint>

void runtime_failure_report(int class_number, std::int16_t code, const char* source, int line);

// The same dialog for a failure nothing can go on from: the process ends
// with `exit_code` whichever button is pressed.
[[noreturn]] void failure_report_and_end(std::int16_t code, const char* source, int line, unsigned exit_code);

// Where reports go instead of the dialog, for programs without a user at the
// screen (the unit tests). Null restores the dialog; returns the previous one.
using FailureReportSink = void (*)(int class_number, std::int16_t code, const char* source, int line);
FailureReportSink failure_report_redirect(FailureReportSink sink);

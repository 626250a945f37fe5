#include "exceptions/failure_report.h"

#include <windows.h>

#include <cstdio>

namespace {

FailureReportSink g_sink = nullptr;

// True when the user pressed OK (go on).
bool show_report(std::int16_t code, const char* source, int line) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "Failed Assertion: %d\nPress OK to Continue\nPress Cancel to Quit.\n\n"
                  "Please report what caused this error\nalong with the information below.\n\n %s : %d",
                  static_cast<int>(code), source ? source : "", line);
    return MessageBoxA(nullptr, text, "", MB_OKCANCEL | MB_ICONHAND | MB_DEFBUTTON2) != IDCANCEL;
}

}  // namespace

FailureReportSink failure_report_redirect(FailureReportSink sink) {
    FailureReportSink previous = g_sink;
    g_sink = sink;
    return previous;
}

void runtime_failure_report(int class_number, std::int16_t code, const char* source, int line) {
    if (g_sink) {
        g_sink(class_number, code, source, line);
        return;
    }
    if (!show_report(code, source, line)) {
        ExitProcess(0);
        FatalAppExitA(0, "Gentle Shutdown Failed.  Attempting Forced Shutdown.");
    }
}

void failure_report_and_end(std::int16_t code, const char* source, int line, unsigned exit_code) {
    show_report(code, source, line);
    // Nothing of the process is trusted any more: no clean-up runs.
    TerminateProcess(GetCurrentProcess(), exit_code);
    ExitProcess(exit_code);
}

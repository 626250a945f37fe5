#include "exceptions/failure_report.h"

#include <windows.h>

#include <cstdio>

namespace {
FailureReportSink g_sink = nullptr;
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
    char text[256];
    std::snprintf(text, sizeof text,
                  "Failed Assertion: %d\nPress OK to Continue\nPress Cancel to Quit.\n\n"
                  "Please report what caused this error\nalong with the information below.\n\n %s : %d",
                  static_cast<int>(code), source ? source : "", line);
    int answer = MessageBoxA(nullptr, text, "", MB_OKCANCEL | MB_ICONHAND | MB_DEFBUTTON2);
    if (answer == IDCANCEL) {
        ExitProcess(0);
        FatalAppExitA(0, "Gentle Shutdown Failed.  Attempting Forced Shutdown.");
    }
}

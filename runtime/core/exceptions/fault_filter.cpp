#include "exceptions/fault_filter.h"

#include <windows.h>

#include <cstdint>

#include "exceptions/failure_report.h"

namespace {

constexpr std::int16_t kFaultCode = 9;
// Fixed: the system's code for the same fault differs between platforms.
constexpr unsigned kFaultExitCode = 4;

volatile LONG g_reporting = 0;

[[noreturn]] void report_and_end(void* address) {
    failure_report_and_end(kFaultCode, "win32exception", static_cast<int>(reinterpret_cast<std::uintptr_t>(address)),
                           kFaultExitCode);
}

// On a thread of its own: the faulting thread may have no stack left, and
// its windows must not run application code while the report is up.
DWORD WINAPI report_thread(void* address) { report_and_end(address); }

LONG WINAPI report_fault(EXCEPTION_POINTERS* info) {
    void* address = info->ExceptionRecord->ExceptionAddress;
    // A fault while the report is being shown ends the process at once.
    if (InterlockedExchange(&g_reporting, 1)) TerminateProcess(GetCurrentProcess(), kFaultExitCode);
    if (HANDLE thread = CreateThread(nullptr, 0, report_thread, address, 0, nullptr)) {
        WaitForSingleObject(thread, INFINITE);
    }
    report_and_end(address);
}

}  // namespace

void fault_filter_install() { SetUnhandledExceptionFilter(report_fault); }

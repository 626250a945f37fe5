#include "exceptions/fault_filter.h"

#include <windows.h>

#include <cstdint>

#include "exceptions/failure_report.h"

namespace {

constexpr std::int16_t kFaultCode = 9;

volatile LONG g_reporting = 0;

struct Fault {
    DWORD code;
    std::uintptr_t address;
};

// On a thread of its own: the faulting thread may have no stack left, and
// its windows must not run application code while the report is up.
DWORD WINAPI report_thread(void* parameter) {
    const Fault* fault = static_cast<const Fault*>(parameter);
    failure_report_and_end(kFaultCode, "win32exception", static_cast<int>(fault->address), fault->code);
}

LONG WINAPI report_fault(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    Fault fault = {record->ExceptionCode, reinterpret_cast<std::uintptr_t>(record->ExceptionAddress)};
    // A fault while the report is being shown ends the process at once.
    if (InterlockedExchange(&g_reporting, 1)) TerminateProcess(GetCurrentProcess(), fault.code);
    if (HANDLE thread = CreateThread(nullptr, 0, report_thread, &fault, 0, nullptr)) {
        WaitForSingleObject(thread, INFINITE);
    }
    failure_report_and_end(kFaultCode, "win32exception", static_cast<int>(fault.address), fault.code);
}

}  // namespace

void fault_filter_install() { SetUnhandledExceptionFilter(report_fault); }

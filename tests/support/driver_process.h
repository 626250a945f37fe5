// The driven program: its start, its end, and the time the whole run may take.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class Program {
public:
    // command: the program, then its arguments; raw_args is appended as given.
    bool start(const std::vector<std::wstring>& command, const std::wstring& raw_args);
    bool exited() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }
    DWORD exit_code() const;
    DWORD pid() const { return info_.dwProcessId; }
    // Waits up to `ms` for the program to end.
    void wait(DWORD ms) const { WaitForSingleObject(info_.hProcess, ms); }
    void kill();

private:
    PROCESS_INFORMATION info_{};
};

// ctest hands us Unix paths; under Wine they map to DOS names.
std::wstring program_path(const std::wstring& path);

// The bound on the whole run.
class Deadline {
public:
    explicit Deadline(DWORD ms) : total_(ms), end_(GetTickCount() + ms) {}
    DWORD remaining() const;
    // Reports "timed out after N ms WHILE".
    void report(const std::string& while_doing) const;

private:
    DWORD total_;
    DWORD end_;
};

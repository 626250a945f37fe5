// --file-dialog PATH: the next dialog is an open or save dialog; PATH (a
// Unix path becomes its DOS name) is typed into its file name field and its
// default button pressed.
#include "driver_steps.h"
#include "driver_text.h"

namespace {

// The file name field: the edit inside the combo box cmb13 of the newer
// layout, or the edit edt1 of the older.
HWND file_name_field(HWND dlg) {
    if (HWND combo = GetDlgItem(dlg, 0x47C)) {
        HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
        return edit ? edit : combo;
    }
    return GetDlgItem(dlg, 0x480);
}

class FileDialogStep : public Step {
public:
    explicit FileDialogStep(std::wstring path) : path_(std::move(path)) {}

    bool run(Session& s, size_t n) override {
        HWND dlg = wait_dialog(s, n);
        if (!dlg) return false;
        const std::wstring path = program_path(path_);
        // The dialog fills its folder view after it shows.
        Sleep(500);
        HWND field = file_name_field(dlg);
        if (!field) {
            say("dialog " + std::to_string(n) + " has no file name field: " + describe_dialog(dlg));
            return false;
        }
        say("dialog " + std::to_string(n) + ": typing " + shown(path));
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG, 2000,
                            &ignored);
        HWND ok = GetDlgItem(dlg, IDOK);
        SendMessageTimeoutW(ok, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
        if (!wait_gone(s.program, dlg, 1000))
            PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
        if (!wait_gone(s.program, dlg, s.deadline.remaining())) {
            s.deadline.report("waiting for dialog " + std::to_string(n) + " to close");
            return false;
        }
        return true;
    }

private:
    HWND wait_dialog(Session& s, size_t n) const {
        for (;;) {
            if (HWND d = find_dialog(s.program.pid())) return d;
            if (s.program.exited()) {
                say("program exited with code " + std::to_string(s.program.exit_code()) +
                    " while waiting for file dialog " + std::to_string(n));
                return nullptr;
            }
            if (s.deadline.remaining() == 0) {
                s.deadline.report("waiting for file dialog " + std::to_string(n));
                return nullptr;
            }
            s.program.wait(50);
        }
    }

    std::wstring path_;
};

}  // namespace

std::unique_ptr<Step> parse_file_dialog_step(const std::wstring& value) {
    return std::make_unique<FileDialogStep>(value);
}

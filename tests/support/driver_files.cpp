// Files changed behind the program's back.
//   --touch PATH    creates an empty file, for programs under test that watch
//                   for one (the compiled leak probe of the application's scenarios)
//   --remove PATH   deletes a file, as another program would (an archive the
//                   program has listed, say)
#include "driver_steps.h"
#include "driver_text.h"

namespace {

class TouchStep : public Step {
public:
    explicit TouchStep(std::wstring path) : path_(std::move(path)) {}
    bool run(Session&, size_t n) override {
        HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            say("step " + std::to_string(n) + ": cannot create " + utf8(path_));
            return false;
        }
        CloseHandle(file);
        return true;
    }

private:
    std::wstring path_;
};

class RemoveStep : public Step {
public:
    explicit RemoveStep(std::wstring path) : path_(std::move(path)) {}
    bool run(Session&, size_t n) override {
        say("removing " + utf8(path_));
        if (DeleteFileW(path_.c_str())) return true;
        say("step " + std::to_string(n) + ": cannot remove " + utf8(path_));
        return false;
    }

private:
    std::wstring path_;
};

}  // namespace

std::unique_ptr<Step> parse_remove_step(const std::wstring& value) { return std::make_unique<RemoveStep>(value); }
std::unique_ptr<Step> parse_touch_step(const std::wstring& value) { return std::make_unique<TouchStep>(value); }

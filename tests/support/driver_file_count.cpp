// --files PATTERN|COUNT[|BYTES[|SOURCE@OFFSET]]: waits until exactly COUNT
// files match PATTERN (wildcards in the name; environment variables such
// as %windir% and %TEMP% expanded), counting only files of BYTES bytes when
// given; with SOURCE, each of those files must also hold SOURCE's bytes
// from OFFSET on. For files a program writes, keeps or deletes on its own.
#include <vector>

#include "driver_steps.h"
#include "driver_text.h"

namespace {

constexpr DWORD kSettleMs = 5000;
constexpr DWORD kUnchecked = 0xFFFFFFFF;

std::wstring expanded(const std::wstring& text) {
    wchar_t buffer[MAX_PATH * 2];
    const DWORD n = ExpandEnvironmentStringsW(text.c_str(), buffer, MAX_PATH * 2);
    return n > 0 && n <= MAX_PATH * 2 ? std::wstring(buffer) : text;
}

bool read_at(const std::wstring& path, DWORD offset, DWORD bytes, std::vector<char>& out) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    out.assign(bytes, 0);
    DWORD got = 0;
    const bool ok = SetFilePointer(f, static_cast<LONG>(offset), nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
                    (bytes == 0 || ReadFile(f, out.data(), bytes, &got, nullptr)) && got == bytes;
    CloseHandle(f);
    return ok;
}

class FilesStep : public Step {
public:
    FilesStep(std::wstring pattern, DWORD count, DWORD bytes, std::wstring source, DWORD offset)
        : pattern_(std::move(pattern)), count_(count), bytes_(bytes), source_(std::move(source)), offset_(offset) {}

    bool run(Session& s, size_t n) override {
        const std::wstring pattern = expanded(pattern_);
        const DWORD until = GetTickCount() + kSettleMs;
        std::string why;
        for (;;) {
            why.clear();
            const DWORD seen = matching(pattern, why);
            if (seen == count_ && why.empty()) {
                say("files " + std::to_string(n) + ": " + std::to_string(seen) + " of " + utf8(pattern) + described());
                return true;
            }
            if (why.empty()) why = std::to_string(seen) + " there";
            if (static_cast<LONG>(until - GetTickCount()) <= 0 || s.deadline.remaining() == 0) break;
            Sleep(100);
        }
        say("step " + std::to_string(n) + ": expected " + std::to_string(count_) + " of " + utf8(pattern) + described() +
            ", " + why);
        return false;
    }

private:
    std::string described() const {
        if (bytes_ == kUnchecked) return "";
        return " of " + std::to_string(bytes_) + " bytes" + (source_.empty() ? "" : " as in " + utf8(source_));
    }

    // The files of the pattern with the size asked for; `why` names one
    // whose contents differ from the source.
    DWORD matching(const std::wstring& pattern, std::string& why) const {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(pattern.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return 0;
        const std::wstring folder = pattern.substr(0, pattern.find_last_of(L"\\/") + 1);
        DWORD count = 0;
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            if (bytes_ != kUnchecked && (found.nFileSizeHigh != 0 || found.nFileSizeLow != bytes_)) continue;
            ++count;
            if (source_.empty() || !why.empty()) continue;
            std::vector<char> have, want;
            if (!read_at(folder + found.cFileName, 0, bytes_, have) || !read_at(source_, offset_, bytes_, want) ||
                have != want)
                why = utf8(found.cFileName) + " differs from " + utf8(source_) + " at " + std::to_string(offset_);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return count;
    }

    std::wstring pattern_;
    DWORD count_, bytes_;
    std::wstring source_;
    DWORD offset_;
};

}  // namespace

std::unique_ptr<Step> parse_files_step(const std::wstring& value) {
    std::vector<std::wstring> parts;
    for (size_t from = 0;;) {
        const size_t bar = value.find(L'|', from);
        parts.push_back(value.substr(from, bar == std::wstring::npos ? std::wstring::npos : bar - from));
        if (bar == std::wstring::npos) break;
        from = bar + 1;
    }
    if (parts.size() < 2 || parts.size() > 4 || parts[0].empty())
        usage("--files needs PATTERN|COUNT[|BYTES[|SOURCE@OFFSET]], got " + utf8(value));
    const DWORD count = parse_number(parts[1].c_str(), "--files count");
    const DWORD bytes = parts.size() > 2 ? parse_number(parts[2].c_str(), "--files bytes") : kUnchecked;
    std::wstring source;
    DWORD offset = 0;
    if (parts.size() > 3) {
        const size_t at = parts[3].rfind(L'@');
        if (at == std::wstring::npos || at == 0) usage("--files source needs SOURCE@OFFSET, got " + utf8(parts[3]));
        source = parts[3].substr(0, at);
        offset = parse_number(parts[3].c_str() + at + 1, "--files offset");
    }
    return std::make_unique<FilesStep>(parts[0], count, bytes, source, offset);
}

// Source positions and the error list shared by every stage. Errors are
// collected, not thrown, so one run reports as many as it can find.
#pragma once

#include <string>
#include <vector>

namespace tavoc {

struct Pos {
    int file = 0;
    int line = 0;
    int column = 0;
};

struct SourceFile {
    std::string name;
    std::string text;
};

class Diagnostics {
public:
    explicit Diagnostics(const std::vector<SourceFile>& files) : files_(files) {}

    void error(Pos pos, const std::string& message);
    bool has_errors() const { return !messages_.empty(); }
    const std::vector<std::string>& messages() const { return messages_; }

private:
    const std::vector<SourceFile>& files_;
    std::vector<std::string> messages_;
};

}  // namespace tavoc

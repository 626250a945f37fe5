// Writing archives in memory from command lines, running the tqwrite program,
// and scratch folders for the tests.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace archive::test {

// The archive a command line writes ("-o" is added), or "" with a failure.
std::string written(std::vector<std::string> args);
// Why a command line is refused, or "" when it is not.
std::string refusal(std::vector<std::string> args);

struct Outcome {
    int status = -1;
    std::string errors;
};
Outcome run_tqwrite(const std::vector<std::string>& args);

// A fresh folder removed with the object.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);

}  // namespace archive::test

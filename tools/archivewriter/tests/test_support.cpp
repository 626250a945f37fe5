#include "test_support.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "options.h"
#include "output.h"

namespace archive::test {

namespace {

bool write_in_memory(std::vector<std::string> args, std::string& bytes, std::string& error) {
    args.push_back("-o");
    args.push_back("unused.tqa");
    Command command;
    Plan plan;
    StringSink sink;
    if (!parse_command(args, command, error) || !plan_archive(command.request, plan, error) ||
        !write_plan(plan, sink, error)) {
        return false;
    }
    bytes = sink.text;
    return true;
}

std::string quoted(const std::string& arg) {
    std::string out = "'";
    for (char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

}  // namespace

std::string written(std::vector<std::string> args) {
    std::string bytes, error;
    if (!write_in_memory(std::move(args), bytes, error)) ADD_FAILURE() << "refused: " << error;
    return bytes;
}

std::string refusal(std::vector<std::string> args) {
    std::string bytes, error;
    return write_in_memory(std::move(args), bytes, error) ? "" : error;
}

Outcome run_tqwrite(const std::vector<std::string>& args) {
    std::string command = quoted(TQWRITE_PATH);
    for (const std::string& arg : args) command += " " + quoted(arg);
    command += " 2>&1";
    Outcome run;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.errors.append(buffer, got);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tqwrite-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) ADD_FAILURE() << "no scratch folder";
    path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace archive::test

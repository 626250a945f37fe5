// tqwrite: writes album archives, well-formed ones from tracks and tag texts,
// or hostile ones field by field in raw mode, one at a time or a whole list.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "options.h"
#include "output.h"
#include "set_list.h"

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "tqwrite: %s\n", message.c_str());
    return 1;
}

bool write_one(const std::vector<std::string>& args, std::string& error) {
    archive::Command command;
    archive::Plan plan;
    return archive::parse_command(args, command, error) && archive::plan_archive(command.request, plan, error) &&
           archive::write_archive_file(plan, command.output, error);
}

bool safe_name(const std::string& name) {
    const std::filesystem::path path(name);
    if (name.empty() || path.is_absolute()) return false;
    for (const auto& part : path) {
        if (part == "..") return false;
    }
    return true;
}

// Every archive of the list under `dir`, and an index of their names and
// descriptions; the first bad entry stops the run.
int write_set(const std::string& list_path, const std::string& dir) {
    std::ifstream in(list_path, std::ios::binary);
    if (!in) return fail(list_path + ": cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    std::vector<archive::SetEntry> entries;
    std::string error;
    if (!archive::parse_set_list(text.str(), entries, error)) return fail(list_path + ": " + error);

    std::set<std::string> names;
    std::string index;
    for (const archive::SetEntry& entry : entries) {
        const std::string where = list_path + ":" + std::to_string(entry.line) + ": ";
        if (!safe_name(entry.name)) return fail(where + "\"" + entry.name + "\" is not a file name inside " + dir);
        if (!names.insert(entry.name).second) return fail(where + "\"" + entry.name + "\" is listed twice");
        for (const std::string& arg : entry.args) {
            if (arg == "-o") return fail(where + "an entry's file name is its output; it takes no -o");
        }
        const std::filesystem::path output = std::filesystem::path(dir) / entry.name;
        std::error_code failure;
        std::filesystem::create_directories(output.parent_path(), failure);
        if (failure) return fail(output.parent_path().string() + ": " + failure.message());
        std::vector<std::string> args = entry.args;
        args.push_back("-o");
        args.push_back(output.string());
        if (!write_one(args, error)) return fail(where + error);
        index += entry.name + "\t" + entry.description + "\n";
    }
    archive::Plan listing;
    listing.head = index;
    listing.total = index.size();
    if (!archive::write_archive_file(listing, (std::filesystem::path(dir) / "index.txt").string(), error)) {
        return fail(error);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help") {
        std::fputs(archive::kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? 1 : 0;
    }
    if (args[0] == "--set") {
        if (args.size() != 3) return fail("--set takes a list and a folder");
        return write_set(args[1], args[2]);
    }
    std::string error;
    if (!write_one(args, error)) return fail(error);
    return 0;
}

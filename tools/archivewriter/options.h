// The command line of tqwrite: what to put in one archive and where.
#pragma once

#include <string>
#include <vector>

#include "archive.h"

namespace archive {

struct Command {
    Request request;
    std::string output;
};

extern const char kUsage[];

// False with a message naming the problem.
bool parse_command(const std::vector<std::string>& args, Command& command, std::string& error);

}  // namespace archive

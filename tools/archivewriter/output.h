// Writing a planned archive: the head, then each track's data streamed from
// its file or generated frame by frame, cut where the plan says.
#pragma once

#include <cstddef>
#include <string>

#include "archive.h"

namespace archive {

class Sink {
public:
    virtual ~Sink() = default;
    virtual bool write(const char* bytes, std::size_t count, std::string& error) = 0;
};

class StringSink : public Sink {
public:
    bool write(const char* bytes, std::size_t count, std::string&) override {
        text.append(bytes, count);
        return true;
    }
    std::string text;
};

bool write_plan(const Plan& plan, Sink& sink, std::string& error);

// Writes beside `path` and renames when complete, so a failure leaves no
// partial archive (and the previous file, if any, untouched).
bool write_archive_file(const Plan& plan, const std::string& path, std::string& error);

}  // namespace archive

// tavoc: compiles application sources into an application image.
//   tavoc [-o OUT.img] [--map OUT.map] [--plugin NAME=FILE.dll]... SOURCE...
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "compiler.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: tavoc [-o OUT.img] [--map OUT.map] [--plugin NAME=FILE.dll]... SOURCE...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string output = "app.img", map;
    std::vector<tavoc::SourceFile> sources;
    std::vector<tavoc::PluginFile> plugins;
    std::string error;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if ((arg == "-o" || arg == "--map" || arg == "--plugin") && i + 1 >= argc) return usage();
        if (arg == "-o") {
            output = argv[++i];
        } else if (arg == "--map") {
            map = argv[++i];
        } else if (arg == "--plugin") {
            std::string plugin = argv[++i];
            std::size_t eq = plugin.find('=');
            if (eq == std::string::npos || eq == 0 || eq > 255) return usage();
            tavoc::PluginFile p;
            p.name = plugin.substr(0, eq);
            if (!image::read_file(plugin.substr(eq + 1), p.bytes, error)) {
                std::fprintf(stderr, "tavoc: %s\n", error.c_str());
                return 1;
            }
            plugins.push_back(std::move(p));
        } else if (!arg.empty() && arg[0] == '-') {
            return usage();
        } else {
            image::Bytes text;
            if (!image::read_file(arg, text, error)) {
                std::fprintf(stderr, "tavoc: %s\n", error.c_str());
                return 1;
            }
            sources.push_back({arg, std::string(text.begin(), text.end())});
        }
    }
    if (sources.empty()) return usage();
    tavoc::CompileResult result = tavoc::compile(sources, plugins);
    for (const std::string& e : result.errors) std::fprintf(stderr, "%s\n", e.c_str());
    if (!result.ok) {
        std::remove(output.c_str());  // a stale image must not pass for this one
        return 1;
    }
    if (!image::write_file(output, image::serialize(result.blocks), error) ||
        (!map.empty() && !image::write_file(map, image::Bytes(result.map.begin(), result.map.end()), error))) {
        std::fprintf(stderr, "tavoc: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

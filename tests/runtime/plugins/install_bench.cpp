// The start-up cost of the plugins: installs the DLLs named on the command
// line as one embedded list, into the usual folders, and prints the time
// from the first write to the last entry call. Run by hand:
//   install_bench A.dll B.dll
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "objects/builtin_classes.h"
#include "plugin_installer.h"

int main(int argc, char** argv) {
    builtin_classes_create();
    std::vector<std::uint8_t> data(8u << 20, 0);
    std::size_t used = 0, previous = 0;
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        std::vector<char> dll((std::istreambuf_iterator<char>(in)), {});
        std::string name = argv[i];
        name = name.substr(name.find_last_of("/\\") + 1);
        used = (used + 3) & ~std::size_t(3);
        if (i > 1) {
            auto at = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(&data[used]));
            std::memcpy(&data[previous], &at, 4);
        }
        previous = used;
        auto length = static_cast<std::uint32_t>(5 + name.size() + dll.size());
        std::memcpy(&data[used + 4], &length, 4);
        data[used + 12] = static_cast<std::uint8_t>(name.size());
        std::memcpy(&data[used + 13], name.data(), name.size());
        std::memcpy(&data[used + 13 + name.size()], dll.data(), dll.size());
        used += 13 + name.size() + dll.size();
    }
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    int entered = plugin_install_list(data.data(), data.data(), used);
    QueryPerformanceCounter(&end);
    std::printf("%d plugins installed and entered in %.1f ms\n", entered,
                1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
    return entered == argc - 1 ? 0 : 1;
}

// tavoctl1 entered by a host whose resolver lacks one service: the plugin
// registers nothing and returns, for every service it asks for.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "plugin_interface.h"

namespace {

std::vector<std::string> g_asked;
std::string g_missing;
std::vector<std::string> g_registered;
int g_version = 0;

void register_version(std::int32_t version) { g_version = version; }
void register_control(TAVOControlDefinition* definition) { g_registered.push_back(definition->name); }
void any_service() {}

void* resolver(const char* name) {
    g_asked.push_back(name);
    if (g_missing == name) return nullptr;
    if (std::string(name) == "RegisterPluginVersion") return reinterpret_cast<void*>(&register_version);
    if (std::string(name) == "PluginRegisterControl") return reinterpret_cast<void*>(&register_control);
    return reinterpret_cast<void*>(&any_service);
}

// By its full path: programs of other builds leave copies of their own in
// the system directory, which comes first in the search.
TAVOPluginEntry entry_point() {
    static HMODULE module = [] {
        std::string path = std::string("Z:") + CONTROLS_PLUGIN;
        for (char& c : path)
            if (c == '/') c = '\\';
        return LoadLibraryA(path.c_str());
    }();
    return module ? reinterpret_cast<TAVOPluginEntry>(reinterpret_cast<void*>(GetProcAddress(module, "TAVOPluginMain")))
                  : nullptr;
}

void enter(const std::string& missing) {
    g_asked.clear();
    g_registered.clear();
    g_version = 0;
    g_missing = missing;
    entry_point()(&resolver);
}

TEST(MissingService, AnyMissingServiceLeavesTheRuntimeWithoutControls) {
    ASSERT_NE(entry_point(), nullptr);
    enter("");
    EXPECT_EQ(g_version, 5);
    const std::vector<std::string> order = {"BevelButton", "ChasingArrows", "LittleArrows", "Placard",
                                            "Separator",   "PopupArrow",    "DisclosureTriangle", "ImageWell"};
    EXPECT_EQ(g_registered, order);
    const std::vector<std::string> every = g_asked;
    EXPECT_GE(every.size(), 20u);
    for (const std::string& name : std::set<std::string>(every.begin(), every.end())) {
        enter(name);
        EXPECT_TRUE(g_registered.empty()) << "registered without " << name;
        EXPECT_EQ(g_version, 0) << "entered without " << name;
    }
}

}  // namespace

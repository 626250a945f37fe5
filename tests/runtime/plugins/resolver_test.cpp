// The resolver and the simple services, reached by name as a plugin does.
#include <gtest/gtest.h>

#include <string>

#include "image/export_table.h"
#include "plugin_records.h"
#include "strings/runtime_string.h"

namespace {

template <typename F>
F resolve(const char* name) {
    return reinterpret_cast<F>(plugin_resolve(name));
}

TEST(Resolver, FindsEveryExportByNameInAnyCase) {
    EXPECT_EQ(plugin_resolve("pluginregistermethod"), export_lookup_link("PluginRegisterMethod"));
    EXPECT_NE(plugin_resolve("PluginRegisterMethod"), nullptr);
    EXPECT_EQ(plugin_resolve("PluginRegisterDBTable"), nullptr);  // not a runtime service
    EXPECT_EQ(plugin_resolve(""), nullptr);
}

TEST(Resolver, ServicesAnswerAsPluginsExpect) {
    EXPECT_EQ(resolve<std::uint8_t (*)()>("TAVOinRuntime")(), 1);
    EXPECT_EQ(resolve<double (*)()>("TAVOGetTVVersion")(), 3.0);
    EXPECT_EQ(resolve<std::int32_t (*)()>("PluginDefaultControlFontSize")(), 12);
    struct Case {
        const char* service;
        const char* text;
    } strings[] = {{"PluginDefaultControlFont", "System"}, {"PluginDefaultControlCaption", "Untitled"}};
    for (const Case& c : strings) {
        RuntimeString* s = resolve<RuntimeString* (*)()>(c.service)();
        EXPECT_STREQ(string_cstr(s), c.text);
        EXPECT_EQ(s->refs, 1) << c.service;
        RuntimeUnlockString(s);
    }
    RuntimeString* value = string_from_cstr("kept");
    EXPECT_EQ(resolve<RuntimeString* (*)(RuntimeString*)>("PluginInterpretConstantValue")(value), value);
    EXPECT_EQ(value->refs, 2);
    RuntimeUnlockString(value);
    RuntimeUnlockString(value);
    std::int32_t charset = resolve<std::int32_t (*)()>("TAVOGetWin32Charset")();
    EXPECT_GE(charset, 0);
    EXPECT_LE(charset, 255);
}

TEST(Resolver, LengthPrefixedTextStopsAt255) {
    RuntimeString* long_text = string_from_cstr(std::string(300, 'x').c_str());
    const std::uint8_t* p = resolve<const std::uint8_t* (*)(RuntimeString*)>("StringGetPString")(long_text);
    EXPECT_EQ(p[0], 255);
    EXPECT_EQ(p[1], 'x');
    RuntimeUnlockString(long_text);
}

// The record during the entry call, and services called after it.
PluginRecord g_seen_during_entry;
TAVOResolver g_handed_resolver = nullptr;
void recording_entry(TAVOResolver resolver) {
    g_handed_resolver = resolver;
    g_seen_during_entry = *current_plugin();
    reinterpret_cast<void (*)(std::int32_t)>(resolver("RegisterPluginVersion"))(3);
    reinterpret_cast<void (*)(const char*, void*)>(resolver("RegisterDataSource"))("during", nullptr);
}

TEST(PluginRecords, OnlyTheEntryCallRegisters) {
    plugin_enter(&recording_entry);
    PluginRecord* record = newest_plugin();
    EXPECT_EQ(g_handed_resolver, &plugin_resolve);
    EXPECT_EQ(g_seen_during_entry.version, 1);
    EXPECT_EQ(g_seen_during_entry.identifiers[0], -1);
    EXPECT_EQ(g_seen_during_entry.identifiers[1], -1);
    EXPECT_EQ(g_seen_during_entry.exports, nullptr);
    EXPECT_EQ(current_plugin(), nullptr);
    EXPECT_EQ(record->version, 3);
    ASSERT_NE(record->data_sources, nullptr);
    EXPECT_STREQ(string_cstr(record->data_sources->name), "during");

    // Outside the entry call there is no plugin to attach anything to.
    resolve<void (*)(std::int32_t)>("RegisterPluginVersion")(5);
    resolve<void (*)()>("PluginMarkSocketUsage")();
    resolve<void (*)(const char*, void*)>("RegisterDataSource")("after", nullptr);
    EXPECT_EQ(record->version, 3);
    EXPECT_EQ(record->uses_sockets, 0);
    EXPECT_EQ(record->data_sources->next, nullptr);
}

}  // namespace

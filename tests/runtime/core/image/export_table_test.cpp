// The runtime export table: its shape, its names and both lookups.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "image/export_table.h"

namespace {

TEST(ExportTable, FilledSlotsThenEmptyOnes) {
    for (int i = 0; i < kExportSlotCount; ++i) {
        const ExportSlot& slot = g_export_table[i];
        if (i < kFilledExportSlots) {
            EXPECT_NE(slot.name, nullptr) << i;
            EXPECT_NE(slot.entry, nullptr) << i;
        } else {
            EXPECT_EQ(slot.name, nullptr) << i;
            EXPECT_EQ(slot.entry, nullptr) << i;
        }
        EXPECT_EQ(slot.reserved[0], 0u);
        EXPECT_EQ(slot.reserved[1], 0u);
    }
}

TEST(ExportTable, NamesAtKnownSlots) {
    struct Case {
        int slot;
        const char* name;
    } cases[] = {
        {0, "RuntimeInit"},          {1, "RuntimeCreateWindow"},   {8, "RuntimeStringCompare"},
        {29, "FPToInt"},             {341, "getSerialPortCount"},  {345, "getSerialPortCount"},
        {912, "TAVOBuildPictureFromDIB"}, {953, "unlockPictureDescription"}, {954, "unlockPictureDescription"},
        {993, "TAVOBuildPictureFromDIB"}, {992, "RuntimeMsgBox"},  {1003, "GetControlBounds"},
    };
    for (const Case& c : cases) EXPECT_STREQ(g_export_table[c.slot].name, c.name) << c.slot;
}

TEST(ExportTable, RepeatedNamesShareOneFunction) {
    EXPECT_EQ(g_export_table[341].entry, g_export_table[345].entry);
    EXPECT_EQ(g_export_table[953].entry, g_export_table[954].entry);
    EXPECT_EQ(g_export_table[912].entry, g_export_table[993].entry);
}

TEST(ExportTable, EveryOtherNameOccursOnce) {
    int repeats = 0;
    for (int i = 0; i < kFilledExportSlots; ++i) {
        for (int j = 0; j < i; ++j) {
            if (std::strcmp(g_export_table[i].name, g_export_table[j].name) == 0) ++repeats;
        }
    }
    EXPECT_EQ(repeats, 3);
}

TEST(ExportTable, LinkLookupIgnoresCaseAndTakesTheFirstSlot) {
    EXPECT_EQ(export_lookup_link("runtimeinit"), g_export_table[0].entry);
    EXPECT_EQ(export_lookup_link("GETSERIALPORTCOUNT"), g_export_table[341].entry);
    EXPECT_EQ(export_lookup_link("RuntimeNoSuchThing"), nullptr);
    EXPECT_EQ(export_lookup_link(""), nullptr);
}

TEST(ExportTable, PluginLookupFindsEverySlotByName) {
    for (int i = 0; i < kFilledExportSlots; ++i) {
        EXPECT_EQ(export_lookup_plugin(g_export_table[i].name), g_export_table[i].entry) << g_export_table[i].name;
    }
    EXPECT_EQ(export_lookup_plugin("tavobuildstring"), export_lookup_link("TAVOBuildString"));
    EXPECT_EQ(export_lookup_plugin("TAVOBuildStrin"), nullptr);
    EXPECT_EQ(export_lookup_plugin("TAVOBuildStringX"), nullptr);
    EXPECT_EQ(export_lookup_plugin(nullptr), nullptr);
}

TEST(ExportTable, HashFoldsLettersAndShiftsByTwo) {
    // 'A' = 0x41; then 'B' ^ (0x41 << 2) = 0x42 ^ 0x104 = 0x146.
    EXPECT_EQ(export_name_hash("ab"), 0x146u);
    EXPECT_EQ(export_name_hash("AB"), 0x146u);
    EXPECT_EQ(export_name_hash(""), 0u);
    // Only a-z fold: '[' and '{' stay distinct.
    EXPECT_NE(export_name_hash("{"), export_name_hash("["));
}

}  // namespace

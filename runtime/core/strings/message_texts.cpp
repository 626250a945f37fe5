#include "strings/message_texts.h"

#include "objects/memory.h"

namespace {
RuntimeString** g_texts = nullptr;
int g_count = 0;
}  // namespace

void message_texts_install(RuntimeString** texts, int count) {
    for (int i = 0; i < g_count; ++i) RuntimeUnlockString(g_texts[i]);
    runtime_free(g_texts, sizeof(RuntimeString*) * static_cast<std::size_t>(g_count));
    g_texts = texts;
    g_count = count;
}

RuntimeString* message_text(int index) {
    if (index < 0 || index >= g_count) return nullptr;
    RuntimeLockString(g_texts[index]);
    return g_texts[index];
}

#include "strings/message_texts.h"

namespace {
RuntimeString** g_texts = nullptr;
int g_count = 0;
}  // namespace

void message_texts_install(RuntimeString** texts, int count) {
    g_texts = texts;
    g_count = count;
}

RuntimeString* message_text(int index) {
    if (index < 0 || index >= g_count) return nullptr;
    RuntimeLockString(g_texts[index]);
    return g_texts[index];
}

// Control-array templates: per distinct control name of a window, the class
// and the description pairs that made its first control, so that more
// members can be cloned from it later.
#pragma once

#include <cstdint>

struct RuntimeClass;
struct RuntimeString;

struct TemplatePair {
    TemplatePair* next;
    RuntimeString* name;
    RuntimeString* value;
};

struct ControlTemplate {
    ControlTemplate* next;
    RuntimeString* name;
    std::int32_t index;  // of the member that made it; kNoIndex outside arrays
    RuntimeClass* cls;
    TemplatePair* pairs;
    TemplatePair* last_pair;
};

ControlTemplate* control_template_new(RuntimeClass* cls);
// Appends a pair (references to both strings are taken).
void control_template_add_pair(ControlTemplate* t, RuntimeString* name, RuntimeString* value);
void control_template_free(ControlTemplate* t);
// Frees a whole list.
void control_templates_free(ControlTemplate* list);
ControlTemplate* control_template_find(ControlTemplate* list, const RuntimeString* name);

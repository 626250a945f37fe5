#include "descriptions/control_templates.h"

#include "controls/control_object.h"
#include "objects/classes.h"
#include "objects/memory.h"
#include "strings/runtime_string.h"
#include "strings/string_compare.h"

ControlTemplate* control_template_new(RuntimeClass* cls) {
    auto* t = static_cast<ControlTemplate*>(runtime_alloc(sizeof(ControlTemplate)));
    t->index = kNoIndex;
    t->cls = cls;
    return t;
}

void control_template_add_pair(ControlTemplate* t, RuntimeString* name, RuntimeString* value) {
    auto* p = static_cast<TemplatePair*>(runtime_alloc(sizeof(TemplatePair)));
    RuntimeLockString(name);
    RuntimeLockString(value);
    p->name = name;
    p->value = value;
    if (t->last_pair) t->last_pair->next = p;
    else t->pairs = p;
    t->last_pair = p;
}

void control_template_free(ControlTemplate* t) {
    for (TemplatePair* p = t->pairs; p;) {
        TemplatePair* next = p->next;
        RuntimeUnlockString(p->name);
        RuntimeUnlockString(p->value);
        runtime_free(p, sizeof *p);
        p = next;
    }
    RuntimeUnlockString(t->name);
    runtime_free(t, sizeof *t);
}

void control_templates_free(ControlTemplate* list) {
    while (list) {
        ControlTemplate* next = list->next;
        control_template_free(list);
        list = next;
    }
}

ControlTemplate* control_template_find(ControlTemplate* list, const RuntimeString* name) {
    for (; list; list = list->next)
        if (text_compare_ignoring_case(text_of(list->name), text_of(name)) == 0) return list;
    return nullptr;
}

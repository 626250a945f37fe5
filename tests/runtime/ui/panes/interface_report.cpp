// A class whose routine table ends before the method an interface call
// needs, watched from outside: the failure report comes up, OK goes on with
// no method to call, Cancel ends the program.
#include "descriptions/interface_calls.h"
#include "objects/classes.h"
#include "objects/objects.h"
#include "strings/runtime_string.h"

int main() {
    RuntimeClass* action = class_new(string_from_cstr("actionNotificationReceiver"));
    action->is_interface = 1;
    class_add_method(action, string_from_cstr("PerformAction"), nullptr)->number = 1;
    RuntimeClass* receiver = class_new(string_from_cstr("ShortTable"));
    receiver->instance_size = sizeof(RuntimeObject);
    static void* one_slot[] = {nullptr};
    ClassInterface* entry = class_add_interface(receiver, action);
    entry->methods = one_slot;
    entry->method_count = 1;
    RuntimeObject* object = object_new(receiver);
    void* code = interface_method(object, "actionNotificationReceiver", "PerformAction");
    RuntimeString* text = string_from_cstr(code ? "a method past the table" : "no method, went on");
    RuntimeMsgBox(text);
    return 0;
}

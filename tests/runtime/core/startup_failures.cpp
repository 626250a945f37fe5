// RuntimeInit on a description that names a class nothing provides and an
// item of an unknown kind: both reach the failure report, which the test
// answers from outside (continue on the first, quit on the second).
#include "description_builder.h"
#include "runtime_string.h"

int main() {
    static DescriptionBuilder d;
    const std::uint8_t* top = d.top({d.provided_class("NoSuchClass")}, {d.item(42, {})});
    d.install_as_data();
    RuntimeInit(top);
    RuntimeString* text = string_from_cstr("RuntimeInit went on after the user chose to quit");
    RuntimeMsgBox(text);
    return 1;
}

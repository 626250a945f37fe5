// RuntimeInit on descriptions that are wrong, watched from outside:
//   startup_failures           a class nothing provides and an item of an
//                              unknown kind reach the failure report
//                              (continue on the first, quit on the second)
//   startup_failures damaged   a class record outside the data block
#include <cstring>

#include "support/description_builder.h"
#include "strings/runtime_string.h"

int main(int argc, char** argv) {
    static DescriptionBuilder d;
    bool damaged = argc > 1 && std::strcmp(argv[1], "damaged") == 0;
    const std::uint8_t* top = damaged ? d.top({d.address(d.size() + 64)}, {})
                                      : d.top({d.provided_class("NoSuchClass")}, {d.item(42, {})});
    d.install_as_data();
    RuntimeInit(top);
    RuntimeString* text = string_from_cstr("RuntimeInit went on");
    RuntimeMsgBox(text);
    return 1;
}

// Raises one exception that nothing handles: `unhandled_exception CLASS`
// with CLASS OutOfBoundsException or EndException. Runs outside ctest's
// own process so that the end of the program can be watched.
#include <windows.h>

#include <cstring>

#include "objects/builtin_classes.h"
#include "exceptions/exceptions.h"
#include "objects/memory.h"
#include "strings/message_texts.h"
#include "objects/objects.h"

int main(int argc, char** argv) {
    auto** texts = static_cast<RuntimeString**>(runtime_alloc(5 * sizeof(RuntimeString*)));
    texts[4] = string_from_cstr("An exception of class %1 was not handled. The application must shut down.");
    message_texts_install(texts, 5);
    BuiltinClass which = argc > 1 && std::strcmp(argv[1], "EndException") == 0 ? BuiltinClass::EndException
                                                                                  : BuiltinClass::OutOfBoundsException;
    RuntimeObject* exception = object_new(builtin_class(which));
    RuntimeRaiseException(exception);
}

// The application object and its events, the documents of the command
// line, and quitting.
#pragma once

#include <cstddef>

struct RuntimeClass;
struct RuntimeObject;
struct EventDefinition;

// Creates the application object: of `image_class` when the image has one,
// otherwise of the built-in Application class.
void application_create(RuntimeClass* image_class);
RuntimeObject* application_object();  // borrowed; null before start-up

// Calls the application's handler of `event` with the object (and `item`
// when not null); nothing when it has none. False when there is no handler.
bool application_fire(EventDefinition* event, RuntimeObject* item = nullptr);

// The next document of a command line: blanks are skipped; a document that
// begins with a double quote runs to the next one (consumed) or the end,
// any other to the next blank. False when none is left.
bool next_document(const char*& cursor, const char*& start, std::size_t& length);

// Fires OpenDocument for each document of `command_line` when the
// application handles it; false when no document was opened.
bool application_open_documents(const char* command_line);

extern "C" {
RuntimeObject* getAppObject();  // a new reference; nil before start-up
void ApplicationQuit();
void ApplicationNewDocument();
void ApplicationOpenDocument(RuntimeObject* item);
void DisableAutoWaitCursor();
}

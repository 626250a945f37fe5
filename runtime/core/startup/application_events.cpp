#include "objects/builtin_events.h"

ApplicationEvents g_application_events;

namespace {

const EventTableRow kRows[] = {
    {0, "Open", "", "", 0, &g_application_events.open},
    {0, "Close", "", "", 0, &g_application_events.close},
    {0, "EnableMenuItems", "", "", 0, &g_application_events.enable_menu_items},
    {0, "NewDocument", "", "", 0, &g_application_events.new_document},
    {0, "OpenDocument", "item As FolderItem", "", 0, &g_application_events.open_document},
    {0, "HandleAppleEvent", "event As AppleEvent, eventClass As String, eventID As String", "Boolean", 0,
     &g_application_events.handle_apple_event},
    {0, "Activate", "", "", 0, &g_application_events.activate},
    {0, "Deactivate", "", "", 0, &g_application_events.deactivate},
};

}  // namespace

const EventTable kApplicationEventTable = {kRows, sizeof kRows / sizeof kRows[0]};

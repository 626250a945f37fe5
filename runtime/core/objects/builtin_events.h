// Event definitions of the built-in classes come from static tables, one per
// class that introduces events. At start-up each row becomes an event
// definition of its class and the row's slot receives it, so that the
// runtime can fire the event through the event lookup.
#pragma once

#include <cstddef>
#include <cstdint>

struct EventDefinition;

struct EventTableRow {
    std::uint32_t flags;
    const char* name;
    const char* parameters;  // "" for none
    const char* result;      // "" for none
    std::uint32_t extra;
    EventDefinition** slot;
};
static_assert(sizeof(EventTableRow) == 24, "event table rows are six words");

struct EventTable {
    const EventTableRow* rows;
    std::size_t count;
};

struct ApplicationEvents {
    EventDefinition* open;
    EventDefinition* close;
    EventDefinition* enable_menu_items;
    EventDefinition* new_document;
    EventDefinition* open_document;
    EventDefinition* handle_apple_event;
    EventDefinition* activate;
    EventDefinition* deactivate;
};
extern ApplicationEvents g_application_events;
extern const EventTable kApplicationEventTable;

struct TimerEvents {
    EventDefinition* action;
};
extern TimerEvents g_timer_events;
extern const EventTable kTimerEventTable;

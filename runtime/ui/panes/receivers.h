// Receiver lists of bindable controls: newest first, each entry holding one
// reference to its receiver, told through an interface method by name.
#pragma once

#include <cstdint>

struct RuntimeObject;

struct ReceiverEntry {
    ReceiverEntry* next;
    RuntimeObject* receiver;  // one reference
};

struct ReceiverList {
    ReceiverEntry* first = nullptr;
};

void receivers_add(ReceiverList& list, RuntimeObject* receiver);
// Unlinks the first entry holding `receiver`; nothing when none does.
void receivers_remove(ReceiverList& list, RuntimeObject* receiver);
void receivers_clear(ReceiverList& list);
// Calls `method` of `interface_name` with each receiver. Receivers added or
// removed by a call do not disturb the round: it works on a snapshot.
void receivers_notify(const ReceiverList& list, const char* interface_name, const char* method);
// The same with one integer argument after the receiver.
void receivers_notify(const ReceiverList& list, const char* interface_name, const char* method,
                      std::int32_t argument);
// "PerformAction" of actionNotificationReceiver, "DataChanged" of
// dataNotificationReceiver.
void receivers_notify_action(const ReceiverList& list);
void receivers_notify_data(const ReceiverList& list);

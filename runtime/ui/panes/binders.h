// The binder classes that window descriptions name. A binder registers
// itself with the interfaces of the two objects it joins:
// - enablingBinder: the target control is enabled while the source has
//   data ("DataAvailable", else "GetBoolean"), followed through the
//   source's data or list-selection notifications;
// - actionBinder: each action of the source (an actionSource) performs the
//   target's "PerformAction";
// - stringBinder: the target's "SetString" gets the source's "GetString"
//   at once and after every data or list-selection notification;
// - listBinder: the target's "setListDataProvider" gets the source.
// The source holds the binder through its receiver list.
#pragma once

void binders_describe();

// The runtime lock: one critical section around the memory and string
// services, which the runtime's own threads use too.
#pragma once

void runtime_lock_init();
void runtime_lock_enter();
void runtime_lock_leave();

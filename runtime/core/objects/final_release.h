// Objects the runtime keeps to the very end of the process. They are
// destroyed when the main loop ends and when an unhandled exception ends
// the program.
#pragma once

using FinalReleaseAction = void (*)(void* context);

void final_release_add(FinalReleaseAction action, void* context);
// Runs and removes entries, most recently added first, until none is left
// (an action may add further entries).
void final_release_run();

// Multiple-document mode: the frame window "TV_MDIFRAME" with its MDI
// client, inside which the document windows live as "TV_MDICHILD" windows.
#pragma once

#include <windows.h>

struct RuntimeString;

// Makes the frame with the application's menu bar and shows it; false when
// it could not be made.
bool mdi_frame_create(RuntimeString* title, int width, int height);
HWND mdi_frame();   // null without one (or once it has gone)
HWND mdi_client();  // likewise

// A new, hidden child of the client with client area `width` x `height`,
// at the client's default position; null on failure.
HWND mdi_child_create(const char* title, DWORD style, int width, int height);
// Destroys a child through its client.
void mdi_child_destroy(HWND child);
// Brings a child to the front of its siblings and activates it.
void mdi_child_activate(HWND child);
// Full-screen mode of a document window: the frame loses its caption and
// sizing border and covers the screen it overlaps most; leaving gives both
// back.
void mdi_frame_full_screen(bool on);

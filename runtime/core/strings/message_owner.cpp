// Until windows exist, boxes have no owner and the plain caption.
#include "strings/message_owner.h"

HWND runtime_owner_window() { return nullptr; }

const char* runtime_message_caption() { return "Message"; }

// Movie, Sound and MoviePlayer on their built-in descriptors, and the
// project's movie and sound items. Done once at start-up.
#pragma once

void media_classes_describe();

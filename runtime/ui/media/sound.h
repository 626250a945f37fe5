// Sound: a WAV file played through the media layer, or a project item's
// sound data, played from memory where it lies.
#pragma once

#include <cstdint>

#include "media_layer.h"
#include "objects/objects.h"

struct SoundObject {
    RuntimeObject header;
    RuntimeObject* file;          // the FolderItem, one reference; nil for project sounds
    std::int32_t id;              // of the project item; 0 otherwise
    const std::uint8_t* data;     // a project sound's WAV bytes, in place
    MediaHandle media;            // a file sound's device, once played
};
static_assert(sizeof(SoundObject) == 40, "the size of the built-in class");

// The class's destructor.
void sound_release(RuntimeObject* sound, RuntimeClass* cls);
// Installs the sound item factory of the project description.
void project_sounds_install();

#include "sound.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstring>

#include "folder_item.h"
#include "media_entry_points.h"
#include "objects/builtin_classes.h"
#include "startup/project_description.h"

namespace {

// The project sound playing from memory; the system plays one at a time.
const SoundObject* g_memory_sound = nullptr;

SoundObject* sound_of(RuntimeObject* object) {
    if (!object || !object_isa(object, builtin_class(BuiltinClass::Sound))) return nullptr;
    return reinterpret_cast<SoundObject*>(object);
}

SoundObject* new_sound() { return reinterpret_cast<SoundObject*>(object_new(builtin_class(BuiltinClass::Sound))); }

bool starts_with_riff(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    char head[4] = {};
    const bool riff = std::fread(head, 1, 4, file) == 4 && std::memcmp(head, "RIFF", 4) == 0;
    std::fclose(file);
    return riff;
}

void play(RuntimeObject* object, bool looping) {
    SoundObject* sound = sound_of(object);
    if (!sound) return;
    if (sound->data) {
        const DWORD flags = SND_MEMORY | SND_ASYNC | SND_NODEFAULT | (looping ? SND_LOOP : 0);
        if (PlaySoundA(reinterpret_cast<const char*>(sound->data), nullptr, flags)) g_memory_sound = sound;
        return;
    }
    if (!sound->media) sound->media = media_open_file(string_cstr(folder_item_path(sound->file)));
    media_play(sound->media, looping);
}

void stop_memory_sound(const SoundObject* sound) {
    if (g_memory_sound != sound) return;
    PlaySoundA(nullptr, nullptr, 0);
    g_memory_sound = nullptr;
}

// Item kind 6: a u32 id, then a whole WAV file.
RuntimeObject* project_sound(const std::uint8_t* data, const DataSpan& span) {
    std::uint32_t id = 0, declared = 0;
    if (!span.contains(data, 4 + 12)) return nullptr;
    std::memcpy(&id, data, 4);
    const std::uint8_t* wav = data + 4;
    std::memcpy(&declared, wav + 4, 4);
    if (std::memcmp(wav, "RIFF", 4) != 0 || declared > 0x7FFFFFF0u || !span.contains(wav, 8 + declared)) return nullptr;
    SoundObject* sound = new_sound();
    sound->id = static_cast<std::int32_t>(id);
    sound->data = wav;
    return &sound->header;
}

}  // namespace

void sound_release(RuntimeObject* object, RuntimeClass*) {
    auto* sound = reinterpret_cast<SoundObject*>(object);
    stop_memory_sound(sound);
    const MediaHandle media = sound->media;
    sound->media = 0;
    media_close(media);
    RuntimeUnlockObject(sound->file);
    sound->file = nullptr;
}

void project_sounds_install() { project_item_factories().sound = project_sound; }

extern "C" {

RuntimeObject* FolderItemOpenSound(RuntimeObject* item) {
    if (!item || !object_isa(item, builtin_class(BuiltinClass::FolderItem))) return nullptr;
    if (!starts_with_riff(string_cstr(folder_item_path(item)))) return nullptr;
    SoundObject* sound = new_sound();
    sound->file = RuntimeLockObject(item);
    return &sound->header;
}

void soundPlay(RuntimeObject* sound) { play(sound, false); }
void soundPlayLooping(RuntimeObject* sound) { play(sound, true); }

void soundStop(RuntimeObject* object) {
    SoundObject* sound = sound_of(object);
    if (!sound) return;
    stop_memory_sound(sound);
    media_stop(sound->media);
}

}  // extern "C"

#include "media_layer.h"

#include <cstring>

#include "objects/memory.h"

namespace {

const MediaBackend& backend_at(int i) { return i == 0 ? movie_library_backend() : system_media_backend(); }
constexpr int kBackendCount = 2;

struct OpenDevice {
    const MediaBackend* backend;  // null: a free slot
    std::uint32_t device;
    bool looping;                 // as last played
    std::int32_t parked_ms;       // where a stopped device plays on from; negative: where it stands
};

struct DeviceTable {
    OpenDevice* slots;
    std::uint32_t capacity;
    bool shut_down;
};
DeviceTable g_table = {nullptr, 0, false};

MediaHandle remember(const MediaBackend& backend, std::uint32_t device) {
    std::uint32_t free = 0;
    while (free < g_table.capacity && g_table.slots[free].backend) ++free;
    if (free == g_table.capacity) {
        const std::uint32_t capacity = g_table.capacity ? 2 * g_table.capacity : 8;
        auto* grown = static_cast<OpenDevice*>(runtime_alloc(sizeof(OpenDevice) * capacity));
        std::memset(grown, 0, sizeof(OpenDevice) * capacity);
        if (g_table.capacity) std::memcpy(grown, g_table.slots, sizeof(OpenDevice) * g_table.capacity);
        runtime_free(g_table.slots, sizeof(OpenDevice) * g_table.capacity);
        g_table.slots = grown;
        g_table.capacity = capacity;
    }
    g_table.slots[free] = {&backend, device, false, -1};
    return free + 1;
}

OpenDevice* device_of(MediaHandle media) {
    if (media == 0 || media > g_table.capacity) return nullptr;
    OpenDevice* d = &g_table.slots[media - 1];
    return d->backend ? d : nullptr;
}


}  // namespace

bool media_can_play() {
    if (g_table.shut_down) return false;
    for (int i = 0; i < kBackendCount; ++i)
        if (backend_at(i).available()) return true;
    return false;
}

MediaHandle media_open_file(const char* path) {
    if (g_table.shut_down || !path || !*path) return 0;
    for (int i = 0; i < kBackendCount; ++i) {
        const MediaBackend& backend = backend_at(i);
        std::uint32_t device = 0;
        if (backend.available() && backend.open_file(path, device)) return remember(backend, device);
    }
    return 0;
}

// A playing device told to play again (its loop choice changed) goes on
// from where it is, told so as after a stop.
void media_play(MediaHandle media, bool looping) {
    OpenDevice* d = device_of(media);
    if (!d) return;
    std::int32_t from = d->parked_ms;
    if (from < 0 && d->backend->playing(d->device)) from = d->backend->position_ms(d->device);
    d->looping = looping;
    d->parked_ms = -1;
    d->backend->play(d->device, looping, from);
}

// The place is kept here: a device that plays on from where it stopped
// may count its place wrongly afterwards (so under Wine), one told where
// to play from does not.
void media_stop(MediaHandle media) {
    OpenDevice* d = device_of(media);
    if (!d) return;
    if (d->backend->playing(d->device)) d->parked_ms = d->backend->position_ms(d->device);
    d->backend->stop(d->device);
}

// A playing device plays on from there; a stopped one waits there.
void media_seek(MediaHandle media, std::int32_t ms) {
    OpenDevice* d = device_of(media);
    if (!d) return;
    if (ms < 0) ms = 0;
    if (d->backend->playing(d->device)) d->backend->play(d->device, d->looping, ms);
    else d->parked_ms = ms;
}

void media_set_muted(MediaHandle media, bool muted) {
    if (OpenDevice* d = device_of(media)) d->backend->set_muted(d->device, muted);
}

bool media_playing(MediaHandle media) {
    OpenDevice* d = device_of(media);
    return d && d->backend->playing(d->device);
}

std::int32_t media_length_ms(MediaHandle media) {
    OpenDevice* d = device_of(media);
    return d ? d->backend->length_ms(d->device) : 0;
}

std::int32_t media_position_ms(MediaHandle media) {
    OpenDevice* d = device_of(media);
    if (!d) return 0;
    return d->parked_ms >= 0 ? d->parked_ms : d->backend->position_ms(d->device);
}

MediaSize media_natural_size(MediaHandle media) {
    OpenDevice* d = device_of(media);
    return d ? d->backend->natural_size(d->device) : MediaSize{0, 0};
}

void media_close(MediaHandle media) {
    OpenDevice* d = device_of(media);
    if (!d) return;
    const OpenDevice closing = *d;
    *d = {nullptr, 0, false, -1};
    closing.backend->stop(closing.device);
    closing.backend->close(closing.device);
    // The table goes with its last device, so that it is not counted as
    // memory in use while nothing plays.
    if (media_open_count() == 0) {
        runtime_free(g_table.slots, sizeof(OpenDevice) * g_table.capacity);
        g_table.slots = nullptr;
        g_table.capacity = 0;
    }
}

std::uint32_t media_open_count() {
    std::uint32_t n = 0;
    for (std::uint32_t i = 0; i < g_table.capacity; ++i)
        if (g_table.slots[i].backend) ++n;
    return n;
}

void media_shutdown() {
    while (g_table.capacity) {
        std::uint32_t last = g_table.capacity;
        while (!g_table.slots[last - 1].backend) --last;
        media_close(last);
    }
    g_table.shut_down = true;
    for (int i = 0; i < kBackendCount; ++i) backend_at(i).shutdown();
}

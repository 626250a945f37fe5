// The system's multimedia command interface, device type "mpegvideo": it
// plays MP3 and WAV files (and video) on its own threads, so no call here
// waits for playback.
#include <windows.h>
#include <mmsystem.h>
#include <digitalv.h>

#include "media_backend.h"

namespace {

MCIERROR command(std::uint32_t device, UINT message, DWORD_PTR flags, void* parameters) {
    return mciSendCommandA(static_cast<MCIDEVICEID>(device), message, flags, reinterpret_cast<DWORD_PTR>(parameters));
}

DWORD status(std::uint32_t device, DWORD item) {
    MCI_STATUS_PARMS query = {};
    query.dwItem = item;
    return command(device, MCI_STATUS, MCI_STATUS_ITEM, &query) == 0 ? static_cast<DWORD>(query.dwReturn) : 0;
}

bool available() { return true; }

bool open_file(const char* path, std::uint32_t& device) {
    MCI_OPEN_PARMSA open = {};
    open.lpstrDeviceType = "mpegvideo";
    open.lpstrElementName = path;
    if (command(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, &open) != 0) return false;
    device = open.wDeviceID;
    MCI_SET_PARMS milliseconds = {};
    milliseconds.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    if (command(device, MCI_SET, MCI_SET_TIME_FORMAT, &milliseconds) != 0) {
        command(device, MCI_CLOSE, 0, nullptr);
        return false;
    }
    return true;
}

std::int32_t length_ms(std::uint32_t device) { return static_cast<std::int32_t>(status(device, MCI_STATUS_LENGTH)); }
std::int32_t position_ms(std::uint32_t device) { return static_cast<std::int32_t>(status(device, MCI_STATUS_POSITION)); }
bool playing(std::uint32_t device) { return status(device, MCI_STATUS_MODE) == MCI_MODE_PLAY; }

// Under Wine the device cannot seek; playing from a place can.
void play(std::uint32_t device, bool looping, std::int32_t from_ms) {
    const std::int32_t length = length_ms(device);
    if (from_ms < 0 && length > 0 && position_ms(device) >= length) from_ms = 0;
    MCI_DGV_PLAY_PARMS at_normal_rate = {};
    DWORD flags = looping ? MCI_DGV_PLAY_REPEAT : 0;
    if (from_ms >= 0) {
        at_normal_rate.dwFrom = static_cast<DWORD>(from_ms);
        flags |= MCI_FROM;
    }
    command(device, MCI_PLAY, flags, &at_normal_rate);
}

// A pause keeps the place, where a stop may go back to the start.
void stop(std::uint32_t device) {
    if (command(device, MCI_PAUSE, 0, nullptr) != 0) command(device, MCI_STOP, 0, nullptr);
}

// The device's own volume, so that other programs' sound is left alone.
void set_muted(std::uint32_t device, bool muted) {
    MCI_DGV_SETAUDIO_PARMSA volume = {};
    volume.dwItem = MCI_DGV_SETAUDIO_VOLUME;
    volume.dwValue = muted ? 0 : 1000;
    command(device, MCI_SETAUDIO, MCI_DGV_SETAUDIO_ITEM | MCI_DGV_SETAUDIO_VALUE, &volume);
}

MediaSize natural_size(std::uint32_t device) {
    MCI_DGV_RECT_PARMS source = {};
    if (command(device, MCI_WHERE, MCI_DGV_WHERE_SOURCE, &source) != 0) return {0, 0};
    // The rectangle holds the width and height in its right and bottom.
    return {source.rc.right, source.rc.bottom};
}

void close(std::uint32_t device) { command(device, MCI_CLOSE, 0, nullptr); }

void shutdown() {}

const MediaBackend kBackend = {
    available, open_file, play, stop, set_muted, playing, length_ms, position_ms, natural_size, close, shutdown,
};

}  // namespace

const MediaBackend& system_media_backend() { return kBackend; }

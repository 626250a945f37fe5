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

void play(std::uint32_t device, bool looping) {
    // A movie that has played to its end starts again from the beginning.
    const std::int32_t length = length_ms(device);
    if (length > 0 && position_ms(device) >= length) command(device, MCI_SEEK, MCI_SEEK_TO_START, nullptr);
    MCI_DGV_PLAY_PARMS at_normal_rate = {};
    command(device, MCI_PLAY, looping ? MCI_DGV_PLAY_REPEAT : 0, &at_normal_rate);
}

void stop(std::uint32_t device) { command(device, MCI_STOP, 0, nullptr); }

MediaSize natural_size(std::uint32_t device) {
    MCI_DGV_RECT_PARMS source = {};
    if (command(device, MCI_WHERE, MCI_DGV_WHERE_SOURCE, &source) != 0) return {0, 0};
    // The rectangle holds the width and height in its right and bottom.
    return {source.rc.right, source.rc.bottom};
}

void close(std::uint32_t device) { command(device, MCI_CLOSE, 0, nullptr); }

void shutdown() {}

const MediaBackend kBackend = {
    available, open_file, play, stop, playing, length_ms, position_ms, natural_size, close, shutdown,
};

}  // namespace

const MediaBackend& system_media_backend() { return kBackend; }

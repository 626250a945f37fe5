// MPEG-1 Layer III frames made without an encoder: 48 kHz mono frames whose
// main data is either silence or one spectral line per granule (a steady
// tone), laid out so that a track is exactly the byte length asked for.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace archive {

constexpr int kSampleRate = 48000;
constexpr int kHeaderBytes = 4;
constexpr int kSideInfoBytes = 17;  // MPEG-1, one channel

// Bit rates of the MPEG-1 Layer III table, in kbit/s, by index 1 to 14.
extern const int kBitRates[15];

// A frame is 144 * bit rate / sample rate bytes, plus one padding byte.
int frame_bytes(int bitrate_index, bool padded);

struct FrameRun {
    int bitrate_index;
    bool padded;
    std::uint64_t count;
};

// Frames that add up to `bytes`, mostly of 128 kbit/s, largest first; where no set of whole frames
// has that sum the track ends in the first `cut` bytes (fewer than the
// smallest frame) of one more 32 kbit/s frame.
struct FramePlan {
    std::vector<FrameRun> runs;
    std::uint32_t cut = 0;
};
FramePlan plan_frames(std::uint64_t bytes);

// A silent payload when `tone_hz` is 0; otherwise a tone.
std::string make_frame(int bitrate_index, bool padded, int tone_hz);

// The spectral line that carries a tone (2 to 574, even): it sounds at
// line * 48000 / 1152 Hz, the nearest such frequency to `tone_hz`.
int tone_line(int tone_hz);

}  // namespace archive

#include "mpeg_frames.h"

#include <algorithm>
#include <cmath>

namespace archive {

const int kBitRates[15] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};

int frame_bytes(int bitrate_index, bool padded) {
    return 144 * kBitRates[bitrate_index] * 1000 / kSampleRate + (padded ? 1 : 0);
}

namespace {

constexpr int kBulkIndex = 9;  // 128 kbit/s: 384 or 385 bytes
constexpr int kLinesPerGranule = 576;
constexpr int kToneGlobalGain = 196;  // about -20 dB below a full-scale line

struct FrameKind {
    int bitrate_index;
    bool padded;
    int bytes;
};

std::vector<FrameKind> frame_kinds() {
    std::vector<FrameKind> kinds;
    for (int index = 1; index <= 14; ++index) {
        for (bool padded : {false, true}) kinds.push_back({index, padded, frame_bytes(index, padded)});
    }
    return kinds;
}

void add_frame(FramePlan& plan, int bitrate_index, bool padded, std::uint64_t count) {
    if (count == 0) return;
    for (FrameRun& run : plan.runs) {
        if (run.bitrate_index == bitrate_index && run.padded == padded) {
            run.count += count;
            return;
        }
    }
    plan.runs.push_back({bitrate_index, padded, count});
}

// Short tracks by a table of every sum up to `bytes`, costing other bit
// rates more than 128 kbit/s so that a track plays about as long as its
// size says; what no whole frames reach is left to a cut frame.
void plan_small(FramePlan& plan, std::uint32_t bytes) {
    const std::vector<FrameKind> kinds = frame_kinds();
    std::vector<std::uint32_t> cost(bytes + 1, UINT32_MAX);
    std::vector<int> last(bytes + 1, -1);
    cost[0] = 0;
    for (std::uint32_t sum = 1; sum <= bytes; ++sum) {
        for (std::size_t k = 0; k < kinds.size(); ++k) {
            const std::uint32_t size = static_cast<std::uint32_t>(kinds[k].bytes);
            const std::uint32_t step = kinds[k].bitrate_index == kBulkIndex ? 1 : 3;
            if (size <= sum && cost[sum - size] != UINT32_MAX && cost[sum - size] + step < cost[sum]) {
                cost[sum] = cost[sum - size] + step;
                last[sum] = static_cast<int>(k);
            }
        }
    }
    std::uint32_t whole = bytes;
    while (cost[whole] == UINT32_MAX) --whole;
    for (std::uint32_t sum = whole; sum > 0; sum -= static_cast<std::uint32_t>(kinds[last[sum]].bytes)) {
        add_frame(plan, kinds[last[sum]].bitrate_index, kinds[last[sum]].padded, 1);
    }
    std::sort(plan.runs.begin(), plan.runs.end(), [](const FrameRun& a, const FrameRun& b) {
        return frame_bytes(a.bitrate_index, a.padded) > frame_bytes(b.bitrate_index, b.padded);
    });
    // Adding a smallest frame to `whole` overshoots, so the cut is shorter than one.
    plan.cut = bytes - whole;
}

class BitWriter {
public:
    explicit BitWriter(std::string& bytes, std::size_t start) : bytes_(bytes), bit_(start * 8) {}
    void put(std::uint32_t value, int bits) {
        for (int b = bits - 1; b >= 0; --b, ++bit_) {
            if ((value >> b) & 1u) bytes_[bit_ / 8] = static_cast<char>(bytes_[bit_ / 8] | (0x80 >> (bit_ % 8)));
        }
    }

private:
    std::string& bytes_;
    std::size_t bit_;
};

// Main data bits of one granule: Huffman table 1 codes for pairs of lines,
// (0,0) up to the pair holding the tone line, then +1 in it.
int tone_granule_bits(int line) { return line / 2 + (line % 2 == 0 ? 2 : 3) + 1; }

void put_tone_granule(BitWriter& bits, int line) {
    for (int pair = 0; pair < line / 2; ++pair) bits.put(0x1, 1);
    if (line % 2 == 0) {
        bits.put(0x1, 2);  // (1,0)
    } else {
        bits.put(0x1, 3);  // (0,1)
    }
    bits.put(0, 1);  // sign: positive
}

void put_side_info(BitWriter& bits, int tone_hz) {
    const int line = tone_hz > 0 ? tone_line(tone_hz) : 0;
    bits.put(0, 9);  // main data begins in this frame
    bits.put(0, 5);  // private bits
    bits.put(0, 4);  // no scale factors shared between granules
    for (int granule = 0; granule < 2; ++granule) {
        if (tone_hz > 0) {
            bits.put(static_cast<std::uint32_t>(tone_granule_bits(line)), 12);  // part2_3_length
            bits.put(static_cast<std::uint32_t>(line / 2 + 1), 9);             // big_values
            bits.put(kToneGlobalGain, 8);
        } else {
            bits.put(0, 12 + 9 + 8);
        }
        bits.put(0, 4);  // scalefac_compress: no scale factor bits
        bits.put(0, 1);  // long blocks
        for (int region = 0; region < 3; ++region) bits.put(tone_hz > 0 ? 1 : 0, 5);  // table_select
        bits.put(0, 4 + 3);  // region counts
        bits.put(0, 3);      // preflag, scalefac_scale, count1table_select
    }
}

}  // namespace

// The same line in every granule sounds at an even multiple of the line
// spacing (fs / 1152): line k at k lines' frequency when k is even, at k + 1
// when it is odd. So tones come from even lines.
int tone_line(int tone_hz) {
    const double line_hz = static_cast<double>(kSampleRate) / (2.0 * kLinesPerGranule);
    const long line = 2 * std::lround(tone_hz / (2 * line_hz));
    return static_cast<int>(std::clamp(line, 2L, static_cast<long>(kLinesPerGranule - 2)));
}

FramePlan plan_frames(std::uint64_t bytes) {
    FramePlan plan;
    const std::uint64_t bulk = static_cast<std::uint64_t>(frame_bytes(kBulkIndex, false));
    // From bulk * (bulk + 1) on, every sum is k frames of 384 or 385 bytes.
    if (bytes >= bulk * (bulk + 1)) {
        const std::uint64_t frames = (bytes + bulk) / (bulk + 1);
        const std::uint64_t padded = bytes - frames * bulk;
        add_frame(plan, kBulkIndex, true, padded);
        add_frame(plan, kBulkIndex, false, frames - padded);
        return plan;
    }
    plan_small(plan, static_cast<std::uint32_t>(bytes));
    return plan;
}

std::string make_frame(int bitrate_index, bool padded, int tone_hz) {
    std::string frame(static_cast<std::size_t>(frame_bytes(bitrate_index, padded)), '\0');
    BitWriter bits(frame, 0);
    bits.put(0x7FF, 11);  // sync
    bits.put(3, 2);       // MPEG-1
    bits.put(1, 2);       // Layer III
    bits.put(1, 1);       // no CRC
    bits.put(static_cast<std::uint32_t>(bitrate_index), 4);
    bits.put(1, 2);  // 48 kHz
    bits.put(padded ? 1 : 0, 1);
    bits.put(0, 1);  // private
    bits.put(3, 2);  // one channel
    bits.put(0, 2);  // mode extension
    bits.put(0, 1);  // not copyrighted
    bits.put(1, 1);  // original
    bits.put(0, 2);  // no emphasis
    BitWriter side(frame, kHeaderBytes);
    put_side_info(side, tone_hz);
    if (tone_hz > 0) {
        BitWriter main(frame, kHeaderBytes + kSideInfoBytes);
        const int line = tone_line(tone_hz);
        put_tone_granule(main, line);
        put_tone_granule(main, line);
    }
    return frame;
}

}  // namespace archive

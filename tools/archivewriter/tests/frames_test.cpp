// Generated tracks are MPEG audio: every frame header decodes (sync, MPEG-1
// Layer III, a legal bit rate and sample rate) and gives the length that
// reaches the next header; frames fill the track exactly, with at most a cut
// frame shorter than any whole one, and mostly of 128 kbit/s so that a track
// plays as long as its size suggests; silent frames carry no audio bits, tone
// frames one spectral line in each granule, coded as their side info says.
#include <gtest/gtest.h>

#include <set>

#include "archive_reader.h"
#include "test_support.h"

namespace archive::test {
namespace {

struct Header {
    bool valid = false;
    int bitrate_kbps = 0;
    int sample_rate = 0;
    bool padded = false;
    int channels = 0;
    std::size_t bytes = 0;
};

Header parse_header(const unsigned char* h) {
    static const int kRates[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, -1};
    static const int kSampleRates[4] = {44100, 48000, 32000, -1};
    Header out;
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0) return out;
    if (((h[1] >> 3) & 3) != 3 || ((h[1] >> 1) & 3) != 1) return out;  // MPEG-1, Layer III
    out.bitrate_kbps = kRates[h[2] >> 4];
    out.sample_rate = kSampleRates[(h[2] >> 2) & 3];
    if (out.bitrate_kbps <= 0 || out.sample_rate < 0) return out;
    out.padded = (h[2] >> 1) & 1;
    out.channels = (h[3] >> 6) == 3 ? 1 : 2;
    out.bytes = static_cast<std::size_t>(144 * out.bitrate_kbps * 1000 / out.sample_rate + (out.padded ? 1 : 0));
    out.valid = true;
    return out;
}

class BitReader {
public:
    BitReader(const unsigned char* bytes, std::size_t start_bit) : bytes_(bytes), bit_(start_bit) {}
    unsigned get(int bits) {
        unsigned value = 0;
        for (int i = 0; i < bits; ++i, ++bit_) value = value << 1 | ((bytes_[bit_ / 8] >> (7 - bit_ % 8)) & 1u);
        return value;
    }
    std::size_t position() const { return bit_; }

private:
    const unsigned char* bytes_;
    std::size_t bit_;
};

struct Granule {
    unsigned part23, big_values, global_gain, tables[3];
};

// Huffman table 1 of the standard: (x, y) in 0..1 from codes 1, 001, 01, 000.
std::vector<int> decode_table1(BitReader& bits, unsigned pairs) {
    std::vector<int> lines;
    for (unsigned p = 0; p < pairs; ++p) {
        int x = 0, y = 0;
        if (bits.get(1) == 1) {
        } else if (bits.get(1) == 1) {
            x = 1;
        } else {
            const unsigned third = bits.get(1);
            x = third == 0;
            y = 1;
        }
        if (x && bits.get(1)) x = -x;
        if (y && bits.get(1)) y = -y;
        lines.push_back(x);
        lines.push_back(y);
    }
    return lines;
}

// Checks one frame's side info and main data; returns the tone line or 0.
int check_audio(const unsigned char* frame, std::size_t frame_bytes) {
    BitReader side(frame, 32);
    EXPECT_EQ(side.get(9), 0u) << "main data begins in the frame";
    side.get(5 + 4);
    Granule g[2];
    for (Granule& granule : g) {
        granule.part23 = side.get(12);
        granule.big_values = side.get(9);
        granule.global_gain = side.get(8);
        EXPECT_EQ(side.get(4), 0u) << "scalefac_compress";
        EXPECT_EQ(side.get(1), 0u) << "long blocks";
        for (unsigned& table : granule.tables) table = side.get(5);
        side.get(4 + 3 + 3);
    }
    EXPECT_EQ(side.position(), (4 + 17) * 8u);
    BitReader main(frame, (4 + 17) * 8);
    int tone = 0;
    for (const Granule& granule : g) {
        if (granule.part23 == 0) {
            EXPECT_EQ(granule.big_values, 0u);
            continue;
        }
        for (unsigned table : granule.tables) EXPECT_EQ(table, 1u);
        const std::size_t start = main.position();
        const std::vector<int> lines = decode_table1(main, granule.big_values);
        EXPECT_EQ(main.position() - start, granule.part23) << "part2_3_length";
        int nonzero = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i] == 0) continue;
            ++nonzero;
            EXPECT_EQ(lines[i], 1);
            EXPECT_TRUE(tone == 0 || tone == static_cast<int>(i));
            tone = static_cast<int>(i);
        }
        EXPECT_EQ(nonzero, 1);
    }
    EXPECT_LE(main.position(), frame_bytes * 8);
    for (std::size_t byte = (main.position() + 7) / 8; byte < frame_bytes; ++byte) EXPECT_EQ(frame[byte], 0);
    return tone;
}

struct Walk {
    std::size_t frames = 0;
    std::size_t cut = 0;  // bytes of a trailing frame cut short
    std::set<int> tones;
};

Walk walk_frames(const std::string& data) {
    Walk walk;
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    std::size_t at = 0;
    while (at < data.size()) {
        if (data.size() - at < 4) {
            walk.cut = data.size() - at;
            break;
        }
        const Header header = parse_header(bytes + at);
        EXPECT_TRUE(header.valid) << "no frame header at " << at;
        if (!header.valid) break;
        EXPECT_EQ(header.sample_rate, 48000);
        EXPECT_EQ(header.channels, 1);
        if (header.bytes > data.size() - at) {
            walk.cut = data.size() - at;
            break;
        }
        walk.tones.insert(check_audio(bytes + at, header.bytes));
        ++walk.frames;
        at += header.bytes;
    }
    return walk;
}

TEST(GeneratedFrames, FillTracksExactlyAndDecode) {
    const std::uint64_t lengths[] = {1, 3, 95, 96, 97, 100, 217, 417, 1000, 5000, 147839, 147840, 262144, 1000003};
    struct Kind {
        const char* option;
        const char* suffix;
        int line;  // 0 for silence
    };
    const Kind kinds[] = {{"--silence", "", 0}, {"--tone", "", 10}, {"--tone", ":880", 22}, {"--tone", ":20000", 480}};
    for (const Kind& kind : kinds) {
        for (std::uint64_t length : lengths) {
            SCOPED_TRACE(std::string(kind.option) + " " + std::to_string(length) + kind.suffix);
            const std::string bytes = written({kind.option, std::to_string(length) + kind.suffix});
            const ReadArchive read = read_archive(bytes);
            ASSERT_EQ(read.records.size(), 1u);
            const Walk walk = walk_frames(copy_track(bytes, read.records[0]).data);
            EXPECT_LT(walk.cut, 96u);
            EXPECT_EQ(walk.frames == 0, length < 96);
            if (walk.frames > 0) {
                EXPECT_EQ(walk.tones, std::set<int>{kind.line});
            }
            if (length >= 5000) {
                const double bulk_frames = static_cast<double>(length) / 384;  // 128 kbit/s
                EXPECT_NEAR(static_cast<double>(walk.frames), bulk_frames, 1 + 0.03 * bulk_frames) << "play time";
            }
            if (length >= 96 * 97) {
                EXPECT_EQ(walk.cut, 0u) << "long tracks are whole frames";
            }
        }
    }
}

}  // namespace
}  // namespace archive::test

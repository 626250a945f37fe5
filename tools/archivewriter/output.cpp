#include "output.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "mpeg_frames.h"

namespace archive {

namespace {

// Passes bytes on up to a limit and drops the rest.
class CutSink : public Sink {
public:
    CutSink(Sink& next, std::uint64_t limit) : next_(next), left_(limit) {}
    bool write(const char* bytes, std::size_t count, std::string& error) override {
        const std::size_t taken = count < left_ ? count : static_cast<std::size_t>(left_);
        left_ -= taken;
        return taken == 0 || next_.write(bytes, taken, error);
    }
    bool full() const { return left_ == 0; }

private:
    Sink& next_;
    std::uint64_t left_;
};

constexpr std::size_t kBufferBytes = 1 << 20;

class FileSink : public Sink {
public:
    FileSink(std::FILE* file, const std::string& path) : file_(file), path_(path) { buffer_.reserve(kBufferBytes); }
    bool write(const char* bytes, std::size_t count, std::string& error) override {
        if (buffer_.size() + count > kBufferBytes && !flush(error)) return false;
        if (count >= kBufferBytes) return put(bytes, count, error);
        buffer_.insert(buffer_.end(), bytes, bytes + count);
        return true;
    }
    bool flush(std::string& error) {
        const bool ok = put(buffer_.data(), buffer_.size(), error);
        buffer_.clear();
        return ok;
    }

private:
    bool put(const char* bytes, std::size_t count, std::string& error) {
        if (count == 0 || std::fwrite(bytes, 1, count, file_) == count) return true;
        error = path_ + ": " + std::strerror(errno);
        return false;
    }
    std::FILE* file_;
    std::string path_;
    std::vector<char> buffer_;
};

bool copy_file(const Payload& payload, CutSink& sink, std::string& error) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(payload.path.c_str(), "rb"), std::fclose);
    if (!in) {
        error = payload.path + ": " + std::strerror(errno);
        return false;
    }
    std::vector<char> chunk(kBufferBytes);
    std::uint64_t copied = 0;
    while (copied < payload.bytes && !sink.full()) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), in.get());
        if (got == 0) break;
        const std::size_t used = static_cast<std::size_t>(std::min<std::uint64_t>(got, payload.bytes - copied));
        if (!sink.write(chunk.data(), used, error)) return false;
        copied += used;
    }
    if (copied < payload.bytes && !sink.full()) {
        error = payload.path + ": the file became shorter while it was being written";
        return false;
    }
    return true;
}

bool write_frames(const Payload& payload, CutSink& sink, std::string& error) {
    const int hz = payload.kind == Payload::Kind::Tone ? payload.tone_hz : 0;
    const FramePlan frames = plan_frames(payload.bytes);
    for (const FrameRun& run : frames.runs) {
        // The frames of a run are all alike: written a buffer's worth at a time.
        const std::string frame = make_frame(run.bitrate_index, run.padded, hz);
        const std::uint64_t per_block = std::min<std::uint64_t>(run.count, kBufferBytes / frame.size() + 1);
        std::string block;
        block.reserve(static_cast<std::size_t>(per_block) * frame.size());
        for (std::uint64_t i = 0; i < per_block; ++i) block += frame;
        for (std::uint64_t left = run.count; left > 0 && !sink.full();) {
            const std::uint64_t now = std::min(left, per_block);
            if (!sink.write(block.data(), static_cast<std::size_t>(now) * frame.size(), error)) return false;
            left -= now;
        }
    }
    if (frames.cut > 0) return sink.write(make_frame(1, false, hz).data(), frames.cut, error);
    return true;
}

}  // namespace

bool write_plan(const Plan& plan, Sink& sink, std::string& error) {
    CutSink cut(sink, plan.truncate.value_or(plan.total));
    if (!cut.write(plan.head.data(), plan.head.size(), error)) return false;
    for (const Payload& payload : plan.payloads) {
        if (cut.full()) break;
        const bool ok = payload.kind == Payload::Kind::File ? copy_file(payload, cut, error)
                                                            : write_frames(payload, cut, error);
        if (!ok) return false;
    }
    return true;
}

bool write_archive_file(const Plan& plan, const std::string& path, std::string& error) {
    const std::string partial = path + ".partial";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    FileSink sink(file, path);
    bool ok = write_plan(plan, sink, error) && sink.flush(error);
    if (std::fclose(file) != 0 && ok) {
        error = path + ": " + std::strerror(errno);
        ok = false;
    }
    std::error_code failure;
    if (ok) std::filesystem::rename(partial, path, failure);
    if (ok && failure) {
        error = path + ": " + failure.message();
        ok = false;
    }
    if (!ok) std::filesystem::remove(partial, failure);
    return ok;
}

}  // namespace archive

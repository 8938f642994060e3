// Audio files through libsndfile (WAV, FLAC, AIFF and the rest it knows),
// read and written as interleaved 64-bit samples in -1 to 1.
#pragma once

#include <sndfile.h>

#include <cstdint>
#include <string>

namespace vsthost {

class AudioReader {
public:
    // Throws ToolError(missingFile) or ToolError(badAudio).
    explicit AudioReader(const std::string& path);
    ~AudioReader();
    AudioReader(const AudioReader&) = delete;
    AudioReader& operator=(const AudioReader&) = delete;

    int channels() const { return info.channels; }
    int sampleRate() const { return info.samplerate; }
    std::int64_t frames() const { return info.frames; }
    int format() const { return info.format; }
    // Up to `frames` frames into interleaved; the number read (0 at the end).
    // Throws ToolError(badAudio) on a read error.
    std::int64_t read(double* interleaved, std::int64_t frames);

private:
    std::string path;
    SF_INFO info{};
    SNDFILE* file = nullptr;
};

class AudioWriter {
public:
    // format as libsndfile numbers it (major type | encoding). Integer
    // encodings clip at full scale instead of wrapping. Throws ToolError(cannotWrite).
    AudioWriter(const std::string& path, int format, int channels, int sampleRate, const std::string& shownName);
    ~AudioWriter();
    AudioWriter(const AudioWriter&) = delete;
    AudioWriter& operator=(const AudioWriter&) = delete;

    void write(const double* interleaved, std::int64_t frames);
    // Flushes and closes; throws ToolError(cannotWrite).
    void close();
    // Whether the encoding is integer (samples beyond full scale are clipped).
    bool clips() const { return integer; }

private:
    std::string shown;
    SNDFILE* file = nullptr;
    bool integer = false;
};

// "WAV, 16-bit PCM" and the like.
std::string describeFormat(int format);

}  // namespace vsthost

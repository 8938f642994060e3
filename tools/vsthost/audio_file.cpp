#include "audio_file.h"

#include <sys/stat.h>

#include "errors.h"

namespace vsthost {

AudioReader::AudioReader(const std::string& p) : path(p) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) throw ToolError(Exit::missingFile, "no such file: " + path);
    file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        throw ToolError(Exit::badAudio, "cannot read audio file " + path + ": " + sf_strerror(nullptr));
    if (info.channels < 1 || info.samplerate < 1 || info.frames < 0) {
        sf_close(file);
        file = nullptr;
        throw ToolError(Exit::badAudio, "cannot read audio file " + path + ": no usable audio in it");
    }
}

AudioReader::~AudioReader() {
    if (file) sf_close(file);
}

std::int64_t AudioReader::read(double* interleaved, std::int64_t frames) {
    sf_count_t got = sf_readf_double(file, interleaved, frames);
    if (got < 0 || (got == 0 && sf_error(file) != SF_ERR_NO_ERROR))
        throw ToolError(Exit::badAudio, "cannot read audio file " + path + ": " + sf_strerror(file));
    return got;
}

AudioWriter::AudioWriter(const std::string& path, int format, int channels, int sampleRate,
                         const std::string& shownName)
    : shown(shownName) {
    SF_INFO info{};
    info.format = format;
    info.channels = channels;
    info.samplerate = sampleRate;
    if (!sf_format_check(&info))
        throw ToolError(Exit::cannotWrite, "cannot write " + shown + ": " + describeFormat(format) +
                                               " does not take " + std::to_string(channels) +
                                               " channels at " + std::to_string(sampleRate) + " Hz");
    file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) throw ToolError(Exit::cannotWrite, "cannot write " + shown + ": " + sf_strerror(nullptr));
    int subtype = format & SF_FORMAT_SUBMASK;
    integer = subtype != SF_FORMAT_FLOAT && subtype != SF_FORMAT_DOUBLE;
    if (integer) sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

AudioWriter::~AudioWriter() {
    if (file) sf_close(file);
}

void AudioWriter::write(const double* interleaved, std::int64_t frames) {
    if (sf_writef_double(file, interleaved, frames) != frames)
        throw ToolError(Exit::cannotWrite, "cannot write " + shown + ": " + sf_strerror(file));
}

void AudioWriter::close() {
    if (!file) return;
    sf_write_sync(file);
    int error = sf_error(file);
    int closed = sf_close(file);
    file = nullptr;
    if (error != SF_ERR_NO_ERROR || closed != 0)
        throw ToolError(Exit::cannotWrite, "cannot write " + shown + ": " + sf_error_number(error ? error : closed));
}

std::string describeFormat(int format) {
    SF_FORMAT_INFO major{}, sub{};
    major.format = format & SF_FORMAT_TYPEMASK;
    sub.format = format & SF_FORMAT_SUBMASK;
    std::string text = sf_command(nullptr, SFC_GET_FORMAT_INFO, &major, sizeof(major)) == 0 && major.name
                           ? major.name
                           : "unknown format";
    if (sf_command(nullptr, SFC_GET_FORMAT_INFO, &sub, sizeof(sub)) == 0 && sub.name)
        text += std::string(", ") + sub.name;
    return text;
}

}  // namespace vsthost

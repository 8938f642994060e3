// Number-to-text helpers behind the host-side parameter displays: fixed
// width of eight characters, digits truncated (never rounded).
#include <cmath>
#include <cstring>

#include "audioeffect.h"

namespace {
constexpr int kDigits = 8;
}

void AudioEffect::float2string(float value, char* text, VstInt32 maxLen) {
    if (!text || maxLen < 0) return;
    double v = value;
    if (std::isnan(v)) {
        vstCopyText(text, "NaN", maxLen);
        return;
    }
    bool negative = false;
    int n = 0;
    if (v < 0) {
        negative = true;
        v = -v;
        n = 1;
        if (v > 9999999.0) {
            vstCopyText(text, "Huge!", maxLen);
            return;
        }
    } else if (v > 99999999.0) {
        vstCopyText(text, "Huge!", maxLen);
        return;
    }

    // Integer digits and the point, built backwards from the end of the buffer.
    char whole[16];
    char* s = whole + sizeof(whole) - 1;
    *s = 0;
    *--s = '.';
    ++n;
    double integer = std::floor(v);
    *--s = static_cast<char>('0' + static_cast<int>(std::fmod(integer, 10.0)));
    integer /= 10.0;
    ++n;
    while (integer >= 1.0 && n < kDigits) {
        *--s = static_cast<char>('0' + static_cast<int>(std::fmod(integer, 10.0)));
        integer /= 10.0;
        ++n;
    }
    if (negative) *--s = '-';
    vstCopyText(text, s, maxLen);
    if (n >= kDigits) return;

    char fraction[kDigits + 1];
    char* f = fraction + kDigits;
    *f = 0;
    double m = std::fmod(v, 1.0) * std::pow(10.0, static_cast<double>(kDigits - n));
    while (n < kDigits) {
        if (m <= 0)
            *--f = '0';
        else {
            *--f = static_cast<char>('0' + static_cast<int>(std::fmod(m, 10.0)));
            m /= 10.0;
        }
        ++n;
    }
    vstAppendText(text, f, maxLen);
}

void AudioEffect::int2string(VstInt32 value, char* text, VstInt32 maxLen) {
    if (!text || maxLen < 0) return;
    long long v = value;
    // A magnitude with more than nine digits cannot be written digit by digit.
    if (v >= 100000000LL || v <= -1000000000LL) {
        vstCopyText(text, "Huge!", maxLen);
        return;
    }
    char string[16];
    int length = 0;
    if (v < 0) {
        string[length++] = '-';
        v = -v;
    }
    bool started = false;
    for (long long divisor = 100000000LL; divisor >= 1; divisor /= 10) {
        long long digit = v / divisor;
        v -= digit * divisor;
        if (started || digit != 0) {
            string[length++] = static_cast<char>('0' + digit);
            started = true;
        }
    }
    string[length] = 0;
    vstCopyText(text, string, maxLen);
}

void AudioEffect::dB2string(float value, char* text, VstInt32 maxLen) {
    if (value <= 0)
        vstCopyText(text, "-oo", maxLen);
    else
        float2string(static_cast<float>(20.0 * std::log10(value)), text, maxLen);
}

void AudioEffect::Hz2string(float samples, char* text, VstInt32 maxLen) {
    float rate = getSampleRate();
    if (samples == 0)
        float2string(0.0f, text, maxLen);
    else
        float2string(rate / samples, text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, VstInt32 maxLen) {
    float2string(static_cast<float>(samples * 1000.0 / getSampleRate()), text, maxLen);
}

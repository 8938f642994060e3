// What every effect of the suite shares beyond the base classes: its identity
// strings, its parameter table (names, labels, the index check), a fixed bank
// of programs, and one rule for a failed construction. What differs stays in
// each plug-in and is visible there: its table's limits, its program names.
#pragma once

#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "host/audioeffectx.h"

// The strings and version a host reads. A null string is not answered (the
// base's false and no text); a version of 0 is the base's answer.
struct EffectIdentity {
    VstInt32 uniqueId;
    const char* effectName;     // at most kVstMaxEffectNameLen characters written
    const char* productString;  // at most kVstMaxProductStrLen
    const char* vendorString;   // at most kVstMaxVendorStrLen
    VstInt32 vendorVersion;
};

// One parameter's texts. Each limit is the number of characters copied before
// the terminator, so the host's buffer needs one byte more (the copy pads with
// zeros up to the limit). kWholeText writes the text whole, bounded by its own
// length. A null label writes nothing.
struct ParameterText {
    static constexpr int kWholeText = -1;
    const char* name;
    int nameLimit;
    const char* label;
    int labelLimit;
};

// An effect of the suite: answers identity and parameter names and labels
// from its tables. Threads: as AudioEffectX; the tables are constant.
class SuiteEffect : public AudioEffectX {
public:
    // parameters: numParams entries, alive as long as the effect (a constant table).
    SuiteEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams,
                const EffectIdentity& identity, const ParameterText* parameters,
                VstGeneration generation = VstGeneration::v24);

    // True for 0 <= index < numParams; what every parameter operation checks first.
    bool validParameter(VstInt32 index) const { return index >= 0 && index < cEffect.numParams; }

    void getParameterName(VstInt32 index, char* text) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    bool getEffectName(char* name) override;
    bool getProductString(char* text) override;
    bool getVendorString(char* text) override;
    VstInt32 getVendorVersion() override { return identity.vendorVersion; }

private:
    const EffectIdentity& identity;
    const ParameterText* parameters;
};

// Copies text bounded by limit (ParameterText::kWholeText: by its own length).
void copyParameterText(char* dest, const char* text, int limit);

// A fixed bank of Programs programs, each Values normalised values and a name
// of at most NameLimit characters. Values are relaxed atomics: one thread may
// write a program while another reads it. Index checks are the caller's
// (valid()). Any thread; names are written by the host's thread only.
template <int Programs, int Values, int NameLimit>
class ProgramBank {
public:
    static constexpr int kPrograms = Programs;
    static constexpr int kNameLimit = NameLimit;

    // Every program starts with these values and this name.
    ProgramBank(const float (&defaults)[Values], const char* name) {
        for (Program& p : programs) {
            for (int i = 0; i < Values; ++i) p.values[i].store(defaults[i], std::memory_order_relaxed);
            setText(p, name);
        }
    }

    // A bank whose programs hold only a name (no values).
    explicit ProgramBank(const char* name)
        requires(Values == 0)
    {
        for (Program& p : programs) setText(p, name);
    }

    static bool valid(VstInt32 program) { return program >= 0 && program < Programs; }

    float value(VstInt32 program, VstInt32 index) const {
        return programs[program].values[index].load(std::memory_order_relaxed);
    }
    void store(VstInt32 program, VstInt32 index, float v) {
        programs[program].values[index].store(v, std::memory_order_relaxed);
    }

    // The stored name, and a new one (bounded to NameLimit characters).
    const char* name(VstInt32 program) const { return programs[program].name; }
    void setName(VstInt32 program, const char* name) { setText(programs[program], name); }

    // Writes the stored name into text (NameLimit characters and a terminator).
    void copyName(VstInt32 program, char* text) const {
        vstCopyText(text, programs[program].name, NameLimit);
    }
    // As copyName, but a program still named base is shown as "base <number>"
    // (counting from 1), so a bank of defaults reads "Init 1", "Init 2", ...
    void copyNumberedName(VstInt32 program, char* text, const char* base) const {
        if (std::strcmp(programs[program].name, base) != 0) return copyName(program, text);
        char numbered[NameLimit + 16];
        std::snprintf(numbered, sizeof numbered, "%s %d", base, program + 1);
        vstCopyText(text, numbered, NameLimit);
    }

private:
    struct Program {
        std::atomic<float> values[Values > 0 ? Values : 1];
        char name[NameLimit + 1];
    };
    static void setText(Program& p, const char* text) { vstCopyText(p.name, text, NameLimit); }

    Program programs[Programs];
};

// The suite's one rule for building an effect: no exception crosses into the
// host, a half-built effect is deleted (its members free what they hold), and
// the entry point gets null. The effect itself is allocated without throwing;
// its constructor reports a failure by throwing (std::bad_alloc from new,
// make_unique, containers), which also frees the effect's memory.
template <class Effect>
AudioEffect* createSuiteEffect(audioMasterCallback audioMaster) noexcept {
    try {
        return new (std::nothrow) Effect(audioMaster);
    } catch (...) {
        return nullptr;
    }
}

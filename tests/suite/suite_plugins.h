// What a host sees of each plug-in of the suite, one row each: the table the
// suite-wide tests run over.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "host/vst/abi.h"

namespace suite {

struct PluginRow {
    const char* name;
    const char* path;  // the built library
    VstInt32 uniqueId;
    int parameters;
    int programs;
    VstInt32 flags;  // the record's flags
    const char* effectName;  // "" when the plug-in does not answer
    const char* vendor;
    const char* product;
    VstInt32 vendorVersion;
    bool doublePrecision;  // offers processDoubleReplacing
    // The most bytes a text of each kind writes into the host's buffer
    // (characters and terminator): names, labels, displays, program names.
    int nameBytes;
    int labelBytes;
    int displayBytes;
    int programNameBytes;
    int programNameChars;  // the most characters a program name keeps
    const char* firstProgramName;  // what a fresh instance calls program 0
    int editorWidth;  // 0: no editor
    int editorHeight;
};

inline const std::vector<PluginRow>& plugins() {
    static const std::vector<PluginRow> rows = {
        {"Tarn", PLUGIN_PATH_Tarn, fourCharCode('T', 'a', 'r', 'n'), 10, 10,
         effFlagsHasEditor | effFlagsCanMono | effFlagsCanReplacing, "", "", "", 0, false, 15, 9,
         9, 24, 23, "Tarn Preset 1", 216, 238},
        {"Vesk", PLUGIN_PATH_Vesk, fourCharCode('V', 'e', 's', 'k'), 20, 10,
         effFlagsHasEditor | effFlagsHasVu | effFlagsCanReplacing, "Vesk", "Kesp VST", "Vesk",
         1000, false, 9, 9, 9, 24, 23, "Vesk Preset 1", 633, 141},
        {"Faroll", PLUGIN_PATH_Faroll, fourCharCode('m', 'h', 'u', 'v'), 10, 11,
         effFlagsHasEditor | effFlagsCanReplacing | effFlagsCanDoubleReplacing, "Faroll", "Joralt",
         "Faroll", 1000, true, 10, 9, 9, 25, 23, "Init 1", 252, 308},
        {"Gelmira", PLUGIN_PATH_Gelmira, fourCharCode('v', 'n', 'r', 'x'), 12, 1,
         effFlagsHasEditor | effFlagsCanReplacing | effFlagsCanDoubleReplacing, "Gelmira",
         "Joralt", "Gelmira", 1000, true, 15, 9, 9, 25, 24, "Default", 210, 342},
        {"Hoverin", PLUGIN_PATH_Hoverin, fourCharCode('k', 'w', 'z', 't'), 6, 1,
         effFlagsHasEditor | effFlagsCanReplacing | effFlagsCanDoubleReplacing, "Hoverin", "Joralt",
         "Hoverin", 1000, true, 10, 9, 9, 25, 24, "Default", 360, 98},
        {"Ilvane", PLUGIN_PATH_Ilvane, fourCharCode('X', 'E', 'F', 'O'), 3, 4,
         effFlagsHasEditor | effFlagsCanReplacing | effFlagsCanDoubleReplacing, "Ilvane", "Joralt",
         "Ilvane", 1000, true, 10, 9, 9, 24, 23, "Init 1", 339, 131},
    };
    return rows;
}

inline std::string rowName(const PluginRow& row) { return row.name; }

// GoogleTest prints a row by its name.
inline void PrintTo(const PluginRow& row, std::ostream* os) { *os << row.name; }

}  // namespace suite

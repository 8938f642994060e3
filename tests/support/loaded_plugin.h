// Loads one of the test libraries and builds an instance of it, as a host does.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "hosting/plugin_host.h"

struct LoadedPlugin {
    explicit LoadedPlugin(const std::string& path, int flags = 0) {
        std::string error;
        library = hosting::Library::load(path, error, flags);
        if (!library) ADD_FAILURE() << error;
    }
    // Builds the instance; false when the entry point refused.
    bool create() {
        plugin = hosting::Plugin::create(*library, host);
        return plugin != nullptr;
    }
    // Codes of the notes the fixture sent (audioMasterVendorSpecific), in order.
    std::vector<VstInt32> notes() const {
        std::vector<VstInt32> codes;
        for (const auto& call : host.callsWithOpcode(audioMasterVendorSpecific))
            codes.push_back(call.index);
        return codes;
    }
    bool noted(VstInt32 code) const {
        auto n = notes();
        return std::find(n.begin(), n.end(), code) != n.end();
    }

    hosting::Host host;
    std::unique_ptr<hosting::Library> library;
    std::unique_ptr<hosting::Plugin> plugin;
};

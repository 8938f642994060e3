// Runs blocks through a plug-in's record as a host does: separate input and
// output buffers per channel, in 32-bit or 64-bit samples, through the
// replacing entry (or the accumulating one for plug-ins that lack it).
#pragma once

#include <vector>

#include "hosting/plugin_host.h"

namespace vsthost {

class Processor {
public:
    // precision 32 or 64; maxBlock frames per call (> 0). Throws
    // ToolError(unknownName) when the plug-in cannot process that precision.
    Processor(hosting::Plugin& plugin, int precision, int maxBlock);

    int inputs() const { return static_cast<int>(in.size()); }
    int outputs() const { return static_cast<int>(out.size()); }
    // Samples of one block, channel by channel: fill input(c)[0..frames),
    // call process(frames), read output(c)[0..frames).
    double* input(int channel) { return in[channel].data(); }
    const double* output(int channel) const { return out[channel].data(); }
    void process(int frames);

private:
    hosting::Plugin& plugin;
    int precision;
    bool accumulating;
    std::vector<std::vector<double>> in, out;
    std::vector<std::vector<float>> inF, outF;
    std::vector<float*> inPtrF, outPtrF;
    std::vector<double*> inPtrD, outPtrD;
};

}  // namespace vsthost

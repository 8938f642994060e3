#include "processor.h"

#include <algorithm>

#include "errors.h"
#include "isolation.h"

namespace vsthost {

Processor::Processor(hosting::Plugin& p, int bits, int maxBlock) : plugin(p), precision(bits) {
    AEffect& r = *p.effect();
    if (r.numOutputs <= 0) throw ToolError(Exit::unknownName, "the plug-in has no audio outputs");
    if (r.numInputs < 0 || r.numInputs > 256 || r.numOutputs > 256)
        throw ToolError(Exit::unknownName, "the plug-in reports an implausible number of channels");
    if (precision == 64 && (!(r.flags & effFlagsCanDoubleReplacing) || !r.processDoubleReplacing))
        throw ToolError(Exit::unknownName, "the plug-in does not process 64-bit samples; use --precision 32");
    accumulating = !(r.flags & effFlagsCanReplacing) || !r.processReplacing;
    if (precision == 32 && accumulating && !r.process)
        throw ToolError(Exit::unknownName, "the plug-in has no process entry");
    // At least one input buffer, so the pointer array is never empty.
    in.assign(std::max(r.numInputs, 1), std::vector<double>(maxBlock, 0.0));
    out.assign(r.numOutputs, std::vector<double>(maxBlock, 0.0));
    inF.assign(in.size(), std::vector<float>(maxBlock, 0.0f));
    outF.assign(out.size(), std::vector<float>(maxBlock, 0.0f));
    for (auto& c : inF) inPtrF.push_back(c.data());
    for (auto& c : outF) outPtrF.push_back(c.data());
    for (auto& c : in) inPtrD.push_back(c.data());
    for (auto& c : out) outPtrD.push_back(c.data());
}

void Processor::process(int frames) {
    if (currentActivity() != "processing audio") setActivity("processing audio");
    if (precision == 64) {
        plugin.processDoubleReplacing(inPtrD.data(), outPtrD.data(), frames);
        return;
    }
    for (size_t c = 0; c < in.size(); ++c)
        std::transform(in[c].begin(), in[c].begin() + frames, inF[c].begin(),
                       [](double v) { return static_cast<float>(v); });
    if (accumulating)
        for (auto& c : outF) std::fill(c.begin(), c.begin() + frames, 0.0f);
    if (accumulating)
        plugin.processAccumulating(inPtrF.data(), outPtrF.data(), frames);
    else
        plugin.processReplacing(inPtrF.data(), outPtrF.data(), frames);
    for (size_t c = 0; c < out.size(); ++c)
        std::copy(outF[c].begin(), outF[c].begin() + frames, out[c].begin());
}

}  // namespace vsthost

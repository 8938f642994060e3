// A shared library that loads but is not a plug-in: no VSTPluginMain, no main.
extern "C" __attribute__((visibility("default"))) int notAPluginAnswer() { return 42; }

// Keeps the graphics libraries loaded for the rest of the process once a
// library using the toolkit has loaded them: cairo, fontconfig and Xlib keep
// process-wide state (caches, handlers) that unloading them would leave
// dangling or leak. Idempotent; any thread.
#pragma once

void keepGraphicsLibrariesLoaded();

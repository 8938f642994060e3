// The bitmaps a library carries. Each library that uses bitmaps links exactly
// one resource table, generated at build time from its resource list, so two
// plug-ins in one process each find only their own pictures.
#pragma once

#include <cstddef>

namespace gui {

struct BitmapResource {
    long id;
    const unsigned char* png;  // PNG file bytes
    std::size_t size;
};

// The resource with that id, or null. Defined by the library's generated table.
const BitmapResource* findBitmapResource(long id);

}  // namespace gui

#include "cbitmap.h"

#include <cstdint>
#include <cstring>

#include "residency.h"
#include "resources.h"

namespace {

struct PngReader {
    const unsigned char* data;
    std::size_t size;
    std::size_t at;
};

cairo_status_t readPng(void* closure, unsigned char* out, unsigned int length) {
    auto* reader = static_cast<PngReader*>(closure);
    if (reader->size - reader->at < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, reader->data + reader->at, length);
    reader->at += length;
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

CBitmap::CBitmap(long resourceId) : resourceId(resourceId) {
    keepGraphicsLibrariesLoaded();
    const gui::BitmapResource* resource = gui::findBitmapResource(resourceId);
    if (!resource) return;
    PngReader reader{resource->png, resource->size, 0};
    cairo_surface_t* image = cairo_image_surface_create_from_png_stream(readPng, &reader);
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image);
        return;
    }
    surface = image;
    width = cairo_image_surface_get_width(image);
    height = cairo_image_surface_get_height(image);
}

CBitmap::~CBitmap() {
    if (surface) cairo_surface_destroy(surface);
    if (masked) cairo_surface_destroy(masked);
}

void CBitmap::setTransparentColor(const CColor& colour) {
    transparent = colour;
    if (masked) cairo_surface_destroy(masked);
    masked = nullptr;
}

void CBitmap::paint(CDrawContext* context, cairo_surface_t* source, const CRect& dest,
                    CPoint offset) {
    if (!context || !source || dest.isEmpty()) return;
    cairo_t* cr = context->cairo();
    cairo_save(cr);
    cairo_rectangle(cr, dest.left, dest.top, dest.width(), dest.height());
    cairo_clip(cr);
    cairo_set_source_surface(cr, source, dest.left - offset.x, dest.top - offset.y);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
}

void CBitmap::draw(CDrawContext* context, const CRect& dest, CPoint offset) {
    paint(context, surface, dest, offset);
}

void CBitmap::drawTransparent(CDrawContext* context, const CRect& dest, CPoint offset) {
    if (!surface) return;
    if (!masked) {
        masked = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
        cairo_surface_flush(surface);
        const int inStride = cairo_image_surface_get_stride(surface);
        const int outStride = cairo_image_surface_get_stride(masked);
        const unsigned char* in = cairo_image_surface_get_data(surface);
        unsigned char* out = cairo_image_surface_get_data(masked);
        const uint32_t key = (uint32_t{transparent.red} << 16) | (uint32_t{transparent.green} << 8) |
                             transparent.blue;
        const bool hasAlpha = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32;
        for (int y = 0; y < height; ++y) {
            auto* src = reinterpret_cast<const uint32_t*>(in + y * inStride);
            auto* dst = reinterpret_cast<uint32_t*>(out + y * outStride);
            for (int x = 0; x < width; ++x) {
                uint32_t p = src[x];
                if (!hasAlpha) p |= 0xff000000u;
                dst[x] = (p & 0x00ffffffu) == key && (p >> 24) == 0xff ? 0u : p;
            }
        }
        cairo_surface_mark_dirty(masked);
    }
    paint(context, masked, dest, offset);
}

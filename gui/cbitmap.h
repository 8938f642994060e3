// A picture loaded by resource id from the library's own resources.
// Reference-counted: created with one reference; remember() adds one, forget()
// drops one and deletes the bitmap with the last. UI thread only.
#pragma once

#include <cairo.h>

#include "cdrawcontext.h"

class CBitmap {
public:
    // A missing or unreadable resource gives an empty (0 x 0) bitmap that draws nothing.
    explicit CBitmap(long resourceId);
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    void remember() { ++references; }
    void forget() {
        if (--references <= 0) delete this;
    }
    int getNbReference() const { return references; }

    long getResourceId() const { return resourceId; }
    bool isLoaded() const { return surface != nullptr; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }

    // Copies the part of the picture starting at offset into dest.
    void draw(CDrawContext* context, const CRect& dest, CPoint offset = {});
    // The same with the pixels of the transparent colour left out.
    void drawTransparent(CDrawContext* context, const CRect& dest, CPoint offset = {});
    void setTransparentColor(const CColor& colour);

private:
    ~CBitmap();
    void paint(CDrawContext* context, cairo_surface_t* source, const CRect& dest, CPoint offset);

    long resourceId;
    int references = 1;
    int width = 0;
    int height = 0;
    cairo_surface_t* surface = nullptr;
    cairo_surface_t* masked = nullptr;  // built on first transparent draw
    CColor transparent = kWhiteCColor;
};

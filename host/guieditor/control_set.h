// Builds a frame's views from a control table and finds and refreshes them by
// tag. The frame owns the views; a ControlSet only points at them between
// build and forget. UI thread only.
#pragma once

#include <span>
#include <vector>

#include "gui/control_table.h"
#include "gui/vstgui.h"

class ControlSet {
public:
    // Creates one view for every entry, in order, and adds it to frame; value
    // controls report to listener. Bitmaps are loaded by id from this library
    // and released once the views hold them. Any previous views are forgotten.
    void build(CFrame* frame, CControlListener* listener, std::span<const ControlSpec> table);
    // After the frame is deleted (or to stop touching its views).
    void forget() { views.clear(); }
    bool empty() const { return views.empty(); }

    // The first view of tag whose kind is kind, as the toolkit class T; null
    // when there is none (or the set is not built).
    template <class T>
    T* find(long tag, ControlKind kind) const {
        for (const Entry& e : views)
            if (e.spec->tag == tag && e.spec->kind == kind) return static_cast<T*>(e.view);
        return nullptr;
    }
    // The view built from the table's entry at position entry, or null.
    CControl* view(std::size_t entry) const {
        return entry < views.size() ? views[entry].view : nullptr;
    }
    // The first view of tag that is not a text view, or null.
    CControl* control(long tag) const;
    // The first text view of tag, or null.
    CParamDisplay* text(long tag) const;

    // Gives every view of tag the value, and its text fields the text (null:
    // their text stays). Marks what changed for the next redraw.
    void show(long tag, float value, const char* text = nullptr);

private:
    struct Entry {
        const ControlSpec* spec;
        CControl* view;
    };
    static CControl* create(const ControlSpec& spec, CControlListener* listener);
    std::vector<Entry> views;
};

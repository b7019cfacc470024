// The resizable main dialog on Windows: anchored controls, the minimum
// tracking size, and the enlargement that fills a monitor.
#pragma once

#include "app/dialog_layout.h"

#include <windows.h>

#include <span>
#include <vector>

namespace tapwell {

class DialogAnchorLayout {
  public:
    // Measures every control of `anchors` (a table ended by id 0) against the
    // dialog's current client area; the window's current size becomes the
    // minimum and initial size, with no maximum.
    DialogAnchorLayout(HWND dialog, std::span<const AnchorSpec> anchors);

    void relayout() const;
    // Writes the tracking limits into a min/max-info request.
    void applyTrackingSize(MINMAXINFO& info) const;

    void setTopOffset(int pixels) { topOffset_ = pixels; }
    int topOffset() const { return topOffset_; }
    void setMinimumTrackingSize(std::uint32_t width, std::uint32_t height);

  private:
    struct Entry {
        HWND control = nullptr;
        AnchorEntry anchor;
    };
    HWND dialog_;
    std::vector<Entry> entries_; // ended by an entry of kind End
    std::uint32_t minWidth_ = kNoTrackingLimit, minHeight_ = kNoTrackingLimit;
    std::uint32_t maxWidth_ = kNoTrackingLimit, maxHeight_ = kNoTrackingLimit;
    std::uint32_t initialWidth_ = 0, initialHeight_ = 0;
    int topOffset_ = 0;
};

LayoutRect clientRectOf(HWND dialog);
// A child's rectangle in its parent's client coordinates.
LayoutRect childRect(HWND dialog, HWND child);

// Scales the dialog, its children and their font to fill the work area of the
// nearest monitor. False when the window does not exist.
bool EnlargeDialog(HWND dialog);
// 0 while no enlargement is active.
double enlargementScale();
// Gives the children their earlier font back and frees the scaled one.
void UndoEnlargement();

} // namespace tapwell

#pragma once

#include <QRect>
#include <QWidget>
#include <algorithm>

// The window's layout is fixed in twips; Qt places widgets in logical
// pixels, 15 twips to the pixel, and scales those on high-DPI screens.
namespace rivo::twips {

inline constexpr int kPerPixel = 15;

constexpr int px(int twips) {
    return (twips + kPerPixel / 2) / kPerPixel;
}

// The tab pages start below the tab strip, while the layout measures from
// the top-left corner of the tab control; this much of the control's height
// is the strip and the page's frame.
inline constexpr int kPageTop = 330;

inline QRect rect(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

// A rectangle given relative to the tab control, in the page's coordinates.
inline QRect onPage(int left, int top, int width, int height) {
    return rect(left, top - kPageTop, width, height);
}

// Widens a widget whose text needs more room than the layout gives it (the
// layout was drawn for a narrower font). A right-aligned widget grows to the
// left so that its right edge stays where the layout puts it.
inline void fitText(QWidget* widget, bool rightAligned = false) {
    const int needed = widget->sizeHint().width();
    if (needed <= widget->width()) {
        return;
    }
    QRect r = widget->geometry();
    if (rightAligned) {
        r.setLeft(r.right() + 1 - needed);
    } else {
        r.setWidth(needed);
    }
    widget->setGeometry(r);
}

} // namespace rivo::twips

#pragma once

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QScreen>
#include <QString>
#include <QWidget>

namespace vornal {

// The box around the pixels where what a shown top-level widget has on screen (its
// backing store, after every pending repaint) differs from painting all of it afresh;
// empty when the repaints it chose to make left nothing stale.
inline QRect stalePixels(QWidget& window) {
    QApplication::processEvents();
    QApplication::sendPostedEvents();
    const QImage onScreen =
        window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage fresh = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (onScreen.size() != fresh.size())
        return window.rect();
    QRect stale;
    for (int y = 0; y < fresh.height(); ++y)
        for (int x = 0; x < fresh.width(); ++x)
            if (onScreen.pixel(x, y) != fresh.pixel(x, y))
                stale |= QRect(x, y, 1, 1);
    return stale;
}

// "x,y wxh" of a stale box, for a failure's message.
inline QString describeStale(const QRect& stale) {
    return QStringLiteral("%1,%2 %3x%4").arg(stale.x()).arg(stale.y()).arg(stale.width()).arg(stale.height());
}

} // namespace vornal

#pragma once

#include "tapegeometry.h"

#include <QColor>
#include <QList>
#include <QWidget>

namespace vornal {

// `picPunch`: the picture of human-readable tape. It paints the dots it is given (see
// TapeGeometry) one pixel per pixel, dark grey on light yellow, and is as wide as the
// tape it shows, at least TapeGeometry::kPictureWidth; put it in a scroll area to
// see a long tape whole.
class PunchPicture : public QWidget {
    Q_OBJECT
public:
    explicit PunchPicture(QWidget* parent = nullptr);

    // Empties the picture.
    void clear();
    // Draws over what the picture shows already.
    void draw(const QList<TapeDot>& dots);
    void DrawGlyphs(const QString& text);
    void DrawFeedHoles(qsizetype count);

    const QList<TapeDot>& dots() const { return m_dots; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fitWidth();

    QList<TapeDot> m_dots;
};

} // namespace vornal

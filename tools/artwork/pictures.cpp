#include "pictures.h"

#include "texturenoise.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <algorithm>

namespace artwork {

namespace {

QColor mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// A strip of punched tape along a line: the paper, the small feed holes in the middle
// and up to five code holes across, in a random code.
void drawTape(QPainter& p, QPointF from, double angleDegrees, double length, std::uint32_t seed) {
    Random random(seed);
    p.save();
    p.translate(from);
    p.rotate(angleDegrees);
    const double width = 64;
    const double pitch = 16;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawRect(QRectF(0, -width / 2, length, width));
    p.setPen(QPen(QColor(160, 175, 195, 60), 1));
    p.drawLine(QPointF(0, -width / 2), QPointF(length, -width / 2));
    p.drawLine(QPointF(0, width / 2), QPointF(length, width / 2));
    p.setPen(Qt::NoPen);
    const double rows[] = {-24, -14, 6, 16, 26}; // the five code tracks; the feed track at -4
    for (double x = pitch; x < length - pitch / 2; x += pitch) {
        p.setBrush(QColor(150, 166, 188, 55));
        p.drawEllipse(QPointF(x, -4), 2.2, 2.2);
        const std::uint32_t code = random.next() % 32;
        for (int bit = 0; bit < 5; ++bit) {
            if (code & (1u << bit))
                p.drawEllipse(QPointF(x, rows[bit]), 4.6, 4.6);
        }
    }
    p.restore();
}

// A brass gear: toothed rim, a hub, and windows between the spokes through which
// the wood shows.
void drawGear(QPainter& p, QPointF centre, double radius, int teeth, int spokes, double rotation) {
    const double toothDepth = radius * 0.12;
    const double root = radius - toothDepth;
    QPainterPath rim;
    const int steps = teeth * 4;
    for (int i = 0; i <= steps; ++i) {
        const double a = qDegreesToRadians(rotation) + 2 * M_PI * i / steps;
        const int phase = i % 4;
        const double r = phase == 1 || phase == 2 ? radius : root;
        const QPointF pt = centre + QPointF(std::cos(a) * r, std::sin(a) * r);
        if (i == 0)
            rim.moveTo(pt);
        else
            rim.lineTo(pt);
    }
    rim.closeSubpath();
    QPainterPath windows;
    const double inner = root * 0.78;
    const double hub = radius * 0.24;
    for (int s = 0; s < spokes; ++s) {
        const double a0 = qDegreesToRadians(rotation) + 2 * M_PI * s / spokes;
        const double span = 2 * M_PI / spokes;
        const double spoke = std::min(0.32, span * 0.3);
        QPainterPath window;
        const QRectF outerBox(centre.x() - inner, centre.y() - inner, inner * 2, inner * 2);
        const QRectF innerBox(centre.x() - hub * 1.5, centre.y() - hub * 1.5, hub * 3, hub * 3);
        window.arcMoveTo(outerBox, -qRadiansToDegrees(a0 + spoke));
        window.arcTo(outerBox, -qRadiansToDegrees(a0 + spoke), -qRadiansToDegrees(span - 2 * spoke));
        window.arcTo(innerBox, -qRadiansToDegrees(a0 + span - spoke * 1.6),
                     qRadiansToDegrees(span - 3.2 * spoke));
        window.closeSubpath();
        windows.addPath(window);
    }
    QPainterPath body = rim.subtracted(windows);
    QPainterPath axle;
    axle.addEllipse(centre, hub * 0.35, hub * 0.35);
    body = body.subtracted(axle);

    // A soft shadow on the wood, then the brass.
    p.save();
    p.translate(4, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(body);
    p.restore();

    QLinearGradient brass(centre + QPointF(-radius, -radius), centre + QPointF(radius, radius));
    brass.setColorAt(0.0, QColor(0xf2, 0xcf, 0x7a));
    brass.setColorAt(0.45, QColor(0xc8, 0x92, 0x3a));
    brass.setColorAt(1.0, QColor(0x6e, 0x45, 0x16));
    p.setBrush(brass);
    p.setPen(QPen(QColor(0x4a, 0x2c, 0x0e), 1.6));
    p.drawPath(body);
    // The raised rim and hub.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 236, 180, 110), 2));
    p.drawEllipse(centre, root * 0.9, root * 0.9);
    p.drawEllipse(centre, hub, hub);
    p.setPen(QPen(QColor(60, 35, 10, 160), 1.5));
    p.drawEllipse(centre, root * 0.84, root * 0.84);
}

void drawRivet(QPainter& p, QPointF at, double r) {
    QRadialGradient g(at + QPointF(-r * 0.35, -r * 0.35), r * 1.4);
    g.setColorAt(0, QColor(0xff, 0xe6, 0xa8));
    g.setColorAt(0.5, QColor(0xb0, 0x7c, 0x30));
    g.setColorAt(1, QColor(0x4a, 0x2c, 0x0e));
    p.setPen(QPen(QColor(30, 18, 8, 180), 0.8));
    p.setBrush(g);
    p.drawEllipse(at, r, r);
}

// A copper pipe from one point to another (horizontal or vertical), with collars.
void drawPipe(QPainter& p, QPointF from, QPointF to, double thickness) {
    const bool horizontal = std::abs(to.y() - from.y()) < std::abs(to.x() - from.x());
    QRectF body = horizontal ? QRectF(from.x(), from.y() - thickness / 2, to.x() - from.x(), thickness)
                             : QRectF(from.x() - thickness / 2, from.y(), thickness, to.y() - from.y());
    QLinearGradient copper = horizontal ? QLinearGradient(0, body.top(), 0, body.bottom())
                                        : QLinearGradient(body.left(), 0, body.right(), 0);
    copper.setColorAt(0, QColor(0x6b, 0x2f, 0x14));
    copper.setColorAt(0.3, QColor(0xe0, 0x8a, 0x55));
    copper.setColorAt(0.55, QColor(0xb8, 0x5c, 0x2c));
    copper.setColorAt(1, QColor(0x4a, 0x1e, 0x0b));
    p.setPen(Qt::NoPen);
    p.setBrush(copper);
    p.drawRect(body.normalized());
    const double length = horizontal ? body.width() : body.height();
    for (double d = 60; d < length - 20; d += 180) {
        QRectF collar = horizontal ? QRectF(body.left() + d, body.top() - 4, 18, thickness + 8)
                                   : QRectF(body.left() - 4, body.top() + d, thickness + 8, 18);
        p.setBrush(copper);
        p.setPen(QPen(QColor(40, 16, 6, 200), 1));
        p.drawRoundedRect(collar, 3, 3);
    }
}

} // namespace

QImage standardSkin(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    const QColor top(0xee, 0xf2, 0xf7);
    const QColor bottom(0xdc, 0xe4, 0xed);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double t = (double(y) / height) * 0.7 + (double(x) / width) * 0.3;
            const double n = fractalNoise(x / 260.0, y / 260.0, 4, 7) - 0.5;
            QColor c = mix(top, bottom, t + n * 0.25);
            // Faint diagonal pinstripes.
            if ((x + y) % 9 == 0)
                c = c.darker(102);
            line[x] = c.rgb();
        }
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double sx = width / 1280.0;
    const double sy = height / 800.0;
    // Two tapes where the panels leave the background free: under the left column
    // and across the right column's gap.
    drawTape(p, QPointF(-40 * sx, 790 * sy), -9, 560 * sx, 11);
    drawTape(p, QPointF(980 * sx, 640 * sy), -14, 420 * sx, 23);
    // A soft light from the top left.
    QRadialGradient light(QPointF(width * 0.15, height * 0.1), width * 0.8);
    light.setColorAt(0, QColor(255, 255, 255, 60));
    light.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(image.rect(), light);
    return image;
}

QImage steampunkSkin(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    const QColor dark(0x24, 0x16, 0x0c);
    const QColor mid(0x4a, 0x30, 0x1b);
    const QColor light(0x6e, 0x48, 0x28);
    const int plank = std::max(40, height / 6);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const int row = y / plank;
        const int inPlank = y % plank;
        for (int x = 0; x < width; ++x) {
            // Grain along the planks, bent by noise; each plank its own piece of wood.
            const std::uint32_t seed = 100u + std::uint32_t(row) * 17u;
            const double warp = fractalNoise(x / 420.0, y / 38.0, 4, seed) * 9.0;
            const double grain = 0.5 + 0.5 * std::sin((y / 7.5 + warp) * 2.2);
            const double fine = fractalNoise(x / 6.0, y / 1.6, 2, seed + 5);
            double t = 0.25 + grain * grain * 0.45 + (fine - 0.5) * 0.25;
            QColor c = t < 0.5 ? mix(dark, mid, t * 2) : mix(mid, light, (t - 0.5) * 2);
            // The seams between the planks, and the planks' butt joints.
            if (inPlank < 2)
                c = c.darker(220);
            else if (inPlank < 4)
                c = c.darker(140);
            const int joint = (row % 2 == 0 ? 0 : 260) + 520;
            if ((x + joint) % 700 < 2)
                c = c.darker(200);
            line[x] = c.rgb();
        }
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double sx = width / 1280.0;
    const double sy = height / 800.0;
    const double s = std::min(sx, sy);

    // Rivets along the seams.
    for (int row = 1; row * plank < height; ++row) {
        for (double x = 30; x < width; x += 140)
            drawRivet(p, QPointF(x + (row % 2) * 70, row * plank + 1), 3.2 * s);
    }
    drawPipe(p, QPointF(0, 782 * sy), QPointF(width, 782 * sy), 22 * s);
    drawPipe(p, QPointF(8 * sx, 150 * sy), QPointF(8 * sx, 800 * sy), 14 * s);
    drawPipe(p, QPointF(1272 * sx, 150 * sy), QPointF(1272 * sx, 800 * sy), 14 * s);

    // Gears where the panels leave the background free, and at the edges.
    drawGear(p, QPointF(110 * sx, 760 * sy), 105 * s, 24, 6, 4);
    drawGear(p, QPointF(255 * sx, 700 * sy), 62 * s, 15, 5, 10);
    drawGear(p, QPointF(1150 * sx, 590 * sy), 92 * s, 22, 6, 0);
    drawGear(p, QPointF(1040 * sx, 655 * sy), 52 * s, 13, 4, 12);
    drawGear(p, QPointF(1235 * sx, 700 * sy), 44 * s, 11, 4, 5);
    drawGear(p, QPointF(640 * sx, 810 * sy), 70 * s, 18, 5, 3);

    // The lamp light falls on the middle; the corners are darker.
    QRadialGradient vignette(QPointF(width / 2.0, height * 0.45), std::max(width, height) * 0.75);
    vignette.setColorAt(0, QColor(255, 200, 120, 18));
    vignette.setColorAt(0.6, QColor(0, 0, 0, 0));
    vignette.setColorAt(1, QColor(0, 0, 0, 150));
    p.fillRect(image.rect(), vignette);
    return image;
}

} // namespace artwork

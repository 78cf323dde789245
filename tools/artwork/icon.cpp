#include "icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <array>

namespace artwork {

namespace {

// Everything on a 256 by 256 grid.
constexpr int kGrid = 256;
const char* const kBackground = "#2d4a3e";
const char* const kPaper = "#f3ead2";
const char* const kGold = "#e8b04a";
const char* const kMetal = "#c9d3cf";
// Which of the five code holes (two above the feed holes, three below) each of the ten
// tape columns has punched.
constexpr std::array<int, 10> kColumns = {0b10101, 0b01110, 0b11001, 0b00111, 0b10010,
                                          0b01101, 0b11110, 0b00011, 0b10100, 0b01011};
constexpr std::array<int, 5> kRows = {102, 114, 142, 154, 166};

struct Circle {
    int x, y, r;
};

QList<Circle> feedHoles() {
    QList<Circle> holes;
    for (int c = 0; c < int(kColumns.size()); ++c)
        holes.append({56 + c * 16, 128, 3});
    return holes;
}

QList<Circle> codeHoles() {
    QList<Circle> holes;
    for (int c = 0; c < int(kColumns.size()); ++c) {
        for (int row = 0; row < int(kRows.size()); ++row) {
            if (kColumns[c] & (1 << row))
                holes.append({56 + c * 16, kRows[row], 5});
        }
    }
    return holes;
}

} // namespace

QByteArray iconSvg() {
    QString svg = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                                 "viewBox=\"0 0 256 256\">\n");
    svg += QStringLiteral("  <rect x=\"16\" y=\"16\" width=\"224\" height=\"224\" rx=\"40\" fill=\"%1\"/>\n")
               .arg(QLatin1String(kBackground));
    svg += QStringLiteral("  <polyline points=\"92,34 128,78 164,34\" fill=\"none\" stroke=\"%1\" "
                          "stroke-width=\"14\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n")
               .arg(QLatin1String(kGold));
    svg += QStringLiteral("  <rect x=\"36\" y=\"88\" width=\"184\" height=\"84\" fill=\"%1\"/>\n")
               .arg(QLatin1String(kPaper));
    for (const Circle& c : feedHoles() + codeHoles())
        svg += QStringLiteral("  <circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"%4\"/>\n")
                   .arg(c.x)
                   .arg(c.y)
                   .arg(c.r)
                   .arg(QLatin1String(kBackground));
    svg += QStringLiteral("  <rect x=\"108\" y=\"184\" width=\"40\" height=\"36\" rx=\"4\" fill=\"%1\"/>\n")
               .arg(QLatin1String(kMetal));
    svg += QStringLiteral("  <rect x=\"116\" y=\"192\" width=\"8\" height=\"8\" fill=\"%1\"/>\n"
                          "  <rect x=\"132\" y=\"192\" width=\"8\" height=\"8\" fill=\"%1\"/>\n")
               .arg(QLatin1String(kBackground));
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}

QImage iconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(double(size) / kGrid, double(size) / kGrid);
    const QColor background{QLatin1String(kBackground)};
    p.setPen(Qt::NoPen);
    p.setBrush(background);
    p.drawRoundedRect(QRectF(16, 16, 224, 224), 40, 40);
    QPen gold(QColor(QLatin1String(kGold)), 14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(gold);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(92, 34), QPointF(128, 78), QPointF(164, 34)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(QLatin1String(kPaper)));
    p.drawRect(QRectF(36, 88, 184, 84));
    p.setBrush(background);
    for (const Circle& c : feedHoles() + codeHoles())
        p.drawEllipse(QPointF(c.x, c.y), c.r, c.r);
    p.setBrush(QColor(QLatin1String(kMetal)));
    p.drawRoundedRect(QRectF(108, 184, 40, 36), 4, 4);
    p.setBrush(background);
    p.drawRect(QRectF(116, 192, 8, 8));
    p.drawRect(QRectF(132, 192, 8, 8));
    return image;
}

} // namespace artwork

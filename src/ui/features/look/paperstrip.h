#pragma once

#include <QWidget>

namespace vornal {

class Theme;

// A margin strip of teleprinter paper beside the terminal text (`picVornalPapier`):
// the paper in the terminal's background colour with its feed holes and a perforated
// tear line towards the text.
class PaperStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 18;

    // side: the strip's edge away from the text.
    PaperStrip(const QString& objectName, Qt::Edge side, const Theme& theme, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Edge m_side;
    const Theme& m_theme;
};

} // namespace vornal

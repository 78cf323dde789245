#pragma once

#include <QWidget>

namespace vornal {

class Theme;

// The round face of the analogue clock (`Shape1`): a dial with minute and hour marks
// in the theme's header colours. Its left, top and width give the clock's centre.
class ClockFace : public QWidget {
    Q_OBJECT
public:
    ClockFace(const Theme& theme, QWidget* parent = nullptr);
    // The centre of the face in its parent's coordinates: left + width / 2 and
    // top + width / 2 (the width serves both axes).
    QPointF centre() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Theme& m_theme;
};

} // namespace vornal

#pragma once

#include <QLabel>

namespace vornal {

class Theme;

// A small round lamp: the pictures of the port and line indicators (1 active,
// 2 idle, 8 the port changed while open, 0 unknown: an empty ring), in the theme's
// lamp colours. The picture is also its "picture" property. Its accessible name is its
// tip unless one is given; assistive technology reads the state as the lamp's value.
class Indicator : public QLabel {
    Q_OBJECT
public:
    static constexpr int kUnknown = 0;

    Indicator(const QString& objectName, const QString& tip, const Theme& theme, QWidget* parent = nullptr);
    Indicator(const QString& objectName, const QString& tip, const QString& accessibleName,
              const Theme& theme, QWidget* parent = nullptr);
    void setPicture(int picture);
    int picture() const { return m_picture; }
    bool isOn() const { return m_picture == 1; }
    // "active", "idle", "changed" or "unknown".
    QString stateText() const;

private:
    const Theme& m_theme;
    int m_picture = -1;
};

} // namespace vornal

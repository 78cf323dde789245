#pragma once

#include <QLabel>

namespace vornal {

// A small round lamp: the pictures of the port and line indicators (1 active,
// 2 idle, 8 the port changed while open).
class Indicator : public QLabel {
    Q_OBJECT
public:
    explicit Indicator(const QString& objectName, const QString& tip, QWidget* parent = nullptr);
    void setPicture(int picture);
    int picture() const { return m_picture; }

private:
    int m_picture = 0;
};

} // namespace vornal

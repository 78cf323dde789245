#pragma once

#include <QWidget>

namespace vornal {

// The line-length bar: grows 170 twips per character of the current line and takes
// the line state's colour (green, yellow from 55, red from 64).
class LineBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTwipsPerCharacter = 170;
    // The characters that fill the bar.
    static constexpr int kFullLine = 69;

    explicit LineBar(QWidget* parent = nullptr);
    // Length from the start point to the end point, in twips.
    int lengthTwips() const { return m_twips; }
    // The characters of the line the length stands for (also its accessible value).
    int characters() const { return m_twips / kTwipsPerCharacter; }
    void setLengthTwips(int twips);
    quint32 colour() const { return m_colour; }
    void setColour(quint32 colour);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_twips = 0;
    quint32 m_colour = 65280;
};

} // namespace vornal

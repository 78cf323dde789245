#pragma once

#include <QGroupBox>
#include <QList>

class QPushButton;

namespace vornal {

class TextSender;

// Controls of the Send group that features take over.
enum class SendControl { Paste, Puncher, Klkl, EditKlkl };

// The Send group: the four send commands, "Paste", "Puncher", the "klkl" switch and
// "Edit KLKL". Everything but the switch and its editor needs the open port and no
// transmission running.
class SendGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit SendGroup(TextSender& sender, QWidget* parent = nullptr);

    QPushButton* control(SendControl control) const;
    void setSendable(bool sendable);

private:
    QPushButton* m_lblPaste = nullptr;
    QPushButton* m_lblPuncher = nullptr;
    QPushButton* m_lblKlKl = nullptr;
    QPushButton* m_lblEditKLKL = nullptr;
    QList<QPushButton*> m_portDependent;
};

} // namespace vornal

#pragma once

#include <QWidget>

class QGridLayout;
class QPushButton;
class QScrollArea;

namespace vornal {

class ProgramGroup;
class SendGroup;

// The column on the right: the Send group and the Calls group (the broadcast
// services' buttons over the call buttons that features add) in a column that
// scrolls on a small screen, and the Program group always in view under it. The
// terminal's panel place takes the scrolling column's room while it shows.
class CallsColumn : public QWidget {
    Q_OBJECT
public:
    CallsColumn(SendGroup* send, ProgramGroup* program, QWidget* panelPlace, QWidget* parent = nullptr);

    QWidget* callsGroup() const { return m_callsGroup; }
    QPushButton* addCallButton(const QString& name, const QString& caption, const QString& tip);
    // The broadcast service buttons: 1 lblRSend_1, 2 lblRsend_2 (null for any other).
    QPushButton* broadcastButton(int service) const;
    void showBroadcastNumbers(const QString& first, const QString& second);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_panelPlace;
    QScrollArea* m_sidePanels = nullptr;
    QWidget* m_callsGroup = nullptr;
    QGridLayout* m_callButtons = nullptr;
    QPushButton* m_lblRSend1 = nullptr;
    QPushButton* m_lblRsend2 = nullptr;
};

} // namespace vornal

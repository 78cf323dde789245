#pragma once

#include <QFrame>
#include <QList>
#include <QMap>
#include <QStringList>

class QPushButton;

namespace vornal {

// A column of call slots under headings, with the button that closes it: the
// favourites and the local numbers. Hidden until the operator asks for it. The slots
// are one stop of the keyboard's Tab; the arrow keys (Home, End) move among them,
// Return dials like Space, Escape closes the panel as its Exit does.
class CallSlotsPanel : public QFrame {
    Q_OBJECT
public:
    struct Layout {
        QString objectName;
        QString slotPrefix; // slot i is named <prefix>_i
        QStringList designCaptions;
        QMap<int, QString> headings;    // shown above the slot with that index
        QMap<int, QString> subheadings; // likewise, in the smaller style
        QString exitName;
        QString exitCaption;
        QString exitTip;
    };
    static Layout favourites();
    static Layout localCalls();

    explicit CallSlotsPanel(const Layout& layout, QWidget* parent = nullptr);

    void setCaptions(const QStringList& captions);
    QString caption(int i) const;
    QPushButton* slot(int i) const { return m_slots.at(i); }

signals:
    void slotClicked(int i);
    void exitClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void setSlotCaption(QPushButton* slot, const QString& caption);
    // The slot that Tab reaches becomes `i`, and takes the keyboard.
    void moveTabStop(int i);

    QList<QPushButton*> m_slots;
    int m_tabStop = 0;
};

} // namespace vornal

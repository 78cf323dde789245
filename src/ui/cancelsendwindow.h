#pragma once

#include <QWidget>

class QLabel;

namespace vornal {

// The small window shown while a file, the automatic answer or the clipboard goes
// out: it says what is sent and lets the operator stop it. It stays on top and takes
// the focus back while the transmission runs; it is hidden, not closed, at the end.
class CancelSendWindow : public QWidget {
    Q_OBJECT
public:
    explicit CancelSendWindow(QWidget* parent = nullptr);

    void showTransmission(const QString& label);
    QString label() const;
    bool holdsFocus() const { return m_holdsFocus; }

public slots:
    // While a transmission runs and is not cancelled, the window takes the focus back.
    void setHoldsFocus(bool hold) { m_holdsFocus = hold; }

signals:
    void cancelRequested();

protected:
    void changeEvent(QEvent* event) override;

private:
    QLabel* m_label1;
    bool m_holdsFocus = false;
};

} // namespace vornal

#pragma once

#include <QDialog>

class QLabel;

namespace vornal {

// The small window shown while a file, the automatic answer or the clipboard goes
// out: it says what is sent and lets the operator stop it (Cancel or Escape). A
// dialog with its title, centred over the main window each time it opens; it stays
// on top and takes the focus back while the transmission runs, and is hidden, not
// closed, at the end.
class CancelSendWindow : public QDialog {
    Q_OBJECT
public:
    explicit CancelSendWindow(QWidget* parent = nullptr);

    void showTransmission(const QString& label);
    QString label() const;
    // Escape and closing the window stop the transmission; the window hides when it ends.
    void reject() override;

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

#include "window/cancelsendwindow.h"

#include "look/objectnames.h"
#include "widgets/buttonkit.h"
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vornal {

CancelSendWindow::CancelSendWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
    setObjectName(ObjectNames::kFrmCancelSend);
    setWindowTitle(QStringLiteral("           Vornal"));
    setModal(false);
    auto* column = new QVBoxLayout(this);
    m_label1 = new QLabel(QStringLiteral("Transmitting Clipboard Text"));
    // Text from data (names, paths, the system's words) shows as it is.
    m_label1->setTextFormat(Qt::PlainText);
    m_label1->setObjectName(ObjectNames::kLabel1);
    m_label1->setWordWrap(true);
    m_label1->setMinimumWidth(320);
    column->addWidget(m_label1);
    QPushButton* cancel = makeButton(ButtonKind::Dialog, ObjectNames::kLblCancel, QStringLiteral("Cancel"),
                                     QStringLiteral("Stop the transmission"));
    column->addWidget(cancel, 0, Qt::AlignRight);
    connect(cancel, &QPushButton::clicked, this, &CancelSendWindow::cancelRequested);
}

void CancelSendWindow::showTransmission(const QString& label) {
    m_label1->setText(label);
    adjustSize();
    show();
    // Over the middle of the main window, its frame known once shown.
    if (const QWidget* owner = parentWidget()) {
        QRect r(QPoint(), frameGeometry().size());
        r.moveCenter(owner->frameGeometry().center());
        move(r.topLeft());
    }
    raise();
    activateWindow();
}

QString CancelSendWindow::label() const {
    return m_label1->text();
}

void CancelSendWindow::reject() {
    emit cancelRequested();
}

void CancelSendWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || isActiveWindow() || !isVisible())
        return;
    if (m_holdsFocus) {
        QTimer::singleShot(0, this, [this] {
            if (isVisible() && m_holdsFocus) {
                raise();
                activateWindow();
            }
        });
    }
}

} // namespace vornal

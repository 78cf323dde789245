#include "cancelsendwindow.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vornal {

CancelSendWindow::CancelSendWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("frmCancelSend"));
    setWindowTitle(QStringLiteral("           Vornal"));
    auto* column = new QVBoxLayout(this);
    m_label1 = new QLabel(QStringLiteral("Transmitting Clipboard Text"));
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setWordWrap(true);
    m_label1->setMinimumWidth(320);
    column->addWidget(m_label1);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("lblCancel"));
    cancel->setToolTip(QStringLiteral("Stop the transmission"));
    column->addWidget(cancel, 0, Qt::AlignRight);
    connect(cancel, &QPushButton::clicked, this, &CancelSendWindow::cancelRequested);
}

void CancelSendWindow::showTransmission(const QString& label) {
    m_label1->setText(label);
    show();
    raise();
    activateWindow();
}

QString CancelSendWindow::label() const {
    return m_label1->text();
}

void CancelSendWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
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

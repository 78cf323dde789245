#include "window/terminalarea.h"

#include "theme/theme.h"
#include "widgets/fieldlabel.h"
#include "widgets/linebar.h"
#include "window/accessibility.h"
#include "window/terminaltext.h"

#include "display/linecounter.h"
#include "look/objectnames.h"
#include "transmission.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace vornal {

TerminalArea::TerminalArea(QWidget* parent) : QWidget(parent) {
    setObjectName(ObjectNames::kTerminalArea);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 10, 0, 0);
    column->setSpacing(6);
    auto* lineRow = new QHBoxLayout;
    lineRow->addWidget(makeCaptionLabel(QStringLiteral("Line")));
    m_line1 = new LineBar;
    lineRow->addWidget(m_line1, 1);
    m_lblMaxChar = new QLabel(QStringLiteral("69"));
    m_lblMaxChar->setObjectName(ObjectNames::kLblMaxChar);
    m_lblMaxChar->setToolTip(QStringLiteral("Character  Counter"));
    m_lblMaxChar->setAlignment(Qt::AlignCenter);
    lineRow->addWidget(m_lblMaxChar);
    column->addLayout(lineRow);

    m_txtTerm = new TerminalText;
    m_txtTerm->setObjectName(ObjectNames::kTxtTerm);
    m_txtTerm->setAccessibleName(QStringLiteral("Terminal"));
    m_txtTerm->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_txtTerm->setTabChangesFocus(true);
    m_txtTerm->setToolTip(
        QStringLiteral("Terminal: what you type goes to the box. F6 brings the keyboard back here "
                       "from anywhere in the window."));
    // The text with what a skin puts beside it.
    m_terminalRow = new QHBoxLayout;
    m_terminalRow->setSpacing(0);
    m_terminalRow->addWidget(m_txtTerm, 1);

    auto* host = new QWidget;
    m_panels = new QVBoxLayout(host);
    m_panels->setContentsMargins(0, 0, 4, 0);
    m_panels->setSpacing(4);
    m_panels->addStretch(1);
    m_panelPlace = new QScrollArea;
    m_panelPlace->setObjectName(ObjectNames::kPanelPlace);
    m_panelPlace->setWidget(host);
    m_panelPlace->setWidgetResizable(true);
    m_panelPlace->setFrameShape(QFrame::NoFrame);
    m_panelPlace->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_panelPlace->setFocusPolicy(Qt::NoFocus);
    m_panelPlace->hide();

    column->addLayout(m_terminalRow, 1);
    m_terminalPanels = new QVBoxLayout;
    m_terminalPanels->setSpacing(4);
    column->addLayout(m_terminalPanels);
}

QKeySequence TerminalArea::terminalKey() {
    return QKeySequence(Qt::Key_F6);
}

void TerminalArea::focusTerminal() {
    m_txtTerm->setFocus();
    m_txtTerm->moveCursor(QTextCursor::End);
}

void TerminalArea::setSides(QWidget* left, QWidget* right) {
    m_terminalRow->insertWidget(0, left);
    m_terminalRow->addWidget(right);
}

void TerminalArea::setInsets(const QMargins& insets) {
    m_terminalRow->setContentsMargins(insets);
}

QWidget* TerminalArea::panelPlace() const {
    return m_panelPlace;
}

void TerminalArea::addPanel(QWidget* panel) {
    // Above the stretch that keeps the panels at the top of their place.
    m_panels->insertWidget(m_panels->count() - 1, panel);
    markAsGroup(panel);
    panel->installEventFilter(this);
    updatePanelPlace();
    emit panelAdded();
}

void TerminalArea::addTerminalPanel(QWidget* panel) {
    // Right under the text, in a holder of its own, so that a panel can be covered
    // without changing whether it is shown.
    auto* holder = new QWidget;
    auto* inHolder = new QVBoxLayout(holder);
    inHolder->setContentsMargins(0, 0, 0, 0);
    inHolder->addWidget(panel);
    m_terminalPanels->insertWidget(0, holder);
    markAsGroup(panel);
    panel->installEventFilter(this);
    updateTerminalPanels();
    emit panelAdded();
}

void TerminalArea::revealPanel(QWidget* panel) {
    // Once the place has laid the panel out, scroll its top into view.
    QTimer::singleShot(0, panel, [this, panel] {
        if (panel->isVisible())
            m_panelPlace->verticalScrollBar()->setValue(panel->y());
    });
}

bool TerminalArea::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) {
        updatePanelPlace();
        updateTerminalPanels();
    }
    return QWidget::eventFilter(watched, event);
}

void TerminalArea::updateTerminalPanels() {
    // Only the shown panel nearest the text shows: it covers the ones added before it
    // (the phrases under the punch panel), so that the text keeps its lines.
    bool covered = false;
    for (int i = 0; i < m_terminalPanels->count(); ++i) {
        QWidget* holder = m_terminalPanels->itemAt(i)->widget();
        const QLayoutItem* inside = holder ? holder->layout()->itemAt(0) : nullptr;
        const QWidget* panel = inside ? inside->widget() : nullptr;
        if (!panel)
            continue;
        const bool wanted = !panel->isHidden();
        holder->setVisible(wanted && !covered);
        covered = covered || wanted;
    }
}

void TerminalArea::updatePanelPlace() {
    bool shown = false;
    for (int i = 0; i < m_panels->count(); ++i) {
        const QWidget* panel = m_panels->itemAt(i)->widget();
        shown = shown || (panel && panel->isVisibleTo(m_panelPlace->widget()));
    }
    m_panelPlace->setVisible(shown);
}

void TerminalArea::followCounter(LineCounter& counter, Transmission& transmission) {
    connect(&counter, &LineCounter::counterChanged, this, [this](const QString& caption, quint32 colour) {
        m_lblMaxChar->setText(caption);
        Theme::setState(m_lblMaxChar, "colourValue", colour);
    });
    connect(&counter, &LineCounter::barChanged, this, [this](int twips, quint32 colour) {
        m_line1->setLengthTwips(twips);
        m_line1->setColour(colour);
    });
    m_counterTimer.setSingleShot(true);
    connect(&m_counterTimer, &QTimer::timeout, this, [this] { m_lblMaxChar->setText(m_pendingCounter); });
    connect(&transmission, &Transmission::counterCaption, this, [this](const QString& caption) {
        m_pendingCounter = caption;
        if (!m_counterTimer.isActive())
            m_counterTimer.start(50);
    });
    connect(&transmission, &Transmission::finished, this, [this] {
        if (m_counterTimer.isActive()) {
            m_counterTimer.stop();
            m_lblMaxChar->setText(m_pendingCounter);
        }
    });
}

} // namespace vornal

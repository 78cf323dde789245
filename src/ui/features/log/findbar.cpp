#include "features/log/findbar.h"

#include "featurecontext.h"
#include "look/objectnames.h"
#include "theme/themerole.h"
#include "widgets/buttonkit.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

namespace vornal {

FindBar::FindBar(FeatureContext& context) : QObject(&context), m_context(context) {
    QPushButton* show = context.addProgramButton(ObjectNames::kLblFind, QStringLiteral("Find"),
                                                 QStringLiteral("Finds a text in the terminal"));
    connect(show, &QPushButton::clicked, this, &FindBar::open);

    m_bar = new QFrame;
    m_bar->setObjectName(ObjectNames::kFrameFind);
    setThemeRole(m_bar, ThemeRole::CallPanel);
    auto* row = new QHBoxLayout(m_bar);
    row->setContentsMargins(6, 4, 6, 4);
    row->setSpacing(4);
    auto* caption = new QLabel(QStringLiteral("Find"));
    row->addWidget(caption);
    m_field = new QLineEdit;
    m_field->setObjectName(ObjectNames::kTxtFind);
    m_field->setAccessibleName(QStringLiteral("Find"));
    caption->setBuddy(m_field);
    row->addWidget(m_field, 1);
    QPushButton* next = makeButton(ButtonKind::Command, ObjectNames::kCmdFindNext, QStringLiteral("Next"),
                                   QStringLiteral("Finds the next match"));
    QPushButton* previous =
        makeButton(ButtonKind::Command, ObjectNames::kCmdFindPrevious, QStringLiteral("Previous"),
                   QStringLiteral("Finds the previous match"));
    QPushButton* close = makeButton(ButtonKind::Command, ObjectNames::kCmdFindClose, QStringLiteral("Close"),
                                    QStringLiteral("Closes the find bar"));
    for (QPushButton* b : {next, previous, close}) {
        row->addWidget(b);
        b->installEventFilter(this);
    }
    m_field->installEventFilter(this);
    m_bar->hide();
    context.addTerminalPanel(m_bar);

    connect(next, &QPushButton::clicked, this, [this] { find(TextSearch::Direction::Forward); });
    connect(previous, &QPushButton::clicked, this, [this] { find(TextSearch::Direction::Backward); });
    connect(m_field, &QLineEdit::returnPressed, this, [this] { find(TextSearch::Direction::Forward); });
    connect(close, &QPushButton::clicked, this, &FindBar::close);
}

void FindBar::open() {
    m_bar->show();
    m_field->setFocus();
    m_field->selectAll();
}

void FindBar::close() {
    m_bar->hide();
    m_context.focusTerminal();
}

bool FindBar::find(TextSearch::Direction direction) {
    const QString needle = m_field->text();
    if (needle.isEmpty())
        return false;
    QPlainTextEdit* terminal = m_context.terminal();
    const QTextCursor current = terminal->textCursor();
    // Positions in the plain text are positions in the document: each line break is one.
    const qsizetype at = TextSearch::find(
        terminal->document()->toPlainText(), needle,
        direction == TextSearch::Direction::Forward ? current.selectionEnd() : current.selectionStart(),
        direction);
    if (at < 0) {
        m_context.setStatus(QStringLiteral("Not found: ") + needle);
        return false;
    }
    QTextCursor match(terminal->document());
    match.setPosition(int(at));
    match.setPosition(int(at + needle.size()), QTextCursor::KeepAnchor);
    terminal->setTextCursor(match);
    terminal->ensureCursorVisible();
    m_context.setStatus(QStringLiteral("Found: ") + needle);
    return true;
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vornal

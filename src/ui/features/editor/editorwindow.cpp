#include "features/editor/editorwindow.h"

#include "features/editor/editortextfield.h"
#include "theme/fonts.h"
#include "theme/theme.h"
#include "widgets/windowfit.h"

#include "editortext.h"
#include "look/objectnames.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vornal {

namespace {

// The program's colour numbers of the column warning.
constexpr quint32 kGreen = 65280;
constexpr quint32 kRed = 255;

QStyle::StandardPixmap iconOf(MessageEditor::Button button) {
    switch (button) {
    case MessageEditor::Button::New:
        return QStyle::SP_FileIcon;
    case MessageEditor::Button::Open:
        return QStyle::SP_DialogOpenButton;
    case MessageEditor::Button::Save:
        return QStyle::SP_DialogSaveButton;
    case MessageEditor::Button::SaveAs:
        return QStyle::SP_DriveFDIcon;
    case MessageEditor::Button::Print:
        return QStyle::SP_FileDialogContentsView;
    case MessageEditor::Button::Exit:
        return QStyle::SP_DialogCloseButton;
    case MessageEditor::Button::Help:
        return QStyle::SP_DialogHelpButton;
    case MessageEditor::Button::Time:
        return QStyle::SP_BrowserReload;
    case MessageEditor::Button::Date:
        return QStyle::SP_FileDialogDetailedView;
    }
    return QStyle::SP_FileIcon;
}

QKeySequence shortcutOf(MessageEditor::Button button) {
    switch (button) {
    case MessageEditor::Button::New:
        return QKeySequence::New;
    case MessageEditor::Button::Open:
        return QKeySequence::Open;
    case MessageEditor::Button::Save:
        return QKeySequence::Save;
    case MessageEditor::Button::Help:
        return QKeySequence::HelpContents;
    default:
        return {};
    }
}

} // namespace

EditorWindow::EditorWindow(UserDialogs& dialogs, const Clock& clock, const ProgramFolder& folder,
                           QWidget* parent)
    : QDialog(parent), m_editor(*this, dialogs, clock, folder) {
    setObjectName(ObjectNames::kFrmEdit);
    setModal(true);
    setSizeGripEnabled(true);

    m_txtText = new EditorTextField;
    m_txtText->setObjectName(ObjectNames::kTxtText);
    m_txtText->setAccessibleName(QStringLiteral("Text"));
    m_txtText->setFont(textFont());
    // Lines are as long as the operator typed them: the ruler counts their columns.
    m_txtText->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(2);
    root->addWidget(buildToolbar());
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 4, 8, 0);
    body->setSpacing(2);
    body->addWidget(buildRuler());
    body->addWidget(m_txtText, 1);
    root->addLayout(body, 1);
    root->addWidget(buildStatusBar());

    connect(&m_editor, &MessageEditor::titleChanged, this, &QWidget::setWindowTitle);
    connect(&m_editor, &MessageEditor::statusChanged, m_lblStatus, &QLabel::setText);
    connect(&m_editor, &MessageEditor::modifiedChanged, this, [this](bool modified) {
        m_modified->setText(modified ? QStringLiteral("modified") : QString());
    });
    connect(&m_editor, &MessageEditor::caretChanged, this, &EditorWindow::showCaret);
    connect(&m_editor, &MessageEditor::beep, this, [] { QApplication::beep(); });
    connect(&m_editor, &MessageEditor::closeRequested, this, [this] { QDialog::done(QDialog::Accepted); });
    connect(m_txtText, &QPlainTextEdit::textChanged, &m_editor, &MessageEditor::textEdited);
    connect(m_txtText, &EditorTextField::caretMovedByOperator, this, [this] { caretEvent(true); });
    connect(m_txtText, &QPlainTextEdit::cursorPositionChanged, this, [this] { caretEvent(false); });
    // The ruler follows the text sideways.
    connect(m_txtText->horizontalScrollBar(), &QScrollBar::valueChanged, this, &EditorWindow::placeRuler);

    setWindowTitle(m_editor.title());
    showCaret(1, 1, false);
    const int columns = m_txtText->fontMetrics().horizontalAdvance(QString(80, QLatin1Char('0')));
    resize(fittingSize(QSize(std::max(columns + 60, 640), 520)));
}

QFont EditorWindow::textFont() {
    return teleprinterFont(12, 0);
}

QWidget* EditorWindow::buildToolbar() {
    auto* toolbar = new QToolBar;
    toolbar->setObjectName(ObjectNames::kToolbar);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const MessageEditor::Button b : MessageEditor::kButtons) {
        auto* button = new QToolButton;
        button->setObjectName(QStringLiteral("Toolbar_") + MessageEditor::key(b));
        button->setText(MessageEditor::caption(b));
        button->setToolTip(MessageEditor::toolTip(b));
        button->setAccessibleDescription(MessageEditor::toolTip(b));
        button->setIcon(style()->standardIcon(iconOf(b)));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setShortcut(shortcutOf(b));
        button->setAutoRaise(true);
        // Queued: an assistive client's Press is a synchronous click(), and New, Open,
        // Save As and Exit may ask a question; the press returns first, then it runs.
        connect(
            button, &QToolButton::clicked, this, [this, b] { m_editor.run(b); }, Qt::QueuedConnection);
        toolbar->addWidget(button);
        m_buttons.insert(b, button);
    }
    return toolbar;
}

QWidget* EditorWindow::buildRuler() {
    // The ruler and its warning sit in a strip of their own, placed over the text's
    // first column; the strip clips them when the text scrolls sideways.
    m_rulerStrip = new QWidget;
    m_rulerStrip->setObjectName(ObjectNames::kRulerStrip);
    m_lblRuler = new QLabel(QString::fromLatin1(kRuler), m_rulerStrip);
    m_lblRuler->setObjectName(ObjectNames::kLblRuler);
    m_lblRuler->setFont(m_txtText->font());
    m_lblRuler->adjustSize();
    m_lblMax = new QLabel(QStringLiteral("68"), m_rulerStrip);
    m_lblMax->setObjectName(ObjectNames::kLblMax);
    m_lblMax->setFont(m_txtText->font());
    m_lblMax->adjustSize();
    m_rulerStrip->setFixedHeight(std::max(m_lblRuler->height(), m_lblMax->height()));
    return m_rulerStrip;
}

QWidget* EditorWindow::buildStatusBar() {
    auto* bar = new QStatusBar;
    bar->setObjectName(ObjectNames::kStatus);
    bar->setSizeGripEnabled(false);
    m_lblStatus = new QLabel(QString::fromLatin1(MessageEditor::kDesignStatus));
    m_lblStatus->setObjectName(ObjectNames::kLblStatus);
    bar->addWidget(m_lblStatus, 1);
    m_modified = new QLabel;
    m_modified->setObjectName(ObjectNames::kStatus_modified);
    m_modified->setMinimumWidth(m_modified->fontMetrics().horizontalAdvance(QStringLiteral("modified")) + 8);
    bar->addPermanentWidget(m_modified);
    const auto panel = [bar](const QString& caption, const QString& name) {
        bar->addPermanentWidget(new QLabel(caption));
        auto* value = new QLabel;
        value->setObjectName(name);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
        bar->addPermanentWidget(value);
        return value;
    };
    m_row = panel(QStringLiteral("Row"), ObjectNames::kStatus_row);
    m_col = panel(QStringLiteral("Col"), ObjectNames::kStatus_col);
    return bar;
}

void EditorWindow::open(const QString& path, EditorMode mode) {
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it)
        it.value()->setEnabled(MessageEditor::enabledIn(mode, it.key()));
    m_editor.open(path, mode);
}

void EditorWindow::reject() {
    m_editor.run(MessageEditor::Button::Exit);
}

void EditorWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_txtText->setFocus();
    // Once the text field has its place.
    QTimer::singleShot(0, this, &EditorWindow::placeRuler);
}

void EditorWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    placeRuler();
}

QString EditorWindow::text() const {
    return EditorText::fromField(m_txtText->document()->toRawText());
}

void EditorWindow::setText(const QString& text) {
    m_txtText->setPlainText(EditorText::toField(text));
}

void EditorWindow::append(const QString& text) {
    QTextCursor cursor(m_txtText->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(EditorText::toField(text));
    m_txtText->setTextCursor(cursor);
}

void EditorWindow::caretEvent(bool byOperator) {
    const QString field = m_txtText->document()->toRawText();
    const qsizetype position = m_txtText->textCursor().selectionEnd();
    if (byOperator)
        m_editor.caretMoved(field, position);
    else
        m_editor.caretPlaced(field, position);
}

void EditorWindow::showCaret(qsizetype row, qsizetype column, bool beyondLine) {
    m_row->setText(QString::number(row));
    m_col->setText(QString::number(column));
    Theme::setState(m_lblMax, "colourValue", beyondLine ? kRed : kGreen);
}

void EditorWindow::placeRuler() {
    // The left edge of the text's first column, scrolled as the text is.
    const QRect first = m_txtText->cursorRect(QTextCursor(m_txtText->document()));
    const QPoint inWindow = m_txtText->viewport()->mapTo(this, first.topLeft());
    const int x = m_rulerStrip->mapFrom(this, inWindow).x();
    m_lblRuler->move(x, 0);
    m_lblMax->move(x + m_lblRuler->width() + m_lblRuler->fontMetrics().horizontalAdvance(QLatin1Char(' ')),
                   0);
}

} // namespace vornal

#include "features/help/helpwindow.h"

#include "files/textfile.h"
#include "look/objectnames.h"
#include "rtfreader.h"
#include "widgets/buttonkit.h"
#include "widgets/windowfit.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace vornal {

HelpWindow::HelpWindow(const ProgramFolder& folder, QWidget* parent) : QDialog(parent) {
    setObjectName(ObjectNames::kFrmHelp);
    setWindowTitle(QString::fromLatin1(kTitle));
    setModal(true);

    m_frameHelp = new QFrame;
    m_frameHelp->setObjectName(ObjectNames::kFrameHelp);
    m_frameHelp->setVisible(false);
    auto* frame = new QVBoxLayout(m_frameHelp);
    frame->setContentsMargins(0, 0, 0, 0);
    auto* context = new QLabel(QStringLiteral("What's new in this Version"));
    context->setObjectName(ObjectNames::kLblHelpContext);
    frame->addWidget(context);
    m_richTextBox1 = new QTextEdit;
    m_richTextBox1->setObjectName(ObjectNames::kRichTextBox1);
    m_richTextBox1->setAccessibleName(QStringLiteral("Release notes"));
    m_richTextBox1->setReadOnly(true);
    // Tab stops of the document are not read; a short one suits bulleted lines.
    m_richTextBox1->setTabStopDistance(
        m_richTextBox1->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    frame->addWidget(m_richTextBox1, 1);

    QPushButton* exit = makeButton(ButtonKind::Window, ObjectNames::kLblExit, QStringLiteral("EXIT"),
                                   QStringLiteral("Closes the help"));
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);

    auto* root = new QVBoxLayout(this);
    root->addWidget(m_frameHelp, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(exit);
    root->addLayout(buttons);
    resize(fittingSize(QSize(640, 520)));

    QByteArray rtf;
    if (TextFile::readBytes(folder.file(QString::fromLatin1(kFileName)), &rtf))
        fill(*m_richTextBox1->document(), RtfReader::read(rtf));
    m_richTextBox1->moveCursor(QTextCursor::Start);
    m_frameHelp->setVisible(true);
}

void HelpWindow::fill(QTextDocument& document, const QList<RtfParagraph>& paragraphs) {
    document.clear();
    QTextCursor cursor(&document);
    bool first = true;
    for (const RtfParagraph& paragraph : paragraphs) {
        if (!first)
            cursor.insertBlock();
        first = false;
        for (const RtfRun& run : paragraph) {
            QTextCharFormat format;
            format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
            format.setFontItalic(run.italic);
            format.setFontUnderline(run.underline);
            format.setFontPointSize(run.halfPoints / 2.0);
            cursor.insertText(run.text, format);
        }
    }
}

} // namespace vornal

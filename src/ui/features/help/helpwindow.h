#pragma once

#include "files/programfiles.h"
#include "rtfrun.h"

#include "files/programfolder.h"

#include <QDialog>

class QFrame;
class QTextDocument;
class QTextEdit;

namespace vornal {

// The help window: "What's new in this Version", the release notes of "\New.rtf" from
// the program folder, read afresh every time the window is made, and "EXIT". A missing
// or unreadable file gives an empty view.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Vornal USB Terminal Help";
    static constexpr const char* kFileName = ProgramFiles::kHelpText;

    explicit HelpWindow(const ProgramFolder& folder, QWidget* parent = nullptr);

    // Writes the paragraphs into the document, replacing what it held.
    static void fill(QTextDocument& document, const QList<RtfParagraph>& paragraphs);

private:
    QFrame* m_frameHelp = nullptr;
    QTextEdit* m_richTextBox1 = nullptr;
};

} // namespace vornal

#include "features/log/savetextaction.h"

#include "featurecontext.h"
#include "terminalservices.h"

#include "clock.h"
#include "files/textfile.h"
#include "look/objectnames.h"
#include "userdialogs.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace vornal {

SaveTextAction::SaveTextAction(FeatureContext& context) : QObject(&context), m_context(context) {
    QPushButton* button = context.addProgramButton(ObjectNames::kLblSaveText, QStringLiteral("Save Text"),
                                                   QStringLiteral("Saves the terminal text to a file"));
    connect(button, &QPushButton::clicked, this, &SaveTextAction::save);
}

void SaveTextAction::save() {
    const TerminalServices& services = m_context.services();
    // Taken before the dialog: text that arrives meanwhile is not half in the file.
    QString text = m_context.terminal()->toPlainText();
    const QString stamp = services.clock.now().toString(QStringLiteral("yyyy-MM-dd HH-mm"));
    const QString path =
        services.dialogs.saveFile({QStringLiteral("Save Text"), services.folder.root(),
                                   QStringLiteral("Text files (*.txt);;All files (*)"), QStringLiteral("txt"),
                                   QStringLiteral("Terminal %1.txt").arg(stamp)});
    m_context.focusTerminal();
    if (path.isEmpty())
        return;
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    if (const FileResult written = TextFile::writeText(path, text, services.folder.writer()); !written) {
        m_context.setStatus(QStringLiteral("Text not saved"));
        services.dialogs.warning(written.error, QStringLiteral("Save Text"));
        return;
    }
    m_context.setStatus(QStringLiteral("Text saved to ") + path);
}

} // namespace vornal

#pragma once

#include "editormode.h"

#include <QObject>
#include <QWidget>

namespace vornal {

class FeatureContext;

// The message editor of the program: every openEditor of the program opens it,
// modally; "Edit Message" opens the message, the embedded editor button a file the
// operator picks. Saving in the editor refreshes the main window's lists, and its Help
// asks for the help window over it.
class MessageEditorFeature : public QObject {
    Q_OBJECT
public:
    explicit MessageEditorFeature(FeatureContext& context);

    void open(const QString& path, EditorMode mode);
    // "Edit Message" (lblEditRund) and the embedded editor (lblEditor).
    void editMessage();
    void editAnyFile();

signals:
    // The editor's Help: the help window, modal over the editor.
    void helpRequested(QWidget* editor);

private:
    FeatureContext& m_context;
    bool m_open = false;
};

} // namespace vornal

#include "features/editor/messageeditorfeature.h"

#include "files/programfiles.h"

#include "featurecontext.h"
#include "features/editor/editorwindow.h"
#include "look/objectnames.h"
#include "platform/windowrunner.h"
#include "terminalservices.h"
#include "theme/theme.h"
#include "widgets/glyphicon.h"

#include <QApplication>
#include <QPushButton>

namespace vornal {

MessageEditorFeature::MessageEditorFeature(FeatureContext& context) : QObject(&context), m_context(context) {
    setObjectName(ObjectNames::kMessageEditor);
    QObject::connect(&context, &FeatureContext::editorRequested, this, &MessageEditorFeature::open);
    QPushButton* message = context.addProgramButton(ObjectNames::kLblEditRund, QStringLiteral("Edit Message"),
                                                    QStringLiteral("Invokes the Message Editor"));
    QObject::connect(message, &QPushButton::clicked, this, &MessageEditorFeature::editMessage);
    QPushButton* editor = context.addProgramButton(ObjectNames::kLblEditor, QString(),
                                                   QStringLiteral("Invokes the embedded Editor"));
    editor->setAccessibleName(QStringLiteral("Editor"));
    editor->setIcon(glyphIcon(QStringLiteral("\u270E"), context.theme().colour(Theme::Colour::Accent)));
    QObject::connect(editor, &QPushButton::clicked, this, &MessageEditorFeature::editAnyFile);
}

void MessageEditorFeature::open(const QString& path, EditorMode mode) {
    // One editor at a time; it is modal, so only a program step could ask twice.
    if (m_open)
        return;
    m_open = true;
    const TerminalServices& services = m_context.services();
    EditorWindow window(services.dialogs, services.clock, services.folder, m_context.window());
    connect(&window.editor(), &MessageEditor::listsRefreshRequested, &m_context,
            &FeatureContext::refreshLists);
    connect(&window.editor(), &MessageEditor::helpRequested, this,
            [this, &window] { emit helpRequested(&window); });
    window.open(path, mode);
    m_context.runner().run(window);
    m_open = false;
}

void MessageEditorFeature::editMessage() {
    m_context.setStatus(QStringLiteral("Loading Rundsenden Message Editor"));
    m_context.openEditor(m_context.services().folder.file(QString::fromLatin1(ProgramFiles::kMessage)),
                         EditorMode::Message);
}

void MessageEditorFeature::editAnyFile() {
    QApplication::beep();
    m_context.setStatus(QStringLiteral("Loading Editor"));
    m_context.openEditor(m_context.services().folder.root(), EditorMode::AnyFile);
}

} // namespace vornal

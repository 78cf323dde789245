#include "features/help/helpfeature.h"

#include "featurecontext.h"
#include "features/help/helpwindow.h"
#include "platform/windowrunner.h"
#include "terminalservices.h"
#include "theme/theme.h"
#include "widgets/glyphicon.h"
#include "window/headerbar.h"

#include "files/desktoplauncher.h"
#include "look/objectnames.h"
#include "userdialogs.h"

#include <QFileInfo>
#include <QPushButton>
#include <QUrl>

namespace vornal {

HelpFeature::HelpFeature(FeatureContext& context) : QObject(&context), m_context(context) {
    setObjectName(ObjectNames::kHelp);
    const auto imageButton = [&context](QLatin1StringView name, const char* accessibleName, const char* tip,
                                        const QString& glyph) {
        QPushButton* button = context.addProgramButton(name, QString(), QString::fromLatin1(tip));
        button->setAccessibleName(QString::fromLatin1(accessibleName));
        button->setIcon(glyphIcon(glyph, context.theme().colour(Theme::Colour::Accent)));
        return button;
    };
    QPushButton* aiuto =
        imageButton(ObjectNames::kLblAiuto, "Help", "Version Description", QStringLiteral("?"));
    QObject::connect(aiuto, &QPushButton::clicked, this, [this, &context] { showHelp(context.window()); });
    QPushButton* homepage = imageButton(ObjectNames::kLblHomepage, "Homepage",
                                        "Opens the Parlo Homepage in your browser", QStringLiteral("\u2302"));
    QObject::connect(homepage, &QPushButton::clicked, this, &HelpFeature::openHomepage);
    QObject::connect(context.header().versionButton(), &QPushButton::clicked, this,
                     &HelpFeature::showVersion);
}

void HelpFeature::showHelp(QWidget* parent) {
    HelpWindow window(m_context.services().folder, parent);
    m_context.runner().run(window);
}

void HelpFeature::showVersion() {
    m_context.services().dialogs.message(
        {QString::fromLatin1(kVersionText), QString(), DialogButtons::Ok, DialogIcon::None, {}});
}

void HelpFeature::openHomepage() {
    const QString manual = m_context.services().folder.file(QString::fromLatin1(kManual));
    if (!QFileInfo(manual).isFile()) {
        m_context.setStatus(QStringLiteral("The operator's manual is missing: ") + manual);
        return;
    }
    // The browser opens on its own; when the desktop cannot hand it the page, the
    // status line says which file to open by hand.
    if (!m_context.services().desktop.open(QUrl::fromLocalFile(manual)))
        m_context.setStatus(QStringLiteral("The desktop could not open the operator's manual: ") + manual);
}

} // namespace vornal

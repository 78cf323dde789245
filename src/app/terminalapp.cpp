#include "terminalapp.h"

#include "clock.h"
#include "features/allfeatures.h"
#include "files/programfolder.h"
#include "files/programfolderchoice.h"
#include "files/reportingsettingsstore.h"
#include "files/settingsstore.h"
#include "platform/qtdesktoplauncher.h"
#include "platform/qtsoundplayer.h"
#include "platform/qtuserdialogs.h"
#include "platform/windowrunner.h"
#include "serial/portmap.h"
#include "serial/qserialportlink.h"
#include "window/terminalwindow.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>

namespace vornal {

int runTerminal(const std::function<void(TerminalWindow&)>& started, const TerminalSeams& seams) {
    QApplication::setApplicationName(QString::fromLatin1(IniSettingsStore::kApplication));
    QApplication::setOrganizationName(QString::fromLatin1(IniSettingsStore::kOrganization));

    QtUserDialogs qtDialogs;
    UserDialogs& dialogs = seams.dialogs ? *seams.dialogs : qtDialogs;
    IniSettingsStore store;
    // A settings write that fails is told to the operator once; the program goes on.
    ReportingSettingsStore settings(store, dialogs);
    QSerialPortLink serialLink(PortMap(settings, &PortMap::systemDevices));
    SerialLink* wrapped = seams.link ? seams.link(serialLink) : nullptr;
    SerialLink& link = wrapped ? *wrapped : serialLink;
    SystemClock clock;
    QtSoundPlayer sound;
    ExecRunner execRunner;
    WindowRunner& runner = seams.runner ? *seams.runner : execRunner;
    QtDesktopLauncher desktop;
    const ProgramFolderChoice place =
        ProgramFolderChoice::choose(ProgramFolderChoice::systemInputs(QApplication::applicationDirPath()));
    // An installed program keeps the operator's files in a per-user folder, filled from
    // the shipped defaults at the first start.
    const FileResult seeded = place.seed();
    const ProgramFolder folder(place.root());

    TerminalWindow window({link, dialogs, settings, folder, clock, sound, runner, desktop});
    qtDialogs.setParent(&window);
    attachFeatures(window.features());
    if (!seeded)
        dialogs.warning(QStringLiteral("The program's files could not be prepared in %1:\n%2")
                            .arg(place.root(), seeded.error));
    window.load(QApplication::arguments().mid(1).join(QLatin1Char(' ')));
    if (seams.loaded)
        seams.loaded(window);
    window.show();

    if (started)
        QTimer::singleShot(0, &window, [&window, started] { started(window); });
    return QApplication::exec();
}

} // namespace vornal

#include "tourrunner.h"

#include "look/objectnames.h"
#include "transcript.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>

#include <cstdio>

int TourRunner::run(QDialog& window) {
    m_running = true;
    ++m_windows;
    window.show();
    QApplication::processEvents();
    m_transcript.note(QStringLiteral("window ") + window.objectName() + QStringLiteral(" \"") +
                      window.windowTitle() + QStringLiteral("\""));
    int result = QDialog::Rejected;
    if (window.objectName() == vornal::ObjectNames::kFrmUpdate) {
        if (auto* retrieve = window.findChild<QPushButton*>(vornal::ObjectNames::kLblRetrieve)) {
            // The download keeps the event loop turning and returns when it is done.
            retrieve->click();
            QApplication::processEvents();
        }
        if (auto* status = window.findChild<QLabel*>(vornal::ObjectNames::kLblStatus))
            m_transcript.note(QStringLiteral("update status \"") + status->text() + QLatin1Char('"'));
        auto* list = window.findChild<QTreeView*>(vornal::ObjectNames::kLvwStat);
        if (list && list->model())
            m_transcript.note(QStringLiteral("%1 subscribers listed").arg(list->model()->rowCount()));
        result = QDialog::Accepted;
    }
    const QString picture =
        m_folder + QStringLiteral("/window-%1-%2.png").arg(m_windows).arg(window.objectName());
    if (window.grab().save(picture))
        std::printf("vornal-tour: %s\n", qPrintable(picture));
    window.hide();
    m_running = false;
    return result;
}

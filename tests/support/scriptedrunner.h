#pragma once

#include "platform/windowrunner.h"

#include <QDialog>
#include <QQueue>
#include <QStringList>
#include <QTest>

#include <functional>

namespace vornal {

// Opens modal windows for a test: each window is handed, unshown, to the next driver
// in the queue, which works it and returns its result. A window that opens with no
// driver left fails the test at once instead of waiting in a modal loop.
class ScriptedRunner final : public WindowRunner {
public:
    using Driver = std::function<int(QDialog&)>;

    QQueue<Driver> drivers;
    QStringList opened; // the objectNames of the windows opened, in order

    int run(QDialog& window) override {
        opened.append(window.objectName());
        if (drivers.isEmpty()) {
            QTest::qFail(qPrintable(QStringLiteral("modal window %1 opened with nothing to drive it")
                                        .arg(window.objectName())),
                         __FILE__, __LINE__);
            return QDialog::Rejected;
        }
        return drivers.dequeue()(window);
    }
};

} // namespace vornal

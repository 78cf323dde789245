#include "platform/windowrunner.h"

#include <QDialog>

namespace vornal {

int ExecRunner::run(QDialog& window) {
    return window.exec();
}

} // namespace vornal

#include "widgets/fieldlabel.h"

#include "theme/themerole.h"

#include <QLabel>

namespace vornal {

QLabel* makeCaptionLabel(const QString& caption, ThemeRole role) {
    auto* label = new QLabel(caption);
    setThemeRole(label, role);
    return label;
}

QLabel* makeDataLabel(const QString& name, const QString& tip) {
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setToolTip(tip);
    label->setTextFormat(Qt::PlainText);
    setThemeRole(label, ThemeRole::FieldValue);
    return label;
}

} // namespace vornal

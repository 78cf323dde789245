#include "widgets/buttonkit.h"

#include "theme/fonts.h"
#include "theme/themerole.h"

#include <QGridLayout>
#include <QPushButton>
#include <QVariant>

namespace vornal {

namespace {

// Marks a button whose text is a caption from data, so that buttonCaption reads it back.
constexpr const char* kDataCaption = "vornalDataCaption";

} // namespace

QPushButton* makeButton(ButtonKind kind, const QString& name, const QString& caption, const QString& tip,
                        CaptionSource source) {
    auto* button = new QPushButton;
    setButtonCaption(button, caption, source);
    setUpButton(button, kind, name, tip);
    return button;
}

void setUpButton(QPushButton* button, ButtonKind kind, const QString& name, const QString& tip) {
    button->setObjectName(name);
    if (kind != ButtonKind::Slot || !tip.isEmpty()) {
        button->setToolTip(tip);
        button->setAccessibleDescription(tip);
    }
    if (kind == ButtonKind::Dialog)
        button->setAutoDefault(false);
    if (kind == ButtonKind::Window || kind == ButtonKind::Dialog)
        return;
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::TabFocus);
    if (kind == ButtonKind::Header) {
        setThemeRole(button, ThemeRole::HeaderButton);
    } else if (kind == ButtonKind::Slot) {
        setThemeRole(button, ThemeRole::CallSlot);
        button->setFlat(true);
        button->setFont(teleprinterSlotFont());
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    }
}

QString escapedCaption(const QString& caption) {
    QString escaped = caption;
    return escaped.replace(QLatin1Char('&'), QLatin1String("&&"));
}

void setButtonCaption(QAbstractButton* button, const QString& caption, CaptionSource source) {
    const bool data = source == CaptionSource::Data;
    if (button->property(kDataCaption).toBool() != data)
        button->setProperty(kDataCaption, data);
    button->setText(data ? escapedCaption(caption) : caption);
}

QString buttonCaption(const QAbstractButton* button) {
    if (!button->property(kDataCaption).toBool())
        return button->text();
    QString caption = button->text();
    return caption.replace(QLatin1String("&&"), QLatin1String("&"));
}

QPushButton* appendCommandButton(QGridLayout* grid, const QString& name, const QString& caption,
                                 const QString& tip) {
    int count = 0;
    for (int i = 0; i < grid->count(); ++i)
        count += grid->itemAt(i)->widget() != nullptr;
    QPushButton* button = makeButton(ButtonKind::Command, name, caption, tip);
    grid->addWidget(button, count / 2, count % 2);
    return button;
}

} // namespace vornal

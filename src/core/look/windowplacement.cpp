#include "look/windowplacement.h"

#include "files/settingskeys.h"
#include "files/settingsstore.h"

#include <algorithm>

namespace vornal {

namespace {

const QString kSection = QString(SettingsKeys::kWindow);

QRect framed(const QRect& geometry, const QMargins& frame) {
    return geometry.marginsAdded(frame);
}

// One side's length inside the available length, never below the minimum.
int bounded(int wanted, int minimum, int available) {
    return std::max(minimum, std::min(wanted, available));
}

// The framed window's start on one axis: kept inside [start, start + available).
int keptStart(int position, int length, int start, int available) {
    if (length >= available)
        return start;
    return std::clamp(position, start, start + available - length);
}

} // namespace

QRect WindowPlacement::centred(const QSize& wanted, const QSize& minimum, const QRect& available,
                               const QMargins& frame) {
    const int width =
        bounded(wanted.width(), minimum.width(), available.width() - frame.left() - frame.right());
    const int height =
        bounded(wanted.height(), minimum.height(), available.height() - frame.top() - frame.bottom());
    const int outerWidth = width + frame.left() + frame.right();
    const int outerHeight = height + frame.top() + frame.bottom();
    const int left = available.x() + std::max(0, (available.width() - outerWidth) / 2);
    const int top = available.y() + std::max(0, (available.height() - outerHeight) / 2);
    return {left + frame.left(), top + frame.top(), width, height};
}

bool WindowPlacement::fits(const QRect& geometry, const QMargins& frame, const QList<QRect>& areas) {
    if (!geometry.isValid())
        return false;
    const QRect outer = framed(geometry, frame);
    return std::any_of(areas.begin(), areas.end(),
                       [&outer](const QRect& area) { return area.contains(outer); });
}

QRect WindowPlacement::keptInside(const QRect& geometry, const QSize& minimum, const QRect& available,
                                  const QMargins& frame) {
    if (fits(geometry, frame, {available}))
        return geometry;
    const int width =
        bounded(geometry.width(), minimum.width(), available.width() - frame.left() - frame.right());
    const int height =
        bounded(geometry.height(), minimum.height(), available.height() - frame.top() - frame.bottom());
    const int outerWidth = width + frame.left() + frame.right();
    const int outerHeight = height + frame.top() + frame.bottom();
    const int left = keptStart(geometry.x() - frame.left(), outerWidth, available.x(), available.width());
    const int top = keptStart(geometry.y() - frame.top(), outerHeight, available.y(), available.height());
    return {left + frame.left(), top + frame.top(), width, height};
}

std::optional<WindowPlacement::Stored> WindowPlacement::load(const SettingsStore& settings) {
    int numbers[4] = {};
    const QLatin1StringView keys[4] = {SettingsKeys::kLeft, SettingsKeys::kTop, SettingsKeys::kWidth,
                                       SettingsKeys::kHeight};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = settings.value(kSection, QString(keys[i])).trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (numbers[2] <= 0 || numbers[3] <= 0)
        return std::nullopt;
    return Stored{QRect(numbers[0], numbers[1], numbers[2], numbers[3]),
                  settings.value(kSection, QString(SettingsKeys::kMaximized)) == QLatin1String("1")};
}

void WindowPlacement::save(SettingsStore& settings, const Stored& stored) {
    const QRect& g = stored.geometry;
    settings.setValue(kSection, QString(SettingsKeys::kLeft), QString::number(g.x()));
    settings.setValue(kSection, QString(SettingsKeys::kTop), QString::number(g.y()));
    settings.setValue(kSection, QString(SettingsKeys::kWidth), QString::number(g.width()));
    settings.setValue(kSection, QString(SettingsKeys::kHeight), QString::number(g.height()));
    settings.setValue(kSection, QString(SettingsKeys::kMaximized),
                      stored.maximized ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace vornal

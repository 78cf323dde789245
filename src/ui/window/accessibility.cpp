#include "window/accessibility.h"

#include "widgets/indicator.h"
#include "widgets/linebar.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QLayout>

namespace vornal {

namespace {

constexpr const char* kGroupProperty = "accessibleGroup";

// A value between fixed bounds that only the program changes.
class ReadOnlyValue : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    ReadOnlyValue(QWidget* widget, QAccessible::Role role, int maximum)
        : QAccessibleWidget(widget, role), m_maximum(maximum) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return value(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return m_maximum; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

protected:
    virtual int value() const = 0;

private:
    int m_maximum;
};

// A lamp: on (1) while its line is active, as the value and as checked.
class LampInterface : public ReadOnlyValue {
public:
    explicit LampInterface(Indicator* lamp) : ReadOnlyValue(lamp, QAccessible::Indicator, 1) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return lamp()->stateText();
        return ReadOnlyValue::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = ReadOnlyValue::state();
        s.checkable = true;
        s.checked = lamp()->isOn();
        return s;
    }

protected:
    int value() const override { return lamp()->isOn() ? 1 : 0; }

private:
    Indicator* lamp() const { return static_cast<Indicator*>(widget()); }
};

// The line bar: the characters of the current line, up to the 69 that fill it.
class LineBarInterface : public ReadOnlyValue {
public:
    explicit LineBarInterface(LineBar* bar)
        : ReadOnlyValue(bar, QAccessible::ProgressBar, LineBar::kFullLine) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return QString::number(value());
        return ReadOnlyValue::text(t);
    }

protected:
    int value() const override { return static_cast<LineBar*>(widget())->characters(); }
};

// The first label in the panel's layout, in reading order, nested layouts included.
QString headingIn(const QLayout* layout) {
    for (int i = 0; layout && i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (const auto* label = qobject_cast<const QLabel*>(item->widget()))
            return label->text().simplified();
        if (const QString nested = headingIn(item->layout()); !nested.isEmpty())
            return nested;
    }
    return {};
}

class GroupInterface : public QAccessibleWidget {
public:
    explicit GroupInterface(QWidget* panel) : QAccessibleWidget(panel, QAccessible::Grouping) {}

    QString text(QAccessible::Text t) const override {
        QString s = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && s.isEmpty())
            s = headingIn(widget()->layout());
        return s;
    }
};

QAccessibleInterface* interfaceFor(const QString&, QObject* object) {
    if (auto* lamp = qobject_cast<Indicator*>(object))
        return new LampInterface(lamp);
    if (auto* bar = qobject_cast<LineBar*>(object))
        return new LineBarInterface(bar);
    if (object && object->isWidgetType() && object->property(kGroupProperty).toBool())
        return new GroupInterface(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&interfaceFor);
        return true;
    }();
    Q_UNUSED(installed);
}

void markAsGroup(QWidget* panel) {
    panel->setProperty(kGroupProperty, true);
}

} // namespace vornal

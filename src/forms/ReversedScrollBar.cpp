// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/ReversedScrollBar.h"

#include <QAccessibleWidget>

namespace {

// What a screen reader sees: the bar's own value, not the mirrored one of QScrollBar.
class AccessibleReversedScrollBar : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleReversedScrollBar(ReversedScrollBar* bar)
        : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return bar()->value(); }
    // Like the mouse and the keys, nothing moves a disabled bar.
    void setCurrentValue(const QVariant& value) override {
        if (bar()->isEnabled())
            bar()->setValue(qBound(bar()->bottom(), value.toInt(), bar()->top()));
    }
    QVariant maximumValue() const override { return bar()->top(); }
    QVariant minimumValue() const override { return bar()->bottom(); }
    QVariant minimumStepSize() const override { return bar()->singleStep(); }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (bar()->isEnabled())
            names << increaseAction() << decreaseAction();
        return names;
    }
    void doAction(const QString& name) override {
        if (name == increaseAction())
            setCurrentValue(bar()->value() + bar()->singleStep());
        else if (name == decreaseAction())
            setCurrentValue(bar()->value() - bar()->singleStep());
        else
            QAccessibleWidget::doAction(name);
    }

private:
    ReversedScrollBar* bar() const { return static_cast<ReversedScrollBar*>(widget()); }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("ReversedScrollBar") && object && object->isWidgetType())
        return new AccessibleReversedScrollBar(static_cast<ReversedScrollBar*>(object));
    return nullptr;
}

} // namespace

ReversedScrollBar::ReversedScrollBar(int top, int bottom, QWidget* parent)
    : QScrollBar(Qt::Vertical, parent), top_(top) {
    static const bool accessible = (QAccessible::installFactory(accessibleFactory), true);
    Q_UNUSED(accessible);
    QScrollBar::setRange(0, top - bottom);
    // The up key should raise the value as the up arrow does.
    setInvertedControls(true);
    connect(this, &QScrollBar::valueChanged, this, [this] { emit changed(value()); });
}

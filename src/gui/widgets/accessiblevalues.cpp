// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/accessiblevalues.h"

#include "widgets/announcer.h"
#include "widgets/countdowngauge.h"
#include "widgets/progressbar.h"
#include "widgets/styledbutton.h"

#include <QAccessibleWidget>
#include <QLabel>

#include <cmath>

namespace wirtal {

namespace {

// A drawn control with a value between 0 and a maximum, read through two functions.
class ValueAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    ValueAccessible(QWidget* w, QAccessible::Role role, std::function<double()> value,
                    std::function<double()> maximum, QString unit)
        : QAccessibleWidget(w, role), value_(std::move(value)), maximum_(std::move(maximum)),
          unit_(std::move(unit)) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return QStringLiteral("%1%2").arg(std::lround(value_())).arg(unit_);
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return value_(); }
    void setCurrentValue(const QVariant&) override {} // shown, not set by the user
    QVariant maximumValue() const override { return maximum_(); }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override { return 1.0; }

private:
    std::function<double()> value_;
    std::function<double()> maximum_;
    QString unit_;
};

const char* const answerProperty = "wirtalAnswerChoice";

// The label whose buddy b is (the text of an answer beside its button), or null.
QLabel* labelOf(QWidget* b) {
    if (!b->parentWidget())
        return nullptr;
    for (QLabel* l : b->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (l->buddy() == b)
            return l;
    return nullptr;
}

// An answer button: a radio button of its question, checked when chosen, pressed by the action.
class AnswerAccessible : public QAccessibleWidget {
public:
    explicit AnswerAccessible(StyledButton* b) : QAccessibleWidget(b, QAccessible::RadioButton) {}
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = button()->isChecked();
        return s;
    }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString caption = button()->text().trimmed();
        const QLabel* label = labelOf(button());
        const QString tied = label ? label->text().simplified() : QString();
        return tied.isEmpty() ? caption : caption + QStringLiteral(": ") + tied;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name != pressAction()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        if (button()->isEnabled())
            button()->click();
    }

private:
    StyledButton* button() const { return static_cast<StyledButton*>(widget()); }
};

} // namespace

void makeAnswerChoice(StyledButton* b) {
    b->setProperty(answerProperty, true);
    // An interface made for the button before (by an event of its construction) is a plain
    // button's: the next query makes the answer's.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(b);
        made && !dynamic_cast<AnswerAccessible*>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    b->setCheckable(true);
}

QAccessibleInterface* accessibleValueFactory(const QString& className, QObject* object) {
    // The frameless main window is a frame for assistive technology, not a bare panel.
    if (className == QLatin1String("wirtal::MainWindow") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    // The program's own windows in front of the main window: dialogs, read as they open.
    if ((className == QLatin1String("wirtal::HelpForm") ||
         className == QLatin1String("wirtal::AboutForm") ||
         className == QLatin1String("wirtal::UpdateForm")) &&
        object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Dialog);
    if (auto* announcer = qobject_cast<Announcer*>(object))
        return new QAccessibleWidget(announcer, QAccessible::StatusBar);
    if (object->isWidgetType() && qobject_cast<Announcer*>(object->parent()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    if (auto* answer = qobject_cast<StyledButton*>(object);
        answer && answer->property(answerProperty).toBool())
        return new AnswerAccessible(answer);
    if (auto* gauge = qobject_cast<CountdownGauge*>(object))
        return new ValueAccessible(
            gauge, QAccessible::ProgressBar, [gauge] { return std::max(0.0, gauge->value()); },
            [gauge] { return gauge->maximum(); }, QStringLiteral(" s"));
    if (auto* bar = qobject_cast<ProgressBar*>(object))
        return new ValueAccessible(
            bar, QAccessible::ProgressBar,
            [bar] { return std::clamp(bar->position(), 0.0, 100.0); }, [] { return 100.0; },
            QStringLiteral(" %"));
    return nullptr;
}

void installAccessibleValues() {
    // Qt keeps each factory once, so a second call changes nothing.
    QAccessible::installFactory(accessibleValueFactory);
}

} // namespace wirtal

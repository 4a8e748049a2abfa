#include "accessibility.h"

#include "group_frame.h"
#include "main_dialog.h"
#include "model_buttons.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVariant>

namespace kupongen::qt {

namespace {

constexpr char kLabelProperty[] = "kupongenLabel";
constexpr char kLabelledProperty[] = "kupongenLabelled";

using Relations = QList<QPair<QAccessibleInterface*, QAccessible::Relation>>;

// The window's push buttons, check boxes and radio buttons.
class ControlAccessible : public QAccessibleWidget {
public:
    ControlAccessible(QAbstractButton* button, QAccessible::Role role)
        : QAccessibleWidget(button, role) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (Button()->isCheckable()) {
            state.checkable = true;
            state.checked = Button()->isChecked();
        }
        state.pressed = Button()->isDown();
        return state;
    }

    QStringList actionNames() const override {
        QStringList names;
        if (widget()->isEnabled()) {
            names << pressAction();
            if (Button()->isCheckable()) {
                names << toggleAction();
            }
        }
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action != pressAction() && action != toggleAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        // After the caller has its answer: a click may open a modal dialog,
        // which must not keep the screen reader waiting.
        QMetaObject::invokeMethod(
            Button(),
            [button = QPointer<QAbstractButton>(Button())] {
                if (button != nullptr) {
                    button->click();
                }
            },
            Qt::QueuedConnection);
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    Relations relations(QAccessible::Relation match) const override {
        Relations relations = QAccessibleWidget::relations(match);
        auto* label = widget()->property(kLabelProperty).value<QObject*>();
        if (label != nullptr && (match & QAccessible::Label)) {
            relations.append({QAccessible::queryAccessibleInterface(label), QAccessible::Label});
        }
        return relations;
    }

private:
    QAbstractButton* Button() const { return static_cast<QAbstractButton*>(widget()); }
};

// A match label: plain text that names three sure boxes.
class MatchLabelAccessible : public QAccessibleWidget {
public:
    explicit MatchLabelAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    Relations relations(QAccessible::Relation match) const override {
        Relations relations = QAccessibleWidget::relations(match);
        if (match & QAccessible::Labelled) {
            const auto boxes = widget()->property(kLabelledProperty).value<QObjectList>();
            for (QObject* box : boxes) {
                relations.append(
                    {QAccessible::queryAccessibleInterface(box), QAccessible::Labelled});
            }
        }
        return relations;
    }
};

// One of the window's own items; the widgets of other dialogs keep Qt's
// interfaces.
bool IsWindowItem(const QObject* object) {
    return qobject_cast<const MainDialog*>(object->parent()) != nullptr;
}

QAccessibleInterface* MakeInterface(const QString&, QObject* object) {
    if (auto* window = qobject_cast<MainDialog*>(object)) {
        return new QAccessibleWidget(window, QAccessible::Dialog);
    }
    if (auto* frame = qobject_cast<GroupFrame*>(object)) {
        return new QAccessibleWidget(frame, QAccessible::Grouping);
    }
    // Radio buttons are radio buttons even though the model, not Qt, keeps
    // them exclusive (Qt would announce them as check boxes).
    if (auto* radio = qobject_cast<ModelRadioButton*>(object)) {
        return new ControlAccessible(radio, QAccessible::RadioButton);
    }
    if (auto* box = qobject_cast<ModelCheckBox*>(object)) {
        return new ControlAccessible(box, QAccessible::CheckBox);
    }
    if (!IsWindowItem(object)) {
        return nullptr;
    }
    // The window's only labels are the match labels.
    if (auto* label = qobject_cast<QLabel*>(object)) {
        return new MatchLabelAccessible(label);
    }
    if (auto* push = qobject_cast<QPushButton*>(object)) {
        return new ControlAccessible(push, QAccessible::Button);
    }
    return nullptr;
}

} // namespace

void InstallAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(MakeInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

void LinkLabel(QLabel* label, const QList<QWidget*>& boxes) {
    QObjectList labelled;
    for (QWidget* box : boxes) {
        box->setProperty(kLabelProperty, QVariant::fromValue<QObject*>(label));
        labelled.append(box);
    }
    label->setProperty(kLabelledProperty, QVariant::fromValue(labelled));
}

} // namespace kupongen::qt

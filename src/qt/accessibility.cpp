#include "accessibility.h"

#include "dialog_outline.h"
#include "group_frame.h"
#include "model_buttons.h"
#include "rights_chart.h"
#include "template_window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>

#include <algorithm>
#include <optional>
#include <vector>

namespace kupongen::qt {

namespace {

// The accessible tree puts the controls a group box frames inside it, so a
// screen reader names the group when the focus enters it; on screen they stay
// children of the window, but for the edits, which are the frame's.

// The window a widget belongs to, when it is one of its items.
TemplateWindow* WindowOf(const QObject* object) {
    return object == nullptr ? nullptr : qobject_cast<TemplateWindow*>(object->parent());
}

std::optional<std::size_t> ItemIndexOf(const TemplateWindow* window, const QObject* widget) {
    const auto& items = window->Items();
    const auto found = std::find(items.begin(), items.end(), widget);
    if (found == items.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - items.begin());
}

// The items a group box holds, or for the window its menu bar and the items
// of no group box.
std::vector<QWidget*> TreeChildren(const TemplateWindow* window, std::optional<std::size_t> group) {
    std::vector<QWidget*> children;
    if (auto* bar = window->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
        bar != nullptr && !group) {
        children.push_back(bar);
    }
    const auto& items = window->Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (EnclosingGroupBox(window->Template(), i) == group) {
            children.push_back(items[i]);
        }
    }
    return children;
}

// The window, or one of its group boxes, with the children of the tree.
class TreeNodeAccessible : public QAccessibleWidget {
public:
    TreeNodeAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    int childCount() const override { return static_cast<int>(Children().size()); }

    QAccessibleInterface* child(int index) const override {
        const auto children = Children();
        if (index < 0 || index >= static_cast<int>(children.size())) {
            return nullptr;
        }
        return QAccessible::queryAccessibleInterface(children[static_cast<std::size_t>(index)]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto children = Children();
        const auto found = std::find(children.begin(), children.end(),
                                     child != nullptr ? child->object() : nullptr);
        return found == children.end() ? -1 : static_cast<int>(found - children.begin());
    }

private:
    std::vector<QWidget*> Children() const {
        if (auto* window = qobject_cast<TemplateWindow*>(widget())) {
            return TreeChildren(window, std::nullopt);
        }
        const TemplateWindow* window = WindowOf(widget());
        const auto group = window == nullptr ? std::nullopt : ItemIndexOf(window, widget());
        return group ? TreeChildren(window, group) : std::vector<QWidget*>{};
    }
};

// An item's parent in the tree: its group box, or else the window.
QAccessibleInterface* TreeParent(const QWidget* widget) {
    const TemplateWindow* window = WindowOf(widget);
    const auto item = window == nullptr ? std::nullopt : ItemIndexOf(window, widget);
    const auto group = item ? EnclosingGroupBox(window->Template(), *item) : std::nullopt;
    if (group) {
        return QAccessible::queryAccessibleInterface(window->Items()[*group]);
    }
    return QAccessible::queryAccessibleInterface(widget->parentWidget());
}

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

    QAccessibleInterface* parent() const override { return TreeParent(widget()); }

private:
    QAbstractButton* Button() const { return static_cast<QAbstractButton*>(widget()); }
};

// A label: plain text, named by what it shows. A match label names none of
// the boxes beside it by a relation, since a screen reader would then speak
// the label in place of each box's own name ("Match 4: X").
class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text type) const override {
        return type == QAccessible::Name ? static_cast<QLabel*>(widget())->text()
                                         : QAccessibleWidget::text(type);
    }

    QAccessibleInterface* parent() const override { return TreeParent(widget()); }
};

// The bar chart: named by its role, its counts as its description.
class ChartAccessible : public QAccessibleWidget {
public:
    explicit ChartAccessible(RightsChart* chart) : QAccessibleWidget(chart, QAccessible::Chart) {}

    QAccessibleInterface* parent() const override { return TreeParent(widget()); }
};

// Where status messages are announced: a notification a screen reader speaks
// when it is shown, whatever has the focus. It is no child in the tree, so
// it is never reached by browsing.
class Announcer : public QObject {
public:
    explicit Announcer(QWidget* window) : QObject(window) {}
    QString text;
};

class AnnouncerAccessible : public QAccessibleObject {
public:
    explicit AnnouncerAccessible(Announcer* announcer) : QAccessibleObject(announcer) {}

    QAccessible::Role role() const override { return QAccessible::Notification; }
    QString text(QAccessible::Text type) const override {
        return type == QAccessible::Name ? static_cast<Announcer*>(object())->text : QString();
    }
    QAccessible::State state() const override { return {}; }
    // The application, not the window: a screen reader would speak the
    // window's title before every message.
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(QCoreApplication::instance());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
};

// One of a template window's own items; the widgets of other dialogs keep
// Qt's interfaces.
bool IsWindowItem(const QObject* object) {
    return qobject_cast<const TemplateWindow*>(object->parent()) != nullptr;
}

QAccessibleInterface* MakeInterface(const QString&, QObject* object) {
    if (auto* window = qobject_cast<TemplateWindow*>(object)) {
        return new TreeNodeAccessible(window, QAccessible::Dialog);
    }
    if (auto* frame = qobject_cast<GroupFrame*>(object)) {
        return new TreeNodeAccessible(frame, QAccessible::Grouping);
    }
    if (auto* announcer = dynamic_cast<Announcer*>(object)) {
        return new AnnouncerAccessible(announcer);
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
    if (auto* chart = qobject_cast<RightsChart*>(object)) {
        return new ChartAccessible(chart);
    }
    if (auto* label = qobject_cast<QLabel*>(object)) {
        return new LabelAccessible(label);
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

void Announce(QWidget* window, const QString& text) {
    Announcer* announcer = nullptr;
    for (QObject* child : window->children()) {
        if (auto* found = dynamic_cast<Announcer*>(child)) {
            announcer = found;
        }
    }
    if (announcer == nullptr) {
        announcer = new Announcer(window);
    }
    announcer->text = text;
    QAccessibleEvent named(announcer, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleEvent shown(announcer, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace kupongen::qt

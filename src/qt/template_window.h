// A window laid out from a dialog template: its items as widgets where the
// template puts them, in the template's font and dialog units, and the
// keyboard of the dialog manager over them (Tab from tab stop to tab stop,
// the arrow keys round a group). The main window and the check window are
// both built this way, so they cannot differ in how a template becomes
// widgets.
#pragma once

#include "dialog_navigation.h"
#include "dialog_units.h"

#include <QHash>
#include <QRect>
#include <QString>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

namespace kupongen::qt {

inline QRect ToQRect(const PixelRect& rect) {
    return {rect.x, rect.y, rect.width, rect.height};
}

class TemplateWindow : public QWidget {
    Q_OBJECT

public:
    // What a screen reader calls an item whose caption does not name it.
    using ScreenReaderNames = std::optional<std::string> (*)(int itemId);

    DialogItems Template() const { return template_; }
    const DialogUnits& Units() const { return units_; }
    // The widgets of all template items, in template order.
    const std::vector<QWidget*>& Items() const { return items_; }
    // The template's client area in the window: all of it, or what a menu
    // bar above it leaves.
    QRect ClientArea() const { return clientArea_; }

protected:
    TemplateWindow(DialogItems items, const DialogWindow& window, ScreenReaderNames names,
                   QWidget* parent, Qt::WindowFlags flags);

    // Makes every item's widget by MakeItem and places it, the client area
    // starting top pixels down; then the window takes the template's size
    // and place, grown by top.
    void BuildItems(int top);
    // The widget of one item, a child of parent, unplaced. By default a group
    // frame, a label, a button or box whose marks are left to the window, or
    // an edit as the item's styles make it.
    virtual QWidget* MakeItem(const DialogItem& item, const QString& caption, QWidget* parent);

    // Whether each item can take the focus, and whether it is marked.
    virtual FocusState CurrentFocusState() const = 0;
    // An arrow key has moved the focus to an item.
    virtual void ArrowReached(ItemIndex) {}

    // The window's font for an item's caption, or a smaller one where the
    // caption would be cut.
    void FitCaption(QWidget* widget);

    std::optional<ItemIndex> FocusedItem() const;
    void FocusItem(ItemIndex item);

    // Tab and Shift+Tab.
    bool focusNextPrevChild(bool next) override;
    // The arrow keys on the buttons.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShrinkClippedCaptions();

    DialogItems template_;
    DialogWindow window_;
    ScreenReaderNames names_;
    DialogUnits units_;
    QRect clientArea_;
    std::vector<QWidget*> items_;
    QHash<const QWidget*, ItemIndex> itemOfWidget_;
};

} // namespace kupongen::qt

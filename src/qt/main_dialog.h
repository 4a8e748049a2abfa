// The Kupongen window: the template's 132 items as Qt widgets over one
// DialogSession. The window only mirrors the model: a user's click goes to the
// session, then the widgets take the model's state, and only the controls
// whose revision changed are touched. The keyboard follows the template's tab
// stops and groups, as the dialog manager does.
#pragma once

#include "control_table.h"
#include "dialog_navigation.h"
#include "dialog_session.h"
#include "dialog_units.h"

#include <QHash>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QPlainTextEdit;

namespace kupongen::qt {

// The modal dialogs the window opens, replaceable so that tests never wait on
// a modal loop.
struct Prompts {
    // The save dialog: the chosen path, or nothing when the user cancels.
    std::function<std::optional<QString>(QWidget* parent)> chooseSavePath;
    // A message box with an OK button and the warning icon.
    std::function<void(QWidget* parent, const QString& text, const QString& title)> showWarning;
};

// The real save dialog and message box.
Prompts DefaultPrompts();

inline QRect ToQRect(const PixelRect& rect) {
    return {rect.x, rect.y, rect.width, rect.height};
}

class MainDialog : public QWidget {
    Q_OBJECT

public:
    explicit MainDialog(Prompts prompts = DefaultPrompts(), QWidget* parent = nullptr);
    ~MainDialog() override;

    DialogSession& Session() { return session_; }
    const DialogUnits& Units() const { return units_; }

    // The widget of a control id, or nullptr.
    QWidget* Control(int controlId) const;
    // The widgets of all template items, in template order.
    const std::vector<QWidget*>& Items() const { return items_; }

    // Brings the widgets up to the model; only changed controls are touched.
    void Mirror();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Tab and Shift+Tab.
    bool focusNextPrevChild(bool next) override;
    // The arrow keys on the buttons.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DialogHooks MakeHooks();
    void BuildItems();
    QWidget* MakeButton(const DialogItem& item, const QString& caption);
    QWidget* MakeEdit(int controlId, std::uint32_t styles);
    void NameForScreenReaders(const DialogItem& item, QWidget* widget);
    void ShrinkClippedCaptions();
    // A click from any source (mouse, keyboard, screen reader, a program's
    // setChecked or toggle): the model's click, then the model's state.
    void DeliverClick(int controlId);
    FocusState CurrentFocusState() const;
    std::optional<ItemIndex> FocusedItem() const;
    void FocusItem(ItemIndex item);
    void HandOverRowsEdits();
    void ShowControl(const ControlState& state, QWidget* widget);
    void ShowRowsText(const std::string& text);
    void ShowIcons();

    Prompts prompts_;
    DialogSession session_;
    DialogUnits units_;
    std::vector<QWidget*> items_;
    QHash<const QWidget*, ItemIndex> itemOfWidget_;
    std::array<QWidget*, kControlCount> controls_{}; // by control-table position
    std::array<std::uint64_t, kControlCount> shownRevision_{};
    int shownBigIcon_ = -1;
    int shownSmallIcon_ = -1;

    QPlainTextEdit* rows_ = nullptr;
    std::string rowsShown_; // the model's text the rows window shows
    bool rowsEdited_ = false;
    bool settingRows_ = false;
    // Set while the widgets take the model's state, so that the marks set
    // then are not taken for clicks.
    bool mirroring_ = false;
};

} // namespace kupongen::qt

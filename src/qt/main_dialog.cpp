#include "main_dialog.h"

#include "accessibility.h"
#include "ansi_qt.h"
#include "check_window.h"
#include "dialog_outline.h"
#include "dialog_template.h"
#include "open_file_dialog.h"
#include "save_file_dialog.h"
#include "settings.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QTextCursor>
#include <QTextDocument>

#include <string_view>
#include <utility>

namespace kupongen::qt {

namespace {

constexpr std::uint64_t kNeverShown = ~std::uint64_t{0};

QString IconFile(int iconId) {
    if (iconId == kDialogWindow.bigIconId) {
        return QStringLiteral(":/icons/kupongen-64.png");
    }
    if (iconId == kDialogWindow.smallIconId) {
        return QStringLiteral(":/icons/kupongen-32.png");
    }
    return {};
}

// The file a user picked in a file dialog, or nothing when cancelled.
std::optional<QString> ChosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

std::size_t MenuPosition(int menuId) {
    return static_cast<std::size_t>(menuId - kFirstMenuId);
}

} // namespace

Prompts DefaultPrompts() {
    Prompts prompts;
    prompts.chooseSavePath = [](QWidget* parent) {
        SaveFileDialog dialog(parent);
        return ChosenFile(dialog);
    };
    prompts.chooseOpenPath = [](QWidget* parent) {
        OpenFileDialog dialog(parent);
        return ChosenFile(dialog);
    };
    prompts.showWarning = [](QWidget* parent, const QString& text, const QString& title) {
        QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
        box.exec();
    };
    return prompts;
}

MainDialog::MainDialog(Prompts prompts, QWidget* parent)
    : TemplateWindow(kDialogItems, kDialogWindow, ScreenReaderName, parent,
                     Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                         Qt::WindowCloseButtonHint),
      prompts_(std::move(prompts)), session_(MakeHooks()) {
    setObjectName(QStringLiteral("kupongen"));
    setWindowTitle(FromAnsi(kWindowTitle.view()));
    BuildMenu();
    // The menu bar above the client area, which keeps the template's size and
    // every item's place in it: the window grows by the menu bar alone.
    const int menuHeight = menuBar_->sizeHint().height();
    BuildItems(menuHeight);
    menuBar_->setGeometry(0, 0, width(), menuHeight);

    // The setting as the user left it, without the status message a choice
    // writes, so the start state's texts are those of every start.
    if (Settings().value(DistinctRowsKey(), false).toBool()) {
        session_.Notify(id::kMenuDistinct, 1);
    }
    shownRevision_.fill(kNeverShown);
    shownMenuRevision_.fill(kNeverShown);
    Mirror();
    // The first tab stop takes the focus, as the dialog manager gives it.
    if (rows_ != nullptr) {
        rows_->setFocus(Qt::OtherFocusReason);
    }
}

MainDialog::~MainDialog() {
    // Before the review it shows goes.
    delete checkWindow_;
}

DialogHooks MainDialog::MakeHooks() {
    DialogHooks hooks;
    hooks.showMessageBox = [this](std::string_view text, std::string_view title) {
        // Owned by the dialog once it is up; the start-up report has no owner.
        QWidget* owner = isVisible() ? this : nullptr;
        if (prompts_.showWarning) {
            prompts_.showWarning(owner, FromAnsi(text), FromAnsi(title));
        }
    };
    hooks.chooseSavePath = [this]() -> std::optional<std::string> {
        if (!prompts_.chooseSavePath) {
            return std::nullopt;
        }
        const std::optional<QString> path = prompts_.chooseSavePath(this);
        if (!path || path->isEmpty()) {
            return std::nullopt;
        }
        return QFile::encodeName(*path).toStdString();
    };
    hooks.textWritten = [this](int controlId) {
        if (controlId == id::kStatus) {
            statusWritten_ = true;
        }
    };
    hooks.showRowsReview = [this](RowsReviewKind kind) { ShowCheckWindow(kind); };
    return hooks;
}

void MainDialog::BuildMenu() {
    menuBar_ = new QMenuBar(this);
    // In the window on every desktop, also where a desktop would take the
    // menu into a bar of its own, so the client area stays below it.
    menuBar_->setNativeMenuBar(false);
    QMenu* menu = menuBar_->addMenu(FromAnsi(kMenuTitle.view()));
    menu->setFont(font());
    for (const MenuItem& item : kMenuItems) {
        if (item.kind == MenuItemKind::Separator) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(FromAnsi(item.caption.view()));
        action->setObjectName(QStringLiteral("menu%1").arg(item.id));
        // The command comes once the menu has closed, as a Windows menu
        // posts it, so a dialog it opens never waits inside the menu or
        // inside a screen reader's call.
        const auto deliver = [this, menuId = item.id] {
            QMetaObject::invokeMethod(
                this, [this, menuId] { DeliverMenuCommand(menuId); }, Qt::QueuedConnection);
        };
        if (item.kind == MenuItemKind::Toggle) {
            // Its mark changed by any way (a choice, a screen reader's
            // action, setChecked) is a choice; the model then sets it.
            action->setCheckable(true);
            connect(action, &QAction::toggled, this, [this, deliver] {
                if (!mirroring_) {
                    deliver();
                }
            });
        } else {
            connect(action, &QAction::triggered, this, deliver);
        }
        menuActions_[MenuPosition(item.id)] = action;
    }
    // F10 opens the menu, as on the desktops; Alt and Alt+V work by Qt.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this,
            [this, menu] { menuBar_->setActiveAction(menu->menuAction()); });
}

QAction* MainDialog::MenuAction(int menuId) const {
    return menuId >= kFirstMenuId && menuId <= kLastMenuId ? menuActions_[MenuPosition(menuId)]
                                                           : nullptr;
}

QWidget* MainDialog::Control(int controlId) const {
    const int position = ControlPosition(controlId);
    return position < 0 ? nullptr : controls_[static_cast<std::size_t>(position)];
}

QWidget* MainDialog::MakeItem(const DialogItem& item, const QString& caption, QWidget* parent) {
    QWidget* widget = TemplateWindow::MakeItem(item, caption, parent);
    if (item.id != kNoId) {
        controls_[static_cast<std::size_t>(ControlPosition(item.id))] = widget;
    }
    const int controlId = item.id;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this,
                [this, controlId] { DeliverClick(controlId); });
        if (button->isCheckable()) {
            // A mark changed by any other way (toggle, setChecked) is a click too.
            connect(button, &QAbstractButton::toggled, this, [this, controlId] {
                if (!mirroring_) {
                    DeliverClick(controlId);
                }
            });
        }
    } else if (controlId == id::kRows) {
        rows_ = static_cast<QPlainTextEdit*>(widget);
        connect(rows_, &QPlainTextEdit::textChanged, this, [this] {
            if (!settingRows_) {
                rowsEdited_ = true;
            }
        });
    }
    return widget;
}

void MainDialog::DeliverClick(int controlId) {
    HandOverRowsEdits();
    // Only a random draw needs to know which sure box it checks.
    std::vector<bool> sureBefore;
    for (int box = 0; box < kSureBoxCount && controlId == id::kRandomSure; ++box) {
        sureBefore.push_back(session_.Model().Item(kFirstSureBoxId + box)->checked);
    }
    statusWritten_ = false;
    session_.Click(controlId);
    Mirror();
    AnnounceStatus(controlId, sureBefore);
    // The model decides the mark, also where it refused the click (a hidden
    // control) or kept it (a marked radio button clicked again).
    auto* button = qobject_cast<QAbstractButton*>(Control(controlId));
    if (button != nullptr && button->isCheckable()) {
        const QScopedValueRollback<bool> mirroring(mirroring_, true);
        button->setChecked(session_.Model().Item(controlId)->checked);
    }
}

void MainDialog::DeliverMenuCommand(int menuId) {
    HandOverRowsEdits();
    statusWritten_ = false;
    session_.Notify(menuId, 0);
    Mirror();
    AnnounceStatus(menuId, {});
    const MenuItemState* state = session_.Model().MenuState(menuId);
    QAction* action = MenuAction(menuId);
    if (state != nullptr && action->isCheckable()) {
        // The model decides the mark, also where it changed nothing.
        const QScopedValueRollback<bool> mirroring(mirroring_, true);
        action->setChecked(state->checked);
        Settings().setValue(DistinctRowsKey(), state->checked);
    }
}

FocusState MainDialog::CurrentFocusState() const {
    return FocusStateOf(session_.Model());
}

void MainDialog::ArrowReached(ItemIndex item) {
    const DialogItem& reached = kDialogItems[item];
    if (reached.kind == ItemKind::RadioButton && !session_.Model().Item(reached.id)->checked) {
        DeliverClick(reached.id);
    }
}

void MainDialog::AnnounceStatus(int controlId, const std::vector<bool>& sureBefore) {
    if (!statusWritten_ || !isVisible()) {
        return;
    }
    // The status message, and the sure box a random draw checked, which the
    // message does not name.
    QString text = static_cast<QLineEdit*>(Control(id::kStatus))->text();
    for (int box = 0; box < kSureBoxCount && controlId == id::kRandomSure; ++box) {
        if (session_.Model().Item(kFirstSureBoxId + box)->checked &&
            !sureBefore[static_cast<std::size_t>(box)]) {
            text += QLatin1Char(' ') + Control(kFirstSureBoxId + box)->accessibleName();
        }
    }
    Announce(this, text);
}

void MainDialog::ShowCheckWindow(RowsReviewKind kind) {
    if (checkWindow_ == nullptr) {
        CheckWindowHooks hooks;
        hooks.rowsText = [this] {
            HandOverRowsEdits();
            return session_.Model().Item(id::kRows)->text;
        };
        hooks.chooseOpenPath = prompts_.chooseOpenPath;
        checkWindow_ = new CheckWindow(review_, std::move(hooks), this);
    }
    checkWindow_->Open(kind == RowsReviewKind::Check ? rows::ReviewView::Check
                                                     : rows::ReviewView::Grade);
}

void MainDialog::HandOverRowsEdits() {
    if (!rowsEdited_) {
        return;
    }
    rowsEdited_ = false;
    rowsShown_ = ToAnsiCrLf(rows_->document()->toRawText());
    session_.TypeRowsText(rowsShown_);
    const int position = ControlPosition(id::kRows);
    shownRevision_[static_cast<std::size_t>(position)] =
        session_.Model().Controls()[static_cast<std::size_t>(position)].revision;
}

void MainDialog::Mirror() {
    const QScopedValueRollback<bool> mirroring(mirroring_, true);
    const auto& controls = session_.Model().Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].revision != shownRevision_[i]) {
            shownRevision_[i] = controls[i].revision;
            ShowControl(controls[i], controls_[i]);
        }
    }
    ShowMenuMarks();
    ShowIcons();
}

void MainDialog::ShowMenuMarks() {
    for (const MenuItem& item : kMenuItems) {
        const MenuItemState* state = session_.Model().MenuState(item.id);
        if (item.kind != MenuItemKind::Toggle ||
            state->revision == shownMenuRevision_[MenuPosition(item.id)]) {
            continue;
        }
        shownMenuRevision_[MenuPosition(item.id)] = state->revision;
        MenuAction(item.id)->setChecked(state->checked);
    }
}

void MainDialog::ShowControl(const ControlState& state, QWidget* widget) {
    widget->setVisible(state.visible);
    widget->setEnabled(state.enabled);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (button->isCheckable()) {
            button->setChecked(state.checked);
        }
        const QString caption = FromAnsi(state.text);
        if (button->text() != caption) {
            button->setText(caption);
        }
    } else if (widget == rows_) {
        ShowRowsText(state.text);
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setText(FromAnsi(state.text));
        // A Windows edit shows the start of a new text.
        line->setCursorPosition(0);
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
        text->setPlainText(FromAnsi(state.text));
    }
}

void MainDialog::ShowRowsText(const std::string& text) {
    if (text == rowsShown_) {
        return;
    }
    const std::string_view shown = rowsShown_;
    const bool extends = !shown.empty() && text.size() > shown.size() &&
                         std::string_view(text).substr(0, shown.size()) == shown &&
                         !(shown.back() == '\r' && text[shown.size()] == '\n');
    settingRows_ = true;
    if (extends) {
        // Append mode: only the new rows go in, not the whole text again.
        QTextDocument* document = rows_->document();
        // Like a program's text in a Windows edit, it cannot be undone.
        document->setUndoRedoEnabled(false);
        QTextCursor end(document);
        end.movePosition(QTextCursor::End);
        end.insertText(FromAnsi(std::string_view(text).substr(shown.size())));
        document->setUndoRedoEnabled(true);
    } else {
        rows_->setPlainText(FromAnsi(text));
    }
    // A new text is shown from its start, as the Windows edit does.
    rows_->moveCursor(QTextCursor::Start);
    settingRows_ = false;
    rowsShown_ = text;
}

void MainDialog::ShowIcons() {
    const DialogModel& model = session_.Model();
    if (model.bigIcon == shownBigIcon_ && model.smallIcon == shownSmallIcon_) {
        return;
    }
    shownBigIcon_ = model.bigIcon;
    shownSmallIcon_ = model.smallIcon;
    QIcon icon;
    for (const int iconId : {model.bigIcon, model.smallIcon}) {
        if (const QString file = IconFile(iconId); !file.isEmpty()) {
            icon.addFile(file);
        }
    }
    setWindowIcon(icon);
}

void MainDialog::closeEvent(QCloseEvent* event) {
    // Nothing is saved and nothing is asked; the controls stay as they are.
    session_.Close();
    if (checkWindow_ != nullptr) {
        checkWindow_->close();
    }
    event->accept();
}

} // namespace kupongen::qt

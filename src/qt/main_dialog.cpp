#include "main_dialog.h"

#include "accessibility.h"
#include "ansi_qt.h"
#include "caption_place.h"
#include "dialog_font.h"
#include "dialog_outline.h"
#include "dialog_template.h"
#include "edit_lines.h"
#include "font_metrics.h"
#include "group_frame.h"
#include "model_buttons.h"
#include "save_file_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTextCursor>
#include <QTextDocument>

#include <utility>

namespace kupongen::qt {

namespace {

constexpr std::uint64_t kNeverShown = ~std::uint64_t{0};
// The smallest pixel size a caption is shrunk to when the font at hand is
// wider than Tahoma.
constexpr int kSmallestCaptionPixels = 7;

QString IconFile(int iconId) {
    if (iconId == kDialogWindow.bigIconId) {
        return QStringLiteral(":/icons/kupongen-64.png");
    }
    if (iconId == kDialogWindow.smallIconId) {
        return QStringLiteral(":/icons/kupongen-32.png");
    }
    return {};
}

// Whether a widget's caption fits the room its style gives the text.
bool CaptionFits(const QWidget* widget) {
    const std::optional<CaptionPlace> place = CaptionPlaceOf(widget);
    if (!place) {
        return true;
    }
    if (qobject_cast<const GroupFrame*>(widget) != nullptr) {
        // A group's caption stands centred, clear of the frame's corners.
        return place->room.right() < widget->width() - place->room.left();
    }
    const QFontMetrics metrics(widget->font());
    return metrics.horizontalAdvance(place->caption) <= place->room.width() &&
           metrics.height() <= place->room.height();
}

} // namespace

Prompts DefaultPrompts() {
    Prompts prompts;
    prompts.chooseSavePath = [](QWidget* parent) -> std::optional<QString> {
        SaveFileDialog dialog(parent);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        return dialog.selectedFiles().constFirst();
    };
    prompts.showWarning = [](QWidget* parent, const QString& text, const QString& title) {
        QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
        box.exec();
    };
    return prompts;
}

MainDialog::MainDialog(Prompts prompts, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      prompts_(std::move(prompts)), session_(MakeHooks()) {
    InstallAccessibility();
    setObjectName(QStringLiteral("kupongen"));
    setWindowTitle(FromAnsi(kWindowTitle.view()));
    setFont(DialogFont());
    units_ = DialogUnits(BaseUnitsOf(font()));
    BuildItems();
    ShrinkClippedCaptions();
    // The template gives the client area; no sizing border, no maximizing.
    const QRect window = ToQRect(units_.Window());
    setFixedSize(window.size());
    move(window.topLeft());

    shownRevision_.fill(kNeverShown);
    Mirror();
    // The first tab stop takes the focus, as the dialog manager gives it.
    if (rows_ != nullptr) {
        rows_->setFocus(Qt::OtherFocusReason);
    }
}

MainDialog::~MainDialog() = default;

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
    return hooks;
}

QWidget* MainDialog::Control(int controlId) const {
    const int position = ControlPosition(controlId);
    return position < 0 ? nullptr : controls_[static_cast<std::size_t>(position)];
}

void MainDialog::BuildItems() {
    items_.reserve(kDialogItems.size());
    for (const DialogItem& item : kDialogItems) {
        const QString caption = FromAnsi(item.caption.view());
        QWidget* widget = nullptr;
        switch (item.kind) {
        case ItemKind::GroupBox:
            widget = new GroupFrame(caption, this);
            break;
        case ItemKind::Label: {
            auto* label = new QLabel(caption, this);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            widget = label;
            break;
        }
        case ItemKind::CheckBox:
        case ItemKind::RadioButton:
        case ItemKind::PushButton:
            widget = MakeButton(item, caption);
            break;
        case ItemKind::Edit:
            widget = MakeEdit(item.id, item.styles);
            break;
        }
        widget->setGeometry(ToQRect(units_.Rect(item)));
        if (item.Has(kTabStop)) {
            widget->setFocusPolicy(Qt::StrongFocus);
        } else if (item.id != kNoId) {
            // A click still focuses a button, as on Windows; the arrow keys
            // reach it inside its group.
            widget->setFocusPolicy(Qt::ClickFocus);
        }
        if (item.id == kNoId) {
            widget->setObjectName(QStringLiteral("item%1").arg(items_.size()));
        } else {
            widget->setObjectName(QStringLiteral("control%1").arg(item.id));
            controls_[static_cast<std::size_t>(ControlPosition(item.id))] = widget;
        }
        NameForScreenReaders(item, widget);
        itemOfWidget_.insert(widget, items_.size());
        items_.push_back(widget);
    }
    // Qt's own focus chain in template order too; Tab itself goes by the
    // dialog manager's rules (focusNextPrevChild).
    QWidget* previous = nullptr;
    for (QWidget* widget : items_) {
        if (widget->focusPolicy() != Qt::NoFocus) {
            if (previous != nullptr) {
                setTabOrder(previous, widget);
            }
            previous = widget;
        }
    }
}

QWidget* MainDialog::MakeButton(const DialogItem& item, const QString& caption) {
    QAbstractButton* button = nullptr;
    if (item.kind == ItemKind::CheckBox) {
        button = new ModelCheckBox(caption, this);
    } else if (item.kind == ItemKind::RadioButton) {
        // The model keeps the radio buttons of a group exclusive, hidden ones
        // keeping their marks; Qt's own exclusivity would not.
        auto* radio = new ModelRadioButton(caption, this);
        radio->setAutoExclusive(false);
        button = radio;
    } else {
        auto* push = new QPushButton(caption, this);
        // A focused button takes Enter, as in a dialog; none is the default.
        push->setAutoDefault(true);
        push->setDefault(false);
        button = push;
    }
    const int controlId = item.id;
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
    button->installEventFilter(this);
    return button;
}

void MainDialog::NameForScreenReaders(const DialogItem& item, QWidget* widget) {
    const std::optional<std::string> name = ScreenReaderName(item.id);
    widget->setAccessibleName(FromAnsi(name ? *name : item.caption.view()));
}

QWidget* MainDialog::MakeEdit(int controlId, std::uint32_t styles) {
    const auto has = [styles](ItemStyle style) { return (styles & style) != 0; };
    const bool readOnly = has(kReadOnly);
    QWidget* edit = nullptr;
    if (has(kMultiLine)) {
        auto* text = new QPlainTextEdit(this);
        StepLinesAsWindows(text);
        // A Windows multi-line edit wraps unless it scrolls sideways.
        const bool wraps = !has(kAutoHorizontalScroll) && !has(kHorizontalScrollBar);
        text->setLineWrapMode(wraps ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        text->setVerticalScrollBarPolicy(has(kVerticalScrollBar) ? Qt::ScrollBarAlwaysOn
                                                                 : Qt::ScrollBarAlwaysOff);
        text->setHorizontalScrollBarPolicy(has(kHorizontalScrollBar) ? Qt::ScrollBarAlwaysOn
                                                                     : Qt::ScrollBarAlwaysOff);
        text->setReadOnly(readOnly);
        // In a dialog Tab moves on; Enter starts a new line (ES_WANTRETURN).
        text->setTabChangesFocus(true);
        if (!has(kBorder)) {
            text->setFrameShape(QFrame::NoFrame);
        }
        if (controlId == id::kRows) {
            rows_ = text;
            connect(text, &QPlainTextEdit::textChanged, this, [this] {
                if (!settingRows_) {
                    rowsEdited_ = true;
                }
            });
        }
        edit = text;
    } else {
        auto* line = new QLineEdit(this);
        line->setReadOnly(readOnly);
        line->setFrame(has(kBorder));
        edit = line;
    }
    if (readOnly) {
        // Windows draws read-only edits on the dialog's colour.
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        edit->setPalette(palette);
    }
    return edit;
}

void MainDialog::ShrinkClippedCaptions() {
    // Tahoma fits every caption; a wider fallback font may not, and a caption
    // cut short is worse than a slightly smaller one.
    for (QWidget* widget : items_) {
        QFont font = widget->font();
        while (!CaptionFits(widget) && QFontInfo(font).pixelSize() > kSmallestCaptionPixels) {
            font.setPixelSize(QFontInfo(font).pixelSize() - 1);
            widget->setFont(font);
        }
    }
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

FocusState MainDialog::CurrentFocusState() const {
    return FocusStateOf(session_.Model());
}

std::optional<ItemIndex> MainDialog::FocusedItem() const {
    for (const QWidget* widget = QApplication::focusWidget(); widget != nullptr;
         widget = widget->parentWidget()) {
        if (const auto found = itemOfWidget_.constFind(widget); found != itemOfWidget_.constEnd()) {
            return *found;
        }
    }
    return std::nullopt;
}

void MainDialog::FocusItem(ItemIndex item) {
    // Qt selects a line's text when Tab reaches it, and a screen reader then
    // reads the status twice and says "unselected" on leaving.
    const bool line = qobject_cast<QLineEdit*>(items_[item]) != nullptr;
    items_[item]->setFocus(line ? Qt::OtherFocusReason : Qt::TabFocusReason);
}

bool MainDialog::focusNextPrevChild(bool next) {
    const auto from = FocusedItem();
    if (!from) {
        return QWidget::focusNextPrevChild(next);
    }
    if (const auto to = NextTabStop(*from, !next, CurrentFocusState())) {
        FocusItem(*to);
    }
    return true;
}

bool MainDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool backwards = key->key() == Qt::Key_Left || key->key() == Qt::Key_Up;
    const bool forwards = key->key() == Qt::Key_Right || key->key() == Qt::Key_Down;
    const auto from = itemOfWidget_.constFind(static_cast<QWidget*>(watched));
    if ((!backwards && !forwards) || (key->modifiers() & ~Qt::KeypadModifier) != 0 ||
        from == itemOfWidget_.constEnd()) {
        return QWidget::eventFilter(watched, event);
    }
    if (const auto to = NextInGroup(*from, backwards, CurrentFocusState())) {
        FocusItem(*to);
        // An automatic radio button the arrow keys reach is clicked, as the
        // dialog manager does.
        const DialogItem& reached = kDialogItems[*to];
        if (reached.kind == ItemKind::RadioButton && !session_.Model().Item(reached.id)->checked) {
            DeliverClick(reached.id);
        }
    }
    return true;
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
    ShowIcons();
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
    event->accept();
}

} // namespace kupongen::qt

#include "template_window.h"

#include "accessibility.h"
#include "ansi_qt.h"
#include "caption_place.h"
#include "dialog_font.h"
#include "dialog_outline.h"
#include "edit_lines.h"
#include "font_metrics.h"
#include "group_frame.h"
#include "model_buttons.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kupongen::qt {

namespace {

// The smallest pixel size a caption is shrunk to when the font at hand is
// wider than Tahoma.
constexpr int kSmallestCaptionPixels = 7;

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
    if (const auto* label = qobject_cast<const QLabel*>(widget);
        label != nullptr && label->wordWrap()) {
        const QRect needed =
            metrics.boundingRect(place->room, Qt::TextWordWrap | place->alignment, place->caption);
        return needed.width() <= place->room.width() && needed.height() <= place->room.height();
    }
    return metrics.horizontalAdvance(place->caption) <= place->room.width() &&
           metrics.height() <= place->room.height();
}

QWidget* MakeEdit(std::uint32_t styles, QWidget* parent) {
    const auto has = [styles](ItemStyle style) { return (styles & style) != 0; };
    const bool readOnly = has(kReadOnly);
    QWidget* edit = nullptr;
    if (has(kMultiLine)) {
        auto* text = new QPlainTextEdit(parent);
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
        edit = text;
    } else {
        auto* line = new QLineEdit(parent);
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

} // namespace

TemplateWindow::TemplateWindow(DialogItems items, const DialogWindow& window,
                               ScreenReaderNames names, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), template_(items), window_(window), names_(names) {
    InstallAccessibility();
    setFont(DialogFont());
    units_ = DialogUnits(BaseUnitsOf(font()));
}

QWidget* TemplateWindow::MakeItem(const DialogItem& item, const QString& caption, QWidget* parent) {
    switch (item.kind) {
    case ItemKind::GroupBox:
        return new GroupFrame(caption, parent);
    case ItemKind::Label: {
        auto* label = new QLabel(caption, parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ItemKind::CheckBox:
        return new ModelCheckBox(caption, parent);
    case ItemKind::RadioButton: {
        // The model keeps the radio buttons of a group exclusive, hidden ones
        // keeping their marks; Qt's own exclusivity would not.
        auto* radio = new ModelRadioButton(caption, parent);
        radio->setAutoExclusive(false);
        return radio;
    }
    case ItemKind::PushButton: {
        auto* push = new QPushButton(caption, parent);
        // A focused button takes Enter, as in a dialog; none is the default.
        push->setAutoDefault(true);
        push->setDefault(false);
        return push;
    }
    case ItemKind::Edit:
        return MakeEdit(item.styles, parent);
    }
    return nullptr;
}

void TemplateWindow::BuildItems(int top) {
    items_.reserve(template_.size());
    for (const DialogItem& item : template_) {
        const QString caption = FromAnsi(item.caption.view());
        // An edit inside a group box is the frame's child: Qt's own text
        // interfaces take the widget's parent for theirs, and a screen reader
        // should find the edit inside its group as it finds the buttons.
        // Templates list a group box before the items it holds.
        QWidget* parent = this;
        const std::optional<ItemIndex> group = EnclosingGroupBox(template_, items_.size());
        if (item.kind == ItemKind::Edit && group) {
            parent = items_[*group];
            parent->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        }
        QWidget* widget = MakeItem(item, caption, parent);
        const QPoint origin = parent->mapTo(this, QPoint(0, 0));
        widget->setGeometry(ToQRect(units_.Rect(item)).translated(QPoint(0, top) - origin));
        if (item.Has(kTabStop)) {
            widget->setFocusPolicy(Qt::StrongFocus);
        } else if (item.id != kNoId && widget->focusPolicy() != Qt::NoFocus) {
            // A click still focuses a button, as on Windows; the arrow keys
            // reach it inside its group.
            widget->setFocusPolicy(Qt::ClickFocus);
        }
        widget->setObjectName(item.id == kNoId ? QStringLiteral("item%1").arg(items_.size())
                                               : QStringLiteral("control%1").arg(item.id));
        // A label is named by what it shows, which may change.
        if (const std::optional<std::string> name = names_(item.id)) {
            widget->setAccessibleName(FromAnsi(*name));
        } else if (item.kind != ItemKind::Label) {
            widget->setAccessibleName(caption);
        }
        if (qobject_cast<QAbstractButton*>(widget) != nullptr) {
            widget->installEventFilter(this);
        }
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
    ShrinkClippedCaptions();
    // The template gives the client area; no sizing border, no maximizing.
    const QRect window = ToQRect(units_.Rect(window_.x, window_.y, window_.width, window_.height));
    clientArea_ = QRect(QPoint(0, top), window.size());
    setFixedSize(window.width(), top + window.height());
    move(window.topLeft());
}

void TemplateWindow::ShrinkClippedCaptions() {
    // Tahoma fits every caption; a wider fallback font may not, and a caption
    // cut short is worse than a slightly smaller one.
    for (QWidget* widget : items_) {
        if (!CaptionFits(widget)) {
            FitCaption(widget);
        }
    }
}

void TemplateWindow::FitCaption(QWidget* widget) {
    QFont font = this->font();
    widget->setFont(font);
    while (!CaptionFits(widget) && QFontInfo(font).pixelSize() > kSmallestCaptionPixels) {
        font.setPixelSize(QFontInfo(font).pixelSize() - 1);
        widget->setFont(font);
    }
}

std::optional<ItemIndex> TemplateWindow::FocusedItem() const {
    for (const QWidget* widget = QApplication::focusWidget(); widget != nullptr;
         widget = widget->parentWidget()) {
        if (const auto found = itemOfWidget_.constFind(widget); found != itemOfWidget_.constEnd()) {
            return *found;
        }
    }
    return std::nullopt;
}

void TemplateWindow::FocusItem(ItemIndex item) {
    // Qt selects a line's text when Tab reaches it, and a screen reader then
    // reads the status twice and says "unselected" on leaving.
    const bool line = qobject_cast<QLineEdit*>(items_[item]) != nullptr;
    items_[item]->setFocus(line ? Qt::OtherFocusReason : Qt::TabFocusReason);
}

bool TemplateWindow::focusNextPrevChild(bool next) {
    const auto from = FocusedItem();
    if (!from) {
        return QWidget::focusNextPrevChild(next);
    }
    if (const auto to = NextTabStop(template_, *from, !next, CurrentFocusState())) {
        FocusItem(*to);
    }
    return true;
}

bool TemplateWindow::eventFilter(QObject* watched, QEvent* event) {
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
    if (const auto to = NextInGroup(template_, *from, backwards, CurrentFocusState())) {
        FocusItem(*to);
        ArrowReached(*to);
    }
    return true;
}

} // namespace kupongen::qt

#include "check_window.h"

#include "accessibility.h"
#include "ansi_qt.h"
#include "review_window.h"
#include "rights_chart.h"
#include "rows_input.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>

#include <utility>

namespace kupongen::qt {

namespace {

using rows::ReviewView;

std::optional<ItemIndex> ReviewIndexOf(int itemId) {
    const DialogItem* item = rows::FindReviewItem(itemId);
    if (item == nullptr) {
        return std::nullopt;
    }
    return static_cast<ItemIndex>(item - rows::kReviewItems.data());
}

// The lines of a text of the reports, which keep CR LF between lines.
QStringList Lines(const std::string& report) {
    return FromAnsi(report).split(QStringLiteral("\r\n"));
}

// Lines spoken as one text, each a sentence.
QString Spoken(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) {
        const bool ended = line.endsWith(u'.') || line.endsWith(u':') || line.endsWith(u')');
        text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + line +
                (ended ? QString() : QStringLiteral("."));
    }
    return text;
}

} // namespace

CheckWindow::CheckWindow(rows::RowsReview& review, CheckWindowHooks hooks, QWidget* owner)
    : TemplateWindow(rows::kReviewItems, rows::kReviewWindow, rows::ReviewScreenReaderName, owner,
                     Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      review_(review), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("kontroll"));
    setWindowTitle(FromAnsi(rows::kReviewTitle.view()));
    BuildItems(0);
    Mirror();
}

QWidget* CheckWindow::Item(int itemId) const {
    const auto index = ReviewIndexOf(itemId);
    return index ? Items()[*index] : nullptr;
}

QWidget* CheckWindow::MakeItem(const DialogItem& item, const QString& caption, QWidget* parent) {
    if (rows::IsReviewChart(item)) {
        return new RightsChart(review_, parent);
    }
    QWidget* widget = TemplateWindow::MakeItem(item, caption, parent);
    const int itemId = item.id;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (button->isCheckable()) {
            connect(button, &QAbstractButton::clicked, this,
                    [this, itemId] { DeliverSignClick(itemId); });
            connect(button, &QAbstractButton::toggled, this, [this, itemId] {
                if (!mirroring_) {
                    DeliverSignClick(itemId);
                }
            });
        } else {
            connect(button, &QAbstractButton::clicked, this, [this, itemId] { Press(itemId); });
        }
    } else if (itemId == rows::review_id::kTyped) {
        typed_ = static_cast<QLineEdit*>(widget);
        connect(typed_, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (!mirroring_) {
                DeliverTyped(text);
            }
        });
        // A refusal is said when the user is done typing, not at every key
        // of a result not yet whole.
        connect(typed_, &QLineEdit::editingFinished, this, [this] {
            if (!review_.ResultStatus().empty() && isVisible()) {
                Announce(this, FromAnsi(review_.ResultStatus()));
            }
        });
    } else if (itemId == rows::review_id::kResultStatus) {
        static_cast<QLabel*>(widget)->setWordWrap(true);
    }
    return widget;
}

CheckWindow::~CheckWindow() {
    // The typing line loses the focus while the base class takes the window
    // down, and its signals must not reach this part of it any more.
    if (typed_ != nullptr) {
        typed_->disconnect(this);
    }
}

FocusState CheckWindow::CurrentFocusState() const {
    // Every item is always shown; the labels but the chart take no focus.
    return {[](ItemIndex index) {
                const DialogItem& item = rows::kReviewItems[index];
                return rows::IsReviewChart(item) ||
                       (item.kind != ItemKind::GroupBox && item.kind != ItemKind::Label);
            },
            [](ItemIndex) { return false; }};
}

void CheckWindow::Open(ReviewView view) {
    review_.Show(view);
    if (!isVisible()) {
        review_.ReadRowsWindow(hooks_.rowsText());
    }
    Mirror();
    show();
    raise();
    activateWindow();
    FocusItem(*ReviewIndexOf(rows::ReviewFocusId(view)));
    AnnounceReport(view);
}

void CheckWindow::Press(int itemId) {
    switch (itemId) {
    case rows::review_id::kReadAgain:
        review_.ReadRowsWindow(hooks_.rowsText());
        break;
    case rows::review_id::kOpenFile: {
        const std::optional<QString> path =
            hooks_.chooseOpenPath ? hooks_.chooseOpenPath(this) : std::nullopt;
        if (!path || path->isEmpty()) {
            return;
        }
        review_.OpenFile(ToAnsiCrLf(QFileInfo(*path).fileName()),
                         rows::ReadBoundedFile(QFile::encodeName(*path).toStdString()));
        break;
    }
    case rows::review_id::kClose:
        close();
        return;
    default:
        return;
    }
    Mirror();
    AnnounceReport(review_.Showing());
}

void CheckWindow::DeliverSignClick(int itemId) {
    const std::string before = review_.GradeReport();
    rows::ReviewClick(review_, itemId);
    Mirror();
    // The review decides the mark, also where a program set it.
    auto* box = static_cast<QAbstractButton*>(Item(itemId));
    const QScopedValueRollback<bool> mirroring(mirroring_, true);
    box->setChecked(rows::ReviewItemChecked(review_, itemId));
    AnnounceGradeChange(before);
}

void CheckWindow::DeliverTyped(const QString& text) {
    const std::string before = review_.GradeReport();
    review_.TypeResult(ToAnsiCrLf(text));
    Mirror();
    AnnounceGradeChange(before);
}

void CheckWindow::Mirror() {
    if (review_.Revision() == shownRevision_) {
        return;
    }
    shownRevision_ = review_.Revision();
    const QScopedValueRollback<bool> mirroring(mirroring_, true);
    for (std::size_t i = 0; i < rows::kReviewItems.size(); ++i) {
        const int itemId = rows::kReviewItems[i].id;
        QWidget* widget = Items()[i];
        if (itemId == kNoId || qobject_cast<QPushButton*>(widget) != nullptr) {
            continue;
        }
        if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            box->setChecked(rows::ReviewItemChecked(review_, itemId));
            continue;
        }
        std::string text = rows::ReviewItemText(review_, itemId);
        const auto shown = shownText_.find(widget);
        if (shown != shownText_.end() && *shown == text) {
            continue;
        }
        const QString shownText = FromAnsi(text);
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setText(shownText);
            // A refusal can be longer than the room under the line.
            FitCaption(label);
        } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
            // The text as typed stays, with the cursor where it is.
            if (line->text() != shownText) {
                line->setText(shownText);
            }
        } else if (auto* report = qobject_cast<QPlainTextEdit*>(widget)) {
            report->setPlainText(shownText);
        } else {
            // The chart: its bars, and its counts for a screen reader.
            widget->setAccessibleDescription(shownText);
            widget->update();
        }
        if (itemId == rows::review_id::kResultStatus) {
            typed_->setAccessibleDescription(shownText);
        }
        shownText_.insert(widget, std::move(text));
    }
}

void CheckWindow::AnnounceReport(ReviewView report) {
    if (!isVisible()) {
        return;
    }
    const int reportId =
        report == ReviewView::Check ? rows::review_id::kCheckReport : rows::review_id::kGradeReport;
    const QString spoken = Spoken(Lines(rows::ReviewAnnouncement(review_, reportId)));
    if (isActiveWindow()) {
        Announce(this, spoken);
    } else {
        pendingAnnouncement_ = spoken;
    }
}

void CheckWindow::AnnounceGradeChange(const std::string& before) {
    if (review_.GradeReport() != before) {
        AnnounceReport(ReviewView::Grade);
    }
}

void CheckWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    TemplateWindow::keyPressEvent(event);
}

bool CheckWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !pendingAnnouncement_.isEmpty()) {
        Announce(this, std::exchange(pendingAnnouncement_, QString()));
    }
    return TemplateWindow::event(event);
}

void CheckWindow::closeEvent(QCloseEvent* event) {
    // The keyboard goes back to the main window, as to a dialog's owner.
    if (parentWidget() != nullptr) {
        parentWidget()->activateWindow();
    }
    event->accept();
}

} // namespace kupongen::qt

// Helpers shared by the window tests: a user's clicks and keys on the real
// widgets, the widgets' texts in the model's 8-bit form, checks that every
// widget shows its control's state, and answers to modal dialogs from inside
// their event loops.
#pragma once

#include "ansi_qt.h"
#include "check_window.h"
#include "dialog_model.h"
#include "main_dialog.h"
#include "review_window.h"
#include "startup.h"
#include "test_helpers.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace kupongen::qt::test {

inline void SetUpApplicationOnce() {
    SetUpApplication(*qobject_cast<QApplication*>(QCoreApplication::instance()));
}

// The settings the window keeps, in a folder of the test's own: every window
// starts as at a first start, and no user's settings change.
class TestSettings {
public:
    bool Install() {
        if (!folder_.isValid()) {
            return false;
        }
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_.path());
        return true;
    }
    QString FilePath(const QString& name) const { return folder_.filePath(name); }

private:
    QTemporaryDir folder_;
};

using kupongen::testing::A;

template <typename T> T* Widget(const MainDialog& dialog, int controlId) {
    return qobject_cast<T*>(dialog.Control(controlId));
}

inline QPlainTextEdit* Rows(const MainDialog& dialog) {
    return Widget<QPlainTextEdit>(dialog, id::kRows);
}
inline QLineEdit* Status(const MainDialog& dialog) {
    return Widget<QLineEdit>(dialog, id::kStatus);
}
inline QPlainTextEdit* Info(const MainDialog& dialog) {
    return Widget<QPlainTextEdit>(dialog, id::kInfoPanel);
}

// The rows window's text as the Windows edit would hold it.
inline std::string RowsBytes(const MainDialog& dialog) {
    return ToAnsiCrLf(Rows(dialog)->document()->toRawText());
}

// Shows the dialog and waits until it takes keyboard input.
inline bool ShowAndActivate(MainDialog& dialog) {
    dialog.show();
    // A real display activates only a window it has mapped.
    if (!QTest::qWaitForWindowExposed(&dialog)) {
        return false;
    }
    dialog.activateWindow();
    QApplication::setActiveWindow(&dialog);
    return QTest::qWaitForWindowActive(&dialog);
}

// A user's click: on the glyph of a check box or radio button (their
// clickable area ends with the caption), in the middle of a push button.
// Fails when the control is not on screen, as a user could not click it.
inline bool Click(MainDialog& dialog, int controlId) {
    QWidget* widget = dialog.Control(controlId);
    if (widget == nullptr || !widget->isVisible()) {
        qWarning("control %d cannot be clicked: it is not shown", controlId);
        return false;
    }
    QPoint at = widget->rect().center();
    if (qobject_cast<QCheckBox*>(widget) != nullptr ||
        qobject_cast<QRadioButton*>(widget) != nullptr) {
        at = QPoint(6, widget->height() / 2);
    }
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
    return true;
}

inline bool Shown(const MainDialog& dialog, int controlId) {
    return dialog.Control(controlId)->isVisibleTo(&const_cast<MainDialog&>(dialog));
}

inline bool Marked(const MainDialog& dialog, int controlId) {
    return qobject_cast<QAbstractButton*>(dialog.Control(controlId))->isChecked();
}

// Types a text key by key; letters beyond ASCII (å, ä, ö) come as the keys
// of a Swedish keyboard would send them.
inline void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, static_cast<char>(c.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, static_cast<Qt::Key>(c.toUpper().unicode()),
                                QString(c), Qt::NoModifier);
        }
    }
}

// Every control's revision: what has changed since.
inline std::array<std::uint64_t, kControlCount> Revisions(const MainDialog& dialog) {
    std::array<std::uint64_t, kControlCount> revisions{};
    const auto& controls = dialog.Session().Model().Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        revisions[i] = controls[i].revision;
    }
    return revisions;
}

// Every control's widget shows what the model holds; returns the first
// difference, or an empty text.
inline QString MirrorDifference(MainDialog& dialog) {
    for (const ControlState& state : dialog.Session().Model().Controls()) {
        QWidget* widget = dialog.Control(state.id);
        const QString where = QStringLiteral("control %1: ").arg(state.id);
        if (widget->isVisibleTo(&dialog) != state.visible) {
            return where + QStringLiteral("visibility");
        }
        if (widget->isEnabled() != state.enabled) {
            return where + QStringLiteral("enabled state");
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            if (button->isCheckable() && button->isChecked() != state.checked) {
                return where + QStringLiteral("check mark");
            }
            if (button->text() != FromAnsi(state.text)) {
                return where + QStringLiteral("caption");
            }
        } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
            if (line->text() != FromAnsi(state.text)) {
                return where + QStringLiteral("text ") + line->text();
            }
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
            if (ToAnsiCrLf(text->document()->toRawText()) != state.text) {
                return where + QStringLiteral("text");
            }
        }
    }
    return {};
}

// A user's choice of a menu item; the command follows once the menu has
// closed, as the event loop goes on.
inline void Choose(MainDialog& dialog, int menuId) {
    dialog.MenuAction(menuId)->trigger();
    QCoreApplication::processEvents();
}

// Whether the menu's mark of Unika rader is the model's.
inline bool DistinctMarkIsTheModels(const MainDialog& dialog) {
    return dialog.MenuAction(id::kMenuDistinct)->isChecked() ==
           dialog.Session().Model().MenuState(id::kMenuDistinct)->checked;
}

// Kontrollera raderna… or Rätta raderna…: the check window it opens.
inline CheckWindow* OpenCheckWindow(MainDialog& dialog, int menuId) {
    Choose(dialog, menuId);
    CheckWindow* window = dialog.OpenedCheckWindow();
    if (window == nullptr || !QTest::qWaitForWindowExposed(window)) {
        return nullptr;
    }
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window) ? window : nullptr;
}

// Every item of the check window shows what the review gives for it;
// returns the first difference, or an empty text.
inline QString ReviewMirrorDifference(const CheckWindow& window) {
    for (const DialogItem& item : rows::kReviewItems) {
        if (item.id == kNoId) {
            continue;
        }
        QWidget* widget = window.Item(item.id);
        const std::string text = rows::ReviewItemText(window.Review(), item.id);
        const QString where = QStringLiteral("item %1: ").arg(item.id);
        if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            if (box->isChecked() != rows::ReviewItemChecked(window.Review(), item.id)) {
                return where + QStringLiteral("check mark");
            }
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (label->text() != FromAnsi(text)) {
                return where + label->text();
            }
        } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
            if (line->text() != FromAnsi(text)) {
                return where + line->text();
            }
        } else if (auto* report = qobject_cast<QPlainTextEdit*>(widget)) {
            if (ToAnsiCrLf(report->document()->toRawText()) != text) {
                return where + report->toPlainText().left(40);
            }
        } else if (rows::IsReviewChart(item) && widget->accessibleDescription() != FromAnsi(text)) {
            return where + QStringLiteral("counts");
        }
    }
    return {};
}

// A saved session of ten compatible rows: the file holds the header and the
// rows, byte for byte what the rows window holds. The first difference, or an
// empty text.
inline QString SavedTenRowsDifference(MainDialog& dialog, const QString& path) {
    QFile saved(path);
    if (!saved.open(QIODevice::ReadOnly)) {
        return QStringLiteral("cannot read ") + path;
    }
    const QByteArray bytes = saved.readAll();
    if (bytes.size() != 11 + 10 * 29 || !bytes.startsWith("Stryktipset\r\nE,")) {
        return QStringLiteral("not ten compatible rows: %1 bytes").arg(bytes.size());
    }
    if (bytes.toStdString() != dialog.Session().Model().Item(id::kRows)->text) {
        return QStringLiteral("not the rows window's text");
    }
    return {};
}

// Runs act on the next modal widget of type T once it is open, from inside
// its event loop. Gives up after a while so that a missing dialog fails the
// test instead of hanging it.
template <typename T> void WhenModalOpens(std::function<void(T*)> act) {
    auto* timer = new QTimer(QCoreApplication::instance());
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act, waited] {
        if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            // A dialog the test failed to answer is closed, not waited on.
            QTimer::singleShot(20000, modal, [modal] {
                if (modal->isVisible()) {
                    qWarning("closing a modal dialog the test left open");
                    modal->close();
                }
            });
            act(modal);
        } else if (++*waited > 1000) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

} // namespace kupongen::qt::test

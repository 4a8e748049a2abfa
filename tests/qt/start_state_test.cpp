// The window right after start, as the widgets show it, and what it keeps
// from the start before.
#include "window_test_support.h"

#include "control_table.h"
#include "dialog_template.h"
#include "menu_table.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>

#include <set>

using namespace kupongen;
using namespace kupongen::qt;
using namespace kupongen::qt::test;

class StartStateTest : public QObject {
    Q_OBJECT

    // The settings of a first start, never the user's own.
    TestSettings settings_;

private slots:
    void initTestCase() {
        SetUpApplicationOnce();
        QVERIFY(settings_.Install());
    }

    void titleIsExact() {
        MainDialog dialog;
        const QString expected = QStringLiteral("Kupongen    v7.04       2004-04-11     "
                                                "Info/Frågor? Besök: ") +
                                 FromAnsi(kAuthorAddress.view()) +
                                 QStringLiteral("        Första releasen 9 November 2002");
        QCOMPARE(dialog.windowTitle(), expected);
    }

    void iconsAreTheTwoImages() {
        MainDialog dialog;
        const QList<QSize> sizes = dialog.windowIcon().availableSizes();
        QVERIFY(sizes.contains(QSize(64, 64)));
        QVERIFY(sizes.contains(QSize(32, 32)));
        QCOMPARE(dialog.Session().Model().bigIcon, 300);
        QCOMPARE(dialog.Session().Model().smallIcon, 301);
    }

    void visibilityAsAtStart() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        std::set<int> hidden = {id::kGenerate,    id::kSave,    id::kCompatible,
                                id::kStryktipset, id::kItalian, id::kAppend};
        for (const int half : kHalfCoverIds) {
            hidden.insert(half);
        }
        for (const int full : kFullCoverIds) {
            hidden.insert(full);
        }
        for (const auto& button : kRowCountButtons) {
            hidden.insert(button.id);
        }
        for (const ControlEntry& entry : kControlTable) {
            QVERIFY2(dialog.Control(entry.id)->isVisible() == (hidden.count(entry.id) == 0),
                     qPrintable(QStringLiteral("control %1").arg(entry.id)));
        }
        // Group boxes and labels are always there.
        for (std::size_t i = 0; i < kDialogItems.size(); ++i) {
            if (kDialogItems[i].id == kNoId) {
                QVERIFY(dialog.Items()[i]->isVisible());
            }
        }
        QCOMPARE(hidden.size(), std::size_t{6 + 14 + 14 + 30});
    }

    void marksAsAtStart() {
        MainDialog dialog;
        const std::set<int> marked = {kFullCoverIds[0], kHalfCoverIds[0], id::kStryktipset,
                                      kRowCountButtons[0].id, id::kEngland};
        for (const ControlEntry& entry : kControlTable) {
            if (entry.kind == ControlKind::CheckBox || entry.kind == ControlKind::RadioButton) {
                QVERIFY2(Marked(dialog, entry.id) == (marked.count(entry.id) == 1),
                         qPrintable(QStringLiteral("control %1").arg(entry.id)));
            }
        }
    }

    void textsAsAtStart() {
        MainDialog dialog;
        QCOMPARE(Status(dialog)->text(), QStringLiteral("Här visas status och varningar!"));
        QCOMPARE(Rows(dialog)->toPlainText(), QStringLiteral("Här kommer dina rader visas!"));
        const QString hyphens(27, u'-');
        const QString info =
            QStringLiteral("Slumpmetod info:\n") + hyphens + QStringLiteral("\n\n") +
            QStringLiteral("KLASSISK statistik:\n50% ettor.\n17% kryss.\n33% tvåor.\n\n") +
            hyphens + QStringLiteral("\n\n") +
            QStringLiteral("ENGELSK statistik:\n702 matcher totalt\n320 ettor.\n176 kryss.\n"
                           "206 tvåor.\n\n") +
            hyphens + QStringLiteral("\n\n") +
            QStringLiteral(
                "SVENSK statistik:\n169 matcher totalt\n66 ettor.\n39 kryss.\n64 tvåor.\n");
        QCOMPARE(Info(dialog)->toPlainText(), info);
        // In the model's form: 23 lines, 320 bytes, every line with CR LF.
        const std::string bytes = ToAnsiCrLf(Info(dialog)->document()->toRawText());
        QCOMPARE(bytes.size(), std::size_t{320});
        QCOMPARE(bytes.substr(bytes.size() - 11), A(u8"64 tvåor.\r\n"));
    }

    void captionsAreTheTemplates() {
        MainDialog dialog;
        for (std::size_t i = 0; i < kDialogItems.size(); ++i) {
            const DialogItem& item = kDialogItems[i];
            if (auto* button = qobject_cast<QAbstractButton*>(dialog.Items()[i])) {
                QCOMPARE(button->text(), FromAnsi(item.caption.view()));
            }
        }
        QCOMPARE(Widget<QAbstractButton>(dialog, id::kCompatible)->text(),
                 QStringLiteral("Kompatibel rad för svenska spel? KLICKA HÄR!"));
        QCOMPARE(Widget<QAbstractButton>(dialog, id::kRandomSure)->text(),
                 QStringLiteral("SLUMPA säker match"));
    }

    void widgetsMirrorTheModel() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        QCOMPARE(MirrorDifference(dialog), QString());
    }

    void editsAreOfTheirKind() {
        MainDialog dialog;
        QPlainTextEdit* rows = Rows(dialog);
        QVERIFY(!rows->isReadOnly());
        QCOMPARE(rows->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(rows->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(rows->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        // The template's font, as every other control.
        QCOMPARE(QFontInfo(rows->font()).family(), QFontInfo(dialog.font()).family());
        QCOMPARE(QFontInfo(rows->font()).pixelSize(), QFontInfo(dialog.font()).pixelSize());

        QVERIFY(Status(dialog)->isReadOnly());

        QPlainTextEdit* info = Info(dialog);
        QVERIFY(info->isReadOnly());
        QCOMPARE(info->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(info->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(info->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }

    void radioButtonsAreNotQtExclusive() {
        MainDialog dialog;
        for (const ControlEntry& entry : kControlTable) {
            if (entry.kind == ControlKind::RadioButton) {
                QVERIFY(!Widget<QAbstractButton>(dialog, entry.id)->autoExclusive());
            }
        }
    }

    void rowsWindowHasTheFocus() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        QCOMPARE(QApplication::focusWidget(), Rows(dialog));
    }

    void menuBarIsTheMenuTable() {
        MainDialog dialog;
        const QList<QAction*> menus = dialog.MenuBar()->actions();
        QCOMPARE(menus.size(), 1);
        QCOMPARE(menus[0]->text(), QStringLiteral("&Verktyg"));
        const QList<QAction*> items = menus[0]->menu()->actions();
        QCOMPARE(items.size(), static_cast<qsizetype>(kMenuItems.size()));
        for (std::size_t i = 0; i < kMenuItems.size(); ++i) {
            const MenuItem& item = kMenuItems[i];
            QAction* action = items[static_cast<qsizetype>(i)];
            QCOMPARE(action->isSeparator(), item.kind == MenuItemKind::Separator);
            QCOMPARE(action->isCheckable(), item.kind == MenuItemKind::Toggle);
            if (item.kind != MenuItemKind::Separator) {
                QCOMPARE(action, dialog.MenuAction(item.id));
                QCOMPARE(action->text(), FromAnsi(item.caption.view()));
            }
        }
        QCOMPARE(items[4]->text(), QStringLiteral("&Kontrollera raderna…"));
        // Off at the first start.
        QVERIFY(!dialog.MenuAction(id::kMenuDistinct)->isChecked());
        QVERIFY(DistinctMarkIsTheModels(dialog));
    }

    void distinctRowsAreRememberedWithoutAMessage() {
        for (const bool on : {true, false}) {
            {
                MainDialog dialog;
                QVERIFY(ShowAndActivate(dialog));
                QCOMPARE(dialog.MenuAction(id::kMenuDistinct)->isChecked(), !on);
                Choose(dialog, id::kMenuDistinct);
                QCOMPARE(Status(dialog)->text(), on ? QStringLiteral("Unika rader: på.")
                                                    : QStringLiteral("Unika rader: av."));
            }
            // The next start takes the setting back; its texts are those of
            // every start.
            MainDialog dialog;
            QCOMPARE(dialog.Session().Model().MenuState(id::kMenuDistinct)->checked, on);
            QVERIFY(DistinctMarkIsTheModels(dialog));
            QCOMPARE(Status(dialog)->text(), QStringLiteral("Här visas status och varningar!"));
            QCOMPARE(MirrorDifference(dialog), QString());
        }
    }

    void fixedSizeWithoutMaximize() {
        MainDialog dialog;
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(dialog.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    }
};

QTEST_MAIN(StartStateTest)
#include "start_state_test.moc"

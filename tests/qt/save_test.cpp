// Saving through the window: hand edits reach the file, the save dialog's
// rules (it never waits on a file it shows), a failed save and a cancelled
// one; the check window's file chooser, and the system's save command. The
// browser page hands typed text over exactly as the window does.
#include "window_test_support.h"

#include "ansi_qt.h"
#include "control_table.h"
#include "name_only_icons.h"
#include "save_file_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace kupongen;
using namespace kupongen::qt;
using namespace kupongen::qt::test;

namespace {

struct Shown {
    QString text;
    QString title;
};

// Prompts that answer without a modal loop and record what was shown.
struct FakePrompts {
    std::optional<QString> nextPath;
    int asked = 0;
    std::vector<Shown> messages;

    Prompts Make() {
        Prompts prompts;
        prompts.chooseSavePath = [this](QWidget*) {
            ++asked;
            return nextPath;
        };
        prompts.showWarning = [this](QWidget*, const QString& text, const QString& title) {
            messages.push_back({text, title});
        };
        return prompts;
    }
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The user types a name, or a whole path, into the dialog's name field.
void EnterFileName(QFileDialog* save, const QString& name) {
    save->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
}

// The user's press on the dialog's Save button.
void PressSave(QFileDialog* save) {
    auto* buttons = save->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    buttons->button(QDialogButtonBox::Save)->click();
}

// Whether every entry of a listed folder has its type and icon, as the
// detail view and the name completer show them.
bool EveryEntryDescribed(QFileSystemModel& files, const QModelIndex& folder) {
    if (files.canFetchMore(folder)) {
        files.fetchMore(folder);
    }
    const int entries = files.rowCount(folder);
    for (int row = 0; row < entries; ++row) {
        const QModelIndex entry = files.index(row, 0, folder);
        if (files.type(entry).isEmpty() ||
            files.data(entry, Qt::DecorationRole).value<QIcon>().isNull()) {
            return false;
        }
    }
    return entries > 0;
}

QByteArray Bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// One compatible row with the Stryktipset header: 40 bytes.
void GenerateOneRow(MainDialog& dialog) {
    QVERIFY(Click(dialog, id::kEnkelrader));
    QVERIFY(Click(dialog, id::kCompatible));
    QVERIFY(Click(dialog, id::kGenerate));
    QCOMPARE(RowsBytes(dialog).size(), std::size_t{40});
}

} // namespace

class SaveTest : public QObject {
    Q_OBJECT

    // The dialog remembers its file here, never in the user's own settings.
    TestSettings settings_;

private slots:
    void initTestCase() {
        SetUpApplicationOnce();
        QVERIFY(settings_.Install());
    }

    void saveDialogOffersRaderThenTheFileLastSavedTo() {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("kupongen"),
                  QStringLiteral("kupongen"))
            .clear();
        auto folder = std::make_unique<QTemporaryDir>();
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        GenerateOneRow(dialog);
        QStringList offered;
        QStringList opensIn;
        const auto press = [&](const QString& name) {
            WhenModalOpens<QFileDialog>([&, name](QFileDialog* save) {
                offered << save->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
                opensIn << save->directory().absolutePath();
                if (name.isEmpty()) {
                    save->reject();
                    return;
                }
                save->setDirectory(folder->path());
                EnterFileName(save, name);
                PressSave(save);
            });
            QVERIFY(Click(dialog, id::kSave));
        };
        press(QStringLiteral("mina"));
        press(QString());
        QVERIFY(QFile::exists(folder->filePath(QStringLiteral("mina.txt"))));
        const QString saved = QDir(folder->path()).absolutePath();
        folder.reset(); // a folder that is gone: the first offer again
        press(QString());
        const QString current = QDir::current().absolutePath();
        QCOMPARE(offered, QStringList({QStringLiteral("rader.txt"), QStringLiteral("mina.txt"),
                                       QStringLiteral("rader.txt")}));
        QCOMPARE(opensIn, QStringList({current, saved, current}));
        QVERIFY(QFile::exists(settings_.FilePath(QStringLiteral("kupongen/kupongen.conf"))));
    }

    void handEditReachesTheFile() {
        QTemporaryDir folder;
        FakePrompts prompts;
        prompts.nextPath = folder.filePath(QStringLiteral("rader.txt"));
        MainDialog dialog(prompts.Make());
        QVERIFY(ShowAndActivate(dialog));
        GenerateOneRow(dialog);
        std::string expected = dialog.Session().Model().Item(id::kRows)->text;

        // Change the first sign of the row, then add a line of Swedish letters.
        QPlainTextEdit* rows = Rows(dialog);
        rows->setFocus();
        QTest::keyClick(rows, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(rows, Qt::Key_Down);
        QTest::keyClick(rows, Qt::Key_Home);
        QTest::keyClick(rows, Qt::Key_Right);
        QTest::keyClick(rows, Qt::Key_Right);
        QTest::keyClick(rows, Qt::Key_Right, Qt::ShiftModifier);
        Type(rows, QStringLiteral("X"));
        QTest::keyClick(rows, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(rows, Qt::Key_Return);
        Type(rows, QStringLiteral("åäö"));
        expected[15] = 'X';
        expected += "\r\n\xE5\xE4\xF6";

        QVERIFY(Click(dialog, id::kSave));
        QCOMPARE(prompts.asked, 1);
        QVERIFY(prompts.messages.empty());
        QCOMPARE(ReadAll(*prompts.nextPath), Bytes(expected));
        QCOMPARE(dialog.Session().Model().Item(id::kRows)->text, expected);
        QCOMPARE(MirrorDifference(dialog), QString());
    }

    void oneLineOfSevenCharactersMakesNineBytes() {
        QTemporaryDir folder;
        FakePrompts prompts;
        prompts.nextPath = folder.filePath(QStringLiteral("sju.txt"));
        MainDialog dialog(prompts.Make());
        QVERIFY(ShowAndActivate(dialog));
        QVERIFY(Click(dialog, id::kEnkelrader));
        QVERIFY(Click(dialog, id::kGenerate)); // shows Save
        QPlainTextEdit* rows = Rows(dialog);
        rows->selectAll();
        Type(rows, QStringLiteral("1234567"));
        QTest::keyClick(rows, Qt::Key_Return);
        QVERIFY(Click(dialog, id::kSave));
        QCOMPARE(ReadAll(*prompts.nextPath), QByteArray("1234567\r\n"));
    }

    void saveDialogAddsTheDefaultExtension() {
        QTemporaryDir folder;
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        GenerateOneRow(dialog);
        QFileDialog::AcceptMode mode{};
        QStringList filters;
        QString selectedFilter;
        QString suffix;
        bool confirms = false;
        bool checked = false;
        WhenModalOpens<QFileDialog>([&](QFileDialog* save) {
            mode = save->acceptMode();
            filters = save->nameFilters();
            selectedFilter = save->selectedNameFilter();
            suffix = save->defaultSuffix();
            confirms = !save->testOption(QFileDialog::DontConfirmOverwrite);
            checked = true;
            save->setDirectory(folder.path());
            EnterFileName(save, QStringLiteral("rader"));
            PressSave(save);
        });
        QVERIFY(Click(dialog, id::kSave));
        QVERIFY(checked);
        QCOMPARE(mode, QFileDialog::AcceptSave);
        QCOMPARE(filters, QStringList({QStringLiteral("Text Files (*.txt)"),
                                       QStringLiteral("All Files (*.*)")}));
        QCOMPARE(selectedFilter, QStringLiteral("Text Files (*.txt)"));
        QCOMPARE(suffix, QStringLiteral("txt"));
        QVERIFY(confirms);
        QCOMPARE(ReadAll(folder.filePath(QStringLiteral("rader.txt"))),
                 Bytes(dialog.Session().Model().Item(id::kRows)->text));
    }

    void checkWindowOpensAFileByQtsOwnDialog() {
        QTemporaryDir folder;
        WriteAll(folder.filePath(QStringLiteral("spelade.txt")), "Stryktipset\r\n");
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        CheckWindow* check = OpenCheckWindow(dialog, id::kMenuCheckRows);
        QVERIFY(check != nullptr);
        bool checked = false;
        WhenModalOpens<QFileDialog>([&](QFileDialog* open) {
            QCOMPARE(open->acceptMode(), QFileDialog::AcceptOpen);
            QCOMPARE(open->fileMode(), QFileDialog::ExistingFile);
            QVERIFY(open->testOption(QFileDialog::DontUseNativeDialog));
            QCOMPARE(open->nameFilters(), QStringList({QStringLiteral("Text Files (*.txt)"),
                                                       QStringLiteral("All Files (*)")}));
            QVERIFY(dynamic_cast<NameOnlyIconProvider*>(open->iconProvider()) != nullptr);
            checked = true;
            open->setDirectory(folder.path());
            EnterFileName(open, QStringLiteral("spelade.txt"));
            open->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))
                ->button(QDialogButtonBox::Open)
                ->click();
        });
        QTest::mouseClick(check->Item(rows::review_id::kOpenFile), Qt::LeftButton);
        QVERIFY(checked);
        QVERIFY(check->Review().CheckReport().starts_with("Kontroll av spelade.txt\r\n"));
        // Cancelled: the window keeps what it shows.
        WhenModalOpens<QFileDialog>([](QFileDialog* open) { open->reject(); });
        QTest::mouseClick(check->Item(rows::review_id::kOpenFile), Qt::LeftButton);
        QVERIFY(check->Review().CheckReport().starts_with("Kontroll av spelade.txt\r\n"));
    }

    void saveSystemChoiceReachesTheModel() {
        QTemporaryDir folder;
        FakePrompts prompts;
        prompts.nextPath = folder.filePath(QStringLiteral("system.txt"));
        MainDialog dialog(prompts.Make());
        QVERIFY(ShowAndActivate(dialog));
        QVERIFY(Click(dialog, id::kSystem));
        QVERIFY(Click(dialog, kHalfCoverIds[2]));
        QVERIFY(Click(dialog, id::kGenerate));
        Choose(dialog, id::kMenuSaveSystem);
        QCOMPARE(prompts.asked, 1);
        QVERIFY(ReadAll(*prompts.nextPath).startsWith("Stryktipset\r\nM4,"));
        QVERIFY(Status(dialog)->text().endsWith(QStringLiteral(" är sparat för uppladdning.")));
        // Typed text goes first, as for a click; what is no system is refused
        // in the status line and nothing is asked.
        QPlainTextEdit* rows = Rows(dialog);
        rows->selectAll();
        Type(rows, QStringLiteral("E,1"));
        Choose(dialog, id::kMenuSaveSystem);
        QCOMPARE(prompts.asked, 1);
        QCOMPARE(dialog.Session().Model().Item(id::kRows)->text, std::string("E,1"));
        QCOMPARE(Status(dialog)->text(), QStringLiteral("Texten är ingen systemrad."));
        QCOMPARE(MirrorDifference(dialog), QString());
    }

    void allFilesFilterKeepsTheName() {
        // Qt would turn "rader.txt" into "rader.*" when "All Files (*.*)" is
        // picked while saving.
        QTemporaryDir folder;
        SaveFileDialog save;
        save.setDirectory(folder.path());
        save.show();
        QVERIFY(QTest::qWaitForWindowExposed(&save));
        auto* name = save.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* types = save.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(name != nullptr && types != nullptr);
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral("rader.txt"));
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Down);
        QCOMPARE(save.selectedNameFilter(), QStringLiteral("All Files (*.*)"));
        QCOMPARE(name->text(), QStringLiteral("rader.txt"));
        QCOMPARE(save.selectedFiles().value(0), folder.filePath(QStringLiteral("rader.txt")));
    }

    void showingAFolderReadsNoFile() {
        // A FIFO waits for a writer, /proc/kmsg for the kernel's next message:
        // a dialog that read them to name their type would wait for good.
        QTemporaryDir folder;
        const QString pipe = folder.filePath(QStringLiteral("rör.txt"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        WriteAll(folder.filePath(QStringLiteral("gammal.txt")), "1\r\n");
        SaveFileDialog save;
        save.setViewMode(QFileDialog::Detail);
        save.setDirectory(folder.path());
        save.show();
        QVERIFY(QTest::qWaitForWindowExposed(&save));
        auto* files = save.findChild<QFileSystemModel*>();
        auto* name = save.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(files != nullptr && name != nullptr);
        name->setFocus();
        for (const QString& typed :
             {folder.path() + u'/', QStringLiteral("/proc/"), QStringLiteral("/dev/")}) {
            name->clear();
            QTest::keyClicks(name, typed);
            QTRY_VERIFY_WITH_TIMEOUT(EveryEntryDescribed(*files, files->index(typed)), 20000);
        }
        // Still answering: back in the folder, a click on its free space
        // and a new name.
        QTest::keyClick(name->completer()->popup(), Qt::Key_Escape);
        save.setDirectory(folder.path());
        auto* list = save.findChild<QAbstractItemView*>(QStringLiteral("treeView"));
        QVERIFY(list != nullptr);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->viewport()->rect().bottomLeft() + QPoint(4, -4));
        EnterFileName(&save, QStringLiteral("nya"));
        QSignalSpy chosen(&save, &QFileDialog::fileSelected);
        PressSave(&save);
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.at(0).at(0).toString(), folder.filePath(QStringLiteral("nya.txt")));
    }

    void overwriteIsAskedFirst() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("gammal.txt"));
        const QByteArray old(500, 'o');
        WriteAll(path, old);
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        GenerateOneRow(dialog);

        // First answer No: the dialog stays, then is cancelled.
        bool asked = false;
        WhenModalOpens<QFileDialog>([&](QFileDialog* save) {
            WhenModalOpens<QMessageBox>([&, save](QMessageBox* question) {
                asked = true;
                // In Swedish, as the rest of the window, whatever the locale.
                QCOMPARE(question->button(QMessageBox::Yes)->text().remove(u'&'),
                         QStringLiteral("Ja"));
                QCOMPARE(question->button(QMessageBox::No)->text().remove(u'&'),
                         QStringLiteral("Nej"));
                question->button(QMessageBox::No)->click();
                QTimer::singleShot(0, save, &QDialog::reject);
            });
            EnterFileName(save, path);
            PressSave(save);
        });
        QVERIFY(Click(dialog, id::kSave));
        QVERIFY(asked);
        QCOMPARE(ReadAll(path), old);

        // Then Yes: the shorter text replaces the old one completely.
        asked = false;
        WhenModalOpens<QFileDialog>([&](QFileDialog* save) {
            WhenModalOpens<QMessageBox>([&](QMessageBox* question) {
                asked = true;
                question->button(QMessageBox::Yes)->click();
            });
            EnterFileName(save, path);
            PressSave(save);
        });
        QVERIFY(Click(dialog, id::kSave));
        QVERIFY(asked);
        QCOMPARE(ReadAll(path), Bytes(dialog.Session().Model().Item(id::kRows)->text));
    }

    void folderMustExist() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("saknas/rader.txt"));
        // The real save dialog; a failed save would only be recorded.
        int saveFailures = 0;
        Prompts prompts = DefaultPrompts();
        prompts.showWarning = [&saveFailures](QWidget*, const QString&, const QString&) {
            ++saveFailures;
        };
        MainDialog dialog(prompts);
        QVERIFY(ShowAndActivate(dialog));
        GenerateOneRow(dialog);
        bool warned = false;
        bool stayedOpen = false;
        WhenModalOpens<QFileDialog>([&](QFileDialog* save) {
            WhenModalOpens<QMessageBox>([&, save](QMessageBox* warning) {
                warned = true;
                warning->button(QMessageBox::Ok)->click();
                QTimer::singleShot(0, save, [&, save] {
                    stayedOpen = save->isVisible();
                    save->reject();
                });
            });
            EnterFileName(save, path);
            PressSave(save);
        });
        QVERIFY(Click(dialog, id::kSave));
        QVERIFY(warned);
        QVERIFY(stayedOpen);
        QCOMPARE(saveFailures, 0);
        QVERIFY(!QFile::exists(path));
        QVERIFY(!QDir(folder.filePath(QStringLiteral("saknas"))).exists());
    }

    void cancellingSavesNothing() {
        QTemporaryDir folder;
        bool cancelled = false;
        int messages = 0;
        Prompts prompts = DefaultPrompts();
        prompts.showWarning = [&messages](QWidget*, const QString&, const QString&) { ++messages; };
        MainDialog dialog(prompts);
        QVERIFY(ShowAndActivate(dialog));
        GenerateOneRow(dialog);
        const auto before = dialog.Session().Model().Item(id::kRows)->text;
        WhenModalOpens<QFileDialog>([&](QFileDialog* save) {
            save->setDirectory(folder.path());
            EnterFileName(save, QStringLiteral("rader.txt"));
            cancelled = true;
            save->reject();
        });
        QVERIFY(Click(dialog, id::kSave));
        QVERIFY(cancelled);
        QCOMPARE(messages, 0);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
        QCOMPARE(dialog.Session().Model().Item(id::kRows)->text, before);
    }

    void failedSaveShowsTheMessageAndKeepsTheOldFile() {
        // A folder where the file should go: the save fails for any user,
        // root included, and what stood there stays.
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("rader.txt"));
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("rader.txt")));
        const QString inside = path + QStringLiteral("/gammal.txt");
        const QByteArray old("gamla rader\r\n");
        WriteAll(inside, old);
        FakePrompts paths;
        paths.nextPath = path;
        Prompts prompts = paths.Make();
        prompts.showWarning = DefaultPrompts().showWarning; // the real message box
        MainDialog dialog(prompts);
        QVERIFY(ShowAndActivate(dialog));
        GenerateOneRow(dialog);

        bool shown = false;
        QString text;
        QString title;
        QMessageBox::Icon icon{};
        QMessageBox::StandardButtons buttons{};
        QWidget* owner = nullptr;
        WhenModalOpens<QMessageBox>([&](QMessageBox* box) {
            shown = true;
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            buttons = box->standardButtons();
            owner = box->parentWidget();
            box->button(QMessageBox::Ok)->click();
        });
        QVERIFY(Click(dialog, id::kSave));
        QVERIFY(shown);
        QCOMPARE(text, QStringLiteral("Save file failed."));
        QCOMPARE(title, QStringLiteral("Error"));
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(owner, &dialog);
        QCOMPARE(ReadAll(inside), old);
        QCOMPARE(QDir(folder.path())
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                     .size(),
                 1);
    }

    void failedSaveInAReadOnlyFolder() {
        if (::geteuid() == 0) {
            QSKIP("root writes into read-only folders");
        }
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("rader.txt"));
        const QByteArray old("gamla rader");
        WriteAll(path, old);
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
        FakePrompts prompts;
        prompts.nextPath = path;
        MainDialog dialog(prompts.Make());
        QVERIFY(ShowAndActivate(dialog));
        GenerateOneRow(dialog);
        QVERIFY(Click(dialog, id::kSave));
        QFile::setPermissions(folder.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(prompts.messages.size(), std::size_t{1});
        QCOMPARE(prompts.messages[0].text, QStringLiteral("Save file failed."));
        QCOMPARE(prompts.messages[0].title, QStringLiteral("Error"));
        QCOMPARE(ReadAll(path), old);
    }

    // The page gets the text area's UTF-8 and must give the model the bytes
    // the window gives it for the same typing: every kind of line break, a
    // character Windows-1252 lacks, one outside the 16-bit plane, the five
    // bytes Windows keeps as they are, and every character of the code page,
    // each against bytes written out here.
    void pageHandsOverTypedTextAsTheWindowDoes() {
        std::vector<std::pair<QString, std::string>> typed = {
            {QString(), ""},
            {QStringLiteral("E,1,X,2\r\nE,2,2,1"), "E,1,X,2\r\nE,2,2,1"},
            {QStringLiteral("a\nb\rc\r\rd\n\n"), "a\r\nb\r\nc\r\n\r\nd\r\n\r\n"},
            {QStringLiteral("\r\n\r"), "\r\n\r\n"},
            {QString::fromUtf8("x\u2028y\u2029z"), "x\r\ny\r\nz"},
            {QString::fromUtf8("Kupong f\u00f6r m\u00e5ndag: 5 \u20ac"),
             "Kupong f\xF6r m\xE5ndag: 5 \x80"},
            {QString::fromUtf8("\u0142\u00f3d\u017a \U0001F600"), std::string("?\xF3") + "d? ?"},
            {QString::fromUtf8("\u0081\u008d\u008f\u0090\u009d\u00ff"), "\x81\x8D\x8F\x90\x9D\xFF"},
        };
        for (int byte = 0; byte < 256; ++byte) {
            const bool lineBreak = byte == '\r' || byte == '\n';
            typed.emplace_back(QChar(testing::kWindows1252[byte]),
                               lineBreak ? "\r\n" : std::string(1, static_cast<char>(byte)));
        }
        for (const auto& [text, bytes] : typed) {
            const QByteArray utf8 = text.toUtf8();
            QCOMPARE(Utf8ToAnsiCrLf(std::string_view(utf8.constData(), utf8.size())), bytes);
            QCOMPARE(ToAnsiCrLf(text), bytes);
        }
    }
};

QTEST_MAIN(SaveTest)
#include "save_test.moc"

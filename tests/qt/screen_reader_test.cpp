// The window through a screen reader (AT-SPI, on a private accessibility
// bus): every shown control is found by its role and name, and a whole
// session of single rows is made and saved with accessibility actions and
// typed keys alone, the screen reader seeing exactly the model after every
// step; the menu and the check window the same way.
#include "layout_support.h"
#include "window_test_support.h"

#include "control_table.h"
#include "dialog_outline.h"
#include "dialog_template.h"
#include "menu_table.h"
#include "random_mersenne.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <map>
#include <optional>
#include <vector>

using namespace kupongen;
using namespace kupongen::qt;
using namespace kupongen::qt::test;

namespace {

constexpr int kAnswerMilliseconds = 30000;

// The screen reader's side, a separate process: AT-SPI calls must be
// answered by this process's event loop while the agent waits for them.
class Agent {
public:
    bool Start() {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(KUPONGEN_PYTHON),
                       {QStringLiteral(KUPONGEN_AGENT), QCoreApplication::applicationName()});
        return process_.waitForStarted();
    }
    ~Agent() {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
        }
    }

    // Sends one command and keeps the window answering until the agent has
    // answered; the answer, or the error as a string.
    QJsonValue Ask(const QString& command) {
        process_.write(command.toUtf8() + '\n');
        // An event loop, not a sleeping wait: every AT-SPI call the agent
        // makes meanwhile is answered at once.
        QEventLoop loop;
        QObject::connect(&process_, &QProcess::readyReadStandardOutput, &loop, &QEventLoop::quit);
        QObject::connect(&process_, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(kAnswerMilliseconds, &loop, &QEventLoop::quit);
        QDeadlineTimer deadline(kAnswerMilliseconds);
        while (!process_.canReadLine() && !deadline.hasExpired() &&
               process_.state() == QProcess::Running) {
            loop.exec();
        }
        if (!process_.canReadLine()) {
            return QStringLiteral("no answer to ") + command;
        }
        const QJsonObject reply = QJsonDocument::fromJson(process_.readLine()).object();
        if (!reply.value(QStringLiteral("ok")).toBool()) {
            return QStringLiteral("error: ") + reply.value(QStringLiteral("error")).toString();
        }
        return reply.value(QStringLiteral("answer"));
    }

private:
    QProcess process_;
};

const std::map<int, QString> kEditNames = {{id::kRows, QStringLiteral("Rader")},
                                           {id::kStatus, QStringLiteral("Status")},
                                           {id::kInfoPanel, QStringLiteral("Slumpmetod info")}};

QString SureBoxName(int match, int sign) {
    return QStringLiteral("Match %1: %2").arg(match).arg(QLatin1Char("1X2"[sign]));
}

// The role and name a screen reader must find for a template item. No item
// is labelled by another: a screen reader would speak the label's text in
// place of the item's own name.
struct Expected {
    QString role;
    QString name;
};

Expected ExpectedFor(std::size_t index) {
    const DialogItem& item = kDialogItems[index];
    const QString caption = FromAnsi(item.caption.view());
    switch (item.kind) {
    case ItemKind::GroupBox:
        return {QStringLiteral("panel"), caption};
    case ItemKind::Label:
        return {QStringLiteral("label"), caption};
    case ItemKind::CheckBox:
        if (item.id >= kFirstSureBoxId && item.id < kFirstSureBoxId + kSureBoxCount) {
            const int box = item.id - kFirstSureBoxId;
            return {QStringLiteral("check box"),
                    SureBoxName(box / kSignCount + 1, box % kSignCount)};
        }
        return {QStringLiteral("check box"), caption};
    case ItemKind::RadioButton:
        return {QStringLiteral("radio button"), caption};
    case ItemKind::PushButton:
        return {QStringLiteral("push button"), caption};
    case ItemKind::Edit:
        return {QStringLiteral("text"), kEditNames.at(item.id)};
    }
    return {};
}

// A template's items in the order of the screen reader's tree: each group
// box followed by the items its frame holds.
std::vector<std::size_t> TreeOrder(DialogItems items = kDialogItems) {
    const auto groupOf = [items](std::size_t item) -> std::optional<std::size_t> {
        for (std::size_t g = 0; g < items.size(); ++g) {
            if (g != item && items[g].kind == ItemKind::GroupBox &&
                Contains(items[g], items[item])) {
                return g;
            }
        }
        return std::nullopt;
    };
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!groupOf(i)) {
            order.push_back(i);
            for (std::size_t j = 0; j < items.size(); ++j) {
                if (groupOf(j) == i) {
                    order.push_back(j);
                }
            }
        }
    }
    return order;
}

QStringList Strings(const QJsonValue& value) {
    QStringList strings;
    for (const QJsonValue& element : value.toArray()) {
        strings.append(element.toString());
    }
    return strings;
}

// What the screen reader sees against the template and the model: the first
// difference, or an empty text.
QString ScreenReaderDifference(MainDialog& dialog, const QJsonValue& items) {
    if (!items.isArray()) {
        return items.toString();
    }
    const QJsonArray seen = items.toArray();
    if (seen.size() != static_cast<qsizetype>(kDialogItems.size())) {
        return QStringLiteral("%1 items").arg(seen.size());
    }
    const std::vector<std::size_t> order = TreeOrder();
    for (std::size_t n = 0; n < order.size(); ++n) {
        const std::size_t i = order[n];
        const QJsonObject item = seen[static_cast<qsizetype>(n)].toObject();
        const Expected expected = ExpectedFor(i);
        const QString where =
            QStringLiteral("item %1 (%2 \"%3\"): ").arg(i).arg(expected.role, expected.name);
        if (item[QStringLiteral("role")].toString() != expected.role ||
            item[QStringLiteral("name")].toString() != expected.name) {
            return where + QStringLiteral("found as %1 \"%2\"")
                               .arg(item[QStringLiteral("role")].toString(),
                                    item[QStringLiteral("name")].toString());
        }
        if (!Strings(item[QStringLiteral("labelledBy")]).isEmpty() ||
            !Strings(item[QStringLiteral("labelFor")]).isEmpty()) {
            return where + QStringLiteral("labels");
        }
        const int controlId = kDialogItems[i].id;
        if (controlId == kNoId) {
            continue;
        }
        const ControlState& control = *dialog.Session().Model().Item(controlId);
        const QStringList actions = Strings(item[QStringLiteral("actions")]);
        if (item[QStringLiteral("showing")].toBool() != control.visible) {
            return where + QStringLiteral("shown");
        }
        if (item[QStringLiteral("checked")].toBool() != control.checked) {
            return where + QStringLiteral("check mark");
        }
        if (control.kind != ControlKind::Edit && !actions.contains(QStringLiteral("Press"))) {
            return where + QStringLiteral("no press action: ") + actions.join(u',');
        }
        const bool markable =
            control.kind == ControlKind::CheckBox || control.kind == ControlKind::RadioButton;
        if (markable && !actions.contains(QStringLiteral("Toggle"))) {
            return where + QStringLiteral("no toggle action");
        }
    }
    return {};
}

// What the screen reader sees of the check window against its template and
// the review: the first difference, or an empty text.
QString CheckWindowDifference(const CheckWindow& window, const QJsonValue& items) {
    const QJsonArray seen = items.toArray();
    if (seen.size() != static_cast<qsizetype>(rows::kReviewItems.size())) {
        return items.isArray() ? QStringLiteral("%1 items").arg(seen.size()) : items.toString();
    }
    const std::vector<std::size_t> order = TreeOrder(rows::kReviewItems);
    for (std::size_t n = 0; n < order.size(); ++n) {
        const DialogItem& item = rows::kReviewItems[order[n]];
        const QJsonObject found = seen[static_cast<qsizetype>(n)].toObject();
        static const std::map<ItemKind, QString> roles = {
            {ItemKind::GroupBox, QStringLiteral("panel")},
            {ItemKind::Label, QStringLiteral("label")},
            {ItemKind::CheckBox, QStringLiteral("check box")},
            {ItemKind::PushButton, QStringLiteral("push button")},
            {ItemKind::Edit, QStringLiteral("text")}};
        const QString role =
            rows::IsReviewChart(item) ? QStringLiteral("chart") : roles.at(item.kind);
        const auto name = rows::ReviewScreenReaderName(item.id);
        const QString expected = FromAnsi(name ? *name
                                          : item.kind == ItemKind::Label && item.id != kNoId
                                              ? rows::ReviewItemText(window.Review(), item.id)
                                              : std::string(item.caption.view()));
        if (found[QStringLiteral("role")].toString() != role ||
            found[QStringLiteral("name")].toString() != expected) {
            return QStringLiteral("%1 \"%2\" found as %3 \"%4\"")
                .arg(role, expected, found[QStringLiteral("role")].toString(),
                     found[QStringLiteral("name")].toString());
        }
        if (found[QStringLiteral("checked")].toBool() !=
            rows::ReviewItemChecked(window.Review(), item.id)) {
            return expected + QStringLiteral(": check mark");
        }
        // Each item names its group, or the window, as its parent: the tree
        // reads the same both ways.
        const auto group = EnclosingGroupBox(rows::kReviewItems, order[n]);
        const QString parent =
            group ? FromAnsi(rows::kReviewItems[*group].caption.view()) : window.windowTitle();
        if (found[QStringLiteral("parent")].toString() != parent) {
            return expected + QStringLiteral(": in ") + found[QStringLiteral("parent")].toString();
        }
        if (rows::IsReviewChart(item) &&
            found[QStringLiteral("description")].toString() !=
                FromAnsi(rows::ReviewItemText(window.Review(), item.id))) {
            return expected + QStringLiteral(": counts");
        }
    }
    return {};
}

} // namespace

class ScreenReaderTest : public QObject {
    Q_OBJECT

    TestSettings settings_;

private slots:
    void initTestCase() {
        SetUpApplicationOnce();
        QVERIFY(settings_.Install());
    }

    void screenReaderSeesTheMenuAndTheCheckWindow() {
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        Agent agent;
        QVERIFY(agent.Start());
        // Verktyg and its items as the menu table gives them, Unika rader
        // marked as the model marks it, also after a screen reader's press.
        for (const bool on : {false, true}) {
            const QJsonArray menu = agent.Ask(QStringLiteral("menu")).toArray();
            QCOMPARE(menu.size(), static_cast<qsizetype>(2 + kMenuItems.size()));
            QCOMPARE(menu[0][QStringLiteral("name")].toString(), QStringLiteral("Verktyg"));
            for (std::size_t i = 0; i < kMenuItems.size(); ++i) {
                const QJsonValue item = menu[static_cast<qsizetype>(2 + i)];
                const bool separator = kMenuItems[i].kind == MenuItemKind::Separator;
                QCOMPARE(item[QStringLiteral("role")].toString(),
                         separator ? QStringLiteral("separator") : QStringLiteral("menu item"));
                QCOMPARE(item[QStringLiteral("name")].toString(),
                         FromAnsi(kMenuItems[i].caption.view()).remove(u'&'));
            }
            QCOMPARE(menu[2][QStringLiteral("checked")].toBool(), on);
            if (!on) {
                QVERIFY(agent.Ask(QStringLiteral("menu-do Unika rader|Press")).isBool());
                QTRY_VERIFY(dialog.Session().Model().MenuState(id::kMenuDistinct)->checked);
                QVERIFY(DistinctMarkIsTheModels(dialog));
            }
        }

        // Kontrollera raderna…: every item of the check window by its role
        // and name, inside its group, the chart's counts as its description.
        QVERIFY(agent.Ask(QStringLiteral("menu-do Kontrollera raderna…|Press")).isBool());
        QTRY_VERIFY(dialog.OpenedCheckWindow() != nullptr &&
                    dialog.OpenedCheckWindow()->isVisible());
        const CheckWindow& check = *dialog.OpenedCheckWindow();
        const QString title = QStringLiteral("Kontrollera");
        QCOMPARE(CheckWindowDifference(check, agent.Ask(QStringLiteral("items ") + title)),
                 QString());
        const QJsonValue answer =
            agent.Ask(QStringLiteral("do check box|Match 2: X|Toggle|") + title);
        QVERIFY2(answer.isBool(), qPrintable(answer.toString()));
        QTRY_COMPARE(check.Review().Sign(2), rows::kCross);
        QTRY_COMPARE(CheckWindowDifference(check, agent.Ask(QStringLiteral("items ") + title)),
                     QString());
    }

    void screenReaderSeesTheModelAndMakesRows() {
        rg.RandomInit(1);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("rader"));
        MainDialog dialog;
        QVERIFY(ShowAndActivate(dialog));
        Agent agent;
        QVERIFY(agent.Start());
        QCOMPARE(ScreenReaderDifference(dialog, agent.Ask(QStringLiteral("items"))), QString());

        // Each action answers at once and clicks right after; the window and
        // the screen reader then show the model.
        const auto act = [&](const QString& role, const QString& name, const QString& action) {
            const QJsonValue answer =
                agent.Ask(QStringLiteral("do %1|%2|%3").arg(role, name, action));
            QVERIFY2(answer.isBool(), qPrintable(answer.toString()));
            QTRY_COMPARE(ScreenReaderDifference(dialog, agent.Ask(QStringLiteral("items"))),
                         QString());
            QCOMPARE(MirrorDifference(dialog), QString());
        };
        const QString checkBox = QStringLiteral("check box");
        act(checkBox, QStringLiteral("ENKELRADER"), QStringLiteral("Toggle"));
        QVERIFY(Shown(dialog, 1049));
        // A mouse click on SYSTEM then leaves one mode box checked, here and
        // for the screen reader.
        QVERIFY(Click(dialog, id::kSystem));
        QVERIFY(!Marked(dialog, id::kEnkelrader));
        QCOMPARE(ScreenReaderDifference(dialog, agent.Ask(QStringLiteral("items"))), QString());

        act(checkBox, QStringLiteral("ENKELRADER"), QStringLiteral("Press"));
        act(QStringLiteral("radio button"), QStringLiteral("10"), QStringLiteral("Toggle"));
        act(checkBox, QStringLiteral("Kompatibel rad för svenska spel? KLICKA HÄR!"),
            QStringLiteral("Toggle"));
        act(checkBox, SureBoxName(4, 1), QStringLiteral("Toggle"));
        act(QStringLiteral("push button"), QStringLiteral("GENERERA rader"),
            QStringLiteral("Press"));
        QCOMPARE(Status(dialog)->text(), QStringLiteral("ENKELRADS generering utförd."));

        // The save dialog opens in the current folder and takes the name from
        // the keyboard (a bare name: a typed path would open Qt's completer,
        // which takes the Return key for itself).
        const QString started = QDir::currentPath();
        QDir::setCurrent(folder.path());
        bool typed = false;
        WhenModalOpens<QFileDialog>([&](QFileDialog* save) {
            // There is no window manager on this display to give the new
            // dialog the keyboard, as a desktop would.
            save->activateWindow();
            QTRY_COMPARE(QGuiApplication::focusWindow(), save->windowHandle());
            // Keys typed on the display arrive in order after the answer.
            QVERIFY(agent.Ask(QStringLiteral("type rader")).isBool());
            QVERIFY(agent.Ask(QStringLiteral("key ff0d")).isBool()); // Return
            typed = true;
        });
        act(QStringLiteral("push button"), QStringLiteral("SPARA raderna"),
            QStringLiteral("Press"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path + QStringLiteral(".txt")), 30000);
        QDir::setCurrent(started);
        QVERIFY(typed);
        QCOMPARE(SavedTenRowsDifference(dialog, path + QStringLiteral(".txt")), QString());
        // The sure box the screen reader checked: match 4 is X in every row.
        for (const QString& row : Rows(dialog)->toPlainText().split(u'\n').mid(1)) {
            QCOMPARE(row.split(u',').value(4), QStringLiteral("X"));
        }
    }
};

QTEST_MAIN(ScreenReaderTest)
#include "screen_reader_test.moc"

#include "startup.h"

#include "dialog_font.h"
#include "dialog_style.h"
#include "dialog_template.h"
#include "main_dialog.h"

#include <QApplication>
#include <QByteArray>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace kupongen::qt {

namespace {

// Qt's Swedish catalogue as Debian ships it predates Qt 5, which moved the
// standard buttons' texts ("&Yes") from QDialogButtonBox to QPlatformTheme;
// those are looked up under the old name.
class SwedishQt : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        QString text = QTranslator::translate(context, source, disambiguation, n);
        if (text.isEmpty() && qstrcmp(context, "QPlatformTheme") == 0) {
            text = QTranslator::translate("QDialogButtonBox", source, disambiguation, n);
        }
        return text;
    }
};

constexpr const char* kUsage =
    "Usage: kupongen [Qt options]\n"
    "       kupongen --help | --version\n"
    "\n"
    "Shows the Kupongen window, which fills in random rows for the Swedish\n"
    "13-match football pool. It needs a display; kupongen-headless drives the\n"
    "same dialog from a script without one.\n"
    "\n"
    "Options:\n"
    "  --help      show this text\n"
    "  --version   show the version\n"
    "Qt's own options, such as -style NAME and -platform NAME, also apply.\n";

// Messages Qt logs while it opens the display: shown only if the display
// opens, because a failed start is reported in one line of our own.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::vector<HeldMessage> heldMessages;
QtMessageHandler previousHandler = nullptr;
bool styleRequested = false;

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

[[noreturn]] void ReportNoDisplay() {
    const std::string display = EnvironmentValue("DISPLAY");
    const std::string wayland = EnvironmentValue("WAYLAND_DISPLAY");
    bool pluginMissing = false;
    for (const HeldMessage& message : heldMessages) {
        pluginMissing =
            pluginMissing || message.text.contains(QStringLiteral("Could not find the Qt "
                                                                  "platform plugin"));
    }
    std::string missing;
    if (pluginMissing) {
        missing = "Qt's platform plugin is missing (Debian: qt6-qpa-plugins)";
    } else if (display.empty() && wayland.empty()) {
        missing = "no display: neither DISPLAY nor WAYLAND_DISPLAY is set";
    } else {
        missing = "the display \"" + (display.empty() ? wayland : display) + "\" cannot be opened";
    }
    std::fprintf(stderr,
                 "kupongen: cannot show the window, %s (kupongen-headless needs no display)\n",
                 missing.c_str());
    std::fflush(stderr);
    std::_Exit(1);
}

void HoldStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        ReportNoDisplay();
    }
    heldMessages.push_back({type, QByteArray(context.category), text});
}

bool AsksForStyle(int argc, char** argv) {
    if (qEnvironmentVariableIsSet("QT_STYLE_OVERRIDE")) {
        return true;
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-style") == 0 || std::strcmp(argv[i], "--style") == 0 ||
            std::strncmp(argv[i], "-style=", 7) == 0 || std::strncmp(argv[i], "--style=", 8) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<int> AnswerHelpOrVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("kupongen %s\n", std::string(kVersion.view()).c_str());
            return 0;
        }
    }
    return std::nullopt;
}

std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv) {
    styleRequested = AsksForStyle(argc, argv);
    previousHandler = qInstallMessageHandler(HoldStartupMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& message : heldMessages) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    heldMessages.clear();
    return app;
}

void SetUpApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("kupongen"));
    QApplication::setDesktopFileName(QStringLiteral("kupongen"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kupongen-64.png")));
    RegisterDialogFont();
    // The whole interface is Swedish, so Qt's own dialogs are too, whatever
    // the system's language.
    auto* translator = new SwedishQt(&app);
    if (translator->load(QLocale(QLocale::Swedish, QLocale::Sweden), QStringLiteral("qt"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }
    // The save dialog and the message boxes draw in the application's font.
    QFont font = QApplication::font();
    HintToWholePixels(font);
    QApplication::setFont(font);
    // The Windows look unless the user chose a style; either way with
    // compact check boxes.
    QStyle* base = styleRequested ? QStyleFactory::create(app.style()->name()) : nullptr;
    QApplication::setStyle(new DialogStyle(base));
}

int RunDialog() {
    MainDialog dialog;
    dialog.show();
    return QApplication::exec();
}

} // namespace kupongen::qt

#include "startup.h"

#include "dialog_font.h"
#include "dialog_style.h"
#include "dialog_template.h"
#include "main_dialog.h"

#include <QApplication>
#include <QByteArray>
#include <QFont>
#include <QIcon>
#include <QStyleFactory>
#include <QtGlobal>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace kupongen::qt {

namespace {

constexpr const char* kUsage =
    "Usage: kupongen [Qt options]\n"
    "       kupongen -h | --help | -V | --version\n"
    "\n"
    "Shows the Kupongen window, which fills in random rows for the Swedish\n"
    "13-match football pool. It needs a display; kupongen-headless drives the\n"
    "same dialog from a script without one.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this text and exit\n"
    "  -V, --version  show the version and exit\n"
    "Qt's own options, such as -style NAME and -platform NAME, also apply.\n";

// The options QApplication takes itself, with one or two leading dashes.
struct QtOption {
    const char* name;
    bool takesValue;
};
constexpr QtOption kQtOptions[] = {{"platform", true},
                                   {"platformpluginpath", true},
                                   {"platformtheme", true},
                                   {"plugin", true},
                                   {"qwindowgeometry", true},
                                   {"geometry", true},
                                   {"qwindowicon", true},
                                   {"icon", true},
                                   {"qwindowtitle", true},
                                   {"title", true},
                                   {"style", true},
                                   {"stylesheet", true},
                                   {"session", true},
                                   {"display", true},
                                   {"name", true},
                                   {"reverse", false},
                                   {"widgetcount", false},
                                   {"nograb", false},
                                   {"dograb", false},
                                   {"sync", false}};

// The Qt option ARG names, or nullptr. "-style=NAME" carries its value.
const QtOption* FindQtOption(std::string_view arg) {
    if (!arg.starts_with('-')) {
        return nullptr;
    }
    arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
    const std::string_view name = arg.substr(0, arg.find('='));
    for (const QtOption& option : kQtOptions) {
        if (name == option.name && (name.size() == arg.size() || option.takesValue)) {
            return &option;
        }
    }
    return nullptr;
}

// Prints TEXT on standard output. Output that cannot be written, a full disk
// or a closed descriptor, is an error of its own.
int PrintAnswer(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        const int error = errno;
        std::fprintf(stderr, "kupongen: cannot write to standard output: %s\n",
                     std::strerror(error));
        return 2;
    }
    return 0;
}

// An argument as a usage error shows it: control characters (C0, DEL and
// C1 in UTF-8) as \xNN, so a crafted argument cannot forge further lines.
std::string Quoted(std::string_view arg) {
    std::string quoted = "'";
    for (std::size_t i = 0; i < arg.size(); ++i) {
        const auto byte = static_cast<unsigned char>(arg[i]);
        const bool c1 = byte == 0xC2 && i + 1 < arg.size() &&
                        static_cast<unsigned char>(arg[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(arg[i + 1]) <= 0x9F;
        if (byte < 0x20 || byte == 0x7F || c1) {
            const auto shown = c1 ? static_cast<unsigned char>(arg[++i]) : byte;
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", shown);
            quoted += escape;
        } else if (byte == '\\') {
            quoted += "\\\\";
        } else {
            quoted += arg[i];
        }
    }
    return quoted + "'";
}

int RefuseUsage(const std::string& problem) {
    std::fprintf(stderr, "kupongen: %s\nTry 'kupongen --help' for more information.\n",
                 problem.c_str());
    return 2;
}

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

std::optional<int> AnswerCommandLine(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            return PrintAnswer(kUsage);
        }
        if (arg == "-V" || arg == "--version") {
            return PrintAnswer("kupongen " + std::string(kVersion.view()) + "\n");
        }
        if (const QtOption* option = FindQtOption(arg)) {
            if (option->takesValue && arg.find('=') == std::string_view::npos) {
                if (i + 1 == argc) {
                    return RefuseUsage("option " + Quoted(arg) + " requires an argument");
                }
                ++i;
            }
            continue;
        }
        if (arg.starts_with('-') && arg != "-") {
            return RefuseUsage("unrecognized option " + Quoted(arg));
        }
        return RefuseUsage("extra operand " + Quoted(arg));
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
    // The desktop entry's name, which Wayland matches the window to.
    QApplication::setDesktopFileName(QStringLiteral("example.kupongen.Kupongen"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kupongen-64.png")));
    RegisterDialogFont();
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

// Start-up of the window program.
#pragma once

#include <memory>
#include <optional>

class QApplication;

namespace kupongen::qt {

// Answers -h/--help and -V/--version, which need no display, and refuses an
// unknown option or an operand with status 2 before any window opens.
// Returns the exit status, or nothing when the window should start.
std::optional<int> AnswerCommandLine(int argc, char** argv);

// Creates the application. Where no display can be opened, prints one line
// saying what is missing and ends the program with status 1, instead of
// letting Qt abort.
std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv);

// The font, style and icon the window needs; the tests share them.
void SetUpApplication(QApplication& app);

// Shows the dialog and runs the event loop until the window is closed.
// Returns the exit code.
int RunDialog();

} // namespace kupongen::qt

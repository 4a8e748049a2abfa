// The command line shared by the script drivers (kupongen-headless and the
// native Windows one): options, the script, the run and the exit status.
#pragma once

#include "script_target.h"

#include <functional>
#include <memory>
#include <span>
#include <string>

namespace kupongen::script {

// Builds the dialog a script drives; message boxes go to the sink.
using TargetFactory = std::function<std::unique_ptr<ScriptTarget>(MessageBoxSink onMessageBox)>;

// arguments: the command line without the program name, UTF-8. Prints to
// std::cout and std::cerr; returns 0 when every line ran, 1 when a line was
// refused, 2 for a usage error.
int ScriptMain(std::span<const std::string> arguments, const TargetFactory& makeTarget);

} // namespace kupongen::script

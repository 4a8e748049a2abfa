// The command line shared by the script drivers (kupongen-headless and the
// native Windows one): options, the script, the run and the exit status.
#pragma once

#include "script_target.h"

#include <span>
#include <string>

namespace kupongen::script {

// arguments: the command line without the program name, UTF-8. Prints to
// std::cout and std::cerr. Returns 2 for a usage error; else for a script 0
// when every line ran and 1 when a line was refused, and for the rows options
// 0 when the rows were written and 1 when they were not.
int ScriptMain(std::span<const std::string> arguments, const TargetFactory& makeTarget);

} // namespace kupongen::script

// kupongen-headless: the dialog without a window, driven by a script.
#include "model_target.h"
#include "script_main.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return kupongen::script::ScriptMain(arguments, [](kupongen::script::MessageBoxSink sink) {
        return std::make_unique<kupongen::script::ModelTarget>(std::move(sink));
    });
}

#include "startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    if (const auto status = kupongen::qt::AnswerCommandLine(argc, argv)) {
        return *status;
    }
    const auto app = kupongen::qt::OpenApplication(argc, argv);
    kupongen::qt::SetUpApplication(*app);
    return kupongen::qt::RunDialog();
}

#include "startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    const auto app = kupongen::qt::OpenApplication(argc, argv);
    kupongen::qt::SetUpApplication(*app);
    return kupongen::qt::RunDialog();
}

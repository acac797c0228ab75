// Shows the program's warning message box with the text given as its argument, as the bar
// shows its own warnings, so that a test can compare the two on screen.
#include "platform/desktopservices.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ombrix"));
    if (argc != 2)
        return 2;
    ombrix::platform::showWarning(nullptr, QString::fromLocal8Bit(argv[1]));
    return 0;
}

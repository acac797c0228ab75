// Shows the program's warning message box with the text given as its argument, as the bar
// shows its own warnings, so that a test can compare the two on screen. With --after-icons
// the box is shown as it looks once the bar has read key icons (the icon theme is set up).
#include "platform/desktopservices.h"
#include "platform/icons.h"

#include <QApplication>

#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ombrix"));
    const bool afterIcons = argc == 3 && std::strcmp(argv[2], "--after-icons") == 0;
    if (argc != 2 && !afterIcons)
        return 2;
    if (afterIcons)
        (void)ombrix::platform::smallFileIcon(argv[0]);
    ombrix::platform::showWarning(nullptr, QString::fromLocal8Bit(argv[1]));
    return 0;
}

// The reference for the launch benchmark: the least a Qt bar window can be. A frameless,
// always-on-top window that takes no focus, as large as the open bar on a 1920 x 1080 screen,
// cut to a strip and a round handle by a mask, painted with two fills and nothing else.
// With --text it also shows a label and a push button with a word each, as the bar does: the
// least any window with text costs (the fonts, the style's buttons).
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegion>
#include <QWidget>

namespace {

class BareWindow : public QWidget {
public:
    explicit BareWindow(bool withText)
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool |
                               Qt::WindowDoesNotAcceptFocus) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setWindowTitle(QStringLiteral("barewindow"));
        setGeometry(0, 0, 1920, 62);
        setMask(QRegion(0, 0, 27, 27, QRegion::Ellipse) + QRegion(0, 0, 1920, 62));
        if (withText) {
            (new QLabel(QStringLiteral("X"), this))->setGeometry(40, 5, 20, 20);
            (new QPushButton(QStringLiteral("ins."), this))->setGeometry(70, 2, 40, 20);
        }
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0xE6, 0xE2, 0xD8));
        painter.setBrush(QColor(0x2B, 0x5F, 0x82));
        painter.drawEllipse(0, 0, 26, 26);
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window(QCoreApplication::arguments().contains(QStringLiteral("--text")));
    window.show();
    return QApplication::exec();
}

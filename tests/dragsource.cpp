// A stand-in for a file manager in end-to-end tests: a small window at a given place that,
// when pressed, drags its files (and addresses) as a text/uri-list, offering a copy or a link
// as file managers do. After each drag it prints what the target did with it ("copy", "link",
// "move" or "none") on its own line.
//
// Usage: dragsource <x> <y> <file or address>...
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <QWidget>

#include <cstdio>

namespace {

class DragSource : public QWidget {
public:
    explicit DragSource(QList<QUrl> urls) : urls_(std::move(urls)) {
        setWindowTitle(QStringLiteral("dragsource"));
        setFixedSize(160, 80);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0xFF, 0xF3, 0xC4));
        painter.drawText(rect(), Qt::AlignCenter, urls_.first().fileName());
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton)
            return;
        auto* data = new QMimeData;
        data->setUrls(urls_);
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        QPixmap picture(48, 24);
        picture.fill(QColor(0x3A, 0x7B, 0xD5));
        drag->setPixmap(picture);
        drag->setHotSpot(QPoint(24, 12));
        const Qt::DropAction done = drag->exec(Qt::CopyAction | Qt::LinkAction, Qt::CopyAction);
        const char* name = done == Qt::CopyAction   ? "copy"
                           : done == Qt::LinkAction ? "link"
                           : done == Qt::MoveAction ? "move"
                                                    : "none";
        std::printf("%s\n", name);
        std::fflush(stdout);
    }

private:
    QList<QUrl> urls_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: dragsource <x> <y> <file or address>...\n");
        return 2;
    }
    QList<QUrl> urls;
    for (int i = 3; i < argc; ++i) {
        const QString text = QString::fromLocal8Bit(argv[i]);
        urls.push_back(text.contains(QStringLiteral("://")) ? QUrl(text)
                                                            : QUrl::fromLocalFile(text));
    }
    DragSource window(urls);
    window.move(QString::fromLatin1(argv[1]).toInt(), QString::fromLatin1(argv[2]).toInt());
    window.show();
    return QApplication::exec();
}

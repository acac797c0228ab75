#include "platform/firstframe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <vector>

namespace ombrix::platform {

namespace {

constexpr int patienceMs = 1000;

// Watches the application's events until a window's first paint, then runs what waits.
class FirstFrame : public QObject {
public:
    static FirstFrame& instance() {
        static QPointer<FirstFrame> watch;
        if (!watch)
            watch = new FirstFrame(QCoreApplication::instance());
        return *watch;
    }

    void add(std::function<void()> work) {
        waiting_.push_back(std::move(work));
        if (painted_)
            QTimer::singleShot(0, this, &FirstFrame::runWaiting);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow())
            framePainted();
        return false;
    }

private:
    explicit FirstFrame(QObject* parent) : QObject(parent) {
        QCoreApplication::instance()->installEventFilter(this);
        patience_.setSingleShot(true);
        connect(&patience_, &QTimer::timeout, this, &FirstFrame::framePainted);
        patience_.start(patienceMs);
    }

    void framePainted() {
        if (painted_)
            return;
        painted_ = true;
        // Stopped, so that a bar at rest is not woken by it.
        patience_.stop();
        QCoreApplication::instance()->removeEventFilter(this);
        // The paint of the window's controls and the flush to the screen follow the window's
        // own paint in the same turn of the event loop: the waiting work comes after them.
        QTimer::singleShot(0, this, &FirstFrame::runWaiting);
    }

    void runWaiting() {
        std::vector<std::function<void()>> now;
        now.swap(waiting_);
        for (const auto& work : now)
            work();
    }

    std::vector<std::function<void()>> waiting_;
    QTimer patience_;
    bool painted_ = false;
};

} // namespace

void afterFirstFrame(std::function<void()> work) {
    if (QCoreApplication::instance())
        FirstFrame::instance().add(std::move(work));
}

} // namespace ombrix::platform

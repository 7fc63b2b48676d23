#include "StartupTrace.h"

#include "Logging.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWindow>

#include <ctime>

namespace qbx::startup {
namespace {

// The one clock of the trace: a diagnostic that lives for the start, not program state.
struct Clock {
    QElapsedTimer sinceMain;
    qint64 lastNs = 0;
};

Clock& clock()
{
    static Clock c;
    return c;
}

// Logs the first expose of the window it watches, then removes itself.
class ExposeWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose) {
            checkpoint("first window exposed");
            // The window paints its first frame while it handles this event; what comes next
            // in the queue runs after it.
            QTimer::singleShot(0, [] {
                checkpoint("first frame painted");
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                qCInfo(lcStartUp, "first frame painted at monotonic %ld.%09ld s", long(now.tv_sec),
                       long(now.tv_nsec));
            });
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void begin()
{
    clock().sinceMain.start();
    clock().lastNs = 0;
}

void checkpoint(const char* what)
{
    if (!lcStartUp().isInfoEnabled() || !clock().sinceMain.isValid())
        return;
    const qint64 now = clock().sinceMain.nsecsElapsed();
    qCInfo(lcStartUp, "%8.2f ms  +%7.2f ms  %s", double(now) / 1e6, double(now - clock().lastNs) / 1e6, what);
    clock().lastNs = now;
}

void untilExposed(QWindow* window)
{
    if (!window || !lcStartUp().isInfoEnabled())
        return;
    window->installEventFilter(new ExposeWatch(window));
}

} // namespace qbx::startup

// One running program per data folder: the first claim holds the folder, a later claim hands over
// and makes the holder show itself; a socket file left by a crash and a released lock stop no one.

#include "app/SingleInstance.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <future>

using namespace qbx;

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void oneHolderPerFolderAndLaterStartsHandOver()
    {
        QTemporaryDir runtime, data, other;
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        const std::filesystem::path dir = data.path().toStdString();

        // A crash left the socket file of a process that is gone.
        auto first = std::make_unique<SingleInstance>(dir);
        {
            QFile stale(first->socketPath());
            QVERIFY(stale.open(QIODevice::WriteOnly));
        }
        QCOMPARE(first->claim(), SingleInstance::First);
        QVERIFY(first->socketPath().startsWith(runtime.path() + QStringLiteral("/quillbox-")));
        QSignalSpy shown(first.get(), &SingleInstance::showRequested);

        // The second start runs beside the first one's event loop, as another process would.
        auto second = std::async(std::launch::async,
                                 [&] { return SingleInstance(dir).claim(SingleInstance::Show, 5000); });
        while (second.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCOMPARE(second.get(), SingleInstance::HandedOver);
        QCOMPARE(shown.count(), 1);

        // Another data folder is a separate program; the same folder by another spelling is not.
        SingleInstance elsewhere(std::filesystem::path(other.path().toStdString()));
        QCOMPARE(elsewhere.claim(), SingleInstance::First);
        QCOMPARE(SingleInstance(dir / "." / "").socketPath(), first->socketPath());

        // A holder that ended leaves the folder free.
        first.reset();
        SingleInstance next(dir);
        QCOMPARE(next.claim(), SingleInstance::First);
    }

    void aHolderThatDoesNotAnswerIsAFailureNotAHandOver()
    {
        QTemporaryDir runtime, data;
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        const std::filesystem::path dir = data.path().toStdString();
        SingleInstance holder(dir);
        QCOMPARE(holder.claim(), SingleInstance::First);
        // No event loop runs for the holder here, so nobody accepts the request.
        QCOMPARE(SingleInstance(dir).claim(SingleInstance::Show, 300), SingleInstance::Failed);
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "test_single_instance.moc"

#include "BoundedWorker.h"

#include <QTest>

#include <atomic>
#include <future>
#include <stdexcept>

using doclink::BoundedWorker;
using namespace std::chrono_literals;

class TestBoundedWorker : public QObject {
    Q_OBJECT
private slots:
    void runsJobsInTurnAndPassesTheirFailuresOn()
    {
        BoundedWorker worker;
        int runs = 0;
        QVERIFY(worker.Run([&] { ++runs; }, 10s));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, worker.Run([] { throw std::runtime_error("refused"); }, 10s));
        QVERIFY(worker.Run([&] { ++runs; }, 10s));
        QCOMPARE(runs, 2);
    }

    void anOverrunningJobIsLeftRunningAndTheWorkerComesBack()
    {
        BoundedWorker worker;
        std::promise<void> release;
        std::shared_future<void> released = release.get_future().share();
        QVERIFY(!worker.Run([released] { released.wait(); }, 50ms));
        QVERIFY(!worker.WaitIdle(50ms));
        QVERIFY_THROWS_EXCEPTION(std::logic_error, worker.Run([] {}, 10s));
        release.set_value();
        QVERIFY(worker.WaitIdle(10s));
        QVERIFY(worker.Run([] {}, 10s));
    }

    // A job that never ends must not hold up the owner's destruction; the
    // job keeps what it owns alive and finishes on its own later.
    void aStuckWorkerIsGivenUpOnDestruction()
    {
        auto finished = std::make_shared<std::atomic<bool>>(false);
        std::promise<void> release;
        std::shared_future<void> released = release.get_future().share();
        {
            BoundedWorker worker;
            QVERIFY(!worker.Run(
                [released, finished] {
                    released.wait();
                    *finished = true;
                },
                10ms));
        }
        QVERIFY(!*finished);
        release.set_value();
        QTRY_VERIFY_WITH_TIMEOUT(*finished, 10000);
    }
};

QTEST_APPLESS_MAIN(TestBoundedWorker)
#include "test_bounded_worker.moc"

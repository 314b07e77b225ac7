#include "MainThreadCall.h"

#include <QTest>

#include <rtl/ref.hxx>

#include <atomic>
#include <future>
#include <stdexcept>
#include <thread>

using doclink::office::MainThreadJob;
using namespace std::chrono_literals;

namespace {

// Hands `job` to a thread of its own that runs it after `delay`, as the
// office's main thread takes up a click when it gets to it.
std::thread RunLater(const rtl::Reference<MainThreadJob>& job, std::chrono::milliseconds delay)
{
    return std::thread([job, delay] {
        std::this_thread::sleep_for(delay);
        job->notify(css::uno::Any());
    });
}

} // namespace

class TestMainThreadJob : public QObject {
    Q_OBJECT
private slots:
    // Taken up in time, the work runs once, its failure reaches the caller,
    // and a start just before the bound is waited for to the end even when
    // the work itself outlasts the bound.
    void workTakenUpInTimeRunsToItsEnd_data()
    {
        QTest::addColumn<int>("startAfterMs");
        QTest::addColumn<int>("workMs");
        QTest::addColumn<bool>("fails");
        QTest::newRow("at once") << 0 << 0 << false;
        QTest::newRow("failing") << 0 << 0 << true;
        QTest::newRow("outlasting the bound") << 0 << 700 << false;
        QTest::newRow("failing after the bound") << 100 << 700 << true;
    }

    void workTakenUpInTimeRunsToItsEnd()
    {
        QFETCH(int, startAfterMs);
        QFETCH(int, workMs);
        QFETCH(bool, fails);
        std::atomic<int> runs = 0;
        std::atomic<bool> finished = false;
        const std::function<void()> work = [&] {
            ++runs;
            std::this_thread::sleep_for(std::chrono::milliseconds(workMs));
            finished = true;
            if (fails)
                throw std::runtime_error("refused");
        };
        const rtl::Reference<MainThreadJob> job(new MainThreadJob(work));
        std::thread office = RunLater(job, std::chrono::milliseconds(startAfterMs));
        bool waited = false;
        bool threw = false;
        try {
            waited = job->Wait(500ms);
        } catch (const std::runtime_error&) {
            threw = true;
        }
        // Whatever the outcome, the work was over when the caller heard of it.
        QVERIFY(finished);
        office.join();
        QCOMPARE(threw, fails);
        QCOMPARE(waited, !fails);
        QCOMPARE(runs.load(), 1);
    }

    // Not taken up within the bound, the work is given up and never runs,
    // not even when the other thread gets to it later: it may refer to the
    // stack of a caller that has gone.
    void workNotTakenUpInTimeNeverRuns()
    {
        std::atomic<int> runs = 0;
        const std::function<void()> work = [&] { ++runs; };
        const rtl::Reference<MainThreadJob> job(new MainThreadJob(work));
        QVERIFY(!job->Wait(20ms));
        RunLater(job, 0ms).join();
        QCOMPARE(runs.load(), 0);
    }
};

QTEST_GUILESS_MAIN(TestMainThreadJob)
#include "test_main_thread_job.moc"

#pragma once

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace doclink {

// One worker thread that runs jobs one at a time while the caller waits for
// each at most a given time. A job that overruns keeps the worker busy; the
// caller can then try to wake it (for a UNO call, by disposing its bridge)
// and wait again, or give the worker up: its thread is detached and ends
// whenever the job does. Jobs must therefore own what they use.
class BoundedWorker {
public:
    BoundedWorker();
    // Joins an idle worker and detaches a busy one, without waiting for it.
    ~BoundedWorker();
    BoundedWorker(const BoundedWorker&) = delete;
    BoundedWorker& operator=(const BoundedWorker&) = delete;

    // Runs `job` on the worker and waits up to `bound` for it. Returns false
    // when it is still running; rethrows what the job threw. Must not be
    // called while the worker is busy.
    bool Run(std::function<void()> job, std::chrono::milliseconds bound);

    // Starts `job` on the worker without waiting, for a caller that waits in
    // its own way. Must not be called while the worker is busy.
    void Start(std::function<void()> job);
    // Rethrows what the job that ended last threw, once.
    void TakeFailure();

    // Waits up to `bound` for an overrunning job; true when the worker is idle.
    bool WaitIdle(std::chrono::milliseconds bound);

private:
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        std::function<void()> job;
        bool busy = false;
        bool stop = false;
        std::exception_ptr error;
    };
    static void Loop(std::shared_ptr<State> state);

    std::shared_ptr<State> state_;
    std::thread thread_;
};

} // namespace doclink

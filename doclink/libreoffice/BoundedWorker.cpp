#include "BoundedWorker.h"

#include <stdexcept>
#include <utility>

namespace doclink {

BoundedWorker::BoundedWorker() : state_(std::make_shared<State>()), thread_(&BoundedWorker::Loop, state_) { }

BoundedWorker::~BoundedWorker()
{
    bool idle = false;
    {
        std::lock_guard lock(state_->mutex);
        idle = !state_->busy;
        state_->stop = true;
    }
    state_->changed.notify_all();
    if (idle)
        thread_.join();
    else
        thread_.detach();
}

bool BoundedWorker::Run(std::function<void()> job, std::chrono::milliseconds bound)
{
    Start(std::move(job));
    if (!WaitIdle(bound))
        return false;
    TakeFailure();
    return true;
}

void BoundedWorker::Start(std::function<void()> job)
{
    std::lock_guard lock(state_->mutex);
    if (state_->busy)
        throw std::logic_error("BoundedWorker: a job is started while another is still running");
    state_->job = std::move(job);
    state_->error = nullptr;
    state_->busy = true;
    state_->changed.notify_all();
}

void BoundedWorker::TakeFailure()
{
    std::exception_ptr error;
    {
        std::lock_guard lock(state_->mutex);
        error = std::exchange(state_->error, nullptr);
    }
    if (error)
        std::rethrow_exception(error);
}

bool BoundedWorker::WaitIdle(std::chrono::milliseconds bound)
{
    std::unique_lock lock(state_->mutex);
    return state_->changed.wait_for(lock, bound, [this] { return !state_->busy; });
}

void BoundedWorker::Loop(std::shared_ptr<State> state)
{
    std::unique_lock lock(state->mutex);
    for (;;) {
        state->changed.wait(lock, [&] { return state->stop || state->job; });
        if (state->stop)
            return;
        std::function<void()> job = std::exchange(state->job, nullptr);
        lock.unlock();
        std::exception_ptr error;
        try {
            job();
        } catch (...) {
            error = std::current_exception();
        }
        job = nullptr; // the job's captures go before the caller hears of it
        lock.lock();
        state->error = error;
        state->busy = false;
        state->changed.notify_all();
    }
}

} // namespace doclink

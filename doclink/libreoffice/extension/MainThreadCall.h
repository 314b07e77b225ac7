#pragma once

#include <com/sun/star/awt/XCallback.hpp>
#include <com/sun/star/awt/XRequestCallback.hpp>
#include <com/sun/star/uno/Reference.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <cppuhelper/implbase1.hxx>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>

namespace doclink::office {

// One piece of work handed to another thread, which runs it in notify().
// Whoever comes first decides: that thread starting it, or the caller
// giving it up, after which it never runs (its work may refer to the
// caller's stack, which is gone by then).
class MainThreadJob final : public cppu::WeakImplHelper1<css::awt::XCallback> {
public:
    // `work` must outlive the job's Wait().
    explicit MainThreadJob(const std::function<void()>& work) : work_(work) { }

    void SAL_CALL notify(const css::uno::Any&) override;

    // Waits for the work to end and passes on what it threw; false when it
    // had not started within `bound` and is given up.
    bool Wait(std::chrono::milliseconds bound);

private:
    enum class State { Waiting, Running, Done, GivenUp };
    const std::function<void()>& work_;
    std::mutex mutex_;
    std::condition_variable changed_;
    State state_ = State::Waiting;
    std::exception_ptr error_;
};

// Runs work on the office's main thread and waits for it there.
//
// A call that comes in over a bridge runs on a thread of its own, and each
// call it makes into Writer takes and gives back the office's one big lock
// on its own. Every time a thread other than the main one gives that lock
// back, the office wakes its main thread, which then takes the lock for
// whatever idle work is due (layout, word count, toolbar states), so that a
// click of many calls gets interrupted between them. On the main thread the
// click holds the lock from its first call to its last, as one bare call
// does.
class MainThreadCall {
public:
    explicit MainThreadCall(css::uno::Reference<css::uno::XComponentContext> context);

    // Runs `work` on the main thread (at once when this is the main thread)
    // and passes on whatever it throws. When the main thread does not start
    // it within `bound`, it never runs, and a RuntimeException says so; once
    // started, it is waited for to its end.
    void Run(const std::function<void()>& work, std::chrono::milliseconds bound);

private:
    css::uno::Reference<css::uno::XComponentContext> context_;
    std::mutex mutex_;
    css::uno::Reference<css::awt::XRequestCallback> callback_;
};

} // namespace doclink::office

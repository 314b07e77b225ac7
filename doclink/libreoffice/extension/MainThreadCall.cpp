#include "MainThreadCall.h"

#include <com/sun/star/awt/AsyncCallback.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>
#include <rtl/ref.hxx>

#include <sys/syscall.h>
#include <unistd.h>

namespace doclink::office {

using namespace css;
using css::uno::Reference;

namespace {

// The office's main thread is the process's first one, whose thread id is
// the process id.
bool OnMainThread()
{
    return static_cast<pid_t>(syscall(SYS_gettid)) == getpid();
}

} // namespace

void MainThreadJob::notify(const uno::Any&)
{
    {
        std::lock_guard lock(mutex_);
        if (state_ == State::GivenUp)
            return;
        state_ = State::Running;
    }
    try {
        work_();
    } catch (...) {
        error_ = std::current_exception();
    }
    {
        std::lock_guard lock(mutex_);
        state_ = State::Done;
    }
    changed_.notify_all();
}

bool MainThreadJob::Wait(std::chrono::milliseconds bound)
{
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, bound, [this] { return state_ != State::Waiting; })) {
        state_ = State::GivenUp;
        return false;
    }
    changed_.wait(lock, [this] { return state_ == State::Done; });
    if (error_)
        std::rethrow_exception(error_);
    return true;
}

MainThreadCall::MainThreadCall(Reference<uno::XComponentContext> context) : context_(std::move(context)) { }

void MainThreadCall::Run(const std::function<void()>& work, std::chrono::milliseconds bound)
{
    if (OnMainThread()) {
        work();
        return;
    }
    Reference<awt::XRequestCallback> callback;
    {
        std::lock_guard lock(mutex_);
        if (!callback_.is())
            callback_ = awt::AsyncCallback::create(context_);
        callback = callback_;
    }
    const rtl::Reference<MainThreadJob> job(new MainThreadJob(work));
    callback->addCallback(Reference<awt::XCallback>(job.get()), uno::Any());
    if (!job->Wait(bound))
        throw uno::RuntimeException(rtl::OUString("the office's main thread did not take the click up"));
}

} // namespace doclink::office

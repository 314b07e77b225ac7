#include "ClickTimingLog.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

namespace doclink::office {

namespace {

// Opened once, on the first click, and kept for the office's life; every
// line is flushed so that an office killed at the end of a run loses none.
std::FILE* LogFile()
{
    static std::FILE* const file = [] {
        const char* path = std::getenv("GLYPHBOARD_INSERTION_TIMING");
        return path && *path ? std::fopen(path, "a") : nullptr;
    }();
    return file;
}

double Microseconds(std::chrono::steady_clock::duration duration)
{
    return std::chrono::duration<double, std::micro>(duration).count();
}

// The processor time of the calling thread so far, in microseconds.
double ThreadCpuMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e6 + double(now.tv_nsec) / 1e3;
}

pid_t ThreadId()
{
    return static_cast<pid_t>(syscall(SYS_gettid));
}

} // namespace

ClickTimingLog::ClickTimingLog()
    : enabled_(LogFile() != nullptr),
      start_(Clock::now()),
      last_(start_),
      lastCpu_(enabled_ ? ThreadCpuMicroseconds() : 0),
      lastThread_(enabled_ ? ThreadId() : 0)
{
}

void ClickTimingLog::Mark(const char* part)
{
    if (!enabled_)
        return;
    const Clock::time_point now = Clock::now();
    const double cpu = ThreadCpuMicroseconds();
    const pid_t thread = ThreadId();
    const double spent = thread == lastThread_ ? cpu - lastCpu_ : 0;
    char field[80];
    std::snprintf(field, sizeof field, " %s %.1f %.1f", part, Microseconds(now - last_), spent);
    parts_ += field;
    cpu_ += spent;
    last_ = now;
    lastCpu_ = cpu;
    lastThread_ = thread;
}

void ClickTimingLog::Write()
{
    if (!enabled_)
        return;
    static std::mutex mutex;
    const std::lock_guard lock(mutex);
    std::fprintf(LogFile(), "execute %.1f %.1f%s\n", Microseconds(last_ - start_), cpu_, parts_.c_str());
    std::fflush(LogFile());
}

} // namespace doclink::office

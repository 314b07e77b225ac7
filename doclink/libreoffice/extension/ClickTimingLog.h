#pragma once

#include <chrono>
#include <string>

#include <sys/types.h>

namespace doclink::office {

// Times the parts of one click inside the office and appends them as one
// line to the file that GLYPHBOARD_INSERTION_TIMING names, for finding where
// a click spends its time. Without that variable it records nothing. A line
// reads "execute T C part T C part T C ...": the whole call, then each part
// in the order it ended, each with its wall-clock time T and the time C the
// marking thread spent on a processor, in microseconds. T well above C is
// waiting: for the office's lock, for another thread, or for a processor.
// A part that ends on another thread than the part before has no C (0).
// Marks come from one thread at a time.
class ClickTimingLog {
public:
    ClickTimingLog();
    bool Enabled() const { return enabled_; }
    void Mark(const char* part);
    // Appends the line; the time of writing it is not part of any figure.
    void Write();

private:
    using Clock = std::chrono::steady_clock;
    bool enabled_;
    Clock::time_point start_;
    Clock::time_point last_;
    double cpu_ = 0; // summed over the parts
    double lastCpu_;
    pid_t lastThread_;
    std::string parts_;
};

} // namespace doclink::office

#pragma once

// A small harness for test programs that use no toolkit (the Windows cross
// build has no Qt): named cases, checks that report and go on, and an exit
// status for CTest.

#include <cstdio>
#include <exception>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace check {

inline int& FailureCount()
{
    static int count = 0;
    return count;
}

inline std::string& CurrentCase()
{
    static std::string name;
    return name;
}

inline void Report(const char* file, int line, const std::string& message)
{
    ++FailureCount();
    std::printf("FAIL %s\n  %s:%d: %s\n", CurrentCase().c_str(), file, line, message.c_str());
}

template <typename T>
std::string Show(const T& value)
{
    std::ostringstream out;
    out << value;
    return out.str();
}

inline std::string Show(const std::vector<std::string>& lines)
{
    std::string text = "[\n";
    for (const std::string& line : lines)
        text += "      " + line + "\n";
    return text + "    ]";
}

template <typename A, typename B>
void Equal(const A& actual, const B& expected, const char* actualText, const char* file, int line)
{
    if (!(actual == expected)) {
        Report(file, line,
               std::string(actualText) + "\n    is:       " + Show(actual) + "\n    expected: " + Show(expected));
    }
}

// The exception of type E that `action` throws, or nothing.
template <typename E, typename Action>
std::optional<E> Catch(Action&& action)
{
    try {
        action();
    } catch (const E& error) {
        return error;
    }
    return std::nullopt;
}

struct Case {
    const char* name;
    void (*run)();
};

// Runs every case, also after a failing one; the result is the exit status.
inline int Run(std::initializer_list<Case> cases)
{
    for (const Case& c : cases) {
        CurrentCase() = c.name;
        const int before = FailureCount();
        try {
            c.run();
        } catch (const std::exception& error) {
            Report(__FILE__, __LINE__, std::string("unexpected exception: ") + error.what());
        } catch (...) {
            Report(__FILE__, __LINE__, "unexpected exception");
        }
        if (FailureCount() == before)
            std::printf("PASS %s\n", c.name);
    }
    std::printf("%d failure(s)\n", FailureCount());
    std::fflush(stdout);
    return FailureCount() == 0 ? 0 : 1;
}

} // namespace check

#define CHECK(condition) ((condition) ? void() : check::Report(__FILE__, __LINE__, "failed: " #condition))
#define CHECK_EQ(actual, expected) check::Equal((actual), (expected), #actual, __FILE__, __LINE__)

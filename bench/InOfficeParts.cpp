#include "InOfficeParts.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace {

struct Times {
    double wall = 0;
    double cpu = 0;
};
using Call = std::vector<std::pair<std::string, Times>>;

std::vector<Call> ReadCalls(const std::string& path)
{
    std::vector<Call> calls;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        std::istringstream fields(line);
        Call call;
        std::string name;
        Times times;
        while (fields >> name >> times.wall >> times.cpu)
            call.emplace_back(name, times);
        if (!call.empty() && call.front().first == "execute")
            calls.push_back(std::move(call));
    }
    return calls;
}

double At(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * (values.size() - 1) + 0.5)];
}

} // namespace

void PrintInOfficeParts(const std::string& logPath, const std::vector<double>& clientMilliseconds, int clicks,
                        int warmUp, int symbolsPerParagraph)
{
    const std::vector<Call> calls = ReadCalls(logPath);
    const int perRound = warmUp + clicks + (warmUp + clicks) / symbolsPerParagraph;
    const std::size_t rounds = clientMilliseconds.size() / static_cast<std::size_t>(clicks);
    if (clientMilliseconds.empty() || calls.size() != rounds * static_cast<std::size_t>(perRound)) {
        std::printf("timing log %s: %zu calls, not the %zu of the component rounds; left out\n", logPath.c_str(),
                    calls.size(), rounds * static_cast<std::size_t>(perRound));
        return;
    }

    // Parts in the order they first appear, each with its figures.
    std::vector<std::string> order;
    std::map<std::string, std::pair<std::vector<double>, std::vector<double>>> parts; // wall, waiting
    std::vector<double> outside;
    std::size_t timed = 0;
    for (std::size_t round = 0; round < rounds; ++round) {
        std::size_t line = round * static_cast<std::size_t>(perRound);
        for (int i = 0; i < warmUp + clicks; ++i, ++line) {
            if (i >= warmUp) {
                for (const auto& [name, times] : calls[line]) {
                    if (!parts.count(name))
                        order.push_back(name);
                    auto& [wall, waiting] = parts[name];
                    wall.push_back(times.wall);
                    // A part that crossed threads has no processor time.
                    waiting.push_back(times.cpu > 0 || name == "execute" ? times.wall - times.cpu : 0);
                }
                outside.push_back(clientMilliseconds[timed++] * 1000 - calls[line].front().second.wall);
            }
            if ((i + 1) % symbolsPerParagraph == 0)
                ++line;
        }
    }

    // Where the slowest twentieth of the clicks, as the link measured them,
    // spent their time.
    const double slow = At(clientMilliseconds, 0.95);
    const auto slowMean = [&](const std::vector<double>& values) {
        double sum = 0;
        int count = 0;
        for (std::size_t i = 0; i < values.size(); ++i)
            if (clientMilliseconds[i] >= slow) {
                sum += values[i];
                ++count;
            }
        return count ? sum / count : 0.0;
    };

    std::printf("inside the component, %zu timed clicks (microseconds):\n", timed);
    std::printf("  %-16s %9s %9s %12s %12s %12s\n", "part", "median", "p95", "waiting p95", "waiting max",
                "slowest 5%");
    for (const std::string& name : order) {
        const auto& [wall, waiting] = parts[name];
        if (wall.size() != timed)
            continue; // parts of only some clicks (deleting) would not line up
        std::printf("  %-16s %9.1f %9.1f %12.1f %12.1f %12.1f\n", name.c_str(), At(wall, 0.5), At(wall, 0.95),
                    At(waiting, 0.95), *std::max_element(waiting.begin(), waiting.end()), slowMean(wall));
    }
    std::printf("  %-16s %9.1f %9.1f %12s %12s %12.1f\n", "outside execute", At(outside, 0.5), At(outside, 0.95),
                "", "", slowMean(outside));
}

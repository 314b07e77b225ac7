// Measures one click of the palette into a headless Writer the way the
// palette makes it: through the link alone in a process of its own, with the
// connection kept across clicks. Both ways of the link, the insertion
// component inside the office and the fallback's calls over the bridge, are
// timed beside the floor, one bare insertString of the same text from a
// process of its own, in the same run. Short rounds alternate the three so
// that a change of load on the machine meets all of them alike; on a loaded
// machine the 95th percentile still swings from run to run, the median
// hardly. Catalogue texts go into right-to-left paragraphs of 40 symbols
// each.
//
// Every way types into a fresh blank document each round, the same texts in
// the same order, so that its paragraphs grow alike. After each click the
// office does idle work on its main thread (layout, word count, toolbar
// states); a click that comes before it is done waits for it, the floor's
// as much as the others', and the timing log below shows such waiting apart
// from work.
//
//   build/bench/typeinfont_latency [clicks per way] [rounds] [pause ms]
//
// A pause, untimed, before every click of every way lets the office finish
// that idle work first, as it does between a person's clicks, which come a
// tenth of a second apart at the very fastest. The default, 50 ms, is faster
// than any hand and measures the click a teacher waits for; 0 clicks back to
// back and measures a click behind the office's backlog, whose 95th
// percentile swings with the machine's other work.
//
// With GLYPHBOARD_INSERTION_TIMING naming a file, the office of the run (and
// no other) logs the parts of every call of the insertion component there,
// and the run ends with their figures: how long each part of a click takes
// inside the office, how much of it was waiting, and what the click spent
// outside the component. The clicks' figures above them then include the
// logging's own few microseconds.
//
// The last line reads "ratio component/floor: median M p95 P".

#include "CatalogueTexts.h"
#include "HeadlessOffice.h"
#include "InOfficeParts.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using doclink::testing::CatalogueText;

constexpr int kSymbolsPerParagraph = 40;
constexpr int kWarmUp = 10;

struct Way {
    const char* label;
    std::vector<double> milliseconds;
    double roundTrips = 0; // summed over rounds, per click
    long mostConnections = 0;
};

struct Summary {
    double median;
    double p95;
    double p99;
};

Summary Summarise(std::vector<double> milliseconds)
{
    std::sort(milliseconds.begin(), milliseconds.end());
    const auto at = [&](double fraction) {
        return milliseconds[static_cast<std::size_t>(fraction * (milliseconds.size() - 1) + 0.5)];
    };
    return {at(0.5), at(0.95), at(0.99)};
}

// One round of the floor: bare insertions from this process, warm-up and
// paragraph breaks neither timed nor counted. The office's connections are
// those of the harness, all of this run.
void MeasureFloor(const std::vector<CatalogueText>& texts, int clicks, std::chrono::milliseconds pause,
                  doclink::testing::HeadlessOffice& office, Way& way)
{
    long roundTrips = 0;
    for (int i = 0; i < kWarmUp + clicks; ++i) {
        std::this_thread::sleep_for(pause);
        const long before = office.RoundTrips();
        const auto start = Clock::now();
        office.InsertAtCursor(texts[static_cast<std::size_t>(i) % texts.size()].text);
        const std::chrono::duration<double, std::milli> took = Clock::now() - start;
        if (i >= kWarmUp) {
            way.milliseconds.push_back(took.count());
            roundTrips += office.RoundTrips() - before;
        }
        if ((i + 1) % kSymbolsPerParagraph == 0)
            office.BreakParagraph();
    }
    way.roundTrips += double(roundTrips) / clicks;
    way.mostConnections = office.Connections();
}

// One round of a way of the link, in the clicking program.
void MeasureLink(const QString& path, int clicks, std::chrono::milliseconds pause, const std::string& pipe,
                 Way& way)
{
    QProcess program;
    program.start(QStringLiteral(GLYPHBOARD_LINK_CLICKS),
                  {QString::fromStdString(pipe), path, QString::number(clicks), QString::number(kWarmUp),
                   QString::number(pause.count())});
    if (!program.waitForFinished(600000) || program.exitCode() != 0)
        throw std::runtime_error("the clicking program failed: " + program.readAllStandardError().toStdString());
    for (const QByteArray& line : program.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() != 2)
            continue;
        if (fields[0] == "click")
            way.milliseconds.push_back(fields[1].toDouble());
        else if (fields[0] == "round-trips")
            way.roundTrips += fields[1].toDouble();
        else if (fields[0] == "connections")
            way.mostConnections = std::max(way.mostConnections, fields[1].toLong());
        else if (fields[0] == "path" && fields[1] != path.toUtf8())
            throw std::runtime_error("the office typed through the " + fields[1].toStdString() + " way, not "
                                     + path.toStdString());
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
    const int rounds = argc > 2 ? std::clamp(std::atoi(argv[2]), 1, count) : 25;
    const int perRound = std::max(1, count / rounds);
    const std::chrono::milliseconds pause(argc > 3 ? std::max(0, std::atoi(argv[3])) : 50);

    // Empty catalogue texts insert nothing and are left out.
    std::vector<CatalogueText> texts;
    for (CatalogueText& cell : doclink::testing::ReadCatalogue())
        if (!cell.text.empty())
            texts.push_back(std::move(cell));

    Way floor{"bare insertString", {}};
    Way component{"component", {}};
    Way remote{"remote fallback", {}};
    const char* timingLog = std::getenv("GLYPHBOARD_INSERTION_TIMING");
    if (timingLog && *timingLog)
        std::filesystem::remove(timingLog); // the component appends
    try {
        doclink::testing::HeadlessOffice office("bench", {.withExtension = true});
        std::printf("starting a headless office with the extension ...\n");
        office.Start();
        for (int round = 0; round < rounds; ++round) {
            office.OpenBlankDocument();
            MeasureFloor(texts, perRound, pause, office, floor);
            office.CloseDocuments();
            office.OpenBlankDocument();
            MeasureLink(QStringLiteral("component"), perRound, pause, office.PipeName(), component);
            office.CloseDocuments();
            office.OpenBlankDocument();
            MeasureLink(QStringLiteral("remote"), perRound, pause, office.PipeName(), remote);
            office.CloseDocuments();
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "typeinfont_latency: %s\n", error.what());
        return 1;
    }

    const Summary bare = Summarise(floor.milliseconds);
    std::printf("%d clicks per way in %d rounds, %d symbols per paragraph, %lld ms between clicks\n",
                perRound * rounds, rounds, kSymbolsPerParagraph, static_cast<long long>(pause.count()));
    std::printf("%-18s %9s %9s %9s %12s %12s\n", "", "median", "p95", "p99", "round trips", "connections");
    for (const Way* way : {&floor, &component, &remote}) {
        const Summary summary = Summarise(way->milliseconds);
        std::printf("%-18s %6.3f ms %6.3f ms %6.3f ms %12.2f %12ld\n", way->label, summary.median, summary.p95,
                    summary.p99, way->roundTrips / rounds, way->mostConnections);
    }
    if (timingLog && *timingLog)
        PrintInOfficeParts(timingLog, component.milliseconds, perRound, kWarmUp, kSymbolsPerParagraph);
    const Summary viaRemote = Summarise(remote.milliseconds);
    const Summary viaComponent = Summarise(component.milliseconds);
    std::printf("ratio remote/floor: median %.2f p95 %.2f\n", viaRemote.median / bare.median,
                viaRemote.p95 / bare.p95);
    std::printf("ratio component/floor: median %.2f p95 %.2f\n", viaComponent.median / bare.median,
                viaComponent.p95 / bare.p95);
    return 0;
}

// Clicks catalogue texts into the active document of an office through the
// palette's link, alone in its process as the palette is, and reports what
// it measured on standard output:
//
//   path component|remote     the way the link typed the last click
//   connections N              connections the link made to the office
//   round-trips R              calls that waited for an answer, per click
//   click MS                   one line per timed click, in milliseconds
//
//   glyphboard_link_clicks PIPE component|remote CLICKS [WARM-UP [PAUSE-MS]]
//
// PAUSE-MS, untimed, before every click lets the office finish the idle
// work the click before it started, as it does between a person's clicks.
//
// A paragraph break, not timed, follows every 40th text, so that the
// paragraphs stay as long as a line of mathematics.

#include "CatalogueTexts.h"
#include "LibreOfficeDocumentLink.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

namespace {

constexpr int kSymbolsPerParagraph = 40;

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 4 || (std::strcmp(argv[2], "component") != 0 && std::strcmp(argv[2], "remote") != 0)) {
        std::fprintf(stderr, "usage: %s PIPE component|remote CLICKS [WARM-UP [PAUSE-MS]]\n", argv[0]);
        return 2;
    }
    const int clicks = std::atoi(argv[3]);
    const int warmUp = argc > 4 ? std::atoi(argv[4]) : 0;
    const std::chrono::milliseconds pause(argc > 5 ? std::atoi(argv[5]) : 0);

    std::vector<doclink::testing::CatalogueText> catalogue;
    for (auto& cell : doclink::testing::ReadCatalogue())
        if (!cell.text.empty())
            catalogue.push_back(std::move(cell));

    doclink::LibreOfficeDocumentLink::Options options;
    options.pipeName = argv[1];
    options.useInsertionComponent = std::strcmp(argv[2], "component") == 0;
    doclink::LibreOfficeDocumentLink link(options);

    std::vector<double> timed;
    long sentBefore = 0;
    long receivedBefore = 0;
    try {
        for (int i = 0; i < warmUp + clicks; ++i) {
            const auto& cell = catalogue[static_cast<std::size_t>(i) % catalogue.size()];
            if (i == warmUp) {
                const auto traffic = link.CountedTraffic();
                receivedBefore = traffic.messagesReceived;
                sentBefore = traffic.messagesSent;
            }
            std::this_thread::sleep_for(pause);
            const auto start = std::chrono::steady_clock::now();
            link.TypeInFont(cell.text, cell.font, false, cell.text);
            const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
            if (i >= warmUp)
                timed.push_back(took.count());
            if ((i + 1) % kSymbolsPerParagraph == 0) {
                // Kept out of the round-trip count, as out of the timing.
                const auto before = link.CountedTraffic();
                link.TypeInFont(u"\r", doclink::kTextFont, false, u"");
                const auto after = link.CountedTraffic();
                if (i >= warmUp) {
                    receivedBefore += after.messagesReceived - before.messagesReceived;
                    sentBefore += after.messagesSent - before.messagesSent;
                }
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "glyphboard_link_clicks: %s\n", error.what());
        return 1;
    }

    const auto traffic = link.CountedTraffic();
    std::printf("path %s\n", link.TypedThroughComponent() ? "component" : "remote");
    std::printf("connections %ld\n", traffic.connections);
    std::printf("round-trips %.2f\n",
                clicks > 0 ? double(traffic.messagesReceived - receivedBefore) / clicks : 0.0);
    std::printf("messages-sent %.2f\n", clicks > 0 ? double(traffic.messagesSent - sentBefore) / clicks : 0.0);
    for (const double ms : timed)
        std::printf("click %.4f\n", ms);
    return 0;
}

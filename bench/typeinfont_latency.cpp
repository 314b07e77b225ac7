// Measures the latency of one TypeInFont against a headless Writer, beside
// the latency of one bare insertString of the same text, which is what any
// insertion costs at least. Catalogue texts are typed into right-to-left
// paragraphs of 40 symbols each.
//
//   build/bench/typeinfont_latency [insertions]

#include "CatalogueTexts.h"
#include "HeadlessOffice.h"
#include "LibreOfficeDocumentLink.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using doclink::testing::CatalogueText;

constexpr int kSymbolsPerParagraph = 40;
constexpr int kWarmUp = 20;

struct Summary {
    double median;
    double p95;
};

Summary Summarise(std::vector<double> milliseconds)
{
    std::sort(milliseconds.begin(), milliseconds.end());
    const auto at = [&](double fraction) {
        return milliseconds[static_cast<std::size_t>(fraction * (milliseconds.size() - 1) + 0.5)];
    };
    return {at(0.5), at(0.95)};
}

// Times `insert` for each text; a paragraph break, not timed, follows every
// 40th. The first few insertions warm the connection up and are not counted.
std::vector<double> Measure(const std::vector<CatalogueText>& texts, doclink::testing::HeadlessOffice& office,
                            const std::function<void(const CatalogueText&)>& insert)
{
    std::vector<double> result;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto start = Clock::now();
        insert(texts[i]);
        const std::chrono::duration<double, std::milli> took = Clock::now() - start;
        if (i >= kWarmUp)
            result.push_back(took.count());
        if ((i + 1) % kSymbolsPerParagraph == 0)
            office.BreakParagraph();
    }
    return result;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;

    // Catalogue texts in order, round and round; empty ones insert nothing
    // and are left out.
    std::vector<CatalogueText> catalogue;
    for (CatalogueText& cell : doclink::testing::ReadCatalogue())
        if (!cell.text.empty())
            catalogue.push_back(std::move(cell));
    std::vector<CatalogueText> texts;
    for (int i = 0; i < count + kWarmUp; ++i)
        texts.push_back(catalogue[i % catalogue.size()]);

    try {
        doclink::testing::HeadlessOffice office("bench");
        std::printf("starting a headless office ...\n");
        office.Start();

        office.OpenBlankDocument();
        doclink::LibreOfficeDocumentLink::Options options;
        options.pipeName = office.PipeName();
        doclink::LibreOfficeDocumentLink link(options);
        const Summary typed = Summarise(Measure(texts, office, [&](const CatalogueText& cell) {
            link.TypeInFont(cell.text, cell.font, false, u"");
        }));
        office.CloseDocuments();

        office.OpenBlankDocument();
        const Summary bare = Summarise(
            Measure(texts, office, [&](const CatalogueText& cell) { office.InsertAtCursor(cell.text); }));
        office.CloseDocuments();

        std::printf("%d insertions, %d symbols per paragraph\n", count, kSymbolsPerParagraph);
        std::printf("%-22s %9s %9s\n", "", "median", "p95");
        std::printf("%-22s %7.2f ms %6.2f ms\n", "TypeInFont", typed.median, typed.p95);
        std::printf("%-22s %7.2f ms %6.2f ms\n", "bare insertString", bare.median, bare.p95);
        std::printf("%-22s %8.2fx %8.2fx\n", "ratio", typed.median / bare.median, typed.p95 / bare.p95);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "typeinfont_latency: %s\n", error.what());
        return 1;
    }
    return 0;
}

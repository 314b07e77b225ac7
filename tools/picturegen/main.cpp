// picturegen: draws every picture of the palette window into a folder.
//
//   picturegen <output folder>
//
// Writes <Owner>.png for each control that carries a picture (the names the
// palette loads as :/pictures/<Owner>.png), and the window icon also as
// Form1Icon-48.png, Form1Icon.svg and Form1Icon.ico for desktop entries and
// the Windows program file. Runs at build time on Qt's offscreen platform.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSize>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>

#include "Fonts.h"
#include "PictureDesigns.h"
#include "PanelPainter.h"
#include "Pictures.h"

using namespace picturegen;

namespace {

struct Picture {
    const char* owner;
    QSize size;
    std::function<QImage()> paint;
    QImage::Format format;
};

bool Fail(const QString& message)
{
    std::fprintf(stderr, "picturegen: %s\n", qPrintable(message));
    return false;
}

bool Write(const QDir& folder, const Picture& picture)
{
    const QImage image = picture.paint().convertToFormat(picture.format);
    if (image.size() != picture.size)
        return Fail(QStringLiteral("%1 came out %2 x %3 instead of %4 x %5")
                        .arg(QString::fromUtf8(picture.owner))
                        .arg(image.width())
                        .arg(image.height())
                        .arg(picture.size.width())
                        .arg(picture.size.height()));
    const QString path = folder.filePath(QString::fromUtf8(picture.owner) + QStringLiteral(".png"));
    if (!image.save(path, "PNG"))
        return Fail(QStringLiteral("cannot write %1").arg(path));
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2)
        return Fail(QStringLiteral("usage: picturegen <output folder>")), 2;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return Fail(QStringLiteral("cannot create %1").arg(folder.path())), 1;
    if (const QString error = LoadFonts(); !error.isEmpty())
        return Fail(error), 1;

    constexpr auto rgb = QImage::Format_RGB32;
    constexpr auto argb = QImage::Format_ARGB32;
    std::vector<Picture> pictures{
        {"Form1Icon", {32, 32}, [] { return PaintWindowIcon(32); }, argb},
        {"Form1Icon-48", {48, 48}, [] { return PaintWindowIcon(48); }, argb},
        {"Image4", {628, 35}, PaintStrip, rgb},
        {"Image5", {46, 35}, PaintExpandIcon, rgb},
        {"Image6", {46, 35}, PaintCollapseIcon, rgb},
        {"Image7", {246, 174}, PaintLogo, rgb},
        {"Image8", {370, 172}, PaintCredits, rgb},
        {"Menu", {77, 36}, PaintSignature, rgb},
    };
    for (const PanelDefinition& panel : kPanels)
        pictures.push_back({panel.owner, {kPanelWidth, kPanelHeight}, [&panel] { return PaintPanel(panel); }, rgb});

    // Every picture the palette shows, at the size it is designed for.
    for (const palette::PictureDesign& design : palette::kPictures) {
        const auto drawn = std::find_if(pictures.begin(), pictures.end(), [&](const Picture& picture) {
            return std::strcmp(picture.owner, design.owner) == 0;
        });
        if (drawn == pictures.end() || drawn->size != QSize(design.width, design.height))
            return Fail(QStringLiteral("no picture of %1 at %2 x %3")
                            .arg(QString::fromUtf8(design.owner))
                            .arg(design.width)
                            .arg(design.height)),
                   1;
    }

    for (const Picture& picture : pictures)
        if (!Write(folder, picture))
            return 1;

    QFile svg(folder.filePath(QStringLiteral("Form1Icon.svg")));
    if (!svg.open(QIODevice::WriteOnly) || svg.write(WindowIconSvg()) < 0)
        return Fail(QStringLiteral("cannot write %1").arg(svg.fileName())), 1;
    if (!PaintWindowIcon(32).save(folder.filePath(QStringLiteral("Form1Icon.ico")), "ICO"))
        return Fail(QStringLiteral("cannot write Form1Icon.ico (Qt's ico image plugin)")), 1;
    return 0;
}

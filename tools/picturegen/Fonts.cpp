#include "Fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

namespace picturegen {
namespace {

// Fonts are loaded from their files rather than looked up by family, so the
// pictures come out the same whatever else fontconfig knows about.
struct FontFile {
    const char* path;
    const char* package;
};

// The rows of the role picture-font in tools/deps/system-paths.txt, written
// by the build.
constexpr FontFile fontFiles[] = {
#include "FontFiles.inc"
};

QFont makeFont(const QString& family, qreal pixelSize, QFont::Weight weight = QFont::Normal,
               bool italic = false)
{
    QFont font(family);
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setWeight(weight);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    // Missing glyphs fall back to the math font, then to DejaVu.
    font.setFamilies({family, QStringLiteral("Noto Sans Math"), QStringLiteral("DejaVu Sans")});
    return font;
}

} // namespace

QString loadFonts()
{
    for (const FontFile& file : fontFiles) {
        if (QFontDatabase::addApplicationFont(QString::fromUtf8(file.path)) < 0)
            return QStringLiteral("cannot load the font %1; install the Debian package %2 "
                                  "(tools/setup.sh does so)")
                .arg(QString::fromUtf8(file.path), QString::fromUtf8(file.package));
    }
    return {};
}

QFont fontFor(Typeface typeface, qreal pixelSize)
{
    switch (typeface) {
    case Typeface::Math: return makeFont(QStringLiteral("Noto Sans Math"), pixelSize);
    case Typeface::Arabic: return makeFont(QStringLiteral("Noto Naskh Arabic"), pixelSize);
    case Typeface::Calligraphy: return makeFont(QStringLiteral("Amiri"), pixelSize);
    case Typeface::Italic: return makeFont(QStringLiteral("DejaVu Serif"), pixelSize, QFont::Normal, true);
    case Typeface::Symbols: return makeFont(QStringLiteral("DejaVu Sans"), pixelSize);
    case Typeface::Light: return makeFont(QStringLiteral("DejaVu Sans"), pixelSize, QFont::ExtraLight);
    }
    return makeFont(QStringLiteral("DejaVu Sans"), pixelSize);
}

QFont fontFor(TextStyle style, qreal pixelSize)
{
    switch (style) {
    case TextStyle::StripLabel: return makeFont(QStringLiteral("Noto Sans Arabic"), pixelSize, QFont::Bold);
    case TextStyle::NarrowStripLabel: {
        QFont font = makeFont(QStringLiteral("Noto Sans Arabic"), pixelSize, QFont::Bold);
        font.setStretch(QFont::Condensed);
        return font;
    }
    case TextStyle::Plain: return makeFont(QStringLiteral("Noto Sans Arabic"), pixelSize);
    case TextStyle::Calligraphy: return makeFont(QStringLiteral("Amiri"), pixelSize);
    case TextStyle::CalligraphyBold: return makeFont(QStringLiteral("Amiri"), pixelSize, QFont::Bold);
    }
    return makeFont(QStringLiteral("DejaVu Sans"), pixelSize);
}

} // namespace picturegen

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
constexpr FontFile kFontFiles[] = {
#include "FontFiles.inc"
};

QFont MakeFont(const QString& family, qreal pixelSize, QFont::Weight weight = QFont::Normal, bool italic = false)
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

QString LoadFonts()
{
    for (const FontFile& file : kFontFiles) {
        if (QFontDatabase::addApplicationFont(QString::fromUtf8(file.path)) < 0)
            return QStringLiteral("cannot load the font %1; install the Debian package %2 "
                                  "(tools/setup.sh does so)")
                .arg(QString::fromUtf8(file.path), QString::fromUtf8(file.package));
    }
    return {};
}

QFont FontFor(Typeface typeface, qreal pixelSize)
{
    switch (typeface) {
    case Typeface::Math: return MakeFont(QStringLiteral("Noto Sans Math"), pixelSize);
    case Typeface::Arabic: return MakeFont(QStringLiteral("Noto Naskh Arabic"), pixelSize);
    case Typeface::Calligraphy: return MakeFont(QStringLiteral("Amiri"), pixelSize);
    case Typeface::Italic: return MakeFont(QStringLiteral("DejaVu Serif"), pixelSize, QFont::Normal, true);
    case Typeface::Symbols: return MakeFont(QStringLiteral("DejaVu Sans"), pixelSize);
    case Typeface::Light: return MakeFont(QStringLiteral("DejaVu Sans"), pixelSize, QFont::ExtraLight);
    }
    return MakeFont(QStringLiteral("DejaVu Sans"), pixelSize);
}

QFont FontFor(TextStyle style, qreal pixelSize)
{
    switch (style) {
    case TextStyle::StripLabel: return MakeFont(QStringLiteral("Noto Sans Arabic"), pixelSize, QFont::Bold);
    case TextStyle::NarrowStripLabel: {
        QFont font = MakeFont(QStringLiteral("Noto Sans Arabic"), pixelSize, QFont::Bold);
        font.setStretch(QFont::Condensed);
        return font;
    }
    case TextStyle::Plain: return MakeFont(QStringLiteral("Noto Sans Arabic"), pixelSize);
    case TextStyle::Calligraphy: return MakeFont(QStringLiteral("Amiri"), pixelSize);
    case TextStyle::CalligraphyBold: return MakeFont(QStringLiteral("Amiri"), pixelSize, QFont::Bold);
    }
    return MakeFont(QStringLiteral("DejaVu Sans"), pixelSize);
}

} // namespace picturegen

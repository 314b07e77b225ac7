// Shared helpers of the font tests: the catalogue as the build reads it, and
// HarfBuzz fonts loaded from the build folder, shaped the way a word
// processor shapes a right-to-left Arabic run.
#pragma once

#include <hb-ot.h>
#include <hb.h>

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <map>
#include <memory>
#include <string>

struct CatalogueRow {
    QString panel;
    int index = 0;
    QString text;
    QString font;
    QString cell() const { return panel + QLatin1Char('.') + QString::number(index); }
};

// The tab-separated columns of each line of a table file, less comment and
// blank lines; no lines when the file cannot be read.
inline QList<QStringList> readTableRows(const QString& path)
{
    QList<QStringList> rows;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return rows;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.startsWith(QLatin1Char('#')) && !line.trimmed().isEmpty())
            rows.append(line.split(QLatin1Char('\t')));
    }
    return rows;
}

inline QList<CatalogueRow> readCatalogue(const QString& path)
{
    QList<CatalogueRow> rows;
    for (const QStringList& f : readTableRows(path)) {
        CatalogueRow row{f.value(0), f.value(1).toInt(), {}, f.value(3)};
        for (const QString& cp : f.value(2).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            row.text.append(QChar(char16_t(cp.mid(2).toUInt(nullptr, 16))));
        rows.append(row);
    }
    return rows;
}

// The file each math family is shipped in.
inline const std::map<QString, QString>& mathFontFiles()
{
    static const std::map<QString, QString> files{
        {QStringLiteral("Al-DizaDorvan"), QStringLiteral("Vudida.ttf")},
        {QStringLiteral("Al-ZavuraDorvan"), QStringLiteral("Dizever.ttf")},
    };
    return files;
}

struct ShapedGlyph {
    QString name;
    int advance = 0;
    bool hasInk = false;
};

class ShapingFont {
public:
    explicit ShapingFont(const QString& path)
    {
        const QByteArray file = QFile::encodeName(path);
        std::unique_ptr<hb_blob_t, decltype(&hb_blob_destroy)> blob(
            hb_blob_create_from_file_or_fail(file.constData()), hb_blob_destroy);
        if (!blob)
            return;
        face_ = hb_face_create(blob.get(), 0);
        font_ = hb_font_create(face_);
    }
    ~ShapingFont()
    {
        hb_font_destroy(font_);
        hb_face_destroy(face_);
    }
    ShapingFont(const ShapingFont&) = delete;
    ShapingFont& operator=(const ShapingFont&) = delete;

    bool isValid() const { return font_ && hb_face_get_glyph_count(face_) > 1; }
    hb_face_t* face() const { return face_; }
    hb_font_t* font() const { return font_; }

    QString glyphName(hb_codepoint_t glyph) const
    {
        char name[64] = {};
        hb_font_get_glyph_name(font_, glyph, name, sizeof name);
        return QString::fromLatin1(name);
    }

    // Glyphs in logical order, as typed into a right-to-left run. Runs of
    // spaces, punctuation and marks alone may reach the shaper with no
    // script of their own (Common), as word processors itemise them.
    QList<ShapedGlyph> shape(const QString& text, hb_script_t script = HB_SCRIPT_ARABIC) const
    {
        hb_buffer_t* buffer = hb_buffer_create();
        hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(text.utf16()), int(text.size()), 0,
                            int(text.size()));
        hb_buffer_set_direction(buffer, HB_DIRECTION_RTL);
        hb_buffer_set_script(buffer, script);
        hb_buffer_set_language(buffer, hb_language_from_string("ar", -1));
        hb_shape(font_, buffer, nullptr, 0);
        hb_buffer_reverse(buffer); // visual right-to-left back to typing order
        unsigned count = 0;
        const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
        const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &count);
        QList<ShapedGlyph> glyphs;
        for (unsigned i = 0; i < count; ++i) {
            hb_glyph_extents_t extents{};
            const bool ink = hb_font_get_glyph_extents(font_, info[i].codepoint, &extents) && extents.width != 0
                             && extents.height != 0;
            glyphs.append({glyphName(info[i].codepoint), pos[i].x_advance, ink});
        }
        hb_buffer_destroy(buffer);
        return glyphs;
    }

private:
    hb_face_t* face_ = nullptr;
    hb_font_t* font_ = nullptr;
};

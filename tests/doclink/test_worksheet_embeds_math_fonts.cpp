// A worksheet started from the blank document, from the template, or from
// the template the installer makes Writer's default (loaded as a template,
// as File > New does), with a row of symbols typed through the link and
// saved as ODT and as DOCX, must
// print with the math fonts on a machine that lacks them: a second office,
// whose fontconfig set-up hides the project's fonts, exports each copy as a
// PDF, and pdffonts must list the math fonts, embedded, and no substitute.
// Each copy gets an office of its own, as an office keeps the fonts of the
// documents it opened until it ends.

#include "CatalogueTexts.h"
#include "HeadlessOffice.h"
#include "LibreOfficeDocumentLink.h"
#include "LinuxFileSystem.h"
#include "LinuxPaths.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cstring>
#include <optional>

using doclink::testing::HeadlessOffice;

namespace {

const QSet<QString> kMathFonts{QStringLiteral("Al-DizaDorvan"), QStringLiteral("Al-ZavuraDorvan")};

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        qWarning() << program << arguments << "failed:" << process.readAllStandardError();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The fonts of a PDF as pdffonts lists them, each with whether it is
// embedded; a PostScript name such as "ABCDEF+Al-DizaDorvan-Regular" counts
// as its family, "Al-DizaDorvan".
QMap<QString, bool> PdfFonts(const QString& pdf)
{
    QMap<QString, bool> fonts;
    const QStringList lines = Run(QStringLiteral("pdffonts"), {pdf}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines.mid(2)) {
        const QStringList columns = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        // name, type (one or two words), encoding, emb, sub, uni, object, ID
        if (columns.size() < 7)
            continue;
        QString name = columns.front().section(QLatin1Char('+'), -1);
        if (name.endsWith(QLatin1String("-Regular")))
            name.chop(int(std::strlen("-Regular")));
        fonts[name] = fonts.value(name) || columns.at(columns.size() - 5) == QLatin1String("yes");
    }
    return fonts;
}

// The font files stored inside a zipped document (ODT or DOCX).
QStringList StoredFontFiles(const QString& document)
{
    const QString listing = Run(QStringLiteral(GLYPHBOARD_PYTHON),
                                {QStringLiteral("-c"),
                                 QStringLiteral("import sys, zipfile\n"
                                                "for n in zipfile.ZipFile(sys.argv[1]).namelist(): print(n)"),
                                 document});
    QStringList fonts;
    for (const QString& name : listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (name.startsWith(QLatin1String("Fonts/"), Qt::CaseInsensitive)
            || name.startsWith(QLatin1String("word/fonts/")))
            fonts << name;
    return fonts;
}

bool WriteFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

// Installs the templates beside `wordTemplate` the way the installer does,
// into the LibreOffice user profile folder `profile`, and returns the file
// the profile then names as the template of new text documents.
QString InstallDefaultTemplate(const QString& wordTemplate, const QString& profile)
{
    namespace fs = std::filesystem;
    using namespace installer::xdg;
    const fs::path user = profile.toStdString();
    fs::create_directories(user);
    LinuxFileSystem files(
        {LoginName(), user / "fonts", user / "template", user / "Nurvel", user / "fontconfig", user / "lock"}, {});
    const std::u16string templates =
        u"C:\\Documents and Settings\\" + LoginName() + u"\\Application Data\\Microsoft\\Templates";
    files.TestFolderExists(templates);
    files.CopyFileReplacing(OnDriveZ(wordTemplate.toStdString()), templates + u"\\Normal.dot");

    QFile registry(profile + QStringLiteral("/registrymodifications.xcu"));
    if (!registry.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression item(
        QStringLiteral("oor:name=\"ooSetupFactoryTemplateFile\" oor:op=\"fuse\"><value>([^<]*)</value>"));
    const QRegularExpressionMatch found = item.match(QString::fromUtf8(registry.readAll()));
    return found.hasMatch() ? QUrl::fromEncoded(found.captured(1).toUtf8()).toLocalFile() : QString();
}

} // namespace

class TestWorksheetEmbedsMathFonts : public QObject {
    Q_OBJECT

    QTemporaryDir work_;
    std::optional<HeadlessOffice> writer_; // sees the project's fonts
    QString installedTemplate_;            // Writer's default after the installation
    int printers_ = 0;

    // Starts an office with `fontconfig` as its fontconfig set-up.
    void StartOffice(std::optional<HeadlessOffice>& office, const std::string& name, const QString& fontconfig)
    {
        const QByteArray saved = qgetenv("FONTCONFIG_FILE");
        qputenv("FONTCONFIG_FILE", QFile::encodeName(fontconfig));
        office.emplace(name);
        office->Start();
        if (saved.isNull())
            qunsetenv("FONTCONFIG_FILE");
        else
            qputenv("FONTCONFIG_FILE", saved);
    }

    // The fonts of the PDF that a new office without the project's fonts
    // makes of the document at `path`.
    QMap<QString, bool> PrintElsewhere(const QString& path)
    {
        std::optional<HeadlessOffice> printer;
        StartOffice(printer, "embed-printer-" + std::to_string(++printers_),
                    work_.filePath(QStringLiteral("without-fonts.conf")));
        const QString pdf = path + QStringLiteral(".pdf");
        printer->ExportPdf(path.toStdString(), pdf.toStdString());
        return PdfFonts(pdf);
    }

    // A new document made from `source` with a row of symbols typed through
    // the link: the first cells of the catalogue in each math font.
    void TypeWorksheet(const QString& source)
    {
        writer_->CloseDocuments();
        writer_->OpenNewDocument(source.toStdString());
        doclink::LibreOfficeDocumentLink::Options options;
        options.pipeName = writer_->PipeName();
        doclink::LibreOfficeDocumentLink link(options);
        QMap<std::u16string, int> typed;
        for (const auto& cell : doclink::testing::ReadCatalogue()) {
            if (!kMathFonts.contains(QString::fromStdU16String(cell.font)) || typed.value(cell.font) == 5
                || cell.text.empty())
                continue;
            link.TypeInFont(cell.text, cell.font, false, u"");
            typed[cell.font] += 1;
        }
        QCOMPARE(typed.size(), 2);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(work_.isValid());
        const QString withFonts = work_.filePath(QStringLiteral("with-fonts.conf"));
        Run(QStringLiteral(GLYPHBOARD_WRITE_FONTCONFIG),
            {withFonts, QStringLiteral(GLYPHBOARD_FONTS_DIR), QStringLiteral(GLYPHBOARD_FONT_ALIAS),
             work_.filePath(QStringLiteral("cache-with"))});
        QVERIFY(QFile::exists(withFonts));
        // The system's fonts and the alias, but no copy of the math fonts,
        // wherever they may be installed.
        const QString systemFonts = work_.filePath(QStringLiteral("system-fonts.conf"));
        QVERIFY(QDir(work_.path()).mkpath(QStringLiteral("no-fonts")));
        Run(QStringLiteral(GLYPHBOARD_WRITE_FONTCONFIG),
            {systemFonts, work_.filePath(QStringLiteral("no-fonts")), QStringLiteral(GLYPHBOARD_FONT_ALIAS),
             work_.filePath(QStringLiteral("cache-without"))});
        QVERIFY(QFile::exists(systemFonts));
        const QByteArray withoutFonts =
            "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n<fontconfig>\n"
            "  <include>"
            + QFile::encodeName(systemFonts)
            + "</include>\n"
              "  <selectfont><rejectfont>\n"
              "    <glob>" GLYPHBOARD_FONTS_DIR "/*</glob>\n"
              "    <glob>*/Vudida.ttf</glob>\n"
              "    <glob>*/Dizever.ttf</glob>\n"
              "  </rejectfont></selectfont>\n"
              "</fontconfig>\n";
        QVERIFY(WriteFile(work_.filePath(QStringLiteral("without-fonts.conf")), withoutFonts));

        installedTemplate_ =
            InstallDefaultTemplate(QStringLiteral(GLYPHBOARD_TEMPLATE), work_.filePath(QStringLiteral("profile")));
        QVERIFY2(installedTemplate_.endsWith(QLatin1String("/template/VovediVoda.ott")),
                 qPrintable(installedTemplate_));

        StartOffice(writer_, "embed-writer", withFonts);
    }

    void cleanupTestCase() { writer_.reset(); }

    // The check itself: a copy saved without its fonts prints with
    // substitutes where the project's fonts are missing.
    void printerLacksTheMathFonts()
    {
        TypeWorksheet(QStringLiteral(GLYPHBOARD_BLANK_DOCUMENT));
        writer_->SetDocumentSetting("EmbedFonts", false);
        const QString bare = work_.filePath(QStringLiteral("not-embedded.odt"));
        writer_->StoreDocument(bare.toStdString(), "writer8");
        const QStringList fonts = PrintElsewhere(bare).keys();
        QVERIFY2(!fonts.isEmpty(), "the PDF names no fonts");
        QVERIFY2(!QSet<QString>(fonts.begin(), fonts.end()).intersects(kMathFonts),
                 qPrintable(fonts.join(QStringLiteral(", "))));
    }

    void savedWorksheetPrintsWithTheMathFonts_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("blank document") << QStringLiteral(GLYPHBOARD_BLANK_DOCUMENT);
        QTest::newRow("template") << QStringLiteral(GLYPHBOARD_TEMPLATE_SOURCE);
        QTest::newRow("installed default template") << installedTemplate_;
    }

    void savedWorksheetPrintsWithTheMathFonts()
    {
        QFETCH(QString, source);
        TypeWorksheet(source);

        const QString tag =
            QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-'));
        const QStringList formats{QStringLiteral("odt"), QStringLiteral("docx")};
        for (const QString& format : formats) {
            const QString saved = work_.filePath(tag + QLatin1Char('.') + format);
            writer_->StoreDocument(saved.toStdString(),
                                   format == QLatin1String("odt") ? "writer8" : "MS Word 2007 XML");
            qInfo("%s: %lld bytes, fonts stored: %s", qPrintable(saved), QFileInfo(saved).size(),
                  qPrintable(StoredFontFiles(saved).join(QStringLiteral(", "))));

            const QMap<QString, bool> fonts = PrintElsewhere(saved);
            const QStringList names = fonts.keys();
            QVERIFY2(QSet<QString>(names.begin(), names.end()) == kMathFonts,
                     qPrintable(format + QStringLiteral(" prints with ") + names.join(QStringLiteral(", "))));
            for (const QString& font : kMathFonts)
                QVERIFY2(fonts.value(font), qPrintable(font + QStringLiteral(" is not embedded in the PDF")));
        }

        // Only the fonts the text names travel in the ODT: not every font
        // Writer knows.
        QStringList odtFonts = StoredFontFiles(work_.filePath(tag + QStringLiteral(".odt")));
        QVERIFY2(!odtFonts.isEmpty(), "the ODT stores no fonts");
        for (const QString& file : odtFonts)
            QVERIFY2(file.contains(QLatin1String("Al-DizaDorvan"))
                         || file.contains(QLatin1String("Al-ZavuraDorvan")),
                     qPrintable(file));
    }
};

QTEST_GUILESS_MAIN(TestWorksheetEmbedsMathFonts)
#include "test_worksheet_embeds_math_fonts.moc"

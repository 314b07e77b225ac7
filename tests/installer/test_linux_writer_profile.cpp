// The installed template on a real LibreOffice profile: after the
// installation a headless Writer started on that profile makes every new text
// document from the template in Writer's own format: right to left, with
// "Traditional Arabic" as the complex-script font, and with the setting that
// embeds its fonts when it is saved.

#include "HeadlessOffice.h"
#include "LinuxFileSystem.h"
#include "LinuxPaths.h"
#include "OfficeConnection.h"
#include "UnoStrings.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/text/XTextDocument.hpp>

#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace installer::xdg;
using doclink::testing::HeadlessOffice;
namespace fs = std::filesystem;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

// The paragraph property WritingMode's value for right to left, top to
// bottom (css::text::WritingMode2::RL_TB).
constexpr sal_Int16 rightToLeft = 1;

// How the first paragraph of a new text document is set.
struct NewDocument {
    sal_Int16 writingMode = -1;
    QString complexFont;
    bool embedsFonts = false; // the document setting EmbedFonts
};

NewDocument MakeNewTextDocument(const std::string& pipeName)
{
    const auto connection = doclink::office::OfficeConnection::Connect(pipeName, std::chrono::seconds(30));
    const Reference<css::frame::XComponentLoader> loader(connection->Desktop(), UNO_QUERY_THROW);
    const Reference<css::text::XTextDocument> document(
        loader->loadComponentFromURL(rtl::OUString("private:factory/swriter"), rtl::OUString("_blank"), 0, {}),
        UNO_QUERY_THROW);
    const Reference<css::beans::XPropertySet> paragraph(
        Reference<css::container::XEnumerationAccess>(document->getText(), UNO_QUERY_THROW)
            ->createEnumeration()
            ->nextElement(),
        UNO_QUERY_THROW);
    NewDocument result;
    paragraph->getPropertyValue(rtl::OUString("WritingMode")) >>= result.writingMode;
    rtl::OUString font;
    paragraph->getPropertyValue(rtl::OUString("CharFontNameComplex")) >>= font;
    result.complexFont = QString::fromStdU16String(doclink::office::ToU16String(font));
    const Reference<css::beans::XPropertySet> settings(
        Reference<css::lang::XMultiServiceFactory>(document, UNO_QUERY_THROW)
            ->createInstance(rtl::OUString("com.sun.star.text.DocumentSettings")),
        UNO_QUERY_THROW);
    settings->getPropertyValue(rtl::OUString("EmbedFonts")) >>= result.embedsFonts;
    connection->Dispose();
    return result;
}

} // namespace

class TestLinuxWriterProfile : public QObject {
    Q_OBJECT

    std::optional<HeadlessOffice> office_;

private slots:
    void cleanup() { office_.reset(); }

    void newTextDocumentsStartFromTheTemplate()
    {
        try {
            office_.emplace("installer-profile");
            // A profile as LibreOffice makes it at its first start: settings,
            // no template folder.
            office_->Start();
            const NewDocument before = MakeNewTextDocument(office_->PipeName());
            QVERIFY(before.writingMode != rightToLeft);
            office_->Kill(); // killed, it writes nothing back

            QTemporaryDir temp;
            const fs::path root = temp.path().toStdString();
            fs::path user;
            const std::string profileOption = "-env:UserInstallation=file://";
            for (const std::string& argument : office_->StartCommand())
                if (argument.starts_with(profileOption))
                    user = fs::path(argument.substr(profileOption.size())) / "user";
            QVERIFY(fs::is_directory(user));
            LinuxFileSystem files({LoginName(), root / "fonts", user / "template", root / "Nurvel",
                                   root / "fontconfig", root / "lock"},
                                  {});
            const std::u16string templates =
                u"C:\\Documents and Settings\\" + LoginName() + u"\\Application Data\\Microsoft\\Templates";
            files.TestFolderExists(templates);
            files.CopyFileReplacing(OnDriveZ(GLYPHBOARD_TEMPLATE), templates + u"\\Normal.dot");

            office_->Start();
            const NewDocument after = MakeNewTextDocument(office_->PipeName());
            QCOMPARE(after.writingMode, rightToLeft);
            QCOMPARE(after.complexFont, QStringLiteral("Traditional Arabic"));
            // Only a template in Writer's own format passes this setting on.
            QVERIFY(after.embedsFonts);
        } catch (const std::exception& error) {
            QFAIL(error.what());
        } catch (const css::uno::Exception& error) {
            QFAIL(doclink::office::ToUtf8(error.Message).c_str());
        }
    }
};

QTEST_GUILESS_MAIN(TestLinuxWriterProfile)
#include "test_linux_writer_profile.moc"

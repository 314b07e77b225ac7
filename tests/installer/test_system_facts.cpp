#include "InstallerFakes.h"
#include "SystemFacts.h"

#include <QTest>

using namespace installer;
using installer::testing::FixedProbe;

namespace {

QString Q(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

} // namespace

class TestSystemFacts : public QObject {
    Q_OBJECT

private slots:
    void versionName_data()
    {
        QTest::addColumn<bool>("succeeded");
        QTest::addColumn<uint>("major");
        QTest::addColumn<uint>("platform");
        QTest::addColumn<uint>("minor");
        QTest::addColumn<QString>("name");

        QTest::newRow("NT 3.51") << true << 3u << 2u << 51u << "Windows NT 3.51 ";
        QTest::newRow("NT 3.1, platform ignored") << true << 3u << 1u << 1u << "Windows NT 3.1 ";
        QTest::newRow("95") << true << 4u << 1u << 0u << "Windows95 ";
        QTest::newRow("98") << true << 4u << 1u << 10u << "Windows98 ";
        QTest::newRow("ME") << true << 4u << 1u << 90u << "Windows ME ";
        QTest::newRow("other 9x") << true << 4u << 1u << 3u << "Unknown Windows 9x system ";
        QTest::newRow("NT 4") << true << 4u << 2u << 0u << "Windows NT 4 ";
        QTest::newRow("NT 4, platform 0") << true << 4u << 0u << 0u << "Windows NT 4 ";
        QTest::newRow("other NT 4") << true << 4u << 2u << 1u << "Unknown NT 4-based version ";
        QTest::newRow("minor 90 on NT") << true << 4u << 2u << 90u << "Unknown NT 4-based version ";
        QTest::newRow("2000") << true << 5u << 2u << 0u << "Windows 2000 ";
        QTest::newRow("XP") << true << 5u << 2u << 1u << "Windows XP (Whistler) ";
        QTest::newRow("XP, platform ignored") << true << 5u << 1u << 1u << "Windows XP (Whistler) ";
        QTest::newRow("other NT 5") << true << 5u << 2u << 2u << "Unknown Windows NT 5 system ";
        QTest::newRow("6") << true << 6u << 2u << 0u << "Unknown Windows system";
        QTest::newRow("10") << true << 10u << 2u << 0u << "Unknown Windows system";
        QTest::newRow("0") << true << 0u << 0u << 0u << "Unknown Windows system";
        QTest::newRow("query failed") << false << 5u << 2u << 1u
                                      << "Unable to get version information. GetVersionEx returned \r\n";
    }

    void versionName()
    {
        QFETCH(bool, succeeded);
        QFETCH(uint, major);
        QFETCH(uint, platform);
        QFETCH(uint, minor);
        QFETCH(QString, name);

        FixedProbe probe;
        probe.version = {succeeded, major, minor, platform};
        QCOMPARE(Q(OsVersionName(probe)), name);
    }

    void onlyTheExactMeNameIsMe_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("me");
        QTest::newRow("exact") << "Windows ME " << true;
        QTest::newRow("no trailing space") << "Windows ME" << false;
        QTest::newRow("other case") << "Windows Me " << false;
        QTest::newRow("two trailing spaces") << "Windows ME  " << false;
        QTest::newRow("98") << "Windows98 " << false;
        QTest::newRow("query failed") << "Unable to get version information. GetVersionEx returned \r\n" << false;
    }

    void onlyTheExactMeNameIsMe()
    {
        QFETCH(QString, name);
        QFETCH(bool, me);
        QCOMPARE(IsWindowsMe(name.toStdU16String()), me);
    }

    void trimAtNul_data()
    {
        QTest::addColumn<QString>("buffer");
        QTest::addColumn<QString>("trimmed");

        const QString spaces(255, u' ');
        QTest::newRow("NUL first") << QString(spaces).replace(0, 1, QChar(0)) << "";
        QTest::newRow("no NUL: 255 spaces kept") << spaces << spaces;
        QTest::newRow("text then NUL") << Q(FixedProbe::Buffer(u"C:\\WINDOWS")) << "C:\\WINDOWS";
        QString twoNuls = QStringLiteral("ab") + spaces.mid(2);
        twoNuls[2] = QChar(0);
        twoNuls[5] = QChar(0);
        QTest::newRow("cut at the first of two NULs") << twoNuls << "ab";
        QTest::newRow("NUL at position 255") << QString(254, u'x') + QChar(0) << QString(254, u'x');
        QTest::newRow("NUL beyond position 255 is not looked at")
            << QString(255, u'x') + QChar(0) + u'y' << QString(255, u'x') + QChar(0) + u'y';
        QTest::newRow("Arabic name") << Q(FixedProbe::Buffer(u"طالب")) << "طالب";
    }

    void trimAtNul()
    {
        QFETCH(QString, buffer);
        QFETCH(QString, trimmed);

        std::u16string text = buffer.toStdU16String();
        std::u16string& result = TrimAtNul(text);
        QCOMPARE(&result, &text); // cut in place and handed back
        QCOMPARE(Q(text), trimmed);
    }

    void probesCutTheirBuffers()
    {
        FixedProbe probe;
        probe.windowsFolder = u"C:\\WINDOWS";
        probe.userName = u"أحمد علي";
        QCOMPARE(Q(WindowsFolder(probe)), "C:\\WINDOWS");
        QCOMPARE(Q(CurrentUserName(probe)), "أحمد علي");

        // A failed query leaves the buffer of spaces, which comes back whole.
        struct UntouchedBuffers : FixedProbe {
            std::u16string WindowsFolderBuffer() override { return std::u16string(kProbeBufferLength, u' '); }
        } failing;
        QCOMPARE(Q(WindowsFolder(failing)), QString(255, u' '));
    }

    void templatesFolder_data()
    {
        QTest::addColumn<QString>("windowsFolder");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("folder");

        QTest::newRow("XP") << "C:\\WINDOWS"
                            << "student"
                            << "Windows XP (Whistler) "
                            << "C:\\Documents and Settings\\student\\Application Data\\Microsoft\\Templates\\";
        QTest::newRow("ME ignores the user") << "C:\\WINDOWS"
                                             << "student"
                                             << "Windows ME "
                                             << "C:\\WINDOWS\\Application Data\\Microsoft\\Templates\\";
        QTest::newRow("98 takes the NT form")
            << "C:\\WINDOWS"
            << "student"
            << "Windows98 "
            << "C:\\Documents and Settings\\student\\Application Data\\Microsoft\\Templates\\";
        QTest::newRow("ME without its trailing space is not ME")
            << "C:\\WINDOWS"
            << "student"
            << "Windows ME"
            << "C:\\Documents and Settings\\student\\Application Data\\Microsoft\\Templates\\";
        QTest::newRow("other drive")
            << "D:\\WINNT"
            << "student"
            << "Windows 2000 "
            << "D:\\Documents and Settings\\student\\Application Data\\Microsoft\\Templates\\";
        QTest::newRow("spaces and Arabic letters")
            << "C:\\WINDOWS"
            << " أحمد  علي "
            << "Windows XP (Whistler) "
            << "C:\\Documents and Settings\\ أحمد  علي \\Application Data\\Microsoft\\Templates\\";
    }

    void templatesFolder()
    {
        QFETCH(QString, windowsFolder);
        QFETCH(QString, user);
        QFETCH(QString, version);
        QFETCH(QString, folder);
        QCOMPARE(
            Q(TemplatesFolder(windowsFolder.toStdU16String(), user.toStdU16String(), version.toStdU16String())),
            folder);
    }
};

QTEST_APPLESS_MAIN(TestSystemFacts)
#include "test_system_facts.moc"

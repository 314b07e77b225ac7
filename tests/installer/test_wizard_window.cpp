#include "InstallationTexts.h"
#include "InstallerFakes.h"
#include "WizardWindow.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace installer;
using installer::testing::FakeFileSystem;
using installer::testing::FixedProbe;
using installer::testing::RecordingDesktop;
using installer::wizard::WizardWindow;

namespace {

const std::u16string templates = u"C:\\Documents and Settings\\student\\Application Data\\Microsoft\\Templates";

// A wizard over fakes, on a machine ready for a complete installation.
struct Wizard {
    FixedProbe probe;
    FakeFileSystem files;
    RecordingDesktop desktop;
    std::unique_ptr<WizardWindow> window;

    Wizard()
    {
        files.AddFolder(u"C:\\WINDOWS\\fonts");
        files.AddFolder(templates);
        files.AddFile(templates + u"\\Normal.dot", "user's template");
        for (const char16_t* name :
             {u"VovediVoda.dot", u"NurvelSans.ttf", u"NurvelSansB.ttf", u"Vudida.ttf", u"Dizever.ttf",
              u"NurvelT.nrv", u"NurvelV.nrv", u"Glyphboard.exe", u"Docpush.exe"})
            files.AddFile(probe.installerFolder + u"\\" + name, "x");
        window = std::make_unique<WizardWindow>(probe, files, desktop);
        window->show();
    }

    template <typename Widget = QWidget>
    Widget* Get(const char* name) const
    {
        auto* widget = window->findChild<Widget*>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }

    bool Shows(const char* name) const { return Get(name)->isVisible(); }
    void Click(const char* button) { QTest::mouseClick(Get<QPushButton>(button), Qt::LeftButton); }
    void Tick(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QMetaObject::invokeMethod(Get<QTimer>("Timer1"), "timeout");
    }
    QString Caption(const char* label) const { return Get<QLabel>(label)->text(); }

    // The layer the user sees at a point inside the pages' area: the page
    // on top there, or the window itself for the welcome view.
    QString TopLayer() const
    {
        for (QWidget* widget = window->childAt(150, 100); widget; widget = widget->parentWidget()) {
            if (widget->objectName().startsWith(u"Picture"))
                return widget->objectName();
        }
        return window->objectName();
    }

    // The pages shown, bottom first.
    QStringList Pages() const
    {
        QStringList shown;
        for (const char* page : {"Picture1", "Picture3", "Picture4", "Picture5"})
            if (Shows(page))
                shown << QLatin1String(page);
        return shown;
    }
};

const QString consentCaption = QStringLiteral(
    "هذا البرنامج يعمل مع برنامج الوورد، وذلك باستخدام الماكرو؛ لذا يحتاج البرنامج إلى تثبيت ملف تابع "
    "للوورد، هل توافق على تثبيت الملف؟");

} // namespace

class TestWizardWindow : public QObject {
    Q_OBJECT

private slots:
    void startUp()
    {
        Wizard wizard;
        WizardWindow& window = *wizard.window;
        QCOMPARE(window.objectName(), "frmMain");
        QCOMPARE(window.windowTitle(), "تثبيت برنامج Glyphboard");
        QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

        auto* list = wizard.Get<QListWidget>("List1");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), "student");
        QCOMPARE(list->item(1)->text(), "Windows XP (Whistler) ");
        QCOMPARE(list->item(2)->text(), "C:\\WINDOWS");
        QCOMPARE(list->currentRow(), 1);
        QCOMPARE(wizard.Caption("Label1"), "student");
        QCOMPARE(wizard.Caption("Label2"), "Windows XP (Whistler) ");

        QCOMPARE(wizard.Pages(), QStringList());
        for (const char* shown : {"Label4", "Label1", "Label2", "Picture2", "Command1", "Command2"})
            QVERIFY2(wizard.Shows(shown), shown);
        QVERIFY(!wizard.Get<QTimer>("Timer1")->isActive());
        for (const char* page : {"Picture1", "Picture3", "Picture4", "Picture5"})
            QCOMPARE(wizard.Get(page)->pos(), QPoint(2, 0));
        // The probe results lie below the visible part of the window.
        QVERIFY(list->geometry().top() >= window.height());
    }

    // The layers topmost first, as the design stacks them: the pages and
    // the logo over the welcome view, and each page's box under its
    // captions and buttons, where it would otherwise hide them.
    void stacking()
    {
        Wizard wizard;
        const auto topmostFirst = [](QWidget* container) {
            QStringList names;
            for (QObject* child : container->children())
                if (child->isWidgetType())
                    names.prepend(child->objectName());
            return names;
        };
        QCOMPARE(topmostFirst(wizard.window.get()).mid(0, 5),
                 (QStringList{"Picture5", "Picture4", "Picture3", "Picture2", "Picture1"}));
        const std::pair<const char*, const char*> boxes[] = {
            {"Picture1", "Label6"}, {"Picture3", "Label8"}, {"Picture4", "Label14"}, {"Picture5", "Label18"}};
        for (const auto& [page, box] : boxes)
            QCOMPARE(topmostFirst(wizard.Get(page)).last(), QLatin1String(box));
    }

    void captions_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Next") << "Command1"
                              << "<  التالي";
        QTest::newRow("Cancel") << "Command2"
                                << "الغاء";
        QTest::newRow("Yes") << "Command3"
                             << "<  نعم";
        QTest::newRow("No") << "Command4"
                            << "لا";
        QTest::newRow("Next on success") << "Command6"
                                         << "<  التالي";
        QTest::newRow("Close") << "Command7"
                               << "اغلاق";
        QTest::newRow("Back") << "Command8"
                              << "<  رجوع";
        QTest::newRow("title") << "Label4"
                               << "تثبيت برنامج Glyphboard";
        QTest::newRow("consent") << "Label3" << consentCaption;
        QTest::newRow("help, right half") << "Label7"
                                          << "Normal.dot يستخدم الوورد الملف";
        QTest::newRow("help, left half") << "Label9"
                                         << "لحفظ خيارات";
        QTest::newRow("help, second line") << "Label10"
                                           << "تتعلق ببرنامج الوورد مثل نوع الخط وواجهة البرنامج، وملفات الماكرو";
        QTest::newRow("success") << "Label11"
                                 << "تم التثبيت بنجاح";
        QTest::newRow("prayers") << "Label16"
                                 << "لا تنسونا من دعائكم";
        QTest::newRow("comments") << "Label20"
                                  << "ترسل الملاحظات على العنوان التالي";
        QTest::newRow("restart") << "Label17"
                                 << "فضلا أعد تشغيل الويندوز";
    }

    void captions()
    {
        QFETCH(QString, control);
        QFETCH(QString, caption);
        Wizard wizard;
        QObject* widget = wizard.window->findChild<QObject*>(control);
        QVERIFY(widget);
        QCOMPARE(widget->property("text").toString(), caption);
    }

    // Pages are layers: Help lies over Consent, Back returns to it exactly
    // as it was, No returns to the welcome view.
    void pageFlow()
    {
        Wizard wizard;
        wizard.Click("Command1");
        QCOMPARE(wizard.Pages(), QStringList{"Picture1"});
        QVERIFY(!wizard.Shows("Command3"));
        QCOMPARE(wizard.Get<QTimer>("Timer1")->interval(), 1000);
        QVERIFY(wizard.Get<QTimer>("Timer1")->isActive());

        wizard.Tick(5);
        wizard.Click("Command5");
        QCOMPARE(wizard.Pages(), (QStringList{"Picture1", "Picture3"}));
        QCOMPARE(wizard.TopLayer(), "Picture3");
        wizard.Click("Command8");
        QCOMPARE(wizard.Pages(), QStringList{"Picture1"});
        QVERIFY(wizard.Shows("Command3"));
        QCOMPARE(wizard.Caption("Label3"), consentCaption);

        wizard.Click("Command4");
        QCOMPARE(wizard.Pages(), QStringList());
        QCOMPARE(wizard.TopLayer(), "frmMain");
        QVERIFY(wizard.Shows("Command1"));
    }

    void yesAppearsOnTheFifthTickOnly_data()
    {
        QTest::addColumn<int>("ticksBeforeNo");
        QTest::newRow("no visit interrupted") << 0;
        QTest::newRow("No after three ticks, then Next again") << 3;
    }

    void yesAppearsOnTheFifthTickOnly()
    {
        QFETCH(int, ticksBeforeNo);
        Wizard wizard;
        wizard.Click("Command1");
        if (ticksBeforeNo) {
            wizard.Tick(ticksBeforeNo);
            wizard.Click("Command4");
            wizard.Click("Command1");
        }
        // The count goes on from where it was.
        for (int tick = ticksBeforeNo + 1; tick < 5; ++tick) {
            wizard.Tick();
            QVERIFY2(!wizard.Shows("Command3"), qPrintable(QStringLiteral("tick %1").arg(tick)));
        }
        wizard.Tick();
        QVERIFY(wizard.Shows("Command3"));
        QCOMPARE(wizard.window->TickCount(), 5);
    }

    void laterTicksNeitherShowYesNorOverflow()
    {
        Wizard wizard;
        wizard.Click("Command1");
        wizard.Tick(5);
        wizard.Click("Command1"); // hides Yes again
        wizard.Tick(40000);       // past the 16-bit limit: over nine hours of ticks
        QVERIFY(!wizard.Shows("Command3"));
        QCOMPARE(wizard.window->TickCount(), 5);
    }

    void completedInstallationLeadsToTheFarewellAndTheRestartOffer()
    {
        Wizard wizard;
        wizard.Click("Command1");
        wizard.Tick(5);
        wizard.Click("Command3");
        QCOMPARE(wizard.Pages(), (QStringList{"Picture1", "Picture4"}));
        QCOMPARE(wizard.TopLayer(), "Picture4");
        QVERIFY(!wizard.Shows("Command3"));
        QCOMPARE(wizard.files.files.at(FakeFileSystem::Key(u"C:\\Nurvel\\Glyphboard.exe")), "x");
        QCOMPARE(wizard.desktop.explored, std::vector<std::u16string>{u"C:\\WINDOWS\\fonts"});
        QCOMPARE(wizard.Get<QListWidget>("List1")->currentRow(), 2);

        wizard.Click("Command6");
        QCOMPARE(wizard.Pages(), (QStringList{"Picture1", "Picture4", "Picture5"}));
        QCOMPARE(wizard.TopLayer(), "Picture5");
        QCOMPARE(wizard.desktop.shutdownDialogs, 0);
        wizard.Click("Command7");
        QCOMPARE(wizard.desktop.shutdownDialogs, 1);
        QVERIFY(!wizard.window->isVisible());
    }

    void wordRunningKeepsTheConsentPage()
    {
        Wizard wizard;
        wizard.files.FailOn(templates + u"\\Normal.dot", FailureKind::Permission);
        wizard.Click("Command1");
        wizard.Tick(5);
        wizard.Click("Command3");
        QCOMPARE(wizard.Pages(), QStringList{"Picture1"});
        QVERIFY(wizard.Shows("Command3"));
        QCOMPARE(wizard.Caption("Label3"), "برنامج الوورد يعمل الآن، فضلا أغلق الوورد ثم اضغض مفتاح نعم");
    }

    void failedProgramCopyNamesTheFileAndKeepsYes()
    {
        Wizard wizard;
        wizard.files.files.erase(FakeFileSystem::Key(wizard.probe.installerFolder + u"\\Glyphboard.exe"));
        wizard.Click("Command1");
        wizard.Tick(5);
        wizard.Click("Command3");
        QCOMPARE(wizard.Pages(), QStringList{"Picture1"});
        QVERIFY(wizard.Shows("Command3"));
        QVERIFY(wizard.Caption("Label3").contains(u"Glyphboard.exe"));
    }

    // The last page of an installation that left a part out says which part
    // and why, all of it inside the page's box, and leads on to the farewell.
    void incompleteInstallationNamesWhatIsMissing()
    {
        Wizard wizard;
        wizard.files.files.erase(FakeFileSystem::Key(wizard.probe.installerFolder + u"\\Vudida.ttf"));
        wizard.files.unreadable.insert(FakeFileSystem::Key(templates + u"\\Normal.dot"));
        wizard.Click("Command1");
        wizard.Tick(5);
        wizard.Click("Command3");
        QCOMPARE(wizard.Pages(), (QStringList{"Picture1", "Picture4"}));
        QVERIFY(!wizard.Shows("Command3"));

        auto* report = wizard.Get<QLabel>("Label11");
        const QStringList lines = report->text().split(u'\n');
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QString::fromStdU16String(std::u16string(kIncompleteHeading)));
        QVERIFY(lines[1].contains(u"Normal.dot"));
        QVERIFY(lines[2].contains(u"Vudida.ttf"));
        QVERIFY(wizard.Get("Label14")->geometry().contains(report->geometry()));
        QVERIFY2(report->heightForWidth(report->width()) <= report->height(),
                 qPrintable(
                     QStringLiteral("%1 > %2").arg(report->heightForWidth(report->width())).arg(report->height())));

        wizard.Click("Command6");
        QCOMPARE(wizard.TopLayer(), "Picture5");
    }

    // The installation takes its inputs from the controls, not from the probes.
    void installationReadsTheControls()
    {
        Wizard wizard;
        const std::u16string meTemplates = u"D:\\WIN\\Application Data\\Microsoft\\Templates";
        wizard.files.AddFolder(u"D:\\WIN\\fonts");
        wizard.files.AddFolder(meTemplates);
        wizard.Get<QLabel>("Label2")->setText(QStringLiteral("Windows ME "));
        wizard.Get<QListWidget>("List1")->item(2)->setText(QStringLiteral("D:\\WIN"));
        wizard.Click("Command1");
        wizard.Tick(5);
        wizard.Click("Command3");
        QVERIFY(wizard.Shows("Picture4"));
        QVERIFY(wizard.files.files.contains(FakeFileSystem::Key(meTemplates + u"\\Normal.dot")));
        QVERIFY(wizard.files.files.contains(FakeFileSystem::Key(u"D:\\WIN\\fonts\\Vudida.ttf")));
        QVERIFY(!wizard.files.files.contains(FakeFileSystem::Key(u"D:\\WIN\\fonts\\NurvelSans.ttf")));
    }

    void cancelEndsWithoutWriting()
    {
        Wizard wizard;
        const FakeFileSystem::Files before = wizard.files.files;
        wizard.Click("Command2");
        QVERIFY(!wizard.window->isVisible());
        QCOMPARE(wizard.files.files, before);
        QVERIFY(wizard.desktop.explored.empty());
    }
};

QTEST_MAIN(TestWizardWindow)
#include "test_wizard_window.moc"

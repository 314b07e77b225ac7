#include "LinuxDesktop.h"
#include "LinuxFileSystem.h"
#include "LinuxPaths.h"
#include "LinuxSystemProbe.h"
#include "WizardWindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    using namespace installer::xdg;
    const LinuxPaths paths = LinuxPaths::FromEnvironment();
    LinuxSystemProbe probe(LinuxSystemProbe::RunningProgramFolder());
    LinuxFileSystem files(paths);
    LinuxDesktop desktop(paths);
    installer::wizard::WizardWindow window(probe, files, desktop);
    window.show();
    return app.exec();
}

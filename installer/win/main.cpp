// Glyphinstall on Windows: the wizard over the Win32 probes, file
// operations and desktop actions.

#include "Win32Desktop.h"
#include "Win32FileSystem.h"
#include "Win32SystemProbe.h"
#include "WizardWindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    installer::win::Win32SystemProbe probe;
    installer::win::Win32FileSystem files;
    installer::win::Win32Desktop desktop;
    installer::wizard::WizardWindow window(probe, files, desktop);
    window.show();
    return app.exec();
}

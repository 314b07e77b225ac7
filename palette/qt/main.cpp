#include "DisplayPlatform.h"
#include "DocumentLinkFactory.h"
#include "Form1.h"

#include <QApplication>

#include <memory>
#include <vector>

int main(int argc, char* argv[])
{
    // On a Wayland desktop the palette runs through XWayland, where it can
    // stay above the word processor. The choice goes in as an argument, not
    // the environment, so that an office the link starts is not affected.
    std::vector<char*> arguments(argv, argv + argc);
    char platformOption[] = "-platform";
    char xcb[] = "xcb";
    if (palette::ShouldUseXWayland(palette::CurrentSession(argc, argv))) {
        arguments.push_back(platformOption);
        arguments.push_back(xcb);
    }
    int argumentCount = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);

    QApplication app(argumentCount, arguments.data());
    int result = 0;
    {
        // The link outlives the window and is gone before main returns: a
        // word-processor backend must shut down while the program still runs.
        const std::unique_ptr<doclink::DocumentLink> link = doclink::CreateDocumentLink();
        palette::Form1 window(*link);
        window.Load();
        result = app.exec();
    }
    return result;
}

#include "DocumentLinkFactory.h"
#include "Form1.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
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

#include "WriterExtension.h"

#include <QProcess>
#include <QStandardPaths>

namespace installer::xdg {

namespace fs = std::filesystem;

fs::path BundledExtensionsFolder()
{
    return GLYPHBOARD_WRITER_BUNDLED_EXTENSIONS;
}

void RunUnopkg(const QStringList& arguments)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("unopkg"));
    if (program.isEmpty())
        return;
    QProcess unopkg;
    unopkg.start(program, arguments);
    if (!unopkg.waitForFinished(120000))
        unopkg.kill();
}

void RegisterWriterExtension(const fs::path& mediumFolder, const fs::path& bundledFolder,
                             const std::function<void(const QStringList&)>& unopkg)
{
    const fs::path extension = mediumFolder / kWriterExtensionFile;
    std::error_code error;
    if (!fs::is_regular_file(extension, error) || fs::exists(bundledFolder / "glyphboard", error))
        return;
    // --force replaces the extension of an earlier installation.
    unopkg({QStringLiteral("add"), QStringLiteral("--suppress-license"), QStringLiteral("--force"),
            QString::fromStdString(extension.string())});
}

} // namespace installer::xdg

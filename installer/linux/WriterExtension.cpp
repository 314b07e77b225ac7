#include "WriterExtension.h"

#include <QProcess>
#include <QStandardPaths>

namespace installer::xdg {

namespace fs = std::filesystem;

void RegisterWriterExtension(const fs::path& mediumFolder, const fs::path& bundledFolder, const QString& unopkg)
{
    const fs::path extension = mediumFolder / kWriterExtensionFile;
    std::error_code error;
    if (!fs::is_regular_file(extension, error) || fs::exists(bundledFolder / "glyphboard", error))
        return;
    const QString program = QStandardPaths::findExecutable(unopkg);
    if (program.isEmpty())
        return;
    // --force replaces the extension of an earlier installation.
    QProcess registration;
    registration.start(program, {QStringLiteral("add"), QStringLiteral("--suppress-license"),
                                 QStringLiteral("--force"), QString::fromStdString(extension.string())});
    if (!registration.waitForFinished(120000))
        registration.kill();
}

} // namespace installer::xdg

#pragma once

#include <QString>

#include <filesystem>

namespace installer::xdg {

// The Writer extension that travels on the installation medium beside the
// palette; with it the palette types through one call per click.
inline constexpr char kWriterExtensionFile[] = "glyphboard.oxt";

// Registers the extension in `mediumFolder` for the user with `unopkg`,
// unless the office's bundled extensions (`bundledFolder`, where the Debian
// package puts it) already hold it or the medium has none. Writer takes it
// at its next start. A failure is left alone: the palette types without
// the extension too, only slower.
void RegisterWriterExtension(const std::filesystem::path& mediumFolder,
                             const std::filesystem::path& bundledFolder = "/usr/lib/libreoffice/share/extensions",
                             const QString& unopkg = QStringLiteral("unopkg"));

} // namespace installer::xdg

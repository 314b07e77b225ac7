#pragma once

#include <QStringList>

#include <filesystem>
#include <functional>

namespace installer::xdg {

// The Writer extension that travels on the installation medium beside the
// palette; with it the palette types through one call per click.
inline constexpr char kWriterExtensionFile[] = "glyphboard.oxt";

// The folder of the system office's bundled extensions.
std::filesystem::path BundledExtensionsFolder();

// Runs LibreOffice's `unopkg` with the arguments and waits for it; does
// nothing where there is none.
void RunUnopkg(const QStringList& arguments);

// Registers the extension in `mediumFolder` for the user through `unopkg`,
// unless the office's bundled extensions (`bundledFolder`, where the Debian
// package puts it) already hold it or the medium has none. Writer takes it
// at its next start. A failure is left alone: the palette types without
// the extension too, only slower.
void RegisterWriterExtension(const std::filesystem::path& mediumFolder,
                             const std::filesystem::path& bundledFolder = BundledExtensionsFolder(),
                             const std::function<void(const QStringList&)>& unopkg = RunUnopkg);

} // namespace installer::xdg

#pragma once

#include "AtomicFile.h"

#include <filesystem>
#include <string>

namespace installer::xdg {

// Makes the template the one new Writer text documents start from, in the
// LibreOffice user profile folder ("…/libreoffice/4/user"): sets the text
// document factory's template file in the profile's registrymodifications.xcu,
// in the one-item-a-line form LibreOffice writes there itself. The user's
// earlier setting (or that there was none) is written once, before the first
// change, to glyphboard-earlier-template.xcu beside it, as an item that
// restores it. LibreOffice reads the profile when it starts and writes it back
// when it ends, so the change counts from its next start. Throws
// std::filesystem::filesystem_error.
void SetDefaultWriterTemplate(const std::filesystem::path& profileFolder, const std::filesystem::path& templateFile,
                              const BlockWriter& write = WriteBlock);

// Makes the product's template, just installed as `wordTemplate` (Normal.dot
// in the profile's template folder) from `source` on the installation medium,
// the one new Writer text documents start from. Writer takes a document's
// settings, font embedding among them, only from a template in its own
// format: when the medium carries that beside `source` (the same name, .ott),
// it is copied into the template folder under its own name and becomes the
// default; otherwise the Word template does. Throws std::filesystem::filesystem_error.
void InstallDefaultWriterTemplate(const std::filesystem::path& source, const std::filesystem::path& wordTemplate,
                                  const BlockWriter& write = WriteBlock);

// The file URL of an absolute path, every byte outside the unreserved set
// percent-encoded.
std::string FileUrl(const std::filesystem::path& path);

// The name of the file that keeps the user's earlier setting.
inline constexpr const char* kEarlierTemplateSetting = "glyphboard-earlier-template.xcu";

} // namespace installer::xdg

#include "WriterProfile.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <system_error>

namespace installer::xdg {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kItemStart =
    "<item oor:path=\"/org.openoffice.Setup/Office/Factories/"
    "org.openoffice.Setup:Factory[&apos;com.sun.star.text.TextDocument&apos;]\">"
    "<prop oor:name=\"ooSetupFactoryTemplateFile\" oor:op=\"fuse\">";
constexpr std::string_view kItemEnd = "</prop></item>";
// The same item as another writer may spell it.
constexpr std::string_view kFactoryPaths[] = {
    "Factory[&apos;com.sun.star.text.TextDocument&apos;]",
    "Factory['com.sun.star.text.TextDocument']",
    "Factory[&#39;com.sun.star.text.TextDocument&#39;]",
};
constexpr std::string_view kPropertyName = "oor:name=\"ooSetupFactoryTemplateFile\"";
constexpr std::string_view kEmptyProfile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n";
constexpr std::string_view kItemsEnd = "</oor:items>";

std::optional<std::string> Read(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        if (errno == ENOENT)
            return std::nullopt;
        throw fs::filesystem_error("cannot read", path, std::error_code(errno, std::generic_category()));
    }
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Where the template item sits in the profile text: from the start of its
// line's "<item" to the end of its "</item>", if it is there.
std::optional<std::pair<std::size_t, std::size_t>> FindItem(const std::string& profile)
{
    for (std::size_t at = profile.find("<item "); at != std::string::npos; at = profile.find("<item ", at + 1)) {
        const std::size_t end = profile.find("</item>", at);
        if (end == std::string::npos)
            return std::nullopt;
        const std::string_view item(profile.data() + at, end - at);
        for (std::string_view path : kFactoryPaths) {
            if (item.find(path) != std::string_view::npos && item.find(kPropertyName) != std::string_view::npos)
                return std::pair{at, end + std::string_view("</item>").size()};
        }
    }
    return std::nullopt;
}

std::string Item(std::string_view value)
{
    std::string item(kItemStart);
    item += value.empty() ? std::string("<value/>") : "<value>" + std::string(value) + "</value>";
    item += kItemEnd;
    return item;
}

} // namespace

std::string FileUrl(const fs::path& path)
{
    constexpr std::string_view hex = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : path.native()) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'
                           || c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            url += char(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 0xF];
        }
    }
    return url;
}

void SetDefaultWriterTemplate(const fs::path& profileFolder, const fs::path& templateFile, const BlockWriter& write)
{
    const fs::path registry = profileFolder / "registrymodifications.xcu";
    std::string profile = Read(registry).value_or(std::string(kEmptyProfile) + std::string(kItemsEnd) + "\n");
    const std::string item = Item(FileUrl(templateFile));

    const auto found = FindItem(profile);
    const std::string earlier = found ? profile.substr(found->first, found->second - found->first) : Item("");
    if (earlier == item)
        return;
    // Keep the user's own setting once; a later installation finds ours.
    const fs::path kept = profileFolder / kEarlierTemplateSetting;
    if (!fs::exists(fs::symlink_status(kept)))
        WriteAtomically(kept, std::string(kEmptyProfile) + earlier + "\n" + std::string(kItemsEnd) + "\n", write);

    if (found) {
        profile.replace(found->first, found->second - found->first, item);
    } else {
        const std::size_t end = profile.rfind(kItemsEnd);
        if (end == std::string::npos)
            throw fs::filesystem_error("not a LibreOffice profile", registry,
                                       std::make_error_code(std::errc::invalid_argument));
        profile.insert(end, item + "\n");
    }
    WriteAtomically(registry, profile, write);
}

void InstallDefaultWriterTemplate(const fs::path& source, const fs::path& wordTemplate, const BlockWriter& write)
{
    const fs::path templates = wordTemplate.parent_path();
    const fs::path writerSource = fs::path(source).replace_extension(".ott");
    fs::path installed = wordTemplate;
    if (fs::is_regular_file(writerSource)) {
        installed = templates / writerSource.filename();
        CopyAtomically(writerSource, installed, Placement::Replace, write);
    }
    SetDefaultWriterTemplate(templates.parent_path(), installed, write);
}

} // namespace installer::xdg

#include "LinuxSystemProbe.h"

#include "SystemFacts.h"

namespace installer::xdg {
namespace {

// What a Windows buffer query leaves: the text, a NUL, then the rest of the
// buffer of spaces.
std::u16string InBuffer(std::u16string_view text)
{
    std::u16string buffer(text.substr(0, kProbeBufferLength - 1));
    buffer += u'\0';
    buffer.resize(kProbeBufferLength, u' ');
    return buffer;
}

} // namespace

LinuxSystemProbe::LinuxSystemProbe(std::filesystem::path installerFolder)
    : installerFolder_(std::move(installerFolder))
{
}

VersionNumbers LinuxSystemProbe::QueryVersion()
{
    // Major version 0 is no Windows version the name table knows.
    return {true, 0, 0, 0};
}

std::u16string LinuxSystemProbe::WindowsFolderBuffer()
{
    return InBuffer(kWindowsFolderName);
}

std::u16string LinuxSystemProbe::UserNameBuffer()
{
    return InBuffer(LoginName());
}

std::u16string LinuxSystemProbe::InstallerFolder()
{
    return OnDriveZ(installerFolder_);
}

std::filesystem::path LinuxSystemProbe::RunningProgramFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : program.parent_path();
}

} // namespace installer::xdg

#include "LinuxDesktop.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace installer::xdg {
namespace {

struct SessionDialog {
    const char* desktop; // as named in XDG_CURRENT_DESKTOP
    const char* program;
    QStringList arguments;
};

// The restart (or log-out) dialog of each desktop session that has one.
const SessionDialog kSessionDialogs[] = {
    {"GNOME", "gnome-session-quit", {QStringLiteral("--reboot")}},
    {"Unity", "gnome-session-quit", {QStringLiteral("--reboot")}},
    {"Budgie", "gnome-session-quit", {QStringLiteral("--reboot")}},
    {"X-Cinnamon", "cinnamon-session-quit", {QStringLiteral("--reboot")}},
    // confirm, reboot, interactive
    {"KDE",
     "qdbus",
     {QStringLiteral("org.kde.ksmserver"), QStringLiteral("/KSMServer"), QStringLiteral("logout"),
      QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("3")}},
    {"XFCE", "xfce4-session-logout", {}},
    {"MATE", "mate-session-save", {QStringLiteral("--shutdown-dialog")}},
    {"LXQt", "lxqt-leave", {QStringLiteral("--reboot")}},
};

} // namespace

LinuxDesktop::LinuxDesktop(LinuxPaths paths) : paths_(std::move(paths)) { }

void LinuxDesktop::ExploreFolder(const std::u16string& path)
{
    // xdg-open hands the folder to the desktop's file manager, whatever the
    // desktop; it is not waited for.
    if (const auto folder = paths_.Map(path))
        QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromStdString(folder->string())});
}

void LinuxDesktop::ShowShutdownDialog()
{
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts);
    for (const SessionDialog& dialog : kSessionDialogs) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(dialog.program));
        if (desktops.contains(QLatin1String(dialog.desktop), Qt::CaseInsensitive) && !program.isEmpty()) {
            QProcess::startDetached(program, dialog.arguments);
            return;
        }
    }
}

} // namespace installer::xdg

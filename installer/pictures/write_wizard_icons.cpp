// Writes the wizard's pictures as icon files for the Windows program's
// resources: Glyphinstall.ico (the window icon, 16 and 32 pixels), Logo.ico
// and WordProcessor.ico, each at its own pixel size. The pictures are the
// Qt wizard's own, so both wizards show the same ones.
//
//   write_wizard_icons OUTPUT-FOLDER

#include "WizardPictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QtEndian>

#include <cstdio>
#include <vector>

namespace {

void Append16(QByteArray& bytes, quint16 value)
{
    const quint16 le = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&le), 2);
}

void Append32(QByteArray& bytes, quint32 value)
{
    const quint32 le = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&le), 4);
}

// An icon file whose images are stored as PNG, which keeps their alpha
// channel; Windows reads such icons since Vista. Sizes up to 256 pixels.
QByteArray IconFile(const std::vector<QImage>& images)
{
    std::vector<QByteArray> pngs;
    for (const QImage& image : images) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG");
        pngs.push_back(png);
    }
    QByteArray file;
    Append16(file, 0); // reserved
    Append16(file, 1); // icon
    Append16(file, static_cast<quint16>(images.size()));
    quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        file.append(char(images[i].width() % 256)); // 0 means 256
        file.append(char(images[i].height() % 256));
        file.append(char(0)); // no palette
        file.append(char(0));
        Append16(file, 1);  // colour planes
        Append16(file, 32); // bits per pixel
        Append32(file, static_cast<quint32>(pngs[i].size()));
        Append32(file, offset);
        offset += static_cast<quint32>(pngs[i].size());
    }
    for (const QByteArray& png : pngs)
        file.append(png);
    return file;
}

bool Write(const QDir& folder, const char* name, const std::vector<QImage>& images)
{
    QFile file(folder.filePath(QString::fromLatin1(name)));
    if (file.open(QIODevice::WriteOnly) && file.write(IconFile(images)) >= 0)
        return true;
    std::fprintf(stderr, "write_wizard_icons: cannot write %s\n", qPrintable(file.fileName()));
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_wizard_icons OUTPUT-FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    using namespace installer::wizard;
    const QIcon icon = WindowIcon();
    const bool written =
        Write(folder, "Glyphinstall.ico", {icon.pixmap(16, 16).toImage(), icon.pixmap(32, 32).toImage()})
        && Write(folder, "Logo.ico", {Logo().toImage()})
        && Write(folder, "WordProcessor.ico", {WordProcessorIcon().toImage()});
    return written ? 0 : 1;
}

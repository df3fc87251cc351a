// Draws the program's pictures into a folder: korvale-make-artwork OUTPUT_FOLDER
// The folder receives emblems/, kinds/ and icons/ as embedded by the resources layer, plus
// contact-sheet.png for reviewing them.

#include "ArtworkCatalogue.h"
#include "ContactSheet.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

namespace {

bool WriteImage(const QDir& folder, const QString& path, const QImage& image)
{
    const QString target = folder.filePath(path);
    if (!folder.mkpath(QFileInfo(target).path()) || !image.save(target, "PNG")) {
        std::fprintf(stderr, "korvale-make-artwork: cannot write %s\n", qPrintable(target));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    // Only the contact sheet draws text, but fonts need an application; no display is used.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: korvale-make-artwork OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const ArtworkFile& file : ArtworkCatalogue()) {
        if (!WriteImage(folder, file.path, file.image))
            return 1;
    }
    return WriteImage(folder, "contact-sheet.png", ContactSheet()) ? 0 : 1;
}

#pragma once

#include <QImage>
#include <QString>

#include <vector>

// Every picture the program embeds, under the file name it is embedded with (relative to the
// output folder, which mirrors the resource prefixes).
struct ArtworkFile {
    QString path;
    QImage image;
};

std::vector<ArtworkFile> ArtworkCatalogue();

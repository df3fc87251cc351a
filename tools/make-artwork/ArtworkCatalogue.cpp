#include "ArtworkCatalogue.h"

#include "Emblems.h"
#include "Icons.h"
#include "KindIcons.h"
#include "PlayerKind.h"
#include "SplashArt.h"
#include "ToolbarIcons.h"

std::vector<ArtworkFile> artworkCatalogue()
{
    std::vector<ArtworkFile> files;
    for (int colour = 0; colour < Emblems::colourCount; ++colour) {
        for (int civilization = 1; civilization <= Emblems::civilizationCount; ++civilization) {
            const int index = Emblems::emblemIndex(colour, civilization);
            files.push_back({QString::asprintf("emblems/emblem-%03d.png", index),
                             Emblems::paintEmblem(civilization, colour)});
        }
    }
    for (int kind = Mgx::PlayerKind::Human; kind <= Mgx::PlayerKind::Computer; ++kind)
        files.push_back({QString::asprintf("kinds/kind-%d.png", kind), Icons::kindPicture(kind)});
    files.push_back({"icons/eye.png", Icons::eye()});
    files.push_back({"icons/enlarge.png", Icons::enlarge()});
    files.push_back({"icons/restore.png", Icons::restore()});
    files.push_back({"icons/triangle-up.png", Icons::triangleUp()});
    files.push_back({"icons/triangle-down.png", Icons::triangleDown()});
    files.push_back({"icons/korvale.png", Icons::applicationIcon(256)});
    files.push_back({"icons/korvale-64.png", Icons::applicationIcon(64)});
    for (const int size : {16, 32}) {
        const QString suffix = size == 16 ? QString() : QStringLiteral("-32");
        files.push_back({"listicons/icon-142" + suffix + ".png", KindIcons::folder(size)});
        files.push_back({"listicons/icon-143" + suffix + ".png", KindIcons::record(size)});
        files.push_back({"listicons/icon-145" + suffix + ".png", KindIcons::zipArchive(size)});
        files.push_back({"listicons/icon-146" + suffix + ".png", KindIcons::rarArchive(size)});
    }
    files.push_back({"toolbars/main.png", ToolbarIcons::mainStrip(false)});
    files.push_back({"toolbars/main-disabled.png", ToolbarIcons::mainStrip(true)});
    files.push_back({"toolbars/address.png", ToolbarIcons::addressStrip(false)});
    files.push_back({"toolbars/address-disabled.png", ToolbarIcons::addressStrip(true)});
    files.push_back({"icons/place-folder.png", ToolbarIcons::placeFolder(false)});
    files.push_back({"icons/place-folder-open.png", ToolbarIcons::placeFolder(true)});
    files.push_back({"icons/place-desktop.png", ToolbarIcons::placeDesktop()});
    files.push_back({"icons/place-computer.png", ToolbarIcons::placeComputer()});
    files.push_back({"icons/place-drive.png", ToolbarIcons::placeDrive()});
    files.push_back({"icons/switch-fold.png", ToolbarIcons::switchArrow(true)});
    files.push_back({"icons/switch-unfold.png", ToolbarIcons::switchArrow(false)});
    files.push_back({"pictures/splash.png", SplashArt::splash()});
    // The desktop's icon theme sizes, installed rather than embedded.
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        files.push_back({QString::asprintf("hicolor/%dx%d/apps/korvale.png", size, size), Icons::applicationIcon(size)});
    return files;
}

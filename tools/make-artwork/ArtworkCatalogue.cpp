#include "ArtworkCatalogue.h"

#include "Emblems.h"
#include "Icons.h"
#include "SplashArt.h"
#include "ToolbarIcons.h"

std::vector<ArtworkFile> artworkCatalogue()
{
    std::vector<ArtworkFile> files;
    for (int colour = 0; colour < Emblems::colourCount; ++colour) {
        for (int civilisation = 1; civilisation <= Emblems::civilisationCount; ++civilisation) {
            const int index = Emblems::emblemIndex(colour, civilisation);
            files.push_back({QString::asprintf("emblems/emblem-%03d.png", index),
                             Emblems::paintEmblem(civilisation, colour)});
        }
    }
    for (int kind = 1; kind <= 3; ++kind)
        files.push_back({QString::asprintf("kinds/kind-%d.png", kind), Icons::kindPicture(kind)});
    files.push_back({"icons/eye.png", Icons::eye()});
    files.push_back({"icons/enlarge.png", Icons::enlarge()});
    files.push_back({"icons/restore.png", Icons::restore()});
    files.push_back({"icons/triangle-up.png", Icons::triangleUp()});
    files.push_back({"icons/triangle-down.png", Icons::triangleDown()});
    files.push_back({"icons/korvale.png", Icons::applicationIcon(256)});
    files.push_back({"icons/korvale-64.png", Icons::applicationIcon(64)});
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

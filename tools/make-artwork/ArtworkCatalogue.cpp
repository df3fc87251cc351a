#include "ArtworkCatalogue.h"

#include "Emblems.h"
#include "Icons.h"
#include "KindIcons.h"
#include "PlayerKind.h"
#include "SplashArt.h"
#include "ToolbarIcons.h"

std::vector<ArtworkFile> ArtworkCatalogue()
{
    std::vector<ArtworkFile> files;
    for (int colour = 0; colour < Emblems::colourCount; ++colour) {
        for (int civilization = 1; civilization <= Emblems::civilizationCount; ++civilization) {
            const int index = Emblems::EmblemIndex(colour, civilization);
            files.push_back({QString::asprintf("emblems/emblem-%03d.png", index),
                             Emblems::PaintEmblem(civilization, colour)});
        }
    }
    for (int kind = Mgx::PlayerKind::Human; kind <= Mgx::PlayerKind::Computer; ++kind)
        files.push_back({QString::asprintf("kinds/kind-%d.png", kind), Icons::KindPicture(kind)});
    files.push_back({"icons/eye.png", Icons::Eye()});
    files.push_back({"icons/enlarge.png", Icons::Enlarge()});
    files.push_back({"icons/restore.png", Icons::Restore()});
    files.push_back({"icons/triangle-up.png", Icons::TriangleUp()});
    files.push_back({"icons/triangle-down.png", Icons::TriangleDown()});
    files.push_back({"icons/korvale.png", Icons::ApplicationIcon(256)});
    files.push_back({"icons/korvale-64.png", Icons::ApplicationIcon(64)});
    for (const int size : {16, 32}) {
        const QString suffix = size == 16 ? QString() : QStringLiteral("-32");
        files.push_back({"listicons/icon-142" + suffix + ".png", KindIcons::Folder(size)});
        files.push_back({"listicons/icon-143" + suffix + ".png", KindIcons::Record(size)});
        files.push_back({"listicons/icon-145" + suffix + ".png", KindIcons::ZipArchive(size)});
        files.push_back({"listicons/icon-146" + suffix + ".png", KindIcons::RarArchive(size)});
    }
    files.push_back({"toolbars/main.png", ToolbarIcons::MainStrip(false)});
    files.push_back({"toolbars/main-disabled.png", ToolbarIcons::MainStrip(true)});
    files.push_back({"toolbars/address.png", ToolbarIcons::AddressStrip(false)});
    files.push_back({"toolbars/address-disabled.png", ToolbarIcons::AddressStrip(true)});
    files.push_back({"icons/place-folder.png", ToolbarIcons::PlaceFolder(false)});
    files.push_back({"icons/place-folder-open.png", ToolbarIcons::PlaceFolder(true)});
    files.push_back({"icons/place-desktop.png", ToolbarIcons::PlaceDesktop()});
    files.push_back({"icons/place-computer.png", ToolbarIcons::PlaceComputer()});
    files.push_back({"icons/place-drive.png", ToolbarIcons::PlaceDrive()});
    files.push_back({"icons/switch-fold.png", ToolbarIcons::SwitchArrow(true)});
    files.push_back({"icons/switch-unfold.png", ToolbarIcons::SwitchArrow(false)});
    files.push_back({"pictures/splash.png", SplashArt::Splash()});
    // The desktop's icon theme sizes, installed rather than embedded.
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        files.push_back({QString::asprintf("hicolor/%dx%d/apps/korvale.png", size, size), Icons::ApplicationIcon(size)});
    return files;
}

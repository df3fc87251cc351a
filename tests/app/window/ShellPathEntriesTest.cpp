#include "PathEntries.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace PathEntries;

namespace {

std::vector<Entry> SampleFixed()
{
    return FixedEntries(QStringLiteral("/home/ann/Desktop"), {QStringLiteral("games"), QStringLiteral("maps")},
                        {{QStringLiteral("/"), {}, false},
                         {QStringLiteral("/home"), {}, false},
                         {QStringLiteral("/media/ann/USB"), QStringLiteral("USB"), true}});
}

QStringList Names(const Contents& contents)
{
    QStringList names;
    for (const Entry& entry : contents.entries)
        names << QStringLiteral("%1:%2").arg(entry.level).arg(entry.name);
    return names;
}

} // namespace

TEST(ShellPathEntries, FixedEntriesPutTheDesktopFirstAndTheVolumesRightAfterTheComputer)
{
    const std::vector<Entry> fixed = SampleFixed();
    const QStringList expected{"0:桌面", "1:games", "1:maps", "1:计算机", "2:根目录 (/)", "2:home (/home)",
                               "2:USB (/media/ann/USB)"};
    EXPECT_EQ(Names({fixed, -1, {}}), expected);
    EXPECT_EQ(fixed[1].path, "/home/ann/Desktop/games");
    EXPECT_EQ(fixed[3].kind, Kind::Computer);
    EXPECT_EQ(fixed[6].kind, Kind::RemovableVolume);
}

TEST(ShellPathEntries, TheDesktopSelectsTheFirstEntryAndAddsNothing)
{
    for (const QString& folder : {QString(), QStringLiteral("/home/ann/Desktop"), QStringLiteral("/home/ann/Desktop/")}) {
        const Contents contents = Compose(SampleFixed(), folder);
        EXPECT_EQ(contents.selected, 0) << qPrintable(folder);
        EXPECT_EQ(contents.fieldText, "桌面");
        EXPECT_EQ(contents.entries.size(), SampleFixed().size());
    }
}

TEST(ShellPathEntries, AVolumeRootSelectsItsFixedEntryAndShowsItsName)
{
    const Contents root = Compose(SampleFixed(), QStringLiteral("/"));
    EXPECT_EQ(root.selected, 4);
    EXPECT_EQ(root.fieldText, "根目录 (/)");
    EXPECT_EQ(root.entries.size(), SampleFixed().size());

    const Contents usb = Compose(SampleFixed(), QStringLiteral("/media/ann/USB"));
    EXPECT_EQ(usb.selected, 6);
    EXPECT_EQ(usb.fieldText, "USB (/media/ann/USB)");
}

TEST(ShellPathEntries, AFolderTwoLevelsBelowAVolumeAddsTwoEntriesAfterIt)
{
    const Contents contents = Compose(SampleFixed(), QStringLiteral("/srv/aoc"));
    const QStringList expected{"0:桌面", "1:games", "1:maps", "1:计算机", "2:根目录 (/)", "3:srv", "4:aoc",
                               "2:home (/home)", "2:USB (/media/ann/USB)"};
    EXPECT_EQ(Names(contents), expected);
    EXPECT_EQ(contents.selected, 6);
    EXPECT_EQ(contents.entries[5].path, "/srv");
    EXPECT_EQ(contents.entries[6].path, "/srv/aoc");
    EXPECT_EQ(contents.fieldText, "/srv/aoc");
}

TEST(ShellPathEntries, TheVolumeHoldingAFolderMostCloselyAnchorsIt)
{
    // /home/ann/SaveGame lies on both "/" and "/home"; only "/home" gets the path entries.
    const Contents contents = Compose(SampleFixed(), QStringLiteral("/home/ann/SaveGame"));
    const QStringList expected{"0:桌面", "1:games", "1:maps", "1:计算机", "2:根目录 (/)", "2:home (/home)",
                               "3:ann", "4:SaveGame", "2:USB (/media/ann/USB)"};
    EXPECT_EQ(Names(contents), expected);
    EXPECT_EQ(contents.selected, 7);
}

TEST(ShellPathEntries, DesktopFoldersAnchorTheFoldersBelowThem)
{
    const Contents folder = Compose(SampleFixed(), QStringLiteral("/home/ann/Desktop/games"));
    EXPECT_EQ(folder.selected, 1);
    EXPECT_EQ(folder.fieldText, "games");

    const Contents below = Compose(SampleFixed(), QStringLiteral("/home/ann/Desktop/maps/arabia"));
    EXPECT_EQ(below.selected, 3);
    EXPECT_EQ(below.entries[3].name, "arabia");
    EXPECT_EQ(below.entries[3].level, 2);
    EXPECT_EQ(below.fieldText, "/home/ann/Desktop/maps/arabia");
    // The computer entry is never an anchor, even though its folder is "/".
    EXPECT_EQ(below.entries[4].kind, Kind::Computer);
}

TEST(ShellPathEntries, ADesktopFolderMadeLaterHangsBelowTheDesktop)
{
    const Contents contents = Compose(SampleFixed(), QStringLiteral("/home/ann/Desktop/new"));
    EXPECT_EQ(contents.entries[1].name, "new");
    EXPECT_EQ(contents.entries[1].level, 1);
    EXPECT_EQ(contents.selected, 1);
}

TEST(ShellPathEntries, PathsAreComparedByWholeNames)
{
    // "/homework" is not below "/home".
    const Contents contents = Compose(SampleFixed(), QStringLiteral("/homework"));
    EXPECT_EQ(contents.entries[5].name, "homework");
    EXPECT_EQ(contents.entries[5].level, 3);
    EXPECT_EQ(contents.selected, 5);
    // Doubled and trailing separators and ".." are cleaned before comparing.
    EXPECT_EQ(Compose(SampleFixed(), QStringLiteral("//home//ann/../")).selected, 5);
}

TEST(ShellPathEntries, WithoutFixedEntriesNothingIsShown)
{
    const Contents contents = Compose({}, QStringLiteral("/srv"));
    EXPECT_TRUE(contents.entries.empty());
    EXPECT_EQ(contents.selected, -1);
}

TEST(ShellPathEntries, RelativeOrEmptyPathsDoNotNormalise)
{
    EXPECT_EQ(Normalised(QString()), QString());
    EXPECT_EQ(Normalised(QStringLiteral("games/aoc")), QString());
    EXPECT_EQ(Normalised(QStringLiteral("/a/b/../c/")), "/a/c");
}

TEST(ShellPathEntries, VolumesAreTheRootTheHomeVolumeAndRemovableMediaInOrder)
{
    const std::vector<Volume> mounted{{QStringLiteral("/media/b"), QStringLiteral("B"), true},
                                      {QStringLiteral("/home"), {}, false},
                                      {QStringLiteral("/boot"), {}, false},
                                      {QStringLiteral("/"), {}, false},
                                      {QStringLiteral("/media/a"), QStringLiteral("A"), true},
                                      {QStringLiteral("/"), {}, false}};
    const std::vector<Volume> chosen = ChooseVolumes(mounted, QStringLiteral("/home"));
    ASSERT_EQ(chosen.size(), 4u);
    EXPECT_EQ(chosen[0].rootPath, "/");
    EXPECT_EQ(chosen[1].rootPath, "/home");
    EXPECT_EQ(chosen[2].rootPath, "/media/a");
    EXPECT_EQ(chosen[3].rootPath, "/media/b");

    // Home on the root volume is not listed twice; "/" is always there.
    EXPECT_EQ(ChooseVolumes({}, QStringLiteral("/")).size(), 1u);
    EXPECT_EQ(ChooseVolumes({{QStringLiteral("/"), {}, false}}, QStringLiteral("/")).size(), 1u);
}

TEST(ShellPathEntries, VolumeNamesShowTheLabelAndTheMountPoint)
{
    EXPECT_EQ(VolumeName({QStringLiteral("/"), QStringLiteral("rootfs"), false}), "根目录 (/)");
    EXPECT_EQ(VolumeName({QStringLiteral("/media/ann/DATA"), QStringLiteral("存档"), true}), "存档 (/media/ann/DATA)");
    EXPECT_EQ(VolumeName({QStringLiteral("/mnt/disk2"), {}, true}), "disk2 (/mnt/disk2)");
}

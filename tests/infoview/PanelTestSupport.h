#pragma once

#include "GameRecord.h"
#include "TestApplication.h"
#include "MgxInfoDlgBar.h"

#include <QApplication>
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringEncoder>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Failure messages show the text, not its bytes.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace korvale::test {

// Widgets need an application object; the tests share one for the whole run.
inline void EnsureApplication()
{
    EnsureApplicationOf<QApplication>("korvale_infoview_tests");
}

// Fixture for tests that build widgets.
class WidgetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureApplication(); }
};

// Fixture for tests of the whole panel: a bar shown off screen, so resizes reach the pane at once,
// and its controls found by objectName.
class PanelTest : public WidgetTest {
protected:
    PanelTest()
    {
        bar.setAttribute(Qt::WA_DontShowOnScreen);
        bar.show();
    }

    template <typename T = QWidget>
    T* child(const QString& name) const
    {
        T* found = bar.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    MgxInfoDlgBar bar;
};

// How many pixels of a picture have exactly this colour.
inline int CountOf(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

// Text as a record stores it.
inline std::string Gbk(const QString& text)
{
    QStringEncoder encoder("GBK");
    const QByteArray bytes = encoder.encode(text);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// A chapter that has been read, with nothing in it yet.
inline Mgx::ChapterInfo ReadChapter()
{
    Mgx::ChapterInfo chapter;
    chapter.status = Mgx::ChapterInfo::Read;
    return chapter;
}

// Puts player `number` into lobby slot `slot`.
inline void Seat(Mgx::ChapterInfo& chapter, int slot, int number, const QString& name, int civilization, int colour,
                 int team, int kind = 1)
{
    auto& player = chapter.players[static_cast<std::size_t>(number)];
    player.name = Gbk(name);
    player.civilization = static_cast<std::uint8_t>(civilization);
    player.colour = static_cast<std::uint8_t>(colour);
    player.kind = static_cast<std::uint8_t>(kind);
    auto& lobby = chapter.slots[static_cast<std::size_t>(slot)];
    lobby.playerNumber = number;
    lobby.name = Gbk(name);
    lobby.team = static_cast<std::uint8_t>(team);
}

} // namespace korvale::test

#pragma once

#include "ChapterText.h"
#include "GameRecord.h"
#include "QtPrinters.h"
#include "TestApplication.h"
#include "MgxInfoDlgBar.h"

#include <QApplication>
#include <QByteArray>
#include <QImage>
#include <QString>

#include <gtest/gtest.h>

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
    T* Child(const QString& name) const
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

} // namespace korvale::test

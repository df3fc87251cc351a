#include "BuildPaths.h"
#include "AppFolders.h"
#include "CAboutDlg.h"
#include "CKorvaleApp.h"
#include "CMainFrame.h"
#include "CommandLine.h"
#include "KorvaleArtwork.h"
#include "ScriptedPrompt.h"
#include "ShellTestSupport.h"
#include "Splash.h"
#include "ToolbarStrip.h"

#include <QDialogButtonBox>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class ShellStartup : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureShellApplication();
        InitKorvaleArtwork();
    }
};

bool Touch(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}

} // namespace

TEST_F(ShellStartup, CommandLineListsARecordsFolderOrAFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("games/old")));
    ASSERT_TRUE(Touch(dir.filePath(QStringLiteral("games/final.MGX"))));
    ASSERT_TRUE(Touch(dir.filePath(QStringLiteral("games/notes.txt"))));
    const QString games = dir.filePath(QStringLiteral("games"));

    EXPECT_EQ(InterpretCommandLine({}, dir.path()), StartRequest{});
    EXPECT_EQ(InterpretCommandLine({games + QStringLiteral("/final.MGX")}, QStringLiteral("/")),
              (StartRequest{StartRequest::Kind::Record, games, games + QStringLiteral("/final.MGX")}));
    // Relative to the working folder, and as a file URL.
    EXPECT_EQ(InterpretCommandLine({QStringLiteral("games/old/..")}, dir.path()),
              (StartRequest{StartRequest::Kind::Folder, games, {}}));
    EXPECT_EQ(InterpretCommandLine({QUrl::fromLocalFile(games + QStringLiteral("/final.MGX")).toString()}, {}).kind,
              StartRequest::Kind::Record);
    // Options of the toolkit are skipped; anything else starts as usual.
    EXPECT_EQ(InterpretCommandLine({QStringLiteral("-style"), games}, dir.path()).kind, StartRequest::Kind::Folder);
    EXPECT_EQ(InterpretCommandLine({games + QStringLiteral("/notes.txt")}, {}), StartRequest{});
    EXPECT_EQ(InterpretCommandLine({dir.filePath(QStringLiteral("missing.mgx"))}, {}), StartRequest{});
}

TEST_F(ShellStartup, InstalledFilesAreLookedForBesideTheProgramThenInTheDataFolders)
{
    const QStringList candidates = AppFolders::Candidates(QStringLiteral("/opt/korvale/bin"),
                                                          {QStringLiteral("/home/ann/.local/share"), QStringLiteral("/usr/share")},
                                                          AppFolders::helpFile);
    EXPECT_EQ(candidates, (QStringList{"/opt/korvale/bin/help/Korvale.html", "/opt/korvale/share/korvale/help/Korvale.html",
                                       "/home/ann/.local/share/korvale/help/Korvale.html",
                                       "/usr/share/korvale/help/Korvale.html"}));
    for (const QString& candidate : candidates)
        EXPECT_FALSE(candidate.startsWith(QDir::currentPath() + QStringLiteral("/help")));
}

TEST_F(ShellStartup, TheShippedThemeIsUsableAndBrokenOnesAreRefused)
{
    QFile theme(QString::fromStdString(korvale::build::SourcePath("resources/spring.ssk")));
    ASSERT_TRUE(theme.open(QIODevice::ReadOnly));
    EXPECT_TRUE(CKorvaleApp::IsUsableStyleSheet(QString::fromUtf8(theme.readAll())));
    EXPECT_FALSE(CKorvaleApp::IsUsableStyleSheet(QString()));
    EXPECT_FALSE(CKorvaleApp::IsUsableStyleSheet(QStringLiteral("  \n")));
    EXPECT_FALSE(CKorvaleApp::IsUsableStyleSheet(QStringLiteral("QMenu { color: red; ")));
    EXPECT_FALSE(CKorvaleApp::IsUsableStyleSheet(QStringLiteral("} QMenu { color: red; }")));
    // The theme and the help sit beside the built program, where it looks for them.
    EXPECT_TRUE(QFile::exists(QString::fromStdString(korvale::build::BuildPath("src/app/spring.ssk"))));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(korvale::build::BuildPath("src/app/help/Korvale.html"))));
}

TEST_F(ShellStartup, StripsAreCutIntoSquaresWithTheBottomLeftColourTransparent)
{
    QImage strip(70, 32, QImage::Format_RGB32);
    strip.fill(QColor(255, 0, 255));
    strip.setPixelColor(40, 5, Qt::blue);
    const std::vector<QImage> pictures = ToolbarStrip::Cut(strip, 32);
    ASSERT_EQ(pictures.size(), 2u) << "a partial last picture is dropped";
    EXPECT_EQ(qAlpha(pictures[1].pixel(0, 0)), 0);
    EXPECT_EQ(pictures[1].pixelColor(8, 5), QColor(Qt::blue));
    EXPECT_TRUE(ToolbarStrip::Cut(QImage(), 32).empty());

    const QImage main(QStringLiteral(":/toolbars/main.png"));
    const QImage address(QStringLiteral(":/toolbars/address.png"));
    EXPECT_EQ(ToolbarStrip::Cut(main, 32).size(), 9u);
    EXPECT_EQ(ToolbarStrip::Cut(QImage(QStringLiteral(":/toolbars/main-disabled.png")), 32).size(), 9u);
    EXPECT_EQ(ToolbarStrip::Cut(address, 24).size(), 5u);
    EXPECT_EQ(main.height(), 32);
    EXPECT_EQ(address.height(), 24);
}

TEST_F(ShellStartup, SwitchArrowsAreMirrorImagesAt8By8)
{
    const QImage fold = QImage(QStringLiteral(":/icons/switch-fold.png")).convertToFormat(QImage::Format_ARGB32);
    const QImage unfold = QImage(QStringLiteral(":/icons/switch-unfold.png")).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(fold.size(), QSize(8, 8));
    EXPECT_EQ(fold.mirrored(true, false), unfold);
    EXPECT_NE(fold, unfold);
    // The fold arrow points left: its tip column is at the left.
    EXPECT_GT(qAlpha(fold.pixel(2, 3)), 0);
    EXPECT_EQ(qAlpha(fold.pixel(2, 0)), 0);
    EXPECT_GT(qAlpha(fold.pixel(5, 0)), 0);
    for (const char* place : {"place-folder", "place-folder-open", "place-desktop", "place-computer", "place-drive"})
        EXPECT_EQ(QImage(QStringLiteral(":/icons/%1.png").arg(QLatin1String(place))).size(), QSize(16, 16)) << place;
}

TEST_F(ShellStartup, SplashIsShapedByItsNonBlackPixels)
{
    QImage picture(6, 2, QImage::Format_RGB32);
    picture.fill(Qt::black);
    picture.setPixelColor(1, 0, QColor(1, 0, 0));
    picture.setPixelColor(2, 0, Qt::white);
    picture.setPixelColor(4, 0, Qt::white);
    const QRegion shape = Splash::ShapeOf(picture);
    EXPECT_TRUE(shape.contains(QPoint(1, 0)));
    EXPECT_TRUE(shape.contains(QPoint(2, 0)));
    EXPECT_FALSE(shape.contains(QPoint(3, 0)));
    EXPECT_TRUE(shape.contains(QPoint(4, 0)));
    EXPECT_FALSE(shape.contains(QPoint(0, 1)));

    const QImage splash(QStringLiteral(":/pictures/splash.png"));
    ASSERT_EQ(splash.size(), QSize(500, 250));
    EXPECT_EQ(splash.pixel(0, 0) & RGB_MASK, 0u) << "the corners are cut away";
    EXPECT_NE(splash.pixel(250, 125) & RGB_MASK, 0u);
}

TEST_F(ShellStartup, SplashClosesAfterItsTimeOrOnAClickAndNeverReturns)
{
    QWidget owner;
    EXPECT_EQ(Splash::ShowOver(&owner), nullptr) << "only once start-up allows it";
    Splash::Enable();
    Splash* splash = Splash::ShowOver(&owner, 30);
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(Splash::ShowOver(&owner), nullptr) << "one splash at a time";
    EXPECT_EQ(splash->size(), QSize(500, 250));
    EXPECT_TRUE(splash->mask().contains(QPoint(250, 125)));
    EXPECT_FALSE(splash->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([] { return Splash::Current() == nullptr; }, 2000));
    EXPECT_EQ(Splash::ShowOver(&owner), nullptr) << "closed for the rest of the run";

    Splash::Enable();
    splash = Splash::ShowOver(&owner, 60000);
    ASSERT_NE(splash, nullptr);
    QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(250, 125));
    EXPECT_TRUE(QTest::qWaitFor([] { return Splash::Current() == nullptr; }, 2000));
    EXPECT_EQ(Splash::ShowOver(&owner), nullptr);
}

TEST_F(ShellStartup, AboutBoxShowsTheVersionAndClosesWithOk)
{
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), "关于 Korvale");
    auto* text = about.findChild<QLabel*>(QStringLiteral("aboutText"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(), "Korvale, Version 1.38");
    auto* icon = about.findChild<QLabel*>(QStringLiteral("aboutIcon"));
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull());
    QAbstractButton* ok = about.findChild<QDialogButtonBox*>()->buttons().value(0);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "确定");
    about.show();
    ok->click();
    EXPECT_EQ(about.result(), QDialog::Accepted);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(ShellStartup, QtsOwnButtonsAndDialogsSpeakChinese)
{
    auto& application = *qobject_cast<QApplication*>(QCoreApplication::instance());
    ASSERT_TRUE(CKorvaleApp::LoadQtTranslations(application)) << "Qt's translations (qt6-translations-l10n) are missing";
    QMessageBox box(QMessageBox::Question, QStringLiteral("Korvale"), QStringLiteral("?"), QMessageBox::Yes | QMessageBox::No);
    const QString yes = box.button(QMessageBox::Yes)->text();
    const QString no = box.button(QMessageBox::No)->text();
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    const QString lookIn = dialog.labelText(QFileDialog::LookIn);
    for (QTranslator* translator : application.findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    EXPECT_TRUE(yes.contains(QStringLiteral("是"))) << yes.toStdString();
    EXPECT_TRUE(no.contains(QStringLiteral("否"))) << no.toStdString();
    EXPECT_NE(lookIn, QStringLiteral("Look in:"));
}

TEST_F(ShellStartup, StartUpBuildsTheWindowAndHandsTheRequestToTheList)
{
    ScriptedPrompt prompt;
    CKorvaleApp korvale(prompt);
    std::optional<StartRequest> handed;
    QWidget* list = nullptr;
    korvale.SetListFactory([&](CMainFrame& frame, CommandTable&, const StartRequest& request) {
        handed = request;
        frame.SetRecordList(list = new QWidget);
    });
    QTemporaryDir folder;
    ASSERT_TRUE(korvale.InitInstance(*qApp, {folder.path()}));
    ASSERT_NE(korvale.MainFrame(), nullptr);
    ASSERT_TRUE(handed.has_value());
    EXPECT_EQ(handed->kind, StartRequest::Kind::Folder);
    EXPECT_EQ(korvale.MainFrame()->RecordList(), list);
    EXPECT_TRUE(korvale.MainFrame()->isVisible());
    EXPECT_EQ(QCoreApplication::organizationName(), "Korvale");
    EXPECT_EQ(QCoreApplication::applicationName(), "Korvale");
    if (Splash* splash = Splash::Current())
        splash->close();
    qApp->setStyleSheet({});
}

#include "ListEntryText.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);

TEST(ClassifyEntry, KindsByTheExtensionAfterTheLastDotInAnyCase)
{
    EXPECT_EQ(ClassifyEntry(true, "saves.mgx"), MgxItemKind::Folder);
    EXPECT_EQ(ClassifyEntry(true, "no extension"), MgxItemKind::Folder);
    EXPECT_EQ(ClassifyEntry(false, "a.MGX"), MgxItemKind::Record);
    EXPECT_EQ(ClassifyEntry(false, "Game.mGx"), MgxItemKind::Record);
    EXPECT_EQ(ClassifyEntry(false, "b.zip"), MgxItemKind::Zip);
    EXPECT_EQ(ClassifyEntry(false, "c.RAR"), MgxItemKind::Rar);
    EXPECT_EQ(ClassifyEntry(false, ".mgx"), MgxItemKind::Record);
    EXPECT_EQ(ClassifyEntry(false, QStringLiteral("对局.mgx")), MgxItemKind::Record);
    // UserPatch 1.4 and 1.5 records.
    EXPECT_EQ(ClassifyEntry(false, "rec.20150312-2011.mgz"), MgxItemKind::Record);
    EXPECT_EQ(ClassifyEntry(false, "B.MGZ"), MgxItemKind::Record);
    // HD releases, and the files of other releases the panel names when they are opened.
    for (const char* name : {"final.mgx2", "auto save.MSX", "MP Replay v5.0 @2017.02.17.aoe2record", "aok.mgl"})
        EXPECT_EQ(ClassifyEntry(false, name), MgxItemKind::Record) << name;
}

TEST(ClassifyEntry, EverythingElseIsNotListed)
{
    for (const char* name : {"a.mg", "e.mgx.bak", "d.txt", "mgx", "a.", "a.m.x", "a.mgxx", "a.mgz2", "f.mgz.bak", "a.mgy", "a.aoe2recordx", "a.aoe2rec"})
        EXPECT_EQ(ClassifyEntry(false, name), MgxItemKind::NotListed) << name;
    // Only A to Z are folded: a full-width or accented letter is another letter.
    EXPECT_EQ(ClassifyEntry(false, QStringLiteral("a.ｍgx")), MgxItemKind::NotListed);
}

TEST(FormatSizeText, WholeKilobytesRoundedUpAndNeverBelowOne)
{
    EXPECT_EQ(FormatSizeText(0, kEnglish), "1 KB");
    EXPECT_EQ(FormatSizeText(1, kEnglish), "1 KB");
    EXPECT_EQ(FormatSizeText(1024, kEnglish), "1 KB");
    EXPECT_EQ(FormatSizeText(1025, kEnglish), "2 KB");
    EXPECT_EQ(FormatSizeText(2048, kEnglish), "2 KB");
    EXPECT_EQ(FormatSizeText(999 * 1024, kEnglish), "999 KB");
    EXPECT_EQ(FormatSizeText(1048576, kEnglish), "1,024 KB");
    EXPECT_EQ(FormatSizeText(1048576, kGerman), "1.024 KB");
    EXPECT_EQ(FormatSizeText(5ull << 30, kEnglish), "5,242,880 KB");
    EXPECT_EQ(FormatSizeText(~0ull, kGerman), "18.014.398.509.481.984 KB");
}

TEST(GroupThousands, GroupsOnlyTheIntegerDigitsWithTheLocalesSeparator)
{
    EXPECT_EQ(GroupThousands("123", kEnglish), "123");
    EXPECT_EQ(GroupThousands("1234", kEnglish), "1,234");
    EXPECT_EQ(GroupThousands("1234567", kEnglish), "1,234,567");
    EXPECT_EQ(GroupThousands("-1234567", kEnglish), "-1,234,567");
    EXPECT_EQ(GroupThousands("1234567.891", kEnglish), "1,234,567.891");
    EXPECT_EQ(GroupThousands("1234567,891", kGerman), "1.234.567,891");
    EXPECT_EQ(GroupThousands("123456", kGerman), "123.456");
}

TEST(GroupThousands, DigitStringsBeyond128DigitsStayAsTheyAre)
{
    const QString longest(128, u'9');
    EXPECT_EQ(GroupThousands(longest, kEnglish).count(u','), 42);
    const QString tooLong(129, u'9');
    EXPECT_EQ(GroupThousands(tooLong, kEnglish), tooLong);
}

// Local time comes from the TZ variable; each case sets its own zone and restores the old one.
class LocalZone {
public:
    explicit LocalZone(const char* zone) : m_old(qgetenv("TZ")), m_hadOld(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~LocalZone()
    {
        if (m_hadOld)
            qputenv("TZ", m_old);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    QByteArray m_old;
    bool m_hadOld;
};

TEST(FormatTimeText, LocalTimeInTheFixedFormatOfTheTimeColumn)
{
    const QDateTime written(QDate(2006, 3, 7), QTime(23, 5, 9), QTimeZone::utc());
    {
        LocalZone zone("UTC0");
        EXPECT_EQ(FormatTimeText(written), "2006-03-07 23:05:09");
    }
    {
        LocalZone zone("CST-8"); // eight hours east: the next day
        EXPECT_EQ(FormatTimeText(written), "2006-03-08 07:05:09");
    }
    EXPECT_EQ(FormatTimeText(QDateTime()), "");
}

TEST(FormatTimeText, TextsSortInTimeOrder)
{
    LocalZone zone("UTC0");
    const QDateTime earlier(QDate(999, 12, 31), QTime(9, 0), QTimeZone::utc());
    const QDateTime later(QDate(2024, 1, 2), QTime(10, 0), QTimeZone::utc());
    EXPECT_EQ(FormatTimeText(earlier).size(), FormatTimeText(later).size());
    EXPECT_LT(FormatTimeText(earlier), FormatTimeText(later));
}

} // namespace

TEST(ListCountText, CountsTheEntriesAndTheSelectionOnlyWhenThereIsOne)
{
    EXPECT_EQ(ListCountText(43, 3), QStringLiteral("43 个对象，已选 3 个"));
    EXPECT_EQ(ListCountText(43, 0), QStringLiteral("43 个对象"));
    EXPECT_EQ(ListCountText(0, 0), QStringLiteral("0 个对象"));
}


#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/AppSettings.h"

namespace qw {
namespace {

const QRect kWorkArea(0, 0, 1280, 984);

class AppSettingsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path() const { return dir.filePath("Tamarisk.ini"); }
    void WriteFile(const QByteArray& bytes)
    {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray FileText()
    {
        QFile file(Path());
        if (!file.open(QIODevice::ReadOnly)) return {};
        return file.readAll();
    }
};

TEST_F(AppSettingsTest, FirstRunGivesTheDefaults)
{
    SettingsStore store(Path());
    const WindowState state = ReadDimensions(store, kWorkArea);
    EXPECT_EQ(state.bounds, kWorkArea);
    EXPECT_EQ(state.squareSide, 25);
    EXPECT_EQ(state.ratio, 0.5);
    EXPECT_EQ(state.fit, "Puzzle");
    EXPECT_EQ(ReadColors(store).colors, kDefaultColors);
    EXPECT_EQ(ReadScreenClueFont(store), FontSpec{});
    EXPECT_TRUE(ReadLastPuz(store).empty());
    EXPECT_FALSE(IsConstructorMode(store, QDateTime(QDate(2026, 12, 8), QTime(9, 0))));
    // The constructor's section is only ever read.
    store.Sync();
    EXPECT_FALSE(FileText().contains("QWB"));
}

TEST_F(AppSettingsTest, EverythingWrittenAtCloseComesBack)
{
    WindowState state;
    state.bounds = QRect(40, 30, 700, 500);
    state.squareSide = 37;
    state.ratio = 0.61803;
    state.fit = "None";
    ColorScheme colors;
    colors[DiaActCursor] = 0x00123456;
    colors[ClueInactBack] = 0x80000005;
    FontSpec font{"Liberation Serif", 14, StyleBold | StyleItalic};
    {
        SettingsStore store(Path());
        WriteDimensions(store, state);
        WriteColors(store, colors);
        WriteScreenClueFont(store, font);
        WriteLastPuz(store, {"/p/A.QWL", "/p/with, comma.QWL"});
        ASSERT_TRUE(store.Sync());
    }
    SettingsStore store(Path());
    const WindowState back = ReadDimensions(store, kWorkArea);
    EXPECT_EQ(back.bounds, state.bounds);
    EXPECT_EQ(back.squareSide, 37);
    EXPECT_EQ(back.ratio, 0.61803);
    EXPECT_EQ(back.fit, "None");
    EXPECT_EQ(ReadColors(store).colors, colors.colors);
    EXPECT_EQ(ReadScreenClueFont(store), font);
    EXPECT_EQ(ReadLastPuz(store), (std::vector<std::string>{"/p/A.QWL", "/p/with, comma.QWL"}));

    // The value names other programs read, all 20 colours among them.
    const QByteArray text = FileText();
    for (const char* name : {"Top", "Left", "Height", "Width", "DiagramSquareSide",
                             "DiagramScrollBoxRatio", "Fit", "Puz0", "Puz1", "Name", "Size", "Style"})
        EXPECT_TRUE(text.contains(name)) << name;
    for (const char* name : kColorNames) EXPECT_TRUE(text.contains(QByteArray(name) + "=")) << name;
    EXPECT_TRUE(text.contains("DiaActBack=-2147483633"));
}

TEST_F(AppSettingsTest, StoredValuesAreTakenAsTheyAre)
{
    WriteFile("[Quotewell]\n"
              "Dimensions\\Fit=width\n"
              "Dimensions\\Left=-8\n"
              "ScreenClueFont\\Name=Liberation Mono\n"
              "ScreenClueFont\\Style=3\n");
    SettingsStore store(Path());
    const WindowState state = ReadDimensions(store, kWorkArea);
    // Fit is compared exactly by the window; lower case is kept so that it checks nothing.
    EXPECT_EQ(state.fit, "width");
    EXPECT_EQ(state.bounds, QRect(-8, 0, 1280, 984));
    // A missing size with a stored name gives that face at 10 points.
    EXPECT_EQ(ReadScreenClueFont(store), (FontSpec{"Liberation Mono", 10, StyleBold | StyleItalic}));
}

TEST_F(AppSettingsTest, WrongKindsAndImpossibleValuesFallBackToDefaults)
{
    WriteFile("[Quotewell]\n"
              "Dimensions\\DiagramScrollBoxRatio=half\n"
              "Dimensions\\DiagramSquareSide=0\n"
              "Dimensions\\Width=wide\n"
              "Colors\\DiaActLetter=white\n"
              "Colors\\DiaActFont=255\n"
              "ScreenClueFont\\Size=100000\n"
              "ScreenClueFont\\Style=255\n");
    SettingsStore store(Path());
    const WindowState state = ReadDimensions(store, kWorkArea);
    EXPECT_EQ(state.ratio, 0.5);
    EXPECT_EQ(state.squareSide, 25);
    EXPECT_EQ(state.bounds.width(), 1280);
    const ColorScheme colors = ReadColors(store);
    EXPECT_EQ(colors[DiaActLetter], 0x00FFFFFFu);
    EXPECT_EQ(colors[DiaActFont], 0x000000FFu);
    const FontSpec font = ReadScreenClueFont(store);
    EXPECT_EQ(font.pointSize, 10);
    EXPECT_EQ(font.style, 15);

    WriteFile("[Quotewell]\nDimensions\\DiagramScrollBoxRatio=1.5\n");
    SettingsStore again(Path());
    EXPECT_EQ(ReadDimensions(again, kWorkArea).ratio, 0.5);
}

TEST_F(AppSettingsTest, CorruptFileGivesDefaults)
{
    QByteArray garbage("\xFF\xFE[Quotewell\x00\x01=\\\\\n\n[[[", 17);
    for (int i = 0; i < 3000; ++i) garbage.append(static_cast<char>((i * 131 + 7) % 256));
    WriteFile(garbage);
    SettingsStore store(Path());
    const WindowState state = ReadDimensions(store, kWorkArea);
    EXPECT_EQ(state.squareSide, 25);
    EXPECT_EQ(state.ratio, 0.5);
    EXPECT_EQ(ReadColors(store).colors, kDefaultColors);
    EXPECT_TRUE(ReadLastPuz(store).size() <= 10);
    // The next close leaves a readable file behind.
    WriteDimensions(store, state);
    EXPECT_TRUE(store.Sync());
    SettingsStore again(Path());
    EXPECT_EQ(ReadDimensions(again, QRect()).bounds, state.bounds);
}

TEST_F(AppSettingsTest, RecentSlotsCloseUpAndStaleSlotsAreDeleted)
{
    WriteFile("[Quotewell]\nLastPuz\\Puz3=/p/Only.QWL\nLastPuz\\Puz7=\n");
    SettingsStore store(Path());
    const auto entries = ReadLastPuz(store);
    EXPECT_EQ(entries, std::vector<std::string>{"/p/Only.QWL"});
    WriteLastPuz(store, entries);
    ASSERT_TRUE(store.Sync());
    ASSERT_TRUE(store.OpenKey("Quotewell\\LastPuz", false));
    EXPECT_EQ(store.ReadString("Puz0"), QString("/p/Only.QWL"));
    for (int n = 1; n < 10; ++n) EXPECT_FALSE(store.ValueExists(QString("Puz%1").arg(n))) << n;

    // More than ten entries: only ten slots exist.
    std::vector<std::string> many;
    for (int n = 0; n < 12; ++n) many.push_back("/p/" + std::to_string(n));
    WriteLastPuz(store, many);
    EXPECT_EQ(ReadLastPuz(store).size(), 10u);
}

TEST_F(AppSettingsTest, ConstructorModeLastsThirtyTwoDaysUpToTodaysMidnight)
{
    const QDate today(2026, 3, 29);  // a daylight-saving change in much of Europe
    const QDateTime now(today, QTime(15, 30));
    const double midnight = ToSettingsDate(QDateTime(today, QTime(0, 0)));
    // A file of its own per case: QSettings caches files by path, size and time stamp, and two
    // quick writes of equal length can look unchanged to it.
    int cases = 0;
    const auto modeWithLast = [&](const QByteArray& last) {
        const QString path = dir.filePath(QString("Case%1.ini").arg(++cases));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[QWB]\nStartUp\\Last=" + last + "\n");
        file.close();
        SettingsStore store(path);
        return IsConstructorMode(store, now);
    };
    const auto number = [](double d) { return QByteArray::number(d, 'f', 6); };
    EXPECT_TRUE(modeWithLast(number(midnight)));
    EXPECT_TRUE(modeWithLast(number(midnight - 31)));
    EXPECT_TRUE(modeWithLast(number(midnight - 31.75)));
    EXPECT_FALSE(modeWithLast(number(midnight - 32)));
    EXPECT_FALSE(modeWithLast(number(midnight + 0.5)));     // today at noon
    EXPECT_FALSE(modeWithLast(number(midnight + 0.0001)));
    EXPECT_FALSE(modeWithLast("yesterday"));
    EXPECT_EQ(midnight, static_cast<double>(QDate(1899, 12, 30).daysTo(today)));

    // Written by a Qt program as a typed date and time.
    {
        QSettings raw(Path(), QSettings::IniFormat);
        raw.clear();
        raw.setValue("QWB/StartUp/Last", QDateTime(today.addDays(-3), QTime(8, 0)));
    }
    SettingsStore store(Path());
    EXPECT_TRUE(IsConstructorMode(store, now));
}

TEST_F(AppSettingsTest, AbsurdStoredBoundsAreFittedToTheWorkArea)
{
    WriteFile("[Quotewell]\nDimensions\\Width=99999999\nDimensions\\Height=2147483647\n"
              "Dimensions\\Left=2147483647\nDimensions\\Top=-2147483648\n");
    SettingsStore store(Path());
    EXPECT_EQ(ReadDimensions(store, kWorkArea).bounds, kWorkArea);
}

TEST(FitOnScreensTest, KeepsWhatFitsShrinksWhatIsTooLargeAndFetchesWhatIsOffEveryScreen)
{
    const QRect primary(0, 0, 1280, 984), right(1280, 0, 1920, 1050);
    struct Case {
        QRect stored;
        QRect fitted;
    };
    const std::vector<Case> cases = {
        {{40, 30, 700, 500}, {40, 30, 700, 500}},          // fits: kept
        {{-8, -8, 1296, 1000}, {0, 0, 1280, 984}},         // a little larger, as a maximised frame: shrunk into it
        {{1200, 100, 900, 600}, {1200, 100, 900, 600}},    // across both screens: kept
        {{2000, 50, 5000, 400}, {1280, 50, 1920, 400}},    // too wide for the screen it is on
        {{-5000, -5000, 700, 500}, {0, 0, 700, 500}},      // off every screen: onto the primary
        {{3300, 2000, 700, 500}, {580, 484, 700, 500}},    // off below the right screen: onto the primary
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitOnScreens(c.stored.x(), c.stored.y(), c.stored.width(), c.stored.height(), {primary, right}), c.fitted)
            << c.stored.x() << "," << c.stored.y() << " " << c.stored.width() << "x" << c.stored.height();
}

TEST(StartupPlacementTest, IsTheScreensWorkArea)
{
    const QRect placement = StartupPlacement();
    EXPECT_FALSE(placement.isEmpty());
    EXPECT_EQ(placement, QGuiApplication::primaryScreen()->availableGeometry());
}

}  // namespace
}  // namespace qw

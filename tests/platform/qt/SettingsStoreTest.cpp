#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/SettingsStore.h"

namespace qw {
namespace {

class SettingsStoreTest : public ::testing::Test {
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

TEST_F(SettingsStoreTest, ValuesOfEachKindSurviveAReopen)
{
    {
        SettingsStore store(Path());
        ASSERT_TRUE(store.OpenKey("Quotewell\\Dimensions", true));
        store.WriteInteger("DiagramSquareSide", 31);
        store.WriteInteger("DiaActBack", static_cast<int32_t>(0x8000000Fu));
        store.WriteString("Fit", "Height");
        store.WriteString("Path", "/home/a b/x, y.QWL");
        store.WriteFloat("DiagramScrollBoxRatio", 0.3725);
        store.CloseKey();
        EXPECT_TRUE(store.Sync());
    }
    SettingsStore store(Path());
    ASSERT_TRUE(store.OpenKey("Quotewell/Dimensions", false));
    EXPECT_EQ(store.ReadInteger("DiagramSquareSide"), 31);
    EXPECT_EQ(static_cast<uint32_t>(*store.ReadInteger("DiaActBack")), 0x8000000Fu);
    EXPECT_EQ(store.ReadString("Fit"), QString("Height"));
    EXPECT_EQ(store.ReadString("Path"), QString("/home/a b/x, y.QWL"));
    EXPECT_EQ(store.ReadFloat("DiagramScrollBoxRatio"), 0.3725);
    EXPECT_FALSE(store.ValueExists("Top"));
    EXPECT_EQ(store.ReadIntegerDefault("Top", -7), -7);
}

TEST_F(SettingsStoreTest, DefaultStoreLivesInTheXdgConfigFolder)
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    {
        SettingsStore store;
        EXPECT_EQ(QDir::cleanPath(store.FileName()), QDir::cleanPath(Path()));
        ASSERT_TRUE(store.OpenKey("QWB\\StartUp", true));
        store.WriteDate("Last", 45000.25);
    }
    if (saved.isNull()) qunsetenv("XDG_CONFIG_HOME");
    else qputenv("XDG_CONFIG_HOME", saved);
    EXPECT_TRUE(FileText().contains("45000.25")) << FileText().constData();
    SettingsStore store(Path());
    ASSERT_TRUE(store.OpenKey("QWB/StartUp", false));
    EXPECT_EQ(store.ReadDate("Last"), 45000.25);
}

TEST_F(SettingsStoreTest, OpeningWithoutCreateNeedsValues)
{
    SettingsStore store(Path());
    EXPECT_FALSE(store.OpenKey("QWB\\StartUp", false));
    EXPECT_FALSE(store.ValueExists("Last"));
    ASSERT_TRUE(store.OpenKey("QWB\\StartUp", true));
    EXPECT_FALSE(store.ReadDate("Last").has_value());
    store.WriteDate("Last", 1.5);
    store.CloseKey();
    EXPECT_TRUE(store.OpenKey("QWB\\StartUp", false));
    // Values of one section are not visible from another.
    ASSERT_TRUE(store.OpenKey("Quotewell\\StartUp", true));
    EXPECT_FALSE(store.ValueExists("Last"));
}

TEST_F(SettingsStoreTest, ValuesOfTheWrongKindReadAsMissing)
{
    WriteFile("[Quotewell]\n"
              "Dimensions\\DiagramScrollBoxRatio=half\n"
              "Dimensions\\DiagramSquareSide=25.5\n"
              "Dimensions\\Top=12abc\n"
              "Dimensions\\Left=@ByteArray(\\x1\\x2)\n"
              "Dimensions\\Width=99999999999\n"
              "Dimensions\\Height=nan\n"
              "Dimensions\\Fit=@Rect(1 2 3 4)\n"
              "Colors\\DiaActBack=2147483663\n"
              "Colors\\DiaActFont= -16 \n");
    SettingsStore store(Path());
    ASSERT_TRUE(store.OpenKey("Quotewell\\Dimensions", true));
    EXPECT_EQ(store.ReadFloatDefault("DiagramScrollBoxRatio", 0.5), 0.5);
    EXPECT_EQ(store.ReadIntegerDefault("DiagramSquareSide", 25), 25);
    EXPECT_EQ(store.ReadFloat("DiagramSquareSide"), 25.5);
    EXPECT_EQ(store.ReadIntegerDefault("Top", 3), 3);
    EXPECT_EQ(store.ReadIntegerDefault("Left", 4), 4);
    EXPECT_EQ(store.ReadIntegerDefault("Width", 5), 5);
    EXPECT_EQ(store.ReadFloatDefault("Height", 6.0), 6.0);
    EXPECT_EQ(store.ReadStringDefault("Fit", "Puzzle"), "Puzzle");
    ASSERT_TRUE(store.OpenKey("Quotewell\\Colors", false));
    // A colour written unsigned is the same 32 bits as its signed spelling.
    EXPECT_EQ(static_cast<uint32_t>(store.ReadIntegerDefault("DiaActBack", 0)), 0x8000000Fu);
    EXPECT_EQ(store.ReadIntegerDefault("DiaActFont", 0), -16);
}

TEST_F(SettingsStoreTest, DeletedValuesAreGoneFromTheFile)
{
    {
        SettingsStore store(Path());
        ASSERT_TRUE(store.OpenKey("Quotewell\\LastPuz", true));
        store.WriteString("Puz0", "/a.QWL");
        store.WriteString("Puz1", "/b.QWL");
        store.DeleteValue("Puz1");
        store.DeleteValue("Puz7");
    }
    EXPECT_TRUE(FileText().contains("/a.QWL"));
    EXPECT_FALSE(FileText().contains("Puz1"));
}

TEST_F(SettingsStoreTest, WritingWithNoSectionOpenIsAnError)
{
    SettingsStore store(Path());
    EXPECT_THROW(store.WriteInteger("Top", 1), std::logic_error);
    EXPECT_FALSE(store.ReadInteger("Top").has_value());
}

TEST_F(SettingsStoreTest, GarbageFileReadsAsEmptyAndIsReplacedOnWrite)
{
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i) garbage.append(static_cast<char>((i * 7919 + 13) % 256));
    WriteFile(garbage);
    {
        SettingsStore store(Path());
        store.OpenKey("Quotewell\\Dimensions", true);
        EXPECT_EQ(store.ReadIntegerDefault("Top", 10), 10);
        store.WriteInteger("Top", 20);
        EXPECT_TRUE(store.Sync());
    }
    SettingsStore store(Path());
    ASSERT_TRUE(store.OpenKey("Quotewell\\Dimensions", false));
    EXPECT_EQ(store.ReadInteger("Top"), 20);
}

TEST_F(SettingsStoreTest, AFileThatCannotBeWrittenIsReported)
{
    WriteFile("not a folder");
    SettingsStore store(Path() + "/Tamarisk.ini");
    ASSERT_TRUE(store.OpenKey("Quotewell\\Dimensions", true));
    store.WriteInteger("Top", 1);
    EXPECT_FALSE(store.Sync());
}

TEST_F(SettingsStoreTest, WritableTellsBeforeAnythingIsLost)
{
    QDir().mkpath(dir.filePath("folder.ini"));
    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const std::vector<std::pair<QString, bool>> cases = {
        {Path(), true},                                  // not there yet, in a folder that takes files
        {dir.filePath("new/deeper/Tamarisk.ini"), true},  // its folders are made at the first sync
        {dir.filePath("folder.ini"), false},             // a folder where the file belongs
        {dir.filePath("plain/Tamarisk.ini"), false},     // a file where its folder belongs
    };
    for (const auto& [path, writable] : cases) EXPECT_EQ(SettingsStore(path).Writable(), writable) << path.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("new"))) << "asking changed nothing";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "no probe file is left";
}

TEST(SettingsDateTest, DaysCountFromTheEndOf1899)
{
    EXPECT_EQ(ToSettingsDate(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_EQ(ToSettingsDate(QDateTime(QDate(1900, 1, 1), QTime(18, 0))), 2.75);
    EXPECT_EQ(ToSettingsDate(QDateTime(QDate(2026, 12, 8), QTime(0, 0))),
              static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(2026, 12, 8))));
}

}  // namespace
}  // namespace qw

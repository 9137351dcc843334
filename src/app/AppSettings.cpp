#include "app/AppSettings.h"

#include <QGuiApplication>
#include <QScreen>

#include "view/DiagramLayout.h"

namespace qw {

namespace {

const QString kDimensions = QStringLiteral("Quotewell\\Dimensions");
const QString kColors = QStringLiteral("Quotewell\\Colors");
const QString kScreenClueFont = QStringLiteral("Quotewell\\ScreenClueFont");
const QString kLastPuz = QStringLiteral("Quotewell\\LastPuz");
const QString kAids = QStringLiteral("Quotewell\\Aids");
const QString kStartUp = QStringLiteral("QWB\\StartUp");

QString PuzName(size_t n) { return QStringLiteral("Puz%1").arg(n); }

}  // namespace

WindowState ReadDimensions(SettingsStore& store, const QRect& startupPlacement)
{
    WindowState state;
    // A section that cannot be opened reads as all defaults, which the store's reads give.
    store.OpenKey(kDimensions, true);
    const int top = store.ReadIntegerDefault("Top", startupPlacement.top());
    const int left = store.ReadIntegerDefault("Left", startupPlacement.left());
    const int height = store.ReadIntegerDefault("Height", startupPlacement.height());
    const int width = store.ReadIntegerDefault("Width", startupPlacement.width());
    state.bounds = QRect(left, top, width, height);
    state.squareSide = store.ReadIntegerDefault("DiagramSquareSide", 25);
    if (state.squareSide < 1) state.squareSide = 25;
    state.ratio = UsablePaneRatio(store.ReadFloatDefault("DiagramScrollBoxRatio", 0.5));
    state.fit = store.ReadStringDefault("Fit", "Puzzle");
    store.CloseKey();
    return state;
}

void WriteDimensions(SettingsStore& store, const WindowState& state)
{
    if (!store.OpenKey(kDimensions, true)) return;
    store.WriteInteger("Top", state.bounds.top());
    store.WriteInteger("Left", state.bounds.left());
    store.WriteInteger("Height", state.bounds.height());
    store.WriteInteger("Width", state.bounds.width());
    store.WriteInteger("DiagramSquareSide", state.squareSide);
    store.WriteFloat("DiagramScrollBoxRatio", state.ratio);
    store.WriteString("Fit", state.fit);
    store.CloseKey();
}

ColorScheme ReadColors(SettingsStore& store)
{
    ColorScheme scheme;
    store.OpenKey(kColors, true);
    for (size_t i = 0; i < kColorCount; ++i) {
        const auto stored = store.ReadInteger(QString::fromLatin1(kColorNames[i]));
        if (stored) scheme.colors[i] = static_cast<uint32_t>(*stored);
    }
    store.CloseKey();
    return scheme;
}

void WriteColors(SettingsStore& store, const ColorScheme& colors)
{
    if (!store.OpenKey(kColors, true)) return;
    for (size_t i = 0; i < kColorCount; ++i)
        store.WriteInteger(QString::fromLatin1(kColorNames[i]), static_cast<int32_t>(colors.colors[i]));
    store.CloseKey();
}

FontSpec ReadScreenClueFont(SettingsStore& store) { return ReadFontSetting(store, kScreenClueFont, FontSpec{}); }

void WriteScreenClueFont(SettingsStore& store, const FontSpec& font) { WriteFontSetting(store, kScreenClueFont, font); }

bool ReadHighlight(SettingsStore& store) { return ReadAid(store, QStringLiteral("Highlight")); }

void WriteHighlight(SettingsStore& store, bool on) { WriteAid(store, QStringLiteral("Highlight"), on); }

bool ReadAid(SettingsStore& store, const QString& name)
{
    store.OpenKey(kAids, true);
    const bool on = store.ReadIntegerDefault(name, 0) != 0;
    store.CloseKey();
    return on;
}

void WriteAid(SettingsStore& store, const QString& name, bool on)
{
    if (!store.OpenKey(kAids, true)) return;
    store.WriteInteger(name, on ? 1 : 0);
    store.CloseKey();
}

std::vector<std::string> ReadLastPuz(SettingsStore& store)
{
    std::vector<std::string> entries;
    store.OpenKey(kLastPuz, true);
    for (size_t n = 0; n < 10; ++n) {
        const QString path = store.ReadStringDefault(PuzName(n), QString());
        if (!path.isEmpty()) entries.push_back(path.toStdString());
    }
    store.CloseKey();
    return entries;
}

void WriteLastPuz(SettingsStore& store, const std::vector<std::string>& entries)
{
    if (!store.OpenKey(kLastPuz, true)) return;
    for (size_t n = 0; n < 10; ++n) {
        if (n < entries.size())
            store.WriteString(PuzName(n), QString::fromStdString(entries[n]));
        else
            store.DeleteValue(PuzName(n));
    }
    store.CloseKey();
}

bool IsConstructorMode(SettingsStore& store, const QDateTime& now)
{
    if (!store.OpenKey(kStartUp, false)) return false;
    const auto last = store.ReadDate("Last");
    store.CloseKey();
    if (!last) return false;
    const double midnight = ToSettingsDate(QDateTime(now.timeSpec() == Qt::LocalTime ? now.date() : now.toLocalTime().date(), QTime(0, 0)));
    return *last <= midnight && midnight < *last + 32.0;
}

QRect StartupPlacement()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) return screen->availableGeometry();
    return QRect(0, 0, 1024, 768);
}

}  // namespace qw

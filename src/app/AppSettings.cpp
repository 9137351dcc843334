#include "app/AppSettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

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
    std::vector<QRect> areas{startupPlacement};
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen()) areas.push_back(screen->availableGeometry());
    // A window of absurd size costs seconds and a gigabyte at every start, and one off every screen
    // is out of reach: neither survives the next start.
    state.bounds = FitOnScreens(left, top, width, height, areas);
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

QRect FitOnScreens(int64_t left, int64_t top, int64_t width, int64_t height, const std::vector<QRect>& areas)
{
    // The largest window any window system here draws.
    constexpr int64_t kLargest = 32767;
    width = std::clamp<int64_t>(width, 1, kLargest);
    height = std::clamp<int64_t>(height, 1, kLargest);
    const QRect* best = nullptr;
    int64_t bestOverlap = 0;
    for (const QRect& area : areas) {
        if (area.isEmpty()) continue;
        if (!best) best = &area;  // the primary's, should the window be on none
        const int64_t across = std::min<int64_t>(left + width, area.left() + int64_t{area.width()}) - std::max<int64_t>(left, area.left());
        const int64_t down = std::min<int64_t>(top + height, area.top() + int64_t{area.height()}) - std::max<int64_t>(top, area.top());
        if (across > 0 && down > 0 && across * down > bestOverlap) {
            bestOverlap = across * down;
            best = &area;
        }
    }
    if (!best) {
        left = std::clamp<int64_t>(left, -kLargest, kLargest);
        top = std::clamp<int64_t>(top, -kLargest, kLargest);
        return QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(width), static_cast<int>(height));
    }
    const bool offScreen = bestOverlap == 0;
    // Along each axis: shrunk to the area, and then inside it; off every screen, moved inside.
    const auto fit = [offScreen](int64_t& start, int64_t& length, int64_t areaStart, int64_t areaLength) {
        const bool shrunk = length > areaLength;
        length = std::min(length, areaLength);
        if (shrunk || offScreen) start = std::clamp(start, areaStart, areaStart + areaLength - length);
    };
    fit(left, width, best->left(), best->width());
    fit(top, height, best->top(), best->height());
    return QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(width), static_cast<int>(height));
}

}  // namespace qw

#include "platform/SettingsStore.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace qw {

namespace {

// The whole store is one INI file per vendor. The path is worked out on every construction
// (QSettings caches its own idea of the config folder for the life of the process, which would
// pin every store to whatever XDG_CONFIG_HOME said first).
QString VendorIniPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty()) folder = QDir::homePath() + QStringLiteral("/.config");
    return folder + QStringLiteral("/Tamarisk.ini");
}

QString NormalisedGroup(const QString& path)
{
    QString group = path;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = group.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return parts.join(QLatin1Char('/'));
}

// INI files hold text; a value's kind is whether its text parses as that kind. A value that
// QSettings itself typed (a byte array, a rectangle, ...) is none of the numeric kinds.
std::optional<QString> TextOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QStringList:
        // An unquoted comma in a hand-edited file splits the text into a list.
        return value.toStringList().join(QStringLiteral(", "));
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return value.toString();
    default:
        return std::nullopt;
    }
}

std::optional<int32_t> ParseInteger(const QString& text)
{
    bool ok = false;
    const qlonglong n = text.trimmed().toLongLong(&ok, 10);
    if (!ok) return std::nullopt;
    // Colours are unsigned 32-bit values kept as the bit pattern of a signed integer; accept
    // either spelling of them.
    if (n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<uint32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(static_cast<uint32_t>(n));
}

std::optional<double> ParseFloat(const QString& text)
{
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d)) return std::nullopt;
    return d;
}

QString FloatText(double value)
{
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

double DaysSince1899(const QDateTime& when)
{
    // Counted on the local calendar, so that a daylight-saving change between then and now does
    // not shift the day.
    const QDateTime local = when.timeSpec() == Qt::LocalTime ? when : when.toLocalTime();
    return static_cast<double>(QDate(1899, 12, 30).daysTo(local.date())) +
           static_cast<double>(local.time().msecsSinceStartOfDay()) / 86400000.0;
}

}  // namespace

SettingsStore::SettingsStore() : SettingsStore(VendorIniPath()) {}

SettingsStore::SettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

SettingsStore::~SettingsStore()
{
    if (settings_) settings_->sync();
}

bool SettingsStore::OpenKey(const QString& path, bool create)
{
    CloseKey();
    const QString group = NormalisedGroup(path);
    if (group.isEmpty()) return false;
    if (!create) {
        settings_->beginGroup(group);
        const bool exists = !settings_->allKeys().isEmpty();
        settings_->endGroup();
        if (!exists) return false;
    }
    // An INI file cannot hold an empty section, so a created section appears with its first value.
    group_ = group;
    open_ = true;
    return true;
}

void SettingsStore::CloseKey()
{
    group_.clear();
    open_ = false;
}

bool SettingsStore::ValueExists(const QString& name) const
{
    return open_ && settings_->contains(group_ + QLatin1Char('/') + name);
}

std::optional<int32_t> SettingsStore::ReadInteger(const QString& name) const
{
    if (!ValueExists(name)) return std::nullopt;
    const auto text = TextOf(settings_->value(group_ + QLatin1Char('/') + name));
    if (!text) return std::nullopt;
    return ParseInteger(*text);
}

std::optional<QString> SettingsStore::ReadString(const QString& name) const
{
    if (!ValueExists(name)) return std::nullopt;
    return TextOf(settings_->value(group_ + QLatin1Char('/') + name));
}

std::optional<double> SettingsStore::ReadFloat(const QString& name) const
{
    if (!ValueExists(name)) return std::nullopt;
    const auto text = TextOf(settings_->value(group_ + QLatin1Char('/') + name));
    if (!text) return std::nullopt;
    return ParseFloat(*text);
}

std::optional<double> SettingsStore::ReadDate(const QString& name) const
{
    if (!ValueExists(name)) return std::nullopt;
    const QVariant value = settings_->value(group_ + QLatin1Char('/') + name);
    // A date written by a Qt program arrives typed; everything else is a day count.
    if (value.typeId() == QMetaType::QDateTime) {
        const QDateTime when = value.toDateTime();
        if (!when.isValid()) return std::nullopt;
        return DaysSince1899(when);
    }
    if (value.typeId() == QMetaType::QDate) {
        const QDate day = value.toDate();
        if (!day.isValid()) return std::nullopt;
        return DaysSince1899(QDateTime(day, QTime(0, 0)));
    }
    const auto text = TextOf(value);
    if (!text) return std::nullopt;
    return ParseFloat(*text);
}

int32_t SettingsStore::ReadIntegerDefault(const QString& name, int32_t def) const
{
    return ReadInteger(name).value_or(def);
}

QString SettingsStore::ReadStringDefault(const QString& name, const QString& def) const
{
    return ReadString(name).value_or(def);
}

double SettingsStore::ReadFloatDefault(const QString& name, double def) const
{
    return ReadFloat(name).value_or(def);
}

namespace {
void RequireOpen(bool open, const QString& name)
{
    if (!open)
        throw std::logic_error("Settings value " + name.toStdString() + " written with no section open");
}
}  // namespace

void SettingsStore::WriteInteger(const QString& name, int32_t value)
{
    RequireOpen(open_, name);
    settings_->setValue(group_ + QLatin1Char('/') + name, QString::number(value));
}

void SettingsStore::WriteString(const QString& name, const QString& value)
{
    RequireOpen(open_, name);
    settings_->setValue(group_ + QLatin1Char('/') + name, value);
}

void SettingsStore::WriteFloat(const QString& name, double value)
{
    RequireOpen(open_, name);
    settings_->setValue(group_ + QLatin1Char('/') + name, FloatText(value));
}

void SettingsStore::WriteDate(const QString& name, double value)
{
    WriteFloat(name, value);
}

void SettingsStore::DeleteValue(const QString& name)
{
    RequireOpen(open_, name);
    settings_->remove(group_ + QLatin1Char('/') + name);
}

bool SettingsStore::Sync()
{
    settings_->sync();
    // A format error only says the file read earlier was unreadable; the sync has replaced it.
    return settings_->status() != QSettings::AccessError;
}

bool SettingsStore::Writable() const
{
    const QFileInfo file(settings_->fileName());
    if (file.exists() && (!file.isFile() || !file.isWritable())) return false;
    QString folder = file.absolutePath();
    while (!QFileInfo::exists(folder)) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder) return false;
        folder = parent;
    }
    const QFileInfo existing(folder);
    if (!existing.isDir() || !existing.isWritable()) return false;
    if (folder != file.absolutePath()) return true;  // made at the first sync
    // The sync replaces the file through a new one beside it; only making one tells for sure
    // (a read-only mount, an immutable folder).
    QTemporaryFile probe(folder + QStringLiteral("/.settings-probe-XXXXXX"));
    return probe.open();
}

QString SettingsStore::FileName() const { return settings_->fileName(); }

double ToSettingsDate(const QDateTime& when) { return DaysSince1899(when); }

namespace {

// A size nobody can mean would only cost memory when glyphs are drawn at it.
constexpr int kMaxFontPoints = 1638;
constexpr int kFontStyleMask = StyleBold | StyleItalic | StyleUnderline | StyleStrikeOut;

}  // namespace

FontSpec ReadFontSetting(SettingsStore& store, const QString& section, const FontSpec& defaults)
{
    FontSpec font = defaults;
    store.OpenKey(section, true);
    const QString name = store.ReadStringDefault(QStringLiteral("Name"), QString());
    if (!name.trimmed().isEmpty()) font.name = name.toStdString();
    const int size = store.ReadIntegerDefault(QStringLiteral("Size"), defaults.pointSize);
    if (size >= 1 && size <= kMaxFontPoints) font.pointSize = size;
    font.style = store.ReadIntegerDefault(QStringLiteral("Style"), defaults.style) & kFontStyleMask;
    store.CloseKey();
    return font;
}

void WriteFontSetting(SettingsStore& store, const QString& section, const FontSpec& font)
{
    if (!store.OpenKey(section, true)) return;
    store.WriteString(QStringLiteral("Name"), QString::fromStdString(font.name));
    store.WriteInteger(QStringLiteral("Size"), font.pointSize);
    store.WriteInteger(QStringLiteral("Style"), font.style & kFontStyleMask);
    store.CloseKey();
}

}  // namespace qw

#pragma once
// Per-user settings: one INI file for the vendor under the XDG config folder, with one group per
// section ("Quotewell/Dimensions", "QWB/StartUp", ...): the names other programs of the vendor read
// and write too, so they never change. One section is open at a time.
// A value of the wrong kind (text where a number belongs) reads as missing.

#include <QDateTime>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

#include "puzzle/FontDescription.h"

namespace qw {

class SettingsStore {
public:
    // The vendor's store of the current user: $XDG_CONFIG_HOME/Tamarisk.ini.
    SettingsStore();
    // A store kept in a given INI file (tests, tools).
    explicit SettingsStore(const QString& iniPath);
    ~SettingsStore();

    // `path` is "Quotewell\\Dimensions" or "Quotewell/Dimensions". Without `create`, a section
    // that holds no values does not open.
    bool OpenKey(const QString& path, bool create);
    void CloseKey();
    bool ValueExists(const QString& name) const;

    std::optional<int32_t> ReadInteger(const QString& name) const;
    std::optional<QString> ReadString(const QString& name) const;
    std::optional<double> ReadFloat(const QString& name) const;
    std::optional<double> ReadDate(const QString& name) const;  // days since 30 December 1899

    int32_t ReadIntegerDefault(const QString& name, int32_t def) const;
    QString ReadStringDefault(const QString& name, const QString& def) const;
    double ReadFloatDefault(const QString& name, double def) const;

    void WriteInteger(const QString& name, int32_t value);
    void WriteString(const QString& name, const QString& value);
    void WriteFloat(const QString& name, double value);
    void WriteDate(const QString& name, double value);
    void DeleteValue(const QString& name);

    // Writes pending changes to disk; returns false when the file could not be written.
    bool Sync();
    // Whether a sync could write the file now: the file, if there, may be changed, and its folder
    // takes the new file that replaces it (or, not there yet, could be made). Changes nothing.
    bool Writable() const;
    QString FileName() const;

private:
    std::unique_ptr<QSettings> settings_;
    QString group_;
    bool open_ = false;
};

// A moment as the store's date kind: days since 30 December 1899 (local time), the fraction being
// the time of day.
double ToSettingsDate(const QDateTime& when);

// A font kept in its own section as Name, Size (points) and Style (bold 1, italic 2, underline 4,
// strike-out 8; other bits are dropped). A blank name or a size outside 1..1638 reads as missing,
// and what is missing comes from `defaults`.
FontSpec ReadFontSetting(SettingsStore& store, const QString& section, const FontSpec& defaults);
void WriteFontSetting(SettingsStore& store, const QString& section, const FontSpec& font);

}  // namespace qw

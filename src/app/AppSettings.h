#pragma once
// The main window's own settings: window state, colour scheme, screen clue font, the recent list
// and the constructor check. Each function opens its section, reads or writes its values in a fixed
// order, the order earlier versions wrote them in, and closes it again.

#include <QDateTime>
#include <QRect>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/SettingsStore.h"
#include "view/ColorScheme.h"

namespace qw {

struct WindowState {
    QRect bounds;
    int squareSide = 25;
    double ratio = 0.5;
    QString fit = "Puzzle";  // as stored; only "Width", "Height" and "Puzzle" check a Fit command
};

// Section Dimensions. Missing bounds come from `startupPlacement`, the primary screen's work area;
// stored bounds are fitted to it and the other screens' work areas (FitOnScreens). A square side
// below 1 or a ratio that is not a usable pane share (UsablePaneRatio) cannot be laid out and reads
// as missing.
WindowState ReadDimensions(SettingsStore& store, const QRect& startupPlacement);
void WriteDimensions(SettingsStore& store, const WindowState& state);

// Section Colors: the 20 colours by name, each a 32-bit colour kept as a signed integer.
ColorScheme ReadColors(SettingsStore& store);
void WriteColors(SettingsStore& store, const ColorScheme& colors);

// Section ScreenClueFont, read and written as every font setting is (ReadFontSetting).
FontSpec ReadScreenClueFont(SettingsStore& store);
void WriteScreenClueFont(SettingsStore& store, const FontSpec& font);

// Section Aids: Highlight, 0 (the default) off, anything else on.
bool ReadHighlight(SettingsStore& store);
void WriteHighlight(SettingsStore& store, bool on);

// Section Aids: the other aids of the Options menu, each by its name, 0 (the default) off.
bool ReadAid(SettingsStore& store, const QString& name);
void WriteAid(SettingsStore& store, const QString& name, bool on);

// Section LastPuz: Puz0..Puz9 in order, empty slots skipped.
std::vector<std::string> ReadLastPuz(SettingsStore& store);
// Writes Puz0.. for the entries (ten at most) and deletes the slots past the end.
void WriteLastPuz(SettingsStore& store, const std::vector<std::string>& entries);

// True when the construction program's QWB/StartUp Last lies within the 32 days up to today's
// midnight (Last <= midnight < Last + 32). The section is never created here.
bool IsConstructorMode(SettingsStore& store, const QDateTime& now);

// The first window placement: the primary screen's work area.
QRect StartupPlacement();

// Window bounds as stored, made usable on `areas` (screens' work areas, the primary's first): no
// larger than the area the window is mostly on, and moved into the primary's when no part of it
// lies on any. Bounds that fit are kept as they are. Without areas only the size is bounded.
QRect FitOnScreens(int64_t left, int64_t top, int64_t width, int64_t height, const std::vector<QRect>& areas);

}  // namespace qw

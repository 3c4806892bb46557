// Fixed tables of the signal path: signal types, standards, signal families,
// output formats and rates with the format-rate table, test pattern codes,
// the colours of the input row, and the number formatting the status texts use.
#pragma once

#include <QColor>
#include <QString>
#include <array>
#include <cstdint>

namespace zelvan::signal {

// ---- Signal types (PRGBI) ----
constexpr int kSignalTypeCount = 14;
// List text of each position of the signal type lists.
extern const std::array<const char*, kSignalTypeCount> kSignalTypeTexts;
// Object names of the signal type menu items, by position.
extern const std::array<const char*, kSignalTypeCount> kSignalTypeItemNames;
// PRGBI code of each position.
extern const std::array<int, kSignalTypeCount> kSignalTypeCodes;
// First position whose code is `code`, or 14 when there is none.
int ComboBox_signaltype_IndexOf(int64_t code);
// Name of a signal type code (empty for a code outside the table).
QString signalTypeName(int64_t code);

// ---- Standards (PISTD) ----
constexpr int kStandardCount = 5;
extern const std::array<const char*, kStandardCount> kStandardTexts;

// ---- Signal families (IFAMM, IFAMP, REFFAMM, REFFAMP) ----
constexpr int kFamilyCount = 43;
QString familyLongName(int64_t family);   // empty above 42
QString familyShortName(int64_t family);  // empty above 42

// ---- Output formats and rates ----
constexpr int kFormatCount = 16;
constexpr int kRateCount = 8;
constexpr int kFormatRateCodes = 50;
// Captions of the Main format menu items and of the output 2 ones.
extern const std::array<const char*, kFormatCount> kFormatCaptionsMain;
extern const std::array<const char*, kFormatCount> kFormatCaptionsPreview;
// Object names of the format menu items (the same in both menus).
extern const std::array<const char*, kFormatCount> kFormatItemNames;
extern const std::array<const char*, kRateCount> kRateTexts;

struct FormatRate {
  int format;
  int rate;
};
// Known DEV codes in model-index order (index 0 stands for no model).
extern const std::array<uint32_t, 8> kModelDevCodes;
constexpr int kModelCount = 8;
// The model index of a DEV value, -1 when the value is not in the list.
int modelIndexOfDev(uint32_t dev);
// Row `code` (0..49) of the format-rate table of model `model` (0..7).
FormatRate formatRateRow(int model, int code);

// ---- Test patterns ----
// OPATM / OPATP code sent for each radio position.
extern const std::array<int, 8> kTestPatternCodes;
// Radio position of a reported code, -1 when none.
int testPatternPosition(int64_t code);

// ---- Colours of the input row ----
inline QColor colorMain() { return QColor(255, 0, 0); }      // COLOR_BTN_MAIN
inline QColor colorPreview() { return QColor(0, 128, 0); }
inline QColor colorPending() { return QColor(0, 0, 255); }
inline QColor colorGrey() { return QColor(128, 128, 128); }
inline QColor colorSilver() { return QColor(192, 192, 192); }
inline QColor colorWhite() { return QColor(255, 255, 255); }
inline QColor colorBlack() { return QColor(0, 0, 0); }
inline QColor colorRed() { return QColor(255, 0, 0); }
inline QColor colorBlue() { return QColor(0, 0, 255); }
inline QColor colorGreen() { return QColor(0, 128, 0); }
// The system's "inactive caption text" colour (no Qt palette role carries it).
inline QColor colorInactiveCaptionText() { return QColor(67, 78, 84); }
// The platform's window-text, window-background and menu-text colours.
QColor colorWindowText();
QColor colorWindowBackground();
QColor colorMenuText();

// ---- Number formatting ----
// `value` in general format with `precision` significant digits: fixed
// notation without trailing zeros (and without a decimal point when none is
// needed) while the integer part has at most `precision` digits and the value
// is at least 0.00001, scientific ("1.2E3", "5E-6") otherwise. '.' separates
// decimals; no thousands separator.
QString formatGeneral(double value, int precision);

// Left edges of the memory strip new_Panel1's columns, input 1 to 8, as the
// main window lays the strip out (Mixer mode).
inline constexpr std::array<int, 8> kStripColumnsMixer = {3, 85, 168, 251, 333, 416, 499, 582};
// The same columns in the Matrix window, where the strip is 636 pixels wide.
inline constexpr std::array<int, 8> kStripColumnsMatrix = {0, 80, 160, 240, 320, 400, 480, 560};
// Left edges of the Main logo transparency pictures of input 1 to 8 (right
// of each column's display button), in Mixer mode and in the Matrix window.
inline constexpr std::array<int, 8> kTransparencyColumnsMixer = {59, 141, 224, 307, 389, 472, 555, 638};
inline constexpr std::array<int, 8> kTransparencyColumnsMatrix = {56, 136, 216, 296, 376, 456, 536, 616};

}  // namespace zelvan::signal

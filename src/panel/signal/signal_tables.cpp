#include "panel/signal/signal_tables.h"

#include <QApplication>
#include <QPalette>
#include <cmath>

namespace zelvan::signal {

const std::array<const char*, kSignalTypeCount> kSignalTypeTexts = {
    "SDTV Composite",   "SDTV Y/C",        "SDTV YUV",       "SDTV RGB/s TTL",          "SDTV RGsB,S.O.G.",
    "SDTV RGB/s ana.",  "SDTV SDI 1",      "SDTV SDI 2",     "Computer,S.O.G.",         "Computer H&V/C,TTL/ana.",
    "Computer DVI",     "HDTV,YUV trilevel sync.",           "HDTV SDI 1",              "HDTV SDI 2"};

const std::array<const char*, kSignalTypeCount> kSignalTypeItemNames = {
    "SDTV_Composite", "SDTV_YC",        "SDTV_YUV",     "SDTV_RGBs_TTL",         "SDTV_RGsB_SOG",
    "SDTV_RGBs_ana",  "SDTV_SDI_1",     "SDTV_SDI_2",   "Computer_SOG",          "Computer_HV_TTL_ana",
    "Computer_DVI",   "HDTV_YUV_trilevel", "HDTV_SDI_1", "HDTV_SDI_2"};

const std::array<int, kSignalTypeCount> kSignalTypeCodes = {0, 1, 2, 3, 4, 5, 6, 13, 7, 8, 9, 10, 11, 12};

int ComboBox_signaltype_IndexOf(int64_t code) {
  for (int i = 0; i < kSignalTypeCount; ++i)
    if (kSignalTypeCodes[static_cast<size_t>(i)] == code) return i;
  return kSignalTypeCount;
}

QString signalTypeName(int64_t code) {
  const int pos = ComboBox_signaltype_IndexOf(code);
  if (pos >= kSignalTypeCount) return {};
  return QString::fromLatin1(kSignalTypeTexts[static_cast<size_t>(pos)]);
}

const std::array<const char*, kStandardCount> kStandardTexts = {
    "Auto PAL/SECAM/NTSC", "NTSC", "PAL", "SECAM", "Black & White 50 Hz / 60 Hz"};

namespace {
struct Family {
  const char* longName;
  const char* shortName;
};
const std::array<Family, kFamilyCount> kFamilies = {{
    {"no signal", "no signal"},
    {"wrong signal", "wrong signal"},
    {"NTSC std(3,58/60)", "NTSC"},
    {"PAL std(4,43/50)", "PAL"},
    {"SECAM (50Hz)", "SECAM"},
    {"black and white 50Hz", "black and white"},
    {"black and white 60Hz", "black and white"},
    {"YUV 50Hz", "YUV"},
    {"YUV 60Hz", "YUV"},
    {"RGB 50Hz", "RGB"},
    {"RGB 60Hz", "RGB"},
    {"VGA 350l", "VGA"},
    {"VGA 400l", "VGA"},
    {"VGA 480l", "VGA"},
    {"PLASMA 42'", "PLASMA"},
    {"SVGA", "SVGA"},
    {"MAC", "MAC"},
    {"XGA", "XGA"},
    {"PLASMA 50'", "PLASMA"},
    {"MAC 21'", "MAC"},
    {"SXGA", "SXGA"},
    {"UXGA", "UXGA"},
    {"SXGA+", "SXGA+"},
    {"DILA 4/3", "DILA 4/3"},
    {"DILA 16/9", "DILA 16/9"},
    {"1080i 50Hz", "1080 i"},
    {"1080i 59.94Hz/60Hz", "1080 i"},
    {"480p 59.94Hz/60Hz", "480 p"},
    {"720p 50Hz", "720 p"},
    {"720p 59.94Hz/60Hz", "720 p"},
    {"1080 23.97Hz/24Hz", "1080 sf"},
    {"480p 50Hz", "480 p"},
    {"480p 72Hz", "480 p"},
    {"480p 75Hz", "480 p"},
    {"WSXGA", "WSXGA"},
    {"1080p 50Hz", "1080 p"},
    {"1080p 59.94Hz,60Hz", "1080 p"},
    {"1080p 23.97Hz,24Hz", "1080 p"},
    {"1080p 25Hz", "1080 p"},
    {"1080p 29.97Hz,30Hz", "1080 p"},
    {"1080sf 25Hz", "1080 sf"},
    {"720p 1280x720", "720 p RGB"},
    {"1080p 1920x1080", "1080 p RGB"},
}};
}  // namespace

QString familyLongName(int64_t family) {
  if (family < 0 || family >= kFamilyCount) return {};
  return QString::fromLatin1(kFamilies[static_cast<size_t>(family)].longName);
}

QString familyShortName(int64_t family) {
  if (family < 0 || family >= kFamilyCount) return {};
  return QString::fromLatin1(kFamilies[static_cast<size_t>(family)].shortName);
}

const std::array<const char*, kFormatCount> kFormatCaptionsMain = {
    "848x480        16/9", "800x600",   "1280x720      16/9", "1024x768",
    "1280x768      16/9",  "1365x768      16/9", "1280x1024", "1365x1024",
    "1400x1050",           "1920x1080    16/9",  "1600x1200", "720p    HD-SDI  16/9",
    "1080i   HD-SDI  16/9", "1080sf HD-SDI  16/9", "1080p  HD-SDI  16/9", "1080p  B            16/9"};

const std::array<const char*, kFormatCount> kFormatCaptionsPreview = {
    "848x480        16/9", "800x600",   "1280x720      16/9", "1024x768",
    "1280x768      16/9",  "1365x768      16/9", "1280x1024", "1365x1024",
    "1400x1050",           "1920x1080    16/9",  "1600x1200", "720p    SDI  16/9",
    "1080i   SDI  16/9",   "1080sf SDI  16/9",   "1080p  SDI  16/9", "1080p B       16/9"};

const std::array<const char*, kFormatCount> kFormatItemNames = {
    "N848x480169",  "N800x600",      "N1280x720169",  "N1024x768",    "N1280x768169", "N1365x768169",
    "N1280x1024",   "N1365x1024",    "N1400x1050",    "N1920x1080169", "N1600x1200",  "N720pSDI169",
    "N1080iSDI169", "N1080sfSDI169", "N1080pSDI169",  "N1080p_B169"};

const std::array<const char*, kRateCount> kRateTexts = {"23.98 Hz", "25 Hz", "29.97 Hz", "50 Hz",
                                                        "59 Hz",    "60 Hz", "72 Hz",    "75 Hz"};

const std::array<uint32_t, 8> kModelDevCodes = {0, 27, 29, 31, 36, 37, 38, 39};

int modelIndexOfDev(uint32_t dev) {
  for (int i = 0; i < kModelCount; ++i)
    if (kModelDevCodes[static_cast<size_t>(i)] == dev) return i;
  return -1;
}

namespace {
// Row = code; every model shares the same rows.
constexpr std::array<FormatRate, kFormatRateCodes> kFormatRateRows = {{
    {1, 3},  {1, 5},  {1, 6},  {1, 7},  {3, 3},  {3, 5},  {3, 6},  {3, 7},  {6, 3},  {6, 5},
    {6, 6},  {6, 7},  {8, 3},  {8, 5},  {8, 6},  {8, 7},  {7, 7},  {5, 7},  {0, 5},  {2, 3},
    {2, 5},  {7, 3},  {7, 5},  {7, 6},  {5, 3},  {5, 5},  {5, 6},  {0, 3},  {0, 6},  {0, 7},
    {4, 3},  {4, 5},  {4, 6},  {4, 7},  {10, 3}, {10, 5}, {9, 3},  {9, 4},  {11, 3}, {11, 4},
    {12, 3}, {12, 4}, {14, 0}, {14, 1}, {14, 2}, {13, 0}, {13, 1}, {15, 3}, {15, 4}, {13, 2},
}};
}  // namespace

FormatRate formatRateRow(int model, int code) {
  (void)model;  // the eight model rows are identical
  if (code < 0 || code >= kFormatRateCodes) return {0, 0};
  return kFormatRateRows[static_cast<size_t>(code)];
}

const std::array<int, 8> kTestPatternCodes = {0, 1, 2, 3, 7, 4, 6, 5};

int testPatternPosition(int64_t code) {
  for (int i = 0; i < 8; ++i)
    if (kTestPatternCodes[static_cast<size_t>(i)] == code) return i;
  return -1;
}

QColor colorWindowText() { return QApplication::palette().color(QPalette::Active, QPalette::WindowText); }
QColor colorWindowBackground() { return QApplication::palette().color(QPalette::Active, QPalette::Base); }
QColor colorMenuText() { return QApplication::palette().color(QPalette::Active, QPalette::ButtonText); }

QString formatGeneral(double value, int precision) {
  if (precision < 1) precision = 1;
  if (!std::isfinite(value)) return QString::number(value);
  if (value == 0.0) return QStringLiteral("0");
  // Round to the significant digits first; the exponent of the rounded value
  // decides between fixed and scientific notation.
  const QString sci = QString::number(value, 'e', precision - 1);
  const qsizetype ePos = sci.indexOf(QLatin1Char('e'));
  const int exponent = sci.mid(ePos + 1).toInt();
  auto stripZeros = [](QString s) {
    if (s.contains(QLatin1Char('.'))) {
      while (s.endsWith(QLatin1Char('0'))) s.chop(1);
      if (s.endsWith(QLatin1Char('.'))) s.chop(1);
    }
    return s;
  };
  if (exponent + 1 <= precision && std::fabs(value) >= 0.00001) {
    const int decimals = precision - (exponent + 1);
    return stripZeros(QString::number(value, 'f', decimals < 0 ? 0 : decimals));
  }
  QString mantissa = stripZeros(sci.left(ePos));
  return mantissa + QLatin1Char('E') + QString::number(exponent);
}

}  // namespace zelvan::signal

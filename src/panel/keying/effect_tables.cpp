#include "panel/keying/effect_tables.h"

#include <QLocale>
#include <cmath>

#include "device/catalogue.h"

namespace zelvan::keying {

namespace {

using G = EffectGroup;
constexpr int kGroups = static_cast<int>(G::Count);

// One row per kind: 1s 3s 5s Dur HSize VSize HPos VPos MskHS MskVS MskHP MskVP Int Hold Opt DPiP TOpt.
constexpr bool kControlTable[kEffectKinds][kGroups] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 0 Cut
    {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 1 Fade
    {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1},  // 2 Title
    {1, 1, 1, 1, 0, 1, 0, 1, 0, 0, 0, 0, 1, 1, 0, 0, 1},  // 3 Shadow Title
    {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 0, 0},  // 4 PiP
    {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 0, 0},  // 5 PiP Fade
    {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 6..13 wipes
    {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 0},  // 14 Double PiP
};

// Allowed animations per kind, as bit masks over the values 0..15.
constexpr uint16_t bits(std::initializer_list<int> values) {
  uint16_t m = 0;
  for (int v : values) m = uint16_t(m | (1u << v));
  return m;
}
struct AnimationRow {
  uint16_t openings, closings;
  bool openClose;
  int defaultValue;
};
constexpr AnimationRow kAnimation[kEffectKinds] = {
    {bits({0}), bits({0}), false, 0},                                                      // 0 Cut
    {bits({1}), bits({1}), false, 1},                                                      // 1 Fade
    {bits({0, 1, 2, 3, 4, 5}), bits({0, 1, 2, 3, 4, 5}), true, 0},                         // 2 Title
    {bits({0, 1, 2, 3, 4, 5}), bits({0, 1, 2, 3, 4, 5}), true, 0},                         // 3 Shadow Title
    {bits({0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 13, 15}), bits({0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 14}), true, 0},  // 4 PiP
    {bits({1}), bits({1}), true, 1},                                                       // 5 PiP Fade
    {bits({2, 6}), bits({3, 7}), false, 6},
    {bits({3, 7}), bits({2, 6}), false, 7},
    {bits({8, 14}), bits({9}), false, 8},
    {bits({9, 15}), bits({8}), false, 9},
    {bits({4, 10}), bits({5, 11}), false, 10},
    {bits({5, 11}), bits({4, 10}), false, 11},
    {bits({12, 14}), bits({13, 15}), false, 12},
    {bits({13, 15}), bits({12, 14}), false, 13},
    {bits({1}), bits({1}), true, 1},                                                       // 14 Double PiP
};

constexpr const char* kOpeningCaptions[kAnimationValues] = {
    "Cut In",           "Fade In",           "Slide from Left",     "Slide from Right",
    "Slide from Bottom", "Slide from Top",    "Wipe H. from Left",   "Wipe H. from Right",
    "Wipe H. to Center", "Wipe H. from Center", "Wipe V. from Bottom", "Wipe V. from Top",
    "Wipe V. to Center", "Wipe V. from Center", "Wipe H && V to Center", "Wipe H && V from Center",
};
constexpr const char* kClosingCaptions[kAnimationValues] = {
    "Cut Out",           "Fade Out",          "Slide to Right",      "Slide to Left",
    "Slide to Top",      "Slide to Bottom",   "Wipe H. to Right",    "Wipe H. to Left",
    "Wipe H. to Center", "Wipe H. from Center", "Wipe V. to Top",    "Wipe V. to Bottom",
    "Wipe V. to Center", "Wipe V. from Center", "Wipe H && V to Center", "Wipe H && V from Center",
};

// Preview blocks: {base, step} with step +1 forward, -1 backward, 0 still.
struct Block {
  int base, step;
};
constexpr Block kOpeningBlocks[kAnimationValues] = {
    {0, 0},    {0, 1},    {33, 1},   {66, 1},   {99, 1},   {164, -1}, {165, 1},  {198, 1},
    {329, -1}, {297, 1},  {231, 1},  {264, 1},  {362, -1}, {330, 1},  {395, -1}, {363, 1},
};
constexpr Block kClosingBlocks[kAnimationValues] = {
    {32, 0},   {32, -1},  {98, -1},  {65, -1},  {132, 1},  {131, -1}, {230, -1}, {197, -1},
    {329, -1}, {297, 1},  {296, -1}, {263, -1}, {362, -1}, {330, 1},  {395, -1}, {363, 1},
};

}  // namespace

bool effectGroup(int64_t kind, EffectGroup g) {
  const int gi = static_cast<int>(g);
  if (!validKind(kind) || gi < 0 || gi >= kGroups) return false;
  return kControlTable[kind][gi];
}

QString openingButtonName(int v) { return QStringLiteral("RadioButton_Open%1").arg(v); }
QString closingButtonName(int v) { return QStringLiteral("RadioButton_Close%1").arg(closingButtonNumber(v)); }

QString openingCaption(int v) { return validAnimation(v) ? QString::fromLatin1(kOpeningCaptions[v]) : QString(); }
QString closingCaption(int v) { return validAnimation(v) ? QString::fromLatin1(kClosingCaptions[v]) : QString(); }

bool openingAllowed(int64_t kind, int v) {
  return validKind(kind) && validAnimation(v) && (kAnimation[kind].openings >> v) & 1u;
}
bool closingAllowed(int64_t kind, int v) {
  return validKind(kind) && validAnimation(v) && (kAnimation[kind].closings >> v) & 1u;
}
bool hasOpenClose(int64_t kind) { return validKind(kind) && kAnimation[kind].openClose; }
int animationDefault(int64_t kind) { return validKind(kind) ? kAnimation[kind].defaultValue : 0; }

bool openingRuledOutByHint(int v, const QString& hint) {
  const bool hinted = (v >= 2 && v <= 11) || v == 14 || v == 15;
  return hinted && hint == openingButtonName(v);
}

bool openingEnabled(int64_t kind, int v, const QString& hint) {
  return openingAllowed(kind, v) && !openingRuledOutByHint(v, hint);
}

int fallbackOpening(int64_t kind, const QString& hint) {
  const int d = animationDefault(kind);
  if (openingEnabled(kind, d, hint)) return d;
  for (int v = 0; v < kAnimationValues; ++v)
    if (openingEnabled(kind, v, hint)) return v;
  return -1;
}

int previewFrameIndex(int64_t kind, bool closingPhase, int value, int c) {
  if (!validKind(kind) || !validAnimation(value) || c < 0 || c >= kPreviewFramesPerPhase) return -1;
  const Block b = closingPhase ? kClosingBlocks[value] : kOpeningBlocks[value];
  int base = b.base;
  if (isPipKind(kind)) base = (!closingPhase && value <= 1) ? 398 : base + 399;
  return base + b.step * c;
}

const std::array<EffectRegister, 26>& keyDownOrder() {
  static const std::array<EffectRegister, 26> order = {{
      {Reg::EFFECT, &EffectSlot::kind},       {Reg::EFFDUR, &EffectSlot::EFFDUR},
      {Reg::EFFPA, &EffectSlot::EFFPA},       {Reg::EFFPB, &EffectSlot::EFFPB},
      {Reg::EFFPC, &EffectSlot::EFFPC},       {Reg::EFFPD, &EffectSlot::EFFPD},
      {Reg::EFFPE, &EffectSlot::EFFPE},       {Reg::EFFPF, &EffectSlot::EFFPF},
      {Reg::EFFPG, &EffectSlot::EFFPG},       {Reg::EFFPH, &EffectSlot::EFFPH},
      {Reg::EFFPI, &EffectSlot::EFFPI},       {Reg::EFFPJ, &EffectSlot::EFFPJ},
      {Reg::EFFPS, &EffectSlot::EFFPS},       {Reg::EFFOPT, &EffectSlot::EFFOPT},
      {Reg::EFFPK, &EffectSlot::EFFPK},       {Reg::EFFPL, &EffectSlot::EFFPL},
      {Reg::EFFPM, &EffectSlot::EFFPM},       {Reg::EFFPN, &EffectSlot::EFFPN},
      {Reg::EFFPO, &EffectSlot::EFFPO},       {Reg::EFFPP, &EffectSlot::EFFPP},
      {Reg::EFFPQ, &EffectSlot::EFFPQ},       {Reg::EFFPR, &EffectSlot::EFFPR},
      {Reg::EFFOPEN, &EffectSlot::EFFOPEN},   {Reg::EFFOPNDUR, &EffectSlot::EFFOPNDUR},
      {Reg::EFFCLOSE, &EffectSlot::EFFCLOSE}, {Reg::EFFCLSDUR, &EffectSlot::EFFCLSDUR},
  }};
  return order;
}

const std::array<int, 10>& keyReleaseZeros() {
  static const std::array<int, 10> regs = {Reg::EFFECT, Reg::EFFDUR, Reg::EFFPA, Reg::EFFPB, Reg::EFFPC,
                                           Reg::EFFPD,  Reg::EFFPE,  Reg::EFFPF, Reg::EFFPG, Reg::EFFPH};
  return regs;
}

const std::array<EffectRegister, 26>& presetOrder() {
  static const std::array<EffectRegister, 26> order = [] {
    std::array<EffectRegister, 26> o{};
    size_t n = 0;
    for (const EffectRegister& r : keyDownOrder())
      if (r.reg != Reg::EFFECT) o[n++] = r;
    o[n] = {Reg::EFFADR, &EffectSlot::EFFADR};
    return o;
  }();
  return order;
}

bool isCurrentEffectRegister(int reg) {
  for (const EffectRegister& r : keyDownOrder())
    if (r.reg == reg) return true;
  return false;
}

QString wrapKeyCaption(const QString& caption) {
  if (caption.size() <= 15) return caption;
  const qsizetype blank = caption.indexOf(QLatin1Char(' '), 12);
  if (blank < 0) return caption;
  return caption.left(blank) + QStringLiteral("\r\n") + caption.mid(blank);
}

QString displayCaption(const QString& caption) {
  QString s = caption;
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return s;
}

QString durationText(int64_t tenths) {
  return QString::number(double(tenths) / 10.0, 'g', 3) + QStringLiteral("s");
}

std::optional<int64_t> durationFromText(const QString& text) {
  QString s = text;
  s.replace(QLatin1Char(','), QLatin1Char('.'));
  s.replace(QLatin1Char('s'), QLatin1Char(' '));
  s = s.trimmed();
  if (s.isEmpty() || s.contains(QLatin1Char(' '))) return std::nullopt;
  bool ok = false;
  const double seconds = QLocale::c().toDouble(s, &ok);
  if (!ok || !std::isfinite(seconds) || std::fabs(seconds) > 1e9) return std::nullopt;
  return static_cast<int64_t>(std::llround(seconds * 10.0));
}

void sanitizeSlot(EffectSlot& slot) {
  if (!validKind(slot.kind)) slot.kind = 0;
  if (!validAnimation(slot.EFFOPEN)) slot.EFFOPEN = 0;
  if (!validAnimation(slot.EFFCLOSE)) slot.EFFCLOSE = 0;
  if (!validOption(slot.EFFOPT)) slot.EFFOPT = 0;
  if (!validOption(slot.OLD_EFFOPT)) slot.OLD_EFFOPT = 0;
}

int sanitizeButtonEffect(int64_t value) {
  if ((value >= 1 && value <= 7) || (value >= 101 && value <= 106)) return static_cast<int>(value);
  return 1;
}

}  // namespace zelvan::keying

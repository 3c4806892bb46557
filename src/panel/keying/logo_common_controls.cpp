// The keying registers both outputs share: luma key and background colour
// (used while recording), logo fade and frame fade durations. Each logo
// page carries its own copy of the controls; other windows add frame fade
// copies of their own. Every copy follows the device's reports.
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <optional>

#include "app/report_router.h"
#include "device/zelvan_d.h"
#include "panel/keying/logo_placement.h"
#include "panel/signal/signal_common.h"
#include "panel/signal/signal_tables.h"
#include "widgets/uidialogs.h"

namespace zelvan::keying {

namespace {

constexpr int kFrameFadeMaximum = 50;
constexpr int kFrameFadeMinimumPage = 5;
constexpr int kFrameFadeMinimumMirror = 10;

// Seconds typed into a frame fade box, read as tenths of a second rounded
// to the nearest (halves away from zero): "1.25" is 13, "2" is 20, "0.8"
// is 8. Nothing for a text that is not a decimal number; a value too large
// for any duration reads as INT64_MAX so that the range check refuses it.
std::optional<int64_t> readTenths(const QString& text) {
  const QString t = text.trimmed();
  int i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
    negative = t[i++] == QLatin1Char('-');
  int64_t whole = 0;
  int wholeDigits = 0;
  bool tooLarge = false;
  while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
    if (whole > 100000000)
      tooLarge = true;
    else
      whole = whole * 10 + (t[i].unicode() - '0');
    ++wholeDigits;
    ++i;
  }
  int tenth = 0;
  int hundredth = 0;
  int fractionDigits = 0;
  if (i < t.size() && t[i] == QLatin1Char('.')) {
    ++i;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
      if (fractionDigits == 0) tenth = t[i].unicode() - '0';
      if (fractionDigits == 1) hundredth = t[i].unicode() - '0';
      ++fractionDigits;
      ++i;
    }
  }
  if (i != t.size() || wholeDigits + fractionDigits == 0) return std::nullopt;
  if (tooLarge) return negative ? INT64_MIN : INT64_MAX;
  int64_t tenths = whole * 10 + tenth + (hundredth >= 5 ? 1 : 0);
  return negative ? -tenths : tenths;
}

}  // namespace

TLogoCommonControls::TLogoCommonControls(TKeyingContext& ctx, QObject* parent) : QObject(parent), ctx_(ctx) {}

QString TLogoCommonControls::Conv_fade_frame_en_seconde(uint32_t units) {
  return zelvan::signal::formatGeneral(double(units) / 10.0, 2);
}

QString TLogoCommonControls::Conv_fade_logo_en_seconde(uint32_t units) {
  return zelvan::signal::formatGeneral(double(units) * 0.02, 2);
}

int TLogoCommonControls::regOf(Kind kind) {
  switch (kind) {
    case Luma:
      return Reg::LLEVEL;
    case BackColour:
      return Reg::LBACKCOLOR;
    case LogoFade:
      return Reg::LLOGODUR;
    default:
      return Reg::LFRAMEDUR;
  }
}

QString TLogoCommonControls::text(Kind kind, uint32_t value) const {
  if (kind == LogoFade) return Conv_fade_logo_en_seconde(value);
  if (kind == FrameFade) return Conv_fade_frame_en_seconde(value);
  return QString::number(value);
}

void TLogoCommonControls::build(QWidget* areaMain, QWidget* areaPreview) {
  if (areaMain) buildPage(1, areaMain);
  if (areaPreview) buildPage(2, areaPreview);
}

void TLogoCommonControls::buildPage(int output, QWidget* area) {
  // Main controls carry the names as given, the Preview copies "_P" after them.
  auto name = [output](const char* n) {
    QString s = QString::fromLatin1(n);
    return output == 1 ? s : s + QStringLiteral("_P");
  };
  struct Row {
    Kind kind;
    const char* group;
    const char* title;
    const char* bar;
    const char* edit;
    int x, minimum, maximum;
  };
  const Row rows[] = {
      {Luma, "Panel_luma_key", "Luma key", "new_ScrollBar_luma_key_", "new_Edit_luma_key_", 8, 0, 255},
      {BackColour, "Panel_back_colour", "Background colour", "ScrollBar_black_logo", "Edit_black_logo", 376,
       0, 7},
      {LogoFade, "Panel_logo_fade", "Logo fade", "ScrollBar_Logo_Fade_duration", "Edit_Logo_Fade_duration", 8,
       15, 255},
      {FrameFade, "Panel_frame_fade", "Frame fade", "ScrollBar_Frame_Fade_dration", nullptr, 376,
       kFrameFadeMinimumPage, kFrameFadeMaximum},
  };
  for (const Row& s : rows) {
    Control& c = pages_[size_t(output - 1)][size_t(s.kind)];
    auto* g = new QGroupBox(QString::fromLatin1(s.title), area);
    g->setObjectName(QString::fromLatin1(s.group) +
                     (output == 1 ? QStringLiteral("_M") : QStringLiteral("_P")));
    g->setGeometry(s.x, 132, 360, 52);
    g->hide();
    auto* bar = new QScrollBar(Qt::Horizontal, g);
    bar->setObjectName(name(s.bar));
    bar->setRange(s.minimum, s.maximum);
    bar->setPageStep(s.kind == BackColour ? 1 : 5);
    bar->setGeometry(12, 24, 272, 18);
    zelvan::signal::setDragMark(bar, 0);
    auto* edit = new QLineEdit(g);
    edit->setObjectName(s.edit ? name(s.edit)
                               : (output == 1 ? QStringLiteral("Edit_Frame_Fade_duration_M")
                                              : QStringLiteral("Edit_Frame_Fade_duration_P")));
    edit->setGeometry(292, 22, 56, 22);
    c.group = g;
    c.bar = bar;
    c.edit = edit;
    connectSlider(bar, s.kind);
    connectEdit(edit, s.kind, kFrameFadeMinimumPage);
  }
}

void TLogoCommonControls::addFrameFadeMirror(QLineEdit* edit, QAbstractSlider* slider) {
  Control c;
  c.edit = edit;
  c.bar = slider;
  if (slider) {
    slider->setRange(kFrameFadeMinimumMirror, kFrameFadeMaximum);
    zelvan::signal::setDragMark(slider, 0);
    connectSlider(slider, FrameFade);
    zelvan::signal::showOnBar(slider, ctx_.link->registerValue(Reg::LFRAMEDUR));
  }
  if (edit) connectEdit(edit, FrameFade, kFrameFadeMinimumMirror);
  frameFadeMirrors_.push_back(c);
}

void TLogoCommonControls::connectSlider(QAbstractSlider* bar, Kind kind) {
  if (auto* sb = qobject_cast<QScrollBar*>(bar)) {
    zelvan::signal::onScroll(sb, this, [this, kind](QScrollBar* b, zelvan::signal::TScrollCode code, int) {
      scrolled(b, kind, code == zelvan::signal::scEndScroll);
    });
    return;
  }
  connect(bar, &QAbstractSlider::actionTriggered, this,
          [this, bar, kind](int) { scrolled(bar, kind, false); });
  connect(bar, &QAbstractSlider::sliderReleased, this, [this, bar, kind] { scrolled(bar, kind, true); });
}

void TLogoCommonControls::connectEdit(QLineEdit* edit, Kind kind, int frameFadeMinimum) {
  connect(edit, &QLineEdit::returnPressed, this,
          [this, edit, kind, frameFadeMinimum] { keyPress(edit, kind, frameFadeMinimum); });
  if (kind == LogoFade || kind == FrameFade) edit->installEventFilter(this);
}

bool TLogoCommonControls::eventFilter(QObject* watched, QEvent* event) {
  // The fade boxes select their whole text when clicked.
  if (event->type() == QEvent::MouseButtonRelease) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      static_cast<QObject*>(edit)->event(event);
      edit->selectAll();
      return true;
    }
  }
  return false;
}

void TLogoCommonControls::scrolled(QAbstractSlider* bar, Kind kind, bool ended) {
  // Not paced: every position goes to the device.
  ctx_.link->SendRegister(regOf(kind), static_cast<uint32_t>(std::max(bar->sliderPosition(), 0)));
  zelvan::signal::setDragMark(bar, ended ? 0 : 1);
}

void TLogoCommonControls::keyPress(QLineEdit* edit, Kind kind, int frameFadeMinimum) {
  const int reg = regOf(kind);
  const uint32_t current = ctx_.link->registerValue(reg);
  if (kind == FrameFade) {
    const auto tenths = readTenths(edit->text());
    if (!tenths) {
      zelvan::ui::dialogs().message(
          edit, zelvan::ui::MessageKind::Error, QStringLiteral("Error"),
          QStringLiteral("'%1' is not a valid floating point value").arg(edit->text()));
      return;
    }
    if (*tenths < frameFadeMinimum || *tenths > kFrameFadeMaximum)
      ctx_.link->SendRegister(reg, current);
    else
      ctx_.link->SendRegister(reg, static_cast<uint32_t>(*tenths));
    return;
  }
  const auto v = zelvan::signal::readInteger(edit->text());
  if (!v) {
    zelvan::signal::showNotAnInteger(edit, edit->text());
    return;
  }
  if (kind == LogoFade) {
    // Whole seconds 1 to 5.
    if (*v < 1 || *v > 5)
      ctx_.link->SendRegister(reg, current);
    else
      ctx_.link->SendRegister(reg, static_cast<uint32_t>(*v * 60 - 45));
    return;
  }
  if (*v < 0 || *v > 255)
    ctx_.link->SendRegister(reg, current);
  else
    ctx_.link->SendRegister(reg, static_cast<uint32_t>(*v));
}

void TLogoCommonControls::reported(Kind kind) {
  const uint32_t v = ctx_.link->registerValue(regOf(kind));
  const QString t = text(kind, v);
  auto show = [&](const Control& c) {
    if (c.edit) c.edit->setText(t);
    if (c.bar && zelvan::signal::dragMark(c.bar) == 0) zelvan::signal::showOnBar(c.bar, v);
  };
  for (const auto& page : pages_) show(page[size_t(kind)]);
  if (kind == FrameFade)
    for (const Control& c : frameFadeMirrors_) show(c);
}

void TLogoCommonControls::addRoutes(zelvan::app::TReportRouter& router) {
  using zelvan::app::RoutePos;
  router.add(Reg::LLEVEL, RoutePos::Keying, QStringLiteral("TLogoCommonControls::Zelvan_d1LLEVELchange"),
             [this] { reported(Luma); });
  router.add(Reg::LBACKCOLOR, RoutePos::Keying,
             QStringLiteral("TLogoCommonControls::Zelvan_d1LBACKCOLORchange"),
             [this] { reported(BackColour); });
  router.add(Reg::LLOGODUR, RoutePos::Keying, QStringLiteral("TLogoCommonControls::Zelvan_d1LLOGODURchange"),
             [this] { reported(LogoFade); });
  router.add(Reg::LFRAMEDUR, RoutePos::Keying,
             QStringLiteral("TLogoCommonControls::Zelvan_d1LFRAMEDURchange"),
             [this] { reported(FrameFade); });
}

void TLogoCommonControls::layoutForMode(int output, uint32_t mode) {
  auto& page = pages_[output == 1 ? 0 : 1];
  const bool recording = mode == 1 || mode == 2;
  const bool shown[kKindCount] = {recording, recording, mode == 0, false};
  for (int k = 0; k < kKindCount; ++k)
    if (QWidget* g = page[size_t(k)].group) g->setVisible(shown[k]);
}

}  // namespace zelvan::keying

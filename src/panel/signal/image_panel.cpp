#include "panel/signal/image_panel.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "device/zelvan_d.h"
#include "panel/signal/adjust_triple.h"
#include "panel/signal/input_table.h"
#include "panel/signal/signal_common.h"
#include "panel/signal/signal_host.h"
#include "panel/signal/signal_status.h"

namespace zelvan::signal {

namespace {
struct FamilyRow {
  const char* caption;
  const char* barName;
  const char* fieldName;
  const char* captionName;
  int regM;
  int regP;
  int barMin, barMax, barStart, largeStep;
  bool converted;
  int acceptMin, acceptMax;
  bool zoom;
};

const std::array<FamilyRow, TImagePanel::FamilyCount> kFamilies = {{
    {"H. pos", "ScrollBar_hpos_M_video", "Edit_hpos_M", "Label_hpos_M", Reg::HPOSM, Reg::HPOSP, 0, 255, 128, 10, true, -128, 127, false},
    {"V. pos", "ScrollBar_vpos_M_video", "Edit_vpos_M", "Label_vpos_M", Reg::VPOSM, Reg::VPOSP, 0, 255, 128, 10, true, -128, 127, false},
    {"H. size", "ScrollBar_hsiz_M_video", "Edit_hsize_M", "Label_hsize_M", Reg::HSIZM, Reg::HSIZP, 0, 255, 128, 10, false, 0, 255, false},
    {"V. size", "ScrollBar_vsiz_M_video", "Edit_vsize_M", "Label_vsize_M", Reg::VSIZM, Reg::VSIZP, 0, 255, 128, 10, false, 0, 255, false},
    {"Brightness", "ScrollBar_brightness_M", "Edit_brightness_M", "Label_brightness_M", Reg::BRGTM, Reg::BRGTP, 0, 255, 128, 10, true, -128, 127, false},
    {"Black level", "ScrollBar_blacklevel_M", "Edit_blacklevel_M", "Label_blacklevel_M", Reg::BRGTM, Reg::BRGTP, 0, 255, 128, 10, true, -128, 127, false},
    {"Contrast", "ScrollBar_contrast_M", "Edit_contrast_M", "Label_contrast_M", Reg::CONTRM, Reg::CONTRP, 0, 255, 128, 10, true, -128, 127, false},
    {"Color", "ScrollBar_color_M", "Edit_color_M", "Label_color_M", Reg::COLORM, Reg::COLORP, 0, 255, 128, 10, true, -128, 127, false},
    {"Hue (NTSC)", "ScrollBar_hue_M", "Edit_hue_M", "Label_hue_M", Reg::HUEM, Reg::HUEP, 0, 255, 128, 10, false, 0, 255, false},
    {"Red level", "ScrollBar_redlevel_M", "Edit_redlevel_M", "Label_redlevel_M", Reg::RLVM, Reg::RLVP, 0, 255, 128, 10, true, -128, 127, false},
    {"Green level", "ScrollBar_greenlevel_M", "Edit_greenlevel_M", "Label_greenlevel_M", Reg::GLVM, Reg::GLVP, 0, 255, 128, 10, true, -128, 127, false},
    {"Blue level", "ScrollBar_bluelevel_M", "Edit_bluelevel_M", "Label_bluelevel_M", Reg::BLVM, Reg::BLVP, 0, 255, 128, 10, true, -128, 127, false},
    {"Clk", "ScrollBar_clock_M", "Edit_clock_M", "Label_clock_M", Reg::DIVM, Reg::DIVP, 512, 2800, 1656, 10, false, 512, 2800, false},
    {"Phase", "ScrollBar_dphase_M", "Edit_dphase_M", "Label_dphase_M", Reg::PHASEM, Reg::PHASEP, 0, 31, 16, 4, false, 0, 255, false},
    {"H. zoom pos", "ScrollBar_hpos_zoom_M", "Edit_hpos_zoom_M", "Label_hpos_zoom_M", Reg::ZMHPM, Reg::ZMHPP, 0, 255, 128, 10, false, 0, 255, true},
    {"V. zoom pos", "ScrollBar_vpos_zoom_M", "Edit_vpos_zoom_M", "Label_vpos_zoom_M", Reg::ZMVPM, Reg::ZMVPP, 0, 255, 128, 10, false, 0, 255, true},
    {"H. zoom size", "ScrollBar_hsiz_zoom_M", "Edit_hsiz_zoom_M", "Label_hsiz_zoom_M", Reg::ZMHSZM, Reg::ZMHSZP, 0, 255, 128, 10, false, 0, 255, true},
    {"V. zoom size", "ScrollBar_vsiz_zoom_M", "Edit_vsiz_zoom_M", "Label_vsiz_zoom_M", Reg::ZMVSZM, Reg::ZMVSZP, 0, 255, 128, 10, false, 0, 255, true},
}};

// Signal types whose clock, phase is not adjustable.
bool noClock(int64_t t) { return t == 6 || t == 9 || t == 10 || t == 11 || t == 12 || t == 13; }
bool noPhase(int64_t t) { return t == 6 || t == 9 || t == 11 || t == 12 || t == 13; }
}  // namespace

QString TImagePanel::name(const char* mainName) const {
  QString s = QString::fromLatin1(mainName);
  if (output_ == 2) s.replace(QStringLiteral("_M"), QStringLiteral("_P"));
  return s;
}

TImagePanel::TImagePanel(TSignalContext& ctx, int output, QWidget* page)
    : QObject(page), ctx_(ctx), output_(output), page_(page) {
  const bool main = output == 1;
  pages_ = new QTabWidget(page);
  pages_->setObjectName(main ? QStringLiteral("PageControl_image_Main") : QStringLiteral("PageControl_image_Preview"));
  normalPage_ = new QWidget();
  normalPage_->setObjectName(main ? QStringLiteral("TabSheet_image_normal_Main")
                                  : QStringLiteral("TabSheet_image_normal_Preview"));
  zoomPage_ = new QWidget();
  zoomPage_->setObjectName(main ? QStringLiteral("TabSheet_image_zoom_Main") : QStringLiteral("TabSheet_image_zoom_Preview"));
  pages_->addTab(normalPage_, QStringLiteral("Image"));
  pages_->addTab(zoomPage_, QStringLiteral("Zoom"));
  pages_->setTabVisible(1, false);

  auto* normalRow = new QHBoxLayout(normalPage_);
  auto* grid = new QGridLayout();
  normalRow->addLayout(grid, 1);
  auto* zoomGrid = new QGridLayout(zoomPage_);
  int normalLine = 0;
  int zoomLine = 0;
  for (int f = 0; f < FamilyCount; ++f) {
    const FamilyRow& s = kFamilies[static_cast<size_t>(f)];
    QWidget* parent = s.zoom ? zoomPage_ : normalPage_;
    Row& row = rows_[static_cast<size_t>(f)];
    row.caption = new QLabel(QString::fromLatin1(s.caption), parent);
    row.caption->setObjectName(name(s.captionName));
    row.bar = new QScrollBar(Qt::Horizontal, parent);
    row.bar->setObjectName(name(s.barName));
    row.bar->setRange(s.barMin, s.barMax);
    row.bar->setValue(s.barStart);
    row.bar->setPageStep(s.largeStep);
    row.bar->setMinimumWidth(200);
    row.field = new QLineEdit(parent);
    row.field->setObjectName(name(s.fieldName));
    row.field->setMaximumWidth(60);
    QGridLayout* g = s.zoom ? zoomGrid : grid;
    const int line = s.zoom ? zoomLine++ : normalLine++;
    g->addWidget(row.caption, line, 0);
    g->addWidget(row.bar, line, 1);
    g->addWidget(row.field, line, 2);

    const int reg = main ? s.regM : s.regP;
    TAdjustTriple*& t = triples_[reg];
    if (!t) t = new TAdjustTriple(ctx_, reg, s.converted, s.acceptMin, s.acceptMax, this);
    t->addView(row.bar, row.field);
  }

  auto* side = new QVBoxLayout();
  normalRow->addLayout(side);
  aspect_ = new TRadioGroup(QStringLiteral("Aspect"),
                            {QStringLiteral("4/3 standard"), QStringLiteral("Letter box"),
                             QStringLiteral("WS Anamorphic"), QStringLiteral("Zoom")},
                            normalPage_);
  aspect_->setObjectName(main ? QStringLiteral("RadioGroup_IASPM") : QStringLiteral("RadioGroup_IASPP"));
  connect(aspect_, &TRadioGroup::itemClicked, this, [this](int i) { RadioGroup_IASPClick(i); });
  side->addWidget(aspect_);
  overUnder_ = new TRadioGroup(QString(), {QStringLiteral("Under scan"), QStringLiteral("Over scan")}, normalPage_);
  overUnder_->setObjectName(name("RadioGroup_over_under_scan_M"));
  connect(overUnder_, &TRadioGroup::itemClicked, this, [this](int i) { RadioGroup_over_under_scanClick(i); });
  side->addWidget(overUnder_);
  process_ = new QComboBox(normalPage_);
  process_->setObjectName(name("ComboBox_process_M"));
  process_->addItem(QStringLiteral("Std processing picture"));
  for (int level = 1; level <= 7; ++level) process_->addItem(QStringLiteral("Level %1 processing picture").arg(level));
  connect(process_, &QComboBox::activated, this, [this](int i) { ComboBox_processChange(i); });
  side->addWidget(process_);
  alignment_ = new QPushButton(QStringLiteral("Centering"), normalPage_);
  alignment_->setObjectName(name("BitBtn_alignment_M"));
  connect(alignment_, &QPushButton::clicked, this, [this] { BitBtn_alignmentClick(); });
  side->addWidget(alignment_);
  preset_ = new QPushButton(QStringLiteral("Preset"), normalPage_);
  preset_->setObjectName(name("BitBtn_preset_M"));
  connect(preset_, &QPushButton::clicked, this, [this] { BitBtn_presetClick(); });
  side->addWidget(preset_);
  store_ = new QPushButton(QStringLiteral("Store"), normalPage_);
  store_->setObjectName(name("BitBtn_Store_M"));
  connect(store_, &QPushButton::clicked, this, [this] { BitBtn_StoreClick(); });
  side->addWidget(store_);
  store_->hide();
  recall_ = new QPushButton(QStringLiteral("Recall"), normalPage_);
  recall_->setObjectName(name("BitBtn_Recall_M"));
  side->addWidget(recall_);
  recall_->hide();
  hSmooth_ = new QToolButton(normalPage_);
  hSmooth_->setObjectName(name("SpeedButton_H_smooth_M"));
  hSmooth_->setText(QStringLiteral("H. smooth"));
  hSmooth_->hide();
  vSmooth_ = new QToolButton(normalPage_);
  vSmooth_->setObjectName(name("SpeedButton_V_smooth_M"));
  vSmooth_->setText(QStringLiteral("V. smooth"));
  vSmooth_->hide();
  side->addStretch(1);

  addToPage(page, pages_);

  // The seamless-mode cover lies over the whole tab.
  notAvailable_ = new QWidget(page);
  notAvailable_->setObjectName(name("Panel_notavailble_M"));
  notAvailable_->setAutoFillBackground(true);
  auto* coverLayout = new QVBoxLayout(notAvailable_);
  auto* notice = new QLabel(QStringLiteral("Not available for the referenced input (SEAMLESS mode)"), notAvailable_);
  notice->setObjectName(name("Label5_M"));
  notice->setAlignment(Qt::AlignCenter);
  coverLayout->addWidget(notice);
  notAvailable_->setGeometry(0, 0, page->width(), page->height());
  notAvailable_->hide();
  page->installEventFilter(this);
}

bool TImagePanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == page_ && event->type() == QEvent::Resize)
    notAvailable_->setGeometry(0, notAvailable_->y(), page_->width(), page_->height());
  return false;
}

TAdjustTriple* TImagePanel::triple(int reg) const {
  const auto it = triples_.find(reg);
  return it == triples_.end() ? nullptr : it->second;
}

void TImagePanel::attachCopy(int reg, QScrollBar* bar, QLineEdit* field) {
  if (TAdjustTriple* t = triple(reg)) t->addView(bar, field);
}

// ------------------------------------------------------------ operator

void TImagePanel::RadioGroup_IASPClick(int position) {
  if (position < 0) return;
  ctx_.link->SendRegister(r(Reg::IASPM, Reg::IASPP), static_cast<uint32_t>(position));
}

void TImagePanel::RadioGroup_over_under_scanClick(int position) {
  if (position < 0) return;
  ctx_.link->SendRegister(r(Reg::OVERM, Reg::OVERP), position == 1 ? 1u : 0u);
}

void TImagePanel::ComboBox_processChange(int position) {
  if (position < 0) return;
  ctx_.link->SendRegister(r(Reg::PROCM, Reg::PROCP), static_cast<uint32_t>(position));
}

void TImagePanel::BitBtn_alignmentClick() { ctx_.link->SendRegister(r(Reg::AUTOCADM, Reg::AUTOCADP), 1); }
void TImagePanel::BitBtn_presetClick() { ctx_.link->SendRegister(r(Reg::PRESETM, Reg::PRESETP), 1); }
void TImagePanel::BitBtn_StoreClick() { ctx_.link->setSTORE(true); }

// ------------------------------------------------------------ reports

void TImagePanel::Zelvan_d1IASPchange() {
  const uint32_t a = ctx_.link->registerValue(r(Reg::IASPM, Reg::IASPP));
  aspect_->setItemIndex(a <= 3 ? static_cast<int>(a) : -1);
  if (TKeyingPeer* keying = ctx_.peers.keying) keying->refreshLogoFraming(output_);
  if (a != 3) pages_->setCurrentWidget(normalPage_);
  pages_->setTabVisible(1, a == 3);
}

void TImagePanel::Zelvan_d1OVERchange() {
  overUnder_->setItemIndex(ctx_.link->registerValue(r(Reg::OVERM, Reg::OVERP)) ? 1 : 0);
}

void TImagePanel::Zelvan_d1PROCchange() {
  const uint32_t p = ctx_.link->registerValue(r(Reg::PROCM, Reg::PROCP));
  const QSignalBlocker block(process_);
  process_->setCurrentIndex(p < static_cast<uint32_t>(process_->count()) ? static_cast<int>(p) : -1);
}

void TImagePanel::Zelvan_d1STOREchange() { ctx_.host->setStoringLabelVisible(ctx_.link->STORE()); }

void TImagePanel::adjustmentReported(int reg) {
  if (TAdjustTriple* t = triple(reg)) t->Changed();
}

// ------------------------------------------------------------ layout

void TImagePanel::showFamily(Family f, bool enabled) {
  const Row& row = rows_[f];
  for (QWidget* w : {static_cast<QWidget*>(row.caption), static_cast<QWidget*>(row.bar),
                     static_cast<QWidget*>(row.field)}) {
    w->setEnabled(enabled);
    w->setVisible(true);
  }
}

void TImagePanel::showVideo(bool hue, bool enabled) {
  showFamily(Brightness, enabled);
  showFamily(Contrast, enabled);
  showFamily(Color, enabled);
  if (hue) showFamily(Hue, enabled);
}

void TImagePanel::showRgb(bool enabled) {
  showFamily(BlackLevel, enabled);
  showFamily(RedLevel, enabled);
  showFamily(GreenLevel, enabled);
  showFamily(BlueLevel, enabled);
}

bool TImagePanel::familyShown(Family f) const { return !rows_[f].bar->isHidden(); }
bool TImagePanel::familyEnabled(Family f) const { return rows_[f].bar->isEnabled(); }

void TImagePanel::layoutBySignal() {
  for (Family f : {Brightness, BlackLevel, Contrast, Color, Hue, RedLevel, GreenLevel, BlueLevel, Clock, Phase}) {
    const Row& row = rows_[f];
    for (QWidget* w : {static_cast<QWidget*>(row.caption), static_cast<QWidget*>(row.bar),
                       static_cast<QWidget*>(row.field)}) {
      w->setEnabled(true);
      w->setVisible(false);
    }
  }
  vSmooth_->setEnabled(false);
  overUnder_->setEnabled(false);
  process_->setEnabled(false);

  TSignalStatus* status = output_ == 1 ? ctx_.statusM : ctx_.statusP;
  const int64_t t = status ? status->signalType() : 0;
  const bool present = ctx_.link->registerValue(r(Reg::IPSIGM, Reg::IPSIGP)) != 0;
  const bool outOfRange = ctx_.link->registerValue(r(Reg::IOORM, Reg::IOORP)) != 0;
  auto lists = [this](bool enabled) {
    overUnder_->setEnabled(enabled);
    process_->setEnabled(enabled);
  };
  if (present && !outOfRange) {
    const uint32_t fam = ctx_.link->registerValue(r(Reg::IFAMM, Reg::IFAMP));
    if (fam == 2) {
      showVideo(true, true);
      lists(true);
      alignment_->setText(QStringLiteral("Reset"));
    } else if (fam >= 3 && fam <= 10) {
      showVideo(false, true);
      lists(true);
      alignment_->setText(QStringLiteral("Reset"));
    } else if ((fam >= 11 && fam <= 24) || fam == 41 || fam == 42) {
      showRgb(true);
      if (!noClock(t)) showFamily(Clock, true);
      if (!noPhase(t)) showFamily(Phase, true);
      lists(false);
      alignment_->setText(QStringLiteral("Centering"));
    } else if (fam >= 25 && fam <= 30) {
      showVideo(false, true);
      if (!noClock(t)) showFamily(Clock, true);
      if (!noPhase(t)) showFamily(Phase, true);
      lists(false);
      alignment_->setText(QStringLiteral("Centering"));
    } else {
      lists(false);
    }
  } else {
    if ((t >= 0 && t <= 6) || t == 13) {
      showVideo(true, false);
      lists(true);
    } else if (t == 7 || t == 8) {
      showRgb(false);
      showFamily(Clock, false);
      showFamily(Phase, false);
      lists(false);
    } else if (t == 9) {
      showRgb(false);
      lists(false);
    } else if (t == 10) {
      showVideo(false, false);
      showFamily(Phase, false);
      lists(false);
    } else if (t == 11 || t == 12) {
      showVideo(false, false);
      lists(false);
    }
  }
  vSmooth_->setEnabled(false);
}

void TImagePanel::notAvailable() {
  const uint32_t in = ctx_.link->registerValue(r(Reg::ICHM, Reg::ICHP));
  const uint32_t ref = ctx_.link->registerValue(r(Reg::REFSTAM, Reg::REFSTAP));
  const bool covered = (in == 1 && ref == 9) || (in == 8 && ref == 10);
  notAvailable_->setVisible(covered);
  if (covered) notAvailable_->raise();
  if (TSettingsPeer* settings = ctx_.peers.settings) settings->setSettingsNotAvailable(output_, covered);
}

}  // namespace zelvan::signal

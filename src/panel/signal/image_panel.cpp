#include "panel/signal/image_panel.h"

#include "device/twins.h"

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
  TwinName barName;
  TwinName fieldName;
  TwinName captionName;
  int OutputRegs::*reg;
  int barMin, barMax, barStart, largeStep;
  bool converted;
  int acceptMin, acceptMax;
  bool zoom;
};

const std::array<FamilyRow, TImagePanel::FamilyCount> kFamilies = {{
    {"H. pos", {"ScrollBar_hpos_M_video", "ScrollBar_hpos_P_video"}, {"Edit_hpos_M", "Edit_hpos_P"}, {"Label_hpos_M", "Label_hpos_P"}, &OutputRegs::HPOS, 0, 255, 128, 10, true, -128, 127, false},
    {"V. pos", {"ScrollBar_vpos_M_video", "ScrollBar_vpos_P_video"}, {"Edit_vpos_M", "Edit_vpos_P"}, {"Label_vpos_M", "Label_vpos_P"}, &OutputRegs::VPOS, 0, 255, 128, 10, true, -128, 127, false},
    {"H. size", {"ScrollBar_hsiz_M_video", "ScrollBar_hsiz_P_video"}, {"Edit_hsize_M", "Edit_hsize_P"}, {"Label_hsize_M", "Label_hsize_P"}, &OutputRegs::HSIZ, 0, 255, 128, 10, false, 0, 255, false},
    {"V. size", {"ScrollBar_vsiz_M_video", "ScrollBar_vsiz_P_video"}, {"Edit_vsize_M", "Edit_vsize_P"}, {"Label_vsize_M", "Label_vsize_P"}, &OutputRegs::VSIZ, 0, 255, 128, 10, false, 0, 255, false},
    {"Brightness", {"ScrollBar_brightness_M", "ScrollBar_brightness_P"}, {"Edit_brightness_M", "Edit_brightness_P"}, {"Label_brightness_M", "Label_brightness_P"}, &OutputRegs::BRGT, 0, 255, 128, 10, true, -128, 127, false},
    {"Black level", {"ScrollBar_blacklevel_M", "ScrollBar_blacklevel_P"}, {"Edit_blacklevel_M", "Edit_blacklevel_P"}, {"Label_blacklevel_M", "Label_blacklevel_P"}, &OutputRegs::BRGT, 0, 255, 128, 10, true, -128, 127, false},
    {"Contrast", {"ScrollBar_contrast_M", "ScrollBar_contrast_P"}, {"Edit_contrast_M", "Edit_contrast_P"}, {"Label_contrast_M", "Label_contrast_P"}, &OutputRegs::CONTR, 0, 255, 128, 10, true, -128, 127, false},
    {"Color", {"ScrollBar_color_M", "ScrollBar_color_P"}, {"Edit_color_M", "Edit_color_P"}, {"Label_color_M", "Label_color_P"}, &OutputRegs::COLOR, 0, 255, 128, 10, true, -128, 127, false},
    {"Hue (NTSC)", {"ScrollBar_hue_M", "ScrollBar_hue_P"}, {"Edit_hue_M", "Edit_hue_P"}, {"Label_hue_M", "Label_hue_P"}, &OutputRegs::HUE, 0, 255, 128, 10, false, 0, 255, false},
    {"Red level", {"ScrollBar_redlevel_M", "ScrollBar_redlevel_P"}, {"Edit_redlevel_M", "Edit_redlevel_P"}, {"Label_redlevel_M", "Label_redlevel_P"}, &OutputRegs::RLV, 0, 255, 128, 10, true, -128, 127, false},
    {"Green level", {"ScrollBar_greenlevel_M", "ScrollBar_greenlevel_P"}, {"Edit_greenlevel_M", "Edit_greenlevel_P"}, {"Label_greenlevel_M", "Label_greenlevel_P"}, &OutputRegs::GLV, 0, 255, 128, 10, true, -128, 127, false},
    {"Blue level", {"ScrollBar_bluelevel_M", "ScrollBar_bluelevel_P"}, {"Edit_bluelevel_M", "Edit_bluelevel_P"}, {"Label_bluelevel_M", "Label_bluelevel_P"}, &OutputRegs::BLV, 0, 255, 128, 10, true, -128, 127, false},
    {"Clk", {"ScrollBar_clock_M", "ScrollBar_clock_P"}, {"Edit_clock_M", "Edit_clock_P"}, {"Label_clock_M", "Label_clock_P"}, &OutputRegs::DIV, 512, 2800, 1656, 10, false, 512, 2800, false},
    {"Phase", {"ScrollBar_dphase_M", "ScrollBar_dphase_P"}, {"Edit_dphase_M", "Edit_dphase_P"}, {"Label_dphase_M", "Label_dphase_P"}, &OutputRegs::PHASE, 0, 31, 16, 4, false, 0, 255, false},
    {"H. zoom pos", {"ScrollBar_hpos_zoom_M", "ScrollBar_hpos_zoom_P"}, {"Edit_hpos_zoom_M", "Edit_hpos_zoom_P"}, {"Label_hpos_zoom_M", "Label_hpos_zoom_P"}, &OutputRegs::ZMHP, 0, 255, 128, 10, false, 0, 255, true},
    {"V. zoom pos", {"ScrollBar_vpos_zoom_M", "ScrollBar_vpos_zoom_P"}, {"Edit_vpos_zoom_M", "Edit_vpos_zoom_P"}, {"Label_vpos_zoom_M", "Label_vpos_zoom_P"}, &OutputRegs::ZMVP, 0, 255, 128, 10, false, 0, 255, true},
    {"H. zoom size", {"ScrollBar_hsiz_zoom_M", "ScrollBar_hsiz_zoom_P"}, {"Edit_hsiz_zoom_M", "Edit_hsiz_zoom_P"}, {"Label_hsiz_zoom_M", "Label_hsiz_zoom_P"}, &OutputRegs::ZMHSZ, 0, 255, 128, 10, false, 0, 255, true},
    {"V. zoom size", {"ScrollBar_vsiz_zoom_M", "ScrollBar_vsiz_zoom_P"}, {"Edit_vsiz_zoom_M", "Edit_vsiz_zoom_P"}, {"Label_vsiz_zoom_M", "Label_vsiz_zoom_P"}, &OutputRegs::ZMVSZ, 0, 255, 128, 10, false, 0, 255, true},
}};

// Signal types whose clock, phase is not adjustable.
bool noClock(int64_t t) { return t == 6 || t == 9 || t == 10 || t == 11 || t == 12 || t == 13; }
bool noPhase(int64_t t) { return t == 6 || t == 9 || t == 11 || t == 12 || t == 13; }
}  // namespace

QString TImagePanel::name(const TwinName& n) const { return QString::fromLatin1(n.of(output_)); }

TImagePanel::TImagePanel(TSignalContext& ctx, int output, QWidget* page)
    : QObject(page), ctx_(ctx), output_(output), regs_(regs(output)), page_(page) {
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

    const int reg = regs_.*s.reg;
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
  overUnder_->setObjectName(name({"RadioGroup_over_under_scan_M", "RadioGroup_over_under_scan_P"}));
  connect(overUnder_, &TRadioGroup::itemClicked, this, [this](int i) { RadioGroup_over_under_scanClick(i); });
  side->addWidget(overUnder_);
  process_ = new QComboBox(normalPage_);
  process_->setObjectName(name({"ComboBox_process_M", "ComboBox_process_P"}));
  process_->addItem(QStringLiteral("Std processing picture"));
  for (int level = 1; level <= 7; ++level) process_->addItem(QStringLiteral("Level %1 processing picture").arg(level));
  connect(process_, &QComboBox::activated, this, [this](int i) { ComboBox_processChange(i); });
  side->addWidget(process_);
  alignment_ = new QPushButton(QStringLiteral("Centering"), normalPage_);
  alignment_->setObjectName(name({"BitBtn_alignment_M", "BitBtn_alignment_P"}));
  connect(alignment_, &QPushButton::clicked, this, [this] { BitBtn_alignmentClick(); });
  side->addWidget(alignment_);
  preset_ = new QPushButton(QStringLiteral("Preset"), normalPage_);
  preset_->setObjectName(name({"BitBtn_preset_M", "BitBtn_preset_P"}));
  connect(preset_, &QPushButton::clicked, this, [this] { BitBtn_presetClick(); });
  side->addWidget(preset_);
  store_ = new QPushButton(QStringLiteral("Store"), normalPage_);
  store_->setObjectName(name({"BitBtn_Store_M", "BitBtn_Store_P"}));
  connect(store_, &QPushButton::clicked, this, [this] { BitBtn_StoreClick(); });
  side->addWidget(store_);
  store_->hide();
  recall_ = new QPushButton(QStringLiteral("Recall"), normalPage_);
  recall_->setObjectName(name({"BitBtn_Recall_M", "BitBtn_Recall_P"}));
  side->addWidget(recall_);
  recall_->hide();
  hSmooth_ = new QToolButton(normalPage_);
  hSmooth_->setObjectName(name({"SpeedButton_H_smooth_M", "SpeedButton_H_smooth_P"}));
  hSmooth_->setText(QStringLiteral("H. smooth"));
  hSmooth_->hide();
  vSmooth_ = new QToolButton(normalPage_);
  vSmooth_->setObjectName(name({"SpeedButton_V_smooth_M", "SpeedButton_V_smooth_P"}));
  vSmooth_->setText(QStringLiteral("V. smooth"));
  vSmooth_->hide();
  side->addStretch(1);

  addToPage(page, pages_);

  // The seamless-mode cover lies over the whole tab.
  notAvailable_ = new QWidget(page);
  notAvailable_->setObjectName(name({"Panel_notavailble_M", "Panel_notavailble_P"}));
  notAvailable_->setAutoFillBackground(true);
  auto* coverLayout = new QVBoxLayout(notAvailable_);
  auto* notice = new QLabel(QStringLiteral("Not available for the referenced input (SEAMLESS mode)"), notAvailable_);
  notice->setObjectName(name({"Label5_M", "Label5_P"}));
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
  ctx_.link->SendRegister(regs_.IASP, static_cast<uint32_t>(position));
}

void TImagePanel::RadioGroup_over_under_scanClick(int position) {
  if (position < 0) return;
  ctx_.link->SendRegister(regs_.OVER, position == 1 ? 1u : 0u);
}

void TImagePanel::ComboBox_processChange(int position) {
  if (position < 0) return;
  ctx_.link->SendRegister(regs_.PROC, static_cast<uint32_t>(position));
}

void TImagePanel::BitBtn_alignmentClick() { ctx_.link->SendRegister(regs_.AUTOCAD, 1); }
void TImagePanel::BitBtn_presetClick() { ctx_.link->SendRegister(regs_.PRESET, 1); }
void TImagePanel::BitBtn_StoreClick() { ctx_.link->setSTORE(true); }

// ------------------------------------------------------------ reports

void TImagePanel::Zelvan_d1IASPchange() {
  const uint32_t a = ctx_.link->registerValue(regs_.IASP);
  aspect_->setItemIndex(a <= 3 ? static_cast<int>(a) : -1);
  if (TKeyingPeer* keying = ctx_.peers.keying) keying->refreshLogoFraming(output_);
  if (a != 3) pages_->setCurrentWidget(normalPage_);
  pages_->setTabVisible(1, a == 3);
}

void TImagePanel::Zelvan_d1OVERchange() {
  overUnder_->setItemIndex(ctx_.link->registerValue(regs_.OVER) ? 1 : 0);
}

void TImagePanel::Zelvan_d1PROCchange() {
  const uint32_t p = ctx_.link->registerValue(regs_.PROC);
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
  const bool present = ctx_.link->registerValue(regs_.IPSIG) != 0;
  const bool outOfRange = ctx_.link->registerValue(regs_.IOOR) != 0;
  auto lists = [this](bool enabled) {
    overUnder_->setEnabled(enabled);
    process_->setEnabled(enabled);
  };
  if (present && !outOfRange) {
    const uint32_t fam = ctx_.link->registerValue(regs_.IFAM);
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
  const uint32_t in = ctx_.link->registerValue(regs_.ICH);
  const uint32_t ref = ctx_.link->registerValue(regs_.REFSTA);
  const bool covered = (in == 1 && ref == 9) || (in == 8 && ref == 10);
  notAvailable_->setVisible(covered);
  if (covered) notAvailable_->raise();
  if (TSettingsPeer* settings = ctx_.peers.settings) settings->setSettingsNotAvailable(output_, covered);
}

}  // namespace zelvan::signal

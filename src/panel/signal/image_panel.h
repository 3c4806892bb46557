// The "Image main" / "Image preview" tab: picture adjustments of the input
// now on an output (position, size, brightness or black level, contrast,
// colour, hue, red/green/blue levels, clock, phase, zoom window), aspect,
// under/over scan, processing level, centering and preset, the layout that
// offers only the adjustments the decoded signal allows, and the cover
// shown over the tab for the seamless-mode reference input.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <map>

#include "device/twins.h"
#include "panel/signal/signal_common.h"
#include "panel/signal/signal_context.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTabWidget;
class QToolButton;
class QWidget;

namespace zelvan::signal {

class TAdjustTriple;
class TRadioGroup;

class TImagePanel : public QObject {
  Q_OBJECT

 public:
  // Adjustment families in table order.
  enum Family {
    HPos, VPos, HSize, VSize, Brightness, BlackLevel, Contrast, Color, Hue, RedLevel, GreenLevel, BlueLevel,
    Clock, Phase, HZoomPos, VZoomPos, HZoomSize, VZoomSize, FamilyCount
  };

  TImagePanel(TSignalContext& ctx, int output, QWidget* page);

  int output() const { return output_; }

  // ---- Controls ----
  QScrollBar* bar(Family f) const { return rows_[f].bar; }
  QLineEdit* field(Family f) const { return rows_[f].field; }
  QLabel* caption(Family f) const { return rows_[f].caption; }
  // The triple of a register (HPOSM ... ZMVSZM or the Preview twins).
  TAdjustTriple* triple(int reg) const;
  // Second copies of a register's bar and field elsewhere (logo tabs):
  // they share the handlers and follow the reports.
  void attachCopy(int reg, QScrollBar* bar, QLineEdit* field);

  QTabWidget* pageControl() const { return pages_; }
  QWidget* TabSheet_image_normal() const { return normalPage_; }
  QWidget* TabSheet_image_zoom() const { return zoomPage_; }
  TRadioGroup* RadioGroup_IASP() const { return aspect_; }
  TRadioGroup* RadioGroup_over_under_scan() const { return overUnder_; }
  QComboBox* ComboBox_process() const { return process_; }
  QPushButton* BitBtn_alignment() const { return alignment_; }
  QPushButton* BitBtn_preset() const { return preset_; }
  QPushButton* BitBtn_Store() const { return store_; }
  QPushButton* BitBtn_Recall() const { return recall_; }
  QToolButton* SpeedButton_H_smooth() const { return hSmooth_; }
  QToolButton* SpeedButton_V_smooth() const { return vSmooth_; }
  QWidget* Panel_notavailble() const { return notAvailable_; }

  // ---- Operator handlers ----
  void RadioGroup_IASPClick(int position);
  void RadioGroup_over_under_scanClick(int position);
  void ComboBox_processChange(int position);
  void BitBtn_alignmentClick();
  void BitBtn_presetClick();
  void BitBtn_StoreClick();

  // ---- Report handlers ----
  void Zelvan_d1IASPchange();
  void Zelvan_d1OVERchange();
  void Zelvan_d1PROCchange();
  void Zelvan_d1STOREchange();
  // Any adjustment register of this output.
  void adjustmentReported(int reg);

  // Layout by the decoded signal (second half of signal_M, prgbi_et_ifamm).
  void layoutBySignal();
  // The seamless-mode cover of this output.
  void notAvailable();

  // Whether the family's row is offered (shown) and usable (enabled).
  bool familyShown(Family f) const;
  bool familyEnabled(Family f) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Row {
    QLabel* caption = nullptr;
    QScrollBar* bar = nullptr;
    QLineEdit* field = nullptr;
  };
  QString name(const TwinName& n) const;
  void showFamily(Family f, bool enabled);
  void showVideo(bool hue, bool enabled);
  void showRgb(bool enabled);

  TSignalContext& ctx_;
  int output_;
  const OutputRegs& regs_;
  std::array<Row, FamilyCount> rows_{};
  std::map<int, TAdjustTriple*> triples_;
  QTabWidget* pages_ = nullptr;
  QWidget* normalPage_ = nullptr;
  QWidget* zoomPage_ = nullptr;
  TRadioGroup* aspect_ = nullptr;
  TRadioGroup* overUnder_ = nullptr;
  QComboBox* process_ = nullptr;
  QPushButton* alignment_ = nullptr;
  QPushButton* preset_ = nullptr;
  QPushButton* store_ = nullptr;
  QPushButton* recall_ = nullptr;
  QToolButton* hSmooth_ = nullptr;
  QToolButton* vSmooth_ = nullptr;
  QWidget* notAvailable_ = nullptr;
  QWidget* page_ = nullptr;
};

}  // namespace zelvan::signal

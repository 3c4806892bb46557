// The Output tab: output format and rate of both outputs (the output 2
// group belongs to the Matrix settings window and is built here for it),
// the frame reference each output follows with its status rows, output
// sync, test pattern and screen shape.
#pragma once

#include <QObject>
#include <QString>

#include "panel/signal/signal_context.h"

class QGroupBox;
class QHBoxLayout;
class QLabel;
class QMenu;
class QWidget;
class TSmallCombo;

namespace zelvan::signal {

class TOutputFormatSide;
class TRadioGroup;

class TOutputPanel : public QObject {
  Q_OBJECT

 public:
  // Main controls go on the Output page; the output 2 group into
  // `output2Parent` (kept hidden in a holder of its own when nullptr).
  TOutputPanel(TSignalContext& ctx, QWidget* outputPage, QWidget* output2Parent);

  TOutputFormatSide* side(int output) const { return output == 1 ? main_ : preview_; }

  // ---- Controls ----
  // The blocks the Matrix layout moves to the settings window's OUTPUT tab
  // are GroupBox_Output (with its format and rate captions), the two sync
  // and two test-pattern groups and the screen group; they sit in rows of
  // their own: GroupBox_Output in formatRow(), the radio groups in
  // Panel_output_radios (sync, sync, screen; then pattern, pattern).
  QGroupBox* GroupBox_Output() const { return outputGroup_; }
  // The Output page's first row; nullptr when the page is not laid out by a
  // box layout (GroupBox_Output is then added to the page's layout alone).
  QHBoxLayout* formatRow() const { return formatRow_; }
  QGroupBox* GroupBox_Output2() const { return output2Group_; }
  QLabel* Label_Output_format() const { return formatCaption_; }
  QLabel* Label_Output_rate() const { return rateCaption_; }
  QMenu* PopupMenu_OUTPUT_RATE() const { return outputRateMenu_; }
  TSmallCombo* reference_trame_voulue() const { return refMain_; }
  TSmallCombo* reference_trame_Preview_voulue() const { return refPreview_; }
  QLabel* StaticText_REFREQM() const { return refStateMain_; }
  QLabel* StaticText_REFREQP() const { return refStatePreview_; }
  QLabel* RefreqM_Label_no_signal_Main_refreq() const { return noSignalMain_; }
  QLabel* RefreqP_Label_no_signal_Preview_refreq() const { return noSignalPreview_; }
  TRadioGroup* LMDRadioGroup_osyn(int output) const { return output == 1 ? syncMain_ : syncPreview_; }
  TRadioGroup* LMDRadioGroup_test_pattern(int output) const { return output == 1 ? patternMain_ : patternPreview_; }
  TRadioGroup* LMDRadioGroup_typeofscreen() const { return screenMain_; }
  TRadioGroup* LMDRadioGroup_typeofscreen_preview() const { return screenPreview_; }

  // ---- Operator handlers ----
  void reference_trame_voulueClick();
  void reference_trame_Preview_voulueClick();
  void LMDRadioGroup_osynClick(int output, int position);
  void LMDRadioGroup_test_patternClick(int output, int position);
  void LMDRadioGroup_typeofscreenClick(int output, int position);

  // ---- Report handlers (output 1 or 2) ----
  void Zelvan_d1OFMTchange(int output);
  void Zelvan_d1REFREQchange(int output);
  void Zelvan_d1REFSTAchange(int output);
  void Zelvan_d1REFFAMchange(int output) { input_ref(output); }
  void Zelvan_d1REFFRQchange(int output) { input_ref(output); }
  void Zelvan_d1OSYNCchange(int output);
  void Zelvan_d1OPATchange(int output);
  void Zelvan_d1OSCREENchange(int output);

  // ---- Routines ----
  void input_ref(int output);  // input_ref_M / input_ref_P
  void Difference_entre_REFREQ_et_REFSTA();
  void Gestion_ComboBox_freq();
  // Name of a reference: "Internal Rate" or the input button's caption.
  QString referenceName(uint32_t reference) const;

 private:
  uint32_t val(int reg) const;

  TSignalContext& ctx_;
  TOutputFormatSide* main_ = nullptr;
  TOutputFormatSide* preview_ = nullptr;
  QGroupBox* outputGroup_ = nullptr;
  QHBoxLayout* formatRow_ = nullptr;
  QGroupBox* output2Group_ = nullptr;
  QLabel* formatCaption_ = nullptr;
  QLabel* rateCaption_ = nullptr;
  QMenu* outputRateMenu_ = nullptr;
  TSmallCombo* refMain_ = nullptr;
  TSmallCombo* refPreview_ = nullptr;
  QLabel* refStateMain_ = nullptr;
  QLabel* refStatePreview_ = nullptr;
  QLabel* noSignalMain_ = nullptr;
  QLabel* noSignalPreview_ = nullptr;
  TRadioGroup* syncMain_ = nullptr;
  TRadioGroup* syncPreview_ = nullptr;
  TRadioGroup* patternMain_ = nullptr;
  TRadioGroup* patternPreview_ = nullptr;
  TRadioGroup* screenMain_ = nullptr;
  TRadioGroup* screenPreview_ = nullptr;
};

}  // namespace zelvan::signal

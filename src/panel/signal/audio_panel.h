// The Audio tab (Panel_audio): audio input routed to each output or
// automatic routing, master volume, mute, auxiliary mute and mono/stereo
// per output ("Main" and "Prelist"), and the level and balance of each of
// the eight audio inputs. Level and balance are per-channel registers
// addressed through PCHAN; a drag selects its channel once, at its start,
// and the balance bars are paced so that one command waits for its answer.
#pragma once

#include <QObject>
#include <array>

#include "panel/signal/signal_common.h"
#include "panel/signal/signal_context.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;
class QToolButton;
class QWidget;
class TTamponVar;

namespace zelvan::signal {

class TAdjustTriple;

class TAudioPanel : public QObject {
  Q_OBJECT

 public:
  TAudioPanel(TSignalContext& ctx, QWidget* audioPage);

  // ---- Controls (output 1 = Main, 2 = Prelist; input n = 1..8) ----
  QWidget* Panel_audio() const { return panel_; }
  QRadioButton* Radiobutton_audio_ACHAN(int output, int n) const;
  QRadioButton* LMDRadioButton_AMODE(int output) const { return side(output).automatic; }
  QScrollBar* ScrollBar_AMAST(int output) const { return side(output).masterBar; }
  QLineEdit* Edit_AMAST(int output) const { return side(output).masterField; }
  QToolButton* SpeedButton_AMUTE(int output) const { return side(output).mute; }
  QToolButton* SpeedButton_AAUXM(int output) const { return side(output).auxMute; }
  QToolButton* SpeedButton_AMONO(int output) const { return side(output).mono; }
  QScrollBar* ScrollBar_ALEV_PCHAN(int n) const { return levelBars_[idx(n)]; }
  QLineEdit* Edit_ALEV_PCHAN(int n) const { return levelFields_[idx(n)]; }
  QScrollBar* ScrollBar_ABAL_PCHAN(int n) const { return balanceBars_[idx(n)]; }
  QLineEdit* Edit_ABAL_PCHAN(int n) const { return balanceFields_[idx(n)]; }
  QLabel* Label_Audio(int n) const { return labels_[idx(n)]; }
  TTamponVar* Tamponvar_ABAL() const { return tampon_; }
  TAdjustTriple* masterTriple(int output) const { return side(output).master; }
  bool audioChannelFlag() const { return channelFlag_; }

  // ---- Operator handlers ----
  void Radiobutton_audio_ACHAN_MouseUp(int output, int tag);
  void LMDRadioButton_AMODEMouseUp(int output);
  void SpeedButton_AMUTEClick(int output);
  void SpeedButton_AAUXMClick(int output);
  void SpeedButton_AMONOClick(int output);
  void ScrollBar_ALEV_PCHANScroll(int n, TScrollCode code, int pos);
  void Edit_ALEV_PCHANKeyPress(int n, QChar key);
  void ScrollBar_ABAL_PCHANScroll(int n, TScrollCode code, int pos);
  void Edit_ABAL_PCHANKeyPress(int n, QChar key);
  // The paced balance send.
  void Zelvan_d1_ABAL(int32_t value);

  // ---- Report handlers ----
  void Zelvan_d1ACHANchange(int output);
  void Zelvan_d1AMODEchange(int output);
  void Zelvan_d1AMASTchange(int output);
  void Zelvan_d1AMUTEchange(int output);
  void Zelvan_d1AAUXMchange(int output);
  void Zelvan_d1AMONOchange(int output);
  // After the input table stored an ABAL report: the next buffered balance.
  void balanceReported();

  // Display of input n's level and balance (from the input settings table).
  void showLevel(int n, int64_t value);
  void showBalance(int n, int64_t value);

 private:
  struct Side {
    QGroupBox* group = nullptr;
    std::array<QRadioButton*, 8> channels{};
    QButtonGroup* channelGroup = nullptr;
    QRadioButton* automatic = nullptr;
    QScrollBar* masterBar = nullptr;
    QLineEdit* masterField = nullptr;
    TAdjustTriple* master = nullptr;
    QToolButton* mute = nullptr;
    QToolButton* auxMute = nullptr;
    QToolButton* mono = nullptr;
  };
  static size_t idx(int n) { return static_cast<size_t>(n < 1 ? 0 : (n > 8 ? 7 : n - 1)); }
  const Side& side(int output) const { return output == 1 ? main_ : preview_; }
  Side& side(int output) { return output == 1 ? main_ : preview_; }
  void buildSide(int output, QWidget* parent);
  void levelScroll(bool balance, int n, TScrollCode code, int pos);
  void levelKeyPress(bool balance, int n, QChar key);
  void showToggle(QToolButton* b, bool on, bool glyph);
  void restoreChannels(int output);

  TSignalContext& ctx_;
  QWidget* panel_ = nullptr;
  Side main_;
  Side preview_;
  std::array<QScrollBar*, 8> levelBars_{};
  std::array<QLineEdit*, 8> levelFields_{};
  std::array<QScrollBar*, 8> balanceBars_{};
  std::array<QLineEdit*, 8> balanceFields_{};
  std::array<QLabel*, 8> labels_{};
  TTamponVar* tampon_ = nullptr;
  bool channelFlag_ = true;
};

}  // namespace zelvan::signal

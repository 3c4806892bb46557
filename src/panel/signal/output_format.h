// Output format and rate of one output. The device encodes both in one code
// (OFMTM / OFMTP, 0..49) that stands for a (format, rate) pair of a fixed
// table; this side offers a format list and a rate list, translates the
// operator's pair into a code (a forbidden pair falls back to the format's
// last code), marks the rates the format does not allow and keeps the rate
// shortcut list, which offers only the allowed rates.
#pragma once

#include <QComboBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "panel/signal/signal_context.h"

class QMenu;
class QWidget;
class TSmallCombo;

namespace zelvan::signal {

// A QComboBox that announces its drop-down before it opens.
class TDropDownCombo : public QComboBox {
  Q_OBJECT

 public:
  using QComboBox::QComboBox;
  void showPopup() override;

 Q_SIGNALS:
  void aboutToDropDown();
};

class TOutputFormatSide : public QObject {
  Q_OBJECT

 public:
  // Item data role holding the image-list index of an item's icon.
  static constexpr int kIconRole = Qt::UserRole + 1;

  TOutputFormatSide(TSignalContext& ctx, int output, QWidget* parent);

  int output() const { return output_; }

  // ---- Controls ----
  QMenu* PopupMenu_OFMT() const { return formatMenu_; }        // PopupMenu_OFMTM / PopupMenu_OFMTP
  TSmallCombo* ComboBox_follow() const { return formatList_; }  // ComboBox_follow_Main / _Preview
  TDropDownCombo* ComboBox_freq() const { return rateList_; }   // ComboBox_freq_Main / _Preview
  QComboBox* ComboBox_freq_RACCOURCI() const { return shortcut_; }
  // Rate index of shortcut position k (-1 when none).
  int shortcutRate(int k) const;
  // The picture marking a forbidden rate: 27 for Main, 10 for output 2.
  int forbiddenIcon() const { return output_ == 1 ? 27 : 10; }

  // ---- Operator handlers ----
  void ComboBox_followClick();
  void ComboBox_freqClick();
  void ComboBox_freq_RACCOURCIClick(int position);
  void ComboBox_freqDropDown();
  void ComboBox_followDropDown();

  // envoie_OFMTM_qui_va_bien / envoie_OFMTP_qui_va_bien: send mode (true)
  // sends the code of the pair; probe mode (false) hands a forbidden pair to
  // interdit_pour_tel_format_ou_freq with `probeKind` ("Hz" marks the rate,
  // "xx*xx" marks nothing).
  void envoie_qui_va_bien(bool sendMode, int format, int rate, const QString& probeKind = QStringLiteral("Hz"));
  // Marks a forbidden rate (kind "Hz") and rebuilds the shortcut list while
  // the rebuild flag is set; kind "xx*xx" marks nothing.
  void interdit_pour_tel_format_ou_freq(const QString& kind, int format, int rate);

  // Code reported by the device (fromDevice) or redrawn after a send.
  void formatReported(bool fromDevice);

  // Enables the full and the shortcut rate list.
  void setRateListsEnabled(bool enabled);
  int lastAppliedFormat() const { return lastFormat_; }

 private:
  int modelRow() const;
  int reg() const;

  TSignalContext& ctx_;
  int output_;
  QMenu* formatMenu_ = nullptr;
  TSmallCombo* formatList_ = nullptr;
  TDropDownCombo* rateList_ = nullptr;
  QComboBox* shortcut_ = nullptr;
  std::array<int, 256> map_{};
  QStringList savedRateCaptions_;
  QStringList savedFormatCaptions_;
  bool rebuild_ = false;
  int lastFormat_ = 0;
};

}  // namespace zelvan::signal

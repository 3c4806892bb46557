#include "panel/signal/output_format.h"

#include "device/twins.h"

#include <QMenu>
#include <QSignalBlocker>
#include <QStyle>

#include "device/zelvan_d.h"
#include "panel/signal/output_panel.h"
#include "panel/signal/signal_common.h"
#include "panel/signal/signal_host.h"
#include "panel/signal/signal_tables.h"
#include "widgets/tsmallcombo.h"

namespace zelvan::signal {

void TDropDownCombo::showPopup() {
  Q_EMIT aboutToDropDown();
  QComboBox::showPopup();
}

TOutputFormatSide::TOutputFormatSide(TSignalContext& ctx, int output, QWidget* parent)
    : QObject(parent), ctx_(ctx), output_(output) {
  const bool main = output == 1;
  map_.fill(-1);
  formatMenu_ = new QMenu(parent);
  formatMenu_->setObjectName(main ? QStringLiteral("PopupMenu_OFMTM") : QStringLiteral("PopupMenu_OFMTP"));
  const auto& captions = main ? kFormatCaptionsMain : kFormatCaptionsPreview;
  for (int f = 0; f < kFormatCount; ++f) {
    QAction* a = formatMenu_->addAction(QString::fromLatin1(captions[static_cast<size_t>(f)]));
    a->setObjectName(QString::fromLatin1(kFormatItemNames[static_cast<size_t>(f)]));
  }

  formatList_ = new TSmallCombo(parent);
  formatList_->setObjectName(main ? QStringLiteral("ComboBox_follow_Main") : QStringLiteral("ComboBox_follow_Preview"));
  formatList_->SetPopUpMenu(formatMenu_);
  connect(formatList_, &TSmallCombo::clicked, this, [this] { ComboBox_followClick(); });
  connect(formatList_, &TSmallCombo::droppedDown, this, [this] { ComboBox_followDropDown(); });

  rateList_ = new TDropDownCombo(parent);
  rateList_->setObjectName(main ? QStringLiteral("ComboBox_freq_Main") : QStringLiteral("ComboBox_freq_Preview"));
  for (int r = 0; r < kRateCount; ++r) {
    rateList_->addItem(QString::fromLatin1(kRateTexts[static_cast<size_t>(r)]));
    rateList_->setItemData(r, -1, kIconRole);
  }
  connect(rateList_, &TDropDownCombo::aboutToDropDown, this, [this] { ComboBox_freqDropDown(); });
  connect(rateList_, &QComboBox::activated, this, [this](int) { ComboBox_freqClick(); });

  shortcut_ = new QComboBox(parent);
  shortcut_->setObjectName(main ? QStringLiteral("ComboBox_freq_Main_RACCOURCI")
                                : QStringLiteral("ComboBox_freq_Preview_RACCOURCI"));
  connect(shortcut_, &QComboBox::activated, this, [this](int k) { ComboBox_freq_RACCOURCIClick(k); });
  // The full rate list of output 2 is hidden; the shortcut list lies over
  // the Main one.
  if (!main) rateList_->hide();
}

int TOutputFormatSide::reg() const { return regs(output_).OFMT; }

int TOutputFormatSide::modelRow() const {
  const int m = ctx_.host->modelIndex(ctx_.link->DEV());
  // Without a known model the common rows apply (every model has the same).
  return m < 0 ? 0 : m;
}

int TOutputFormatSide::shortcutRate(int k) const {
  if (k < 0 || k >= static_cast<int>(map_.size())) return -1;
  return map_[static_cast<size_t>(k)];
}

// ------------------------------------------------------------ operator

void TOutputFormatSide::ComboBox_followClick() {
  envoie_qui_va_bien(true, formatList_->ItemIndex(), rateList_->currentIndex());
}

void TOutputFormatSide::ComboBox_freqClick() {
  envoie_qui_va_bien(true, formatList_->ItemIndex(), rateList_->currentIndex());
}

void TOutputFormatSide::ComboBox_freq_RACCOURCIClick(int position) {
  const int rate = shortcutRate(position);
  if (rate < 0) return;
  rateList_->setCurrentIndex(rate);
  ComboBox_freqClick();
}

void TOutputFormatSide::ComboBox_freqDropDown() {
  if (formatList_->ItemIndex() < 0) return;
  if (savedRateCaptions_.isEmpty()) {
    for (int r = 0; r < rateList_->count(); ++r) savedRateCaptions_ << rateList_->itemText(r);
  } else {
    for (int r = 0; r < rateList_->count() && r < savedRateCaptions_.size(); ++r) {
      rateList_->setItemText(r, savedRateCaptions_[r]);
      rateList_->setItemIcon(r, QIcon());
      rateList_->setItemData(r, -1, kIconRole);
    }
  }
  const int format = formatList_->ItemIndex();
  for (int r = 0; r < kRateCount; ++r) envoie_qui_va_bien(false, format, r);
}

void TOutputFormatSide::ComboBox_followDropDown() {
  if (rateList_->currentIndex() < 0) return;
  const QList<QAction*> items = formatMenu_->actions();
  if (savedFormatCaptions_.isEmpty()) {
    for (QAction* a : items) savedFormatCaptions_ << a->text();
  } else {
    for (int i = 0; i < items.size() && i < savedFormatCaptions_.size(); ++i) {
      items[i]->setText(savedFormatCaptions_[i]);
      items[i]->setIcon(QIcon());
    }
  }
  // Probing the formats against the current rate marks no rate item.
  const int rate = rateList_->currentIndex();
  for (int f = 0; f < items.size(); ++f) envoie_qui_va_bien(false, f, rate, QStringLiteral("xx*xx"));
}

void TOutputFormatSide::envoie_qui_va_bien(bool sendMode, int format, int rate, const QString& probeKind) {
  if (format < 0) return;
  const int m = modelRow();
  int found = -1;
  for (int c = 0; c < kFormatRateCodes; ++c) {
    const FormatRate row = formatRateRow(m, c);
    if (row.format == format && row.rate == rate) {
      found = c;
      break;
    }
  }
  if (sendMode) {
    int code = found;
    if (code < 0) {
      // A forbidden pair is never sent: the format's last code stands in.
      code = 0;
      for (int c = 0; c < kFormatRateCodes; ++c)
        if (formatRateRow(m, c).format == format) code = c;
    }
    ctx_.link->SendRegister(reg(), static_cast<uint32_t>(code));
    formatReported(false);
  } else if (found < 0) {
    interdit_pour_tel_format_ou_freq(probeKind, format, rate);
  }
}

void TOutputFormatSide::interdit_pour_tel_format_ou_freq(const QString& kind, int format, int rate) {
  if (kind == QLatin1String("Hz") && rate >= 0 && rate < rateList_->count()) {
    const QList<QAction*> items = formatMenu_->actions();
    const QString formatCaption = format >= 0 && format < items.size() ? items[format]->text() : QString();
    rateList_->setItemText(rate, rateList_->itemText(rate) + QStringLiteral("  NOT IN ") + formatCaption);
    rateList_->setItemIcon(rate, ctx_.stylePicture(QStyle::SP_DialogCancelButton));
    rateList_->setItemData(rate, forbiddenIcon(), kIconRole);
  }
  if (rebuild_) {
    const QSignalBlocker block(shortcut_);
    shortcut_->clear();
    map_.fill(-1);
    int k = 0;
    for (int r = 0; r < rateList_->count(); ++r) {
      const int icon = rateList_->itemData(r, kIconRole).toInt();
      if (icon == 27 || icon == 10) continue;
      shortcut_->addItem(rateList_->itemText(r));
      map_[static_cast<size_t>(k++)] = r;
    }
  }
  if (ctx_.outputPanel) ctx_.outputPanel->Gestion_ComboBox_freq();
}

void TOutputFormatSide::formatReported(bool fromDevice) {
  const uint32_t c = ctx_.link->registerValue(reg());
  if (c >= static_cast<uint32_t>(kFormatRateCodes)) return;
  const FormatRate row = formatRateRow(modelRow(), static_cast<int>(c));
  formatList_->SetItemIndex(row.format);
  {
    const QSignalBlocker block(rateList_);
    rateList_->setCurrentIndex(row.rate);
  }
  if (row.format != lastFormat_ || fromDevice) {
    rebuild_ = true;
    ComboBox_freqDropDown();
    const QSignalBlocker block(shortcut_);
    for (int k = 0; k < shortcut_->count(); ++k) {
      if (map_[static_cast<size_t>(k)] == row.rate) {
        shortcut_->setCurrentIndex(k);
        break;
      }
    }
    rebuild_ = false;
  }
  setCell(ctx_.grid(output_), 10, 1, formatList_->Text());
  lastFormat_ = row.format;
  if (ctx_.outputPanel) ctx_.outputPanel->Gestion_ComboBox_freq();
}

void TOutputFormatSide::setRateListsEnabled(bool enabled) {
  rateList_->setEnabled(enabled);
  shortcut_->setEnabled(enabled);
}

}  // namespace zelvan::signal

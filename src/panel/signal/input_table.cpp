#include "panel/signal/input_table.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "device/zelvan_d.h"
#include "panel/signal/audio_panel.h"
#include "panel/signal/input_row.h"
#include "panel/signal/signal_common.h"
#include "panel/signal/signal_host.h"
#include "panel/signal/signal_tables.h"
#include "widgets/tsmallcombo.h"

namespace zelvan::signal {

void addToPage(QWidget* page, QWidget* w) {
  if (!page) return;
  if (!page->layout()) new QVBoxLayout(page);
  page->layout()->addWidget(w);
}

namespace {
QString menuCaption(const char* text) {
  QString s = QString::fromLatin1(text);
  s.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return s;
}
}  // namespace

TInputTable::TInputTable(TSignalContext& ctx, QWidget* inputPage) : QObject(inputPage), ctx_(ctx) {
  auto* panel = new QWidget(inputPage);
  panel->setObjectName(QStringLiteral("Panel_input_settings"));
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(4, 4, 4, 4);

  signalTypeMenu_ = new QMenu(panel);
  signalTypeMenu_->setObjectName(QStringLiteral("PopupMenu_SIGNAL_TYPE"));
  for (int i = 0; i < kSignalTypeCount; ++i) {
    QAction* a = signalTypeMenu_->addAction(menuCaption(kSignalTypeTexts[static_cast<size_t>(i)]));
    a->setObjectName(QString::fromLatin1(kSignalTypeItemNames[static_cast<size_t>(i)]));
  }
  standardMenu_ = new QMenu(panel);
  standardMenu_->setObjectName(QStringLiteral("PopupMenu_STANDARD"));
  for (int i = 0; i < kStandardCount; ++i) standardMenu_->addAction(menuCaption(kStandardTexts[static_cast<size_t>(i)]));

  const std::array<std::pair<const char*, const char*>, ColumnCount> groups = {{
      {"GroupBox_Used", "Used"},
      {"GroupBox_Signal_Type", "Signal Type"},
      {"GroupBox_Standard", "Standard"},
      {"GroupBox_VCR", "VCR"},
      {"GroupBox_H_sync_load", "H. sync load"},
      {"GroupBox_Vertical_input_switching", "Synchronized"},
      {"GroupBox_Extend", "Extend"},
  }};
  std::array<QVBoxLayout*, ColumnCount> cols{};
  for (size_t g = 0; g < groups.size(); ++g) {
    auto* box = new QGroupBox(QString::fromLatin1(groups[g].second), panel);
    box->setObjectName(QString::fromLatin1(groups[g].first));
    cols[g] = new QVBoxLayout(box);
    cols[g]->setSpacing(2);
    cols[g]->setContentsMargins(4, 2, 4, 2);
    if (g == Extend) {
      // Extend stays when the other six move: it has a slot of its own.
      auto* own = new QHBoxLayout;
      own->setContentsMargins(0, 0, 0, 0);
      row->addLayout(own);
      own->addWidget(box);
    } else {
      row->addWidget(box);
    }
    groups_[g] = box;
  }

  for (int n = 1; n <= 8; ++n) {
    const size_t i = idx(n);
    auto* used = new QCheckBox(QStringLiteral("Input%1").arg(n), groups_[0]);
    used->setObjectName(QStringLiteral("Label_input_%1").arg(n));
    used->setProperty("Tag", n);
    connect(used, &QCheckBox::clicked, this, [this, n] { Label_Switcher_input_MouseUp(n); });
    cols[0]->addWidget(used);
    used_[i] = used;

    auto* type = new TSmallCombo(groups_[1]);
    type->setObjectName(QStringLiteral("ComboBox_signaltype%1").arg(n));
    type->setProperty("Tag", n);
    type->SetPopUpMenu(signalTypeMenu_);
    connect(type, &TSmallCombo::clicked, this, [this, n] { ComboBox_Switcher_signaltypeClick(n); });
    type->setMinimumSize(170, 21);
    cols[1]->addWidget(type);
    types_[i] = type;

    auto* stdList = new TSmallCombo(groups_[2]);
    stdList->setObjectName(QStringLiteral("ComboBox_standard%1").arg(n));
    stdList->setProperty("Tag", n);
    stdList->SetPopUpMenu(standardMenu_);
    connect(stdList, &TSmallCombo::clicked, this, [this, n] { ComboBox_Switcher_standard_Click(n); });
    stdList->setMinimumSize(170, 21);
    cols[2]->addWidget(stdList);
    standards_[i] = stdList;

    auto* vcr = new QCheckBox(groups_[3]);
    vcr->setObjectName(QStringLiteral("CheckBox_PProc_pchan_%1").arg(n));
    vcr->setProperty("Tag", n);
    connect(vcr, &QCheckBox::clicked, this, [this, n] { CheckBox_Switcher_PProc_pchan_MouseUp(n); });
    cols[3]->addWidget(vcr);
    vcr_[i] = vcr;

    auto* hiz = new TRadioGroup(QString(), {QStringLiteral("Hi-Z"), QStringLiteral("75 Ohms")}, groups_[4],
                                Qt::Horizontal);
    hiz->setObjectName(QStringLiteral("LMDRadioButton_HiZ%1").arg(n));
    hiz->setProperty("Tag", n);
    hiz->setFlat(true);
    connect(hiz, &TRadioGroup::itemClicked, this, [this, n] { LMDRadioButton_Switcher_HiZChange(n); });
    cols[4]->addWidget(hiz);
    hiz_[i] = hiz;

    auto* sync = new QCheckBox(QStringLiteral("Input%1").arg(n), groups_[5]);
    sync->setObjectName(QStringLiteral("CheckBox_Input%1").arg(n));
    sync->setProperty("Tag", n);
    connect(sync, &QCheckBox::clicked, this, [this, n] { CheckBox_Input_PVISC_MouseUp(n); });
    cols[5]->addWidget(sync);
    sync_[i] = sync;

    auto* ext = new QCheckBox(groups_[6]);
    ext->setObjectName(QStringLiteral("Valid_RGB_YUV_%1").arg(n));
    ext->setProperty("Tag", n);
    connect(ext, &QCheckBox::clicked, this, [this, n] { Valid_RGB_YUVClick(n); });
    cols[6]->addWidget(ext);
    extend_[i] = ext;
  }
  addToPage(inputPage, panel);
}

// ------------------------------------------------------------ operator

void TInputTable::sendChannel(int n) { ctx_.link->setPCHAN(static_cast<uint32_t>(n)); }

void TInputTable::Label_Switcher_input_MouseUp(int n) {
  if (n < 1 || n > 8) return;
  sendChannel(n);
  ctx_.link->setPENA(used_[idx(n)]->isChecked());
}

void TInputTable::ComboBox_Switcher_signaltypeClick(int n) {
  if (n < 1 || n > 8) return;
  const int pos = types_[idx(n)]->ItemIndex();
  if (pos < 0 || pos >= kSignalTypeCount) return;
  sendChannel(n);
  ctx_.link->setPRGBI(static_cast<uint32_t>(kSignalTypeCodes[static_cast<size_t>(pos)]));
}

void TInputTable::ComboBox_Switcher_standard_Click(int n) {
  if (n < 1 || n > 8) return;
  const int pos = standards_[idx(n)]->ItemIndex();
  if (pos < 0) return;
  sendChannel(n);
  ctx_.link->setPISTD(static_cast<uint32_t>(pos));
}

void TInputTable::CheckBox_Switcher_PProc_pchan_MouseUp(int n) {
  if (n < 1 || n > 8) return;
  sendChannel(n);
  ctx_.link->setPPROC(vcr_[idx(n)]->isChecked());
}

void TInputTable::LMDRadioButton_Switcher_HiZChange(int n) {
  if (n < 1 || n > 8) return;
  sendChannel(n);
  ctx_.link->setPLOAD(hiz_[idx(n)]->ItemIndex() == 1);
}

void TInputTable::CheckBox_Input_PVISC_MouseUp(int n) {
  if (n < 1 || n > 8) return;
  sendChannel(n);
  ctx_.link->setPVISC(sync_[idx(n)]->isChecked());
}

void TInputTable::Valid_RGB_YUVClick(int n) {
  if (n < 1 || n > 8) return;
  sendChannel(n);
  ctx_.link->setPEDGC(extend_[idx(n)]->isChecked());
}

// ------------------------------------------------------------ reports

#define ZSTORE(array, value, column)        \
  do {                                      \
    const int ch = ctx_.pchan();            \
    if (ch < 0) return;                     \
    ctx_.table.array[static_cast<size_t>(ch)] = (value); \
    Tableau_input(QLatin1Char(column));     \
  } while (0)

void TInputTable::Zelvan_d1PENAchange() { ZSTORE(used, ctx_.link->PENA(), '-'); }
void TInputTable::Zelvan_d1PLOADchange() { ZSTORE(syncLoad, ctx_.link->PLOAD(), '.'); }
void TInputTable::Zelvan_d1PISTDchange() { ZSTORE(standard, ctx_.link->PISTD(), '0'); }
void TInputTable::Zelvan_d1PPROCchange() { ZSTORE(vcr, ctx_.link->PPROC(), '1'); }
void TInputTable::Zelvan_d1PVISCchange() { ZSTORE(synchronized, ctx_.link->PVISC(), '>'); }
void TInputTable::Zelvan_d1PEDGC_Zelvan_change() { ZSTORE(extend, ctx_.link->PEDGC(), '?'); }
void TInputTable::Zelvan_d1LDISPLAYMchange() { ZSTORE(displayMain, ctx_.link->LDISPLAYM(), '3'); }
void TInputTable::Zelvan_d1LDISPLAYPchange() { ZSTORE(displayPreview, ctx_.link->LDISPLAYP(), '3'); }
void TInputTable::Zelvan_d1ALEVchange() { ZSTORE(audioLevel, ctx_.link->ALEV(), ';'); }

void TInputTable::Zelvan_d1ABALchange() {
  const int ch = ctx_.pchan();
  if (ch >= 0) {
    ctx_.table.audioBalance[static_cast<size_t>(ch)] = ctx_.link->ABAL();
    Tableau_input(QLatin1Char('='));
  }
  if (ctx_.audio) ctx_.audio->balanceReported();
}

void TInputTable::Zelvan_d1PRGBIchange() {
  ZSTORE(signalType, ctx_.link->PRGBI(), '/');
  ctx_.refreshStatus(1);
  ctx_.refreshStatus(2);
  ctx_.affichage_sync(1);
  ctx_.affichage_sync(2);
  ctx_.afichoupalmenimag();
}
#undef ZSTORE

// ------------------------------------------------------------ Tableau_input

void TInputTable::Tableau_input(QChar column) {
  const int ch = ctx_.pchan();
  if (ch >= 0) {
    auto& t = ctx_.table;
    if (ch == 0) {
      // A report for all inputs: the columns that keep a copy take entry 0.
      const char c = column.toLatin1();
      for (size_t n = 1; n <= 8; ++n) {
        switch (c) {
          case '-': t.used[n] = t.used[0]; break;
          case '.': t.syncLoad[n] = t.syncLoad[0]; break;
          case '/': t.signalType[n] = t.signalType[0]; break;
          case '0': t.standard[n] = t.standard[0]; break;
          case '1': t.vcr[n] = t.vcr[0]; break;
          case '>': t.synchronized[n] = t.synchronized[0]; break;
          case '?': t.extend[n] = t.extend[0]; break;
          default: break;
        }
      }
      for (int n = 1; n <= 8; ++n) refreshOne(column, n, 0, ch);
    } else {
      refreshOne(column, ch, ch, ch);
    }
  }
  if (ctx_.inputRow) ctx_.inputRow->hinthinthint_ichm();
  if (TMatrixControls* matrix = ctx_.peers.matrix) matrix->hintsChanged();
}

void TInputTable::refreshOne(QChar column, int n, int entry, int pchan) {
  const auto& t = ctx_.table;
  const size_t e = static_cast<size_t>(entry);
  const size_t i = idx(n);
  const bool usedN = t.used[static_cast<size_t>(n)];
  const QColor usedColour = usedN ? colorWhite() : colorSilver();
  switch (column.toLatin1()) {
    case '-': {
      const bool used = t.used[e];
      used_[i]->setChecked(used);
      if (ctx_.inputRow) ctx_.inputRow->inputButton(n)->setEnabled(used);
      for (int r = 1; r <= 2; ++r)
        if (QAbstractButton* b = ctx_.matrixInput(r, n)) b->setEnabled(used);
      setCaptionColor(hiz_[i], used ? colorBlack() : colorGrey());
      types_[i]->SetColor(used ? colorWhite() : colorSilver());
      if (pchan >= 1) standards_[i]->SetColor(t.signalType[e] >= 2 ? colorInactiveCaptionText() : usedColour);
      break;
    }
    case '.': hiz_[i]->setItemIndex(t.syncLoad[e] ? 1 : 0); break;
    case '/': {
      const int pos = ComboBox_signaltype_IndexOf(t.signalType[e]);
      types_[i]->SetItemIndex(pos < kSignalTypeCount ? pos : -1);
      if (pchan >= 1)
        standards_[i]->SetColor(t.signalType[e] >= 2 ? colorInactiveCaptionText() : usedColour);
      else
        standards_[i]->SetColor(t.signalType[0] < 2 ? colorWindowBackground() : colorInactiveCaptionText());
      break;
    }
    case '0': standards_[i]->SetItemIndex(static_cast<int>(t.standard[e] > 1000 ? -1 : t.standard[e])); break;
    case '1': vcr_[i]->setChecked(t.vcr[e]); break;
    case '3': {
      if (ctx_.inputRow) {
        QPushButton* d = ctx_.inputRow->displayButton(n);
        const bool on = t.displayMain[e];
        d->setText(on ? QStringLiteral("ON") : QStringLiteral("OFF"));
        setCaptionColor(d, on ? colorMenuText() : colorRed());
      }
      if (QAbstractButton* d2 = ctx_.matrixDisplay(n)) {
        const bool on = t.displayPreview[e];
        d2->setText(on ? QStringLiteral("ON") : QStringLiteral("OFF"));
        setCaptionColor(d2, on ? colorMenuText() : colorRed());
      }
      break;
    }
    case ';':
      if (ctx_.audio) ctx_.audio->showLevel(n, t.audioLevel[e]);
      break;
    case '=':
      if (ctx_.audio) ctx_.audio->showBalance(n, t.audioBalance[e]);
      break;
    case '>': sync_[i]->setChecked(t.synchronized[e]); break;
    case '?': extend_[i]->setChecked(t.extend[e]); break;
    default: break;
  }
}

}  // namespace zelvan::signal

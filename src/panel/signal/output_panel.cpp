#include "panel/signal/output_panel.h"

#include "device/twins.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

#include "device/zelvan_d.h"
#include "panel/signal/image_panel.h"
#include "panel/signal/input_row.h"
#include "panel/signal/input_table.h"
#include "panel/signal/output_format.h"
#include "panel/signal/signal_common.h"
#include "panel/signal/signal_host.h"
#include "panel/signal/signal_tables.h"
#include "widgets/tsmallcombo.h"

namespace zelvan::signal {

namespace {
// The full rate list and the shortcut list on top of it, at the same place.
QWidget* stackRates(QWidget* parent, TOutputFormatSide* side) {
  auto* holder = new QWidget(parent);
  holder->setFixedSize(150, 24);
  side->ComboBox_freq()->setParent(holder);
  side->ComboBox_freq_RACCOURCI()->setParent(holder);
  side->ComboBox_freq()->setGeometry(0, 0, 150, 24);
  side->ComboBox_freq_RACCOURCI()->setGeometry(0, 0, 150, 24);
  side->ComboBox_freq_RACCOURCI()->raise();
  return holder;
}

// The page's box layout (a vertical one is made when the page has none);
// nullptr when the page is laid out otherwise.
QBoxLayout* pageRows(QWidget* page) {
  if (!page->layout()) new QVBoxLayout(page);
  return qobject_cast<QBoxLayout*>(page->layout());
}

QLabel* warningLabel(QWidget* parent, const char* name) {
  auto* l = new QLabel(parent);
  l->setObjectName(QString::fromLatin1(name));
  setCaptionColor(l, colorRed());
  l->hide();
  return l;
}
}  // namespace

TOutputPanel::TOutputPanel(TSignalContext& ctx, QWidget* outputPage, QWidget* output2Parent)
    : QObject(outputPage), ctx_(ctx) {
  outputRateMenu_ = new QMenu(outputPage);
  outputRateMenu_->setObjectName(QStringLiteral("PopupMenu_OUTPUT_RATE"));
  outputRateMenu_->addAction(QStringLiteral("Internal Rate"));
  for (int n = 1; n <= 8; ++n) outputRateMenu_->addAction(QStringLiteral("Input %1 Rate").arg(n));

  // ---- Main (output 1) ----
  outputGroup_ = new QGroupBox(QStringLiteral("Output"), outputPage);
  outputGroup_->setObjectName(QStringLiteral("GroupBox_Output"));
  auto* grid = new QGridLayout(outputGroup_);
  main_ = new TOutputFormatSide(ctx_, 1, outputGroup_);
  formatCaption_ = new QLabel(QStringLiteral("Output format:"), outputGroup_);
  formatCaption_->setObjectName(QStringLiteral("Label_Output_format"));
  grid->addWidget(formatCaption_, 0, 0);
  main_->ComboBox_follow()->setMinimumSize(170, 21);
  grid->addWidget(main_->ComboBox_follow(), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Frame freq:"), outputGroup_), 1, 0);
  grid->addWidget(stackRates(outputGroup_, main_), 1, 1);
  rateCaption_ = new QLabel(QStringLiteral("Output Rate:"), outputGroup_);
  rateCaption_->setObjectName(QStringLiteral("Label_Output_rate"));
  grid->addWidget(rateCaption_, 2, 0);
  refMain_ = new TSmallCombo(outputGroup_);
  refMain_->setObjectName(QStringLiteral("reference_trame_voulue"));
  refMain_->SetPopUpMenu(outputRateMenu_);
  connect(refMain_, &TSmallCombo::clicked, this, [this] { reference_trame_voulueClick(); });
  grid->addWidget(refMain_, 2, 1);
  refStateMain_ = new QLabel(outputGroup_);
  refStateMain_->setObjectName(QStringLiteral("StaticText_REFREQM"));
  grid->addWidget(refStateMain_, 2, 2);
  noSignalMain_ = warningLabel(outputGroup_, "RefreqM_Label_no_signal_Main_refreq");
  grid->addWidget(noSignalMain_, 3, 0, 1, 3);
  // The format and rate group shares the first row with the tally group
  // (added by the tally panel), so the whole tab fits the page.
  QBoxLayout* rows = pageRows(outputPage);
  if (rows) {
    formatRow_ = new QHBoxLayout;
    rows->addLayout(formatRow_);
    formatRow_->addWidget(outputGroup_, 3);
  } else {
    addToPage(outputPage, outputGroup_);
  }

  auto* radios = new QWidget(outputPage);
  radios->setObjectName(QStringLiteral("Panel_output_radios"));
  // Sync and screen shape on the first row, the two test-pattern groups
  // (two columns each) on the second.
  auto* radioRows = new QVBoxLayout(radios);
  radioRows->setContentsMargins(0, 0, 0, 0);
  auto* radioRow = new QHBoxLayout;
  auto* patternRow = new QHBoxLayout;
  radioRows->addLayout(radioRow);
  radioRows->addLayout(patternRow);
  const QStringList syncItems = {QStringLiteral("H && V"), QStringLiteral("Comp"), QStringLiteral("SOG")};
  syncMain_ = new TRadioGroup(QStringLiteral("Main:"), syncItems, radios);
  syncMain_->setObjectName(QStringLiteral("LMDRadioGroup_osyn_Main"));
  syncPreview_ = new TRadioGroup(QStringLiteral("Preview:"), syncItems, radios);
  syncPreview_->setObjectName(QStringLiteral("LMDRadioGroup_osyn_Preview"));
  const QStringList patternItems = {QStringLiteral("OFF"),
                                    QStringLiteral("Centering"),
                                    QStringLiteral("Vertical color bar"),
                                    QStringLiteral("Vertical grey scale"),
                                    QStringLiteral("Horizontal grey scale"),
                                    QStringLiteral("Grid"),
                                    QStringLiteral("Burst"),
                                    QStringLiteral("Covering")};
  patternMain_ = new TRadioGroup(QStringLiteral("Main:"), patternItems, radios, Qt::Vertical, 2);
  patternMain_->setObjectName(QStringLiteral("LMDRadioGroup_test_pattern_Main"));
  patternPreview_ = new TRadioGroup(QStringLiteral("Preview:"), patternItems, radios, Qt::Vertical, 2);
  patternPreview_->setObjectName(QStringLiteral("LMDRadioGroup_test_pattern_Preview"));
  screenMain_ = new TRadioGroup(QStringLiteral("Main && Preview"), {QStringLiteral("4/3"), QStringLiteral("16/9")}, radios);
  screenMain_->setObjectName(QStringLiteral("LMDRadioGroup_typeofscreen"));
  for (TRadioGroup* g : {syncMain_, syncPreview_, screenMain_}) radioRow->addWidget(g);
  for (TRadioGroup* g : {patternMain_, patternPreview_}) patternRow->addWidget(g);
  connect(syncMain_, &TRadioGroup::itemClicked, this, [this](int i) { LMDRadioGroup_osynClick(1, i); });
  connect(syncPreview_, &TRadioGroup::itemClicked, this, [this](int i) { LMDRadioGroup_osynClick(2, i); });
  connect(patternMain_, &TRadioGroup::itemClicked, this, [this](int i) { LMDRadioGroup_test_patternClick(1, i); });
  connect(patternPreview_, &TRadioGroup::itemClicked, this, [this](int i) { LMDRadioGroup_test_patternClick(2, i); });
  connect(screenMain_, &TRadioGroup::itemClicked, this, [this](int i) { LMDRadioGroup_typeofscreenClick(1, i); });
  if (rows)
    rows->addWidget(radios);
  else
    addToPage(outputPage, radios);

  // ---- Output 2 group (Matrix settings window) ----
  QWidget* host2 = output2Parent;
  if (!host2) {
    host2 = new QWidget(outputPage);
    host2->setObjectName(QStringLiteral("Holder_output2"));
    host2->hide();
  }
  output2Group_ = new QGroupBox(QStringLiteral("Output 2"), host2);
  output2Group_->setObjectName(QStringLiteral("GroupBox_Output2"));
  auto* grid2 = new QGridLayout(output2Group_);
  preview_ = new TOutputFormatSide(ctx_, 2, output2Group_);
  grid2->addWidget(new QLabel(QStringLiteral("Output 2 format:"), output2Group_), 0, 0);
  preview_->ComboBox_follow()->setMinimumSize(170, 21);
  grid2->addWidget(preview_->ComboBox_follow(), 0, 1);
  grid2->addWidget(new QLabel(QStringLiteral("Frame freq:"), output2Group_), 1, 0);
  grid2->addWidget(stackRates(output2Group_, preview_), 1, 1);
  grid2->addWidget(new QLabel(QStringLiteral("Output 2 Rate:"), output2Group_), 2, 0);
  refPreview_ = new TSmallCombo(output2Group_);
  refPreview_->setObjectName(QStringLiteral("reference_trame_Preview_voulue"));
  refPreview_->SetPopUpMenu(outputRateMenu_);
  connect(refPreview_, &TSmallCombo::clicked, this, [this] { reference_trame_Preview_voulueClick(); });
  grid2->addWidget(refPreview_, 2, 1);
  refStatePreview_ = new QLabel(output2Group_);
  refStatePreview_->setObjectName(QStringLiteral("StaticText_REFREQP"));
  grid2->addWidget(refStatePreview_, 2, 2);
  noSignalPreview_ = warningLabel(output2Group_, "RefreqP_Label_no_signal_Preview_refreq");
  grid2->addWidget(noSignalPreview_, 3, 0, 1, 3);
  screenPreview_ = new TRadioGroup(QStringLiteral("Output 2:"), {QStringLiteral("4/3"), QStringLiteral("16/9")},
                                   output2Group_);
  screenPreview_->setObjectName(QStringLiteral("LMDRadioGroup_typeofscreen_preview"));
  connect(screenPreview_, &TRadioGroup::itemClicked, this, [this](int i) { LMDRadioGroup_typeofscreenClick(2, i); });
  grid2->addWidget(screenPreview_, 4, 0, 1, 3);
  if (host2->layout()) host2->layout()->addWidget(output2Group_);
}

uint32_t TOutputPanel::val(int reg) const { return ctx_.link->registerValue(reg); }

// ------------------------------------------------------------ operator

void TOutputPanel::reference_trame_voulueClick() {
  const int pos = refMain_->ItemIndex();
  if (pos >= 0) ctx_.link->setREFREQM(static_cast<uint32_t>(pos));
}

void TOutputPanel::reference_trame_Preview_voulueClick() {
  const int pos = refPreview_->ItemIndex();
  if (pos >= 0) ctx_.link->setREFREQP(static_cast<uint32_t>(pos));
}

void TOutputPanel::LMDRadioGroup_osynClick(int output, int position) {
  if (position < 0) return;
  ctx_.link->SendRegister(regs(output).OSYNC, static_cast<uint32_t>(position));
}

void TOutputPanel::LMDRadioGroup_test_patternClick(int output, int position) {
  if (position < 0 || position >= static_cast<int>(kTestPatternCodes.size())) return;
  ctx_.link->SendRegister(regs(output).OPAT,
                          static_cast<uint32_t>(kTestPatternCodes[static_cast<size_t>(position)]));
}

void TOutputPanel::LMDRadioGroup_typeofscreenClick(int output, int position) {
  if (position < 0) return;
  ctx_.link->SendRegister(regs(output).OSCREEN, static_cast<uint32_t>(position));
}

// ------------------------------------------------------------ reports

void TOutputPanel::Zelvan_d1OFMTchange(int output) { side(output)->formatReported(true); }

void TOutputPanel::Zelvan_d1REFREQchange(int output) {
  const uint32_t v = val(regs(output).REFREQ);
  TSmallCombo* list = output == 1 ? refMain_ : refPreview_;
  list->SetItemIndex(v <= 8 ? static_cast<int>(v) : -1);
  Difference_entre_REFREQ_et_REFSTA();
  Gestion_ComboBox_freq();
}

void TOutputPanel::Zelvan_d1REFSTAchange(int output) {
  input_ref(output);
  ctx_.afichoupalmenimag();
  side(output)->formatReported(false);
  if (TKeyingPeer* keying = ctx_.peers.keying) keying->refreshLogoFormatRows(output);
  Difference_entre_REFREQ_et_REFSTA();
}

void TOutputPanel::Zelvan_d1OSYNCchange(int output) {
  const uint32_t v = val(regs(output).OSYNC);
  LMDRadioGroup_osyn(output)->setItemIndex(v <= 2 ? static_cast<int>(v) : -1);
  static const char* const kTexts[] = {"H & V", "Composite TTL", "SOG"};
  if (v <= 2) setCell(ctx_.grid(output), 15, 1, QString::fromLatin1(kTexts[v]));
}

void TOutputPanel::Zelvan_d1OPATchange(int output) {
  const uint32_t v = val(regs(output).OPAT);
  TRadioGroup* g = LMDRadioGroup_test_pattern(output);
  if (static_cast<int64_t>(g->count()) >= static_cast<int64_t>(v)) g->setItemIndex(testPatternPosition(v));
  ctx_.host->reapplyModelLayout();
  if (output == 1)
    if (TSoftEdgePeer* softEdge = ctx_.peers.softEdge) softEdge->setCoveringPatternPressed(v == 5);
}

void TOutputPanel::Zelvan_d1OSCREENchange(int output) {
  const uint32_t v = val(regs(output).OSCREEN);
  (output == 1 ? screenMain_ : screenPreview_)->setItemIndex(v <= 1 ? static_cast<int>(v) : -1);
}

// ------------------------------------------------------------ routines

QString TOutputPanel::referenceName(uint32_t reference) const {
  if (reference == 0) return QStringLiteral("Internal Rate");
  // 9 and 10 stand for the seamless-mode reference inputs 1 and 8.
  const int input = reference <= 8 ? static_cast<int>(reference) : reference == 9 ? 1 : reference == 10 ? 8 : -1;
  if (input < 0 || !ctx_.inputRow) return {};
  return ctx_.inputRow->inputCaption(input);
}

void TOutputPanel::input_ref(int output) {
  QTableWidget* g = ctx_.grid(output);
  const uint32_t sta = val(regs(output).REFSTA);
  const QList<QAction*> items = outputRateMenu_->actions();
  const int item = sta <= 8 ? static_cast<int>(sta) : sta == 9 ? 1 : sta == 10 ? 8 : -1;
  setCell(g, 7, 0, item >= 0 && item < items.size() ? items[item]->text() : QString());
  const double hz = val(regs(output).REFFRQ) / 100.0;
  const QString freq = formatGeneral(hz, 4) + QStringLiteral(" Hz");
  setCell(g, 14, 1, freq);
  if (sta != 0) {
    setCell(g, 8, 0, familyShortName(val(regs(output).REFFAM)));
    setCell(g, 8, 1, freq);
  } else {
    setCell(g, 8, 0, QString());
    setCell(g, 8, 1, QString());
  }
}

void TOutputPanel::Difference_entre_REFREQ_et_REFSTA() {
  const uint32_t reqM = ctx_.link->REFREQM();
  const uint32_t staM = ctx_.link->REFSTAM();
  const uint32_t reqP = ctx_.link->REFREQP();
  const uint32_t staP = ctx_.link->REFSTAP();
  refStateMain_->setText(referenceName(staM));
  refStatePreview_->setText(referenceName(staP));
  if (reqM == staM) {
    noSignalMain_->hide();
  } else {
    noSignalMain_->setText(QStringLiteral("No signal or uncompatible  on ") + referenceName(reqM));
    noSignalMain_->show();
    ctx_.host->restartNoSignalCountdown();
  }
  if (reqP == staP) {
    noSignalPreview_->hide();
  } else {
    noSignalPreview_->setText(QStringLiteral("No signal or uncompatible  on ") + referenceName(reqP));
    noSignalPreview_->show();
    ctx_.host->restartNoSignalCountdown();
  }
}

void TOutputPanel::Gestion_ComboBox_freq() {
  main_->setRateListsEnabled(ctx_.link->REFREQM() == 0);
  preview_->setRateListsEnabled(ctx_.link->REFREQP() == 0);
}

}  // namespace zelvan::signal

#include "panel/signal/signal_panels.h"

#include <QApplication>
#include <QBoxLayout>
#include <QTableWidget>

#include "device/twins.h"
#include "device/zelvan_d.h"
#include "panel/signal/audio_panel.h"
#include "panel/signal/image_panel.h"
#include "panel/signal/input_row.h"
#include "panel/signal/input_table.h"
#include "panel/signal/output_panel.h"
#include "panel/signal/signal_common.h"
#include "panel/signal/signal_host.h"
#include "panel/signal/signal_status.h"
#include "panel/signal/status_grid.h"
#include "panel/signal/tally_panel.h"
#include "panel/signal/transition_panel.h"
#include "widgets/tconversion.h"

namespace zelvan::signal {

// ------------------------------------------------------------ context

QTableWidget* TSignalContext::grid(int output) const {
  if (output == 1) return StringGrid1;
  if (peers.matrix)
    if (QTableWidget* g = peers.matrix->statusGrid()) return g;
  return ownGrid2;
}

int TSignalContext::pchan() const {
  const uint32_t ch = link->PCHAN();
  return ch <= 8 ? static_cast<int>(ch) : -1;
}

void TSignalContext::refreshStatus(int output) const {
  TSignalStatus* status = output == 1 ? statusM : statusP;
  TImagePanel* image = output == 1 ? imageM : imageP;
  if (status && status->signalValid())
    status->signal();
  else if (image)
    image->layoutBySignal();
}

void TSignalContext::afichoupalmenimag() const {
  if (imageM) imageM->notAvailable();
  if (imageP) imageP->notAvailable();
}

void TSignalContext::affichage_sync(int output) const {
  if (TSignalStatus* status = output == 1 ? statusM : statusP) status->affichage_sync();
}

const QIcon& TSignalContext::stylePicture(QStyle::StandardPixmap which) {
  auto it = stylePictures.find(int(which));
  if (it == stylePictures.end()) it = stylePictures.emplace(int(which), QApplication::style()->standardIcon(which)).first;
  return it->second;
}

// ------------------------------------------------------------ panels

TSignalPanels::TSignalPanels(TZelvan_d& link, TSignalHost& host, const TSignalPages& pages, QObject* parent)
    : QObject(parent) {
  ctx_.link = &link;
  ctx_.host = &host;
  ctx_.peers = pages.peers;
  holder_ = std::make_unique<QWidget>();
  holder_->setObjectName(QStringLiteral("Holder_signal_panels"));
  holder_->hide();
  auto page = [this](QWidget* given, const char* name) -> QWidget* {
    if (given) return given;
    auto* w = new QWidget(holder_.get());
    w->setObjectName(QString::fromLatin1(name));
    return w;
  };
  QWidget* ichmp = page(pages.Panel_ichmp, "Panel_ichmp");
  QWidget* control = page(pages.controlArea, "Panel_controls");
  QWidget* input = page(pages.Input, "Input");
  QWidget* outputPage = page(pages.Output, "Output");
  QWidget* imageMain = page(pages.Image_Main, "Image_Main");
  QWidget* imagePreview = page(pages.Image_Preview, "Image_Preview");
  QWidget* audioPage = page(pages.TabSheet_audio, "TabSheet_audio");
  QWidget* transitionPage = page(pages.TabSheet_transition, "TabSheet_transition");
  QWidget* effectsPage = page(pages.Effects, "Effects");

  if (pages.Conversion1) {
    ctx_.Conversion1 = pages.Conversion1;
  } else {
    auto* conv = new TConversion(this);
    conv->setObjectName(QStringLiteral("Conversion1"));
    conv->setValMinDriver(0);
    conv->setValMaxDriver(255);
    conv->setValMinAffichage(-128);
    conv->setValMaxAffichage(127);
    ctx_.Conversion1 = conv;
  }
  ctx_.StringGrid1 = pages.StringGrid1 ? pages.StringGrid1 : makeStatusGrid(holder_.get(), "StringGrid1", 1);
  ownGrid2_.reset(makeStatusGrid(nullptr, "StringGrid2", 2));
  ctx_.ownGrid2 = ownGrid2_.get();

  ctx_.inputRow = new TInputRow(ctx_, ichmp, pages.controlArea);
  ctx_.inputTable = new TInputTable(ctx_, input);
  ctx_.statusM = new TSignalStatus(ctx_, 1, this);
  ctx_.statusP = new TSignalStatus(ctx_, 2, this);
  ctx_.outputPanel = new TOutputPanel(ctx_, outputPage, pages.output2Settings);
  // The tally group beside the output format group, on the Output page's first row.
  ctx_.tally = new TTallyPanel(ctx_, outputPage, pages.controlsMenu, ctx_.outputPanel->formatRow());
  ctx_.imageM = new TImagePanel(ctx_, 1, imageMain);
  ctx_.imageP = new TImagePanel(ctx_, 2, imagePreview);
  ctx_.transition = new TTransitionPanel(ctx_, control, transitionPage, effectsPage, pages.controlsMenu, pages.menuBar);
  ctx_.audio = new TAudioPanel(ctx_, audioPage);
  // The panels live exactly as long as this object (their controls live
  // with the pages).
  for (QObject* o : std::initializer_list<QObject*>{ctx_.inputRow, ctx_.inputTable, ctx_.outputPanel, ctx_.tally,
                                                    ctx_.imageM, ctx_.imageP, ctx_.transition, ctx_.audio})
    o->setParent(this);

  ctx_.inputRow->hinthinthint_ichm();
  buildRoutes();
}

TSignalPanels::~TSignalPanels() {
  // Panels first: they refer to the context and the grids below.
  for (QObject* o : std::initializer_list<QObject*>{ctx_.inputRow, ctx_.inputTable, ctx_.outputPanel, ctx_.tally,
                                                    ctx_.statusM, ctx_.statusP, ctx_.imageM, ctx_.imageP,
                                                    ctx_.transition, ctx_.audio})
    delete o;
  ctx_ = TSignalContext{};
}

// ------------------------------------------------------------ routes

void TSignalPanels::add(int reg, const QString& handler,
                        std::initializer_list<std::pair<QString, std::function<void()>>> calls) {
  Route r;
  r.reg = reg;
  r.handler = handler;
  for (const auto& c : calls) {
    r.calls << c.first;
    r.run.push_back(c.second);
  }
  routes_.push_back(std::move(r));
}

void TSignalPanels::buildRoutes() {
  auto h = [](int reg) {
    return QStringLiteral("Zelvan_d1") + QString::fromLatin1(registerInfo(reg).property.data(),
                                                             qsizetype(registerInfo(reg).property.size())) +
           QStringLiteral("change");
  };
  TInputRow* row = ctx_.inputRow;
  TInputTable* table = ctx_.inputTable;
  TTallyPanel* tally = ctx_.tally;
  TOutputPanel* out = ctx_.outputPanel;
  TTransitionPanel* tr = ctx_.transition;
  TAudioPanel* au = ctx_.audio;

  // ---- Inputs and tally ----
  add(Reg::ICHM, h(Reg::ICHM), {{"TInputRow::Zelvan_d1ICHMchange", [row] { row->Zelvan_d1ICHMchange(); }}});
  add(Reg::ICHP, h(Reg::ICHP), {{"TInputRow::Zelvan_d1ICHPchange", [row] { row->Zelvan_d1ICHPchange(); }}});
  add(Reg::ICHNP, h(Reg::ICHNP), {{"TInputRow::Zelvan_d1ICHNPchange", [row] { row->Zelvan_d1ICHNPchange(); }}});
  add(Reg::PENA, h(Reg::PENA), {{"TInputTable::Zelvan_d1PENAchange", [table] { table->Zelvan_d1PENAchange(); }}});
  add(Reg::PLOAD, h(Reg::PLOAD), {{"TInputTable::Zelvan_d1PLOADchange", [table] { table->Zelvan_d1PLOADchange(); }}});
  add(Reg::PRGBI, h(Reg::PRGBI), {{"TInputTable::Zelvan_d1PRGBIchange", [table] { table->Zelvan_d1PRGBIchange(); }}});
  add(Reg::PISTD, h(Reg::PISTD), {{"TInputTable::Zelvan_d1PISTDchange", [table] { table->Zelvan_d1PISTDchange(); }}});
  add(Reg::PPROC, h(Reg::PPROC), {{"TInputTable::Zelvan_d1PPROCchange", [table] { table->Zelvan_d1PPROCchange(); }}});
  add(Reg::PVISC, h(Reg::PVISC), {{"TInputTable::Zelvan_d1PVISCchange", [table] { table->Zelvan_d1PVISCchange(); }}});
  add(Reg::PEDGC, QStringLiteral("Zelvan_d1PEDGC_Zelvan_change"),
      {{"TInputTable::Zelvan_d1PEDGC_Zelvan_change", [table] { table->Zelvan_d1PEDGC_Zelvan_change(); }}});
  add(Reg::LDISPLAYM, h(Reg::LDISPLAYM),
      {{"TInputTable::Zelvan_d1LDISPLAYMchange", [table] { table->Zelvan_d1LDISPLAYMchange(); }}});
  add(Reg::LDISPLAYP, h(Reg::LDISPLAYP),
      {{"TInputTable::Zelvan_d1LDISPLAYPchange", [table] { table->Zelvan_d1LDISPLAYPchange(); }}});
  add(Reg::ALEV, h(Reg::ALEV), {{"TInputTable::Zelvan_d1ALEVchange", [table] { table->Zelvan_d1ALEVchange(); }}});
  add(Reg::ABAL, h(Reg::ABAL),
      {{"TInputTable::Zelvan_d1ABALchange (then TAudioPanel::balanceReported)", [table] { table->Zelvan_d1ABALchange(); }}});
  const int tallies[] = {Reg::TALLY1, Reg::TALLY2, Reg::TALLY3};
  const int tallyOn[] = {Reg::TA1ON, Reg::TA2ON, Reg::TA3ON};
  for (int k = 1; k <= 3; ++k) {
    add(tallies[k - 1], h(tallies[k - 1]),
        {{QStringLiteral("TTallyPanel::Zelvan_d1TALLYchange(%1)").arg(k), [tally, k] { tally->Zelvan_d1TALLYchange(k); }}});
    add(tallyOn[k - 1], h(tallyOn[k - 1]),
        {{QStringLiteral("TTallyPanel::Zelvan_d1TAONchange(%1)").arg(k), [tally, k] { tally->Zelvan_d1TAONchange(k); }}});
  }
  add(Reg::EIPSIGP, h(Reg::EIPSIGP),
      {{"TTallyPanel::Zelvan_d1EIPSIGPchange", [tally] { tally->Zelvan_d1EIPSIGPchange(); }}});

  // ---- Signal status ----
  for (int o = 1; o <= 2; ++o) {
    TSignalStatus* st = o == 1 ? ctx_.statusM : ctx_.statusP;
    const QString twin = o == 1 ? QStringLiteral("_M") : QStringLiteral("_P");
    const QString sig = QStringLiteral("TSignalStatus::signal") + twin;
    const QString freq = QStringLiteral("TSignalStatus::freq_ligne_trame") + twin;
    const OutputRegs& r = regs(o);
    for (int reg : {r.IPSIG, r.IOOR, r.IFAM, r.ISYNC, r.IHPOL, r.IVPOL})
      add(reg, h(reg), {{sig, [st] { st->signal(); }}});
    add(r.IINT, h(r.IINT), {{sig, [st] { st->signal(); }}, {freq, [st] { st->freq_ligne_trame(); }}});
    for (int reg : {r.ILD, r.IFD})
      add(reg, h(reg), {{freq, [st] { st->freq_ligne_trame(); }}});
  }
  {
    TSignalStatus* m = ctx_.statusM;
    TSignalStatus* p = ctx_.statusP;
    add(Reg::UNITy, QStringLiteral("Zelvan_d1UNITYchange"),
        {{"TSignalStatus::freq_ligne_trame_M", [m] { m->freq_ligne_trame(); }},
         {"TSignalStatus::freq_ligne_trame_P", [p] { p->freq_ligne_trame(); }}});
  }

  // ---- Output ----
  for (int o = 1; o <= 2; ++o) {
    const OutputRegs& r = regs(o);
    const QString arg = QStringLiteral("(%1)").arg(o);
    add(r.OFMT, h(r.OFMT), {{"TOutputPanel::Zelvan_d1OFMTchange" + arg, [out, o] { out->Zelvan_d1OFMTchange(o); }}});
    add(r.REFREQ, h(r.REFREQ),
        {{"TOutputPanel::Zelvan_d1REFREQchange" + arg, [out, o] { out->Zelvan_d1REFREQchange(o); }}});
    add(r.REFSTA, h(r.REFSTA),
        {{"TOutputPanel::Zelvan_d1REFSTAchange" + arg, [out, o] { out->Zelvan_d1REFSTAchange(o); }}});
    add(r.REFFAM, h(r.REFFAM), {{"TOutputPanel::input_ref" + arg, [out, o] { out->input_ref(o); }}});
    add(r.REFFRQ, h(r.REFFRQ), {{"TOutputPanel::input_ref" + arg, [out, o] { out->input_ref(o); }}});
    add(r.OSYNC, h(r.OSYNC), {{"TOutputPanel::Zelvan_d1OSYNCchange" + arg, [out, o] { out->Zelvan_d1OSYNCchange(o); }}});
    add(r.OPAT, h(r.OPAT), {{"TOutputPanel::Zelvan_d1OPATchange" + arg, [out, o] { out->Zelvan_d1OPATchange(o); }}});
    add(r.OSCREEN, h(r.OSCREEN),
        {{"TOutputPanel::Zelvan_d1OSCREENchange" + arg, [out, o] { out->Zelvan_d1OSCREENchange(o); }}});
  }

  // ---- Image ----
  for (int o = 1; o <= 2; ++o) {
    TImagePanel* im = o == 1 ? ctx_.imageM : ctx_.imageP;
    const OutputRegs& r = regs(o);
    const QString arg = QStringLiteral("(%1)").arg(o);
    for (int reg : {r.HPOS, r.VPOS, r.HSIZ, r.VSIZ, r.BRGT, r.CONTR, r.COLOR, r.HUE, r.RLV, r.GLV, r.BLV, r.DIV, r.PHASE,
                    r.ZMHP, r.ZMVP, r.ZMHSZ, r.ZMVSZ})
      add(reg, h(reg), {{QStringLiteral("TImagePanel::adjustmentReported") + arg, [im, reg] { im->adjustmentReported(reg); }}});
    add(r.IASP, h(r.IASP), {{"TImagePanel::Zelvan_d1IASPchange" + arg, [im] { im->Zelvan_d1IASPchange(); }}});
    add(r.OVER, h(r.OVER), {{"TImagePanel::Zelvan_d1OVERchange" + arg, [im] { im->Zelvan_d1OVERchange(); }}});
    add(r.PROC, h(r.PROC), {{"TImagePanel::Zelvan_d1PROCchange" + arg, [im] { im->Zelvan_d1PROCchange(); }}});
  }
  {
    TImagePanel* im = ctx_.imageM;
    add(Reg::STORE, h(Reg::STORE), {{"TImagePanel::Zelvan_d1STOREchange", [im] { im->Zelvan_d1STOREchange(); }}});
  }

  // ---- Transitions and take ----
  add(Reg::TAKE, h(Reg::TAKE), {{"TTransitionPanel::Zelvan_d1TAKEchange", [tr] { tr->Zelvan_d1TAKEchange(); }}});
  add(Reg::TAKEEVA, h(Reg::TAKEEVA), {{"TTransitionPanel::Zelvan_d1TAKEEVAchange", [tr] { tr->Zelvan_d1TAKEEVAchange(); }}});
  add(Reg::TBARAV, h(Reg::TBARAV), {{"TTransitionPanel::Zelvan_d1TBARAVchange", [tr] { tr->Zelvan_d1TBARAVchange(); }}});
  add(Reg::TAKEAUTO, h(Reg::TAKEAUTO),
      {{"TTransitionPanel::Zelvan_d1TAKEAUTOchange", [tr] { tr->Zelvan_d1TAKEAUTOchange(); }}});
  add(Reg::LFADEM, h(Reg::LFADEM), {{"TTransitionPanel::Zelvan_d1LFADEMchange", [tr] { tr->Zelvan_d1LFADEMchange(); }}});
  add(Reg::LFADEP, h(Reg::LFADEP), {{"TTransitionPanel::Zelvan_d1LFADEPchange", [tr] { tr->Zelvan_d1LFADEPchange(); }}});
  for (int o = 1; o <= 2; ++o)
    for (int reg : {regs(o).BCFRED, regs(o).BCFGREEN, regs(o).BCFBLUE})
      add(reg, h(reg), {{"TTransitionPanel::Zelvan_d1BCFchange", [tr] { tr->Zelvan_d1BCFchange(); }}});
  add(Reg::IFRZM, h(Reg::IFRZM), {{"TTransitionPanel::Zelvan_d1IFRZMchange", [tr] { tr->Zelvan_d1IFRZMchange(); }}});
  add(Reg::IFRZP, h(Reg::IFRZP), {{"TTransitionPanel::Zelvan_d1IFRZPchange", [tr] { tr->Zelvan_d1IFRZPchange(); }}});
  add(Reg::EFFON, h(Reg::EFFON), {{"TTransitionPanel::TBar_EFFONchange", [tr] { tr->TBar_EFFONchange(); }}});

  // ---- Audio ----
  for (int o = 1; o <= 2; ++o) {
    const OutputRegs& r = regs(o);
    const QString arg = QStringLiteral("(%1)").arg(o);
    add(r.ACHAN, h(r.ACHAN), {{"TAudioPanel::Zelvan_d1ACHANchange" + arg, [au, o] { au->Zelvan_d1ACHANchange(o); }}});
    add(r.AMODE, h(r.AMODE), {{"TAudioPanel::Zelvan_d1AMODEchange" + arg, [au, o] { au->Zelvan_d1AMODEchange(o); }}});
    add(r.AMAST, h(r.AMAST), {{"TAudioPanel::Zelvan_d1AMASTchange" + arg, [au, o] { au->Zelvan_d1AMASTchange(o); }}});
    add(r.AMUTE, h(r.AMUTE), {{"TAudioPanel::Zelvan_d1AMUTEchange" + arg, [au, o] { au->Zelvan_d1AMUTEchange(o); }}});
    add(r.AAUXM, h(r.AAUXM), {{"TAudioPanel::Zelvan_d1AAUXMchange" + arg, [au, o] { au->Zelvan_d1AAUXMchange(o); }}});
    add(r.AMONO, h(r.AMONO), {{"TAudioPanel::Zelvan_d1AMONOchange" + arg, [au, o] { au->Zelvan_d1AMONOchange(o); }}});
  }

  routeOf_.assign(kRegisterCount, -1);
  for (size_t i = 0; i < routes_.size(); ++i) routeOf_[static_cast<size_t>(routes_[i].reg)] = static_cast<int>(i);
}

void TSignalPanels::report(int regIndex) {
  if (regIndex < 0 || regIndex >= kRegisterCount) return;
  const int pos = routeOf_[static_cast<size_t>(regIndex)];
  if (pos < 0) return;
  for (const auto& fn : routes_[static_cast<size_t>(pos)].run) fn();
}

std::vector<int> TSignalPanels::handledRegisters() const {
  std::vector<int> regs;
  regs.reserve(routes_.size());
  for (const Route& r : routes_) regs.push_back(r.reg);
  return regs;
}

QStringList TSignalPanels::describeRoutes() const {
  QStringList lines;
  for (const Route& r : routes_) lines << r.handler + QStringLiteral(": ") + r.calls.join(QStringLiteral(", "));
  return lines;
}

QString TSignalPanels::routineName(int regIndex) const {
  if (regIndex < 0 || regIndex >= kRegisterCount) return {};
  const int pos = routeOf_[static_cast<size_t>(regIndex)];
  return pos < 0 ? QString() : routes_[static_cast<size_t>(pos)].calls.join(QStringLiteral(", "));
}

// ------------------------------------------------------------ tick

void TSignalPanels::tickFreeze() {
  if (ctx_.link->IFRZM()) ctx_.transition->clignotantfreeze_M();
  if (ctx_.link->IFRZP()) ctx_.transition->clignotantfreeze_P();
}

void TSignalPanels::tickInputs() { ctx_.inputRow->tick(); }
void TSignalPanels::tickTake() { ctx_.transition->cligno_take(); }
void TSignalPanels::tickPipSwitches() { ctx_.inputRow->cligno_pippop(); }

void TSignalPanels::tick() {
  tickFreeze();
  tickInputs();
  tickTake();
  tickPipSwitches();
}

}  // namespace zelvan::signal

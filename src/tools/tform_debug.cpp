#include "tools/tform_debug.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "device/zelvan_d.h"
#include "tools/debug_format.h"
#include "widgets/uidialogs.h"

using namespace zelvan::debugconsole;

namespace zelvan::debugconsole {

// The log memo: a read-only text view that reports double clicks after its
// own handling has selected the word under the pointer.
class LogView : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;
  std::function<void(const QPoint&)> onDoubleClick;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    QPlainTextEdit::mouseDoubleClickEvent(e);
    if (onDoubleClick) onDoubleClick(e->position().toPoint());
  }
};

// An entry box of the value panel: Enter applies the entry, and no key
// typed in it reaches the window's command entry.
class PanelEdit : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;
  std::function<void()> onEnter;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
      if (onEnter) onEnter();
    } else {
      QLineEdit::keyPressEvent(e);
    }
    e->accept();
  }
};

}  // namespace zelvan::debugconsole

namespace {

constexpr int kFormWidth = 605;
// Width of the log's left part where a double click opens the value panel.
constexpr int kLogLeftPart = 90;
constexpr int kShakeSteps = 35;
constexpr int kMaxPending = 4096;
// Longest reply text copied into a log line.
constexpr int kMaxLoggedReply = 256;
const QString kNoValue = QStringLiteral("Conversion (aucune valeur d'entrer)");
const QString kDev = QStringLiteral("DEV");

QString verticalCaption(const QString& words) {
  QStringList letters;
  for (const QChar c : words) letters << QString(c);
  return letters.join(QLatin1Char('\n'));
}

}  // namespace

TForm_debug::TForm_debug(TZelvan_d* link, QWidget* parent) : QWidget(parent), m_link(link) {
  setObjectName(QStringLiteral("Form_debug"));
  setWindowTitle(QStringLiteral("DEBUG"));
  buildUi();
  buildPanel();
  fillRegisterList();
  rebuildWatchList();
  recomputeFilter();

  m_settingsPath = QDir::current().absoluteFilePath(settingsFileName());
  LoadSettings();

  if (m_link) {
    m_link->OnRecString = [this](QObject* sender, int tag) { Zelvan_d1RecString(sender, tag); };
  }

  // Keys typed anywhere in the window build the pending command, except in
  // the value panel's own entry boxes.
  for (QWidget* w : findChildren<QWidget*>()) {
    if (w == m_panel || m_panel->isAncestorOf(w) || w == m_menuBar || m_menuBar->isAncestorOf(w)) continue;
    if (qobject_cast<QMenu*>(w)) continue;
    w->installEventFilter(this);
  }
  m_memoRecu->viewport()->installEventFilter(this);
  m_memoRecu->viewport()->setMouseTracking(true);
  m_memoRecu->setMouseTracking(true);
  m_panel->installEventFilter(this);
  for (QLineEdit* b : m_bits) b->installEventFilter(this);
}

TForm_debug::~TForm_debug() {
  if (m_scriptTimer) m_scriptTimer->stop();
  if (m_shakeTimer) m_shakeTimer->stop();
  // The handler captures this window: the link must not call it any more.
  if (m_link) m_link->OnRecString = nullptr;
}

// ------------------------------------------------------------------ layout

void TForm_debug::buildUi() {
  setFixedWidth(kFormWidth);
  setMinimumHeight(420);
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(4, 4, 4, 4);
  root->setSpacing(4);

  m_menuBar = new QMenuBar(this);
  m_menuBar->setObjectName(QStringLiteral("MainMenu_debug"));
  root->setMenuBar(m_menuBar);

  m_menuForce = m_menuBar->addMenu(QStringLiteral("Force Connect"));
  m_menuForce->setObjectName(QStringLiteral("Menu_ForceConnect"));
  m_menuForce->menuAction()->setObjectName(QStringLiteral("ForceConnect1"));
  auto* group = new QActionGroup(this);
  group->setExclusive(true);
  m_actOn = m_menuForce->addAction(QStringLiteral("On"));
  m_actOn->setObjectName(QStringLiteral("On1"));
  m_actOn->setCheckable(true);
  m_actOff = m_menuForce->addAction(QStringLiteral("Off"));
  m_actOff->setObjectName(QStringLiteral("Off1"));
  m_actOff->setCheckable(true);
  group->addAction(m_actOn);
  group->addAction(m_actOff);
  connect(m_menuForce, &QMenu::aboutToShow, this, [this] { ForceConnect1Click(); });
  connect(m_actOn, &QAction::triggered, this, [this] { On1Click(); });
  connect(m_actOff, &QAction::triggered, this, [this] { Off1Click(); });

  QMenu* transfer = m_menuBar->addMenu(QStringLiteral("Transfert"));
  transfer->setObjectName(QStringLiteral("Menu_Transfert"));
  transfer->menuAction()->setObjectName(QStringLiteral("Transfert1"));
  m_actSendFile = transfer->addAction(QStringLiteral("Envoyer un fichier texte..."));
  m_actSendFile->setObjectName(QStringLiteral("Envoyerunfichiertexte1"));
  m_actStop = transfer->addAction(QStringLiteral("Stop"));
  m_actStop->setObjectName(QStringLiteral("Stop1"));
  connect(m_actSendFile, &QAction::triggered, this, [this] { Envoyerunfichiertexte1Click(); });
  connect(m_actStop, &QAction::triggered, this, [this] { Stop1Click(); });

  // Pending command, register list, sort button.
  auto* top = new QHBoxLayout;
  m_label1 = new QLabel(QStringLiteral("-> RS232"), this);
  m_label1->setObjectName(QStringLiteral("Label1"));
  m_label1->setFont(fixed);
  m_label1->setFixedWidth(150);
  m_label1->setFrameShape(QFrame::Panel);
  m_label1->setFrameShadow(QFrame::Sunken);
  m_registers = new QComboBox(this);
  m_registers->setObjectName(QStringLiteral("_"));
  m_registers->setFont(fixed);
  m_registers->setMaxVisibleItems(46);
  m_registers->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  m_registers->setMinimumContentsLength(20);
  m_registers->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  connect(m_registers, &QComboBox::activated, this, [this](int row) { RegisterListClick(row); });
  m_sorted = new QPushButton(QStringLiteral("Alphabetically"), this);
  m_sorted->setObjectName(QStringLiteral("ABC_Sorted"));
  connect(m_sorted, &QPushButton::clicked, this, [this] { ABC_SortedClick(); });
  top->addWidget(m_label1);
  top->addWidget(m_registers, 1);
  top->addWidget(m_sorted);
  root->addLayout(top);

  // Memos, value-panel button, watch list.
  auto* middle = new QHBoxLayout;
  auto* memos = new QVBoxLayout;
  m_memoEnv = new QPlainTextEdit(this);
  m_memoEnv->setObjectName(QStringLiteral("Memo_env"));
  m_memoEnv->setReadOnly(true);
  m_memoEnv->setFont(fixed);
  m_memoEnv->setMaximumBlockCount(kMaxLogLines);
  m_memoEnv->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_memoRecu = new LogView(this);
  m_memoRecu->setObjectName(QStringLiteral("Memo_recu"));
  m_memoRecu->setReadOnly(true);
  m_memoRecu->setFont(fixed);
  m_memoRecu->setMaximumBlockCount(kMaxLogLines);
  m_memoRecu->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_memoRecu->onDoubleClick = [this](const QPoint& pos) {
    if (pos.x() < kLogLeftPart) BitBtn_Operation_logiqueClick();
  };
  memos->addWidget(m_memoEnv, 1);
  memos->addWidget(m_memoRecu, 4);
  middle->addLayout(memos, 1);

  m_operation = new QPushButton(verticalCaption(QStringLiteral("Changer valeurs")), this);
  m_operation->setObjectName(QStringLiteral("BitBtn_Operation_logique"));
  m_operation->setFixedWidth(24);
  m_operation->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  connect(m_operation, &QPushButton::clicked, this, [this] { BitBtn_Operation_logiqueClick(); });
  middle->addWidget(m_operation);

  auto* watchColumn = new QVBoxLayout;
  auto* watchTitle = new QLabel(QStringLiteral("Reception RS232"), this);
  watchTitle->setObjectName(QStringLiteral("Label_reception"));
  m_watch = new QListWidget(this);
  m_watch->setObjectName(QStringLiteral("CheckListBox_bloque_reception_rs"));
  m_watch->setFont(fixed);
  m_watch->setFixedWidth(150);
  connect(m_watch, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (m_updatingWatch) return;
    const int row = m_watch->row(item);
    if (row < 0) return;
    updateWatchedName(row);
    if (isDevRow(row)) m_devExclusion = item->checkState() == Qt::Checked ? QString() : kDev;
    recomputeFilter();
  });
  connect(m_watch, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { WatchListDblClick(m_watch->row(item)); });
  m_disableAll = new QPushButton(QStringLiteral("Disable all"), this);
  m_disableAll->setObjectName(QStringLiteral("SpeedButton_Disable_all"));
  m_disableAll->setCheckable(true);
  m_disableAll->setFixedWidth(150);
  connect(m_disableAll, &QPushButton::clicked, this, [this] { SpeedButton_Disable_allClick(); });
  watchColumn->addWidget(watchTitle);
  watchColumn->addWidget(m_watch, 1);
  watchColumn->addWidget(m_disableAll);
  middle->addLayout(watchColumn);
  root->addLayout(middle, 1);

  // The 26 command buttons.
  auto* grid = new QGridLayout;
  grid->setSpacing(2);
  for (int i = 0; i < kCommandButtons; ++i) {
    auto* b = new QPushButton(ButtonSettings::defaultCaption(), this);
    b->setObjectName(QStringLiteral("BitBtn_ADBG_%1").arg(i + 1));
    b->setMinimumWidth(40);
    b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    connect(b, &QPushButton::clicked, this, [this, i] { BitBtn_ADBGClick(i + 1); });
    grid->addWidget(b, i / 7, i % 7);
    m_buttons[size_t(i)] = b;
  }
  root->addLayout(grid);

  // Script pace and Clear.
  auto* bottom = new QHBoxLayout;
  auto* delai = new QLabel(QStringLiteral("delai transfert"), this);
  delai->setObjectName(QStringLiteral("Label_delai"));
  m_duration = new QScrollBar(Qt::Horizontal, this);
  m_duration->setObjectName(QStringLiteral("ScrollBar_duration"));
  m_duration->setRange(0, 1024);
  m_duration->setValue(0);
  m_duration->setMinimumWidth(200);
  m_durationValue = new QLabel(QStringLiteral("0"), this);
  m_durationValue->setObjectName(QStringLiteral("Label_duration"));
  m_durationValue->setMinimumWidth(40);
  connect(m_duration, &QScrollBar::valueChanged, this, [this](int v) { ScrollBar_durationChange(v); });
  m_clear = new QPushButton(QStringLiteral("&Clear"), this);
  m_clear->setObjectName(QStringLiteral("BitBtn_clear"));
  connect(m_clear, &QPushButton::clicked, this, [this] { BitBtn_clearClick(); });
  bottom->addWidget(delai);
  bottom->addWidget(m_duration, 1);
  bottom->addWidget(m_durationValue);
  bottom->addStretch();
  bottom->addWidget(m_clear);
  root->addLayout(bottom);

  m_scriptTimer = new QTimer(this);
  m_scriptTimer->setObjectName(QStringLiteral("Timer_transfert"));
  connect(m_scriptTimer, &QTimer::timeout, this, [this] { Timer_transfertTimer(); });

  m_shakeTimer = new QTimer(this);
  m_shakeTimer->setObjectName(QStringLiteral("Timer_shake"));
  m_shakeTimer->setInterval(15);
  connect(m_shakeTimer, &QTimer::timeout, this, [this] { shakeStep(); });
}

void TForm_debug::buildPanel() {
  m_panel = new QFrame(this);
  m_panel->setObjectName(QStringLiteral("Panel1"));
  m_panel->setFrameShape(QFrame::Panel);
  m_panel->setFrameShadow(QFrame::Raised);
  m_panel->setLineWidth(2);
  m_panel->setAutoFillBackground(true);
  m_panel->setCursor(Qt::SizeAllCursor);

  auto* v = new QVBoxLayout(m_panel);
  m_panelVariable = new QLabel(kNoValue, m_panel);
  m_panelVariable->setObjectName(QStringLiteral("Label_variable"));
  QFont bold = m_panelVariable->font();
  bold.setBold(true);
  m_panelVariable->setFont(bold);
  v->addWidget(m_panelVariable);

  auto* numbers = new QGridLayout;
  m_panelDec = new QLabel(QStringLiteral("0"), m_panel);
  m_panelDec->setObjectName(QStringLiteral("Label_valeur_dec"));
  auto* editDec = new PanelEdit(QStringLiteral("0"), m_panel);
  editDec->onEnter = [this] { Edit_valeur_decEnter(); };
  m_editDec = editDec;
  m_editDec->setObjectName(QStringLiteral("Edit_valeur_dec"));
  m_editDec->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), m_editDec));
  m_panelHex = new QLabel(QStringLiteral("0000"), m_panel);
  m_panelHex->setObjectName(QStringLiteral("Label_valeur_hex"));
  auto* editHex = new PanelEdit(QStringLiteral("0000"), m_panel);
  editHex->onEnter = [this] { Edit_valeur_hexEnter(); };
  m_editHex = editHex;
  m_editHex->setObjectName(QStringLiteral("Edit_valeur_hex"));
  m_editHex->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,4}")), m_editHex));
  numbers->addWidget(new QLabel(QStringLiteral("Decimal :"), m_panel), 0, 0);
  numbers->addWidget(m_panelDec, 0, 1);
  numbers->addWidget(m_editDec, 0, 2);
  numbers->addWidget(new QLabel(QStringLiteral("Hexadecimal :"), m_panel), 1, 0);
  numbers->addWidget(m_panelHex, 1, 1);
  numbers->addWidget(m_editHex, 1, 2);
  v->addLayout(numbers);

  m_panelBin = new QLabel(QStringLiteral("0000.0000.0000.0000b"), m_panel);
  m_panelBin->setObjectName(QStringLiteral("Label_valeur_bin"));
  m_panelBin->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  v->addWidget(m_panelBin);

  auto* bits = new QHBoxLayout;
  bits->setSpacing(1);
  for (int i = 0; i < 16; ++i) {
    auto* e = new QLineEdit(QStringLiteral("0"), m_panel);
    e->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignCenter);
    e->setFixedWidth(24);
    e->setToolTip(QStringLiteral("Click pour inverser le bit"));
    e->setCursor(Qt::PointingHandCursor);
    e->setFocusPolicy(Qt::NoFocus);
    bits->addWidget(e);
    if (i % 4 == 3 && i < 15) bits->addSpacing(4);
    m_bits[size_t(i)] = e;
  }
  v->addLayout(bits);

  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("Ok"), m_panel);
  ok->setObjectName(QStringLiteral("BitBtn_ok"));
  auto* cancel = new QPushButton(QStringLiteral("Annuler"), m_panel);
  cancel->setObjectName(QStringLiteral("BitBtn_annuler"));
  auto* send = new QPushButton(QStringLiteral("Envoie"), m_panel);
  send->setObjectName(QStringLiteral("BitBtn_envoie"));
  m_desactiver = new QPushButton(QStringLiteral("Desactiver reception"), m_panel);
  m_desactiver->setObjectName(QStringLiteral("BitBtn_desactiver_reception"));
  connect(ok, &QPushButton::clicked, this, [this] { BitBtn_okClick(); });
  connect(cancel, &QPushButton::clicked, this, [this] { BitBtn_annulerClick(); });
  connect(send, &QPushButton::clicked, this, [this] { BitBtn_envoieClick(); });
  connect(m_desactiver, &QPushButton::clicked, this, [this] { BitBtn_desactiver_receptionClick(); });
  for (QPushButton* b : {ok, cancel, send, m_desactiver}) {
    b->setCursor(Qt::ArrowCursor);
    buttons->addWidget(b);
  }
  v->addLayout(buttons);

  m_panel->adjustSize();
  m_panel->move(60, 110);
  m_panel->hide();
}

void TForm_debug::fillRegisterList() {
  m_lines = registerLines();
  m_registers->clear();
  for (const auto& l : m_lines) m_registers->addItem(l.text);
}

void TForm_debug::rebuildWatchList() {
  m_updatingWatch = true;
  m_watch->clear();
  m_watched.clear();
  for (const auto& l : m_lines) {
    auto* item = new QListWidgetItem(l.code + QStringLiteral("->") + l.name, m_watch);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
    m_watched << l.name;
  }
  m_devExclusion.clear();
  m_updatingWatch = false;
}

// ----------------------------------------------------------- command entry

void TForm_debug::setPending(const QString& text, bool addToMemo) {
  m_pending = text.left(kMaxPending);
  if (addToMemo) m_memoEnv->appendPlainText(m_pending);
  m_label1->setText(m_pending);
}

void TForm_debug::appendPicked(const QString& code) {
  setPending(m_pending + code, true);
}

void TForm_debug::sendRaw(const QByteArray& text) {
  if (m_link && !text.isEmpty()) m_link->SendRaw(text);
}

bool TForm_debug::commandKey(int key, const QString& text, Qt::KeyboardModifiers mods) {
  if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (!m_pending.isEmpty()) {
      sendRaw(m_pending.toLatin1());
      m_pending.clear();
    }
    m_label1->setText(m_pending);
    return true;
  }
  if (key == Qt::Key_Backspace) {
    setPending(backspacePending(m_pending), false);
    return true;
  }
  if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape) return false;
  if (text.isEmpty()) return false;
  for (const QChar c : text)
    if (c.category() == QChar::Other_Control) return false;
  if (m_pending.size() + text.size() > kMaxPending) return true;  // full: the key is swallowed
  setPending(m_pending + text, false);
  return true;
}

void TForm_debug::RegisterListClick(int row) {
  if (row < 0 || row >= int(m_lines.size())) return;
  appendPicked(m_lines[size_t(row)].code);
}

void TForm_debug::FormDblClick() {
  RegisterListClick(m_registers->currentIndex());
}

void TForm_debug::WatchListDblClick(int row) {
  if (row < 0 || row >= int(m_lines.size())) return;
  appendPicked(m_lines[size_t(row)].code);
}

void TForm_debug::ABC_SortedClick() {
  std::stable_sort(m_lines.begin(), m_lines.end(), [](const RegisterLine& a, const RegisterLine& b) {
    return QString::compare(a.text, b.text, Qt::CaseInsensitive) < 0;
  });
  m_registers->clear();
  for (const auto& l : m_lines) m_registers->addItem(l.text);
  rebuildWatchList();
  recomputeFilter();
  m_sorted->setEnabled(false);
}

void TForm_debug::BitBtn_clearClick() {
  m_pending.clear();
  m_label1->clear();
  m_hiddenLog.clear();
  m_memoRecu->clear();
  m_memoEnv->clear();
}

void TForm_debug::BitBtn_clearRightClick() {
  if (m_shakeTimer->isActive()) return;
  m_shakeHome.clear();
  for (QWidget* w :
       {static_cast<QWidget*>(m_memoEnv), static_cast<QWidget*>(m_memoRecu), static_cast<QWidget*>(m_watch)})
    m_shakeHome.emplace_back(w, w->pos());
  m_shakeLeft = kShakeSteps;
  m_shakeTimer->start();
}

bool TForm_debug::shaking() const {
  return m_shakeTimer->isActive();
}

void TForm_debug::setShakeStepMs(int ms) {
  m_shakeTimer->setInterval(std::max(1, ms));
}

void TForm_debug::shakeStep() {
  if (m_shakeLeft > 0) {
    --m_shakeLeft;
    auto* rng = QRandomGenerator::global();
    for (auto& [w, home] : m_shakeHome) w->move(home + QPoint(rng->bounded(-4, 5), rng->bounded(-4, 5)));
    for (QPlainTextEdit* memo : {m_memoEnv, static_cast<QPlainTextEdit*>(m_memoRecu)}) {
      QTextCursor c(memo->document());
      c.movePosition(QTextCursor::Start);
      c.insertBlock();
    }
    return;
  }
  m_shakeTimer->stop();
  BitBtn_clearClick();
  for (auto& [w, home] : m_shakeHome) w->move(home);
  m_shakeHome.clear();
  if (layout()) layout()->invalidate();
}

// ------------------------------------------------------------------ logging

void TForm_debug::Zelvan_d1RecString(QObject*, int) {
  if (!m_link) return;
  const QString received = m_link->receivedString();
  const DigitSplit split = splitDigits(received);
  if (split.name == m_devExclusion) return;
  if (filterActive() && !m_filter.contains(split.name)) return;
  if (split.digits.isEmpty()) return;
  const auto value = digitsValue(split.digits);
  if (!value) {
    logLine(formatOversizedLogLine(received));
    return;
  }
  const QString shown =
      received.size() > kMaxLoggedReply ? received.left(kMaxLoggedReply) + QStringLiteral("...") : received;
  logLine(formatLogLine(shown, *value));
}

void TForm_debug::logLine(const QString& line) {
  if (isVisible()) {
    m_memoRecu->appendPlainText(line);
    return;
  }
  // Hidden, the console keeps the lines and lays them out when it shows:
  // laying out every reply of a full-state burst in a window nobody sees
  // would cost more than the whole burst. Only the newest kMaxLogLines can
  // survive in the memo anyway.
  m_hiddenLog.push_back(line);
  if (m_hiddenLog.size() > size_t(kMaxLogLines)) m_hiddenLog.pop_front();
}

void TForm_debug::flushLog() {
  if (m_hiddenLog.empty()) return;
  QStringList lines(m_hiddenLog.begin(), m_hiddenLog.end());
  m_hiddenLog.clear();
  m_memoRecu->appendPlainText(lines.join(QLatin1Char('\n')));
}

// ----------------------------------------------------------------- watching

bool TForm_debug::isDevRow(int row) const {
  return row >= 0 && row < int(m_lines.size()) && m_lines[size_t(row)].name == kDev;
}

int TForm_debug::watchItemCount() const {
  return m_watch->count();
}

bool TForm_debug::watchItemChecked(int row) const {
  const QListWidgetItem* item = m_watch->item(row);
  return item && item->checkState() == Qt::Checked;
}

int TForm_debug::watchRowOfName(const QString& name) const {
  for (int i = 0; i < int(m_lines.size()); ++i)
    if (m_lines[size_t(i)].name == name) return i;
  return -1;
}

void TForm_debug::setWatchItemChecked(int row, bool checked) {
  QListWidgetItem* item = m_watch->item(row);
  if (!item) return;
  // Goes through the list's change notification, as an operator's tick does.
  item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void TForm_debug::updateWatchedName(int row) {
  if (row < 0 || row >= m_watched.size()) return;
  m_watched[row] = watchItemChecked(row) ? m_lines[size_t(row)].name : QString();
}

void TForm_debug::SpeedButton_Disable_allClick() {
  const bool pressed = m_disableAll->isChecked();
  m_updatingWatch = true;
  for (int row = 0; row < m_watch->count(); ++row) {
    bool tick = !pressed;
    // Released: the DEV item shows the operator's own DEV choice again.
    if (!pressed && isDevRow(row)) tick = m_devExclusion.isEmpty();
    m_watch->item(row)->setCheckState(tick ? Qt::Checked : Qt::Unchecked);
    updateWatchedName(row);
  }
  m_updatingWatch = false;
  recomputeFilter();
}

void TForm_debug::recomputeFilter() {
  QStringList names;
  for (const QString& n : std::as_const(m_watched))
    if (!n.isEmpty()) names << n;
  if (names.size() > kMaxWatched) {
    // Too many to filter on: log everything again.
    m_updatingWatch = true;
    for (int row = 0; row < m_watch->count(); ++row) {
      const bool tick = isDevRow(row) ? m_devExclusion.isEmpty() : true;
      m_watch->item(row)->setCheckState(tick ? Qt::Checked : Qt::Unchecked);
      updateWatchedName(row);
    }
    m_updatingWatch = false;
    m_filter.clear();
    m_filterCount = kMaxWatched + 1;
    m_disableAll->setChecked(false);
    m_disableAll->setText(QStringLiteral("Disable all"));
  } else {
    m_filter = names;
    m_filterCount = int(names.size());
    m_disableAll->setText(QStringLiteral("Disable all %1 / %2").arg(m_filterCount).arg(kMaxWatched));
  }
  m_desactiver->setEnabled(m_filterCount >= 1 && m_filterCount <= kMaxWatched);
}

// ---------------------------------------------------------- command buttons

void TForm_debug::applyCommandButton(int n) {
  QPushButton* b = m_buttons[size_t(n - 1)];
  b->setText(m_settings.captions[size_t(n - 1)]);
  b->setToolTip(m_settings.commands[size_t(n - 1)]);
}

void TForm_debug::BitBtn_ADBGClick(int n) {
  if (n < 1 || n > kCommandButtons) return;
  const QString& cmd = m_settings.commands[size_t(n - 1)];
  if (!cmd.isEmpty()) sendRaw(cmd.toLatin1());
}

void TForm_debug::BitBtn_ADBGRightClick(int n) {
  if (n < 1 || n > kCommandButtons) return;
  auto& dlg = zelvan::ui::dialogs();
  const auto caption =
      dlg.inputText(this, QStringLiteral("DEBUG"), QStringLiteral("Entrer description d'addressage"),
                    m_settings.captions[size_t(n - 1)]);
  if (caption) m_settings.captions[size_t(n - 1)] = cleanValue(*caption, kMaxCaptionLength);
  const auto command =
      dlg.inputText(this, QStringLiteral("DEBUG"), QStringLiteral("Entrer l'addresse et/ou la donnée"),
                    m_settings.commands[size_t(n - 1)]);
  if (command) m_settings.commands[size_t(n - 1)] = cleanValue(*command, kMaxCommandLength);
  applyCommandButton(n);
}

QString TForm_debug::commandCaption(int n) const {
  return n >= 1 && n <= kCommandButtons ? m_settings.captions[size_t(n - 1)] : QString();
}

QString TForm_debug::commandText(int n) const {
  return n >= 1 && n <= kCommandButtons ? m_settings.commands[size_t(n - 1)] : QString();
}

void TForm_debug::setCommandButton(int n, const QString& caption, const QString& command) {
  if (n < 1 || n > kCommandButtons) return;
  m_settings.captions[size_t(n - 1)] = cleanValue(caption, kMaxCaptionLength);
  m_settings.commands[size_t(n - 1)] = cleanValue(command, kMaxCommandLength);
  applyCommandButton(n);
}

bool TForm_debug::LoadSettings() {
  ButtonSettings s;
  QString why;
  const LoadResult r = loadButtonSettings(m_settingsPath, s, &why);
  if (r == LoadResult::Rejected) {
    logLine(QStringLiteral("Fichier \"%1\" ignore (%2) : boutons par defaut.")
                .arg(QFileInfo(m_settingsPath).fileName(), why));
    s = ButtonSettings();
  }
  m_settings = s;
  for (int n = 1; n <= kCommandButtons; ++n) applyCommandButton(n);
  return r == LoadResult::Loaded;
}

bool TForm_debug::SaveSettings() {
  QString why;
  if (saveButtonSettings(m_settingsPath, m_settings, &why)) return true;
  zelvan::ui::dialogs().message(
      this, zelvan::ui::MessageKind::Error, QStringLiteral("DEBUG"),
      QStringLiteral("Impossible d'enregistrer \"%1\" : %2").arg(m_settingsPath, why));
  return false;
}

// ------------------------------------------------------------ force connect

void TForm_debug::ForceConnect1Click() {
  const bool on = m_link && m_link->ForceConn();
  m_actOn->setChecked(on);
  m_actOff->setChecked(!on);
}

void TForm_debug::On1Click() {
  if (m_link) m_link->setForceConn(true);
  ForceConnect1Click();
}

void TForm_debug::Off1Click() {
  if (m_link) m_link->setForceConn(false);
  ForceConnect1Click();
}

// ---------------------------------------------------------- script transfer

void TForm_debug::Envoyerunfichiertexte1Click() {
  const QString path = zelvan::ui::dialogs().openFile(
      this, QStringLiteral("Envoyer un fichier texte"), QString(),
      QStringLiteral("Fichier Text (*.txt);;Fichier Doc (*.doc);;Fichier Wri (*.wri);;Fichier Html (*.html);;"
                     "Fichier Htm (*.htm)"));
  if (path.isEmpty()) return;
  startScript(path);
}

bool TForm_debug::startScript(const QString& path) {
  stopScript();
  if (!m_script.open(path)) {
    const QString why = m_script.error();
    zelvan::ui::dialogs().message(this, zelvan::ui::MessageKind::Warning, QStringLiteral("DEBUG"), why);
    return false;
  }
  setWindowTitle(QStringLiteral("DEBUG  ") + path);
  m_scriptLoaded = true;
  m_scriptLineMode = m_script.mode() == ScriptReader::Mode::Lines;
  m_duration->setEnabled(false);
  m_scriptTimer->setInterval(scriptInterval());
  m_scriptTimer->start();
  return true;
}

void TForm_debug::Stop1Click() {
  stopScript();
}

void TForm_debug::stopScript() {
  m_scriptTimer->stop();
  m_script.close();
  m_duration->setEnabled(true);
}

void TForm_debug::Timer_transfertTimer() {
  if (!m_script.isOpen()) {
    stopScript();
    return;
  }
  QByteArray piece;
  if (m_script.next(&piece)) {
    sendRaw(piece);
    return;
  }
  const QString why = m_script.error();
  stopScript();
  if (!why.isEmpty())
    zelvan::ui::dialogs().message(this, zelvan::ui::MessageKind::Warning, QStringLiteral("DEBUG"), why);
}

bool TForm_debug::scriptRunning() const {
  return m_scriptTimer->isActive();
}

int TForm_debug::scriptDelay() const {
  return m_duration->value() + (m_scriptLineMode ? 30 : 10);
}

int TForm_debug::scriptInterval() const {
  const long long ms = static_cast<long long>(scriptDelay()) * m_paceScale / 100;
  return ms < 1 ? 1 : static_cast<int>(ms);
}

void TForm_debug::setPaceScale(int percent) {
  m_paceScale = percent > 0 ? percent : 100;
  if (m_scriptLoaded) m_scriptTimer->setInterval(scriptInterval());
}

void TForm_debug::ScrollBar_durationChange(int value) {
  m_durationValue->setText(QString::number(value));
  if (m_scriptLoaded) m_scriptTimer->setInterval(scriptInterval());
}

// -------------------------------------------------------------- value panel

void TForm_debug::setPanelValue(uint32_t v) {
  m_panelValue = v;
  const QString dec = QString::number(v);
  const QString hex = hexAtLeast4(v);
  m_panelDec->setText(dec);
  m_editDec->setText(dec);
  m_panelHex->setText(hex);
  m_editHex->setText(hex);
  m_panelBin->setText(bitString(hex));
  for (int i = 0; i < 16; ++i)
    m_bits[size_t(i)]->setText((v >> (15 - i)) & 1u ? QStringLiteral("1") : QStringLiteral("0"));
}

void TForm_debug::fillPanelFromSelection() {
  QString selection = m_memoRecu->textCursor().selectedText();
  selection.remove(QChar::ParagraphSeparator);
  if (selection.isEmpty()) {
    m_panelName.clear();
    m_panelVariable->setText(kNoValue);
    setPanelValue(0);
    return;
  }
  const DigitSplit split = splitDigits(selection);
  m_panelName = split.name.trimmed();
  const auto v = digitsValue(split.digits);
  if (!split.digits.isEmpty() && (!v || *v > UINT32_MAX)) {
    m_panelVariable->setText(m_panelName + QStringLiteral(" (valeur trop grande)"));
    setPanelValue(0);
    return;
  }
  m_panelVariable->setText(m_panelName);
  setPanelValue(v ? static_cast<uint32_t>(*v) : 0u);
}

void TForm_debug::BitBtn_Operation_logiqueClick() {
  if (!m_panel->isHidden()) {
    m_panel->hide();
    return;
  }
  fillPanelFromSelection();
  m_panel->show();
  m_panel->raise();
}

void TForm_debug::BitBox_Click(int box) {
  if (box < 1 || box > 16) return;
  setPanelValue(m_panelValue ^ (1u << (16 - box)));
}

void TForm_debug::Edit_valeur_decEnter() {
  const auto v = digitsValue(m_editDec->text());
  setPanelValue(!v ? 0u : *v > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(*v));
}

void TForm_debug::Edit_valeur_hexEnter() {
  const QString text = m_editHex->text().left(4).rightJustified(4, QLatin1Char('0'));
  bool ok = false;
  const uint v = text.toUInt(&ok, 16);
  setPanelValue(ok ? v : 0u);
}

void TForm_debug::BitBtn_okClick() {
  m_panel->hide();
  setPending(QString::number(m_panelValue), true);
}

void TForm_debug::BitBtn_annulerClick() {
  m_panel->hide();
}

void TForm_debug::BitBtn_envoieClick() {
  for (const auto& l : m_lines) {
    if (l.name == m_panelName && !m_panelName.isEmpty()) {
      sendRaw(QByteArray::number(m_panelValue) + l.code.toLatin1());
      return;
    }
  }
  zelvan::ui::dialogs().message(
      this, zelvan::ui::MessageKind::Warning, QStringLiteral("DEBUG"),
      m_panelName.isEmpty()
          ? QStringLiteral("Aucun registre choisi : selectionner la variable dans la reception.")
          : QStringLiteral("Registre inconnu : %1").arg(m_panelName));
}

void TForm_debug::BitBtn_desactiver_receptionClick() {
  if (!filterActive() || m_filterCount < 1) return;
  const int row = watchRowOfName(m_panelName);
  if (row < 0) return;
  setWatchItemChecked(row, !watchItemChecked(row));
}

void TForm_debug::showLogHint(bool on) {
  if (on == m_logHint) return;
  m_logHint = on;
  m_memoRecu->setToolTip(on ? QStringLiteral("Double Cliquer sur la variable") : QString());
  QFont f = m_operation->font();
  f.setBold(on);
  m_operation->setFont(f);
  QPalette p = m_operation->palette();
  p.setColor(QPalette::ButtonText, on ? QColor(Qt::red) : palette().color(QPalette::ButtonText));
  m_operation->setPalette(p);
}

// ------------------------------------------------------------------- events

bool TForm_debug::eventFilter(QObject* watched, QEvent* event) {
  // Value panel: dragged with the left button.
  if (watched == m_panel) {
    if (event->type() == QEvent::MouseButtonPress) {
      auto* me = static_cast<QMouseEvent*>(event);
      if (me->button() == Qt::LeftButton) {
        m_panelDragging = true;
        m_panelDragOffset = me->position().toPoint();
        return true;
      }
    } else if (event->type() == QEvent::MouseMove && m_panelDragging) {
      auto* me = static_cast<QMouseEvent*>(event);
      QPoint to = m_panel->mapToParent(me->position().toPoint()) - m_panelDragOffset;
      to.setX(std::clamp(to.x(), 0, std::max(0, width() - m_panel->width())));
      to.setY(std::clamp(to.y(), 0, std::max(0, height() - m_panel->height())));
      m_panel->move(to);
      return true;
    } else if (event->type() == QEvent::MouseButtonRelease && m_panelDragging) {
      m_panelDragging = false;
      return true;
    }
    return false;
  }
  // Bit boxes: a click inverts the bit.
  if (event->type() == QEvent::MouseButtonPress) {
    for (int i = 0; i < 16; ++i) {
      if (watched == m_bits[size_t(i)]) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) BitBox_Click(i + 1);
        return true;
      }
    }
  }
  // The log's left part invites a double click.
  if (watched == m_memoRecu->viewport()) {
    if (event->type() == QEvent::MouseMove)
      showLogHint(static_cast<QMouseEvent*>(event)->position().x() < kLogLeftPart);
    else if (event->type() == QEvent::Leave)
      showLogHint(false);
    return false;
  }
  // Right clicks on the command buttons and on Clear.
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    if (watched == m_clear) {
      BitBtn_clearRightClick();
      return true;
    }
    for (int i = 0; i < kCommandButtons; ++i) {
      if (watched == m_buttons[size_t(i)]) {
        BitBtn_ADBGRightClick(i + 1);
        return true;
      }
    }
  }
  if (event->type() == QEvent::KeyPress) {
    auto* ke = static_cast<QKeyEvent*>(event);
    if (commandKey(ke->key(), ke->text(), ke->modifiers())) return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TForm_debug::keyPressEvent(QKeyEvent* event) {
  if (commandKey(event->key(), event->text(), event->modifiers())) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TForm_debug::mouseDoubleClickEvent(QMouseEvent* event) {
  FormDblClick();
  event->accept();
}

void TForm_debug::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  flushLog();
  if (!m_firstShow) return;
  m_firstShow = false;
  if (const QScreen* s = screen()) {
    const int h = s->geometry().height() - y() - m_clear->height() - 20;
    resize(kFormWidth, std::max(h, minimumHeight()));
  }
}

void TForm_debug::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void TForm_debug::FormClose() {
  // Closing only hides the console: a script transfer keeps its pace until
  // everything is sent or Stop is chosen, as the operator may close the
  // window to watch the device while a long script runs.
  SaveSettings();
}

// The debug console: building the window (menus, pending command, register
// list, memos, watch list, command buttons, script pace, Clear) and filling
// the register and watch lists.
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "tools/tform_debug.h"
#include "tools/tform_debug_internal.h"

using namespace zelvan::debugconsole;
using namespace zelvan::debugconsole::form;

namespace {

QString verticalCaption(const QString& words) {
  QStringList letters;
  for (const QChar c : words) letters << QString(c);
  return letters.join(QLatin1Char('\n'));
}

}  // namespace

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


// The debug console: construction, command entry, Clear and the window's
// events. Building the window, the value panel, the log and watch list, the
// command buttons and the script transfer live in tform_debug_*.cpp.
#include "tools/tform_debug.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QTextCursor>
#include <QTimer>
#include <algorithm>

#include "device/zelvan_d.h"
#include "tools/debug_format.h"
#include "tools/tform_debug_internal.h"

using namespace zelvan::debugconsole;
using namespace zelvan::debugconsole::form;

namespace {

constexpr int kShakeSteps = 35;
constexpr int kMaxPending = 4096;

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

// The debug console's receive log (Memo_recu) and the watch list that
// filters it (CheckListBox_bloque_reception_rs, the DEV exclusion).
#include <QListWidget>
#include <QPushButton>

#include "device/zelvan_d.h"
#include "tools/debug_format.h"
#include "tools/tform_debug.h"
#include "tools/tform_debug_internal.h"

using namespace zelvan::debugconsole;
using namespace zelvan::debugconsole::form;

namespace {

// Longest reply text copied into a log line.
constexpr int kMaxLoggedReply = 256;

}  // namespace

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

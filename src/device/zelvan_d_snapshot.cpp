// Device state snapshot: the register store written as the commands that
// would set it again, and the paced replay of such a file.
#include <QFile>

#include "device/atomicfile.h"
#include "device/zelvan_d.h"

using namespace zelvan;

namespace {
// A snapshot is a few kilobytes; a file far larger than that is not one.
constexpr qint64 kMaxSnapshotFile = 16 * 1024 * 1024;

void appendCommand(QByteArray& out, int32_t value, std::string_view code) {
  out.append(QByteArray::number(value));
  out.append(code.data(), qsizetype(code.size()));
  out.append("\r\n");
}

// A line ends at CR LF, at a lone LF or at a lone CR. Returns the end of the
// line that starts at pos, and in *next the start of the line after it.
qsizetype lineEnd(const QByteArray& text, qsizetype pos, qsizetype* next) {
  const qsizetype n = text.size();
  qsizetype i = pos;
  while (i < n && text[i] != '\r' && text[i] != '\n') ++i;
  if (next) *next = i >= n ? n : (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ? i + 2 : i + 1;
  return i;
}
}  // namespace

QByteArray TZelvan_d::SnapshotText() {
  QByteArray out;
  out.reserve(4096);
  for (int i = 0; i < kRegisterCount; ++i) {
    const auto& info = registerInfo(i);
    if (info.kind == 0) {
      appendCommand(out, ReadRegister(i), info.code);
    } else if (info.kind == 1) {
      for (uint32_t c = 1; c <= 8; ++c) {
        m_store[Reg::PCHAN][0] = c;  // selects the channel to read; nothing is sent
        appendCommand(out, static_cast<int32_t>(c), registerInfo(Reg::PCHAN).code);
        appendCommand(out, ReadRegister(i), info.code);
      }
    }
  }
  return out;
}

bool TZelvan_d::setPropertyVarSaveMiniConfigToFile(const QString& path) {
  m_savePath = path;
  const QByteArray text = SnapshotText();
  // Written beside the target and renamed over it, so a failed save leaves
  // the previous file as it was.
  QString why;
  if (!writeFileAtomically(path, text, &why)) {
    if (OnErrorMessage) OnErrorMessage(QStringLiteral("Cannot write %1: %2").arg(path, why));
    return false;
  }
  return true;
}

void TZelvan_d::setPropertyVarLoadMiniConfigToFile(const QString& path) {
  m_loadPath = path;
  m_loadText.clear();
  m_loadActive = false;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxSnapshotFile) return;
  QByteArray text = f.read(kMaxSnapshotFile);
  // Count the lines; text after the last line end is a line of its own.
  uint32_t count = 0;
  for (qsizetype pos = 0; pos < text.size(); ++count) lineEnd(text, pos, &pos);
  if (count == 0) return;
  m_loadText = std::move(text);
  m_loadCursorPos = 0;
  m_loadCursorLine = 0;
  m_loadCount = count;
  m_loadNext = 0;
  m_loadActive = true;
  replayStep();
}

QByteArray TZelvan_d::loadLine(uint32_t index) {
  // Replays go forward one line at a time; an index moved back from outside
  // walks again from the first line.
  if (index < m_loadCursorLine) {
    m_loadCursorLine = 0;
    m_loadCursorPos = 0;
  }
  while (m_loadCursorLine < index) {
    lineEnd(m_loadText, m_loadCursorPos, &m_loadCursorPos);
    ++m_loadCursorLine;
  }
  const qsizetype end = lineEnd(m_loadText, m_loadCursorPos, nullptr);
  return m_loadText.mid(m_loadCursorPos, end - m_loadCursorPos);
}

void TZelvan_d::replayStep() {
  if (m_loadNext < m_loadCount) {
    const QByteArray line = loadLine(m_loadNext);
    SendRaw(line);
    // The code part starts at the first character above ':'.
    qsizetype i = 0;
    while (i < line.size() && static_cast<unsigned char>(line[i]) <= ':') ++i;
    const int reg = lastRegisterWithCode(std::string_view(line.constData() + i, size_t(line.size() - i)));
    if (reg >= 0) m_loadAwaited = reg;
    ++m_loadNext;
  }
  if (m_loadNext > m_loadCount) {
    m_loadNext = m_loadCount;
    m_loadActive = false;
  }
  m_loadProgress = m_loadCount ? static_cast<uint32_t>(uint64_t{m_loadNext} * 100u / m_loadCount) : 0;
  fire(OnVarNroLigneMiniConfigOfFile);
}

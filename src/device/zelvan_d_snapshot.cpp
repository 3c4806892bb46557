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
  m_loadLines.clear();
  m_loadActive = false;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxSnapshotFile) return;
  const QByteArray text = f.read(kMaxSnapshotFile);
  // A line ends at CR LF, at a lone LF or at a lone CR.
  qsizetype start = 0;
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    m_loadLines.push_back(text.mid(start, i - start));
    if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) m_loadLines.push_back(text.mid(start));
  if (m_loadLines.empty()) return;
  m_loadCount = static_cast<uint32_t>(m_loadLines.size());
  m_loadNext = 0;
  m_loadActive = true;
  replayStep();
}

void TZelvan_d::replayStep() {
  if (m_loadNext < m_loadCount) {
    const QByteArray& line = m_loadLines[m_loadNext];
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

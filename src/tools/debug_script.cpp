#include "tools/debug_script.h"

namespace zelvan::debugconsole {

namespace {
constexpr qint64 kChunk = 64 * 1024;
}

bool ScriptReader::open(const QString& path) {
  close();
  m_file.setFileName(path);
  if (!m_file.open(QIODevice::ReadOnly)) {
    m_error = QStringLiteral("Impossible d'ouvrir le fichier %1 : %2").arg(path, m_file.errorString());
    return false;
  }
  if (!fill(kLineModeLimit + 2)) {
    close();
    return false;
  }
  if (available() == 0) {
    m_error = QStringLiteral("Le fichier %1 est vide.").arg(path);
    close();
    return false;
  }
  // Length of the first line, as far as it matters for the choice.
  qsizetype firstLen = 0;
  while (firstLen < available() && m_buf[m_pos + firstLen] != '\r' && m_buf[m_pos + firstLen] != '\n')
    ++firstLen;
  m_mode = firstLen < kLineModeLimit ? Mode::Lines : Mode::Characters;
  return true;
}

void ScriptReader::close() {
  if (m_file.isOpen()) m_file.close();
  m_buf.clear();
  m_pos = 0;
  m_eof = false;
  m_failed = false;
  m_error.clear();
  m_midLine = false;
  m_pendingLf = false;
  m_emitted = false;
  m_lastWasLf = false;
}

bool ScriptReader::fill(qsizetype want) {
  if (m_failed) return false;
  while (available() < want && !m_eof) {
    if (m_pos > 0) {
      m_buf.remove(0, m_pos);
      m_pos = 0;
    }
    const QByteArray chunk = m_file.read(kChunk);
    if (chunk.isEmpty()) {
      if (m_file.error() != QFileDevice::NoError) {
        m_error = QStringLiteral("Erreur de lecture du fichier %1 : %2")
                      .arg(m_file.fileName(), m_file.errorString());
        m_failed = true;
        return false;
      }
      m_eof = true;
      break;
    }
    if (chunk.contains('\0')) {
      m_error = QStringLiteral("Le fichier %1 n'est pas un fichier texte.").arg(m_file.fileName());
      m_failed = true;
      return false;
    }
    m_buf += chunk;
  }
  return true;
}

bool ScriptReader::next(QByteArray* out) {
  if (!m_file.isOpen() || m_failed) return false;
  return m_mode == Mode::Lines ? nextLine(out) : nextChar(out);
}

bool ScriptReader::nextLine(QByteArray* out) {
  for (;;) {
    // Look for a line break among the unread bytes, reading more as needed
    // but never holding more than one piece plus a chunk.
    qsizetype i = m_pos;
    qsizetype breakAt = -1;
    for (;;) {
      const qsizetype end = m_buf.size();
      for (; i < end; ++i) {
        const char c = m_buf[i];
        if (c == '\r' || c == '\n') {
          breakAt = i;
          break;
        }
      }
      if (breakAt >= 0 || i - m_pos >= kMaxPiece || m_eof) break;
      const qsizetype scanned = i - m_pos;
      if (!fill(available() + 1)) return false;
      i = m_pos + scanned;
    }
    if (breakAt < 0) {
      const qsizetype len = std::min(available(), kMaxPiece);
      if (len == 0) return false;  // end of the text
      *out = m_buf.mid(m_pos, len);
      m_pos += len;
      m_midLine = true;
      return true;
    }
    const qsizetype len = breakAt - m_pos;
    if (len > kMaxPiece) {
      *out = m_buf.mid(m_pos, kMaxPiece);
      m_pos += kMaxPiece;
      m_midLine = true;
      return true;
    }
    *out = m_buf.mid(m_pos, len);
    m_pos = breakAt + 1;
    if (m_buf[breakAt] == '\r') {
      if (!fill(1)) return false;
      if (available() > 0 && m_buf[m_pos] == '\n') ++m_pos;
    }
    const bool endsCutLine = m_midLine && len == 0;
    m_midLine = false;
    if (endsCutLine) continue;  // the break after a cut line: nothing left of it
    return true;
  }
}

bool ScriptReader::nextChar(QByteArray* out) {
  if (m_pendingLf) {
    m_pendingLf = false;
    *out = QByteArray(1, '\n');
    m_lastWasLf = true;
    return true;
  }
  if (!fill(2)) return false;
  if (available() == 0) {
    // The text ends every line with CR LF, the last one included.
    if (m_emitted && !m_lastWasLf) {
      m_pendingLf = true;
      m_lastWasLf = false;
      *out = QByteArray(1, '\r');
      return true;
    }
    return false;
  }
  const char c = m_buf[m_pos++];
  m_emitted = true;
  if (c == '\r' || c == '\n') {
    if (c == '\r' && available() > 0 && m_buf[m_pos] == '\n') ++m_pos;
    m_pendingLf = true;
    m_lastWasLf = false;
    *out = QByteArray(1, '\r');
    return true;
  }
  m_lastWasLf = false;
  *out = QByteArray(1, c);
  return true;
}

}  // namespace zelvan::debugconsole

// Streams a text file for the debug console's script transfer without
// loading it whole: either line by line (each line without its line break)
// or character by character through the file's text with every line ended
// by CR LF. Line breaks in the file may be CR LF, LF or a lone CR.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace zelvan::debugconsole {

class ScriptReader {
 public:
  enum class Mode { Lines, Characters };

  // A first line shorter than this many characters selects line mode.
  static constexpr int kLineModeLimit = 10;
  // Longest piece handed out at once in line mode: a longer line comes in
  // consecutive pieces, which on the wire is the same text.
  static constexpr qsizetype kMaxPiece = 1024;

  ScriptReader() = default;
  ScriptReader(const ScriptReader&) = delete;
  ScriptReader& operator=(const ScriptReader&) = delete;

  // Opens the file and chooses the mode from its first line. False, with a
  // message in error(), for a missing or unreadable file, an empty file and
  // a file that holds NUL bytes (not a text file).
  bool open(const QString& path);
  void close();
  bool isOpen() const { return m_file.isOpen(); }
  Mode mode() const { return m_mode; }
  QString error() const { return m_error; }

  // The next piece to send: a line in line mode, one character in
  // character mode. False at the end of the text, or on a read error or a
  // NUL byte further on (error() then says why).
  bool next(QByteArray* out);

 private:
  // Makes at least `want` unread bytes available when the file has them;
  // false on a read error or a NUL byte.
  bool fill(qsizetype want);
  qsizetype available() const { return m_buf.size() - m_pos; }
  bool nextLine(QByteArray* out);
  bool nextChar(QByteArray* out);

  QFile m_file;
  QByteArray m_buf;
  qsizetype m_pos = 0;
  bool m_eof = false;
  bool m_failed = false;
  Mode m_mode = Mode::Lines;
  QString m_error;
  // Line mode: the previous piece was cut from a long line, so a line break
  // right after it ends that line rather than an empty one.
  bool m_midLine = false;
  // Character mode: the LF of a CR LF still to hand out; whether any
  // character was handed out and whether the last one ended a line.
  bool m_pendingLf = false;
  bool m_emitted = false;
  bool m_lastWasLf = false;
};

}  // namespace zelvan::debugconsole

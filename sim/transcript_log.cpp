#include "sim/transcript_log.h"

#include <QDateTime>

namespace zsim {

bool TranscriptLog::open(const QString& path, QString* error) {
  m_file.setFileName(path);
  if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
    if (error) *error = QStringLiteral("cannot open log file %1: %2").arg(path, m_file.errorString());
    return false;
  }
  return true;
}

std::string TranscriptLog::escape(std::string_view bytes) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size());
  for (const char ch : bytes) {
    const auto u = static_cast<unsigned char>(ch);
    if (u >= 0x20 && u < 0x7F && u != '\\') {
      out.push_back(ch);
    } else if (u == '\\') {
      out.append("\\\\");
    } else {
      out.append("\\x");
      out.push_back(hex[u >> 4]);
      out.push_back(hex[u & 15]);
    }
  }
  return out;
}

void TranscriptLog::write(char direction, const QString& source, std::string_view text, std::string_view note) {
  if (!m_file.isOpen()) return;
  QByteArray line = QDateTime::currentDateTime().toString(Qt::ISODateWithMs).toUtf8();
  line += ' ';
  line += direction;
  line += ' ';
  line += source.toUtf8().leftJustified(12, ' ');
  line += ' ';
  const std::string esc = escape(text);
  line.append(esc.data(), static_cast<qsizetype>(esc.size()));
  if (!note.empty()) {
    line += "  (";
    line.append(note.data(), static_cast<qsizetype>(note.size()));
    line += ')';
  }
  line += '\n';
  m_file.write(line);
  m_file.flush();
}

void TranscriptLog::received(const QString& source, std::string_view command, bool ignored) {
  write('<', source, command, ignored ? "ignored, mute" : "");
}

void TranscriptLog::sent(std::string_view line, std::string_view note) {
  write('>', QStringLiteral("all"), line, note);
}

void TranscriptLog::event(const QString& text) {
  const QByteArray t = text.toUtf8();
  write('*', QStringLiteral("sim"), std::string_view(t.constData(), static_cast<size_t>(t.size())), {});
}

}  // namespace zsim

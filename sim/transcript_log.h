// The --log transcript: every command received and every line sent, with a
// timestamp, the peer and what the fault injection did to it. Lines are
// written as they happen (a transcript is a stream, not a document), and
// bytes outside printable ASCII are escaped so the file stays one line per event.
#pragma once

#include <QFile>
#include <QString>
#include <string>
#include <string_view>

namespace zsim {

class TranscriptLog {
 public:
  bool open(const QString& path, QString* error);
  bool isOpen() const { return m_file.isOpen(); }
  void close() { m_file.close(); }

  void received(const QString& source, std::string_view command, bool ignored = false);
  void sent(std::string_view line, std::string_view note = {});
  void event(const QString& text);

  static std::string escape(std::string_view bytes);

 private:
  void write(char direction, const QString& source, std::string_view text, std::string_view note);
  QFile m_file;
};

}  // namespace zsim

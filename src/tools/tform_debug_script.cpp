// The debug console's script transfer: streams a text file to the device at
// the pace set by ScrollBar_duration.
#include <QLabel>
#include <QScrollBar>
#include <QTimer>

#include "tools/tform_debug.h"
#include "widgets/uidialogs.h"

using namespace zelvan::debugconsole;

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

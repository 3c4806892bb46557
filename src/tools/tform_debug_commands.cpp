// The debug console's programmable command buttons, their settings file and
// the Force Connect menu.
#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "device/zelvan_d.h"
#include "tools/tform_debug.h"
#include "tools/tform_debug_internal.h"
#include "widgets/uidialogs.h"

using namespace zelvan::debugconsole;

// ---------------------------------------------------------- command buttons

void TForm_debug::applyCommandButton(int n) {
  QPushButton* b = m_buttons[size_t(n - 1)];
  b->setText(m_settings.captions[size_t(n - 1)]);
  b->setToolTip(m_settings.commands[size_t(n - 1)]);
}

void TForm_debug::BitBtn_ADBGClick(int n) {
  if (n < 1 || n > kCommandButtons) return;
  const QString& cmd = m_settings.commands[size_t(n - 1)];
  if (!cmd.isEmpty()) sendRaw(cmd.toLatin1());
}

void TForm_debug::BitBtn_ADBGRightClick(int n) {
  if (n < 1 || n > kCommandButtons) return;
  auto& dlg = zelvan::ui::dialogs();
  const auto caption =
      dlg.inputText(this, QStringLiteral("DEBUG"), QStringLiteral("Entrer description d'addressage"),
                    m_settings.captions[size_t(n - 1)]);
  if (caption) m_settings.captions[size_t(n - 1)] = cleanValue(*caption, kMaxCaptionLength);
  const auto command =
      dlg.inputText(this, QStringLiteral("DEBUG"), QStringLiteral("Entrer l'addresse et/ou la donnée"),
                    m_settings.commands[size_t(n - 1)]);
  if (command) m_settings.commands[size_t(n - 1)] = cleanValue(*command, kMaxCommandLength);
  applyCommandButton(n);
}

QString TForm_debug::commandCaption(int n) const {
  return n >= 1 && n <= kCommandButtons ? m_settings.captions[size_t(n - 1)] : QString();
}

QString TForm_debug::commandText(int n) const {
  return n >= 1 && n <= kCommandButtons ? m_settings.commands[size_t(n - 1)] : QString();
}

void TForm_debug::setCommandButton(int n, const QString& caption, const QString& command) {
  if (n < 1 || n > kCommandButtons) return;
  m_settings.captions[size_t(n - 1)] = cleanValue(caption, kMaxCaptionLength);
  m_settings.commands[size_t(n - 1)] = cleanValue(command, kMaxCommandLength);
  applyCommandButton(n);
}

bool TForm_debug::LoadSettings() {
  ButtonSettings s;
  QString why;
  const LoadResult r = loadButtonSettings(m_settingsPath, s, &why);
  if (r == LoadResult::Rejected) {
    logLine(QStringLiteral("Fichier \"%1\" ignore (%2) : boutons par defaut.")
                .arg(QFileInfo(m_settingsPath).fileName(), why));
    s = ButtonSettings();
  }
  m_settings = s;
  for (int n = 1; n <= kCommandButtons; ++n) applyCommandButton(n);
  return r == LoadResult::Loaded;
}

bool TForm_debug::SaveSettings() {
  QString why;
  if (saveButtonSettings(m_settingsPath, m_settings, &why)) return true;
  zelvan::ui::dialogs().message(
      this, zelvan::ui::MessageKind::Error, QStringLiteral("DEBUG"),
      QStringLiteral("Impossible d'enregistrer \"%1\" : %2").arg(m_settingsPath, why));
  return false;
}

// ------------------------------------------------------------ force connect

void TForm_debug::ForceConnect1Click() {
  const bool on = m_link && m_link->ForceConn();
  m_actOn->setChecked(on);
  m_actOff->setChecked(!on);
}

void TForm_debug::On1Click() {
  if (m_link) m_link->setForceConn(true);
  ForceConnect1Click();
}

void TForm_debug::Off1Click() {
  if (m_link) m_link->setForceConn(false);
  ForceConnect1Click();
}

// The main window's files: validating and applying a customization file,
// writing it, the Files menu with its recent customizations, and the
// device state snapshot commands with their progress window.
#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <limits>

#include "app/app_info.h"
#include "app/config_progress.h"
#include "app/main_menus.h"
#include "app/recent_files.h"
#include "app/tzelvan_main.h"
#include "device/comports.h"
#include "device/zelvan_d.h"
#include "tools/serialportmenu.h"
#include "widgets/uidialogs.h"

using namespace zelvan::app;

namespace {
const QString kCustomizationFilter = QStringLiteral("Your customization (*.usr)");
const QString kConfigurationFilter = QStringLiteral("Your configuration (*.USR.Zelvan)");
}  // namespace

// --------------------------------------------------------------- validation

bool TZelvan_main::Verif_fichier_ini(const IniLines& list, const QString& fileName) {
  if (fileName == logo_settings::kFileName) return logo_settings::verify(list, logoSettingsDir());
  return verifyCustomization(list);
}

// ----------------------------------------------------------------- applying

void TZelvan_main::LoadButtonName(const IniLines& list) {
  ensureSerialPorts();
  // 1. A port other than the link's: the titles say so until the link is chosen below.
  const QString port = list.value(QStringLiteral("Port"));
  if (port != Zelvan_d1->Port()) setWindowTitles(QStringLiteral("Port: Not connected"));

  // 2. The link's network settings (a value that is no number is left out).
  if (list.has(QStringLiteral("REMOTE_IP"))) Zelvan_d1->setIpRemoteAddress(list.value(QStringLiteral("REMOTE_IP")));
  if (list.has(QStringLiteral("REMOTE_PORT_ENTRY")))
    if (const auto p = parseSettingsInt(list.value(QStringLiteral("REMOTE_PORT_ENTRY")))) Zelvan_d1->setIpRemotePort(*p);
  if (list.has(QStringLiteral("LOCAL_PORT_ENTRY")))
    if (const auto p = parseSettingsInt(list.value(QStringLiteral("LOCAL_PORT_ENTRY")))) Zelvan_d1->setIpLocalPort(*p);

  // 3. The link type; choosing it opens the link.
  if (list.has(QStringLiteral("IP_ENABLE"))) {
    const QString type = list.value(QStringLiteral("IP_ENABLE"));
    if (type == QLatin1String("2") || type == QLatin1String("1")) {
      const bool tcp = type == QLatin1String("2");
      Zelvan_d1->setConType(tcp ? CON_TCP : CON_UDP);
      setWindowTitles(tcp ? QStringLiteral("TCP") : QStringLiteral("UDP"));
      SerialPorts->SetMIPConfigChecked(true);
    } else {
      Zelvan_d1->setConType(CON_RS232);
      const int n = zelvan::comPortNumber(port);
      if (n >= 1 && n <= zelvan::kComPortCount && port == QStringLiteral("COM%1").arg(n)) SerialPorts->comClick(n);
      SerialPorts->SetMIPConfigChecked(false);
    }
  }

  // 4. Labels of the inputs and memories.
  for (int i = 0; i < InputLabelList.size() && i < kInputCount; ++i)
    InputLabelList[i]->setText(list.value(QStringLiteral("CallNameInput%1").arg(i + 1)));
  for (int i = 0; i < kMemoryLabelCount; ++i)
    MemoryLabels[size_t(i)] = list.value(QStringLiteral("FrAndLo%1").arg(kInputCount + 1 + i));

  // 5. to 7. The selected effect key and the effect memories.
  readEffectMemory(list, EffectMemory);

  // 8. Audio channel names; an empty first one restores all defaults.
  for (int n = 1; n <= kAudioCount; ++n) AudioLabels[size_t(n - 1)] = list.value(QStringLiteral("AUDIO%1").arg(n));
  if (AudioLabels[0].isEmpty())
    for (int n = 1; n <= kAudioCount; ++n) AudioLabels[size_t(n - 1)] = defaultAudioName(n);
  for (int n = 1; n <= kAudioCount; ++n)
    if (auto* l = findControl<QLabel>(QStringLiteral("Label_Audio_%1").arg(n))) l->setText(AudioLabels[size_t(n - 1)]);

  // 9. Output names; an empty first one restores both defaults.
  OutputLabels = {list.value(QStringLiteral("OUTPUT1")), list.value(QStringLiteral("OUTPUT2"))};
  if (OutputLabels[0].isEmpty()) OutputLabels = {defaultOutputName(1), defaultOutputName(2)};

  // 10.
  if (hooks.effectMemoriesTakenOver) hooks.effectMemoriesTakenOver();
}

// ------------------------------------------------------------------ writing

CustomizationState TZelvan_main::currentCustomization() const {
  CustomizationState s;
  s.port = SerialPorts ? SerialPorts->CheckedPortName() : QStringLiteral("COM1");
  switch (Zelvan_d1->ConType()) {
    case CON_TCP: s.ipEnable = 2; break;
    case CON_UDP: s.ipEnable = 1; break;
    default: s.ipEnable = 0; break;
  }
  s.remoteIp = Zelvan_d1->IpRemoteAddress();
  s.remotePort = Zelvan_d1->IpRemotePort();
  s.localPort = Zelvan_d1->IpLocalPort();
  for (int i = 0; i < kInputCount; ++i)
    s.inputNames[size_t(i)] = i < InputLabelList.size() ? InputLabelList[i]->text() : defaultInputName(i + 1);
  s.memoryLabels = MemoryLabels;
  s.effects = EffectMemory;
  s.audioNames = AudioLabels;
  s.outputNames = OutputLabels;
  return s;
}

void TZelvan_main::save() {
  if (writeLinesAtomically(CustomizationFileName, customizationLines(currentCustomization()))) return;
  // The previous file is still intact (the write goes through a temporary
  // file); the operator learns that the customization was not kept.
  zelvan::ui::dialogs().message(this, zelvan::ui::MessageKind::Error, applicationTitle(),
                                QStringLiteral("The customization could not be written to \"%1\".")
                                    .arg(QDir::toNativeSeparators(CustomizationFileName)));
}

// --------------------------------------------------------------- Files menu

void TZelvan_main::resetLabels(bool inputs, bool frames, bool outputs, bool audio, bool logos) {
  if (inputs) {
    // Before the start-up sequence the label list is not built yet.
    if (InputLabelList.isEmpty()) ensureInputLabels();
    for (int i = 0; i < InputLabelList.size(); ++i) InputLabelList[i]->setText(defaultInputName(i + 1));
  }
  for (int i = 1; i < kMemoryLabelCount; ++i) {
    const bool isFrame = i <= 2 || i >= 11;
    if ((isFrame && frames) || (!isFrame && logos)) MemoryLabels[size_t(i)] = defaultMemoryLabel(i);
  }
  if (outputs) OutputLabels = {defaultOutputName(1), defaultOutputName(2)};
  if (audio) {
    for (int n = 1; n <= kAudioCount; ++n) {
      AudioLabels[size_t(n - 1)] = defaultAudioName(n);
      if (auto* l = findControl<QLabel>(QStringLiteral("Label_Audio_%1").arg(n))) l->setText(AudioLabels[size_t(n - 1)]);
    }
  }
}

void TZelvan_main::New1Click() {
  resetLabels(true, true, true, true, true);
  if (hooks.refreshInputLabels) hooks.refreshInputLabels();
  if (hooks.refreshMemoryLabel)
    for (int i = 1; i < kMemoryLabelCount; ++i) hooks.refreshMemoryLabel(i);
  EffectMemory.initDefaults();
  if (hooks.effectMemoriesTakenOver) hooks.effectMemoriesTakenOver();
}

void TZelvan_main::addRecent(const QString& path) { RecentCustomizations().add(path); }

void TZelvan_main::Open1Click() {
  const QString path =
      zelvan::ui::dialogs().openFile(this, QStringLiteral("Open Your Customization"), QStringLiteral("."), kCustomizationFilter);
  if (path.isEmpty()) return;
  CustomizationFileName = path;
  LastOpenedCustomization = path;
  addRecent(path);
  open();
  if (hooks.refreshMemoryLabel)
    for (int i = 1; i < kMemoryLabelCount; ++i) hooks.refreshMemoryLabel(i);
}

void TZelvan_main::Save1Click() {
  if (CustomizationFileName != LastOpenedCustomization) {
    const QString path = zelvan::ui::dialogs().saveFile(this, QStringLiteral("Save Your Customization"), QStringLiteral("."),
                                                        kCustomizationFilter, QStringLiteral("usr"));
    if (!path.isEmpty()) {
      CustomizationFileName = path;
      addRecent(path);
    }
  }
  save();
}

void TZelvan_main::Saveas1Click() {
  const QString path = zelvan::ui::dialogs().saveFile(this, QStringLiteral("Save Your Customization"), QStringLiteral("."),
                                                      kCustomizationFilter, QStringLiteral("usr"));
  if (path.isEmpty()) return;
  CustomizationFileName = path;
  addRecent(path);
  save();
}

void TZelvan_main::RecentCustomizationClick(const QString& path) {
  CustomizationFileName = path;
  open();
  if (hooks.refreshMemoryLabel)
    for (int i = 1; i < kMemoryLabelCount; ++i) hooks.refreshMemoryLabel(i);
}

void TZelvan_main::Historique_registre() {
  QMenu* files = Menus->File1;
  for (QAction* a : recentItems_) {
    files->removeAction(a);
    a->deleteLater();
  }
  recentItems_.clear();
  if (recentSeparator_) {
    files->removeAction(recentSeparator_);
    recentSeparator_->deleteLater();
    recentSeparator_ = nullptr;
  }
  const QStringList paths = RecentCustomizations().load();
  if (paths.isEmpty()) return;
  int n = 0;
  for (const QString& path : paths) {
    auto* a = new QAction(files);
    // The caption shows the path as it is ("&" would otherwise be a mnemonic).
    a->setText(QString(path).replace(QLatin1Char('&'), QStringLiteral("&&")));
    a->setToolTip(path);
    a->setStatusTip(path);
    a->setData(path);
    a->setObjectName(QStringLiteral("RecentCustomization%1").arg(++n));
    connect(a, &QAction::triggered, this, [this, path] { RecentCustomizationClick(path); });
    files->insertAction(Menus->N_recent_end, a);
    recentItems_.append(a);
  }
  recentSeparator_ = new QAction(files);
  recentSeparator_->setSeparator(true);
  recentSeparator_->setObjectName(QStringLiteral("N_recent_items"));
  files->insertAction(Menus->N_recent_end, recentSeparator_);
}

// ------------------------------------------------- device state snapshots

void TZelvan_main::Loadconfig1Click() {
  const QString path =
      zelvan::ui::dialogs().openFile(this, QStringLiteral("Open Your configuration"), QStringLiteral("."), kConfigurationFilter);
  if (path.isEmpty()) return;
  Zelvan_d1->setPropertyVarLoadMiniConfigToFile(path);
}

void TZelvan_main::Saveconfig1Click() {
  const QString path = zelvan::ui::dialogs().saveFile(this, QStringLiteral("Save Your configuration"), QStringLiteral("."),
                                                      kConfigurationFilter, QStringLiteral("USR.Zelvan"));
  if (path.isEmpty()) return;
  // A failed write is reported by the link through OnErrorMessage.
  Zelvan_d1->setPropertyVarSaveMiniConfigToFile(path);
}

void TZelvan_main::Zelvan_d1VarNroLigneMiniConfigOfFile(QObject*, int) {
  ConfigProgress->showProgress(Zelvan_d1->PropertyVarNroLigneMiniConfigOfFile(), this, RRLMDProgressFill);
}

void TZelvan_main::FinLoadconfig() {
  // The largest line position makes the link stop sending and report 100 %.
  Zelvan_d1->setPropertyVarNroLigneMiniConfigOfFile(std::numeric_limits<uint32_t>::max());
}

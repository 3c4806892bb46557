// The main window's files: validating and applying a customization file,
// writing it, the Files menu with its recent customizations, and the
// device state snapshot commands with their progress window.
#include "app/main_files.h"

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
#include "app/memory_lists.h"
#include "app/signal_feature.h"
#include "app/tzelvan_main.h"
#include "device/comports.h"
#include "device/zelvan_d.h"
#include "tools/serialportmenu.h"
#include "widgets/uidialogs.h"

namespace zelvan::app {

namespace {
const QString kCustomizationFilter = QStringLiteral("Your customization (*.usr)");
const QString kConfigurationFilter = QStringLiteral("Your configuration (*.USR.Zelvan)");
}  // namespace

// --------------------------------------------------------------- validation

TMainFiles::TMainFiles(TZelvan_main& shell) : QObject(&shell), shell_(shell) {}

bool TMainFiles::Verif_fichier_ini(const IniLines& list, const QString& fileName) {
  if (fileName == logo_settings::kFileName) return logo_settings::verify(list, logoSettingsDir());
  return verifyCustomization(list);
}

// ----------------------------------------------------------------- applying

void TMainFiles::LoadButtonName(const IniLines& list) {
  shell_.ensureSerialPorts();
  // 1. A port other than the link's: the titles say so until the link is chosen below.
  const QString port = list.value(QStringLiteral("Port"));
  if (port != shell_.link()->Port()) shell_.setWindowTitles(QStringLiteral("Port: Not connected"));

  // 2. The link's network settings (a value that is no number is left out).
  if (list.has(QStringLiteral("REMOTE_IP"))) shell_.link()->setIpRemoteAddress(list.value(QStringLiteral("REMOTE_IP")));
  if (list.has(QStringLiteral("REMOTE_PORT_ENTRY")))
    if (const auto p = parseSettingsInt(list.value(QStringLiteral("REMOTE_PORT_ENTRY")))) shell_.link()->setIpRemotePort(*p);
  if (list.has(QStringLiteral("LOCAL_PORT_ENTRY")))
    if (const auto p = parseSettingsInt(list.value(QStringLiteral("LOCAL_PORT_ENTRY")))) shell_.link()->setIpLocalPort(*p);

  // 3. The link type; choosing it opens the link.
  if (list.has(QStringLiteral("IP_ENABLE"))) {
    const QString type = list.value(QStringLiteral("IP_ENABLE"));
    if (type == QLatin1String("2") || type == QLatin1String("1")) {
      const bool tcp = type == QLatin1String("2");
      shell_.link()->setConType(tcp ? CON_TCP : CON_UDP);
      shell_.setWindowTitles(tcp ? QStringLiteral("TCP") : QStringLiteral("UDP"));
      shell_.serialPorts()->SetMIPConfigChecked(true);
    } else {
      shell_.link()->setConType(CON_RS232);
      const int n = zelvan::comPortNumber(port);
      if (n >= 1 && n <= zelvan::kComPortCount && port == QStringLiteral("COM%1").arg(n)) shell_.serialPorts()->comClick(n);
      shell_.serialPorts()->SetMIPConfigChecked(false);
    }
  }

  // 4. Labels of the inputs and memories.
  for (int i = 0; i < shell_.memoryLists().InputLabelList.size() && i < kInputCount; ++i)
    shell_.memoryLists().InputLabelList[i]->setText(list.value(QStringLiteral("CallNameInput%1").arg(i + 1)));
  for (int i = 0; i < kMemoryLabelCount; ++i)
    shell_.state().MemoryLabels[size_t(i)] = list.value(QStringLiteral("FrAndLo%1").arg(kInputCount + 1 + i));

  // 5. to 7. The selected effect key and the effect memories.
  readEffectMemory(list, shell_.state().EffectMemory);

  // 8. Audio channel names; an empty first one restores all defaults.
  for (int n = 1; n <= kAudioCount; ++n) shell_.state().AudioLabels[size_t(n - 1)] = list.value(QStringLiteral("AUDIO%1").arg(n));
  if (shell_.state().AudioLabels[0].isEmpty())
    for (int n = 1; n <= kAudioCount; ++n) shell_.state().AudioLabels[size_t(n - 1)] = defaultAudioName(n);
  setAudioCaptions();

  // 9. Output names; an empty first one restores both defaults.
  shell_.state().OutputLabels = {list.value(QStringLiteral("OUTPUT1")), list.value(QStringLiteral("OUTPUT2"))};
  if (shell_.state().OutputLabels[0].isEmpty()) shell_.state().OutputLabels = {defaultOutputName(1), defaultOutputName(2)};

  // 10.
  shell_.effectMemoriesTakenOver();
}

// ------------------------------------------------------------------ writing

CustomizationState TMainFiles::currentCustomization() const {
  CustomizationState s;
  s.port = shell_.serialPorts() ? shell_.serialPorts()->CheckedPortName() : QStringLiteral("COM1");
  switch (shell_.link()->ConType()) {
    case CON_TCP: s.ipEnable = 2; break;
    case CON_UDP: s.ipEnable = 1; break;
    default: s.ipEnable = 0; break;
  }
  s.remoteIp = shell_.link()->IpRemoteAddress();
  s.remotePort = shell_.link()->IpRemotePort();
  s.localPort = shell_.link()->IpLocalPort();
  for (int i = 0; i < kInputCount; ++i)
    s.inputNames[size_t(i)] = i < shell_.memoryLists().InputLabelList.size() ? shell_.memoryLists().InputLabelList[i]->text() : defaultInputName(i + 1);
  s.memoryLabels = shell_.state().MemoryLabels;
  s.effects = shell_.state().EffectMemory;
  s.audioNames = shell_.state().AudioLabels;
  s.outputNames = shell_.state().OutputLabels;
  return s;
}

void TMainFiles::save() {
  if (writeLinesAtomically(shell_.state().CustomizationFileName, customizationLines(currentCustomization()))) return;
  // The previous file is still intact (the write goes through a temporary
  // file); the operator learns that the customization was not kept.
  zelvan::ui::dialogs().message(&shell_, zelvan::ui::MessageKind::Error, applicationTitle(),
                                QStringLiteral("The customization could not be written to \"%1\".")
                                    .arg(QDir::toNativeSeparators(shell_.state().CustomizationFileName)));
}

// --------------------------------------------------------------- Files menu

void TMainFiles::wireMenu(TMainMenus& m) {
  connect(m.New1, &QAction::triggered, this, [this] { New1Click(); });
  connect(m.Open1, &QAction::triggered, this, [this] { Open1Click(); });
  connect(m.Save1, &QAction::triggered, this, [this] { Save1Click(); });
  connect(m.Saveas1, &QAction::triggered, this, [this] { Saveas1Click(); });
  connect(m.Loadconfig1, &QAction::triggered, this, [this] { Loadconfig1Click(); });
  connect(m.Saveconfig1, &QAction::triggered, this, [this] { Saveconfig1Click(); });
}

void TMainFiles::resetLabels(bool inputs, bool frames, bool outputs, bool audio, bool logos) {
  if (inputs) {
    // Before the start-up sequence the label list is not built yet.
    if (shell_.memoryLists().InputLabelList.isEmpty()) shell_.memoryLists().ensureInputLabels();
    for (int i = 0; i < shell_.memoryLists().InputLabelList.size(); ++i) shell_.memoryLists().InputLabelList[i]->setText(defaultInputName(i + 1));
  }
  for (int i = 1; i < kMemoryLabelCount; ++i) {
    const bool isFrame = i <= 2 || i >= 11;
    if ((isFrame && frames) || (!isFrame && logos)) shell_.state().MemoryLabels[size_t(i)] = defaultMemoryLabel(i);
  }
  if (outputs) shell_.state().OutputLabels = {defaultOutputName(1), defaultOutputName(2)};
  if (audio) {
    for (int n = 1; n <= kAudioCount; ++n) shell_.state().AudioLabels[size_t(n - 1)] = defaultAudioName(n);
    setAudioCaptions();
  }
}

void TMainFiles::New1Click() {
  resetLabels(true, true, true, true, true);
  shell_.labelsChanged();
  shell_.memoryLabelsChanged();
  shell_.state().EffectMemory.initDefaults();
  shell_.effectMemoriesTakenOver();
}

void TMainFiles::addRecent(const QString& path) { RecentCustomizations().add(path); }

void TMainFiles::Open1Click() {
  const QString path =
      zelvan::ui::dialogs().openFile(&shell_, QStringLiteral("Open Your Customization"), QStringLiteral("."), kCustomizationFilter);
  if (path.isEmpty()) return;
  shell_.state().CustomizationFileName = path;
  shell_.state().LastOpenedCustomization = path;
  addRecent(path);
  shell_.open();
  shell_.memoryLabelsChanged();
}

void TMainFiles::Save1Click() {
  if (shell_.state().CustomizationFileName != shell_.state().LastOpenedCustomization) {
    const QString path = zelvan::ui::dialogs().saveFile(&shell_, QStringLiteral("Save Your Customization"), QStringLiteral("."),
                                                        kCustomizationFilter, QStringLiteral("usr"));
    if (!path.isEmpty()) {
      shell_.state().CustomizationFileName = path;
      addRecent(path);
    }
  }
  save();
}

void TMainFiles::Saveas1Click() {
  const QString path = zelvan::ui::dialogs().saveFile(&shell_, QStringLiteral("Save Your Customization"), QStringLiteral("."),
                                                      kCustomizationFilter, QStringLiteral("usr"));
  if (path.isEmpty()) return;
  shell_.state().CustomizationFileName = path;
  addRecent(path);
  save();
}

void TMainFiles::RecentCustomizationClick(const QString& path) {
  shell_.state().CustomizationFileName = path;
  shell_.open();
  shell_.memoryLabelsChanged();
}

void TMainFiles::Historique_registre() {
  QMenu* files = shell_.menus()->File1;
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
    files->insertAction(shell_.menus()->N_recent_end, a);
    recentItems_.append(a);
  }
  recentSeparator_ = new QAction(files);
  recentSeparator_->setSeparator(true);
  recentSeparator_->setObjectName(QStringLiteral("N_recent_items"));
  files->insertAction(shell_.menus()->N_recent_end, recentSeparator_);
}

// ------------------------------------------------- device state snapshots

void TMainFiles::Loadconfig1Click() {
  const QString path =
      zelvan::ui::dialogs().openFile(&shell_, QStringLiteral("Open Your configuration"), QStringLiteral("."), kConfigurationFilter);
  if (path.isEmpty()) return;
  shell_.link()->setPropertyVarLoadMiniConfigToFile(path);
}

void TMainFiles::Saveconfig1Click() {
  const QString path = zelvan::ui::dialogs().saveFile(&shell_, QStringLiteral("Save Your configuration"), QStringLiteral("."),
                                                      kConfigurationFilter, QStringLiteral("USR.Zelvan"));
  if (path.isEmpty()) return;
  // A failed write is reported by the link through OnErrorMessage.
  shell_.link()->setPropertyVarSaveMiniConfigToFile(path);
}

void TMainFiles::Zelvan_d1VarNroLigneMiniConfigOfFile() {
  shell_.configProgress()->showProgress(shell_.link()->PropertyVarNroLigneMiniConfigOfFile(), &shell_,
                                       shell_.RRLMDProgressFill());
}

void TMainFiles::FinLoadconfig() {
  // The largest line position makes the link stop sending and report 100 %.
  shell_.link()->setPropertyVarNroLigneMiniConfigOfFile(std::numeric_limits<uint32_t>::max());
}

// The audio captions Label_Audio_1..8 of the Audio page show the labels.
void TMainFiles::setAudioCaptions() {
  if (auto* signal = shell_.feature<TSignalFeature>()) signal->showAudioLabels();
}

}  // namespace zelvan::app

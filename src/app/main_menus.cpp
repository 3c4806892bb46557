#include "app/main_menus.h"


#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace {
QMenu* addMenu(QMenuBar* bar, QWidget* owner, const char* name, const QString& caption) {
  auto* m = new QMenu(caption, owner);
  m->setObjectName(QLatin1String(name));
  bar->addMenu(m);
  return m;
}

QMenu* subMenu(QMenu* parent, const char* name, const QString& caption) {
  QMenu* m = parent->addMenu(caption);
  m->setObjectName(QLatin1String(name));
  return m;
}

QAction* separator(QMenu* menu, const char* name) {
  QAction* s = menu->addSeparator();
  s->setObjectName(QLatin1String(name));
  return s;
}
}  // namespace

TMainMenus::TMainMenus(QMenuBar* bar, QWidget* owner) : QObject(owner) {
  setObjectName(QStringLiteral("MainMenu1"));
  buildFiles(bar, owner);
  buildMode(bar, owner);
  buildControls(bar, owner);
  buildCustomize(bar, owner);

  Serialport1 = addMenu(bar, owner, "Serialport1", QStringLiteral("&RS232/LAN Setup"));
  OkrimLANStatus1 = new QAction(QStringLiteral("LAN Setup"), owner);
  OkrimLANStatus1->setObjectName(QStringLiteral("OkrimLANStatus1"));
  bar->addAction(OkrimLANStatus1);

  Help1 = addMenu(bar, owner, "Help1", QStringLiteral("&?"));
  AboutOkrimLOGO = item(Help1, "AboutOkrimLOGO", QStringLiteral("About..."));

  buildEffects(owner);
}

QAction* TMainMenus::item(QMenu* menu, const char* name, const QString& caption, int tag) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(QLatin1String(name));
  if (tag >= 0) a->setData(tag);
  return a;
}

void TMainMenus::buildFiles(QMenuBar* bar, QWidget* owner) {
  File1 = addMenu(bar, owner, "File1", QStringLiteral("&Files"));
  Customize_title = item(File1, "Customize_title", QStringLiteral("Customize"));
  Customize_title->setEnabled(false);
  New1 = item(File1, "New1", QStringLiteral("&New"));
  Open1 = item(File1, "Open1", QStringLiteral("&Open..."));
  Save1 = item(File1, "Save1", QStringLiteral("&Save"));
  Saveas1 = item(File1, "Saveas1", QStringLiteral("Save as..."));
  N_recent_end = separator(File1, "N_recent_end");
  Configuration_title = item(File1, "Configuration1", QStringLiteral("Configuration"));
  Configuration_title->setEnabled(false);
  Loadconfig1 = item(File1, "Loadconfig1", QStringLiteral("Load"));
  Saveconfig1 = item(File1, "Saveconfig1", QStringLiteral("Save as..."));
  N_softedge_curves = separator(File1, "N_softedge_curves");
  Exit1 = item(File1, "Exit1", QStringLiteral("Exit"));
}

void TMainMenus::buildMode(QMenuBar* bar, QWidget* owner) {
  Mode1 = addMenu(bar, owner, "Mode1", QStringLiteral("&Mode"));
  ModeGroup = new QActionGroup(owner);
  ModeGroup->setObjectName(QStringLiteral("ModeGroup"));
  Mixer1 = item(Mode1, "Mixer1", QStringLiteral("Mixer"));
  Matrix1 = item(Mode1, "Matrix1", QStringLiteral("Matrix"));
  EmbeddedSE = item(Mode1, "EmbeddedSE", QStringLiteral("Embedded SE"));
  for (QAction* a : {Mixer1, Matrix1, EmbeddedSE}) {
    a->setCheckable(true);
    ModeGroup->addAction(a);
  }
  Mixer1->setChecked(true);
  EmbeddedSE->setEnabled(false);
  Setting1 = new QAction(QStringLiteral("&Settings"), owner);
  Setting1->setObjectName(QStringLiteral("Setting1"));
  Setting1->setVisible(false);
  bar->addAction(Setting1);
}

void TMainMenus::buildControls(QMenuBar* bar, QWidget* owner) {
  Controls1 = addMenu(bar, owner, "Controls1", QStringLiteral("&Controls"));
  auto radioPair = [owner](QAction* a, QAction* b) {
    auto* g = new QActionGroup(owner);
    for (QAction* x : {a, b}) {
      x->setCheckable(true);
      g->addAction(x);
    }
  };
  QMenu* pulldown = subMenu(Controls1, "PullDown1", QStringLiteral("2:2 &Pull-down"));
  PullDown_Auto = item(pulldown, "PullDown_Auto", QStringLiteral("Auto"), 1);
  PullDown_Off = item(pulldown, "PullDown_Off", QStringLiteral("Off"), 0);
  radioPair(PullDown_Auto, PullDown_Off);
  QMenu* demo = subMenu(Controls1, "DemoMode1", QStringLiteral("Demo mode"));
  Demo_Yes = item(demo, "Demo_Yes", QStringLiteral("Yes"), 1);
  Demo_No = item(demo, "Demo_No", QStringLiteral("No"), 0);
  radioPair(Demo_Yes, Demo_No);

  Input_Sync_Loss = subMenu(Controls1, "Input_Sync_Loss", QStringLiteral("Input Sync-Loss"));
  auto* alertGroup = new QActionGroup(owner);
  Frame_Alert_None = item(Input_Sync_Loss, "Frame_Alert_None", QStringLiteral("None"), 0);
  Frame_Alert_Frame[0] = item(Input_Sync_Loss, "Frame_Alert_Frame1", QStringLiteral("Frame 1"), 1);
  Frame_Alert_Frame[1] = item(Input_Sync_Loss, "Frame_Alert_Frame2", QStringLiteral("Frame 2"), 2);
  Switch_voie_Black = item(Input_Sync_Loss, "Switch_voie_Black", QStringLiteral("Black"), 3);
  for (int n = 1; n <= 8; ++n)
    Switch_voie[size_t(n - 1)] = item(Input_Sync_Loss, QStringLiteral("Switch_voie_%1").arg(n).toLatin1().constData(),
                                      QStringLiteral("Input %1").arg(n), 3 + n);
  for (int k = 3; k <= 6; ++k)
    Frame_Alert_Frame[size_t(k - 1)] = item(Input_Sync_Loss,
                                            QStringLiteral("Frame_Alert_Frame%1").arg(k).toLatin1().constData(),
                                            QStringLiteral("Frame %1").arg(k), 9 + k);
  for (QAction* a : Input_Sync_Loss->actions()) {
    a->setCheckable(true);
    alertGroup->addAction(a);
  }
  ControlsSeparator = separator(Controls1, "N_controls_memories");
  EraseAllMemories = item(Controls1, "EraseAllMemories1", QStringLiteral("Erase all memories"));
  DefaultValues = item(Controls1, "DefaultValues1", QStringLiteral("Default values"));
}

void TMainMenus::buildCustomize(QMenuBar* bar, QWidget* owner) {
  Customize1 = addMenu(bar, owner, "Customize1", QStringLiteral("C&ustomize"));
  for (int n = 1; n <= 8; ++n)
    Input[size_t(n - 1)] = item(Customize1, QStringLiteral("Input%1").arg(n).toLatin1().constData(),
                                QStringLiteral("Input %1").arg(n), n);
  separator(Customize1, "N_frames_before");
  for (int k = 1; k <= 6; ++k)
    Frame[size_t(k - 1)] = item(Customize1, QStringLiteral("Frame%1").arg(k).toLatin1().constData(),
                                QStringLiteral("Frame %1").arg(k), k);
  separator(Customize1, "N_logos_before");
  for (int n = 1; n <= 8; ++n)
    Logo[size_t(n - 1)] = item(Customize1, QStringLiteral("Logo%1").arg(n).toLatin1().constData(),
                               QStringLiteral("Logo %1").arg(n), n);
  N_audio_before = separator(Customize1, "N_audio_before");
  for (int n = 1; n <= 8; ++n)
    Audio[size_t(n - 1)] = item(Customize1, QStringLiteral("Audio%1").arg(n).toLatin1().constData(),
                                QStringLiteral("Audio %1").arg(n), n);
  DefaultAudio1 = item(Customize1, "DefaultAudio1", QStringLiteral("Default(Audio)"));
  N_audio_after = separator(Customize1, "N_audio_after");
  Output11 = item(Customize1, "Output11", QStringLiteral("Output 1"), 1);
  Output21 = item(Customize1, "Output21", QStringLiteral("Output 2"), 2);
  separator(Customize1, "N_defaults_before");
  Defaultinput1 = item(Customize1, "Defaultinput1", QStringLiteral("Default(input)"));
  Default_frame = item(Customize1, "Default_frame", QStringLiteral("Default(frame)"));
  Default_logo = item(Customize1, "Default_logo", QStringLiteral("Default(logo)"));
  Defaultoutput = item(Customize1, "Defaultoutput", QStringLiteral("Default(Output)"));
  Default_ALL = item(Customize1, "Default_ALL", QStringLiteral("General Default"));
}

void TMainMenus::buildEffects(QWidget* owner) { Effects.build(owner); }

void TMainMenus::adoptSignalMenus(QObject* owner) {
  auto action = [owner](const QString& name) { return owner->findChild<QAction*>(name); };
  auto menu = [owner](const char* name) { return owner->findChild<QMenu*>(QLatin1String(name)); };
  Transition1 = menu("Transition_main_ou_output1");
  Transition_output2 = menu("Transition_output2");
  CleanCut_Output1 = action(QStringLiteral("CleanCut_Output1"));
  CleanCut_Output2 = action(QStringLiteral("CleanCut_Output2"));
  Logofade_Output1 = action(QStringLiteral("Logofade_Output1"));
  Logofade_output2 = action(QStringLiteral("Logofade_output2"));
  for (int k = 1; k <= 6; ++k) {
    FadeFrame_Output1[size_t(k - 1)] = action(QStringLiteral("FadeFrame%1_Output1").arg(k));
    FadeFrame_output2[size_t(k - 1)] = action(QStringLiteral("FadeFrame%1_output2").arg(k));
  }
  menuitem_Off = action(QStringLiteral("menuitem_Off"));
  menuitem_On = action(QStringLiteral("menuitem_On"));
  Autotake_On1 = action(QStringLiteral("Autotake_On1"));
  Autotake_Off1 = action(QStringLiteral("Autotake_Off1"));
  // The memory commands stay at the end of the Controls menu, after the
  // panels' own sub-menus.
  for (QAction* a : {ControlsSeparator, EraseAllMemories, DefaultValues}) {
    Controls1->removeAction(a);
    Controls1->addAction(a);
  }
}

// The main window's files: validating and applying a customization file,
// writing it, the Files menu with its recent customizations, and the
// device state snapshot commands with their progress window.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include "app/customization_file.h"
#include "app/settings_files.h"

class QAction;
class TMainMenus;
class TZelvan_main;

namespace zelvan::app {

class TMainFiles : public QObject {
  Q_OBJECT

 public:
  explicit TMainFiles(TZelvan_main& shell);

  // ---- customization files ----
  bool Verif_fichier_ini(const IniLines& list, const QString& fileName);
  void LoadButtonName(const IniLines& list);
  void save();
  CustomizationState currentCustomization() const;
  // Default labels for the selected groups (Default_Rename without the refresh).
  void resetLabels(bool inputs, bool frames, bool outputs, bool audio, bool logos);

  // ---- Files menu ----
  // Connects the Files menu's customization and configuration items.
  void wireMenu(TMainMenus& menus);
  void New1Click();
  void Open1Click();
  void Save1Click();
  void Saveas1Click();
  void RecentCustomizationClick(const QString& path);
  void Historique_registre();
  QList<QAction*> recentItems() const { return recentItems_; }

  // ---- configuration (device state snapshot) files ----
  void Loadconfig1Click();
  void Saveconfig1Click();
  void Zelvan_d1VarNroLigneMiniConfigOfFile();
  void FinLoadconfig();

 private:
  void addRecent(const QString& path);
  void setAudioCaptions();

  TZelvan_main& shell_;
  QList<QAction*> recentItems_;
  QAction* recentSeparator_ = nullptr;
};

}  // namespace zelvan::app

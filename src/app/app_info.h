// Identity of the application (title, version, file description, product
// name) and the directories it keeps its files in.
#pragma once

#include <QString>

namespace zelvan::app {

// The application title, also the start of every window title.
QString applicationTitle();

// The file description and product name of the application's version
// information (the update notice names them).
QString fileDescription();
QString productName();

// The application's own file version: major, minor, release, build. `valid`
// is false when the version text could not be read.
struct FileVersion {
  int major = 0;
  int minor = 0;
  int release = 0;
  int build = 0;
  bool valid = false;
};
FileVersion fileVersion();
// Parses "a.b.c.d" (missing trailing parts read 0).
FileVersion parseFileVersion(const QString& text);
// "Version : 3.04.00.12": the major as it is, the other three on two digits.
QString versionCaption(const FileVersion& v);

// The application's own directory (where "AnimationEffects.bmp" and
// "Zelvan_LOGO.ini" live). Tests point it at a temporary directory.
QString applicationDir();
void setApplicationDirOverride(const QString& dir);  // empty: the real one

// Where "Zelvan_LOGO.ini" is written: the application's own directory when
// it is writable, otherwise (an installed build) the per-user data directory.
QString logoSettingsDir();

// The per-user configuration directory (recent customization list).
QString userConfigDir();
void setUserConfigDirOverride(const QString& dir);  // empty: the real one

}  // namespace zelvan::app

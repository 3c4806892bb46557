// The list of recently used customization files. The desktop has no shell
// list of recent ".usr" files here, so the application keeps its own: one
// full path per line in "recent_customizations.txt" of the per-user
// configuration directory, most recent first.
#pragma once

#include <QString>
#include <QStringList>

namespace zelvan::app {

class RecentCustomizations {
 public:
  static constexpr int kMaxEntries = 10;

  // `storeDir`: where the list file lives (empty: userConfigDir()).
  explicit RecentCustomizations(QString storeDir = {});

  // The remembered paths, most recent first (a missing, huge or garbled
  // list file gives what can be read of it, at most kMaxEntries paths).
  QStringList load() const;
  // Puts `path` (made absolute) first, dropping an older entry of the same
  // path and anything beyond kMaxEntries. False when the list could not be written.
  bool add(const QString& path) const;

  QString storeFile() const;

 private:
  QString storeDir_;
};

}  // namespace zelvan::app

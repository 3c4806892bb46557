// Whole-file writes that never leave a half-written file behind.
#pragma once

#include <QByteArray>
#include <QString>

namespace zelvan {

// Writes the data to a temporary file beside the target and renames it over
// the target only when every byte reached the disk. On failure the previous
// file is untouched, the temporary file is removed, and *error (if given)
// says why.
bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error = nullptr);

}  // namespace zelvan

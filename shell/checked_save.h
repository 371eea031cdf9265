// Writing a file so that a failure never costs the file that was there: the
// new content goes to a temporary file beside the target, every write to it
// is checked, and it replaces the target only when all of it was written and
// flushed to the disk. Any failed or short write, or a failed flush or
// rename, throws the temporary file away and leaves the target as it was.
#pragma once

#include <QString>
#include <functional>

class QIODevice;

namespace dravik::shell {

// Writes `path` with `write`, which gets an open write-only device and
// answers false when its own work failed (a painter that would not start).
// Returns why the file could not be written, as a sentence for the user
// naming the cause (disk full, name too long, no permission, ...), or an
// empty string once the file is complete in its place.
QString saveChecked(const QString& path, const std::function<bool(QIODevice&)>& write);

}  // namespace dravik::shell

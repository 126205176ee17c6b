// Files written whole or not at all: the contents go into a temporary file beside the target, which takes the
// target's place only when everything was written and flushed. A write that fails half-way (a full disk, a file size
// limit, a vanished folder) leaves the file that was there before as it was.
#pragma once

#include <QByteArray>
#include <QString>

namespace morvane {

// Writes `contents` to `path`. False when anything failed; `why` (when given) then says what, and `path` is
// unchanged. A write the disk takes only in part counts as failed, never as done. A target that exists but is no
// regular file (a folder, a device, a FIFO) is refused: it is never replaced by a file.
bool writeFileWhole(const QString& path, const QByteArray& contents, QString* why = nullptr);

}  // namespace morvane

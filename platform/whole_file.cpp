#include "platform/whole_file.h"

#include <QFileInfo>
#include <QSaveFile>

namespace morvane {

bool writeFileWhole(const QString& path, const QByteArray& contents, QString* why)
{
    const auto fail = [why](const QString& reason) {
        if (why) *why = reason;
        return false;
    };
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) return fail(QStringLiteral("it is not a regular file"));
    QSaveFile out(path);
    // Unbuffered: a buffered write that the disk takes only in part is lost silently when the buffer is flushed at
    // commit. Here a write that takes part of the bytes (a file size limit, a disk filling up) is followed by one
    // for the rest, and the write that takes nothing says why.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail(out.errorString());
    qint64 written = 0;
    while (written < contents.size()) {
        const qint64 n = out.write(contents.constData() + written, contents.size() - written);
        if (n <= 0) {
            const QString reason =
                out.error() != QFileDevice::NoError
                    ? out.errorString()
                    : QStringLiteral("only %1 of %2 bytes were written").arg(written).arg(contents.size());
            out.cancelWriting();
            return fail(reason);
        }
        written += n;
    }
    if (out.size() != contents.size()) {
        out.cancelWriting();
        return fail(QStringLiteral("only %1 of %2 bytes were written").arg(out.size()).arg(contents.size()));
    }
    if (!out.commit()) return fail(out.errorString());  // the temporary file is removed, the target kept
    return true;
}

}  // namespace morvane

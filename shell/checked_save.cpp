#include "shell/checked_save.h"

#include <limits.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

#include "sheet/sheet_texts.h"
#include "shell/qt_text.h"

namespace dravik::shell {
namespace {

namespace texts = sheet::texts;

// Passes writes on to `target` and remembers the first one that did not go
// through whole, with the system's reason: QFile reports a short write (the
// first part fitted, then the disk was full) as a success, and the PDF writer
// does not look at what a write returns at all. After a failure every write
// fails, so nothing after a gap can reach the file.
class CheckedWrites : public QIODevice {
public:
    explicit CheckedWrites(QIODevice& target) : target_(target) { open(QIODevice::WriteOnly); }
    // errno of the first write that failed or fell short; 0 when none did.
    int failure() const { return failure_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (failure_ != 0) return -1;
        errno = 0;
        const qint64 written = target_.write(data, size);
        if (written == size) return size;
        // A short write without an errno: the disk took part and gave no
        // reason; an input/output error is the honest name for that.
        failure_ = errno != 0 ? errno : EIO;
        return -1;
    }

private:
    QIODevice& target_;
    int failure_ = 0;
};

// True when a part of `path` is longer than the system allows for one name
// (NAME_MAX bytes) or the whole is longer than a path may be.
bool nameTooLong(const QString& path) {
    const QByteArray encoded = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    if (encoded.size() >= PATH_MAX) return true;
    for (const QByteArray& part : encoded.split('/'))
        if (part.size() > NAME_MAX) return true;
    return false;
}

// The reason for the system's error `error` while writing `path`.
QString reasonFor(int error, const QString& path) {
    struct Reason {
        int error;
        std::string_view text;
    };
    static constexpr Reason kReasons[] = {
        {ENOSPC, texts::kDiskFull},     {EDQUOT, texts::kDiskFull},    {ENAMETOOLONG, texts::kNameTooLong},
        {EACCES, texts::kNoPermission}, {EPERM, texts::kNoPermission}, {EROFS, texts::kReadOnlyDisk},
        {EFBIG, texts::kFileTooLarge},  {EIO, texts::kDiskError},      {EBUSY, texts::kFileInUse},
        {ETXTBSY, texts::kFileInUse},   {EISDIR, texts::kIsAFolder},
    };
    const QString name = QFileInfo(path).filePath();
    for (const Reason& r : kReasons)
        if (r.error == error) return qs(r.text).arg(name);
    return qs(texts::kWriteFailed).arg(name).arg(error);
}

// Why `path` cannot even be opened for writing: what can be seen on the
// disk first, then what the system said.
QString reasonBeforeWriting(const QString& path, int error) {
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (nameTooLong(path)) return qs(texts::kNameTooLong).arg(target.filePath());
    if (!folder.isDir()) return qs(texts::kNoSuchFolder).arg(folder.filePath());
    if (!folder.isWritable()) return qs(texts::kFolderNotWritable).arg(folder.filePath());
    if (target.isDir()) return qs(texts::kIsAFolder).arg(target.filePath());
    if (target.exists() && !target.isWritable()) return qs(texts::kFileReadOnly).arg(target.filePath());
    return reasonFor(error, path);
}

}  // namespace

QString saveChecked(const QString& path, const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(path);
    errno = 0;
    // Unbuffered: each write reaches the system at once, so its error is
    // seen with its own errno instead of at a later flush.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return reasonBeforeWriting(path, errno);
    CheckedWrites checked(file);
    const bool wrote = write(checked);
    int error = checked.failure();
    if (error == 0 && !wrote) error = EIO;
    // The data on the disk before the name: a disk that fills only when the
    // system writes its cache out says so here, not after the rename.
    if (error == 0 && ::fsync(file.handle()) != 0) error = errno;
    if (error != 0) {
        file.cancelWriting();  // the temporary file goes with `file`
        return reasonFor(error, path);
    }
    errno = 0;
    if (!file.commit()) return reasonFor(errno != 0 ? errno : EIO, path);
    return {};
}

}  // namespace dravik::shell

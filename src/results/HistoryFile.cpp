#include "results/HistoryFile.h"

#include "bank/Cp932.h"
#include "bank/FileLookup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

namespace
{

// Offsets of the 1960-byte layout.
constexpr size_t kMagicOffset = 0;
constexpr size_t kNameOffset = 4;
constexpr size_t kNameSize = 508;
constexpr size_t kAttemptsOffset = 512;
constexpr size_t kAttemptSize = 9;
constexpr size_t kBestOffset = 602;
constexpr size_t kAverageOffset = 603;
constexpr size_t kReservedOffset = 604; // 4 bytes
constexpr size_t kCategoriesOffset = 608;
constexpr size_t kCategorySize = 7;
constexpr size_t kEndMarkerOffset = 958; // 0xFF 0xFF
constexpr size_t kCorrectOffset = 960;
constexpr size_t kWrongOffset = 1460;
constexpr size_t kReadLimit = 2000; // the reader takes at most this much of a longer file

constexpr std::string_view kMagic = ".HIS";
constexpr char kNamePad = 0x0B;

char byteOf(int value)
{
    return char(std::clamp(value, 0, kHistoryByteMax));
}

int valueAt(std::string_view bytes, size_t offset)
{
    return int(static_cast<unsigned char>(bytes[offset]));
}

std::string paddedName(std::string_view name)
{
    std::string field(name.substr(0, kNameSize));
    field.resize(kNameSize, kNamePad);
    return field;
}

// The name field of the file as it stands, when it is long enough to have one.
std::string existingNameField(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(qint64(kNameOffset + kNameSize));
    if (size_t(head.size()) < kNameOffset + kNameSize)
        return {};
    return std::string(head.constData() + kNameOffset, kNameSize);
}

bool writeWhole(const QString& path, const std::string& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// A file where none stands has no old bytes to keep, so it skips the disk sync a replacement needs
// (the first start over a vendor of thirty tests would otherwise wait for thirty syncs). It is still
// written unnamed and linked in whole, so a cut write leaves no file and no temporary file.
bool writeNew(const QString& path, const std::string& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray dir = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(dir.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0)
        return writeWhole(path, bytes); // a file system without unnamed files
    bool ok = true;
    for (size_t done = 0; ok && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        ok = n > 0 || (n < 0 && errno == EINTR);
        done += n > 0 ? size_t(n) : 0;
    }
    const QByteArray name = QFile::encodeName(path);
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    if (ok && ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) != 0)
        ok = errno == EEXIST || writeWhole(path, bytes); // created meanwhile, or no /proc to link from
    ::close(fd);
    return ok;
}

} // namespace

std::string HistoryNameField(const QString& questionFilePath)
{
    return paddedName(cp932::fromUnicode(questionFilePath));
}

std::string HistoryBytes(const History& history, std::string_view nameField)
{
    std::string bytes(kHistorySize, '\0');
    bytes.replace(kMagicOffset, kMagic.size(), kMagic);
    bytes.replace(kNameOffset, kNameSize, paddedName(nameField));
    for (size_t k = 0; k < history.attempts.size(); ++k) {
        const AttemptRecord& a = history.attempts[k];
        const size_t at = kAttemptsOffset + k * kAttemptSize;
        const int fields[8] = {a.minutes, a.month, a.day, a.hour, a.minute, a.rate, a.mode, a.questionCount};
        for (size_t f = 0; f < 8; ++f)
            bytes[at + f] = byteOf(fields[f]);
        // byte 8 of a record stays 0
    }
    bytes[kBestOffset] = byteOf(history.best);
    bytes[kAverageOffset] = byteOf(history.average);
    // bytes 604..607 stay 0
    for (size_t c = 0; c < history.categories.size(); ++c) {
        for (size_t f = 0; f < kCategorySize; ++f)
            bytes[kCategoriesOffset + c * kCategorySize + f] = byteOf(history.categories[c][f]);
    }
    bytes[kEndMarkerOffset] = char(0xFF);
    bytes[kEndMarkerOffset + 1] = char(0xFF);
    for (size_t q = 0; q < history.correct.size(); ++q) {
        bytes[kCorrectOffset + q] = byteOf(history.correct[q]);
        bytes[kWrongOffset + q] = byteOf(history.wrong[q]);
    }
    return bytes;
}

std::string EmptyHistoryBytes(const QString& questionFilePath)
{
    std::string bytes = HistoryBytes(History{}, HistoryNameField(questionFilePath));
    bytes[kReservedOffset + 3] = char(0xFF);
    return bytes;
}

History ParseHistory(std::string_view bytes)
{
    History history;
    if (bytes.size() < size_t(kHistorySize))
        return history;
    for (size_t k = 0; k < history.attempts.size(); ++k) {
        const size_t at = kAttemptsOffset + k * kAttemptSize;
        AttemptRecord& a = history.attempts[k];
        a.minutes = valueAt(bytes, at);
        a.month = valueAt(bytes, at + 1);
        a.day = valueAt(bytes, at + 2);
        a.hour = valueAt(bytes, at + 3);
        a.minute = valueAt(bytes, at + 4);
        a.rate = valueAt(bytes, at + 5);
        a.mode = valueAt(bytes, at + 6);
        a.questionCount = valueAt(bytes, at + 7);
    }
    history.best = valueAt(bytes, kBestOffset);
    history.average = valueAt(bytes, kAverageOffset);
    for (size_t c = 0; c < history.categories.size(); ++c) {
        for (size_t f = 0; f < kCategorySize; ++f)
            history.categories[c][f] = valueAt(bytes, kCategoriesOffset + c * kCategorySize + f);
    }
    for (size_t q = 0; q < history.correct.size(); ++q) {
        history.correct[q] = valueAt(bytes, kCorrectOffset + q);
        history.wrong[q] = valueAt(bytes, kWrongOffset + q);
    }
    return history;
}

bool CreateEmptyHistory(const QString& path, const QString& questionFilePath)
{
    if (filelookup::exists(path))
        return true;
    return writeNew(path, EmptyHistoryBytes(questionFilePath));
}

QStringList createMissingHistories(const QList<CourseTest>& tests)
{
    QStringList created;
    for (const CourseTest& test : tests) {
        if (filelookup::exists(test.historyFile))
            continue;
        // A history that cannot be written is left missing; the result screen treats it as empty.
        if (CreateEmptyHistory(test.historyFile, test.questionFile))
            created.append(test.historyFile);
    }
    return created;
}

History LoadHistory(const QString& path)
{
    QFile file(filelookup::resolve(path));
    if (!file.open(QIODevice::ReadOnly))
        return History{};
    const QByteArray bytes = file.read(qint64(kReadLimit));
    return ParseHistory(std::string_view(bytes.constData(), size_t(bytes.size())));
}

bool SaveHistory(const QString& path, const History& history, const QString& questionFilePath)
{
    const QString target = filelookup::resolve(path);
    std::string name;
    if (!questionFilePath.isEmpty())
        name = HistoryNameField(questionFilePath);
    else
        name = existingNameField(target);
    return writeWhole(target, HistoryBytes(history, name));
}

#pragma once
// The Internet sync of one vendor's history files: a status post per test, the comparison of
// the server's date with the local file's, then uploads of newer local histories and downloads
// of newer server copies. Work files lie in the program directory as the services expect them.
#include "install/CourseList.h"
#include "online/HttpTransport.h"
#include "online/OnlineSettings.h"
#include "results/HistoryFile.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

struct QuestionBank;

namespace online
{

// His_srv: addresses (host and path, no scheme) of the status, upload and download services.
struct SyncServers {
    QString status;
    QString upload;
    QString download;
};
std::optional<SyncServers> ReadSyncServers(const QString& path, QString& error);

inline const QString kStateSynced = QStringLiteral("同期済み");
inline const QString kStateClientNewer = QStringLiteral("ｸﾗｲｱﾝﾄ最新");
inline const QString kStateServerNewer = QStringLiteral("ｻｰﾊﾞｰ最新");
inline const QString kStateNoSync = QStringLiteral("同期不可");
inline const QString kNoDate = QStringLiteral("----");

// Dates as the sync writes and reads them: "yyyy/MM/dd HH:mm:ss".
QString syncDateText(const QDateTime& when);
// "yyyy/MM/dd HH:mm:ss" or "yyyy/MM/dd" (local time); invalid when it is neither.
QDateTime parseSyncDate(const QString& text);

// The first line of a status answer.
struct StatusAnswer {
    enum Kind { Date, NotFound, NoSync, UserError, Malformed } kind = Malformed;
    QDateTime date;  // Date
    QString text;    // Date: the line as sent
    QString message; // UserError: the text after "ERROR1" and one separator
};
StatusAnswer parseStatusLine(std::string_view line);

// One test of the candidate list.
struct SyncRow {
    CourseTest test;
    QString testId;
    QString state;
    QString serverText; // as the server sent it; "----" for "ERROR2"
    QString clientText;
    QDateTime serverDate;
    QDateTime clientDate;

    // The server column of the grid: "----" also where the server had no copy.
    QString shownServerText() const;
};

// The state of a test from both dates, compared at whole seconds.
QString syncState(const QDateTime& serverDate, const QDateTime& clientDate);

// The last-write time of a history file at whole seconds; 1998/01/01 when it is missing.
QDateTime historyFileDate(const QString& path);

// Request bodies (values percent-encoded).
std::string identityRequest(const Profile& profile, const QString& testId);
std::string uploadRequest(const Profile& profile, const QString& testId, int questionCount, const QString& clientText,
                          const History& history, const QuestionBank& bank);

// Reads a download answer (section "DLDATA"; a missing key reads as 0). Nothing when a value
// it uses is not a decimal 0..255 or a DATE value is not eight digits; `error` then names it.
std::optional<History> parseDownload(std::string_view bytes, QString& error);

// Writes a downloaded history safely and gives it the server's date as its file times.
bool SaveHist(const QString& historyPath, const History& history, const QString& questionFile, const QDateTime& when);

class HistorySync
{
  public:
    HistorySync(HttpTransport& http, const SyncServers& servers, const Profile& profile, const QString& programDir);

    enum class Outcome { Done, UserError, Failed };
    struct Result {
        Outcome outcome = Outcome::Done;
        QString message; // UserError: the server's text; Failed: the cause
    };

    // Asks for the server's date of every test and fills `rows` in list order.
    Result queryStatus(const QList<CourseTest>& tests, QList<SyncRow>& rows);
    // Uploads or downloads one row as its state says; nothing for the other states.
    Result transfer(const SyncRow& row);
    // Deletes the status answer and the header file (the download answer is left in place).
    void cleanUp();

    QString workFile(const QString& name) const { return m_programDir + name; }

  private:
    // Writes the request file, posts it and deletes it; a 200 answer lands in `answerFile` and,
    // when `answer` is given, is read back into it.
    Result post(const QString& url, const std::string& body, const QString& testId, const QString& answerFile,
                QByteArray* answer = nullptr);

    HttpTransport& m_http;
    SyncServers m_servers;
    Profile m_profile;
    QString m_programDir;
};

} // namespace online

#pragma once
// The HTTP client the update and the sync talk through: blocking GET and POST over libcurl with
// "HTTP/1.0" request lines, an optional proxy (absolute address in the request line), a time
// limit, the response body written to a file, and events for received bytes and failed
// connections. A call returns only when the body file is complete and closed.
#include <QByteArray>
#include <QString>
#include <functional>

namespace online
{

struct TransferResult {
    bool ok = false; // the whole response arrived (whatever its status)
    long status = 0; // HTTP status; 0 when no response arrived
    bool connectionFailed = false;
    QString error; // what went wrong when !ok

    // A complete answer with status 200: the only kind a caller may use to replace a file.
    bool accepted() const { return ok && status == 200; }
};

class HttpTransport
{
  public:
    HttpTransport();

    // File that receives the response body when InputFileMode is on. The file is written
    // through a temporary file and appears only when the response arrived whole.
    QString Body = QStringLiteral("Default.htm");
    // The body file is on the disk before it appears (off for short-lived work files).
    bool DurableBody = true;
    // File that receives the response header lines when OutputFileMode is on.
    QString Header = QStringLiteral("Head.txt");
    bool InputFileMode = false;
    // Post's data argument is then the path of the file to send; response headers go to Header.
    bool OutputFileMode = false;
    QString Proxy; // used when not empty
    int ProxyPort = 0;
    int TimeOut = 0; // milliseconds for connecting and for a stalled receive; 0: libcurl's defaults

    // Raised while a response arrives, with the bytes received so far.
    std::function<void(qint64)> OnPacketRecvd;
    // Raised when no connection to the server or proxy could be made.
    std::function<void()> OnConnectionFailed;
    // Called often while a call blocks, so that windows can repaint.
    std::function<void()> whileWaiting;

    TransferResult Get(const QString& url);
    // POST with "Content-type: application/x-www-form-urlencoded". `data` is the body itself, or
    // with OutputFileMode on the path of a file whose bytes are sent unchanged.
    TransferResult Post(const QString& url, const QString& data);

    // The body of the last response when InputFileMode is off.
    const QByteArray& bodyText() const { return m_text; }
    bool busy() const { return m_busy; }

  private:
    TransferResult perform(const QString& url, const QByteArray* postBody);

    QByteArray m_text;
    bool m_busy = false;
};

} // namespace online

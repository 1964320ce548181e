#include "online/HttpTransport.h"

#include "online/CurlLibrary.h"
#include "online/FileReplace.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace online
{

namespace
{

// The body file: it appears under its name only when the response is complete. A durable one is
// also on the disk before it appears (for files that replace installed ones); a work file of
// the sync is not worth waiting for the disk.
class BodyFile
{
  public:
    BodyFile(const QString& path, bool durable)
        : m_durable(durable), m_save(path), m_part(path + QStringLiteral(".part")), m_path(path)
    {
    }

    bool open()
    {
        return m_durable ? m_save.open(QIODevice::WriteOnly) : m_part.open(QIODevice::WriteOnly | QIODevice::Truncate);
    }
    qint64 write(const char* data, qint64 size)
    {
        return m_durable ? m_save.write(data, size) : m_part.write(data, size);
    }
    void cancel()
    {
        if (m_durable) {
            m_save.cancelWriting();
        } else {
            m_part.close();
            m_part.remove();
        }
    }
    bool commit()
    {
        if (m_durable)
            return m_save.commit();
        m_part.close();
        if (m_part.error() == QFileDevice::NoError && !replaceFile(m_part.fileName(), m_path))
            return true;
        m_part.remove();
        return false;
    }
    QString errorString() const { return m_durable ? m_save.errorString() : m_part.errorString(); }

  private:
    bool m_durable;
    QSaveFile m_save;
    QFile m_part;
    QString m_path;
};

struct Receiver {
    HttpTransport* owner = nullptr;
    BodyFile* file = nullptr;   // file mode
    QByteArray* text = nullptr; // text mode
    QByteArray headers;
    qint64 received = 0;
    bool writeFailed = false;
};

size_t onBody(char* data, size_t size, size_t count, void* user)
{
    auto* r = static_cast<Receiver*>(user);
    const size_t n = size * count;
    if (r->file) {
        if (r->file->write(data, qint64(n)) != qint64(n)) {
            r->writeFailed = true;
            return 0;
        }
    } else {
        r->text->append(data, qsizetype(n));
    }
    r->received += qint64(n);
    if (r->owner->OnPacketRecvd)
        r->owner->OnPacketRecvd(r->received);
    return n;
}

size_t onHeader(char* data, size_t size, size_t count, void* user)
{
    auto* r = static_cast<Receiver*>(user);
    r->headers.append(data, qsizetype(size * count));
    return size * count;
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto* r = static_cast<Receiver*>(user);
    if (r->owner->whileWaiting)
        r->owner->whileWaiting();
    return 0;
}

bool isConnectionFailure(CURLcode code)
{
    return code == CURLE_COULDNT_CONNECT || code == CURLE_COULDNT_RESOLVE_HOST || code == CURLE_COULDNT_RESOLVE_PROXY;
}

// Everything a transfer is told before it runs; the address, the proxy and the POST body must
// outlive it. Returns the header list to free after it.
curl_slist* setOptions(const curlapi::Api& api, CURL* curl, const HttpTransport& transport, const QByteArray& address,
                       const QByteArray& proxy, Receiver& receiver, const QByteArray* postBody)
{
    api.easy_setopt(curl, CURLOPT_URL, address.constData());
    api.easy_setopt(curl, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0));
    api.easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http");
    api.easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    api.easy_setopt(curl, CURLOPT_WRITEFUNCTION, onBody);
    api.easy_setopt(curl, CURLOPT_WRITEDATA, &receiver);
    api.easy_setopt(curl, CURLOPT_HEADERFUNCTION, onHeader);
    api.easy_setopt(curl, CURLOPT_HEADERDATA, &receiver);
    api.easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, onProgress);
    api.easy_setopt(curl, CURLOPT_XFERINFODATA, &receiver);
    api.easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    api.easy_setopt(curl, CURLOPT_PROXY, proxy.constData());
    if (transport.TimeOut > 0) {
        api.easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long(transport.TimeOut));
        // A receive that stalls for the time limit ends the call; a long steady download does not.
        api.easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        api.easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, long(std::max(1, transport.TimeOut / 1000)));
    }
    curl_slist* headers = nullptr;
    if (postBody) {
        headers = api.slist_append(headers, "Content-type: application/x-www-form-urlencoded");
        api.easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
        api.easy_setopt(curl, CURLOPT_POST, 1L);
        api.easy_setopt(curl, CURLOPT_POSTFIELDS, postBody->constData());
        api.easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(postBody->size()));
    }
    return headers;
}

// The transfer's outcome: a failed one leaves no body file behind and says why; a whole one
// puts its body file (and its header lines when asked) in place.
void settle(const HttpTransport& transport, const curlapi::Api& api, CURLcode code, Receiver& receiver,
            BodyFile& bodyFile, TransferResult& result)
{
    if (code != CURLE_OK || receiver.writeFailed) {
        if (receiver.file)
            bodyFile.cancel();
        result.connectionFailed = isConnectionFailure(code);
        result.error = receiver.writeFailed ? QStringLiteral("%1: %2").arg(transport.Body, bodyFile.errorString())
                                            : QString::fromUtf8(api.easy_strerror(code));
        if (result.connectionFailed && transport.OnConnectionFailed)
            transport.OnConnectionFailed();
        return;
    }
    if (receiver.file && !bodyFile.commit()) {
        result.error = QStringLiteral("%1: %2").arg(transport.Body, bodyFile.errorString());
        return;
    }
    if (transport.OutputFileMode) {
        // The header lines are a work file nobody relies on across a crash: written plainly.
        QFile headerFile(transport.Header);
        if (!headerFile.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            headerFile.write(receiver.headers) != receiver.headers.size() || !headerFile.flush()) {
            result.error = QStringLiteral("%1: cannot be written").arg(transport.Header);
            return;
        }
    }
    result.ok = true;
}

} // namespace

// libcurl is loaded by the first transfer.
HttpTransport::HttpTransport() = default;

TransferResult HttpTransport::Get(const QString& url)
{
    return perform(url, nullptr);
}

TransferResult HttpTransport::Post(const QString& url, const QString& data)
{
    QByteArray body;
    if (OutputFileMode) {
        QFile file(data);
        if (!file.open(QIODevice::ReadOnly))
            return {false, 0, false, QStringLiteral("%1: cannot read the request file").arg(data)};
        body = file.readAll();
    } else {
        body = data.toUtf8();
    }
    return perform(url, &body);
}

TransferResult HttpTransport::perform(const QString& url, const QByteArray* postBody)
{
    TransferResult result;
    if (m_busy) {
        result.error = QStringLiteral("a transfer is already running");
        return result;
    }
    m_busy = true;
    struct BusyGuard {
        bool& flag;
        ~BusyGuard() { flag = false; }
    } guard{m_busy};

    QString loadError;
    const curlapi::Api* api = curlapi::load(&loadError);
    if (!api) {
        result.error = QStringLiteral("libcurl could not be loaded: %1").arg(loadError);
        return result;
    }
    CURL* curl = api->easy_init();
    if (!curl) {
        result.error = QStringLiteral("libcurl could not be initialised");
        return result;
    }
    Receiver receiver;
    receiver.owner = this;
    BodyFile bodyFile(Body, DurableBody);
    m_text.clear();
    if (InputFileMode) {
        if (!bodyFile.open()) {
            api->easy_cleanup(curl);
            result.error = QStringLiteral("%1: %2").arg(Body, bodyFile.errorString());
            return result;
        }
        receiver.file = &bodyFile;
    } else {
        receiver.text = &m_text;
    }

    const QByteArray address = url.toUtf8();
    // Settings from the environment (http_proxy) never apply: only the screen's own proxy does.
    const QByteArray proxy =
        Proxy.isEmpty() ? QByteArray() : (QStringLiteral("http://%1:%2").arg(Proxy).arg(ProxyPort)).toUtf8();
    curl_slist* headers = setOptions(*api, curl, *this, address, proxy, receiver, postBody);

    const CURLcode code = api->easy_perform(curl);
    api->easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
    api->easy_cleanup(curl);
    api->slist_free_all(headers);

    settle(*this, *api, code, receiver, bodyFile, result);
    return result;
}

} // namespace online

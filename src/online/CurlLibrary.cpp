#include "online/CurlLibrary.h"

#include <QLibrary>

namespace online::curlapi
{

namespace
{

struct Loaded {
    Api api;
    QString error;
    bool ok = false;
};

template <typename F> bool resolve(QLibrary& library, const char* name, F& function)
{
    function = reinterpret_cast<F>(library.resolve(name));
    return function != nullptr;
}

Loaded loadOnce()
{
    Loaded loaded;
    // The run-time name of the library the program is built against, then the plain name.
    QLibrary library(QStringLiteral("curl"), 4);
    if (!library.load()) {
        library.setFileName(QStringLiteral("curl"));
        if (!library.load()) {
            loaded.error = library.errorString();
            return loaded;
        }
    }
    CURLcode (*globalInit)(long) = nullptr;
    Api& a = loaded.api;
    const bool all =
        resolve(library, "curl_global_init", globalInit) && resolve(library, "curl_easy_init", a.easy_init) &&
        resolve(library, "curl_easy_setopt", a.easy_setopt) && resolve(library, "curl_easy_perform", a.easy_perform) &&
        resolve(library, "curl_easy_getinfo", a.easy_getinfo) &&
        resolve(library, "curl_easy_cleanup", a.easy_cleanup) &&
        resolve(library, "curl_easy_strerror", a.easy_strerror) &&
        resolve(library, "curl_slist_append", a.slist_append) &&
        resolve(library, "curl_slist_free_all", a.slist_free_all);
    if (!all) {
        loaded.error = library.errorString();
        return loaded;
    }
    if (globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
        loaded.error = QStringLiteral("libcurl could not be initialised");
        return loaded;
    }
    // Stays loaded for the rest of the run: QLibrary does not unload on destruction.
    loaded.ok = true;
    return loaded;
}

} // namespace

const Api* load(QString* why)
{
    static const Loaded loaded = loadOnce();
    if (!loaded.ok && why)
        *why = loaded.error;
    return loaded.ok ? &loaded.api : nullptr;
}

} // namespace online::curlapi

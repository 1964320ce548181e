#pragma once
// libcurl, loaded at the first transfer rather than with the program: its own libraries (TLS,
// Kerberos, LDAP, SSH, ...) made a fifth of every start, and most runs never go online.
#include <curl/curl.h>

#include <QString>

namespace online::curlapi
{

// The functions the transport calls.
struct Api {
    CURL* (*easy_init)() = nullptr;
    CURLcode (*easy_setopt)(CURL*, CURLoption, ...) = nullptr;
    CURLcode (*easy_perform)(CURL*) = nullptr;
    CURLcode (*easy_getinfo)(CURL*, CURLINFO, ...) = nullptr;
    void (*easy_cleanup)(CURL*) = nullptr;
    const char* (*easy_strerror)(CURLcode) = nullptr;
    curl_slist* (*slist_append)(curl_slist*, const char*) = nullptr;
    void (*slist_free_all)(curl_slist*) = nullptr;
};

// Loads and initialises the library once; nullptr when it cannot be loaded (`why` then says why).
const Api* load(QString* why = nullptr);

} // namespace online::curlapi

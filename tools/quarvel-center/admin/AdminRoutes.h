#pragma once
// The administrators' dashboard under /admin/: sign-in against the stored Argon2id hashes, a
// session cookie (HttpOnly, SameSite=Strict), a CSRF token in every form, a lock-out after
// repeated failures, and the pages of AdminPages.h.
#include "tools/quarvel-center/store/CenterStore.h"

#include <httplib.h>

struct AdminConfig {
    // Sign-in is refused over plain HTTP unless the server listens on loopback only.
    bool tls = false;
    bool loopback = true;
};

void installAdmin(httplib::Server& server, CenterStore& store, const AdminConfig& config);

// Whether a listening address reaches this machine only ("127.0.0.1", "::1", "localhost").
bool isLoopbackHost(const std::string& host);

#pragma once
// The routes of quarvel-center on a cpp-httplib server.
#include "tools/quarvel-center/CenterStore.h"

#include <httplib.h>
#include <string>

struct CenterConfig {
    std::string updatesDir; // current question data files, answered by the update script
    std::string imagesDir;  // test settings files and images
};

void installServices(httplib::Server& server, CenterStore& store, const CenterConfig& config);

// key=value&... with values percent-decoded ("+" is a blank, as browsers send it).
CenterStore::Fields parseForm(const std::string& body);

// The file of `dir` named `name` ignoring case, when `name` is a plain file name; else empty.
std::string findPlainFile(const std::string& dir, const std::string& name);

#pragma once
// The routes of quarvel-center on a cpp-httplib server.
#include "tools/quarvel-center/store/CenterStore.h"

#include <httplib.h>
#include <string>

struct CenterConfig {
    std::string updatesDir; // current question data files, answered by the update script
    std::string imagesDir;  // test settings files and images
};

void installServices(httplib::Server& server, CenterStore& store, const CenterConfig& config);

// key=value&... with values percent-decoded ("+" is a blank, as browsers send it).
CenterStore::Fields parseForm(const std::string& body);

// The file of `dir` named `name` ignoring case, when `name` is a plain file name and the file is a
// regular one lying inside `dir` once every link is resolved (its resolved path); else empty.
std::string findPlainFile(const std::string& dir, const std::string& name);

// One value of the line listing of stored forms: control characters and the backslash written as
// escapes ("\\r", "\\n", "\\x1b", "\\\\"), so a value can neither forge a line nor reach the
// terminal as a command. In a name "=" is escaped too, so the first "=" of a line ends the name.
std::string escapeListed(const std::string& utf8, bool isName);

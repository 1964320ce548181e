#pragma once
// Where a question's supplementary link leads, decided without widgets: a web address, a document
// on the companion disc (through the location stored for the link or a mounted disc), or a
// reference document under Ref/. Link targets arrive in question files from the update server, so
// nothing is opened unless it is an http(s) address that parses as one, or a document file that
// lies, after ".." and symbolic links, inside the directory it was joined to.
#include "bank/FileError.h"

#include <QString>
#include <QStringList>
#include <string>

namespace linktarget
{

// Link targets carry a fixed-length prefix before the path they name.
inline constexpr int kTargetPrefixLength = 9;
// The stored location when none is set up.
inline const QString kNoLocation = QStringLiteral("NA");

// The target (CP932) without its first nine characters; empty when it is shorter.
QString targetRest(const std::string& target);

// The address, percent-encoded, when `text` is an http:// or https:// address with a host;
// empty otherwise ("javascript:", "httpx:", "http:foo").
QString webAddress(const QString& text);

// True for the documents a link may open: HTML, PDF, text and pictures, by name, whose first
// bytes are not those of a program or script.
bool isDocumentFile(const QString& path);

// The canonical path of the document `root` + `relative` ("\" read as "/") when it exists, is a
// document and lies inside `root` after resolving ".." and symbolic links; empty otherwise.
QString confinedDocument(const QString& root, const QString& relative);

enum class LinkAction {
    LaunchWeb,  // write the launch page framing `address` (a web address)
    LaunchFile, // write the launch page framing the file `address`
    OpenRef,    // open the document `address` under Ref/ with the shell
    Missing,    // nothing to open: the message for the disc situation
};

struct LinkPlan {
    LinkAction action = LinkAction::Missing;
    QString address;
};

// What following a link does. `location` is the stored CD_PATH/CD_PATH2 ("NA" when not set up),
// `discRoots` the mounted discs found at start-up, `refDir` the program's Ref/ directory.
// A target that is itself a web address opens as one, whatever the location.
LinkPlan planLink(const std::string& target, const QString& location, const QStringList& discRoots,
                  const QString& refDir);

// The message of a link that leads nowhere: with no disc mounted, caption "Error" and
// "CD-ROMが装着されていません。"; otherwise an empty caption and "CBTのCD-ROMをセットしてください。".
struct MissingMessage {
    QString caption;
    QString text;
};
MissingMessage missingMessage(bool anyDisc);

// The frame's address for a file: "file:///" + the path, "\" as "/", a drive letter's ":" as
// "|", other characters percent-encoded as a URL path needs them.
QString fileFrameAddress(const QString& path);

// The frame tag of the launch page for a plan of LaunchWeb or LaunchFile (CP932 bytes, the
// address escaped for the attribute it stands in).
std::string frameTag(const LinkPlan& plan);

// Writes the launch page: `templatePath` copied with its "#CDPATH#" line replaced by the frame tag.
bool writeLaunchPage(const QString& templatePath, const QString& pagePath, const LinkPlan& plan,
                     FileError* error = nullptr);

} // namespace linktarget

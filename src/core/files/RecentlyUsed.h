#pragma once

#include <QString>

namespace qb {

// The desktop's shared list of recently used files (freedesktop's desktop bookmarks), which file
// managers and other programs show.
QString RecentlyUsedPath();

enum class RecentlyUsedUpdate {
    Done,
    LeftAlone, // a list that cannot be read, or is no regular file, is kept as it is
    Failed,    // the new list could not be written; the old one stays
};

// The file joins the list as used now by this program; every other entry stays as it was. The
// list is replaced as safely as a data file.
RecentlyUsedUpdate AddRecentlyUsed(const QString& listPath, const QString& file);

} // namespace qb

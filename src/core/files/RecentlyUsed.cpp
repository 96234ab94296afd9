#include "RecentlyUsed.h"

#include "FileName.h"
#include "FileStore.h"
#include "XdgFolder.h"

#include <QDir>
#include <QFileInfo>
#include <glib.h>
#include <memory>

namespace qb {
namespace {

constexpr char kMimeType[] = "application/x-quantorelle-rgs";
constexpr char kApplication[] = "quantorelle-brindel";
constexpr char kExec[] = "quantorelle-brindel %f";
// Far beyond any list a desktop keeps; a larger file is taken for something else and left alone.
constexpr qint64 kMaxListSize = 64 * 1024 * 1024;

using Bookmarks = std::unique_ptr<GBookmarkFile, decltype(&g_bookmark_file_free)>;

template <typename T> std::unique_ptr<T, decltype(&g_free)> GOwned(T* p) {
    return {p, g_free};
}

bool Load(GBookmarkFile* bookmarks, const QString& listPath) {
    GError* error = nullptr;
    const bool loaded =
        g_bookmark_file_load_from_file(bookmarks, FileNameBytes(listPath).constData(), &error);
    if (error) {
        g_error_free(error);
    }
    return loaded;
}

} // namespace

QString RecentlyUsedPath() {
    return XdgFolderPath(XdgFolder::Data) + QStringLiteral("/recently-used.xbel");
}

RecentlyUsedUpdate AddRecentlyUsed(const QString& listPath, const QString& file) {
    const Bookmarks bookmarks(g_bookmark_file_new(), g_bookmark_file_free);
    switch (TargetOf(listPath)) {
    case Target::NotRegularFile:
        return RecentlyUsedUpdate::LeftAlone;
    case Target::RegularFile:
        if (QFileInfo(listPath).size() > kMaxListSize || !Load(bookmarks.get(), listPath)) {
            return RecentlyUsedUpdate::LeftAlone;
        }
        break;
    case Target::Missing:
        QDir().mkpath(QFileInfo(listPath).path());
        break;
    }
    const auto uri = GOwned(g_filename_to_uri(FileNameBytes(file).constData(), nullptr, nullptr));
    if (!uri) {
        return RecentlyUsedUpdate::Failed;
    }
    g_bookmark_file_set_mime_type(bookmarks.get(), uri.get(), kMimeType);
    g_bookmark_file_add_application(bookmarks.get(), uri.get(), kApplication, kExec);
    gsize length = 0;
    const auto data = GOwned(g_bookmark_file_to_data(bookmarks.get(), &length, nullptr));
    if (!data) {
        return RecentlyUsedUpdate::Failed;
    }
    return ReplaceFileContents(listPath, QByteArray(data.get(), qsizetype(length))) ==
                   Replacement::Done
               ? RecentlyUsedUpdate::Done
               : RecentlyUsedUpdate::Failed;
}

} // namespace qb

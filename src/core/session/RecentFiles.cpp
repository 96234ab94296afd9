#include "RecentFiles.h"

#include "files/RecentlyUsed.h"
#include "files/XdgFolder.h"

namespace qb {
namespace {

const QString kKey = QStringLiteral("FileRecenti");

} // namespace

RecentFiles::RecentFiles(const QString& settingsPath, QString desktopListPath)
    : settings_(settingsPath, QSettings::IniFormat), desktopList_(std::move(desktopListPath)) {
    desktopWriter_.setMaxThreadCount(1);
}

RecentFiles::~RecentFiles() {
    WaitForDesktopList();
}

QString RecentFiles::SettingsPlace() {
    return XdgFolderPath(XdgFolder::Config) + QStringLiteral("/quantorelle-brindel/recenti.ini");
}

QString RecentFiles::DesktopListPlace() {
    return RecentlyUsedPath();
}

QStringList RecentFiles::Paths() const {
    settings_.sync();
    return settings_.value(kKey).toStringList().mid(0, kCapacity);
}

void RecentFiles::Add(const QString& path) {
    QStringList paths = Paths();
    paths.removeAll(path);
    paths.prepend(path);
    Store(paths.mid(0, kCapacity));
    desktopWriter_.start([list = desktopList_, path] { AddRecentlyUsed(list, path); });
}

void RecentFiles::Remove(const QString& path) {
    QStringList paths = Paths();
    paths.removeAll(path);
    Store(paths);
}

void RecentFiles::WaitForDesktopList() {
    desktopWriter_.waitForDone();
}

void RecentFiles::Store(const QStringList& paths) {
    settings_.setValue(kKey, paths);
    settings_.sync();
}

} // namespace qb

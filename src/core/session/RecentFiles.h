#pragma once

#include <QSettings>
#include <QStringList>
#include <QThreadPool>

namespace qb {

// The data files last opened or saved, newest first, kept between runs; each one added also
// joins the desktop's shared list, on a thread of its own, since that list may be large.
class RecentFiles {
public:
    static constexpr int kCapacity = 8;

    RecentFiles(const QString& settingsPath, QString desktopListPath);
    RecentFiles(const RecentFiles&) = delete;
    RecentFiles& operator=(const RecentFiles&) = delete;
    ~RecentFiles();

    // Where the program keeps its list, and where the desktop keeps its own.
    static QString SettingsPlace();
    static QString DesktopListPlace();

    QStringList Paths() const;
    void Add(const QString& path);
    void Remove(const QString& path);
    // Waits until the desktop's list has every file added so far.
    void WaitForDesktopList();

private:
    void Store(const QStringList& paths);

    mutable QSettings settings_; // read again each time: another instance may have written it
    QString desktopList_;
    QThreadPool desktopWriter_; // one thread: the list's updates in the order of the files
};

} // namespace qb

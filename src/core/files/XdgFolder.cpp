#include "XdgFolder.h"

#include <QDir>

namespace qb {

QString XdgFolderPath(XdgFolder folder) {
    const auto [variable, fallback] = [folder] {
        switch (folder) {
        case XdgFolder::Config:
            return std::pair{"XDG_CONFIG_HOME", "/.config"};
        case XdgFolder::Data:
            return std::pair{"XDG_DATA_HOME", "/.local/share"};
        case XdgFolder::State:
            break;
        }
        return std::pair{"XDG_STATE_HOME", "/.local/state"};
    }();
    const QString path = qEnvironmentVariable(variable);
    // The specification has a relative path ignored.
    return path.isEmpty() || QDir::isRelativePath(path) ? QDir::homePath() + QLatin1String(fallback)
                                                        : path;
}

} // namespace qb

#pragma once

#include <QString>

namespace qb {

// The user's base folders of the freedesktop base directory specification.
enum class XdgFolder { Config, Data, State };

// The folder's variable ($XDG_CONFIG_HOME, ...) when it holds an absolute path, else its place
// under the home folder.
QString XdgFolderPath(XdgFolder folder);

} // namespace qb

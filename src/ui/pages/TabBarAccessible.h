#pragma once

namespace qb {

// Gives every tab bar an accessibility interface whose tabs report the focus only while the bar
// has the keyboard: Qt's own reports the current tab as focused wherever the keyboard is, so a
// screen reader hears two focused objects. Call before the first window shows.
void InstallTabBarAccessible();

} // namespace qb

#pragma once

namespace qb {

// Gives every tab bar an accessibility interface whose tabs report the focus only while the bar
// has the keyboard (Qt's own reports the current tab as focused wherever the keyboard is), and
// every tab control one that does not report its bar's focus as its own, so that a screen reader
// finds one focused object. Call before the first window shows.
void InstallTabBarAccessible();

} // namespace qb

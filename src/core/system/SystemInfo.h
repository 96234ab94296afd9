#pragma once

namespace qb {

class Launcher;
class MessageBox;
class Registry;

// Starts the system-information program found through the registry, or tells the user that it
// cannot.
void StartSysInfo(Registry& registry, Launcher& launcher, MessageBox& messages);

} // namespace qb

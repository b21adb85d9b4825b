// The data folders this program holds locked while it runs: the folder it works in and, once the data folder was
// changed in the settings, the folder the next start will use, so that no other program takes it meanwhile.
#pragma once

#include <QString>

class FolderLock;

// Locks folder as the folder the program works in, unless it holds it already. False with the message for the
// user, naming the folder, when another program works in it or it cannot be locked.
bool LockDataFolder(const QString& folder, QString& message);
// Locks folder for the next start while the folder worked in stays locked; an earlier next-start lock is let go
// only once this one is held. False with the message for the user.
bool LockNextDataFolder(const QString& folder, QString& message);
// The lock of the folder the program works in; null until LockDataFolder succeeded.
const FolderLock* WorkingFolderLock();
// Lets go of every lock, for a restart whose new process takes its folder's lock itself.
void UnlockDataFolders();

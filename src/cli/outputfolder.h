#pragma once
#include <QString>

class UserMessages;

// Makes the folder a user named for output (and the folders above it), as
// export tools do; false, after saying why, when it cannot be made.
bool makeOutputFolder(const QString& folder, UserMessages& messages);

// Makes the folder of a file a user named for output; true also when the
// path names no file (nothing is asked for).
bool makeFolderOf(const QString& file, UserMessages& messages);

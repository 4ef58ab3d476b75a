#pragma once
#include "core/appservices.h"

#include <QString>

class QWidget;

// Tools > Back Up Archive...: asks where to put the backup, writes it with a
// progress window (the program stays usable meanwhile) and says where it went,
// or why no backup was made.
void backUpArchiveInteractively(QWidget* owner, const AppServices& services, const QString& archivePath);

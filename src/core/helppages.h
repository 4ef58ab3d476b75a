#pragma once
#include <QString>

// Opens a page of the program's help, which lies beside the program file in the
// folder "kalyx5pc-help". A help page that is missing or cannot be shown is ignored.
void openHelpPage(const QString& page);
QString helpPagePath(const QString& page);

#pragma once
#include <QByteArray>
#include <QStringList>

// The lines of a saved report text file as the viewer shows them in file mode:
// the file's bytes decoded as the program writes them, split at CRLF or LF, the
// last line's own ending dropped. Any bytes give lines; none are lost.
QStringList savedReportLines(const QByteArray& fileBytes);

#pragma once
#include <QString>

class PdfPrinter;
struct DeviceLink;
class QTextStream;
class UserMessages;

// The autosequence commands of kalyx5pc-cli, on a data file in autoseq.dat's
// form. Each returns the process exit status (0, or 1 with the program's message
// on standard error); no file is changed by a command that fails.

// Downloads the analyzer's autosequences ("GA") into FILE.
int runAutoSeqDownload(DeviceLink& link, const QString& file);
// Uploads FILE's autosequences ("PA").
int runAutoSeqUpload(DeviceLink& link, const QString& file);
// The printout lines of every record in record order, or the printout as a PDF.
int runAutoSeqPrint(const QString& file, const QString& pdf, PdfPrinter* printer, UserMessages& messages,
                    QTextStream& out);
// The list's rows: No., title and device under test, separated by tabs.
int runAutoSeqList(const QString& file, UserMessages& messages, QTextStream& out);

#include "cli/autoseqcommands.h"

#include "analyzer/systeminfo.h"
#include "autoseq/autoseqfile.h"
#include "autoseq/autoseqlist.h"
#include "autoseq/autoseqprintout.h"
#include "cli/outputfolder.h"
#include "cli/pdfprinter.h"
#include "core/usermessages.h"
#include "device/headlessprogress.h"
#include "device/transfers.h"
#include "device/transport.h"

#include <QTextStream>
#include <optional>

namespace {
// The file's records, or nothing after saying why there are none to work on.
std::optional<QList<TAutoSeq>> readFile(const QString& file, UserMessages& messages) {
  const AutoSeqFileRead read = loadAutoSeqFile(file);
  if (read.status != AutoSeqFileRead::Status::Read) {
    messages.show(autoSeqReadFailureText(), autoSeqFileErrorCaption(), UserMessages::Icon::Error);
    return std::nullopt;
  }
  return read.records;
}

bool saved(const std::optional<SaveFailure>& failure, UserMessages& messages, const QString& text) {
  if (failure) messages.show(text, autoSeqFileErrorCaption(), UserMessages::Icon::Error);
  return !failure;
}
}  // namespace

int runAutoSeqDownload(DeviceLink& link, const QString& file) {
  HeadlessProgressHost host(link.messages);
  QList<TAutoSeq> records;
  const bool ok = runDownload(link, host, kAutoSeqRecords, swapAutoSeq,
                              [&records](const SystemInfo&, const QList<QByteArray>& blocks) {
                                for (const QByteArray& block : blocks) records.append(autoSeqFromBytes(block.constData()));
                              });
  if (!ok || !makeFolderOf(file, link.messages)) return 1;
  return saved(saveAutoSeqFile(file, records), link.messages, autoSeqWriteFailureText()) ? 0 : 1;
}

int runAutoSeqUpload(DeviceLink& link, const QString& file) {
  const std::optional<QList<TAutoSeq>> records = readFile(file, link.messages);
  if (!records) return 1;
  if (records->isEmpty()) {
    link.messages.show(QStringLiteral("The file holds no autosequences to upload."), QStringLiteral("Nothing to upload"),
                       UserMessages::Icon::Information);
    return 1;
  }
  QList<QByteArray> blocks;
  for (const TAutoSeq& rec : *records) blocks.append(QByteArray(rec.data(), TAutoSeq::Size));
  HeadlessProgressHost host(link.messages);
  return runUpload(link, host, blocks, swapAutoSeq) ? 0 : 1;
}

int runAutoSeqPrint(const QString& file, const QString& pdf, PdfPrinter* printer, UserMessages& messages,
                    QTextStream& out) {
  const std::optional<QList<TAutoSeq>> records = readFile(file, messages);
  if (!records) return 1;
  QList<QStringList> documents;
  for (const TAutoSeq& rec : *records) documents.append(autoSeqPrintLines(rec));
  if (!pdf.isEmpty()) {
    if (!makeFolderOf(pdf, messages)) return 1;
    if (const std::optional<SaveFailure> failure = printer->printLines(pdf, documents)) {
      messages.show(failure->message(), QStringLiteral("Error saving file"), UserMessages::Icon::Error);
      return 1;
    }
    return 0;
  }
  for (const QStringList& lines : documents)
    for (const QString& line : lines) out << line << '\n';
  return 0;
}

int runAutoSeqList(const QString& file, UserMessages& messages, QTextStream& out) {
  const std::optional<QList<TAutoSeq>> records = readFile(file, messages);
  if (!records) return 1;
  for (int c = 0; c < autoseqlist::kColumnCount; ++c) out << (c ? "\t" : "") << autoseqlist::columnHeader(c);
  out << '\n';
  for (int i = 0; i < records->size(); ++i) {
    for (int c = 0; c < autoseqlist::kColumnCount; ++c) out << (c ? "\t" : "") << autoseqlist::cellText((*records)[i], i, c);
    out << '\n';
  }
  return 0;
}

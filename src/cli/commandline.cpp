#include "cli/commandline.h"

#include "archive/archivekeeper.h"
#include "archive/archivelocation.h"
#include "archive/devicedue.h"
#include "archive/departmentserver.h"
#include "cli/archivecommands.h"
#include "cli/autoseqcommands.h"
#include "cli/clicommands.h"
#include "cli/duecommand.h"
#include "maintenance/inventorycsv.h"
#include "cli/climessages.h"
#include "cli/wavecommands.h"
#include "core/paths.h"
#include "core/settingsfile.h"
#include "demo/linkoptions.h"
#include "device/analyzerdriver.h"
#include "device/transport.h"

#include <QCommandLineParser>
#include <QTextStream>
#include <cstdio>

namespace {
const QStringList kCommands = {QStringLiteral("info"),     QStringLiteral("diagnose"), QStringLiteral("reports"),
                               QStringLiteral("waves"),    QStringLiteral("capture"),  QStringLiteral("wavefile"),
                               QStringLiteral("autoseq"),  QStringLiteral("archive")};
const QStringList kArchiveCommands = {QStringLiteral("import"), QStringLiteral("list"), QStringLiteral("export"),
                                      QStringLiteral("history"), QStringLiteral("check"), QStringLiteral("sync"),
                                      QStringLiteral("init"), QStringLiteral("backup"), QStringLiteral("due"),
                                      QStringLiteral("devices")};
// The archive commands that read the department's archive with --department.
const QStringList kDepartmentReads = {QStringLiteral("list"), QStringLiteral("export"), QStringLiteral("history"),
                                      QStringLiteral("due")};
const QStringList kAutoSeqCommands = {QStringLiteral("download"), QStringLiteral("upload"), QStringLiteral("print"),
                                      QStringLiteral("list")};

int fail(const QString& text) {
  std::fprintf(stderr, "kalyx5pc-cli: %s\n", text.toLocal8Bit().constData());
  return 2;
}
}  // namespace

bool asksForPrintout(const QStringList& arguments) {
  for (const QString& argument : arguments)
    if (argument == QLatin1String("--pdf") || argument.startsWith(QLatin1String("--pdf="))) return true;
  return false;
}

int runCommandLine(const QStringList& commandLine, PdfPrinter* printer) {
  QStringList arguments = commandLine;
  LinkOptions linkOptions;
  QString error;
  QString archiveOption;
  QString sharedOption;
  if (!takeLinkOptions(&arguments, kCommands, &linkOptions, &error) ||
      !takeArchiveOption(&arguments, &archiveOption, &error) || !takeSharedOption(&arguments, &sharedOption, &error))
    return fail(error);

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Kalyx 5pc without windows.\n\nCommands:\n"
                     "  info           print the analyzer's I.D. and the numbers of stored records\n"
                     "  diagnose       check the way to the analyzer: ports, permission, programs and\n"
                     "                 drivers in the way; each finding says what to do\n"
                     "  reports        download all test reports and print them as text reports;\n"
                     "                 with --text, --csv, --mup or --pdf write those files instead\n"
                     "  waves          download the wave records and print their information texts;\n"
                     "                 with --csv DIR write wave-01.csv, wave-02.csv, ... in DIR instead\n"
                     "  capture        capture one real-time waveform and print its texts;\n"
                     "                 with --csv FILE write its waveform file instead\n"
                     "  wavefile FILE  open a waveform file and print its texts;\n"
                     "                 with --csv OUT write it again as OUT\n"
                     "                 --pdf FILE prints the waveforms, one page each, as a viewer prints\n"
                     "  autoseq download FILE  download the analyzer's autosequences into the data file FILE\n"
                     "  autoseq upload FILE    upload the data file's autosequences to the analyzer\n"
                     "  autoseq print FILE     print each autosequence's printout lines; with --pdf OUT print\n"
                     "                         them to a PDF\n"
                     "  autoseq list FILE      the list's rows: No., title, device under test\n"
                     "  archive import         download the test reports and wave records into the archive\n"
                     "  archive list           the archived records the filters select, tab-separated\n"
                     "  archive export         the selected test reports, written as reports writes them\n"
                     "                         (--text, --csv, --mup, --pdf)\n"
                     "  archive history DEVICE one line per test entry of the device, near-limit values marked,\n"
                     "                         then a line per value forecast to reach its limit: forecast,\n"
                     "                         the test, the limit, the month (YYYY-MM), the tests it rests on\n"
                     "  archive due            each device's next due date and status (Overdue, Due, OK),\n"
                     "                         tab-separated, with its near-limit and forecast marks;\n"
                     "                         --within DAYS those due within DAYS (overdue too),\n"
                     "                         --overdue those past due, --location TEXT those whose\n"
                     "                         location holds TEXT, --csv FILE written as CSV\n"
                     "  archive devices import FILE  read a CSV of device I.D., location, test interval\n"
                     "                         (months) and note into the archive; each line refused says why\n"
                     "  archive check          the archive's integrity check and record counts\n"
                     "  archive backup FILE    write a backup of the archive into FILE: one consistent file,\n"
                     "                         the way to copy the archive\n"
                     "  archive sync           send the records that wait to the department's archive\n"
                     "  archive init           create the department's archive on its server (--shared URL),\n"
                     "                         or bring its schema up to date\n"
                     "  Filters of list and export combine: --device, --analyzer, --since, --until,\n"
                     "  --failed, --kind. capture also keeps what it captures in the archive.\n"
                     "  list, export, history and due read the department's archive with --department.\n\n"
                     "Link options:\n") +
      linkOptionsHelp() + archiveOptionHelp() + sharedOptionHelp());
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("command"),
                               QStringLiteral("info, diagnose, reports, waves, capture, wavefile FILE or autoseq ..."));
  const QCommandLineOption text(QStringLiteral("text"), QStringLiteral("reports: save each report as a text file in DIR"),
                                QStringLiteral("DIR"));
  const QCommandLineOption csv(QStringLiteral("csv"),
                               QStringLiteral("reports: save the text files and a CSV index of them as FILE;\n"
                                              "waves: the folder of the waveform files; capture, wavefile: "
                                              "the waveform file to write"),
                               QStringLiteral("FILE"));
  const QCommandLineOption mup(QStringLiteral("mup"), QStringLiteral("reports: save a MUP import file as FILE"),
                               QStringLiteral("FILE"));
  const QCommandLineOption pdf(QStringLiteral("pdf"),
                               QStringLiteral("reports, waves, capture, wavefile: print to the PDF file FILE as the "
                                              "viewers print"),
                               QStringLiteral("FILE"));
  const QCommandLineOption device(QStringLiteral("device"),
                                  QStringLiteral("archive: records whose device I.D. holds TEXT"), QStringLiteral("TEXT"));
  const QCommandLineOption analyzer(QStringLiteral("analyzer"), QStringLiteral("archive: records of the analyzer ID"),
                                    QStringLiteral("ID"));
  const QCommandLineOption since(QStringLiteral("since"), QStringLiteral("archive: tested on or after DATE (YYYY-MM-DD)"),
                                 QStringLiteral("DATE"));
  const QCommandLineOption until(QStringLiteral("until"),
                                 QStringLiteral("archive: tested on or before DATE (YYYY-MM-DD)"), QStringLiteral("DATE"));
  const QCommandLineOption failed(QStringLiteral("failed"), QStringLiteral("archive: test reports that failed"));
  const QCommandLineOption kind(QStringLiteral("kind"), QStringLiteral("archive list: reports, waves or captures"),
                                QStringLiteral("KIND"));
  const QCommandLineOption department(QStringLiteral("department"),
                                      QStringLiteral("archive list, export, history: read the department's archive"));
  const QCommandLineOption within(QStringLiteral("within"),
                                  QStringLiteral("archive due: the devices due within DAYS days, overdue ones too"),
                                  QStringLiteral("DAYS"));
  const QCommandLineOption overdue(QStringLiteral("overdue"), QStringLiteral("archive due: the devices past due"));
  const QCommandLineOption location(QStringLiteral("location"),
                                    QStringLiteral("archive due: the devices whose location holds TEXT"),
                                    QStringLiteral("TEXT"));
  parser.addOptions(
      {text, csv, mup, pdf, device, analyzer, since, until, failed, kind, department, within, overdue, location});
  parser.process(arguments);

  const QStringList positional = parser.positionalArguments();
  const QString command = positional.value(0);
  const QString sub = positional.value(1);
  const qsizetype wanted = command == QLatin1String("wavefile")  ? 2
                           : command == QLatin1String("autoseq") ? 3
                           : command == QLatin1String("archive") ? (sub == QLatin1String("history") || sub == QLatin1String("backup") ? 3
                                                                    : sub == QLatin1String("devices")                                  ? 4
                                                                                                                                       : 2)
                                                                 : 1;
  if (positional.size() != wanted || !kCommands.contains(command) ||
      (command == QLatin1String("autoseq") && !kAutoSeqCommands.contains(sub)) ||
      (command == QLatin1String("archive") && !kArchiveCommands.contains(sub)) ||
      (sub == QLatin1String("devices") && positional.value(2) != QLatin1String("import")))
    return fail(QStringLiteral("give one command: info, diagnose, reports, waves, capture, wavefile FILE, "
                               "autoseq download|upload|print|list FILE or "
                               "archive import|list|export|check|sync|init|due, archive history DEVICE, archive backup FILE, "
                               "archive devices import FILE (see --help)"));
  if (parser.isSet(department) && !kDepartmentReads.contains(sub))
    return fail(QStringLiteral("--department goes with archive list, export, history and due"));
  DueRequest dueRequest{std::nullopt, parser.isSet(overdue), parser.value(location), parser.value(csv), QString(), nullptr};
  if (parser.isSet(within)) {
    bool number = false;
    dueRequest.withinDays = parser.value(within).toInt(&number);
    if (!number || *dueRequest.withinDays < 0 || *dueRequest.withinDays > 3660)
      return fail(QStringLiteral("--within needs a number of days from 0 to 3660"));
  }
  if ((parser.isSet(within) || parser.isSet(overdue) || parser.isSet(location)) && sub != QLatin1String("due"))
    return fail(QStringLiteral("--within, --overdue and --location go with archive due"));
  if (sub == QLatin1String("due") && (parser.isSet(text) || parser.isSet(mup) || (parser.isSet(pdf) && parser.isSet(csv))))
    return fail(QStringLiteral("archive due writes its rows as text, with --csv FILE as CSV, or with --pdf FILE as "
                               "the worklist"));
  dueRequest.pdfPath = parser.value(pdf);
  dueRequest.printer = printer;

  ArchiveFilter filter;
  filter.device = parser.value(device);
  filter.analyzer = parser.value(analyzer);
  filter.failedOnly = parser.isSet(failed);
  for (const auto& [option, date] : {std::pair{&since, &filter.since}, std::pair{&until, &filter.until}}) {
    if (!parser.isSet(*option)) continue;
    *date = QDate::fromString(parser.value(*option), Qt::ISODate);
    if (!date->isValid()) return fail(QStringLiteral("--%1 needs a date as YYYY-MM-DD").arg(option->names().first()));
  }
  if (parser.isSet(kind)) {
    const QString k = parser.value(kind);
    if (k == QLatin1String("reports")) filter.kind = ArchiveKind::TestReport;
    else if (k == QLatin1String("waves")) filter.kind = ArchiveKind::WaveRecord;
    else if (k == QLatin1String("captures")) filter.kind = ArchiveKind::Capture;
    else return fail(QStringLiteral("--kind is reports, waves or captures"));
  }

  CliMessages messages;
  QTextStream out(stdout);
  if (parser.isSet(pdf) && !printer) return fail(QStringLiteral("printing is not available"));
  const WaveOutputs waveOutputs{parser.value(csv), parser.value(pdf), printer};
  const ReportsRequest request{parser.value(text), parser.value(csv), parser.value(mup), parser.value(pdf), printer};
  const QString archivePath = archiveLocation(archiveOption, linkOptions.demo);
  std::unique_ptr<Archive> archive;
  std::optional<DepartmentServer> importServer;
  if (command == QLatin1String("archive")) {
    std::optional<DepartmentServer> server;
    const bool toDepartment = parser.isSet(department) || sub == QLatin1String("sync") || sub == QLatin1String("init");
    SettingsFile settings(iniPath());
    const QString address = departmentAddress(sharedOption, settings, linkOptions.demo);
    // An import, of records or of device details, sends where a department is named.
    const bool imports = sub == QLatin1String("import") || sub == QLatin1String("devices");
    if (toDepartment || (imports && !address.isEmpty())) {
      if (address.isEmpty())
        return fail(QStringLiteral("no department's archive is named: give --shared URL or set SHARED in the "
                                   "[Archive] section of the settings"));
      server = DepartmentServer::parse(address, &error);
      if (!server) return fail(error);
    }
    if (imports) importServer = server;
    if (sub == QLatin1String("init")) return runArchiveInit(*server, archivePath, messages, out);
    if (sub == QLatin1String("backup")) return runArchiveBackup(archivePath, positional[2], messages, out);
    // The inventory is read first: a file that cannot be read touches no archive.
    std::optional<Inventory> inventory;
    if (sub == QLatin1String("devices") && !(inventory = readInventory(positional[3], messages))) return 1;
    ArchiveFailure failure;
    const bool writes = sub == QLatin1String("import") || sub == QLatin1String("sync") || sub == QLatin1String("devices");
    if (parser.isSet(department))
      archive = Archive::openDepartment(*server, &failure);
    else  // only the imports make an archive; the others read one that is there
      archive = Archive::open(archivePath, &failure,
                              sub == QLatin1String("import") || sub == QLatin1String("devices") ? Archive::Opening::CreateOrUpdate
                                                                                          : Archive::Opening::Existing);
    if (!archive || (archive->readOnly() && writes)) {
      messages.show(failure.message(), QStringLiteral("Archive"), UserMessages::Icon::Error, UserMessages::Buttons::Ok);
      return 1;
    }
    if (!failure.reason.isEmpty())  // read only (a newer schema, a file this account may not write): said once
      std::fprintf(stderr, "%s\n", failure.message().toLocal8Bit().constData());
    if (sub == QLatin1String("list")) return runArchiveList(*archive, filter, messages, out);
    if (sub == QLatin1String("export")) return runArchiveExport(*archive, filter, request, messages, out);
    if (sub == QLatin1String("history")) return runArchiveHistory(*archive, positional[2], messages, out);
    if (sub == QLatin1String("check")) return runArchiveCheck(*archive, messages, out);
    if (sub == QLatin1String("due")) return runArchiveDue(*archive, duePolicy(settings), dueRequest, messages, out);
    if (sub == QLatin1String("devices")) {
      const int imported = runArchiveDevicesImport(*archive, *inventory, messages, out);
      if (importServer) sendAfterImport(*archive, *importServer, messages, out);  // what was kept stands
      return imported;
    }
    if (sub == QLatin1String("sync")) return runArchiveSync(*archive, *server, messages, out);
  }
  if (command == QLatin1String("wavefile")) return runWavefileCommand(positional[1], waveOutputs, messages, out);
  if (command == QLatin1String("autoseq") && positional[1] == QLatin1String("print"))
    return runAutoSeqPrint(positional[2], parser.value(pdf), printer, messages, out);
  if (command == QLatin1String("autoseq") && positional[1] == QLatin1String("list"))
    return runAutoSeqList(positional[2], messages, out);

  std::unique_ptr<AnalyzerDriver> driver = createDriver(linkOptions, &error);
  if (!driver) return fail(error);
  DeviceLink link{*driver, messages};
  if (archive) {
    const int imported = runArchiveImport(link, *archive, out);
    if (imported != 0 || !importServer) return imported;
    sendAfterImport(*archive, *importServer, messages, out);  // the import stands whatever the sending does
    return 0;
  }
  if (command == QLatin1String("info")) return runInfoCommand(link, out);
  if (command == QLatin1String("diagnose")) return runDiagnoseCommand(linkOptions, *driver, out);
  if (command == QLatin1String("autoseq"))
    return positional[1] == QLatin1String("download") ? runAutoSeqDownload(link, positional[2])
                                                       : runAutoSeqUpload(link, positional[2]);
  if (command == QLatin1String("waves")) return runWavesCommand(link, waveOutputs, out);
  if (command == QLatin1String("capture")) {
    SettingsFile settings(iniPath());
    ArchiveKeeper keeper(archivePath, settings, messages);
    return runCaptureCommand(link, waveOutputs, &keeper, out);
  }
  return runReportsCommand(link, request, out);
}

// The analyzer's udev rule, read by a small evaluator of the few keys it uses:
// its syntax is checked line by line, then it is run against the devices a
// technician may plug in.
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

namespace {
const QString kRulePath = QStringLiteral(KALYX_SOURCE_DIR "/packaging/70-kalyx5-analyzer.rules");

struct Term {
  QString key, attribute, op, value;
};
using Rule = QList<Term>;

// Splits a rule line into its terms: KEY{attr}OP"value", separated by commas.
bool parseLine(const QString& line, Rule* rule, QString* error) {
  static const QRegularExpression term(
      QStringLiteral(R"re(^\s*([A-Z_]+)(?:\{([A-Za-z0-9_]+)\})?\s*(==|!=|\+=|-=|:=|=)\s*"([^"]*)"\s*(,|$))re"));
  QString rest = line;
  while (!rest.trimmed().isEmpty()) {
    const QRegularExpressionMatch m = term.match(rest);
    if (!m.hasMatch()) {
      *error = QStringLiteral("cannot read: ") + rest;
      return false;
    }
    rule->append({m.captured(1), m.captured(2), m.captured(3), m.captured(4)});
    rest = rest.mid(m.capturedEnd());
  }
  return true;
}

QList<Rule> readRules(QStringList* errors) {
  QFile file(kRulePath);
  if (!file.open(QIODevice::ReadOnly)) {
    errors->append(QStringLiteral("missing"));
    return {};
  }
  QList<Rule> rules;
  for (const QString& raw : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    Rule rule;
    QString error;
    if (!parseLine(line, &rule, &error)) errors->append(error);
    rules.append(rule);
  }
  return rules;
}

// A device as udev sees it: its own properties, and the attributes of it and its parents.
struct Device {
  QString action = QStringLiteral("add");
  QString subsystem, driver;
  QMap<QString, QString> attrs;  // of the device or any parent
  // What the rules did.
  QMap<QString, QString> env;
  QStringList tags;
  QMap<QString, QString> written;  // ATTR{...}= assignments
};

bool matches(const Term& t, const Device& d) {
  QString actual;
  if (t.key == QLatin1String("ACTION")) actual = d.action;
  else if (t.key == QLatin1String("SUBSYSTEM")) actual = d.subsystem;
  else if (t.key == QLatin1String("DRIVER")) actual = d.driver;
  else if (t.key == QLatin1String("ATTRS")) actual = d.attrs.value(t.attribute, QStringLiteral("\x01"));
  else if (t.key == QLatin1String("ENV")) actual = d.env.value(t.attribute);
  const bool equal = t.value.split(QLatin1Char('|')).contains(actual);
  return t.op == QLatin1String("==") ? equal : !equal;
}

void run(const QList<Rule>& rules, Device& d) {
  QString skipTo;
  for (const Rule& rule : rules) {
    if (!skipTo.isEmpty()) {
      if (rule.size() == 1 && rule[0].key == QLatin1String("LABEL") && rule[0].value == skipTo) skipTo.clear();
      continue;
    }
    bool all = true;
    for (const Term& t : rule)
      if (t.op == QLatin1String("==") || t.op == QLatin1String("!=")) all = all && matches(t, d);
    if (!all) continue;
    for (const Term& t : rule) {
      if (t.key == QLatin1String("GOTO")) skipTo = t.value;
      else if (t.key == QLatin1String("TAG") && t.op == QLatin1String("+=")) d.tags.append(t.value);
      else if (t.key == QLatin1String("ENV") && t.op == QLatin1String("=")) d.env[t.attribute] = t.value;
      else if (t.key == QLatin1String("ATTR") && t.op == QLatin1String("=")) d.written[t.attribute] = t.value;
    }
  }
}

Device ftdiTty(const QString& product, const QString& productId = QStringLiteral("6001")) {
  Device d;
  d.subsystem = QStringLiteral("tty");
  d.attrs = {{QStringLiteral("idVendor"), QStringLiteral("0403")}, {QStringLiteral("idProduct"), productId}};
  if (!product.isNull()) d.attrs[QStringLiteral("product")] = product;
  return d;
}
}  // namespace

TEST(AnalyzerUdevRule, EveryLineReadsAndUsesOnlyKnownKeysAndLabels) {
  QStringList errors;
  const QList<Rule> rules = readRules(&errors);
  EXPECT_EQ(errors, QStringList());
  ASSERT_GE(rules.size(), 5);
  const QStringList matchKeys = {"ACTION", "SUBSYSTEM", "DRIVER", "ATTRS", "ENV"};
  const QStringList assignKeys = {"TAG", "ENV", "ATTR", "GOTO", "LABEL"};
  QStringList gotos, labels;
  for (const Rule& rule : rules)
    for (const Term& t : rule) {
      const bool match = t.op == QLatin1String("==") || t.op == QLatin1String("!=");
      EXPECT_TRUE(match ? matchKeys.contains(t.key) : assignKeys.contains(t.key))
          << t.key.toStdString() << t.op.toStdString();
      if (t.key == QLatin1String("GOTO")) gotos << t.value;
      if (t.key == QLatin1String("LABEL")) labels << t.value;
    }
  for (const QString& target : gotos) EXPECT_TRUE(labels.contains(target)) << target.toStdString();
}

TEST(AnalyzerUdevRule, TheAnalyzerGoesToTheUserAndModemManagerLeavesItAlone) {
  QStringList errors;
  const QList<Rule> rules = readRules(&errors);
  for (const QString& product : {QStringLiteral("Kalyx 5 Defib Tester Final"), QString()}) {
    Device analyzer = ftdiTty(product);  // by its product string, and by FTDI's ids where none is shown
    run(rules, analyzer);
    EXPECT_TRUE(analyzer.tags.contains("uaccess")) << product.toStdString();
    EXPECT_EQ(analyzer.env.value("ID_MM_DEVICE_IGNORE"), "1");
  }
  Device ft2232 = ftdiTty(QString(), QStringLiteral("6010"));
  run(rules, ft2232);
  EXPECT_TRUE(ft2232.tags.contains("uaccess"));

  Device prolific;  // another maker's cable is left as it is
  prolific.subsystem = QStringLiteral("tty");
  prolific.attrs = {{"idVendor", "067b"}, {"idProduct", "2303"}, {"product", "USB-Serial Controller"}};
  run(rules, prolific);
  EXPECT_TRUE(prolific.tags.isEmpty());
  EXPECT_TRUE(prolific.env.isEmpty());

  Device removed = ftdiTty(QStringLiteral("Kalyx 5 Defib Tester Final"));
  removed.action = QStringLiteral("remove");
  run(rules, removed);
  EXPECT_TRUE(removed.tags.isEmpty());
}

TEST(AnalyzerUdevRule, TheLatencyTimerOfTheAnalyzersFtdiPortIsOneMillisecond) {
  QStringList errors;
  const QList<Rule> rules = readRules(&errors);
  Device port;
  port.subsystem = QStringLiteral("usb-serial");
  port.driver = QStringLiteral("ftdi_sio");
  port.attrs = {{"idVendor", "0403"}, {"idProduct", "6001"}, {"product", "Kalyx 5 Defib Tester Final"}};
  run(rules, port);
  EXPECT_EQ(port.written.value("latency_timer"), "1");
  Device other = port;
  other.written.clear();
  other.driver = QStringLiteral("pl2303");
  other.attrs = {{"idVendor", "067b"}, {"idProduct", "2303"}};
  run(rules, other);
  EXPECT_TRUE(other.written.isEmpty());
}

// wakorin-fetch: downloads the race program, result and racer statistics archives of one day or
// of a range of days into a folder, as the window's download command does.
#include <unistd.h>

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QEventLoop>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <optional>

#include "app/DayDownload.h"
#include "app/QtJapanese.h"
#include "app/Settings.h"
#include "tools/FetchText.h"

namespace {

// A message of several lines on one line of the report. A Japanese sentence ends in 。 and
// needs no space after it; elsewhere a line break becomes a space.
QString OneLine(QString text) {
  text.replace(QStringLiteral("。\n"), QStringLiteral("。"));
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return text;
}

using wakorin::DayDownload;
using wakorin::DayFiles;
using wakorin::DownloadFault;
using wakorin::DownloadFile;

using wakorin::fetch_text::LocalWords;
using wakorin::fetch_text::QSay;
namespace text = wakorin::fetch_text;

struct Options {
  QString folder;
  QDate from, to;
};

std::optional<QDate> ParseDate(const QString& text) {
  const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
  if (!date.isValid()) return std::nullopt;
  return date;
}

std::optional<Options> Parse(const QStringList& args) {
  Options options;
  QStringList days;
  for (int i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (arg == QStringLiteral("--into")) {
      if (++i >= args.size() || args[i].isEmpty()) return std::nullopt;
      options.folder = args[i];
    } else if (arg.startsWith(QStringLiteral("--into="))) {
      options.folder = arg.mid(7);
      if (options.folder.isEmpty()) return std::nullopt;
    } else if (arg.startsWith(QLatin1Char('-'))) {
      return std::nullopt;
    } else {
      days << arg;
    }
  }
  if (days.size() != 1) return std::nullopt;
  const QStringList range = days[0].split(QStringLiteral(".."));
  if (range.size() > 2) return std::nullopt;
  const std::optional<QDate> from = ParseDate(range.first());
  const std::optional<QDate> to = ParseDate(range.last());
  if (!from || !to || *to < *from) return std::nullopt;
  options.from = *from;
  options.to = *to;
  return options;
}

void Print(FILE* stream, const QString& text) {
  std::fputs(text.toUtf8().constData(), stream);
  std::fflush(stream);
}

// A fault said on one line, in the locale's language.
QString FaultLine(const DownloadFault& fault) {
  return OneLine(wakorin::FaultText(fault, LocalWords()));
}

// One line redrawn in place: which file, how much of it.
void DrawBar(const DownloadFile& file, qint64 received, qint64 total) {
  constexpr int kWidth = 20;
  QString line = QLatin1Char('\r') + wakorin::ProgressText(file, LocalWords());
  if (total > 0) {
    const int filled = static_cast<int>(kWidth * std::min(received, total) / total);
    line += QStringLiteral(" [%1%2] %3%")
                .arg(QString(filled, QLatin1Char('#')), QString(kWidth - filled, QLatin1Char(' ')))
                .arg(100 * std::min(received, total) / total, 3);
  } else {
    line += QStringLiteral(" %1 KB").arg(received / 1024);
  }
  Print(stderr, line + QStringLiteral("\x1b[K"));
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  wakorin::settings::NameApplication();
  wakorin::InstallQtJapanese();
  const QStringList args = QCoreApplication::arguments().mid(1);
  if (args.contains(QStringLiteral("-h")) || args.contains(QStringLiteral("--help"))) {
    Print(stdout, QSay(text::kUsage));
    return 0;
  }
  const std::optional<Options> options = Parse(args);
  if (!options) {
    Print(stderr, QSay(text::kUsage));
    return 2;
  }
  const QString folder =
      options->folder.isEmpty() ? wakorin::settings::DataFolder() : options->folder;
  const bool bar = ::isatty(2);
  int failed = 0;
  // A statistics period that could not be had is asked for once per run, not once per day.
  QList<int> statsUnavailable;
  int withoutStats = 0;
  for (QDate day = options->from; day <= options->to; day = day.addDays(1)) {
    DayDownload::Options download;
    download.folder = folder;
    download.day = day;
    download.statsUnavailable = statsUnavailable;
    DayDownload job(download);
    if (bar) {
      QObject::connect(&job, &DayDownload::Progress, &job, DrawBar);
    } else {
      // No terminal to redraw a bar on: one line per file as it starts.
      const QString date = day.toString(Qt::ISODate);
      QObject::connect(&job, &DayDownload::Progress, &job,
                       [date, last = QString()](const DownloadFile& file, qint64, qint64) mutable {
                         const QString label = wakorin::ProgressText(file, LocalWords());
                         if (label == last) return;
                         last = label;
                         Print(stderr, date + QStringLiteral(": ") + label + QLatin1Char('\n'));
                       });
    }
    QEventLoop loop;
    QObject::connect(&job, &DayDownload::Finished, &loop, &QEventLoop::quit);
    job.Start();
    loop.exec();
    if (bar) Print(stderr, QStringLiteral("\r\x1b[K"));
    const DayFiles& files = job.Result();
    const QString date = day.toString(Qt::ISODate);
    if (!files.ok) {
      ++failed;
      Print(stderr, date + QStringLiteral(": ") +
                        (files.fault ? FaultLine(*files.fault) : QString()) + QLatin1Char('\n'));
      continue;
    }
    QStringList parts;
    if (!files.fetched.isEmpty())
      parts << files.fetched.join(QLatin1Char(' ')) + QSay(text::kSaved);
    if (!files.kept.isEmpty())
      parts << files.kept.join(QLatin1Char(' ')) + QSay(text::kAlreadyThere);
    if (!files.awaited.isEmpty())
      parts << files.awaited.join(QLatin1Char(' ')) + QSay(text::kNotYetPublished);
    if (!files.incomplete.isEmpty())
      parts << files.incomplete.join(QLatin1Char(' ')) + QSay(text::kIncomplete);
    Print(stdout, date + QStringLiteral(": ") + parts.join(QSay(text::kSentenceJoin)) +
                      QSay(text::kSentenceEnd));
    // The day is there; the standard prediction's statistics are said apart, once each.
    if (files.statsFault) {
      Print(stderr, date + QStringLiteral(": ") + FaultLine(*files.statsFault) + QLatin1Char('\n'));
    }
    if (!files.statsMissing.isEmpty()) ++withoutStats;
    for (int period : files.statsMissing) {
      if (!statsUnavailable.contains(period)) statsUnavailable << period;
    }
  }
  if (!statsUnavailable.isEmpty()) {
    QStringList names;
    for (int period : statsUnavailable) names << wakorin::StatsArchiveName(period);
    Print(stderr, QSay(text::kStatsMissing).arg(names.join(QLatin1Char(' '))).arg(withoutStats));
  }
  if (options->from == options->to && !failed) {
    // The data folder is hidden under the home folder: say where the day went.
    Print(stdout, QSay(text::kSavedIn).arg(QDir(folder).absolutePath()));
  }
  if (options->from != options->to || failed) {
    Print(failed ? stderr : stdout, QSay(text::kSummary)
                                        .arg(options->from.daysTo(options->to) + 1)
                                        .arg(options->from.daysTo(options->to) + 1 - failed)
                                        .arg(folder));
  }
  return failed ? 1 : 0;
}

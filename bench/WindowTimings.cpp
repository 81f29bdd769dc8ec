// Times the real main window on Qt's offscreen platform: start-up after the file is chosen, race
// and venue changes, a prediction and the result check. The desktop seam answers the file dialog
// at once and its Wait() counts the check's 50 ms animation steps without sleeping them, so the
// figures are the program's own work. Each figure is the median of several runs.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QFileInfo>
#include <QSettings>
#include <QTableWidget>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Application.h"
#include "bench/SampleDay.h"
#include "ui/Desktop.h"
#include "ui/Fonts.h"
#include "ui/MainForm.h"
#include "ui/TitleForm.h"
#include "ui/season/SeasonWindow.h"
#include "predict/DefaultModel.h"

namespace wakorin::bench {
namespace {

QElapsedTimer sinceStart;

double NowMs() {
  return static_cast<double>(sinceStart.nsecsElapsed()) / 1e6;
}

// Answers the file dialog with the day's program file; waits are counted, not slept.
class TimingDesktop final : public Desktop {
 public:
  QString programPath;
  QStringList messages;
  double chosenAt = 0;
  int waits = 0;
  long long waitedMs = 0;
  // The check's glide: from the event processing before its first 50 ms step to its last step.
  double glideStart = -1, glideEnd = -1;

  std::optional<QString> ChooseOpenFile(QWidget*, const OpenFileOptions&) override {
    chosenAt = NowMs();
    return programPath;
  }
  void ShowMessage(QWidget*, const QString& text) override { messages << text; }
  void Wait(int milliseconds) override {
    ++waits;
    waitedMs += milliseconds;
    if (milliseconds != 50) return;
    if (glideStart < 0) glideStart = processingStart_;
    glideEnd = NowMs();
  }
  void ProcessEvents() override {
    processingStart_ = NowMs();
    QApplication::processEvents();
  }
  void Open(const QUrl&) override {}

  void ResetCheck() {
    waits = 0;
    waitedMs = 0;
    glideStart = glideEnd = -1;
    messages.clear();
  }

 private:
  double processingStart_ = 0;
};

// Sees, application-wide, every paint of the main window and the moment the check's summary
// footer gets its tooltip: the last thing done before the progress bar's final run.
class Watcher final : public QObject {
 public:
  QWidget* window = nullptr;
  QWidget* footer = nullptr;
  int paints = 0;
  double footerAt = -1;

  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Paint && window && object->isWidgetType() &&
        static_cast<QWidget*>(object)->window() == window) {
      ++paints;
    } else if (event->type() == QEvent::ToolTipChange && object == footer) {
      footerAt = NowMs();
    }
    return false;
  }
};

Watcher* watcher = nullptr;

// The offscreen platform says, at every window shown, what it cannot do; nothing else is muted.
QtMessageHandler defaultHandler = nullptr;

void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support")) ||
      message.contains(QLatin1String("XDG_RUNTIME_DIR"))) {
    return;
  }
  defaultHandler(type, context, message);
}

// Processes events until a pass paints nothing more, as the user would see the result.
void Settle() {
  for (int pass = 0; pass < 10; ++pass) {
    const int before = watcher->paints;
    QApplication::processEvents();
    if (watcher->paints == before) return;
  }
}

struct Figure {
  std::string name;
  double targetMs = 0;
  std::string target;
  std::vector<double> ms;
  std::string note;

  double Median() const {
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    if (sorted.empty()) return 0;
    const std::size_t n = sorted.size();
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
  }
};

std::string Ms(double ms) {
  char text[32];
  if (ms >= 100) {
    std::snprintf(text, sizeof text, "%.0f ms", ms);
  } else if (ms >= 10) {
    std::snprintf(text, sizeof text, "%.1f ms", ms);
  } else {
    std::snprintf(text, sizeof text, "%.2f ms", ms);
  }
  return text;
}

void Fail(const std::string& what) {
  throw std::runtime_error(what);
}

// A control of the window by its objectName.
template <class T>
T* Control(const QWidget& window, const char* name) {
  T* found = window.findChild<T*>(QString::fromLatin1(name));
  if (!found) Fail(std::string("no control named ") + name);
  return found;
}

std::unique_ptr<TMainForm> StartUp(TimingDesktop& desktop, double* chosenToPainted) {
  auto form = std::make_unique<TMainForm>(desktop);
  watcher->window = form.get();
  watcher->footer = Control<QLabel>(*form, "LabelHitReturn");
  watcher->paints = 0;
  // The start-up as the application runs it; the timings need none of its menu commands.
  if (!Application(*form, desktop).Start(std::make_unique<TTitleForm>())) {
    Fail("the window did not open: " + desktop.messages.join(QLatin1Char(' ')).toStdString());
  }
  for (int pass = 0; pass < 100 && watcher->paints == 0; ++pass) QApplication::processEvents();
  Settle();
  if (watcher->paints == 0) Fail("the window was never painted");
  *chosenToPainted = NowMs() - desktop.chosenAt;
  return form;
}

void ChooseVenue(TMainForm& form, int index) {
  Control<QComboBox>(form, "SelectC")->setCurrentIndex(index);
  emit Control<QComboBox>(form, "SelectC")->activated(index);
}

void ChooseRace(TMainForm& form, int index) {
  Control<QComboBox>(form, "SelectR")->setCurrentIndex(index);
  emit Control<QComboBox>(form, "SelectR")->activated(index);
}

struct CheckFigures {
  double total = 0, glide = 0, finalRun = 0;
  int steps = 0;
  long long waitedMs = 0;
};

CheckFigures TimeCheck(TMainForm& form, TimingDesktop& desktop, int venue) {
  ChooseVenue(form, venue);  // in result-check mode this also empties the grid
  Settle();
  desktop.ResetCheck();
  watcher->footerAt = -1;
  const double start = NowMs();
  Control<QPushButton>(form, "BBtnKekka")->click();
  Settle();
  const double end = NowMs();
  if (!desktop.messages.isEmpty()) Fail("check: " + desktop.messages.front().toStdString());
  if (Control<QLabel>(form, "LabelKekka2FR1")->text().isEmpty())
    Fail("check: the grid stayed empty");
  if (watcher->footerAt < 0) Fail("check: the summary footer was never set");
  CheckFigures f;
  f.total = end - start;
  f.glide = desktop.glideStart < 0 ? 0 : desktop.glideEnd - desktop.glideStart;
  f.finalRun = end - watcher->footerAt;
  f.steps = desktop.waits;
  f.waitedMs = desktop.waitedMs;
  return f;
}

std::optional<QString> ProgramFileIn(const QString& folder) {
  const QStringList found = QDir(folder).entryList(
      {QStringLiteral("B*.TXT"), QStringLiteral("b*.txt")}, QDir::Files, QDir::Name);
  if (found.isEmpty()) return std::nullopt;
  return QDir(folder).absoluteFilePath(found.front());
}

int Run(int runs, const QString& dayFolder, const QString& listDay, const QString& season,
        const QString& seasonStats) {
  TimingDesktop desktop;
  auto program = ProgramFileIn(dayFolder);
  if (!program) Fail("no B*.TXT in " + dayFolder.toStdString());
  desktop.programPath = *program;
  // The statistics file is looked for in the working folder, as the application does.
  QDir::setCurrent(dayFolder);

  std::vector<Figure> figures{
      {"file chosen -> main window painted", 20, "20 ms", {}, ""},
      {"race change", 5, "5 ms", {}, ""},
      {"venue change", 5, "5 ms", {}, ""},
      {"prediction with pictures and tickets", 5, "5 ms", {}, ""},
      {"result check, last venue of the file", 50, "50 ms", {}, ""},
      {"result check, first venue of the file", 50, "50 ms", {}, ""},
      {"bar's final run alone, first venue", 500, "0.5 s", {}, ""},
  };

  for (int i = 0; i < runs; ++i) {
    double ms = 0;
    StartUp(desktop, &ms);
    figures[0].ms.push_back(ms);
  }

  double ignored = 0;
  std::unique_ptr<TMainForm> form = StartUp(desktop, &ignored);
  const int venues = Control<QComboBox>(*form, "SelectC")->count();
  for (int i = 0; i < runs; ++i) {
    const int race = (i + 1) % Control<QComboBox>(*form, "SelectR")->count();
    const double start = NowMs();
    ChooseRace(*form, race);
    Settle();
    figures[1].ms.push_back(NowMs() - start);
  }
  for (int i = 0; i < runs; ++i) {
    const double start = NowMs();
    ChooseVenue(*form, (i + 1) % venues);
    Settle();
    figures[2].ms.push_back(NowMs() - start);
  }
  for (int i = 0; i < runs; ++i) {
    ChooseRace(*form,
               i % Control<QComboBox>(*form, "SelectR")->count());  // hides the previous prediction
    Settle();
    const double start = NowMs();
    Control<QPushButton>(*form, "BtnEditData")->click();
    Settle();
    figures[3].ms.push_back(NowMs() - start);
    if (!desktop.messages.isEmpty()) Fail("prediction: " + desktop.messages.front().toStdString());
  }

  Control<QAction>(*form, "N3")->trigger();  // result-check mode
  Settle();
  CheckFigures last, first;
  for (int i = 0; i < runs; ++i) {
    last = TimeCheck(*form, desktop, 0);  // the list shows the file's last block first
    figures[4].ms.push_back(last.total);
    first = TimeCheck(*form, desktop, venues - 1);
    figures[5].ms.push_back(first.total);
    figures[6].ms.push_back(first.finalRun);
  }
  auto describe = [](const CheckFigures& f) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "%d animation steps (%.1f s of deliberate waiting, not timed); their own work "
                  "%s; final run %s",
                  f.steps, static_cast<double>(f.waitedMs) / 1000, Ms(f.glide).c_str(),
                  Ms(f.finalRun).c_str());
    return std::string(text);
  };
  figures[4].note = describe(last);
  figures[5].note = describe(first);

  // The day's list in the data mode on a real day with its earlier days beside it: the racers'
  // form read from their result files (in the background from the moment the day opens), then
  // every race forecast.
  if (!listDay.isEmpty()) {
    figures.push_back({"day's list, right after opening", 300, "0.3 s", {}, ""});
    figures.push_back({"day's list, again", 300, "0.3 s", {}, ""});
    Control<QAction>(*form, "ModeData")->trigger();
    for (int i = 0; i < runs; ++i) {
      if (!form->OpenProgramFile(listDay)) Fail("the day's list: cannot open " + listDay.toStdString());
      double start = NowMs();
      Control<QAction>(*form, "DayRaces")->trigger();
      Settle();
      figures[figures.size() - 2].ms.push_back(NowMs() - start);
      start = NowMs();
      Control<QAction>(*form, "DayRaces")->trigger();
      Settle();
      figures.back().ms.push_back(NowMs() - start);
      if (!desktop.messages.isEmpty()) Fail("day's list: " + desktop.messages.front().toStdString());
    }
    figures.back().note = "races listed: " + std::to_string(Control<QTableWidget>(*form, "DayRaceTable")->rowCount());
  }
  form.reset();

  // A season summarised in its window: every day of the folder checked (both modes when a
  // statistics file is given, else the data mode), then the totals, tables and charts drawn.
  if (!season.isEmpty()) {
    figures.push_back({"season summarised", 3000, "3 s", {}, ""});
    ui::SeasonWindow window(desktop);
    window.SetModelSource([] { return SharedDefaultModel(); });
    window.SetFolder(season);
    window.findChild<QLineEdit*>(QStringLiteral("SeasonStatsFile"))->setText(seasonStats);
    window.SetModes(seasonStats.isEmpty() ? ui::SeasonWindow::Modes::Data : ui::SeasonWindow::Modes::Both);
    window.show();
    for (int i = 0; i < runs; ++i) {
      const double start = NowMs();
      if (!window.Start()) Fail("the season cannot start");
      window.WaitForEnd();
      Settle();
      figures.back().ms.push_back(NowMs() - start);
    }
    std::size_t days = 0;
    for (const ui::SeasonRun& run : window.Runs()) days += run.totals.days.size();
    figures.back().note = std::to_string(days) + " days checked over " + std::to_string(window.Runs().size()) +
                          (window.Runs().size() == 1 ? " mode" : " modes");
  }

  std::printf("\nWindow timings, offscreen platform, median of %d runs; day: %s\n\n", runs,
              QDir::toNativeSeparators(dayFolder).toLocal8Bit().constData());
  std::printf("| %-38s | %9s | %9s | %9s | %-7s |\n", "measure", "median", "min", "max", "target");
  std::printf("|%s|%s|%s|%s|%s|\n", std::string(40, '-').c_str(), std::string(11, '-').c_str(),
              std::string(11, '-').c_str(), std::string(11, '-').c_str(),
              std::string(9, '-').c_str());
  bool allMet = true;
  for (const Figure& f : figures) {
    const auto [low, high] = std::minmax_element(f.ms.begin(), f.ms.end());
    const bool met = f.Median() < f.targetMs;
    allMet = allMet && met;
    std::printf("| %-38s | %9s | %9s | %9s | < %-5s |%s\n", f.name.c_str(), Ms(f.Median()).c_str(),
                Ms(*low).c_str(), Ms(*high).c_str(), f.target.c_str(),
                met ? "" : "  <-- over target");
  }
  std::printf("\n");
  for (const Figure& f : figures) {
    if (!f.note.empty()) std::printf("%s: %s\n", f.name.c_str(), f.note.c_str());
  }
  std::printf("\n%s\n", allMet ? "All targets met." : "Some targets missed.");
  return 0;
}

}  // namespace
}  // namespace wakorin::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  wakorin::bench::defaultHandler = qInstallMessageHandler(wakorin::bench::QuietHandler);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Wakorin"));
  QApplication::setStyle(QStringLiteral("Fusion"));
  wakorin::ui::InstallFontSubstitutes();
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));

  int runs = 15;
  QString dayFolder;
  QString listDay, season, seasonStats;
  const QStringList args = QApplication::arguments();
  for (qsizetype i = 1; i < args.size(); ++i) {
    if (args[i] == QStringLiteral("--runs") && i + 1 < args.size()) {
      runs = std::max(1, args[++i].toInt());
    } else if (args[i] == QStringLiteral("--day") && i + 1 < args.size()) {
      dayFolder = QDir(args[++i]).absolutePath();
    } else if (args[i] == QStringLiteral("--list-day") && i + 1 < args.size()) {
      listDay = QFileInfo(args[++i]).absoluteFilePath();
    } else if (args[i] == QStringLiteral("--season") && i + 1 < args.size()) {
      season = QDir(args[++i]).absolutePath();
    } else if (args[i] == QStringLiteral("--season-stats") && i + 1 < args.size()) {
      seasonStats = QFileInfo(args[++i]).absoluteFilePath();
    } else {
      std::fprintf(stderr,
                   "usage: wakorin_window_timings [--runs N] [--day FOLDER] [--list-day FILE]\n"
                   "  --runs  runs per figure, default 15\n"
                   "  --day   a folder with B*.TXT, its K*.TXT and Fan0510.txt; default: a "
                   "generated 24-venue day\n"
                   "  --list-day  a race program file with earlier days' result files beside it:\n"
                   "              times the day's list in the data mode\n"
                   "  --season    a folder of days: times the season window summarising them\n"
                   "  --season-stats  a statistics file: the season in both modes\n");
      return 2;
    }
  }

  using namespace wakorin::bench;
  sinceStart.start();
  Watcher watch;
  watcher = &watch;
  app.installEventFilter(&watch);
  try {
    std::unique_ptr<SampleDay> day;
    if (dayFolder.isEmpty()) {
      day = std::make_unique<SampleDay>(24, 1600, 415);
      dayFolder = QString::fromStdString(day->Folder().string());
    }
    const QString previous = QDir::currentPath();
    const int status = Run(runs, dayFolder, listDay, season, seasonStats);
    QDir::setCurrent(previous);
    return status;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "wakorin_window_timings: %s\n", e.what());
    return 1;
  }
}

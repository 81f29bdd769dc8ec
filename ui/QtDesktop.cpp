#include "ui/QtDesktop.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QHeaderView>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QScreen>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <limits>

namespace wakorin {
namespace {

// The calendar's year box: its text is selected whenever it takes the focus, so that what is
// typed replaces it, and Enter ends the year's editing instead of choosing the day at once.
class YearTyping final : public QObject {
 public:
  explicit YearTyping(QSpinBox* box) : QObject(box), box_(box) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::Show) {
      QTimer::singleShot(0, box_, [box = box_] { box->selectAll(); });
    }
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        box_->clearFocus();  // its editing ends, and the calendar shows the year
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QSpinBox* box_;
};

// At start-up the owner is still hidden and the title screen stays on top of everything: the
// dialog must come in front of it, centred, not behind it in a corner.
void BringToFront(QWidget* owner, QWidget& dialog) {
  dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
  if (owner && owner->isVisible()) return;
  if (QScreen* screen = QApplication::primaryScreen()) {
    dialog.adjustSize();
    dialog.move(screen->availableGeometry().center() -
                QPoint(dialog.width() / 2, dialog.height() / 2));
  }
}

// Qt's dialog opens too narrow for its own columns: sizes read "61....KiB" and types "平…ト".
// The details view keeps size, type and date as wide as what they hold and gives the name the
// rest, in a dialog wide enough for all four.
void ShowWholeColumns(QFileDialog& dialog) {
  dialog.setViewMode(QFileDialog::Detail);
  // A minimum rather than a size: placing the dialog in front fits it to its size hint.
  dialog.setMinimumSize(780, 480);
  auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  if (!view) return;
  QHeaderView* header = view->header();
  header->setStretchLastSection(false);
  header->setMinimumSectionSize(60);
  header->setSectionResizeMode(0, QHeaderView::Stretch);
  for (int column = 1; column < header->count(); ++column) {
    header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  }
}

}  // namespace

std::optional<QString> QtDesktop::ChooseOpenFile(QWidget* owner, const OpenFileOptions& options) {
  const QString folder = !options.startFolder.isEmpty() && QDir(options.startFolder).exists()
                             ? options.startFolder
                             : QDir::currentPath();
  QFileDialog dialog(owner, options.title, folder, options.filter);
  // Qt's own dialog behaves the same on every desktop and, in AnyFile mode, takes a typed
  // name of a file that does not exist, which the caller then reports.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(options.defaultSuffix);
  dialog.selectFile(options.initialName);
  ShowWholeColumns(dialog);
  if (!options.sidebar.isEmpty()) dialog.setSidebarUrls(options.sidebar);
  BringToFront(owner, dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

void QtDesktop::ShowMessage(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                  owner);
  box.setTextFormat(Qt::PlainText);
  BringToFront(owner, box);
  box.exec();
}

bool QtDesktop::Question(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text,
                  QMessageBox::Yes | QMessageBox::No, owner);
  box.setTextFormat(Qt::PlainText);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("はい"));
  box.button(QMessageBox::No)->setText(QStringLiteral("いいえ"));
  box.setDefaultButton(QMessageBox::Yes);
  BringToFront(owner, box);
  return box.exec() == QMessageBox::Yes;
}

void QtDesktop::Wait(int milliseconds) {
  // The windows go on repainting meanwhile; an application that is quitting waits no more.
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

void QtDesktop::ProcessEvents() {
  QApplication::processEvents();
}

namespace {

// Whether a web page can be shown: xdg-open starts happily and fails later, unseen, when no
// browser stands behind it, so one is looked for as xdg-open itself would look.
bool HasBrowser() {
  if (!qEnvironmentVariableIsEmpty("BROWSER")) return true;
  const QString mime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (!mime.isEmpty()) {
    QProcess query;
    query.start(mime, {QStringLiteral("query"), QStringLiteral("default"),
                       QStringLiteral("x-scheme-handler/https")});
    if (query.waitForFinished(3000) && !query.readAllStandardOutput().trimmed().isEmpty()) {
      return true;
    }
  }
  for (const char* name : {"x-www-browser", "www-browser", "firefox", "firefox-esr", "chromium",
                           "chromium-browser", "google-chrome", "epiphany", "falkon",
                           "konqueror", "links2", "elinks", "links", "lynx", "w3m"}) {
    if (!QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty()) return true;
  }
  return false;
}

}  // namespace

void QtDesktop::Open(const QUrl& target) {
  // Where no browser is installed Qt only writes a line on stderr, or nothing at all when
  // xdg-open starts and then finds none: say it on screen.
  const bool web = target.scheme().startsWith(QStringLiteral("http"));
  if ((!web || HasBrowser()) && QDesktopServices::openUrl(target)) return;
  ShowMessage(QApplication::activeWindow(),
              QStringLiteral("%1 を開けませんでした。\nこれを開くプログラム(Webブラウザーなど)が"
                             "見つからないか、起動できません。xdg-utils とWebブラウザーが"
                             "入っているか確かめてください。")
                  .arg(target.isLocalFile() ? target.toLocalFile() : target.toString()));
}

bool QtDesktop::SetUpPrinter(QWidget* owner, QPrinter& printer) {
  // Qt's dialog offers printing to a PDF file even where no printer is installed.
  QPrintDialog dialog(&printer, owner);
  dialog.setWindowTitle(QStringLiteral("印刷"));
  return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> QtDesktop::ChooseFolder(QWidget* owner, const QString& title,
                                              const QString& initial) {
  const QString folder = QFileDialog::getExistingDirectory(owner, title, initial);
  if (folder.isEmpty()) return std::nullopt;
  return folder;
}

std::optional<QString> QtDesktop::ChooseSaveFile(QWidget* owner, const QString& title,
                                                const QString& initial, const QString& filter) {
  const QString path = QFileDialog::getSaveFileName(owner, title, initial, filter);
  if (path.isEmpty()) return std::nullopt;
  return path;
}

std::optional<QDate> QtDesktop::ChooseDate(QWidget* owner, const QString& title, QDate initial) {
  QDialog dialog(owner);
  dialog.setObjectName(QStringLiteral("DateDialog"));
  dialog.setWindowTitle(title);
  // Room for the whole title in the caption.
  dialog.setMinimumWidth(dialog.fontMetrics().horizontalAdvance(title) + 120);
  auto* calendar = new QCalendarWidget(&dialog);
  calendar->setObjectName(QStringLiteral("Calendar"));
  // Month and weekday names in Japanese, whatever the system's language.
  calendar->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
  calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  calendar->setSelectedDate(initial);
  // The year clicked in the calendar's heading is typed over, not after.
  if (auto* year = calendar->findChild<QSpinBox*>(QStringLiteral("qt_calendar_yearedit"))) {
    year->installEventFilter(new YearTyping(year));
  }
  // A day far back is typed rather than paged to, as people write it (2024-11-15, 2024/11/15,
  // 20241115); the two show the same day.
  auto* typed = new QLineEdit(initial.toString(QStringLiteral("yyyy/MM/dd")), &dialog);
  typed->setObjectName(QStringLiteral("TypedDate"));
  typed->setPlaceholderText(QStringLiteral("2024/11/15"));
  QObject::connect(typed, &QLineEdit::textEdited, calendar, [calendar](const QString& text) {
    const QDate date = ParseTypedDate(text);
    if (date.isValid()) calendar->setSelectedDate(date);
  });
  QObject::connect(calendar, &QCalendarWidget::selectionChanged, typed, [calendar, typed] {
    if (ParseTypedDate(typed->text()) != calendar->selectedDate()) {
      typed->setText(calendar->selectedDate().toString(QStringLiteral("yyyy/MM/dd")));
    }
  });
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(QStringLiteral("日付:"), &dialog));
  row->addWidget(typed, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(row);
  layout->addWidget(calendar);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  // A double click or Enter on a day chooses it.
  QObject::connect(calendar, &QCalendarWidget::activated, &dialog, &QDialog::accept);
  // The day is typed from the start, over the one offered.
  typed->selectAll();
  typed->setFocus();
  BringToFront(owner, dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return calendar->selectedDate();
}

QDate ParseTypedDate(const QString& text) {
  static const QRegularExpression form(
      QStringLiteral("^\\s*(\\d{4})(?:([-/.])(\\d{1,2})\\2(\\d{1,2})|(\\d{2})(\\d{2}))\\s*$"));
  const QRegularExpressionMatch m = form.match(text);
  if (!m.hasMatch()) return {};
  const bool separated = !m.captured(2).isEmpty();
  return QDate(m.captured(1).toInt(), m.captured(separated ? 3 : 5).toInt(),
               m.captured(separated ? 4 : 6).toInt());
}

namespace {

// Shows a job's reports in a progress dialog and ends the local loop when the job is done.
class DialogReport final : public WaitingReport {
 public:
  explicit DialogReport(QProgressDialog& dialog) : dialog_(dialog) {}
  void Progress(const QString& label, qint64 done, qint64 total) override {
    dialog_.setLabelText(label);
    // The dialog counts in int; a large file is shown in kilobytes.
    const qint64 scale = total > std::numeric_limits<int>::max() ? 1024 : 1;
    dialog_.setRange(0, static_cast<int>(total / scale));  // 0..0: busy, size unknown
    if (total > 0) dialog_.setValue(static_cast<int>(std::min(done, total) / scale));
  }

 private:
  QProgressDialog& dialog_;
};

}  // namespace

void QtDesktop::RunWithProgress(QWidget* owner, const QString& title, ProgressJob& job) {
  QProgressDialog dialog(owner);
  dialog.setObjectName(QStringLiteral("ProgressDialog"));
  dialog.setWindowTitle(title);
  dialog.setCancelButtonText(QStringLiteral("キャンセル"));
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setAutoClose(false);
  dialog.setAutoReset(false);
  dialog.setMinimumDuration(0);
  dialog.setMinimumWidth(420);
  dialog.setRange(0, 0);
  DialogReport report(dialog);
  QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&job] { job.Cancel(); });
  BringToFront(owner, dialog);
  dialog.show();
  job.Start(report);
  report.Wait(job);
}

}  // namespace wakorin

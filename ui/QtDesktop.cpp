#include "ui/QtDesktop.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
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

void QtDesktop::Open(const QUrl& target) {
  // Where no browser (xdg-open) is installed Qt only writes a line on stderr: say it on screen.
  if (QDesktopServices::openUrl(target)) return;
  ShowMessage(QApplication::activeWindow(),
              QStringLiteral("%1 を開けませんでした。\nこれを開くプログラム(Webブラウザーなど)を"
                             "起動できません。xdg-utils が入っているか確かめてください。")
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
  // A day far back is typed rather than paged to; the two show the same day.
  auto* typed = new QDateEdit(initial, &dialog);
  typed->setObjectName(QStringLiteral("TypedDate"));
  typed->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
  typed->setDateRange(calendar->minimumDate(), calendar->maximumDate());
  QObject::connect(typed, &QDateEdit::dateChanged, calendar, &QCalendarWidget::setSelectedDate);
  QObject::connect(calendar, &QCalendarWidget::selectionChanged, typed,
                   [calendar, typed] { typed->setDate(calendar->selectedDate()); });
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
  BringToFront(owner, dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return calendar->selectedDate();
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

#include "ui/QtDesktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QThread>

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

}  // namespace

std::optional<QString> QtDesktop::ChooseOpenFile(QWidget* owner, const OpenFileOptions& options) {
  QFileDialog dialog(owner, options.title, QDir::currentPath(), options.filter);
  // Qt's own dialog behaves the same on every desktop and, in AnyFile mode, takes a typed
  // name of a file that does not exist, which the caller then reports.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(options.defaultSuffix);
  dialog.selectFile(options.initialName);
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

void QtDesktop::Wait(int milliseconds) {
  QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void QtDesktop::ProcessEvents() {
  QApplication::processEvents();
}

void QtDesktop::Open(const QUrl& target) {
  QDesktopServices::openUrl(target);
}

bool QtDesktop::SetUpPrinter(QWidget* owner, QPrinter& printer) {
  // Qt's dialog offers printing to a PDF file even where no printer is installed.
  QPrintDialog dialog(&printer, owner);
  dialog.setWindowTitle(QStringLiteral("印刷"));
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace wakorin

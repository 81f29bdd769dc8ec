#include "app/SeasonCommand.h"

#include <QAction>

#include "app/Settings.h"
#include "ui/Desktop.h"
#include "ui/MainForm.h"

namespace wakorin {

SeasonCommand::SeasonCommand(TMainForm& form, Desktop& desktop) : form_(form), desktop_(desktop) {
  connect(form.Menu().SeasonSummary, &QAction::triggered, this, [this] { ShowSeasonWindow(); });
}

SeasonCommand::~SeasonCommand() = default;

void SeasonCommand::ShowSeasonWindow() {
  if (window_ == nullptr) {
    window_ = std::make_unique<ui::SeasonWindow>(desktop_);
    window_->SetFolder(settings::DataFolder());
    window_->SetModelSource([this] { return form_.SharedDataModel(); });
    connect(window_.get(), &ui::SeasonWindow::DayOpened, this, [this](const QString& path) { ShowDayChecked(path); });
  }
  if (!window_->IsRunning()) {
    window_->SetModes(form_.GetPredictionMode() == PredictionMode::Data ? ui::SeasonWindow::Modes::Data
                                                                        : ui::SeasonWindow::Modes::Standard);
  }
  window_->show();
  window_->raise();
  window_->activateWindow();
}

void SeasonCommand::ShowDayChecked(const QString& path) {
  if (form_.IsBusy()) {
    desktop_.ShowMessage(window_.get(), QStringLiteral("照合などの処理が終わってから開いてください。"));
    return;
  }
  if (!form_.OpenProgramFile(path)) return;
  if (form_.IsRaceCardMode()) form_.ToggleResultCheckMode();
  form_.raise();
  form_.activateWindow();
}

}  // namespace wakorin

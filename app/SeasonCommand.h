#pragma once

#include <QObject>
#include <memory>

#include "ui/season/SeasonWindow.h"

namespace wakorin {

class Desktop;
class TMainForm;

// シーズン集計...: the season window on the data folder, in the mode the main window predicts
// in; a day double-clicked there opens in the main window in result-check mode.
class SeasonCommand : public QObject {
  Q_OBJECT
 public:
  SeasonCommand(TMainForm& form, Desktop& desktop);
  ~SeasonCommand() override;

  void ShowSeasonWindow();
  // Shows the race program file `path` in the main window and checks its last venue.
  void ShowDayChecked(const QString& path);
  ui::SeasonWindow* Window() const { return window_.get(); }

 private:
  TMainForm& form_;
  Desktop& desktop_;
  std::unique_ptr<ui::SeasonWindow> window_;  // a window of its own, made when first asked for
};

}  // namespace wakorin

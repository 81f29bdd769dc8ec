#pragma once

#include <QString>
#include <memory>
#include <string>

namespace wakorin {

class Desktop;
class TMainForm;
struct DataModel;

// Learns the data mode's model from the days kept in the data folder, under a progress dialog
// with a cancel button: the earlier days to learn from, the next ones to choose the thresholds,
// the latest ones held out and measured. The model is written beside the days and used from
// then on; the message says how many races it learned from and what it returned on the days
// held out.
void LearnFromDataFolder(TMainForm& form, Desktop& desktop);

// Writes a learned model's text as the whole of the file at `path`, or leaves the file that stood
// there as it was: empty when written, else the message that says why not (a full disk, a
// read-only folder, a name that is not a regular file).
QString SaveModelFile(const QString& path, const std::string& text);

// The model the user learned last, as the settings name it; nullptr when there is none, and
// `problem` says why a file named there was refused.
std::shared_ptr<const DataModel> LoadLearnedModel(QString* problem);

}  // namespace wakorin

#pragma once

#include <QDate>
#include <QString>

namespace wakorin::settings {

// What the application keeps between runs, in one small INI file in the user's configuration
// folder (~/.config/wakorin/Wakorin.ini). The window and the command-line tools share it.

// Names the application so that both the settings file and the data folder are found; call once,
// right after the application object is made.
void NameApplication();

// Each setter writes the file at once and says whether it could (a full disk, a settings file
// that cannot be written); the file's path is for the message that says so.
QString FilePath();

// Keys, as they stand in the file.
inline constexpr const char* kLastFileFolderKey = "files/lastFolder";
inline constexpr const char* kDataFolderKey = "files/dataFolder";
inline constexpr const char* kPredictionModeKey = "predict/mode";
inline constexpr const char* kModelFileKey = "predict/model";
inline constexpr const char* kLastDownloadDayKey = "download/lastDay";

// The folder of the last race program file chosen in the file dialog; empty before the first.
QString LastFileFolder();
bool SetLastFileFolder(const QString& folder);

// Where downloaded archives go: the folder set by the user, else the application's data folder
// (~/.local/share/wakorin/Wakorin).
QString DataFolder();
bool SetDataFolder(const QString& folder);

// The prediction mode chosen last: "data", else the standard mode.
bool DataModeChosen();
bool SetDataModeChosen(bool data);

// The model file the user learned last; empty before the first (the built-in model is used).
QString ModelFile();
bool SetModelFile(const QString& path);

// The day the window last downloaded; invalid before the first.
QDate LastDownloadDay();
bool SetLastDownloadDay(QDate day);

}  // namespace wakorin::settings

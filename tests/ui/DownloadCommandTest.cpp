// A day downloaded by date and opened in the window, and the folders the window remembers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>

#include "app/Application.h"
#include "app/Settings.h"
#include "tests/Archives.h"
#include "tests/TempFiles.h"
#include "tests/app/ArchiveServer.h"
#include "tests/app/DayArchives.h"
#include "tests/support/ProgramFileBuilder.h"
#include "tests/ui/Find.h"
#include "tests/ui/ScriptedDesktop.h"
#include "ui/MainForm.h"

namespace wakorin {
namespace {

using testing::Action;
using testing::ArchiveServer;
using testing::Find;
using testsupport::BuildProgramFile;
using testsupport::SampleVenue;

const QDate kDay(2024, 11, 15);
const QString kProgramPath = QStringLiteral("/od2/B/202411/b241115.lzh");

QByteArray Bytes(const std::string& bytes) {
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

class DownloadCommandTest : public ::testing::Test {
 protected:
  DownloadCommandTest() {
    qputenv("WAKORIN_DAY_FILES_URL", server.DayFiles().toUtf8());
    qputenv("WAKORIN_RACER_FILES_URL", server.RacerFiles().toUtf8());
    settings::SetDataFolder(Path(data));
    settings::SetLastFileFolder(QString());
    settings::SetLastDownloadDay(QDate());
    server.Serve(kProgramPath, ProgramArchive());
    server.Serve(QStringLiteral("/od2/K/202411/k241115.lzh"), testing::ResultArchiveOf(kDay));
    server.Serve(QStringLiteral("/kibetsu/fan2410.lzh"), testing::StatsArchiveOf());
    // The window shows another day, in result-check mode.
    desktop.fileAnswers.push_back(QString::fromStdString(dir.Write(
        "B060415.TXT", BuildProgramFile({SampleVenue("05", 12, 1), SampleVenue("19", 11, 2)}))));
    form.ChooseProgramFile();
    const int yyyymmdd = form.Day()->Day().value_or(0);
    dayShown = QDate(yyyymmdd / 10000, yyyymmdd / 100 % 100, yyyymmdd % 100);
    Action(form, "N3")->trigger();
  }
  ~DownloadCommandTest() override {
    qunsetenv("WAKORIN_DAY_FILES_URL");
    qunsetenv("WAKORIN_RACER_FILES_URL");
    settings::SetDataFolder(QString());
  }

  // The day's race program file packed as the official site packs it.
  QByteArray ProgramArchive() const {
    const std::filesystem::path pack = dir.path() / "pack";
    std::filesystem::create_directories(pack);
    testsupport::VenueBlockSpec venue = SampleVenue("22", 12, 9);
    venue.ddate = testing::FullWidthDate(kDay);
    std::ofstream(pack / "B241115.TXT", std::ios::binary) << BuildProgramFile({venue});
    if (!testing::Pack(pack, "b241115.lzh", {"B241115.TXT"})) return {};
    std::ifstream in(pack / "b241115.lzh", std::ios::binary);
    return Bytes(std::string(std::istreambuf_iterator<char>(in), {}));
  }

  static QString Path(const testing::TempDir& d) {
    return QString::fromStdString(d.path().string());
  }
  QStringList DataFiles() const {
    return QDir(Path(data)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
  }
  std::string Shown() const {
    return (QString::fromStdString(form.ProgramFilePath()) + QLatin1Char('|') +
            Find<QComboBox>(form, "SelectC")->currentText() + QLatin1Char('|') +
            Find<QLabel>(form, "LabelRName")->text() + QLatin1Char('|') +
            Action(form, "N3")->text() + QLatin1Char('|') + QString::number(form.OuterHeight()))
        .toStdString();
  }

  ArchiveServer server;
  QDate dayShown;
  testing::TempDir dir, data;
  testing::ScriptedDesktop desktop;
  TMainForm form{desktop};
  Application app{form, desktop};
};

TEST_F(DownloadCommandTest, ChosenDayIsFetchedAndOpenedAsIfChosenInTheDialog) {
  if (!testing::CanPack()) GTEST_SKIP() << "jlha is not installed";
  desktop.dateAnswers.push_back(kDay);
  const std::size_t fileDialogs = desktop.dialogs.size();
  Action(form, "DtDownload")->trigger();
  EXPECT_TRUE(desktop.messages.isEmpty()) << desktop.messages.join(QLatin1Char('|')).toStdString();
  // The calendar opens on the day the window shows.
  ASSERT_TRUE(dayShown.isValid());
  EXPECT_EQ(desktop.datesOffered, std::vector<QDate>{dayShown});
  EXPECT_EQ(desktop.progressTitles, QStringList{QStringLiteral("データのダウンロード")});
  EXPECT_TRUE(desktop.progressLabels.contains(
      QStringLiteral("レース番組表ファイル(\"b241115.lzh\")をダウンロードしています...")));
  EXPECT_EQ(DataFiles(),
            QString::fromLatin1("b241115.lzh fan2410.lzh k241115.lzh").split(QLatin1Char(' ')));
  EXPECT_EQ(desktop.dialogs.size(), fileDialogs);

  // Race-card mode, the downloaded day's only venue, race 1.
  EXPECT_EQ(QString::fromStdString(form.ProgramFilePath()),
            QDir(Path(data)).filePath(QStringLiteral("b241115.lzh")));
  EXPECT_TRUE(form.IsRaceCardMode());
  EXPECT_EQ(Action(form, "N3")->text(), QStringLiteral("全結果 照合"));
  EXPECT_EQ(Find<QComboBox>(form, "SelectC")->count(), 1);
  EXPECT_EQ(Find<QComboBox>(form, "SelectC")->currentText(), QStringLiteral("福　岡    [全12R]"));
  EXPECT_EQ(Find<QComboBox>(form, "SelectR")->currentText(), QStringLiteral("1"));
  EXPECT_EQ(form.OuterHeight(), TMainForm::kRaceCardHeight);
  // The next start's dialog opens where the day went.
  EXPECT_EQ(settings::LastFileFolder(), Path(data));

  // A window without a day opens the calendar on the day last downloaded.
  TMainForm fresh{desktop};
  Application freshApp{fresh, desktop};
  Action(fresh, "DtDownload")->trigger();
  EXPECT_EQ(desktop.datesOffered.back(), kDay);
}

TEST_F(DownloadCommandTest, FailureCancelOrNoDateKeepsTheWindow) {
  const struct {
    const char* what;
    std::optional<QDate> date;
    ArchiveServer::Answer program;
    bool cancel;
    const char* message;  // empty: no message
  } cases[] = {
      {"no date chosen", std::nullopt, {}, false, ""},
      {"not published",
       kDay,
       {"", 404},
       false,
       "レース番組表ファイル(\"b241115.lzh\")をダウンロードできませんでした。\n"
       "サーバーにありません(HTTP 404)。"},
      {"a login page",
       kDay,
       {"<!DOCTYPE html><html><body>Login</body></html>"},
       false,
       "レース番組表ファイル(\"b241115.lzh\")として届いたものは求めたファイルではないので、"
       "保存しませんでした。\nLHA形式の圧縮ファイルではありません。\n"
       "データファイルではなくHTMLのページです(ログイン画面やエラー画面など)。"},
      {"cancelled",
       kDay,
       {QByteArray(20000, 'x'), 200, 5000, true},
       true,
       "レース番組表ファイル(\"b241115.lzh\")のダウンロードを中止しました。"},
  };
  for (const auto& c : cases) {
    server.Serve(kProgramPath, c.program);
    server.requests.clear();
    desktop.messages.clear();
    desktop.dateAnswers = {c.date};
    desktop.cancelWhen = [&](qint64 done) { return c.cancel && done > 0; };
    const std::string before = Shown();
    Action(form, "DtDownload")->trigger();
    EXPECT_EQ(desktop.messages.join(QLatin1Char('|')), QString::fromUtf8(c.message)) << c.what;
    EXPECT_EQ(Shown(), before) << c.what;
    EXPECT_FALSE(form.IsRaceCardMode()) << c.what;
    EXPECT_TRUE(DataFiles().isEmpty())
        << c.what << ": " << DataFiles().join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(server.requests.isEmpty(), !c.date.has_value()) << c.what;
  }
}

// A day whose statistics period the server lacks is a day all the same: it opens, and one message
// says which periods could not be had and what that means.
TEST_F(DownloadCommandTest, DayWithoutStatisticsOpensAndSaysSoOnce) {
  if (!testing::CanPack()) GTEST_SKIP() << "jlha is not installed";
  server.Serve(QStringLiteral("/kibetsu/fan2410.lzh"), ArchiveServer::Answer{"", 404});
  desktop.dateAnswers.push_back(kDay);
  Action(form, "DtDownload")->trigger();
  EXPECT_EQ(QString::fromStdString(form.ProgramFilePath()),
            QDir(Path(data)).filePath(QStringLiteral("b241115.lzh")));
  EXPECT_TRUE(form.IsRaceCardMode());
  EXPECT_EQ(desktop.messages,
            QStringList{QStringLiteral(
                "選手期別成績ファイル(fan2410.lzh、fan2404.lzh)を取得できなかったので、この日は"
                "標準の予想ができません(データ予想はできます)。\n"
                "選手期別成績ファイル(\"fan2404.lzh\")をダウンロードできませんでした。\n"
                "サーバーにありません(HTTP 404)。")});
  EXPECT_EQ(DataFiles(), QString::fromLatin1("b241115.lzh k241115.lzh").split(QLatin1Char(' ')));
  EXPECT_EQ(server.requests.count(QStringLiteral("/kibetsu/fan2410.lzh")), 1);
}

// A settings file that cannot be written: the folder chosen is not said to be remembered.
TEST_F(DownloadCommandTest, DataFolderThatCannotBeRememberedIsSaid) {
  const QString ini = settings::FilePath();
  ASSERT_TRUE(QFile::rename(ini, ini + QStringLiteral(".away")));
  ASSERT_TRUE(QDir().mkpath(ini));
  testing::TempDir other;
  desktop.folderAnswers.push_back(Path(other));
  Action(form, "DtFolder")->trigger();
  QDir().rmdir(ini);
  QFile::rename(ini + QStringLiteral(".away"), ini);
  ASSERT_EQ(desktop.messages.size(), 1);
  EXPECT_TRUE(desktop.messages[0].contains(QStringLiteral("設定ファイル(\"") + ini +
                                           QStringLiteral("\")に書き込めなかった")))
      << desktop.messages[0].toStdString();
}

// The data folder chosen in the menu is where the next day goes; a cancelled choice keeps it.
TEST_F(DownloadCommandTest, DataFolderChosenInTheMenu) {
  if (!testing::CanPack()) GTEST_SKIP() << "jlha is not installed";
  Action(form, "DtFolder")->trigger();  // cancelled
  EXPECT_EQ(desktop.foldersOffered, QStringList{Path(data)});
  EXPECT_EQ(settings::DataFolder(), Path(data));
  testing::TempDir other;
  desktop.folderAnswers.push_back(Path(other));
  Action(form, "DtFolder")->trigger();
  EXPECT_EQ(settings::DataFolder(), Path(other));
  EXPECT_EQ(desktop.messages,
            QStringList{QStringLiteral("ダウンロードしたファイルは次のフォルダに保存します。\n") +
                        Path(other)});
  desktop.messages.clear();
  desktop.dateAnswers.push_back(kDay);
  Action(form, "DtDownload")->trigger();
  EXPECT_TRUE(DataFiles().isEmpty());
  EXPECT_EQ(QString::fromStdString(form.ProgramFilePath()),
            QDir(Path(other)).filePath(QStringLiteral("b241115.lzh")));
}

TEST_F(DownloadCommandTest, FileDialogOpensWhereTheLastFileWasChosen) {
  // The fixture's start chose a file in `dir`; before it, the dialog opened in the data folder,
  // which its side bar offers as well.
  EXPECT_EQ(desktop.dialogs.back().startFolder, Path(data));
  EXPECT_TRUE(desktop.dialogs.back().sidebar.contains(QUrl::fromLocalFile(Path(data))));
  EXPECT_EQ(settings::LastFileFolder(), Path(dir));
  Action(form, "N2")->trigger();
  EXPECT_EQ(desktop.dialogs.back().startFolder, Path(dir));

  // A name typed into a folder that does not exist is reported and not remembered.
  desktop.fileAnswers.push_back(QStringLiteral("/no/such/folder/B060415.TXT"));
  Action(form, "N2")->trigger();
  EXPECT_EQ(settings::LastFileFolder(), Path(dir));

  testing::TempDir other;
  desktop.fileAnswers.push_back(QString::fromStdString(
      other.Write("b060416.txt", BuildProgramFile({SampleVenue("22", 12, 9)}))));
  Action(form, "N2")->trigger();
  Action(form, "N2")->trigger();
  EXPECT_EQ(desktop.dialogs.back().startFolder, Path(other));
}

}  // namespace
}  // namespace wakorin

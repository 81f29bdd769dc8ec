// wakorin-fetch run as a user runs it, against a local stand-in for the official site.
#include <gtest/gtest.h>

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <algorithm>

#include "tests/TempFiles.h"
#include "tests/app/ArchiveServer.h"
#include "tests/app/DayArchives.h"

namespace wakorin {
namespace {

using testing::ArchiveServer;

struct ToolRun {
  int exitCode = -1;
  QString out, err;
};

class FetchToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::CanPack()) GTEST_SKIP() << "jlha is not installed";
    for (const QDate day : {QDate(2024, 11, 14), QDate(2024, 11, 15)}) {
      const QString d = day.toString(QStringLiteral("yyMMdd"));
      programs[day.day()] = testing::ProgramArchiveOf(day);
      server.Serve(QStringLiteral("/od2/B/202411/b%1.lzh").arg(d), programs[day.day()]);
      server.Serve(QStringLiteral("/od2/K/202411/k%1.lzh").arg(d), testing::ResultArchiveOf(day));
    }
    server.Serve(QStringLiteral("/kibetsu/fan2410.lzh"), testing::StatsArchiveOf());
  }

  // The tool's home is a scratch folder: its settings and default data folder stay there.
  ToolRun Fetch(const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("WAKORIN_DAY_FILES_URL"), server.DayFiles());
    env.insert(QStringLiteral("WAKORIN_RACER_FILES_URL"), server.RacerFiles());
    env.insert(QStringLiteral("HOME"), Path(home));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), Path(home) + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), Path(home) + QStringLiteral("/data"));
    // The tool speaks the locale's language; these tests read its Japanese unless told otherwise.
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_MESSAGES"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("ja_JP.UTF-8"));
    for (const auto& [name, value] : locale) {
      if (value.isEmpty())
        env.remove(name);
      else
        env.insert(name, value);
    }
    QProcess tool;
    tool.setProcessEnvironment(env);
    // The server answers from this thread's event loop while the tool runs.
    QEventLoop loop;
    QObject::connect(&tool, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&tool, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &tool, &QProcess::kill);
    tool.start(QStringLiteral(WAKORIN_FETCH_TOOL), args);
    loop.exec();
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
            QString::fromUtf8(tool.readAllStandardOutput()),
            QString::fromUtf8(tool.readAllStandardError())};
  }
  static QString Path(const testing::TempDir& dir) {
    return QString::fromStdString(dir.path().string());
  }
  static QStringList Files(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
  }

  ArchiveServer server;
  testing::TempDir home, into;
  QMap<int, QByteArray> programs;
  QList<std::pair<QString, QString>> locale;  // locale variables set (or, empty, unset) on top
};

TEST_F(FetchToolTest, RangeOfDaysIntoAFolderReportsTheDayThatFailed) {
  const ToolRun run =
      Fetch({QStringLiteral("--into"), Path(into), QStringLiteral("2024-11-14..2024-11-16")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.contains(QStringLiteral(
      "2024-11-16: レース番組表ファイル(\"b241116.lzh\")をダウンロードできませんでした。")))
      << run.err.toStdString();
  EXPECT_EQ(Files(Path(into)),
            QString::fromLatin1("b241114.lzh b241115.lzh fan2410.lzh k241114.lzh k241115.lzh")
                .split(QLatin1Char(' ')));
  QFile program(Path(into) + QStringLiteral("/b241115.lzh"));
  ASSERT_TRUE(program.open(QIODevice::ReadOnly));
  EXPECT_EQ(program.readAll(), programs[15]);
  // Each file is named as it comes, stderr being no terminal here.
  EXPECT_TRUE(run.err.contains(QStringLiteral(
      "2024-11-14: レース番組表ファイル(\"b241114.lzh\")をダウンロードしています...\n")))
      << run.err.toStdString();
  // The statistics archive of the first day serves the others.
  EXPECT_EQ(server.requests.count(QStringLiteral("/kibetsu/fan2410.lzh")), 1);

  EXPECT_EQ(Fetch({QStringLiteral("--into=") + Path(into), QStringLiteral("2024-11-15")}).exitCode,
            0);
}

TEST_F(FetchToolTest, DefaultFolderIsTheOneInTheSettingsElseTheDataFolder) {
  ToolRun run = Fetch({QStringLiteral("2024-11-15")});
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_TRUE(Files(Path(home) + QStringLiteral("/data/wakorin/Wakorin"))
                  .contains(QStringLiteral("b241115.lzh")));

  QDir().mkpath(Path(home) + QStringLiteral("/config/wakorin"));
  QFile ini(Path(home) + QStringLiteral("/config/wakorin/Wakorin.ini"));
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.write("[files]\ndataFolder=" + Path(into).toUtf8() + "\n");
  ini.close();
  run = Fetch({QStringLiteral("2024-11-14")});
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_TRUE(Files(Path(into)).contains(QStringLiteral("b241114.lzh")));
  EXPECT_TRUE(
      run.out.contains(QStringLiteral("保存先フォルダ: ") + QDir(Path(into)).absolutePath()))
      << run.out.toStdString();
}

// A range of days with no statistics archive of their period on the server: every day counts
// as fetched, each period is asked for once in the run, and the missing ones are named.
TEST_F(FetchToolTest, MissingStatisticsPeriodIsNamedAndAskedForOnce) {
  server.Serve(QStringLiteral("/kibetsu/fan2410.lzh"), ArchiveServer::Answer{"", 404});
  const struct {
    const char* lang;
    QString days;
    const char* summary;  // on stdout
    const char* missing;  // on stderr
  } cases[] = {
      {"ja_JP.UTF-8", QStringLiteral("2024-11-14..2024-11-15"), "2日のうち 2日分を",
       "選手期別成績ファイル(fan2410.lzh fan2404.lzh)を取得できませんでした。2日分は"},
      {"C.UTF-8", QStringLiteral("2024-11-15"), "Saved in: ",
       "Racer statistics not had: fan2410.lzh fan2404.lzh. 1 day(s) fetched have none"},
  };
  for (const auto& c : cases) {
    testing::TempDir folder;
    locale = {{QStringLiteral("LANG"), QString::fromLatin1(c.lang)}};
    server.requests.clear();
    const ToolRun run = Fetch({QStringLiteral("--into"), Path(folder), c.days});
    EXPECT_EQ(run.exitCode, 0) << c.lang << "\n" << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QString::fromUtf8(c.summary))) << c.lang << "\n"
                                                                << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.missing))) << c.lang << "\n"
                                                                << run.err.toStdString();
    EXPECT_EQ(server.requests.count(QStringLiteral("/kibetsu/fan2410.lzh")), 1) << c.lang;
    EXPECT_EQ(server.requests.count(QStringLiteral("/kibetsu/fan2404.lzh")), 1) << c.lang;
    // Why it did not come is said once, for the period asked last.
    EXPECT_EQ(run.err.count(QStringLiteral("(HTTP 404)")), 1) << run.err.toStdString();
    if (QString::fromLatin1(c.lang).startsWith(QStringLiteral("C"))) {
      const QString all = run.err + run.out;
      EXPECT_TRUE(std::none_of(all.begin(), all.end(), [](QChar ch) {
        return ch.unicode() >= 0x3000;
      })) << all.toStdString();
    }
  }
}

// What stops a write is named for what it is, in the locale's language.
TEST_F(FetchToolTest, FolderThatCannotBeWrittenIsNamed) {
  locale = {{QStringLiteral("LANG"), QStringLiteral("C.UTF-8")}};
  const ToolRun run =
      Fetch({QStringLiteral("--into"), QStringLiteral("/proc/self"), QStringLiteral("2024-11-15")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.contains(QStringLiteral("the folder \"/proc/self\" cannot be written: ")))
      << run.err.toStdString();
  EXPECT_FALSE(run.err.contains(QStringLiteral("full"))) << run.err.toStdString();
}

TEST_F(FetchToolTest, LoginPageIsRefusedWithExitStatus1) {
  server.Serve(QStringLiteral("/od2/B/202411/b241115.lzh"), "<html><body>Login</body></html>");
  const ToolRun run = Fetch({QStringLiteral("--into"), Path(into), QStringLiteral("2024-11-15")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.contains(QStringLiteral("HTMLのページ"))) << run.err.toStdString();
  EXPECT_FALSE(run.out.contains(QStringLiteral("保存しました")));
  EXPECT_TRUE(Files(Path(into)).isEmpty());
}

TEST_F(FetchToolTest, BadArgumentsShowTheUsage) {
  const QStringList bad[] = {{},
                             {QStringLiteral("2024-13-01")},
                             {QStringLiteral("15.11.2024")},
                             {QStringLiteral("2024-11-15..2024-11-14")},
                             {QStringLiteral("2024-11-14..2024-11-15..2024-11-16")},
                             {QStringLiteral("2024-11-14"), QStringLiteral("2024-11-15")},
                             {QStringLiteral("--into")},
                             {QStringLiteral("--fast"), QStringLiteral("2024-11-15")}};
  for (const QStringList& args : bad) {
    const ToolRun run = Fetch(args);
    EXPECT_EQ(run.exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("使い方: wakorin-fetch")));
  }
  EXPECT_TRUE(server.requests.isEmpty());
}

// The language follows LC_ALL, then LC_MESSAGES, then LANG: Japanese for "ja…", else English,
// the usage included; a refusal made by the downloads is said in the same language.
TEST_F(FetchToolTest, SpeaksTheLanguageOfTheLocale) {
  server.Serve(QStringLiteral("/od2/B/202411/b241115.lzh"), "<html><body>Login</body></html>");
  struct Case {
    QString lcAll, lcMessages, lang;
    bool japanese;
  } const cases[] = {
      {{}, {}, QStringLiteral("ja_JP.UTF-8"), true},
      {{}, {}, QStringLiteral("C.UTF-8"), false},
      {{}, {}, {}, false},
      {QStringLiteral("C"), {}, QStringLiteral("ja_JP.UTF-8"), false},
      {{}, QStringLiteral("en_US.UTF-8"), QStringLiteral("ja_JP.UTF-8"), false},
      {QStringLiteral("ja_JP.UTF-8"), QStringLiteral("C"), QStringLiteral("C"), true},
  };
  for (const Case& c : cases) {
    locale = {{QStringLiteral("LC_ALL"), c.lcAll},
              {QStringLiteral("LC_MESSAGES"), c.lcMessages},
              {QStringLiteral("LANG"), c.lang}};
    const std::string where = (c.lcAll + u'|' + c.lcMessages + u'|' + c.lang).toStdString();
    const ToolRun help = Fetch({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(c.japanese ? QStringLiteral("使い方: wakorin-fetch")
                                               : QStringLiteral("usage: wakorin-fetch")))
        << where;
    const ToolRun run = Fetch({QStringLiteral("--into"), Path(into), QStringLiteral("2024-11-15")});
    EXPECT_EQ(run.exitCode, 1);
    const QString refusal =
        c.japanese ? QStringLiteral("データファイルではなくHTMLのページです")
                   : QStringLiteral(
                         "What arrived as the race program file \"b241115.lzh\" is not "
                         "the file asked for, so it was not kept. Not an LHA archive. "
                         "It is an HTML page");
    EXPECT_TRUE(run.err.contains(refusal)) << where << "\n" << run.err.toStdString();
    // No Japanese left in an English answer.
    const QString all = run.err + run.out;
    EXPECT_EQ(std::any_of(all.begin(), all.end(), [](QChar ch) { return ch.unicode() >= 0x3000; }),
              c.japanese)
        << where << "\n"
        << run.err.toStdString();
  }
}

}  // namespace
}  // namespace wakorin

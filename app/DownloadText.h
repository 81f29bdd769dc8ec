#pragma once
// The downloads' values (app/DayDownload) in words. One renderer; each language is one table of
// patterns (%1, %2... filled in order). The window says the Japanese table; wakorin-fetch says it
// or its English one (tools/FetchText.h), chosen by the locale.
#include <QList>
#include <QString>
#include <optional>

#include "app/DayDownload.h"

namespace wakorin {

struct DownloadWords {
  // A file of the day, named: %1 its name.
  const char* programFile;
  const char* resultFile;
  const char* statsFile;
  // What a file found is, by its kind (DayFileKind).
  const char* programKind;
  const char* resultKind;
  const char* statsKind;
  const char* htmlKind;
  const char* otherKind;
  const char* date;  // %1 year, %2 month, %3 day

  const char* downloading;  // %1 the file
  const char* cancelled;
  const char* cancelledFile;  // %1 the file
  const char* folderNotMade;  // %1 the folder
  const char* notWritten;     // %1 the file, %2 why
  const char* diskFull;
  const char* folderNotWritable;  // %1 the folder, %2 the system's words
  const char* writeError;         // when the system gave no words

  const char* notDownloaded;          // %1 the file; a line with why follows
  const char* stalled;                // %1 seconds
  const char* tooSlow;                // %1 seconds, %2 bytes, %3 bytes a second
  const char* tooLarge;               // %1 MB
  const char* redirectLoop;           // %1 redirects
  const char* redirectToOtherScheme;  // %1 scheme, %2 url
  const char* redirectNotFollowed;    // %1 url
  const char* redirectFailed;         // %1 scheme, %2 url, %3 Qt's words
  const char* notOnServer;
  const char* httpError;     // %1 status
  const char* cutShort;      // %1 bytes, %2 expected
  const char* networkError;  // %1 Qt's words

  const char* notWanted;   // %1 the file; lines with what came follow
  const char* keptOld;     // %1 the name of the file already there
  const char* venuesLost;  // %1 venue codes
  const char* venueSeparator;
  // ArchiveFault
  const char* notArchive;
  const char* archiveEmpty;
  const char* archiveSeveralFiles;
  const char* archiveNotAFile;
  const char* archiveTooLarge;  // %1 MB
  const char* archiveDamaged;
  const char* archiveTruncated;
  const char* archiveBadChecksum;
  const char* archiveUnsafeName;
  // What came instead (DayFileMismatch); %1 a kind.
  const char* notPacked;
  const char* html;
  const char* notDataFile;
  const char* otherKindOfDay;  // %1 date, %2 kind
  const char* otherKindAlone;  // %1 kind
  const char* flawed;          // %1 kind, %2 the flaw
  const char* otherDay;        // %1 date, %2 kind
  // DayFileFlaw
  const char* datesDisagree;
  const char* noVenue;
  const char* noDate;
};

// The window's words; wakorin-fetch's under a Japanese locale.
extern const DownloadWords kJapaneseDownloadWords;

// The file being fetched, for a progress label: レース番組表ファイル("b241115.lzh")をダウンロード
// しています...
QString ProgressText(const DownloadFile& file, const DownloadWords& words = kJapaneseDownloadWords);
// Why a download failed; its lines end in \n between them.
QString FaultText(const DownloadFault& fault, const DownloadWords& words = kJapaneseDownloadWords);
// The window's note after a day opened without its racer statistics: the periods not had, and
// why the one asked for last did not come.
QString StatsMissingText(const QList<int>& periods, const std::optional<DownloadFault>& why);

}  // namespace wakorin

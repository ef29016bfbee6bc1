#pragma once
// TMPEGAudioList: the playlist store. An ordered, 0-based list of owned track
// objects that adds audio files and playlist files (M3U, PLS, playlist data
// files) to itself, removes, clears and sorts them, and writes itself out as
// an M3U file. It knows nothing of windows: a window drives it and listens
// through the callbacks.
#include "platform/textlines.h"
#include "trackinfo/mpegaudio.h"
#include "trackinfo/mpegaudiodata.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace velmoro::playlist {

using trackinfo::TMPEGAudio;
using trackinfo::TMPEGAudioData;

// What DetectFileKind finds a file to be.
enum FileKind : int {
    KindError = -1, // missing, or a read error
    KindNone = 0,
    KindM3U = 1,
    KindMP3Data = 2,
    KindMPEGAudio = 3,
    KindPLS = 4,
};

// Answers of OnFileError that mean something to the loaders; any other
// answer gives the file up.
enum FileErrorAnswer : int { FileErrorAbort = 2, FileErrorRetry = 4 };

enum SortMethods : std::uint8_t { SortNone = 0, SortByTemplate = 1, SortByCompare = 2 };

// What SaveM3U writes, and how.
struct M3USaveOptions {
    bool append = false;        // add the lines to the end of an existing file rather than replace it
    bool selectedOnly = false;  // only the entries whose Selected is set
    bool validOnly = false;     // only the entries whose file read as valid MPEG audio
    bool relativeNames = false; // names below the list's folder written relative to it
};

class TMPEGAudioList {
public:
    // After each entry added: the entry, the file it came from (the audio file
    // itself, or the playlist file), its number from 1 and the total. False
    // aborts the running load.
    using ProgressHandler =
        std::function<bool(TMPEGAudio& entry, const QString& source, int number, int total)>;
    // A playlist file cannot be read; the answer decides (FileErrorAnswer).
    using FileErrorHandler = std::function<int(const QString& fileName)>;
    // Before each line SaveM3U writes: the entry and its position from 1.
    using SaveProgressHandler = std::function<bool(const TMPEGAudio& entry, int number)>;
    using CompareHandler = std::function<int(const TMPEGAudio& a, const TMPEGAudio& b)>;
    using SortProgressHandler = std::function<void(int index)>;

    TMPEGAudioList() = default;
    TMPEGAudioList(const TMPEGAudioList&) = delete;
    TMPEGAudioList& operator=(const TMPEGAudioList&) = delete;

    int Count() const { return int(m_entries.size()); }
    // The entry itself, not a copy; index in 0..Count()-1. Another index
    // stops a debug build; a release build logs it and hands out a blank
    // stand-in entry that the list owns and blanks again on every such call,
    // so what is written to it is lost and it never joins the list.
    TMPEGAudio& Items(int index);
    const TMPEGAudio& Items(int index) const;

    // Appends one audio file, whatever reading it gives; the new index, or −2
    // when OnProgress says to stop (the entry stays). An address
    // ("http://...") is appended as written and not read.
    int AddFile(const QString& fileName);
    // AddFile for each of files, as one operation that reports its progress
    // as a list load does: after each entry OnProgress also gets source
    // (the folder or dialog they came from), the number and the total, and
    // pending events run every 30 entries. The last new index, or −2 when
    // OnProgress stops it.
    int AddFiles(const QStringList& files, const QString& source);
    // Appends an entry that is exactly the stored record; no file is read.
    void AddRecord(const TMPEGAudioData& record);
    // Delete, Clear and Sort do nothing while the list is Busy(): a callback
    // of a running load, save or sort cannot pull entries from under it. An
    // index outside the list stops a debug build and deletes nothing in a
    // release build.
    void Delete(int index);
    void Clear();
    // Sorts by SortMethod, SortTemplate and SortDescending. Not stable.
    void Sort();

    // Whole-list edits of the playlist window's commands. Each runs as one
    // operation: Busy() and OnBusyChanged around it, once.
    // change runs on every entry in order; also while Busy(), as it moves no
    // entry.
    void ChangeEach(const std::function<void(TMPEGAudio&)>& change);
    // Frees, in index order, every entry that remove picks, in one pass; the
    // others keep their order. Nothing while Busy().
    void RemoveIf(const std::function<bool(const TMPEGAudio&)>& remove);
    // Reads every entry's file again into a new entry, as AddFile does, and
    // lists the new entries in the order of the draws: pick(n) chooses one of
    // the n entries not yet drawn (0..n−1, counted in their old order).
    // OnProgress gets each new entry, its file, its number and the total; when
    // it says to stop, the entries not yet drawn follow the new ones
    // unchanged, in their old order, and the result is false. False too, with
    // nothing done, while Busy(). The count stays the same throughout.
    bool ReadAgainInDrawnOrder(const std::function<int(int n)>& pick);

    // Playlist files. Every reader appends; none clears the list first.
    int DetectFileKind(const QString& fileName) const;
    // −1 for a missing or unknown file, else the result of the reader that
    // the file's kind calls for (AddFile for an audio file).
    int LoadFile(const QString& fileName);
    // −1 or −2 on failure, else the index of the last entry added (0 when none).
    int LoadM3U(const QString& fileName);
    int LoadPLS(const QString& fileName);
    // 0 done, −1 bad signature, unknown version or read error, −2 aborted,
    // −3 a size that is not a whole number of records.
    int LoadMP3Data(const QString& fileName);
    // 0 done, −1 write error, −2 aborted by OnSaveProgress. An empty list
    // writes nothing at all.
    int SaveM3U(const QString& fileName, const M3USaveOptions& options);

    // True while a load, save or sort runs: a window that keeps itself alive
    // during one must not let the user change the list underneath it.
    bool Busy() const { return m_busy; }
    // Busy() turned true (before the operation) or false (after it); nested
    // operations do not call it again.
    std::function<void(bool busy)> OnBusyChanged;

    ProgressHandler OnProgress;
    FileErrorHandler OnFileError; // unset: a file that cannot be read is given up
    TMPEGAudio::ReadErrorHandler OnReadError;
    SaveProgressHandler OnSaveProgress;
    CompareHandler OnCompare;
    SortProgressHandler OnSortProgress;
    // Called every 30 entries of a load and during long frame searches, so
    // that a window can process its pending events.
    std::function<void()> OnProcessMessages;
    // Bounds each M3U and PLS read: longer lines are skipped, and the rest of
    // a list past maxEntries entries is skipped. No bound on the file's size,
    // so every list SaveM3U writes can be read back.
    platform::TextLineLimits ListLimits;
    // A list held more entries than ListLimits allows and the rest was
    // skipped: its name and the entries read, for a window to tell the user.
    std::function<void(const QString& listName, qint64 entriesRead)> OnEntryCapReached;

    QString UnknownArtist; // copied into every entry the list creates
    QString UnknownTitle;
    std::uint8_t SortMethod = SortNone;
    bool SortDescending = false;
    QString SortTemplate;
    // Copied into every entry the list creates; also bounds the frame search
    // of DetectFileKind. 0 = no limit; the default is generous for real
    // files and keeps a hostile one from stalling a load.
    std::int32_t SearchLimit = trackinfo::kDefaultSearchLimit;

private:
    std::unique_ptr<TMPEGAudio> NewEntry() const;
    // A new entry for the file, read unless it is an address.
    std::unique_ptr<TMPEGAudio> ReadEntry(const QString& fileName) const;
    // Puts the entries from index from on back in the order of their old
    // indices, oldIndexAt[slot] being that of the entry at slot.
    void RestoreOldOrder(int from, const std::vector<int>& oldIndexAt);
    TMPEGAudio& Append(std::unique_ptr<TMPEGAudio> entry);
    // Runs read (0 or the system's error code) and, after each failure, which
    // it logs, asks OnFileError, until the read succeeds or the answer gives
    // up; 0 when read, −1 given up, −2 aborted.
    int ReadWithRetry(const QString& fileName, const std::function<int()>& read) const;
    // Reads a list file line by line: a failed open goes through
    // ReadWithRetry (its result is returned), a failure half-way is logged
    // and keeps what was read, a reached cap goes to OnEntryCapReached.
    // beforeRead runs between the open and the read.
    int ReadListLines(const QString& fileName, const platform::TextLineHandler& onLine,
                      const std::function<void(platform::TextLineReader&)>& beforeRead = {});
    // Adds one named entry of a list file; false when the load must stop.
    // number and total reach OnProgress capped to the int range.
    bool AddListEntry(const QString& name, const QString& source, std::int64_t number, std::int64_t total,
                      int& result);
    void ProcessMessagesEvery30(std::int64_t number) const;

    TMPEGAudio& BlankStandIn() const;

    std::vector<std::unique_ptr<TMPEGAudio>> m_entries;
    bool m_busy = false;
    mutable std::unique_ptr<TMPEGAudio> m_standIn; // made on the first bad index
};

} // namespace velmoro::playlist

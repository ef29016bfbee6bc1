#pragma once
// TMPEGAudio: what the program knows of one MPEG audio file — its first frame
// header, Xing VBR header, ID3v1 tag and file identity — plus the entry's text
// template and the text it formats to.
#include "trackinfo/mpegaudiodata.h"

#include "platform/fileio.h"

#include <QDateTime>
#include <QString>
#include <QTime>
#include <cstdint>
#include <functional>

namespace velmoro::trackinfo {

// How far past a leading ID3v2 tag the first frame is searched for unless the
// caller says otherwise. Real files start their audio within a few KiB of the
// tag; junk of megabytes before it means a file that is no MPEG audio, and a
// search without bound over such a file could block its reader for minutes.
inline constexpr std::int32_t kDefaultSearchLimit = 4 * 1024 * 1024;

// Dialog answers that a read-error handler returns.
enum ReadErrorAnswer : int { ReadErrorCancel = 2, ReadErrorRetry = 4, ReadErrorIgnore = 5 };

class TMPEGAudio {
public:
    // Called when a read fails, with the record as the failed read left it; its
    // answer becomes ReadData's result, and ReadErrorRetry reads again.
    using ReadErrorHandler = std::function<int(const TMPEGAudioData&)>;

    TMPEGAudio();

    const TMPEGAudioData& Data() const { return m_data; }
    // Replaces the whole record (a stored record being loaded) and rebuilds Text.
    void SetData(const TMPEGAudioData& data);

    void SetFileName(const QString& name);
    QString GetFileName() const { return m_data.FileName; }

    // 0 on success; −1 for a missing file, no valid frame or an I/O error; the
    // system's error code when the file cannot be opened; or the answer of
    // OnReadError when that is set and the result is not 0.
    int ReadData();
    void ResetData();
    bool IsValid() const;

    QString LayerText() const;
    QString ModeText() const;
    QString VersionText() const;
    QDateTime FileDate() const; // invalid when no date is stored
    QString ShortFileName() const;
    QString LocateFile() const;
    static QTime DurationToTime(int seconds);

    // ID3v1 tag
    bool HasTag() const;
    QString DisplayTitle() const;
    QString DisplayArtist() const;
    QString GenreText() const;
    void SetTitle(const QString& value);
    void SetArtist(const QString& value);
    void SetAlbum(const QString& value);
    void SetYear(const QString& value);
    void SetComment(const QString& value);
    void SetGenre(std::uint8_t value);
    void SetTrack(std::uint8_t value);
    void SetSelected(std::uint16_t value);
    // −1 when the file is missing, else the error of opening it for writing
    // (0 on success). The file is left with its old tag or the new one, and
    // never a byte of its audio changes.
    int WriteTag();
    int RemoveTag();

    // Template and its formatted text
    const QString& Macro() const { return m_macro; }
    void SetMacro(const QString& macro);
    const QString& Text() const { return m_text; }

    // Bytes searched for the first frame past a leading ID3v2 tag; 0 = all.
    std::int32_t SearchLimit = kDefaultSearchLimit;
    QString UnknownArtist = QStringLiteral("Unknown Artist");
    QString UnknownTitle = QStringLiteral("Unknown Title");
    bool AutoLoad = true;
    ReadErrorHandler OnReadError;
    // Called while a long frame search runs, so a window can stay responsive.
    std::function<void()> OnSearchProgress;
    std::int32_t FirstFramePos = 0;
    std::uint8_t DriveTypes = 0x1E;

private:
    enum class ScanResult { Found, NotFound, IoError };
    int ReadOnce();
    ScanResult ScanFile(class BufferedFile& file, std::int64_t size);
    void FillFileIdentity(const platform::FileStatus& status);
    // A reset that keeps the file's name and identity and leaves Text alone:
    // the search does it for every rejected candidate.
    void ResetKeepingIdentity();
    void RebuildText();

    TMPEGAudioData m_data;
    QString m_macro;
    QString m_text;
};

} // namespace velmoro::trackinfo

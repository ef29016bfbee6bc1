#pragma once
// TPlaylistForm: the playlist window. A frameless window drawn from the
// skin's pledit.bmp, text.bmp and pledit.txt, listing the playlist's rows
// (only the visible ones are painted), with its own scroll bar, a resize
// grip, the five menus of its bottom bar and the drag of its title strip.
// The rows, the status texts and the commands are model code
// (playlistview.h, listcommands.h); this class holds the view state, turns
// the mouse and the keys into it and paints through an off-screen image.
#include "playlist/playliststate.h"
#include "settings/settings.h"
#include "skin/hitarea.h"
#include "skin/playlistlayout.h"
#include "skin/playlistpainter.h"
#include "skin/playlistskin.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>

class QAction;
class QMenu;

namespace velmoro::playlist {

// What the playlist window asks of the player, which it cannot reach itself.
class PlaylistHost {
public:
    virtual ~PlaylistHost() = default;
    // Double click or Enter on a row: CurrentIndex is set; end an unfinished
    // fade-out, open the entry and play it.
    virtual void PlayCurrentEntry() = 0;
    // The rows' pop-up menu is the player's.
    virtual void ShowPlayerMenu(QPoint globalPos) = 0;
    // The pointer is over the rows: the single-key commands stop listening,
    // so that the keys reach the list.
    virtual void PointerOverRows() = 0;
    // The file tags window for an existing file, and the dialog that gives
    // entry index another file; a host without them does nothing.
    virtual void ShowFileTags(const QString& /*fileName*/) {}
    virtual void EditEntryFileName(int /*index*/) {}
};

// The dialogs the commands open; tests put functions that answer for the
// user.
struct PlaylistDialogs {
    // Several files; empty when cancelled.
    std::function<QStringList(const QString& title, const QString& filter)> openFiles;
    std::function<QString(const QString& title, const QString& filter)> openFile;
    std::function<QString(const QString& title, const QString& filter)> saveFile;
    std::function<std::optional<QString>(const QString& caption, const QString& prompt, const QString& text)>
        askText;
    // Yes or No.
    std::function<bool(const QString& caption, const QString& text)> confirm;
    std::function<void(const QString& title, const QString& text)> showError;
    std::function<void(const QString& path)> openInBrowser;
};

class TPlaylistForm : public QWidget {
    Q_OBJECT
public:
    // appDir and skinsDir are read at the moment of use (they are set by the
    // first start-up phase, after the window exists).
    TPlaylistForm(PlaylistState& tracks, settings::Settings& settings, const QString& appDir,
                  const QString& skinsDir, PlaylistHost& host, QWidget* parent = nullptr);
    ~TPlaylistForm() override;

    // Loads the playlist window's part of a skin and repaints the window.
    void CaricaSkinPlaylistClick(const skin::SkinSource& source);
    // Formats every row again and sums the totals; after every change of the
    // list.
    void RefreshPlaylistList();
    void ButtonPosLabelClick();  // the status texts
    void ButtonPosScrollClick(); // the scroll thumb
    void PlayListBoxDblClick();
    void TimerSizeTimer();
    void TimerPosizioneFormTimer();

    // The list's selected row (-1 when none) and the first row shown.
    int SelectedRow() const { return m_selectedRow; }
    void SelectRow(int row);
    int TopRow() const { return m_view.topRow; }
    // A long operation's progress in place of the status texts; an empty
    // text brings the totals back.
    void ShowProgress(const QString& text);
    // The rows, the status and the thumb again, after a change of the
    // current entry or of the marks.
    void RepaintView();

    // Grab offset of a drag (window corner − cursor), taken when it starts.
    QPoint DragOffset() const { return m_dragOffset; }

    // Drawn at `scale` times its size (2 in double size), pixel for pixel;
    // the layout, the areas and the grip work in the skin's own pixels.
    void SetScale(int scale);
    int Scale() const { return m_scale; }

    skin::HitArea* PlaylistSkinImage;
    skin::HitArea* RightBarImage;
    skin::HitArea* TraspMoveImage;
    skin::HitArea* PlylistAddImage;
    skin::HitArea* PlylistRemImage;
    skin::HitArea* SelMenuImage;
    skin::HitArea* MiscPlaylistImage;
    skin::HitArea* LoadSavePlaylistImage;
    QWidget* PlayListBox;
    QMenu* AddPlaylistMenu;
    QMenu* RemPlaylistMenu;
    QMenu* SelPlaylistMenu;
    QMenu* MiscPlaylistMenu;
    QMenu* LoadSavePlaylistMenu;
    QTimer TimerSize;
    QTimer TimerPosizioneForm;
    PlaylistDialogs Dialogs;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildAreas();
    void BuildMenus();
    void PlaceAreas();
    bool Relayout();
    // The skin's colours into the shared state, and its cursors.
    void ApplySkin();
    void FillView();
    void RepaintRows();
    void ScrollTo(int topRow);
    int VisibleRows() const;
    void KeepRowVisible(int row);
    bool RowsEvent(QEvent* event);
    void ScrollBarMouse(QEvent::Type type, QPoint at);
    void PopupAt(QMenu* menu, const skin::HitArea* area);
    QSize SkinSize() const { return size() / m_scale; }
    QRect OnWindow(QRect skinArea) const { return {skinArea.topLeft() * m_scale, skinArea.size() * m_scale}; }

    // The commands of the menus (playlistcommands.cpp).
    void AddFilesCommand();
    void AddDirCommand();
    void NewPlaylistCommand();
    void LoadPlaylistCommand(bool replace);
    void SavePlaylistCommand();
    void RemoveAllCommand();
    void HtmlExportCommand();
    void AfterChange();

    PlaylistState& m_tracks;
    settings::Settings& m_settings;
    const QString& m_appDir;
    const QString& m_skinsDir;
    PlaylistHost& m_host;
    skin::PlaylistSkin m_skin;
    skin::PlaylistLayout m_layout;
    skin::PlaylistView m_view;
    QImage m_image;
    int m_selectedRow = -1;
    QString m_progress;
    QString m_lastFolder; // the folder "Aggiungi Dir ..." showed last
    QPoint m_dragOffset;
    int m_scale = 1;
    QAction* m_appendFiles = nullptr;
    QAction* m_relativeNames = nullptr;
    QAction* m_validOnly = nullptr;
    QAction* m_selectedOnly = nullptr;
};

} // namespace velmoro::playlist
